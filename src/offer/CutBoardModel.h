#pragma once
// The cutting-stock model of a board entry (types 0..2): piece classes, patterns priced by the
// knapsack of CutPricing, the LP bound, package combinations proven impossible by the LP, and
// integer solutions found by CBC.

#include "offer/CutClock.h"
#include "offer/CutPricing.h"
#include "offer/CutTypes.h"

#include <map>
#include <memory>
#include <vector>

class ClpSimplex;

struct TPattern {
    int Stock;
    std::vector<std::pair<int, int>> Counts; // class, count
    bool operator<(const TPattern& o) const {
        return std::tie(Stock, Counts) < std::tie(o.Stock, o.Counts);
    }
};

class TBoardModel {
public:
    TBoardModel(const TCutProblem& Problem, TClock& Clock);
    ~TBoardModel();

    // Whether some piece fits no stock: then there is no solution.
    bool AnyUnfit() const;

    // Improves Best where it can and proves what it can: Stats.Untergrenze is the least total
    // of whole packages no LP could rule out.
    void Solve(TCutSolution& Best, std::int32_t FirstTag, TCutStats& Stats);

private:
    enum class TFit { No, Yes, Unknown };

    // Column generation without packages: the LP bound of the pieces, raised to the package
    // totals it allows; it starts from the patterns of Start and ends early once the bound
    // reaches its total.
    double BaseBound(const TCutSolution& Start);
    // The patterns that cut all pieces from this stock alone, each stock piece filled longest
    // piece first.
    std::vector<TPattern> FillLongestFirst(int Stock) const;
    // The patterns that cut these pieces from these stock pieces, longest piece first into
    // the stock piece it fits best; empty when some piece is left over.
    std::vector<TPattern> FillBestFit(const std::vector<int>& Demand,
                                      const std::vector<int>& Available) const;
    // Whether the pieces of each class in these numbers fit into this many stock pieces of
    // each article, as far as the LP over all patterns can tell; X gets the LP's patterns.
    TFit Fits(const std::vector<int>& Demand, const std::vector<int>& Available,
              std::vector<double>* X = nullptr);
    // Whole patterns into exactly these stock pieces: CBC over the patterns so far, else the
    // dive; Found false when neither finds one in time.
    TCutSolution Pack(const std::vector<int>& Available, std::int32_t FirstTag, TCutStats& Stats);
    // Rounds the LP's patterns, solving it again for the rest each time.
    TCutSolution Dive(const std::vector<int>& Available, std::int32_t FirstTag);
    // Fixes copies of a pattern: less demand and stock left; false when no stock piece is.
    bool Fix(std::vector<int>& Demand, std::vector<int>& Available, std::vector<double>& Fixed,
             size_t Pattern, int Copies) const;
    // The LP of a node of the package branch and bound: the package counts within Lo..Hi,
    // columns generated until none improves.
    struct TNodeLP {
        enum { Unknown, Infeasible, Solved } Status = Unknown;
        double Bound = 0;
        std::vector<double> Packages;
        // At the LP's duals: what the pieces need, and the most a stock piece is worth.
        double Need = 0;
        std::vector<double> Worth;
    };
    TNodeLP SolveNode(const std::vector<double>& Lo, const std::vector<double>& Hi);
    // Branch and bound over the package counts (offer/CutPackages), cheapest LP bound first,
    // from Bound on; the first whole choice is cut into. Returns the proven lower bound.
    double Branch(TCutSolution& Best, std::int32_t FirstTag, double Bound, TCutStats& Stats);
    // Packages and patterns in whole numbers over all patterns so far, from Incumbent on.
    TCutSolution Improve(const TCutSolution& Incumbent, std::int32_t FirstTag, TCutStats& Stats);

    // False when the pattern is known already.
    bool AddPattern(const TPattern& p);
    // The column of a pattern: its classes, and with StockRows >= 0 the row StockRows + its
    // stock (the pieces of that stock it takes).
    void PatternColumn(const TPattern& p, int StockRows, std::vector<int>& Rows,
                       std::vector<double>& Values) const;
    // Adds the patterns from InLP on to the LP, each costing its stock's length when Costed.
    void AddColumns(ClpSimplex& LP, size_t& InLP, int StockRows, bool Costed) const;
    // An LP of the classes' rows (at least Demand) and, when StockUpper is given, one row per
    // stock (at most StockUpper), without columns yet.
    void LoadRows(ClpSimplex& LP, const std::vector<int>& Demand,
                  const std::vector<double>* StockUpper) const;
    std::vector<int> Demands() const;
    // One pricing round against the LP's duals (classes first, then one row per stock from
    // StockRows on; a stock with Usable false is passed over): whether a new pattern was
    // added, and whether a search cut short leaves it open that one could have been.
    struct TPriceRound {
        bool Added = false;
        bool Unsure = false;
        std::vector<double> Worth; // no pattern of each stock is worth more (0 when unusable)
    };
    TPriceRound PriceRound(const double* Duals, int StockRows, const std::vector<bool>& Usable);
    // The integer model over all patterns: classes' rows, a row per stock with the given upper
    // bounds, the pattern columns (integers, bounded per stock by PatternUpper) and, when
    // PackageColumns, one integer package count per stock costing its packages' length.
    // Solved by CBC within Seconds, from Start when given; the best solution or empty.
    std::vector<double> SolveInteger(const std::vector<double>& StockUpper,
                                     const std::vector<double>& PatternUpper, bool PackageColumns,
                                     double Seconds, bool FirstSolution,
                                     const std::vector<double>* Start, double StartTotal,
                                     TCutStats& Stats);
    TPattern PatternOf(const TCutOpened& o) const;
    // The solution of the stock pieces per article (whole packages) cut by the patterns in the
    // numbers x.
    TCutSolution Expand(const std::vector<double>& x, const std::vector<int>& Available,
                        std::int32_t FirstTag) const;

    const TCutProblem& fProblem;
    TClock& fClock;
    std::vector<int> fClassOf;
    std::vector<TPieceClass> fClasses;
    std::vector<TPattern> fPatterns;
    std::map<TPattern, int> fIndex;
    // The LP of the package branch and bound, kept from node to node: only the package
    // limits change, and the simplex starts from the last node's basis.
    std::unique_ptr<ClpSimplex> fNodeLP;
    size_t fNodeInLP = 0;
};
