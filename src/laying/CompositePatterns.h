#pragma once
// Patterns that are more than rows with an offset: interlocking rows, the cube (basket) pattern,
// parquet strips and herringbone. They share frame, record and refresh of TPatternGenerator and
// differ in the articles they accept, their periods and the boards they lay.

#include "laying/Patterns.h"

// Rows of boards along e_S; every odd row is pulled back by the interlocking length.
class TVerzahnGen : public TPatternGenerator {
public:
    static constexpr double kMinVerzahnung = 2; // cm
    double fVerzahnung = 20;                    // cm

    TVerzahnGen();
    // L - 2: the accepted lengths are kMinVerzahnung..MaxVerzahnung().
    double MaxVerzahnung() const;
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    void Assign(const TPatternGeneratorBase& Source) override;
    bool Possible(const TProduct& Article) const override;
    double PeriodeL() const override; // 2·W: two rows, so the row at the start stays even
    double PeriodeS() const override; // L
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;
    TPropertyList Properties() override;

    // Raises EPropertyError outside kMinVerzahnung..MaxVerzahnung(); the current value is always
    // accepted.
    void SetVerzahnung(double Value);

protected:
    void ReadTail(TReader& Reader) override;
    void WriteTail(TWriter& Writer) const override;
};

// Square blocks of side L, each of n = L / W boards, turning by a right angle from block to block
// like a chessboard.
class TWuerfelVersatzGen : public TPatternGenerator {
public:
    TWuerfelVersatzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    // Panels whose length is a whole multiple of their width (within 1 % of a board).
    bool Possible(const TProduct& Article) const override;
    double PeriodeL() const override; // 2·L
    double PeriodeS() const override; // 2·L
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;
};

// Parquet laid as continuous strips of one article width, each 2·dx long.
class TParkettGen : public TPatternGenerator {
public:
    TParkettGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    bool Possible(const TProduct& Article) const override;
    double PeriodeL() const override; // W: one row, so rows stay aligned with the start edge
    double PeriodeS() const override; // L
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;
};

// Herringbone: cells of two boards at -45° and +45° to the laying direction that form an L,
// repeating every √2·W along e_L and √2·L along e_S.
class TFischgraetGen : public TPatternGenerator {
public:
    TFischgraetGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    bool Possible(const TProduct& Article) const override;
    double PeriodeL() const override; // √2·W
    double PeriodeS() const override; // √2·L
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;
};
