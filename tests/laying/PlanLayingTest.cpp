#include "LayingTestSupport.h"
#include "PatternCoverage.h"

#include "geometry/Vektors.h"
#include "laying/CompositePatterns.h"
#include "laying/OffsetPatterns.h"
#include "laying/PlanLaying.h"
#include "laying/SimplePatterns.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

const TRing kRect300x200{{0, 0}, {300, 0}, {300, 200}, {0, 200}};

// A plan window as laying sees it: everything it is told, in order.
class TRecordingWindow : public IPlanHost, public ILayingCommandHost {
public:
    QStringList Events;
    void StatusText(int Panel, const QString& Text) override {
        Events << QStringLiteral("status %1 '%2'").arg(Panel).arg(Text);
    }
    void Repaint() override { Events << "repaint"; }
    void ClearRequirement() override { Events << "clear requirement"; }
    void ClearSelections() override { Events << "clear selections"; }
    void SummenChanged() override { Events << "totals"; }
    void BeginLaying() override { Events << "begin"; }
    void EndLaying() override { Events << "end"; }
    void LayingFinished(bool AnyLaid) override {
        Events << QStringLiteral("finished %1").arg(AnyLaid);
    }
};

class TRecordingSubstructure : public ISubstructureStep {
public:
    QStringList Chosen;
    int Runs = 0;
    bool Throw = false;
    void ChooseDefault(const TPatternGenerator& Generator) override { Chosen << Generator.Name; }
    void NeuVerlatten(TPlanDocument&, const std::vector<TShape*>&) override {
        ++Runs;
        if (Throw) throw std::runtime_error("substructure failed");
    }
};

class NeuVerlegenTest : public TLayingTest {
protected:
    void SetUp() override { Context.SetSubstructureStep(Substructure); }

    // A plan of the given areas, each with a laying direction along its first outline edge.
    std::unique_ptr<TPlanDocument> LaidPlan(const std::vector<TRing>& Areas) {
        auto plan = std::make_unique<TPlanDocument>(&Window);
        for (const TRing& ring : Areas) {
            auto shape = std::make_unique<TShape>();
            for (const Tgpc_vertex& v : ring)
                shape->AddVertex(v);
            EXPECT_EQ(plan->AddShape(std::move(shape)), 0);
        }
        plan->UpdateShapes();
        for (std::size_t i = 0; i < Areas.size(); ++i) {
            const TRing& r = Areas[i];
            SetVerlegeRichtungParallel(Context, *plan->ShapeList[i], 0,
                                       TVektor(r[0].x, r[0].y, r[1].x, r[1].y));
        }
        Window.Events.clear();
        return plan;
    }

    static std::vector<TShape*> Shapes(TPlanDocument& Plan) {
        std::vector<TShape*> list;
        for (auto& s : Plan.ShapeList)
            list.push_back(s.get());
        return list;
    }

    TRecordingWindow Window;
    TRecordingSubstructure Substructure;
    THalbVersatzGen HalfOffset;
};

TEST_F(NeuVerlegenTest, GivesNewAreasTheCurrentPatternAndRunsEveryStep) {
    TPaneele& board = AddBoard("D1", ptPaneel, 10, 100);
    HalfOffset.Product->VLaenge = 999; // the prototype's own article is not what is laid
    Context.Laying.CurrentPattern = &HalfOffset;
    auto plan = LaidPlan({kRect300x200, {{400, 0}, {500, 0}, {500, 100}, {400, 100}}});

    const TNeuVerlegenResult result =
        NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User);

    EXPECT_TRUE(result.AnyLaid);
    EXPECT_EQ(Window.Events,
              (QStringList{"clear selections", "clear requirement", "begin",
                           "status 0 ' Produkte aktualisieren...'", "status 0 ' Verlegen...'",
                           "status 0 ''", "totals", "repaint", "end", "finished 1"}));
    EXPECT_EQ(Substructure.Chosen, (QStringList{"Halber Versatz", "Halber Versatz"}));
    EXPECT_EQ(Substructure.Runs, 1);
    EXPECT_TRUE(plan->Modified);
    ASSERT_EQ(result.Layers.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        TShape& area = *plan->ShapeList[i];
        const TPatternGenerator* generator = PatternGenerator(area, 0);
        ASSERT_NE(generator, nullptr);
        EXPECT_NE(generator, &HalfOffset);
        EXPECT_EQ(generator->Name, "Halber Versatz");
        EXPECT_EQ(generator->Product->ArtikelNr.Text(), board.ArtikelNr.Text());
        EXPECT_EQ(generator->L(), 100);
        EXPECT_TRUE(result.Layers[i].Laid);
        EXPECT_GT(result.Layers[i].Generated, result.Layers[i].Kept);
        EXPECT_EQ(result.Layers[i].Kept, static_cast<int>(area.Layer(0).size()));
        EXPECT_GT(area.SpiegelFederLaenge(), 0);
    }
    EXPECT_NEAR(plan->GesamtFlaeche, 6 + 1, 1e-9);
    EXPECT_NEAR(plan->GesamtSpiegel,
                plan->ShapeList[0]->SpiegelFederLaenge() + plan->ShapeList[1]->SpiegelFederLaenge(),
                1e-9);
}

// An area keeps its pattern and parameters on every re-laying and takes only a changed article
// from the catalogue.
TEST_F(NeuVerlegenTest, KeepsAnExistingGeneratorAndRefreshesItsArticle) {
    TPaneele& board = AddBoard("D1", ptPaneel, 10, 400);
    Context.Laying.CurrentPattern = &HalfOffset;
    auto plan = LaidPlan({kRect300x200});
    TShape& area = *plan->ShapeList[0];
    auto own = std::make_unique<TLaengenVersatzGen>();
    own->Product->Assign(board);
    own->fVersatzLaenge = 35;
    TPatternGenerator* kept = own.get();
    area.SetPatternGenerator(0, std::move(own));

    board.VLaenge = 300;
    NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::Refresh);

    ASSERT_EQ(area.GetPatternGenerator(0), kept);
    EXPECT_EQ(static_cast<TLaengenVersatzGen*>(kept)->fVersatzLaenge, 35);
    EXPECT_EQ(kept->L(), 300);
    EXPECT_TRUE(Substructure.Chosen.isEmpty());
    ASSERT_FALSE(area.Layer(0).empty());
    for (const auto& o : area.Layer(0)) {
        const auto& b = static_cast<const TGraphPaneel&>(*o);
        EXPECT_NEAR(std::hypot(b.P(1).x - b.P(0).x, b.P(1).y - b.P(0).y), 300, 1e-9);
    }
}

TEST_F(NeuVerlegenTest, SkipsAreasItCannotLay) {
    AddBoard("D1", ptPaneel, 10, 100);
    Context.Laying.CurrentPattern = &HalfOffset;
    auto plan = LaidPlan({kRect300x200, {{400, 0}, {500, 0}, {500, 100}, {400, 100}}});
    plan->ShapeList[1]->SetVerlegeRichtung(TVektor()); // never laid

    struct TCase {
        const char* Name;
        int Layer;
        TPatternGenerator* Pattern;
        bool FirstLaid;
    } cases[] = {
        {"no direction", 0, &HalfOffset, true},
        {"layer out of range", 1, &HalfOffset, false},
        {"negative layer", -1, &HalfOffset, false},
        {"no current pattern", 0, nullptr, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (auto& s : plan->ShapeList)
            s->DeletePatternGenerators();
        Window.Events.clear();
        Context.Laying.SelectedLayer = c.Layer;
        Context.Laying.CurrentPattern = c.Pattern;
        const TNeuVerlegenResult result =
            NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User);
        ASSERT_EQ(result.Layers.size(), 2u);
        EXPECT_EQ(result.Layers[0].Laid, c.FirstLaid);
        EXPECT_FALSE(result.Layers[1].Laid);
        EXPECT_EQ(plan->ShapeList[0]->GetPatternGenerator(0) != nullptr,
                  c.Layer == 0 && c.Pattern != nullptr);
        EXPECT_EQ(plan->ShapeList[1]->GetPatternGenerator(0), nullptr);
        EXPECT_EQ(Window.Events.last(), QStringLiteral("finished %1").arg(c.FirstLaid));
    }
}

// Re-layings run for other reasons (an article edit) must not multiply the single piece.
TEST_F(NeuVerlegenTest, RefreshDoesNotAddSinglePieces) {
    AddBoard("E1", ptPaneel, 20, 100);
    TSinglePanelGen single;
    Context.Laying.CurrentPattern = &single;
    auto plan = LaidPlan({kRect300x200});
    TShape& area = *plan->ShapeList[0];
    NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User);
    ASSERT_EQ(area.Layer(0).size(), 1u);
    for (int i = 0; i < 3; ++i)
        NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::Refresh);
    EXPECT_EQ(area.Layer(0).size(), 1u);
    NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User);
    EXPECT_EQ(area.Layer(0).size(), 2u);
}

TEST_F(NeuVerlegenTest, AFailingArticleIsReportedAndLeavesTheAreaWithoutItsBoards) {
    AddBoard("D1", ptPaneel, 10, 100, "Eiche");
    Context.Laying.CurrentPattern = &HalfOffset;
    auto plan = LaidPlan({kRect300x200});
    TShape& area = *plan->ShapeList[0];
    NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User);
    ASSERT_FALSE(area.Layer(0).empty());

    Catalogue.DeleteProduct(Catalogue.FindProduct("D1"));
    NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::Refresh);
    EXPECT_EQ(Messages, QStringList{"Produkt Eiche nicht gefunden."});
    EXPECT_EQ(area.GetPatternGenerator(0), nullptr);
    EXPECT_TRUE(area.Layer(0).empty());
    EXPECT_EQ(plan->GesamtFlaeche, 0); // an empty first layer adds nothing to the totals
}

TEST_F(NeuVerlegenTest, AnErrorStillReleasesTheWindow) {
    AddBoard("D1", ptPaneel, 10, 100);
    Context.Laying.CurrentPattern = &HalfOffset;
    auto plan = LaidPlan({kRect300x200});
    Substructure.Throw = true;
    EXPECT_THROW(NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User),
                 std::runtime_error);
    EXPECT_EQ(Window.Events.last(), "end");
    EXPECT_FALSE(Window.Events.contains("finished 1"));
    EXPECT_TRUE(plan->Modified);
}

// A board whose overlap the clipper cannot test stays, and the user hears of it.
TEST_F(NeuVerlegenTest, UntestableBoardsStayAndAreReported) {
    AddBoard("D1", ptPaneel, 10, 100);
    TFixedBoardsGen pattern;
    // One ordinary board far outside, and one across the area whose corners and centre lie
    // far beyond the clipper's range.
    pattern.Boards = {{1000, 1000, 100, 0, 0, 10}, {-1e16, 150, 3e16, 0, 0, 10}};
    Context.Laying.CurrentPattern = &pattern;
    auto plan = LaidPlan({kRect300x200});
    const TNeuVerlegenResult result =
        NeuVerlegen(Context, *plan, Shapes(*plan), TLayingTrigger::User);
    ASSERT_EQ(result.Layers.size(), 1u);
    EXPECT_TRUE(result.Layers[0].Laid);
    EXPECT_EQ(result.Layers[0].Kept, 1);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(
        QStringLiteral("Verlegefläche 1: 1 Objekte konnten nicht gegen die Fläche geprüft")));
}

// --- The whole chain with the built-in patterns -----------------------------------------------

TEST(PatternListTest, TheContextHoldsTheFixedOrder) {
    const TLayingContext context;
    const auto& list = context.PatternPrototypes;
    const QStringList names = {"Profilholz",        "Einzelstück",     "Ohne Versatz",
                               "Halber Versatz",    "Drittel Versatz", "Viertel Versatz",
                               "Längenversatz",     "Winkelversatz",   "Verzahnen",
                               "Parkett Verlegung", "Fischgrät",       "Würfelversatz"};
    ASSERT_EQ(list.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(list[size_t(i)]->Name, names[i]);
    EXPECT_EQ(context.FindPatternPrototype("halber versatz"), list[3].get());
    EXPECT_EQ(context.FindPatternPrototype("Fischgrät"), list[10].get());
    EXPECT_EQ(context.FindPatternPrototype("Gibt es nicht"), nullptr);
}

TEST_F(NeuVerlegenTest, PresetsTheStartUpDefaults) {
    AddBoard("P1", ptParkett, 10, 100);
    AddBoard("D1", ptPaneel, 14.5, 400);
    AddBoard("R1", ptProfilholz, 9.5, 300);
    struct TCase {
        QString DefaultProduct;
        QString Board;
        QString Pattern;
    } cases[] = {
        {"R1", "R1", "Halber Versatz"},    // the offset family lays profile timber too
        {"P1", "P1", "Parkett Verlegung"}, // nor parquet
        {"", "D1", "Halber Versatz"},      // 99999999 is no article: the first panel
        {"GIBTSNICHT", "D1", "Halber Versatz"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.DefaultProduct.toStdString());
        PresetLayingDefaults(Context, c.DefaultProduct);
        EXPECT_EQ(Context.DefaultPaneel().ArtikelNr.Text(), c.Board);
        ASSERT_NE(Context.Laying.CurrentPattern, nullptr);
        EXPECT_EQ(Context.Laying.CurrentPattern->Name, c.Pattern);
        EXPECT_EQ(Catalogue.CurrentProductGroup(), Catalogue.Group(0));
    }
}

// After laying, the kept boards cover the area exactly: the removal of far boards must not
// open gaps, for any pattern, outline or direction.
TEST_F(NeuVerlegenTest, KeptBoardsCoverTheArea) {
    const TRing lShape{{0, 0}, {300, 0}, {300, 100}, {120, 100}, {120, 250}, {0, 250}};
    const TRing triangle{{0, 0}, {320, 0}, {60, 210}};
    const TRing hole{{100, 60}, {180, 60}, {180, 130}, {100, 130}};
    struct TCase {
        const char* Name;
        std::unique_ptr<TPatternGenerator> Pattern;
        std::int32_t Typ;
        double W, L;
        TRing Outline;
        std::vector<TRing> Holes;
        double Degrees; // laying direction
    };
    TCase cases[] = {
        {"third offset, square",
         std::make_unique<TDrittelVersatzGen>(),
         ptPaneel,
         10,
         400,
         {{0, 0}, {100, 0}, {100, 100}, {0, 100}},
         {},
         90},
        {"half offset, L-shape at 30°",
         std::make_unique<THalbVersatzGen>(),
         ptPaneel,
         14.5,
         400,
         lShape,
         {},
         30},
        {"profile timber, triangle",
         std::make_unique<TProfilHolzGen>(),
         ptProfilholz,
         9.5,
         300,
         triangle,
         {},
         90},
        {"length offset, hole",
         std::make_unique<TLaengenVersatzGen>(),
         ptPaneel,
         12,
         150,
         kRect300x200,
         {hole},
         0},
        {"interlocking, L-shape at -20°",
         std::make_unique<TVerzahnGen>(),
         ptPaneel,
         12,
         100,
         lShape,
         {},
         -20},
        {"herringbone, hole",
         std::make_unique<TFischgraetGen>(),
         ptPaneel,
         7,
         50,
         kRect300x200,
         {hole},
         90},
        {"parquet, triangle at 45°",
         std::make_unique<TParkettGen>(),
         ptParkett,
         18,
         220,
         triangle,
         {},
         45},
        {"cube, L-shape", std::make_unique<TWuerfelVersatzGen>(), ptPaneel, 10, 30, lShape, {}, 90},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Catalogue.Clear();
        AddBoard("B", c.Typ, c.W, c.L);
        ASSERT_TRUE(c.Pattern->Possible(Catalogue.CurrentPaneel()));
        Context.Laying.CurrentPattern = c.Pattern.get();
        auto plan = PlanWithArea(c.Outline, c.Holes);
        TShape& area = FirstArea(*plan);
        const double a = c.Degrees * std::numbers::pi / 180;
        ASSERT_TRUE(SetVerlegeRichtungEntlang(area,
                                              TVektor(c.Outline[0].x, c.Outline[0].y,
                                                      c.Outline[0].x + 100 * std::cos(a),
                                                      c.Outline[0].y + 100 * std::sin(a)),
                                              c.Outline[0].x, c.Outline[0].y));
        const TNeuVerlegenResult result =
            NeuVerlegen(Context, *plan, {&area}, TLayingTrigger::User);
        ASSERT_TRUE(result.AnyLaid);
        const TCoverage coverage = CheckCoverage(area, area.Layer(0), 2);
        EXPECT_GT(coverage.Samples, 1000);
        EXPECT_EQ(coverage.Uncovered, 0);
        // Multiple, not OverlapPairs: on the clipper's 0.001 grid two rotated boards sharing a
        // long edge can report a sliver of a few hundredths of a cm² that is not there.
        EXPECT_EQ(coverage.Multiple, 0);
    }
}

} // namespace
