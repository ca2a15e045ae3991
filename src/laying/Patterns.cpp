#include "laying/Patterns.h"

void TPatternGenerator::Assign(const TPatternGenerator& Source) {
    Name = Source.Name;
    BitMapIndex = Source.BitMapIndex;
    Shape = Source.Shape;
    LattenGenID = Source.LattenGenID;
}

std::unique_ptr<TPatternGenerator> TPatternGenerator::Clone() const {
    std::unique_ptr<TPatternGenerator> copy = CreateNew();
    copy->Assign(*this);
    return copy;
}

std::vector<std::unique_ptr<TPatternGenerator>>& PatternPrototypes() {
    static std::vector<std::unique_ptr<TPatternGenerator>> prototypes;
    return prototypes;
}

TPatternGenerator*& ComplexPatternPrototype() {
    static TPatternGenerator* prototype = nullptr;
    return prototype;
}

std::unique_ptr<TPatternGenerator> CreatePatternGeneratorForName(const QString& Name) {
    if (Name.isEmpty()) return nullptr;
    if (TPatternGenerator* complex = ComplexPatternPrototype(); complex && complex->Name == Name)
        return complex->CreateNew();
    for (const auto& prototype : PatternPrototypes())
        if (prototype->Name == Name) return prototype->CreateNew();
    return nullptr;
}
