#pragma once
// The exact optimiser's treatment of joinable types (3, 10, 11): a piece may be joined from
// several stock pieces, and one that takes the last remainder of a stock piece is done when
// less than 1 cm is missing.

#include "offer/CutClock.h"
#include "offer/CutClosingPlan.h"
#include "offer/CutClosings.h"
#include "offer/CutPacking.h"
#include "offer/CutTypes.h"

// The least length of whole packages any solution opens: each piece needs its length less
// than 1 cm, and a saw cut per segment; a stock piece gives its length and one saw cut, and
// lets one piece lack less than 1 cm, only with the one segment that takes its last
// remainder; a piece longer than the longest stock piece opened has segments that take whole
// remainders. Stock pieces linked by joined pieces gain that only once, where a piece ends
// the last of them, so the gain is bounded too by how many groups of pieces can end a sum of
// stock lengths so closely. Groups, where given, gets the whole groups of the LP that bounds
// that gain, for the packing.
double JoinableBound(const TCutProblem& Problem, std::vector<TEndingGroup>* Groups = nullptr);
double JoinableBound(const TCutProblem& Problem, const TClosingSet& Closings,
                     std::vector<TEndingGroup>* Groups);

// Packs the pieces into the stock pieces of these packages (counts per stock article), with
// these groups where nothing else fits.
TCutSolution PackPackages(const TCutProblem& Problem, const std::vector<int>& Packages,
                          std::int32_t FirstTag, const std::vector<TEndingGroup>& Groups);

// Package totals from the pieces' length up, each packed in order, joining what does not fit;
// Groups (from JoinableBound) where nothing else fits.
TCutSolution SolveJoinableByPacking(const TCutProblem& Problem,
                                    const std::vector<TEndingGroup>& Groups, std::int32_t FirstTag,
                                    TClock& Clock);

// The packages and the groups that end stock pieces from a plan (CutClosingPlan), the rest
// chained: first for each of the choices of packages from From (a bound) up, then for any; a
// solution only when it opens less than Below.
TCutSolution SolveJoinableByPlan(const TCutProblem& Problem, const TClosingSet& Closings,
                                 const TPackageChoices& Choices, double From, double Below,
                                 std::int32_t FirstTag, TClock& Clock, TCutStats& Stats);
