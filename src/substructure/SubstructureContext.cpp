#include "substructure/SubstructureContext.h"

#include "model/Shapes.h"
#include "substructure/NeuVerlatten.h"
#include "substructure/SubstructureDefaults.h"

TSubstructureContext::TSubstructureContext(IMessageSink* Messages) : TLayingContext(Messages) {
    SetSubstructureStep(fStep);
}

TSubstructureContext::~TSubstructureContext() = default;

TLattenGenerator* TSubstructureContext::LattenPrototype(std::int32_t ID) const {
    return ::LattenPrototype(LattenGeneratorList, ID);
}

TPlanReadDefaults TSubstructureContext::PlanReadDefaults() const {
    return TPlanReadDefaults{SubstructureDefaults.DefaultUKArtikel};
}

void TSubstructureContext::TStep::ChooseDefault(const TPatternGenerator& Generator) {
    ChooseDefaultLattenGenerator(fContext, Generator);
}

void TSubstructureContext::TStep::NeuVerlatten(TPlanDocument& Document,
                                               const std::vector<TShape*>& Shapes) {
    ::NeuVerlatten(fContext, Document, Shapes);
}
