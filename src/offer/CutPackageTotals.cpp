// The totals whole packages can have: the bounds are raised to them, and the joinable packing
// tries them in turn.

#include "offer/CutExact.h"

#include <algorithm>
#include <cmath>
#include <limits>

double PackageWorthAtLeast(const std::vector<TCutStock>& Lager, const std::vector<double>& Worth,
                           double Need, std::vector<int>* Packages, const TPackageBox* Box) {
    const size_t n = Lager.size();
    const double inf = std::numeric_limits<double>::infinity();
    // The articles with the largest packages first: the fewest counts to try in the outer
    // loops of the search.
    struct TArticle {
        size_t Index;
        double Package, Value, Lo, Hi;
    };
    std::vector<TArticle> a;
    for (size_t s = 0; s < n; ++s) {
        const double lo = Box ? std::max(0.0, Box->Lo[s]) : 0.0;
        const double hi = Box ? Box->Hi[s] : 1e18;
        if (lo > hi) return inf;
        a.push_back({s, Lager[s].Laenge * Lager[s].PckEin,
                     std::max(Worth[s], 0.0) * Lager[s].PckEin, lo, hi});
    }
    std::stable_sort(a.begin(), a.end(),
                     [](const TArticle& x, const TArticle& y) { return x.Package > y.Package; });
    // What the lower limits of the articles from s on add at least, what they can be worth at
    // most, and the least length of a unit of worth there.
    std::vector<double> restTotal(n + 1, 0), restWorth(n + 1, 0), mostWorth(n + 1, 0),
        cheapest(n + 1, inf);
    for (size_t s = n; s-- > 0;) {
        restTotal[s] = restTotal[s + 1] + a[s].Lo * a[s].Package;
        restWorth[s] = restWorth[s + 1] + a[s].Lo * a[s].Value;
        mostWorth[s] = mostWorth[s + 1] + (a[s].Value > 0 ? a[s].Hi * a[s].Value : 0);
        cheapest[s] = std::min(cheapest[s + 1], a[s].Value > 0 ? a[s].Package / a[s].Value : inf);
    }
    // Lengths summed in another order may differ in the last digits, never by a micrometre.
    const double target = Need - 1e-6;
    if (mostWorth[0] < target) return inf;
    std::vector<double> counts(n, 0), bestCounts;
    double best = inf;
    const auto record = [&](double total, size_t from) {
        if (total >= best - 1e-9) return;
        best = total;
        bestCounts = counts;
        for (size_t t = from; t < n; ++t)
            bestCounts[t] = a[t].Lo;
    };
    // A first choice to prune with: one article making up what the lower limits lack.
    for (size_t s = 0; s < n; ++s) {
        if (!(a[s].Value > 0)) continue;
        const double k =
            std::max(a[s].Lo, std::ceil((target - restWorth[0]) / a[s].Value + a[s].Lo - 1e-12));
        if (k > a[s].Hi || restWorth[0] + (k - a[s].Lo) * a[s].Value < target) continue;
        for (size_t t = 0; t < n; ++t)
            counts[t] = t == s ? k : a[t].Lo;
        record(restTotal[0] + (k - a[s].Lo) * a[s].Package, n);
    }
    std::fill(counts.begin(), counts.end(), 0);
    if (restWorth[0] >= target) record(restTotal[0], 0);
    // Depth-first over the package counts; the last article takes what is still needed. A
    // search cut short keeps the best choice found, and the bound falls back to the worth
    // still missing at its cheapest.
    std::int64_t steps = 0;
    constexpr std::int64_t kMaxSteps = 2000000;
    const auto search = [&](auto&& self, size_t s, double total, double worth) -> void {
        if (++steps > kMaxSteps || best <= total + restTotal[s] + 1e-9) return;
        if (worth + restWorth[s] >= target) {
            record(total + restTotal[s], s);
            return;
        }
        if (s == n || worth + mostWorth[s] < target) return;
        const double missing = target - worth - restWorth[s];
        if (total + restTotal[s] + missing * cheapest[s] >= best - 1e-9) return;
        const TArticle& art = a[s];
        // Beyond this many the later articles' lower limits alone make up the rest.
        double most = art.Lo;
        if (art.Package > 0 && art.Value > 0)
            most = std::min(
                art.Hi, std::max(art.Lo, std::ceil((target - worth - restWorth[s + 1]) / art.Value -
                                                   1e-12)));
        if (s + 1 == n) {
            if (worth + most * art.Value < target) return; // the upper limit cannot reach it
            counts[s] = most;
            self(self, s + 1, total + most * art.Package, worth + most * art.Value);
            counts[s] = 0;
            return;
        }
        for (double k = art.Lo; k <= most && steps <= kMaxSteps; ++k) {
            if (total + k * art.Package + restTotal[s + 1] >= best - 1e-9) break;
            counts[s] = k;
            self(self, s + 1, total + k * art.Package, worth + k * art.Value);
        }
        counts[s] = 0;
    };
    search(search, 0, 0.0, 0.0);
    if (Packages && std::isfinite(best)) {
        Packages->assign(n, 0);
        for (size_t t = 0; t < n; ++t)
            (*Packages)[a[t].Index] = static_cast<int>(std::min(bestCounts[t], 1e9));
    }
    if (steps > kMaxSteps) {
        // Not proven least: what the worth still missing costs at its cheapest.
        const double missing = std::max(0.0, target - restWorth[0]);
        return std::min(best, restTotal[0] + missing * cheapest[0]);
    }
    return best;
}

double PackageTotalAtLeast(const std::vector<TCutStock>& Lager, double Length,
                           std::vector<int>* Packages) {
    std::vector<double> worth;
    for (const TCutStock& s : Lager)
        worth.push_back(s.Laenge);
    const double total = PackageWorthAtLeast(Lager, worth, Length, Packages);
    return std::isfinite(total) ? total : 0;
}
