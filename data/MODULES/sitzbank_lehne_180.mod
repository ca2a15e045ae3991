; Sitzbank 180 x 60 cm mit Rückenlehne
[CONTOUR]
OR: 90; 30
PC: 0
BC: $004878A6
RE: 0; 0; 180; 60
BC: $00305070
RE: 0; 0; 180; 12
[Elements]
EL: 70920; 45; 6; 0; 0; 0
EL: 70920; 135; 6; 0; 0; 0
EL: 70900; 45; 36; 0; 0; 0
EL: 70900; 135; 36; 0; 0; 0
[COMPATIBLE]
EL:70200
