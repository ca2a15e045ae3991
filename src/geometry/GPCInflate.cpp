// Edge offsets: every edge line moves along its inward normal by a distance chosen per edge,
// and each vertex becomes the intersection of its two moved edge lines (a mitred offset that
// keeps the vertex count, so callers can map vertices one to one).

#include "geometry/GPCUtils.h"

#include "geometry/Vektors.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

namespace {

// The distance an edge moves, or nothing when it stays.
using TEdgeDistance = std::function<std::optional<double>(const TVektor& edge)>;

// Lines whose unit directions differ by less than this are treated as parallel: their
// intersection would be dominated by rounding (collinear vertices after a clip, say).
constexpr double kParallelSine = 1e-9;

struct TShiftedEdge {
    bool degenerate = true;
    TVektor line; // the edge's line after the shift, direction = edge direction
};

bool IsZeroLength(const Tgpc_vertex& a, const Tgpc_vertex& b) {
    return a.x == b.x && a.y == b.y;
}

double AngleDegrees(const TVektor& edge, const TVektor& Vektor) {
    return edge.Winkel(Vektor) * 180.0 / std::numbers::pi;
}

double SignedArea2(const std::vector<Tgpc_vertex>& v) {
    double sum = 0;
    const std::size_t n = v.size();
    for (std::size_t j = 0; j < n; ++j) {
        const Tgpc_vertex& a = v[j];
        const Tgpc_vertex& b = v[(j + 1) % n];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

int Orientation(const Tgpc_vertex& a, const Tgpc_vertex& b, const Tgpc_vertex& c) {
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (cross > 0) - (cross < 0);
}

bool ProperlyCross(const Tgpc_vertex& a, const Tgpc_vertex& b, const Tgpc_vertex& c,
                   const Tgpc_vertex& d) {
    return Orientation(a, b, c) * Orientation(a, b, d) < 0 &&
           Orientation(c, d, a) * Orientation(c, d, b) < 0;
}

// An offset has eaten a contour when the ring vanished or turned over, when an edge now runs
// against its original direction (a mitred offset past an edge's length turns it round, and
// a ring shrunk past its inradius comes out point-mirrored with the same orientation), or
// when its edges cross.
bool Collapsed(const std::vector<Tgpc_vertex>& in, const std::vector<Tgpc_vertex>& out) {
    const double before = SignedArea2(in);
    const double after = SignedArea2(out);
    if (after == 0 || (after > 0) != (before > 0)) return true;
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        const double dot = (in[j].x - in[i].x) * (out[j].x - out[i].x) +
                           (in[j].y - in[i].y) * (out[j].y - out[i].y);
        if (dot < 0) return true;
    }
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = i + 2; k < n; ++k) {
            if (i == 0 && k == n - 1) continue; // the closing edge is adjacent to edge 0
            if (ProperlyCross(out[i], out[i + 1], out[k], out[(k + 1) % n])) return true;
        }
    return false;
}

std::vector<Tgpc_vertex> OffsetContour(const Tgpc_polygon& polygon,
                                       const std::vector<Tgpc_vertex>& v,
                                       const Tgpc_polygon* Filter, const TEdgeDistance& distance) {
    const std::size_t n = v.size();
    // Edge i runs from P(i) to P(i + 1), the last one closes the ring.
    std::vector<TShiftedEdge> edges(n);
    bool anyEdge = false;
    for (std::size_t i = 0; i < n; ++i) {
        const Tgpc_vertex& a = v[i];
        const Tgpc_vertex& b = v[(i + 1) % n];
        if (IsZeroLength(a, b)) continue; // no direction: its neighbours decide the vertex
        TShiftedEdge& e = edges[i];
        e.degenerate = false;
        anyEdge = true;
        e.line.Create(a.x, a.y, b.x, b.y);
        const double mx = (a.x + b.x) / 2;
        const double my = (a.y + b.y) / 2;
        std::optional<double> s;
        if (Filter == nullptr || PointInGPCPolygon(*Filter, mx, my)) s = distance(e.line);
        if (!s || *s == 0) continue;
        TVektor nrm = e.line;
        nrm.Norm();
        nrm.Einheit();
        if (!PointInGPCPolygon(polygon, mx + nrm.rx, my + nrm.ry)) nrm.Turn();
        e.line.Shift(*s * nrm.rx, *s * nrm.ry);
    }
    if (!anyEdge) return v;

    std::vector<Tgpc_vertex> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t after = i;
        while (edges[after].degenerate)
            after = (after + 1) % n;
        std::size_t before = (i + n - 1) % n;
        while (edges[before].degenerate)
            before = (before + n - 1) % n;
        const TVektor& in = edges[before].line;
        const TVektor& next = edges[after].line;
        const double sine = (in.rx * next.ry - in.ry * next.rx) / (in.Betrag() * next.Betrag());
        double px = next.x;
        double py = next.y;
        if (std::abs(sine) >= kParallelSine) in.SchnittpunktGerade(next, px, py);
        out[i] = {px, py};
    }
    return out;
}

Pgpc_polygon Offset(const Tgpc_polygon& polygon, const Tgpc_polygon* Filter,
                    const TEdgeDistance& distance, bool* collapsed) {
    auto result = std::make_unique<Tgpc_polygon>();
    if (collapsed != nullptr) *collapsed = false;
    for (std::size_t i = 0; i < polygon.contour.size(); ++i) {
        const auto& in = polygon.contour[i].vertex;
        Tgpc_vertex_list c;
        c.vertex = OffsetContour(polygon, in, Filter, distance);
        if (collapsed != nullptr && !*collapsed && Collapsed(in, c.vertex)) *collapsed = true;
        result->AddContour(c, polygon.hole[i] != 0);
    }
    return result;
}

} // namespace

Pgpc_polygon GPCInflate(const Tgpc_polygon& polygon, double Size, bool* collapsed) {
    return Offset(
        polygon, nullptr, [Size](const TVektor&) { return std::optional<double>(Size); },
        collapsed);
}

Pgpc_polygon GPCInflateQuer(const Tgpc_polygon& polygon, const TVektor& Vektor,
                            const Tgpc_polygon* Filter, double Size, bool* collapsed) {
    return Offset(
        polygon, Filter,
        [&Vektor, Size](const TVektor& edge) -> std::optional<double> {
            const double w = AngleDegrees(edge, Vektor);
            if (w > 89 && w < 91) return Size;
            return std::nullopt;
        },
        collapsed);
}

Pgpc_polygon GPCInflateSchraeg(const Tgpc_polygon& polygon, const TVektor& Vektor,
                               const Tgpc_polygon* Filter, double Size, bool* collapsed) {
    return Offset(
        polygon, Filter,
        [&Vektor, Size](const TVektor& edge) -> std::optional<double> {
            const double w = AngleDegrees(edge, Vektor);
            if ((w > 5 && w < 85) || (w > 95 && w < 175)) return Size;
            return std::nullopt;
        },
        collapsed);
}

Pgpc_polygon GPCInflateRichtung(const Tgpc_polygon& polygon, const TVektor& Vektor,
                                const Tgpc_polygon* Filter, double SizeParallel, double SizeQuer,
                                double SizeSchraeg, bool* collapsed) {
    return Offset(
        polygon, Filter,
        [&Vektor, SizeParallel, SizeQuer, SizeSchraeg](const TVektor& edge) {
            const double w = AngleDegrees(edge, Vektor);
            if (w > 89 && w < 91) return std::optional<double>(SizeQuer);
            if (w >= 1 && w <= 179) return std::optional<double>(SizeSchraeg);
            return std::optional<double>(SizeParallel);
        },
        collapsed);
}
