// The plan's substructure command with its legend boxes, the defaults it copies from, and the
// substructure step of laying.

#include "substructure/NeuVerlatten.h"

#include "catalogue/Paneele.h"
#include "laying/Patterns.h"
#include "laying/PlanLaying.h"
#include "model/GraphText.h"
#include "model/PlanDocument.h"
#include "model/PlanHost.h"
#include "platform/AppSettings.h"
#include "platform/SettingsStore.h"
#include "substructure/StandardLayouts.h"
#include "substructure/SubstructureDefaults.h"

#include "SubstructureTestSupport.h"
#include "support/FixedBoardsGen.h"
#include "support/StreamBytes.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Battens of two articles, as the rail layouts make them.
class TTwoArticles : public TLattenGenerator {
public:
    QStringList Articles = {QStringLiteral("L1"), QStringLiteral("L2")};
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override {
        return std::make_unique<TTwoArticles>();
    }
    void Assign(const TLattenGeneratorBase& Source) override {
        TLattenGenerator::Assign(Source);
        if (const auto* s = dynamic_cast<const TTwoArticles*>(&Source)) Articles = s->Articles;
    }
    void CreateVerlattung(TShape& Shape) override {
        double y = 10;
        for (const QString& a : Articles) {
            Shape.AddVerlattung(a, {TVektor(10, y, 100, y)});
            y += 10;
        }
    }
};

class TRecordingHost : public IPlanHost {
public:
    QStringList Status;
    void StatusText(int Panel, const QString& Text) override {
        Status << QStringLiteral("%1:%2").arg(Panel).arg(Text);
    }
};

class NeuVerlattenTest : public TSubstructureTest {
protected:
    TRecordingHost Host;
    TPlanDocument Plan{&Host};

    TShape& AddArea(const TOutline& outline) {
        Plan.ShapeList.push_back(MakeArea(outline));
        return *Plan.ShapeList.back();
    }
    std::vector<TShape*> All() {
        std::vector<TShape*> shapes;
        for (const auto& s : Plan.ShapeList)
            shapes.push_back(s.get());
        return shapes;
    }
    std::vector<const TGraphText*> Legends() const {
        std::vector<const TGraphText*> boxes;
        for (const auto& o : Plan.TextListUK)
            if (o->Tag == TGraphText::kSubstructureLegendTag)
                boxes.push_back(dynamic_cast<const TGraphText*>(o.get()));
        return boxes;
    }
};

TEST_F(NeuVerlattenTest, AreasWithoutGeneratorCopyTheDefault) {
    TLattenGenerator* prototype = Context.LattenPrototype(3);
    prototype->fMaxLattenAbstand = 45;
    prototype->LattenArtNr.SetText(QStringLiteral("vom Muster"));
    Defaults.DefaultLattenGenerator = prototype;
    Defaults.DefaultUKArtikel = QStringLiteral("L-DEF");
    TShape& fresh = AddArea(Rect(0, 0, 300, 200));
    TShape& own = AddArea(Rect(400, 0, 700, 200));
    own.SetLattenGenerator(std::make_unique<TLattenGeneratorQuer>());
    LattenGeneratorOf(own)->LattenArtNr.SetText(QStringLiteral("EIGEN"));
    NeuVerlatten(Context, Plan, All());

    ASSERT_NE(fresh.LattenGenerator(), nullptr);
    EXPECT_NE(fresh.LattenGenerator(), prototype);
    EXPECT_EQ(LattenGeneratorOf(fresh)->ClassName(), prototype->ClassName());
    EXPECT_EQ(LattenGeneratorOf(fresh)->fMaxLattenAbstand, 45);
    ASSERT_EQ(fresh.VerlattungColl().size(), 1u);
    EXPECT_EQ(fresh.VerlattungColl()[0].ArtikelNr, QStringLiteral("L-DEF"));
    EXPECT_FALSE(fresh.VerlattungColl()[0].Vektoren.empty());
    EXPECT_EQ(LattenGeneratorOf(own)->ClassName(), QStringLiteral("TLattenGeneratorQuer"));
    EXPECT_EQ(own.VerlattungColl()[0].ArtikelNr, QStringLiteral("EIGEN"));
    EXPECT_GT(own.LaengeVerlattung(), 0);
    EXPECT_TRUE(Plan.Modified);
    EXPECT_EQ(Host.Status, (QStringList{QStringLiteral("0: Verlatten..."), QStringLiteral("0:")}));
    // The prototype stays with the program, untouched.
    EXPECT_EQ(prototype->LattenArtNr.Text(), QStringLiteral("vom Muster"));
}

TEST_F(NeuVerlattenTest, WithoutADefaultAreasStayWithoutSubstructure) {
    Defaults.DefaultLattenGenerator = nullptr;
    TShape& area = AddArea(Rect(0, 0, 300, 200));
    area.AddVerlattung(QStringLiteral("alt"), {TVektor(0, 0, 5, 5)});
    NeuVerlatten(Context, Plan, All());
    EXPECT_EQ(area.LattenGenerator(), nullptr);
    EXPECT_TRUE(area.VerlattungColl().empty());
}

// A board the clipper refuses stops the area's substructure: none rather than half a one, and
// the user hears of it; the other areas are battened.
TEST_F(NeuVerlattenTest, RefusedClipLeavesTheAreaWithoutBattensAndIsReported) {
    TShape& broken = AddArea(Rect(0, 0, 300, 200));
    AddBoard(broken, 100, 50, 1e17, 0, 0, 10); // its joint lies inside, its far end out of range
    broken.SetLattenGenerator(NewLayout(2));
    TShape& fine = AddArea(Rect(400, 0, 700, 200));
    fine.SetLattenGenerator(NewLayout(2));
    NeuVerlatten(Context, Plan, All());
    EXPECT_TRUE(broken.VerlattungColl().empty());
    EXPECT_EQ(broken.LaengeVerlattung(), 0);
    EXPECT_FALSE(fine.VerlattungColl().empty());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(
        QStringLiteral("Verlegefläche 1: keine Unterkonstruktion möglich (Polygonverschneidung")));
}

TEST_F(NeuVerlattenTest, LegendForAreasWithSeveralArticlesReplacedOnRegeneration) {
    AddArticle(ptLatte, QStringLiteral("L1"), QStringLiteral("Latte 40x60"));
    AddArticle(ptLatte, QStringLiteral("L2"), QStringLiteral("Latte 30x50"));
    TShape& two = AddArea(Rect(0, 0, 300, 200));
    two.SetLattenGenerator(std::make_unique<TTwoArticles>());
    TShape& one = AddArea(Rect(0, 300, 100, 400));
    one.SetLattenGenerator(std::make_unique<TLattenGeneratorLaengs>());
    auto note = std::make_unique<TGraphText>();
    note->Text = QStringLiteral("Notiz");
    Plan.TextListUK.push_back(std::move(note));

    NeuVerlatten(Context, Plan, All());
    ASSERT_EQ(Legends().size(), 1u);
    const TGraphText& legend = *Legends()[0];
    EXPECT_EQ(legend.Text, QStringLiteral("UK Artikel: \r\n"
                                          "____  L1  Latte 40x60\r\n"
                                          "- . - .  L2  Latte 30x50\r\n"));
    EXPECT_TRUE(legend.ArtikelNr.IsEmpty());
    EXPECT_EQ(legend.Typ, 0);
    EXPECT_EQ(legend.ParentShape, nullptr);
    // (0, 0)-(350, 100) moved by the area's greatest x and y plus 20.
    EXPECT_EQ(legend.Polygon.contour[0].vertex,
              (std::vector<Tgpc_vertex>{{320, 220}, {670, 220}, {670, 320}, {320, 320}}));
    EXPECT_EQ(Plan.TextListUK.size(), 2u);

    // Again: still one legend, not two.
    NeuVerlatten(Context, Plan, All());
    EXPECT_EQ(Legends().size(), 1u);
    // One article: the legend goes, the user's box stays.
    two.SetLattenGenerator(std::make_unique<TLattenGeneratorLaengs>());
    NeuVerlatten(Context, Plan, All());
    EXPECT_TRUE(Legends().empty());
    ASSERT_EQ(Plan.TextListUK.size(), 1u);
    EXPECT_EQ(dynamic_cast<const TGraphText&>(*Plan.TextListUK[0]).Text, QStringLiteral("Notiz"));
}

TEST_F(NeuVerlattenTest, LegendLinesKeepTheStyleOfTheirGroup) {
    AddArticle(ptLatte, QStringLiteral("L1"), QStringLiteral("Eins"));
    AddArticle(ptLatte, QStringLiteral("L3"), QStringLiteral("Drei"));
    AddArticle(ptLatte, QStringLiteral("L4"), QStringLiteral("Vier"));
    AddArticle(ptLatte, QStringLiteral("L5"), QStringLiteral("Fünf"));
    // The second article is not in the catalogue: no line, but its style is used up.
    const std::vector<TVektorGruppe> groups = {{QStringLiteral("L1"), {}},
                                               {QStringLiteral("fehlt"), {}},
                                               {QStringLiteral("L3"), {}},
                                               {QStringLiteral("L4"), {}},
                                               {QStringLiteral("L5"), {}}};
    EXPECT_EQ(SubstructureLegendText(Catalogue, groups), QStringLiteral("UK Artikel: \r\n"
                                                                        "____  L1  Eins\r\n"
                                                                        ". . . .  L3  Drei\r\n"
                                                                        "- - - -  L4  Vier\r\n"
                                                                        "____  L5  Fünf\r\n"));
}

// --- Text boxes -------------------------------------------------------------------------------

TEST_F(NeuVerlattenTest, TextBoxRecord) {
    TGraphText box;
    box.Typ = 3;
    box.SetBox(1, 2, 3, 4);
    box.Text = QStringLiteral("UK");
    box.Font = {QStringLiteral("Courier"), RGBColor(1, 2, 3), -13};
    box.FontHeight = 20;
    const QByteArray expected = Written([](TWriter& w) {
        w.WriteString(QStringLiteral("TE"));
        w.WriteInteger(2);
        w.WriteString(QString());
        w.WriteInteger(3);
        w.WriteString(QString());
        w.WriteInteger(static_cast<std::int32_t>(TGraphText::kDefaultColor));
        w.WriteInteger(0);
        w.WriteInteger(0);
        w.WriteInteger(1);
        w.WriteInteger(3);
        for (double v : {1, 2, 3, 2, 3, 4, 1, 4})
            w.WriteRawDouble(v);
        w.WriteString(QStringLiteral("UK"));
        w.WriteString(QStringLiteral("Courier"));
        w.WriteInteger(static_cast<std::int32_t>(RGBColor(1, 2, 3)));
        w.WriteInteger(-13);
        w.WriteInteger(20);
    });
    EXPECT_EQ(Written([&](TWriter& w) { box.WriteData(w); }), expected);

    QByteArray data = expected;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    const TGraphicObjectFactory factory = FindGraphicObjectClass(QStringLiteral("TE"));
    ASSERT_NE(factory, nullptr);
    std::unique_ptr<TGraphicObject> read = factory();
    read->ReadData(reader);
    EXPECT_TRUE(reader.AtEnd());
    const auto& back = dynamic_cast<const TGraphText&>(*read);
    EXPECT_EQ(back.Polygon.contour[0].vertex, box.Polygon.contour[0].vertex);
    EXPECT_EQ(back.Text, box.Text);
    EXPECT_EQ(back.Font.Name, QStringLiteral("Courier"));
    EXPECT_EQ(back.Font.Color, RGBColor(1, 2, 3));
    EXPECT_EQ(back.Font.Height, -13);
    EXPECT_EQ(back.FontHeight, 20);
    EXPECT_EQ(back.Typ, 3);
    EXPECT_NE(FindLayerObjectClass(QStringLiteral("TGraphText")), nullptr);
}

TEST_F(NeuVerlattenTest, TextBoxRecordOfAnotherVersionEndsAfterItsType) {
    const QByteArray bytes = Written([](TWriter& w) {
        w.WriteString(QStringLiteral("TE"));
        w.WriteInteger(1);
        w.WriteString(QStringLiteral("A1"));
        w.WriteInteger(0);
        w.WriteString(QString());
        w.WriteInteger(0);
        w.WriteInteger(0); // text version 0
        w.WriteInteger(5);
    });
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    TGraphText box;
    box.ReadData(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(box.Typ, 5);
    EXPECT_EQ(box.ArtikelNr.Text(), QStringLiteral("A1"));
    EXPECT_EQ(box.Text, QStringLiteral("Text"));
    EXPECT_EQ(box.P(2).x, 120);
    EXPECT_EQ(box.P(2).y, 40);
}

TEST_F(NeuVerlattenTest, LegendTravelsInThePlanFile) {
    AddArticle(ptLatte, QStringLiteral("L1"), QStringLiteral("Latte"));
    AddArticle(ptLatte, QStringLiteral("L2"), QStringLiteral("Latte"));
    TShape& two = AddArea(Rect(0, 0, 300, 200));
    two.SetLattenGenerator(std::make_unique<TTwoArticles>());
    Plan.UpdateShapes();
    NeuVerlatten(Context, Plan, All());
    const QByteArray bytes = Written([&](TWriter& w) { Plan.WriteData(w); });
    TPlanDocument back;
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    back.ReadData(reader, Context.PlanReadDefaults());
    ASSERT_EQ(back.TextListUK.size(), 1u);
    const auto& legend = dynamic_cast<const TGraphText&>(*back.TextListUK[0]);
    EXPECT_EQ(legend.Text, Legends()[0]->Text);
    EXPECT_EQ(legend.P(0).x, 320);
    ASSERT_EQ(back.ShapeList[0]->VerlattungColl().size(), 2u);
    EXPECT_EQ(back.ShapeList[0]->VerlattungColl()[1].ArtikelNr, QStringLiteral("L2"));
}

// --- Defaults ---------------------------------------------------------------------------------

TEST_F(NeuVerlattenTest, StartUpDefaultsFromTheSettings) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TPaneele board;
    board.Lattenabstand = 45;
    board.LattenNr.SetText(QStringLiteral("vom Brett"));
    AddArticle(ptPaneel, QStringLiteral("P1"), QStringLiteral("Brett"));
    AddArticle(ptLatte, QStringLiteral("L7"), QStringLiteral("Latte"));
    AddArticle(ptLatte, QStringLiteral("L8"), QStringLiteral("Latte"));
    Catalogue.CurrentPaneel().Assign(board);
    const struct {
        const char* stored;
        int layout;
    } cases[] = {{"99", 2}, {"-5", 2}, {"8", 2}, {"11", 2}, {"4", 4}, {"0", 0}, {nullptr, 2}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "missing");
        TSettingsStore store(dir.filePath(QStringLiteral("s%1.ini").arg(n++)));
        if (c.stored) store.WriteString(kGeneralKey, QStringLiteral("DefaultUKMuster"), c.stored);
        const TGeneralSettings settings = ReadGeneralSettings(store, 32);
        InitSubstructureDefaults(Context, settings);
        const TSubstructureDefaults& d = Defaults;
        EXPECT_EQ(d.DefaultUKMuster, c.layout);
        ASSERT_EQ(d.DefaultLattenGenerator, Context.LattenPrototype(c.layout));
        // No article stored: the first batten article of the catalogue.
        EXPECT_EQ(d.DefaultUKArtikel, QStringLiteral("L7"));
        EXPECT_EQ(d.DefaultLattenGenerator->LattenArtNr.Text(), QStringLiteral("L7"));
        EXPECT_EQ(d.DefaultLattenGenerator->fMaxLattenAbstand, 45);
    }
    TGeneralSettings stored;
    stored.DefaultUKArtikel = QStringLiteral("L8");
    stored.DefaultUKMuster = 3;
    InitSubstructureDefaults(Context, stored);
    EXPECT_EQ(Defaults.DefaultUKArtikel, QStringLiteral("L8"));
    EXPECT_EQ(Context.LattenPrototype(3)->LattenArtNr.Text(), QStringLiteral("L8"));
}

TEST_F(NeuVerlattenTest, PatternChoosesTheDefaultLayout) {
    Defaults.DefaultUKMuster = 2;
    TFixedBoardsGen pattern;
    pattern.Product->LattenNr.SetText(QStringLiteral("vom Brett"));
    pattern.Product->Lattenabstand = 40;
    const struct {
        const char* name;
        std::vector<std::int32_t> preferred;
        std::int32_t own;
        int expected; // -1: none
    } cases[] = {{"prefers the default", {3, 2}, 6, 2},
                 {"own layout", {3}, 6, 6},
                 {"none", {3}, 0, -1},
                 {"own layout not in this build", {}, 8, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pattern.PreferedLattenGenIDs.fill(-1);
        std::copy(c.preferred.begin(), c.preferred.end(), pattern.PreferedLattenGenIDs.begin());
        pattern.LattenGenID = c.own;
        ChooseDefaultLattenGenerator(Context, pattern);
        TLattenGenerator* chosen = Defaults.DefaultLattenGenerator;
        ASSERT_EQ(chosen, c.expected < 0 ? nullptr : Context.LattenPrototype(c.expected));
        if (chosen) {
            EXPECT_EQ(chosen->LattenArtNr.Text(), QStringLiteral("vom Brett"));
            EXPECT_EQ(chosen->fMaxLattenAbstand, 40);
        }
    }
}

TEST_F(NeuVerlattenTest, ClickedAreaHandsItsSettingsToThePrototype) {
    auto area = MakeArea(Rect(0, 0, 100, 100));
    auto generator = std::make_unique<TLattenGeneratorLaengsStirnNurOhneRand>();
    generator->fRand = 1;
    generator->fMaxLattenAbstand = 90;
    generator->LattenArtNr.SetText(QStringLiteral("L5"));
    area->SetLattenGenerator(std::move(generator));
    AdoptLattenGeneratorOfShape(Context, *area);
    const auto& prototype =
        dynamic_cast<TLattenGeneratorLaengsStirnNurOhneRand&>(*Context.LattenPrototype(9));
    EXPECT_EQ(Defaults.DefaultLattenGenerator, &prototype);
    EXPECT_EQ(Defaults.DefaultUKArtikel, QStringLiteral("L5"));
    EXPECT_EQ(prototype.fRand, 1);
    EXPECT_EQ(prototype.fMaxLattenAbstand, 90);
}

// --- The substructure step of laying ----------------------------------------------------------

TEST_F(NeuVerlattenTest, LayingLaysTheBattensOfThePatternsLayout) {
    auto article = std::make_unique<TPaneele>();
    article->ArtikelNr.SetText(QStringLiteral("D1"));
    article->Typ = ptPaneel;
    article->VBreite = 20;
    article->VLaenge = 120;
    article->Lattenabstand = 50;
    article->LattenNr.SetText(QStringLiteral("L-BRETT"));
    Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Dielen")));
    Catalogue.CurrentPaneel().Assign(*article);
    Catalogue.Group(0)->Products.Add(std::move(article));

    TFixedBoardsGen pattern;
    pattern.PreferedLattenGenIDs = {2};
    pattern.Boards = {{0, -10, 0, 120, 20, 0}, {0, 110, 0, 120, 20, 0}};
    Context.Laying.CurrentPattern = &pattern;
    Defaults.DefaultUKMuster = 2;
    Defaults.DefaultUKArtikel = QStringLiteral("L-DEF");

    TShape& area = AddArea(Rect(0, 0, 300, 200));
    area.SetVerlegeRichtung(TVektor(0, 0, 1, 0));
    Plan.UpdateShapes();
    // The context's own substructure step runs after laying.
    NeuVerlegen(Context, Plan, All(), TLayingTrigger::User);

    ASSERT_NE(area.LattenGenerator(), nullptr);
    EXPECT_EQ(LattenGeneratorOf(area)->ClassName(), QStringLiteral("TLattenGeneratorLaengsStirn"));
    EXPECT_EQ(LattenGeneratorOf(area)->fMaxLattenAbstand, 50);
    ASSERT_EQ(area.VerlattungColl().size(), 1u);
    EXPECT_EQ(area.VerlattungColl()[0].ArtikelNr, QStringLiteral("L-DEF"));
    // The joint at 110; 107.1 in three and 87.1 in two parts of at most 50.1.
    ExpectSameSegments(area.VerlattungColl()[0].Vektoren,
                       Horizontal({38.6, 74.3, 110, 153.55}, 3, 297) + RectEdges(3, 3, 297, 197));
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace
