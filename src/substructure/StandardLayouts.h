#pragma once
// The eight standard batten layouts: battens along the batten direction ("Längs") or at 45° to
// it ("Quer"), evenly spaced, optionally also through the end joints of the boards, doubled at
// the joints, stiffened half a spacing inside, with or without border battens. They share one
// procedure that differs in a few switches.

#include "substructure/LattenGeneratoren.h"

enum class TJointLines { None, Single, Doubled };

// Which edges of the inset contour become border battens, by their angle with the battens.
enum class TBorderBattens {
    All,
    NotSquare, // all but those within 18° of square to the battens
    Within45,  // within 45° of the batten direction
    Within5,   // within 5° of the batten direction
    None,
};

struct TStandardLayout {
    // Origin 10000 behind the start of the batten direction, else stepped back by 100 until
    // the inset lies in front. With signed offsets this moves no batten.
    bool FixedFrame = false;
    bool Quer = false;
    TJointLines Joints = TJointLines::None;
    bool Stiffen = false;
    bool EvenSpacing = true;
    TBorderBattens Border = TBorderBattens::All;
};

class TStandardLattenGenerator : public TLattenGenerator {
public:
    void CreateVerlattung(TShape& Shape) override;
    virtual TStandardLayout Layout() const = 0;

protected:
    using TLattenGenerator::TLattenGenerator;

private:
    // The battens of one run, before they become the area's batten group.
    void Generate(const TShape& Shape, const TStandardLayout& layout,
                  std::vector<TVektor>& battens);
    // Sets VerlattVekL and VerlattVekS; false for a zero batten direction.
    bool PlaceFrame(const TShape& Shape, const TStandardLayout& layout);
};

class TLattenGeneratorLaengs : public TStandardLattenGenerator {
public:
    TLattenGeneratorLaengs();
    QString ClassName() const override { return QStringLiteral("TLattenGeneratorLaengs"); }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

class TLattenGeneratorLaengsStirn : public TStandardLattenGenerator {
public:
    TLattenGeneratorLaengsStirn();
    QString ClassName() const override { return QStringLiteral("TLattenGeneratorLaengsStirn"); }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

class TLattenGeneratorLaengsStirnDoppelt : public TStandardLattenGenerator {
public:
    TLattenGeneratorLaengsStirnDoppelt();
    QString ClassName() const override {
        return QStringLiteral("TLattenGeneratorLaengsStirnDoppelt");
    }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

class TLattenGeneratorQuer : public TStandardLattenGenerator {
public:
    TLattenGeneratorQuer();
    QString ClassName() const override { return QStringLiteral("TLattenGeneratorQuer"); }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

class TLattenGeneratorQuerStirn : public TStandardLattenGenerator {
public:
    TLattenGeneratorQuerStirn();
    QString ClassName() const override { return QStringLiteral("TLattenGeneratorQuerStirn"); }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

class TLattenGeneratorLaengsStirnPlusHalb : public TStandardLattenGenerator {
public:
    TLattenGeneratorLaengsStirnPlusHalb();
    QString ClassName() const override {
        return QStringLiteral("TLattenGeneratorLaengsStirnPlusHalb");
    }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

class TLattenGeneratorLaengsStirnDoppeltPlusHalb : public TStandardLattenGenerator {
public:
    TLattenGeneratorLaengsStirnDoppeltPlusHalb();
    QString ClassName() const override {
        return QStringLiteral("TLattenGeneratorLaengsStirnDoppeltPlusHalb");
    }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
};

// fRand 1 ("nur"): only the border battens parallel to the battens; 0 ("ohne"): the inner
// battens through the joints and at even spacing, no border battens.
class TLattenGeneratorLaengsStirnNurOhneRand : public TStandardLattenGenerator {
public:
    std::int32_t fRand = 0;

    TLattenGeneratorLaengsStirnNurOhneRand();
    QString ClassName() const override {
        return QStringLiteral("TLattenGeneratorLaengsStirnNurOhneRand");
    }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    TStandardLayout Layout() const override;
    void Assign(const TLattenGeneratorBase& Source) override;
    // The base record, then fRand as 4 raw bytes; a value other than 0 or 1 reads as 0.
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    TPropertyList Properties() override;
    // 0 or 1; anything else raises EPropertyError and keeps the old value.
    void SetRand(std::int32_t Value);
};
