#pragma once
// An inset contour: an area moved inward by a fixed distance, never leaving it. Battens are cut
// to one, edge strips run along one.

#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"

#include <vector>

struct TInsetContour {
    Tgpc_polygon Polygon;       // contours with hole flags; empty when nothing is left
    std::vector<TVektor> Edges; // per contour, vertex j to vertex j + 1, the last to the first
    // The mitred offset folded (a spike, a part narrower than twice the distance, a hole too
    // close to the border); Polygon is then the area minus a band along every edge instead.
    bool Repaired = false;
};

// Every edge moved by Distance towards the inside, each vertex where its two moved edges meet.
// Where that mitred offset does not stay inside the area at Distance from its border, the
// result is the area minus the band of width Distance around each edge (its ends reaching
// Distance beyond the vertices), which never leaves the area. EClipError when the clipper
// refuses the area's coordinates.
TInsetContour CreateInsetContour(const Tgpc_polygon& Area, double Distance);
