#pragma once
// Pattern generators: each turns one board article into the boards of one layer of an area.
// The concrete patterns register their prototypes in PatternPrototypes().

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TShape;
class TReader;
class TWriter;

class TPatternGenerator {
public:
    QString Name; // display name, also the key under which plan files store the generator
    std::int32_t BitMapIndex = 0;
    TShape* Shape = nullptr; // not owned
    std::int32_t LattenGenID = 0;
    std::array<std::int32_t, 10> PreferedLattenGenIDs{};

    TPatternGenerator() = default;
    TPatternGenerator(const TPatternGenerator&) = delete;
    TPatternGenerator& operator=(const TPatternGenerator&) = delete;
    virtual ~TPatternGenerator() = default;

    // A new generator of the same class with its constructor defaults.
    virtual std::unique_ptr<TPatternGenerator> CreateNew() const = 0;
    virtual void Assign(const TPatternGenerator& Source);
    virtual void ReadData(TReader& Reader) = 0;
    virtual void WriteData(TWriter& Writer) const = 0;

    std::unique_ptr<TPatternGenerator> Clone() const;
};

// The prototype list in its fixed index order; empty until the patterns are registered.
std::vector<std::unique_ptr<TPatternGenerator>>& PatternPrototypes();
// The prototype of the scripted pattern, kept beside the list; null when there is none.
TPatternGenerator*& ComplexPatternPrototype();

// A new generator for a stored name: the scripted pattern when the name is its prototype's,
// else the first prototype with that name; null when no prototype has it.
std::unique_ptr<TPatternGenerator> CreatePatternGeneratorForName(const QString& Name);
