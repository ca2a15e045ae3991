#pragma once
// Rows of boards whose joints move from row to row: by a fixed fraction of the board length
// (no, half, third and quarter offset), by a length, or by an angle.

#include "laying/Patterns.h"

// Row j is shifted by k times Versatz * L along the board length, k counting up with the row
// and starting again after R(1/Versatz) rows (or after 2 rows when alternating).
class TVersatzGen : public TPatternGenerator {
public:
    bool fSpiegeln = false;     // the shift runs backwards
    bool fAlternierend = false; // rows alternate between no shift and one shift step
    double Versatz = 1;         // shift step as a fraction of the board length

    TVersatzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    void Assign(const TPatternGeneratorBase& Source) override;
    bool Possible(const TProduct& Article) const override;
    // A whole number of shift cycles of rows, so that moving the frame back by it keeps the
    // shift of the row at the laying start point.
    double PeriodeL() const override;
    double PeriodeS() const override;
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;

    // Rows after which the shift repeats.
    int ShiftCycle() const;

protected:
    // Bool fSpiegeln, Int 1, Bool fAlternierend; older records stop after fSpiegeln.
    void ReadTail(TReader& Reader) override;
    void WriteTail(TWriter& Writer) const override;
    // Spiegeln and Alternierend, for the subclasses that let the user set them.
    TPropertyList MirrorProperties();
};

class THalbVersatzGen : public TVersatzGen {
public:
    THalbVersatzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
};

class TDrittelVersatzGen : public TVersatzGen {
public:
    TDrittelVersatzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    TPropertyList Properties() override;
};

class TViertelVersatzGen : public TVersatzGen {
public:
    TViertelVersatzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    TPropertyList Properties() override;
};

// Every row is shifted by s against the previous one along the board length (by -s along
// e_S); the row at the laying start point is not shifted.
class TRowShiftGen : public TPatternGenerator {
public:
    bool Possible(const TProduct& Article) const override;
    // One row: the row grid stays on the laying start point whatever W and L are.
    double PeriodeL() const override;
    double PeriodeS() const override;
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;
    // s in cm.
    virtual double RowShift() const = 0;

protected:
    TRowShiftGen();
};

class TLaengenVersatzGen : public TRowShiftGen {
public:
    static constexpr double kMinVersatzLaenge = 2; // cm
    double fVersatzLaenge = 20;                    // cm

    TLaengenVersatzGen();
    // L - 1: the accepted offset lengths are kMinVersatzLaenge..MaxVersatzLaenge().
    double MaxVersatzLaenge() const;
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    void Assign(const TPatternGeneratorBase& Source) override;
    double RowShift() const override;
    // Versatzlaenge: 2 <= value <= L - 1.
    TPropertyList Properties() override;

protected:
    void ReadTail(TReader& Reader) override;
    void WriteTail(TWriter& Writer) const override;
};

class TWinkelVersatzGen : public TRowShiftGen {
public:
    // The accepted angles lie strictly between -kMaxVersatzWinkel and kMaxVersatzWinkel.
    static constexpr double kMaxVersatzWinkel = 90;
    double fVersatzWinkel = 45; // degrees

    TWinkelVersatzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    void Assign(const TPatternGeneratorBase& Source) override;
    // tan(angle) * W: the joints run along a line at that angle to the rows.
    double RowShift() const override;
    // Versatzwinkel: -90 < value < 90.
    TPropertyList Properties() override;

protected:
    void ReadTail(TReader& Reader) override;
    void WriteTail(TWriter& Writer) const override;
};
