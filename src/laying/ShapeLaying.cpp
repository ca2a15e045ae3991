// Laying one area: its laying direction from an edge or a drawn line, refreshing its
// generators, laying a layer with the removal of far boards, and its tongue length.

#include "laying/ShapeLaying.h"

#include "catalogue/Paneele.h"
#include "geometry/DoubleArray.h"
#include "laying/LayingContext.h"
#include "laying/Patterns.h"
#include "laying/SimplePatterns.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// Patterns whose rows start at the edge's start point instead of its middle.
bool StartsAtEdgeStart(const TPatternGenerator& Generator, const TProduct& Article) {
    return Article.Typ == ptProfilholz || Generator.Name == QStringLiteral("Ohne Versatz");
}

void RoundStart(TVektor& v) {
    v.x = RoundTiesEven(v.x);
    v.y = RoundTiesEven(v.y);
}

// Shorter lines are clicks rather than directions: below a unit the direction is noise.
constexpr double kMinLineLength = 1.0;

// Boards closer than this to the centroid (or the area's own radius, if larger) are kept
// without a closer look.
constexpr double kMinKeepRadius = 50.0;

// An object's coordinate points: its coordinate list, for a board also the centre; objects
// without coordinates (modules of circles or lines only) stand in with their extent corners.
std::vector<Tgpc_vertex> KeepTestPoints(const TGraphicObject& Object) {
    std::vector<Tgpc_vertex> points;
    TDoubleArray coordinates;
    Object.GetKoordinateList(coordinates);
    for (std::int32_t i = 0; i + 1 < coordinates.Count(); i += 2)
        points.push_back({coordinates[i], coordinates[i + 1]});
    if (const auto* board = dynamic_cast<const TGraphPaneel*>(&Object)) {
        Tgpc_vertex centre;
        GPCPolygonSchwerpunkt(board->Polygon, centre);
        points.push_back(centre);
    }
    if (points.empty()) {
        double x1, y1, x2, y2;
        Object.GetExtent(x1, y1, x2, y2);
        if (x1 <= x2 && y1 <= y2) points = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    }
    return points;
}

bool BoxesMeet(const TGraphicObject& Object, double ax1, double ay1, double ax2, double ay2) {
    double x1, y1, x2, y2;
    Object.GetExtent(x1, y1, x2, y2);
    return x1 <= ax2 && ax1 <= x2 && y1 <= ay2 && ay1 <= y2;
}

// Drops the objects of the layer that lie far from the area. The distance of the points to the
// centroid only accepts quickly: a long board whose corners and centre are all far away can
// still cross the area, so an object is dropped only when it does not overlap the area either.
// An object whose overlap the clipper cannot test stays; the answer is how many those were,
// with the clipper's reason.
int RemoveFarObjects(TShape& Shape, TGraphicObjectList& Layer, QString& Reason) {
    const Tgpc_vertex c = Shape.Schwerpunkt();
    double r = 0;
    for (const auto& contour : Shape.VPolygon().contour)
        for (const Tgpc_vertex& v : contour.vertex)
            r = std::max(r, std::hypot(v.x - c.x, v.y - c.y));
    r = std::max(r, kMinKeepRadius);
    double ax1, ay1, ax2, ay2;
    Shape.GetExtent(ax1, ay1, ax2, ay2);
    int untested = 0;
    std::erase_if(Layer, [&](const std::unique_ptr<TGraphicObject>& o) {
        for (const Tgpc_vertex& p : KeepTestPoints(*o))
            if (std::hypot(p.x - c.x, p.y - c.y) < r) return false;
        if (!BoxesMeet(*o, ax1, ay1, ax2, ay2)) return true;
        try {
            return !o->IsInShape(&Shape);
        } catch (const EClipError& e) {
            ++untested;
            Reason = QString::fromUtf8(e.what());
            return false;
        }
    });
    return untested;
}

// The part of the segment from (x0, y0) to (x1, y1) inside the area.
double InsideLength(const TShape& Shape, double x0, double y0, double x1, double y1) {
    const TVektor edge(x0, y0, x1, y1);
    TDoubleArray t;
    if (Shape.PointInObject(x0, y0)) t.Add(0);
    for (const TVektor& frame : Shape.VFrame()) {
        double px, py, f1, f2;
        if (edge.SchnittpunktLock(frame, px, py, f1, f2)) t.Add(f1);
    }
    if (Shape.PointInObject(x1, y1)) t.Add(1);
    t.Sort(CompareDouble);
    double inside = 0;
    for (std::int32_t i = 0; i + 1 < t.Count(); i += 2)
        inside += t[i + 1] - t[i];
    return inside * edge.Betrag();
}

// Counts what CreatePattern adds to a layer. The objects already there are marked through
// their transient Tag; whatever is unmarked afterwards is new (an address of a destroyed object
// may come back for a new one, so pointers alone cannot tell).
class TNewObjectCounter {
public:
    explicit TNewObjectCounter(TGraphicObjectList& Layer) : fLayer(Layer) {
        for (const auto& o : Layer) {
            fTags.emplace(o.get(), o->Tag);
            o->Tag = kMark;
        }
    }
    // Restores the marks of the objects that stayed and returns how many are new.
    int Finish() {
        for (const auto& o : fLayer) {
            if (o->Tag != kMark) {
                ++fNew;
                continue;
            }
            if (auto it = fTags.find(o.get()); it != fTags.end()) o->Tag = it->second;
        }
        return fNew;
    }

private:
    static constexpr std::int32_t kMark = 0x4C617947;
    TGraphicObjectList& fLayer;
    std::unordered_map<const TGraphicObject*, std::int32_t> fTags;
    int fNew = 0;
};

} // namespace

void SetVerlegeRichtungParallel(const TLayingContext& Context, TShape& Shape, int LayerIdx,
                                const TVektor& Vektor) {
    const TPatternGenerator* generator = PatternGenerator(Shape, LayerIdx);
    const TProduct* article = generator ? generator->Product.get() : nullptr;
    if (generator == nullptr && Context.Laying.CurrentPattern != nullptr) {
        generator = Context.Laying.CurrentPattern;
        article = &Context.DefaultPaneel();
    }
    TVektor richtung(Vektor);
    if (generator == nullptr || article == nullptr || !StartsAtEdgeStart(*generator, *article))
        richtung.Shift(richtung.rx / 2, richtung.ry / 2);
    richtung.Norm();
    richtung.Einheit();
    if (!Shape.PointInObject(richtung.EndX(), richtung.EndY())) richtung.Turn();
    RoundStart(richtung);
    Shape.SetVerlegeRichtung(richtung);
    Shape.SetVerlattungsRichtung(richtung);
}

bool SetVerlegeRichtungEntlang(TShape& Shape, const TVektor& Vektor, double X, double Y) {
    const double length = Vektor.Betrag();
    if (!std::isfinite(length) || length < kMinLineLength || !std::isfinite(Vektor.x) ||
        !std::isfinite(Vektor.y))
        return false;
    TVektor richtung(Vektor);
    TVektor across(Vektor);
    across.Norm();
    if (across.Abstand(X, Y) > length / 2) {
        richtung.Shift(richtung.rx, richtung.ry);
        richtung.Turn();
    }
    RoundStart(richtung);
    richtung.Einheit();
    Shape.SetVerlegeRichtung(richtung);
    Shape.SetVerlattungsRichtung(richtung);
    return true;
}

bool UpdateGenerator(const TCatalogueContext& Context, TShape& Shape) {
    bool allKept = true;
    for (int i = 0; i < Shape.LayerCount(); ++i) {
        TPatternGenerator* generator = PatternGenerator(Shape, i);
        if (generator == nullptr || generator->Update(Context)) continue;
        allKept = false;
        // Only what this generator laid goes with it: other layers and objects placed by hand
        // (modules, pieces of other articles) stay.
        const QString article = generator->Product->ArtikelNr.Text();
        std::erase_if(Shape.Layer(i), [&article](const std::unique_ptr<TGraphicObject>& o) {
            return dynamic_cast<const TGraphPaneel*>(o.get()) != nullptr &&
                   o->ParentGraphObject == nullptr && o->ArtikelNr.Text() == article;
        });
        Shape.DeletePatternGenerator(i);
        // The battens were laid for boards that are gone; laying generates them anew.
        Shape.DeleteVerlattung();
    }
    return allKept;
}

TLayerLaying LayShapeLayer(TShape& Shape, int LayerIndex, TLayingTrigger Trigger) {
    TLayerLaying result;
    if (Shape.VFrame().empty()) return result;
    if (!Shape.HasVerlegeRichtung()) return result;
    if (!Shape.HasLayer(LayerIndex)) return result;
    TGraphicObjectList& layer = Shape.Layer(LayerIndex);
    if (TPatternGenerator* generator = PatternGenerator(Shape, LayerIndex)) {
        // Without positive dimensions the pattern has no period to lay by.
        if (!generator->Possible(*generator->Product)) return result;
        generator->AdjustVektors(Shape);
        // The single piece adds to its layer instead of replacing it: only a laying the user
        // asked for adds another piece.
        if (Trigger == TLayingTrigger::User)
            if (auto* single = dynamic_cast<TSinglePanelGen*>(generator)) single->RequestPiece();
        TNewObjectCounter counter(layer);
        generator->CreatePattern(Shape, layer);
        result.Generated = counter.Finish();
    }
    QString reason;
    if (const int untested = RemoveFarObjects(Shape, layer, reason))
        result.Problem = QStringLiteral("%1 Objekte konnten nicht gegen die Fläche geprüft "
                                        "werden und bleiben liegen (%2).")
                             .arg(untested)
                             .arg(reason);
    BerechneSpiegelFedern(Shape);
    result.Laid = true;
    result.Kept = static_cast<int>(layer.size());
    return result;
}

bool Verlegen(TShape& Shape, int LayerIndex) {
    return LayShapeLayer(Shape, LayerIndex, TLayingTrigger::User).Laid;
}

void BerechneSpiegelFedern(TShape& Shape) {
    Shape.SetSpiegelFederLaenge(0);
    if (Shape.Layers().empty() || Shape.Layer(0).empty()) return;
    double a = 0; // long edges
    double b = 0; // short edges
    for (const auto& o : Shape.Layer(0)) {
        const auto* board = dynamic_cast<const TGraphPaneel*>(o.get());
        if (board == nullptr) continue;
        const Tgpc_vertex& c0 = board->P(0);
        const Tgpc_vertex& c1 = board->P(1);
        const Tgpc_vertex& c2 = board->P(2);
        const Tgpc_vertex& c3 = board->P(3);
        a += InsideLength(Shape, c0.x, c0.y, c1.x, c1.y);
        a += InsideLength(Shape, c3.x, c3.y, c2.x, c2.y);
        b += InsideLength(Shape, c0.x, c0.y, c3.x, c3.y);
        b += InsideLength(Shape, c1.x, c1.y, c2.x, c2.y);
    }
    // Every joint inside the area is shared by two boards.
    Shape.SetSpiegelFederLaenge((a + b) / 2);
}
