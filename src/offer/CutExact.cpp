#include "offer/CutExact.h"

#include "offer/CutBoardModel.h"
#include "offer/CutClassic.h"
#include "offer/CutClock.h"
#include "offer/CutPacking.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The classic search's first pass tries to improve an unproven result within this many nodes.
constexpr std::int64_t kIncumbentNodes = 20000;
// Package totals tried for joinable pieces, and the first step up from the bound (cm).
constexpr int kJoinableTries = 40;
constexpr double kJoinableStep = 5;

bool Better(const TCutSolution& a, const TCutSolution& b) {
    return a.Found && (!b.Found || a.Total < b.Total - 1e-7);
}

// --- Joinable pieces -------------------------------------------------------------------------

TCutSolution SolveJoinable(const TCutProblem& Problem, std::int32_t FirstTag, TCutStats& Stats,
                           TClock& Clock) {
    // Every piece whole, but a joined one may lack less than 1 cm: the bound allows for it.
    double length = 0, shortest = 0;
    for (const TCutPiece& p : Problem.Teile) {
        length += std::max(p.Laenge, 0.0);
        shortest += std::max(p.Laenge - 1, 0.0);
    }
    Stats.Untergrenze = PackageTotalAtLeast(Problem.Lager, shortest);
    // Package totals from the bound up, one choice of packages for each, in steps that double
    // until the pieces can be packed, then halved back: joins cost only saw cuts and stubs,
    // so the total the packing needs lies soon above the bound.
    const auto pack = [&](double need, double& total) {
        std::vector<int> packages;
        total = PackageTotalAtLeast(Problem.Lager, need, &packages);
        if (!(total > 0)) return TCutSolution();
        std::vector<int> pieces;
        for (size_t s = 0; s < packages.size(); ++s)
            pieces.push_back(packages[s] * Problem.Lager[s].PckEin);
        return PackJoinable(Problem, pieces, FirstTag);
    };
    TCutSolution best;
    double failed = 0, total = 0, step = kJoinableStep;
    for (int tried = 0; tried < kJoinableTries && !Clock.Stop(); ++tried) {
        double need = std::max(length, failed + step);
        if (best.Found) {
            // Between the last total that failed and the best one; the next total above the
            // failed one when the middle rounds up to the best.
            need = (failed + best.Total) / 2;
            if (PackageTotalAtLeast(Problem.Lager, need) >= best.Total - 1e-7) need = failed + 1e-3;
            if (PackageTotalAtLeast(Problem.Lager, need) >= best.Total - 1e-7) break;
        }
        TCutSolution solution = pack(need, total);
        if (!(total > 0)) break;
        if (solution.Found) {
            if (!best.Found || solution.Total < best.Total) best = std::move(solution);
        } else {
            failed = std::max(failed, total);
            step *= 2;
        }
    }
    return best;
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
        TCutSolution joined = SolveJoinable(Problem, firstTag, Stats, clock);
        if (Better(joined, best)) best = std::move(joined);
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
        budget.TimeLimit = std::max(0.01, clock.Left());
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
