// Loading a folder of catalogue files, merging them, and writing them back.

#include "CatalogueTestSupport.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueJson.h"
#include "platform/Cp1252.h"
#include "platform/ValueStream.h"

#include <QBuffer>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray Line(const char* number, const char* group = "G", const char* rest = nullptr) {
    QByteArray line = QByteArray(number) + ';' + group + ";SO;Artikel " + number + ';';
    line += rest ? QByteArray(rest)
                 : QByteArray("6;0,00;0,00;0,0;0,0;10,00;1,00;2;0,0;;;;;0;clWhite;0;;;0,00;0,00;"
                              "0;0;0;1;;;;");
    return line;
}

// A catalogue folder for one test.
class CatalogueFolder : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fDir.isValid()); }

    QString Path(const QString& name) const { return fDir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(WriteBytes(Path(name), bytes));
    }
    void Load() { LoadProducts(fCatalogue, fDir.path(), fReporter); }
    void Save() { SaveProducts(fCatalogue, fDir.path(), fReporter); }
    QStringList Files() const { return QDir(fDir.path()).entryList(QDir::Files, QDir::Name); }

    // The stream bytes of the articles given, in one group each.
    static QByteArray StreamOf(const std::function<void(TCatalogue&)>& fill) {
        TCatalogue source;
        fill(source);
        return WriteStreamCatalogue(source, -1);
    }

    QTemporaryDir fDir;
    TCatalogue fCatalogue;
    TRecordingReporter fReporter;
};

std::vector<TCatalogueErrorKind> Kinds(const TRecordingReporter& reporter) {
    std::vector<TCatalogueErrorKind> kinds;
    for (const auto& error : reporter.Errors)
        kinds.push_back(error.Kind);
    return kinds;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Loading and merging

TEST_F(CatalogueFolder, AnEmptyFolderGivesAnEmptyCatalogueWithUserDat) {
    Write(QStringLiteral("notes.txt"), "x");
    QDir(fDir.path()).mkdir(QStringLiteral("ALT.DAT")); // a folder, not a file
    Load();
    EXPECT_EQ(fCatalogue.GroupCount(), 0);
    EXPECT_EQ(fCatalogue.ProductFileNames(), QStringList{QStringLiteral("USER.DAT")});
    EXPECT_TRUE(fReporter.Errors.empty());
}

TEST_F(CatalogueFolder, InTextFilesTheLastLineOfANumberWinsAcrossFiles) {
    Write(QStringLiteral("A.DAT"),
          CatalogueBytes({Line("1", "Erste"), Line("2", "Erste"), Line("2", "Zweite")}));
    Write(QStringLiteral("b.dat"), CatalogueBytes({Line("1", "Dritte")}));
    Load();
    EXPECT_TRUE(fReporter.Errors.empty());
    EXPECT_EQ(fCatalogue.ProductFileNames(),
              (QStringList{QStringLiteral("A.DAT"), QStringLiteral("B.DAT"),
                           QStringLiteral("USER.DAT")}));
    EXPECT_EQ(fCatalogue.ProductCount(), 2);
    EXPECT_EQ(fCatalogue.FindProductGroup(QStringLiteral("1"))->Name().Text(),
              QStringLiteral("Dritte"));
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("1"))->FileListIndex, 1);
    EXPECT_EQ(fCatalogue.FindProductGroup(QStringLiteral("2"))->Name().Text(),
              QStringLiteral("Zweite"));
    // The groups stay in load order even when they lost their articles.
    EXPECT_EQ(fCatalogue.Group(0)->Name().Text(), QStringLiteral("Erste"));
    EXPECT_TRUE(fCatalogue.Group(0)->Products.IsEmpty());
}

TEST_F(CatalogueFolder, InStreamFilesTheFirstArticleOfANumberWins) {
    const auto stream = [](const char* group, const char* number, double price) {
        return StreamOf([=](TCatalogue& c) {
            TProductGroup& g = GroupNamed(c, QLatin1String(group));
            g.InfoText1.SetText(QLatin1String(group) + QStringLiteral(" info"));
            AddArticle(g, ptPaneel, QLatin1String(number)).Preis[0] = price;
            AddArticle(g, ptLatte, QLatin1String(number) + QStringLiteral("-L"));
        });
    };
    Write(QStringLiteral("A.DAT"), stream("Holz", "7", 1));
    Write(QStringLiteral("B.DAT"), stream("Holz", "7", 2));    // same group: merged, 7 dropped
    Write(QStringLiteral("C.DAT"), stream("Anderes", "7", 3)); // new group, 7 still dropped
    Load();
    EXPECT_TRUE(fReporter.Errors.empty());
    ASSERT_EQ(fCatalogue.GroupCount(), 2);
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("7"))->Preis[0], 1);
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("7"))->FileListIndex, 0);
    EXPECT_EQ(fCatalogue.Group(0)->Products.Count(), 2);
    EXPECT_EQ(fCatalogue.Group(1)->Name().Text(), QStringLiteral("Anderes"));
    EXPECT_EQ(fCatalogue.Group(1)->InfoText1.Text(), QStringLiteral("Anderes info"));
    EXPECT_TRUE(fCatalogue.Group(1)->Products.IsEmpty());
    EXPECT_EQ(fCatalogue.ProductCount(), 2);
    for (const auto& group : fCatalogue.ProductGroups())
        for (const auto& product : group->Products.Items())
            EXPECT_EQ(product->ProductGroup, group.get());
}

TEST_F(CatalogueFolder, AStreamFileRewrittenAsTextLoadsToTheSameArticles) {
    Write(QStringLiteral("ALT.DAT"), StreamOf([](TCatalogue& c) {
              TProductGroup& g = GroupNamed(c, QStringLiteral("Alles"));
              g.ImageFileName.SetText(QStringLiteral("alles.jpg"));
              for (const std::int32_t typ : {0, 1, 2, 3, 10, 11, 20, 21, 30, 40, 50}) {
                  TProduct& p = AddArticle(g, typ, QStringLiteral("T%1").arg(typ));
                  p.Preis = {1.5, 2.25, 3};
                  p.Color = RGBColor(typ, 2, 3);
                  p.Multiplikator = 2;
                  p.Kreuzverbinder.SetText(QStringLiteral("X"));
              }
          }));
    Load();
    ASSERT_TRUE(fReporter.Errors.empty());
    ASSERT_GT(QFileInfo(Path(QStringLiteral("ALT.DAT"))).size(), 81);
    const QJsonObject fromStream = CatalogueToJson(fCatalogue, TCurrency{}, {});
    Save();
    EXPECT_TRUE(ReadBytes(Path(QStringLiteral("ALT.DAT"))).startsWith("ArtikelNr;"));
    TCatalogue reloaded;
    LoadProducts(reloaded, fDir.path(), fReporter);
    EXPECT_TRUE(fReporter.Errors.empty());
    EXPECT_EQ(CatalogueToJson(reloaded, TCurrency{}, {}), fromStream);
}

TEST_F(CatalogueFolder, AFailedLineNeverDeletesTheGoodArticleOfItsNumber) {
    Write(QStringLiteral("A.DAT"), CatalogueBytes({Line("100", "Gut")}));
    Write(QStringLiteral("B.DAT"),
          CatalogueBytes({Line(
              "100", "Schlecht",
              "6;kaputt;0,00;0,0;0,0;10,00;1,00;2;0,0;;;;;0;clWhite;0;;;0,00;0,00;0;0;0;1;;;;")}));
    Load();
    ASSERT_EQ(fReporter.Errors.size(), 1u);
    const TCatalogueError& error = fReporter.Errors[0];
    EXPECT_EQ(error.Kind, TCatalogueErrorKind::LineFailed);
    EXPECT_EQ(error.Line, 2);
    EXPECT_EQ(error.Text, QStringLiteral("Fehler in Zeile 2: von Produktdatei: \r") +
                              Path(QStringLiteral("B.DAT")));
    const TProduct* survivor = fCatalogue.FindProduct(QStringLiteral("100"));
    ASSERT_NE(survivor, nullptr);
    EXPECT_EQ(survivor->ProductGroup->Name().Text(), QStringLiteral("Gut"));
    EXPECT_EQ(fCatalogue.FindGroupByName(QStringLiteral("Schlecht")), nullptr);
}

TEST_F(CatalogueFolder, AbortStopsTheFileIgnoreGoesOn) {
    const QByteArray bad = Line("X", "G", "6;?;");
    Write(QStringLiteral("A.DAT"), CatalogueBytes({Line("1"), bad, Line("2"), bad, Line("3")}));
    Write(QStringLiteral("B.DAT"), CatalogueBytes({Line("4")}));

    fReporter.Answers = {TErrorAnswer::Ignore, TErrorAnswer::Abort};
    Load();
    EXPECT_EQ(Kinds(fReporter),
              (std::vector{TCatalogueErrorKind::LineFailed, TCatalogueErrorKind::LineFailed}));
    EXPECT_EQ(fReporter.Errors[0].Line, 3);
    EXPECT_EQ(fReporter.Errors[1].Line, 5);
    EXPECT_NE(fCatalogue.FindProduct(QStringLiteral("2")), nullptr);
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("3")), nullptr); // after the abort
    EXPECT_NE(fCatalogue.FindProduct(QStringLiteral("4")), nullptr); // the next file is read

    fReporter.Errors.clear();
    fReporter.Answers = {TErrorAnswer::Abort};
    Load();
    EXPECT_EQ(fReporter.Errors.size(), 1u);
    EXPECT_NE(fCatalogue.FindProduct(QStringLiteral("1")), nullptr);
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("2")), nullptr);
}

TEST_F(CatalogueFolder, NumbersAndGroupNamesAreCutBeforeTheyAreLookedUp) {
    const QByteArray longNumber(30, '9');
    const QByteArray longGroup(60, 'g');
    Write(QStringLiteral("A.DAT"),
          CatalogueBytes({Line(longNumber.constData(), longGroup.constData()),
                          Line(longNumber.constData(), longGroup.constData()),
                          Line("2", longGroup.constData())}));
    Load();
    EXPECT_EQ(fCatalogue.GroupCount(), 1);
    EXPECT_EQ(fCatalogue.ProductCount(), 2);
    EXPECT_EQ(fCatalogue.Group(0)->Name().Text(), QString(50, u'g'));
    EXPECT_NE(fCatalogue.FindProduct(QString(25, u'9')), nullptr);
}

TEST_F(CatalogueFolder, SeparatorsFromStreamTextsNeverReachALine) {
    // A stream written elsewhere, with ";" and line breaks inside the raw text blocks.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TWriter w(buffer);
        w.WriteListBegin();
        w.WriteInteger(0);
        w.WriteShortStringBlock("Holz;WPC", 50);
        w.WriteShortStringBlock("Zeile 1\r\nZeile 2", 80);
        w.WriteShortStringBlock("g;.jpg", 30);
        w.WriteInteger(0);
        w.WriteListBegin();
        w.WriteString(QStringLiteral("TProduct"));
        TProduct p;
        p.ArtikelNr.SetText(QStringLiteral("1"));
        QByteArray record;
        {
            QBuffer recordBuffer(&record);
            recordBuffer.open(QIODevice::WriteOnly);
            TWriter rw(recordBuffer);
            p.WriteData(rw);
            rw.FlushBuffer();
        }
        record.replace(QByteArray("Neuer Artikel ohne Name"),
                       QByteArray("Neuer;Artikel\nohne Name"));
        w.Write(record.constData(), record.size());
        w.WriteListEnd();
        w.WriteListEnd();
        w.FlushBuffer();
    }
    Write(QStringLiteral("ALT.DAT"), bytes);
    Load();
    ASSERT_TRUE(fReporter.Errors.empty()) << qPrintable(ErrorLines(fReporter.Errors[0]));
    EXPECT_EQ(fCatalogue.Group(0)->Name().Text(), QStringLiteral("Holz,WPC"));
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("1"))->Name.Text(),
              QStringLiteral("Neuer,Artikel ohne Name"));
    Save();
    TCatalogue reloaded;
    LoadProducts(reloaded, fDir.path(), fReporter);
    EXPECT_TRUE(fReporter.Errors.empty());
    EXPECT_EQ(reloaded.ProductCount(), 1);
    EXPECT_EQ(reloaded.Group(0)->InfoText1.Text(), QStringLiteral("Zeile 1  Zeile 2"));
    EXPECT_EQ(reloaded.Group(0)->ImageFileName.Text(), QStringLiteral("g,.jpg"));
}

TEST_F(CatalogueFolder, UnusableArticlesAreReportedAndLeftOut) {
    Write(QStringLiteral("A.DAT"),
          CatalogueBytes(
              {"B;G;PL;Diele;6;400,00;0,00;400,00;0,00;10,00;1,00;1;50,00;;;;;0;clWhite;0;;;"
               "0,00;0,00;0;0;0;1;;;;",
               Line("OK")}));
    Write(QStringLiteral("S.DAT"), StreamOf([](TCatalogue& c) {
              TProductGroup& g = GroupNamed(c, QStringLiteral("G"));
              AddArticle(g, ptKlammer, QStringLiteral("K")).PckEin = 0;
              AddArticle(g, ptKlammer, QStringLiteral("K2"));
          }));
    Load();
    EXPECT_EQ(Kinds(fReporter),
              (std::vector{TCatalogueErrorKind::LineFailed, TCatalogueErrorKind::LoadFailed}));
    EXPECT_TRUE(fReporter.Errors[0].Detail.contains(QStringLiteral("Breite")));
    EXPECT_TRUE(
        fReporter.Errors[1].Text.startsWith(QStringLiteral("Fehler beim Laden der Produkte.\r")));
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("B")), nullptr);
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("K")), nullptr);
    EXPECT_NE(fCatalogue.FindProduct(QStringLiteral("OK")), nullptr);
    EXPECT_NE(fCatalogue.FindProduct(QStringLiteral("K2")), nullptr);
}

TEST_F(CatalogueFolder, TheFormatIsToldByTheFirstBytes) {
    // 81 bytes not starting with the header: text, and the first line is taken as header.
    const QByteArray article = "1;G;SO;Kurz;0;0;0;0;0;1;1;2;0;;;;;0;;;\r\n";
    const QByteArray short81 = QByteArray(81 - 2 - article.size(), 'K') + "\r\n" + article;
    ASSERT_EQ(short81.size(), 81);
    EXPECT_TRUE(IsTextCatalogue(short81));
    EXPECT_FALSE(IsTextCatalogue(short81 + "x"));
    EXPECT_TRUE(IsTextCatalogue(CatalogueBytes({Line("1"), Line("2")})));
    Write(QStringLiteral("KURZ.DAT"), short81);
    // A byte-order mark in front of a text catalogue.
    Write(QStringLiteral("BOM.DAT"),
          ReadBytes(TestDataFolder() + QStringLiteral("/catalogue/bom/BOM.DAT")));
    // A longer file that is neither: read as a stream, which fails.
    Write(QStringLiteral("KAPUTT.DAT"), QByteArray(100, 'x'));
    Load();
    ASSERT_EQ(Kinds(fReporter), std::vector{TCatalogueErrorKind::LoadFailed});
    EXPECT_TRUE(
        fReporter.Errors[0].Text.startsWith(QStringLiteral("Fehler beim Laden der Produkte.\r") +
                                            Path(QStringLiteral("KAPUTT.DAT")) + u'\r'));
    const TProduct* b1 = fCatalogue.FindProduct(QStringLiteral("B1"));
    ASSERT_NE(b1, nullptr);
    EXPECT_EQ(b1->InfoText1.Text(), QStringLiteral("Größe geprüft")); // UTF-8 decoded
    EXPECT_EQ(b1->ProductGroup->Name().Text(), QStringLiteral("Wärmebehandelt"));
    EXPECT_EQ(fCatalogue.FindProduct(QStringLiteral("1"))->Name.Text(), QStringLiteral("Kurz"));
}

// ---------------------------------------------------------------------------------------------
// Saving

TEST_F(CatalogueFolder, SavingWritesEachArticleIntoItsOwnFileUnderItsRealName) {
    Write(QStringLiteral("muster.Dat"), CatalogueBytes({Line("1", "A"), Line("2", "B")}));
    Write(QStringLiteral("user.dat"), CatalogueBytes({Line("3", "A")}));
    Load();
    EXPECT_EQ(fCatalogue.ProductFileNames(),
              (QStringList{QStringLiteral("MUSTER.DAT"), QStringLiteral("USER.DAT")}));
    TProductGroup& group = GroupNamed(fCatalogue, QStringLiteral("Neu"));
    AddArticle(group, ptPaneel, QStringLiteral("ohne Datei")); // FileListIndex -1
    GroupNamed(fCatalogue, QStringLiteral("Leer"));
    AddArticle(group, ptSonstiges, QStringLiteral("4")).FileListIndex = 1;
    Save();
    EXPECT_TRUE(fReporter.Errors.empty());
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("muster.Dat"), QStringLiteral("user.dat")}));

    TCatalogue reloaded;
    LoadProducts(reloaded, fDir.path(), fReporter);
    EXPECT_EQ(reloaded.ProductCount(), 4);
    EXPECT_EQ(reloaded.FindProduct(QStringLiteral("ohne Datei")), nullptr);
    EXPECT_EQ(reloaded.FindGroupByName(QStringLiteral("Leer")), nullptr);
    EXPECT_EQ(reloaded.FindProduct(QStringLiteral("4"))->FileListIndex, 1);
    // Groups follow the catalogue order, each file keeps its own articles.
    QByteArray user = ReadBytes(Path(QStringLiteral("user.dat")));
    EXPECT_EQ(user.count("\r\n"), 3);
    EXPECT_TRUE(user.contains("\r\n3;A;") && user.contains("\r\n4;Neu;"));
    EXPECT_FALSE(user.contains("\n\n") || user.replace("\r\n", "").contains('\n'));
}

TEST_F(CatalogueFolder, AFileReadOnlyInPartIsLeftUntouched) {
    const QByteArray partial =
        CatalogueBytes({Line("1"), Line("X", "G", "6;kaputt;"), "9;G;ZZ;Neuer Typ;6;"});
    Write(QStringLiteral("TEIL.DAT"), partial);
    const QByteArray skippedOnly = CatalogueBytes({Line("5"), "9;G;ZZ;Neuer Typ;6;"});
    Write(QStringLiteral("UNBEKANNT.DAT"), skippedOnly);
    Write(QStringLiteral("VOLL.DAT"), CatalogueBytes({Line("2")}));
    Load();
    EXPECT_EQ(fReporter.Errors.size(), 1u);
    fCatalogue.FindProduct(QStringLiteral("1"))->Preis[0] = 99;
    fCatalogue.FindProduct(QStringLiteral("2"))->Preis[0] = 99;
    fReporter.Errors.clear();
    Save();
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("TEIL.DAT"))), partial);
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("UNBEKANNT.DAT"))), skippedOnly);
    EXPECT_TRUE(ReadBytes(Path(QStringLiteral("VOLL.DAT"))).contains(";99,00;"));
    EXPECT_EQ(Kinds(fReporter),
              (std::vector{TCatalogueErrorKind::SaveSkipped, TCatalogueErrorKind::SaveSkipped}));
    EXPECT_EQ(fReporter.Errors[0].Path, Path(QStringLiteral("TEIL.DAT")));
    EXPECT_TRUE(fReporter.Errors[0].Text.startsWith(
        QStringLiteral("Fehler beim Speichern der Produkte.\r") +
        Path(QStringLiteral("TEIL.DAT"))));
    // No temporary files are left behind.
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("TEIL.DAT"), QStringLiteral("UNBEKANNT.DAT"),
                                    QStringLiteral("USER.DAT"), QStringLiteral("VOLL.DAT")}));
}

TEST_F(CatalogueFolder, AFileThatCannotBeWrittenIsReportedAndTheOthersAreWritten) {
    Write(QStringLiteral("A.DAT"), CatalogueBytes({Line("1")}));
    Load();
    // USER.DAT cannot be replaced: a folder of that name is in the way.
    ASSERT_TRUE(QDir(fDir.path()).mkdir(QStringLiteral("USER.DAT")));
    fCatalogue.FindProduct(QStringLiteral("1"))->Preis[0] = 5;
    Save();
    ASSERT_EQ(Kinds(fReporter), std::vector{TCatalogueErrorKind::SaveFailed});
    EXPECT_EQ(fReporter.Errors[0].Text, QStringLiteral("Fehler beim Speichern der Produkte.\r") +
                                            Path(QStringLiteral("USER.DAT")));
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("USER.DAT"))).isDir());
    EXPECT_TRUE(ReadBytes(Path(QStringLiteral("A.DAT"))).contains(";5,00;"));
}

TEST(CatalogueJson, ArticlesCarryEveryFieldOfTheirClass) {
    TCatalogue catalogue;
    TProductGroup& group = GroupNamed(catalogue, QStringLiteral("G"));
    group.InfoText1.SetText(QStringLiteral("Info"));
    AddArticle(group, ptPaneel, QStringLiteral("B"));
    AddArticle(group, ptBalken, QStringLiteral("BA"));
    AddArticle(group, ptSonstiges, QStringLiteral("S"));
    catalogue.AddProductFile(QStringLiteral("USER.DAT"));
    const QJsonObject json = CatalogueToJson(catalogue, TCurrency{0, QStringLiteral("EUR")}, {});
    EXPECT_EQ(json[u"ProductFiles"].toArray(), QJsonArray{QStringLiteral("USER.DAT")});
    EXPECT_FALSE(json.contains(u"Errors"));
    const QJsonObject g = json[u"ProductGroups"].toArray()[0].toObject();
    EXPECT_EQ(g[u"Name"].toString(), QStringLiteral("G"));
    EXPECT_EQ(g[u"InfoText1"].toString(), QStringLiteral("Info"));
    const QJsonArray products = g[u"Products"].toArray();
    const QJsonObject board = products[0].toObject();
    for (const char* key : {"Name",
                            "ArtikelNr",
                            "InfoText1",
                            "Typ",
                            "ImageFileName",
                            "ImageIndex",
                            "VBreite",
                            "VLaenge",
                            "PckEin",
                            "Preis",
                            "PreisArt",
                            "FileListIndex",
                            "Color",
                            "Hidden",
                            "AngebotsTextNr",
                            "MeldungsTextNr",
                            "AutoInsert",
                            "Multiplikator",
                            "Kreuzverbinder",
                            "Winkelverbinder",
                            "Laengsverbinder",
                            "Lattenabstand",
                            "PreisLaenge",
                            "PreisBreite",
                            "KlammernNr",
                            "LattenNr",
                            "DimCode"})
        EXPECT_TRUE(board.contains(QLatin1String(key))) << key;
    EXPECT_EQ(board[u"DimCode"].toString(), QStringLiteral("800x250mm  10/Pck  24,95 EUR/Stck"));
    EXPECT_TRUE(products[1].toObject().contains(u"VBreiteMax"));
    EXPECT_FALSE(products[2].toObject().contains(u"LattenNr"));
    EXPECT_EQ(products[2].toObject()[u"Preis"].toArray().size(), 3);
}
