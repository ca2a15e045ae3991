#include "model/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

static void PrintTo(const Tgpc_vertex& v, std::ostream* os) {
    *os << "(" << v.x << ", " << v.y << ")";
}

namespace {

using TVertices = std::vector<Tgpc_vertex>;

TVertices Rect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

std::unique_ptr<TShape> MakeArea(const TVertices& vertices, bool closed = true) {
    auto s = std::make_unique<TShape>();
    for (const Tgpc_vertex& v : vertices)
        s->AddVertex(v);
    s->SetClosed(closed);
    s->CopyF2Vpolygon();
    s->CreateV_VectorList();
    return s;
}

// The effective outline a cut-out strictly inside leaves: the drawn square minus an inner
// square, the hole running the other way round as the clipper returns it.
std::unique_ptr<TShape> SquareWithHole(const TVertices& outer, const TVertices& hole) {
    auto s = MakeArea(outer);
    Tgpc_vertex_list h;
    h.vertex = hole;
    Tgpc_polygon above;
    above.AddContour(h, false);
    EXPECT_TRUE(s->CutEffectiveOutline(above));
    s->CreateV_VectorList();
    return s;
}

// Completely covered by a cut-out above it: no effective outline left.
void Cover(TShape& s) {
    s.CutEffectiveOutline(s.DrawnPolygon());
}

TEST(ShapeOutlineTest, EdgeListRunsVertexToVertexContourByContour) {
    const TVertices outer = Rect(0, 0, 100, 100);
    const TVertices hole = Rect(10, 10, 30, 30);
    auto s = SquareWithHole(outer, hole);
    ASSERT_EQ(s->FrameCount(), 8);
    std::size_t e = 0;
    for (const auto& c : s->VPolygon().contour) {
        const auto& v = c.vertex;
        for (std::size_t i = 0; i < v.size(); ++i, ++e) {
            const TVektor& edge = s->GetFrame(static_cast<int>(e));
            const Tgpc_vertex& next = v[(i + 1) % v.size()];
            EXPECT_EQ(edge.x, v[i].x) << "edge " << e;
            EXPECT_EQ(edge.y, v[i].y) << "edge " << e;
            EXPECT_EQ(edge.EndX(), next.x) << "edge " << e;
            EXPECT_EQ(edge.EndY(), next.y) << "edge " << e;
        }
    }

    // Awkward coordinates: the start is the vertex itself, the end as close as doubles allow.
    auto odd = MakeArea({{0.1, 0.7}, {1e5 + 0.3, 0.2}, {0.3, 1e-7 + 3}});
    ASSERT_EQ(odd->FrameCount(), 3);
    EXPECT_EQ(odd->GetFrame(1).x, 1e5 + 0.3);
    EXPECT_NEAR(odd->GetFrame(0).EndX(), odd->GetFrame(1).x, 1e-10);
    EXPECT_NEAR(odd->GetFrame(2).EndY(), 0.7, 1e-15);

    // While the outline is being drawn there is no closing edge.
    auto open = MakeArea({{0, 0}, {50, 0}, {50, 50}}, false);
    ASSERT_EQ(open->FrameCount(), 2);
    EXPECT_TRUE(open->GetFrame(1).IsEqual(TVektor(50, 0, 50, 50)));
}

TEST(ShapeOutlineTest, TotalsCountTheHole) {
    auto s = SquareWithHole(Rect(0, 0, 100, 100), Rect(10, 10, 30, 30));
    s->BerechneUmfang();
    s->BerechneFlaeche();
    s->BerechneSchwerpunkt();
    EXPECT_DOUBLE_EQ(s->Umfang(), 4.8);          // 400 cm outside + 80 cm around the hole
    EXPECT_DOUBLE_EQ(s->Flaeche(), 0.96);        // 10 000 - 400 cm²
    EXPECT_DOUBLE_EQ(s->Schwerpunkt().x, 51.25); // (50·10 000 - 20·400) / 9 600
    EXPECT_DOUBLE_EQ(s->Schwerpunkt().y, 51.25);
}

TEST(ShapeOutlineTest, TotalsOfAnAreaWithoutAreaStayFinite) {
    // Completely covered: no effective outline left.
    auto covered = MakeArea(Rect(0, 0, 100, 100));
    Cover(*covered);
    covered->CreateV_VectorList();
    covered->BerechneUmfang();
    covered->BerechneFlaeche();
    covered->BerechneSchwerpunkt();
    EXPECT_EQ(covered->FrameCount(), 0);
    EXPECT_EQ(covered->Umfang(), 0);
    EXPECT_EQ(covered->Flaeche(), 0);
    EXPECT_EQ(covered->Schwerpunkt(), (Tgpc_vertex{0, 0}));

    // An outline folded onto a line encloses nothing: the centre of its box.
    auto flat = MakeArea({{0, 0}, {100, 0}, {40, 0}});
    flat->BerechneFlaeche();
    flat->BerechneSchwerpunkt();
    EXPECT_EQ(flat->Flaeche(), 0);
    EXPECT_EQ(flat->Schwerpunkt(), (Tgpc_vertex{50, 0}));
}

TEST(ShapeOutlineTest, PointInObjectUsesTheHalfOpenCrossingRule) {
    auto s = SquareWithHole(Rect(0, 0, 100, 100), Rect(40, 40, 60, 60));
    struct TCase {
        double x, y;
        bool inside;
        const char* what;
    };
    const TCase cases[] = {
        {10, 10, true, "inside"},
        {150, 50, false, "right of the area"},
        {-1, 50, false, "left of the area"},
        {50, 50, false, "in the hole"},
        {39, 50, true, "beside the hole"},
        // On a horizontal edge only the other edges decide: at the top the right side counts,
        // at the bottom no edge includes that height.
        {50, 0, true, "on the top edge"},
        {50, 100, false, "on the bottom edge"},
        {0, 0, true, "top-left vertex"},
        {100, 0, false, "top-right vertex"},
        {0, 100, false, "bottom-left vertex"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(s->PointInObject(c.x, c.y), c.inside) << c.what;

    // A ray through two vertices where the outline turns is counted once per crossing.
    auto diamond = MakeArea({{50, 0}, {100, 50}, {50, 100}, {0, 50}});
    EXPECT_FALSE(diamond->PointInObject(-10, 50));
    EXPECT_TRUE(diamond->PointInObject(50, 50));
    EXPECT_TRUE(diamond->PointInObject(1, 50));
    EXPECT_FALSE(diamond->PointInObject(50, -1));

    s->SetClosed(false);
    EXPECT_FALSE(s->PointInObject(10, 10));
}

TEST(ShapeOutlineTest, ValidateTable) {
    struct TCase {
        const char* what;
        TVertices vertices;
        bool closed;
        int expected;
    };
    const TCase cases[] = {
        {"triangle", {{0, 0}, {100, 0}, {50, 80}}, true, vrOk},
        {"concave L", {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}}, true, vrOk},
        {"collinear vertex kept", {{0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}}, true, vrOk},
        {"repeated vertex", {{0, 0}, {100, 0}, {100, 0}, {100, 100}, {0, 100}}, true, vrOk},
        {"crossed quadrilateral", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, true, vrSelfCrossing},
        {"vertex touching another edge",
         {{0, 0}, {100, 0}, {100, 100}, {50, 0}, {0, 100}},
         true,
         vrSelfCrossing},
        {"folds back along itself", {{0, 0}, {100, 0}, {50, 0}, {50, 50}}, true, vrDegenerate},
        // Out and back to the same vertex: the outline meets itself at the spike's foot.
        {"spike",
         {{0, 0}, {100, 0}, {100, 100}, {50, 100}, {50, 150}, {50, 100}, {0, 100}},
         true,
         vrSelfCrossing},
        {"corner folded back into its edge",
         {{0, 0}, {100, 0}, {100, 100}, {100, 50}, {0, 100}},
         true,
         vrDegenerate},
        {"collinear, no area", {{0, 0}, {50, 0}, {100, 0}}, true, vrDegenerate},
        {"two vertices", {{0, 0}, {100, 0}}, true, vrDegenerate},
        {"two distinct of three", {{0, 0}, {100, 50}, {100, 50}}, true, vrDegenerate},
        {"no vertices", {}, true, vrDegenerate},
        {"not a number", {{0, 0}, {std::nan(""), 0}, {0, 10}}, true, vrDegenerate},
        {"thin sliver", {{0, 0}, {1, 0}, {2, 1e-10}}, true, vrDegenerate},
        {"tiny triangle below the area limit", {{0, 0}, {1e-5, 0}, {0, 1e-5}}, true, vrDegenerate},
        // While being drawn an outline only has to keep clear of itself.
        {"open, one vertex", {{0, 0}}, false, vrOk},
        {"open, one edge", {{0, 0}, {100, 0}}, false, vrOk},
        {"open, going back over itself", {{0, 0}, {100, 0}, {50, 0}}, false, vrDegenerate},
        {"open, crossing", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, false, vrSelfCrossing},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MakeArea(c.vertices, c.closed)->Validate(), c.expected) << c.what;

    // The effective outline counts: a valid outline with a hole strictly inside passes.
    EXPECT_EQ(SquareWithHole(Rect(0, 0, 100, 100), Rect(40, 40, 60, 60))->Validate(), vrOk);
}

TEST(ShapeOutlineTest, QueryClosePolyIsStrictAndPicksTheOppositeEnd) {
    auto s = MakeArea({{0, 0}, {50, 0}, {50, 50}}, false);
    struct TCase {
        double x, y;
        bool insert;
        bool closes;
        Tgpc_vertex result;
        const char* what;
    };
    const TCase cases[] = {
        {5, 0, false, false, {5, 0}, "exactly MaxAbstand away in x"},
        {0, -5, false, false, {0, -5}, "exactly MaxAbstand away in y"},
        {4.9, -4.9, false, true, {0, 0}, "within the window of the first vertex"},
        {54, 46, true, true, {50, 50}, "inserting: the last vertex closes"},
        {1, 1, true, false, {1, 1}, "inserting: the first vertex does not"},
    };
    for (const TCase& c : cases) {
        double px = c.x, py = c.y;
        EXPECT_EQ(s->QueryClosePoly(px, py, c.insert, 5), c.closes) << c.what;
        EXPECT_EQ((Tgpc_vertex{px, py}), c.result) << c.what;
    }

    auto single = MakeArea({{0, 0}}, false);
    double px = 1, py = 1;
    EXPECT_FALSE(single->QueryClosePoly(px, py, false, 5));
}

void ExpectShapeError(const std::function<void()>& call, const std::string& message) {
    try {
        call();
        ADD_FAILURE() << "no EShapeError, expected: " << message;
    } catch (const EShapeError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

TEST(ShapeOutlineTest, VertexIndexErrorsLeaveTheOutlineAlone) {
    auto s = MakeArea({{0, 0}, {50, 0}, {50, 50}}, false);
    const TVertices before = s->Outline().vertex;
    for (int index : {-1, 4})
        ExpectShapeError(
            [&] {
                s->InsertVertex(index, {9, 9});
            },
            "InsertVertex gpc_contur Index Fehler");
    for (int index : {-1, 3})
        ExpectShapeError([&] { s->DeleteVertex(index); }, "DeleteVertex gpc_contur Index Fehler");
    EXPECT_EQ(s->Outline().vertex, before);

    s->InsertVertex(3, {0, 50}); // at the count: appends
    s->InsertVertex(0, {-1, -1});
    s->DeleteVertex(2);
    EXPECT_EQ(s->Outline().vertex, (TVertices{{-1, -1}, {0, 0}, {50, 50}, {0, 50}}));
}

TEST(ShapeOutlineTest, VektorFromPointFindsTheNearestEdgeWithAFoot) {
    auto square = MakeArea(Rect(0, 0, 100, 100));
    struct TCase {
        double x, y, max;
        int edge; // -1: none
        const char* what;
    };
    const TCase cases[] = {
        {50, 3, 10, 0, "near the top"},
        {3, 50, 10, 3, "near the left (closing edge)"},
        {5, 5, 10, 0, "tie between top and left: the earlier edge"},
        {95, 95, 10, 1, "tie between right and bottom: the earlier edge"},
        {50, 5, 5, -1, "distance equal to MaxAbstand"},
        {50, 5, 5.0001, 0, "just below MaxAbstand"},
        {50, -3, 10, -1, "outside the area"},
    };
    for (const TCase& c : cases) {
        const TVektor* found = square->VektorFromPoint(c.x, c.y, c.max);
        if (c.edge < 0)
            EXPECT_EQ(found, nullptr) << c.what;
        else
            EXPECT_EQ(found, &square->GetFrame(c.edge)) << c.what;
    }

    // The line of the notch's floor (edge 2) is nearer, but the perpendicular from the point
    // misses the edge itself.
    auto l = MakeArea({{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}});
    EXPECT_EQ(l->VektorFromPoint(45, 52, 30), &l->GetFrame(3));

    square->SetClosed(false);
    EXPECT_EQ(square->VektorFromPoint(50, 3, 10), nullptr);
}

TEST(ShapeOutlineTest, LatteFromPointSearchesAllBattensWithoutContainment) {
    auto s = MakeArea(Rect(0, 0, 100, 100));
    s->AddVerlattung(QStringLiteral("L1"), {TVektor(0, 20, 100, 20)});
    s->AddVerlattung(QStringLiteral("L2"), {TVektor(0, 60, 100, 60), TVektor(0, 40, 100, 40)});
    EXPECT_EQ(s->LatteFromPoint(50, 42, 10), &s->VerlattungColl()[1].Vektoren[1]);
    EXPECT_EQ(s->LatteFromPoint(50, 30, 15), &s->VerlattungColl()[0].Vektoren[0]); // tie: earlier
    EXPECT_EQ(s->LatteFromPoint(50, -5, 30), &s->VerlattungColl()[0].Vektoren[0]); // outside
    EXPECT_EQ(s->LatteFromPoint(150, 20, 10), nullptr); // beyond the batten's end
    s->SetClosed(false);
    EXPECT_EQ(s->LatteFromPoint(50, 42, 10), nullptr);
}

TEST(ShapeOutlineTest, IntersectionsWithOutlineEdges) {
    auto s = MakeArea(Rect(0, 0, 100, 100));
    double px = -1, py = -1;
    EXPECT_TRUE(s->Schnittpunkt(TVektor(50, -10, 50, 10), 0, px, py));
    EXPECT_EQ((Tgpc_vertex{px, py}), (Tgpc_vertex{50, 0}));
    EXPECT_TRUE(s->Schnittpunkt(TVektor(-10, 50, 10, 50), 3, px, py)); // the closing edge
    EXPECT_EQ((Tgpc_vertex{px, py}), (Tgpc_vertex{0, 50}));
    EXPECT_FALSE(s->Schnittpunkt(TVektor(50, -10, 50, 10), 1, px, py));   // parallel
    EXPECT_FALSE(s->Schnittpunkt(TVektor(200, -10, 200, 10), 0, px, py)); // beyond the edge
    EXPECT_FALSE(s->Schnittpunkt(TVektor(50, -10, 50, 10), 4, px, py));   // no such edge

    // Free: the infinite lines, the point on the edge's line even beyond the edge.
    EXPECT_TRUE(s->SchnittpunktFree(TVektor(0, 150, 10, 160), 1, px, py));
    EXPECT_EQ((Tgpc_vertex{px, py}), (Tgpc_vertex{100, 250}));
    px = py = -1;
    EXPECT_FALSE(s->SchnittpunktFree(TVektor(0, 150, 10, 150), 0, px, py));
    EXPECT_EQ((Tgpc_vertex{px, py}), (Tgpc_vertex{-1, -1}));
}

TEST(ShapeOutlineTest, ExtentsOfTheEffectiveOutline) {
    auto s = MakeArea({{0.5, -2.5}, {2.5, 1.5}, {1.5, 3.5}});
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    s->GetExtent(x1, y1, x2, y2);
    EXPECT_EQ((std::vector<double>{x1, y1, x2, y2}), (std::vector<double>{0.5, -2.5, 2.5, 3.5}));
    const TIntRect r = s->GetExtentRect(); // halves to the even neighbour
    EXPECT_EQ((std::vector<std::int64_t>{r.Left, r.Top, r.Right, r.Bottom}),
              (std::vector<std::int64_t>{0, -2, 2, 4}));

    Cover(*s);
    const TIntRect empty = s->GetExtentRect();
    EXPECT_EQ((std::vector<std::int64_t>{empty.Left, empty.Top, empty.Right, empty.Bottom}),
              (std::vector<std::int64_t>{1000000, 1000000, -1000000, -1000000}));
}

TEST(ShapeOutlineTest, ClipCacheRoundsTiesToEvenAndLeavesTheHoleOut) {
    auto s = SquareWithHole(Rect(0.5, -1.5, 100.5, 99.5), Rect(25.5, 25.5, 74.5, 74.5));
    s->UpdateClipRgn();
    EXPECT_EQ(s->PolygonCount(), 2);
    EXPECT_EQ(s->PolyPointCount(), (std::vector<std::int32_t>{4, 4}));
    // Contour by contour in the clipper's order: the outer ring, then the hole.
    const std::vector<QPoint> expected = {{100, 100}, {0, 100}, {0, -2},  {100, -2},
                                          {26, 26},   {26, 74}, {74, 74}, {74, 26}};
    EXPECT_EQ(s->PolyPoints(), expected);
    EXPECT_EQ(s->ClipPath().fillRule(), Qt::OddEvenFill);
    EXPECT_TRUE(s->ClipPath().contains(QPointF(10, 10)));
    EXPECT_FALSE(s->ClipPath().contains(QPointF(50, 50)));
    EXPECT_FALSE(s->ClipPath().contains(QPointF(150, 50)));

    // An open area has no cache; the previous one goes.
    s->SetClosed(false);
    s->UpdateClipRgn();
    EXPECT_EQ(s->PolygonCount(), 0);
    EXPECT_TRUE(s->PolyPointCount().empty());
    EXPECT_TRUE(s->PolyPoints().empty());
    EXPECT_TRUE(s->ClipPath().isEmpty());
}

TEST(ShapeOutlineTest, SetVektorFlagsMasksEveryEdge) {
    auto s = SquareWithHole(Rect(0, 0, 100, 100), Rect(40, 40, 60, 60));
    s->SetVektorFlags(0, 0b1010);
    s->SetVektorFlags(0b0110, 0b0001);
    for (int i = 0; i < s->FrameCount(); ++i)
        EXPECT_EQ(s->GetFrame(i).Flags, 0b0011) << "edge " << i;
}

} // namespace
