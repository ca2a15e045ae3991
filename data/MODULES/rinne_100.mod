; Entwässerungsrinne 100 x 15 cm mit Gitterrost
[CONTOUR]
OR: 50; 7.5
PC: $00404040
BC: $00A0A0A0
RE: 0; 0; 100; 15
BC: $00808080
RE: 2; 2; 98; 13
LI: 2; 2; 7.5; 98; 7.5
LI: 2; 20; 2; 20; 13
LI: 2; 40; 2; 40; 13
LI: 2; 60; 2; 60; 13
LI: 2; 80; 2; 80; 13
[COMPATIBLE]
EL:70510
