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

// The least total of whole packages from From (a bound) on that any solution may open, where
// for each choice of packages the groups its stock pieces allow, and the pieces of larger
// groups each at its share of the most a group gains, must gain what the pieces' worth
// exceeds the total by: Below (a total at hand) where no total below it passes; From where
// the choices are too many or the time ends first.
double ClosingPlanBound(const TCutProblem& Problem, const TClosingSet& Set, double From,
                        double Below, double Seconds, TClock& Clock);
