#pragma once
// Which packages of joinable pieces to open, and which groups of pieces end their stock
// pieces: the least total of whole packages that covers the pieces' worth (length and a saw
// cut each) less what the groups gain, with the stock pieces each group ends taken from the
// packages opened.

#include "offer/CutClock.h"
#include "offer/CutClosings.h"
#include "offer/CutPacking.h"

#include <memory>
#include <utility>
#include <vector>

class CbcModel;

// CBC over a model whose integer columns are set, with its cuts and heuristics (bare branch
// and bound finds poor plans here), within Seconds or until a solution of an objective at most
// Enough, with or without CBC's preprocessing; its best solution, null when none.
const double* CbcSearch(CbcModel& Cbc, double Seconds, TClock& Clock, TCutStats& Stats,
                        double Enough = -COIN_DBL_MAX, bool Preprocess = true);

struct TClosingPlan {
    bool Found = false;
    double Total = 0;
    std::vector<int> Packages; // per stock article
    std::vector<TEndingGroup> Groups;
};

// The stock pieces per article of these packages (counts per stock article).
std::vector<int> StockPieces(const TCutProblem& Problem, const std::vector<int>& Packages);

// The plan of these packages and these groups, each with what it gains, the groups gaining
// most first: they are placed first.
TClosingPlan MakePlan(const TCutProblem& Problem, const std::vector<int>& Packages,
                      const std::vector<std::pair<double, TEndingGroup>>& Groups);

// The plan of the least total at least Margin above the worth less the gains, within Seconds;
// not Found when none was found in that time.
TClosingPlan PlanClosings(const TCutProblem& Problem, const TClosingSet& Set, double Margin,
                          double Seconds, TClock& Clock, TCutStats& Stats);

// Plans for choices of packages one after the other: the whole groups of the LP of the most
// the groups gain with the stock pieces of the choice (one LP, solved again for each), one more
// of those it takes in part, the largest part first, then the groups that gain most, while
// pieces and stock pieces are left.
class TChoicePlanner {
public:
    TChoicePlanner(const TCutProblem& Problem, const TClosingSet& Set);
    ~TChoicePlanner();
    // Not Found where the LP fails; Slack: how much the total exceeds the worth less the gains.
    TClosingPlan Plan(const std::vector<int>& Packages, double& Slack);

private:
    struct TLP;
    const TCutProblem& fProblem;
    const TClosingSet& fSet;
    std::unique_ptr<TLP> fLP;
    std::vector<size_t> fOrder; // the groups, the most gaining first
};

// The choices of packages (counts per stock article) with a total from From to below Through,
// the least total first: Through is Below where they are not too many, else the total of the
// first left out; none where they are far too many (Through is then From).
struct TPackageChoices {
    std::vector<std::pair<double, std::vector<int>>> List;
    double Through = 0;
};
TPackageChoices PackageChoices(const TCutProblem& Problem, double From, double Below);

// The least total of whole packages from From (a bound) on that any solution may open, where
// for each choice of packages the groups its stock pieces allow, and the pieces of larger
// groups each at its share of the most a group gains, must gain what the pieces' worth
// exceeds the total by: Below (a total at hand) where no total below it passes; From where
// the choices are too many or the time ends first.
double ClosingPlanBound(const TCutProblem& Problem, const TClosingSet& Set, double From,
                        double Below, double Seconds, TClock& Clock);
// The same over choices already listed (PackageChoices from From to Below).
double ClosingPlanBound(const TCutProblem& Problem, const TClosingSet& Set,
                        const TPackageChoices& Choices, double From, double Seconds, TClock& Clock);
