#include "offer/CutJoinable.h"

#include "offer/CutExact.h"
#include "offer/CutPacking.h"

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
// What a stock piece gives beyond its length where a piece ends it: its saw cut, and less than
// 1 cm the piece may lack.
constexpr double kEndGain = kSawCut + 1;
// Beyond these, the closings of three pieces, or any sums of stock lengths, are not looked
// for (the bound is then weaker, never wrong).
constexpr size_t kMaxTripleClasses = 80;
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

// A stock piece saves only where the last cut of a piece ends it, and the stock pieces that
// joined pieces link lose nothing to the one that ends them: so the pieces of such a group
// together are worth (length and one saw cut each) more than its stock pieces by less than
// kEndGain. The most groups that can end so: pieces alone, in twos or threes whose worth
// exceeds a sum of stock lengths by less than that, and any four or more.
double MostClosings(const TCutProblem& Problem) {
    if (Problem.Teile.empty()) return 0;
    std::map<double, int> count; // worth -> pieces
    for (const TCutPiece& p : Problem.Teile)
        ++count[std::max(p.Laenge, 0.0) + kSawCut];
    const std::vector<double> worth = [&] {
        std::vector<double> w;
        for (const auto& [value, n] : count)
            w.push_back(value);
        return w;
    }();
    std::vector<int> left;
    for (const auto& [value, n] : count)
        left.push_back(n);
    const size_t classes = worth.size();
    const double n = static_cast<double>(Problem.Teile.size());
    const std::vector<double> sums = StockSums(Problem.Lager, 3 * worth.back() + 1);
    if (sums.size() < 2) return n;
    const auto closes = [&](double w) {
        // The largest sum of stock lengths not above the worth; rounding counts for a closing.
        const auto it = std::upper_bound(sums.begin(), sums.end(), w + 1e-9);
        return it != sums.begin() && *std::prev(it) > 0 && w - *std::prev(it) < kEndGain + 1e-6;
    };
    // The fewest pieces of a closing the class is in (4: none of three or fewer).
    std::vector<int> in(classes, 4);
    for (size_t a = 0; a < classes; ++a) {
        if (closes(worth[a])) in[a] = 1;
        for (size_t b = a; b < classes; ++b) {
            if (b == a && left[a] < 2) continue;
            if (closes(worth[a] + worth[b])) {
                in[a] = std::min(in[a], 2);
                in[b] = std::min(in[b], 2);
            }
            if (classes > kMaxTripleClasses) continue;
            for (size_t c = b; c < classes; ++c) {
                if (in[a] <= 3 && in[b] <= 3 && in[c] <= 3) continue;
                const int same = (c == a) + (c == b);
                if (left[c] <= same || (b == a && c == a && left[a] < 3)) continue;
                if (closes(worth[a] + worth[b] + worth[c])) {
                    in[a] = std::min(in[a], 3);
                    in[b] = std::min(in[b], 3);
                    in[c] = std::min(in[c], 3);
                }
            }
        }
    }
    if (classes > kMaxTripleClasses)
        for (int& k : in)
            k = std::min(k, 3); // threes not looked for: any three may close
    // Groups of the fewest pieces first: n1 pieces alone, then pairs of those in pairs, ...
    double within[5] = {0, 0, 0, 0, 0};
    for (size_t a = 0; a < classes; ++a)
        within[in[a]] += left[a];
    double groups = 0, used = 0, reach = 0;
    for (int k = 1; k <= 4; ++k) {
        reach += within[k];
        groups += (reach - used) / k;
        used = reach;
    }
    return groups;
}

// The most all groups that end short can save together, as an LP over the closings of one,
// two and three pieces, each worth what it saves, and any piece of a larger group a quarter of
// the most a group saves. Infinite when the LP does not solve.
double MostSaving(const TCutProblem& Problem) {
    std::map<double, int> count;
    for (const TCutPiece& p : Problem.Teile)
        ++count[std::max(p.Laenge, 0.0) + kSawCut];
    std::vector<double> worth;
    std::vector<int> left;
    for (const auto& [value, n] : count) {
        worth.push_back(value);
        left.push_back(n);
    }
    const size_t classes = worth.size();
    if (classes == 0 || classes > kMaxTripleClasses) return std::numeric_limits<double>::infinity();
    const std::vector<double> sums = StockSums(Problem.Lager, 3 * worth.back() + 1);
    if (sums.size() < 2) return std::numeric_limits<double>::infinity();
    const auto saving = [&](double w) {
        const auto it = std::upper_bound(sums.begin(), sums.end(), w + 1e-9);
        if (it == sums.begin() || *std::prev(it) <= 0) return 0.0;
        const double gain = w - *std::prev(it);
        return gain < kEndGain + 1e-6 ? std::max(gain, 0.0) + 1e-6 : 0.0;
    };
    ClpSimplex lp;
    std::vector<double> rowLower(classes, -COIN_DBL_MAX), rowUpper;
    for (int n : left)
        rowUpper.push_back(n);
    CoinPackedMatrix empty(true, 0, 0);
    empty.setDimensions(static_cast<int>(classes), 0);
    lp.loadProblem(empty, nullptr, nullptr, nullptr, rowLower.data(), rowUpper.data());
    lp.setLogLevel(0);
    std::vector<int> starts{0}, rows;
    std::vector<double> values, lower, upper, cost;
    const auto add = [&](double gain, std::initializer_list<int> members) {
        if (gain <= 0) return;
        std::map<int, double> k;
        for (int m : members)
            k[m] += 1;
        for (const auto& [row, v] : k) {
            rows.push_back(row);
            values.push_back(v);
        }
        starts.push_back(static_cast<int>(rows.size()));
        lower.push_back(0);
        upper.push_back(COIN_DBL_MAX);
        cost.push_back(-gain);
    };
    for (int a = 0; a < static_cast<int>(classes); ++a) {
        add(kEndGain / 4 + 1e-6, {a});
        add(saving(worth[a]), {a});
        for (int b = a; b < static_cast<int>(classes); ++b) {
            if (b == a && left[a] < 2) continue;
            add(saving(worth[a] + worth[b]), {a, b});
            for (int c = b; c < static_cast<int>(classes); ++c) {
                if (left[c] <= (c == a) + (c == b)) continue;
                add(saving(worth[a] + worth[b] + worth[c]), {a, b, c});
            }
        }
    }
    lp.addColumns(static_cast<int>(cost.size()), lower.data(), upper.data(), cost.data(),
                  starts.data(), rows.data(), values.data());
    lp.primal();
    if (!lp.isProvenOptimal()) return std::numeric_limits<double>::infinity();
    return -lp.objectiveValue() + 1e-4;
}

} // namespace

double JoinableBound(const TCutProblem& Problem) {
    if (Problem.Lager.empty()) return 0;
    // Whatever a solution opens, its longest stock article decides how many joins the long
    // pieces need at least: the bound of each choice of the longest, the least of them.
    double bound = std::numeric_limits<double>::infinity();
    double worthAll = 0;
    for (const TCutPiece& p : Problem.Teile)
        worthAll += std::max(p.Laenge, 0.0) + kSawCut;
    const double closingNeed =
        worthAll - std::min(kEndGain * MostClosings(Problem), MostSaving(Problem));
    for (size_t m = 0; m < Problem.Lager.size(); ++m) {
        const std::vector<TCutStock> lager(Problem.Lager.begin() + static_cast<std::ptrdiff_t>(m),
                                           Problem.Lager.end());
        double longest = 0;
        for (const TCutStock& s : lager)
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
        for (const TCutStock& s : lager)
            worth.push_back(s.Laenge + kSawCut + 1);
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
