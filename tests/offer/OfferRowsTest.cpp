// The offer's article rows from the package lists: packages from stock pieces and from counted
// packages, the pieces needed, articles without a price.

#include "offer/OfferRows.h"

#include "catalogue/Klammern.h"
#include "catalogue/Paneele.h"
#include "offer/OfferPackages.h"

#include <gtest/gtest.h>

namespace {

class OfferRows : public testing::Test {
protected:
    TCatalogue fCatalogue;
    TProductGroup* fGroup = nullptr;

    void SetUp() override {
        fGroup = fCatalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Dielen")));
    }

    TProduct& Add(std::unique_ptr<TProduct> p, const char* number, int typ, double package,
                  double price) {
        p->ArtikelNr.SetText(QString::fromLatin1(number));
        p->Typ = typ;
        p->PckEin = package;
        p->Preis = {price, 0, 0};
        return *fGroup->Products.Get(fGroup->Products.Add(std::move(p)));
    }

    // A stock piece of the package list, or a rest (untouched or cut).
    static TArtikelItem Piece(const char* number, int typ, int flag = 0) {
        TArtikelItem item;
        item.ArtikelNr.SetText(QString::fromLatin1(number));
        item.Laenge = 400;
        item.Typ = static_cast<std::uint16_t>(typ);
        item.SchnittFlag = static_cast<std::uint16_t>(flag);
        return item;
    }
};

TEST_F(OfferRows, PackagesAndPiecesNeeded) {
    Add(std::make_unique<TPaneele>(), "D", ptPaneel, 10, 40);
    TProduct& clip = Add(std::make_unique<TKlammer>(), "K", ptKlammer, 250, 30);
    Add(std::make_unique<TPaneele>(), "F", ptPaneel, 5, 0); // no price
    std::vector<TEntryResult> results(3);
    // 23 boards from 3 packages of 10: 7 stock pieces untouched, 2 cut remainders.
    for (int k = 0; k < 30; ++k)
        results[0].PaketList.Add(Piece("D", ptPaneel));
    for (int k = 0; k < 7; ++k)
        results[0].RestColl.Add(Piece("D", ptPaneel));
    results[0].RestColl.Add(Piece("D", ptPaneel, 1));
    results[0].RestColl.Add(Piece("D", ptPaneel, 1));
    // 1050 clips, 250 a package.
    TArtikelItemArray clips;
    TArtikelItem c;
    c.PckEin = 1050;
    clips.Add(c);
    ASSERT_TRUE(PackCountedEntry(clip, clips, results[1].PaketList, results[1].RestColl));
    // An article without a price: no row, its leftovers not counted either.
    for (int k = 0; k < 5; ++k)
        results[2].PaketList.Add(Piece("F", ptPaneel));

    std::vector<TOfferArticleRow> rows = OfferArticleRows(fCatalogue, results, 0, false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].ArtikelNr, QStringLiteral("D"));
    EXPECT_EQ(rows[0].Pakete, 3);
    EXPECT_EQ(rows[0].PckEin, 10);
    EXPECT_EQ(rows[0].Needed, 23);
    EXPECT_EQ(rows[1].ArtikelNr, QStringLiteral("K"));
    EXPECT_EQ(rows[1].Pakete, 5);
    EXPECT_EQ(rows[1].Needed, 1050);

    // All articles shown: the one without a price too; another currency has no prices.
    rows = OfferArticleRows(fCatalogue, results, 0, true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].Pakete, 1);
    EXPECT_EQ(rows[2].Needed, 5);
    EXPECT_TRUE(OfferArticleRows(fCatalogue, results, 1, false).empty());
}

} // namespace
