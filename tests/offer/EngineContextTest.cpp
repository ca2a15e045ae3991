// The engine context: every program-wide part lives in the one object its creator owns, so two
// contexts share nothing, and a context is complete from construction on.

#include "offer/EngineContext.h"

#include "catalogue/Paneele.h"
#include "laying/PlanLaying.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"
#include "substructure/NeuVerlatten.h"
#include "support/RecordingMessages.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

TEST(EngineContextTest, TwoContextsShareNothing) {
    TRecordingMessages firstMessages;
    TEngineContext first(&firstMessages);
    TEngineContext second;
    first.Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Dielen")));
    first.PatternPrototypes[3]->Product->VLaenge = 123;
    first.LattenPrototype(2)->fMaxLattenAbstand = 33;
    first.SubstructureDefaults.DefaultUKArtikel = QStringLiteral("L1");
    first.Laying.SelectedLayer = 2;
    first.Messages().ShowError(QStringLiteral("nur hier"));

    EXPECT_EQ(second.Catalogue.GroupCount(), 0);
    EXPECT_NE(second.PatternPrototypes[3]->Product->VLaenge, 123);
    EXPECT_EQ(second.LattenPrototype(2)->fMaxLattenAbstand, 60);
    EXPECT_TRUE(second.SubstructureDefaults.DefaultUKArtikel.isEmpty());
    EXPECT_EQ(second.Laying.SelectedLayer, 0);
    EXPECT_EQ(firstMessages.Messages, QStringList{QStringLiteral("nur hier")});
    EXPECT_EQ(first.PlanReadDefaults().LattenArtikelNr, QStringLiteral("L1"));
}

// Nothing has to be called in a particular order: a fresh context lays with battens and reads
// back the generators it wrote.
TEST(EngineContextTest, AFreshContextLaysBattensAndReadsItsPlans) {
    TRecordingMessages messages;
    TEngineContext context(&messages);
    auto board = std::make_unique<TPaneele>();
    board->ArtikelNr.SetText(QStringLiteral("D1"));
    board->Typ = ptPaneel;
    board->VBreite = 14.5;
    board->VLaenge = 400;
    board->Lattenabstand = 50;
    context.Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Dielen")));
    context.Catalogue.CurrentPaneel().Assign(*board);
    context.Catalogue.Group(0)->Products.Add(std::move(board));
    context.Laying.CurrentPattern = context.PatternPrototypes[3].get();
    context.SubstructureDefaults.DefaultUKMuster = 1;
    context.SubstructureDefaults.DefaultLattenGenerator = context.LattenPrototype(1);

    TPlanDocument plan;
    auto shape = std::make_unique<TShape>();
    for (const Tgpc_vertex& v : {Tgpc_vertex{0, 0}, {300, 0}, {300, 200}, {0, 200}})
        shape->AddVertex(v);
    ASSERT_EQ(plan.AddShape(std::move(shape)), vrOk);
    plan.UpdateShapes();
    TShape& area = *plan.ShapeList[0];
    SetVerlegeRichtungParallel(context, area, 0, TVektor(0, 0, 300, 0));
    NeuVerlegen(context, plan, {&area}, TLayingTrigger::User);
    EXPECT_FALSE(area.Layer(0).empty());
    ASSERT_EQ(area.VerlattungColl().size(), 1u);
    EXPECT_GT(area.LaengeVerlattung(), 0);
    EXPECT_TRUE(messages.Messages.isEmpty()) << messages.Messages.join(u'\n').toStdString();

    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        TWriter writer(out);
        plan.WriteData(writer);
        writer.FlushBuffer();
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TReader reader(in);
    TPlanDocument back;
    back.ReadData(reader, context.PlanReadDefaults());
    ASSERT_EQ(back.ShapeList.size(), 1u);
    ASSERT_NE(back.ShapeList[0]->GetPatternGenerator(0), nullptr);
    EXPECT_EQ(back.ShapeList[0]->GetPatternGenerator(0)->Name, QStringLiteral("Halber Versatz"));
    ASSERT_NE(back.ShapeList[0]->LattenGenerator(), nullptr);
    EXPECT_EQ(back.ShapeList[0]->LattenGenerator()->ClassName(),
              QStringLiteral("TLattenGeneratorLaengs"));
}

} // namespace
