// The eight standard layouts on rectangles, L- and U-shapes, areas with holes and laid boards.

#include "substructure/StandardLayouts.h"

#include "SubstructureTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace {

// 300 x 200 with the battens along the 300 side: the inset is 294 x 194.
const TOutline kRect = Rect(0, 0, 300, 200);
const TOutline kL = {{0, 0}, {300, 0}, {300, 100}, {100, 100}, {100, 250}, {0, 250}};
const TOutline kU = {{0, 0},     {300, 0},   {300, 200}, {200, 200},
                     {200, 100}, {100, 100}, {100, 200}, {0, 200}};
const TOutline kHole = Rect(100, 50, 200, 150);

std::unique_ptr<TLattenGenerator> Layout(int id, double maxAbstand = 60, int rand = 0) {
    std::unique_ptr<TLattenGenerator> g = NewLayout(id);
    g->fMaxLattenAbstand = maxAbstand;
    if (auto* nurOhne = dynamic_cast<TLattenGeneratorLaengsStirnNurOhneRand*>(g.get()))
        nurOhne->fRand = rand;
    return g;
}

// The pieces of the lines x + y = c inside the rectangle.
std::vector<TSeg> DiagonalsInRect(const std::vector<double>& cs, double x1, double y1, double x2,
                                  double y2) {
    std::vector<TSeg> out;
    for (double c : cs) {
        const double from = std::max(x1, c - y2);
        const double to = std::min(x2, c - y1);
        if (to > from) out.push_back({from, c - from, to, c - to});
    }
    return out;
}

// The 45° lines of "Quer" on the 294 x 194 inset: the extent of x + y is 6..494; the anchors
// lie 0.1 further out measured across the lines, i.e. 0.1·√2 in x + y.
std::vector<double> QuerLines() {
    const double lo = 6 - 0.1 * std::sqrt(2.0);
    const double hi = 494 + 0.1 * std::sqrt(2.0);
    const double gapAcross = (hi - lo) / std::sqrt(2.0); // 345.27 -> 6 parts of at most 60.1
    EXPECT_GT(gapAcross / 5, 60.1);
    EXPECT_LE(gapAcross / 6, 60.1);
    std::vector<double> cs;
    for (int m = 1; m < 6; ++m)
        cs.push_back(lo + m * (hi - lo) / 6);
    return cs;
}

// 48.45, 97.0 and 145.55 from the lower inset edge at y = 3.
const std::vector<TSeg> kRectInner = Horizontal({3 + 48.45, 3 + 97.0, 3 + 145.55}, 3, 297);
const std::vector<TSeg> kRectHorizontalBorder = Horizontal({3, 197}, 3, 297);
const std::vector<TSeg> kRectStiffened =
    Horizontal({30, 30 + 140.0 / 3, 30 + 280.0 / 3, 170}, 3, 297);

struct TRectCase {
    const char* name;
    int id;
    int rand;
    std::function<std::vector<TSeg>()> expected;
};

class RectangleLayouts : public TSubstructureTest, public testing::WithParamInterface<TRectCase> {};

TEST_P(RectangleLayouts, GiveTheirBattens) {
    auto shape = MakeArea(kRect);
    ExpectSameSegments(Battens(*shape, *Layout(GetParam().id, 60, GetParam().rand)),
                       GetParam().expected());
    EXPECT_EQ(shape->VerlattungColl()[0].ArtikelNr, QString());
}

INSTANTIATE_TEST_SUITE_P(
    AllLayouts, RectangleLayouts,
    testing::Values(
        // Three inner battens 48.45, 97.0 and 145.55 from the lower inset edge, four borders.
        TRectCase{"Laengs", 1, 0, [] { return kRectInner + RectEdges(3, 3, 297, 197); }},
        // Without boards the joint layouts are the plain ones.
        TRectCase{"LaengsStirn", 2, 0, [] { return kRectInner + RectEdges(3, 3, 297, 197); }},
        // Borders square to the battens are left out.
        TRectCase{"LaengsStirnDoppelt", 3, 0, [] { return kRectInner + kRectHorizontalBorder; }},
        TRectCase{"Quer", 4, 0,
                  [] {
                      return DiagonalsInRect(QuerLines(), 3, 3, 297, 197) +
                             RectEdges(3, 3, 297, 197);
                  }},
        TRectCase{"QuerStirn", 5, 0,
                  [] {
                      return DiagonalsInRect(QuerLines(), 3, 3, 297, 197) +
                             RectEdges(3, 3, 297, 197);
                  }},
        // The long borders move half a spacing in as full lines (30, 170); the gap between is
        // divided in three.
        TRectCase{"LaengsStirnPlusHalb", 6, 0,
                  [] { return kRectStiffened + kRectHorizontalBorder; }},
        TRectCase{"LaengsStirnDoppeltPlusHalb", 7, 0,
                  [] { return kRectStiffened + kRectHorizontalBorder; }},
        TRectCase{"OhneRand", 9, 0, [] { return kRectInner; }},
        // "nur": exactly the two borders parallel to the battens.
        TRectCase{"NurRand", 9, 1, [] { return kRectHorizontalBorder; }}),
    [](const auto& c) { return std::string(c.param.name); });

class StandardLayouts : public TSubstructureTest {};

TEST_F(StandardLayouts, RectangleLengthsAddUpInTheArea) {
    auto shape = MakeArea(kRect);
    Battens(*shape, *Layout(1));
    EXPECT_NEAR(shape->LaengeVerlattung(), 5 * 294 + 2 * 194, 1e-9);
}

TEST_F(StandardLayouts, OhneRandUsesItsOwnWiderDefaultSpacing) {
    auto shape = MakeArea(kRect);
    // 194.2 / 150.1 needs two parts: one line in the middle.
    ExpectSameSegments(Battens(*shape, *NewLayout(9)), Horizontal({100}, 3, 297));
}

TEST_F(StandardLayouts, GapOfExactlyTheSpacingPlusATenthIsNotDivided) {
    // Inset height 59.9: the anchors are 60.1 apart.
    auto tight = MakeArea(Rect(0, 0, 300, 65.9));
    ExpectSameSegments(Battens(*tight, *Layout(1)), RectEdges(3, 3, 297, 62.9));
    auto wider = MakeArea(Rect(0, 0, 300, 66));
    ExpectSameSegments(Battens(*wider, *Layout(1)),
                       Horizontal({33}, 3, 297) + RectEdges(3, 3, 297, 63));
}

// --- L, U and holes, every Längs layout -------------------------------------------------------

// Inset 3..247 high: 244.2 in five parts of 48.84; above y = 97 only the left arm.
const std::vector<TSeg> kLInner =
    Horizontal({51.74}, 3, 297) + Horizontal({100.58, 149.42, 198.26}, 3, 97);
const std::vector<TSeg> kLBorder = {{3, 3, 297, 3},    {297, 3, 297, 97}, {97, 97, 297, 97},
                                    {97, 97, 97, 247}, {3, 247, 97, 247}, {3, 3, 3, 247}};
const std::vector<TSeg> kLBorderAlong = {kLBorder[0], kLBorder[2], kLBorder[4]};
// Every outer edge along the battens moves 30 in as a full line, the inner step of the L too
// (y = 70); the 150 between 70 and 220 is divided in three.
const std::vector<TSeg> kLStiffened =
    Horizontal({30, 70}, 3, 297) + Horizontal({120, 170, 220}, 3, 97);

// Lines above the notch bottom (inset y = 97) cross the contour four times: two battens.
const std::vector<TSeg> kUInner = Horizontal({51.45}, 3, 297) + Horizontal({100, 148.55}, 3, 97) +
                                  Horizontal({100, 148.55}, 203, 297);
const std::vector<TSeg> kUBorderAlong = {
    {3, 3, 297, 3}, {203, 197, 297, 197}, {97, 97, 203, 97}, {3, 197, 97, 197}};
const std::vector<TSeg> kUBorder =
    kUBorderAlong +
    std::vector<TSeg>{{297, 3, 297, 197}, {203, 97, 203, 197}, {97, 97, 97, 197}, {3, 3, 3, 197}};
// The notch bottom moves out to 70, the arms' ends to 170 (once for both): full lines.
const std::vector<TSeg> kUStiffened =
    Horizontal({30, 70}, 3, 297) + Horizontal({120, 170}, 3, 97) + Horizontal({120, 170}, 203, 297);

const std::vector<TSeg> kHoleInner =
    Horizontal({51.45, 100, 148.55}, 3, 97) + Horizontal({51.45, 100, 148.55}, 203, 297);
const std::vector<TSeg> kHoleBorderAlong =
    Horizontal({3, 197}, 3, 297) + Horizontal({47, 153}, 97, 203);
const std::vector<TSeg> kHoleBorder = RectEdges(3, 3, 297, 197) + RectEdges(97, 47, 203, 153);

struct TShapeCase {
    const char* name;
    TOutline outline;
    std::vector<TOutline> holes;
    int id;
    int rand;
    std::vector<TSeg> expected;
};

class ShapedLayouts : public TSubstructureTest, public testing::WithParamInterface<TShapeCase> {};

TEST_P(ShapedLayouts, GiveTheirBattens) {
    auto shape = MakeArea(GetParam().outline, GetParam().holes);
    ExpectSameSegments(Battens(*shape, *Layout(GetParam().id, 60, GetParam().rand)),
                       GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    LUAndHole, ShapedLayouts,
    testing::Values(
        TShapeCase{"L_Laengs", kL, {}, 1, 0, kLInner + kLBorder},
        TShapeCase{"L_LaengsStirn", kL, {}, 2, 0, kLInner + kLBorder},
        TShapeCase{"L_LaengsStirnDoppelt", kL, {}, 3, 0, kLInner + kLBorderAlong},
        TShapeCase{"L_PlusHalb", kL, {}, 6, 0, kLStiffened + kLBorderAlong},
        TShapeCase{"L_DoppeltPlusHalb", kL, {}, 7, 0, kLStiffened + kLBorderAlong},
        TShapeCase{"L_OhneRand", kL, {}, 9, 0, kLInner},
        TShapeCase{"L_NurRand", kL, {}, 9, 1, kLBorderAlong},
        TShapeCase{"U_Laengs", kU, {}, 1, 0, kUInner + kUBorder},
        TShapeCase{"U_LaengsStirn", kU, {}, 2, 0, kUInner + kUBorder},
        TShapeCase{"U_LaengsStirnDoppelt", kU, {}, 3, 0, kUInner + kUBorderAlong},
        TShapeCase{"U_PlusHalb", kU, {}, 6, 0, kUStiffened + kUBorderAlong},
        TShapeCase{"U_DoppeltPlusHalb", kU, {}, 7, 0, kUStiffened + kUBorderAlong},
        TShapeCase{"U_OhneRand", kU, {}, 9, 0, kUInner},
        TShapeCase{"U_NurRand", kU, {}, 9, 1, kUBorderAlong},
        TShapeCase{"Hole_Laengs", kRect, {kHole}, 1, 0, kHoleInner + kHoleBorder},
        TShapeCase{"Hole_LaengsStirn", kRect, {kHole}, 2, 0, kHoleInner + kHoleBorder},
        TShapeCase{"Hole_LaengsStirnDoppelt", kRect, {kHole}, 3, 0, kHoleInner + kHoleBorderAlong},
        TShapeCase{"Hole_OhneRand", kRect, {kHole}, 9, 0, kHoleInner},
        TShapeCase{"Hole_NurRand", kRect, {kHole}, 9, 1, kHoleBorderAlong}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(StandardLayouts, QuerLinesAcrossTheNotchGiveTwoBattensEach) {
    auto shape = MakeArea(kU);
    for (int id : {4, 5}) {
        // Battens along (1, -1): one line is x + y = const; group the pieces by line.
        std::map<long long, int> pieces;
        for (const TVektor& v : Battens(*shape, *Layout(id)))
            if (v.rx != 0 && v.ry != 0) ++pieces[std::llround((v.x + v.y) * 1e6)];
        EXPECT_TRUE(std::any_of(pieces.begin(), pieces.end(), [](const auto& line) {
            return line.second == 2;
        })) << id;
        ExpectInsideWithClearance(*shape, shape->VerlattungColl()[0].Vektoren, 3);
    }
}

TEST_F(StandardLayouts, StiffenersTurnOnlyOuterEdgesIntoFullLines) {
    // The hole is the last contour. Its edges along the battens, moved half a spacing into the
    // area (y = 20 and y = 180), are single battens along those edges, not lines across the
    // whole area; the outer edges give the full lines at 30 and 170.
    auto shape = MakeArea(kRect, {kHole});
    for (int id : {6, 7}) {
        SCOPED_TRACE(id);
        ExpectSameSegments(Battens(*shape, *Layout(id)),
                           Horizontal({30, 170}, 3, 297) +
                               Horizontal({30 + 140.0 / 3, 30 + 280.0 / 3}, 3, 97) +
                               Horizontal({30 + 140.0 / 3, 30 + 280.0 / 3}, 203, 297) +
                               Horizontal({20, 180}, 100, 200) + kRectHorizontalBorder +
                               Horizontal({47, 153}, 97, 203));
    }
}

// Boards 20 wide along the battens and 120 long across them, so that their end joints run
// along the battens.
void AddColumn(TShape& shape, double x, std::initializer_list<double> joints) {
    double y = -10;
    for (double j : joints) {
        AddBoard(shape, x, y, 0, j - y, 20, 0);
        y = j;
    }
    AddBoard(shape, x, y, 0, 300 - y, 20, 0);
}

TEST_F(StandardLayouts, JointLinesThroughEndJoints) {
    auto shape = MakeArea(kRect);
    AddColumn(*shape, 0, {120});
    AddColumn(*shape, 20, {122}); // 2 cm from the first joint: the same batten
    AddColumn(*shape, 40, {5.5}); // 2.6 from the lower anchor: none
    AddColumn(*shape, 60, {196}); // 1.1 from the upper anchor: none
    // Lines at 120, then 117.1 and 77.1 halved.
    const std::vector<TSeg> inner = Horizontal({61.45, 120, 158.55}, 3, 297);
    ExpectSameSegments(Battens(*shape, *Layout(2)), inner + RectEdges(3, 3, 297, 197));
    ExpectSameSegments(Battens(*shape, *Layout(9)), inner);
    // The layouts without joints are not moved by them.
    ExpectSameSegments(Battens(*shape, *Layout(1)), kRectInner + RectEdges(3, 3, 297, 197));
}

TEST_F(StandardLayouts, DoubledJointLinesFourApart) {
    auto shape = MakeArea(kRect);
    AddColumn(*shape, 0, {120});
    AddColumn(*shape, 20, {122}); // 120 and 124 lie within 3 of 118 and 122
    ExpectSameSegments(Battens(*shape, *Layout(3)),
                       Horizontal({60.45, 118, 122, 159.55}, 3, 297) + kRectHorizontalBorder);
}

TEST_F(StandardLayouts, StiffenersHalfASpacingFromTheJoints) {
    auto shape = MakeArea(kRect);
    AddColumn(*shape, 0, {110});
    // The joint at 110, 30 before and after it, the borders moved in to 30 and 170; every
    // gap is then within the spacing.
    ExpectSameSegments(Battens(*shape, *Layout(6)),
                       Horizontal({30, 80, 110, 140, 170}, 3, 297) + kRectHorizontalBorder);
}

TEST_F(StandardLayouts, OnlyTheFirstFilledLayerPlacesJointLines) {
    auto shape = MakeArea(kRect);
    shape->AddLayer();
    shape->AddLayer();
    AddColumn(*shape, 0, {120});
    std::swap(shape->Layer(0), shape->Layer(1)); // layer 0 empty, layer 1 the boards
    shape->Layer(2).push_back(std::make_unique<TGraphPaneel>(
        shape.get(), nullptr, QStringLiteral("B2"), 1, TVektor(100, 40, 100, 150),
        TVektor(0, 0, 20, 0), QString(), 0)); // a joint at 150 in a later layer
    ExpectSameSegments(Battens(*shape, *Layout(2)),
                       Horizontal({61.45, 120, 158.55}, 3, 297) + RectEdges(3, 3, 297, 197));
}

TEST_F(StandardLayouts, BoardsOutsideTheAreaPlaceNoJointLines) {
    // The joint at y = 120 lies within the area's extent, the board beside the area.
    auto shape = MakeArea(kRect);
    AddBoard(*shape, 400, 0, 0, 120, 20, 0);
    AddBoard(*shape, 400, 120, 0, 120, 20, 0);
    ExpectSameSegments(Battens(*shape, *Layout(2)), kRectInner + RectEdges(3, 3, 297, 197));
}

TEST_F(StandardLayouts, QuerStirnRunsALineThroughTheJoint) {
    auto shape = MakeArea(kRect);
    AddBoard(*shape, 100, 0, 0, 100, 20, 0);
    const std::vector<TVektor> battens = Battens(*shape, *Layout(5));
    // The joint's midpoint (110, 100): a 45° batten with x + y = 210.
    const bool through = std::any_of(battens.begin(), battens.end(), [](const TVektor& v) {
        return std::fabs(v.x + v.y - 210) < 1e-7 && std::fabs(v.EndX() + v.EndY() - 210) < 1e-7;
    });
    EXPECT_TRUE(through);
}

TEST_F(StandardLayouts, QuerFollowsTheBattenDirection) {
    // d = (0, 1) plus d turned by Norm, (1, 0): the battens run along (1, 1)/√2.
    auto shape = MakeArea(Rect(0, 0, 200, 300), {}, TVektor(0, 0, 0, 1));
    const std::vector<TVektor> battens = Battens(*shape, *Layout(4));
    int diagonal = 0;
    for (const TVektor& v : battens) {
        if (v.rx == 0 || v.ry == 0) continue; // borders
        ++diagonal;
        EXPECT_NEAR(std::fabs(v.rx), std::fabs(v.ry), 1e-9);
        EXPECT_GT(v.rx * v.ry, 0);
    }
    EXPECT_GT(diagonal, 0);
}

TEST_F(StandardLayouts, OriginBehindPartOfTheAreaFoldsNothing) {
    // The fixed origin lands at y = 100, in the middle of the area: signed offsets keep the
    // lines where they belong.
    auto shape = MakeArea(kRect, {}, TVektor(0, -9900, 1, -9900));
    ExpectSameSegments(Battens(*shape, *Layout(2)), kRectInner + RectEdges(3, 3, 297, 197));
    // Wholly behind it: every offset is negative.
    auto behind = MakeArea(kRect, {}, TVektor(0, -20000, 1, -20000));
    ExpectSameSegments(Battens(*behind, *Layout(2)), kRectInner + RectEdges(3, 3, 297, 197));
    // A start far away in any direction changes nothing either.
    auto far = MakeArea(kRect, {}, TVektor(5e6, -7e6, 5e6 + 1, -7e6));
    ExpectSameSegments(Battens(*far, *Layout(1)), kRectInner + RectEdges(3, 3, 297, 197), 1e-6);
}

TEST_F(StandardLayouts, SmallestSpacingDividesDirectly) {
    auto shape = MakeArea(Rect(0, 0, 300, 2000));
    const std::vector<TVektor> battens = Battens(*shape, *Layout(1, 1));
    // 1994.2 / 1.1 = 1812.9: 1813 parts, 1812 inner lines, plus four borders.
    EXPECT_EQ(battens.size(), 1812u + 4u);
}

TEST_F(StandardLayouts, NoBattensWithoutDirectionOrForKeineVerlattung) {
    auto still = MakeArea(kRect, {}, TVektor(5, 5, 5, 5));
    still->SetLattenGenerator(Layout(1));
    EXPECT_TRUE(Verlatten(*still));
    EXPECT_TRUE(still->VerlattungColl().empty());
    auto none = MakeArea(kRect);
    none->AddVerlattung(QStringLiteral("alt"), {TVektor(0, 0, 1, 1)});
    none->AddUKVerbinder(QStringLiteral("alt"), {TVektor(0, 0, 1, 1)});
    none->SetLattenGenerator(NewLayout(0));
    EXPECT_TRUE(Verlatten(*none));
    EXPECT_TRUE(none->VerlattungColl().empty());
    EXPECT_TRUE(none->UKVerbinderColl().empty());
    EXPECT_EQ(none->LaengeVerlattung(), 0);
    none->RemoveLayers();
    none->SetLattenGenerator(Layout(1));
    EXPECT_TRUE(Verlatten(*none));
    EXPECT_TRUE(none->VerlattungColl().empty());
}

TEST_F(StandardLayouts, BattensFiledUnderTheGeneratorsArticleEvenWhenUnknown) {
    auto shape = MakeArea(kRect);
    auto layout = Layout(2);
    layout->LattenArtNr.SetText(QStringLiteral("gibt es nicht"));
    Battens(*shape, *layout);
    EXPECT_EQ(shape->VerlattungColl()[0].ArtikelNr, QStringLiteral("gibt es nicht"));
    EXPECT_TRUE(Messages.isEmpty());
}

// --- Every layout on awkward areas ------------------------------------------------------------

struct TAwkwardArea {
    const char* name;
    TOutline outline;
    std::vector<TOutline> holes;
};

const TAwkwardArea kAwkward[] = {
    {"Rectangle", kRect, {}},
    {"LShape", kL, {}},
    {"UShape", kU, {}},
    {"Hole", kRect, {kHole}},
    // A hole 1 cm from the border: its offset would reach outside the area.
    {"HoleNearBorder", kRect, {Rect(100, 1, 200, 100)}},
    // A spike 2 cm wide and 100 long: the mitred offset shoots far beyond its tip.
    {"Spike", {{0, 0}, {300, 0}, {300, 150}, {152, 150}, {151, 250}, {150, 150}, {0, 150}}, {}},
    // A room with a corridor 4 cm wide: narrower than the two insets.
    {"Corridor",
     {{0, 0}, {200, 0}, {200, 98}, {400, 98}, {400, 102}, {200, 102}, {200, 200}, {0, 200}},
     {}},
    // Diamond: battens through its side vertices.
    {"Diamond", {{0, 100}, {100, 0}, {200, 100}, {100, 200}}, {}},
};

class AwkwardAreas : public TSubstructureTest,
                     public testing::WithParamInterface<std::tuple<int, size_t>> {};

TEST_P(AwkwardAreas, BattensStayInsideClearOfTheBorder) {
    const auto [id, index] = GetParam();
    const TAwkwardArea& a = kAwkward[index];
    for (double angle : {0.0, 30.0, 90.0}) {
        SCOPED_TRACE(angle);
        const double r = angle * 3.14159265358979 / 180;
        auto shape = MakeArea(a.outline, a.holes, TVektor(0, 0, std::cos(r), std::sin(r)));
        AddColumn(*shape, 40, {60, 130});
        AddColumn(*shape, 160, {95});
        const std::vector<TVektor> battens = Battens(*shape, *Layout(id, 40));
        EXPECT_FALSE(battens.empty());
        ExpectInsideWithClearance(*shape, battens, TLattenGenerator::kInsetDistance);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, AwkwardAreas,
                         testing::Combine(testing::Values(1, 2, 3, 4, 5, 6, 7, 9),
                                          testing::Range<size_t>(0, std::size(kAwkward))),
                         [](const auto& c) {
                             return "Layout" + std::to_string(std::get<0>(c.param)) + "_" +
                                    kAwkward[std::get<1>(c.param)].name;
                         });

TEST_F(StandardLayouts, AreasWithNothingLeftInsideTheInsetGetNoBattens) {
    for (const TOutline& outline : {Rect(0, 0, 5, 5), Rect(0, 0, 100000, 5), Rect(0, 0, 6, 6)}) {
        for (int id : {1, 2, 3, 4, 5, 6, 7, 9}) {
            auto shape = MakeArea(outline);
            EXPECT_TRUE(Battens(*shape, *Layout(id, 1)).empty()) << id;
        }
    }
}

} // namespace
