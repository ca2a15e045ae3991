#pragma once
// Which packages of joinable pieces to open, and which groups of pieces end their stock
// pieces: the least total of whole packages that covers the pieces' worth (length and a saw
// cut each) less what the groups gain, with the stock pieces each group ends taken from the
// packages opened.

#include "offer/CutClock.h"
#include "offer/CutClosings.h"
#include "offer/CutPacking.h"

struct TClosingPlan {
    bool Found = false;
    double Total = 0;
    std::vector<int> Packages; // per stock article
    std::vector<TEndingGroup> Groups;
};

// The plan of the least total at least Margin above the worth less the gains, within Seconds;
// not Found when none was found in that time.
TClosingPlan PlanClosings(const TCutProblem& Problem, const TClosingSet& Set, double Margin,
                          double Seconds, TClock& Clock, TCutStats& Stats);

// The least total of whole packages any solution opens by the same count, with the pieces of
// groups larger than those listed each gaining its share of the most a group gains; 0 when the
// search ends before it is proven.
double ClosingPlanBound(const TCutProblem& Problem, const TClosingSet& Set, double Seconds,
                        TClock& Clock, TCutStats& Stats);
