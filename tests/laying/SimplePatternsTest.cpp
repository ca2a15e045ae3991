// The simple patterns as a family: constants, which articles they lay, records, copies, the
// single piece, and the laying properties every full-coverage pattern must have (the area
// covered once, no overlaps, a sane board count, rows in phase with the laying start point).

#include "laying/SimplePatterns.h"

#include "PatternCoverage.h"
#include "PatternTestSupport.h"
#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "laying/OffsetPatterns.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace {

using TFactory = std::function<std::unique_ptr<TPatternGenerator>()>;

template <class T>
TFactory Make() {
    return [] { return std::make_unique<T>(); };
}

QByteArray Written(const TPatternGenerator& g) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer);
    g.WriteData(writer);
    writer.FlushBuffer();
    return bytes;
}

// --- Constants and articles -------------------------------------------------------------------

struct TConstants {
    TFactory Create;
    const char* Name;
    int BitMapIndex;
    int LattenGenID;
    std::array<std::int32_t, 10> Prefered;
    std::vector<std::int32_t> Types; // article types Possible accepts
};

std::vector<TConstants> AllSimplePatterns() {
    const std::array<std::int32_t, 10> offset{1, 2, 3, 8, 10, 11};
    const std::vector<std::int32_t> allButParquet{0, 1, 2, 10, 11, 20, 21, 30, 40, 50};
    return {
        {Make<TProfilHolzGen>(), "Profilholz", 0, 1, {1, 2, 3, 4, 5, 6, 7, 8, 10, 11}, {0}},
        {Make<TSinglePanelGen>(), "Einzelstück", 1, 0, {}, {1, 2, 40}},
        {Make<TVersatzGen>(), "Ohne Versatz", 2, 1, offset, allButParquet},
        {Make<THalbVersatzGen>(), "Halber Versatz", 3, 1, offset, allButParquet},
        {Make<TDrittelVersatzGen>(), "Drittel Versatz", 4, 1, offset, allButParquet},
        {Make<TViertelVersatzGen>(), "Viertel Versatz", 5, 1, offset, allButParquet},
        {Make<TLaengenVersatzGen>(), "Längenversatz", 6, 1, offset, {1, 2}},
        {Make<TWinkelVersatzGen>(), "Winkelversatz", 7, 1, offset, {1, 2}},
    };
}

TEST(SimplePatternsTest, ConstructorsCarryTheirConstants) {
    for (const TConstants& c : AllSimplePatterns()) {
        const auto g = c.Create();
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(g->Name, QString::fromUtf8(c.Name));
        EXPECT_EQ(g->BitMapIndex, c.BitMapIndex);
        EXPECT_EQ(g->LattenGenID, c.LattenGenID);
        EXPECT_EQ(g->PreferedLattenGenIDs, c.Prefered);
        EXPECT_EQ(g->CreateNew()->Name, g->Name);
    }
}

TEST(SimplePatternsTest, PossibleByTypeAndNeverWithoutPositiveSize) {
    const std::vector<std::int32_t> types{0, 1, 2, 3, 10, 11, 20, 21, 30, 40, 50};
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    for (const TConstants& c : AllSimplePatterns()) {
        const auto g = c.Create();
        SCOPED_TRACE(c.Name);
        for (std::int32_t typ : types) {
            TPaneele article;
            article.Typ = typ;
            article.VBreite = 14.5;
            article.VLaenge = 400;
            const bool expected = std::find(c.Types.begin(), c.Types.end(), typ) != c.Types.end();
            EXPECT_EQ(g->Possible(article), expected) << "type " << typ;
        }
        // A degenerate size is refused even for a type the pattern lays.
        for (auto [w, l] : {std::pair{0.0, 100.0},
                            {10.0, 0.0},
                            {-10.0, 100.0},
                            {10.0, -1.0},
                            {kNaN, 100.0},
                            {10.0, kNaN}}) {
            TPaneele article;
            article.Typ = c.Types.front();
            article.VBreite = w;
            article.VLaenge = l;
            EXPECT_FALSE(g->Possible(article)) << w << " x " << l;
        }
    }
}

TEST(SimplePatternsTest, SuitableLGComparesWithTheTenEntries) {
    TProfilHolzGen profil; // lists ten layouts: 0 is not among them
    EXPECT_TRUE(profil.SuitableLG(11));
    EXPECT_FALSE(profil.SuitableLG(9));
    EXPECT_FALSE(profil.SuitableLG(0));
    TVersatzGen versatz; // six layouts and four zeros
    EXPECT_TRUE(versatz.SuitableLG(8));
    EXPECT_FALSE(versatz.SuitableLG(4));
    EXPECT_TRUE(versatz.SuitableLG(0));
    EXPECT_TRUE(TSinglePanelGen().SuitableLG(0));
    EXPECT_FALSE(TSinglePanelGen().SuitableLG(1));
}

// --- Records and copies -----------------------------------------------------------------------

// Each generator with parameters away from their defaults.
std::vector<std::pair<const char*, TFactory>> ConfiguredGenerators() {
    return {
        {"profil", Make<TProfilHolzGen>()},
        {"single", Make<TSinglePanelGen>()},
        {"ohne", Make<TVersatzGen>()},
        {"halb", Make<THalbVersatzGen>()},
        {"drittel",
         [] {
             auto g = std::make_unique<TDrittelVersatzGen>();
             g->fSpiegeln = true;
             g->fAlternierend = true;
             return g;
         }},
        {"viertel",
         [] {
             auto g = std::make_unique<TViertelVersatzGen>();
             g->fAlternierend = true;
             return g;
         }},
        {"laenge",
         [] {
             auto g = std::make_unique<TLaengenVersatzGen>();
             g->fVersatzLaenge = 37.25;
             return g;
         }},
        {"winkel",
         [] {
             auto g = std::make_unique<TWinkelVersatzGen>();
             g->fVersatzWinkel = -63.5;
             return g;
         }},
    };
}

// The parameters that distinguish one generator of a class from another.
std::vector<double> Parameters(const TPatternGenerator& g) {
    if (const auto* v = dynamic_cast<const TVersatzGen*>(&g))
        return {v->Versatz, double(v->fSpiegeln), double(v->fAlternierend)};
    if (const auto* l = dynamic_cast<const TLaengenVersatzGen*>(&g)) return {l->fVersatzLaenge};
    if (const auto* w = dynamic_cast<const TWinkelVersatzGen*>(&g)) return {w->fVersatzWinkel};
    return {};
}

TEST(SimplePatternsTest, RecordsReadBackWhatWasWritten) {
    for (const auto& [label, make] : ConfiguredGenerators()) {
        SCOPED_TRACE(label);
        const auto original = make();
        SetArticle(*original, 19.5, 257, ptPaneelFeder);
        original->Product->Name.SetText(QStringLiteral("Eiche Landhaus"));
        original->LattenGenID = 8;
        const QByteArray bytes = Written(*original);

        const auto copy = NewOfSameClass(*original);
        QByteArray data = bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        TReader reader(buffer);
        copy->ReadData(reader);
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_EQ(copy->LattenGenID, 8);
        EXPECT_EQ(copy->Product->ArtikelNr.Text(), QStringLiteral("4711"));
        EXPECT_EQ(copy->Product->Name.Text(), QStringLiteral("Eiche Landhaus"));
        EXPECT_EQ(copy->W(), 19.5);
        EXPECT_EQ(copy->L(), 257);
        EXPECT_EQ(Parameters(*copy), Parameters(*original));
        EXPECT_EQ(Written(*copy), bytes);
    }
}

TEST(SimplePatternsTest, CloneCopiesTheParametersButNotTheFrameExtent) {
    for (const auto& [label, make] : ConfiguredGenerators()) {
        SCOPED_TRACE(label);
        const auto original = make();
        SetArticle(*original, 12, 240);
        original->LattenGenID = 3;
        original->dx = original->dy = 77;
        const auto copy = original->Clone();
        EXPECT_EQ(copy->Name, original->Name);
        EXPECT_EQ(copy->LattenGenID, 3);
        EXPECT_EQ(copy->L(), 240);
        EXPECT_EQ(Parameters(*copy), Parameters(*original));
        EXPECT_EQ(copy->dx, 0);
        EXPECT_EQ(copy->PreferedLattenGenIDs, NewOfSameClass(*original)->PreferedLattenGenIDs);
    }
}

// --- Profile timber ---------------------------------------------------------------------------

TEST(ProfilHolzGenTest, RowsOfWholeBoardsFromTheFrameOrigin) {
    auto plan = PlanWithArea({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    TProfilHolzGen g;
    SetArticle(g, 10, 100, ptProfilholz);
    EXPECT_EQ(g.PeriodeL(), 10);
    EXPECT_EQ(g.PeriodeS(), 100);
    TGraphicObjectList boards;
    Lay(g, FirstArea(*plan), 0, 0, 0, 1, boards);
    const TShape& area = FirstArea(*plan);
    EXPECT_NEAR(area.LegeVektor().x, -100.05, 1e-9);
    EXPECT_NEAR(area.LegeVektor().y, -10.05, 1e-9);
    EXPECT_NEAR(g.dx, 400.05, 1e-9);
    // Rows -1 - R(18.002) .. R(58.007), boards -1 - R(1.8) .. R(5.8) + 1: 78 rows of 11.
    ASSERT_EQ(boards.size(), 78u * 11u);
    const TGraphPaneel& first = Board(boards, 0);
    EXPECT_NEAR(first.P(0).x, -100.05 - 300, 1e-9);
    EXPECT_NEAR(first.P(0).y, -10.05 - 190, 1e-9);
    EXPECT_NEAR(first.P(1).x - first.P(0).x, 100, 1e-9);
    EXPECT_NEAR(first.P(3).y - first.P(0).y, 10, 1e-9);
    const TGraphPaneel& last = Board(boards, boards.size() - 1);
    EXPECT_NEAR(last.P(0).x, -100.05 + 700, 1e-9);
    EXPECT_NEAR(last.P(0).y, -10.05 + 580, 1e-9);
    EXPECT_EQ(last.ArtikelNr.Text(), QStringLiteral("4711"));
    EXPECT_EQ(last.Typ, ptProfilholz);
    EXPECT_EQ(last.ParentShape, &area);
}

// --- Single piece -----------------------------------------------------------------------------

class SinglePanelGenTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = g.RandomDigit;
        g.RandomDigit = [this] { return digits.at(next++ % digits.size()); };
        SetArticle(g, 20, 60);
    }

    std::function<int()> saved;
    std::vector<int> digits{0, 9, 7, 3, 5, 5};
    size_t next = 0;
    std::unique_ptr<TPlanDocument> plan = PlanWithArea({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    TSinglePanelGen g;
};

TEST_F(SinglePanelGenTest, OnePieceNearTheStartPointInTheLayingFrame) {
    TGraphicObjectList layer;
    Lay(g, FirstArea(*plan), 120, 80, 0, 2, layer);
    const TShape& area = FirstArea(*plan);
    EXPECT_EQ(area.LegeVektor().x, 120); // not moved back
    EXPECT_EQ(area.SymetrieVek().y, 80);
    EXPECT_NEAR(g.dx, 180, 1e-9); // the corner (300, 0) from the line x = 120
    ASSERT_EQ(layer.size(), 1u);
    const TGraphPaneel& piece = Board(layer, 0);
    EXPECT_NEAR(piece.P(0).x, 120 - 5, 1e-9);
    EXPECT_NEAR(piece.P(0).y, 80 + 4, 1e-9);
    EXPECT_NEAR(piece.P(1).x, 115 + 60, 1e-9); // length along e_S = (1, 0)
    EXPECT_NEAR(piece.P(3).y, 84 + 20, 1e-9);  // width along e_L = (0, 1)
}

TEST_F(SinglePanelGenTest, LaidThreeTimesOnRequestLeavesThreePieces) {
    TGraphicObjectList layer;
    for (int i = 0; i < 3; ++i) {
        g.RequestPiece();
        Lay(g, FirstArea(*plan), 50, 50, 1, 0, layer);
    }
    ASSERT_EQ(layer.size(), 3u);
    EXPECT_FALSE(g.PieceRequested());
    EXPECT_NEAR(Board(layer, 0).P(0).x, 45, 1e-9);
    EXPECT_NEAR(Board(layer, 1).P(0).x, 52, 1e-9);
    EXPECT_NEAR(Board(layer, 2).P(0).x, 50, 1e-9);
}

TEST_F(SinglePanelGenTest, AutomaticReLayingDoesNotMultiplyThePiece) {
    TGraphicObjectList layer;
    // A hand-placed board of another article does not count as the piece.
    layer.push_back(std::make_unique<TGraphPaneel>(nullptr, nullptr, QStringLiteral("999"), 1,
                                                   TVektor(0, 0, 10, 0), TVektor(0, 0, 0, 5),
                                                   QString(), 0));
    Lay(g, FirstArea(*plan), 50, 50, 0, 1, layer); // first laying: the piece appears
    ASSERT_EQ(layer.size(), 2u);
    for (int i = 0; i < 3; ++i)
        Lay(g, FirstArea(*plan), 50, 50, 0, 1, layer); // re-laying after a catalogue edit
    EXPECT_EQ(layer.size(), 2u);
    g.RequestPiece();
    Lay(g, FirstArea(*plan), 50, 50, 0, 1, layer);
    EXPECT_EQ(layer.size(), 3u);
    layer.clear();
    Lay(g, FirstArea(*plan), 50, 50, 0, 1, layer); // an emptied layer gets its piece again
    EXPECT_EQ(layer.size(), 1u);
}

TEST_F(SinglePanelGenTest, DefaultRandomSourceStaysWithinZeroToNine) {
    const std::function<int()> fromProgram = saved;
    for (int i = 0; i < 500; ++i) {
        const int r = fromProgram();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 9);
    }
}

// --- Full coverage ----------------------------------------------------------------------------

struct TLayCase {
    const char* Label;
    TFactory Create;
    double W, L;
    std::int32_t Typ = ptPaneel;
};

template <class T>
TFactory Offset(bool Alternierend, bool Spiegeln) {
    return [=] {
        auto g = std::make_unique<T>();
        g->fAlternierend = Alternierend;
        g->fSpiegeln = Spiegeln;
        return g;
    };
}

TFactory Laenge(double s) {
    return [=] {
        auto g = std::make_unique<TLaengenVersatzGen>();
        g->fVersatzLaenge = s;
        return g;
    };
}

TFactory Winkel(double degrees) {
    return [=] {
        auto g = std::make_unique<TWinkelVersatzGen>();
        g->fVersatzWinkel = degrees;
        return g;
    };
}

std::vector<TLayCase> FullCoverageCases() {
    return {
        {"Profilholz", Make<TProfilHolzGen>(), 10, 100, ptProfilholz},
        {"ProfilholzLong", Make<TProfilHolzGen>(), 14.5, 400, ptProfilholz},
        {"Ohne", Make<TVersatzGen>(), 10, 100},
        {"Halb", Make<THalbVersatzGen>(), 14.5, 130},
        {"Drittel", Offset<TDrittelVersatzGen>(false, false), 10, 100},
        {"DrittelAlt", Offset<TDrittelVersatzGen>(true, false), 12, 90},
        {"DrittelMirror", Offset<TDrittelVersatzGen>(false, true), 10, 300},
        {"DrittelAltMirror", Offset<TDrittelVersatzGen>(true, true), 14.5, 400},
        {"Viertel", Offset<TViertelVersatzGen>(false, false), 10, 100},
        {"ViertelAlt", Offset<TViertelVersatzGen>(true, false), 12, 160},
        {"ViertelMirror", Offset<TViertelVersatzGen>(false, true), 14.5, 400},
        {"ViertelAltMirror", Offset<TViertelVersatzGen>(true, true), 10, 100},
        {"Laenge2", Laenge(2), 10, 100},
        {"Laenge20", Laenge(20), 10, 100},
        {"Laenge57", Laenge(57.3), 14.5, 100},
        {"Laenge99", Laenge(99), 10, 100},
        {"Laenge399", Laenge(399), 14.5, 400},
        {"Winkel45", Winkel(45), 10, 100},
        {"Winkel10", Winkel(10), 14.5, 400},
        {"WinkelMinus45", Winkel(-45), 10, 100},
        {"WinkelMinus60", Winkel(-60), 10, 100},
        {"Winkel89_9", Winkel(89.9), 10, 100},
        {"WinkelMinus89_9", Winkel(-89.9), 10, 100},
        {"WinkelMinus30", Winkel(-30), 14.5, 400},
    };
}

struct TOutline {
    const char* Name;
    TRing Ring;
    std::vector<TRing> Holes;
};

const std::vector<TOutline>& Outlines() {
    static const std::vector<TOutline> outlines{
        {"rectangle", {{0, 0}, {300, 0}, {300, 200}, {0, 200}}, {}},
        {"L-shape", {{0, 0}, {300, 0}, {300, 120}, {140, 120}, {140, 260}, {0, 260}}, {}},
        {"triangle", {{0, 0}, {320, 0}, {90, 230}}, {}},
        {"hole",
         {{0, 0}, {300, 0}, {300, 240}, {0, 240}},
         {{{90, 70}, {200, 70}, {200, 150}, {90, 150}}}},
    };
    return outlines;
}

class FullCoverageTest : public ::testing::TestWithParam<TLayCase> {};

TEST_P(FullCoverageTest, EverySamplePointOnExactlyOneBoard) {
    const TLayCase& c = GetParam();
    for (const TOutline& o : Outlines()) {
        const double degrees[] = {90, 0, 30, 117};
        for (size_t d = 0; d < std::size(degrees); ++d) {
            SCOPED_TRACE(testing::Message() << o.Name << ", direction " << degrees[d] << "°");
            auto plan = PlanWithArea(o.Ring, o.Holes);
            TShape& area = FirstArea(*plan);
            const auto g = c.Create();
            SetArticle(*g, c.W, c.L, c.Typ);
            const Tgpc_vertex& start = o.Ring[d % o.Ring.size()];
            const double a = degrees[d] * std::numbers::pi / 180;
            TGraphicObjectList boards;
            Lay(*g, area, start.x, start.y, std::cos(a), std::sin(a), boards);

            double x1, y1, x2, y2;
            area.GetExtent(x1, y1, x2, y2);
            // Rows and boards reach about twice the area's extent each way, measured from an
            // origin up to one period behind the area, plus a few boards at the row ends; far
            // more means a runaway index range.
            const double reach = std::hypot(x2 - x1, y2 - y1) + std::max(c.W, c.L);
            const double bound = 4 * (reach / c.W + 2) * (reach / c.L + 2);
            EXPECT_LE(double(boards.size()), bound);
            EXPECT_GE(double(boards.size()), area.Flaeche() * 10000 / (c.W * c.L));

            // Only boards meeting the area's box take part: the overlap check is quadratic.
            TGraphicObjectList nearArea;
            for (auto& b : boards) {
                double bx1, by1, bx2, by2;
                b->GetExtent(bx1, by1, bx2, by2);
                if (bx2 > x1 && bx1 < x2 && by2 > y1 && by1 < y2) nearArea.push_back(std::move(b));
            }
            const TCoverage cover = CheckCoverage(area, nearArea, 3);
            EXPECT_GT(cover.Samples, 2000);
            EXPECT_EQ(cover.Uncovered, 0);
            EXPECT_EQ(cover.Multiple, 0);
            EXPECT_EQ(cover.OverlapPairs, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SimplePatterns, FullCoverageTest, ::testing::ValuesIn(FullCoverageCases()),
                         [](const auto& param) { return std::string(param.param.Label); });

} // namespace
