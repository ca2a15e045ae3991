#pragma once
// The classic cut optimisation: a depth-first branch-and-bound search over package choices
// with greedy best-fit placement, pieces of similar length grouped, and a retry stage that
// orders the groups of the short pieces anew. It is the reference the exact optimiser is
// measured against, and its incumbent.

#include "offer/CutTypes.h"

// Solves the entry as the classic search does: the first pass from every stock article, then
// (optimisation on, type below 3, no Escape) the retry stage. Stock piece numbers continue
// from Build.TagCounter, which ends at the recorded solution's last number. A solution not
// found leaves Found false.
TCutSolution CutClassic(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                        TCutStats& Stats);

// The length groups of the pieces (sorted by length descending) for the stock lengths: group
// numbers 0, 1, ... in piece order.
std::vector<int> LengthGroups(const std::vector<TCutPiece>& Teile,
                              const std::vector<TCutStock>& Lager);
