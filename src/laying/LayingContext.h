#pragma once
// The laying engine's layer of the engine context: the pattern prototypes, the current pattern
// and layer new laying uses, and the substructure step laying ends with. Creating it makes
// the prototypes and registers the pattern classes plans are read with.

#include "catalogue/CatalogueContext.h"
#include "laying/Patterns.h"

#include <QString>

#include <memory>
#include <vector>

class TPaneele;
class TPlanDocument;
class TShape;

// The substructure step of laying. The substructure engine's context puts in its own; a
// laying context alone lays no battens.
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

// What new laying takes: the pattern new areas get a copy of, and the layer laying acts on.
struct TLayingState {
    // A prototype of the context (one of PatternPrototypes or the scripted one); not owned.
    // None until start-up or the laying options choose one.
    TPatternGenerator* CurrentPattern = nullptr;
    // May be out of range for an area (then the area is skipped).
    int SelectedLayer = 0;
};

class TLayingContext : public TCatalogueContext {
public:
    explicit TLayingContext(IMessageSink* Messages = nullptr);
    ~TLayingContext() override;

    // One prototype per built-in pattern, in the fixed order the laying options and the
    // start-up presets refer to: 0 profile timber, 1 single piece, 2 no offset, 3 half,
    // 4 third, 5 quarter offset, 6 length offset, 7 angle offset, 8 interlocking, 9 parquet,
    // 10 herringbone, 11 cube. They carry the parameter values the user gave them last.
    std::vector<std::unique_ptr<TPatternGenerator>> PatternPrototypes;
    // The prototype of the scripted pattern, kept beside the list; none without pattern
    // scripts.
    std::unique_ptr<TPatternGenerator> ComplexPatternPrototype;
    TLayingState Laying;

    // The board article new areas are laid with: the catalogue's current board.
    TPaneele& DefaultPaneel() { return Catalogue.CurrentPaneel(); }
    const TPaneele& DefaultPaneel() const;
    // The prototype of that name (a-z case folded), or null.
    TPatternGenerator* FindPatternPrototype(const QString& Name) const;

    ISubstructureStep& SubstructureStep() const { return *fSubstructureStep; }
    // The substructure engine's context installs its own step; tests install a recorder. The
    // step must live as long as the context uses it.
    void SetSubstructureStep(ISubstructureStep& Step) { fSubstructureStep = &Step; }

private:
    ISubstructureStep fNoSubstructure;
    ISubstructureStep* fSubstructureStep = &fNoSubstructure;
};

// The start-up presets for new areas, once the catalogue is loaded: the default board article
// is the board article numbered DefaultProduct (empty counts as "99999999"), else the first
// article of type 1 or 2 in catalogue order, whose group becomes the current group; the
// current pattern is prototype 3 when it can lay that article, else the first one that can,
// else none.
void PresetLayingDefaults(TLayingContext& Context, const QString& DefaultProduct);
