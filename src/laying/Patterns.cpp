#include "laying/Patterns.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"
#include "platform/UserMessages.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>

TPatternGenerator::TPatternGenerator() : Product(std::make_unique<TPaneele>()) {}

TPatternGenerator::~TPatternGenerator() = default;

std::unique_ptr<TPatternGenerator> TPatternGenerator::Clone() const {
    std::unique_ptr<TPatternGenerator> copy = CreateNew();
    copy->Assign(*this);
    return copy;
}

void TPatternGenerator::Assign(const TPatternGenerator& Source) {
    Name = Source.Name;
    BitMapIndex = Source.BitMapIndex;
    Product->Assign(*Source.Product);
    Shape = Source.Shape;
    LattenGenID = Source.LattenGenID;
}

void TPatternGenerator::ReadData(TReader& Reader) {
    Reader.ReadInteger(); // version
    auto product = std::make_unique<TPaneele>();
    product->ReadData(Reader);
    const std::int32_t lattenGenID = Reader.ReadInteger();
    ReadTail(Reader);
    Product = std::move(product);
    LattenGenID = lattenGenID;
}

void TPatternGenerator::WriteData(TWriter& Writer) const {
    Writer.WriteInteger(0);
    Product->WriteData(Writer);
    Writer.WriteInteger(LattenGenID);
    WriteTail(Writer);
}

void TPatternGenerator::ReadTail(TReader&) {}
void TPatternGenerator::WriteTail(TWriter&) const {}

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

void TPatternGenerator::MoveBehindContour(TVektor& v, double Period) const {
    for (const TVektor& edge : Shape->fVFrame) {
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

void TPatternGenerator::AdjustVektors() {
    if (Shape == nullptr) return;
    TVektor& lege = Shape->LegeVektor;
    TVektor& sym = Shape->SymetrieVek;
    const TVektor& richtung = Shape->VerlegeRichtung;
    if (richtung.rx == 0 && richtung.ry == 0) return;
    lege.Assign(richtung);
    lege.Einheit();
    sym.Assign(lege);
    sym.Norm();
    const double p = PeriodeL();
    const double q = PeriodeS();
    if (!(p > 0) || !(q > 0) || !std::isfinite(p) || !std::isfinite(q)) return;
    MoveBehindContour(lege, p);
    sym.x = lege.x;
    sym.y = lege.y;
    MoveBehindContour(sym, q);
    lege.x = sym.x;
    lege.y = sym.y;
    SetExtents();
}

void TPatternGenerator::SetExtents() {
    const TVektor& lege = Shape->LegeVektor;
    const TVektor& sym = Shape->SymetrieVek;
    double maxL = 0, maxS = 0;
    for (const TVektor& edge : Shape->fVFrame) {
        maxL = std::max(maxL, lege.Abstand(edge.x, edge.y));
        maxS = std::max(maxS, sym.Abstand(edge.x, edge.y));
    }
    dx = dy = std::max(maxL, maxS);
}

void TPatternGenerator::DeleteLayer(TGraphicObjectList& Layer) {
    Layer.clear();
}

bool TPatternGenerator::Update() {
    TProduct* found = FindProduct(Product->ArtikelNr.Text());
    if (found != nullptr && Possible(*found)) {
        Product->Assign(*found);
        return true;
    }
    if (found != nullptr)
        ShowErrorMessage(Product->Name.Text() + " kann nicht mehr mit " + Name +
                         " verlegt werden.");
    else
        ShowErrorMessage("Produkt " + Product->Name.Text() + " nicht gefunden.");
    return false;
}

bool TPatternGenerator::SuitableLG(std::int32_t LattenGeneratorID) const {
    return std::find(PreferedLattenGenIDs.begin(), PreferedLattenGenIDs.end(), LattenGeneratorID) !=
           PreferedLattenGenIDs.end();
}

TPropertyList TPatternGenerator::Properties() {
    return {};
}

void TPatternGenerator::AddBoard(TGraphicObjectList& Layer, double cx, double cy, double lx,
                                 double ly, double wx, double wy) const {
    Layer.push_back(std::make_unique<TGraphPaneel>(
        Shape, nullptr, Product->ArtikelNr.Text(), Product->Typ, TVektor(cx, cy, cx + lx, cy + ly),
        TVektor(0, 0, wx, wy), Product->ImageFileName.Text(), Product->Color));
}

std::vector<std::unique_ptr<TPatternGenerator>>& PatternPrototypes() {
    static std::vector<std::unique_ptr<TPatternGenerator>> prototypes;
    return prototypes;
}

TPatternGenerator*& ComplexPatternPrototype() {
    static TPatternGenerator* prototype = nullptr;
    return prototype;
}

std::unique_ptr<TPatternGenerator> CreatePatternGeneratorForName(const QString& Name) {
    if (Name.isEmpty()) return nullptr;
    if (TPatternGenerator* complex = ComplexPatternPrototype(); complex && complex->Name == Name)
        return complex->CreateNew();
    for (const auto& prototype : PatternPrototypes())
        if (prototype->Name == Name) return prototype->CreateNew();
    return nullptr;
}
