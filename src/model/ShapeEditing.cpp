// Editing the drawn outline of a laying area: grab-handle drags and edge offsets. Every edit
// is computed on a copy and only written back when the result is a sound outline, so a
// refused edit leaves the outline exactly as it was.

#include "model/Shapes.h"

#include "platform/Numbers.h"

#include <cmath>
#include <numbers>

using TVertices = std::vector<Tgpc_vertex>;

// Directions whose sine is below this meet so far away that rounding decides the point;
// such lines count as parallel.
static constexpr double kParallelSine = 1e-9;

static std::size_t Prev(std::size_t i, std::size_t n) {
    return (i + n - 1) % n;
}

static std::size_t Next(std::size_t i, std::size_t n) {
    return (i + 1) % n;
}

// Index of the nearest vertex before (step = -1) or after (step = +1) vertex k that lies
// elsewhere: the far end of the edge at k once zero-length edges are skipped. Returns k when
// every vertex coincides with it.
static std::size_t DistinctNeighbour(const TVertices& v, std::size_t k, int step) {
    const std::size_t n = v.size();
    std::size_t i = k;
    for (std::size_t count = 1; count < n; ++count) {
        i = step < 0 ? Prev(i, n) : Next(i, n);
        if (!(v[i] == v[k])) return i;
    }
    return k;
}

// Where the line `moved` meets the line through `from` and `to`; false when they are
// (nearly) parallel.
static bool MeetLine(const TVektor& moved, const Tgpc_vertex& from, const Tgpc_vertex& to,
                     Tgpc_vertex& point) {
    const TVektor line(from.x, from.y, to.x, to.y);
    const double sine =
        (moved.rx * line.ry - moved.ry * line.rx) / (moved.Betrag() * line.Betrag());
    if (!(std::fabs(sine) >= kParallelSine)) return false;
    return moved.SchnittpunktGerade(line, point.x, point.y);
}

// Moves the edge from vertex k to k + 1 by the normal component of (dx, dy); each of its
// vertices slides along its other edge's line to the moved line. A neighbour collinear with
// the dragged edge gives no intersection: that vertex moves by the shift itself, so the side
// still moves parallel. Vertices coinciding with an end (zero-length edges) go along with it.
static bool DragEdge(TVertices& v, std::size_t k, double dx, double dy) {
    const std::size_t n = v.size();
    const std::size_t k1 = Next(k, n);
    const Tgpc_vertex p = v[k];
    const Tgpc_vertex q = v[k1];
    if (p == q) return false; // no direction, no normal
    const TVektor edge(p.x, p.y, q.x, q.y);
    TVektor normal = edge;
    normal.Norm();
    normal.Einheit();
    const double d = dx * normal.rx + dy * normal.ry;
    if (d == 0) return false;
    const double sx = d * normal.rx;
    const double sy = d * normal.ry;
    TVektor moved = edge;
    moved.Shift(sx, sy);

    const std::size_t before = DistinctNeighbour(v, k, -1);
    const std::size_t after = DistinctNeighbour(v, k1, +1);
    // Start from the shifted ends: what stays where the lines are parallel.
    Tgpc_vertex newP{p.x + sx, p.y + sy};
    Tgpc_vertex newQ{q.x + sx, q.y + sy};
    if (before != k) MeetLine(moved, v[before], p, newP);
    if (after != k1) MeetLine(moved, q, v[after], newQ);

    for (std::size_t i = k; v[i] == p && i != before; i = Prev(i, n))
        v[i] = newP;
    for (std::size_t i = k1; v[i] == q && i != after; i = Next(i, n))
        v[i] = newQ;
    return true;
}

// Slides vertex k along one of its two edges: the one chosen on the first move of the drag
// (the edge the movement follows more closely) is kept until the editor resets the axis.
static bool DragVertex(TVertices& v, std::size_t k, double dx, double dy, int& axis) {
    // A move of nothing tells nothing about the intended edge; choosing on it would fix the
    // axis at random.
    if (dx == 0 && dy == 0) return false;
    const std::size_t before = DistinctNeighbour(v, k, -1);
    const std::size_t after = DistinctNeighbour(v, k, +1);
    if (before == k) return false;
    TVektor u1(v[before].x, v[before].y, v[k].x, v[k].y);
    TVektor u2(v[k].x, v[k].y, v[after].x, v[after].y);
    u1.Einheit();
    u2.Einheit();
    const double s1 = dx * u1.rx + dy * u1.ry;
    const double s2 = dx * u2.rx + dy * u2.ry;
    if (axis == 0) axis = std::fabs(s2) < std::fabs(s1) ? 1 : 2;
    if (axis == 1) {
        v[k].x += s1 * u1.rx;
        v[k].y += s1 * u1.ry;
    } else {
        v[k].x += s2 * u2.rx;
        v[k].y += s2 * u2.ry;
    }
    return true;
}

static bool AllFinite(const TVertices& v) {
    for (const Tgpc_vertex& p : v)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

// What adding the outline as an area would answer: the same validity rule, on the outline
// itself rather than on this area's (possibly cut) effective outline.
static bool ValidOutline(const TVertices& v) {
    if (!AllFinite(v)) return false;
    TShape probe;
    probe.SetOutline(v);
    probe.SetClosed(true);
    probe.CopyF2Vpolygon();
    probe.CreateV_VectorList();
    return probe.Validate() == vrOk;
}

// The normalising clip against a unit square far outside any plan: a simple outline comes back
// as one contour with all its distinct vertices (collinear ones included); a crossing,
// folding or vanishing one does not. Only used as a check: its output may start elsewhere or
// run the other way round, which would renumber the handles in the middle of a drag.
static bool SurvivesClip(const TVertices& v) {
    Tgpc_polygon subject;
    Tgpc_vertex_list ring;
    ring.vertex = v;
    subject.AddContour(ring, false);
    Tgpc_polygon square;
    Tgpc_vertex_list far;
    far.vertex = {{100000, 100000}, {100001, 100000}, {100001, 100001}, {100000, 100001}};
    square.AddContour(far, false);
    Tgpc_polygon result;
    try {
        gpc_polygon_clip(GPC_DIFF, subject, square, result);
    } catch (const EClipError&) {
        return false;
    }
    GPCRemoveDoubles(subject); // repeated vertices are one corner to the clipper
    return result.num_contours() == 1 &&
           result.contour[0].num_vertices() == subject.contour[0].num_vertices();
}

// Twice the shoelace area, signed by the ring's orientation.
static double SignedArea2(const TVertices& v) {
    const std::size_t n = v.size();
    double sum = 0;
    for (std::size_t j = 0; j < n; ++j)
        sum += v[j].x * v[Next(j, n)].y - v[Next(j, n)].x * v[j].y;
    return sum;
}

void TShape::Transform(int HitIndex, double dx, double dy, TDragState& Drag) {
    const int n = VertexCount();
    if (n < 3) return;
    TVertices edited = Outline().vertex;
    bool changed = false;
    if (HitIndex >= 1000) {
        if (HitIndex - 1000 < n)
            changed = DragVertex(edited, static_cast<std::size_t>(HitIndex - 1000), dx, dy,
                                 Drag.VertexAxis);
    } else if (HitIndex >= 1 && HitIndex <= n) {
        changed = DragEdge(edited, static_cast<std::size_t>(HitIndex - 1), dx, dy);
    }
    if (!changed || !ValidOutline(edited) || !SurvivesClip(edited)) return;
    // A side dragged through the opposite one (a rectangle's, say) leaves a simple outline
    // turned inside out; on the way it passed through zero area, so it is a fold as well.
    if ((SignedArea2(edited) > 0) != (SignedArea2(Outline().vertex) > 0)) return;
    MutableOutline().vertex = std::move(edited);
}

bool TShape::Inflate(double Size) {
    // The drawn outline is offset, so its own edge count decides (a ring of n vertices has n).
    if (!fClosed || VertexCount() <= 2) return false;
    bool collapsed = false;
    const Pgpc_polygon result = GPCInflate(*FPolygon, Size, &collapsed);
    if (collapsed || result->num_contours() != 1) return false;
    const TVertices& v = result->contour[0].vertex;
    if (!ValidOutline(v)) return false;
    MutableOutline().vertex = v;
    CopyF2Vpolygon();
    CreateV_VectorList();
    return true;
}

// The resize cursor across an edge: from its normal's direction modulo 180 degrees, in four
// sectors of 45 degrees. (Taken from the edge's unsigned angle to +x instead, an edge going
// right-down and one going right-up would share a cursor although they are dragged along
// different diagonals.) y points down, so a normal at +45 degrees points right-down.
static THandleCursor EdgeCursor(const TVektor& edge) {
    TVektor normal = edge;
    normal.Norm();
    double phi = std::atan2(normal.ry, normal.rx);
    if (phi < 0) phi += std::numbers::pi;
    const int sector = static_cast<int>(RoundTiesEven(phi / (std::numbers::pi / 4))) % 4;
    switch (sector) {
    case 0:
        return THandleCursor::SizeWE;
    case 1:
        return THandleCursor::SizeNWSE;
    case 2:
        return THandleCursor::SizeNS;
    default:
        return THandleCursor::SizeNESW;
    }
}

void TShape::GetGrabHandles(std::vector<TGrabHandleInfo>& List) {
    // A laid area keeps its outline: its boards were placed for it.
    const TVektor& r = fVerlegeRichtung;
    if (r.x != 0 || r.y != 0 || r.rx != 0 || r.ry != 0) return;
    const auto& v = Outline().vertex;
    const std::size_t n = v.size();
    if (n < 3) return;
    for (std::size_t i = 0; i < n; ++i) {
        const Tgpc_vertex& p = v[i];
        const Tgpc_vertex& q = v[Next(i, n)];
        if (p == q) continue; // nothing to drag across
        TGrabHandleInfo h;
        h.x = RoundTiesEvenToInt((p.x + q.x) / 2);
        h.y = RoundTiesEvenToInt((p.y + q.y) / 2);
        h.HitIndex = static_cast<int>(i) + 1;
        h.Cursor = EdgeCursor(TVektor(p.x, p.y, q.x, q.y));
        h.Target = this;
        List.push_back(h);
    }
}
