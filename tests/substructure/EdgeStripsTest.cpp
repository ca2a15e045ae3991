// The strip command without its window: what the dialog offers and how the choice is laid.

#include "substructure/EdgeStrips.h"
#include "catalogue/Leisten.h"
#include "model/PlanDocument.h"

#include "SubstructureTestSupport.h"

#include <gtest/gtest.h>

namespace {

class EdgeStrips : public testing::Test {
protected:
    TSubstructureContext fContext;
    TPlanDocument fPlan;

    TProduct& Add(const char* group, const char* number, std::int32_t typ) {
        TProductGroup* g = fContext.Catalogue.FindGroupByName(QString::fromLatin1(group));
        if (g == nullptr)
            g = fContext.Catalogue.AddGroup(
                std::make_unique<TProductGroup>(QString::fromLatin1(group)));
        std::unique_ptr<TProduct> p = CreateProductOfType(typ);
        p->ArtikelNr.SetText(QString::fromLatin1(number));
        p->VBreite = 4;
        return *g->Products.Get(g->Products.Add(std::move(p)));
    }

    TShape& AddArea(double x) {
        auto shape = std::make_unique<TShape>();
        shape->SetOutline(Rect(x, 0, x + 100, 100));
        shape->SetClosed(true);
        TShape* area = shape.get();
        fPlan.ShapeList.push_back(std::move(shape));
        fPlan.UpdateShapes();
        return *area;
    }

    static int Used(const TShape& area) {
        int n = 0;
        for (const auto& strip : area.Verleistung())
            n += !strip->ArtikelNr.Text().isEmpty();
        return n;
    }
};

TEST_F(EdgeStrips, NoStripInTheCatalogue) {
    Add("Latten", "L1", ptLatte); // battens alone do not make a strip group
    const TStripChoice choice(fContext.Catalogue, QString(), false, false);
    EXPECT_TRUE(choice.Groups().empty());
    EXPECT_EQ(choice.Article(), nullptr);
    EXPECT_EQ(NoStripsText(), QStringLiteral("Es befinden sich keine Leisten im Artikelstamm.\r"
                                             "Legen Sie zuerst Leisten im Artikelstamm an."));
}

TEST_F(EdgeStrips, GroupsArticlesAndPreselection) {
    Add("Dielen", "D1", ptPaneel);
    Add("Winkel", "W1", ptLeiste);
    Add("Winkel", "W2", ptLeiste);
    Add("Gemischt", "L1", ptLatte);
    Add("Gemischt", "X1", ptSonstiges);
    Add("Gemischt", "S1", ptLeiste);

    TStripChoice first(fContext.Catalogue, QString(), false, true);
    ASSERT_EQ(first.Groups().size(), 2u);
    EXPECT_EQ(first.Groups()[0]->Name().Text(), QStringLiteral("Winkel"));
    EXPECT_EQ(first.SelectedGroup(), 0);
    EXPECT_EQ(first.Article()->ArtikelNr.Text(), QStringLiteral("W1"));

    // The remembered article selects its group and itself; the list shows strips and battens.
    TStripChoice remembered(fContext.Catalogue, QStringLiteral("S1"), false, true);
    EXPECT_EQ(remembered.SelectedGroup(), 1);
    ASSERT_EQ(remembered.Articles().size(), 2u);
    EXPECT_EQ(remembered.Articles()[0]->ArtikelNr.Text(), QStringLiteral("L1"));
    EXPECT_EQ(remembered.Article()->ArtikelNr.Text(), QStringLiteral("S1"));
    remembered.SelectGroup(0);
    EXPECT_EQ(remembered.Article()->ArtikelNr.Text(), QStringLiteral("W1"));

    // A remembered article that is gone: the first group and its first article.
    TStripChoice gone(fContext.Catalogue, QStringLiteral("weg"), false, true);
    EXPECT_EQ(gone.SelectedGroup(), 0);
    EXPECT_EQ(gone.Article()->ArtikelNr.Text(), QStringLiteral("W1"));
}

TEST_F(EdgeStrips, ButtonsFollowTheSelection) {
    Add("Winkel", "W1", ptLeiste);
    struct TCase {
        bool edges, areas;
        TStripScope scope;
    };
    for (const TCase c : {TCase{true, true, TStripScope::Kante},
                          {true, false, TStripScope::Kante},
                          {false, true, TStripScope::Flaeche},
                          {false, false, TStripScope::Alles}}) {
        const TStripChoice choice(fContext.Catalogue, QString(), c.edges, c.areas);
        EXPECT_EQ(choice.KanteEnabled(), c.edges);
        EXPECT_EQ(choice.FlaecheEnabled(), c.areas);
        EXPECT_EQ(choice.DefaultScope(), c.scope);
    }
}

TEST_F(EdgeStrips, EachScopeLaysWhereItShould) {
    Add("Winkel", "W1", ptLeiste);
    Add("Winkel", "W2", ptLeiste);
    TShape& a = AddArea(0);
    TShape& b = AddArea(200);
    TShape& c = AddArea(400);

    LayStrips(fContext, fPlan, TStripScope::Flaeche, QStringLiteral("W1"), {&a}, {});
    EXPECT_EQ(Used(a), 4);
    EXPECT_EQ(Used(b), 0);
    EXPECT_EQ(fContext.LastStripArtikel, QStringLiteral("W1"));
    EXPECT_TRUE(fPlan.Modified);

    // Only the selected edges of the selected areas; edges of other areas are passed over.
    LayStrips(fContext, fPlan, TStripScope::Kante, QStringLiteral("W2"), {&a, &b},
              {{&a, 1}, {&b, 2}, {&b, 3}, {&c, 0}});
    EXPECT_EQ(a.Verleistung()[1]->ArtikelNr.Text(), QStringLiteral("W2"));
    EXPECT_EQ(a.Verleistung()[0]->ArtikelNr.Text(), QStringLiteral("W1"));
    EXPECT_EQ(Used(b), 2);
    EXPECT_EQ(Used(c), 0);

    // The preselection takes the strip of a selected edge of a selected area.
    EXPECT_EQ(StripOfSelectedEdge({&a}, {{&a, 1}}), QStringLiteral("W2"));
    EXPECT_EQ(StripOfSelectedEdge({&c}, {{&a, 1}, {&c, 0}}), QString());

    LayStrips(fContext, fPlan, TStripScope::Alles, QStringLiteral("W1"), {}, {});
    for (const TShape* area : {&a, &b, &c})
        for (const auto& strip : area->Verleistung())
            EXPECT_EQ(strip->ArtikelNr.Text(), QStringLiteral("W1"));
}

} // namespace
