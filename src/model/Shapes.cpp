#include "model/Shapes.h"

#include "laying/Patterns.h"
#include "substructure/LattenGeneratoren.h"

#include <algorithm>

int TShape::VertexDragAxis = 0;

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

TShape::TShape() : FPolygon(OneEmptyContour()), VPolygon(std::make_unique<Tgpc_polygon>()) {
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

int TShape::AddLayer() {
    Layers.emplace_back();
    PatternGeneratorList.emplace_back();
    return static_cast<int>(Layers.size()) - 1;
}

void TShape::DeleteLayer(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(Layers.size())) return;
    Layers[static_cast<size_t>(LayerIndex)].clear();
}

void TShape::DeleteLayers() {
    for (int i = 0; i < static_cast<int>(Layers.size()); ++i)
        DeleteLayer(i);
}

void TShape::RemoveLayer(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(Layers.size())) return;
    DeleteLayer(LayerIndex);
    Layers.erase(Layers.begin() + LayerIndex);
    PatternGeneratorList.erase(PatternGeneratorList.begin() + LayerIndex);
}

void TShape::RemoveLayers() {
    while (!Layers.empty())
        RemoveLayer(0);
}

void TShape::DeletePatternGenerator(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(PatternGeneratorList.size())) return;
    PatternGeneratorList[static_cast<size_t>(LayerIndex)].reset();
}

void TShape::DeletePatternGenerators() {
    for (auto& g : PatternGeneratorList)
        g.reset();
}

TPatternGenerator* TShape::GetPatternGenerator(int i) const {
    if (i < 0 || i >= static_cast<int>(PatternGeneratorList.size())) return nullptr;
    return PatternGeneratorList[static_cast<size_t>(i)].get();
}

std::unique_ptr<TPatternGenerator>
TShape::SetPatternGenerator(int i, std::unique_ptr<TPatternGenerator> Value) {
    if (i < 0 || i >= static_cast<int>(PatternGeneratorList.size())) return Value;
    std::swap(PatternGeneratorList[static_cast<size_t>(i)], Value);
    return Value;
}

void TShape::RemoveExtGraphObjects(int LayerIndex) {
    if (LayerIndex < 0 || LayerIndex >= static_cast<int>(Layers.size())) return;
    auto& layer = Layers[static_cast<size_t>(LayerIndex)];
    std::erase_if(layer, [this](const auto& o) { return !o->IsInShape(this); });
}

bool TShape::Empty() const {
    return std::all_of(Layers.begin(), Layers.end(), [](const auto& l) { return l.empty(); });
}

TGraphicObject* TShape::GraphObjectFromPoint(int LayerIdx, int& FoundLayer, double x, double y) {
    FoundLayer = -1;
    const int count = static_cast<int>(Layers.size());
    const bool one = LayerIdx >= 0 && LayerIdx < count;
    for (int l = one ? LayerIdx : count - 1; l >= (one ? LayerIdx : 0); --l) {
        auto& layer = Layers[static_cast<size_t>(l)];
        for (auto it = layer.rbegin(); it != layer.rend(); ++it) {
            if (TGraphicObject* hit = (*it)->ObjectFromPoint(x, y)) {
                FoundLayer = l;
                return hit;
            }
        }
    }
    return nullptr;
}

// --- Substructure -----------------------------------------------------------------------------

void TShape::DeleteVerlattung() {
    VerlattungColl.clear();
    DeleteUKVerbinder();
}

void TShape::DeleteUKVerbinder() {
    UKVerbinderColl.clear();
}

// --- Copying and transformations --------------------------------------------------------------

void TShape::Assign(const TShape& Source) {
    FPolygon = OneEmptyContour();
    Outline() = Source.Outline();
    Color = Source.Color;
    Closed = Source.Closed;
    Operator = Source.Operator;
    CopyF2Vpolygon();
    CreateV_VectorList();
}

std::unique_ptr<TGraphicObject> TShape::Clone() const {
    auto copy = std::make_unique<TShape>();
    copy->Outline() = Outline();
    copy->ArtikelNr = ArtikelNr;
    copy->Color = Color;
    copy->Closed = Closed;
    copy->CopyF2Vpolygon();
    copy->CreateV_VectorList();
    return copy;
}

void TShape::Move(double dx, double dy) {
    GPCPolygonMove(*FPolygon, dx, dy);
    MoveVektor(VerlegeRichtung, dx, dy);
    MoveVektor(VerlattungsRichtung, dx, dy);
    for (auto& layer : Layers)
        for (auto& o : layer)
            o->Move(dx, dy);
    for (auto* coll : {&VerlattungColl, &UKVerbinderColl})
        for (auto& group : *coll)
            for (TVektor& v : group.Vektoren)
                MoveVektor(v, dx, dy);
}

void TShape::Rotate(const TROTMatrix& ROTMatrix) {
    GPCPolygonRotate(*FPolygon, ROTMatrix);
    VerlegeRichtung.Rotate(ROTMatrix);
    VerlattungsRichtung.Rotate(ROTMatrix);
    for (auto& layer : Layers)
        for (auto& o : layer)
            o->Rotate(ROTMatrix);
    for (auto* coll : {&VerlattungColl, &UKVerbinderColl})
        for (auto& group : *coll)
            for (TVektor& v : group.Vektoren)
                v.Rotate(ROTMatrix);
}

void TShape::SetAussparung(bool Aussparung) {
    if (Aussparung) {
        if (Color == kXorColor) Color = kDiffColor;
        Operator = GPC_DIFF;
    } else {
        if (Color == kDiffColor) Color = kXorColor;
        Operator = GPC_XOR;
    }
}
