// Groups of joinable pieces that end stock pieces: all of them listed, checked against every
// group there is; the plans over them reach the bound where the chains alone do not; and the
// plans' bound is a bound.

#include "offer/CutClosings.h"
#include "offer/CutClosingPlan.h"
#include "offer/CutExact.h"

#include "CutTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace {

using TKey = std::tuple<std::vector<int>, std::vector<int>>; // classes, stock pieces

// Every multiset of up to four pieces and every count of stock pieces whose lengths the pieces'
// worth exceeds by less than the end gain, with that gain.
std::map<TKey, double> AllGroups(const TCutProblem& p, const TClosingSet& set) {
    std::map<TKey, double> all;
    const int n = static_cast<int>(set.Classes.size());
    std::vector<int> classes;
    const auto visit = [&](auto&& self, int from) -> void {
        if (!classes.empty()) {
            double w = 0;
            for (int c : classes)
                w += set.Worth[static_cast<size_t>(c)];
            // Stock counts of two articles at most, as in the fixture.
            for (int a = 0; a * p.Lager[0].Laenge <= w; ++a)
                for (int b = 0; a * p.Lager[0].Laenge + b * p.Lager[1].Laenge <= w; ++b) {
                    const double gain = w - a * p.Lager[0].Laenge - b * p.Lager[1].Laenge;
                    if ((a || b) && gain < MostEndGain() - 1e-7 && gain > 1e-9)
                        all[{classes, {a, b}}] = gain;
                }
        }
        if (classes.size() == 4) return;
        for (int c = from; c < n; ++c) {
            int used = 0;
            for (int x : classes)
                used += x == c;
            if (used >= set.Classes[static_cast<size_t>(c)].Demand) continue;
            classes.push_back(c);
            self(self, c);
            classes.pop_back();
        }
    };
    visit(visit, 0);
    return all;
}

TEST(CutClosings, ListsEveryGroupOfUpToFourThatEndsStockPieces) {
    // Lengths that end 100 and 170 cm, and their sums, in many ways; one class of a single
    // piece may not be taken twice.
    const TCutProblem p = Problem(
        11, {{"L100", 100, 1}, {"L170", 170, 2}},
        {{25.1, 1, 6}, {50.0, 1, 3}, {42.6, 1, 4}, {84.9, 1, 1}, {33.4, 1, 5}, {99.9, 1, 2}});
    const TClosingSet set = ClosingGroups(p);
    ASSERT_EQ(set.Most, 4);
    EXPECT_TRUE(set.AllWays);
    std::map<TKey, double> listed;
    for (const TClosingGroup& g : set.Groups) {
        if (g.Gain <= 0) continue;
        std::vector<int> classes(g.Classes.begin(), g.Classes.begin() + g.Size);
        EXPECT_TRUE(std::is_sorted(classes.begin(), classes.end()));
        EXPECT_TRUE(listed.emplace(TKey{classes, g.Stock}, g.Gain).second) << "listed twice";
    }
    const std::map<TKey, double> all = AllGroups(p, set);
    EXPECT_GT(all.size(), 10u);
    ASSERT_EQ(listed.size(), all.size());
    for (const auto& [key, gain] : all) {
        ASSERT_TRUE(listed.count(key));
        EXPECT_NEAR(listed.at(key), gain, 1e-9);
    }
}

TEST(CutClosings, PlansOfClosingGroupsReachTheBound) {
    // A job of laid battens where the chains end too few stock pieces: the plan of packages
    // and groups of up to four battens finds the total the bound proves (its packages of 2 x
    // 214 cm and 11 x 296 cm sum to nothing between).
    const TCutProblem p = Problem(11, {{"L214", 214, 2}, {"L296", 296, 11}},
                                  {{41.7, 1, 10},
                                   {65.5, 1, 13},
                                   {75.9, 1, 12},
                                   {92.3, 1, 14},
                                   {92.4, 1, 13},
                                   {100.5, 1, 15},
                                   {151.3, 1, 13},
                                   {172.2, 1, 17},
                                   {191.1, 1, 11},
                                   {201.8, 1, 11},
                                   {265.2, 1, 13},
                                   {314.8, 1, 20},
                                   {331, 1, 15},
                                   {331.1, 1, 10},
                                   {331.7, 1, 15},
                                   {338.7, 1, 20},
                                   {428.4, 1, 11},
                                   {446.8, 1, 17}});
    TCutStats stats;
    const TCutSolution s = Exact(p, stats, 10);
    ASSERT_TRUE(s.Found);
    EXPECT_TRUE(CheckCutSolution(p, s).isEmpty()) << qPrintable(CheckCutSolution(p, s));
    EXPECT_DOUBLE_EQ(s.Total, 57460);
    EXPECT_TRUE(stats.Optimal);

    // The bound over the choices of packages: from below the lengths' bound up to the total
    // found, no choice can do better; above it, the total found is the first that passes.
    TCutControl control;
    control.TimeLimit = 10;
    TClock clock(control);
    const TClosingSet set = ClosingGroups(p);
    EXPECT_DOUBLE_EQ(ClosingPlanBound(p, set, 57300, 57460, 5, clock), 57460);
    EXPECT_DOUBLE_EQ(ClosingPlanBound(p, set, 57300, 57600, 5, clock), 57460);
    // Too many choices of packages: the bound given stays.
    EXPECT_DOUBLE_EQ(ClosingPlanBound(p, set, 0, 1e9, 5, clock), 0);
}

} // namespace
