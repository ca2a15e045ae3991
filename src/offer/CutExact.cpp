#include "offer/CutExact.h"

#include "offer/CutClassic.h"
#include "offer/CutPacking.h"
#include "offer/CutPricing.h"

#include <QElapsedTimer>

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/ClpSimplex.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kEps = 1e-9;
// The classic search's first pass gives the start solution within this many nodes.
constexpr std::int64_t kIncumbentNodes = 20000;
// Column generation stops after this many rounds; the bound stays valid (Farley).
constexpr int kMaxRounds = 400;
// Without a time limit of its own an entry gets this long.
constexpr double kDefaultTimeLimit = 10;
// Package combinations tried for joinable pieces before the best packing found is kept.
constexpr int kJoinableCombinations = 60;

class TClock {
public:
    explicit TClock(const TCutControl& Control) : fControl(Control) {
        fClock.start();
        fLimit = Control.TimeLimit > 0 ? Control.TimeLimit : kDefaultTimeLimit;
    }
    double Elapsed() const { return fClock.elapsed() / 1000.0; }
    double Left() const { return std::max(0.0, fLimit - Elapsed()); }
    // Time up or Escape; an Escape is remembered for the rest of the entry.
    bool Stop() {
        if (!fStopped && fControl.TakeEscape && fControl.TakeEscape()) fStopped = fEscape = true;
        if (Left() <= 0) fStopped = true;
        return fStopped;
    }
    bool Escape() const { return fEscape; }

private:
    const TCutControl& fControl;
    QElapsedTimer fClock;
    double fLimit = 0;
    bool fStopped = false;
    bool fEscape = false;
};

// Stops CBC between nodes when the time is up or Escape was pressed.
class TStopHandler : public CbcEventHandler {
public:
    explicit TStopHandler(TClock& Clock) : fClock(Clock) {}
    CbcAction event(CbcEvent) override { return fClock.Stop() ? stop : noAction; }
    CbcEventHandler* clone() const override { return new TStopHandler(*this); }

private:
    TClock& fClock;
};

bool Better(const TCutSolution& a, const TCutSolution& b) {
    return a.Found && (!b.Found || a.Total < b.Total - 1e-7);
}

// --- Boards: patterns over piece classes ------------------------------------------------------

struct TPattern {
    int Stock;
    std::vector<std::pair<int, int>> Counts; // class, count
    bool operator<(const TPattern& o) const {
        return std::tie(Stock, Counts) < std::tie(o.Stock, o.Counts);
    }
};

// The pattern of a stock piece of a solution.
TPattern PatternOf(const TCutOpened& o, const std::vector<int>& ClassOf) {
    std::map<int, int> counts;
    for (const TCutOpened::TCut& cut : o.Schnitte)
        ++counts[ClassOf[static_cast<size_t>(cut.Piece)]];
    return {o.Stock, {counts.begin(), counts.end()}};
}

class TBoardModel {
public:
    TBoardModel(const TCutProblem& Problem, TClock& Clock) : fProblem(Problem), fClock(Clock) {
        fClasses = PieceClasses(Problem, fClassOf);
    }

    bool AnyUnfit() const {
        for (const TPieceClass& c : fClasses)
            if (!Fits(c)) return true;
        return false;
    }

    // Column generation to the LP optimum (or the round limit); the proven bound.
    double SolveLP(TCutStats& Stats);
    // Whole packages and patterns over the generated patterns, starting from Incumbent.
    TCutSolution SolveIP(const TCutSolution& Incumbent, std::int32_t FirstTag, TCutStats& Stats);

private:
    bool Fits(const TPieceClass& c) const {
        for (size_t s = 0; s < fProblem.Lager.size(); ++s)
            if (ClassFitsStock(fProblem, c, static_cast<int>(s))) return true;
        return false;
    }
    void AddColumn(const TPattern& p);
    TCutSolution Expand(const std::vector<double>& x, const std::vector<double>& n,
                        std::int32_t FirstTag) const;

    const TCutProblem& fProblem;
    TClock& fClock;
    std::vector<int> fClassOf;
    std::vector<TPieceClass> fClasses;
    std::vector<TPattern> fPatterns;
    std::map<TPattern, int> fIndex;
    ClpSimplex fLP;
};

void TBoardModel::AddColumn(const TPattern& p) {
    if (fIndex.count(p)) return;
    fIndex[p] = static_cast<int>(fPatterns.size());
    fPatterns.push_back(p);
    std::vector<int> rows;
    std::vector<double> values;
    for (const auto& [c, k] : p.Counts) {
        rows.push_back(c);
        values.push_back(k);
    }
    fLP.addColumn(static_cast<int>(rows.size()), rows.data(), values.data(), 0, COIN_DBL_MAX,
                  fProblem.Lager[static_cast<size_t>(p.Stock)].Laenge);
}

double TBoardModel::SolveLP(TCutStats& Stats) {
    const int m = static_cast<int>(fClasses.size());
    std::vector<double> lower, upper;
    for (const TPieceClass& c : fClasses) {
        lower.push_back(c.Demand);
        upper.push_back(COIN_DBL_MAX);
    }
    CoinPackedMatrix empty(true, 0, 0);
    empty.setDimensions(m, 0);
    fLP.loadProblem(empty, nullptr, nullptr, nullptr, lower.data(), upper.data());
    fLP.setLogLevel(0);
    fLP.setOptimizationDirection(1);
    // A start that covers everything: each class alone, as often as it fits.
    for (int c = 0; c < m; ++c)
        for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s) {
            const int k = MaxCopies(fProblem, fClasses[static_cast<size_t>(c)], s);
            if (k > 0) AddColumn({s, {{c, k}}});
        }
    double bound = 0;
    for (int round = 0; round < kMaxRounds && !fClock.Stop(); ++round) {
        fLP.primal();
        if (!fLP.isProvenOptimal()) break;
        const double z = fLP.objectiveValue();
        const double* duals = fLP.getRowPrice();
        std::vector<double> pi(duals, duals + m);
        double theta = 1, need = 0;
        std::vector<double> worth; // the most a stock piece of each article can be worth
        for (int c = 0; c < m; ++c)
            need += std::max(pi[static_cast<size_t>(c)], 0.0) * fClasses[static_cast<size_t>(c)].Demand;
        bool added = false;
        for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s) {
            const TPricing priced = PricePattern(fProblem, fClasses, pi, s);
            const double length = fProblem.Lager[static_cast<size_t>(s)].Laenge;
            theta = std::max(theta, priced.UpperValue / length);
            worth.push_back(priced.UpperValue);
            if (priced.Value > length * (1 + 1e-9)) {
                AddColumn({s, priced.Counts});
                added = true;
            }
        }
        // Farley: the duals scaled by 1/theta are feasible for every pattern. And whole
        // packages must be worth what the pieces need at these duals.
        bound = std::max({bound, PackageTotalAtLeast(fProblem.Lager, z / theta),
                          PackageWorthAtLeast(fProblem.Lager, worth, need)});
        if (!added) break;
    }
    Stats.Untergrenze = bound;
    return bound;
}

TCutSolution TBoardModel::Expand(const std::vector<double>& x, const std::vector<double>& n,
                                 std::int32_t FirstTag) const {
    std::vector<std::vector<int>> queue(fClasses.size());
    for (size_t c = 0; c < fClasses.size(); ++c)
        queue[c] = fClasses[c].Pieces;
    std::vector<TStockFill> fills;
    for (size_t s = 0; s < fProblem.Lager.size(); ++s) {
        const int pieces = static_cast<int>(std::lround(n[s])) * fProblem.Lager[s].PckEin;
        int used = 0;
        for (size_t p = 0; p < fPatterns.size(); ++p) {
            if (fPatterns[p].Stock != static_cast<int>(s)) continue;
            for (long k = std::lround(x[p]); k > 0 && used < pieces; --k, ++used) {
                TStockFill fill{static_cast<int>(s), {}};
                for (const auto& [c, count] : fPatterns[p].Counts)
                    for (int j = 0; j < count && !queue[static_cast<size_t>(c)].empty(); ++j) {
                        const int piece = queue[static_cast<size_t>(c)].back();
                        queue[static_cast<size_t>(c)].pop_back();
                        fill.Schnitte.push_back(
                            {piece, fProblem.Teile[static_cast<size_t>(piece)].Laenge});
                    }
                fills.push_back(std::move(fill));
            }
        }
        for (; used < pieces; ++used)
            fills.push_back({static_cast<int>(s), {}});
    }
    for (const auto& q : queue)
        if (!q.empty()) return TCutSolution(); // the repair step takes over
    return MakeSolution(fProblem, fills, FirstTag);
}

TCutSolution TBoardModel::SolveIP(const TCutSolution& Incumbent, std::int32_t FirstTag,
                                  TCutStats& Stats) {
    // The incumbent's patterns, so that the integer search can start from it.
    if (Incumbent.Found)
        for (const TCutOpened& o : Incumbent.Opened)
            if (!o.Schnitte.empty()) AddColumn(PatternOf(o, fClassOf));
    const int m = static_cast<int>(fClasses.size());
    const int sCount = static_cast<int>(fProblem.Lager.size());
    const int pCount = static_cast<int>(fPatterns.size());
    // Rows: demands, then per stock: patterns cut <= pieces in its packages.
    CoinPackedMatrix matrix(true, 0, 0);
    matrix.setDimensions(m + sCount, 0);
    std::vector<double> cost, colLower, colUpper;
    for (const TPattern& p : fPatterns) {
        std::vector<int> rows;
        std::vector<double> values;
        for (const auto& [c, k] : p.Counts) {
            rows.push_back(c);
            values.push_back(k);
        }
        rows.push_back(m + p.Stock);
        values.push_back(1);
        matrix.appendCol(static_cast<int>(rows.size()), rows.data(), values.data());
        cost.push_back(0);
        colLower.push_back(0);
        colUpper.push_back(COIN_DBL_MAX);
    }
    for (int s = 0; s < sCount; ++s) {
        const TCutStock& stock = fProblem.Lager[static_cast<size_t>(s)];
        const int row = m + s;
        const double value = -stock.PckEin;
        matrix.appendCol(1, &row, &value);
        cost.push_back(stock.Laenge * stock.PckEin);
        colLower.push_back(0);
        colUpper.push_back(COIN_DBL_MAX);
    }
    std::vector<double> rowLower, rowUpper;
    for (const TPieceClass& c : fClasses) {
        rowLower.push_back(c.Demand);
        rowUpper.push_back(COIN_DBL_MAX);
    }
    for (int s = 0; s < sCount; ++s) {
        rowLower.push_back(-COIN_DBL_MAX);
        rowUpper.push_back(0);
    }
    OsiClpSolverInterface solver;
    solver.loadProblem(matrix, colLower.data(), colUpper.data(), cost.data(), rowLower.data(),
                       rowUpper.data());
    for (int j = 0; j < pCount + sCount; ++j)
        solver.setInteger(j);
    solver.messageHandler()->setLogLevel(0);
    solver.getModelPtr()->setLogLevel(0);

    CbcModel model(solver);
    model.setLogLevel(0);
    model.messageHandler()->setLogLevel(0);
    model.solver()->messageHandler()->setLogLevel(0);
    model.setMaximumSeconds(std::max(0.05, fClock.Left()));
    TStopHandler stop(fClock);
    model.passInEventHandler(&stop);
    if (Incumbent.Found) {
        std::vector<double> start(static_cast<size_t>(pCount + sCount), 0);
        for (const TCutOpened& o : Incumbent.Opened) {
            if (!o.Schnitte.empty())
                start[static_cast<size_t>(fIndex.at(PatternOf(o, fClassOf)))] += 1;
            start[static_cast<size_t>(pCount + o.Stock)] +=
                1.0 / fProblem.Lager[static_cast<size_t>(o.Stock)].PckEin;
        }
        for (int s = 0; s < sCount; ++s)
            start[static_cast<size_t>(pCount + s)] =
                std::round(start[static_cast<size_t>(pCount + s)]);
        model.setBestSolution(start.data(), pCount + sCount, Incumbent.Total, true);
    }
    model.branchAndBound();
    Stats.Knoten += model.getNodeCount();
    const double* best = model.bestSolution();
    if (best == nullptr) return TCutSolution();
    std::vector<double> x(best, best + pCount), n(best + pCount, best + pCount + sCount);
    return Expand(x, n, FirstTag);
}

// --- Joinable pieces -------------------------------------------------------------------------

TCutSolution SolveJoinable(const TCutProblem& Problem, std::int32_t FirstTag, TCutStats& Stats,
                           TClock& Clock) {
    double length = 0;
    for (const TCutPiece& p : Problem.Teile)
        length += std::max(p.Laenge, 0.0);
    Stats.Untergrenze = PackageTotalAtLeast(Problem.Lager, length);
    // Package combinations by total, smallest first, from the bound on.
    std::vector<std::pair<double, std::vector<int>>> combinations;
    std::vector<int> counts(Problem.Lager.size(), 0);
    const double limit =
        Stats.Untergrenze + Problem.Lager.front().Laenge * Problem.Lager.front().PckEin * 2;
    const auto enumerate = [&](auto&& self, size_t s, double total) -> void {
        if (combinations.size() > 5000) return;
        if (s == Problem.Lager.size()) {
            if (total >= Stats.Untergrenze - 1e-7) combinations.emplace_back(total, counts);
            return;
        }
        const double package = Problem.Lager[s].Laenge * Problem.Lager[s].PckEin;
        for (int n = 0; total + n * package <= limit + 1e-7; ++n) {
            counts[s] = n * Problem.Lager[s].PckEin;
            self(self, s + 1, total + n * package);
        }
        counts[s] = 0;
    };
    enumerate(enumerate, 0, 0.0);
    std::stable_sort(combinations.begin(), combinations.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    int tried = 0;
    for (const auto& [total, stockCounts] : combinations) {
        if (++tried > kJoinableCombinations || Clock.Stop()) break;
        TCutSolution solution = PackJoinable(Problem, stockCounts, FirstTag);
        if (solution.Found) return solution;
    }
    return TCutSolution();
}

} // namespace

TCutSolution CutExact(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                      TCutStats& Stats) {
    if (Problem.Teile.empty() || Problem.Lager.empty()) return TCutSolution();
    TClock clock(Control);
    const std::int32_t firstTag = Build.TagCounter;

    // The start: a greedy packing and the classic search's first pass within a budget.
    TCutSolution best = CutGreedy(Problem, firstTag);
    {
        TCutProblem firstPass = Problem;
        firstPass.Optimierung = false; // no retry stage
        TCutBuild build = Build;
        TCutControl budget;
        budget.NodeLimit = kIncumbentNodes;
        budget.TimeLimit = std::max(0.01, clock.Left() / 4);
        TCutStats classicStats;
        TCutSolution classic = CutClassic(firstPass, build, budget, classicStats);
        Stats.Knoten += classicStats.Knoten;
        if (Better(classic, best)) best = std::move(classic);
    }

    if (IsJoinableTyp(Problem.Typ)) {
        TCutSolution joined = SolveJoinable(Problem, firstTag, Stats, clock);
        if (Better(joined, best)) best = std::move(joined);
    } else {
        TBoardModel model(Problem, clock);
        if (!model.AnyUnfit()) {
            model.SolveLP(Stats);
            if (!(best.Found && best.Total <= Stats.Untergrenze + 1e-7) && !clock.Stop()) {
                TCutSolution ip = model.SolveIP(best, firstTag, Stats);
                if (Better(ip, best) && CheckCutSolution(Problem, ip).isEmpty())
                    best = std::move(ip);
            }
        }
    }

    if (best.Found) {
        RetagSolution(Problem, best, firstTag);
        Build.TagCounter = best.TagCounter;
        // The classic search may use the 1 cm a joined piece may lack: its result is then below
        // the bound of the model, which counts whole pieces.
        Stats.Untergrenze = std::min(Stats.Untergrenze, best.Total);
        Stats.Optimal = best.Total <= Stats.Untergrenze + 1e-7;
    }
    if (clock.Escape()) {
        Stats.Abgebrochen = true;
        Build.SkipRetry = true;
    }
    Stats.Sekunden += clock.Elapsed();
    if (Control.Status)
        Control.Status(QStringLiteral(" Kombinationen: %1   Zeit:%2")
                           .arg(Stats.Knoten)
                           .arg(QString::number(clock.Elapsed(), 'f', 0)));
    return best;
}
