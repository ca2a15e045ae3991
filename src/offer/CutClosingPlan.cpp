#include "offer/CutClosingPlan.h"

#include "offer/CutExact.h"

#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <map>
#include <string>

namespace {

// The plan's search looks only at the groups whose reduced cost in the LP is at most this
// (cm): the others would hardly ever pay, and all of them make the search slow.
constexpr double kPlanReducedCost = 0.5;
// The bound looks for totals this much below the one at hand, and its LPs allow the worth
// this much less (cm).
constexpr double kBelowBy = 1e-4;
// The LP that picks the plan's groups looks at no more than these many.
constexpr size_t kMaxPlanGroups = 10000;
// Over more groups than this the bound's LPs take too long.
constexpr size_t kMaxBoundGroups = 20000;
// Sums of packages of half the articles, choices of packages looked at, and found at most.
constexpr size_t kMaxBoundSums = 500000;
constexpr size_t kMaxChoices = 3000;
constexpr size_t kMaxChoicesFound = 200000;

} // namespace

struct TClosingModel {
    OsiClpSolverInterface Solver;
    int StockColumns = 0;
    std::vector<size_t> Group; // the group of each column after the stock, SIZE_MAX for fluid
};

namespace {

// Columns: packages per stock article, then groups (only those where Use is true), then, with
// Fluid, one piece of each class in a larger group. Rows: the worth, the demand per class, the
// stock pieces per article.
void Load(const TCutProblem& Problem, const TClosingSet& Set, double Margin, bool Fluid,
          const std::vector<bool>* Use, TClosingModel& Model) {
    const int classes = static_cast<int>(Set.Classes.size());
    const int stocks = static_cast<int>(Problem.Lager.size());
    // Column by column, the matrix made at once: appending columns one by one copies it.
    std::vector<int> starts{0}, lengths, elementRows;
    std::vector<double> elements;
    const auto append = [&](int n, const int* rows, const double* values) {
        elementRows.insert(elementRows.end(), rows, rows + n);
        elements.insert(elements.end(), values, values + n);
        lengths.push_back(n);
        starts.push_back(static_cast<int>(elements.size()));
    };
    std::vector<double> cost, lower, upper;
    for (int s = 0; s < stocks; ++s) {
        const TCutStock& stock = Problem.Lager[static_cast<size_t>(s)];
        const int rows[] = {0, 1 + classes + s};
        const double values[] = {stock.Laenge * stock.PckEin, -static_cast<double>(stock.PckEin)};
        append(2, rows, values);
        cost.push_back(stock.Laenge * stock.PckEin);
        lower.push_back(0);
        upper.push_back(COIN_DBL_MAX);
    }
    Model.StockColumns = stocks;
    for (size_t j = 0; j < Set.Groups.size(); ++j) {
        const TClosingGroup& g = Set.Groups[j];
        if ((Use && !(*Use)[j]) || g.Gain <= 0) continue;
        std::map<int, double> k{{0, g.Gain}};
        for (int i = 0; i < g.Size; ++i)
            k[1 + g.Classes[static_cast<size_t>(i)]] += 1;
        for (int s = 0; s < stocks; ++s)
            if (g.Stock[static_cast<size_t>(s)] > 0)
                k[1 + classes + s] = g.Stock[static_cast<size_t>(s)];
        std::vector<int> rows;
        std::vector<double> values;
        for (const auto& [row, v] : k) {
            rows.push_back(row);
            values.push_back(v);
        }
        append(static_cast<int>(rows.size()), rows.data(), values.data());
        cost.push_back(0);
        lower.push_back(0);
        upper.push_back(COIN_DBL_MAX);
        Model.Group.push_back(j);
    }
    if (Fluid)
        for (int c = 0; c < classes; ++c) {
            const int rows[] = {0, 1 + c};
            const double values[] = {MostEndGain() / (Set.Most + 1), 1};
            append(2, rows, values);
            cost.push_back(0);
            lower.push_back(0);
            upper.push_back(COIN_DBL_MAX);
            Model.Group.push_back(SIZE_MAX);
        }
    std::vector<double> rowLower{TotalWorth(Set) + Margin}, rowUpper{COIN_DBL_MAX};
    for (const TPieceClass& c : Set.Classes) {
        rowLower.push_back(-COIN_DBL_MAX);
        rowUpper.push_back(c.Demand);
    }
    for (int s = 0; s < stocks; ++s) {
        rowLower.push_back(-COIN_DBL_MAX);
        rowUpper.push_back(0);
    }
    const CoinPackedMatrix matrix(true, 1 + classes + stocks, static_cast<int>(lengths.size()),
                                  static_cast<CoinBigIndex>(elements.size()), elements.data(),
                                  elementRows.data(), starts.data(), lengths.data());
    Model.Solver.loadProblem(matrix, lower.data(), upper.data(), cost.data(), rowLower.data(),
                             rowUpper.data());
    Model.Solver.messageHandler()->setLogLevel(0);
    Model.Solver.getModelPtr()->setLogLevel(0);
}

} // namespace

const double* CbcSearch(CbcModel& Cbc, double Seconds, TClock& Clock, TCutStats& Stats,
                        double Enough, bool Preprocess) {
    Cbc.setLogLevel(0);
    Cbc.messageHandler()->setLogLevel(0);
    const double seconds = std::max(0.02, std::min(Clock.Left(), Seconds));
    TStopHandler stop(Clock, Enough);
    Cbc.passInEventHandler(&stop);
    CbcMain0(Cbc);
    // CBC reads its arguments with the C library, whose decimal point is the locale's.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    const std::string sec = std::to_string(seconds);
    std::vector<const char*> argv = {"tarv",      "-log", "0",    "-allowableGap", "1e-6",
                                     "-ratioGap", "0",    "-sec", sec.c_str()};
    if (!Preprocess) argv.insert(argv.end(), {"-preprocess", "off"});
    argv.insert(argv.end(), {"-solve", "-quit"});
    CbcMain1(static_cast<int>(argv.size()), argv.data(), Cbc);
    std::setlocale(LC_NUMERIC, previous.c_str());
    Stats.Knoten += Cbc.getNodeCount();
    return Cbc.bestSolution();
}

std::vector<int> StockPieces(const TCutProblem& Problem, const std::vector<int>& Packages) {
    std::vector<int> pieces;
    for (size_t s = 0; s < Packages.size(); ++s)
        pieces.push_back(Packages[s] * Problem.Lager[s].PckEin);
    return pieces;
}

TClosingPlan MakePlan(const TCutProblem& Problem, const std::vector<int>& Packages,
                      const std::vector<std::pair<double, TEndingGroup>>& Groups) {
    TClosingPlan plan;
    plan.Found = true;
    plan.Packages = Packages;
    for (size_t s = 0; s < Packages.size(); ++s)
        plan.Total += Packages[s] * Problem.Lager[s].Laenge * Problem.Lager[s].PckEin;
    std::vector<std::pair<double, size_t>> order;
    for (size_t g = 0; g < Groups.size(); ++g)
        order.emplace_back(Groups[g].first, g);
    std::sort(order.rbegin(), order.rend());
    for (const auto& [gain, g] : order)
        plan.Groups.push_back(Groups[g].second);
    return plan;
}

namespace {

// The plan of these packages and these counts of the set's groups.
TClosingPlan PlanOfCounts(const TCutProblem& Problem, const TClosingSet& Set,
                          const std::vector<int>& Packages, const std::vector<int>& Counts) {
    std::vector<std::pair<double, TEndingGroup>> groups;
    for (size_t g = 0; g < Counts.size(); ++g) {
        if (Counts[g] <= 0) continue;
        const TClosingGroup& group = Set.Groups[g];
        TEndingGroup e;
        e.Classes.assign(group.Classes.begin(), group.Classes.begin() + group.Size);
        e.Stock = group.Stock;
        e.Count = Counts[g];
        groups.emplace_back(group.Gain, std::move(e));
    }
    return MakePlan(Problem, Packages, groups);
}

} // namespace

TPackageChoices PackageChoices(const TCutProblem& Problem, double From, double Below) {
    // Every choice of packages with a total from From to below Below, the least first: the
    // sums of the first half of the articles against those of the second.
    const size_t n = Problem.Lager.size();
    const size_t half = n / 2;
    bool complete = true;
    const auto sums = [&](size_t first, size_t last) {
        std::vector<std::pair<double, std::vector<int>>> list{{0, std::vector<int>(n, 0)}};
        for (size_t s = first; s < last && complete; ++s) {
            const double unit = Problem.Lager[s].Laenge * Problem.Lager[s].PckEin;
            if (unit <= 0) continue;
            const size_t before = list.size();
            for (size_t i = 0; i < before && complete; ++i)
                for (int k = 1; list[i].first + k * unit < Below - kBelowBy; ++k) {
                    std::vector<int> counts = list[i].second;
                    counts[s] = k;
                    list.emplace_back(list[i].first + k * unit, std::move(counts));
                    if (list.size() > kMaxBoundSums) {
                        complete = false;
                        break;
                    }
                }
        }
        return list;
    };
    const auto low = sums(0, half);
    auto high = sums(half, n);
    TPackageChoices choices;
    choices.Through = From;
    if (!complete) return choices;
    std::sort(high.begin(), high.end(),
              [](const auto& x, const auto& y) { return x.first < y.first; });
    auto& list = choices.List;
    for (const auto& [sum, counts] : low) {
        auto it = std::lower_bound(high.begin(), high.end(), From - kBelowBy - sum,
                                   [](const auto& x, double v) { return x.first < v; });
        for (; it != high.end() && sum + it->first < Below - kBelowBy; ++it) {
            std::vector<int> both = counts;
            for (size_t s = half; s < n; ++s)
                both[s] = it->second[s];
            list.emplace_back(sum + it->first, std::move(both));
            if (list.size() > kMaxChoicesFound) {
                list.clear();
                return choices;
            }
        }
    }
    std::sort(list.begin(), list.end());
    // The least of them only, and all of each total listed.
    choices.Through = Below;
    if (list.size() > kMaxChoices) {
        choices.Through = list[kMaxChoices].first;
        while (!list.empty() && list.back().first >= choices.Through - kBelowBy)
            list.pop_back();
    }
    return choices;
}

TClosingPlan PlanClosings(const TCutProblem& Problem, const TClosingSet& Set, double Margin,
                          double Seconds, TClock& Clock, TCutStats& Stats) {
    TClosingPlan plan;
    if (Set.Classes.empty() || Set.Most == 0) return plan;
    // The LP over the groups picks those worth searching; where they are too many for it, over
    // those that gain most.
    std::vector<bool> use(Set.Groups.size(), true);
    if (Set.Groups.size() > kMaxPlanGroups) {
        std::vector<double> gains;
        for (const TClosingGroup& g : Set.Groups)
            gains.push_back(g.Gain);
        const auto least = gains.end() - static_cast<std::ptrdiff_t>(kMaxPlanGroups);
        std::nth_element(gains.begin(), least, gains.end());
        for (size_t j = 0; j < use.size(); ++j)
            use[j] = Set.Groups[j].Gain >= *least;
    }
    {
        TClosingModel lp;
        Load(Problem, Set, Margin, false, &use, lp);
        lp.Solver.setHintParam(OsiDoDualInInitial, false, OsiHintDo); // much faster here
        lp.Solver.initialSolve();
        if (!lp.Solver.isProvenOptimal()) return plan;
        const double* reduced = lp.Solver.getReducedCost();
        use.assign(Set.Groups.size(), false);
        for (size_t j = 0; j < lp.Group.size(); ++j)
            if (reduced[static_cast<size_t>(lp.StockColumns) + j] <= kPlanReducedCost)
                use[lp.Group[j]] = true;
    }
    TClosingModel model;
    Load(Problem, Set, Margin, false, &use, model);
    const int columns = model.Solver.getNumCols();
    for (int j = 0; j < columns; ++j)
        model.Solver.setInteger(j);
    CbcModel cbc(model.Solver);
    const double* x = CbcSearch(cbc, Seconds, Clock, Stats);
    if (!x) return plan;
    std::vector<int> packages, counts(Set.Groups.size(), 0);
    for (int s = 0; s < model.StockColumns; ++s)
        packages.push_back(static_cast<int>(std::lround(x[s])));
    for (size_t j = 0; j < model.Group.size(); ++j)
        counts[model.Group[j]] =
            static_cast<int>(std::lround(x[static_cast<size_t>(model.StockColumns) + j]));
    return PlanOfCounts(Problem, Set, packages, counts);
}

struct TChoicePlanner::TLP {
    TClosingModel Model;
    bool Solved = false;
};

TChoicePlanner::TChoicePlanner(const TCutProblem& Problem, const TClosingSet& Set)
    : fProblem(Problem), fSet(Set), fLP(std::make_unique<TLP>()) {
    // The most the groups gain: the worth row free, each group worth its gain.
    TClosingModel& lp = fLP->Model;
    Load(Problem, Set, 0, false, nullptr, lp);
    lp.Solver.setRowLower(0, -COIN_DBL_MAX);
    for (int s = 0; s < lp.StockColumns; ++s)
        lp.Solver.setObjCoeff(s, 0);
    for (size_t j = 0; j < lp.Group.size(); ++j)
        lp.Solver.setObjCoeff(lp.StockColumns + static_cast<int>(j), -Set.Groups[lp.Group[j]].Gain);
    lp.Solver.setHintParam(OsiDoDualInInitial, false, OsiHintDo);
    for (size_t g = 0; g < Set.Groups.size(); ++g)
        fOrder.push_back(g);
    std::stable_sort(fOrder.begin(), fOrder.end(),
                     [&](size_t a, size_t b) { return Set.Groups[a].Gain > Set.Groups[b].Gain; });
}

TChoicePlanner::~TChoicePlanner() = default;

TClosingPlan TChoicePlanner::Plan(const std::vector<int>& Packages, double& Slack) {
    TClosingPlan plan;
    if (fSet.Classes.empty() || fSet.Most == 0) return plan;
    TClosingModel& lp = fLP->Model;
    OsiClpSolverInterface& solver = lp.Solver;
    for (int s = 0; s < lp.StockColumns; ++s)
        solver.setColBounds(s, Packages[static_cast<size_t>(s)], Packages[static_cast<size_t>(s)]);
    if (fLP->Solved)
        solver.resolve();
    else
        solver.initialSolve();
    fLP->Solved = true;
    if (!solver.isProvenOptimal()) return plan;
    // The LP's whole groups, one more of those it takes in part, the largest part first, then
    // the groups that gain most, as long as pieces and stock pieces are left.
    const double* x = solver.getColSolution();
    std::vector<int> counts(fSet.Groups.size(), 0), left;
    std::vector<int> stock = StockPieces(fProblem, Packages);
    for (const TPieceClass& c : fSet.Classes)
        left.push_back(c.Demand);
    const auto take = [&](size_t g, int k) {
        const TClosingGroup& group = fSet.Groups[g];
        for (int i = 0; i < group.Size; ++i)
            left[static_cast<size_t>(group.Classes[static_cast<size_t>(i)])] -= k;
        for (size_t s = 0; s < stock.size(); ++s)
            stock[s] -= k * group.Stock[s];
        counts[g] += k;
    };
    const auto fits = [&](size_t g) {
        const TClosingGroup& group = fSet.Groups[g];
        for (int i = 0; i < group.Size; ++i) {
            const int c = group.Classes[static_cast<size_t>(i)];
            int need = 0;
            for (int k = 0; k < group.Size; ++k)
                need += group.Classes[static_cast<size_t>(k)] == c;
            if (need > left[static_cast<size_t>(c)]) return false;
        }
        for (size_t s = 0; s < stock.size(); ++s)
            if (group.Stock[s] > stock[s]) return false;
        return true;
    };
    for (size_t j = 0; j < lp.Group.size(); ++j) {
        const int k = static_cast<int>(std::floor(x[lp.StockColumns + static_cast<int>(j)] + 1e-6));
        if (k > 0) take(lp.Group[j], k);
    }
    std::vector<std::pair<double, size_t>> parts; // the LP's fractions, the largest first
    for (size_t j = 0; j < lp.Group.size(); ++j) {
        const double v = x[lp.StockColumns + static_cast<int>(j)];
        const double part = v - std::floor(v + 1e-6);
        if (part > 1e-6) parts.emplace_back(part, lp.Group[j]);
    }
    std::sort(parts.rbegin(), parts.rend());
    for (const auto& [part, g] : parts)
        if (fits(g)) take(g, 1);
    for (size_t g : fOrder)
        while (fSet.Groups[g].Gain > 0 && fits(g))
            take(g, 1);
    plan = PlanOfCounts(fProblem, fSet, Packages, counts);
    double gain = 0;
    for (size_t g = 0; g < counts.size(); ++g)
        gain += counts[g] * fSet.Groups[g].Gain;
    Slack = plan.Total + gain - TotalWorth(fSet);
    return plan;
}

double ClosingPlanBound(const TCutProblem& Problem, const TClosingSet& Set, double From,
                        double Below, double Seconds, TClock& Clock) {
    return ClosingPlanBound(Problem, Set, PackageChoices(Problem, From, Below), From, Seconds,
                            Clock);
}

double ClosingPlanBound(const TCutProblem& Problem, const TClosingSet& Set,
                        const TPackageChoices& Choices, double From, double Seconds,
                        TClock& Clock) {
    if (Set.Classes.empty() || Set.Most == 0 || !Set.AllWays || Set.Groups.size() > kMaxBoundGroups)
        return From;
    if (Choices.List.empty()) return Choices.Through;

    // For each, whether the groups its stock pieces allow, and those of more pieces at their
    // share, can gain what the pieces' worth exceeds the total by: the first that can is the
    // bound; where none can, nothing below Below is possible.
    TClosingModel model;
    Load(Problem, Set, -kBelowBy, true, nullptr, model);
    OsiClpSolverInterface& lp = model.Solver;
    lp.setHintParam(OsiDoDualInInitial, false, OsiHintDo);
    lp.initialSolve();
    const double until = Clock.Elapsed() + Seconds;
    for (const auto& [total, packages] : Choices.List) {
        if (Clock.Stop() || Clock.Elapsed() > until) return total;
        for (size_t s = 0; s < Problem.Lager.size(); ++s)
            lp.setColBounds(static_cast<int>(s), packages[s], packages[s]);
        lp.resolve();
        if (!lp.isProvenPrimalInfeasible()) return total;
    }
    return Choices.Through;
}
