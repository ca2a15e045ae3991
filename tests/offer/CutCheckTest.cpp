// The independent check of cut solutions: what it accepts and what it refuses, on solutions
// written down by hand.
#include "offer/CutPacking.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
    const char* Name;
    std::int32_t Typ;
    std::vector<double> Pieces;
    std::int32_t PieceCode;
    std::vector<TStockFill> Fills; // over one article of 100 cm in packages of PckEin
    int PckEin;
    bool Valid;
};

TCutProblem CaseProblem(const TCase& c) {
    TCutProblem p;
    p.Typ = c.Typ;
    TCutStock stock;
    stock.ArtikelNr = QStringLiteral("L100");
    stock.Laenge = 100;
    stock.PckEin = c.PckEin;
    stock.StirnSeite = 21;
    p.Lager.push_back(stock);
    for (double length : c.Pieces) {
        TCutPiece piece;
        piece.Laenge = length;
        piece.StirnSeite = c.PieceCode;
        p.Teile.push_back(piece);
    }
    return p;
}

} // namespace

TEST(CutCheck, AcceptsWhatTheSearchCutsAndRefusesTheRest) {
    const TCase cases[] = {
        {"two boards with a saw cut between",
         0,
         {60, 39.7},
         1,
         {{0, {{0, 60}, {1, 39.7}}}},
         1,
         true},
        {"no room for the saw cut", 0, {60, 39.8}, 1, {{0, {{0, 60}, {1, 39.8}}}}, 1, false},
        {"a board split", 0, {150}, 1, {{0, {{0, 100}}}, {0, {{0, 50}}}}, 1, false},
        {"a piece left out", 0, {50, 30}, 1, {{0, {{0, 50}}}}, 1, false},
        {"a package opened in part", 0, {50}, 1, {{0, {{0, 50}}}}, 2, false},
        {"end codes: two pieces want the same end",
         2,
         {40, 40},
         3,
         {{0, {{0, 40}, {1, 40}}}},
         1,
         false},
        {"end codes: a piece takes one end", 2, {40}, 7, {{0, {{0, 40}}}}, 1, true},
        {"batten joined from two stock pieces",
         11,
         {150},
         1,
         {{0, {{0, 100}}}, {0, {{0, 50}}}},
         1,
         true},
        {"batten taking the last remainder, 0.5 cm short",
         11,
         {60, 40.2},
         1,
         {{0, {{0, 60}, {1, 39.7}}}},
         1,
         true},
        {"batten 0.5 cm short with stock left over", 11, {50.5}, 1, {{0, {{0, 50}}}}, 1, false},
        {"batten 1.5 cm short", 11, {101.5}, 1, {{0, {{0, 100}}}}, 1, false},
        {"joined from a segment that leaves a remainder",
         11,
         {120},
         1,
         {{0, {{0, 60}}}, {0, {{0, 60}}}},
         1,
         false},
        {"joined at a stub under 5 cm",
         11,
         {60, 40},
         1,
         {{0, {{0, 60}, {1, 36}, {1, 3.4}}}, {0, {{1, 0.6}}}},
         1,
         false},
    };
    for (const TCase& c : cases) {
        const TCutProblem p = CaseProblem(c);
        const TCutSolution s = MakeSolution(p, c.Fills, 0);
        EXPECT_EQ(CheckCutSolution(p, s).isEmpty(), c.Valid)
            << c.Name << ": " << qPrintable(CheckCutSolution(p, s));
    }
}

TEST(CutCheck, RefusesATotalOrRestThatDoesNotAddUp) {
    const TCase c{"", 0, {50}, 1, {{0, {{0, 50}}}}, 1, true};
    const TCutProblem p = CaseProblem(c);
    TCutSolution s = MakeSolution(p, c.Fills, 0);
    ASSERT_TRUE(CheckCutSolution(p, s).isEmpty());
    TCutSolution wrongTotal = s;
    wrongTotal.Total = 90;
    EXPECT_FALSE(CheckCutSolution(p, wrongTotal).isEmpty());
    TCutSolution wrongRest = s;
    wrongRest.Opened[0].Rest = 50;
    EXPECT_FALSE(CheckCutSolution(p, wrongRest).isEmpty());
    EXPECT_FALSE(CheckCutSolution(p, TCutSolution()).isEmpty());
}
