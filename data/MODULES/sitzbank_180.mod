; Sitzbank 180 x 45 cm mit drei Sitzkissen
[CONTOUR]
OR: 90; 22.5
PC: 0
BC: $004878A6
RE: 0; 0; 180; 45
LI: 2; 0; 15; 180; 15
LI: 2; 0; 30; 180; 30
[Elements]
EL: 70900; 45; 22.5; 0; 0; 0
EL: 70900; 90; 22.5; 0; 0; 0
EL: 70900; 135; 22.5; 0; 0; 0
[COMPATIBLE]
EL:70210
