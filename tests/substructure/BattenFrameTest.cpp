// The framework every layout uses: the inset contour, cutting lines and segments to it, the
// clearance test, adding battens in a polygon, the spacing setter and the article check.

#include "catalogue/Paneele.h"
#include "geometry/InsetContour.h"
#include "substructure/LattenGeneratoren.h"

#include "SubstructureTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Tgpc_polygon Polygon(const TOutline& outline, const std::vector<TOutline>& holes = {}) {
    Tgpc_polygon p;
    Tgpc_vertex_list c;
    c.vertex = outline;
    p.AddContour(c, false);
    for (const TOutline& h : holes) {
        c.vertex = h;
        p.AddContour(c, true);
    }
    return p;
}

std::vector<TVektor> EdgesOf(const Tgpc_polygon& p) {
    std::vector<TVektor> edges;
    for (const auto& c : p.contour)
        for (size_t j = 0; j < c.vertex.size(); ++j) {
            const Tgpc_vertex& a = c.vertex[j];
            const Tgpc_vertex& b = c.vertex[(j + 1) % c.vertex.size()];
            edges.emplace_back(a.x, a.y, b.x, b.y);
        }
    return edges;
}

// Battens along +x; the offset of a line is minus its y (S = (0, -1)) from an origin at
// (-100, -100).
void FrameAlongX(TLattenGenerator& g) {
    g.VerlattVekL = TVektor(-100, -100, -99, -100);
    g.VerlattVekS = TVektor(-100, -100, -100, -101);
}

double OffsetOfY(double y) {
    return -(y + 100);
}

// An area far larger than any frame of these tests: no piece lies outside it.
std::unique_ptr<TShape> Everywhere() {
    return MakeArea(Rect(-1000, -1000, 1000, 1000));
}

// The pieces FinalizeVerlattung cuts from the lines at the given heights.
std::vector<TVektor> CutAt(const Tgpc_polygon& frame, std::initializer_list<double> ys) {
    TLattenGenerator g;
    FrameAlongX(g);
    g.HelperFramePolygon = frame;
    g.HelperFrameList = EdgesOf(frame);
    for (double y : ys)
        g.LattenAbstand.Add(OffsetOfY(y));
    std::vector<TVektor> battens;
    g.FinalizeVerlattung(*Everywhere(), battens);
    return battens;
}

class BattenFrame : public TSubstructureTest {};

// --- Crossings through vertices ---------------------------------------------------------------

TEST_F(BattenFrame, LinesThroughVerticesKeepTheirParity) {
    // A crown: its two notches end in vertices at y = 50, its three tips touch y = 100.
    const Tgpc_polygon crown =
        Polygon({{0, 0}, {100, 0}, {100, 100}, {75, 50}, {50, 100}, {25, 50}, {0, 100}});
    // Touching the notches: the whole width is inside (a lone crossing there would leave out
    // the middle or put a batten across a notch).
    const std::vector<TVektor> notches = CutAt(crown, {50});
    EXPECT_NEAR(TotalLength(notches), 100, 1e-9);
    for (const TVektor& v : notches) {
        EXPECT_GE(std::min(v.x, v.EndX()), -1e-9);
        EXPECT_LE(std::max(v.x, v.EndX()), 100 + 1e-9);
    }
    // Touching only the tips: nothing.
    EXPECT_NEAR(TotalLength(CutAt(crown, {100})), 0, 1e-9);
    // Through the side vertices of a diamond, where the contour crosses: one batten.
    const Tgpc_polygon diamond = Polygon({{0, 50}, {50, 0}, {100, 50}, {50, 100}});
    ExpectSameSegments(CutAt(diamond, {50}), {{0, 50, 100, 50}});
    // A line running along an edge and on through a vertex: inside only between 25 and 75.
    const Tgpc_polygon step =
        Polygon({{0, 0}, {100, 0}, {100, 40}, {75, 40}, {75, 60}, {25, 60}, {25, 40}, {0, 40}});
    ExpectSameSegments(CutAt(step, {50}), {{25, 50, 75, 50}});
}

TEST_F(BattenFrame, SegmentsAreCutToTheInsetAndLineBattensStayInTheArea) {
    auto shape = MakeArea(Rect(0, 0, 300, 200), {Rect(100, 50, 200, 150)});
    TLattenGenerator g;
    FrameAlongX(g);
    g.HelperFrameList = g.CreateHelperFrameList(*shape);
    // Across the hole, starting outside the area, ending inside.
    g.UKVektorList = {TVektor(-50, 100, 150, 100), TVektor(250, 20, 250, 180)};
    std::vector<TVektor> battens;
    g.FinalizeVerlattung(*shape, battens);
    ExpectSameSegments(battens, {{3, 100, 97, 100}, {250, 20, 250, 180}});
    EXPECT_TRUE(g.UKVektorList.empty());
}

TEST_F(BattenFrame, PiecesWhoseMiddleLiesOutsideTheAreaAreDropped) {
    // A frame larger than the area (as a folded inset would be): only the part over the area.
    auto shape = MakeArea(Rect(0, 0, 100, 100));
    TLattenGenerator g;
    FrameAlongX(g);
    const Tgpc_polygon frame = Polygon(Rect(-10, 10, 110, 90), {Rect(40, 40, 60, 60)});
    g.HelperFramePolygon = frame;
    g.HelperFrameList = EdgesOf(frame);
    g.LattenAbstand.Add(OffsetOfY(50));
    g.LattenAbstand.Add(OffsetOfY(120)); // misses the frame
    std::vector<TVektor> battens;
    g.FinalizeVerlattung(*shape, battens);
    // (-10..40) and (60..110) have their middles at 15 and 85: inside the area.
    ExpectSameSegments(battens, {{-10, 50, 40, 50}, {60, 50, 110, 50}});
    g.LattenAbstand.Clear();
    const Tgpc_polygon wide = Polygon(Rect(-200, 10, -20, 90));
    g.HelperFrameList = EdgesOf(wide);
    g.LattenAbstand.Add(OffsetOfY(50));
    battens.clear();
    g.FinalizeVerlattung(*shape, battens);
    EXPECT_TRUE(battens.empty());
}

// --- Inset contour ----------------------------------------------------------------------------

TEST_F(BattenFrame, InsetOfAPlainAreaIsTheMitredOffset) {
    const TInsetContour inset = CreateInsetContour(Polygon(Rect(0, 0, 300, 200)), 3);
    EXPECT_FALSE(inset.Repaired);
    ASSERT_EQ(inset.Polygon.num_contours(), 1);
    EXPECT_EQ(inset.Polygon.contour[0].vertex,
              (std::vector<Tgpc_vertex>{{3, 3}, {297, 3}, {297, 197}, {3, 197}}));
    ExpectSameSegments(inset.Edges, RectEdges(3, 3, 297, 197));
    // A hole grows by the distance.
    const TInsetContour holed =
        CreateInsetContour(Polygon(Rect(0, 0, 300, 200), {Rect(100, 50, 200, 150)}), 3);
    EXPECT_FALSE(holed.Repaired);
    ASSERT_EQ(holed.Polygon.num_contours(), 2);
    EXPECT_NE(holed.Polygon.hole[1], 0);
    ExpectSameSegments(holed.Edges, RectEdges(3, 3, 297, 197) + RectEdges(97, 47, 203, 153));
}

TEST_F(BattenFrame, InsetThatWouldLeaveTheAreaIsRepaired) {
    struct TCase {
        const char* name;
        Tgpc_polygon area;
    };
    const TCase cases[] = {
        {"spike",
         Polygon({{0, 0}, {300, 0}, {300, 150}, {152, 150}, {151, 250}, {150, 150}, {0, 150}})},
        {"corridor", Polygon({{0, 0},
                              {200, 0},
                              {200, 98},
                              {400, 98},
                              {400, 102},
                              {200, 102},
                              {200, 200},
                              {0, 200}})},
        {"hole near border", Polygon(Rect(0, 0, 300, 200), {Rect(100, 1, 200, 100)})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TInsetContour inset = CreateInsetContour(c.area, 3);
        EXPECT_TRUE(inset.Repaired);
        ASSERT_GT(inset.Polygon.num_contours(), 0);
        for (const auto& contour : inset.Polygon.contour)
            for (const Tgpc_vertex& v : contour.vertex) {
                EXPECT_TRUE(PointInGPCPolygon(c.area, v.x, v.y)) << v.x << ", " << v.y;
                for (const TVektor& e : EdgesOf(c.area))
                    EXPECT_GE(DistanceToSegment(v.x, v.y, {e.x, e.y}, {e.EndX(), e.EndY()}),
                              3 - 1e-6);
            }
    }
}

TEST_F(BattenFrame, NothingLeftAfterTheInsetGivesAnEmptyContour) {
    for (const Tgpc_polygon& area :
         {Polygon(Rect(0, 0, 5, 5)), Polygon(Rect(0, 0, 6, 6)), Polygon(Rect(0, 0, 1000, 4)),
          Polygon({{0, 0}, {100, 0}, {50, 4}}), Tgpc_polygon()}) {
        const TInsetContour inset = CreateInsetContour(area, 3);
        EXPECT_EQ(inset.Polygon.num_contours(), 0);
        EXPECT_TRUE(inset.Edges.empty());
    }
}

// --- Clearance test and added battens ---------------------------------------------------------

TEST_F(BattenFrame, FitsInVerlattungRefusesBattensThroughTheMiddleBand) {
    auto shape = MakeArea(Rect(-100, -100, 200, 100));
    const TVektor candidate(0, 0, 100, 0);
    struct TCase {
        const char* name;
        TVektor existing;
        bool fits;
    };
    const TCase cases[] = {
        {"square across the middle", TVektor(50, -10, 50, 10), false},
        {"square near the start", TVektor(10, -10, 10, 10), true},
        {"square near the end", TVektor(90, -10, 90, 10), true},
        {"parallel inside the band", TVektor(0, 2, 100, 2), false},
        {"parallel outside the band", TVektor(0, 10, 100, 10), true},
        {"short, inside the band only", TVektor(50, -3, 50, 3), true},
        {"ending in the band", TVektor(50, -10, 50, 0), true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        shape->DeleteVerlattung();
        shape->AddVerlattung(QStringLiteral("A"), {});
        shape->AddVerlattung(QStringLiteral("B"), {c.existing});
        EXPECT_EQ(TLattenGenerator::FitsInVerlattung(*shape, candidate, 5), c.fits);
    }
    shape->DeleteVerlattung();
    EXPECT_TRUE(TLattenGenerator::FitsInVerlattung(*shape, candidate, 5));
}

TEST_F(BattenFrame, AddVerlattungKeepsPiecesLongerThanTenCentimetres) {
    const auto shape = Everywhere();
    TLattenGenerator g;
    FrameAlongX(g);
    TDoubleArray at;
    at.Add(OffsetOfY(25));
    std::vector<TVektor> battens;
    g.AddVerlattung(*shape, battens, at, Polygon(Rect(0, 0, 10, 50)), 0);
    EXPECT_TRUE(battens.empty());
    g.AddVerlattung(*shape, battens, at, Polygon(Rect(0, 0, 10.01, 50)), 0);
    ExpectSameSegments(battens, {{0, 25, 10.01, 25}});
    // Several contours and unsorted offsets: in offset order, cut at the hole.
    battens.clear();
    TDoubleArray two;
    two.Add(OffsetOfY(10));
    two.Add(OffsetOfY(25));
    g.AddVerlattung(*shape, battens, two, Polygon(Rect(0, 0, 100, 50), {Rect(40, 20, 60, 30)}), 0);
    ExpectSameSegments(battens, {{0, 10, 100, 10}, {0, 25, 40, 25}, {60, 25, 100, 25}});
}

TEST_F(BattenFrame, AddVerlattungAsksTheClearanceTestFromATenthOn) {
    auto shape = MakeArea(Rect(-50, -50, 150, 150));
    shape->AddVerlattung(QStringLiteral("A"), {TVektor(50, 0, 50, 50)});
    TLattenGenerator g;
    FrameAlongX(g);
    TDoubleArray at;
    at.Add(OffsetOfY(25));
    std::vector<TVektor> battens;
    g.AddVerlattung(*shape, battens, at, Polygon(Rect(0, 0, 100, 50)), 0.1);
    EXPECT_TRUE(battens.empty());
    g.AddVerlattung(*shape, battens, at, Polygon(Rect(0, 0, 100, 50)), 0.09);
    EXPECT_EQ(battens.size(), 1u);
}

// --- Spacing and article ----------------------------------------------------------------------

TEST_F(BattenFrame, MaxLattenAbstandAcceptsOneToTwoHundred) {
    TLattenGenerator g;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double refused : {200.5, -1.0, 0.0, 0.99, nan, inf, -inf}) {
        SCOPED_TRACE(refused);
        g.fMaxLattenAbstand = 45;
        try {
            g.SetMaxLattenAbstand(refused);
            ADD_FAILURE() << "accepted";
        } catch (const EPropertyError& e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("Der maximale Lattenabstand muß zwischen 1 cm und 200 cm "
                                     "liegen"));
        }
        EXPECT_EQ(g.fMaxLattenAbstand, 45);
    }
    for (double accepted : {200.0, 1.0, 37.5}) {
        g.SetMaxLattenAbstand(accepted);
        EXPECT_EQ(g.fMaxLattenAbstand, accepted);
    }
    // The published property goes through the setter.
    TPropertyList properties = g.Properties();
    ASSERT_EQ(properties.size(), 1u);
    TPublishedProperty& p = properties[0];
    EXPECT_EQ(p.Name, QStringLiteral("A_MaxLattenAbstand"));
    EXPECT_EQ(p.Min, 1);
    EXPECT_EQ(p.Max, 200);
    EXPECT_EQ(p.Default, 60);
    SetPropertyText(p, QStringLiteral("55,5"));
    EXPECT_EQ(g.fMaxLattenAbstand, 55.5);
    EXPECT_THROW(SetPropertyText(p, QStringLiteral("0.5")), EPropertyError);
    EXPECT_EQ(p.Get(), 55.5);
}

TEST_F(BattenFrame, InitTakesTheBoardsBattenArticleAndAnAcceptedSpacing) {
    TPaneele board;
    board.LattenNr.SetText(QStringLiteral("L-40"));
    board.Lattenabstand = 45;
    TLattenGenerator g;
    g.Init(board);
    EXPECT_EQ(g.LattenArtNr.Text(), QStringLiteral("L-40"));
    EXPECT_EQ(g.fMaxLattenAbstand, 45);
    // A board asking for no spacing would give no battens at all: the spacing stays.
    for (double spacing : {0.0, 0.5, 250.0, std::numeric_limits<double>::quiet_NaN()}) {
        board.Lattenabstand = spacing;
        g.Init(board);
        EXPECT_EQ(g.fMaxLattenAbstand, 45);
    }
}

TEST_F(BattenFrame, UpdateChecksTheBattenArticle) {
    AddArticle(ptLatte, QStringLiteral("L1"), QStringLiteral("Latte"));
    AddArticle(ptPaneel, QStringLiteral("P1"), QStringLiteral("Brett"));
    TLattenGenerator g;
    g.LattenArtNr.SetText(QStringLiteral("L1"));
    EXPECT_TRUE(g.Update(Context));
    EXPECT_TRUE(Messages.isEmpty());
    g.LattenArtNr.SetText(QStringLiteral("P1"));
    EXPECT_FALSE(g.Update(Context));
    g.LattenArtNr.SetText(QStringLiteral("X9"));
    EXPECT_FALSE(g.Update(Context));
    EXPECT_EQ(Messages, (QStringList{
                            QStringLiteral("Artikel Nr.:P1 ist keine Leiste. Unterkonstruktion "
                                           "nicht möglich"),
                            QStringLiteral("Artikel Nr.:X9 nicht gefunden."),
                        }));
}

TEST_F(BattenFrame, PrototypesSitAtTheirIdentifiers) {
    const TLattenGeneratorList list = CreateLattenGeneratorPrototypes();
    const struct {
        int id;
        const char* className;
        double spacing;
    } expected[] = {{0, "TLattenGenerator", 60},
                    {1, "TLattenGeneratorLaengs", 60},
                    {2, "TLattenGeneratorLaengsStirn", 60},
                    {3, "TLattenGeneratorLaengsStirnDoppelt", 60},
                    {4, "TLattenGeneratorQuer", 60},
                    {5, "TLattenGeneratorQuerStirn", 60},
                    {6, "TLattenGeneratorLaengsStirnPlusHalb", 60},
                    {7, "TLattenGeneratorLaengsStirnDoppeltPlusHalb", 60},
                    {9, "TLattenGeneratorLaengsStirnNurOhneRand", 150}};
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[8], nullptr);
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        const TLattenGenerator& g = *list[static_cast<size_t>(e.id)];
        EXPECT_EQ(g.BitMapIndex, e.id);
        EXPECT_EQ(g.ClassName(), QString::fromLatin1(e.className));
        EXPECT_EQ(g.fMaxLattenAbstand, e.spacing);
        EXPECT_EQ(g.CreateNew()->ClassName(), g.ClassName());
        // A clone keeps everything the list shows.
        const std::unique_ptr<TLattenGenerator> clone = g.Clone();
        EXPECT_EQ(clone->Name, g.Name);
        EXPECT_EQ(clone->BitMapIndex, e.id);
        ASSERT_NE(CreateLattenGeneratorForClass(g.ClassName()), nullptr);
    }
    EXPECT_EQ(list[1]->Name, QStringLiteral("Längs einfach"));
    EXPECT_EQ(list[9]->Name, QStringLiteral("Längs durch Stirnseiten nur/ohne Rand"));
    EXPECT_EQ(CreateLattenGeneratorForClass(QStringLiteral("TLattenGeneratorAlurail")), nullptr);
    EXPECT_EQ(LattenPrototype(list, 8), nullptr);
    EXPECT_EQ(LattenPrototype(list, 12), nullptr);
    EXPECT_EQ(LattenPrototype(list, -1), nullptr);
}

} // namespace
