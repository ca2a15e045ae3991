; Pergolapfosten 12 x 12 cm auf verzinkter Fuﬂplatte 20 x 20 cm
[CONTOUR]
OR: 0; 0
PC: $00606060
BC: $00C0C0C0
RE: -10; -10; 10; 10
BC: $00606060
CI: -7.5; -7.5; 1
CI: 7.5; -7.5; 1
CI: 7.5; 7.5; 1
CI: -7.5; 7.5; 1
PC: 0
BC: $00336699
RE: -6; -6; 6; 6
LI: 2; -6; -6; 6; 6
LI: 2; -6; 6; 6; -6
