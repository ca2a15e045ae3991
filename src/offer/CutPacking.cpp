#include "offer/CutPacking.h"

#include "model/Bedarf.h"

#include <algorithm>

namespace {

int Ascending(const TCutRest& a, const TCutRest& b) {
    return a.Laenge < b.Laenge ? -1 : a.Laenge > b.Laenge ? 1 : 0;
}

} // namespace

TCutSolution MakeSolution(const TCutProblem& Problem, const std::vector<TStockFill>& Fills,
                          std::int32_t FirstTag) {
    TCutSolution solution;
    solution.Found = true;
    solution.PieceOpened.assign(Problem.Teile.size(), -1);
    std::int32_t tag = FirstTag;
    for (size_t k = 0; k < Fills.size(); ++k) {
        const TStockFill& fill = Fills[k];
        const TCutStock& stock = Problem.Lager[static_cast<size_t>(fill.Stock)];
        TCutOpened opened;
        opened.Stock = fill.Stock;
        opened.Tag = IsTaggedTyp(Problem.Typ) ? ++tag : 0;
        opened.Schnitte = fill.Schnitte;
        double rest = stock.Laenge;
        std::int32_t code = stock.StirnSeite;
        for (const TCutOpened::TCut& cut : fill.Schnitte) {
            const TCutPiece& piece = Problem.Teile[static_cast<size_t>(cut.Piece)];
            rest -= cut.Laenge + kSawCut;
            if (piece.StirnSeite > 0) code /= piece.StirnSeite;
            solution.PieceOpened[static_cast<size_t>(cut.Piece)] = static_cast<int>(k);
        }
        opened.Rest = std::max(rest, 0.0);
        solution.Total += stock.Laenge;
        if (fill.Schnitte.empty())
            solution.Rest.push_back({static_cast<int>(k), stock.Laenge, stock.StirnSeite, 0});
        else if (rest >= Problem.MinRest)
            solution.Rest.push_back({static_cast<int>(k), rest, code, 1});
        solution.Opened.push_back(std::move(opened));
    }
    if (solution.Rest.size() > 1)
        RecordQuickSort(solution.Rest, 0, static_cast<int>(solution.Rest.size()) - 1, Ascending);
    solution.TagCounter = tag;
    return solution;
}

void RetagSolution(const TCutProblem& Problem, TCutSolution& Solution, std::int32_t FirstTag) {
    std::int32_t tag = FirstTag;
    for (TCutOpened& o : Solution.Opened)
        o.Tag = IsTaggedTyp(Problem.Typ) ? ++tag : 0;
    Solution.TagCounter = tag;
}

std::vector<TStockFill> FillsOf(const TCutSolution& Solution) {
    std::vector<TStockFill> fills;
    for (const TCutOpened& o : Solution.Opened)
        fills.push_back({o.Stock, o.Schnitte});
    return fills;
}

bool CodeFits(const TCutProblem& Problem, std::int32_t Code, std::int32_t PieceCode) {
    if (!HasEndCodes(Problem.Typ)) return true;
    return PieceCode > 0 && Code % PieceCode == 0;
}
