#include "PatternCoverage.h"

#include "geometry/Vektors.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <gtest/gtest.h>

namespace {

void AddRect(TGraphicObjectList& list, double x, double y, double l, double w) {
    list.push_back(std::make_unique<TGraphPaneel>(nullptr, nullptr, QString(), 1,
                                                  TVektor(x, y, x + l, y), TVektor(0, 0, 0, w),
                                                  QString(), 0));
}

// The checker itself must see gaps and overlaps, or every pattern test would pass vacuously.
TEST(PatternCoverageTest, SeesGapsAndOverlaps) {
    auto plan = PlanWithArea({{0, 0}, {100, 0}, {100, 40}, {0, 40}});
    TGraphicObjectList tiles;
    for (int j = 0; j < 4; ++j)
        AddRect(tiles, 0, j * 10, 100, 10);
    TCoverage full = CheckCoverage(FirstArea(*plan), tiles, 2);
    EXPECT_GT(full.Samples, 500);
    EXPECT_EQ(full.Uncovered, 0);
    EXPECT_EQ(full.Multiple, 0);
    EXPECT_EQ(full.OverlapPairs, 0);

    tiles.pop_back();
    EXPECT_GT(CheckCoverage(FirstArea(*plan), tiles, 2).Uncovered, 0);
    AddRect(tiles, 0, 25, 100, 15);
    const TCoverage over = CheckCoverage(FirstArea(*plan), tiles, 2);
    EXPECT_GT(over.Multiple, 0);
    EXPECT_EQ(over.OverlapPairs, 1);
}

TEST(PatternCoverageTest, HolesAreNotSampled) {
    auto plan = PlanWithArea({{0, 0}, {100, 0}, {100, 100}, {0, 100}},
                             {{{25, 25}, {75, 25}, {75, 75}, {25, 75}}});
    TGraphicObjectList ring;
    AddRect(ring, 0, 0, 100, 25);
    AddRect(ring, 0, 75, 100, 25);
    AddRect(ring, 0, 25, 25, 50);
    AddRect(ring, 75, 25, 25, 50);
    const TCoverage c = CheckCoverage(FirstArea(*plan), ring, 2);
    EXPECT_EQ(c.Uncovered, 0);
    EXPECT_EQ(c.Multiple, 0);
}

} // namespace
