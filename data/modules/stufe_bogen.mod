; Viertelkreisstufe, Radius 100 cm, für eine Terrassenecke
[CONTOUR]
OR: 0; 0
PC: 0
BC: $004878A6
PI: -100; -100; 100; 100; 100; 0; 0; -100
PC: $00303030
BC:TRANSPARENT
PI: -65; -65; 65; 65; 65; 0; 0; -65
