#include "offer/CutClosingRows.h"

#include "offer/CutRowPricer.h"

#include <coin/CbcModel.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/CoinPackedVector.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// What a choice needs is compared with this tolerance (cm).
constexpr double kNeedTolerance = 1e-4;
// Groups of a few pieces entering the LP at a time.
constexpr size_t kBatch = 200;
// The share of a choice's time the LP may take; the whole rows get the rest, CBC at most
// this long without its preprocessing and with it (s).
constexpr double kLPShare = 0.6;
constexpr double kBareSeconds = 0.25;
constexpr double kWholeSeconds = 0.35;

bool Fits(const std::vector<int>& Need, const std::vector<int>& Have, int Times = 1) {
    for (size_t k = 0; k < Need.size(); ++k)
        if (Times * Need[k] > Have[k]) return false;
    return true;
}

// The column of a row: the pieces per class, then the stock pieces per article.
CoinPackedVector Column(const TRow& Row) {
    CoinPackedVector column;
    for (size_t c = 0; c < Row.Pieces.size(); ++c)
        if (Row.Pieces[c] > 0) column.insert(static_cast<int>(c), Row.Pieces[c]);
    for (size_t s = 0; s < Row.Stock.size(); ++s)
        if (Row.Stock[s] > 0) column.insert(static_cast<int>(Row.Pieces.size() + s), Row.Stock[s]);
    return column;
}

// A model without columns yet: a row per class and per stock article.
void LoadEmpty(OsiClpSolverInterface& Solver, size_t Rows) {
    const std::vector<double> rowLower(Rows, -COIN_DBL_MAX), rowUpper(Rows, 0);
    CoinPackedMatrix empty(true, 0, 0);
    empty.setDimensions(static_cast<int>(Rows), 0);
    Solver.loadProblem(empty, nullptr, nullptr, nullptr, rowLower.data(), rowUpper.data());
    Solver.messageHandler()->setLogLevel(0);
    Solver.getModelPtr()->setLogLevel(0);
}

// The pieces left per class and the stock pieces per article.
void SetLimits(OsiClpSolverInterface& Solver, const std::vector<int>& Left,
               const std::vector<int>& Avail) {
    for (size_t c = 0; c < Left.size(); ++c)
        Solver.setRowUpper(static_cast<int>(c), Left[c]);
    for (size_t s = 0; s < Avail.size(); ++s)
        Solver.setRowUpper(static_cast<int>(Left.size() + s), Avail[s]);
}

void AddRows(OsiClpSolverInterface& Solver, const std::vector<TRow>& Rows, size_t From) {
    for (size_t j = From; j < Rows.size(); ++j)
        Solver.addCol(Column(Rows[j]), 0, COIN_DBL_MAX, -Rows[j].Gain);
}

TRow RowOf(const TClosingGroup& Group, size_t Classes, double Gain) {
    TRow row;
    row.Pieces.assign(Classes, 0);
    for (int k = 0; k < Group.Size; ++k)
        ++row.Pieces[static_cast<size_t>(Group.Classes[static_cast<size_t>(k)])];
    row.Stock = Group.Stock;
    row.Gain = Gain;
    return row;
}

// The most all rows can gain at these prices, each gaining at most Best over them.
double MostAt(const std::vector<int>& Left, const std::vector<int>& Avail,
              const std::vector<double>& PieceCost, const std::vector<double>& StockCost,
              double Best) {
    double most = 0;
    for (size_t s = 0; s < Avail.size(); ++s)
        most += (StockCost[s] + Best) * Avail[s]; // each row needs a stock piece
    for (size_t c = 0; c < Left.size(); ++c)
        most += PieceCost[c] * Left[c];
    return most;
}

std::vector<char> ArticlesOut(const std::vector<int>& Avail) {
    std::vector<char> out;
    for (int a : Avail)
        out.push_back(a > 0);
    return out;
}

} // namespace

struct TClosingRows::TState {
    TState(const TCutProblem& ProblemOf, const TClosingSet& SetOf)
        : Problem(ProblemOf), Set(SetOf), Pricer(ProblemOf, SetOf) {}
    const TCutProblem& Problem;
    const TClosingSet& Set;
    TRowPricer Pricer;
    std::vector<int> Demand;  // per class
    double Worth = 0;         // of all pieces, rounded down as the rows count them
    std::vector<TRow> Rows;   // the columns of the LP
    std::vector<char> Listed; // groups of the set not yet in the LP
    // The groups as the pricing reads them: classes (the missing as one beyond the last),
    // stock pieces per article one group after the other, gains; the most stock pieces of an
    // article any group needs.
    std::vector<std::array<int, 4>> GroupClasses;
    std::vector<int> GroupStock, MostStock;
    std::vector<double> GroupGain;
    OsiClpSolverInterface LP;
    // Prices of pieces and stock pieces that bounded the gain of all the pieces for earlier
    // choices, with the best profit of a row over the stock articles then out: they bound it
    // for any choice of those articles.
    struct TCertificate {
        std::vector<char> Articles;
        std::vector<double> PieceCost, StockCost;
        double Best;
    };
    std::vector<TCertificate> Certificates;
};

TClosingRows::TClosingRows(const TCutProblem& Problem, const TClosingSet& Set)
    : f(std::make_unique<TState>(Problem, Set)) {
    for (const TPieceClass& c : Set.Classes)
        f->Demand.push_back(c.Demand);
    LoadEmpty(f->LP, Set.Classes.size() + Problem.Lager.size());
    if (!Usable()) return;
    const std::vector<int>& worth = f->Pricer.Worth();
    for (size_t c = 0; c < worth.size(); ++c)
        f->Worth += static_cast<double>(worth[c]) * f->Demand[c] / kRowsPerCm;
    const size_t articles = Problem.Lager.size();
    f->MostStock.assign(articles, 0);
    for (const TClosingGroup& g : Set.Groups) {
        // Its gain with the pieces rounded down.
        int gain = 0;
        for (int k = 0; k < g.Size; ++k)
            gain += worth[static_cast<size_t>(g.Classes[static_cast<size_t>(k)])];
        for (size_t s = 0; s < articles; ++s)
            gain -= g.Stock[s] * f->Pricer.Stock()[s];
        f->Listed.push_back(gain > 0);
        std::array<int, 4> classes = g.Classes;
        for (int& c : classes)
            if (c < 0) c = static_cast<int>(Set.Classes.size());
        f->GroupClasses.push_back(classes);
        f->GroupGain.push_back(gain / kRowsPerCm);
        for (size_t s = 0; s < articles; ++s) {
            f->GroupStock.push_back(g.Stock[s]);
            f->MostStock[s] = std::max(f->MostStock[s], g.Stock[s]);
        }
    }
}

TClosingRows::~TClosingRows() = default;

bool TClosingRows::Usable() const {
    return f->Pricer.Usable();
}

bool TClosingRows::Generate(const std::vector<int>& Left, const std::vector<int>& Avail,
                            double Need, double Until, TClock& Clock, double& Most) {
    const TClosingSet& set = f->Set;
    const size_t classes = set.Classes.size();
    // The LP of the rows so far with these pieces and stock pieces: the groups that need more
    // than there are out. The rows priced stay in: whether they fit or not, the pricing would
    // offer them again.
    OsiClpSolverInterface& lp = f->LP;
    std::vector<TRow>& rows = f->Rows;
    SetLimits(lp, Left, Avail);
    for (size_t j = 0; j < rows.size(); ++j)
        if (!rows[j].Priced)
            lp.setColUpper(static_cast<int>(j),
                           Fits(rows[j].Stock, Avail) && Fits(rows[j].Pieces, Left) ? COIN_DBL_MAX
                                                                                    : 0);
    // The groups not yet in that these stock pieces allow.
    const size_t articles = Avail.size();
    std::vector<size_t> candidates;
    const bool allFit = Fits(f->MostStock, Avail);
    for (size_t g = 0; g < set.Groups.size(); ++g)
        if (f->Listed[g] && (allFit || Fits(set.Groups[g].Stock, Avail))) candidates.push_back(g);
    // The prices of pieces, and none for a missing one.
    std::vector<double> pieceCost(classes + 1, 0), stockCost(articles, 0);
    Most = std::numeric_limits<double>::infinity();
    bool solved = false;
    for (;;) {
        if (Clock.Stop() || Clock.Elapsed() > Until) return false;
        double value = 0;
        if (!rows.empty()) {
            AddRows(lp, rows, static_cast<size_t>(lp.getNumCols()));
            // Dual simplex after the limits changed, primal after columns came.
            lp.setHintParam(OsiDoDualInResolve, !solved, OsiHintDo);
            lp.resolve();
            solved = true;
            if (!lp.isProvenOptimal()) return false;
            value = -lp.getObjValue();
            const double* dual = lp.getRowPrice();
            for (size_t c = 0; c < classes; ++c)
                pieceCost[c] = std::max(0.0, -dual[c]);
            for (size_t s = 0; s < Avail.size(); ++s)
                stockCost[s] = std::max(0.0, -dual[classes + s]);
        }
        const size_t before = rows.size();
        const bool stockPriced =
            std::any_of(stockCost.begin(), stockCost.end(), [](double v) { return v > 0; });
        std::vector<std::pair<double, size_t>> profitable;
        size_t open = 0; // the candidates still out of the LP, kept in front
        for (size_t g : candidates) {
            if (!f->Listed[g]) continue;
            candidates[open++] = g;
            const std::array<int, 4>& c = f->GroupClasses[g];
            double profit = f->GroupGain[g] - pieceCost[static_cast<size_t>(c[0])] -
                            pieceCost[static_cast<size_t>(c[1])] -
                            pieceCost[static_cast<size_t>(c[2])] -
                            pieceCost[static_cast<size_t>(c[3])];
            if (stockPriced)
                for (size_t s = 0; s < articles; ++s)
                    profit -= f->GroupStock[g * articles + s] * stockCost[s];
            if (profit > kLeastRowProfit) profitable.emplace_back(profit, g);
        }
        candidates.resize(open);
        if (profitable.size() > kBatch) {
            std::nth_element(profitable.begin(), profitable.begin() + kBatch, profitable.end(),
                             std::greater<>());
            profitable.resize(kBatch);
        }
        for (const auto& [profit, g] : profitable) {
            TRow row = RowOf(set.Groups[g], classes, f->GroupGain[g]);
            if (!Fits(row.Pieces, Left)) continue;
            f->Listed[g] = 0;
            rows.push_back(std::move(row));
        }
        if (rows.size() > before) continue;
        double best = 0;
        pieceCost.resize(classes);
        std::vector<TRow> offered = f->Pricer.Price(pieceCost, stockCost, Left, Avail, best);
        Most = std::min(Most, best <= kLeastRowProfit
                                  ? value
                                  : MostAt(Left, Avail, pieceCost, stockCost, best));
        if (Most < Need - kNeedTolerance && Left == f->Demand)
            f->Certificates.push_back({ArticlesOut(Avail), pieceCost, stockCost, best});
        if (Most < Need - kNeedTolerance || offered.empty()) return true;
        for (TRow& r : offered)
            rows.push_back(std::move(r));
        pieceCost.push_back(0);
    }
}

std::vector<int> TClosingRows::Dive(std::vector<int> Avail, double Need, double Until,
                                    TClock& Clock) {
    // The rows the LP takes whole, else the one it takes most of, once; then the LP again,
    // with rows generated for the pieces and stock pieces left, until the rows gain the need.
    std::vector<int> left = f->Demand, counts;
    double gain = 0;
    const auto take = [&](size_t j, int k) {
        const TRow& r = f->Rows[j];
        for (size_t c = 0; c < left.size(); ++c)
            left[c] -= k * r.Pieces[c];
        for (size_t s = 0; s < Avail.size(); ++s)
            Avail[s] -= k * r.Stock[s];
        counts.resize(f->Rows.size(), 0);
        counts[j] += k;
        gain += k * r.Gain;
    };
    while (gain < Need) {
        double most = 0;
        if (!Generate(left, Avail, Need - gain, Until, Clock, most) ||
            most < Need - gain - kNeedTolerance)
            break;
        const double* x = f->LP.getColSolution();
        size_t largest = SIZE_MAX;
        bool taken = false;
        for (size_t j = 0; j < f->Rows.size(); ++j) {
            const TRow& r = f->Rows[j];
            if (x[j] < 1e-6 || !Fits(r.Stock, Avail) || !Fits(r.Pieces, left)) continue;
            const int whole = static_cast<int>(std::floor(x[j] + 1e-6));
            if (whole > 0 && Fits(r.Stock, Avail, whole) && Fits(r.Pieces, left, whole)) {
                take(j, whole);
                taken = true;
            } else if (largest == SIZE_MAX || x[j] > x[largest]) {
                largest = j;
            }
        }
        if (!taken && largest == SIZE_MAX) break;
        if (!taken) take(largest, 1);
    }
    counts.resize(f->Rows.size(), 0);
    return counts;
}

bool TClosingRows::TryPlan(const std::vector<int>& Packages, const std::vector<int>& Counts,
                           const TPackPlan& Pack, TChoiceRows& Result) {
    std::vector<std::pair<double, TEndingGroup>> groups;
    for (size_t j = 0; j < Counts.size(); ++j) {
        if (Counts[j] <= 0) continue;
        TEndingGroup group;
        for (size_t c = 0; c < f->Set.Classes.size(); ++c)
            group.Classes.insert(group.Classes.end(), static_cast<size_t>(f->Rows[j].Pieces[c]),
                                 static_cast<int>(c));
        group.Stock = f->Rows[j].Stock;
        group.Count = Counts[j];
        groups.emplace_back(f->Rows[j].Gain, std::move(group));
    }
    TClosingPlan plan = MakePlan(f->Problem, Packages, groups);
    if (!Pack(plan)) return false;
    Result.Plan = std::move(plan);
    return true;
}

TChoiceRows TClosingRows::ForChoice(const std::vector<int>& Packages, double Total, double Seconds,
                                    TClock& Clock, TCutStats& Stats, const TPackPlan& Pack) {
    TChoiceRows result;
    const double need = f->Worth - Total;
    const TCutProblem& problem = f->Problem;
    const TClosingSet& set = f->Set;
    if (!Usable() || Packages.size() != problem.Lager.size()) return result;
    const std::vector<int> avail = StockPieces(problem, Packages);
    const double until = Clock.Elapsed() + Seconds;

    // Prices that bounded the gain for an earlier choice of the same articles or more may do
    // for this one.
    const std::vector<char> articles = ArticlesOut(avail);
    for (const TState::TCertificate& c : f->Certificates) {
        bool covers = true;
        for (size_t s = 0; s < articles.size(); ++s)
            covers = covers && (c.Articles[s] || !articles[s]);
        if (covers &&
            MostAt(f->Demand, avail, c.PieceCost, c.StockCost, c.Best) < need - kNeedTolerance) {
            result.Cut = true;
            return result;
        }
    }
    double most = 0;
    const bool done =
        Generate(f->Demand, avail, need, Clock.Elapsed() + kLPShare * Seconds, Clock, most);
    if (most < need - kNeedTolerance) {
        result.Cut = true;
        return result;
    }
    if (!done) return result;

    // The rows whole: diving, then CBC over the rows generated that the stock pieces allow.
    // The rest, chained, may end stock pieces too: a plan a little short may still pack.
    const auto dive = [&] {
        return TryPlan(Packages, Dive(avail, need - kNeedTolerance, until, Clock), Pack, result);
    };
    const auto search = [&](bool Preprocess, double Within) {
        std::vector<size_t> columns; // the rows that fit
        OsiClpSolverInterface model;
        LoadEmpty(model, set.Classes.size() + avail.size());
        SetLimits(model, f->Demand, avail);
        std::vector<TRow> fitting;
        for (size_t j = 0; j < f->Rows.size(); ++j)
            if (Fits(f->Rows[j].Stock, avail)) {
                fitting.push_back(f->Rows[j]);
                columns.push_back(j);
            }
        AddRows(model, fitting, 0);
        for (int j = 0; j < model.getNumCols(); ++j)
            model.setInteger(j);
        CbcModel cbc(model);
        // Rows gaining the need will do: more gain would only leave more to spare.
        const double* x = CbcSearch(cbc, std::min(Within, std::max(0.0, until - Clock.Elapsed())),
                                    Clock, Stats, -(need - kNeedTolerance), Preprocess);
        if (!x) return false;
        std::vector<int> counts(f->Rows.size(), 0);
        for (size_t k = 0; k < columns.size(); ++k)
            counts[columns[k]] = static_cast<int>(std::lround(x[k]));
        return TryPlan(Packages, counts, Pack, result);
    };
    // Without CBC's preprocessing first, which is mostly faster here, then with it.
    if (!dive() && !Clock.Stop() && !search(false, kBareSeconds) && !Clock.Stop())
        search(true, kWholeSeconds);
    return result;
}
