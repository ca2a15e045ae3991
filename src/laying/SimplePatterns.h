#pragma once
// Profile timber (boards in straight rows, every joint in line) and the single piece (one
// board near the laying start point, for placing a piece by hand).

#include "laying/Patterns.h"

#include <functional>

class TProfilHolzGen : public TPatternGenerator {
public:
    TProfilHolzGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    bool Possible(const TProduct& Article) const override;
    double PeriodeL() const override;
    double PeriodeS() const override;
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;
};

class TSinglePanelGen : public TPatternGenerator {
public:
    // Yields the random offsets r1, r2 (0..9) of a new piece: each generator draws from its
    // own random engine; tests replace it.
    std::function<int()> RandomDigit;

    TSinglePanelGen();
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override;
    bool Possible(const TProduct& Article) const override;
    double PeriodeL() const override;
    double PeriodeS() const override;
    // The frame starts at the laying start point itself; nothing is moved back.
    void AdjustVektors(TShape& Shape) override;
    // Appends one piece when the layer holds no board of the article yet, or when a piece was
    // requested; otherwise leaves the layer as it is. Never empties the layer.
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override;

    // The user asked to lay again: the next CreatePattern adds a piece even when the layer
    // already holds one. Automatic re-layings (catalogue edits, undo, reading a plan) do not
    // call it, so they never multiply the pieces.
    void RequestPiece() { fPieceRequested = true; }
    bool PieceRequested() const { return fPieceRequested; }

private:
    bool fPieceRequested = false;
};
