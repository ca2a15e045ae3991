#include "laying/Patterns.h"

#include "catalogue/CatalogueContext.h"
#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>

std::unique_ptr<TPatternGenerator> TPatternGenerator::Clone() const {
    // CreateNew of a laying generator makes one of its own class.
    return std::unique_ptr<TPatternGenerator>(
        static_cast<TPatternGenerator*>(TPatternGeneratorBase::Clone().release()));
}

bool TPatternGenerator::Possible(const TProduct& Article) const {
    return Article.VBreite > 0 && Article.VLaenge > 0 && std::isfinite(Article.VBreite) &&
           std::isfinite(Article.VLaenge);
}

double TPatternGenerator::W() const {
    return Product->VBreite;
}
double TPatternGenerator::L() const {
    return Product->VLaenge;
}

void TPatternGenerator::MoveBehindContour(const TShape& Shape, TVektor& v, double Period) {
    for (const TVektor& edge : Shape.VFrame()) {
        // (Q - S) . e: how far the point lies ahead of the start.
        const double ahead = (edge.x - v.x) * v.rx + (edge.y - v.y) * v.ry;
        if (ahead > 0) continue;
        // Whole periods at once; the last step is checked like the step-by-step rule.
        double steps = std::floor(-ahead / Period);
        v.Shift(-steps * Period * v.rx, -steps * Period * v.ry);
        while (!v.InFrontOfPoint(edge.x, edge.y))
            v.Shift(-Period * v.rx, -Period * v.ry);
    }
    v.Shift(-0.05 * v.rx, -0.05 * v.ry);
}

void TPatternGenerator::AdjustVektors(TShape& Shape) {
    const TVektor& richtung = Shape.VerlegeRichtung();
    if (richtung.rx == 0 && richtung.ry == 0) return;
    TVektor lege(richtung);
    lege.Einheit();
    TVektor sym(lege);
    sym.Norm();
    const double p = PeriodeL();
    const double q = PeriodeS();
    if (!(p > 0) || !(q > 0) || !std::isfinite(p) || !std::isfinite(q)) {
        // No period to step back by: the frame stays at the laying start point.
        Shape.SetPatternFrame(lege, sym);
        return;
    }
    MoveBehindContour(Shape, lege, p);
    sym.x = lege.x;
    sym.y = lege.y;
    MoveBehindContour(Shape, sym, q);
    lege.x = sym.x;
    lege.y = sym.y;
    Shape.SetPatternFrame(lege, sym);
    SetExtents(Shape);
}

void TPatternGenerator::SetExtents(const TShape& Shape) {
    const TVektor& lege = Shape.LegeVektor();
    const TVektor& sym = Shape.SymetrieVek();
    double maxL = 0, maxS = 0;
    for (const TVektor& edge : Shape.VFrame()) {
        maxL = std::max(maxL, lege.Abstand(edge.x, edge.y));
        maxS = std::max(maxS, sym.Abstand(edge.x, edge.y));
    }
    dx = dy = std::max(maxL, maxS);
}

void TPatternGenerator::DeleteLayer(TGraphicObjectList& Layer) {
    Layer.clear();
}

bool TPatternGenerator::Update(const TCatalogueContext& Context) {
    TProduct* found = Context.FindProduct(Product->ArtikelNr.Text());
    if (found != nullptr && Possible(*found)) {
        Product->Assign(*found);
        return true;
    }
    if (found != nullptr)
        Context.Messages().ShowError(Product->Name.Text() + " kann nicht mehr mit " + Name +
                                     " verlegt werden.");
    else
        Context.Messages().ShowError("Produkt " + Product->Name.Text() + " nicht gefunden.");
    return false;
}

bool TPatternGenerator::SuitableLG(std::int32_t LattenGeneratorID) const {
    return std::find(PreferedLattenGenIDs.begin(), PreferedLattenGenIDs.end(), LattenGeneratorID) !=
           PreferedLattenGenIDs.end();
}

TPropertyList TPatternGenerator::Properties() {
    return {};
}

void TPatternGenerator::AddBoard(TShape& Shape, TGraphicObjectList& Layer, double cx, double cy,
                                 double lx, double ly, double wx, double wy) const {
    Layer.push_back(std::make_unique<TGraphPaneel>(
        &Shape, nullptr, Product->ArtikelNr.Text(), Product->Typ, TVektor(cx, cy, cx + lx, cy + ly),
        TVektor(0, 0, wx, wy), Product->ImageFileName.Text(), Product->Color));
}

TPatternGenerator* PatternGenerator(const TShape& Shape, int LayerIndex) {
    return dynamic_cast<TPatternGenerator*>(Shape.GetPatternGenerator(LayerIndex));
}
