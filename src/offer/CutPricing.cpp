#include "offer/CutPricing.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>

namespace {

constexpr double kEps = 1e-9;
// Patterns kept from one search: the runners-up save rounds of the column generation.
constexpr size_t kKeptPatterns = 1;

double Weight(const TPieceClass& c) {
    return std::max(c.Laenge, 0.0) + kSawCut;
}

double Capacity(const TCutProblem& Problem, int Stock) {
    return Problem.Lager[static_cast<size_t>(Stock)].Laenge + kSawCut;
}

// How many pieces of that code a stock piece in that state can still give.
int CodeCopies(std::int32_t State, std::int32_t Code) {
    if (Code <= 1) return 1 << 30;
    int k = 0;
    while (State % Code == 0 && State > 0) {
        State /= Code;
        ++k;
    }
    return k;
}

class TKnapsack {
public:
    TKnapsack(const TCutProblem& Problem, const std::vector<TPieceClass>& Classes,
              const std::vector<double>& Pi, int Stock, double Floor, std::int64_t MaxNodes)
        : fCodes(HasEndCodes(Problem.Typ)), fMaxNodes(MaxNodes), fBest(Floor) {
        for (int c = 0; c < static_cast<int>(Classes.size()); ++c) {
            const double pi = Pi[static_cast<size_t>(c)];
            const TPieceClass& cls = Classes[static_cast<size_t>(c)];
            if (pi > 1e-12 && ClassFitsStock(Problem, cls, Stock))
                fItems.push_back({c, Weight(cls), pi, cls.Demand, fCodes ? cls.StirnSeite : 1});
        }
        std::sort(fItems.begin(), fItems.end(), [](const TItem& a, const TItem& b) {
            return a.Value / a.Weight > b.Value / b.Weight;
        });
        fCounts.assign(fItems.size(), 0);
        fCapacity = Capacity(Problem, Stock);
        fState = Problem.Lager[static_cast<size_t>(Stock)].StirnSeite;
    }

    TPricing Solve() {
        TPricing result;
        const double root = Bound(0, fCapacity, 0);
        Search(0, fCapacity, fState, 0);
        result.Value = fBest;
        // A search cut short by its budget proves only the fractional bound.
        result.UpperValue = fNodes >= fMaxNodes ? std::max(root, fBest) : fBest;
        // The best last: each pattern kept was the best one when it was found.
        for (auto it = fFound.rbegin(); it != fFound.rend(); ++it) {
            result.Patterns.emplace_back();
            for (size_t i = 0; i < fItems.size(); ++i)
                if ((*it)[i] > 0) result.Patterns.back().emplace_back(fItems[i].Class, (*it)[i]);
            std::sort(result.Patterns.back().begin(), result.Patterns.back().end());
        }
        return result;
    }

private:
    struct TItem {
        int Class;
        double Weight, Value;
        int Demand;
        std::int32_t Code;
    };

    // The fractional knapsack over the items from i on, end codes left aside.
    double Bound(size_t i, double capacity, double value) const {
        for (; i < fItems.size() && capacity > 0; ++i) {
            const double k = std::min<double>(fItems[i].Demand, capacity / fItems[i].Weight);
            value += k * fItems[i].Value;
            capacity -= k * fItems[i].Weight;
        }
        return value;
    }

    void Search(size_t i, double capacity, std::int32_t state, double value) {
        if (value > fBest + 1e-12) {
            fBest = value;
            if (fFound.size() == kKeptPatterns) fFound.pop_front();
            fFound.push_back(fCounts);
        }
        if (i == fItems.size() || ++fNodes >= fMaxNodes) return;
        if (Bound(i, capacity, value) <= fBest + 1e-12) return;
        const TItem& item = fItems[i];
        int most =
            std::min(item.Demand, static_cast<int>(std::floor((capacity + kEps) / item.Weight)));
        if (fCodes) most = std::min(most, CodeCopies(state, item.Code));
        for (int k = most; k >= 0; --k) {
            std::int32_t next = state;
            if (fCodes && item.Code > 1)
                for (int j = 0; j < k; ++j)
                    next /= item.Code;
            fCounts[i] = k;
            Search(i + 1, capacity - k * item.Weight, next, value + k * item.Value);
        }
        fCounts[i] = 0;
    }

    bool fCodes;
    std::int64_t fMaxNodes;
    std::vector<TItem> fItems;
    std::vector<int> fCounts;
    std::deque<std::vector<int>> fFound;
    double fCapacity = 0;
    std::int32_t fState = 1;
    double fBest;
    std::int64_t fNodes = 0;
};

} // namespace

std::vector<TPieceClass> PieceClasses(const TCutProblem& Problem, std::vector<int>& ClassOf) {
    std::map<std::pair<double, std::int32_t>, int, std::greater<>> index;
    const bool codes = HasEndCodes(Problem.Typ);
    for (const TCutPiece& p : Problem.Teile)
        index.emplace(std::make_pair(p.Laenge, codes ? p.StirnSeite : 1), 0);
    std::vector<TPieceClass> classes;
    for (auto& [key, i] : index) {
        i = static_cast<int>(classes.size());
        TPieceClass c;
        c.Laenge = key.first;
        c.StirnSeite = key.second;
        classes.push_back(c);
    }
    ClassOf.assign(Problem.Teile.size(), 0);
    for (size_t p = 0; p < Problem.Teile.size(); ++p) {
        const TCutPiece& piece = Problem.Teile[p];
        const int c = index.at({piece.Laenge, codes ? piece.StirnSeite : 1});
        ClassOf[p] = c;
        ++classes[static_cast<size_t>(c)].Demand;
        classes[static_cast<size_t>(c)].Pieces.push_back(static_cast<int>(p));
    }
    return classes;
}

bool ClassFitsStock(const TCutProblem& Problem, const TPieceClass& Class, int Stock) {
    return MaxCopies(Problem, Class, Stock) > 0;
}

int MaxCopies(const TCutProblem& Problem, const TPieceClass& Class, int Stock) {
    const double copies = std::floor((Capacity(Problem, Stock) + kEps) / Weight(Class));
    int most = static_cast<int>(std::min<double>(Class.Demand, copies));
    if (HasEndCodes(Problem.Typ))
        most = std::min(most, CodeCopies(Problem.Lager[static_cast<size_t>(Stock)].StirnSeite,
                                         Class.StirnSeite));
    return std::max(most, 0);
}

TPricing PricePattern(const TCutProblem& Problem, const std::vector<TPieceClass>& Classes,
                      const std::vector<double>& Pi, int Stock, double Floor,
                      std::int64_t MaxNodes) {
    return TKnapsack(Problem, Classes, Pi, Stock, Floor, MaxNodes).Solve();
}
