#include "offer/CutClosings.h"

#include "offer/CutOpenPiece.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Beyond this many groups, those of four pieces, then of three, are left out: the LPs over
// them would take longer than they gain.
constexpr size_t kMaxGroups = 60000;
// Sums of stock lengths looked at, and ways of making up one sum kept.
constexpr size_t kMaxStockSums = 20000;
constexpr size_t kMaxWaysPerSum = 6;
// Lengths are compared to a hair.
constexpr double kHair = 1e-7;

struct TStockSum {
    double Sum;
    std::vector<std::vector<int>> Ways;
    bool AllWays = true;
};

// The sums of stock lengths up to Limit, ascending, each with the ways to make it up; empty
// when there are too many.
std::vector<TStockSum> StockSums(const std::vector<TCutStock>& Lager, double Limit) {
    for (const TCutStock& s : Lager)
        if (s.Laenge < 1) return {};
    std::map<long long, TStockSum> sums; // by the sum in 1/1000 cm
    std::vector<int> counts(Lager.size(), 0);
    size_t visited = 0;
    const auto walk = [&](auto&& self, size_t s, double sum) -> bool {
        if (s == Lager.size()) {
            if (sum <= 0) return true;
            if (++visited > 4 * kMaxStockSums) return false;
            TStockSum& entry = sums[std::llround(sum * 1000)];
            entry.Sum = sum;
            if (entry.Ways.size() < kMaxWaysPerSum)
                entry.Ways.push_back(counts);
            else
                entry.AllWays = false;
            return sums.size() <= kMaxStockSums;
        }
        for (counts[s] = 0; sum + counts[s] * Lager[s].Laenge <= Limit + kHair; ++counts[s])
            if (!self(self, s + 1, sum + counts[s] * Lager[s].Laenge)) return false;
        counts[s] = 0;
        return true;
    };
    if (!walk(walk, 0, 0)) return {};
    std::vector<TStockSum> list;
    for (auto& [key, entry] : sums)
        list.push_back(std::move(entry));
    return list;
}

} // namespace

double MostEndGain() {
    return kSawCut + cutfill::kJoinShort;
}

double TotalWorth(const TClosingSet& Set) {
    double worth = 0;
    for (size_t c = 0; c < Set.Classes.size(); ++c)
        worth += Set.Worth[c] * Set.Classes[c].Demand;
    return worth;
}

TClosingSet ClosingGroups(const TCutProblem& Problem) {
    TClosingSet set;
    std::vector<int> classOf;
    set.Classes = PieceClasses(Problem, classOf);
    const int n = static_cast<int>(set.Classes.size());
    if (n == 0) return set;
    double longest = 0;
    for (const TPieceClass& c : set.Classes) {
        set.Worth.push_back(std::max(c.Laenge, 0.0) + kSawCut);
        longest = std::max(longest, set.Worth.back());
    }
    const std::vector<TStockSum> sums = StockSums(Problem.Lager, 4 * longest + 1);
    if (sums.empty()) return set;
    const double most = MostEndGain();
    const auto demand = [&](int c) { return set.Classes[static_cast<size_t>(c)].Demand; };

    // Every group of pieces worth W, each way of the stock sum it ends.
    const auto addGroup = [&](std::array<int, 4> classes, int size, double w) {
        auto it = std::upper_bound(sums.begin(), sums.end(), w + kHair,
                                   [](double x, const TStockSum& s) { return x < s.Sum; });
        for (; it != sums.begin() && w - std::prev(it)->Sum < most - kHair; --it) {
            set.AllWays = set.AllWays && std::prev(it)->AllWays;
            for (const std::vector<int>& way : std::prev(it)->Ways)
                set.Groups.push_back({classes, size, std::max(w - std::prev(it)->Sum, 0.0), way});
        }
    };
    // Whether a class has pieces for k more of it beside those in the group.
    const auto enough = [&](int c, std::initializer_list<int> in) {
        int k = 1;
        for (int x : in)
            k += x == c;
        return demand(c) >= k;
    };

    // Ones, twos and threes, then fours from two pairs, each class index ascending; where the
    // lengths are many, ones and twos only: the search grows with a power of their number.
    const bool triples = static_cast<size_t>(n) <= cutfill::kMaxTripleClasses;
    for (int a = 0; a < n; ++a) {
        const double wa = set.Worth[static_cast<size_t>(a)];
        addGroup({a, -1, -1, -1}, 1, wa);
        for (int b = a; b < n; ++b) {
            if (!enough(b, {a})) continue;
            const double wb = wa + set.Worth[static_cast<size_t>(b)];
            addGroup({a, b, -1, -1}, 2, wb);
            for (int c = b; c < n && triples; ++c)
                if (enough(c, {a, b}))
                    addGroup({a, b, c, -1}, 3, wb + set.Worth[static_cast<size_t>(c)]);
            if (set.Groups.size() > kMaxGroups) {
                // Too many lengths: ones and twos only.
                set.Groups.erase(std::remove_if(set.Groups.begin(), set.Groups.end(),
                                                [](const TClosingGroup& g) { return g.Size > 2; }),
                                 set.Groups.end());
                set.Most = 2;
                return set;
            }
        }
    }
    set.Most = 3;
    if (!triples) {
        set.Most = 2;
        return set;
    }
    struct TPair {
        double Worth;
        int A, B;
    };
    std::vector<TPair> pairs;
    for (int a = 0; a < n; ++a)
        for (int b = a; b < n; ++b)
            if (enough(b, {a}))
                pairs.push_back(
                    {set.Worth[static_cast<size_t>(a)] + set.Worth[static_cast<size_t>(b)], a, b});
    std::sort(pairs.begin(), pairs.end(),
              [](const TPair& x, const TPair& y) { return x.Worth < y.Worth; });
    const size_t three = set.Groups.size();
    for (const TPair& first : pairs)
        for (const TStockSum& s : sums) {
            // The second pair: worth within the gain above what the first leaves of the sum.
            const double lo = s.Sum - first.Worth;
            if (lo + most < 2 * set.Worth.back() - kHair) continue;
            auto it = std::lower_bound(pairs.begin(), pairs.end(), lo - kHair,
                                       [](const TPair& p, double x) { return p.Worth < x; });
            for (; it != pairs.end() && it->Worth < lo + most - kHair; ++it) {
                if (it->A < first.B) continue; // each group once: a <= b <= c <= d
                if (!enough(it->A, {first.A, first.B}) || !enough(it->B, {first.A, first.B, it->A}))
                    continue;
                set.AllWays = set.AllWays && s.AllWays;
                for (const std::vector<int>& way : s.Ways)
                    set.Groups.push_back({{first.A, first.B, it->A, it->B},
                                          4,
                                          std::max(first.Worth + it->Worth - s.Sum, 0.0),
                                          way});
                if (set.Groups.size() > kMaxGroups) {
                    set.Groups.resize(three);
                    return set;
                }
            }
        }
    set.Most = 4;
    return set;
}
