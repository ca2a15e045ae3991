; Pflanzkübel WPC 80 x 80 cm
[CONTOUR]
OR: 40; 40
PC: 4210752
BC: 8421504
RE: 0; 0; 80; 80
BC: $00204060
RE: 5; 5; 75; 75
[Elements]
EL: 70910; 40; 40; 0; 0; 0
