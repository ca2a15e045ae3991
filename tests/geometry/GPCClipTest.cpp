#include "geometry/GPCUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
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

Tgpc_polygon Single(const Tgpc_vertex_list& c) {
    Tgpc_polygon p;
    p.AddContour(c, false);
    return p;
}

Tgpc_polygon Clip(Tgpc_op op, const Tgpc_polygon& a, const Tgpc_polygon& b) {
    Tgpc_polygon result;
    gpc_polygon_clip(op, a, b, result);
    return result;
}

struct TBox {
    double x1, y1, x2, y2;
    bool operator==(const TBox&) const = default;
};

TBox Extent(const Tgpc_vertex_list& c) {
    Tgpc_polygon p = Single(c);
    TBox b{};
    GPCPolygonExtent(p, b.x1, b.y1, b.x2, b.y2);
    return b;
}

bool HasVertex(const Tgpc_polygon& p, Tgpc_vertex v) {
    for (const auto& c : p.contour)
        if (std::find(c.vertex.begin(), c.vertex.end(), v) != c.vertex.end()) return true;
    return false;
}

// Every contour a proper ring, flags in step.
void ExpectWellFormed(const Tgpc_polygon& p) {
    ASSERT_EQ(p.hole.size(), p.contour.size());
    for (const auto& c : p.contour) {
        EXPECT_GE(c.num_vertices(), 3);
        for (const auto& v : c.vertex) {
            EXPECT_TRUE(std::isfinite(v.x));
            EXPECT_TRUE(std::isfinite(v.y));
        }
    }
}

} // namespace

TEST(GPCClip, DifferenceCutsAHoleThatIsFlaggedAsSuch) {
    const Tgpc_polygon r =
        Clip(GPC_DIFF, Single(Rect(0, 0, 100, 100)), Single(Rect(25, 25, 75, 75)));
    ExpectWellFormed(r);
    ASSERT_EQ(r.num_contours(), 2);
    for (int i = 0; i < 2; ++i) {
        const TBox box = Extent(r.contour[static_cast<std::size_t>(i)]);
        if (r.hole[static_cast<std::size_t>(i)] != 0)
            EXPECT_EQ(box, (TBox{25, 25, 75, 75}));
        else
            EXPECT_EQ(box, (TBox{0, 0, 100, 100}));
    }
    EXPECT_NE(r.hole[0], r.hole[1]);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(r), 0.75);
    EXPECT_FALSE(PointInGPCPolygon(r, 50, 50));
    EXPECT_TRUE(PointInGPCPolygon(r, 10, 10));
}

TEST(GPCClip, NestedIslandInAHoleComesBackAsAnOutline) {
    Tgpc_polygon ring =
        Clip(GPC_DIFF, Single(Rect(0, 0, 300, 300)), Single(Rect(50, 50, 250, 250)));
    const Tgpc_polygon r = Clip(GPC_UNION, ring, Single(Rect(100, 100, 200, 200)));
    ExpectWellFormed(r);
    ASSERT_EQ(r.num_contours(), 3);
    for (std::size_t i = 0; i < 3; ++i) {
        const TBox box = Extent(r.contour[i]);
        const bool expectHole = box == TBox{50, 50, 250, 250};
        EXPECT_EQ(r.hole[i] != 0, expectHole) << "contour " << i;
    }
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(r), (90000.0 - 40000.0 + 10000.0) / 10000.0);
}

TEST(GPCClip, DisjointAndEmptyOperands) {
    const Tgpc_polygon a = Single(Rect(0, 0, 100, 100));
    const Tgpc_polygon far = Single(Rect(500, 500, 600, 650));
    const Tgpc_polygon none;
    struct Case {
        std::string name;
        Tgpc_op op;
        const Tgpc_polygon& subject;
        const Tgpc_polygon& clip;
        int contours;
        double area;
    };
    const Case cases[] = {
        {"difference of disjoint", GPC_DIFF, a, far, 1, 1.0},
        {"intersection of disjoint", GPC_INT, a, far, 0, 0.0},
        {"union of disjoint", GPC_UNION, a, far, 2, 2.5},
        {"xor of disjoint", GPC_XOR, a, far, 2, 2.5},
        {"union with empty clip", GPC_UNION, a, none, 1, 1.0},
        {"union with empty subject", GPC_UNION, none, far, 1, 1.5},
        {"difference from empty", GPC_DIFF, none, a, 0, 0.0},
        {"difference of empty", GPC_DIFF, a, none, 1, 1.0},
        {"intersection with empty", GPC_INT, a, none, 0, 0.0},
        {"both empty", GPC_UNION, none, none, 0, 0.0},
    };
    for (const Case& c : cases) {
        const Tgpc_polygon r = Clip(c.op, c.subject, c.clip);
        ExpectWellFormed(r);
        EXPECT_EQ(r.num_contours(), c.contours) << c.name;
        EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(r), c.area) << c.name;
        for (int h : r.hole)
            EXPECT_EQ(h, 0) << c.name;
    }
    // The empty union still normalises: the repeated closing vertex disappears.
    const Tgpc_polygon closed = Single(Ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    const Tgpc_polygon r = Clip(GPC_UNION, closed, none);
    ASSERT_EQ(r.num_contours(), 1);
    EXPECT_EQ(r.contour[0].num_vertices(), 4);
}

TEST(GPCClip, OverlappingSquares) {
    const Tgpc_polygon a = Single(Rect(0, 0, 100, 100));
    const Tgpc_polygon b = Single(Rect(50, 50, 150, 150));
    struct Case {
        Tgpc_op op;
        int contours;
        double area;
    };
    const Case cases[] = {
        // The symmetric difference touches itself at two points: how it is split into
        // contours is the clipper's choice.
        {GPC_DIFF, 1, 0.75},
        {GPC_INT, 1, 0.25},
        {GPC_UNION, 1, 1.75},
        {GPC_XOR, -1, 1.5}};
    for (const Case& c : cases) {
        const Tgpc_polygon r = Clip(c.op, a, b);
        ExpectWellFormed(r);
        if (c.contours >= 0) {
            EXPECT_EQ(r.num_contours(), c.contours) << static_cast<int>(c.op);
        }
        EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(r), c.area) << static_cast<int>(c.op);
    }
}

TEST(GPCClip, SquaresSharingAnEdgeUniteIntoOneOutline) {
    const Tgpc_polygon r =
        Clip(GPC_UNION, Single(Rect(0, 0, 100, 100)), Single(Rect(100, 0, 200, 100)));
    ExpectWellFormed(r);
    ASSERT_EQ(r.num_contours(), 1);
    EXPECT_EQ(r.hole[0], 0);
    EXPECT_EQ(Extent(r.contour[0]), (TBox{0, 0, 200, 100}));
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(r), 2.0);
}

TEST(GPCClip, InputsAreFilledEvenOdd) {
    // Two outlines of one polygon overlapping: the overlap counts twice, so it is outside.
    Tgpc_polygon doubled;
    doubled.AddContour(Rect(0, 0, 100, 100), false);
    doubled.AddContour(Rect(50, 50, 150, 150), false);
    const Tgpc_polygon r = Clip(GPC_INT, doubled, Single(Rect(-10, -10, 200, 200)));
    ExpectWellFormed(r);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(r), 1.5);
    EXPECT_FALSE(PointInGPCPolygon(r, 75, 75));
    EXPECT_TRUE(PointInGPCPolygon(r, 25, 25));
    EXPECT_TRUE(PointInGPCPolygon(r, 125, 125));

    // A bow tie: the left and right triangles meeting at (50,50).
    const Tgpc_polygon bowTie = Single(Ring({{0, 0}, {100, 100}, {100, 0}, {0, 100}}));
    const Tgpc_polygon t = Clip(GPC_UNION, bowTie, Tgpc_polygon{});
    ExpectWellFormed(t);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(t), 0.5);
    EXPECT_TRUE(PointInGPCPolygon(t, 80, 50));
    EXPECT_TRUE(PointInGPCPolygon(t, 20, 50));
    EXPECT_FALSE(PointInGPCPolygon(t, 50, 20));
    EXPECT_FALSE(PointInGPCPolygon(t, 50, 80));
}

TEST(GPCClip, CollinearVerticesSurviveANormalisingClip) {
    // The edited-outline check clips against a far-away square and keeps the vertices.
    const Tgpc_polygon outline =
        Single(Ring({{0, 0}, {50, 0}, {100, 0}, {100, 50}, {100, 100}, {0, 100}}));
    const Tgpc_polygon r = Clip(GPC_DIFF, outline, Single(Rect(100000, 100000, 100010, 100010)));
    ASSERT_EQ(r.num_contours(), 1);
    EXPECT_EQ(r.contour[0].num_vertices(), 6);
    EXPECT_TRUE(HasVertex(r, {50, 0}));
    EXPECT_TRUE(HasVertex(r, {100, 50}));
}

TEST(GPCClip, ResultMayBeOneOfTheOperands) {
    Tgpc_polygon acc = Single(Rect(0, 0, 100, 100));
    gpc_polygon_clip(GPC_UNION, acc, Single(Rect(100, 0, 200, 100)), acc);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(acc), 2.0);
    Tgpc_polygon cut = Single(Rect(50, -10, 150, 110));
    gpc_polygon_clip(GPC_DIFF, acc, cut, cut);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(cut), 1.0);
    EXPECT_EQ(cut.num_contours(), 2);
}

TEST(GPCClip, CoordinatesRoundToAThousandthOfAUnit) {
    // Near 100 000 units every thousandth still comes back exactly.
    const Tgpc_polygon far = Single(Rect(100000.123, 99999.877, 100010.001, 100012.999));
    const Tgpc_polygon r = Clip(GPC_UNION, far, Tgpc_polygon{});
    ASSERT_EQ(r.num_contours(), 1);
    EXPECT_EQ(Extent(r.contour[0]), (TBox{100000.123, 99999.877, 100010.001, 100012.999}));

    // Finer digits go to the nearest thousandth.
    const Tgpc_polygon fine = Single(Rect(0.0004, -0.0006, 10.0006, 9.9994));
    const Tgpc_polygon q = Clip(GPC_UNION, fine, Tgpc_polygon{});
    ASSERT_EQ(q.num_contours(), 1);
    EXPECT_EQ(Extent(q.contour[0]), (TBox{0, -0.001, 10.001, 9.999}));
}

TEST(GPCClip, LargeButRepresentableCoordinatesStillClip) {
    // Beyond the clipper's fast range (about 1e6 units at this scale) it switches to wide
    // arithmetic; results stay exact.
    const double big = 5e9;
    const Tgpc_polygon a = Single(Rect(big, big, big + 100, big + 100));
    const Tgpc_polygon b = Single(Rect(big + 50, big, big + 150, big + 100));
    const Tgpc_polygon r = Clip(GPC_INT, a, b);
    ASSERT_EQ(r.num_contours(), 1);
    EXPECT_EQ(Extent(r.contour[0]), (TBox{big + 50, big, big + 100, big + 100}));
}

TEST(GPCClip, UnrepresentableCoordinatesThrowEClipError) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Tgpc_polygon good = Single(Rect(0, 0, 10, 10));
    struct Case {
        std::string name;
        double x, y;
    };
    const Case cases[] = {
        {"NaN", nan, 5},
        {"infinite", 5, inf},
        {"minus infinite", -inf, 5},
        {"far too large", 1e16, 5},
        {"far too small", 5, -1e16},
        {"largest double", 5, 1.7e308},
    };
    for (const Case& c : cases) {
        const Tgpc_polygon bad = Single(Ring({{0, 0}, {c.x, c.y}, {0, 10}}));
        for (Tgpc_op op : {GPC_DIFF, GPC_INT, GPC_UNION}) {
            Tgpc_polygon result = good;
            EXPECT_THROW(gpc_polygon_clip(op, good, bad, result), EClipError) << c.name;
            EXPECT_THROW(gpc_polygon_clip(op, bad, good, result), EClipError) << c.name;
            // A failed clip leaves the result alone (callers fall back to it).
            EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(result), 0.01) << c.name;
        }
        try {
            Tgpc_polygon result;
            gpc_polygon_clip(GPC_UNION, bad, good, result);
        } catch (const EClipError& e) {
            EXPECT_NE(std::string(e.what()).find("Koordinate"), std::string::npos) << e.what();
        }
    }
}

TEST(GPCClip, DegenerateInputContoursEncloseNothing) {
    Tgpc_polygon p;
    p.AddContour(Ring({{0, 0}, {10, 10}}), false);
    p.AddContour(Ring({{0, 0}, {10, 0}, {20, 0}}), false);
    p.AddContour({}, false);
    const Tgpc_polygon r = Clip(GPC_UNION, p, Tgpc_polygon{});
    EXPECT_EQ(r.num_contours(), 0);
    EXPECT_DOUBLE_EQ(GPCPolygonFlaeche(Clip(GPC_UNION, p, Single(Rect(0, 0, 10, 10)))), 0.01);
}
