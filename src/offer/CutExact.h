#pragma once
// The exact cut optimisation: the same objective as the classic search (the least length of
// opened packages, saw cuts, tolerance, end codes, joining) solved as a cutting-stock model.
//
// Boards (types 0..2): Gilmore-Gomory column generation over cutting patterns, priced by a
// bounded knapsack over the piece lengths with the end-code state of the stock piece, the LP
// solved by CLP. The LP bound (Farley's bound while columns are still improving), raised to
// the next length whole packages can have, starts the proven lower bound; then the choices of
// whole packages from there up are tried cheapest first, each ruled out when the LP over all
// patterns cannot fit the pieces into its stock pieces, until one can: CBC then cuts the
// pieces from exactly those stock pieces, which is optimal. Where that does not settle it in
// time, CBC improves the best solution over the patterns found (offer/CutBoardModel).
// Joinable types (3, 10, 11): pieces may be joined from several stock pieces, so no stock
// length is lost but saw cuts and stubs; the bound is the length of the pieces, raised to
// whole packages, and the packing fills packages in order, joining only what does not fit.
// Both start from a greedy packing; where the model proves no optimum, the classic search's
// first pass (within a node budget) runs too, and the best result is kept.

#include "offer/CutTypes.h"

TCutSolution CutExact(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                      TCutStats& Stats);

// A feasible packing without search: pieces longest first into the first stock piece that
// takes them, packages opened of the shortest stock that takes the piece (or, for joinable
// types, joined from what is left). Found false only when some piece fits no stock.
TCutSolution CutGreedy(const TCutProblem& Problem, std::int32_t FirstTag);

// The smallest length whole packages of the stock can have that is at least Length (0 when
// the search for it is too large); Packages gets the package counts of one such choice.
double PackageTotalAtLeast(const std::vector<TCutStock>& Lager, double Length,
                           std::vector<int>* Packages = nullptr);

// Package counts per stock article from Lo to Hi.
struct TPackageBox {
    std::vector<double> Lo, Hi;
};

// The smallest length of whole packages whose stock pieces, each worth at most Worth[s], are
// worth at least Need together (a bound from any nonnegative values of the pieces), with the
// package counts within Box when given: infinite when none there are worth enough, 0 when
// the search for it is too large.
double PackageWorthAtLeast(const std::vector<TCutStock>& Lager, const std::vector<double>& Worth,
                           double Need, std::vector<int>* Packages = nullptr,
                           const TPackageBox* Box = nullptr);
