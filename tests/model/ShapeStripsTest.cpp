// Edge strips: one slot per edge of the effective outline, each strip's centre line half its
// width plus 1 cm inside along its own edge.

#include "catalogue/Leisten.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/GraphLeiste.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "support/PlanObjects.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using TOutline = std::vector<Tgpc_vertex>;

class ShapeStrips : public testing::Test {
protected:
    TCatalogue fCatalogue;
    TPlanDocument fPlan;

    void SetUp() override {
        TProductGroup* group =
            fCatalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Leisten")));
        const auto add = [&](const char* number, double width) {
            auto strip = std::make_unique<TLeiste>();
            strip->Typ = ptLeiste;
            strip->ArtikelNr.SetText(QString::fromLatin1(number));
            strip->VBreite = width;
            strip->ImageFileName.SetText(QStringLiteral("winkel.jpg"));
            strip->Color = RGBColor(192, 192, 192);
            group->Products.Add(std::move(strip));
        };
        add("S4", 4);   // centre lines 3 inside
        add("S10", 10); // 6 inside
    }

    // An area of the plan, with holes cut by areas above it.
    TShape& Area(const TOutline& outline, const std::vector<TOutline>& holes = {}) {
        auto shape = std::make_unique<TShape>();
        shape->SetOutline(outline);
        shape->SetClosed(true);
        TShape* area = shape.get();
        fPlan.ShapeList.push_back(std::move(shape));
        for (const TOutline& h : holes) {
            auto hole = std::make_unique<TShape>();
            hole->SetOutline(h);
            hole->SetClosed(true);
            fPlan.ShapeList.push_back(std::move(hole));
        }
        fPlan.UpdateShapes();
        return *area;
    }

    static const TGraphLeiste& Strip(const TShape& area, int i) {
        return dynamic_cast<const TGraphLeiste&>(*area.Verleistung().at(static_cast<size_t>(i)));
    }
};

// Checked from the geometry alone: the strip runs along edge i in its direction, at the
// distance inside, touching the edge's stretch, its both ends inside the area.
void ExpectAlongEdge(const TShape& area, int i, const TGraphLeiste& strip, double distance) {
    SCOPED_TRACE(testing::Message() << "edge " << i);
    const TVektor& e = area.GetFrame(i);
    const TVektor& v = strip.Vektor;
    const double len = e.Betrag();
    ASSERT_GT(v.Betrag(), 0);
    EXPECT_NEAR((v.rx * e.rx + v.ry * e.ry) / (len * v.Betrag()), 1, 1e-9);
    for (auto [px, py] : {std::pair{v.x, v.y}, std::pair{v.EndX(), v.EndY()}}) {
        EXPECT_NEAR(e.Abstand(px, py), distance, 1e-6);
        EXPECT_TRUE(PointInGPCPolygon(area.VPolygon(), px, py)) << px << ", " << py;
    }
    const double mx = v.x + v.rx / 2, my = v.y + v.ry / 2;
    EXPECT_TRUE(PointInGPCPolygon(area.VPolygon(), mx, my));
    // Never closer to another edge than to its own.
    for (int k = 0; k < area.FrameCount(); ++k) {
        const TVektor& f = area.GetFrame(k);
        const double t = std::clamp(
            ((mx - f.x) * f.rx + (my - f.y) * f.ry) / (f.Betrag() * f.Betrag()), 0.0, 1.0);
        EXPECT_GE(std::hypot(mx - f.x - t * f.rx, my - f.y - t * f.ry), distance - 1e-6) << k;
    }
}

TEST_F(ShapeStrips, A4cmStripRunsItsCentreLine3cmInside) {
    TShape& area = Area({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    ASSERT_EQ(area.Verleistung().size(), 4u); // empty slots after the shape update
    EXPECT_EQ(area.VerLeisten(fCatalogue, nullptr, QStringLiteral("S4")), 0);
    for (int i = 0; i < 4; ++i) {
        const TGraphLeiste& s = Strip(area, i);
        EXPECT_EQ(s.ArtikelNr.Text(), QStringLiteral("S4"));
        EXPECT_EQ(s.Breite, 4);
        EXPECT_EQ(s.ImageFileName.Text(), QStringLiteral("winkel.jpg"));
        EXPECT_EQ(s.Color, RGBColor(192, 192, 192));
        EXPECT_EQ(s.ParentShape, &area);
        ExpectAlongEdge(area, i, s, 3);
    }
    // The mitred corners: each centre line ends where its neighbours' begin.
    for (int i = 0; i < 4; ++i) {
        const TVektor& a = Strip(area, i).Vektor;
        const TVektor& b = Strip(area, (i + 1) % 4).Vektor;
        EXPECT_NEAR(a.EndX(), b.x, 1e-9);
        EXPECT_NEAR(a.EndY(), b.y, 1e-9);
    }
}

TEST_F(ShapeStrips, LShapeAndHoleGetAStripOnEveryEdge) {
    TShape& l = Area({{0, 0}, {400, 0}, {400, 100}, {200, 100}, {200, 200}, {0, 200}});
    l.VerLeisten(fCatalogue, nullptr, QStringLiteral("S10"));
    ASSERT_EQ(l.FrameCount(), 6);
    for (int i = 0; i < 6; ++i)
        ExpectAlongEdge(l, i, Strip(l, i), 6);

    fPlan.ShapeList.clear();
    TShape& holed = Area({{0, 0}, {500, 0}, {500, 300}, {0, 300}},
                         {{{200, 100}, {300, 100}, {300, 200}, {200, 200}}});
    ASSERT_EQ(holed.FrameCount(), 8);
    holed.VerLeisten(fCatalogue, nullptr, QStringLiteral("S4"));
    for (int i = 0; i < 8; ++i)
        ExpectAlongEdge(holed, i, Strip(holed, i), 3);
}

TEST_F(ShapeStrips, SpikesAndNarrowPartsNeverPutAStripOnAnotherEdgeOrOutside) {
    struct TCase {
        const char* name;
        TOutline outline;
    };
    const TCase cases[] = {
        {"spike", {{0, 0}, {300, 0}, {300, 150}, {152, 150}, {151, 250}, {150, 150}, {0, 150}}},
        {"corridor",
         {{0, 0}, {200, 0}, {200, 98}, {400, 98}, {400, 102}, {200, 102}, {200, 200}, {0, 200}}},
        {"short edge", {{0, 0}, {300, 0}, {300, 100}, {299, 101}, {0, 101}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        fPlan.ShapeList.clear();
        TShape& area = Area(c.outline);
        const int withoutRoom = area.VerLeisten(fCatalogue, nullptr, QStringLiteral("S10"));
        ASSERT_EQ(static_cast<int>(area.Verleistung().size()), area.FrameCount());
        int laid = 0;
        for (int i = 0; i < area.FrameCount(); ++i) {
            const TGraphLeiste& s = Strip(area, i);
            if (s.ArtikelNr.Text().isEmpty()) continue;
            ++laid;
            ExpectAlongEdge(area, i, s, 6);
        }
        EXPECT_EQ(laid + withoutRoom, area.FrameCount());
        EXPECT_GE(laid, 4);
    }
}

TEST_F(ShapeStrips, ChosenEdgesEmptyListAndUnknownArticles) {
    TShape& area = Area({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    const std::vector<int> some = {1, 3, 17, -1};
    area.VerLeisten(fCatalogue, &some, QStringLiteral("S4"));
    EXPECT_TRUE(Strip(area, 0).ArtikelNr.Text().isEmpty());
    EXPECT_EQ(Strip(area, 1).ArtikelNr.Text(), QStringLiteral("S4"));
    EXPECT_TRUE(Strip(area, 2).ArtikelNr.Text().isEmpty());
    EXPECT_EQ(Strip(area, 3).ArtikelNr.Text(), QStringLiteral("S4"));
    // Another article on one edge replaces only that strip.
    const std::vector<int> one = {3};
    area.VerLeisten(fCatalogue, &one, QStringLiteral("S10"));
    EXPECT_EQ(Strip(area, 1).ArtikelNr.Text(), QStringLiteral("S4"));
    EXPECT_EQ(Strip(area, 3).ArtikelNr.Text(), QStringLiteral("S10"));
    ExpectAlongEdge(area, 3, Strip(area, 3), 6);
    // An article the catalogue does not have changes nothing.
    area.VerLeisten(fCatalogue, nullptr, QStringLiteral("gibtsnicht"));
    EXPECT_EQ(Strip(area, 1).ArtikelNr.Text(), QStringLiteral("S4"));
    // An empty list empties every slot.
    const std::vector<int> none;
    area.VerLeisten(fCatalogue, &none, QStringLiteral("S4"));
    ASSERT_EQ(area.Verleistung().size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Strip(area, i).ArtikelNr.Text().isEmpty());
}

TEST_F(ShapeStrips, StripsStayWithTheirEdgesWhenTheOutlineChanges) {
    TShape& area = Area({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    const std::vector<int> top = {0}; // (0, 0) - (300, 0) in the effective outline's order
    const int topEdge = [&] {
        for (int i = 0; i < area.FrameCount(); ++i)
            if (area.GetFrame(i).y == 0 && area.GetFrame(i).EndY() == 0) return i;
        return -1;
    }();
    ASSERT_GE(topEdge, 0);
    const std::vector<int> chosen = {topEdge};
    area.VerLeisten(fCatalogue, &chosen, QStringLiteral("S4"));

    // Moved as a whole: the strip moves with the area.
    area.Move(50, 20);
    fPlan.UpdateShapes();
    const auto findUsed = [&] {
        std::vector<int> used;
        for (int i = 0; i < area.FrameCount(); ++i)
            if (!Strip(area, i).ArtikelNr.Text().isEmpty()) used.push_back(i);
        return used;
    };
    std::vector<int> used = findUsed();
    ASSERT_EQ(used.size(), 1u);
    EXPECT_NEAR(area.GetFrame(used[0]).y, 20, 1e-9);
    EXPECT_NEAR(area.GetFrame(used[0]).EndY(), 20, 1e-9);
    ExpectAlongEdge(area, used[0], Strip(area, used[0]), 3);

    // A vertex added on the opposite side: the edge count changes, the strip stays on its edge.
    std::vector<Tgpc_vertex> outline = area.Outline().vertex;
    outline.insert(outline.begin() + 3, Tgpc_vertex{200, 260});
    area.SetOutline(outline);
    fPlan.UpdateShapes();
    ASSERT_EQ(area.FrameCount(), 5);
    used = findUsed();
    ASSERT_EQ(used.size(), 1u);
    EXPECT_NEAR(area.GetFrame(used[0]).y, 20, 1e-9);
    ExpectAlongEdge(area, used[0], Strip(area, used[0]), 3);

    // A corner of the strip's edge dragged: the edge keeps its strip, its line follows.
    outline = area.Outline().vertex;
    for (Tgpc_vertex& v : outline)
        if (v.x == 350 && v.y == 20) v = {370, 0};
    area.SetOutline(outline);
    fPlan.UpdateShapes();
    used = findUsed();
    ASSERT_EQ(used.size(), 1u);
    EXPECT_NEAR(area.GetFrame(used[0]).x + area.GetFrame(used[0]).EndX(), 50 + 370, 1e-9);
    ExpectAlongEdge(area, used[0], Strip(area, used[0]), 3);
}

TEST_F(ShapeStrips, StripsTravelThroughAPlanFileAsLaid) {
    TShape& area = Area({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    const std::vector<int> two = {0, 2};
    area.VerLeisten(fCatalogue, &two, QStringLiteral("S4"));
    const auto back = ReadPlan(PlanBytes(fPlan));
    const TShape& loaded = *back->ShapeList[0];
    ASSERT_EQ(loaded.Verleistung().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Strip(loaded, i).ArtikelNr.Text(), Strip(area, i).ArtikelNr.Text());
        EXPECT_TRUE(Strip(loaded, i).Vektor.IsEqual(Strip(area, i).Vektor));
    }
}

} // namespace
