#include "offer/CutRowPricer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The most differences the pricing walks (lengths of some kilometres).
constexpr int kMaxStates = 1 << 21;
// The pricing's costs in these units per cm (rounded down, which only bounds more loosely).
constexpr double kCostUnits = 1e5;

} // namespace

TRowPricer::TRowPricer(const TCutProblem& Problem, const TClosingSet& Set) {
    // Pieces rounded down to the millimetre: every solution stays one of the pieces so
    // shortened, so what their rows cannot gain bounds the pieces as they are. Stock
    // lengths must lie on the millimetre.
    fUsable = !Set.Worth.empty() && !Problem.Lager.empty();
    for (double w : Set.Worth) {
        const double u = std::floor(w * kRowsPerCm + 1e-6);
        fUsable = fUsable && u > 0 && u < kMaxStates;
        fWorth.push_back(fUsable ? static_cast<int>(u) : 0);
    }
    for (const TCutStock& s : Problem.Lager) {
        const double u = s.Laenge * kRowsPerCm;
        fUsable = fUsable && u >= 1 && u < kMaxStates && std::fabs(u - std::round(u)) < 1e-6;
        fStock.push_back(fUsable ? static_cast<int>(std::lround(u)) : 0);
    }
    if (!fUsable) return;
    fMostGain = static_cast<int>(std::ceil(MostEndGain() * kRowsPerCm - 1e-6)) - 1;
    fLow = -*std::max_element(fStock.begin(), fStock.end());
    fHigh = *std::max_element(fWorth.begin(), fWorth.end()) + fMostGain;
    fLightest = *std::min_element(fWorth.begin(), fWorth.end());
    fUsable = fHigh - fLow < kMaxStates;
}

std::vector<TRow> TRowPricer::Price(const std::vector<double>& PieceCost,
                                    const std::vector<double>& StockCost,
                                    const std::vector<int>& Left, const std::vector<int>& Avail,
                                    double& Best) {
    // Costs in whole units, rounded down, so that buckets order the paths: a path costs at
    // least what is found, and rows are taken at their exact profit. A row costs less than
    // it gains or is of no use: paths costing more are cut off.
    const int dearest = static_cast<int>(std::lround(fMostGain / kRowsPerCm * kCostUnits));
    const auto units = [&](double cost) {
        return static_cast<int>(std::min<double>(std::floor(cost * kCostUnits), dearest));
    };
    std::vector<int> pieceCost, stockCost;
    for (double c : PieceCost)
        pieceCost.push_back(units(c));
    for (double c : StockCost)
        stockCost.push_back(units(c));
    const size_t n = static_cast<size_t>(fHigh - fLow + 1);
    fDist.assign(n, dearest);
    fFrom.assign(n, -1);
    fItem.assign(n, 0);
    fBuckets.resize(static_cast<size_t>(dearest));
    const auto reach = [&](int from, int d, int item, int cost) {
        const size_t k = static_cast<size_t>(d - fLow);
        if (cost < fDist[k]) {
            fDist[k] = cost;
            fFrom[k] = from;
            fItem[k] = item;
            fBuckets[static_cast<size_t>(cost)].push_back(d);
        }
    };
    // A row begins with a stock piece; stock pieces are coded -1 - article.
    constexpr int kStart = std::numeric_limits<int>::min();
    for (size_t s = 0; s < fStock.size(); ++s)
        if (Avail[s] > 0) reach(kStart, -fStock[s], -1 - static_cast<int>(s), stockCost[s]);
    for (int cost = 0; cost < dearest; ++cost) {
        std::vector<int>& bucket = fBuckets[static_cast<size_t>(cost)];
        for (size_t i = 0; i < bucket.size(); ++i) { // grows with costless steps
            const int d = bucket[i];
            if (fDist[static_cast<size_t>(d - fLow)] != cost) continue;
            if (d >= 0)
                for (size_t s = 0; s < fStock.size(); ++s)
                    if (Avail[s] > 0)
                        reach(d, d - fStock[s], -1 - static_cast<int>(s), cost + stockCost[s]);
            if (d >= 0 && d + fLightest > fMostGain) continue; // no piece ends a row here
            for (size_t c = 0; c < fWorth.size(); ++c) {
                const int next = d + fWorth[c];
                if ((d < 0 || next <= fMostGain) && Left[c] > 0)
                    reach(d, next, static_cast<int>(c), cost + pieceCost[c]);
            }
        }
        bucket.clear();
    }
    Best = 0;
    std::vector<std::pair<double, size_t>> ends;
    std::vector<TRow> rows;
    for (int end = 0; end <= fMostGain; ++end) {
        const size_t k = static_cast<size_t>(end - fLow);
        if (fDist[k] >= dearest) continue;
        Best = std::max(Best, end / kRowsPerCm - fDist[k] / kCostUnits);
        TRow row;
        row.Pieces.assign(fWorth.size(), 0);
        row.Stock.assign(fStock.size(), 0);
        row.Gain = end / kRowsPerCm;
        row.Priced = true;
        double profit = row.Gain;
        for (int d = end; d != kStart;) {
            const size_t at = static_cast<size_t>(d - fLow);
            if (fItem[at] >= 0) {
                ++row.Pieces[static_cast<size_t>(fItem[at])];
                profit -= PieceCost[static_cast<size_t>(fItem[at])];
            } else {
                ++row.Stock[static_cast<size_t>(-1 - fItem[at])];
                profit -= StockCost[static_cast<size_t>(-1 - fItem[at])];
            }
            d = fFrom[at];
        }
        if (profit > kLeastRowProfit) {
            ends.emplace_back(profit, rows.size());
            rows.push_back(std::move(row));
        }
    }
    std::sort(ends.rbegin(), ends.rend());
    std::vector<TRow> best;
    for (const auto& [profit, r] : ends)
        best.push_back(std::move(rows[r]));
    return best;
}
