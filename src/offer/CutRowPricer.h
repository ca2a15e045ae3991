#pragma once
// The pricing of rows of joinable pieces that end stock pieces: for the prices an LP puts on
// pieces and stock pieces, the rows of any number of pieces that gain more than they cost.

#include "offer/CutClosings.h"
#include "offer/CutTypes.h"

#include <vector>

// Lengths in millimetres: the rows are priced over every difference between pieces and stock.
constexpr double kRowsPerCm = 10;
// A row is offered when it gains more than its pieces and stock pieces cost at the prices.
constexpr double kLeastRowProfit = 1e-7;

struct TRow {
    std::vector<int> Pieces; // per class
    std::vector<int> Stock;  // per stock article
    double Gain = 0;         // cm
    bool Priced = false;     // found by the pricing, not listed among the groups
};

// The best rows at the LP's prices of pieces and stock pieces: a shortest path over what the
// pieces of a row are worth more than its stock pieces so far (in millimetres), stock pieces
// while the pieces cover them, pieces while they do not, so every row stays between the
// longest stock piece short and the longest piece over; it ends where the pieces are worth
// more by less than the most a row gains.
class TRowPricer {
public:
    TRowPricer(const TCutProblem& Problem, const TClosingSet& Set);
    bool Usable() const { return fUsable; }
    // The worth of a piece of each class and the stock lengths, in millimetres.
    const std::vector<int>& Worth() const { return fWorth; }
    const std::vector<int>& Stock() const { return fStock; }

    // The row of the largest profit for each difference it ends at, the best first, of the
    // classes with pieces left and the stock articles with pieces out; the best profit in
    // Best, an upper bound.
    std::vector<TRow> Price(const std::vector<double>& PieceCost,
                            const std::vector<double>& StockCost, const std::vector<int>& Left,
                            const std::vector<int>& Avail, double& Best);

private:
    std::vector<int> fWorth, fStock;
    bool fUsable = false;
    int fMostGain = 0, fLow = 0, fHigh = 0, fLightest = 0;
    std::vector<int> fDist, fFrom, fItem;
    std::vector<std::vector<int>> fBuckets; // the states reached at each cost
};
