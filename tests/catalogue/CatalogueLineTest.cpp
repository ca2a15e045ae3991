// One article line of a text catalogue, and the colour texts in it.

#include "CatalogueTestSupport.h"

#include "catalogue/Balken.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/ColorText.h"
#include "catalogue/Paneele.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kBoardLine =
    "50100;WPC Terrassendielen;PL;WPC Diele grau 145x4000;6;400,00;14,50;400,00;14,50;10,00;11,90;"
    "1;40,00;60100;70100;Hohlkammer, geriffelt;wpc_grau.jpg;0;clGray;0;WPC-Dielen f\xfcr "
    "Terrassen;grp_wpc.jpg;10,50;0,00;0;0;0;1;;;;";

} // namespace

TEST(CatalogueLine, TheWrittenLineHasEveryFieldInItsPlace) {
    TCatalogue catalogue;
    TProductGroup& group = GroupNamed(catalogue, QStringLiteral("WPC Terrassendielen"));
    group.InfoText1.SetText(QStringLiteral("WPC-Dielen für Terrassen"));
    group.ImageFileName.SetText(QStringLiteral("grp_wpc.jpg"));
    auto& board = dynamic_cast<TPaneele&>(AddArticle(group, ptPaneel, QStringLiteral("50100"),
                                                     QStringLiteral("WPC Diele grau 145x4000")));
    board.VLaenge = board.PreisLaenge = 400;
    board.VBreite = board.PreisBreite = 14.5;
    board.PckEin = 10;
    board.Preis = {11.9, 10.5, 0};
    board.PreisArt = 1;
    board.Lattenabstand = 40;
    board.LattenNr.SetText(QStringLiteral("60100"));
    board.KlammernNr.SetText(QStringLiteral("70100"));
    board.InfoText1.SetText(QStringLiteral("Hohlkammer, geriffelt"));
    board.ImageFileName.SetText(QStringLiteral("wpc_grau.jpg"));
    board.Color = RGBColor(128, 128, 128);
    EXPECT_EQ(FormatProductLine(board, group), kBoardLine);

    // Other classes write "0,0" and nothing for the board fields.
    TProduct& other =
        AddArticle(group, ptSonstiges, QStringLiteral("80910"), QStringLiteral("Schrauben"));
    other.Preis = {12, 0, 0};
    other.PreisArt = 3;
    other.PckEin = 100;
    other.Color = RGBColor(1, 2, 3);
    other.Hidden = other.AutoInsert = true;
    other.AngebotsTextNr = 12;
    other.MeldungsTextNr = 7;
    other.Multiplikator = 2;
    other.Kreuzverbinder.SetText(QStringLiteral("80911"));
    EXPECT_EQ(FormatProductLine(other, group),
              QByteArray("80910;WPC Terrassendielen;SO;Schrauben;6;80,00;25,00;0,0;0,0;100,00;"
                         "12,00;3;0,0;;;;;0;$00030201;1;WPC-Dielen f\xfcr Terrassen;grp_wpc.jpg;"
                         "0,00;0,00;12;7;1;2;80911;;;"));
    EXPECT_EQ(CatalogueHeader().split(u';').size(), 31);
}

TEST(CatalogueLine, EveryClassRoundTripsThroughItsLine) {
    TCatalogue catalogue;
    TProductGroup& group = GroupNamed(catalogue, QStringLiteral("Gruppe ä"));
    group.InfoText1.SetText(QStringLiteral("Info"));
    group.ImageFileName.SetText(QStringLiteral("g.jpg"));
    for (const std::int32_t typ : {0, 1, 2, 3, 10, 11, 20, 21, 30, 40, 50}) {
        SCOPED_TRACE(typ);
        TProduct& p = AddArticle(group, typ, QStringLiteral("N%1").arg(typ),
                                 QStringLiteral("Größe %1").arg(typ));
        p.InfoText1.SetText(QStringLiteral("Info €"));
        p.ImageFileName.SetText(QStringLiteral("bild.jpg"));
        p.ImageIndex = 4;
        p.VLaenge = 123.45;
        p.VBreite = 12.34;
        p.PckEin = 7;
        p.Preis = {1.23, 4.56, 7.89};
        p.PreisArt = 1;
        p.Color = RGBColor(10, 20, 30);
        p.Hidden = true;
        p.AngebotsTextNr = 3;
        p.MeldungsTextNr = 4;
        p.AutoInsert = true;
        p.Multiplikator = 2;
        p.Kreuzverbinder.SetText(QStringLiteral("K"));
        p.Winkelverbinder.SetText(QStringLiteral("W"));
        p.Laengsverbinder.SetText(QStringLiteral("L"));
        if (auto* board = dynamic_cast<TPaneele*>(&p)) {
            board->PreisLaenge = 120;
            board->PreisBreite = 12;
            board->Lattenabstand = 45.5;
            board->LattenNr.SetText(QStringLiteral("LN"));
            board->KlammernNr.SetText(QStringLiteral("KN"));
        }
        if (auto* beam = dynamic_cast<TBalken*>(&p)) beam->VLaengeMin = 77; // not in the format

        TParsedLine parsed = ParseProductLine(FromCp1252(FormatProductLine(p, group)));
        ASSERT_EQ(parsed.Status, TParsedLine::plArticle) << qPrintable(parsed.Error);
        const TProduct& back = *parsed.Product;
        EXPECT_EQ(back.ClassName(), p.ClassName());
        EXPECT_EQ(back.Typ, typ);
        EXPECT_EQ(back.Name, p.Name);
        EXPECT_EQ(back.ArtikelNr, p.ArtikelNr);
        EXPECT_EQ(back.InfoText1, p.InfoText1);
        EXPECT_EQ(back.ImageFileName, p.ImageFileName);
        EXPECT_EQ(back.ImageIndex, 4);
        EXPECT_EQ(back.VLaenge, 123.45);
        EXPECT_EQ(back.VBreite, 12.34);
        EXPECT_EQ(back.PckEin, 7);
        EXPECT_EQ(back.Preis, p.Preis);
        EXPECT_EQ(back.PreisArt, 1);
        EXPECT_EQ(back.Color, p.Color);
        EXPECT_TRUE(back.Hidden);
        EXPECT_EQ(back.AngebotsTextNr, 3);
        EXPECT_EQ(back.MeldungsTextNr, 4);
        EXPECT_TRUE(back.AutoInsert);
        EXPECT_EQ(back.Multiplikator, 2);
        EXPECT_EQ(back.Kreuzverbinder.Text(), QStringLiteral("K"));
        EXPECT_EQ(back.Winkelverbinder.Text(), QStringLiteral("W"));
        EXPECT_EQ(back.Laengsverbinder.Text(), QStringLiteral("L"));
        EXPECT_EQ(parsed.GroupName, QStringLiteral("Gruppe ä"));
        EXPECT_EQ(parsed.GroupInfo, QStringLiteral("Info"));
        EXPECT_EQ(parsed.GroupImage, QStringLiteral("g.jpg"));
        if (const auto* board = dynamic_cast<const TPaneele*>(&back)) {
            EXPECT_EQ(board->PreisLaenge, 120);
            EXPECT_EQ(board->PreisBreite, 12);
            EXPECT_EQ(board->Lattenabstand, 45.5);
            EXPECT_EQ(board->LattenNr.Text(), QStringLiteral("LN"));
            EXPECT_EQ(board->KlammernNr.Text(), QStringLiteral("KN"));
        }
        if (const auto* beam = dynamic_cast<const TBalken*>(&back)) {
            EXPECT_EQ(beam->VLaengeMin, 40);
        }
    }
}

// Lines of every version, written by hand: fields of higher versions are absent, not empty.
TEST(CatalogueLine, EveryLineVersionReadsItsOwnFields) {
    TCatalogue catalogue;
    TRecordingReporter reporter;
    LoadProducts(catalogue, TestDataFolder() + QStringLiteral("/catalogue/versions"), reporter);
    ASSERT_TRUE(reporter.Errors.empty()) << qPrintable(ErrorLines(reporter.Errors.front()));
    ASSERT_EQ(catalogue.GroupCount(), 1);
    const TProductGroup& group = *catalogue.Group(0);
    EXPECT_EQ(group.Products.Count(), 8);
    EXPECT_EQ(group.InfoText1.Text(), QStringLiteral("Gruppeninfo 6")); // the last line's
    EXPECT_EQ(group.ImageFileName.Text(), QStringLiteral("gruppe6.jpg"));
    const auto get = [&](const char* number) {
        const TProduct* p = catalogue.FindProduct(QLatin1String(number));
        EXPECT_NE(p, nullptr) << number;
        return p;
    };

    const auto* v0 = dynamic_cast<const TPaneele*>(get("V0"));
    ASSERT_NE(v0, nullptr);
    EXPECT_EQ(v0->PreisLaenge, 390);
    EXPECT_EQ(v0->PreisBreite, 14);
    EXPECT_EQ(v0->LattenNr.Text(), QStringLiteral("L1"));
    EXPECT_EQ(v0->KlammernNr.Text(), QStringLiteral("K1"));
    EXPECT_EQ(v0->Color, TColor(9226480)); // no colour before version 1
    EXPECT_EQ(v0->Preis[1], 0);

    const TProduct* v1 = get("V1");
    EXPECT_EQ(v1->ClassName(), QStringLiteral("TLeiste"));
    EXPECT_EQ(v1->Color, RGBColor(192, 192, 192));
    EXPECT_FALSE(v1->Hidden);
    EXPECT_EQ(v1->ImageIndex, 3);

    const TProduct* v2 = get("V2");
    EXPECT_EQ(v2->Color, TColor(0x112233));
    EXPECT_TRUE(v2->Hidden);
    EXPECT_EQ(v2->PckEin, 250);

    const TProduct* v3 = get("V3");
    EXPECT_EQ(v3->Preis, (std::array<double, 3>{12, 10.5, 9.75}));
    EXPECT_EQ(v3->AngebotsTextNr, 0);

    const TProduct* v4 = get("V4");
    EXPECT_EQ(v4->ClassName(), QStringLiteral("TModul"));
    EXPECT_EQ(v4->Color, TColor(255)); // a decimal colour
    EXPECT_EQ(v4->AngebotsTextNr, 3);
    EXPECT_EQ(v4->MeldungsTextNr, 7);
    EXPECT_FALSE(v4->AutoInsert);

    const TProduct* v5 = get("V5");
    EXPECT_EQ(v5->ClassName(), QStringLiteral("TBalken"));
    EXPECT_TRUE(v5->AutoInsert);
    EXPECT_EQ(v5->Multiplikator, 1);

    const TProduct* v6 = get("V6");
    EXPECT_EQ(v6->Typ, ptLatte); // "la" read upper-cased
    EXPECT_EQ(v6->Multiplikator, 2);
    EXPECT_EQ(v6->Kreuzverbinder.Text(), QStringLiteral("K"));
    EXPECT_EQ(v6->Winkelverbinder.Text(), QStringLiteral("W"));
    EXPECT_EQ(v6->Laengsverbinder.Text(), QStringLiteral("L"));
    EXPECT_EQ(v6->Preis, (std::array<double, 3>{4.5, 1, 2}));
    EXPECT_EQ(v6->AngebotsTextNr, 4);
    EXPECT_EQ(v6->MeldungsTextNr, 5);

    const TProduct* v6b = get("V6B"); // the last field without its ";"
    EXPECT_EQ(v6b->InfoText1.Text(), QStringLiteral("Ölbehandelt"));
    EXPECT_EQ(v6b->Color, RGBColor(255, 251, 240));
    EXPECT_TRUE(v6b->Laengsverbinder.IsEmpty());
}

TEST(CatalogueLine, LinesWithoutNumberGroupNameOrKnownTypeAreSkipped) {
    const char* skipped[] = {
        ";G;SO;Name;6;0,00;0,00;0,0;0,0;1,00;1,00;2;",
        "1;;SO;Name;6;0,00;0,00;0,0;0,0;1,00;1,00;2;",
        "1;G;SO;;6;0,00;0,00;0,0;0,0;1,00;1,00;2;",
        "1;G;XX;Name;6;0,00;0,00;0,0;0,0;1,00;1,00;2;",
        "1;G",
    };
    for (const char* line : skipped)
        EXPECT_EQ(ParseProductLine(QLatin1String(line)).Status, TParsedLine::plSkipped) << line;
    EXPECT_EQ(ParseProductLine(QString()).Status, TParsedLine::plBlank);
    EXPECT_EQ(ParseProductLine(QStringLiteral(";;;;;;;")).Status, TParsedLine::plBlank);
}

TEST(CatalogueLine, UnreadableNumbersAndMissingFieldsFail) {
    struct TCase {
        const char* Line;
        const char* Error;
    };
    const TCase cases[] = {
        {"1;G;SO;N;sechs;0,00;0,00;0,0;0,0;1,00;1,00;2;0,0;;;;;0;clWhite;0;;;0,00;0,00;0;0;0;1;;;;",
         "Feld 5 (Version): \"sechs\" ist keine gültige Zahl."},
        {"1;G;SO;N;6;0,00;0,00;0,0;0,0;1,00;1,00;2;0,0;;;;;0;clWhite;0;;;0,00;0,00;0;0;0",
         "Feld 28 (Multiplikator) fehlt."},
        {"1;G;PL;N;6;400,00;14,50;400,00;x;10,00;1,00;2;50,00;;;;;0;clWhite;0;;;0,00;0,00;0;0;0;1;"
         ";;;",
         "Feld 9 (BBreite): \"x\" ist keine gültige Zahl."},
        {"1;G;SO;N;6;0,00;0,00;0,0;0,0;1,00;1,00;2;0,0;;;;;0;hellgrau;0;;;0,00;0,00;0;0;0;1;;;;",
         "Feld 19 (ArtikelColor): \"hellgrau\" ist keine gültige Farbe."},
        {"1;G;SO;N;6;0,00;0,00;0,0;0,0;1,00;1,00;2;0,0;;;;;99999999999;clWhite;0;;;0,00;0,00;0;0;"
         "0;1;;;;",
         "Feld 18 (ArtikelImageIndex): \"99999999999\" ist keine gültige Zahl."},
    };
    for (const TCase& c : cases) {
        const TParsedLine parsed = ParseProductLine(QLatin1String(c.Line));
        EXPECT_EQ(parsed.Status, TParsedLine::plFailed) << c.Line;
        EXPECT_EQ(parsed.Error, QString::fromUtf8(c.Error));
    }
    // The board-only fields of other classes are passed over unread.
    EXPECT_EQ(ParseProductLine(QLatin1String("1;G;SO;N;6;0,00;0,00;x;y;1,00;1,00;2;z;;;;;0;clWhite;"
                                             "0;;;0,00;0,00;0;0;0;1;;;;"))
                  .Status,
              TParsedLine::plArticle);
}

TEST(CatalogueLine, StripWidthsStayInTheRangeTheStripDialogAccepts) {
    const std::pair<double, double> cases[] = {{2.9, 3}, {3, 3},    {4, 4},  {24, 24}, {24.5, 24.5},
                                               {25, 25}, {25.1, 3}, {30, 3}, {0, 3},   {-5, 3}};
    for (const auto& [written, read] : cases) {
        SCOPED_TRACE(written);
        TCatalogue catalogue;
        TProductGroup& group = GroupNamed(catalogue, QStringLiteral("G"));
        TProduct& strip = AddArticle(group, ptLatte, QStringLiteral("S"));
        strip.VBreite = written;
        const TParsedLine parsed = ParseProductLine(FromCp1252(FormatProductLine(strip, group)));
        ASSERT_EQ(parsed.Status, TParsedLine::plArticle) << qPrintable(parsed.Error);
        EXPECT_EQ(parsed.Product->VBreite, read);
    }
}

TEST(CatalogueLine, ArticlesThatWouldStallLayingOrTheOfferAreRefused) {
    const char* lines[] = {
        // board without width
        "B;G;PL;Diele;6;400,00;0,00;400,00;0,00;10,00;1,00;1;50,00;;;;;0;clWhite;0;;;0,00;0,00;0;0;"
        "0;1;;;;",
        // board without length
        "B;G;PA;Parkett;6;0,00;19,00;0,00;19,00;8,00;1,00;0;50,00;;;;;0;clWhite;0;;;0,00;0,00;0;0;"
        "0;1;;;;",
        // package of 0.4 pieces
        "S;G;SO;Schraube;6;0,00;0,00;0,0;0,0;0,40;1,00;2;0,0;;;;;0;clWhite;0;;;0,00;0,00;0;0;0;1;;;"
        ";",
        // batten without length
        "L;G;LA;Latte;6;0,00;6,00;0,0;0,0;10,00;1,00;0;0,0;;;;;0;clWhite;0;;;0,00;0,00;0;0;0;1;;;;",
    };
    for (const char* line : lines) {
        const TParsedLine parsed = ParseProductLine(QLatin1String(line));
        EXPECT_EQ(parsed.Status, TParsedLine::plFailed) << line;
        EXPECT_FALSE(parsed.Error.isEmpty());
    }
}

TEST(CatalogueColor, StandardColoursByNameOthersInHex) {
    EXPECT_EQ(ColorToText(RGBColor(128, 128, 128)), QStringLiteral("clGray"));
    EXPECT_EQ(ColorToText(RGBColor(166, 202, 240)), QStringLiteral("clSkyBlue"));
    EXPECT_EQ(ColorToText(RGBColor(240, 200, 140)), QStringLiteral("$008CC8F0"));
    EXPECT_EQ(ColorToText(0x8000000F), QStringLiteral("$8000000F"));
    const std::pair<const char*, TColor> reads[] = {
        {"clMedGray", RGBColor(160, 160, 164)},
        {"CLRED", 255},
        {" clCream ", RGBColor(255, 251, 240)},
        {"$008CC8F0", 9226480},
        {"$ff", 255},
        {"9226480", 9226480},
        {"-1", 0xFFFFFFFF},
    };
    for (const auto& [text, color] : reads)
        EXPECT_EQ(ColorFromText(QLatin1String(text)), color) << text;
    for (const char* bad : {"", "$", "$123456789", "$12G", "grau", "1.5"})
        EXPECT_FALSE(ColorFromText(QLatin1String(bad))) << bad;
}
