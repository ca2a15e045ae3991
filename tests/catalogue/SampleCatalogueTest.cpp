// The sample data shipped to new users: it must load cleanly and its cross-references must
// lead to articles of the right kind, so that laying, substructure and offer have real data.

#include "CatalogueTestSupport.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/Klammern.h"
#include "catalogue/Leisten.h"
#include "catalogue/Module.h"
#include "catalogue/Paneele.h"
#include "platform/AppSettings.h"
#include "platform/Cp1252.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

class SampleCatalogue : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fShipped = FindShippedData();
        ASSERT_FALSE(fShipped.isEmpty());
        fCatalogue = new TCatalogue;
        LoadProducts(*fCatalogue, fShipped + QStringLiteral("/catalogue"), fReporter);
    }
    static void TearDownTestSuite() {
        delete fCatalogue;
        fCatalogue = nullptr;
    }

    static std::vector<const TProduct*> Articles() {
        std::vector<const TProduct*> all;
        for (const auto& group : fCatalogue->ProductGroups())
            for (const auto& product : group->Products.Items())
                all.push_back(product.get());
        return all;
    }

    // Numbered entries of a text list, by its file rules (first entry of a number wins).
    static std::map<int, QString> TextList(const QString& name) {
        std::map<int, QString> entries;
        const QString text = FromCp1252(ReadBytes(fShipped + u'/' + name));
        for (QString line : text.split(QStringLiteral("\r\n"))) {
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith(u';')) continue;
            const qsizetype blank = line.indexOf(u' ');
            bool ok = false;
            const int number = blank > 0 ? line.left(blank).toInt(&ok) : 0;
            EXPECT_TRUE(ok) << qPrintable(line);
            if (ok) entries.emplace(number, line.mid(blank + 1).trimmed());
        }
        return entries;
    }

    // Element and exchange article numbers of a module script.
    static QStringList ScriptArticles(const QString& script, const QString& section) {
        QStringList numbers;
        const QString text = FromCp1252(ReadBytes(fShipped + QStringLiteral("/modules/") + script));
        bool inSection = false;
        for (const QString& line : text.split(QStringLiteral("\r\n"))) {
            if (line.startsWith(u'[')) {
                inSection = line.toUpper().startsWith(u'[' + section.toUpper() + u']');
                continue;
            }
            const qsizetype colon = line.indexOf(u':');
            if (!inSection || colon < 0 || line.left(colon).trimmed().toUpper() != u"EL") continue;
            numbers << line.mid(colon + 1).section(u';', 0, 0).trimmed();
        }
        return numbers;
    }

    static QString fShipped;
    static TCatalogue* fCatalogue;
    static TRecordingReporter fReporter;
};

QString SampleCatalogue::fShipped;
TCatalogue* SampleCatalogue::fCatalogue = nullptr;
TRecordingReporter SampleCatalogue::fReporter;

} // namespace

TEST_F(SampleCatalogue, LoadsWithoutASingleError) {
    for (const auto& error : fReporter.Errors)
        ADD_FAILURE() << qPrintable(ErrorLines(error));
    EXPECT_GE(fCatalogue->ProductCount(), 60);
    EXPECT_GE(fCatalogue->GroupCount(), 8);
    for (const TProductFile& file : fCatalogue->ProductFiles())
        EXPECT_TRUE(file.Writable) << qPrintable(file.Name);
    std::set<std::int32_t> types;
    for (const TProduct* p : Articles()) {
        types.insert(p->Typ);
        EXPECT_TRUE(p->Defect().isEmpty()) << qPrintable(p->ArtikelNr.Text());
        EXPECT_EQ(p->Preis[1], p->Preis[0]) << "the default currency is the second";
    }
    EXPECT_EQ(types, (std::set<std::int32_t>{0, 1, 2, 3, 10, 11, 20, 21, 30, 40, 50}));
}

// Our own writer reproduces every shipped file byte for byte: the files keep every field rule.
TEST_F(SampleCatalogue, FilesAreExactlyWhatTheProgramWrites) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SaveProducts(*fCatalogue, dir.path(), fReporter);
    for (const TProductFile& file : fCatalogue->ProductFiles()) {
        if (file.Name == u"USER.DAT") continue;
        SCOPED_TRACE(qPrintable(file.FileName));
        const QByteArray shipped =
            ReadBytes(fShipped + QStringLiteral("/catalogue/") + file.FileName);
        EXPECT_EQ(ReadBytes(dir.filePath(file.FileName)), shipped);
        EXPECT_EQ(shipped.count("\r\n"), shipped.count('\n'));
    }
}

TEST_F(SampleCatalogue, CrossReferencesLeadToArticlesOfTheRightKind) {
    const auto kind = [&](const QString& number) -> QString {
        const TProduct* p = fCatalogue->FindProduct(number);
        return p ? p->ClassName() : QStringLiteral("missing");
    };
    const auto typ = [&](const QString& number) {
        const TProduct* p = fCatalogue->FindProduct(number);
        return p ? p->Typ : -1;
    };
    int boardsWithBatten = 0, battensWithConnectors = 0, optional = 0, autoInserted = 0;
    for (const TProduct* p : Articles()) {
        SCOPED_TRACE(qPrintable(p->ArtikelNr.Text()));
        if (const auto* board = dynamic_cast<const TPaneele*>(p)) {
            if (!board->LattenNr.IsEmpty()) {
                ++boardsWithBatten;
                EXPECT_EQ(typ(board->LattenNr.Text()), ptLatte);
            }
            if (!board->KlammernNr.IsEmpty()) {
                EXPECT_EQ(kind(board->KlammernNr.Text()), QStringLiteral("TKlammer"));
            }
        }
        if (dynamic_cast<const TLeiste*>(p)) {
            const TArticleString* connectors[] = {&p->Kreuzverbinder, &p->Winkelverbinder,
                                                  &p->Laengsverbinder};
            for (const TArticleString* connector : connectors)
                if (!connector->IsEmpty()) {
                    EXPECT_EQ(typ(connector->Text()), ptSonstiges);
                    ++battensWithConnectors;
                }
        } else if (!p->Kreuzverbinder.IsEmpty()) {
            ++optional;
            // The chain of optional articles ends.
            std::set<QString> seen{p->ArtikelNr.Text()};
            for (const TProduct* next = fCatalogue->FindProduct(p->Kreuzverbinder.Text()); next;
                 next = fCatalogue->FindProduct(next->Kreuzverbinder.Text())) {
                ASSERT_TRUE(seen.insert(next->ArtikelNr.Text()).second) << "a cycle";
                if (next->Kreuzverbinder.IsEmpty()) break;
            }
            EXPECT_NE(fCatalogue->FindProduct(p->Kreuzverbinder.Text()), nullptr);
        }
        if (p->AutoInsert) ++autoInserted;
    }
    EXPECT_GT(boardsWithBatten, 20);
    EXPECT_GT(battensWithConnectors, 5);
    EXPECT_GT(optional, 3);
    EXPECT_GE(autoInserted, 1);
}

TEST_F(SampleCatalogue, BoardsComeInSeveralCompatibleLengths) {
    int boardsWithShorterStandIns = 0;
    for (const TProduct* a : Articles()) {
        if (!dynamic_cast<const TPaneele*>(a)) continue;
        for (const auto& item : a->ProductGroup->Products.Items()) {
            const TProduct* b = item.get();
            if (a != b && a->IsCompatible(b)) {
                ++boardsWithShorterStandIns;
                EXPECT_LT(b->VLaenge, a->VLaenge);
                EXPECT_FALSE(b->IsCompatible(a));
                break;
            }
        }
    }
    EXPECT_GE(boardsWithShorterStandIns, 15);
}

TEST_F(SampleCatalogue, ModuleScriptsAndTheirElementsExist) {
    int modules = 0;
    for (const TProduct* p : Articles()) {
        if (!dynamic_cast<const TModul*>(p)) continue;
        ++modules;
        const QString script = p->ImageFileName.Text();
        SCOPED_TRACE(qPrintable(script));
        ASSERT_TRUE(QFileInfo(fShipped + QStringLiteral("/modules/") + script).isFile());
        for (const QString& element : ScriptArticles(script, QStringLiteral("Elements"))) {
            const TProduct* e = fCatalogue->FindProduct(element);
            ASSERT_NE(e, nullptr) << qPrintable(element);
            EXPECT_EQ(e->Typ, ptModul);
            EXPECT_TRUE(e->Hidden);
        }
        for (const QString& exchange : ScriptArticles(script, QStringLiteral("COMPATIBLE"))) {
            const TProduct* e = fCatalogue->FindProduct(exchange);
            EXPECT_TRUE(e && e->Typ == ptModul) << qPrintable(exchange);
        }
    }
    EXPECT_GE(modules, 5);
}

TEST_F(SampleCatalogue, OfferAndMessageTextsExistForEveryNumberUsed) {
    const auto offerTexts = TextList(QStringLiteral("Angebot.txt"));
    const auto messageTexts = TextList(QStringLiteral("Meldungen.txt"));
    EXPECT_GE(offerTexts.size(), 5u);
    EXPECT_GE(messageTexts.size(), 5u);
    for (const TProduct* p : Articles()) {
        EXPECT_TRUE(p->AngebotsTextNr == 0 || offerTexts.count(p->AngebotsTextNr))
            << qPrintable(p->ArtikelNr.Text());
        EXPECT_TRUE(p->MeldungsTextNr == 0 || messageTexts.count(p->MeldungsTextNr))
            << qPrintable(p->ArtikelNr.Text());
    }
}
