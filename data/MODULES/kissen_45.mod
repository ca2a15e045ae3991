; Sitzkissen 45 x 45 cm
[CONTOUR]
OR: 22.5; 22.5
PC: 8421504
BC: 255
RE: 2; 2; 43; 43
