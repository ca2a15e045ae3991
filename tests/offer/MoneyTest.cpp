// Money in cents: rounding half away from zero, the text of an amount, and totals that are the
// sums of their rounded parts.

#include "offer/Money.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Money, CentsRoundHalfAwayFromZero) {
    const struct {
        double Amount;
        TCents Cents;
    } cases[] = {{232.0, 23200},
                 {2.675, 268},
                 {-2.675, -268},
                 {0.005, 1},
                 {-0.005, -1},
                 {1.004, 100},
                 {0.1 + 0.2, 30},
                 {40.0 * 5.8, 23200},
                 {1e9 + 0.015, 100000000002},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ToCents(c.Amount), c.Cents) << c.Amount;
}

TEST(Money, TextOfCents) {
    EXPECT_EQ(FormatCents(123450, u','), QStringLiteral("1234,50"));
    EXPECT_EQ(FormatCents(7, u','), QStringLiteral("0,07"));
    EXPECT_EQ(FormatCents(-5, u'.'), QStringLiteral("-0.05"));
    EXPECT_EQ(FormatCents(0, u','), QStringLiteral("0,00"));
}

TEST(Money, TotalsAreSumsOfRoundedParts) {
    // 10 % off 1000, 19 % tax: 900, 171, 1071.
    TOfferTotals t = OfferTotals(100000, 10, 19);
    EXPECT_EQ(t.Rabatt, 10000);
    EXPECT_EQ(t.Summe, 90000);
    EXPECT_EQ(t.MwSt, 17100);
    EXPECT_EQ(t.Brutto, 107100);
    // 19 % of 33,33 is 6,3327: the tax is 6,33 and the gross exactly net and tax.
    t = OfferTotals(3333, 0, 19);
    EXPECT_EQ(t.MwSt, 633);
    EXPECT_EQ(t.Brutto, 3966);
    // 3 % off 0,50 is 0,015: 0,02 off.
    EXPECT_EQ(OfferTotals(50, 3, 0).Rabatt, 2);
    // The discount is held to 0..100 %.
    EXPECT_EQ(OfferTotals(5000, 150, 19).Summe, 0);
    EXPECT_EQ(OfferTotals(5000, -5, 0).Summe, 5000);
}

} // namespace
