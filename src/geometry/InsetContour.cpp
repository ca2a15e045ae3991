#include "geometry/InsetContour.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounding slack when a mitred vertex is compared with the offset distance.
constexpr double kDistanceSlack = 1e-6;
// Contours enclosing less than this (cm²) are rounding slivers of the clipper.
constexpr double kSliverArea = 1e-6;

struct TEdge {
    Tgpc_vertex a, b;
    double minX, maxX, minY, maxY;
    int contour;
    int index; // within its contour
    int count; // vertices of its contour
};

std::vector<TEdge> EdgesOf(const Tgpc_polygon& polygon) {
    std::vector<TEdge> edges;
    for (int c = 0; c < polygon.num_contours(); ++c) {
        const auto& v = polygon.contour[static_cast<size_t>(c)].vertex;
        const int n = static_cast<int>(v.size());
        for (int j = 0; j < n; ++j) {
            const Tgpc_vertex& a = v[static_cast<size_t>(j)];
            const Tgpc_vertex& b = v[static_cast<size_t>((j + 1) % n)];
            edges.push_back({a, b, std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y),
                             std::max(a.y, b.y), c, j, n});
        }
    }
    return edges;
}

int Orientation(const Tgpc_vertex& a, const Tgpc_vertex& b, const Tgpc_vertex& c) {
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (cross > 0) - (cross < 0);
}

bool ProperlyCross(const TEdge& e, const TEdge& f) {
    return Orientation(e.a, e.b, f.a) * Orientation(e.a, e.b, f.b) < 0 &&
           Orientation(f.a, f.b, e.a) * Orientation(f.a, f.b, e.b) < 0;
}

bool Adjacent(const TEdge& e, const TEdge& f) {
    if (e.contour != f.contour) return false;
    const int d = std::abs(e.index - f.index);
    return d <= 1 || d == e.count - 1;
}

// Any two edges of any contours crossing each other; swept along x.
bool AnyCrossing(const Tgpc_polygon& polygon) {
    std::vector<TEdge> edges = EdgesOf(polygon);
    std::sort(edges.begin(), edges.end(),
              [](const TEdge& p, const TEdge& q) { return p.minX < q.minX; });
    for (size_t i = 0; i < edges.size(); ++i)
        for (size_t j = i + 1; j < edges.size() && edges[j].minX <= edges[i].maxX; ++j) {
            const TEdge& e = edges[i];
            const TEdge& f = edges[j];
            if (f.maxY < e.minY || f.minY > e.maxY || Adjacent(e, f)) continue;
            if (ProperlyCross(e, f)) return true;
        }
    return false;
}

double SegmentDistance(const Tgpc_vertex& p, const TEdge& e) {
    const double ex = e.b.x - e.a.x;
    const double ey = e.b.y - e.a.y;
    const double len2 = ex * ex + ey * ey;
    double t = 0;
    if (len2 > 0) t = std::clamp(((p.x - e.a.x) * ex + (p.y - e.a.y) * ey) / len2, 0.0, 1.0);
    return std::hypot(p.x - (e.a.x + t * ex), p.y - (e.a.y + t * ey));
}

// The mitred offset is usable when no two of its edges cross and every vertex lies inside the
// area at least the offset distance from its border: then its region is the area's inside
// minus the band along the border. A hole whose offset reaches past the outer border crosses
// nothing but fails the distance test.
bool StaysInside(const Tgpc_polygon& inset, const Tgpc_polygon& area, double distance) {
    for (const auto& c : inset.contour)
        for (const Tgpc_vertex& v : c.vertex)
            if (!std::isfinite(v.x) || !std::isfinite(v.y)) return false;
    if (AnyCrossing(inset)) return false;
    const std::vector<TEdge> border = EdgesOf(area);
    for (const auto& c : inset.contour)
        for (const Tgpc_vertex& v : c.vertex) {
            if (!PointInGPCPolygon(area, v.x, v.y)) return false;
            for (const TEdge& e : border)
                if (SegmentDistance(v, e) < distance - kDistanceSlack) return false;
        }
    return true;
}

Tgpc_polygon Union(const Tgpc_polygon& a, const Tgpc_polygon& b) {
    Tgpc_polygon result;
    gpc_polygon_clip(GPC_UNION, a, b, result);
    return result;
}

// The area minus the union of one rectangle per edge, reaching the distance to both sides of
// the edge and beyond both of its ends (so it covers the disc around each vertex).
Tgpc_polygon Erode(const Tgpc_polygon& area, double distance) {
    std::vector<Tgpc_polygon> bands;
    for (const TEdge& e : EdgesOf(area)) {
        const double len = std::hypot(e.b.x - e.a.x, e.b.y - e.a.y);
        if (!(len > 0)) continue;
        const double ux = (e.b.x - e.a.x) / len * distance;
        const double uy = (e.b.y - e.a.y) / len * distance;
        Tgpc_vertex_list r;
        r.vertex = {{e.a.x - ux - uy, e.a.y - uy + ux},
                    {e.b.x + ux - uy, e.b.y + uy + ux},
                    {e.b.x + ux + uy, e.b.y + uy - ux},
                    {e.a.x - ux + uy, e.a.y - uy - ux}};
        Tgpc_polygon band;
        band.AddContour(r, false);
        bands.push_back(std::move(band));
    }
    // Pairwise, so that no clip grows with the number of edges already merged. A refused
    // clip raises EClipError: the caller has nothing safe to cut battens to.
    while (bands.size() > 1) {
        std::vector<Tgpc_polygon> merged;
        for (size_t i = 0; i + 1 < bands.size(); i += 2)
            merged.push_back(Union(bands[i], bands[i + 1]));
        if (bands.size() % 2 == 1) merged.push_back(std::move(bands.back()));
        bands = std::move(merged);
    }
    if (bands.empty()) return area;
    Tgpc_polygon result;
    gpc_polygon_clip(GPC_DIFF, area, bands.front(), result);
    return result;
}

double ContourArea(const Tgpc_vertex_list& c) {
    double sum = 0;
    const size_t n = c.vertex.size();
    for (size_t j = 0; j < n; ++j) {
        const Tgpc_vertex& a = c.vertex[j];
        const Tgpc_vertex& b = c.vertex[(j + 1) % n];
        sum += a.x * b.y - b.x * a.y;
    }
    return std::abs(sum) / 2;
}

void DropSlivers(Tgpc_polygon& polygon) {
    GPCRemoveDoubles(polygon);
    GPCDropDegenerateContours(polygon);
    for (int i = polygon.num_contours() - 1; i >= 0; --i)
        if (!(ContourArea(polygon.contour[static_cast<size_t>(i)]) >= kSliverArea))
            polygon.DeleteContour(i);
}

} // namespace

TInsetContour CreateInsetContour(const Tgpc_polygon& Area, double Distance) {
    TInsetContour inset;
    if (Area.num_contours() == 0) return inset;
    bool collapsed = false;
    Pgpc_polygon mitred = GPCInflate(Area, Distance, &collapsed);
    DropSlivers(*mitred);
    if (!collapsed && StaysInside(*mitred, Area, Distance)) {
        inset.Polygon = std::move(*mitred);
    } else {
        inset.Polygon = Erode(Area, Distance);
        inset.Repaired = true;
        DropSlivers(inset.Polygon);
    }
    for (const auto& c : inset.Polygon.contour) {
        const size_t n = c.vertex.size();
        for (size_t j = 0; j < n; ++j) {
            const Tgpc_vertex& a = c.vertex[j];
            const Tgpc_vertex& b = c.vertex[(j + 1) % n];
            inset.Edges.emplace_back(a.x, a.y, b.x, b.y);
        }
    }
    return inset;
}
