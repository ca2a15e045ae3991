#include "substructure/Connectors.h"

#include "catalogue/Products.h"
#include "geometry/GPCUtils.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace {

// Battens are lengthened by this at both ends, so that one ending on another meets it.
constexpr double kLengthening = 0.1;
// Two battens meet at a right angle between these bounds (degrees, exclusive).
constexpr double kCrossMin = 88, kCrossMax = 92;
// Closer to parallel than this (degrees) they do not meet.
constexpr double kParallel = 2;
// A meeting point at least this far from every batten end is a true crossing.
const double kEndDistance = std::numbers::sqrt2;
// A connector within this distance in x and y stands for any other placed there.
constexpr double kSamePlace = 1;
// A joint is needed where the batten is longer than the sold length by more than this.
constexpr double kJointSlack = 1;
// The count of joints steps on by the sold length plus this.
constexpr double kJointStep = 3;
// Bound on the joints of one batten, far above any real one (a 100 m batten of 1 m stock).
constexpr int kMaxJoints = 10000;
// Trimmed pieces no longer than this are dropped.
constexpr double kMinTrimmedLength = 1e-6;

TVektor Lengthened(const TVektor& v) {
    const double len = v.Betrag();
    if (!(len > 0)) return v;
    const double ex = v.rx / len * kLengthening, ey = v.ry / len * kLengthening;
    TVektor w = v;
    w.x -= ex;
    w.y -= ey;
    w.rx += 2 * ex;
    w.ry += 2 * ey;
    return w;
}

struct TBatten {
    TVektor Line;            // as laid
    TVektor Long;            // lengthened
    const TProduct* Article; // null when not in the catalogue
    double x1, x2, y1, y2;   // box of Long
};

// The connectors placed so far, found by the 1 cm cells around a point.
class TPlacedConnectors {
public:
    bool Near(double x, double y) const {
        const auto cx = Cell(x), cy = Cell(y);
        for (std::int64_t i = cx - 1; i <= cx + 1; ++i)
            for (std::int64_t j = cy - 1; j <= cy + 1; ++j) {
                const auto it = fCells.find(Key(i, j));
                if (it == fCells.end()) continue;
                for (const auto& [px, py] : it->second)
                    if (std::abs(px - x) < kSamePlace && std::abs(py - y) < kSamePlace) return true;
            }
        return false;
    }
    void Add(double x, double y) { fCells[Key(Cell(x), Cell(y))].emplace_back(x, y); }

private:
    static std::int64_t Cell(double v) {
        // Coordinates beyond any plan fall into the outermost cells: still correct, only slower.
        return static_cast<std::int64_t>(std::floor(std::clamp(v, -1e15, 1e15) / kSamePlace));
    }
    static std::uint64_t Key(std::int64_t i, std::int64_t j) {
        return static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ull ^
               static_cast<std::uint64_t>(j);
    }
    std::unordered_map<std::uint64_t, std::vector<std::pair<double, double>>> fCells;
};

const TProduct* Find(const TCatalogue& Catalogue, const QString& Number) {
    return Number.isEmpty() ? nullptr : Catalogue.FindProduct(Number);
}

bool FarFromEnds(const TBatten& v, const TBatten& w, double px, double py) {
    for (const TVektor* b : {&v.Line, &w.Line})
        if (std::hypot(px - b->x, py - b->y) < kEndDistance ||
            std::hypot(px - b->EndX(), py - b->EndY()) < kEndDistance)
            return false;
    return true;
}

void PlaceCrossing(TShape& Shape, const TCatalogue& Catalogue, const TBatten& v, const TBatten& w,
                   TPlacedConnectors& Placed) {
    const double angle = v.Line.Winkel(w.Line) * 180 / std::numbers::pi;
    if (angle < kParallel || angle > 180 - kParallel) return;
    double px = 0, py = 0, f1 = 0, f2 = 0;
    // The parity-keeping rule: a batten through the joint of two others meets one of them.
    if (!v.Long.SchnittpunktLock(w.Long, px, py, f1, f2)) return;
    const TProduct* connector =
        Find(Catalogue, angle > kCrossMin && angle < kCrossMax ? v.Article->Kreuzverbinder.Text()
                                                               : v.Article->Winkelverbinder.Text());
    if (connector == nullptr) return;
    const QString number = connector->ArtikelNr.Text();
    Shape.EnsureUKVerbinder(number);
    if (Placed.Near(px, py)) return;
    TVektor point(px, py, 1, 1);
    point.Flags = FarFromEnds(v, w, px, py) ? 2 : 1;
    Shape.AddUKVerbinderPoint(number, point);
    Placed.Add(px, py);
}

// The longest sold length the batten may be cut from: its article and the articles of its
// group that may stand in for it.
double SoldLength(const TProduct& Article) {
    double length = Article.VLaenge;
    if (Article.ProductGroup != nullptr)
        for (const auto& other : Article.ProductGroup->Products.Items())
            if (Article.IsCompatible(other.get())) length = std::max(length, other->VLaenge);
    return length;
}

void PlaceJoints(TShape& Shape, const TCatalogue& Catalogue, const TBatten& v) {
    const TProduct* connector = Find(Catalogue, v.Article->Laengsverbinder.Text());
    if (connector == nullptr) return;
    const QString number = connector->ArtikelNr.Text();
    Shape.EnsureUKVerbinder(number);
    const double stock = SoldLength(*v.Article);
    const double length = v.Line.Betrag();
    if (!(stock > 0) || !std::isfinite(stock) || !std::isfinite(length)) return;
    int joints = 0;
    // The rest shrinks by more than 3 each time: the count ends for every length.
    for (double rest = length; rest - stock > kJointSlack && joints < kMaxJoints;
         rest -= stock + kJointStep)
        ++joints;
    const double ux = v.Line.rx / length, uy = v.Line.ry / length;
    for (int k = 1; k <= joints; ++k) {
        TVektor point(v.Line.x + k * stock * ux, v.Line.y + k * stock * uy, 0, 0);
        point.rx = ux;
        point.ry = uy;
        point.Flags = kLaengsVerbinderFlags;
        Shape.AddUKVerbinderPoint(number, point);
    }
}

} // namespace

void UKVerbinder(TShape& Shape, const TCatalogue& Catalogue) {
    Shape.DeleteUKVerbinder();
    std::vector<TBatten> battens;
    for (const TVektorGruppe& group : Shape.VerlattungColl()) {
        const TProduct* article = Find(Catalogue, group.ArtikelNr);
        for (const TVektor& v : group.Vektoren) {
            const TVektor l = Lengthened(v);
            battens.push_back({v, l, article, std::min(l.x, l.EndX()), std::max(l.x, l.EndX()),
                               std::min(l.y, l.EndY()), std::max(l.y, l.EndY())});
        }
    }

    // Every pair is looked at once, in the order of the battens; only pairs whose boxes touch
    // can meet, so they are found by a sweep along x instead of trying all pairs.
    std::vector<size_t> byX(battens.size());
    for (size_t i = 0; i < byX.size(); ++i)
        byX[i] = i;
    std::sort(byX.begin(), byX.end(),
              [&](size_t a, size_t b) { return battens[a].x1 < battens[b].x1; });
    std::vector<std::vector<size_t>> later(battens.size());
    for (size_t a = 0; a < byX.size(); ++a)
        for (size_t b = a + 1; b < byX.size() && battens[byX[b]].x1 <= battens[byX[a]].x2; ++b) {
            const size_t i = std::min(byX[a], byX[b]), j = std::max(byX[a], byX[b]);
            if (battens[j].y1 <= battens[i].y2 && battens[i].y1 <= battens[j].y2)
                later[i].push_back(j);
        }

    TPlacedConnectors placed;
    for (size_t i = 0; i < battens.size(); ++i) {
        const TBatten& v = battens[i];
        if (v.Article == nullptr) continue;
        std::sort(later[i].begin(), later[i].end());
        for (size_t j : later[i])
            PlaceCrossing(Shape, Catalogue, v, battens[j], placed);
        PlaceJoints(Shape, Catalogue, v);
    }
}

void UKVerbinderPlan(TPlanDocument& Plan, const TCatalogue& Catalogue) {
    for (auto& shape : Plan.ShapeList)
        UKVerbinder(*shape, Catalogue);
}

void UKCutLatten(TShape& Shape) {
    TVektorColl trimmed;
    for (const TVektorGruppe& group : Shape.VerlattungColl()) {
        TVektorGruppe kept{group.ArtikelNr, {}};
        for (const TVektor& batten : group.Vektoren)
            for (const TVektor& part :
                 GPCSegmentInside(Shape.VPolygon(), batten, kMinTrimmedLength))
                kept.Vektoren.push_back(part);
        trimmed.push_back(std::move(kept));
    }
    Shape.SetVerlattungColl(std::move(trimmed));
    Shape.SumVerlattung();
}
