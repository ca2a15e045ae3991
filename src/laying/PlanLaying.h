#pragma once
// Laying the areas of a plan again: giving areas without a generator a copy of the current
// pattern, refreshing every generator's article from the catalogue, laying the selected layer,
// then the substructure and the plan totals.

#include "laying/ShapeLaying.h"

#include <vector>

class TLayingContext;
class TPlanDocument;
class TShape;

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

// Lays the areas again (usually all areas of the plan or the selected ones), then their
// substructure through the context's substructure step. Areas without a laying direction, or
// whose selected layer is out of range, are skipped. An area whose selected layer has no
// generator gets a copy of the context's current pattern with its default board article; an
// existing generator is kept and only takes its article from the catalogue. Marks the plan
// modified.
TNeuVerlegenResult NeuVerlegen(TLayingContext& Context, TPlanDocument& Document,
                               const std::vector<TShape*>& Shapes, TLayingTrigger Trigger);
// Every area of the plan.
TNeuVerlegenResult NeuVerlegenAll(TLayingContext& Context, TPlanDocument& Document,
                                  TLayingTrigger Trigger);
