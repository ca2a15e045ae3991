#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using TVertices = std::vector<Tgpc_vertex>;

Tgpc_vertex_list Ring(const TVertices& vertices) {
    Tgpc_vertex_list c;
    c.vertex = vertices;
    return c;
}

TVertices Rect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

Tgpc_polygon Single(const TVertices& vertices) {
    Tgpc_polygon p;
    p.AddContour(Ring(vertices), false);
    return p;
}

Tgpc_polygon SquareWithHole() {
    Tgpc_polygon p;
    p.AddContour(Ring(Rect(0, 0, 100, 100)), false);
    p.AddContour(Ring(Rect(25, 25, 75, 75)), true);
    return p;
}

// Edges: 0 top, 1 diagonal, 2 right, 3 diagonal, 4 bottom, 5 diagonal, 6 left, 7 diagonal.
const TVertices kOctagon = {{30, 0},   {70, 0},   {100, 30}, {100, 70},
                            {70, 100}, {30, 100}, {0, 70},   {0, 30}};

// The L: a reflex vertex at (50,50).
const TVertices kL = {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}};

// A 100 x 40 bar with a narrow notch from the top edge down to (50,30). Shrinking moves the
// notch's tip down by 30 times the distance.
const TVertices kNotched = {{0, 0}, {49, 0}, {50, 30}, {51, 0}, {100, 0}, {100, 40}, {0, 40}};

void ExpectVertices(const TVertices& got, const TVertices& expected, const std::string& what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, 1e-9) << what << " #" << i;
        EXPECT_NEAR(got[i].y, expected[i].y, 1e-9) << what << " #" << i;
    }
}

// How far every result edge lies from the line of its input edge (each result edge i joins
// result vertices i and i + 1, both on the moved line of input edge i).
std::vector<double> EdgeShifts(const TVertices& in, const TVertices& out) {
    std::vector<double> shifts;
    const std::size_t n = in.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TVektor line(in[i].x, in[i].y, in[(i + 1) % n].x, in[(i + 1) % n].y);
        const double a = line.Abstand(out[i].x, out[i].y);
        const double b = line.Abstand(out[(i + 1) % n].x, out[(i + 1) % n].y);
        EXPECT_NEAR(a, b, 1e-9) << "result edge " << i << " is not parallel to its input";
        shifts.push_back((a + b) / 2);
    }
    return shifts;
}

void ExpectShifts(const std::vector<double>& got, const std::vector<double>& expected,
                  const std::string& what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], expected[i], 1e-9) << what << " edge " << i;
}

TVektor Direction(double degrees) {
    const double w = degrees * std::numbers::pi / 180;
    return TVektor(0, 0, std::cos(w), std::sin(w));
}

} // namespace

TEST(GPCInflate, SquareShrinksAndGrowsByTheDistance) {
    const Tgpc_polygon square = Single(Rect(0, 0, 100, 100));
    bool collapsed = true;
    Pgpc_polygon in = GPCInflate(square, 10, &collapsed);
    ASSERT_EQ(in->num_contours(), 1);
    ExpectVertices(in->contour[0].vertex, Rect(10, 10, 90, 90), "by 10");
    EXPECT_FALSE(collapsed);

    collapsed = true;
    Pgpc_polygon out = GPCInflate(square, -10, &collapsed);
    ExpectVertices(out->contour[0].vertex, Rect(-10, -10, 110, 110), "by -10");
    EXPECT_FALSE(collapsed);

    // The orientation of the input does not decide the side.
    const Tgpc_polygon reversed = Single({{0, 100}, {100, 100}, {100, 0}, {0, 0}});
    ExpectVertices(GPCInflate(reversed, 10)->contour[0].vertex,
                   {{10, 90}, {90, 90}, {90, 10}, {10, 10}}, "reversed by 10");

    ExpectVertices(square.contour[0].vertex, Rect(0, 0, 100, 100), "input untouched");
}

TEST(GPCInflate, ReflexVertexOfAnLMovesOutOfTheArea) {
    Pgpc_polygon r = GPCInflate(Single(kL), 10);
    ExpectVertices(r->contour[0].vertex,
                   {{10, 10}, {90, 10}, {90, 40}, {40, 40}, {40, 90}, {10, 90}}, "L by 10");
    EXPECT_NEAR(GPCPolygonFlaeche(*r), (80 * 30 + 30 * 50) / 10000.0, 1e-12);
}

TEST(GPCInflate, HolesKeepTheirFlagAndMoveAgainstTheOutline) {
    struct Case {
        double size;
        TVertices outer, hole;
        double area;
    };
    const Case cases[] = {
        {10, Rect(10, 10, 90, 90), Rect(15, 15, 85, 85), (6400 - 4900) / 10000.0},
        {-10, Rect(-10, -10, 110, 110), Rect(35, 35, 65, 65), (14400 - 900) / 10000.0},
    };
    for (const Case& c : cases) {
        bool collapsed = true;
        Pgpc_polygon r = GPCInflate(SquareWithHole(), c.size, &collapsed);
        ASSERT_EQ(r->num_contours(), 2);
        EXPECT_EQ(r->hole[0], 0) << c.size;
        EXPECT_NE(r->hole[1], 0) << c.size;
        ExpectVertices(r->contour[0].vertex, c.outer, "outer");
        ExpectVertices(r->contour[1].vertex, c.hole, "hole");
        EXPECT_NEAR(GPCPolygonFlaeche(*r), c.area, 1e-12) << c.size;
        EXPECT_FALSE(collapsed) << c.size;
    }
}

TEST(GPCInflate, ReportsContoursTheOffsetAteUp) {
    struct Case {
        std::string name;
        Tgpc_polygon polygon;
        double size;
        bool collapsed;
    };
    const Tgpc_polygon square = Single(Rect(0, 0, 100, 100));
    const Case cases[] = {
        {"square by 10", square, 10, false},
        {"square by 49", square, 49, false},
        {"square by 50 (a point)", square, 50, true},
        // Comes out as a 20 x 20 square of the same orientation, mirrored through the centre.
        {"square by 60 (turned inside out)", square, 60, true},
        {"square by -1000", square, -1000, false},
        {"L by 20", Single(kL), 20, false},
        {"L by 25 (arms of no width)", Single(kL), 25, true},
        {"L by 30", Single(kL), 30, true},
        {"notch by 0.1", Single(kNotched), 0.1, false},
        // The notch's tip shoots through the bottom edge: only a crossing shows it.
        {"notch by 5", Single(kNotched), 5, true},
        {"hole grown to nothing", SquareWithHole(), -25, true},
        {"hole grown past nothing", SquareWithHole(), -30, true},
        {"hole nearly gone", SquareWithHole(), -24, false},
    };
    for (const Case& c : cases) {
        bool collapsed = !c.collapsed;
        Pgpc_polygon r = GPCInflate(c.polygon, c.size, &collapsed);
        EXPECT_EQ(collapsed, c.collapsed) << c.name;
        EXPECT_EQ(r->num_contours(), c.polygon.num_contours()) << c.name;
    }
    ExpectVertices(GPCInflate(square, 60)->contour[0].vertex,
                   {{60, 60}, {40, 60}, {40, 40}, {60, 40}}, "square by 60");
}

TEST(GPCInflate, ZeroLengthEdgesArePassedOver) {
    struct Case {
        std::string name;
        TVertices in, out;
    };
    const Case cases[] = {
        {"doubled corner",
         {{0, 0}, {100, 0}, {100, 0}, {100, 100}, {0, 100}},
         {{10, 10}, {90, 10}, {90, 10}, {90, 90}, {10, 90}}},
        {"repeated first vertex",
         {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}},
         {{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10}}},
        {"tripled first vertex",
         {{0, 0}, {0, 0}, {0, 0}, {100, 0}, {100, 100}, {0, 100}},
         {{10, 10}, {10, 10}, {10, 10}, {90, 10}, {90, 90}, {10, 90}}},
        {"repeat inside an edge",
         {{0, 0}, {50, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}},
         {{10, 10}, {50, 10}, {50, 10}, {90, 10}, {90, 90}, {10, 90}}},
    };
    for (const Case& c : cases) {
        bool collapsed = true;
        Pgpc_polygon r = GPCInflate(Single(c.in), 10, &collapsed);
        ASSERT_EQ(r->num_contours(), 1) << c.name;
        ExpectVertices(r->contour[0].vertex, c.out, c.name);
        EXPECT_FALSE(collapsed) << c.name;
    }

    // Nothing but one point: kept as it is, finite, and reported.
    bool collapsed = false;
    Pgpc_polygon r = GPCInflate(Single({{5, 5}, {5, 5}, {5, 5}}), 10, &collapsed);
    ExpectVertices(r->contour[0].vertex, {{5, 5}, {5, 5}, {5, 5}}, "one point");
    EXPECT_TRUE(collapsed);
}

TEST(GPCInflate, CollinearNeighboursUseTheMovedStartPoint) {
    // A straight run P0-P1-P2 of which only the second edge moves (the filter holds only its
    // midpoint): the two lines are parallel, so P1 goes to the moved start of the second edge.
    // (7.7,23.1) and (23.1,69.3) are collinear with the origin only before rounding to
    // doubles; intersecting the lines there would throw P1 far along the run.
    struct Case {
        std::string name;
        Tgpc_vertex p1, p2;
    };
    const Case cases[] = {
        {"exactly collinear", {8, 24}, {24, 72}},
        {"collinear up to rounding", {7.7, 23.1}, {23.1, 69.3}},
    };
    const Tgpc_polygon filter = Single(Rect(10, 30, 30, 60));
    const double k = 2 / std::sqrt(10.0); // inward normal (-3, 1) / sqrt(10), times 2
    for (const Case& c : cases) {
        const TVertices run = {{0, 0}, c.p1, c.p2, {-60, 80}, {-60, -10}};
        Pgpc_polygon r = GPCInflateSchraeg(Single(run), TVektor(0, 0, 1, 0), &filter, 2);
        const TVertices& got = r->contour[0].vertex;
        ASSERT_EQ(got.size(), run.size());
        EXPECT_NEAR(got[1].x, c.p1.x - 3 * k, 1e-9) << c.name;
        EXPECT_NEAR(got[1].y, c.p1.y + k, 1e-9) << c.name;
        // The following vertex sits where the moved run meets the unmoved next edge.
        EXPECT_NEAR(TVektor(c.p1.x, c.p1.y, c.p2.x, c.p2.y).Abstand(got[2].x, got[2].y), 2, 1e-9)
            << c.name;
        EXPECT_NEAR(TVektor(c.p2.x, c.p2.y, -60, 80).Abstand(got[2].x, got[2].y), 0, 1e-9)
            << c.name;
        ExpectVertices({got[0], got[3], got[4]}, {run[0], run[3], run[4]}, c.name);
    }
}

TEST(GPCInflateVariants, OctagonEdgesMoveByTheirDirectionClass) {
    const Tgpc_polygon octagon = Single(kOctagon);
    const TVektor horizontal(0, 0, 1, 0);
    struct Case {
        std::string name;
        Pgpc_polygon result;
        std::vector<double> shifts;
    };
    Case cases[] = {
        {"Inflate", GPCInflate(octagon, 10), {10, 10, 10, 10, 10, 10, 10, 10}},
        {"Quer", GPCInflateQuer(octagon, horizontal, nullptr, 10), {0, 0, 10, 0, 0, 0, 10, 0}},
        {"Schraeg",
         GPCInflateSchraeg(octagon, horizontal, nullptr, 10),
         {0, 10, 0, 10, 0, 10, 0, 10}},
        {"Richtung",
         GPCInflateRichtung(octagon, horizontal, nullptr, 1, 2, 3),
         {1, 3, 2, 3, 1, 3, 2, 3}},
    };
    for (Case& c : cases) {
        ASSERT_EQ(c.result->num_contours(), 1) << c.name;
        ExpectShifts(EdgeShifts(kOctagon, c.result->contour[0].vertex), c.shifts, c.name);
        // Where every edge moves, it moves inwards: the result lies inside the octagon.
        if (std::find(c.shifts.begin(), c.shifts.end(), 0.0) == c.shifts.end()) {
            for (const auto& v : c.result->contour[0].vertex)
                EXPECT_TRUE(PointInGPCPolygon(octagon, v.x, v.y)) << c.name;
        }
    }
}

TEST(GPCInflateVariants, QuerMovesOnlyTheEdgesAcrossVektor) {
    Pgpc_polygon r = GPCInflateQuer(Single(Rect(0, 0, 100, 100)), TVektor(0, 0, 1, 0), nullptr, 10);
    ExpectVertices(r->contour[0].vertex, Rect(10, 0, 90, 100), "Quer (1,0)");
}

TEST(GPCInflateVariants, AngleBandsAgainstVektor) {
    // The square's edges against a Vektor turned by `degrees`: top/bottom make that angle
    // (or 180 minus it), left/right 90 minus or plus it.
    struct Case {
        double degrees;
        double querH, querV, schraegH, schraegV, richtungH, richtungV;
    };
    const double S = 5;               // Quer / Schraeg distance
    const double P = 1, Q = 2, O = 3; // Richtung: parallel, across, oblique
    const Case cases[] = {
        {0, 0, S, 0, 0, P, Q},   {0.5, 0, S, 0, 0, P, Q},  {3, 0, 0, 0, 0, O, O},
        {7, 0, 0, S, S, O, O},   {30, 0, 0, S, S, O, O},   {86, 0, 0, 0, 0, O, O},
        {88, 0, 0, 0, 0, O, O},  {89.5, S, 0, 0, 0, Q, P}, {90, S, 0, 0, 0, Q, P},
        {135, 0, 0, S, S, O, O}, {178, 0, 0, 0, 0, O, O},  {179.5, 0, S, 0, 0, P, Q},
        {-30, 0, 0, S, S, O, O},
    };
    const TVertices square = Rect(0, 0, 100, 100);
    const Tgpc_polygon polygon = Single(square);
    for (const Case& c : cases) {
        const TVektor v = Direction(c.degrees);
        const std::string at = std::to_string(c.degrees) + " deg";
        ExpectShifts(EdgeShifts(square, GPCInflateQuer(polygon, v, nullptr, S)->contour[0].vertex),
                     {c.querH, c.querV, c.querH, c.querV}, "Quer " + at);
        ExpectShifts(
            EdgeShifts(square, GPCInflateSchraeg(polygon, v, nullptr, S)->contour[0].vertex),
            {c.schraegH, c.schraegV, c.schraegH, c.schraegV}, "Schraeg " + at);
        ExpectShifts(
            EdgeShifts(square, GPCInflateRichtung(polygon, v, nullptr, P, Q, O)->contour[0].vertex),
            {c.richtungH, c.richtungV, c.richtungH, c.richtungV}, "Richtung " + at);
    }
}

TEST(GPCInflateVariants, FilterKeepsEdgesOutsideItInPlace) {
    const TVektor horizontal(0, 0, 1, 0);
    // Only the right edge's midpoint (100,50) lies in the filter.
    const Tgpc_polygon rightHalf = Single(Rect(50, -50, 200, 150));
    Pgpc_polygon q = GPCInflateQuer(Single(Rect(0, 0, 100, 100)), horizontal, &rightHalf, 10);
    ExpectVertices(q->contour[0].vertex, Rect(0, 0, 90, 100), "Quer filtered");

    // The upper part of the octagon: top and the two upper diagonals.
    const Tgpc_polygon upper = Single(Rect(-50, -50, 150, 45));
    const Tgpc_polygon octagon = Single(kOctagon);
    ExpectShifts(
        EdgeShifts(kOctagon,
                   GPCInflateRichtung(octagon, horizontal, &upper, 1, 2, 3)->contour[0].vertex),
        {1, 3, 0, 0, 0, 0, 0, 3}, "Richtung filtered");
    ExpectShifts(
        EdgeShifts(kOctagon, GPCInflateSchraeg(octagon, horizontal, &upper, 10)->contour[0].vertex),
        {0, 10, 0, 0, 0, 0, 0, 10}, "Schraeg filtered");
    // An empty filter holds everything in place.
    const Tgpc_polygon none;
    ExpectVertices(GPCInflateRichtung(octagon, horizontal, &none, 1, 2, 3)->contour[0].vertex,
                   kOctagon, "empty filter");
}
