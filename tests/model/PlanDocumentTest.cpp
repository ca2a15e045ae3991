#include "model/PlanDocument.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class TRecordingHost : public IPlanHost {
public:
    QStringList Status;
    int Beeps = 0, Repaints = 0, OfferGridClears = 0, RequirementClears = 0, SelectionClears = 0,
        Summen = 0;
    TShape* Selected = nullptr;
    bool Moving = false;

    void StatusText(int Panel, const QString& Text) override {
        if (Panel == 0) Status << Text;
    }
    void Beep() override { ++Beeps; }
    void Repaint() override { ++Repaints; }
    void ClearOfferGrid() override { ++OfferGridClears; }
    void ClearRequirement() override { ++RequirementClears; }
    void ClearSelections() override { ++SelectionClears; }
    void SelectShape(TShape* Shape) override { Selected = Shape; }
    void SummenChanged() override { ++Summen; }
    bool InteractiveMoveInProgress() const override { return Moving; }
    void ReportError(const QString& Message) override { Errors << Message; }
    QStringList Errors;
};

std::unique_ptr<TShape> Polygon(std::initializer_list<Tgpc_vertex> vertices) {
    auto s = std::make_unique<TShape>();
    for (const Tgpc_vertex& v : vertices)
        s->AddVertex(v);
    return s;
}

std::unique_ptr<TShape> Rect(double x1, double y1, double x2, double y2) {
    return Polygon({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

class PlanDocumentTest : public ::testing::Test {
protected:
    TRecordingHost host;
    TPlanDocument doc{&host};

    TShape* Add(std::unique_ptr<TShape> s) {
        TShape* raw = s.get();
        EXPECT_EQ(doc.AddShape(std::move(s)), 0);
        return raw;
    }
};

TEST_F(PlanDocumentTest, NewDocumentDefaults) {
    TPlanDocument fresh;
    EXPECT_TRUE(fresh.ShapeList.empty());
    EXPECT_TRUE(fresh.TextList.empty());
    EXPECT_TRUE(fresh.TextListUK.empty());
    EXPECT_TRUE(fresh.CommonModulList.empty());
    EXPECT_TRUE(fresh.UserAngebotsList.empty());
    EXPECT_TRUE(fresh.Comment.IsEmpty());
    EXPECT_EQ(fresh.ZoomIndex, 3);
    EXPECT_EQ(fresh.Start.x, -50);
    EXPECT_EQ(fresh.Start.y, -50);
    EXPECT_FALSE(fresh.Modified);
    EXPECT_TRUE(fresh.FileName.isEmpty());
    EXPECT_TRUE(fresh.KundenName.isEmpty());
}

TEST_F(PlanDocumentTest, AddShapeAppendsSelectsAndMarksModified) {
    TShape* a = Add(Rect(0, 0, 100, 100));
    ASSERT_EQ(doc.ShapeList.size(), 1u);
    EXPECT_EQ(doc.ShapeList[0].get(), a);
    EXPECT_TRUE(a->Closed());
    EXPECT_EQ(host.Selected, a);
    EXPECT_EQ(host.OfferGridClears, 1);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(a->FrameCount(), 4);
}

TEST_F(PlanDocumentTest, AddShapeRefusesCrossedAndDegenerateOutlines) {
    EXPECT_EQ(doc.AddShape(Polygon({{0, 0}, {10, 10}, {10, 0}, {0, 10}})), 1);
    EXPECT_EQ(host.Beeps, 1);
    ASSERT_FALSE(host.Status.isEmpty());
    EXPECT_EQ(host.Status.back(), QStringLiteral(" Linien dürfen sich nicht selbst schneiden !"));
    EXPECT_EQ(doc.AddShape(Polygon({{0, 0}, {100, 0}, {50, 0}, {50, 50}})), 2);
    EXPECT_EQ(doc.AddShape(Polygon({{0, 0}, {100, 0}})), 2);
    EXPECT_EQ(doc.AddShape(nullptr), 2);
    EXPECT_TRUE(doc.ShapeList.empty());
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(host.Selected, nullptr);
}

TEST_F(PlanDocumentTest, LaterAreasCutThemselvesOutOfEarlierOnes) {
    TShape* a = Add(Rect(0, 0, 100, 100));
    TShape* b = Add(Rect(50, 0, 150, 100));
    doc.UpdateShapes();
    EXPECT_NEAR(a->Flaeche(), 0.5, 1e-9);
    EXPECT_NEAR(b->Flaeche(), 1.0, 1e-9);
    EXPECT_NEAR(a->Umfang(), 3.0, 1e-9);
    EXPECT_TRUE(a->PointInObject(25, 50));
    EXPECT_FALSE(a->PointInObject(75, 50));
    EXPECT_EQ(doc.ShapeFromPoint(75, 50), b);
    EXPECT_EQ(doc.ShapeFromPoint(25, 50), a);
    EXPECT_EQ(doc.ShapeFromPoint(500, 50), nullptr);

    // An area that cuts nothing out: both keep their full outlines.
    b->SetAussparung(false);
    doc.UpdateShapes();
    EXPECT_NEAR(a->Flaeche(), 1.0, 1e-9);
    EXPECT_NEAR(b->Flaeche(), 1.0, 1e-9);
    EXPECT_EQ(doc.ShapeFromPoint(75, 50), b); // still the topmost
}

TEST_F(PlanDocumentTest, CutOutInsideGivesAHoleWithItsEdges) {
    TShape* a = Add(Rect(0, 0, 100, 100));
    Add(Rect(25, 25, 75, 75));
    doc.UpdateShapes();
    ASSERT_EQ(a->VPolygon().num_contours(), 2);
    int holes = 0;
    for (int h : a->VPolygon().hole)
        holes += h != 0;
    EXPECT_EQ(holes, 1);
    EXPECT_EQ(a->FrameCount(), 8);
    EXPECT_NEAR(a->Flaeche(), 0.75, 1e-9);
    EXPECT_NEAR(a->Umfang(), 6.0, 1e-9); // 4 m outside plus 2 m around the hole
    EXPECT_FALSE(a->PointInObject(50, 50));
    EXPECT_TRUE(a->PointInObject(10, 50));
    EXPECT_NEAR(a->Schwerpunkt().x, 50, 1e-9);
    EXPECT_NEAR(a->Schwerpunkt().y, 50, 1e-9);
}

TEST_F(PlanDocumentTest, AreaCoveredCompletelyHasNothingLeft) {
    TShape* a = Add(Rect(10, 10, 90, 90));
    Add(Rect(0, 0, 100, 100));
    doc.UpdateShapes();
    EXPECT_EQ(a->VPolygon().num_contours(), 0);
    EXPECT_EQ(a->FrameCount(), 0);
    EXPECT_EQ(a->Flaeche(), 0);
    EXPECT_EQ(a->Umfang(), 0);
    EXPECT_TRUE(std::isfinite(a->Schwerpunkt().x));
    EXPECT_FALSE(a->PointInObject(50, 50));
}

TEST_F(PlanDocumentTest, NothingFarAwayCutsARealArea) {
    // Right where a helper shape far outside the world would sit.
    TShape* a = Add(Rect(99990, 99990, 100200, 100200));
    Add(Rect(0, 0, 10, 10));
    doc.UpdateShapes();
    EXPECT_NEAR(a->Flaeche(), 210.0 * 210.0 / 10000, 1e-6);
    EXPECT_EQ(a->VPolygon().num_contours(), 1);
}

TEST_F(PlanDocumentTest, UpdateShapesDiscardsSubstructureAndReportsProgress) {
    TShape* a = Add(Rect(0, 0, 100, 100));
    a->AddVerlattung(QStringLiteral("60100"), {TVektor(0, 0, 100, 0)});
    a->AddUKVerbinder(QStringLiteral("80100"), {TVektor(1, 1, 1, 1)});
    TGraphicObjectList strips;
    strips.push_back(std::make_unique<TGraphicObject>());
    a->SetVerleistung(std::move(strips));
    host.Status.clear();
    doc.UpdateShapes();
    EXPECT_TRUE(a->VerlattungColl().empty());
    EXPECT_TRUE(a->UKVerbinderColl().empty());
    // Strips are the user's: they stay with their edges; here the slot held none, so every
    // edge gets an empty one.
    ASSERT_EQ(a->Verleistung().size(), 4u);
    for (const auto& slot : a->Verleistung())
        EXPECT_TRUE(slot->ArtikelNr.Text().isEmpty());
    EXPECT_EQ(host.SelectionClears, 1);
    EXPECT_EQ(host.RequirementClears, 1);
    EXPECT_GE(host.Repaints, 1);
    EXPECT_EQ(host.Status,
              (QStringList{" Resultierende Verlegeflächen berechnen.",
                           " Leistenvektoren erzeugen...", " Umfang und Fläche berechnen...", ""}));
}

// Coordinates the clipper refuses (plans can hold any finite number): the area falls back to
// its drawn outline, the ones below keep theirs, and the host hears of both failures.
TEST_F(PlanDocumentTest, RefusedClipsAreReportedAndFallBack) {
    TShape* below = Add(Rect(0, 0, 100, 100));
    doc.ShapeList.push_back(Rect(50, 50, 1e17, 150)); // as a damaged plan brings it
    TShape* huge = doc.ShapeList.back().get();
    huge->SetClosed(true);
    doc.UpdateShapes();
    ASSERT_EQ(host.Errors.size(), 2);
    EXPECT_TRUE(host.Errors[0].startsWith(QStringLiteral("Verlegefläche 2: die darüberliegenden")));
    EXPECT_TRUE(host.Errors[1].startsWith(QStringLiteral("Verlegefläche 2 konnte nicht")));
    EXPECT_TRUE(host.Errors[1].contains(QStringLiteral("außerhalb des erlaubten Bereichs")));
    ASSERT_EQ(huge->VPolygon().num_contours(), 1);
    EXPECT_EQ(huge->VPolygon().contour[0].vertex, huge->Outline().vertex);
    EXPECT_NEAR(below->Flaeche(), 1.0, 1e-9); // nothing cut out of it
}

TEST_F(PlanDocumentTest, InteractiveMoveStopsBeforeTheTotals) {
    TShape* a = Add(Rect(0, 0, 100, 100));
    doc.UpdateShapes();
    const double before = a->Flaeche();
    std::vector<Tgpc_vertex> moved = a->Outline().vertex;
    moved[2] = {200, 100};
    a->SetOutline(moved);
    host.Moving = true;
    doc.UpdateShapes();
    EXPECT_EQ(a->Flaeche(), before); // not yet recomputed
    EXPECT_EQ(a->FrameCount(), 4);   // but the edges follow the outline for drawing
    bool followed = false;           // the clipper may start the ring elsewhere
    for (const TVektor& e : a->VFrame())
        followed |= e.x == 200 && e.y == 100;
    EXPECT_TRUE(followed);
}

TEST_F(PlanDocumentTest, TotalsCountOnlyLaidAreas) {
    TShape* a = Add(Rect(0, 0, 100, 100));
    TShape* b = Add(Rect(200, 0, 300, 200));
    doc.UpdateShapes();
    a->SetSpiegelFederLaenge(120);
    doc.UpdateSummen();
    EXPECT_EQ(doc.GesamtFlaeche, 0);
    EXPECT_EQ(host.Summen, 1);
    a->Layer(0).push_back(std::make_unique<TGraphicObject>());
    doc.UpdateSummen();
    EXPECT_NEAR(doc.GesamtFlaeche, 1.0, 1e-9);
    EXPECT_NEAR(doc.GesamtUmfang, 4.0, 1e-9);
    EXPECT_EQ(doc.GesamtSpiegel, 120);
    b->Layer(0).push_back(std::make_unique<TGraphicObject>());
    doc.UpdateSummen();
    EXPECT_NEAR(doc.GesamtFlaeche, 3.0, 1e-9);
}

TEST_F(PlanDocumentTest, ExtentRects) {
    double x1, y1, x2, y2;
    TPlanDocument::InitExtentRect(x1, y1, x2, y2);
    TPlanDocument::GetExtentRect(doc.TextList, x1, y1, x2, y2);
    EXPECT_EQ(x1, 1000000);
    EXPECT_EQ(y1, 1000000);
    EXPECT_EQ(x2, -1000000);
    EXPECT_EQ(y2, -1000000);
    Add(Rect(2000, 100, 3000, 400));
    doc.UpdateShapes();
    doc.GetShapesExtentRect(x1, y1, x2, y2);
    EXPECT_EQ(x1, 2000);
    EXPECT_EQ(y1, 100);
    EXPECT_EQ(x2, 3000);
    EXPECT_EQ(y2, 400);
}

TEST(ShapeTest, DefaultsOfANewArea) {
    TShape s;
    EXPECT_FALSE(s.Closed());
    EXPECT_EQ(s.DrawnPolygon().num_contours(), 1);
    EXPECT_EQ(s.VertexCount(), 0);
    EXPECT_EQ(s.VPolygon().num_contours(), 0);
    EXPECT_EQ(s.Operator(), GPC_DIFF);
    EXPECT_EQ(s.Color(), RGBColor(250, 255, 250));
    EXPECT_EQ(s.TGraphicObject::Color, 0u);
    EXPECT_EQ(s.FrameColor(), 0u);
    EXPECT_EQ(s.Layers().size(), 1u);
    EXPECT_EQ(s.PatternGeneratorCount(), 1);
    EXPECT_EQ(s.GetPatternGenerator(0), nullptr);
    EXPECT_TRUE(s.Konturbemassung());
    EXPECT_TRUE(s.Aussenbemassung());
    EXPECT_TRUE(s.LattenArtikelNr().isEmpty());
    EXPECT_EQ(s.LattenGenerator(), nullptr);
    EXPECT_TRUE(s.Empty());
}

TEST(ShapeTest, CutOutToggleFollowsDefaultColoursOnly) {
    TShape s;
    s.SetAussparung(false);
    EXPECT_EQ(s.Operator(), GPC_XOR);
    EXPECT_EQ(s.Color(), RGBColor(255, 250, 250));
    s.SetAussparung(true);
    EXPECT_EQ(s.Operator(), GPC_DIFF);
    EXPECT_EQ(s.Color(), RGBColor(250, 255, 250));
    s.SetColor(RGBColor(1, 2, 3));
    s.SetAussparung(false);
    EXPECT_EQ(s.Color(), RGBColor(1, 2, 3));
    EXPECT_FALSE(s.IsAussparung());
}

TEST(ShapeTest, CloneKeepsArticleAssignKeepsOperator) {
    auto src = Rect(0, 0, 10, 10);
    src->ArtikelNr.SetText(QStringLiteral("50100"));
    src->SetClosed(true);
    src->SetAussparung(false);
    auto clone = src->Clone();
    auto* c = dynamic_cast<TShape*>(clone.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ArtikelNr.Text(), QStringLiteral("50100"));
    EXPECT_EQ(c->Operator(), GPC_DIFF);
    EXPECT_EQ(c->Color(), RGBColor(255, 250, 250));
    EXPECT_EQ(c->VertexCount(), 4);
    EXPECT_EQ(c->FrameCount(), 4);
    TShape assigned;
    assigned.Assign(*src);
    EXPECT_TRUE(assigned.ArtikelNr.IsEmpty());
    EXPECT_EQ(assigned.Operator(), GPC_XOR);
    EXPECT_TRUE(assigned.Closed());
    EXPECT_EQ(assigned.VPolygon().num_contours(), 1);
}

TEST(ShapeTest, MoveAndRotateCarryDirectionsObjectsAndBattens) {
    auto s = Rect(0, 0, 100, 50);
    s->SetVerlegeRichtung(TVektor(0, 0, 10, 0));
    s->SetPatternFrame(TVektor(0, 0, 1, 0), s->SymetrieVek());
    s->AddVerlattung(QStringLiteral("60100"), {TVektor(0, 10, 100, 10)});
    s->Move(5, 7);
    EXPECT_EQ(s->Outline().vertex[0].x, 5);
    EXPECT_EQ(s->Outline().vertex[0].y, 7);
    EXPECT_EQ(s->VerlegeRichtung().x, 5);
    EXPECT_EQ(s->LegeVektor().x, 0); // not moved
    EXPECT_EQ(s->VerlattungColl()[0].Vektoren[0].y, 17);
    s->Rotate(TROTMatrix::FromAngle(90, 5, 7));
    EXPECT_NEAR(s->Outline().vertex[1].x, 5, 1e-9);
    EXPECT_NEAR(s->Outline().vertex[1].y, 107, 1e-9);
    EXPECT_NEAR(s->VerlegeRichtung().ry, 10, 1e-9);
}

TEST(ShapeTest, LayersAndGeneratorSlotsStayInStep) {
    TShape s;
    EXPECT_EQ(s.AddLayer(), 1);
    EXPECT_EQ(s.AddLayer(), 2);
    s.Layer(1).push_back(std::make_unique<TGraphicObject>());
    EXPECT_FALSE(s.Empty());
    s.DeleteLayer(1);
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(s.Layers().size(), 3u);
    s.RemoveLayer(0);
    EXPECT_EQ(s.Layers().size(), 2u);
    EXPECT_EQ(s.PatternGeneratorCount(), 2);
    s.RemoveLayer(7); // out of range: nothing
    s.RemoveLayers();
    EXPECT_TRUE(s.Layers().empty());
    EXPECT_EQ(s.PatternGeneratorCount(), 0);
}

} // namespace
