#include "offer/CutBoardModel.h"

#include "offer/CutExact.h"
#include "offer/CutPacking.h"

#include <coin/CbcModel.hpp>
#include <coin/ClpSimplex.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEps = 1e-9;
// Column generation stops after this many rounds.
constexpr int kMaxRounds = 400;
// Reduced costs within the LP's own tolerance improve nothing.
constexpr double kPricingSlack = 1e-6;
// CBC's share of cutting into given stock pieces before the LP rounding takes over, and of
// improving an unproven result at the end.
constexpr double kPackSeconds = 1;
constexpr double kImproveSeconds = 2;
constexpr double kNoTarget = 1e300;
// Weight of the best duals so far in the smoothed duals of the column generation.
constexpr double kSmoothing = 0.5;
// The dive solves at most this many LPs, and on its way back tries this many of the LP's
// largest patterns at a step.
constexpr int kMaxDiveLPs = 60;
constexpr size_t kDiveChoices = 3;
// Nodes of the short pricing search tried before the full one.
constexpr std::int64_t kQuickPricingNodes = 10000;

void Quiet(OsiClpSolverInterface& solver) {
    solver.messageHandler()->setLogLevel(0);
    solver.getModelPtr()->setLogLevel(0);
}

} // namespace

TBoardModel::TBoardModel(const TCutProblem& Problem, TClock& Clock)
    : fProblem(Problem), fClock(Clock) {
    fClasses = PieceClasses(Problem, fClassOf);
}

TBoardModel::~TBoardModel() = default;

bool TBoardModel::AnyUnfit() const {
    for (const TPieceClass& c : fClasses) {
        bool fits = false;
        for (size_t s = 0; s < fProblem.Lager.size() && !fits; ++s)
            fits = ClassFitsStock(fProblem, c, static_cast<int>(s));
        if (!fits) return true;
    }
    return false;
}

bool TBoardModel::AddPattern(const TPattern& p) {
    if (fIndex.count(p)) return false;
    fIndex[p] = static_cast<int>(fPatterns.size());
    fPatterns.push_back(p);
    return true;
}

std::vector<TPattern> TBoardModel::FillLongestFirst(int Stock) const {
    const TCutStock& stock = fProblem.Lager[static_cast<size_t>(Stock)];
    std::vector<int> left = Demands();
    std::vector<TPattern> patterns;
    for (bool more = true; more;) {
        more = false;
        TPattern p{Stock, {}};
        double rest = stock.Laenge + kSawCut;
        std::int32_t code = stock.StirnSeite;
        for (size_t c = 0; c < fClasses.size(); ++c) {
            const TPieceClass& cls = fClasses[c];
            int k = 0;
            while (k < left[c] && cls.Laenge + kSawCut <= rest + kEps &&
                   CodeFits(fProblem, code, cls.StirnSeite)) {
                rest -= cls.Laenge + kSawCut;
                code /= cls.StirnSeite; // 1 for types without end codes
                ++k;
            }
            if (k > 0) {
                p.Counts.emplace_back(static_cast<int>(c), k);
                left[c] -= k;
                more = true;
            }
        }
        if (more) patterns.push_back(std::move(p));
    }
    return patterns;
}

std::vector<TPattern> TBoardModel::FillBestFit(const std::vector<int>& Demand,
                                               const std::vector<int>& Available) const {
    struct TOpen {
        int Stock;
        double Rest;
        std::int32_t Code;
        std::map<int, int> Counts;
    };
    std::vector<TOpen> open;
    for (size_t s = 0; s < Available.size(); ++s)
        for (int k = 0; k < Available[s]; ++k)
            open.push_back({static_cast<int>(s),
                            fProblem.Lager[s].Laenge + kSawCut,
                            fProblem.Lager[s].StirnSeite,
                            {}});
    for (size_t c = 0; c < fClasses.size(); ++c) {
        const TPieceClass& cls = fClasses[c];
        const double weight = cls.Laenge + kSawCut;
        for (int k = 0; k < Demand[c]; ++k) {
            TOpen* best = nullptr;
            for (TOpen& o : open)
                if (weight <= o.Rest + kEps && CodeFits(fProblem, o.Code, cls.StirnSeite) &&
                    (best == nullptr || o.Rest < best->Rest))
                    best = &o;
            if (best == nullptr) return {};
            best->Rest -= weight;
            best->Code /= cls.StirnSeite; // 1 for types without end codes
            ++best->Counts[static_cast<int>(c)];
        }
    }
    std::vector<TPattern> patterns;
    for (const TOpen& o : open)
        if (!o.Counts.empty()) patterns.push_back({o.Stock, {o.Counts.begin(), o.Counts.end()}});
    return patterns;
}

TPattern TBoardModel::PatternOf(const TCutOpened& o) const {
    std::map<int, int> counts;
    for (const TCutOpened::TCut& cut : o.Schnitte)
        ++counts[fClassOf[static_cast<size_t>(cut.Piece)]];
    return {o.Stock, {counts.begin(), counts.end()}};
}

void TBoardModel::PatternColumn(const TPattern& p, int StockRows, std::vector<int>& Rows,
                                std::vector<double>& Values) const {
    Rows.clear();
    Values.clear();
    for (const auto& [c, k] : p.Counts) {
        Rows.push_back(c);
        Values.push_back(k);
    }
    if (StockRows >= 0) {
        Rows.push_back(StockRows + p.Stock);
        Values.push_back(1);
    }
}

void TBoardModel::AddColumns(ClpSimplex& LP, size_t& InLP, int StockRows, bool Costed) const {
    if (InLP >= fPatterns.size()) return;
    std::vector<int> starts{0}, rows, columnRows;
    std::vector<double> values, columnValues, lower, upper, cost;
    for (; InLP < fPatterns.size(); ++InLP) {
        const TPattern& p = fPatterns[InLP];
        PatternColumn(p, StockRows, columnRows, columnValues);
        rows.insert(rows.end(), columnRows.begin(), columnRows.end());
        values.insert(values.end(), columnValues.begin(), columnValues.end());
        starts.push_back(static_cast<int>(rows.size()));
        lower.push_back(0);
        upper.push_back(COIN_DBL_MAX);
        cost.push_back(Costed ? fProblem.Lager[static_cast<size_t>(p.Stock)].Laenge : 0);
    }
    LP.addColumns(static_cast<int>(cost.size()), lower.data(), upper.data(), cost.data(),
                  starts.data(), rows.data(), values.data());
}

void TBoardModel::LoadRows(ClpSimplex& LP, const std::vector<int>& Demand,
                           const std::vector<double>* StockUpper) const {
    std::vector<double> lower, upper;
    for (int d : Demand) {
        lower.push_back(d);
        upper.push_back(COIN_DBL_MAX);
    }
    if (StockUpper)
        for (double u : *StockUpper) {
            lower.push_back(-COIN_DBL_MAX);
            upper.push_back(u);
        }
    CoinPackedMatrix empty(true, 0, 0);
    empty.setDimensions(static_cast<int>(lower.size()), 0);
    LP.loadProblem(empty, nullptr, nullptr, nullptr, lower.data(), upper.data());
    LP.setLogLevel(0);
}

std::vector<int> TBoardModel::Demands() const {
    std::vector<int> demand;
    for (const TPieceClass& c : fClasses)
        demand.push_back(c.Demand);
    return demand;
}

TBoardModel::TPriceRound TBoardModel::PriceRound(const double* Duals, int StockRows,
                                                 const std::vector<bool>& Usable) {
    const std::vector<double> pi(Duals, Duals + fClasses.size());
    TPriceRound round;
    // A short search finds an improving pattern in most rounds, or proves there is none; the
    // full one runs only for the stock articles where it could not tell.
    round.Worth.assign(fProblem.Lager.size(), 0);
    std::vector<int> open;
    for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s)
        if (Usable[static_cast<size_t>(s)]) open.push_back(s);
    for (const std::int64_t budget : {kQuickPricingNodes, kMaxPricingNodes}) {
        std::vector<int> unsure;
        for (int s : open) {
            const double threshold = -Duals[StockRows + s];
            const TPricing priced =
                PricePattern(fProblem, fClasses, pi, s, threshold + kPricingSlack, budget);
            round.Worth[static_cast<size_t>(s)] = priced.UpperValue;
            bool added = false;
            for (const TPatternCounts& counts : priced.Patterns)
                added = AddPattern({s, counts}) || added;
            round.Added = round.Added || added;
            if (!added && priced.UpperValue > threshold + kPricingSlack &&
                priced.UpperValue > priced.Value + kPricingSlack)
                unsure.push_back(s);
        }
        round.Unsure = !unsure.empty();
        if (round.Added || !round.Unsure) break;
        open = std::move(unsure);
    }
    return round;
}

std::vector<double> TBoardModel::SolveInteger(const std::vector<double>& StockUpper,
                                              const std::vector<double>& PatternUpper,
                                              bool PackageColumns, double Seconds,
                                              bool FirstSolution, const std::vector<double>* Start,
                                              double StartTotal, TCutStats& Stats) {
    const int m = static_cast<int>(fClasses.size());
    const int sCount = static_cast<int>(fProblem.Lager.size());
    CoinPackedMatrix matrix(true, 0, 0);
    matrix.setDimensions(m + sCount, 0);
    std::vector<double> cost, colLower, colUpper;
    std::vector<int> rows;
    std::vector<double> values;
    for (const TPattern& p : fPatterns) {
        PatternColumn(p, m, rows, values);
        matrix.appendCol(static_cast<int>(rows.size()), rows.data(), values.data());
        cost.push_back(0);
        colLower.push_back(0);
        colUpper.push_back(PatternUpper[static_cast<size_t>(p.Stock)]);
    }
    if (PackageColumns)
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
    for (double u : StockUpper) {
        rowLower.push_back(-COIN_DBL_MAX);
        rowUpper.push_back(u);
    }
    OsiClpSolverInterface solver;
    solver.loadProblem(matrix, colLower.data(), colUpper.data(), cost.data(), rowLower.data(),
                       rowUpper.data());
    const int columns = static_cast<int>(cost.size());
    for (int j = 0; j < columns; ++j)
        solver.setInteger(j);
    Quiet(solver);
    CbcModel model(solver);
    model.setLogLevel(0);
    model.messageHandler()->setLogLevel(0);
    model.setMaximumSeconds(std::max(0.05, std::min(fClock.Left(), Seconds)));
    if (FirstSolution) model.setMaximumSolutions(1);
    TStopHandler stop(fClock);
    model.passInEventHandler(&stop);
    if (Start) model.setBestSolution(Start->data(), columns, StartTotal, true);
    model.branchAndBound();
    Stats.Knoten += model.getNodeCount();
    const double* best = model.bestSolution();
    return best ? std::vector<double>(best, best + columns) : std::vector<double>();
}

double TBoardModel::BaseBound(const TCutSolution& Start) {
    const double target = Start.Found ? Start.Total : kNoTarget;
    const int m = static_cast<int>(fClasses.size());
    ClpSimplex lp;
    LoadRows(lp, Demands(), nullptr);
    size_t inLP = 0;
    // A start that covers everything: each class alone, as often as it fits.
    for (int c = 0; c < m; ++c)
        for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s) {
            const int k = MaxCopies(fProblem, fClasses[static_cast<size_t>(c)], s);
            if (k > 0) AddPattern({s, {{c, k}}});
        }
    // And what good packings cut: the solution at hand, and each stock alone filled longest
    // piece first.
    if (Start.Found)
        for (const TCutOpened& o : Start.Opened)
            if (!o.Schnitte.empty()) AddPattern(PatternOf(o));
    for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s)
        for (const TPattern& p : FillLongestFirst(s))
            AddPattern(p);
    double bound = 0, best = 0;
    std::vector<double> center; // the duals of the best bound so far
    for (int round = 0; round < kMaxRounds && !fClock.Stop(); ++round) {
        AddColumns(lp, inLP, -1, true);
        lp.primal();
        if (!lp.isProvenOptimal()) break;
        const double z = lp.objectiveValue();
        const double* duals = lp.getRowPrice();
        const std::vector<double> out(duals, duals + m);
        if (center.empty()) center = out;
        // Smoothed duals between the best so far and the LP's; where they find no pattern
        // that improves the LP, the LP's own.
        bool added = false;
        for (const double alpha : {kSmoothing, 0.0}) {
            std::vector<double> pi(static_cast<size_t>(m));
            for (size_t c = 0; c < pi.size(); ++c)
                pi[c] = alpha * center[c] + (1 - alpha) * out[c];
            double need = 0;
            for (size_t c = 0; c < pi.size(); ++c)
                need += std::max(pi[c], 0.0) * fClasses[c].Demand;
            // The short search first; the full one only where it finds nothing.
            for (const std::int64_t budget : {kQuickPricingNodes, kMaxPricingNodes}) {
                double theta = 1;
                std::vector<double> worth; // the most a stock piece of each article is worth
                for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s) {
                    const double length = fProblem.Lager[static_cast<size_t>(s)].Laenge;
                    const TPricing priced = PricePattern(fProblem, fClasses, pi, s, 0, budget);
                    theta = std::max(theta, priced.UpperValue / length);
                    worth.push_back(priced.UpperValue);
                    // Only what improves the LP; a pattern it has already is only rounding of
                    // its tolerances.
                    for (const TPatternCounts& counts : priced.Patterns) {
                        double value = 0;
                        for (const auto& [c, k] : counts)
                            value += k * out[static_cast<size_t>(c)];
                        if (value > length * (1 + 1e-9)) added = AddPattern({s, counts}) || added;
                    }
                }
                // Farley: the duals scaled by 1/theta are feasible for every pattern. And
                // whole packages must be worth what the pieces need at these duals.
                const double farley = need / theta;
                if (farley > best) {
                    best = farley;
                    center = pi;
                }
                const double worthBound = PackageWorthAtLeast(fProblem.Lager, worth, need);
                bound = std::max({bound, PackageTotalAtLeast(fProblem.Lager, farley),
                                  std::isfinite(worthBound) ? worthBound : 0.0});
                if (added) break;
            }
            if (added) break;
        }
        // Further rounds only lower the LP's value: once the bound is what that value rounds
        // up to, or what a solution at hand costs, they cannot raise it.
        if (!added || bound >= std::min(target, PackageTotalAtLeast(fProblem.Lager, z)) - 1e-7)
            break;
    }
    return bound;
}

TBoardModel::TFit TBoardModel::Fits(const std::vector<int>& Demand,
                                    const std::vector<int>& Available, std::vector<double>* X) {
    const int m = static_cast<int>(fClasses.size());
    ClpSimplex lp;
    const std::vector<double> stockUpper(Available.begin(), Available.end());
    LoadRows(lp, Demand, &stockUpper);
    // What cannot be covered is counted by one slack per class: the pieces fit when none is
    // needed.
    for (int c = 0; c < m; ++c) {
        const double one = 1;
        lp.addColumn(1, &c, &one, 0, COIN_DBL_MAX, 1);
    }
    size_t inLP = 0;
    for (int round = 0; round < kMaxRounds; ++round) {
        if (fClock.Stop()) return TFit::Unknown;
        AddColumns(lp, inLP, m, false);
        lp.primal();
        if (!lp.isProvenOptimal()) return TFit::Unknown;
        if (lp.objectiveValue() < 1e-7) {
            if (X) {
                const double* x = lp.primalColumnSolution();
                X->assign(x + m, x + m + fPatterns.size());
            }
            return TFit::Yes;
        }
        std::vector<bool> usable;
        for (int a : Available)
            usable.push_back(a > 0);
        const TPriceRound priced = PriceRound(lp.getRowPrice(), m, usable);
        if (!priced.Added) return priced.Unsure ? TFit::Unknown : TFit::No;
    }
    return TFit::Unknown;
}

TCutSolution TBoardModel::Expand(const std::vector<double>& x, const std::vector<int>& Available,
                                 std::int32_t FirstTag) const {
    std::vector<std::vector<int>> queue(fClasses.size());
    for (size_t c = 0; c < fClasses.size(); ++c)
        queue[c] = fClasses[c].Pieces;
    std::vector<TStockFill> fills;
    for (size_t s = 0; s < fProblem.Lager.size(); ++s) {
        int used = 0;
        for (size_t p = 0; p < fPatterns.size(); ++p) {
            if (fPatterns[p].Stock != static_cast<int>(s)) continue;
            for (long k = std::lround(x[p]); k > 0 && used < Available[s]; --k, ++used) {
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
        for (; used < Available[s]; ++used)
            fills.push_back({static_cast<int>(s), {}});
    }
    for (const auto& q : queue)
        if (!q.empty()) return TCutSolution();
    return MakeSolution(fProblem, fills, FirstTag);
}

TCutSolution TBoardModel::Pack(const std::vector<int>& Available, std::int32_t FirstTag,
                               TCutStats& Stats) {
    // Any solution will do: the total is that of the packages. The dive rounds the LP, adding
    // patterns as it goes; where it gets stuck, CBC searches the patterns found so far.
    TCutSolution dived = Dive(Available, FirstTag);
    if (dived.Found) return dived;
    const std::vector<double> upper(Available.begin(), Available.end());
    const std::vector<double> x =
        SolveInteger(upper, upper, false, kPackSeconds, true, nullptr, 0, Stats);
    return x.empty() ? TCutSolution() : Expand(x, Available, FirstTag);
}

TCutSolution TBoardModel::Dive(const std::vector<int>& Available, std::int32_t FirstTag) {
    // LP rounding: patterns the LP uses are fixed and the LP over all patterns is solved again
    // for the rest, until nothing is left. At each step first everything the LP takes whole;
    // where a step leaves a rest the stock cannot take, the search goes back and fixes one
    // copy of the LP's largest patterns there instead, the next largest on each return.
    struct TStep {
        std::vector<int> Demand, Available;
        std::vector<double> Fixed;
        std::vector<size_t> Order; // the LP's patterns, largest first
        int Tried = -1;            // -1: nothing yet; 0: all whole; k: the k-th largest once
    };
    std::vector<TStep> steps;
    steps.push_back({Demands(), Available, {}, {}, -1});
    int lps = 0;
    while (!steps.empty()) {
        TStep& step = steps.back();
        if (!std::any_of(step.Demand.begin(), step.Demand.end(), [](int d) { return d > 0; })) {
            std::vector<double> fixed = step.Fixed;
            fixed.resize(fPatterns.size(), 0);
            return Expand(fixed, Available, FirstTag);
        }
        if (step.Tried < 0) {
            if (fClock.Stop() || ++lps > kMaxDiveLPs) return TCutSolution();
            // What is left often goes into what is left best fit, longest piece first.
            const std::vector<TPattern> rest = FillBestFit(step.Demand, step.Available);
            if (!rest.empty()) {
                std::vector<double> fixed = step.Fixed;
                for (const TPattern& p : rest) {
                    AddPattern(p);
                    fixed.resize(fPatterns.size(), 0);
                    fixed[static_cast<size_t>(fIndex.at(p))] += 1;
                }
                fixed.resize(fPatterns.size(), 0);
                return Expand(fixed, Available, FirstTag);
            }
            std::vector<double> x;
            if (Fits(step.Demand, step.Available, &x) != TFit::Yes || x.empty()) {
                steps.pop_back();
                continue;
            }
            for (size_t p = 0; p < x.size(); ++p)
                if (x[p] > 1e-9) step.Order.push_back(p);
            std::stable_sort(step.Order.begin(), step.Order.end(),
                             [&](size_t a, size_t b) { return x[a] > x[b]; });
            // Whole copies first: none when no pattern is used whole.
            step.Tried =
                std::any_of(x.begin(), x.end(), [](double v) { return v >= 1 - 1e-9; }) ? -1 : 0;
            if (step.Tried < 0) {
                step.Tried = 0;
                TStep next{step.Demand, step.Available, step.Fixed, {}, -1};
                for (size_t p = 0; p < x.size(); ++p)
                    Fix(next.Demand, next.Available, next.Fixed, p,
                        static_cast<int>(std::floor(x[p] + 1e-9)));
                steps.push_back(std::move(next));
                continue;
            }
        }
        // One copy of the next largest pattern not tried here yet.
        const size_t k = static_cast<size_t>(step.Tried++);
        if (k >= std::min(step.Order.size(), kDiveChoices)) {
            steps.pop_back();
            continue;
        }
        TStep next{step.Demand, step.Available, step.Fixed, {}, -1};
        if (Fix(next.Demand, next.Available, next.Fixed, step.Order[k], 1))
            steps.push_back(std::move(next));
    }
    return TCutSolution();
}

bool TBoardModel::Fix(std::vector<int>& Demand, std::vector<int>& Available,
                      std::vector<double>& Fixed, size_t Pattern, int Copies) const {
    const TPattern& pattern = fPatterns[Pattern];
    Copies = std::min(Copies, Available[static_cast<size_t>(pattern.Stock)]);
    if (Copies <= 0) return false;
    Fixed.resize(fPatterns.size(), 0);
    Fixed[Pattern] += Copies;
    Available[static_cast<size_t>(pattern.Stock)] -= Copies;
    for (const auto& [c, k] : pattern.Counts)
        Demand[static_cast<size_t>(c)] = std::max(0, Demand[static_cast<size_t>(c)] - k * Copies);
    return true;
}

TCutSolution TBoardModel::Improve(const TCutSolution& Incumbent, std::int32_t FirstTag,
                                  TCutStats& Stats) {
    if (Incumbent.Found)
        for (const TCutOpened& o : Incumbent.Opened)
            if (!o.Schnitte.empty()) AddPattern(PatternOf(o));
    const size_t sCount = fProblem.Lager.size();
    const size_t pCount = fPatterns.size();
    // Per stock: the patterns cut are at most the pieces in its packages.
    const std::vector<double> zero(sCount, 0), unbounded(sCount, COIN_DBL_MAX);
    std::vector<double> start;
    if (Incumbent.Found) {
        start.assign(pCount + sCount, 0);
        for (const TCutOpened& o : Incumbent.Opened) {
            if (!o.Schnitte.empty()) start[static_cast<size_t>(fIndex.at(PatternOf(o)))] += 1;
            start[pCount + static_cast<size_t>(o.Stock)] +=
                1.0 / fProblem.Lager[static_cast<size_t>(o.Stock)].PckEin;
        }
        for (size_t s = 0; s < sCount; ++s)
            start[pCount + s] = std::round(start[pCount + s]);
    }
    const std::vector<double> x =
        SolveInteger(zero, unbounded, true, kImproveSeconds, false,
                     Incumbent.Found ? &start : nullptr, Incumbent.Total, Stats);
    if (x.empty()) return TCutSolution();
    std::vector<int> available;
    for (size_t s = 0; s < sCount; ++s)
        available.push_back(static_cast<int>(std::lround(x[pCount + s])) *
                            fProblem.Lager[s].PckEin);
    return Expand(std::vector<double>(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(pCount)),
                  available, FirstTag);
}

void TBoardModel::Solve(TCutSolution& Best, std::int32_t FirstTag, TCutStats& Stats) {
    const auto better = [&](const TCutSolution& s) {
        return s.Found && (!Best.Found || s.Total < Best.Total - 1e-7) &&
               CheckCutSolution(fProblem, s).isEmpty();
    };
    Stats.Untergrenze = BaseBound(Best);
    if (Best.Found && Best.Total <= Stats.Untergrenze + 1e-7) return;

    // Package choices from the bound up, cheapest first, each ruled out by the LP or cut into.
    Stats.Untergrenze = std::max(
        Stats.Untergrenze,
        PackageTotalAtLeast(fProblem.Lager, Branch(Best, FirstTag, Stats.Untergrenze, Stats)));
    if (Best.Found && Best.Total <= Stats.Untergrenze + 1e-7) return;
    if (!fClock.Stop()) {
        TCutSolution improved = Improve(Best, FirstTag, Stats);
        if (better(improved)) Best = std::move(improved);
    }
}
