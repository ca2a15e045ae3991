#include "model/Shapes.h"

#include "model/Generators.h"

#include <algorithm>

namespace {

Pgpc_polygon OneEmptyContour() {
    auto p = std::make_unique<Tgpc_polygon>();
    p->AddContour(Tgpc_vertex_list{}, false);
    return p;
}

void MoveVektor(TVektor& v, double dx, double dy) {
    v.Shift(dx, dy);
}

} // namespace

TShape::TShape() : FPolygon(OneEmptyContour()), fVPolygon(std::make_unique<Tgpc_polygon>()) {
    AddLayer();
}

TShape::TShape(TShape* AParentShape, TGraphicObject* AParentGraphObject, const QString& AArtikelNr)
    : TShape() {
    ParentShape = AParentShape;
    ParentGraphObject = AParentGraphObject;
    ArtikelNr.SetText(AArtikelNr);
}

TShape::~TShape() = default;

// --- Layers and generators --------------------------------------------------------------------

const TGraphicObjectList& TShape::Layer(int LayerIndex) const {
    return fLayers.at(static_cast<size_t>(LayerIndex));
}

TGraphicObjectList& TShape::Layer(int LayerIndex) {
    return fLayers.at(static_cast<size_t>(LayerIndex));
}

int TShape::AddLayer() {
    fLayers.emplace_back();
    fPatternGeneratorList.emplace_back();
    return static_cast<int>(fLayers.size()) - 1;
}

void TShape::DeleteLayer(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(fLayers.size())) return;
    fLayers[static_cast<size_t>(LayerIndex)].clear();
}

void TShape::DeleteLayers() {
    for (int i = 0; i < static_cast<int>(fLayers.size()); ++i)
        DeleteLayer(i);
}

void TShape::RemoveLayer(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(fLayers.size())) return;
    DeleteLayer(LayerIndex);
    fLayers.erase(fLayers.begin() + LayerIndex);
    fPatternGeneratorList.erase(fPatternGeneratorList.begin() + LayerIndex);
}

void TShape::RemoveLayers() {
    while (!fLayers.empty())
        RemoveLayer(0);
}

void TShape::DeletePatternGenerator(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(fPatternGeneratorList.size())) return;
    fPatternGeneratorList[static_cast<size_t>(LayerIndex)].reset();
}

void TShape::DeletePatternGenerators() {
    for (auto& g : fPatternGeneratorList)
        g.reset();
}

TPatternGeneratorBase* TShape::GetPatternGenerator(int i) const {
    if (i < 0 || i >= static_cast<int>(fPatternGeneratorList.size())) return nullptr;
    return fPatternGeneratorList[static_cast<size_t>(i)].get();
}

std::unique_ptr<TPatternGeneratorBase>
TShape::SetPatternGenerator(int i, std::unique_ptr<TPatternGeneratorBase> Value) {
    if (i < 0 || i >= static_cast<int>(fPatternGeneratorList.size())) return Value;
    std::swap(fPatternGeneratorList[static_cast<size_t>(i)], Value);
    return Value;
}

void TShape::RemoveExtGraphObjects(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(fLayers.size())) return;
    auto& layer = fLayers[static_cast<size_t>(LayerIndex)];
    // Every object is asked before any goes: a refused clip leaves the layer as it was.
    std::vector<bool> outside;
    for (const auto& o : layer)
        outside.push_back(!o->IsInShape(this));
    std::size_t i = 0;
    std::erase_if(layer, [&](const auto&) { return outside[i++]; });
}

bool TShape::Empty() const {
    return std::all_of(fLayers.begin(), fLayers.end(), [](const auto& l) { return l.empty(); });
}

TGraphicObject* TShape::GraphObjectFromPoint(int LayerIdx, int& FoundLayer, double x, double y) {
    FoundLayer = -1;
    const int count = static_cast<int>(fLayers.size());
    const bool one = LayerIdx >= 0 && LayerIdx < count;
    for (int l = one ? LayerIdx : count - 1; l >= (one ? LayerIdx : 0); --l) {
        auto& layer = fLayers[static_cast<size_t>(l)];
        for (auto it = layer.rbegin(); it != layer.rend(); ++it) {
            if (TGraphicObject* hit = (*it)->ObjectFromPoint(x, y)) {
                FoundLayer = l;
                return hit;
            }
        }
    }
    return nullptr;
}

// --- Pattern frame and substructure --------------------------------------------------------

void TShape::SetPatternFrame(const TVektor& Lege, const TVektor& Symetrie) {
    fLegeVektor.Assign(Lege);
    fSymetrieVek.Assign(Symetrie);
}

std::unique_ptr<TLattenGeneratorBase>
TShape::SetLattenGenerator(std::unique_ptr<TLattenGeneratorBase> Value) {
    std::swap(fLattenGenerator, Value);
    return Value;
}

void TShape::AddVerlattung(const QString& Artikel, std::vector<TVektor> Battens) {
    fVerlattungColl.push_back({Artikel, std::move(Battens)});
}

void TShape::DeleteVerlattung() {
    fVerlattungColl.clear();
    DeleteUKVerbinder();
}

void TShape::SumVerlattung() {
    fLaengeVerlattung = 0;
    for (const TVektorGruppe& group : fVerlattungColl)
        for (const TVektor& batten : group.Vektoren)
            fLaengeVerlattung += batten.Betrag();
}

void TShape::AddUKVerbinder(const QString& Artikel, std::vector<TVektor> Points) {
    fUKVerbinderColl.push_back({Artikel, std::move(Points)});
}

void TShape::DeleteUKVerbinder() {
    fUKVerbinderColl.clear();
}

void TShape::EnsureUKVerbinder(const QString& Artikel) {
    for (const TVektorGruppe& group : fUKVerbinderColl)
        if (group.ArtikelNr == Artikel) return;
    fUKVerbinderColl.push_back({Artikel, {}});
}

void TShape::AddUKVerbinderPoint(const QString& Artikel, const TVektor& Point) {
    EnsureUKVerbinder(Artikel);
    for (TVektorGruppe& group : fUKVerbinderColl)
        if (group.ArtikelNr == Artikel) {
            group.Vektoren.push_back(Point);
            return;
        }
}

void TShape::SetVerlattungColl(TVektorColl Coll) {
    DeleteVerlattung();
    fVerlattungColl = std::move(Coll);
}

void TShape::SetVerleistung(TGraphicObjectList Strips) {
    for (auto& strip : Strips)
        if (strip) strip->ParentShape = this;
    fVerleistung = std::move(Strips);
}

// --- Copying and transformations --------------------------------------------------------------

void TShape::Assign(const TShape& Source) {
    FPolygon = OneEmptyContour();
    MutableOutline() = Source.Outline();
    fColor = Source.fColor;
    fClosed = Source.fClosed;
    fOperator = Source.fOperator;
    CopyF2Vpolygon();
    CreateV_VectorList();
}

std::unique_ptr<TGraphicObject> TShape::Clone() const {
    auto copy = std::make_unique<TShape>();
    copy->MutableOutline() = Outline();
    copy->ArtikelNr = ArtikelNr;
    copy->fColor = fColor;
    copy->fClosed = fClosed;
    copy->CopyF2Vpolygon();
    copy->CreateV_VectorList();
    return copy;
}

void TShape::Move(double dx, double dy) {
    GPCPolygonMove(*FPolygon, dx, dy);
    MoveVektor(fVerlegeRichtung, dx, dy);
    MoveVektor(fVerlattungsRichtung, dx, dy);
    for (auto& layer : fLayers)
        for (auto& o : layer)
            o->Move(dx, dy);
    for (auto* coll : {&fVerlattungColl, &fUKVerbinderColl})
        for (auto& group : *coll)
            for (TVektor& v : group.Vektoren)
                MoveVektor(v, dx, dy);
    for (auto& strip : fVerleistung)
        strip->Move(dx, dy);
}

void TShape::Rotate(const TROTMatrix& ROTMatrix) {
    GPCPolygonRotate(*FPolygon, ROTMatrix);
    fVerlegeRichtung.Rotate(ROTMatrix);
    fVerlattungsRichtung.Rotate(ROTMatrix);
    for (auto& layer : fLayers)
        for (auto& o : layer)
            o->Rotate(ROTMatrix);
    for (auto* coll : {&fVerlattungColl, &fUKVerbinderColl})
        for (auto& group : *coll)
            for (TVektor& v : group.Vektoren)
                v.Rotate(ROTMatrix);
    for (auto& strip : fVerleistung)
        strip->Rotate(ROTMatrix);
}

void TShape::SetAussparung(bool Aussparung) {
    if (Aussparung) {
        if (fColor == kXorColor) fColor = kDiffColor;
        fOperator = GPC_DIFF;
    } else {
        if (fColor == kDiffColor) fColor = kXorColor;
        fOperator = GPC_XOR;
    }
}
