#pragma once
// Small helpers of the pattern tests: an article for a generator, laying it directly (without
// removing far boards) and reading back its boards.

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "laying/Patterns.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"

inline void SetArticle(TPatternGenerator& g, double W, double L, std::int32_t Typ = ptPaneel) {
    g.Product->ArtikelNr.SetText(QStringLiteral("4711"));
    g.Product->Typ = Typ;
    g.Product->VBreite = W;
    g.Product->VLaenge = L;
}

// A new generator of the same class with its constructor defaults.
inline std::unique_ptr<TPatternGenerator> NewOfSameClass(const TPatternGenerator& g) {
    return std::unique_ptr<TPatternGenerator>(
        static_cast<TPatternGenerator*>(g.CreateNew().release()));
}

// Lays the generator as laying an area does, without removing far boards.
inline void Lay(TPatternGenerator& g, TShape& area, double sx, double sy, double rx, double ry,
                TGraphicObjectList& boards) {
    area.SetVerlegeRichtung(TVektor(sx, sy, sx + rx, sy + ry));
    g.AdjustVektors(area);
    g.CreatePattern(area, boards);
}

inline const TGraphPaneel& Board(const TGraphicObjectList& boards, size_t i) {
    return dynamic_cast<const TGraphPaneel&>(*boards.at(i));
}
