#pragma once
// The substructure step of laying: chooses the default substructure generator for a new
// pattern and generates the battens of the laid areas.

#include "laying/PlanLaying.h"

class TSubstructureStep : public ISubstructureStep {
public:
    void ChooseDefault(const TPatternGenerator& Generator) override;
    void NeuVerlatten(TPlanDocument& Document, const std::vector<TShape*>& Shapes) override;
};

// Installs the step for the whole program (once at start-up; again is harmless).
void InstallSubstructureStep();
