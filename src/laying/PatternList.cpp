#include "laying/PatternList.h"

#include "laying/CompositePatterns.h"
#include "laying/OffsetPatterns.h"
#include "laying/SimplePatterns.h"
#include "platform/TextFields.h"

void CreatePatternPrototypes() {
    auto& list = PatternPrototypes();
    if (!list.empty()) return;
    list.push_back(std::make_unique<TProfilHolzGen>());
    list.push_back(std::make_unique<TSinglePanelGen>());
    list.push_back(std::make_unique<TVersatzGen>());
    list.push_back(std::make_unique<THalbVersatzGen>());
    list.push_back(std::make_unique<TDrittelVersatzGen>());
    list.push_back(std::make_unique<TViertelVersatzGen>());
    list.push_back(std::make_unique<TLaengenVersatzGen>());
    list.push_back(std::make_unique<TWinkelVersatzGen>());
    list.push_back(std::make_unique<TVerzahnGen>());
    list.push_back(std::make_unique<TParkettGen>());
    list.push_back(std::make_unique<TFischgraetGen>());
    list.push_back(std::make_unique<TWuerfelVersatzGen>());
}

TPatternGenerator* FindPatternPrototype(const QString& Name) {
    for (const auto& prototype : PatternPrototypes())
        if (SameTextAZ(prototype->Name, Name)) return prototype.get();
    return nullptr;
}
