#include "model/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using TVertices = std::vector<Tgpc_vertex>;

TVertices Rect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

std::unique_ptr<TShape> MakeArea(const TVertices& vertices) {
    auto s = std::make_unique<TShape>();
    for (const Tgpc_vertex& v : vertices)
        s->AddVertex(v);
    s->SetClosed(true);
    s->CopyF2Vpolygon();
    s->CreateV_VectorList();
    return s;
}

void ExpectVertices(const TVertices& got, const TVertices& expected, const std::string& what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, 1e-9) << what << " #" << i;
        EXPECT_NEAR(got[i].y, expected[i].y, 1e-9) << what << " #" << i;
    }
}

bool BitIdentical(const TVertices& a, const TVertices& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(Tgpc_vertex)) == 0;
}

const TVertices kRect = Rect(0, 0, 200, 100);
// Top edge 0 and bottom edge 2 between oblique neighbours, whose lines meet at (50, 125).
const TVertices kTrapezoid = {{0, 0}, {100, 0}, {80, 50}, {20, 50}};
// The top side split by a collinear vertex.
const TVertices kSplitTop = {{0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}};
const TVertices kL = {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}};

// Every test starts a fresh drag.
class ShapeEditingTest : public ::testing::Test {
protected:
    TDragState Drag;
};

TEST_F(ShapeEditingTest, EdgeDragsMoveTheSideByTheNormalComponentOnly) {
    struct TCase {
        const char* what;
        TVertices outline;
        int hitIndex;
        double dx, dy;
        TVertices expected;
    };
    const TCase cases[] = {
        {"right side, movement along it ignored",
         kRect,
         2,
         15,
         40,
         {{0, 0}, {215, 0}, {215, 100}, {0, 100}}},
        {"bottom side upwards", kRect, 3, -30, -20, {{0, 0}, {200, 0}, {200, 80}, {0, 80}}},
        {"closing edge", kRect, 4, -5, 7, {{-5, 0}, {200, 0}, {200, 100}, {-5, 100}}},
        // The ends slide along the neighbouring edges' lines.
        {"oblique neighbours", kTrapezoid, 1, 3, -10, {{-4, -10}, {104, -10}, {80, 50}, {20, 50}}},
        // The neighbour on the same line would give no intersection: that end moves with the
        // side, so the side stays parallel.
        {"collinear neighbour",
         kSplitTop,
         2,
         0,
         10,
         {{0, 0}, {50, 10}, {100, 10}, {100, 100}, {0, 100}}},
        // The clip that checks the result keeps collinear vertices.
        {"outline with a collinear vertex",
         kSplitTop,
         4,
         0,
         10,
         {{0, 0}, {50, 0}, {100, 0}, {100, 110}, {0, 110}}},
        // A notch pulled out past its neighbours' ends becomes a bump: still a simple outline.
        {"notch into bump",
         kL,
         4,
         60,
         0,
         {{0, 0}, {100, 0}, {100, 50}, {110, 50}, {110, 100}, {0, 100}}},
    };
    for (const TCase& c : cases) {
        auto s = MakeArea(c.outline);
        s->Transform(c.hitIndex, c.dx, c.dy, Drag);
        // Vertex order and start stay as drawn: the handles keep their numbers mid-drag.
        ExpectVertices(s->Outline().vertex, c.expected, c.what);
    }
}

TEST_F(ShapeEditingTest, ZeroLengthEdgesAreSkipped) {
    // Vertex 1 is doubled: edge 1 has no length.
    const TVertices doubled = {{0, 0}, {100, 0}, {100, 0}, {100, 100}, {0, 100}};
    struct TCase {
        const char* what;
        int hitIndex;
        double dx, dy;
        TVertices expected;
    };
    const TCase cases[] = {
        {"the zero-length edge itself", 2, 10, 10, doubled},
        // The doubled corner goes along as one.
        {"top side", 1, 0, 10, {{0, 10}, {100, 10}, {100, 10}, {100, 100}, {0, 100}}},
        {"right side", 3, 10, 0, {{0, 0}, {110, 0}, {110, 0}, {110, 100}, {0, 100}}},
    };
    for (const TCase& c : cases) {
        auto s = MakeArea(doubled);
        s->Transform(c.hitIndex, c.dx, c.dy, Drag);
        ExpectVertices(s->Outline().vertex, c.expected, c.what);
    }
}

TEST_F(ShapeEditingTest, VertexSlidesAlongTheEdgeChosenOnTheFirstMove) {
    struct TCase {
        const char* what;
        double dx1, dy1, dx2, dy2;
        int axis;
        Tgpc_vertex expected;
    };
    // Vertex 1 of the square: incoming edge along +x, outgoing along +y.
    const TCase cases[] = {
        {"mostly along the incoming edge", 10, 3, 2, 20, 1, {112, 0}},
        {"mostly along the outgoing edge", 3, 10, -20, 2, 2, {100, 12}},
    };
    for (const TCase& c : cases) {
        Drag = TDragState(); // the editor's mouse press
        auto s = MakeArea(Rect(0, 0, 100, 100));
        s->Transform(1001, c.dx1, c.dy1, Drag);
        s->Transform(1001, c.dx2, c.dy2, Drag);
        EXPECT_EQ(Drag.VertexAxis, c.axis) << c.what;
        ExpectVertices(s->Outline().vertex, {{0, 0}, c.expected, {100, 100}, {0, 100}}, c.what);
    }

    // A move of nothing does not decide the axis.
    Drag = TDragState();
    auto s = MakeArea(Rect(0, 0, 100, 100));
    s->Transform(1001, 0, 0, Drag);
    EXPECT_EQ(Drag.VertexAxis, 0);
}

TEST_F(ShapeEditingTest, RefusedDragsLeaveTheOutlineBitIdentical) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct TCase {
        const char* what;
        TVertices outline;
        int hitIndex;
        double dx, dy;
    };
    const TCase cases[] = {
        {"bottom edge past its neighbours' meeting point", kTrapezoid, 3, 0, 80},
        // Its ends 0.00008 apart: the normalising clip merges them, a vertex would be lost.
        {"bottom edge shrunk below the clip's resolution", kTrapezoid, 3, 0, 74.9999},
        {"side dragged onto the opposite one", kRect, 2, -200, 0},
        {"side dragged through the opposite one", kRect, 2, -250, 0},
        // The notch's tip ends up on the moved top edge: the outline touches itself.
        {"side dragged onto a corner",
         {{0, 0}, {100, 0}, {100, 100}, {50, 40}, {0, 100}},
         1,
         0,
         40},
        {"vertex slid so that an edge crosses another", Rect(0, 0, 100, 100), 1001, -150, 0},
        {"not a number", kRect, 2, nan, 0},
        {"infinite", kRect, 2, inf, 0},
        {"beyond the clipper's range", kRect, 2, 1e300, 0},
        {"edge handle 0", kRect, 0, 10, 10},
        {"edge handle past the last edge", kRect, 5, 10, 10},
        {"vertex handle past the last vertex", kRect, 1004, 10, 10},
    };
    for (const TCase& c : cases) {
        auto s = MakeArea(c.outline);
        s->Transform(c.hitIndex, c.dx, c.dy, Drag);
        EXPECT_TRUE(BitIdentical(s->Outline().vertex, c.outline)) << c.what;
    }
}

TEST_F(ShapeEditingTest, InflateMovesEveryEdgeAndRefusesACollapse) {
    struct TCase {
        double size;
        bool ok;
        TVertices expected;
    };
    const TCase cases[] = {
        {10, true, Rect(10, 10, 90, 90)},
        {-10, true, Rect(-10, -10, 110, 110)},
        {50, false, Rect(0, 0, 100, 100)}, // nothing left
        {60, false, Rect(0, 0, 100, 100)}, // would come out turned over
    };
    for (const TCase& c : cases) {
        auto s = MakeArea(Rect(0, 0, 100, 100));
        EXPECT_EQ(s->Inflate(c.size), c.ok) << c.size;
        const std::string what = "Inflate " + std::to_string(c.size);
        ExpectVertices(s->Outline().vertex, c.expected, what);
        // The effective outline and edges follow on success and stay on refusal.
        ASSERT_EQ(s->VPolygon().num_contours(), 1) << what;
        ExpectVertices(s->VPolygon().contour[0].vertex, c.expected, what);
        ASSERT_EQ(s->FrameCount(), 4) << what;
        EXPECT_EQ(s->GetFrame(0).x, c.expected[0].x) << what;
    }
}

TEST_F(ShapeEditingTest, InflateNeedsAClosedOutlineOfThreeEdges) {
    auto open = MakeArea(Rect(0, 0, 100, 100));
    open->SetClosed(false);
    EXPECT_FALSE(open->Inflate(10));
    EXPECT_TRUE(BitIdentical(open->Outline().vertex, Rect(0, 0, 100, 100)));

    auto line = MakeArea({{0, 0}, {100, 0}});
    EXPECT_FALSE(line->Inflate(10));

    // The drawn outline is offset, so a covered area (no effective edges) can still be.
    auto covered = MakeArea(Rect(0, 0, 100, 100));
    covered->CutEffectiveOutline(covered->DrawnPolygon());
    covered->CreateV_VectorList();
    EXPECT_TRUE(covered->Inflate(10));
    ExpectVertices(covered->Outline().vertex, Rect(10, 10, 90, 90), "covered");
}

struct THandle {
    std::int64_t x, y;
    int hitIndex;
    THandleCursor cursor;
};

void ExpectHandles(TShape& s, const std::vector<THandle>& expected, const std::string& what) {
    std::vector<TGrabHandleInfo> list;
    s.GetGrabHandles(list);
    ASSERT_EQ(list.size(), expected.size()) << what;
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].x, expected[i].x) << what << " #" << i;
        EXPECT_EQ(list[i].y, expected[i].y) << what << " #" << i;
        EXPECT_EQ(list[i].HitIndex, expected[i].hitIndex) << what << " #" << i;
        EXPECT_EQ(list[i].Cursor, expected[i].cursor) << what << " #" << i;
        EXPECT_EQ(list[i].Target, &s) << what << " #" << i;
    }
}

TEST_F(ShapeEditingTest, GrabHandlesSitOnEdgeMidpoints) {
    using enum THandleCursor;
    // Midpoints at halves round to the even neighbour: 100.5 -> 100, 51.5 -> 52.
    auto rect = MakeArea(Rect(0, 0, 201, 103));
    ExpectHandles(
        *rect,
        {{100, 0, 1, SizeNS}, {201, 52, 2, SizeWE}, {100, 103, 3, SizeNS}, {0, 52, 4, SizeWE}},
        "rectangle");

    // The cursor runs across the edge whichever way round the edge goes (y points down: the
    // first edge runs from top-left to bottom-right and is dragged towards NE or SW).
    auto diamond = MakeArea({{50, 0}, {100, 50}, {50, 100}, {0, 50}});
    ExpectHandles(*diamond,
                  {{75, 25, 1, SizeNESW},
                   {75, 75, 2, SizeNWSE},
                   {25, 75, 3, SizeNESW},
                   {25, 25, 4, SizeNWSE}},
                  "diamond");

    // Edges within 22.5 degrees of an axis (here about 18) take that axis's cursor.
    auto kite = MakeArea({{0, 0}, {300, 100}, {400, 400}, {100, 300}});
    ExpectHandles(
        *kite,
        {{150, 50, 1, SizeNS}, {350, 250, 2, SizeWE}, {250, 350, 3, SizeNS}, {50, 150, 4, SizeWE}},
        "kite");

    // No handle across a zero-length edge; the others keep their edge numbers.
    auto doubled = MakeArea({{0, 0}, {100, 0}, {100, 0}, {100, 100}, {0, 100}});
    ExpectHandles(
        *doubled,
        {{50, 0, 1, SizeNS}, {100, 50, 3, SizeWE}, {50, 100, 4, SizeNS}, {0, 50, 5, SizeWE}},
        "doubled vertex");
}

TEST_F(ShapeEditingTest, LaidAreaHasNoGrabHandles) {
    for (const TVektor& direction : {TVektor(0, 0, 100, 0), TVektor(5, 0, 5, 0)}) {
        auto s = MakeArea(kRect);
        s->SetVerlegeRichtung(direction);
        ExpectHandles(*s, {}, "laid");
    }
}

} // namespace
