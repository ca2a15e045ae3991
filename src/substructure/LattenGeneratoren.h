#pragma once
// Substructure generators: each turns an area's contour and batten direction into battens.
// The base class is the layout "Keine Verlattung"; the other layouts derive from it.

#include "geometry/Vektors.h"
#include "platform/TextFields.h"

#include <QString>

#include <memory>
#include <vector>

class TShape;
class TReader;
class TWriter;

class TLattenGenerator {
public:
    double fMaxLattenAbstand = 60; // cm
    double dx = 0;
    double dy = 0;
    QString Name = QStringLiteral("Keine Verlattung");
    std::int32_t BitMapIndex = 0; // also the layout's identifier and list index
    TShape* Shape = nullptr;      // not owned
    TShortText<25> LattenArtNr;
    TVektor VerlattVekL;
    TVektor VerlattVekS;
    std::vector<TVektor> UKVektorList;

    TLattenGenerator() = default;
    TLattenGenerator(const TLattenGenerator&) = delete;
    TLattenGenerator& operator=(const TLattenGenerator&) = delete;
    virtual ~TLattenGenerator() = default;

    // The class name under which plan files store the generator.
    virtual QString ClassName() const { return QStringLiteral("TLattenGenerator"); }
    // A new generator of the same class with its constructor defaults.
    virtual std::unique_ptr<TLattenGenerator> CreateNew() const;
    std::unique_ptr<TLattenGenerator> Clone() const;
    virtual void Assign(const TLattenGenerator& Source);
    // Record: Int version 0, Str LattenArtNr, raw double fMaxLattenAbstand; subclasses append.
    virtual void ReadData(TReader& Reader);
    virtual void WriteData(TWriter& Writer) const;
    void ClearUKVektorList() { UKVektorList.clear(); }
};

// One prototype per layout, index = layout identifier.
std::vector<std::unique_ptr<TLattenGenerator>>& LattenGeneratorList();
// A new generator of the first prototype's class with that class name; null when none has it.
std::unique_ptr<TLattenGenerator> CreateLattenGeneratorForClass(const QString& ClassName);

// Program-wide substructure defaults for new areas.
struct TSubstructureDefaults {
    QString DefaultUKArtikel;                           // default batten article number
    std::int32_t DefaultUKMuster = 0;                   // identifier of the default layout
    TLattenGenerator* DefaultLattenGenerator = nullptr; // prototype new substructures copy
};
TSubstructureDefaults& SubstructureDefaults();
