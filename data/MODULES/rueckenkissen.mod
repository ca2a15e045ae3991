; Rückenkissen 45 x 12 cm (Draufsicht)
[CONTOUR]
OR: 22.5; 6
PC: 8421504
BC: 255
RE: 2; 1; 43; 11
