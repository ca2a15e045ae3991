#pragma once
// Turning the contents of stock pieces into a solution, shared by the greedy packing and the
// exact optimiser: tags, rests, remainders and the pieces' stock pieces as the classic search
// reports them.

#include "offer/CutTypes.h"

// Whether a stock piece with end code Code still has the factory ends a piece with PieceCode
// needs (always for types without end codes).
bool CodeFits(const TCutProblem& Problem, std::int32_t Code, std::int32_t PieceCode);

// One stock piece and what is cut from it, in cut order; a cut shorter than its piece is a
// segment of a joined piece and takes what is left of the stock piece.
struct TStockFill {
    int Stock = 0;
    std::vector<TCutOpened::TCut> Schnitte;
};

// The solution of these stock pieces (whole packages, in opening order): tags from FirstTag
// on for tagged types, the rest of every stock piece, the remainders worth keeping sorted as
// the search sorts them, each piece's stock piece (the last one for a joined piece).
TCutSolution MakeSolution(const TCutProblem& Problem, const std::vector<TStockFill>& Fills,
                          std::int32_t FirstTag);

// The same solution with stock piece numbers from FirstTag on, in opening order.
void RetagSolution(const TCutProblem& Problem, TCutSolution& Solution, std::int32_t FirstTag);

// The stock pieces of a solution with what is cut from them.
std::vector<TStockFill> FillsOf(const TCutSolution& Solution);

// Packs joinable pieces into exactly these stock pieces (counts per stock article): whole
// pieces best fit with the rest joined, or in a row across the stock pieces, each stock piece
// ended where a few pieces fill it to within the saw cut and the 1 cm a last piece may lack.
// Found false when they do not suffice.
// Where Groups are given, and no other packing succeeds, these first: each the pieces of these
// classes (indices into PieceClasses of the problem) that end these stock pieces, as many
// times as pieces and stock pieces allow.
struct TEndingGroup {
    std::vector<int> Classes;
    std::vector<int> Stock; // stock pieces per article
    int Count = 0;
};
TCutSolution PackJoinable(const TCutProblem& Problem, const std::vector<int>& StockCounts,
                          std::int32_t FirstTag, const std::vector<TEndingGroup>& Groups = {});
