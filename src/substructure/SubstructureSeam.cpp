#include "substructure/SubstructureSeam.h"

#include "substructure/NeuVerlatten.h"
#include "substructure/SubstructureDefaults.h"

void TSubstructureStep::ChooseDefault(const TPatternGenerator& Generator) {
    ChooseDefaultLattenGenerator(Generator);
}

void TSubstructureStep::NeuVerlatten(TPlanDocument& Document, const std::vector<TShape*>& Shapes) {
    ::NeuVerlatten(Document, Shapes);
}

void InstallSubstructureStep() {
    static TSubstructureStep step;
    SetSubstructureStep(&step);
}
