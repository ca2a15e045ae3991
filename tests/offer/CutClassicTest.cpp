// The classic search on the documented cases, exactly.

#include "offer/CutClassic.h"

#include "CutTestSupport.h"

#include <gtest/gtest.h>

namespace {

TCutSolution Classic(const TCutProblem& problem, TCutBuild* build = nullptr,
                     TCutStats* stats = nullptr) {
    TCutBuild own;
    TCutStats ownStats;
    TCutControl control;
    control.RetryGroups = 2; // the budget rule measures time; the cases do not depend on it
    TCutSolution s = CutClassic(problem, build ? *build : own, control, stats ? *stats : ownStats);
    if (s.Found) {
        const QString error = CheckCutSolution(problem, s);
        EXPECT_TRUE(error.isEmpty()) << qPrintable(error);
    }
    return s;
}

TEST(CutClassic, TwoLongAndTwoShortFromOnePackage) {
    const TCutProblem p = Problem(0, {{"A", 400, 5}}, {{250, 1, 2}, {140, 1, 2}});
    EXPECT_DOUBLE_EQ(p.MinRest, 139.9);
    TCutBuild build;
    const TCutSolution s = Classic(p, &build);
    ASSERT_TRUE(s.Found);
    EXPECT_DOUBLE_EQ(s.Total, 2000);
    ASSERT_EQ(s.Opened.size(), 5u);
    // Two stock pieces give a long and a short piece each (which of the equal ones is the
    // quicksort's choice).
    int shared = 0, untouched = 0;
    for (const std::vector<double>& cuts : CutLengths(s)) {
        shared += cuts == std::vector<double>{139.9, 249.9};
        untouched += cuts.empty();
    }
    EXPECT_EQ(shared, 2);
    EXPECT_EQ(untouched, 3);
    // 400 - 249.9 - 0.3 - 139.9 - 0.3 = 9.6 is waste; three stock pieces stay untouched.
    ASSERT_EQ(s.Rest.size(), 3u);
    for (const TCutRest& r : s.Rest) {
        EXPECT_DOUBLE_EQ(r.Laenge, 400);
        EXPECT_EQ(r.SchnittFlag, 0);
    }
    EXPECT_NEAR(s.Opened[0].Rest, 9.6, 1e-9);
    EXPECT_EQ(build.TagCounter, 5); // profile timber numbers its stock pieces
    EXPECT_EQ(s.Opened[0].Tag, 1);
}

TEST(CutClassic, TheShorterStockWinsWhenItNeedsLessLength) {
    const TCutProblem p = Problem(0, {{"A", 400, 5}, {"B", 300, 5}}, {{290, 1, 6}});
    const TCutSolution s = Classic(p);
    ASSERT_TRUE(s.Found);
    EXPECT_DOUBLE_EQ(s.Total, 3000);
    for (const TCutOpened& o : s.Opened)
        EXPECT_EQ(p.Lager[static_cast<size_t>(o.Stock)].ArtikelNr, QStringLiteral("B"));
}

TEST(CutClassic, EndCodesOfPanels) {
    // A far-end piece (code 7) from a fresh code-21 board leaves code 3: a second far-end piece
    // needs another board, a start-end piece or a sawn piece fits.
    const TCutProblem twoFar = Problem(2, {{"A", 400, 1}}, {{100, 7, 2}});
    TCutSolution s = Classic(twoFar);
    ASSERT_TRUE(s.Found);
    EXPECT_DOUBLE_EQ(s.Total, 800);
    const TCutProblem farAndStart = Problem(2, {{"A", 400, 1}}, {{100, 7, 1}, {100, 3, 1}});
    s = Classic(farAndStart);
    ASSERT_TRUE(s.Found);
    EXPECT_DOUBLE_EQ(s.Total, 400);
    ASSERT_EQ(s.Rest.size(), 1u);
    EXPECT_EQ(s.Rest[0].StirnSeite, 1);
    const TCutProblem farAndSawn = Problem(2, {{"A", 400, 1}}, {{100, 7, 1}, {100, 1, 1}});
    EXPECT_DOUBLE_EQ(Classic(farAndSawn).Total, 400);
    // Type 1 boards: both ends are 3, a whole board 9.
    const TCutProblem typ1 = Problem(1, {{"A", 400, 1}}, {{100, 3, 2}, {100, 9, 1}});
    EXPECT_DOUBLE_EQ(Classic(typ1).Total, 800);
}

TEST(CutClassic, BattensLongerThanTheStockAreJoined) {
    const TCutProblem p = Problem(11, {{"L", 400, 1}}, {{650, 1, 2}});
    const TCutSolution s = Classic(p);
    ASSERT_TRUE(s.Found);
    // 649.9 each: a whole stock piece and 249.9 of another; two pieces from three stock pieces.
    EXPECT_DOUBLE_EQ(s.Total, 1600);
    int whole = 0;
    for (const TCutOpened& o : s.Opened)
        for (const TCutOpened::TCut& c : o.Schnitte)
            whole += c.Laenge == 400;
    EXPECT_EQ(whole, 2);
}

TEST(CutClassic, NoStockLongEnough) {
    const TCutProblem p = Problem(1, {{"A", 300, 5}}, {{350, 9, 1}, {100, 1, 1}});
    TCutBuild build;
    build.TagCounter = 7;
    EXPECT_FALSE(Classic(p, &build).Found);
    EXPECT_EQ(build.TagCounter, 7);
}

TEST(CutClassic, EscapeKeepsTheBestSoFarAndEndsTheRetries) {
    // Many distinct lengths from three stock lengths: a long search.
    std::vector<TPieceSpec> pieces;
    for (int i = 0; i < 60; ++i)
        pieces.push_back({57.0 + i * 5.3, 1, 1});
    const TCutProblem p = Problem(0, {{"A", 400, 3}, {"B", 350, 2}, {"C", 300, 4}}, pieces);
    TCutBuild build;
    TCutStats stats;
    int polls = 0;
    QStringList status;
    TCutControl control;
    control.Status = [&](const QString& text) { status << text; };
    control.TakeEscape = [&] { return ++polls == 3; };
    const TCutSolution s = CutClassic(p, build, control, stats);
    ASSERT_TRUE(s.Found);
    EXPECT_TRUE(CheckCutSolution(p, s).isEmpty());
    EXPECT_TRUE(stats.Abgebrochen);
    EXPECT_TRUE(build.SkipRetry);
    EXPECT_EQ(stats.Knoten, 3 * 1024);
    ASSERT_GE(status.size(), 4);
    EXPECT_TRUE(status[0].startsWith(QStringLiteral(" Kombinationen: 1024   Lösungen: ")));
    EXPECT_TRUE(status[0].endsWith(QStringLiteral("   Abbruch mit ESC.")));
    EXPECT_TRUE(status.last().startsWith(QStringLiteral(" Kombinationen: 3072   Zeit:")));
    // The key was taken once: the next entry gets its first pass, but no retry stage.
    polls = 100;
    TCutStats next;
    EXPECT_TRUE(CutClassic(Problem(0, {{"A", 400, 5}}, {{250, 1, 2}}), build, control, next).Found);
    EXPECT_FALSE(next.Abgebrochen);
}

TEST(CutClassic, LengthGroupsFollowTheStockLengths) {
    // One stock length: tolerance 50, lowered by 5 while there are 6 groups or fewer.
    std::vector<TCutPiece> pieces;
    for (double l : {390.0, 380.0, 300.0, 250.0, 200.0, 150.0, 100.0, 99.0, 50.0})
        pieces.push_back({l, 1, 0, 0, 0});
    const std::vector<int> groups = LengthGroups(pieces, {{"A", 400, 1, 21}});
    EXPECT_EQ(groups, (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 5, 6}));
}

} // namespace
