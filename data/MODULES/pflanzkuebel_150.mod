; Pflanzkübel 150 x 50 cm mit drei Buchsbäumen
[CONTOUR]
OR: 75; 25
PC: 0
BC: $00336699
RE: 0; 0; 150; 50
BC: $00204060
RE: 4; 4; 146; 46
[Elements]
EL: 70910; 25; 25; 0; 0; 0
EL: 70910; 75; 25; 0; 0; 0
EL: 70910; 125; 25; 0; 0; 0
[COMPATIBLE]
EL:70100
EL:70101
