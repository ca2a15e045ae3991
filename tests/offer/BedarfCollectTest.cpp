// The requirement collection: board pieces with their end codes, strips, battens, clips,
// connectors and modules, in the order the offer shows them.

#include "offer/BedarfCollect.h"

#include "catalogue/Klammern.h"
#include "catalogue/Leisten.h"
#include "catalogue/Paneele.h"
#include "model/Bedarf.h"
#include "model/GraphLeiste.h"
#include "model/GraphModule.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "substructure/LattenGeneratoren.h"

#include <gtest/gtest.h>

namespace {

class BedarfCollect : public testing::Test {
protected:
    TCatalogue fCatalogue;
    TPlanDocument fPlan;
    TBedarfsColl fColl;
    QStringList fWarnings;

    void SetUp() override {
        TProductGroup* g =
            fCatalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("G")));
        const auto add = [&](std::unique_ptr<TProduct> p, const char* number, int typ) {
            p->ArtikelNr.SetText(QString::fromLatin1(number));
            p->Typ = typ;
            return g->Products.Get(g->Products.Add(std::move(p)));
        };
        auto* b1 = static_cast<TPaneele*>(add(std::make_unique<TPaneele>(), "B1", 1));
        b1->VLaenge = 400;
        b1->KlammernNr.SetText(QStringLiteral("K1"));
        add(std::make_unique<TPaneele>(), "B2", 2)->VLaenge = 400;
        add(std::make_unique<TKlammer>(), "K1", ptKlammer);
        add(std::make_unique<TLeiste>(), "L1", ptLatte)->Multiplikator = 2;
        add(std::make_unique<TLeiste>(), "S1", ptLeiste)->VLaenge = 200;
        add(std::make_unique<TLeiste>(), "S0", ptLeiste)->VLaenge = 0;
        TProduct* v = add(std::make_unique<TProduct>(), "V1", ptSonstiges);
        v->Kreuzverbinder.SetText(QStringLiteral("X"));
        v->Multiplikator = 2;
        add(std::make_unique<TProduct>(), "X", ptSonstiges);
        TProduct* loop1 = add(std::make_unique<TProduct>(), "R1", ptSonstiges);
        loop1->Kreuzverbinder.SetText(QStringLiteral("R2"));
        TProduct* loop2 = add(std::make_unique<TProduct>(), "R2", ptSonstiges);
        loop2->Kreuzverbinder.SetText(QStringLiteral("R1"));
        add(std::make_unique<TProduct>(), "M1", ptModul);
    }

    TShape& Area(std::vector<Tgpc_vertex> outline) {
        auto shape = std::make_unique<TShape>();
        shape->SetOutline(std::move(outline));
        shape->SetClosed(true);
        TShape* area = shape.get();
        fPlan.ShapeList.push_back(std::move(shape));
        fPlan.UpdateShapes();
        return *area;
    }

    static void Board(TShape& area, const char* number, int typ, double x, double y, double length,
                      int layer = 0) {
        area.Layer(layer).push_back(std::make_unique<TGraphPaneel>(
            &area, nullptr, QString::fromLatin1(number), typ, TVektor(x, y, x + length, y),
            TVektor(0, 0, 0, 14.5), QString(), 0));
    }

    void Collect() { CollectBedarf(fCatalogue, {&fPlan}, fColl, &fWarnings); }

    const TArtikelItemArray& Entry(const char* number) {
        const int i = fColl.IndexOf(QString::fromLatin1(number));
        EXPECT_GE(i, 0) << number;
        static const TArtikelItemArray none;
        return i >= 0 ? fColl.Entries[static_cast<size_t>(i)].Items : none;
    }
};

TEST_F(BedarfCollect, BoardPiecesAndTheirEnds) {
    TShape& area = Area({{0, 0}, {650, 0}, {650, 300}, {0, 300}});
    Board(area, "B1", 1, 100, 10, 400);    // inside: 9
    Board(area, "B2", 2, 100, 40, 400);    // inside: 21
    Board(area, "B2", 2, 400, 70, 400);    // 250 inside, the start end kept: 3
    Board(area, "B2", 2, -150, 100, 400);  // 250 inside, the far end kept: 7
    Board(area, "B2", 2, 648.5, 130, 400); // 1.5 inside: nothing
    Board(area, "B1", 1, 0, 160, 400);     // starting on the contour keeps its start end: 9
    Board(area, "B1", 1, 250, 190, 400);   // ends on the contour: 9
    Collect();
    const TArtikelItemArray& b1 = Entry("B1");
    ASSERT_EQ(b1.Count(), 3);
    for (const TArtikelItem& item : b1) {
        EXPECT_DOUBLE_EQ(item.Laenge, 400);
        EXPECT_EQ(item.StirnSeite, 9);
        EXPECT_EQ(item.Typ, 1);
        EXPECT_EQ(item.ParentShape, &area);
    }
    EXPECT_DOUBLE_EQ(b1.Get(0).PosX, 300);
    EXPECT_DOUBLE_EQ(b1.Get(0).PosY, 10 + 7.25);
    const TArtikelItemArray& b2 = Entry("B2");
    ASSERT_EQ(b2.Count(), 3);
    EXPECT_EQ(b2.Get(0).StirnSeite, 21);
    EXPECT_DOUBLE_EQ(b2.Get(1).Laenge, 250);
    EXPECT_EQ(b2.Get(1).StirnSeite, 3);
    EXPECT_DOUBLE_EQ(b2.Get(1).PosX, 525);
    EXPECT_DOUBLE_EQ(b2.Get(2).Laenge, 250);
    EXPECT_EQ(b2.Get(2).StirnSeite, 7);
    EXPECT_EQ(fColl.Entries[0].ArtikelNr, QStringLiteral("B1")); // first met first
}

TEST_F(BedarfCollect, ABoardAcrossANarrowGapGivesTwoSawnPieces) {
    // A U: the board crosses both legs and the gap between them.
    TShape& area = Area(
        {{0, 0}, {300, 0}, {300, 200}, {200, 200}, {200, 50}, {100, 50}, {100, 200}, {0, 200}});
    Board(area, "B2", 2, -20, 100, 340);
    // Two areas with the same article: one entry, the areas in order.
    TShape& second = Area({{1000, 0}, {1500, 0}, {1500, 100}, {1000, 100}});
    Board(second, "B2", 2, 1050, 10, 400);
    Collect();
    const TArtikelItemArray& b2 = Entry("B2");
    ASSERT_EQ(b2.Count(), 3);
    EXPECT_DOUBLE_EQ(b2.Get(0).Laenge, 100);
    EXPECT_EQ(b2.Get(0).StirnSeite, 1);
    EXPECT_DOUBLE_EQ(b2.Get(1).Laenge, 100);
    EXPECT_EQ(b2.Get(1).StirnSeite, 1);
    EXPECT_EQ(b2.Get(2).ParentShape, &second);
    EXPECT_EQ(b2.Get(2).StirnSeite, 21);
}

TEST_F(BedarfCollect, StripsBattensClipsConnectorsInOrder) {
    TShape& area = Area({{0, 0}, {1000, 0}, {1000, 600}, {0, 600}});
    // 30 boards of the first board layer, 12 battens across each: clips 12 x 30 x 2.
    for (int i = 0; i < 30; ++i)
        Board(area, "B1", 1, 10, 10 + 15 * i, 400);
    std::vector<TVektor> battens;
    for (int j = 0; j < 12; ++j)
        battens.emplace_back(20 + 30 * j, 0, 20 + 30 * j, 500);
    area.SetLattenGenerator(CreateLattenGeneratorPrototypes().at(1)->Clone());
    LattenGeneratorOf(area)->LattenArtNr.SetText(QStringLiteral("L1"));
    area.AddVerlattung(QStringLiteral("L1"), battens);
    // A strip of 500 from 200 cm stock, one of an article without length.
    TGraphicObjectList strips;
    strips.push_back(std::make_unique<TGraphLeiste>(&area, nullptr, QStringLiteral("S1"),
                                                    TVektor(0, 0, 500, 0), QString(), 0));
    strips.push_back(std::make_unique<TGraphLeiste>(&area, nullptr, QStringLiteral("S0"),
                                                    TVektor(0, 0, 0, 120), QString(), 0));
    strips.push_back(
        std::make_unique<TGraphLeiste>(&area, nullptr, QString(), TVektor(), QString(), 0));
    area.SetVerleistung(std::move(strips));
    // Connectors: 3 at one point; the optional article X twice each.
    TVektor point(5, 5, 1, 1);
    point.Flags = 3;
    area.AddUKVerbinderPoint(QStringLiteral("V1"), point);
    TVektor joint(5, 5, 6, 5);
    joint.Flags = 0x30001;
    area.AddUKVerbinderPoint(QStringLiteral("V1"), joint);
    // A chain of optional articles leading back to itself is cut off.
    area.AddUKVerbinderPoint(QStringLiteral("R1"), point);
    Collect();

    QStringList order;
    for (const TBedarfsEntry& e : fColl.Entries)
        order << e.ArtikelNr;
    EXPECT_EQ(order, (QStringList{"B1", "S1", "S0", "L1", "K1", "V1", "X", "R1", "R2"}));
    const TArtikelItemArray& s1 = Entry("S1");
    ASSERT_EQ(s1.Count(), 3);
    EXPECT_DOUBLE_EQ(s1.Get(0).Laenge, 200);
    EXPECT_DOUBLE_EQ(s1.Get(2).Laenge, 100);
    EXPECT_EQ(s1.Get(0).Typ, ptLeiste);
    ASSERT_EQ(Entry("S0").Count(), 1);
    EXPECT_DOUBLE_EQ(Entry("S0").Get(0).Laenge, 120);
    EXPECT_EQ(Entry("L1").Count(), 12);
    EXPECT_EQ(Entry("L1").Get(0).Typ, ptLatte);
    ASSERT_EQ(Entry("K1").Count(), 1);
    EXPECT_EQ(Entry("K1").Get(0).PckEin, 720);
    EXPECT_DOUBLE_EQ(Entry("K1").Get(0).Laenge, 1);
    EXPECT_EQ(Entry("V1").Get(0).PckEin, 4);
    EXPECT_EQ(Entry("X").Get(0).PckEin, 8);
    EXPECT_EQ(Entry("R1").Get(0).PckEin, 3);
    EXPECT_EQ(Entry("R2").Get(0).PckEin, 3);
    EXPECT_EQ(fWarnings.size(), 2) << qPrintable(fWarnings.join(u'\n'));
}

TEST_F(BedarfCollect, BattensOnlyWithAGeneratorOfAKnownArticle) {
    TShape& area = Area({{0, 0}, {1000, 0}, {1000, 600}, {0, 600}});
    area.AddVerlattung(QStringLiteral("L1"), {TVektor(0, 0, 0, 300)});
    Collect();
    EXPECT_EQ(fColl.IndexOf(QStringLiteral("L1")), -1);
    area.SetLattenGenerator(CreateLattenGeneratorPrototypes().at(1)->Clone());
    LattenGeneratorOf(area)->LattenArtNr.SetText(QStringLiteral("fehlt"));
    Collect();
    EXPECT_EQ(fColl.IndexOf(QStringLiteral("L1")), -1);
    ASSERT_EQ(fWarnings.size(), 1);
    LattenGeneratorOf(area)->LattenArtNr.SetText(QStringLiteral("L1"));
    area.AddVerlattung(QStringLiteral("fehlt"), {TVektor(0, 0, 0, 100)});
    Collect();
    EXPECT_EQ(Entry("L1").Count(), 1);
    EXPECT_EQ(Entry("fehlt").Count(), 1); // battens of a missing article are still recorded
}

TEST_F(BedarfCollect, ModulesCountThemselvesAndTheirElements) {
    TShape& area = Area({{0, 0}, {1000, 0}, {1000, 600}, {0, 600}});
    auto module = std::make_unique<TGraphModule>(&area, nullptr, QStringLiteral("M1"));
    TElementDrawItem box = TGraphModule::CreateDrawItem(diPolygon, 4);
    box.Points = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    module->DrawItemList.push_back(box);
    for (int i = 0; i < 3; ++i)
        module->ChildElements.push_back(std::make_unique<TGraphPaneel>(
            &area, module.get(), QStringLiteral("B2"), 2,
            TVektor(100, 100 + 20 * i, 180, 100 + 20 * i), TVektor(0, 0, 0, 14.5), QString(), 0));
    area.Layer(0).push_back(std::move(module));
    // One outside its area, not always included: only its elements count.
    auto outside = std::make_unique<TGraphModule>(&area, nullptr, QStringLiteral("M1"));
    box.Points = {{2000, 100}, {2100, 100}, {2100, 200}, {2000, 200}};
    outside->DrawItemList.push_back(box);
    area.Layer(0).push_back(std::move(outside));
    // A free module: counted, its board element whole.
    auto free = std::make_unique<TGraphModule>(nullptr, nullptr, QStringLiteral("M1"));
    free->ChildElements.push_back(std::make_unique<TGraphPaneel>(
        nullptr, free.get(), QStringLiteral("B1"), 1, TVektor(3000, 0, 3120, 0),
        TVektor(0, 0, 0, 14.5), QString(), 0));
    fPlan.CommonModulList.push_back(std::move(free));
    Collect();
    ASSERT_EQ(Entry("M1").Count(), 1);
    EXPECT_EQ(Entry("M1").Get(0).PckEin, 2);
    EXPECT_EQ(Entry("M1").Get(0).StirnSeite, 0);
    EXPECT_DOUBLE_EQ(Entry("M1").Get(0).Laenge, 0);
    EXPECT_EQ(Entry("B2").Count(), 3);
    ASSERT_EQ(Entry("B1").Count(), 1);
    EXPECT_DOUBLE_EQ(Entry("B1").Get(0).Laenge, 120);
    EXPECT_EQ(Entry("B1").Get(0).StirnSeite, 9);
}

TEST(ArtikelItemArray, IndexErrorsAndTheSortOfTheProgram) {
    TArtikelItemArray a;
    TArtikelItem item;
    EXPECT_THROW(a.Delete(0), EArtikelArrayError);
    EXPECT_THROW(a.Insert(1, item), EArtikelArrayError);
    try {
        a.Move(0, 0);
        ADD_FAILURE();
    } catch (const EArtikelArrayError& e) {
        EXPECT_STREQ(e.what(), "Artikel Array Index Error");
    }
    for (double l : {5.0, 3.0, 9.0, 1.0, 7.0}) {
        item.Laenge = l;
        a.Add(item);
    }
    a.Move(4, 0);
    EXPECT_DOUBLE_EQ(a.First().Laenge, 7);
    a.Exchange(0, 4);
    a.Sort([](const TArtikelItem& x, const TArtikelItem& y) {
        return x.Laenge < y.Laenge ? -1 : x.Laenge > y.Laenge ? 1 : 0;
    });
    std::vector<double> sorted;
    for (const TArtikelItem& i : a)
        sorted.push_back(i.Laenge);
    EXPECT_EQ(sorted, (std::vector<double>{1, 3, 5, 7, 9}));
}

} // namespace
