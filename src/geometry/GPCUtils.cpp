#include "geometry/GPCUtils.h"

#include "geometry/Vektors.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

static_assert(sizeof(Tgpc_vertex) == 2 * sizeof(double),
              "duplicate removal compares vertices byte for byte");

void Tgpc_polygon::AddContour(const Tgpc_vertex_list& c, bool isHole) {
    contour.push_back(c);
    hole.push_back(isHole ? 1 : 0);
}

void Tgpc_polygon::DeleteContour(int index) {
    if (index < 0 || index >= num_contours())
        throw std::out_of_range("Tgpc_polygon::DeleteContour: index out of range");
    contour.erase(contour.begin() + index);
    hole.erase(hole.begin() + index);
}

void Tgpc_polygon::Clear() {
    contour.clear();
    hole.clear();
}

void gpc_add_contour(Tgpc_polygon& polygon, const Tgpc_vertex_list& contour, int hole) {
    polygon.AddContour(contour, hole != 0);
}

void gpc_free_polygon(Tgpc_polygon& polygon) {
    polygon.Clear();
}

Pgpc_polygon NewGPCPolygon(int n, const int* counts) {
    auto polygon = std::make_unique<Tgpc_polygon>();
    InitGPCPolygon(*polygon, n, counts);
    return polygon;
}

void InitGPCPolygon(Tgpc_polygon& polygon, int n, const int* counts) {
    if (n < 0) throw std::invalid_argument("InitGPCPolygon: negative contour count");
    if (n > 0 && counts == nullptr) throw std::invalid_argument("InitGPCPolygon: no counts");
    for (int i = 0; i < n; ++i)
        if (counts[i] < 0) throw std::invalid_argument("InitGPCPolygon: negative vertex count");
    polygon.Clear();
    for (int i = 0; i < n; ++i) {
        Tgpc_vertex_list c;
        c.vertex.resize(static_cast<std::size_t>(counts[i]));
        polygon.AddContour(c, false);
    }
}

void FreeGPCPolygon(Pgpc_polygon& p) {
    if (!p) return;
    gpc_free_polygon(*p);
    p.reset();
}

void GPCAddVertex(Tgpc_vertex_list& contour, const Tgpc_vertex& vertex) {
    contour.vertex.push_back(vertex);
}

void GPCPolygonExtent(const Tgpc_polygon& polygon, double& x1, double& y1, double& x2, double& y2) {
    bool any = false;
    for (const auto& c : polygon.contour)
        for (const auto& v : c.vertex) {
            if (!any) {
                // Seeding from a vertex rather than +-1e6 keeps far-away polygons right.
                x1 = x2 = v.x;
                y1 = y2 = v.y;
                any = true;
                continue;
            }
            x1 = std::min(x1, v.x);
            y1 = std::min(y1, v.y);
            x2 = std::max(x2, v.x);
            y2 = std::max(y2, v.y);
        }
    if (!any) {
        x1 = y1 = 1000000;
        x2 = y2 = -1000000;
    }
}

void GPCPolygonMove(Tgpc_polygon& polygon, double dx, double dy) {
    for (auto& c : polygon.contour)
        for (auto& v : c.vertex) {
            v.x += dx;
            v.y += dy;
        }
}

void GPCPolygonRotate(Tgpc_polygon& polygon, const TROTMatrix& ROTMatrix) {
    for (auto& c : polygon.contour)
        for (auto& v : c.vertex)
            ROTMatrix.Map(v.x, v.y);
}

static bool BitIdentical(const Tgpc_vertex& a, const Tgpc_vertex& b) {
    // Deliberately not ==: -0.0 and 0.0 are different vertices here, NaN equals itself.
    return std::memcmp(&a, &b, sizeof(Tgpc_vertex)) == 0;
}

void GPCRemoveDoubles(Tgpc_polygon& polygon) {
    for (auto& c : polygon.contour) {
        auto& v = c.vertex;
        v.erase(std::unique(v.begin(), v.end(), BitIdentical), v.end());
        // A single remaining vertex is its own first: the contour ends up empty.
        if (!v.empty() && BitIdentical(v.back(), v.front())) v.pop_back();
        if (v.empty()) v.shrink_to_fit();
    }
}

void GPCDropDegenerateContours(Tgpc_polygon& polygon) {
    for (int i = polygon.num_contours() - 1; i >= 0; --i)
        if (polygon.contour[static_cast<std::size_t>(i)].num_vertices() < 3)
            polygon.DeleteContour(i);
}

bool GPCPolygonsInterfere(const Tgpc_polygon& a, const Tgpc_polygon& b) {
    Tgpc_polygon result;
    gpc_polygon_clip(GPC_INT, a, b, result);
    return result.num_contours() >= 1;
}

std::vector<std::pair<double, double>> GPCSegmentInsideRuns(const Tgpc_polygon& polygon,
                                                            const TVektor& segment) {
    std::vector<double> cuts = {0, 1};
    for (const auto& c : polygon.contour) {
        const auto& v = c.vertex;
        const std::size_t n = v.size();
        for (std::size_t i = 0; i < n; ++i) {
            const TVektor edge(v[i].x, v[i].y, v[(i + 1) % n].x, v[(i + 1) % n].y);
            double px = 0, py = 0, f1 = 0, f2 = 0;
            if (segment.SchnittpunktLock(edge, px, py, f1, f2) && f1 > 0 && f1 < 1)
                cuts.push_back(f1);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> runs;
    double from = -1; // start of the inside run being collected
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double a = cuts[i], b = cuts[i + 1];
        if (!(b > a)) continue;
        const double m = (a + b) / 2;
        if (PointInGPCPolygon(polygon, segment.x + m * segment.rx, segment.y + m * segment.ry)) {
            if (from < 0) from = a;
        } else if (from >= 0) {
            runs.emplace_back(from, a);
            from = -1;
        }
    }
    if (from >= 0) runs.emplace_back(from, 1.0);
    return runs;
}

std::vector<TVektor> GPCSegmentInside(const Tgpc_polygon& polygon, const TVektor& segment,
                                      double MinLength) {
    std::vector<TVektor> parts;
    for (const auto& [from, to] : GPCSegmentInsideRuns(polygon, segment)) {
        TVektor part = segment;
        part.x = segment.x + from * segment.rx;
        part.y = segment.y + from * segment.ry;
        part.rx = (to - from) * segment.rx;
        part.ry = (to - from) * segment.ry;
        if (part.Betrag() > MinLength) parts.push_back(part);
    }
    return parts;
}

bool PointInGPCPolygon(const Tgpc_polygon& polygon, double px, double py) {
    // Half-open in y on every edge, so a ray through a vertex is counted once where the
    // outline crosses it; the arithmetic follows the area edge list's test exactly.
    bool inside = false;
    for (const auto& c : polygon.contour) {
        const auto& v = c.vertex;
        const std::size_t n = v.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Tgpc_vertex& a = v[i];
            const Tgpc_vertex& b = v[(i + 1) % n];
            const double dx = b.x - a.x;
            const double dy = b.y - a.y;
            bool counts = false;
            if (dy > 0) {
                const double t = (py - a.y) / dy;
                counts = t >= 0 && t < 1 && ((a.x - px) * dy - (a.y - py) * dx) / dy > 0;
            } else if (dy < 0) {
                const double t = (b.y - py) / (b.y - a.y);
                counts = t >= 0 && t < 1 && ((b.x - px) * dy - (b.y - py) * dx) / dy > 0;
            }
            if (counts) inside = !inside;
        }
    }
    return inside;
}

// Unsigned shoelace area of one ring in model units squared.
static double ContourArea(const Tgpc_vertex_list& c) {
    const auto& v = c.vertex;
    const std::size_t n = v.size();
    double sum = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const Tgpc_vertex& a = v[j];
        const Tgpc_vertex& b = v[(j + 1) % n];
        sum += (a.x - b.x) * (a.y + b.y) / 2;
    }
    return std::abs(sum);
}

double GPCPolygonFlaeche(const Tgpc_polygon& polygon) {
    double sum = 0;
    for (std::size_t i = 0; i < polygon.contour.size(); ++i) {
        const double a = ContourArea(polygon.contour[i]);
        sum += polygon.hole[i] != 0 ? -a : a;
    }
    return sum / 10000;
}

bool GPCPolygonSchwerpunkt(const Tgpc_polygon& polygon, Tgpc_vertex& centre) {
    double sumA = 0;
    double sumX = 0;
    double sumY = 0;
    for (std::size_t i = 0; i < polygon.contour.size(); ++i) {
        const auto& v = polygon.contour[i].vertex;
        if (v.empty()) continue;
        double a = ContourArea(polygon.contour[i]);
        if (polygon.hole[i] != 0) a = -a;
        double mx = 0;
        double my = 0;
        for (const auto& p : v) {
            mx += p.x;
            my += p.y;
        }
        mx /= static_cast<double>(v.size());
        my /= static_cast<double>(v.size());
        sumA += a;
        sumX += mx * a;
        sumY += my * a;
    }
    if (sumA != 0) {
        centre = {sumX / sumA, sumY / sumA};
        return true;
    }
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    GPCPolygonExtent(polygon, x1, y1, x2, y2);
    if (x1 > x2)
        centre = {0, 0};
    else
        centre = {(x1 + x2) / 2, (y1 + y2) / 2};
    return false;
}
