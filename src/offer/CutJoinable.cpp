#include "offer/CutJoinable.h"

#include "offer/CutExact.h"
#include "offer/CutOpenPiece.h"
#include "offer/CutPricing.h"

#include <coin/ClpSimplex.hpp>
#include <coin/CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

using cutfill::kMaxTripleClasses;

namespace {

// Package totals tried for joinable pieces, and the first step up from the bound (cm).
constexpr int kJoinableTries = 40;
constexpr double kJoinableStep = 5;
// What a stock piece gives beyond its length where a piece ends it: its saw cut, and less than
// 1 cm the piece may lack.
constexpr double kEndGain = kSawCut + 1;
// Beyond this many sums of stock lengths, or cutfill::kMaxTripleClasses lengths, groups that
// end stock pieces are not looked for, or not those of three (the bound is then weaker, never
// wrong).
constexpr size_t kMaxStockSums = 20000;

// The sums of stock lengths up to Limit, ascending; empty when there are too many.
std::vector<double> StockSums(const std::vector<TCutStock>& Lager, double Limit) {
    std::vector<double> sums{0};
    for (const TCutStock& s : Lager) {
        if (s.Laenge < 1) return {};
        const size_t before = sums.size();
        for (size_t i = 0; i < before; ++i)
            for (double x = sums[i] + s.Laenge; x <= Limit; x += s.Laenge) {
                sums.push_back(x);
                if (sums.size() > kMaxStockSums) return {};
            }
        std::sort(sums.begin(), sums.end());
        sums.erase(
            std::unique(sums.begin(), sums.end(), [](double a, double b) { return b - a < 1e-9; }),
            sums.end());
    }
    return sums;
}

// The pieces by worth (length and saw cut), ascending, with how many there are of each, and
// the sums of stock lengths up to three of the longest pieces.
struct TClosings {
    std::vector<double> Worth;
    std::vector<int> Left;
    std::vector<double> Sums; // empty when there are too many

    explicit TClosings(const TCutProblem& Problem) {
        std::vector<int> classOf;
        const std::vector<TPieceClass> classes = PieceClasses(Problem, classOf);
        for (auto c = classes.rbegin(); c != classes.rend(); ++c) {
            Worth.push_back(std::max(c->Laenge, 0.0) + kSawCut);
            Left.push_back(c->Demand);
        }
        if (!Worth.empty()) Sums = StockSums(Problem.Lager, 3 * Worth.back() + 1);
    }

    // The sum of stock lengths a group of pieces worth W ends: the largest below it, when it
    // lies less than kEndGain below (rounding counts for that); else 0.
    double EndedSum(double W) const {
        const auto it = std::upper_bound(Sums.begin(), Sums.end(), W + 1e-9);
        if (it == Sums.begin() || *std::prev(it) <= 0) return 0;
        return W - *std::prev(it) < kEndGain + 1e-6 ? *std::prev(it) : 0;
    }

    // What a group of pieces worth W gains where it ends its stock pieces (rounded up by a
    // hair): 0 when it ends none.
    double Gain(double W) const {
        const double sum = EndedSum(W);
        return sum > 0 ? std::max(W - sum, 0.0) + 1e-6 : 0;
    }

    // Every group of one to Most (at most three) pieces there are, as classes a <= b <= c
    // (-1: none), with its gain.
    template <typename F>
    void ForGroups(int Most, F Visit) const {
        const int n = static_cast<int>(Worth.size());
        const auto left = [&](int k) { return Left[static_cast<size_t>(k)]; };
        const auto worth = [&](int k) { return Worth[static_cast<size_t>(k)]; };
        for (int a = 0; a < n; ++a) {
            Visit(a, -1, -1, Gain(worth(a)));
            for (int b = a; b < n && Most >= 2; ++b) {
                if (left(b) <= (b == a)) continue;
                Visit(a, b, -1, Gain(worth(a) + worth(b)));
                for (int c = b; c < n && Most >= 3; ++c)
                    if (left(c) > (c == a) + (c == b))
                        Visit(a, b, c, Gain(worth(a) + worth(b) + worth(c)));
            }
        }
    }
};

// A stock piece gains only where the last cut of a piece ends it, and the stock pieces that
// joined pieces link gain nothing but at the one that ends them: so the pieces of such a group
// together are worth (length and one saw cut each) more than its stock pieces by less than
// kEndGain. The most groups that can end so: pieces alone, in twos or threes whose worth
// exceeds a sum of stock lengths by less than that, and any four or more.
double MostClosings(const TClosings& Closings, double Pieces) {
    if (Closings.Sums.size() < 2) return Pieces;
    const size_t classes = Closings.Worth.size();
    const int most = classes > kMaxTripleClasses ? 2 : 3;
    // The fewest pieces of a group the class is in (4: none of three or fewer).
    std::vector<int> in(classes, most == 3 ? 4 : 3);
    Closings.ForGroups(most, [&](int a, int b, int c, double gain) {
        if (gain <= 0) return;
        const int size = 1 + (b >= 0) + (c >= 0);
        for (int k : {a, b, c})
            if (k >= 0) in[static_cast<size_t>(k)] = std::min(in[static_cast<size_t>(k)], size);
    });
    // Groups of the fewest pieces first: those alone, then pairs of those in pairs, ...
    double within[5] = {0, 0, 0, 0, 0};
    for (size_t a = 0; a < classes; ++a)
        within[in[a]] += Closings.Left[a];
    double groups = 0, used = 0, reach = 0;
    for (int k = 1; k <= 4; ++k) {
        reach += within[k];
        groups += (reach - used) / k;
        used = reach;
    }
    return groups;
}

// The most all groups that end short can gain together, as an LP over the groups of one, two
// and three pieces, each worth what it gains, and any piece of a larger group a quarter of the
// most a group gains. Infinite when the LP does not solve or the lengths are too many.
double MostSaving(const TClosings& Closings, std::vector<TEndingGroup>* Plan) {
    const size_t classes = Closings.Worth.size();
    if (classes == 0 || classes > kMaxTripleClasses || Closings.Sums.size() < 2)
        return std::numeric_limits<double>::infinity();
    ClpSimplex lp;
    std::vector<double> rowLower(classes, -COIN_DBL_MAX), rowUpper;
    for (int n : Closings.Left)
        rowUpper.push_back(n);
    CoinPackedMatrix empty(true, 0, 0);
    empty.setDimensions(static_cast<int>(classes), 0);
    lp.loadProblem(empty, nullptr, nullptr, nullptr, rowLower.data(), rowUpper.data());
    lp.setLogLevel(0);
    std::vector<int> starts{0}, rows;
    std::vector<double> values, lower, upper, cost;
    std::vector<TEndingGroup> groups; // per column
    const auto add = [&](double gain, std::initializer_list<int> members) {
        // As PieceClasses has them, longest first.
        TEndingGroup g;
        double worth = 0;
        for (int m : members)
            if (m >= 0) {
                g.Classes.push_back(static_cast<int>(classes) - 1 - m);
                worth += Closings.Worth[static_cast<size_t>(m)];
            }
        g.Sum = Closings.EndedSum(worth);
        groups.push_back(g);
        std::map<int, double> k;
        for (int m : members)
            if (m >= 0) k[m] += 1;
        for (const auto& [row, v] : k) {
            rows.push_back(row);
            values.push_back(v);
        }
        starts.push_back(static_cast<int>(rows.size()));
        lower.push_back(0);
        upper.push_back(COIN_DBL_MAX);
        cost.push_back(-gain);
    };
    for (int a = 0; a < static_cast<int>(classes); ++a)
        add(kEndGain / 4 + 1e-6, {a});
    Closings.ForGroups(3, [&](int a, int b, int c, double gain) {
        if (gain > 0) add(gain, {a, b, c});
    });
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
            groups[j].Count = static_cast<int>(std::floor(x[j] + 1e-6));
            Plan->push_back(groups[j]);
        }
    }
    return -lp.objectiveValue() + 1e-4;
}

} // namespace

double JoinableBound(const TCutProblem& Problem, std::vector<TEndingGroup>* Groups) {
    if (Problem.Lager.empty()) return 0;
    // Whatever a solution opens, its longest stock article decides how many joins the long
    // pieces need at least: the bound of each choice of the longest, the least of them.
    double bound = std::numeric_limits<double>::infinity();
    double worthAll = 0, shortest = 0;
    for (const TCutPiece& p : Problem.Teile) {
        worthAll += std::max(p.Laenge, 0.0) + kSawCut;
        shortest += std::max(p.Laenge - 1, 0.0);
    }
    const TClosings closings(Problem);
    const double closingNeed =
        worthAll -
        std::min(kEndGain * MostClosings(closings, static_cast<double>(Problem.Teile.size())),
                 MostSaving(closings, Groups));
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
            worth.push_back(s.Laenge + kEndGain);
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
    const auto packInto = [&](const std::vector<int>& Packages) {
        std::vector<int> pieces;
        for (size_t s = 0; s < Packages.size(); ++s)
            pieces.push_back(Packages[s] * Problem.Lager[s].PckEin);
        return PackJoinable(Problem, pieces, FirstTag, Groups);
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
