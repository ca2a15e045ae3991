#include "PatternCoverage.h"
#include "PatternTestSupport.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "laying/CompositePatterns.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"
#include "support/StreamBytes.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <tuple>
#include <typeinfo>
#include <vector>

namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;

std::unique_ptr<TPatternGenerator> MakeGen(const QString& Kind, double W, double L,
                                           std::int32_t Typ) {
    std::unique_ptr<TPatternGenerator> g;
    if (Kind == "Verzahnen") g = std::make_unique<TVerzahnGen>();
    if (Kind == "Würfel") g = std::make_unique<TWuerfelVersatzGen>();
    if (Kind == "Parkett") g = std::make_unique<TParkettGen>();
    if (Kind == "Fischgrät") g = std::make_unique<TFischgraetGen>();
    g->Product->VBreite = W;
    g->Product->VLaenge = L;
    g->Product->Typ = Typ;
    g->Product->ArtikelNr.SetText("A-17");
    return g;
}

// Sets the area's laying start and direction, places the frame and lays the boards.
TGraphicObjectList Lay(TPatternGenerator& Gen, TShape& Area, double Sx, double Sy, double Rx,
                       double Ry) {
    Area.SetVerlegeRichtung(TVektor(Sx, Sy, Sx + Rx, Sy + Ry));
    Gen.AdjustVektors(Area);
    TGraphicObjectList boards;
    Gen.CreatePattern(Area, boards);
    return boards;
}

// A plan point in the pattern frame: u along e_S, v along e_L, from O.
struct TUV {
    double u, v;
};
TUV InFrame(const TShape& Area, double x, double y) {
    const TVektor& l = Area.LegeVektor();
    const TVektor& s = Area.SymetrieVek();
    return {(x - l.x) * s.rx + (y - l.y) * s.ry, (x - l.x) * l.rx + (y - l.y) * l.ry};
}
// A plan direction in the frame.
TUV DirInFrame(const TShape& Area, double x, double y) {
    const TVektor& l = Area.LegeVektor();
    const TVektor& s = Area.SymetrieVek();
    return {x * s.rx + y * s.ry, x * l.rx + y * l.ry};
}

// The board whose corner lies at (u, v) of the frame, or null.
const TGraphPaneel* BoardAt(const TShape& Area, const TGraphicObjectList& Boards, double u,
                            double v) {
    for (size_t i = 0; i < Boards.size(); ++i) {
        const TGraphPaneel& b = Board(Boards, i);
        const TUV c = InFrame(Area, b.P(0).x, b.P(0).y);
        if (std::fabs(c.u - u) < 1e-6 && std::fabs(c.v - v) < 1e-6) return &b;
    }
    return nullptr;
}

TUV LengthInFrame(const TShape& Area, const TGraphPaneel& b) {
    return DirInFrame(Area, b.P(1).x - b.P(0).x, b.P(1).y - b.P(0).y);
}

double Phase(double u, double Period) {
    const double r = std::fmod(u, Period);
    return r < 0 ? r + Period : r;
}

TEST(CompositePatternsTest, ConstantsAndPeriods) {
    struct TCase {
        const char* Kind;
        const char* Name;
        int BitMap, LattenGenID, FirstPrefered;
        double PeriodeL, PeriodeS; // for W = 10, L = 30
    };
    const TCase cases[] = {
        {"Verzahnen", "Verzahnen", 8, 2, 2, 20, 30},
        {"Würfel", "Würfelversatz", 11, 4, 4, 60, 60},
        {"Parkett", "Parkett Verlegung", 9, 0, 0, 10, 30},
        {"Fischgrät", "Fischgrät", 10, 2, 2, 10 * kSqrt2, 30 * kSqrt2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = MakeGen(QString::fromUtf8(c.Kind), 10, 30, ptPaneel);
        EXPECT_EQ(g->Name, QString::fromUtf8(c.Name));
        EXPECT_EQ(g->BitMapIndex, c.BitMap);
        EXPECT_EQ(g->LattenGenID, c.LattenGenID);
        EXPECT_EQ(g->PreferedLattenGenIDs[0], c.FirstPrefered);
        for (size_t i = 1; i < g->PreferedLattenGenIDs.size(); ++i)
            EXPECT_EQ(g->PreferedLattenGenIDs[i], 0);
        EXPECT_DOUBLE_EQ(g->PeriodeL(), c.PeriodeL);
        EXPECT_DOUBLE_EQ(g->PeriodeS(), c.PeriodeS);
        auto copy = g->Clone();
        EXPECT_EQ(typeid(*copy), typeid(*g));
        EXPECT_EQ(copy->Name, g->Name);
        EXPECT_DOUBLE_EQ(copy->L(), 30);
    }
}

TEST(CompositePatternsTest, PossibleByType) {
    // Types 0 profile timber, 1 panel, 2 panel with tongue, 3 parquet, 40 module, 50 beam.
    struct TCase {
        const char* Kind;
        std::vector<int> Accepted;
    };
    const TCase cases[] = {
        {"Verzahnen", {1, 2}}, {"Würfel", {1}}, {"Parkett", {3}}, {"Fischgrät", {1}}};
    for (const TCase& c : cases) {
        auto g = MakeGen(QString::fromUtf8(c.Kind), 10, 30, ptPaneel);
        for (int typ : {0, 1, 2, 3, 10, 11, 30, 40, 50}) {
            SCOPED_TRACE(std::string(c.Kind) + " type " + std::to_string(typ));
            TPaneele p;
            p.Typ = typ;
            p.VBreite = 10;
            p.VLaenge = 30;
            const bool accepted =
                std::find(c.Accepted.begin(), c.Accepted.end(), typ) != c.Accepted.end();
            EXPECT_EQ(g->Possible(p), accepted);
            // Without a positive width and length no pattern can lay the board.
            for (auto [w, l] : {std::pair{0.0, 30.0},
                                {10.0, 0.0},
                                {-10.0, 30.0},
                                {std::numeric_limits<double>::quiet_NaN(), 30.0}}) {
                p.VBreite = w;
                p.VLaenge = l;
                EXPECT_FALSE(g->Possible(p)) << w << " x " << l;
            }
        }
    }
}

TEST(CompositePatternsTest, CubeNeedsLengthCloseToWholeWidths) {
    struct TCase {
        double W, L;
        bool Possible;
    };
    const TCase cases[] = {
        {10, 30, true},     {10, 25, false},   {12.5, 100, true},
        {10, 29.99, true},  {10, 30.01, true}, {10, 29.85, false},
        {10, 30.15, false}, {10, 9.95, true},  {10, 0.04, false}, // rounds to no board per block
    };
    TWuerfelVersatzGen g;
    for (const TCase& c : cases) {
        TPaneele p;
        p.Typ = ptPaneel;
        p.VBreite = c.W;
        p.VLaenge = c.L;
        EXPECT_EQ(g.Possible(p), c.Possible) << c.W << " x " << c.L;
    }
}

// --- Exact layouts ---------------------------------------------------------------------------

class CompositeLayoutTest : public ::testing::Test {
protected:
    std::unique_ptr<TPlanDocument> Plan = PlanWithArea({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    TShape& Area = FirstArea(*Plan);
};

TEST_F(CompositeLayoutTest, CubeBlocksAlternateLikeAChessboard) {
    auto g = MakeGen("Würfel", 10, 30, ptPaneel);
    const TGraphicObjectList boards = Lay(*g, Area, 0, 0, 0, 1);
    // e_L = (0, 1), e_S = (1, 0): the frame runs along the plan axes.
    EXPECT_DOUBLE_EQ(Area.SymetrieVek().rx, 1);
    struct TExpect {
        double u, v;   // corner in the frame
        double lu, lv; // length vector in the frame
    };
    const TExpect expected[] = {
        // Row 0, first block at O: boards along e_S, stacked across.
        {0, 0, 30, 0},
        {0, 10, 30, 0},
        {0, 20, 30, 0},
        // Second block at O + 30·e_S: boards along e_L, side by side; the pair is 60 × 30.
        {30, 0, 0, 30},
        {40, 0, 0, 30},
        {50, 0, 0, 30},
        // The next pair of row 0.
        {60, 0, 30, 0},
        {90, 0, 0, 30},
        // Row 1: the pair starts at O - 30·e_S + 30·e_L, boards along e_L above row 0's first
        // block.
        {-30, 30, 30, 0},
        {-30, 50, 30, 0},
        {0, 30, 0, 30},
        {20, 30, 0, 30},
    };
    for (const TExpect& e : expected) {
        SCOPED_TRACE(testing::Message() << "corner " << e.u << ", " << e.v);
        const TGraphPaneel* b = BoardAt(Area, boards, e.u, e.v);
        ASSERT_NE(b, nullptr);
        const TUV l = LengthInFrame(Area, *b);
        EXPECT_NEAR(l.u, e.lu, 1e-9);
        EXPECT_NEAR(l.v, e.lv, 1e-9);
    }
    // Nothing but whole blocks of three.
    EXPECT_EQ(boards.size() % 6, 0u);
}

TEST_F(CompositeLayoutTest, InterlockingPullsOddRowsBack) {
    auto g = MakeGen("Verzahnen", 10, 100, ptPaneel);
    const TGraphicObjectList boards = Lay(*g, Area, 0, 0, 0, 1);
    // Phase of the row starts along e_S for rows -1..3.
    const double expectedPhase[] = {20, 0, 80, 0, 80};
    for (int j = -1; j <= 3; ++j) {
        SCOPED_TRACE(testing::Message() << "row " << j);
        int inRow = 0;
        for (size_t i = 0; i < boards.size(); ++i) {
            const TUV c = InFrame(Area, Board(boards, i).P(0).x, Board(boards, i).P(0).y);
            if (std::fabs(c.v - 10.0 * j) > 1e-6) continue;
            ++inRow;
            EXPECT_NEAR(Phase(c.u + 1e-7, 100), expectedPhase[j + 1], 1e-6);
        }
        EXPECT_GT(inRow, 3);
    }
}

TEST_F(CompositeLayoutTest, ParquetStripsSpanTwiceTheExtent) {
    auto g = MakeGen("Parkett", 18, 220, ptParkett);
    const TGraphicObjectList boards = Lay(*g, Area, 0, 0, 0, 1);
    ASSERT_GT(g->dx, 300);
    ASSERT_EQ(boards.size() % 3, 0u);
    for (size_t i = 0; i < boards.size(); i += 3) {
        const double v = InFrame(Area, Board(boards, i).P(0).x, Board(boards, i).P(0).y).v;
        for (size_t k = 0; k < 3; ++k) {
            const TGraphPaneel& b = Board(boards, i + k);
            const TUV c = InFrame(Area, b.P(0).x, b.P(0).y);
            EXPECT_NEAR(c.v, v, 1e-9); // three strips per row, whatever the article's length
            EXPECT_NEAR(c.u, (double(k) - 1) * 2 * g->dx, 1e-6);
            EXPECT_NEAR(LengthInFrame(Area, b).u, 2 * g->dx, 1e-9);
        }
    }
}

TEST_F(CompositeLayoutTest, HerringboneTurnsBoardsByFortyFiveDegrees) {
    auto g = MakeGen("Fischgrät", 7, 50, ptPaneel);
    const TGraphicObjectList boards = Lay(*g, Area, 0, 0, 0, 1); // φ = 90°
    ASSERT_EQ(boards.size() % 2, 0u);
    ASSERT_GT(boards.size(), 0u);
    const double a = kSqrt2 / 2;
    for (size_t i = 0; i < boards.size(); i += 2) {
        const TGraphPaneel& first = Board(boards, i);
        const TGraphPaneel& second = Board(boards, i + 1);
        // First along 45°, width along 135°; second along 135°, width along 225°.
        EXPECT_NEAR(first.P(1).x - first.P(0).x, 50 * a, 1e-9);
        EXPECT_NEAR(first.P(1).y - first.P(0).y, 50 * a, 1e-9);
        EXPECT_NEAR(first.P(3).x - first.P(0).x, -7 * a, 1e-9);
        EXPECT_NEAR(first.P(3).y - first.P(0).y, 7 * a, 1e-9);
        EXPECT_NEAR(second.P(1).x - second.P(0).x, -50 * a, 1e-9);
        EXPECT_NEAR(second.P(1).y - second.P(0).y, 50 * a, 1e-9);
        EXPECT_NEAR(second.P(3).x - second.P(0).x, -7 * a, 1e-9);
        EXPECT_NEAR(second.P(3).y - second.P(0).y, -7 * a, 1e-9);
        // The second stands on the first's start, one period along e_L further.
        EXPECT_NEAR(second.P(0).x, first.P(0).x, 1e-9);
        EXPECT_NEAR(second.P(0).y, first.P(0).y + 7 * kSqrt2, 1e-9);
    }
}

TEST_F(CompositeLayoutTest, LayingAgainReplacesTheLayer) {
    for (const char* kind : {"Verzahnen", "Würfel", "Parkett", "Fischgrät"}) {
        SCOPED_TRACE(kind);
        auto g = MakeGen(QString::fromUtf8(kind), 10, 30, std::string(kind) == "Parkett" ? 3 : 1);
        TGraphicObjectList layer = Lay(*g, Area, 0, 0, 0, 1);
        const size_t once = layer.size();
        g->CreatePattern(Area, layer);
        EXPECT_EQ(layer.size(), once);
    }
}

// The row at the laying start keeps the phase of row 0 however far the area reaches behind the
// start point: the frame only ever moves back by whole periods.
TEST(CompositePhaseTest, RowAtTheStartHasThePhaseOfRowZero) {
    struct TCase {
        const char* Kind;
        double W, L;
        std::int32_t Typ;
        double lx, ly; // length vector of the board at the start
    };
    const double a = kSqrt2 / 2;
    const TCase cases[] = {
        {"Verzahnen", 14.5, 400, ptPaneel, 400, 0},
        {"Würfel", 10, 30, ptPaneel, 30, 0},
        {"Parkett", 18, 220, ptParkett, 0, 0}, // strips start far before the area
        {"Fischgrät", 7, 50, ptPaneel, 50 * a, 50 * a},
    };
    for (const TCase& c : cases) {
        for (auto [backX, backY] :
             {std::pair{0.0, 0.0}, {0.0, 35.0}, {77.0, 113.0}, {3.0, 221.0}}) {
            SCOPED_TRACE(testing::Message() << c.Kind << " reaching " << backX << ", " << backY
                                            << " behind the start");
            auto plan = PlanWithArea({{-backX, -backY}, {300, -backY}, {300, 200}, {-backX, 200}});
            TShape& area = FirstArea(*plan);
            auto g = MakeGen(QString::fromUtf8(c.Kind), c.W, c.L, c.Typ);
            const TGraphicObjectList boards = Lay(*g, area, 150, 0, 0, 1);
            const TGraphPaneel* atStart = nullptr;
            for (size_t i = 0; i < boards.size(); ++i)
                if (Board(boards, i).PointInObject(150.5, 1.3)) atStart = &Board(boards, i);
            ASSERT_NE(atStart, nullptr);
            // The row begins 0.05 behind the start edge.
            EXPECT_NEAR(atStart->P(0).y, -0.05, 1e-6);
            if (c.lx == 0) continue;
            EXPECT_NEAR(atStart->P(0).x, 149.95, 1e-6);
            EXPECT_NEAR(atStart->P(1).x - atStart->P(0).x, c.lx, 1e-9);
            EXPECT_NEAR(atStart->P(1).y - atStart->P(0).y, c.ly, 1e-9);
        }
    }
}

// --- Records and properties ----------------------------------------------------------------

TEST(CompositeRecordTest, WrittenAndReadBack) {
    for (const char* kind : {"Verzahnen", "Würfel", "Parkett", "Fischgrät"}) {
        SCOPED_TRACE(kind);
        auto g = MakeGen(QString::fromUtf8(kind), 12.5, 100, ptPaneel);
        g->LattenGenID = 7;
        if (auto* v = dynamic_cast<TVerzahnGen*>(g.get())) v->fVerzahnung = 37.25;
        const QByteArray bytes = Written([&](TWriter& w) {
            g->WriteData(w);
            w.WriteInteger(4711); // whatever follows the record
        });
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        TReader reader(buffer);
        auto back = NewOfSameClass(*g);
        back->ReadData(reader);
        EXPECT_EQ(reader.ReadInteger(), 4711);
        EXPECT_EQ(back->Product->ArtikelNr.Text(), "A-17");
        EXPECT_DOUBLE_EQ(back->W(), 12.5);
        EXPECT_DOUBLE_EQ(back->L(), 100);
        EXPECT_EQ(back->LattenGenID, 7);
        if (auto* v = dynamic_cast<TVerzahnGen*>(back.get())) {
            EXPECT_EQ(v->fVerzahnung, 37.25);
        }
    }
}

TEST(CompositeRecordTest, InterlockingTailIsTheRawLength) {
    TVerzahnGen v;
    TParkettGen p;
    v.Product->VLaenge = p.Product->VLaenge = 100;
    v.LattenGenID = p.LattenGenID = 3;
    v.fVerzahnung = 37.25;
    const QByteArray withTail = Written([&](TWriter& w) { v.WriteData(w); });
    const QByteArray without = Written([&](TWriter& w) { p.WriteData(w); });
    const QByteArray raw = Written([](TWriter& w) { w.WriteRawDouble(37.25); });
    EXPECT_EQ(withTail, without + raw);
}

TEST(CompositePropertyTest, InterlockingLengthRange) {
    TVerzahnGen g;
    g.Product->VLaenge = 100;
    TPropertyList props = g.Properties();
    ASSERT_EQ(props.size(), 1u);
    TPublishedProperty& p = props[0];
    EXPECT_EQ(p.Name, "Verzahnung");
    EXPECT_EQ(p.Kind, TPropertyKind::Real);
    EXPECT_EQ(p.Min, 2);
    EXPECT_EQ(p.Max, 98);
    EXPECT_EQ(p.Default, 20);
    EXPECT_EQ(p.Get(), 20);

    const QString message =
        QString::fromUtf8("Die Verzahnungslänge muß zwischen 2,0 cm und 98,0 cm liegen.");
    for (double refused : {1.9, 98.01, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        try {
            p.Set(refused);
            ADD_FAILURE() << refused << " accepted";
        } catch (const EPropertyError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(g.fVerzahnung, 20);
    }
    for (double accepted : {2.0, 98.0, 35.5}) {
        p.Set(accepted);
        EXPECT_EQ(g.fVerzahnung, accepted);
    }
    SetPropertyText(p, "12,5");
    EXPECT_EQ(g.fVerzahnung, 12.5);

    // The range follows the article; the message names it.
    g.Product->VLaenge = 400;
    EXPECT_THROW(g.SetVerzahnung(400), EPropertyError);
    try {
        g.SetVerzahnung(1);
    } catch (const EPropertyError& e) {
        EXPECT_EQ(
            e.Message(),
            QString::fromUtf8("Die Verzahnungslänge muß zwischen 2,0 cm und 398,0 cm liegen."));
    }
    // A shorter article leaves the current value out of range; setting it again does nothing.
    g.SetVerzahnung(300);
    g.Product->VLaenge = 100;
    EXPECT_NO_THROW(g.Properties()[0].Set(300));
    EXPECT_EQ(g.fVerzahnung, 300);
}

TEST(CompositePropertyTest, AssignCopiesTheLengthAndOnlyInterlockingPublishesIt) {
    TVerzahnGen source;
    source.Product->VLaenge = 250;
    source.fVerzahnung = 61;
    source.LattenGenID = 9;
    TVerzahnGen target;
    target.Assign(source);
    EXPECT_EQ(target.fVerzahnung, 61);
    EXPECT_EQ(target.LattenGenID, 9);
    EXPECT_EQ(target.L(), 250);
    EXPECT_EQ(dynamic_cast<TVerzahnGen&>(*source.Clone()).fVerzahnung, 61);
    EXPECT_TRUE(TWuerfelVersatzGen().Properties().empty());
    EXPECT_TRUE(TParkettGen().Properties().empty());
    EXPECT_TRUE(TFischgraetGen().Properties().empty());
}

// --- Coverage --------------------------------------------------------------------------------

struct TConfig {
    const char* Name;
    const char* Kind;
    double W, L;
    std::int32_t Typ;
    double Verzahnung;
};

struct TOutline {
    const char* Name;
    TRing Ring;
    std::vector<TRing> Holes;
};

enum class TStart { AtContour, BeforeArea };

const TConfig kConfigs[] = {
    {"Verzahnen20", "Verzahnen", 10, 100, ptPaneel, 20},
    {"Verzahnen2", "Verzahnen", 10, 100, ptPaneelFeder, 2},
    {"Verzahnen98", "Verzahnen", 10, 100, ptPaneel, 98},
    {"Verzahnen398", "Verzahnen", 14.5, 400, ptPaneel, 398},
    {"Wuerfel10x30", "Würfel", 10, 30, ptPaneel, 0},
    {"Wuerfel12x100", "Würfel", 12.5, 100, ptPaneel, 0},
    {"Parkett18x220", "Parkett", 18, 220, ptParkett, 0},
    {"Fisch7x50", "Fischgrät", 7, 50, ptPaneel, 0},
    {"Fisch10x100", "Fischgrät", 10, 100, ptPaneel, 0},
    {"Fisch20x40", "Fischgrät", 20, 40, ptPaneel, 0},
};

const TOutline kOutlines[] = {
    {"Rechteck", {{0, 0}, {300, 0}, {300, 200}, {0, 200}}, {}},
    {"LForm", {{0, 0}, {300, 0}, {300, 100}, {140, 100}, {140, 260}, {0, 260}}, {}},
    {"Dreieck", {{0, 0}, {260, 0}, {70, 210}}, {}},
    {"MitLoch",
     {{0, 0}, {250, 0}, {250, 250}, {0, 250}},
     {{{80, 90}, {170, 90}, {170, 160}, {80, 160}}}},
    // Small areas: the frame hardly moves back, so the index ranges get no slack.
    {"Klein", {{0, 0}, {60, 0}, {60, 60}, {0, 60}}, {}},
    {"Knapp", {{0, 0}, {30.4, 0}, {30.4, 30.4}, {0, 30.4}}, {}},
    {"Winzig", {{0, 0}, {17, 0}, {17, 17}, {0, 17}}, {}},
};

const double kDirections[] = {90, 0, 30, 117};

using TCoverageParam = std::tuple<int, int, double, TStart>;

class CompositeCoverageTest : public ::testing::TestWithParam<TCoverageParam> {};

TEST_P(CompositeCoverageTest, EveryPointOnExactlyOneBoard) {
    const auto [configIndex, outlineIndex, degrees, start] = GetParam();
    const TConfig& c = kConfigs[configIndex];
    const TOutline& o = kOutlines[outlineIndex];
    auto plan = PlanWithArea(o.Ring, o.Holes);
    TShape& area = FirstArea(*plan);
    auto g = MakeGen(QString::fromUtf8(c.Kind), c.W, c.L, c.Typ);
    ASSERT_TRUE(g->Possible(*g->Product));
    if (auto* v = dynamic_cast<TVerzahnGen*>(g.get())) v->SetVerzahnung(c.Verzahnung);

    const double rad = degrees * std::numbers::pi / 180;
    const double rx = degrees == 90 ? 0 : std::cos(rad);
    const double ry = degrees == 0 ? 0 : std::sin(rad);
    double sx = o.Ring[0].x, sy = o.Ring[0].y;
    if (start == TStart::BeforeArea) {
        // Every contour point strictly ahead along e_L = (rx, ry) and e_S = (ry, -rx).
        double minL = 1e300, minS = 1e300;
        for (const Tgpc_vertex& p : o.Ring) {
            minL = std::min(minL, p.x * rx + p.y * ry);
            minS = std::min(minS, p.x * ry - p.y * rx);
        }
        minL -= 0.5;
        minS -= 0.5;
        sx = minL * rx + minS * ry;
        sy = minL * ry - minS * rx;
    }
    const TGraphicObjectList boards = Lay(*g, area, sx, sy, rx, ry);

    const TCoverage cov =
        CheckCoverage(area, boards, std::min(3.0, std::sqrt(area.Flaeche() * 10000) / 10));
    EXPECT_GT(cov.Samples, 80);
    EXPECT_EQ(cov.Uncovered, 0);
    EXPECT_EQ(cov.Multiple, 0);
    EXPECT_EQ(cov.OverlapPairs, 0);

    // Runaway ranges: the pattern fills the window [-0.45·dx, 1.45·dx]² about once, with at
    // most a block or two more at each end; the area alone is no yardstick, as the frame moves
    // back by whole periods, up to 2·L.
    const double window = 1.9 * g->dx + 4 * c.L;
    if (std::string(c.Kind) != "Parkett")
        EXPECT_LE(double(boards.size()), 1.25 * window * window / (c.W * c.L));
    else // three strips per row
        EXPECT_LE(double(boards.size()), 3 * (1.9 * g->dy / c.W + 3));
}

std::string CoverageName(const testing::TestParamInfo<TCoverageParam>& Info) {
    const auto [configIndex, outlineIndex, degrees, start] = Info.param;
    return std::string(kConfigs[configIndex].Name) + "_" + kOutlines[outlineIndex].Name + "_" +
           std::to_string(int(degrees)) + (start == TStart::AtContour ? "_Kontur" : "_Davor");
}

INSTANTIATE_TEST_SUITE_P(Patterns, CompositeCoverageTest,
                         testing::Combine(testing::Range(0, int(std::size(kConfigs))),
                                          testing::Range(0, int(std::size(kOutlines))),
                                          testing::ValuesIn(kDirections),
                                          testing::Values(TStart::AtContour, TStart::BeforeArea)),
                         CoverageName);

} // namespace
