// Counted articles in whole packages: clips by the sum of their counts, other articles by the
// first item's count, the leftover of the last package, package units of zero or fractions.

#include "offer/OfferPackages.h"

#include "catalogue/Products.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TArtikelItemArray Counted(std::initializer_list<int> Counts) {
    TArtikelItemArray items;
    for (int n : Counts) {
        TArtikelItem item;
        item.Laenge = 1;
        item.PckEin = n;
        items.Add(item);
    }
    return items;
}

std::unique_ptr<TProduct> Article(std::int32_t Typ, double PckEin) {
    auto a = std::make_unique<TProduct>();
    a->ArtikelNr.SetText(QStringLiteral("K1"));
    a->Typ = Typ;
    a->PckEin = PckEin;
    return a;
}

TEST(OfferPackages, CountedArticlesInWholePackages) {
    const struct {
        std::int32_t Typ;
        double PckEin;
        std::initializer_list<int> Counts;
        int Packages;
        int Left; // pieces left in the last package, 0: none opened in part
    } cases[] = {
        {ptKlammer, 250, {1000, 50}, 5, 200}, // 1050 clips
        {ptKralle, 100, {100, 100}, 2, 0},
        {ptSonstiges, 4, {10, 99}, 3, 2}, // the first item's count only
        {ptModul, 1, {3}, 3, 0},
        {ptKlammer, 0, {7}, 7, 0},   // no package unit: single pieces
        {ptKlammer, 2.5, {7}, 3, 2}, // 2.5 rounds to 3 a package
        {ptKlammer, 250, {0}, 0, 0},
        {ptKlammer, 250, {-4}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.Typ << ", unit " << c.PckEin);
        TArtikelItemArray pakete, reste;
        ASSERT_TRUE(PackCountedEntry(*Article(c.Typ, c.PckEin), Counted(c.Counts), pakete, reste));
        EXPECT_EQ(pakete.Count(), c.Packages);
        for (const TArtikelItem& p : pakete) {
            EXPECT_EQ(p.ArtikelNr.Text(), QStringLiteral("K1"));
            EXPECT_EQ(p.Laenge, 1.0);
            EXPECT_EQ(p.Typ, c.Typ);
            EXPECT_EQ(p.PckEin, std::max(1, static_cast<int>(c.PckEin + 0.5)));
        }
        ASSERT_EQ(reste.Count(), c.Left > 0 ? 1 : 0);
        if (c.Left > 0) {
            EXPECT_EQ(reste.Get(0).PckEin, c.Left);
        }
    }
}

TEST(OfferPackages, OnlyCountedTypesAndNoRunawayCounts) {
    TArtikelItemArray pakete, reste;
    EXPECT_TRUE(PackCountedEntry(*Article(ptLatte, 10), Counted({5}), pakete, reste));
    EXPECT_TRUE(PackCountedEntry(*Article(ptKlammer, 10), TArtikelItemArray(), pakete, reste));
    EXPECT_TRUE(pakete.Empty());
    // Two billion single clips are refused, not listed one package at a time.
    EXPECT_FALSE(PackCountedEntry(*Article(ptKlammer, 1), Counted({2000000000}), pakete, reste));
    EXPECT_TRUE(pakete.Empty());
    EXPECT_TRUE(reste.Empty());
}

} // namespace
