#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

Tgpc_vertex_list Ring(std::initializer_list<Tgpc_vertex> vertices) {
    Tgpc_vertex_list c;
    c.vertex = vertices;
    return c;
}

Tgpc_vertex_list Rect(double x1, double y1, double x2, double y2) {
    return Ring({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

// The 100 x 100 square with the hole (25,25)-(75,75).
Tgpc_polygon SquareWithHole() {
    Tgpc_polygon p;
    p.AddContour(Rect(0, 0, 100, 100), false);
    p.AddContour(Rect(25, 25, 75, 75), true);
    return p;
}

Tgpc_polygon Single(const Tgpc_vertex_list& c) {
    Tgpc_polygon p;
    p.AddContour(c, false);
    return p;
}

} // namespace

// --- records -----------------------------------------------------------------------------

TEST(GPCPolygonRecord, NewAndInitBuildZeroedContoursAndReplaceOldContent) {
    const int counts[] = {3, 0, 5};
    Pgpc_polygon p = NewGPCPolygon(3, counts);
    ASSERT_EQ(p->num_contours(), 3);
    ASSERT_EQ(p->hole.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(p->contour[static_cast<std::size_t>(i)].num_vertices(), counts[i]);
        EXPECT_EQ(p->hole[static_cast<std::size_t>(i)], 0);
        for (const auto& v : p->contour[static_cast<std::size_t>(i)].vertex)
            EXPECT_EQ(v, (Tgpc_vertex{0, 0}));
    }
    EXPECT_EQ(NewGPCPolygon(0, nullptr)->num_contours(), 0);

    Tgpc_polygon embedded = SquareWithHole();
    const int two[] = {4};
    InitGPCPolygon(embedded, 1, two);
    ASSERT_EQ(embedded.num_contours(), 1);
    EXPECT_EQ(embedded.hole[0], 0);
    EXPECT_EQ(embedded.contour[0].vertex[2], (Tgpc_vertex{0, 0}));

    EXPECT_THROW(InitGPCPolygon(embedded, 1, nullptr), std::invalid_argument);
}

TEST(GPCPolygonRecord, HoleFlagsStayInStepWithContours) {
    Tgpc_polygon p;
    gpc_add_contour(p, Rect(0, 0, 1, 1), 0);
    gpc_add_contour(p, Rect(0, 0, 2, 2), 7); // any non-zero value marks a hole
    gpc_add_contour(p, Rect(0, 0, 3, 3), 0);
    p.DeleteContour(0);
    ASSERT_EQ(p.num_contours(), 2);
    ASSERT_EQ(p.hole.size(), 2u);
    EXPECT_NE(p.hole[0], 0);
    EXPECT_EQ(p.contour[0].vertex[2], (Tgpc_vertex{2, 2}));
    EXPECT_EQ(p.hole[1], 0);
    EXPECT_THROW(p.DeleteContour(2), std::out_of_range);
    EXPECT_THROW(p.DeleteContour(-1), std::out_of_range);

    gpc_free_polygon(p);
    EXPECT_EQ(p.num_contours(), 0);
    EXPECT_TRUE(p.hole.empty());
}

TEST(GPCPolygonRecord, AddedContourIsACopyAndFreeClearsThePointer) {
    Tgpc_vertex_list c = Rect(0, 0, 10, 10);
    Pgpc_polygon p = NewGPCPolygon(0, nullptr);
    gpc_add_contour(*p, c, 0);
    GPCAddVertex(c, {5, 15});
    EXPECT_EQ(c.num_vertices(), 5);
    EXPECT_EQ(p->contour[0].num_vertices(), 4);

    FreeGPCPolygon(p);
    EXPECT_EQ(p, nullptr);
    FreeGPCPolygon(p); // a cleared pointer is fine
}

// --- extent, move, rotate ----------------------------------------------------------------

TEST(GPCPolygonExtent, CoversAllContoursAndKeepsTheInvertedBoxWhenEmpty) {
    struct Case {
        std::string name;
        Tgpc_polygon polygon;
        double x1, y1, x2, y2;
    };
    Tgpc_polygon twoContours;
    twoContours.AddContour(Rect(-5, 10, 3, 20), false);
    twoContours.AddContour(Ring({{40, -7}, {41, 2}, {39, 0}}), true);
    Tgpc_polygon onlyEmptyContours;
    onlyEmptyContours.AddContour({}, false);
    const Case cases[] = {
        {"empty", {}, 1e6, 1e6, -1e6, -1e6},
        {"only empty contours", onlyEmptyContours, 1e6, 1e6, -1e6, -1e6},
        {"two contours", twoContours, -5, -7, 41, 20},
        {"beyond 1e6", Single(Rect(2e6, 3e6, 2.5e6, 3.5e6)), 2e6, 3e6, 2.5e6, 3.5e6},
        {"below -1e6", Single(Rect(-3e6, -4e6, -2e6, -3e6)), -3e6, -4e6, -2e6, -3e6},
    };
    for (const Case& c : cases) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        GPCPolygonExtent(c.polygon, x1, y1, x2, y2);
        EXPECT_EQ(x1, c.x1) << c.name;
        EXPECT_EQ(y1, c.y1) << c.name;
        EXPECT_EQ(x2, c.x2) << c.name;
        EXPECT_EQ(y2, c.y2) << c.name;
    }
}

TEST(GPCPolygonTransform, MoveAndRotateReachEveryVertexOfEveryContour) {
    Tgpc_polygon p = SquareWithHole();
    GPCPolygonMove(p, 10, -20);
    EXPECT_EQ(p.contour[0].vertex[2], (Tgpc_vertex{110, 80}));
    EXPECT_EQ(p.contour[1].vertex[0], (Tgpc_vertex{35, 5}));

    // +90 degrees turns clockwise on screen (y down): +x goes to +y.
    Tgpc_polygon q = SquareWithHole();
    GPCPolygonRotate(q, TROTMatrix::FromAngle(90, 50, 50));
    const Tgpc_vertex expected[2][4] = {{{100, 0}, {100, 100}, {0, 100}, {0, 0}},
                                        {{75, 25}, {75, 75}, {25, 75}, {25, 25}}};
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 4; ++i) {
            const Tgpc_vertex& v = q.contour[static_cast<std::size_t>(c)].vertex[i];
            EXPECT_NEAR(v.x, expected[c][i].x, 1e-9) << c << "/" << i;
            EXPECT_NEAR(v.y, expected[c][i].y, 1e-9) << c << "/" << i;
        }
    EXPECT_EQ(q.hole[1], 1);
}

// --- duplicate vertices and degenerate contours ---------------------------------------------

TEST(GPCRemoveDoubles, CollapsesBitIdenticalNeighboursAndTheClosingRepeat) {
    const double nz = -0.0;
    struct Case {
        std::string name;
        std::vector<Tgpc_vertex> in, out;
    };
    const Case cases[] = {
        {"worked example", {{0, 0}, {0, 0}, {5, 0}, {5, 5}, {0, 0}}, {{0, 0}, {5, 0}, {5, 5}}},
        {"runs of three and a closing run",
         {{1, 1}, {1, 1}, {1, 1}, {2, 1}, {2, 2}, {2, 2}, {1, 1}, {1, 1}},
         {{1, 1}, {2, 1}, {2, 2}}},
        {"negative zero is a different vertex",
         {{0, 0}, {nz, 0}, {5, 0}},
         {{0, 0}, {nz, 0}, {5, 0}}},
        {"clean contour unchanged", {{0, 0}, {5, 0}, {5, 5}}, {{0, 0}, {5, 0}, {5, 5}}},
        {"one vertex repeated ends empty", {{3, 4}, {3, 4}, {3, 4}}, {}},
        {"single vertex ends empty", {{3, 4}}, {}},
        {"empty stays empty", {}, {}},
    };
    for (const Case& c : cases) {
        Tgpc_polygon p;
        Tgpc_vertex_list ring;
        ring.vertex = c.in;
        p.AddContour(ring, false);
        GPCRemoveDoubles(p);
        ASSERT_EQ(p.num_contours(), 1) << c.name;
        const auto& got = p.contour[0].vertex;
        ASSERT_EQ(got.size(), c.out.size()) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], c.out[i]) << c.name << " #" << i;
            EXPECT_EQ(std::signbit(got[i].x), std::signbit(c.out[i].x)) << c.name << " #" << i;
        }
    }
}

TEST(GPCRemoveDoubles, WorksOnEveryContourAndDropDegenerateRemovesTheRest) {
    Tgpc_polygon p;
    p.AddContour(Ring({{0, 0}, {0, 0}, {0, 0}}), true);         // -> empty
    p.AddContour(Rect(0, 0, 10, 10), false);                    // stays
    p.AddContour(Ring({{1, 1}, {2, 2}, {2, 2}, {1, 1}}), true); // -> 2 vertices
    p.AddContour(Ring({{2, 2}, {3, 2}, {3, 3}, {3, 3}}), true); // -> 3 vertices
    GPCRemoveDoubles(p);
    EXPECT_EQ(p.contour[0].num_vertices(), 0);
    EXPECT_EQ(p.contour[2].num_vertices(), 2);

    GPCDropDegenerateContours(p);
    ASSERT_EQ(p.num_contours(), 2);
    ASSERT_EQ(p.hole.size(), 2u);
    EXPECT_EQ(p.hole[0], 0);
    EXPECT_EQ(p.contour[0].vertex[2], (Tgpc_vertex{10, 10}));
    EXPECT_NE(p.hole[1], 0);
    EXPECT_EQ(p.contour[1].num_vertices(), 3);
}

// --- point in polygon --------------------------------------------------------------------

TEST(PointInGPCPolygon, SquareWithHoleIsHalfOpenOnEveryContour) {
    // Each edge spans [lower y, upper y) and counts only strictly right of the point, so the
    // top and left boundaries belong to the area, the bottom and right ones do not; the same
    // holds for the hole, whose own left and top boundaries therefore lie outside the area.
    const Tgpc_polygon p = SquareWithHole();
    struct Case {
        double x, y;
        bool inside;
    };
    const Case cases[] = {
        {50, 50, false},  {10, 10, true},  {90, 90, true},     {-1, 50, false},    {101, 50, false},
        {0, 0, true},     {100, 0, false}, {0, 100, false},    {100, 100, false},  {0, 50, true},
        {100, 50, false}, {50, 0, true},   {50, 100, false},   {25, 50, false},    {75, 50, true},
        {50, 25, false},  {50, 75, true},  {24.999, 50, true}, {75.001, 50, true}, {25, 25, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointInGPCPolygon(p, c.x, c.y), c.inside) << "(" << c.x << ", " << c.y << ")";
    EXPECT_FALSE(PointInGPCPolygon(Tgpc_polygon{}, 0, 0));
}

TEST(PointInGPCPolygon, RayThroughAVertexCountsCrossingsOnceAndTouchesTwice) {
    // The outline passes through (60,50) downwards on both sides: a crossing.
    const Tgpc_polygon wedge = Single(Ring({{0, 0}, {100, 0}, {100, 100}, {60, 50}}));
    EXPECT_FALSE(PointInGPCPolygon(wedge, 20, 50));
    EXPECT_TRUE(PointInGPCPolygon(wedge, 80, 50));
    // The ray y = 0 only touches the diamond's top vertex.
    const Tgpc_polygon diamond = Single(Ring({{50, 0}, {100, 50}, {50, 100}, {0, 50}}));
    EXPECT_FALSE(PointInGPCPolygon(diamond, 20, 0));
    EXPECT_TRUE(PointInGPCPolygon(diamond, 50, 1));
    EXPECT_TRUE(PointInGPCPolygon(diamond, 20, 50));
    // Orientation does not matter.
    const Tgpc_polygon reversed = Single(Ring({{0, 50}, {50, 100}, {100, 50}, {50, 0}}));
    EXPECT_FALSE(PointInGPCPolygon(reversed, 20, 0));
    EXPECT_TRUE(PointInGPCPolygon(reversed, 20, 50));
}

// --- area and centroid -------------------------------------------------------------------

TEST(GPCPolygonFlaeche, SquareMetresWithHolesSubtractedWhateverTheOrientation) {
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(Single(Rect(0, 0, 100, 100))), 1.0);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(SquareWithHole()), 0.75);

    Tgpc_polygon reversed;
    reversed.AddContour(Ring({{0, 100}, {100, 100}, {100, 0}, {0, 0}}), false);
    reversed.AddContour(Ring({{25, 25}, {75, 25}, {75, 75}, {25, 75}}), true);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(reversed), 0.75);

    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(Single(Ring({{0, 0}, {300, 0}, {0, 200}}))), 3.0);
    EXPECT_EQ(GPCPolygonFlaeche(Tgpc_polygon{}), 0.0);
}

TEST(GPCPolygonSchwerpunkt, WeighsVertexAveragesByAreaAndFallsBackWithoutArea) {
    Tgpc_vertex c;
    EXPECT_TRUE(GPCPolygonSchwerpunkt(SquareWithHole(), c));
    EXPECT_DOUBLE_EQ(c.x, 50);
    EXPECT_DOUBLE_EQ(c.y, 50);

    // Outer (mean 50,50; 10 000) and hole (mean 20,40; -400): (500000 - 8000) / 9600 etc.
    Tgpc_polygon offCentre;
    offCentre.AddContour(Rect(0, 0, 100, 100), false);
    offCentre.AddContour(Rect(10, 30, 30, 50), true);
    EXPECT_TRUE(GPCPolygonSchwerpunkt(offCentre, c));
    EXPECT_DOUBLE_EQ(c.x, (50 * 10000.0 - 20 * 400.0) / 9600.0);
    EXPECT_DOUBLE_EQ(c.y, (50 * 10000.0 - 40 * 400.0) / 9600.0);

    // A hole as large as its outline: the weights cancel, the box centre is returned.
    Tgpc_polygon cancelled;
    cancelled.AddContour(Rect(10, 20, 30, 60), false);
    cancelled.AddContour(Rect(10, 20, 30, 60), true);
    c = {-1, -1};
    EXPECT_FALSE(GPCPolygonSchwerpunkt(cancelled, c));
    EXPECT_EQ(c, (Tgpc_vertex{20, 40}));

    c = {-1, -1};
    EXPECT_FALSE(GPCPolygonSchwerpunkt(Single(Ring({{0, 0}, {10, 0}, {40, 0}})), c));
    EXPECT_EQ(c, (Tgpc_vertex{20, 0}));

    c = {-1, -1};
    EXPECT_FALSE(GPCPolygonSchwerpunkt(Tgpc_polygon{}, c));
    EXPECT_EQ(c, (Tgpc_vertex{0, 0}));
    EXPECT_TRUE(std::isfinite(c.x));
}

// --- interference ------------------------------------------------------------------------

TEST(GPCPolygonsInterfere, NeedsACommonAreaNotJustACommonBoundary) {
    const Tgpc_polygon square = Single(Rect(0, 0, 100, 100));
    struct Case {
        std::string name;
        Tgpc_polygon a, b;
        bool interferes;
    };
    const Case cases[] = {
        {"overlapping", square, Single(Rect(90, 90, 200, 200)), true},
        {"contained", square, Single(Rect(40, 40, 60, 60)), true},
        {"far apart", square, Single(Rect(1000, 1000, 1100, 1100)), false},
        {"sharing an edge", square, Single(Rect(100, 0, 200, 100)), false},
        {"sharing a corner", square, Single(Rect(100, 100, 200, 200)), false},
        {"inside the hole", SquareWithHole(), Single(Rect(30, 30, 70, 70)), false},
        {"across the hole", SquareWithHole(), Single(Rect(30, 30, 80, 70)), true},
        {"empty", square, {}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GPCPolygonsInterfere(c.a, c.b), c.interferes) << c.name;
        EXPECT_EQ(GPCPolygonsInterfere(c.b, c.a), c.interferes) << c.name;
    }
}
