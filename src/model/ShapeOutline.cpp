// The laying area's outline: vertex editing, the derived edge list and totals, the validity
// test, hit tests and the drawing cache.

#include "model/Shapes.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// Outline editing

void TShape::SetOutline(std::vector<Tgpc_vertex> Vertices) {
    MutableOutline().vertex = std::move(Vertices);
}

void TShape::AddVertex(const Tgpc_vertex& Item) {
    GPCAddVertex(MutableOutline(), Item);
}

void TShape::InsertVertex(int Index, const Tgpc_vertex& Item) {
    auto& v = MutableOutline().vertex;
    if (Index < 0 || Index > VertexCount())
        throw EShapeError("InsertVertex gpc_contur Index Fehler");
    v.insert(v.begin() + Index, Item);
}

void TShape::DeleteVertex(int Index) {
    auto& v = MutableOutline().vertex;
    if (Index < 0 || Index >= VertexCount())
        throw EShapeError("DeleteVertex gpc_contur Index Fehler");
    v.erase(v.begin() + Index);
}

bool TShape::QueryClosePoly(double& px, double& py, bool Insert, double MaxAbstand) const {
    const auto& v = Outline().vertex;
    if (v.size() < 2) return false;
    // Inserting grows the outline at its front, so the click closes it at the other end.
    const Tgpc_vertex& ref = Insert ? v.back() : v.front();
    if (!(std::fabs(px - ref.x) < MaxAbstand && std::fabs(py - ref.y) < MaxAbstand)) return false;
    px = ref.x;
    py = ref.y;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Derived data

void TShape::CopyF2Vpolygon() {
    fVPolygon->Clear();
    fVPolygon->AddContour(Outline(), false);
}

void TShape::DiscardEffectiveOutline() {
    DeleteVerlattung();
    fVPolygon->Clear();
}

bool TShape::CutEffectiveOutline(const Tgpc_polygon& Above, QString* Error) {
    bool cut = true;
    try {
        gpc_polygon_clip(GPC_DIFF, *FPolygon, Above, *fVPolygon);
    } catch (const EClipError& e) {
        CopyF2Vpolygon();
        cut = false;
        if (Error) *Error = QString::fromUtf8(e.what());
    }
    GPCRemoveDoubles(*fVPolygon);
    GPCDropDegenerateContours(*fVPolygon);
    return cut;
}

void TShape::CreateV_VectorList() {
    fVFrame.clear();
    for (const auto& c : fVPolygon->contour) {
        const auto& v = c.vertex;
        const std::size_t n = v.size();
        // Each edge starts at its own vertex and points at the next one, so its end meets the
        // next start as closely as doubles allow (the crossing parity depends on it).
        for (std::size_t i = 0; i + 1 < n; ++i)
            fVFrame.emplace_back(v[i].x, v[i].y, v[i + 1].x, v[i + 1].y);
        if (fClosed && n >= 2) fVFrame.emplace_back(v[n - 1].x, v[n - 1].y, v[0].x, v[0].y);
    }
}

void TShape::BerechneUmfang() {
    double sum = 0;
    for (const TVektor& e : fVFrame)
        sum += e.Betrag();
    fUmfang = sum / 100;
}

void TShape::BerechneFlaeche() {
    fFlaeche = GPCPolygonFlaeche(*fVPolygon);
}

void TShape::BerechneSchwerpunkt() {
    // Without area (no contours, or an outline that encloses nothing) the weights sum to zero;
    // the kernel then answers the centre of the bounding box, or (0, 0) for no vertices at
    // all, which keeps the centroid finite and near the outline.
    GPCPolygonSchwerpunkt(*fVPolygon, fSchwerpunkt);
}

void TShape::SetVektorFlags(std::int32_t ANDMask, std::int32_t ORMask) {
    for (TVektor& e : fVFrame)
        e.Flags = (e.Flags & ANDMask) | ORMask;
}

// ---------------------------------------------------------------------------------------------
// Validity

// Two edges meet anywhere but at the start of one of them (neighbours share a start).
static bool EdgesCross(const std::vector<TVektor>& edges) {
    constexpr double kTolerance = 0.001;
    const auto near = [](double px, double py, const TVektor& e) {
        return std::fabs(px - e.x) < kTolerance && std::fabs(py - e.y) < kTolerance;
    };
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            double px = 0;
            double py = 0;
            if (!edges[i].SchnittpunktStrecke(edges[j], px, py)) continue;
            if (near(px, py, edges[j]) || near(px, py, edges[i])) continue;
            return true;
        }
    return false;
}

// Two edges lying on one line and sharing a piece of positive length: the outline folds back
// on itself or runs along itself. The crossing test cannot see this (parallel edges never
// meet there). Zero-length edges have no line and are passed over.
static bool EdgesOverlap(const std::vector<TVektor>& edges) {
    constexpr double kSine = 1e-9;     // directions closer than this are parallel
    constexpr double kDistance = 1e-6; // model units off the line that still count as on it
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const TVektor& a = edges[i];
        const double la = a.Betrag();
        if (la == 0) continue;
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            const TVektor& b = edges[j];
            const double lb = b.Betrag();
            if (lb == 0) continue;
            if (std::fabs(a.rx * b.ry - a.ry * b.rx) > kSine * la * lb) continue;
            if (a.Abstand(b.x, b.y) > kDistance || a.Abstand(b.EndX(), b.EndY()) > kDistance)
                continue;
            // Positions of b's ends along a, in units of a's length.
            const double t0 = ((b.x - a.x) * a.rx + (b.y - a.y) * a.ry) / (la * la);
            const double t1 = ((b.EndX() - a.x) * a.rx + (b.EndY() - a.y) * a.ry) / (la * la);
            const double shared = std::min(1.0, std::max(t0, t1)) - std::max(0.0, std::min(t0, t1));
            if (shared * la > kDistance) return true;
        }
    }
    return false;
}

static int DistinctVertexCount(const Tgpc_vertex_list& c) {
    std::vector<Tgpc_vertex> v = c.vertex;
    std::sort(v.begin(), v.end(), [](const Tgpc_vertex& a, const Tgpc_vertex& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    return static_cast<int>(std::unique(v.begin(), v.end()) - v.begin());
}

// Shoelace area in model units squared, signed by orientation.
static double SignedArea(const Tgpc_vertex_list& c) {
    const auto& v = c.vertex;
    const std::size_t n = v.size();
    double sum = 0;
    for (std::size_t j = 0; j < n; ++j)
        sum += v[j].x * v[(j + 1) % n].y - v[(j + 1) % n].x * v[j].y;
    return sum / 2;
}

// Checks the edge list, which always mirrors the effective outline (right after the outline
// has been derived from the drawn one, that is the drawn outline itself):
// - vrSelfCrossing when two edges meet other than at an edge start (the pair rule below);
// - vrDegenerate when two edges overlap along a line, and, for a closed area, when it has no
//   contour or a contour with fewer than 3 distinct vertices or without area; such an area
//   would later divide by its area or by zero edge lengths. Non-finite coordinates count as
//   degenerate too.
// An open area being drawn is only checked for crossings and overlaps, so that its first
// vertices pass. The crossing test runs first: a crossed quadrilateral has zero signed area.
int TShape::Validate() const {
    // NaN fails every comparison below and would pass as a sound outline.
    for (const TVektor& e : fVFrame)
        if (!std::isfinite(e.x) || !std::isfinite(e.y) || !std::isfinite(e.rx) ||
            !std::isfinite(e.ry))
            return vrDegenerate;
    if (EdgesCross(fVFrame)) return vrSelfCrossing;
    if (EdgesOverlap(fVFrame)) return vrDegenerate;
    if (!fClosed) return vrOk;
    constexpr double kMinArea = 1e-9; // cm²
    if (fVPolygon->num_contours() == 0) return vrDegenerate;
    for (const auto& c : fVPolygon->contour)
        if (DistinctVertexCount(c) < 3 || std::fabs(SignedArea(c)) < kMinArea) return vrDegenerate;
    return vrOk;
}

// ---------------------------------------------------------------------------------------------
// Geometry and hit tests

void TShape::GetExtent(double& x1, double& y1, double& x2, double& y2) const {
    GPCPolygonExtent(*fVPolygon, x1, y1, x2, y2);
}

TIntRect TShape::GetExtentRect() const {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    GetExtent(x1, y1, x2, y2);
    return {RoundTiesEvenToInt(x1), RoundTiesEvenToInt(y1), RoundTiesEvenToInt(x2),
            RoundTiesEvenToInt(y2)};
}

bool TShape::PointInObject(double px, double py) const {
    if (!fClosed) return false;
    // Half-open in y: an edge includes its end with the smaller y, so a ray through a vertex
    // counts once where the outline crosses it; horizontal edges never count.
    bool inside = false;
    for (const TVektor& e : fVFrame) {
        const double x0 = e.x;
        const double y0 = e.y;
        const double x1 = e.x + e.rx;
        const double y1 = e.y + e.ry;
        bool counts = false;
        if (y0 <= py && py < y1)
            counts = ((x0 - px) * e.ry - (y0 - py) * e.rx) / e.ry > 0;
        else if (y1 <= py && py < y0)
            counts = ((x1 - px) * e.ry - (y1 - py) * e.rx) / e.ry > 0;
        if (counts) inside = !inside;
    }
    return inside;
}

// Edge b of the drawn outline, from vertex b to the next one (the last closes the ring).
static bool OutlineEdge(const Tgpc_vertex_list& c, int b, TVektor& edge) {
    const int n = c.num_vertices();
    if (b < 0 || b >= n) return false;
    const Tgpc_vertex& p = c.vertex[static_cast<std::size_t>(b)];
    const Tgpc_vertex& q = c.vertex[static_cast<std::size_t>((b + 1) % n)];
    edge.Create(p.x, p.y, q.x, q.y);
    return true;
}

bool TShape::Schnittpunkt(const TVektor& v, int b, double& px, double& py) const {
    TVektor edge;
    if (!OutlineEdge(Outline(), b, edge)) return false;
    return edge.Schnittpunkt(v, px, py);
}

bool TShape::SchnittpunktFree(const TVektor& a, int b, double& x, double& y) const {
    TVektor edge;
    if (!OutlineEdge(Outline(), b, edge)) return false;
    // The point is written on the line of the second vector: edge b's.
    return a.SchnittpunktGerade(edge, x, y);
}

// The edge nearest to (x, y) among those the perpendicular from the point meets, strictly
// closer than `best` (which it lowers); the earlier one wins a tie. Zero-length edges have no
// perpendicular.
static const TVektor* NearestEdge(const std::vector<TVektor>& edges, double x, double y,
                                  double& best) {
    const TVektor* found = nullptr;
    for (const TVektor& e : edges) {
        if (e.rx == 0 && e.ry == 0) continue;
        // Turned by Norm the perpendicular crosses every edge the same way round, so a foot
        // exactly at a vertex belongs to the edge starting there.
        TVektor perpendicular(x, y, x + e.rx, y + e.ry);
        perpendicular.Norm();
        double fx = 0;
        double fy = 0;
        if (!e.Schnittpunkt(perpendicular, fx, fy)) continue;
        const double d = e.Abstand(x, y);
        if (d < best) {
            best = d;
            found = &e;
        }
    }
    return found;
}

const TVektor* TShape::VektorFromPoint(double x, double y, double MaxAbstand) const {
    if (!fClosed || !PointInObject(x, y)) return nullptr;
    double best = MaxAbstand;
    return NearestEdge(fVFrame, x, y, best);
}

const TVektor* TShape::LatteFromPoint(double x, double y, double MaxAbstand) const {
    if (!fClosed) return nullptr;
    double best = MaxAbstand;
    const TVektor* found = nullptr;
    for (const TVektorGruppe& g : fVerlattungColl)
        if (const TVektor* e = NearestEdge(g.Vektoren, x, y, best)) found = e;
    return found;
}

// ---------------------------------------------------------------------------------------------
// Drawing cache

static int ToLogical(double value) {
    const double r = RoundTiesEven(value);
    if (!(r > INT_MIN)) return INT_MIN; // NaN lands here too; outlines are validated finite
    if (r > INT_MAX) return INT_MAX;
    return static_cast<int>(r);
}

void TShape::UpdateClipRgn() {
    fPolygonCount = 0;
    fPolyPointCount.clear();
    fPolyPoints.clear();
    fClipPath = QPainterPath();
    if (!fClosed) return;

    fPolygonCount = fVPolygon->num_contours();
    fClipPath.setFillRule(Qt::OddEvenFill); // holes lie outside the clip
    for (const auto& c : fVPolygon->contour) {
        fPolyPointCount.push_back(c.num_vertices());
        const std::size_t first = fPolyPoints.size();
        for (const auto& v : c.vertex)
            fPolyPoints.emplace_back(ToLogical(v.x), ToLogical(v.y));
        if (c.vertex.empty()) continue;
        fClipPath.moveTo(fPolyPoints[first]);
        for (std::size_t i = first + 1; i < fPolyPoints.size(); ++i)
            fClipPath.lineTo(fPolyPoints[i]);
        fClipPath.closeSubpath();
    }
}
