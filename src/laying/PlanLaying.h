#pragma once
// Laying the areas of a plan again: giving areas without a generator a copy of the current
// pattern, refreshing every generator's article from the catalogue, laying the selected layer,
// then the substructure and the plan totals.

#include <vector>

class TPatternGenerator;
class TPlanDocument;
class TShape;
class TLayingState;

// Why an area is laid. Only a user's explicit laying may add another piece to a layer whose
// pattern adds pieces instead of replacing the layer (the single piece); a re-laying run for
// other reasons (an article edited, the catalogue changed) leaves such a layer as it is.
enum class TLayingTrigger { User, Refresh };

// The outcome of laying one layer.
struct TLayerLaying {
    bool Laid = false; // false: no contour, no laying direction or no such layer
    int Generated = 0; // boards the generator produced
    int Kept = 0;      // objects left in the layer after the removal of far boards
};

// TShape::Verlegen with the trigger and the counts.
TLayerLaying LayShapeLayer(TShape& Shape, int LayerIndex, TLayingTrigger Trigger);

// The substructure step of laying. The substructure engine installs its own; until then
// laying lays no battens.
class ISubstructureStep {
public:
    virtual ~ISubstructureStep() = default;
    // An area was given a new pattern generator: choose the program-wide default substructure
    // generator for it.
    virtual void ChooseDefault(const TPatternGenerator& Generator) { (void)Generator; }
    // Generates the substructure of the areas anew.
    virtual void NeuVerlatten(TPlanDocument& Document, const std::vector<TShape*>& Shapes) {
        (void)Document;
        (void)Shapes;
    }
};

// Installs the step (not owned) and returns the previous one; null restores the default.
ISubstructureStep* SetSubstructureStep(ISubstructureStep* Step);
ISubstructureStep& SubstructureStep();

// What the laying command asks of a plan window beyond IPlanHost. A document host that also
// implements this interface is told; other hosts (tarv-cli, tests) need nothing of it.
class ILayingCommandHost {
public:
    virtual ~ILayingCommandHost() = default;
    // Wait cursor; an undo snapshot, further snapshots locked until EndLaying.
    virtual void BeginLaying() {}
    // Always runs, also when laying failed: snapshots unlocked, cursor restored, drawing tool
    // left, toolbar refreshed.
    virtual void EndLaying() {}
    // Only after a complete run: the tip for a laid plan (or for one with nothing laid), then
    // the selection cleared and the plan repainted.
    virtual void LayingFinished(bool AnyLaid) { (void)AnyLaid; }
};

struct TNeuVerlegenResult {
    bool AnyLaid = false;
    // Per area of the call, in its order: the laying of the selected layer.
    std::vector<TLayerLaying> Layers;
};

// Lays the areas again (usually all areas of the plan or the selected ones). Areas without a
// laying direction, or whose selected layer is out of range, are skipped. An area whose
// selected layer has no generator gets a copy of the state's current pattern with the state's
// board article; an existing generator is kept and only takes its article from the catalogue.
// Marks the plan modified.
TNeuVerlegenResult NeuVerlegen(TPlanDocument& Document, const std::vector<TShape*>& Shapes,
                               TLayingTrigger Trigger);
TNeuVerlegenResult NeuVerlegen(TPlanDocument& Document, const std::vector<TShape*>& Shapes,
                               TLayingTrigger Trigger, const TLayingState& State);
// Every area of the plan.
TNeuVerlegenResult NeuVerlegenAll(TPlanDocument& Document, TLayingTrigger Trigger);
