#pragma once
// The built-in patterns in their fixed order: the index is what the laying options and the
// start-up presets refer to.

#include <QString>

class TPatternGenerator;

// Fills PatternPrototypes() with one prototype per built-in pattern: 0 profile timber, 1 single
// piece, 2 no offset, 3 half, 4 third, 5 quarter offset, 6 length offset, 7 angle offset,
// 8 interlocking, 9 parquet, 10 herringbone, 11 cube. A list already filled is left as it is,
// so the parameter values the user gave the prototypes survive.
void CreatePatternPrototypes();

// The prototype of that name (a-z case folded), or null.
TPatternGenerator* FindPatternPrototype(const QString& Name);
