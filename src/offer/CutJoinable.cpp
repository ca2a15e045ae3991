#include "offer/CutJoinable.h"

#include "offer/CutClosingPlan.h"
#include "offer/CutClosings.h"
#include "offer/CutExact.h"
#include "offer/CutOpenPiece.h"
#include "offer/CutPricing.h"

#include <coin/ClpSimplex.hpp>
#include <coin/CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

// Package totals tried for joinable pieces, and the first step up from the bound (cm).
constexpr int kJoinableTries = 40;
constexpr double kJoinableStep = 5;
// What the plans of closing groups leave for the stubs of the rest (cm), tried in turn, and
// how long their searches may take together (s).
constexpr double kPlanMargins[] = {0, 5, 20};
constexpr double kPlanSeconds = 0.3;
// The most the plan for one choice of packages leaves to the rest chained (cm), and how long
// the plans for choices may take together (s).
constexpr double kChoiceLeast = -25;
constexpr double kChoiceSeconds = 0.15;

// A stock piece gains only where the last cut of a piece ends it, and the stock pieces that
// joined pieces link gain nothing but at the one that ends them: so the pieces of such a group
// together are worth (length and one saw cut each) more than its stock pieces by less than
// MostEndGain(). The most groups that can end so: those listed, and any of more pieces.
double MostClosings(const TClosingSet& Set, double Pieces) {
    if (Set.Most == 0) return Pieces;
    const size_t classes = Set.Classes.size();
    // The fewest pieces of a group the class is in (Most + 1: none listed).
    std::vector<int> in(classes, Set.Most + 1);
    for (const TClosingGroup& g : Set.Groups)
        if (g.Gain > 0)
            for (int k = 0; k < g.Size; ++k) {
                int& fewest = in[static_cast<size_t>(g.Classes[static_cast<size_t>(k)])];
                fewest = std::min(fewest, g.Size);
            }
    // Groups of the fewest pieces first: those alone, then pairs of those in pairs, ...
    std::vector<double> within(static_cast<size_t>(Set.Most) + 2, 0);
    for (size_t a = 0; a < classes; ++a)
        within[static_cast<size_t>(in[a])] += Set.Classes[a].Demand;
    double groups = 0, used = 0, reach = 0;
    for (int k = 1; k <= Set.Most + 1; ++k) {
        reach += within[static_cast<size_t>(k)];
        groups += (reach - used) / k;
        used = reach;
    }
    return groups;
}

// The most all groups that end short can gain together, as an LP over the groups listed, each
// worth what it gains, and any piece of a larger group its share of the most a group gains.
// Infinite when the LP does not solve or no groups are listed.
double MostSaving(const TClosingSet& Set, std::vector<TEndingGroup>* Plan) {
    const size_t classes = Set.Classes.size();
    if (classes == 0 || Set.Most == 0) return std::numeric_limits<double>::infinity();
    ClpSimplex lp;
    std::vector<double> rowLower(classes, -COIN_DBL_MAX), rowUpper;
    for (const TPieceClass& c : Set.Classes)
        rowUpper.push_back(c.Demand);
    CoinPackedMatrix empty(true, 0, 0);
    empty.setDimensions(static_cast<int>(classes), 0);
    lp.loadProblem(empty, nullptr, nullptr, nullptr, rowLower.data(), rowUpper.data());
    lp.setLogLevel(0);
    std::vector<int> starts{0}, rows;
    std::vector<double> values, lower, upper, cost;
    std::vector<const TClosingGroup*> groups; // per column, null for a piece of a larger group
    const auto add = [&](double gain, const TClosingGroup* g, std::initializer_list<int> one) {
        std::map<int, double> k;
        if (g)
            for (int i = 0; i < g->Size; ++i)
                k[g->Classes[static_cast<size_t>(i)]] += 1;
        for (int c : one)
            k[c] += 1;
        for (const auto& [row, v] : k) {
            rows.push_back(row);
            values.push_back(v);
        }
        starts.push_back(static_cast<int>(rows.size()));
        lower.push_back(0);
        upper.push_back(COIN_DBL_MAX);
        cost.push_back(-gain);
        groups.push_back(g);
    };
    for (int a = 0; a < static_cast<int>(classes); ++a)
        add(MostEndGain() / (Set.Most + 1) + 1e-6, nullptr, {a});
    // The ways of the stock do not matter here: each group once, with its largest gain.
    std::map<std::array<int, 4>, const TClosingGroup*> best;
    for (const TClosingGroup& g : Set.Groups) {
        const TClosingGroup*& b = best[g.Classes];
        if (g.Gain > 0 && (!b || g.Gain > b->Gain)) b = &g;
    }
    for (const auto& [key, g] : best)
        if (g) add(g->Gain + 1e-6, g, {});
    lp.addColumns(static_cast<int>(cost.size()), lower.data(), upper.data(), cost.data(),
                  starts.data(), rows.data(), values.data());
    lp.primal();
    if (!lp.isProvenOptimal()) return std::numeric_limits<double>::infinity();
    if (Plan) {
        // The whole groups of the LP's solution, the most gaining first.
        const double* x = lp.primalColumnSolution();
        std::vector<std::pair<double, size_t>> order;
        for (size_t j = classes; j < groups.size(); ++j)
            if (x[j] >= 1 - 1e-6) order.emplace_back(-cost[j], j);
        std::sort(order.rbegin(), order.rend());
        for (const auto& [gain, j] : order) {
            const TClosingGroup& g = *groups[j];
            TEndingGroup e;
            e.Classes.assign(g.Classes.begin(), g.Classes.begin() + g.Size);
            e.Stock = g.Stock;
            e.Count = static_cast<int>(std::floor(x[j] + 1e-6));
            Plan->push_back(std::move(e));
        }
    }
    return -lp.objectiveValue() + 1e-4;
}

} // namespace

TCutSolution PackPackages(const TCutProblem& Problem, const std::vector<int>& Packages,
                          std::int32_t FirstTag, const std::vector<TEndingGroup>& Groups) {
    return PackJoinable(Problem, StockPieces(Problem, Packages), FirstTag, Groups);
}

double JoinableBound(const TCutProblem& Problem, std::vector<TEndingGroup>* Groups) {
    return JoinableBound(Problem, ClosingGroups(Problem), Groups);
}

double JoinableBound(const TCutProblem& Problem, const TClosingSet& Closings,
                     std::vector<TEndingGroup>* Groups) {
    if (Problem.Lager.empty()) return 0;
    // Whatever a solution opens, its longest stock article decides how many joins the long
    // pieces need at least: the bound of each choice of the longest, the least of them.
    double bound = std::numeric_limits<double>::infinity();
    double shortest = 0;
    for (const TCutPiece& p : Problem.Teile)
        shortest += std::max(p.Laenge - 1, 0.0);
    const double closingNeed =
        TotalWorth(Closings) -
        std::min(MostEndGain() * MostClosings(Closings, static_cast<double>(Problem.Teile.size())),
                 MostSaving(Closings, Groups));
    for (size_t m = 0; m < Problem.Lager.size(); ++m) {
        const std::vector<TCutStock> lager(Problem.Lager.begin() + static_cast<std::ptrdiff_t>(m),
                                           Problem.Lager.end());
        double longest = 0;
        for (const TCutStock& s : lager)
            longest = std::max(longest, s.Laenge);
        double need = 0;
        for (const TCutPiece& p : Problem.Teile) {
            const double length = std::max(p.Laenge, 0.0);
            // Segments of at most the longest stock length must give more than length - 1 cm;
            // all but the last take whole remainders, one per stock piece.
            const double segments =
                longest > 0 ? std::floor(std::max(length - 1 - 1e-6, 0.0) / longest) + 1 : 1;
            need += length + kSawCut + (segments - 1) * (kSawCut + 1);
        }
        std::vector<double> worth;
        for (const TCutStock& s : lager)
            worth.push_back(s.Laenge + MostEndGain());
        // At least one package of the longest.
        TPackageBox box;
        box.Lo.assign(lager.size(), 0);
        box.Lo[0] = 1;
        box.Hi.assign(lager.size(), 1e18);
        const double byCuts = PackageWorthAtLeast(lager, worth, need - 1e-6, nullptr, &box);
        if (!std::isfinite(byCuts)) continue;
        std::vector<double> length;
        for (const TCutStock& s : lager)
            length.push_back(s.Laenge);
        const double byLength = PackageWorthAtLeast(
            lager, length, std::max(shortest, closingNeed) - 1e-6, nullptr, &box);
        bound = std::min(bound, std::max(byLength, byCuts));
    }
    return std::isfinite(bound) ? bound : 0;
}

TCutSolution SolveJoinableByPacking(const TCutProblem& Problem,
                                    const std::vector<TEndingGroup>& Groups, std::int32_t FirstTag,
                                    TClock& Clock) {
    double length = 0;
    for (const TCutPiece& p : Problem.Teile)
        length += std::max(p.Laenge, 0.0);
    // Package totals from the pieces' length up, one choice of packages for each, in steps
    // that double until the pieces can be packed, then halved back: joins cost only saw cuts
    // and stubs, so the total the packing needs lies soon above that.
    const auto pack = [&](double need, double& total) {
        std::vector<int> packages;
        total = PackageTotalAtLeast(Problem.Lager, need, &packages);
        if (!(total > 0) || packages.empty()) return TCutSolution();
        return PackPackages(Problem, packages, FirstTag, Groups);
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

TCutSolution SolveJoinableByPlan(const TCutProblem& Problem, const TClosingSet& Closings,
                                 const TPackageChoices& Choices, double From, double Below,
                                 std::int32_t FirstTag, TClock& Clock, TCutStats& Stats) {
    const double until = Clock.Elapsed() + kPlanSeconds;
    const auto realize = [&](const TClosingPlan& plan) {
        return PackPackages(Problem, plan.Packages, FirstTag, plan.Groups);
    };
    // The choices of packages from the bound up, the least first, each with its own plan; the
    // rest chained may end stock pieces too and gain what the groups lack.
    const double choicesUntil = std::min(until, Clock.Elapsed() + kChoiceSeconds);
    TChoicePlanner planner(Problem, Closings);
    for (const auto& [total, packages] : Choices.List) {
        if (Clock.Stop() || Clock.Elapsed() >= choicesUntil) break;
        if (total < From - 1e-7) continue; // below the bound
        double slack = 0;
        const TClosingPlan plan = planner.Plan(packages, slack);
        if (!plan.Found || slack < kChoiceLeast) continue;
        TCutSolution solution = realize(plan);
        if (solution.Found) return solution;
    }
    // Any packages: the plan needs its slack for the stubs of the rest chained, more of it
    // each time the pieces do not fit.
    for (const double margin : kPlanMargins) {
        if (Clock.Stop() || Clock.Elapsed() >= until) break;
        const TClosingPlan plan =
            PlanClosings(Problem, Closings, margin, until - Clock.Elapsed(), Clock, Stats);
        if (!plan.Found || plan.Total >= Below - 1e-7) break;
        TCutSolution solution = realize(plan);
        if (solution.Found) return solution;
    }
    return TCutSolution();
}
