#include "laying/SimplePatterns.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

namespace {

bool PositiveSize(double W, double L) {
    return W > 0 && L > 0 && std::isfinite(W) && std::isfinite(L);
}

} // namespace

// --- Profile timber ---------------------------------------------------------------------------

TProfilHolzGen::TProfilHolzGen() {
    Name = QStringLiteral("Profilholz");
    BitMapIndex = 0;
    PreferedLattenGenIDs = {1, 2, 3, 4, 5, 6, 7, 8, 10, 11};
    LattenGenID = 1;
}

std::unique_ptr<TPatternGeneratorBase> TProfilHolzGen::CreateNew() const {
    return std::make_unique<TProfilHolzGen>();
}

bool TProfilHolzGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) && Article.Typ == ptProfilholz;
}

double TProfilHolzGen::PeriodeL() const {
    return W();
}

double TProfilHolzGen::PeriodeS() const {
    return L();
}

void TProfilHolzGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    const double w = W(), l = L();
    if (!PositiveSize(w, l)) return;
    const TVektor& lege = Shape.LegeVektor();
    const TVektor& sym = Shape.SymetrieVek();
    const auto jFrom = static_cast<std::int64_t>(-1 - RoundTiesEven(0.45 * dy / w));
    const auto jTo = static_cast<std::int64_t>(RoundTiesEven(1.45 * dy / w));
    const auto iFrom = static_cast<std::int64_t>(-1 - RoundTiesEven(0.45 * dx / l));
    const auto iTo = static_cast<std::int64_t>(RoundTiesEven(1.45 * dx / l) + 1);
    for (std::int64_t j = jFrom; j <= jTo; ++j) {
        for (std::int64_t i = iFrom; i <= iTo; ++i) {
            const double a = double(j) * w, b = double(i) * l;
            AddBoard(Shape, Layer, lege.x + a * lege.rx + b * sym.rx,
                     lege.y + a * lege.ry + b * sym.ry, l * sym.rx, l * sym.ry, w * lege.rx,
                     w * lege.ry);
        }
    }
}

// --- Single piece -----------------------------------------------------------------------------

TSinglePanelGen::TSinglePanelGen()
    : RandomDigit([engine = std::make_shared<std::mt19937>(std::random_device{}())] {
          return std::uniform_int_distribution<int>(0, 9)(*engine);
      }) {
    Name = QStringLiteral("Einzelstück");
    BitMapIndex = 1;
    LattenGenID = 0;
}

std::unique_ptr<TPatternGeneratorBase> TSinglePanelGen::CreateNew() const {
    return std::make_unique<TSinglePanelGen>();
}

bool TSinglePanelGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) &&
           (Article.Typ == ptPaneel || Article.Typ == ptPaneelFeder || Article.Typ == ptModul);
}

double TSinglePanelGen::PeriodeL() const {
    return L();
}

double TSinglePanelGen::PeriodeS() const {
    return L();
}

void TSinglePanelGen::AdjustVektors(TShape& Shape) {
    const TVektor& richtung = Shape.VerlegeRichtung();
    if (richtung.rx == 0 && richtung.ry == 0) return;
    TVektor lege(richtung);
    lege.Einheit();
    TVektor sym(lege);
    sym.Norm();
    Shape.SetPatternFrame(lege, sym);
    SetExtents(Shape);
}

void TSinglePanelGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    const bool requested = fPieceRequested;
    fPieceRequested = false;
    const double w = W(), l = L();
    if (!PositiveSize(w, l)) return;
    const QString artikelNr = Product->ArtikelNr.Text();
    const bool holdsPiece = std::any_of(Layer.begin(), Layer.end(), [&](const auto& o) {
        return dynamic_cast<const TGraphPaneel*>(o.get()) != nullptr &&
               o->ArtikelNr.Text() == artikelNr;
    });
    if (holdsPiece && !requested) return;
    const TVektor& lege = Shape.LegeVektor();
    const TVektor& sym = Shape.SymetrieVek();
    const int r1 = RandomDigit();
    const int r2 = RandomDigit();
    AddBoard(Shape, Layer, lege.x + (r1 - 5), lege.y + (r2 - 5), l * sym.rx, l * sym.ry,
             w * lege.rx, w * lege.ry);
}
