#include "offer/CutJoinable.h"

#include "offer/CutExact.h"
#include "offer/CutPacking.h"

#include <algorithm>
#include <cmath>

namespace {

// Package totals tried for joinable pieces, and the first step up from the bound (cm).
constexpr int kJoinableTries = 40;
constexpr double kJoinableStep = 5;

} // namespace

double JoinableBound(const TCutProblem& Problem) {
    if (Problem.Lager.empty()) return 0;
    double longest = 0;
    for (const TCutStock& s : Problem.Lager)
        longest = std::max(longest, s.Laenge);
    double shortest = 0, need = 0;
    for (const TCutPiece& p : Problem.Teile) {
        const double length = std::max(p.Laenge, 0.0);
        shortest += std::max(length - 1, 0.0);
        // Segments of at most the longest stock length must give more than length - 1 cm;
        // all but the last take whole remainders, one per stock piece.
        const double segments =
            longest > 0 ? std::floor(std::max(length - 1 - 1e-6, 0.0) / longest) + 1 : 1;
        need += length + kSawCut + (segments - 1) * (kSawCut + 1);
    }
    std::vector<double> worth;
    for (const TCutStock& s : Problem.Lager)
        worth.push_back(s.Laenge + kSawCut + 1);
    const double byCuts = PackageWorthAtLeast(Problem.Lager, worth, need - 1e-6);
    return std::max(PackageTotalAtLeast(Problem.Lager, shortest),
                    std::isfinite(byCuts) ? byCuts : 0.0);
}

TCutSolution SolveJoinableByPacking(const TCutProblem& Problem, std::int32_t FirstTag,
                                    TClock& Clock) {
    double length = 0;
    for (const TCutPiece& p : Problem.Teile)
        length += std::max(p.Laenge, 0.0);
    // Package totals from the pieces' length up, one choice of packages for each, in steps
    // that double until the pieces can be packed, then halved back: joins cost only saw cuts
    // and stubs, so the total the packing needs lies soon above that.
    const auto packInto = [&](const std::vector<int>& Packages) {
        std::vector<int> pieces;
        for (size_t s = 0; s < Packages.size(); ++s)
            pieces.push_back(Packages[s] * Problem.Lager[s].PckEin);
        return PackJoinable(Problem, pieces, FirstTag);
    };
    const auto pack = [&](double need, double& total) {
        std::vector<int> packages;
        total = PackageTotalAtLeast(Problem.Lager, need, &packages);
        if (!(total > 0) || packages.empty()) return TCutSolution();
        return packInto(packages);
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
