#pragma once
// Shared set-up of the laying tests: board articles in the program's catalogue, the laying
// state, recorded error messages, and a generator that lays exactly the boards it is given.

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "laying/LayingContext.h"
#include "laying/Patterns.h"
#include "support/FixedBoardsGen.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>
#include <vector>

// Every test has a laying context of its own: an empty catalogue, no current pattern, layer 0,
// and the error messages recorded instead of printed.
class TLayingTest : public ::testing::Test {
protected:
    TRecordingMessages Recorded;
    TLayingContext Context{&Recorded};
    QStringList& Messages = Recorded.Messages;
    TCatalogue& Catalogue = Context.Catalogue;

    // A board article in the catalogue, also made the current board.
    TPaneele& AddBoard(const QString& number, std::int32_t typ, double width, double length,
                       const QString& name = QStringLiteral("Diele")) {
        if (Catalogue.GroupCount() == 0)
            Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Dielen")));
        auto board = std::make_unique<TPaneele>();
        board->ArtikelNr.SetText(number);
        board->Name.SetText(name);
        board->Typ = typ;
        board->VBreite = width;
        board->VLaenge = length;
        TPaneele& added = *board;
        Catalogue.Group(0)->Products.Add(std::move(board));
        Catalogue.CurrentPaneel().Assign(added);
        return added;
    }

    // A generator like the one laying gives an area: a copy of the pattern with the article.
    static std::unique_ptr<TPatternGenerator> GeneratorFor(const TPatternGenerator& Pattern,
                                                           const TPaneele& Article) {
        std::unique_ptr<TPatternGenerator> generator = Pattern.Clone();
        generator->Product->Assign(Article);
        return generator;
    }
};
