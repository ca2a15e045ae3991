#include "LayingTestSupport.h"
#include "PatternCoverage.h"

#include "geometry/Vektors.h"
#include "laying/OffsetPatterns.h"
#include "laying/PlanLaying.h"
#include "laying/SimplePatterns.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <cmath>

namespace {

const TRing kRect100x50{{0, 0}, {100, 0}, {100, 50}, {0, 50}};
const TRing kRect300x200{{0, 0}, {300, 0}, {300, 200}, {0, 200}};

// --- Laying direction -------------------------------------------------------------------------

class LayingDirectionTest : public TLayingTest {};

// The rule deciding between the edge's start and its middle must look at the generator the area
// is about to get when its layer has none yet (the first laying of an area).
TEST_F(LayingDirectionTest, ParallelStartsAtMiddleOrEdgeStartByPattern) {
    struct TCase {
        const char* Name;
        std::unique_ptr<TPatternGenerator> Current; // the current pattern
        std::int32_t CurrentTyp;                    // type of the current board
        std::unique_ptr<TPatternGenerator> InLayer; // the layer's own generator, if any
        std::int32_t LayerTyp;
        double StartX;
    };
    TCase cases[] = {
        {"half offset", std::make_unique<THalbVersatzGen>(), ptPaneel, nullptr, 0, 50},
        {"profile timber, first laying", std::make_unique<TProfilHolzGen>(), ptProfilholz, nullptr,
         0, 0},
        {"no offset, first laying", std::make_unique<TVersatzGen>(), ptPaneel, nullptr, 0, 0},
        {"no current pattern", nullptr, ptProfilholz, nullptr, 0, 50},
        {"the layer's generator wins", std::make_unique<TVersatzGen>(), ptPaneel,
         std::make_unique<THalbVersatzGen>(), ptPaneel, 50},
        {"profile timber in the layer", std::make_unique<THalbVersatzGen>(), ptPaneel,
         std::make_unique<TProfilHolzGen>(), ptProfilholz, 0},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto plan = PlanWithArea(kRect100x50);
        TShape& area = FirstArea(*plan);
        Context.Laying.CurrentPattern = c.Current.get();
        Catalogue.CurrentPaneel().Typ = c.CurrentTyp;
        if (c.InLayer) {
            c.InLayer->Product->Typ = c.LayerTyp;
            area.SetPatternGenerator(0, std::move(c.InLayer));
        }
        SetVerlegeRichtungParallel(Context, area, 0, TVektor(0, 0, 100, 0));
        // The turned edge (0, -1) points out of the area and is reversed.
        EXPECT_EQ(area.VerlegeRichtung().x, c.StartX);
        EXPECT_EQ(area.VerlegeRichtung().y, 0);
        EXPECT_EQ(area.VerlegeRichtung().rx, 0);
        EXPECT_EQ(area.VerlegeRichtung().ry, 1);
        EXPECT_TRUE(area.VerlattungsRichtung().IsEqual(area.VerlegeRichtung()));
    }
}

TEST_F(LayingDirectionTest, ParallelRoundsTheStartHalvesToEven) {
    // The middle of the edge (0, 0)-(25, 15) is (12.5, 7.5).
    auto plan = PlanWithArea({{0, 0}, {25, 15}, {0, 30}});
    TShape& area = FirstArea(*plan);
    SetVerlegeRichtungParallel(Context, area, 0, TVektor(0, 0, 25, 15));
    EXPECT_EQ(area.VerlegeRichtung().x, 12);
    EXPECT_EQ(area.VerlegeRichtung().y, 8);
    EXPECT_NEAR(area.VerlegeRichtung().Betrag(), 1, 1e-12);
    // At right angles to the edge, into the area.
    EXPECT_NEAR(area.VerlegeRichtung().rx * 25 + area.VerlegeRichtung().ry * 15, 0, 1e-9);
    EXPECT_TRUE(
        area.PointInObject(12.5 + area.VerlegeRichtung().rx, 7.5 + area.VerlegeRichtung().ry));
}

TEST_F(LayingDirectionTest, AlongStartsAtTheEndNearerTheClick) {
    struct TCase {
        TVektor Line;
        double ClickX, ClickY;
        double X, Y, Rx, Ry;
    } cases[] = {
        {TVektor(10, 10, 110, 10), 20, 80, 10, 10, 1, 0},
        {TVektor(10, 10, 110, 10), 60, 0, 10, 10, 1, 0},   // exactly half the length away
        {TVektor(10, 10, 110, 10), 61, 0, 110, 10, -1, 0}, // beyond the middle
        {TVektor(10.5, 7.5, 10.5, 57.5), 0, 0, 10, 8, 0, 1},
        {TVektor(10.5, 7.5, 10.5, 57.5), 0, 57, 10, 58, 0, -1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Line.x << "," << c.Line.y << " click " << c.ClickX << "," << c.ClickY);
        auto plan = PlanWithArea(kRect300x200);
        TShape& area = FirstArea(*plan);
        ASSERT_TRUE(SetVerlegeRichtungEntlang(area, c.Line, c.ClickX, c.ClickY));
        EXPECT_EQ(area.VerlegeRichtung().x, c.X);
        EXPECT_EQ(area.VerlegeRichtung().y, c.Y);
        EXPECT_NEAR(area.VerlegeRichtung().rx, c.Rx, 1e-12);
        EXPECT_NEAR(area.VerlegeRichtung().ry, c.Ry, 1e-12);
        EXPECT_TRUE(area.VerlattungsRichtung().IsEqual(area.VerlegeRichtung()));
    }
}

TEST_F(LayingDirectionTest, AlongRefusesALineWithoutLength) {
    auto plan = PlanWithArea(kRect300x200);
    TShape& area = FirstArea(*plan);
    ASSERT_TRUE(SetVerlegeRichtungEntlang(area, TVektor(0, 0, 0, 100), 0, 0));
    const TVektor before = area.VerlegeRichtung();
    for (const TVektor& line :
         {TVektor(50, 50, 50, 50), TVektor(50, 50, 50.5, 50), TVektor(0, 0, NAN, 0)}) {
        EXPECT_FALSE(SetVerlegeRichtungEntlang(area, line, 50, 50));
        EXPECT_TRUE(area.VerlegeRichtung().IsEqual(before));
        EXPECT_TRUE(area.VerlattungsRichtung().IsEqual(before));
    }
}

// --- Laying a layer ---------------------------------------------------------------------------

class ShapeVerlegenTest : public TLayingTest {
protected:
    // The area's layer 0 gets a fixed-boards generator with a 10 x 100 article.
    TFixedBoardsGen& GiveFixedBoards(TShape& Area) {
        auto generator = std::make_unique<TFixedBoardsGen>();
        generator->Product->VBreite = 10;
        generator->Product->VLaenge = 100;
        TFixedBoardsGen& given = *generator;
        Area.SetPatternGenerator(0, std::move(generator));
        SetVerlegeRichtungEntlang(Area, TVektor(0, 0, 100, 0), 0, 0);
        return given;
    }
};

TEST_F(ShapeVerlegenTest, RefusesAnAreaWithoutContourOrDirection) {
    auto plan = PlanWithArea(kRect100x50);
    TShape& area = FirstArea(*plan);
    EXPECT_FALSE(Verlegen(area, 0)); // no direction yet
    SetVerlegeRichtungEntlang(area, TVektor(0, 0, 100, 0), 0, 0);
    EXPECT_FALSE(Verlegen(area, 1)); // no such layer
    EXPECT_TRUE(Verlegen(area, 0));

    // An area covered completely by the one above it has no contour left.
    auto covered = PlanWithArea(kRect100x50, {{{-10, -10}, {110, -10}, {110, 60}, {-10, 60}}});
    TShape& hidden = FirstArea(*covered);
    SetVerlegeRichtungEntlang(hidden, TVektor(0, 0, 100, 0), 0, 0);
    EXPECT_EQ(hidden.FrameCount(), 0);
    EXPECT_FALSE(Verlegen(hidden, 0));
}

// A 10 cm square has a radius of 7.07, raised to 50: what lies within 50 of the centroid stays.
TEST_F(ShapeVerlegenTest, SmallAreaKeepsBoardsWithinFiftyOfItsCentroid) {
    auto plan = PlanWithArea({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    TShape& area = FirstArea(*plan);
    TFixedBoardsGen& generator = GiveFixedBoards(area);
    generator.Boards = {
        {54, 5, 20, 0, 0, 5},  // corner 49 from (5, 5)
        {56, 5, 20, 0, 0, 5},  // every point 51 or more away
        {5, 54, 0, 20, -5, 0}, // corner 49 away, below
        {5, 56, 0, 20, -5, 0},
    };
    ASSERT_TRUE(Verlegen(area, 0));
    ASSERT_EQ(area.Layer(0).size(), 2u);
    const auto& kept0 = static_cast<const TGraphPaneel&>(*area.Layer(0)[0]);
    const auto& kept1 = static_cast<const TGraphPaneel&>(*area.Layer(0)[1]);
    EXPECT_EQ(kept0.P(0).x, 54);
    EXPECT_EQ(kept1.P(0).y, 54);
}

// A long board crossing a thin area with its corners and centre all outside the area's radius
// must stay; a board as far away that misses the area goes.
TEST_F(ShapeVerlegenTest, KeepsALongBoardThatCrossesTheAreaFarFromItsCentroid) {
    auto plan = PlanWithArea({{0, 0}, {400, 0}, {400, 10}, {0, 10}});
    TShape& area = FirstArea(*plan);
    TFixedBoardsGen& generator = GiveFixedBoards(area);
    // Length 1000 along (0.6, 0.8), width 10; the first crosses the strip at x = 300..308.
    generator.Boards = {{150, -195, 600, 800, 8, -6}, {150, -495, 600, 800, 8, -6}};
    const double radius = std::hypot(200.0, 5.0);
    for (const TFixedBoardsGen::TBoard& b : generator.Boards) {
        const double corners[5][2] = {{b.x, b.y},
                                      {b.x + b.lx, b.y + b.ly},
                                      {b.x + b.lx + b.wx, b.y + b.ly + b.wy},
                                      {b.x + b.wx, b.y + b.wy},
                                      {b.x + (b.lx + b.wx) / 2, b.y + (b.ly + b.wy) / 2}};
        for (const auto& p : corners)
            ASSERT_GT(std::hypot(p[0] - 200, p[1] - 5), radius); // the fast rule alone drops it
    }
    ASSERT_TRUE(Verlegen(area, 0));
    ASSERT_EQ(area.Layer(0).size(), 1u);
    EXPECT_EQ(static_cast<const TGraphPaneel&>(*area.Layer(0)[0]).P(0).y, -195);
}

// 100 x 100, third offset, 10 x 400 boards parallel to the bottom edge: the
// corner-and-centre rule alone left three rows empty.
TEST_F(ShapeVerlegenTest, KeptBoardsCoverASquareLaidWithLongBoards) {
    for (double width : {10.0, 14.5}) {
        SCOPED_TRACE(width);
        auto plan = PlanWithArea({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
        TShape& area = FirstArea(*plan);
        TPaneele& board = AddBoard("D1", ptPaneel, width, 400);
        area.SetPatternGenerator(0, GeneratorFor(TDrittelVersatzGen(), board));
        SetVerlegeRichtungParallel(Context, area, 0, TVektor(0, 0, 100, 0));
        ASSERT_TRUE(Verlegen(area, 0));
        const TCoverage coverage = CheckCoverage(area, area.Layer(0), 1);
        EXPECT_GT(coverage.Samples, 9000);
        EXPECT_EQ(coverage.Uncovered, 0);
        EXPECT_EQ(coverage.Multiple, 0);
        Catalogue.Clear();
    }
}

// Laying the single piece again by hand adds a piece (as intended); a refresh does not.
TEST_F(ShapeVerlegenTest, SinglePieceGrowsOnlyWhenTheUserLaysAgain) {
    auto plan = PlanWithArea(kRect300x200);
    TShape& area = FirstArea(*plan);
    TPaneele& board = AddBoard("E1", ptPaneel, 20, 100);
    area.SetPatternGenerator(0, GeneratorFor(TSinglePanelGen(), board));
    SetVerlegeRichtungEntlang(area, TVektor(100, 100, 200, 100), 100, 100);
    ASSERT_TRUE(Verlegen(area, 0));
    EXPECT_EQ(area.Layer(0).size(), 1u);
    const TLayerLaying refresh = LayShapeLayer(area, 0, TLayingTrigger::Refresh);
    EXPECT_TRUE(refresh.Laid);
    EXPECT_EQ(refresh.Generated, 0);
    EXPECT_EQ(refresh.Kept, 1);
    const TLayerLaying user = LayShapeLayer(area, 0, TLayingTrigger::User);
    EXPECT_EQ(user.Generated, 1);
    EXPECT_EQ(user.Kept, 2);
    EXPECT_TRUE(Verlegen(area, 0));
    EXPECT_EQ(area.Layer(0).size(), 3u);
}

TEST_F(ShapeVerlegenTest, CountsGeneratedAndKeptBoards) {
    auto plan = PlanWithArea({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    TShape& area = FirstArea(*plan);
    TFixedBoardsGen& generator = GiveFixedBoards(area);
    generator.Boards = {{0, 0, 10, 0, 0, 10}, {500, 500, 10, 0, 0, 10}, {0, 20, 10, 0, 0, 10}};
    // What the layer held before is replaced, and not counted as generated.
    area.Layer(0).push_back(std::make_unique<TGraphPaneel>(&area, nullptr, QString(), ptPaneel,
                                                           TVektor(0, 0, 5, 0), TVektor(0, 0, 0, 5),
                                                           QString(), 0));
    const TLayerLaying laid = LayShapeLayer(area, 0, TLayingTrigger::Refresh);
    EXPECT_TRUE(laid.Laid);
    EXPECT_EQ(laid.Generated, 3);
    EXPECT_EQ(laid.Kept, 2);
}

// --- Tongue length ----------------------------------------------------------------------------

TEST(SpiegelFederTest, CountsTheEdgesInsideTheAreaOnce) {
    struct TCase {
        const char* Name;
        std::vector<TRing> Holes;
        double x, y, l, w; // board along +x
        double Expected;
    } cases[] = {
        {"wholly inside", {}, 50, 50, 100, 10, (2 * 100 + 2 * 10) / 2.0},
        {"cut by the contour", {}, 250, 50, 100, 10, (50 + 50 + 10) / 2.0},
        {"wholly outside", {}, 400, 50, 100, 10, 0},
        {"across a hole",
         {{{100, 40}, {140, 40}, {140, 70}, {100, 70}}},
         50,
         50,
         100,
         10,
         (60 + 60 + 10 + 10) / 2.0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto plan = PlanWithArea(kRect300x200, c.Holes);
        TShape& area = FirstArea(*plan);
        area.Layer(0).push_back(std::make_unique<TGraphPaneel>(
            &area, nullptr, QString(), ptPaneel, TVektor(c.x, c.y, c.x + c.l, c.y),
            TVektor(0, 0, 0, c.w), QString(), 0));
        BerechneSpiegelFedern(area);
        EXPECT_NEAR(area.SpiegelFederLaenge(), c.Expected, 1e-9);
    }
}

TEST(SpiegelFederTest, OnlyTheFirstLayerCounts) {
    auto plan = PlanWithArea(kRect300x200);
    TShape& area = FirstArea(*plan);
    area.SetSpiegelFederLaenge(99);
    area.AddLayer();
    area.Layer(1).push_back(std::make_unique<TGraphPaneel>(&area, nullptr, QString(), ptPaneel,
                                                           TVektor(50, 50, 150, 50),
                                                           TVektor(0, 0, 0, 10), QString(), 0));
    BerechneSpiegelFedern(area);
    EXPECT_EQ(area.SpiegelFederLaenge(), 0);
}

// --- Refreshing generators --------------------------------------------------------------------

class UpdateGeneratorTest : public TLayingTest {
protected:
    // Layer 0: a half-offset generator with article "A", its boards and a hand-placed piece of
    // article "X"; layer 1: a half-offset generator with article "B" and its boards.
    void SetUpLayers(TShape& Area) {
        TPaneele& a = AddBoard("A", ptPaneel, 10, 100, "Eiche");
        TPaneele& b = AddBoard("B", ptPaneel, 20, 100, "Buche");
        Area.AddLayer();
        Area.SetPatternGenerator(0, GeneratorFor(THalbVersatzGen(), a));
        Area.SetPatternGenerator(1, GeneratorFor(THalbVersatzGen(), b));
        SetVerlegeRichtungEntlang(Area, TVektor(0, 0, 300, 0), 0, 0);
        ASSERT_TRUE(Verlegen(Area, 0));
        ASSERT_TRUE(Verlegen(Area, 1));
        Area.Layer(0).push_back(std::make_unique<TGraphPaneel>(&Area, nullptr, QStringLiteral("X"),
                                                               ptPaneel, TVektor(10, 10, 60, 10),
                                                               TVektor(0, 0, 0, 5), QString(), 0));
        Area.AddVerlattung(QStringLiteral("L1"), {TVektor(0, 0, 100, 0)});
        fLayer1Count = Area.Layer(1).size();
    }
    std::size_t fLayer1Count = 0;
};

TEST_F(UpdateGeneratorTest, KeepsGeneratorsWhoseArticleIsStillThere) {
    auto plan = PlanWithArea(kRect300x200);
    TShape& area = FirstArea(*plan);
    SetUpLayers(area);
    Catalogue.FindProduct("A")->VLaenge = 250;
    EXPECT_TRUE(UpdateGenerator(Context, area));
    EXPECT_TRUE(Messages.isEmpty());
    ASSERT_NE(PatternGenerator(area, 0), nullptr);
    EXPECT_EQ(PatternGenerator(area, 0)->L(), 250);
    EXPECT_EQ(area.VerlattungColl().size(), 1u);
}

TEST_F(UpdateGeneratorTest, DropsOnlyTheFailingGeneratorAndItsBoards) {
    struct TCase {
        const char* Name;
        bool Remove; // else the article becomes parquet, which half offset cannot lay
        QString Message;
    } cases[] = {
        {"article gone", true, "Produkt Eiche nicht gefunden."},
        {"article unsuitable", false, "Eiche kann nicht mehr mit Halber Versatz verlegt werden."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Catalogue.Clear();
        Messages.clear();
        auto plan = PlanWithArea(kRect300x200);
        TShape& area = FirstArea(*plan);
        SetUpLayers(area);
        if (c.Remove)
            Catalogue.DeleteProduct(Catalogue.FindProduct("A"));
        else
            Catalogue.FindProduct("A")->Typ = ptParkett;

        EXPECT_FALSE(UpdateGenerator(Context, area));
        EXPECT_EQ(Messages, QStringList{c.Message});
        EXPECT_EQ(area.GetPatternGenerator(0), nullptr);
        ASSERT_EQ(area.Layer(0).size(), 1u); // the hand-placed piece
        EXPECT_EQ(area.Layer(0)[0]->ArtikelNr.Text(), "X");
        ASSERT_NE(area.GetPatternGenerator(1), nullptr);
        EXPECT_EQ(area.Layer(1).size(), fLayer1Count);
        EXPECT_TRUE(area.VerlattungColl().empty());
    }
}

} // namespace
