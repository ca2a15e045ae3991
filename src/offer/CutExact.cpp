#include "offer/CutExact.h"

#include "offer/CutBoardModel.h"
#include "offer/CutClassic.h"
#include "offer/CutClock.h"
#include "offer/CutClosingPlan.h"
#include "offer/CutClosingRows.h"
#include "offer/CutJoinable.h"
#include "offer/CutPacking.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The classic search's first pass tries to improve an unproven result within this many nodes.
constexpr std::int64_t kIncumbentNodes = 20000;
// Joined pieces: the first pass gets at most this long (s); the plans find better totals.
constexpr double kJoinableIncumbentSeconds = 0.1;
// How long the bound of the closing plans may search (s).
constexpr double kPlanBoundSeconds = 0.15;
// How long the rows of any number of pieces may take for one choice of packages, and for all
// of them (s).
constexpr double kRowsChoiceSeconds = 1;
constexpr double kRowsSeconds = 1.5;

bool Better(const TCutSolution& a, const TCutSolution& b) {
    return a.Found && (!b.Found || a.Total < b.Total - 1e-7);
}

// The choices of packages from the bound up, the least first, each either shown to need more
// than its rows can gain, which raises the bound past it, or packed with rows that gain it.
void ByRows(const TCutProblem& Problem, const TPackageChoices& Choices, TClosingRows& Rows,
            std::int32_t FirstTag, TClock& Clock, TCutStats& Stats, TCutSolution& Best) {
    const double until = Clock.Elapsed() + kRowsSeconds;
    const auto pack = [&](const TClosingPlan& Plan) {
        TCutSolution packed = PackPackages(Problem, Plan.Packages, FirstTag, Plan.Groups);
        if (!Better(packed, Best)) return false;
        Best = std::move(packed);
        return true;
    };
    const auto& list = Choices.List;
    for (size_t k = 0; k < list.size(); ++k) {
        const auto& [total, packages] = list[k];
        if (total < Stats.Untergrenze - 1e-7) continue;
        if (total > Best.Total - 1e-7 || Clock.Stop() || Clock.Elapsed() > until) break;
        const TChoiceRows rows =
            Rows.ForChoice(packages, total, std::min(kRowsChoiceSeconds, until - Clock.Elapsed()),
                           Clock, Stats, pack);
        if (!rows.Cut) break;
        Stats.Untergrenze =
            std::max(Stats.Untergrenze, k + 1 < list.size() ? list[k + 1].first : Choices.Through);
    }
}

} // namespace

TCutSolution CutExact(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                      TCutStats& Stats) {
    if (Problem.Teile.empty() || Problem.Lager.empty()) return TCutSolution();
    TClock clock(Control);
    const std::int32_t firstTag = Build.TagCounter;

    // The start: a greedy packing; then the model; where that proves no optimum, the classic
    // search's first pass within a budget may still find a better solution.
    TCutSolution best = CutGreedy(Problem, firstTag);
    if (IsJoinableTyp(Problem.Typ)) {
        const TClosingSet closings = ClosingGroups(Problem);
        std::vector<TEndingGroup> groups;
        Stats.Untergrenze = JoinableBound(Problem, closings, &groups);
        TCutSolution joined = SolveJoinableByPacking(Problem, groups, firstTag, clock);
        if (Better(joined, best)) best = std::move(joined);
        // Above the bound: the choices of packages from there up, by rows of pieces that end
        // stock pieces; plans of packages and groups of a few pieces where that ends above.
        if (best.Found && best.Total > Stats.Untergrenze + 1e-7) {
            const TPackageChoices choices = PackageChoices(Problem, Stats.Untergrenze, best.Total);
            TClosingRows rows(Problem, closings);
            if (rows.Usable())
                ByRows(Problem, choices, rows, firstTag, clock, Stats, best);
            else
                Stats.Untergrenze = ClosingPlanBound(Problem, closings, choices, Stats.Untergrenze,
                                                     kPlanBoundSeconds, clock);
            if (best.Total > Stats.Untergrenze + 1e-7) {
                TCutSolution planned =
                    SolveJoinableByPlan(Problem, closings, choices, Stats.Untergrenze, best.Total,
                                        firstTag, clock, Stats);
                if (Better(planned, best)) best = std::move(planned);
            }
        }
    } else {
        TBoardModel model(Problem, clock);
        if (!model.AnyUnfit()) model.Solve(best, firstTag, Stats);
    }
    if (!best.Found || best.Total > Stats.Untergrenze + 1e-7) {
        TCutProblem firstPass = Problem;
        firstPass.Optimierung = false; // no retry stage
        TCutBuild build = Build;
        TCutControl budget;
        budget.NodeLimit = kIncumbentNodes;
        budget.TimeLimit = std::max(0.01, IsJoinableTyp(Problem.Typ)
                                              ? std::min(clock.Left(), kJoinableIncumbentSeconds)
                                              : clock.Left());
        TCutStats classicStats;
        TCutSolution classic = CutClassic(firstPass, build, budget, classicStats);
        Stats.Knoten += classicStats.Knoten;
        if (Better(classic, best)) best = std::move(classic);
    }

    if (best.Found) {
        RetagSolution(Problem, best, firstTag);
        Build.TagCounter = best.TagCounter;
        Stats.Untergrenze = std::min(Stats.Untergrenze, best.Total);
        Stats.Optimal = best.Total <= Stats.Untergrenze + 1e-7;
    }
    if (clock.Escape()) {
        Stats.Abgebrochen = true;
        Build.SkipRetry = true;
    }
    Stats.Sekunden += clock.Elapsed();
    if (Control.Status)
        Control.Status(QStringLiteral(" Kombinationen: %1   Zeit:%2")
                           .arg(Stats.Knoten)
                           .arg(QString::number(clock.Elapsed(), 'f', 0)));
    return best;
}
