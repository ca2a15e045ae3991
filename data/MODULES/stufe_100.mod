; Blockstufe 100 x 35 cm aus drei Dielen, Vorderkante unten
[CONTOUR]
OR: 50; 17.5
PC: 0
BC: $0064A0D6
RE: 0; 0; 100; 35
LI: 2; 0; 11.5; 100; 11.5
LI: 2; 0; 23.5; 100; 23.5
PC: $00404040
LI: 2; 2; 33; 98; 33
[COMPATIBLE]
EL:70300
EL:70301
