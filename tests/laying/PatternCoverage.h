#pragma once
// Test helpers for laying: areas built as the plan builds them, and a check that boards cover
// an area completely without overlapping each other.

#include "geometry/GPCUtils.h"
#include "model/GraphicObject.h"

#include <memory>
#include <vector>

class TPlanDocument;
class TShape;

using TRing = std::vector<Tgpc_vertex>;

// A plan with one area of the given outline; every hole becomes a cut-out area above it, so
// the area's effective outline carries the holes. The area is the document's first shape.
std::unique_ptr<TPlanDocument> PlanWithArea(const TRing& Outline,
                                            const std::vector<TRing>& Holes = {});
TShape& FirstArea(TPlanDocument& Plan);

struct TCoverage {
    int Samples = 0;      // sample points inside the area
    int Uncovered = 0;    // of those, on no board
    int Multiple = 0;     // on more than one board
    int OverlapPairs = 0; // pairs of boards sharing more than a sliver
};

// Samples the area on a grid of the given step (offset so that points do not fall on board
// edges) and compares all pairs of boards whose boxes meet.
TCoverage CheckCoverage(const TShape& Area, const TGraphicObjectList& Boards, double Step);
