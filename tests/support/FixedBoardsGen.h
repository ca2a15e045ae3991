#pragma once
// A pattern generator that lays exactly the boards it is given (corner, length vector, width
// vector), so that what happens around a pattern can be tested with boards placed exactly.

#include "laying/Patterns.h"

#include <memory>
#include <vector>

class TFixedBoardsGen : public TPatternGenerator {
public:
    struct TBoard {
        double x, y, lx, ly, wx, wy;
    };
    std::vector<TBoard> Boards;

    TFixedBoardsGen() { Name = QStringLiteral("Feste Bretter"); }
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override {
        return std::make_unique<TFixedBoardsGen>();
    }
    // Also the preferred layouts, which tests of the substructure choice set per case.
    void Assign(const TPatternGeneratorBase& Source) override {
        TPatternGenerator::Assign(Source);
        const auto& s = static_cast<const TFixedBoardsGen&>(Source);
        Boards = s.Boards;
        PreferedLattenGenIDs = s.PreferedLattenGenIDs;
    }
    double PeriodeL() const override { return W(); }
    double PeriodeS() const override { return L(); }
    void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) override {
        DeleteLayer(Layer);
        for (const TBoard& b : Boards)
            AddBoard(Shape, Layer, b.x, b.y, b.lx, b.ly, b.wx, b.wy);
    }
};
