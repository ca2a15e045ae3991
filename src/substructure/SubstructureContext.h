#pragma once
// The substructure engine's layer of the engine context: the layout prototypes with the
// user's last settings, the defaults new substructures take, and the substructure step that
// laying ends with (the context installs it for itself).

#include "laying/LayingContext.h"
#include "substructure/LattenGeneratoren.h"

#include <QString>

#include <cstdint>

struct TPlanReadDefaults;

// Program-wide substructure defaults for new areas.
struct TSubstructureDefaults {
    QString DefaultUKArtikel;                           // default batten article number
    std::int32_t DefaultUKMuster = 2;                   // identifier of the default layout
    TLattenGenerator* DefaultLattenGenerator = nullptr; // prototype new substructures copy
};

class TSubstructureContext : public TLayingContext {
public:
    explicit TSubstructureContext(IMessageSink* Messages = nullptr);
    ~TSubstructureContext() override;

    // One prototype per layout, index = layout identifier; they carry the user's last
    // settings of each layout ("UKprev.bin").
    TLattenGeneratorList LattenGeneratorList = CreateLattenGeneratorPrototypes();
    TSubstructureDefaults SubstructureDefaults;
    // The strip article chosen last in the strip command.
    QString LastStripArtikel;

    // The prototype of that identifier, or null.
    TLattenGenerator* LattenPrototype(std::int32_t ID) const;
    // What reading a plan assumes where older files are silent: the default batten article.
    TPlanReadDefaults PlanReadDefaults() const;

private:
    class TStep : public ISubstructureStep {
    public:
        explicit TStep(TSubstructureContext& Context) : fContext(Context) {}
        void ChooseDefault(const TPatternGenerator& Generator) override;
        void NeuVerlatten(TPlanDocument& Document, const std::vector<TShape*>& Shapes) override;

    private:
        TSubstructureContext& fContext;
    };
    TStep fStep{*this};
};
