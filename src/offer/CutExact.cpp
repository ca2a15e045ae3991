#include "offer/CutExact.h"

#include "offer/CutBoardModel.h"
#include "offer/CutClassic.h"
#include "offer/CutClock.h"
#include "offer/CutPacking.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The classic search's first pass gives the start solution within this many nodes.
constexpr std::int64_t kIncumbentNodes = 20000;
// Package combinations tried for joinable pieces before the best packing found is kept.
constexpr int kJoinableCombinations = 60;

bool Better(const TCutSolution& a, const TCutSolution& b) {
    return a.Found && (!b.Found || a.Total < b.Total - 1e-7);
}

// --- Joinable pieces -------------------------------------------------------------------------

TCutSolution SolveJoinable(const TCutProblem& Problem, std::int32_t FirstTag, TCutStats& Stats,
                           TClock& Clock) {
    double length = 0;
    for (const TCutPiece& p : Problem.Teile)
        length += std::max(p.Laenge, 0.0);
    Stats.Untergrenze = PackageTotalAtLeast(Problem.Lager, length);
    // Package combinations by total, smallest first, from the bound on.
    std::vector<std::pair<double, std::vector<int>>> combinations;
    std::vector<int> counts(Problem.Lager.size(), 0);
    const double limit =
        Stats.Untergrenze + Problem.Lager.front().Laenge * Problem.Lager.front().PckEin * 2;
    const auto enumerate = [&](auto&& self, size_t s, double total) -> void {
        if (combinations.size() > 5000) return;
        if (s == Problem.Lager.size()) {
            if (total >= Stats.Untergrenze - 1e-7) combinations.emplace_back(total, counts);
            return;
        }
        const double package = Problem.Lager[s].Laenge * Problem.Lager[s].PckEin;
        for (int n = 0; total + n * package <= limit + 1e-7; ++n) {
            counts[s] = n * Problem.Lager[s].PckEin;
            self(self, s + 1, total + n * package);
        }
        counts[s] = 0;
    };
    enumerate(enumerate, 0, 0.0);
    std::stable_sort(combinations.begin(), combinations.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    int tried = 0;
    for (const auto& [total, stockCounts] : combinations) {
        if (++tried > kJoinableCombinations || Clock.Stop()) break;
        TCutSolution solution = PackJoinable(Problem, stockCounts, FirstTag);
        if (solution.Found) return solution;
    }
    return TCutSolution();
}

} // namespace

TCutSolution CutExact(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                      TCutStats& Stats) {
    if (Problem.Teile.empty() || Problem.Lager.empty()) return TCutSolution();
    TClock clock(Control);
    const std::int32_t firstTag = Build.TagCounter;

    // The start: a greedy packing and the classic search's first pass within a budget.
    TCutSolution best = CutGreedy(Problem, firstTag);
    {
        TCutProblem firstPass = Problem;
        firstPass.Optimierung = false; // no retry stage
        TCutBuild build = Build;
        TCutControl budget;
        budget.NodeLimit = kIncumbentNodes;
        budget.TimeLimit = std::max(0.01, clock.Left() / 4);
        TCutStats classicStats;
        TCutSolution classic = CutClassic(firstPass, build, budget, classicStats);
        Stats.Knoten += classicStats.Knoten;
        if (Better(classic, best)) best = std::move(classic);
    }

    if (IsJoinableTyp(Problem.Typ)) {
        TCutSolution joined = SolveJoinable(Problem, firstTag, Stats, clock);
        if (Better(joined, best)) best = std::move(joined);
    } else {
        TBoardModel model(Problem, clock);
        if (!model.AnyUnfit()) model.Solve(best, firstTag, Stats);
    }

    if (best.Found) {
        RetagSolution(Problem, best, firstTag);
        Build.TagCounter = best.TagCounter;
        // The classic search may use the 1 cm a joined piece may lack: its result is then below
        // the bound of the model, which counts whole pieces.
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
