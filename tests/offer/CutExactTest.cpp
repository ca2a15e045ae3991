// The exact optimiser: feasible on random jobs, never worse than the classic search, at the
// brute-force optimum on small ones, and honest about its bound.

#include "offer/CutExact.h"
#include "offer/CutClassic.h"
#include "offer/CutClosingPlan.h"
#include "offer/CutJoinable.h"

#include "CutTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace {

double ClassicTotal(const TCutProblem& p) {
    TCutBuild build;
    TCutStats stats;
    TCutControl control;
    control.RetryGroups = 2;
    control.NodeLimit = 200000;
    const TCutSolution s = CutClassic(p, build, control, stats);
    return s.Found ? s.Total : 1e30;
}

// Whether the pieces fit into these stock pieces (lengths, codes), by trying every placement.
bool Packs(const TCutProblem& p, std::vector<double> rest, std::vector<int> codes) {
    const bool useCodes = p.Typ == 1 || p.Typ == 2;
    std::function<bool(size_t)> place = [&](size_t i) {
        if (i == p.Teile.size()) return true;
        const TCutPiece& piece = p.Teile[i];
        for (size_t k = 0; k < rest.size(); ++k) {
            // Equal stock pieces: try only the first untouched one.
            bool seen = false;
            for (size_t j = 0; j < k && !seen; ++j)
                seen = rest[j] == rest[k] && codes[j] == codes[k];
            if (seen) continue;
            if (piece.Laenge > rest[k] + 1e-9) continue;
            if (useCodes && codes[k] % piece.StirnSeite != 0) continue;
            const double r = rest[k];
            const int c = codes[k];
            rest[k] -= piece.Laenge + kSawCut;
            if (useCodes) codes[k] /= piece.StirnSeite;
            if (place(i + 1)) return true;
            rest[k] = r;
            codes[k] = c;
        }
        return false;
    };
    return place(0);
}

// The least total of whole packages the pieces can be cut from.
double BruteForce(const TCutProblem& p) {
    std::vector<std::pair<double, std::vector<int>>> combos;
    std::vector<int> n(p.Lager.size(), 0);
    std::function<void(size_t, double)> all = [&](size_t s, double total) {
        if (s == p.Lager.size()) {
            combos.emplace_back(total, n);
            return;
        }
        for (n[s] = 0; n[s] <= 8; ++n[s])
            all(s + 1, total + n[s] * p.Lager[s].Laenge * p.Lager[s].PckEin);
        n[s] = 0;
    };
    all(0, 0);
    std::sort(combos.begin(), combos.end());
    for (const auto& [total, counts] : combos) {
        std::vector<double> rest;
        std::vector<int> codes;
        for (size_t s = 0; s < counts.size(); ++s)
            for (int k = 0; k < counts[s] * p.Lager[s].PckEin; ++k) {
                rest.push_back(p.Lager[s].Laenge);
                codes.push_back(p.Lager[s].StirnSeite);
            }
        if (Packs(p, rest, codes)) return total;
    }
    return 1e30;
}

// A random job as laying produces them: a few sold lengths, packages, pieces with end codes.
TCutProblem RandomJob(std::mt19937& random, int typ, int pieces, int lengths) {
    std::uniform_int_distribution<int> stockCount(1, 3), package(1, 6), code(0, 5);
    std::uniform_real_distribution<double> stockLength(200, 500);
    std::vector<TStockSpec> stock;
    static const char* const names[] = {"S1", "S2", "S3", "S4"};
    const int sc = stockCount(random);
    for (int s = 0; s < sc; ++s)
        stock.push_back({names[s], std::round(stockLength(random)), package(random)});
    double longest = 0;
    for (const TStockSpec& s : stock)
        longest = std::max(longest, s.Laenge);
    std::vector<double> distinct;
    std::uniform_real_distribution<double> length(15, typ >= 10 ? longest * 1.6 : longest - 1);
    for (int i = 0; i < lengths; ++i)
        distinct.push_back(std::round(length(random) * 10) / 10);
    std::uniform_int_distribution<int> pick(0, lengths - 1);
    std::vector<TPieceSpec> specs;
    for (int i = 0; i < pieces; ++i) {
        int c = 1;
        if (typ == 1 || typ == 2) {
            const int r = code(random);
            c = r == 0 ? (typ == 1 ? 9 : 21) : r == 1 ? 3 : r == 2 ? (typ == 1 ? 3 : 7) : 1;
        }
        specs.push_back({distinct[static_cast<size_t>(pick(random))], c, 1});
    }
    return Problem(typ, stock, specs);
}

TEST(CutExact, SmallJobsReachTheBruteForceOptimum) {
    std::mt19937 random(11);
    int optimal = 0;
    for (int round = 0; round < 40; ++round) {
        const int typ = round % 3;
        const TCutProblem p = RandomJob(random, typ, 3 + round % 5, 3);
        SCOPED_TRACE(testing::Message() << "round " << round << ", type " << typ);
        TCutStats stats;
        const TCutSolution s = Exact(p, stats);
        const double best = BruteForce(p);
        if (best >= 1e30) {
            EXPECT_FALSE(s.Found);
            continue;
        }
        ASSERT_TRUE(s.Found);
        EXPECT_TRUE(CheckCutSolution(p, s).isEmpty()) << qPrintable(CheckCutSolution(p, s));
        EXPECT_NEAR(s.Total, best, 1e-6);
        EXPECT_LE(stats.Untergrenze, s.Total + 1e-6);
        EXPECT_LE(stats.Untergrenze, best + 1e-6); // the bound is a bound
        optimal += stats.Optimal;
    }
    EXPECT_GE(optimal, 30);
}

TEST(CutExact, RandomJobsAreFeasibleAndNeverWorseThanTheClassicSearch) {
    std::mt19937 random(5);
    for (int round = 0; round < 24; ++round) {
        const int typ = std::vector<int>{0, 1, 2, 3, 10, 11}[static_cast<size_t>(round % 6)];
        const TCutProblem p = RandomJob(random, typ, 20 + round * 3, 4 + round % 6);
        SCOPED_TRACE(testing::Message() << "round " << round << ", type " << typ);
        TCutStats stats;
        const TCutSolution s = Exact(p, stats);
        ASSERT_TRUE(s.Found);
        EXPECT_TRUE(CheckCutSolution(p, s).isEmpty()) << qPrintable(CheckCutSolution(p, s));
        const double classic = ClassicTotal(p);
        EXPECT_LE(s.Total, classic + 1e-6);
        EXPECT_LE(stats.Untergrenze, s.Total + 1e-6);
        if (IsJoinableTyp(typ)) {
            // The bound itself, before the result caps it: below what both searches cut.
            EXPECT_LE(JoinableBound(p), s.Total + 1e-6);
            EXPECT_LE(JoinableBound(p), classic + 1e-6);
            TCutControl control;
            TClock clock(control);
            // No choice of packages below what both cut passes, unless it is too many.
            const double plans = ClosingPlanBound(p, ClosingGroups(p), JoinableBound(p),
                                                  std::max(s.Total, classic) + 1, 5, clock);
            EXPECT_LE(plans, s.Total + 1e-6);
            EXPECT_LE(plans, classic + 1e-6);
        }
        if (stats.Optimal) {
            EXPECT_NEAR(stats.Untergrenze, s.Total, 1e-6);
        }
    }
}

TEST(CutExact, GreedyAndPackageTotals) {
    const std::vector<TCutStock> lager = {{"A", 400, 5, 21}, {"B", 300, 2, 21}};
    EXPECT_DOUBLE_EQ(PackageTotalAtLeast(lager, 0), 0);
    EXPECT_DOUBLE_EQ(PackageTotalAtLeast(lager, 1), 600);
    EXPECT_DOUBLE_EQ(PackageTotalAtLeast(lager, 601), 1200);
    EXPECT_DOUBLE_EQ(PackageTotalAtLeast(lager, 1900), 2000);
    EXPECT_DOUBLE_EQ(PackageTotalAtLeast(lager, 2001), 2400);

    // Within limits of the package counts, and with articles worth next to nothing: the
    // search stays small and never takes millions of packages of the worthless article.
    const std::vector<TCutStock> four = {
        {"A", 488, 10, 21}, {"B", 427, 10, 21}, {"C", 366, 10, 21}, {"D", 305, 10, 21}};
    const double unlimited = std::numeric_limits<double>::max();
    const struct {
        std::vector<double> Worth, Lo, Hi;
        double Need, Total;
        std::vector<int> Packages;
    } cases[] = {
        {{488, 427, 0, 0},
         {0, 0, 2, 1},
         {unlimited, unlimited, unlimited, unlimited},
         4392,
         15250,
         {1, 0, 2, 1}},
        {{488, 427, 1e-6, 1e-6},
         {0, 0, 2, 1},
         {0, unlimited, unlimited, unlimited},
         4392,
         18910,
         {0, 2, 2, 1}},
        {{488, 1e-6, 1e-6, 1e-6},
         {0, 0, 3, 0},
         {unlimited, unlimited, unlimited, 0},
         4392,
         15860,
         {1, 0, 3, 0}},
        {{488, 0, 0, 0},
         {0, 0, 0, 0},
         {0, unlimited, unlimited, unlimited},
         4392,
         std::numeric_limits<double>::infinity(),
         {}},
        {{488, 427, 366, 305}, {1, 1, 0, 0}, {1, 1, 0, 0}, 8000, 9150, {1, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        const TPackageBox box{c.Lo, c.Hi};
        std::vector<int> packages;
        EXPECT_DOUBLE_EQ(PackageWorthAtLeast(four, c.Worth, c.Need, &packages, &box), c.Total);
        if (!c.Packages.empty()) {
            EXPECT_EQ(packages, c.Packages);
        }
    }

    const TCutProblem p = Problem(0, {{"A", 400, 2}}, {{250, 1, 3}, {140, 1, 3}});
    const TCutSolution greedy = CutGreedy(p, 0);
    ASSERT_TRUE(greedy.Found);
    EXPECT_TRUE(CheckCutSolution(p, greedy).isEmpty());
    EXPECT_DOUBLE_EQ(greedy.Total, 1600);
}

TEST(CutExact, StopsOnEscapeWithASolution) {
    std::mt19937 random(3);
    const TCutProblem p = RandomJob(random, 0, 300, 40);
    TCutBuild build;
    TCutStats stats;
    TCutControl control;
    control.TakeEscape = [] { return true; };
    const TCutSolution s = CutExact(p, build, control, stats);
    ASSERT_TRUE(s.Found);
    EXPECT_TRUE(CheckCutSolution(p, s).isEmpty());
    EXPECT_TRUE(stats.Abgebrochen);
    EXPECT_TRUE(build.SkipRetry);
}

} // namespace

TEST(CutExact, JoinedBattensAtTheirBound) {
    // Segments cost saw cuts, and only a segment taking the last remainder may leave a piece
    // short: three battens of 1334 cm need a fifth stock piece of 1000 cm, where the length
    // alone would allow four. Battens 0.5 cm longer than the stock each take one stock piece.
    // A stock piece gains its saw cut and the piece's lack only where pieces end it.
    const struct {
        TCutProblem Problem;
        double Total;
    } cases[] = {
        {Problem(11, {{"L1000", 1000, 1}}, {{1334.1, 1, 3}}), 5000},
        {Problem(11, {{"L100", 100, 1}}, {{100.6, 1, 10}}), 1000},
        {Problem(3, {{"L400", 400, 2}, {"L300", 300, 1}}, {{120.1, 1, 9}}), 1100},
        // No one, two or three of these end a stock piece, so at most one group of all four
        // saves: 4 x 75.5 cm less 1.3 needs a fourth stock piece.
        {Problem(11, {{"L100", 100, 1}}, {{75.3, 1, 4}}), 400},
        // Two each end a stock piece 0.9 cm short, saving 1.2 cm there: five stock pieces.
        {Problem(10, {{"L100", 100, 1}}, {{50.4, 1, 10}}), 500},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(JoinableBound(c.Problem), c.Total);
        TCutStats stats;
        const TCutSolution s = Exact(c.Problem, stats);
        ASSERT_TRUE(s.Found);
        EXPECT_TRUE(CheckCutSolution(c.Problem, s).isEmpty())
            << qPrintable(CheckCutSolution(c.Problem, s));
        EXPECT_DOUBLE_EQ(s.Total, c.Total);
        EXPECT_TRUE(stats.Optimal);
    }
}
