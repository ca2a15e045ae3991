#pragma once
// What an area stores of its generators: the pattern generator of each layer and the
// substructure generator. Here they are only their record and their identity (the name a plan
// file stores them by); what they do lives in the laying and substructure engines, which
// derive their generators from these bases and register the classes by name, the way plan
// objects register in the class registry.

#include <QString>

#include <cstdint>
#include <memory>

class TPaneele;
class TReader;
class TWriter;

class TPatternGeneratorBase {
public:
    QString Name; // display name; plan files store it to identify the class
    std::int32_t BitMapIndex = 0;
    std::unique_ptr<TPaneele> Product; // the generator's own copy of its board article
    std::int32_t LattenGenID = 0;

    TPatternGeneratorBase();
    TPatternGeneratorBase(const TPatternGeneratorBase&) = delete;
    TPatternGeneratorBase& operator=(const TPatternGeneratorBase&) = delete;
    virtual ~TPatternGeneratorBase();

    // A new generator of the same class with its constructor defaults.
    virtual std::unique_ptr<TPatternGeneratorBase> CreateNew() const = 0;
    std::unique_ptr<TPatternGeneratorBase> Clone() const;
    // Name, BitMapIndex, the article and LattenGenID; subclasses add their parameters.
    virtual void Assign(const TPatternGeneratorBase& Source);

    // Record: Int 0, the article record, Int LattenGenID, then the class's own tail. Nothing
    // of the base changes when the record cannot be read.
    void ReadData(TReader& Reader);
    void WriteData(TWriter& Writer) const;

protected:
    virtual void ReadTail(TReader& Reader);
    virtual void WriteTail(TWriter& Writer) const;
};

class TLattenGeneratorBase {
public:
    QString Name;
    std::int32_t BitMapIndex = 0; // also the layout's identifier

    TLattenGeneratorBase() = default;
    TLattenGeneratorBase(const TLattenGeneratorBase&) = delete;
    TLattenGeneratorBase& operator=(const TLattenGeneratorBase&) = delete;
    virtual ~TLattenGeneratorBase();

    // The class name under which plan files store the generator.
    virtual QString ClassName() const = 0;
    // A new generator of the same class with its constructor defaults.
    virtual std::unique_ptr<TLattenGeneratorBase> CreateNew() const = 0;
    std::unique_ptr<TLattenGeneratorBase> Clone() const;
    // Name and BitMapIndex; subclasses copy their own parameters.
    virtual void Assign(const TLattenGeneratorBase& Source);
    // The generator's record. A value the setters would refuse reads as the built-in one.
    virtual void ReadData(TReader& Reader) = 0;
    virtual void WriteData(TWriter& Writer) const = 0;
};

// The registry of generator classes. Plan files store a pattern generator by its Name and a
// substructure generator by its class name; the first class registered under the stored name
// is re-created. The laying and substructure engines register theirs when their context is
// made, so a plan read without them knows no generators and fails to load.
using TPatternGeneratorFactory = std::unique_ptr<TPatternGeneratorBase> (*)();
using TLattenGeneratorFactory = std::unique_ptr<TLattenGeneratorBase> (*)();

// A name registered again keeps its first class.
void RegisterPatternGeneratorClass(const QString& Name, TPatternGeneratorFactory Factory);
void RegisterLattenGeneratorClass(const QString& ClassName, TLattenGeneratorFactory Factory);
// A new generator for a stored name; null for an empty or unknown name.
std::unique_ptr<TPatternGeneratorBase> CreatePatternGeneratorForName(const QString& Name);
std::unique_ptr<TLattenGeneratorBase> CreateLattenGeneratorForClass(const QString& ClassName);
