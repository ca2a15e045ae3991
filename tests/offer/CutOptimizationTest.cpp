// The optimisation of a whole requirement: merging, the stock an entry may use, the results
// and the stock piece numbers of the cut list.

#include "offer/CutOptimization.h"

#include "catalogue/Leisten.h"
#include "catalogue/Paneele.h"

#include "CutTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class CutOptimization : public testing::Test {
protected:
    TCatalogue fCatalogue;
    TProductGroup* fGroup = nullptr;

    void SetUp() override {
        fGroup = fCatalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Dielen")));
    }

    TProduct& Add(const char* number, int typ, double length, double package = 5) {
        std::unique_ptr<TProduct> p = typ >= 10
                                          ? std::unique_ptr<TProduct>(std::make_unique<TLeiste>())
                                          : std::unique_ptr<TProduct>(std::make_unique<TPaneele>());
        p->ArtikelNr.SetText(QString::fromLatin1(number));
        p->Typ = typ;
        p->Name.SetText(QStringLiteral("Diele"));
        p->VLaenge = length;
        p->PckEin = package;
        return *fGroup->Products.Get(fGroup->Products.Add(std::move(p)));
    }

    static void AddPieces(TBedarfsColl& coll, const char* number,
                          const std::vector<TPieceSpec>& pieces, int typ) {
        TArtikelItemArray& entry = coll.Entry(QString::fromLatin1(number));
        for (const TArtikelItem& item : Items(pieces, typ)) {
            TArtikelItem copy = item;
            copy.ArtikelNr.SetText(QString::fromLatin1(number));
            entry.Add(copy);
        }
    }
};

TEST_F(CutOptimization, EntriesGoToTheirLongestCompatibleArticleInAnyOrder) {
    Add("K", 0, 300);
    Add("L", 0, 400);
    Add("M", 0, 600);
    Add("Z", 20, 1); // clips are never merged
    TBedarfsColl coll;
    AddPieces(coll, "K", {{120, 1, 2}}, 0);
    AddPieces(coll, "Z", {{1, 1, 1}}, 20);
    AddPieces(coll, "L", {{350, 1, 1}, {90, 1, 1}}, 0);
    AddPieces(coll, "M", {{500, 1, 1}}, 0);
    EXPECT_TRUE(MergeCompatibleEntries(fCatalogue, coll).isEmpty());
    ASSERT_EQ(coll.Count(), 2);
    EXPECT_EQ(coll.Entries[0].ArtikelNr, QStringLiteral("Z"));
    EXPECT_EQ(coll.Entries[1].ArtikelNr, QStringLiteral("M"));
    std::vector<double> lengths;
    for (const TArtikelItem& item : coll.Entries[1].Items)
        lengths.push_back(item.Laenge);
    EXPECT_EQ(lengths, (std::vector<double>{90, 120, 120, 350, 500})); // sorted
}

TEST_F(CutOptimization, AMissingArticleStopsTheBuildAndChangesNothing) {
    Add("K", 0, 300);
    TBedarfsColl coll;
    AddPieces(coll, "K", {{120, 1, 2}}, 0);
    AddPieces(coll, "weg", {{100, 1, 1}}, 0);
    const QString message = MergeCompatibleEntries(fCatalogue, coll);
    EXPECT_EQ(message, QStringLiteral("Artikel Nr.:\"weg\" nicht im Artikelstamm gefunden.\r"
                                      "Die Berechnung des Angebots ist nicht möglich."));
    EXPECT_EQ(coll.Count(), 2);
}

TEST_F(CutOptimization, WhichStockAnEntryMayUse) {
    TProduct& a = Add("A", 1, 400, 0.2); // a package unit below one piece is one piece
    Add("B", 1, 300);
    Add("C", 1, 100); // shorter than the shortest piece less 0.1: not taken
    TArtikelItemArray items = Items({{150, 1, 1}, {250, 1, 1}}, 1);
    TCutProblem on = BuildCutProblem(a, items, true);
    ASSERT_EQ(on.Lager.size(), 2u);
    EXPECT_EQ(on.Lager[0].ArtikelNr, QStringLiteral("A"));
    EXPECT_EQ(on.Lager[0].PckEin, 1);
    EXPECT_EQ(on.Lager[0].StirnSeite, 9);
    EXPECT_DOUBLE_EQ(on.Teile[0].Laenge, 249.9);
    EXPECT_DOUBLE_EQ(on.MinRest, 149.9);
    // Optimisation off: the article alone, except for profile timber.
    EXPECT_EQ(BuildCutProblem(a, items, false).Lager.size(), 1u);
    // Battens take any stock, but none too short to cut.
    fGroup->Products.Clear();
    TProduct& l = Add("L", ptLatte, 400);
    Add("L2", ptLatte, 4);
    Add("L3", ptLatte, 100);
    QStringList problems;
    const TCutProblem battens = BuildCutProblem(l, Items({{650, 1, 1}}, ptLatte), true, &problems);
    ASSERT_EQ(battens.Lager.size(), 2u);
    EXPECT_EQ(battens.Lager[1].ArtikelNr, QStringLiteral("L3"));
    EXPECT_DOUBLE_EQ(battens.MinRest, 10);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("L2")));
}

TEST_F(CutOptimization, ResultsTagsAndMessages) {
    Add("A", 2, 400, 2);
    Add("S", ptLeiste, 250, 1);
    Add("Z", 20, 1);
    TBedarfsColl coll;
    AddPieces(coll, "A", {{150, 1, 2}, {300, 21, 1}, {80, 1, 1}}, 2);
    AddPieces(coll, "S", {{250, 1, 2}, {100, 1, 1}}, ptLeiste); // a strip of 600 as laid
    AddPieces(coll, "Z", {{1, 1, 1}}, 20);
    for (TOptimizer optimizer : {TOptimizer::Classic, TOptimizer::Exact}) {
        SCOPED_TRACE(optimizer == TOptimizer::Classic ? "classic" : "exact");
        TBedarfsColl c = coll;
        ASSERT_TRUE(MergeCompatibleEntries(fCatalogue, c).isEmpty());
        TOptimizeOptions options;
        options.Optimizer = optimizer;
        options.Control.RetryGroups = 2;
        QStringList messages;
        std::vector<TEntryResult> results = OptimizeBedarf(fCatalogue, c, options, &messages);
        RenumberTags(c, results);
        ASSERT_EQ(results.size(), 3u);
        EXPECT_TRUE(messages.isEmpty()) << qPrintable(messages.join(u'\n'));
        const TEntryResult& boards = results[0];
        ASSERT_TRUE(boards.Solution.Found);
        // 300 (whole board) and 80 from one stock board, 150 and 150 from the other.
        EXPECT_EQ(boards.PaketList.Count(), 2);
        EXPECT_DOUBLE_EQ(boards.Solution.Total, 800);
        // Numbers only for stock boards giving two pieces or more, from 1 without gaps.
        std::map<int, int> uses;
        for (const TArtikelItem& item : c.Entries[0].Items)
            if (item.Tag != 0) ++uses[item.Tag];
        ASSERT_FALSE(uses.empty());
        int expected = 0;
        for (const auto& [tag, count] : uses) {
            EXPECT_EQ(tag, ++expected);
            EXPECT_GE(count, 2);
        }
        for (const TArtikelItem& item : boards.PaketList)
            EXPECT_TRUE(item.Tag == 0 || uses.count(item.Tag));
        // Strips carry no numbers; clips are not cut.
        EXPECT_TRUE(results[1].Solution.Found);
        EXPECT_EQ(results[1].PaketList.Count(), 3);
        EXPECT_EQ(results[1].PaketList.Get(0).Tag, 0);
        EXPECT_FALSE(results[2].Optimised);
    }
    // A piece longer than every sold board: no solution, and the user hears why.
    TBedarfsColl tooLong;
    AddPieces(tooLong, "A", {{450, 21, 1}}, 2);
    QStringList messages;
    const std::vector<TEntryResult> results =
        OptimizeBedarf(fCatalogue, tooLong, TOptimizeOptions(), &messages);
    EXPECT_FALSE(results[0].Solution.Found);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("länger als jede Lagerlänge")));
    EXPECT_TRUE(results[0].PaketList.Empty());
}

} // namespace
