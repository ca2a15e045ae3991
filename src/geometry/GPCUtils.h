#pragma once
// Polygons of several contours with hole flags, boolean clipping and the program's own polygon
// routines (extent, area, centroid, point test, duplicate removal, edge offsets).
// Coordinates are model units (cm).

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

struct TROTMatrix;
class TVektor;

struct Tgpc_vertex {
    double x = 0;
    double y = 0;
    bool operator==(const Tgpc_vertex&) const = default;
};

// One closed ring; the last vertex joins the first (the first is not repeated).
struct Tgpc_vertex_list {
    std::vector<Tgpc_vertex> vertex;
    int num_vertices() const { return static_cast<int>(vertex.size()); }
};

// Contours with one hole flag each (non-zero = hole); `hole` and `contour` always have the
// same length: change them through AddContour / DeleteContour / Clear.
struct Tgpc_polygon {
    std::vector<int> hole;
    std::vector<Tgpc_vertex_list> contour;

    int num_contours() const { return static_cast<int>(contour.size()); }
    void AddContour(const Tgpc_vertex_list& c, bool isHole);
    void DeleteContour(int index);
    void Clear();
};

using Pgpc_polygon = std::unique_ptr<Tgpc_polygon>;

enum class Tgpc_op : unsigned char { GPC_DIFF = 0, GPC_INT = 1, GPC_XOR = 2, GPC_UNION = 3 };
constexpr Tgpc_op GPC_DIFF = Tgpc_op::GPC_DIFF;
constexpr Tgpc_op GPC_INT = Tgpc_op::GPC_INT;
constexpr Tgpc_op GPC_XOR = Tgpc_op::GPC_XOR;
constexpr Tgpc_op GPC_UNION = Tgpc_op::GPC_UNION;

// The clipper could not compute a result (coordinates out of its range, NaN, internal
// failure). Callers that can go on without the clip catch it.
class EClipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// result := subject op clip, even-odd fill on both inputs, collinear vertices kept; result
// contours carry correct hole flags. Throws EClipError.
void gpc_polygon_clip(Tgpc_op op, const Tgpc_polygon& subject, const Tgpc_polygon& clip,
                      Tgpc_polygon& result);
void gpc_add_contour(Tgpc_polygon& polygon, const Tgpc_vertex_list& contour, int hole);
void gpc_free_polygon(Tgpc_polygon& polygon);

Pgpc_polygon NewGPCPolygon(int n, const int* counts);
void InitGPCPolygon(Tgpc_polygon& polygon, int n, const int* counts);
void FreeGPCPolygon(Pgpc_polygon& p);
void GPCAddVertex(Tgpc_vertex_list& contour, const Tgpc_vertex& vertex);

// Bounding box over all vertices; an empty polygon gives x1 = y1 = 1 000 000,
// x2 = y2 = -1 000 000.
void GPCPolygonExtent(const Tgpc_polygon& polygon, double& x1, double& y1, double& x2, double& y2);
void GPCPolygonMove(Tgpc_polygon& polygon, double dx, double dy);
void GPCPolygonRotate(Tgpc_polygon& polygon, const TROTMatrix& ROTMatrix);
// Per contour: bit-identical neighbours collapse, then a last vertex equal to the first goes.
void GPCRemoveDoubles(Tgpc_polygon& polygon);
// Drops contours with fewer than 3 vertices together with their hole flags.
void GPCDropDegenerateContours(Tgpc_polygon& polygon);
bool GPCPolygonsInterfere(const Tgpc_polygon& a, const Tgpc_polygon& b);
bool PointInGPCPolygon(const Tgpc_polygon& polygon, double px, double py);
// The parts of the segment inside the polygon (even-odd), in order along it: the segment is
// cut at every crossing with an edge and a piece stays when its middle lies inside; pieces
// that meet are joined, pieces no longer than MinLength dropped. Each part keeps the
// segment's direction and Flags.
std::vector<TVektor> GPCSegmentInside(const Tgpc_polygon& polygon, const TVektor& segment,
                                      double MinLength);
// The same as runs of the segment's parameter, 0 at its start and 1 at its end, in order.
std::vector<std::pair<double, double>> GPCSegmentInsideRuns(const Tgpc_polygon& polygon,
                                                            const TVektor& segment);
// Square metres: outer contours add, holes subtract.
double GPCPolygonFlaeche(const Tgpc_polygon& polygon);
// Area-weighted vertex averages of the contours. Returns false (and the centre of the
// bounding box, or (0, 0) for an empty polygon) when the weights sum to zero.
bool GPCPolygonSchwerpunkt(const Tgpc_polygon& polygon, Tgpc_vertex& centre);

// Edge offsets: every (selected) edge moves by its distance towards the inside (positive
// distances shrink the outline). One result contour per input contour with the same vertex
// count and the same hole flag. Zero-length edges are passed over. `Filter`, when given,
// limits the shift to edges whose midpoint lies inside it.
//
// When `collapsed` is given it is set to true if a contour degenerated (its signed area
// vanished or changed sign, an edge now runs against its original direction, or two of its
// edges cross): the offset ate it up.
Pgpc_polygon GPCInflate(const Tgpc_polygon& polygon, double Size, bool* collapsed = nullptr);
// Only edges at right angles to Vektor (89 deg < w < 91 deg).
Pgpc_polygon GPCInflateQuer(const Tgpc_polygon& polygon, const TVektor& Vektor,
                            const Tgpc_polygon* Filter, double Size, bool* collapsed = nullptr);
// Only oblique edges (5..85 deg or 95..175 deg, exclusive).
Pgpc_polygon GPCInflateSchraeg(const Tgpc_polygon& polygon, const TVektor& Vektor,
                               const Tgpc_polygon* Filter, double Size, bool* collapsed = nullptr);
// Every edge, by SizeQuer (89..91 deg), SizeSchraeg (1..179 deg) or SizeParallel.
Pgpc_polygon GPCInflateRichtung(const Tgpc_polygon& polygon, const TVektor& Vektor,
                                const Tgpc_polygon* Filter, double SizeParallel, double SizeQuer,
                                double SizeSchraeg, bool* collapsed = nullptr);
