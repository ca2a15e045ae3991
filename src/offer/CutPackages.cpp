// Branch and bound over the number of packages of each stock article, the LP of every node
// solved by column generation: the least total of whole packages the LP cannot rule out.

#include "offer/CutBoardModel.h"

#include "offer/CutExact.h"

#include <coin/ClpSimplex.hpp>
#include <coin/CoinPackedMatrix.hpp>

#include <cmath>
#include <queue>

namespace {

// Pieces the stock cannot take cost this much in the node LP: where any is left, the node's
// package counts cannot hold the pieces.
constexpr double kUncovered = 1e7;
constexpr int kMaxNodeRounds = 400;
constexpr int kMaxNodes = 2000;

struct TNode {
    double Bound;
    std::vector<double> Lo, Hi; // package counts per stock article
    bool operator<(const TNode& o) const { return Bound > o.Bound; } // smallest bound first
};

} // namespace

TBoardModel::TNodeLP TBoardModel::SolveNode(const std::vector<double>& Lo,
                                            const std::vector<double>& Hi) {
    const int m = static_cast<int>(fClasses.size());
    const int sCount = static_cast<int>(fProblem.Lager.size());
    if (!fNodeLP) {
        fNodeLP = std::make_unique<ClpSimplex>();
        const std::vector<double> stockUpper(static_cast<size_t>(sCount), 0);
        LoadRows(*fNodeLP, Demands(), &stockUpper);
        for (int s = 0; s < sCount; ++s) {
            const TCutStock& stock = fProblem.Lager[static_cast<size_t>(s)];
            const int row = m + s;
            const double pieces = -stock.PckEin;
            fNodeLP->addColumn(1, &row, &pieces, 0, 0, stock.Laenge * stock.PckEin);
        }
        for (int c = 0; c < m; ++c) {
            const double one = 1;
            fNodeLP->addColumn(1, &c, &one, 0, COIN_DBL_MAX, kUncovered);
        }
    }
    ClpSimplex& lp = *fNodeLP;
    for (int s = 0; s < sCount; ++s)
        lp.setColumnBounds(s, Lo[static_cast<size_t>(s)], Hi[static_cast<size_t>(s)]);
    TNodeLP result;
    for (int round = 0; round < kMaxNodeRounds; ++round) {
        if (fClock.Stop()) return result;
        AddColumns(lp, fNodeInLP, m, false);
        // New limits leave the last basis dual feasible, new columns primal feasible.
        if (round == 0)
            lp.dual();
        else
            lp.primal();
        if (!lp.isProvenOptimal()) return result;
        std::vector<bool> usable;
        for (double h : Hi)
            usable.push_back(h > 0);
        const TPriceRound priced = PriceRound(lp.getRowPrice(), m, usable);
        if (priced.Added) continue;
        if (priced.Unsure) return result;
        const double* x = lp.primalColumnSolution();
        double uncovered = 0;
        for (int c = 0; c < m; ++c)
            uncovered += x[sCount + c];
        result.Status = uncovered > 1e-7 ? TNodeLP::Infeasible : TNodeLP::Solved;
        result.Bound = lp.objectiveValue();
        result.Packages.assign(x, x + sCount);
        const double* duals = lp.getRowPrice();
        for (int c = 0; c < m; ++c)
            result.Need += std::max(duals[c], 0.0) * fClasses[static_cast<size_t>(c)].Demand;
        result.Worth = priced.Worth;
        return result;
    }
    return result;
}

double TBoardModel::Branch(TCutSolution& Best, std::int32_t FirstTag, double Bound,
                           TCutStats& Stats) {
    const int sCount = static_cast<int>(fProblem.Lager.size());
    const double upper = Best.Found ? Best.Total : 1e30;
    std::priority_queue<TNode> open;
    TNode root{Bound, std::vector<double>(static_cast<size_t>(sCount), 0),
               std::vector<double>(static_cast<size_t>(sCount), COIN_DBL_MAX)};
    open.push(root);
    int nodes = 0;
    while (!open.empty()) {
        TNode node = open.top();
        if (node.Bound >= upper - 1e-7) return upper; // every choice left costs as much as Best
        if (++nodes > kMaxNodes) return node.Bound;
        open.pop();
        const TNodeLP lp = SolveNode(node.Lo, node.Hi);
        if (lp.Status == TNodeLP::Unknown) return node.Bound;
        ++Stats.Knoten;
        if (lp.Status == TNodeLP::Infeasible) continue;
        // Whole packages within the node's limits must be worth what the pieces need at the
        // LP's duals: a bound above the LP's own where the packages are coarse.
        const auto boxBound = [&](const TNode& n) {
            const TPackageBox box{n.Lo, n.Hi};
            return PackageWorthAtLeast(fProblem.Lager, lp.Worth, lp.Need, nullptr, &box);
        };
        const double bound = std::max({node.Bound, lp.Bound, boxBound(node)});
        if (bound >= upper - 1e-7) continue;
        // Branch on the most fractional package count.
        int branch = -1;
        double frac = 1e-6;
        for (int s = 0; s < sCount; ++s) {
            const double n = lp.Packages[static_cast<size_t>(s)];
            const double f = std::min(n - std::floor(n), std::ceil(n) - n);
            if (f > frac) {
                frac = f;
                branch = s;
            }
        }
        if (branch < 0) {
            // Whole packages the LP can fill: the cheapest such choice left. Cut into them.
            if (!open.empty() && open.top().Bound < bound - 1e-7) {
                node.Bound = bound;
                node.Lo = node.Hi = {};
                for (int s = 0; s < sCount; ++s) {
                    node.Lo.push_back(std::round(lp.Packages[static_cast<size_t>(s)]));
                    node.Hi.push_back(node.Lo.back());
                }
                open.push(node); // other nodes may still be cheaper
                continue;
            }
            std::vector<int> available;
            for (int s = 0; s < sCount; ++s)
                available.push_back(
                    static_cast<int>(std::lround(lp.Packages[static_cast<size_t>(s)])) *
                    fProblem.Lager[static_cast<size_t>(s)].PckEin);
            TCutSolution packed = Pack(available, FirstTag, Stats);

            if (packed.Found && (!Best.Found || packed.Total < Best.Total - 1e-7) &&
                CheckCutSolution(fProblem, packed).isEmpty())
                Best = std::move(packed);
            return bound;
        }
        const double n = lp.Packages[static_cast<size_t>(branch)];
        TNode down = node, up = node;
        down.Hi[static_cast<size_t>(branch)] = std::floor(n);
        up.Lo[static_cast<size_t>(branch)] = std::ceil(n);
        for (TNode* child : {&down, &up}) {
            child->Bound = std::max(bound, boxBound(*child));
            if (child->Bound < upper - 1e-7) open.push(*child);
        }
    }
    return upper;
}
