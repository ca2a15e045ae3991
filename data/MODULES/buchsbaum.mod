; Buchsbaumkugel, Durchmesser 30 cm
[CONTOUR]
OR: 0; 0
PC: 32768
BC: $00008000
CI: 0; 0; 15
BC: $0000A000
EL: 0; 0; 16; 10; 45
