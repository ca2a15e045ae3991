#pragma once
// The exact cut optimisation: the same objective as the classic search (the least length of
// opened packages, saw cuts, tolerance, end codes, joining) solved as a cutting-stock model.
//
// Boards (types 0..2): Gilmore-Gomory column generation over cutting patterns, priced by a
// bounded knapsack over the piece lengths with the end-code state of the stock piece, the LP
// solved by CLP. The LP bound (Farley's bound while columns are still improving), raised to
// the next length whole packages can have, starts the proven lower bound; then a branch and
// bound over the package counts of each article, every node's LP solved by column generation
// and its bound raised to the package totals within its limits, tries the choices of whole
// packages cheapest first until the LP can fit the pieces into one: rounding the LP (with a
// best-fit completion), or CBC, then cuts them from exactly those stock pieces, which is
// optimal. Where that does not settle it in time, CBC improves the best solution over the
// patterns found (offer/CutBoardModel, offer/CutPackages).
// Joinable types (3, 10, 11): pieces may be joined from several stock pieces, so little stock
// length is lost but saw cuts and stubs; the bound counts lengths, saw cuts and the groups of
// pieces that can end stock pieces (offer/CutJoinable), and the packings (offer/
// CutJoinPacking) join what does not fit and end stock pieces with pieces that fill them.
// Both start from a greedy packing; where the model proves no optimum, the classic search's
// first pass (within a node budget) runs too, and the best result is kept.

#include "offer/CutTypes.h"

TCutSolution CutExact(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                      TCutStats& Stats);

// A feasible packing without search: pieces longest first into the first stock piece that
// takes them, packages opened of the shortest stock that takes the piece (or, for joinable
// types, joined from what is left). Found false only when some piece fits no stock.
TCutSolution CutGreedy(const TCutProblem& Problem, std::int32_t FirstTag);

// The smallest length whole packages of the stock can have that is at least Length (when the
// search for it is too large, a lower bound of it); Packages gets the package counts of one
// such choice (the best one found).
double PackageTotalAtLeast(const std::vector<TCutStock>& Lager, double Length,
                           std::vector<int>* Packages = nullptr);

// Package counts per stock article from Lo to Hi.
struct TPackageBox {
    std::vector<double> Lo, Hi;
};

// The smallest length of whole packages whose stock pieces, each worth at most Worth[s], are
// worth at least Need together (a bound from any nonnegative values of the pieces), with the
// package counts within Box when given: infinite when none there are worth enough; when the
// search is too large, a lower bound, and Packages the best choice found.
double PackageWorthAtLeast(const std::vector<TCutStock>& Lager, const std::vector<double>& Worth,
                           double Need, std::vector<int>* Packages = nullptr,
                           const TPackageBox* Box = nullptr);
