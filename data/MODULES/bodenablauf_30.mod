; Bodenablauf 30 x 30 cm mit rundem Deckel und Schlitzen
[CONTOUR]
OR: 0; 0
PC: $00404040
BC: $00A0A0A0
RE: -15; -15; 15; 15
BC: $00808080
CI: 0; 0; 11
BC: $00303030
EL: 0; -5; 14; 2; 0
EL: 0; 0; 16; 2; 0
EL: 0; 5; 14; 2; 0
[COMPATIBLE]
EL:70500
