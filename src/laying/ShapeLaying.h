#pragma once
// Laying one area: its laying direction from an edge or a drawn line, refreshing its
// generators from the catalogue, laying a layer with the removal of far boards, and its
// tongue length.

#include <QString>

class TCatalogueContext;
class TLayingContext;
class TShape;
class TVektor;

// Why an area is laid. Only a user's explicit laying may add another piece to a layer whose
// pattern adds pieces instead of replacing the layer (the single piece); a re-laying run for
// other reasons (an article edited, the catalogue changed) leaves such a layer as it is.
enum class TLayingTrigger { User, Refresh };

// The outcome of laying one layer.
struct TLayerLaying {
    bool Laid = false; // false: no contour, no laying direction or no such layer
    int Generated = 0; // boards the generator produced
    int Kept = 0;      // objects left in the layer after the removal of far boards
    // What could be done only in part (objects the clipper could not test were kept); empty
    // when all went well.
    QString Problem;
};

// Laying direction at right angles to a contour edge, boards parallel to it. Where the layer
// has no generator yet, the one it is about to get (the context's current pattern with the
// default board) decides whether rows start at the edge's start or its middle.
void SetVerlegeRichtungParallel(const TLayingContext& Context, TShape& Shape, int LayerIdx,
                                const TVektor& Vektor);
// Laying direction along a drawn line from its end nearer to (X, Y); false (nothing changed)
// for a line shorter than 1 cm.
bool SetVerlegeRichtungEntlang(TShape& Shape, const TVektor& Vektor, double X, double Y);
// Refreshes every layer generator's article from the catalogue; false when one had to be
// dropped (the user is told, its boards and the area's battens go with it).
bool UpdateGenerator(const TCatalogueContext& Context, TShape& Shape);
// Lays one layer with its generator, then drops the objects far from the area and computes
// the tongue length.
TLayerLaying LayShapeLayer(TShape& Shape, int LayerIndex, TLayingTrigger Trigger);
// LayShapeLayer for the user; false when the area has no contour or no laying direction.
bool Verlegen(TShape& Shape, int LayerIndex);
// The length of the board edges of layer 0 inside the area, every joint counted once.
void BerechneSpiegelFedern(TShape& Shape);
