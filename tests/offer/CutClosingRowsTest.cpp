// Rows of any number of joinable pieces that end stock pieces: a choice of packages is cut only
// where no rows gain what it needs (checked against every way of forming rows), the plans pack
// feasibly, and a job whose bound the groups of four leave open is proven.

#include "offer/CutClosingRows.h"
#include "offer/CutExact.h"
#include "offer/CutJoinable.h"

#include "CutTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace {

// The most disjoint rows can gain, each of pieces worth W ending stock pieces of length S
// with 0 <= W - S < the end gain, the stock pieces at most Avail per article: every split of
// the pieces into rows and rest, every count of stock pieces for each row.
double MostGainByBruteForce(const std::vector<double>& Worth, const std::vector<double>& Stock,
                            const std::vector<int>& Avail) {
    const int n = static_cast<int>(Worth.size());
    std::map<std::tuple<int, int, int>, double> memo;
    const auto best = [&](auto&& self, int mask, int a, int b) -> double {
        if (mask == 0) return 0;
        const auto key = std::make_tuple(mask, a, b);
        if (const auto it = memo.find(key); it != memo.end()) return it->second;
        const int low = mask & -mask;
        double result = self(self, mask & ~low, a, b); // the lowest piece in no row
        for (int sub = mask; sub; sub = (sub - 1) & mask) {
            if (!(sub & low)) continue;
            double w = 0;
            for (int i = 0; i < n; ++i)
                if (sub & (1 << i)) w += Worth[static_cast<size_t>(i)];
            for (int x = 0; x <= a; ++x)
                for (int y = 0; y <= b && x * Stock[0] + y * Stock[1] <= w + 1e-9; ++y) {
                    const double gain = w - x * Stock[0] - y * Stock[1];
                    if ((x || y) && gain < MostEndGain() - 1e-7)
                        result = std::max(result, gain + self(self, mask & ~sub, a - x, b - y));
                }
        }
        memo[key] = result;
        return result;
    };
    return best(best, (1 << n) - 1, Avail[0], Avail[1]);
}

TEST(CutClosingRows, CutsOnlyChoicesNoRowsCanPayFor) {
    std::mt19937 random(3);
    int cut = 0, cuttable = 0, planned = 0;
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const double first = std::uniform_int_distribution<int>(60, 140)(random);
        const double second = first + std::uniform_int_distribution<int>(10, 90)(random);
        std::vector<TPieceSpec> pieces;
        const int count = 5 + round % 3;
        // On the millimetre, and every other job finer, as battens cut at an outline are.
        const double unit = round % 2 ? 0.01 : 0.1;
        std::uniform_int_distribution<int> length(static_cast<int>(15 / unit),
                                                  static_cast<int>(90 / unit));
        for (int i = 0; i < count; ++i)
            pieces.push_back({length(random) * unit, 1, 1});
        const TCutProblem p = Problem(11, {{"A", first, 1}, {"B", second, 2}}, pieces);
        const TClosingSet set = ClosingGroups(p);
        std::vector<double> worth, stock; // stock as the problem orders it
        for (const TCutPiece& piece : p.Teile)
            worth.push_back(piece.Laenge + kSawCut);
        for (const TCutStock& s : p.Lager)
            stock.push_back(s.Laenge);

        TClosingRows rows(p, set);
        ASSERT_TRUE(rows.Usable());
        TCutControl control;
        control.TimeLimit = 10;
        TClock clock(control);
        TCutStats stats;
        for (const std::vector<int>& packages :
             {std::vector<int>{1, 1}, {2, 1}, {0, 2}, {3, 0}, {1, 2}}) {
            std::vector<int> avail;
            double total = 0;
            for (size_t s = 0; s < 2; ++s) {
                avail.push_back(packages[s] * p.Lager[s].PckEin);
                total += avail.back() * p.Lager[s].Laenge;
            }
            const double need = TotalWorth(set) - total;
            const double most = MostGainByBruteForce(worth, stock, avail);
            bool packedOk = true;
            const TChoiceRows result =
                rows.ForChoice(packages, total, 2, clock, stats, [&](const TClosingPlan& plan) {
                    const TCutSolution s = PackPackages(p, plan.Packages, 0, plan.Groups);
                    if (s.Found) packedOk = CheckCutSolution(p, s).isEmpty();
                    return s.Found;
                });
            SCOPED_TRACE(testing::Message() << "packages " << packages[0] << "+" << packages[1]
                                            << ", need " << need << ", most " << most);
            cuttable += most < need - 1e-6;
            if (result.Cut) {
                EXPECT_LT(most, need + 1e-6);
                ++cut;
            }
            if (result.Plan.Found) {
                EXPECT_TRUE(packedOk);
                EXPECT_FALSE(result.Cut);
                ++planned;
            }
        }
    }
    // The LP cuts nearly all the choices that cannot pay, and packs many of the others.
    EXPECT_GE(cut, cuttable * 9 / 10);
    EXPECT_GT(planned, 10);
}

TEST(CutClosingRows, ProvesAJobTheGroupsOfFourLeaveOpen) {
    // 100 joined battens on four stock articles: groups of at most four pieces and a share for
    // the rest bound the total at 41154 cm only; the rows of any size show that no choice of
    // packages below 41166 cm can gain what it needs, and find rows that gain it there.
    // Computed independently too (column generation over rows, an integer program per choice).
    const TCutProblem p = Problem(
        11, {{"L253", 253, 7}, {"L371", 371, 1}, {"L446", 446, 18}, {"L514", 514, 19}},
        {{34.3, 1, 3},  {35.4, 1, 4},  {46.1, 1, 2},  {68.8, 1, 2},  {93.7, 1, 4},  {102.3, 1, 2},
         {127.8, 1, 2}, {130.2, 1, 1}, {148.2, 1, 1}, {177.1, 1, 1}, {180.6, 1, 2}, {210, 1, 2},
         {213.3, 1, 2}, {236.5, 1, 3}, {239.9, 1, 1}, {243.2, 1, 1}, {253.6, 1, 1}, {265.7, 1, 3},
         {269, 1, 5},   {277.2, 1, 1}, {310.9, 1, 2}, {329.2, 1, 2}, {333.4, 1, 2}, {356, 1, 1},
         {388.5, 1, 1}, {447.2, 1, 2}, {481.5, 1, 2}, {506.7, 1, 1}, {514.1, 1, 2}, {517.4, 1, 3},
         {525.2, 1, 1}, {536, 1, 2},   {543.7, 1, 3}, {578.6, 1, 2}, {582.8, 1, 3}, {611.7, 1, 2},
         {647.6, 1, 2}, {660.3, 1, 1}, {672.1, 1, 2}, {686.5, 1, 1}, {688.6, 1, 1}, {708.6, 1, 2},
         {751.6, 1, 4}, {755.6, 1, 2}, {756.8, 1, 2}, {766.2, 1, 2}, {798.3, 1, 2}, {818.7, 1, 4},
         {819.1, 1, 1}});
    EXPECT_DOUBLE_EQ(JoinableBound(p), 41154);
    TCutStats stats;
    const TCutSolution s = Exact(p, stats, 10);
    ASSERT_TRUE(s.Found);
    EXPECT_TRUE(CheckCutSolution(p, s).isEmpty()) << qPrintable(CheckCutSolution(p, s));
    EXPECT_DOUBLE_EQ(s.Total, 41166);
    EXPECT_TRUE(stats.Optimal);
}

} // namespace
