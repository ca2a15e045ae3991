// The priced line of an article: quantity, unit price and price by class and price kind, the
// description with its dimensions.

#include "offer/OfferPricing.h"

#include "catalogue/Klammern.h"
#include "catalogue/Leisten.h"
#include "catalogue/Paneele.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<TProduct> Board(int kind) {
    auto p = std::make_unique<TPaneele>();
    p->PreisLaenge = 200;
    p->PreisBreite = 14.5;
    p->PckEin = 10;
    p->Preis = {40, 0, 0};
    p->PreisArt = kind;
    return p;
}

std::unique_ptr<TProduct> Strip(int kind) {
    auto p = std::make_unique<TLeiste>();
    p->VLaenge = 240;
    p->PckEin = 5;
    p->Preis = {2.5, 0, 0};
    p->PreisArt = kind;
    return p;
}

std::unique_ptr<TProduct> Clip() {
    auto p = std::make_unique<TKlammer>();
    p->PckEin = 250;
    p->Preis = {30, 0, 0};
    return p;
}

std::unique_ptr<TProduct> Other(int kind) {
    auto p = std::make_unique<TProduct>();
    p->PckEin = 2.5;
    p->Preis = {12.3, 0, 0};
    p->PreisArt = kind;
    return p;
}

TEST(OfferPricing, QuantityUnitPriceAndPriceByClassAndKind) {
    const struct {
        std::function<std::unique_ptr<TProduct>()> Make;
        int Packages;
        const char* Menge;
        const char* Einzelpreis;
        TCents Preis;
    } cases[] = {
        {[] { return Board(0); }, 2, "5,80 m²", "40,00 EUR/m²", 23200},
        {[] { return Board(1); }, 2, "40,00 m", "40,00 EUR/m", 160000},
        {[] { return Board(2); }, 2, "20 Stck", "40,00 EUR/Stck", 80000},
        {[] { return Board(3); }, 2, "2 Pck", "40,00 EUR/Pck", 8000},
        {[] { return Strip(0); }, 3, "36,00 m", "2,50 EUR/m", 9000},
        {[] { return Strip(1); }, 3, "15 Stck", "2,50 EUR/St", 3750},
        {[] { return Strip(2); }, 3, "15 Stck", "2,50 EUR/St", 3750},
        {[] { return Strip(3); }, 3, "3 Pck", "2,50 EUR/Pck", 750},
        {[] { return Clip(); }, 5, "1250 Stck", "30,00 EUR", 15000},
        {[] { return Other(0); }, 3, "7,5 m²", "12,30 EUR/m²", 9225},
        {[] { return Other(1); }, 3, "7,5 m", "12,30 EUR/m", 9225},
        {[] { return Other(2); }, 3, "8 Stck", "12,30 EUR", 9225},
        {[] { return Other(3); }, 3, "3 Pck", "12,30 EUR/Pck", 3690},
        {[] { return Other(7); }, 3, "", "", 0}, // an unknown price kind prices nothing
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << row++);
        const std::unique_ptr<TProduct> article = c.Make();
        const TPricedLine line = PriceArticleLine(*article, QStringLiteral("G"), c.Packages, 0,
                                                  QStringLiteral("EUR"), u',');
        EXPECT_EQ(line.Menge, QString::fromUtf8(c.Menge));
        EXPECT_EQ(line.Einzelpreis, QString::fromUtf8(c.Einzelpreis));
        EXPECT_EQ(line.Preis, c.Preis);
    }
}

TEST(OfferPricing, DescriptionWithDimensions) {
    auto board = Board(0);
    board->Name.SetText(QStringLiteral("Bangkirai glatt"));
    EXPECT_EQ(PriceArticleLine(*board, QStringLiteral("Dielen"), 1, 0, QStringLiteral("EUR"), u',')
                  .Bezeichnung,
              QStringLiteral("Dielen Bangkirai glatt 2000x145mm"));
    auto strip = Strip(0);
    strip->Name.SetText(QStringLiteral("Abschluss"));
    EXPECT_EQ(PriceArticleLine(*strip, QStringLiteral("Leisten"), 1, 0, QStringLiteral("EUR"), u',')
                  .Bezeichnung,
              QStringLiteral("Leisten Abschluss 2400mm"));
    // Another currency's price, and the separator of the format settings.
    board->Preis = {40, 25.5, 0};
    const TPricedLine line =
        PriceArticleLine(*board, QStringLiteral("Dielen"), 2, 1, QStringLiteral("CHF"), u'.');
    EXPECT_EQ(line.Menge, QStringLiteral("5.80 m²"));
    EXPECT_EQ(line.Einzelpreis, QStringLiteral("25.50 CHF/m²"));
    EXPECT_EQ(line.Preis, 14790);
}

TEST(OfferPricing, FreePositionsAndPieceTexts) {
    const TPricedLine free = PriceFreeLine(3.5, 12.99, QStringLiteral("EUR"), u',');
    EXPECT_EQ(free.Menge, QStringLiteral("3,50"));
    EXPECT_EQ(free.Einzelpreis, QStringLiteral("12,99 EUR"));
    EXPECT_EQ(free.Preis, 4547); // 45,465 rounds up
    // Cells as typed: the unit after the first blank is left off, either decimal point.
    const struct {
        const char* Cell;
        bool Ok;
        double Value;
    } cells[] = {{" 33,338 m² ", true, 33.338},
                 {"1.5", true, 1.5},
                 {"12,99 EUR", true, 12.99},
                 {"", false, 0},
                 {"abc", false, 0},
                 {"1,2,3", false, 0}};
    for (const auto& c : cells) {
        double v = -1;
        EXPECT_EQ(ParseCellNumber(QString::fromUtf8(c.Cell), v), c.Ok) << c.Cell;
        if (c.Ok) {
            EXPECT_DOUBLE_EQ(v, c.Value) << c.Cell;
        }
    }
    EXPECT_EQ(StueckText(10, 23, false), QStringLiteral("x 10"));
    EXPECT_EQ(StueckText(10, 23, true), QStringLiteral("x 10 [23]"));
    EXPECT_EQ(StueckText(250, 1050, true), QStringLiteral("x 250 [1050]"));
    EXPECT_EQ(StueckTextOfPosition(2.5, 3, u','), QStringLiteral("x 2,5  [8]"));
}

} // namespace
