; Pflanzkübel 100 x 50 cm mit zwei Buchsbäumen
[CONTOUR]
TR: 0
OR: 50; 25
PC: 0
BC: $00336699
RE: 0; 0; 100; 50
BC: $00204060
RE: 4; 4; 96; 46
[Elements]
EL: 70910; 25; 25; 0; 0; 0
EL: 70910; 75; 25; 0; 0; 0
[COMPATIBLE]
EL:70101
EL:70110
