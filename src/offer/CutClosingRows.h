#pragma once
// Rows of stock pieces ended by any number of joinable pieces, generated as an LP asks for
// them: for one choice of packages, the most the rows that end stock pieces can gain
// together (column generation, each row priced by a shortest path over what its pieces are
// worth more than its stock pieces so far), and rows that gain it whole (CBC over the rows
// generated). The groups of a few pieces (CutClosings) and a share for larger ones bound the
// gain only loosely where the pieces are many.

#include "offer/CutClock.h"
#include "offer/CutClosingPlan.h"
#include "offer/CutClosings.h"

#include <functional>
#include <memory>
#include <vector>

// What the rows of one choice of packages come to.
struct TChoiceRows {
    // No rows with the stock pieces of the choice can gain what it needs: no solution opens
    // just these packages.
    bool Cut = false;
    // Rows that the choice packs with, Found where there are such.
    TClosingPlan Plan;
};

// One LP for the choices one after the other: the rows generated for one stay for the next.
class TClosingRows {
public:
    TClosingRows(const TCutProblem& Problem, const TClosingSet& Set);
    ~TClosingRows();
    // Whether the stock lengths are on the millimetre: the rows are priced there.
    bool Usable() const;
    // Whether the pieces pack into the packages of a plan with its groups first.
    using TPackPlan = std::function<bool(const TClosingPlan&)>;
    // The rows for these packages (counts per stock article, Total their length) that gain
    // what the pieces' worth exceeds Total by, within Seconds, and that Pack takes; neither Cut
    // nor a plan where the time ends first.
    TChoiceRows ForChoice(const std::vector<int>& Packages, double Total, double Seconds,
                          TClock& Clock, TCutStats& Stats, const TPackPlan& Pack);

private:
    // Column generation for these pieces left per class and stock pieces per article: first the
    // groups of a few pieces listed already, the most profitable at the LP's prices in batches;
    // when none is left, rows of any number of pieces. Most: the least the rows can gain at
    // most, found so far; the LP's optimum when it ends there, or where even all rows at the
    // best profit cannot make up what the LP lacks of Need. False where the time ends first.
    bool Generate(const std::vector<int>& Left, const std::vector<int>& Avail, double Need,
                  double Until, TClock& Clock, double& Most);
    // Whole rows with these stock pieces, as counts per row, that gain Need where the dive
    // gets there.
    std::vector<int> Dive(std::vector<int> Avail, double Need, double Until, TClock& Clock);
    // The plan of these counts of the rows, where Pack takes it.
    bool TryPlan(const std::vector<int>& Packages, const std::vector<int>& Counts,
                 const TPackPlan& Pack, TChoiceRows& Result);
    struct TState;
    std::unique_ptr<TState> f;
};
