#include "CatalogueTestSupport.h"

#include "catalogue/Balken.h"
#include "catalogue/Klammern.h"
#include "catalogue/Leisten.h"
#include "catalogue/Module.h"
#include "catalogue/Paneele.h"
#include "platform/ValueStream.h"

#include "support/StreamBytes.h"
#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace {

QByteArray Record(const TProduct& product) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer);
    product.WriteData(writer);
    writer.FlushBuffer();
    return bytes;
}

std::unique_ptr<TProduct> ReadRecord(const QString& className, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    std::unique_ptr<TProduct> product = CreateProductOfClass(className);
    product->ReadData(reader);
    EXPECT_TRUE(reader.AtEnd()) << "record not read to its end";
    return product;
}

// Every base field set to a value that differs from every class's default.
void FillBase(TProduct& p) {
    p.Name.SetText(QStringLiteral("Lärche Diele 27x143"));
    p.ArtikelNr.SetText(QStringLiteral("LA-27143"));
    p.InfoText1.SetText(QStringLiteral("geriffelt, €-Preis"));
    p.ImageFileName.SetText(QStringLiteral("laerche.jpg"));
    p.ImageIndex = 7;
    p.VBreite = 14.3;
    p.VLaenge = 400;
    p.PckEin = 12;
    p.Preis = {5.1, 4.9, 4.5};
    p.PreisArt = 1;
    p.Color = RGBColor(214, 160, 100);
    p.AutoInsert = true;
    p.Multiplikator = 2;
    p.Kreuzverbinder.SetText(QStringLiteral("K-1"));
    p.Winkelverbinder.SetText(QStringLiteral("W-1"));
    p.Laengsverbinder.SetText(QStringLiteral("L-1"));
}

void ExpectSameRecordFields(const TProduct& a, const TProduct& b) {
    EXPECT_EQ(a.ClassName(), b.ClassName());
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.ArtikelNr, b.ArtikelNr);
    EXPECT_EQ(a.InfoText1, b.InfoText1);
    EXPECT_EQ(a.Typ, b.Typ);
    EXPECT_EQ(a.ImageFileName, b.ImageFileName);
    EXPECT_EQ(a.ImageIndex, b.ImageIndex);
    EXPECT_EQ(a.VBreite, b.VBreite);
    EXPECT_EQ(a.VLaenge, b.VLaenge);
    EXPECT_EQ(a.PckEin, b.PckEin);
    EXPECT_EQ(a.Preis, b.Preis);
    EXPECT_EQ(a.PreisArt, b.PreisArt);
    EXPECT_EQ(a.Color, b.Color);
    EXPECT_EQ(a.AutoInsert, b.AutoInsert);
    EXPECT_EQ(a.Multiplikator, b.Multiplikator);
    EXPECT_EQ(a.Kreuzverbinder, b.Kreuzverbinder);
    EXPECT_EQ(a.Winkelverbinder, b.Winkelverbinder);
    EXPECT_EQ(a.Laengsverbinder, b.Laengsverbinder);
}

// Counts destroyed articles, to see which list operations destroy.
class TCountedProduct : public TProduct {
public:
    explicit TCountedProduct(int& destroyed) : fDestroyed(destroyed) {}
    ~TCountedProduct() override { ++fDestroyed; }

private:
    int& fDestroyed;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Classes and types

TEST(ProductTypes, EveryTypeNumberMakesItsClassAndOthersFail) {
    struct TCase {
        std::int32_t Typ;
        const char* ClassName;
        const char* Code;
    };
    const TCase cases[] = {{0, "TPaneele", "PR"},  {1, "TPaneele", "PL"},  {2, "TPaneele", "PF"},
                           {3, "TPaneele", "PA"},  {10, "TLeiste", "LE"},  {11, "TLeiste", "LA"},
                           {20, "TKlammer", "KL"}, {21, "TKlammer", "KR"}, {30, "TProduct", "SO"},
                           {40, "TModul", "MO"},   {50, "TBalken", "BA"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typ);
        const auto product = CreateProductOfType(c.Typ);
        EXPECT_EQ(product->ClassName(), QLatin1String(c.ClassName));
        EXPECT_EQ(product->Typ, c.Typ);
        EXPECT_EQ(ProductTypeCode(c.Typ), QLatin1String(c.Code));
        EXPECT_EQ(ProductTypeFromCode(QLatin1String(c.Code).toString().toLower()), c.Typ);
    }
    for (const std::int32_t bad : {-1, 4, 9, 12, 22, 31, 41, 51, 255}) {
        SCOPED_TRACE(bad);
        try {
            CreateProductOfType(bad);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidProductType& e) {
            EXPECT_STREQ(e.what(), "Ungültige Typkennung");
        }
        EXPECT_EQ(ProductTypeCode(bad), QStringLiteral("SO"));
    }
    EXPECT_FALSE(ProductTypeFromCode(QStringLiteral("XX")));
    EXPECT_FALSE(ProductTypeFromCode(QString()));
    EXPECT_EQ(CreateProductOfClass(QStringLiteral("TGraphModule")), nullptr);
}

TEST(ProductTypes, ProductSetHoldsTypeNumbersUpTo255) {
    TProductSet boards{ptProfilholz, ptPaneel, ptPaneelFeder, ptParkett};
    EXPECT_TRUE(boards.Contains(ptPaneelFeder));
    EXPECT_FALSE(boards.Contains(ptLatte));
    boards.Exclude(ptPaneelFeder);
    EXPECT_FALSE(boards.Contains(ptPaneelFeder));
    EXPECT_TRUE(TProductSet::All().Contains(255));
    EXPECT_FALSE(TProductSet::All().Contains(256));
    EXPECT_FALSE(TProductSet::All().Contains(-1));
}

TEST(ProductDefaults, EachClassStartsWithItsOwnValues) {
    struct TCase {
        std::int32_t Typ;
        const char16_t* Name;
        double VBreite, VLaenge, PckEin, Preis0;
        TColor Color;
    };
    const TColor white = RGBColor(255, 255, 255), wood = 9226480, red = 255;
    const TCase cases[] = {
        {ptSonstiges, u"Neuer Artikel ohne Name", 25, 80, 10, 24.95, white},
        {ptPaneel, u"Neues Produkt ohne Name", 25, 80, 10, 24.95, wood},
        {ptLeiste, u"Neue Leiste ohne Name", 3, 200, 10, 24.95, red},
        {ptKlammer, u"Neue Klammer ohne Name", 25, 80, 250, 6.5, white},
        {ptBalken, u"Neuer Balken ohne Name", 25, 80, 10, 24.95, wood},
        {ptModul, u"Neues Module ohne Name", 0, 0, 10, 24.95, red},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typ);
        const auto p = CreateProductOfType(c.Typ)->Create(); // the class's own constructor
        EXPECT_EQ(p->Name.Text(), QString::fromUtf16(c.Name));
        EXPECT_EQ(p->Typ, c.Typ);
        EXPECT_EQ(p->VBreite, c.VBreite);
        EXPECT_EQ(p->VLaenge, c.VLaenge);
        EXPECT_EQ(p->PckEin, c.PckEin);
        EXPECT_EQ(p->Preis, (std::array<double, 3>{c.Preis0, 0, 0}));
        EXPECT_EQ(p->PreisArt, 2);
        EXPECT_EQ(p->Color, c.Color);
        EXPECT_EQ(p->FileListIndex, -1);
        EXPECT_EQ(p->Multiplikator, 1);
        EXPECT_TRUE(p->ArtikelNr.IsEmpty());
        EXPECT_FALSE(p->Hidden || p->AutoInsert);
    }
    const TPaneele board;
    EXPECT_EQ(board.Lattenabstand, 66);
    EXPECT_EQ(board.PreisLaenge, 80);
    EXPECT_EQ(board.PreisBreite, 25);
    const TBalken beam;
    EXPECT_EQ(beam.VLaengeMin, 40);
    EXPECT_EQ(beam.VLaengeMax, 1000);
    EXPECT_EQ(beam.VBreiteMin, 5);
    EXPECT_EQ(beam.VBreiteMax, 60);
}

// ---------------------------------------------------------------------------------------------
// Text fields

TEST(ProductText, FieldsAreCutAndCannotBreakACatalogueLine) {
    TProduct p;
    p.Name.SetText(QStringLiteral("Diele;grau\r\nneu"));
    EXPECT_EQ(p.Name.Text(), QStringLiteral("Diele,grau  neu"));
    p.Kreuzverbinder.SetText(QStringLiteral("a;b\n"));
    EXPECT_EQ(p.Kreuzverbinder.Text(), QStringLiteral("a,b "));
    // Cut by Windows-1252 bytes: one byte per umlaut.
    p.ArtikelNr.SetText(QString(30, QChar(u'ä')));
    EXPECT_EQ(p.ArtikelNr.Bytes().size(), 25);
    p.InfoText1.SetText(QString(100, u'x'));
    EXPECT_EQ(p.InfoText1.Text().size(), 80);
    p.ImageFileName.SetText(QString(31, u'b'));
    EXPECT_EQ(p.ImageFileName.Text().size(), 30);
}

TEST(ProductText, GroupNamesAreNeverEmpty) {
    TProductGroup group(QStringLiteral("Terrasse"));
    EXPECT_FALSE(group.SetName(QString()));
    EXPECT_EQ(group.Name().Text(), QStringLiteral("Terrasse"));
    EXPECT_TRUE(group.SetName(QStringLiteral("Holz;WPC")));
    EXPECT_EQ(group.Name().Text(), QStringLiteral("Holz,WPC"));
    EXPECT_TRUE(group.SetName(QString(60, u'g')));
    EXPECT_EQ(group.Name().Text().size(), 50);
    EXPECT_FALSE(TProductGroup(QString()).Name().IsEmpty());
}

// ---------------------------------------------------------------------------------------------
// Assign, Clone and the stream record

TEST(ProductCopy, AssignCopiesEveryFieldAndCloneKeepsTheClass) {
    TProductGroup group(QStringLiteral("G"));
    TPaneele source;
    FillBase(source);
    source.ProductGroup = &group;
    source.FileListIndex = 3;
    source.Hidden = true;
    source.AngebotsTextNr = 4;
    source.MeldungsTextNr = 5;
    source.Lattenabstand = 50;
    source.PreisLaenge = 390;
    source.PreisBreite = 14;
    source.KlammernNr.SetText(QStringLiteral("40100"));
    source.LattenNr.SetText(QStringLiteral("30100"));

    const auto copy = source.Clone();
    const auto* board = dynamic_cast<const TPaneele*>(copy.get());
    ASSERT_NE(board, nullptr);
    ExpectSameRecordFields(source, *board);
    EXPECT_EQ(board->ProductGroup, &group);
    EXPECT_EQ(board->FileListIndex, 3);
    EXPECT_TRUE(board->Hidden);
    EXPECT_EQ(board->AngebotsTextNr, 4);
    EXPECT_EQ(board->MeldungsTextNr, 5);
    EXPECT_EQ(board->Lattenabstand, 50);
    EXPECT_EQ(board->PreisLaenge, 390);
    EXPECT_EQ(board->PreisBreite, 14);
    EXPECT_EQ(board->KlammernNr.Text(), QStringLiteral("40100"));
    EXPECT_EQ(board->LattenNr.Text(), QStringLiteral("30100"));

    TBalken beam;
    beam.VLaengeMin = 1;
    beam.VBreiteMax = 2;
    beam.KlammernNr.SetText(QStringLiteral("K"));
    const auto beamCopy = beam.Clone();
    EXPECT_EQ(dynamic_cast<const TBalken&>(*beamCopy).VLaengeMin, 1);
    EXPECT_EQ(dynamic_cast<const TBalken&>(*beamCopy).VBreiteMax, 2);
    EXPECT_EQ(dynamic_cast<const TBalken&>(*beamCopy).KlammernNr.Text(), QStringLiteral("K"));
}

TEST(ProductRecord, EveryClassRoundTripsEveryRecordField) {
    for (const char* className : {"TProduct", "TPaneele", "TLeiste", "TKlammer", "TBalken"}) {
        SCOPED_TRACE(className);
        auto product = CreateProductOfClass(QLatin1String(className));
        FillBase(*product);
        if (auto* board = dynamic_cast<TPaneele*>(product.get())) {
            board->Lattenabstand = 45.5;
            board->PreisLaenge = 401;
            board->PreisBreite = 14.6;
            board->KlammernNr.SetText(QStringLiteral("Clip-7"));
            board->LattenNr.SetText(QString(25, u'L'));
        }
        if (auto* beam = dynamic_cast<TBalken*>(product.get())) {
            beam->VLaengeMin = 41;
            beam->VLaengeMax = 999;
            beam->VBreiteMin = 6;
            beam->VBreiteMax = 59;
            beam->Lattenabstand = 65;
            beam->PreisLaenge = 79;
            beam->PreisBreite = 24;
            beam->KlammernNr.SetText(QStringLiteral("K"));
            beam->LattenNr.SetText(QStringLiteral("L"));
        }
        const auto back = ReadRecord(QLatin1String(className), Record(*product));
        ExpectSameRecordFields(*product, *back);
        if (auto* board = dynamic_cast<TPaneele*>(back.get())) {
            EXPECT_EQ(board->Lattenabstand, 45.5);
            EXPECT_EQ(board->PreisLaenge, 401);
            EXPECT_EQ(board->PreisBreite, 14.6);
            EXPECT_EQ(board->KlammernNr.Text(), QStringLiteral("Clip-7"));
            EXPECT_EQ(board->LattenNr.Text(), QString(25, u'L'));
        }
        if (auto* beam = dynamic_cast<TBalken*>(back.get())) {
            EXPECT_EQ(beam->VLaengeMin, 41);
            EXPECT_EQ(beam->VLaengeMax, 999);
            EXPECT_EQ(beam->VBreiteMin, 6);
            EXPECT_EQ(beam->VBreiteMax, 59);
            EXPECT_EQ(beam->Lattenabstand, 65);
            EXPECT_EQ(beam->PreisLaenge, 79);
            EXPECT_EQ(beam->PreisBreite, 24);
            EXPECT_EQ(beam->LattenNr.Text(), QStringLiteral("L"));
        }
    }
}

// Records of versions 0..3, laid out by hand: the fields a version lacks keep the defaults.
TEST(ProductRecord, OlderVersionsLeaveTheMissingFieldsAtTheirDefaults) {
    for (int version = 0; version <= 4; ++version) {
        SCOPED_TRACE(version);
        const QByteArray bytes = Written([version](TWriter& w) {
            w.WriteInteger(version);
            w.WriteShortStringBlock("Diele", 50);
            w.WriteShortStringBlock("4711", 25);
            w.WriteShortStringBlock("Info", 80);
            w.WriteInteger(ptPaneelFeder);
            w.WriteShortStringBlock("bild.jpg", 30);
            w.WriteInteger(3);
            for (const double value : {12.0, 300.0, 8.0, 9.5, 8.5, 7.5})
                w.WriteRawDouble(value);
            if (version > 0) w.WriteInteger(0);
            if (version > 1) w.WriteInteger(0x123456);
            if (version > 2) w.WriteInteger(5); // any value but 0 is true
            if (version > 3) {
                w.WriteInteger(2);
                w.WriteString(QStringLiteral("K"));
                w.WriteString(QStringLiteral("W"));
                w.WriteString(QStringLiteral("L"));
            }
            w.WriteInteger(0); // the board's own part
            for (const double value : {40.0, 300.0, 12.0})
                w.WriteRawDouble(value);
            w.WriteShortStringBlock("C", 25);
            w.WriteShortStringBlock("B", 25);
        });
        const auto back = ReadRecord(QStringLiteral("TPaneele"), bytes);
        const auto& board = dynamic_cast<const TPaneele&>(*back);
        EXPECT_EQ(board.Name.Text(), QStringLiteral("Diele"));
        EXPECT_EQ(board.ArtikelNr.Text(), QStringLiteral("4711"));
        EXPECT_EQ(board.Typ, ptPaneelFeder);
        EXPECT_EQ(board.ImageIndex, 3);
        EXPECT_EQ(board.VBreite, 12);
        EXPECT_EQ(board.VLaenge, 300);
        EXPECT_EQ(board.Preis, (std::array<double, 3>{9.5, 8.5, 7.5}));
        EXPECT_EQ(board.PreisArt, version > 0 ? 0 : 2);
        EXPECT_EQ(board.Color, version > 1 ? TColor(0x123456) : TColor(9226480));
        EXPECT_EQ(board.AutoInsert, version > 2);
        EXPECT_EQ(board.Multiplikator, version > 3 ? 2 : 1);
        EXPECT_EQ(board.Laengsverbinder.Text(), version > 3 ? QStringLiteral("L") : QString());
        EXPECT_EQ(board.LattenNr.Text(), QStringLiteral("B"));
        EXPECT_EQ(board.PreisLaenge, 300);
    }
}

TEST(ProductRecord, UnknownVersionsAndBadNumbersFail) {
    TProduct product;
    QByteArray future = Record(product);
    future[1] = 5; // the version, an Int8 value
    EXPECT_THROW(ReadRecord(QStringLiteral("TProduct"), future), EReadError);

    QByteArray notANumber = Record(product);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // VBreite follows the version (2 bytes), the blocks and the two integers.
    const int offset = 2 + 51 + 26 + 81 + 2 + 31 + 2;
    std::memcpy(notANumber.data() + offset, &nan, sizeof nan);
    EXPECT_THROW(ReadRecord(QStringLiteral("TProduct"), notANumber), EReadError);
}

TEST(ProductRecord, ALengthByteBeyondTheBlockIsClamped) {
    TPaneele board;
    board.ArtikelNr.SetText(QStringLiteral("123"));
    board.Name.SetText(QStringLiteral("Diele"));
    QByteArray bytes = Record(board);
    bytes[2 + 51] = char(200); // ArtikelNr claims 200 bytes of its 25
    const auto back = ReadRecord(QStringLiteral("TPaneele"), bytes);
    EXPECT_EQ(back->ArtikelNr.Bytes().size(), 25);
    EXPECT_TRUE(back->ArtikelNr.Bytes().startsWith("123"));
    EXPECT_EQ(back->Name.Text(), QStringLiteral("Diele"));
    EXPECT_EQ(back->VLaenge, 80); // the fields after it are still in place
}

TEST(ProductRecord, AModuleIsAlwaysPricedPerPiece) {
    TModul module;
    for (const std::int32_t kind : {0, 1, 3}) {
        module.PreisArt = kind;
        EXPECT_EQ(ReadRecord(QStringLiteral("TModul"), Record(module))->PreisArt, 2);
    }
}

// ---------------------------------------------------------------------------------------------
// Compatibility

TEST(ProductCompatibility, OnlyLengthMayDifferAndOnlyDownwards) {
    TProductGroup group(QStringLiteral("G")), other(QStringLiteral("H"));
    struct TCase {
        const char* What;
        std::function<void(TProduct&)> Change;
        bool Compatible;
    };
    const TCase cases[] = {
        {"identical", [](TProduct&) {}, true},
        {"shorter", [](TProduct& b) { b.VLaenge = 300; }, true},
        {"longer by 0.005", [](TProduct& b) { b.VLaenge = 400.005; }, true},
        {"longer by 0.01", [](TProduct& b) { b.VLaenge = 400.01; }, false},
        {"width 14.51", [](TProduct& b) { b.VBreite = 14.51; }, false},
        {"width 14.49", [](TProduct& b) { b.VBreite = 14.49; }, false},
        {"width 14.505", [](TProduct& b) { b.VBreite = 14.505; }, true},
        {"name case a-z", [](TProduct& b) { b.Name.SetText(QStringLiteral("LäRCHE diele")); },
         true},
        {"name case umlaut", [](TProduct& b) { b.Name.SetText(QStringLiteral("LÄrche Diele")); },
         false},
        {"picture case", [](TProduct& b) { b.ImageFileName.SetText(QStringLiteral("WPC.JPG")); },
         false},
        {"colour", [](TProduct& b) { b.Color = RGBColor(1, 2, 3); }, false},
        {"type", [](TProduct& b) { b.Typ = ptPaneelFeder; }, false},
        {"group", [&other](TProduct& b) { b.ProductGroup = &other; }, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TPaneele a, b;
        for (TPaneele* p : {&a, &b}) {
            p->Name.SetText(QStringLiteral("Lärche Diele"));
            p->VBreite = 14.5;
            p->VLaenge = 400;
            p->ImageFileName.SetText(QStringLiteral("wpc.jpg"));
            p->ProductGroup = &group;
        }
        c.Change(b);
        EXPECT_EQ(a.IsCompatible(&b), c.Compatible);
    }
    TPaneele a;
    EXPECT_FALSE(a.IsCompatible(nullptr));
}

TEST(ProductCompatibility, NearDecimalsAreToldApartInWholeHundredths) {
    struct TCase {
        double A, B;
        bool Compatible;
    };
    const TCase widths[] = {{14.5, 14.51, false}, {14.51, 14.5, false},   {10, 10.01, false},
                            {12, 12.01, false},   {1000, 1000.01, false}, {14.5, 14.5, true},
                            {10, 10.005, true},   {0.1 + 0.2, 0.3, true}};
    for (const TCase& c : widths) {
        SCOPED_TRACE(c.B);
        TProduct a, b;
        a.VBreite = c.A;
        b.VBreite = c.B;
        EXPECT_EQ(a.IsCompatible(&b), c.Compatible);
        a.VBreite = b.VBreite = 10;
        a.VLaenge = c.A;
        b.VLaenge = c.B;
        // The stand-in may be shorter; a hundredth longer is too long.
        EXPECT_EQ(a.IsCompatible(&b), c.Compatible || c.B < c.A);
    }
}

// ---------------------------------------------------------------------------------------------
// Display text

TEST(ProductDimCode, EachClassShowsItsDimensionsAndPrice) {
    const TCurrency dm{0, QStringLiteral("DM")};
    TPaneele board;
    board.PreisLaenge = 200;
    board.PreisBreite = 14.5;
    board.PckEin = 10;
    board.Preis = {24.95, 0, 0};
    board.PreisArt = 1;
    EXPECT_EQ(board.DimCode(dm), QStringLiteral("2000x145mm  10/Pck  24,95 DM/m"));
    struct TCase {
        std::int32_t PreisArt;
        const char16_t* Board;
        const char16_t* Other;
        const char16_t* Strip;
        const char16_t* Module;
    };
    const TCase cases[] = {
        {0, u"2000x145mm  10/Pck  24,95 DM/m²", u"10,0m²/Pck  24,95 DM/m²",
         u"2000mm  10/Pck  24,95 DM/m", u"10/Pck  24,95 DM/m"},
        {1, u"2000x145mm  10/Pck  24,95 DM/m", u"10,0m/Pck  24,95 DM/m",
         u"2000mm  10/Pck  24,95 DM/Stck", u"10/Pck  24,95 DM/Stck"},
        {2, u"2000x145mm  10/Pck  24,95 DM/Stck", u"10,0Stck/Pck  24,95 DM/Stck",
         u"2000mm  10/Pck  24,95 DM", u"10/Pck  24,95 DM"},
        {3, u"2000x145mm  10/Pck  24,95 DM", u"10,0/Pck  24,95 DM/", u"2000mm  10/Pck  24,95 DM",
         u"10/Pck  24,95 DM"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.PreisArt);
        board.PreisArt = c.PreisArt;
        EXPECT_EQ(board.DimCode(dm), QString::fromUtf16(c.Board));
        TProduct other;
        other.PreisArt = c.PreisArt;
        EXPECT_EQ(other.DimCode(dm), QString::fromUtf16(c.Other));
        TLeiste strip;
        strip.PreisArt = c.PreisArt;
        EXPECT_EQ(strip.DimCode(dm), QString::fromUtf16(c.Strip));
        TModul module;
        module.PreisArt = c.PreisArt;
        EXPECT_EQ(module.DimCode(dm), QString::fromUtf16(c.Module));
    }
    TBalken beam;
    beam.PreisLaenge = 300;
    beam.PreisBreite = 9;
    beam.PreisArt = 1;
    EXPECT_EQ(beam.DimCode(dm), QStringLiteral("3000x90mm  10/Pck  24,95 DM/m"));
    TKlammer clip;
    EXPECT_EQ(clip.DimCode(TCurrency{0, QStringLiteral("EUR")}),
              QStringLiteral("250 Stck/Pck 6,50 EUR/Pck"));
}

TEST(ProductDimCode, TheChosenCurrencyPicksThePrice) {
    TProduct other;
    other.Preis = {1, 2.5, 3.125};
    EXPECT_EQ(other.DimCode(TCurrency{1, QStringLiteral("CHF")}),
              QStringLiteral("10,0Stck/Pck  2,50 CHF/Stck"));
    EXPECT_EQ(other.DimCode(TCurrency{2, QStringLiteral("USD")}),
              QStringLiteral("10,0Stck/Pck  3,13 USD/Stck"));
    // Without settings: the first currency, no name.
    EXPECT_EQ(other.DimCode(TCurrency{}), QStringLiteral("10,0Stck/Pck  1,00 /Stck"));
    EXPECT_EQ(other.DimCode(TCurrency{7, QStringLiteral("X")}),
              QStringLiteral("10,0Stck/Pck  3,13 X/Stck"));
}

// ---------------------------------------------------------------------------------------------
// Articles that laying or the offer could not handle

TEST(ProductDefect, BoardsNeedDimensionsAndEveryArticleAWholePackage) {
    struct TCase {
        std::int32_t Typ;
        double VLaenge, VBreite, PckEin;
        bool Usable;
    };
    const TCase cases[] = {
        {ptPaneel, 400, 14.5, 10, true}, {ptPaneel, 400, 0, 10, false},
        {ptPaneel, 0, 14.5, 10, false},  {ptParkett, -1, 19, 8, false},
        {ptBalken, 300, 0, 1, false},    {ptLatte, 0, 6, 20, false},
        {ptPaneel, 400, 14.5, 0, false}, {ptSonstiges, 0, 0, 0.4, false},
        {ptSonstiges, 0, 0, 0.5, false}, {ptSonstiges, 0, 0, 1.5, true},
        {ptKlammer, 0, 0, -100, false},  {ptModul, 0, 0, 1, true},
        {ptSonstiges, 0, 0, 1, true},    {ptKlammer, 0, 0, 100, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Typ << " " << c.VLaenge << "x" << c.VBreite << " " << c.PckEin);
        auto p = CreateProductOfType(c.Typ);
        p->VLaenge = c.VLaenge;
        p->VBreite = c.VBreite;
        p->PckEin = c.PckEin;
        EXPECT_EQ(p->Defect().isEmpty(), c.Usable) << qPrintable(p->Defect());
    }
}

// ---------------------------------------------------------------------------------------------
// Lists, groups and the catalogue

TEST(ProductList, TheOwningGroupIsSetOnInsertAndRemovalDestroys) {
    int destroyed = 0;
    TProductGroup group(QStringLiteral("G")), elsewhere(QStringLiteral("H"));
    auto first = std::make_unique<TCountedProduct>(destroyed);
    first->ProductGroup = &elsewhere; // e.g. copied by Assign from another group's article
    TProduct* a = first.get();
    group.Products.Add(std::move(first));
    EXPECT_EQ(a->ProductGroup, &group);
    auto second = std::make_unique<TCountedProduct>(destroyed);
    TProduct* b = second.get();
    group.Products.Insert(0, std::move(second));
    EXPECT_EQ(group.Products.IndexOf(a), 1);
    EXPECT_EQ(group.Products.First(), b);
    EXPECT_EQ(group.Products.Last(), a);

    TProductList copies = group.Products.Clone();
    EXPECT_EQ(copies.Count(), 2);
    EXPECT_NE(copies.Get(0), b);

    EXPECT_EQ(group.Products.Remove(b), 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(group.Products.Remove(b), -1);
    std::unique_ptr<TProduct> taken = group.Products.Extract(0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(group.Products.IsEmpty());
    elsewhere.Products.Add(std::move(taken));
    EXPECT_EQ(a->ProductGroup, &elsewhere);
    elsewhere.Products.Put(0, std::make_unique<TCountedProduct>(destroyed));
    EXPECT_EQ(destroyed, 2);
    elsewhere.Products.Clear();
    EXPECT_EQ(destroyed, 3);
    EXPECT_THROW(elsewhere.Products.Get(0), std::out_of_range);
    EXPECT_EQ(copies.FirstThat([](const TProduct& p) { return p.ClassName() == u"TProduct"; }),
              copies.Get(0));
}

TEST(Catalogue, FindProductTakesTheFirstExactMatchInGroupOrder) {
    TCatalogue catalogue;
    TProductGroup& first = GroupNamed(catalogue, QStringLiteral("Erste"));
    TProductGroup& second = GroupNamed(catalogue, QStringLiteral("Zweite"));
    TProduct& early = AddArticle(second, ptPaneel, QStringLiteral("ABC"), QStringLiteral("a"));
    AddArticle(second, ptPaneel, QStringLiteral("ABC"), QStringLiteral("b"));
    TProduct& inFirst = AddArticle(first, ptLatte, QStringLiteral("X1"));
    TProduct& earlier = AddArticle(first, ptLatte, QStringLiteral("DUP"), QStringLiteral("c"));
    AddArticle(second, ptLatte, QStringLiteral("DUP"), QStringLiteral("d"));

    EXPECT_EQ(catalogue.FindProduct(QStringLiteral("ABC")), &early);
    EXPECT_EQ(catalogue.FindProduct(QStringLiteral("DUP")), &earlier);
    EXPECT_EQ(catalogue.FindProductGroup(QStringLiteral("DUP")), &first);
    EXPECT_EQ(catalogue.FindProduct(QStringLiteral("X1")), &inFirst);
    EXPECT_EQ(catalogue.FindProduct(QStringLiteral("abc")), nullptr);
    EXPECT_EQ(catalogue.FindProduct(QStringLiteral("ABC ")), nullptr);
    EXPECT_EQ(catalogue.FindProductGroup(QStringLiteral("none")), nullptr);
    EXPECT_EQ(catalogue.ProductCount(), 5);

    catalogue.SetCurrentProductGroup(&second);
    catalogue.DeleteGroup(&second);
    EXPECT_EQ(catalogue.CurrentProductGroup(), nullptr);
    EXPECT_EQ(catalogue.FindProduct(QStringLiteral("ABC")), nullptr);
    EXPECT_EQ(catalogue.FindGroupByName(QStringLiteral("Erste")), &first);
    EXPECT_EQ(catalogue.FindGroupByName(QStringLiteral("erste")), nullptr);
}
