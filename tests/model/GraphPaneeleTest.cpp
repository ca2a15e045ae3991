#include "model/GraphPaneele.h"
#include "catalogue/ArticleSource.h"
#include "catalogue/JPGImages.h"
#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/DoubleArray.h"
#include "geometry/Vektors.h"
#include "model/GraphBalken.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"

#include "support/PlanObjects.h"
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TGraphPaneel Board(double x, double y, double lx, double ly, double qx, double qy) {
    return TGraphPaneel(nullptr, nullptr, QStringLiteral("50100"), 1, TVektor(x, y, x + lx, y + ly),
                        TVektor(0, 0, qx, qy), QStringLiteral("wpc_grau.jpg"), RGBColor(9, 8, 7));
}

TEST(GraphPaneelTest, DefaultsAndOutlineFromVectors) {
    TGraphPaneel fresh;
    EXPECT_EQ(fresh.Color, RGBColor(127, 127, 127));
    EXPECT_EQ(fresh.Typ, 0);
    ASSERT_EQ(fresh.Polygon.num_contours(), 1);
    EXPECT_EQ(fresh.Polygon.contour[0].num_vertices(), 4);
    EXPECT_EQ(fresh.SerialID(), QStringLiteral("PA"));

    TGraphPaneel b = Board(0, 0, 100, 0, 0, 20);
    EXPECT_EQ(b.P(0), (Tgpc_vertex{0, 0}));
    EXPECT_EQ(b.P(1), (Tgpc_vertex{100, 0}));
    EXPECT_EQ(b.P(2), (Tgpc_vertex{100, 20}));
    EXPECT_EQ(b.P(3), (Tgpc_vertex{0, 20}));
    EXPECT_EQ(b.Direction(), 0);
    b.Rotate(TROTMatrix::FromAngle(90, 0, 0));
    EXPECT_NEAR(b.P(1).x, 0, 1e-12);
    EXPECT_NEAR(b.P(1).y, 100, 1e-12);
    EXPECT_NEAR(b.Direction(), 90, 1e-12);
    double x, y, w;
    b.GetPosition(x, y, w);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_NEAR(w, 90, 1e-12);
}

TEST(GraphPaneelTest, DirectionInEveryQuadrantStaysBelow360) {
    struct Case {
        double lx, ly, expected;
    };
    const Case cases[] = {{0, -1, 270},   {-1, 0, 180}, {1, 1, 45}, {-1, 1, 135},
                          {-1, -1, 225},  {1, -1, 315}, {0, 5, 90}, {100, -1e-9, 0},
                          {100, 1e-9, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        const TGraphPaneel b = Board(3, 4, c.lx, c.ly, 0, 1);
        const double d = b.Direction();
        EXPECT_GE(d, 0);
        EXPECT_LT(d, 360);
        EXPECT_NEAR(d, c.expected, 1e-6) << c.lx << "," << c.ly;
    }
    TGraphPaneel turned = Board(0, 0, 100, 0, 0, 20);
    for (int i = 0; i < 12; ++i)
        turned.Rotate(TROTMatrix::FromAngle(30, 17, 23));
    EXPECT_LT(turned.Direction(), 360);
    EXPECT_TRUE(turned.Direction() < 1e-6 || turned.Direction() > 360 - 1e-6);
}

TEST(GraphPaneelTest, HitTestsExtentAndCoordinates) {
    TGraphPaneel b = Board(10, 10, 100, 0, 0, 20);
    EXPECT_EQ(b.GetHitIndex(50, 20), 0);
    EXPECT_EQ(b.GetHitIndex(50, 40), -1);
    EXPECT_EQ(b.GetHitIndex(110, 20), -1); // right edge: outside by the even-odd rule
    EXPECT_EQ(b.ObjectFromPoint(50, 20), &b);
    EXPECT_EQ(b.ObjectFromPoint(0, 0), nullptr);
    double x1, y1, x2, y2;
    b.GetExtent(x1, y1, x2, y2);
    EXPECT_EQ(x1, 10);
    EXPECT_EQ(y1, 10);
    EXPECT_EQ(x2, 110);
    EXPECT_EQ(y2, 30);
    TDoubleArray list;
    b.GetKoordinateList(list);
    const std::vector<double> expected = {10, 10, 110, 10, 110, 30, 10, 30};
    EXPECT_EQ(std::vector<double>(list.begin(), list.end()), expected);
    b.Move(-10, 5);
    EXPECT_EQ(b.P(2), (Tgpc_vertex{100, 35}));
}

TEST(GraphPaneelTest, IsInShapeFollowsTheEffectiveOutline) {
    auto area = RectangleArea(0, 0, 200, 100);
    TGraphPaneel inside = Board(10, 10, 100, 0, 0, 20);
    TGraphPaneel partly = Board(150, 10, 100, 0, 0, 20);
    TGraphPaneel outside = Board(300, 10, 100, 0, 0, 20);
    EXPECT_TRUE(inside.IsInShape(area.get()));
    EXPECT_TRUE(partly.IsInShape(area.get()));
    EXPECT_FALSE(outside.IsInShape(area.get()));
    EXPECT_FALSE(inside.IsInShape(nullptr));
    area->CutEffectiveOutline(area->DrawnPolygon()); // covered by a cut-out: nothing to overlap
    EXPECT_FALSE(inside.IsInShape(area.get()));
}

TEST(GraphPaneelTest, DebugInfoOfARectangle) {
    const TGraphPaneel b = Board(0, 0, 100, 0, 0, 20);
    QStringList info;
    b.GetDebugInfo(info);
    ASSERT_EQ(info.size(), 3);
    EXPECT_EQ(info[0], QStringLiteral(
                           "Punkte: [0.00, 0.00   100.00, 0.00   100.00, 20.00   0.00, 20.00   ]"));
    EXPECT_EQ(info[1], QStringLiteral("Kantenlängen: 100.00 20.00 100.00 20.00 "));
    EXPECT_EQ(info[2], QStringLiteral("Winkel: 90.00 90.00 90.00 90.00 "));
    TGraphPaneel point; // all vertices in one point: no division by zero
    point.GetDebugInfo(info);
    EXPECT_EQ(info[2], QStringLiteral("Winkel: 0.00 0.00 0.00 0.00 "));
}

TEST(GraphPaneelTest, CloneCopiesTheBoardButNotTheModuleLinks) {
    TShape area;
    TGraphicObject module;
    TGraphPaneel b = Board(1, 2, 30, 0, 0, 10);
    b.ParentShape = &area;
    b.ParentGraphObject = &module;
    b.Independent = true;
    b.IncludeAlways = true;
    auto c = b.Clone();
    auto* copy = dynamic_cast<TGraphPaneel*>(c.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ArtikelNr.Text(), QStringLiteral("50100"));
    EXPECT_EQ(copy->Typ, 1);
    EXPECT_EQ(copy->P(2), b.P(2));
    EXPECT_EQ(copy->ParentShape, &area);
    EXPECT_EQ(copy->ParentGraphObject, nullptr);
    EXPECT_FALSE(copy->Independent);
    EXPECT_FALSE(copy->IncludeAlways);
    EXPECT_EQ(copy->ImageFileName.Text(), QStringLiteral("wpc_grau.jpg"));
    EXPECT_EQ(copy->Color, RGBColor(9, 8, 7));
}

TEST(GraphPaneelRecordTest, CurrentRecordLayoutAndRoundTrip) {
    TGraphPaneel b = Board(0.5, -1.25, 400, 0, 0, 14.5);
    b.Independent = true;
    const QByteArray bytes = WrittenObject(b);
    // Common record, then: Int 2, Int Typ, 64 raw bytes, Str image, Int colour.
    const QByteArray head("\x06\x02PA\x02\x02", 6);
    EXPECT_TRUE(bytes.startsWith(head));
    const auto back = ReadBack<TGraphPaneel>(bytes);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(back->P(i), b.P(i));
    EXPECT_EQ(back->Typ, 1);
    EXPECT_EQ(back->ImageFileName.Text(), QStringLiteral("wpc_grau.jpg"));
    EXPECT_EQ(back->Color, RGBColor(9, 8, 7));
    EXPECT_TRUE(back->Independent);
    EXPECT_EQ(WrittenObject(*back), bytes);
}

// The board part of older records, after a common record of version 1.
QByteArray OldBoard(int version, const std::function<void(TWriter&)>& outline, bool withColor) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter w(buffer);
    w.WriteString("PA");
    w.WriteInteger(1);
    w.WriteString("A-1");
    w.WriteInteger(0);
    w.WriteString("alt.jpg");
    w.WriteInteger(5);
    w.WriteInteger(version);
    w.WriteInteger(2);
    outline(w);
    w.WriteString("neu.jpg");
    if (withColor) w.WriteInteger(0x123456);
    w.FlushBuffer();
    return bytes;
}

TEST(GraphPaneelRecordTest, OlderVersionsRead) {
    const QByteArray v1 = OldBoard(
        1,
        [](TWriter& w) {
            TVektor(0, 0, 100, 0).WriteData(w);   // P0 -> P1
            TVektor(0, 20, 100, 20).WriteData(w); // P3 -> P2
            TVektor(7, 7, 8, 8).WriteData(w);     // ignored
            TVektor(9, 9, 1, 1).WriteData(w);
        },
        true);
    const auto b1 = ReadBack<TGraphPaneel>(v1);
    EXPECT_EQ(b1->P(1), (Tgpc_vertex{100, 0}));
    EXPECT_EQ(b1->P(2), (Tgpc_vertex{100, 20}));
    EXPECT_EQ(b1->P(3), (Tgpc_vertex{0, 20}));
    EXPECT_EQ(b1->Typ, 2); // the board part overwrites the common record
    EXPECT_EQ(b1->ImageFileName.Text(), QStringLiteral("neu.jpg"));
    EXPECT_EQ(b1->Color, 0x123456u);
    EXPECT_FALSE(b1->Independent); // not in a version 1 common record

    const auto b0 = ReadBack<TGraphPaneel>(OldBoard(
        0, [](TWriter&) {}, false));
    EXPECT_EQ(b0->P(2), (Tgpc_vertex{0, 0}));
    EXPECT_EQ(b0->Color, 5u); // from the common record: version 0 has no colour of its own
}

TEST(GraphPaneelRecordTest, BadRecordsFail) {
    const QByteArray v3 = OldBoard(
        3, [](TWriter&) {}, true);
    QByteArray copy = v3;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    TGraphPaneel b;
    EXPECT_THROW(b.ReadData(reader), EReadError);

    TGraphPaneel nan = Board(0, 0, 100, 0, 0, 20);
    nan.Polygon.contour[0].vertex[2].x = std::nan("");
    QByteArray bytes = WrittenObject(nan);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TReader r2(in);
    TGraphPaneel target;
    EXPECT_THROW(target.ReadData(r2), EReadError);

    const QByteArray good = WrittenObject(Board(0, 0, 100, 0, 0, 20));
    for (int n = 0; n < good.size(); ++n) {
        QByteArray cut = good.left(n);
        QBuffer c(&cut);
        c.open(QIODevice::ReadOnly);
        TReader r(c);
        TGraphPaneel t;
        EXPECT_THROW(t.ReadData(r), EReadError) << n;
    }
}

TEST(GraphBalkenTest, SideDragsStayWithinTheLimits) {
    // A beam 200 long and 50 wide at the origin.
    TGraphBalken beam(nullptr, nullptr, QStringLiteral("95100"), 50, TVektor(0, 0, 200, 0),
                      TVektor(0, 0, 0, 50), QString(), 0);
    TDragState drag;
    beam.Transform(1, 0, -45, drag); // width 95: refused
    EXPECT_EQ(beam.B(0), (Tgpc_vertex{0, 0}));
    beam.Transform(1, 0, -10, drag); // width 60
    EXPECT_EQ(beam.B(0), (Tgpc_vertex{0, -10}));
    EXPECT_EQ(beam.B(1), (Tgpc_vertex{200, -10}));
    EXPECT_EQ(beam.P(0), beam.B(0)); // the board part follows
    beam.Transform(3, 0, -55, drag); // width 5: refused
    EXPECT_EQ(beam.B(3), (Tgpc_vertex{0, 50}));
    beam.Transform(3, 7, 20, drag); // width 80; movement along the side is ignored
    EXPECT_EQ(beam.B(3), (Tgpc_vertex{0, 70}));
    EXPECT_EQ(beam.B(2), (Tgpc_vertex{200, 70}));
    beam.Transform(2, 350, 0, drag); // length 550: refused
    EXPECT_EQ(beam.B(1).x, 200);
    beam.Transform(2, 100, 3, drag); // length 300
    EXPECT_EQ(beam.B(1).x, 300);
    EXPECT_EQ(beam.B(2).x, 300);
    beam.Transform(4, 290, 0, drag); // length 10: refused
    EXPECT_EQ(beam.B(0).x, 0);
    beam.Transform(4, 50, 0, drag);
    EXPECT_EQ(beam.B(0).x, 50);
    EXPECT_EQ(beam.B(3).x, 50);
    beam.Transform(4, 400, 0, drag); // through the opposite side: refused
    EXPECT_EQ(beam.B(0).x, 50);
    beam.Transform(9, 10, 10, drag);
    EXPECT_EQ(beam.B(0).x, 50);
}

TEST(GraphBalkenTest, HitIndexPicksTheNearSide) {
    TGraphBalken beam(nullptr, nullptr, QString(), 50, TVektor(0, 0, 200, 0), TVektor(0, 0, 0, 50),
                      QString(), 0);
    EXPECT_EQ(beam.GetHitIndex(100, 1), 1);
    EXPECT_EQ(beam.GetHitIndex(199, 25), 2);
    EXPECT_EQ(beam.GetHitIndex(100, 48), 3);
    EXPECT_EQ(beam.GetHitIndex(2, 25), 4);
    EXPECT_EQ(beam.GetHitIndex(100, 25), 0);
    EXPECT_EQ(beam.GetHitIndex(100, 4.5), 0); // 4 away or more is the body
    EXPECT_EQ(beam.GetHitIndex(300, 25), -1);
    EXPECT_EQ(beam.GetHitIndex(1, 1), 1); // two sides equally near: the earlier
}

TEST(GraphBalkenTest, CloneAndRecordKeepBothOutlines) {
    TGraphBalken beam(nullptr, nullptr, QStringLiteral("95100"), 50, TVektor(0, 0, 200, 0),
                      TVektor(0, 0, 0, 50), QStringLiteral("balken.jpg"), 3);
    TDragState drag;
    beam.Transform(2, 50, 0, drag);
    auto c = beam.Clone();
    auto* copy = dynamic_cast<TGraphBalken*>(c.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->B(1).x, 250);
    EXPECT_EQ(copy->P(1).x, 250); // visible and selectable like the original
    EXPECT_TRUE(copy->PointInObject(225, 25));

    const QByteArray bytes = WrittenObject(beam);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\x06\x02"
                                            "BA",
                                            4)));
    const auto back = ReadBack<TGraphBalken>(bytes);
    EXPECT_EQ(back->B(2), beam.B(2));
    EXPECT_EQ(back->P(2), beam.P(2));
    EXPECT_EQ(back->ImageFileName.Text(), QStringLiteral("balken.jpg"));
    std::vector<TProduct*> list{nullptr};
    const TCatalogue none;
    back->GetCompatibleList(TArticleSource{none, QString()}, list);
    EXPECT_TRUE(list.empty());
}

TEST(GraphPaneelTest, CompatibleArticlesOfTheSameGroupAndSize) {
    TCatalogue catalogue;
    auto group = std::make_unique<TProductGroup>(QStringLiteral("Dielen"));
    auto add = [&](const char* nr, int typ, double l, double w) {
        auto p = std::make_unique<TPaneele>();
        p->ArtikelNr.SetText(QString::fromLatin1(nr));
        p->Typ = typ;
        p->VLaenge = l;
        p->VBreite = w;
        group->Products.Add(std::move(p));
    };
    add("A", 1, 400, 14.5);
    add("B", 1, 400.05, 14.5); // same size within 0.1
    add("C", 1, 300, 14.5);    // shorter
    add("D", 2, 400, 14.5);    // other type
    add("E", 1, 400, 14.45);
    catalogue.AddGroup(std::move(group));

    TGraphPaneel b(nullptr, nullptr, QStringLiteral("A"), 1, TVektor(0, 0, 400, 0),
                   TVektor(0, 0, 0, 14.5), QString(), 0);
    std::vector<TProduct*> list;
    b.GetCompatibleList(TArticleSource{catalogue, QString()}, list);
    QStringList numbers;
    for (TProduct* p : list)
        numbers << p->ArtikelNr.Text();
    EXPECT_EQ(numbers, (QStringList{"A", "B", "E"}));
    b.ArtikelNr.SetText(QStringLiteral("gibtsnicht"));
    b.GetCompatibleList(TArticleSource{catalogue, QString()}, list);
    EXPECT_TRUE(list.empty());
}

class GraphPaneelDrawTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TImageCache fImages;
    void SetUp() override {
        // A 40 x 40 picture: blue left half, green right half.
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 255));
        for (int y = 0; y < 40; ++y)
            for (int x = 20; x < 40; ++x)
                picture.setPixel(x, y, qRgb(0, 255, 0));
        ASSERT_TRUE(picture.save(dir.filePath("holz.png")));
        fImages.SetImagePath(dir.path());
    }

    QImage Render(const TGraphPaneel& board, int flags) {
        QImage image(60, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(painter, &fImages);
        canvas.Pen.Style = TPenStyle::psClear;
        board.Draw(canvas, flags);
        painter.end();
        return image;
    }
};

TEST_F(GraphPaneelDrawTest, SurfacePictureClippedToBoardAndArea) {
    auto area = RectangleArea(0, 0, 40, 40); // the texture spans the area's 40 x 40 box
    TGraphPaneel board(area.get(), nullptr, QStringLiteral("X"), 1, TVektor(10, 10, 50, 10),
                       TVektor(0, 0, 0, 10), QStringLiteral("holz.png"), RGBColor(255, 0, 0));
    const QImage image = Render(board, TGraphPaneel::dfImage);
    EXPECT_EQ(image.pixel(12, 15), qRgb(0, 0, 255));     // left half of the picture
    EXPECT_EQ(image.pixel(30, 15), qRgb(0, 255, 0));     // right half
    EXPECT_EQ(image.pixel(45, 15), qRgb(255, 255, 255)); // board outside the area: clipped
    EXPECT_EQ(image.pixel(12, 25), qRgb(255, 255, 255)); // area outside the board
    EXPECT_EQ(image.pixel(39, 19), qRgb(0, 255, 0));     // last pixel inside both
}

TEST_F(GraphPaneelDrawTest, FillAndHatchWithoutPictureOrArea) {
    auto area = RectangleArea(0, 0, 60, 60);
    TGraphPaneel missing(area.get(), nullptr, QStringLiteral("X"), 1, TVektor(10, 10, 50, 10),
                         TVektor(0, 0, 0, 10), QStringLiteral("gibtsnicht.jpg"),
                         RGBColor(255, 0, 0));
    EXPECT_EQ(Render(missing, TGraphPaneel::dfImage).pixel(30, 15), qRgb(255, 0, 0));
    EXPECT_EQ(fImages.Count(), 1); // the failure is remembered
    Render(missing, TGraphPaneel::dfImage);
    EXPECT_EQ(fImages.Count(), 1);

    // An element of a free module has no area: it is filled, not textured.
    TGraphPaneel free(nullptr, nullptr, QStringLiteral("X"), 1, TVektor(10, 10, 50, 10),
                      TVektor(0, 0, 0, 10), QStringLiteral("holz.png"), RGBColor(0, 0, 0));
    EXPECT_EQ(Render(free, TGraphPaneel::dfImage).pixel(30, 15), qRgb(0, 0, 0));
    EXPECT_EQ(Render(free, TGraphPaneel::dfFill).pixel(30, 15), qRgb(0, 0, 0));

    const QImage hatched = Render(free, TGraphPaneel::dfHatch);
    int red = 0, white = 0;
    for (int x = 10; x < 50; ++x)
        for (int y = 10; y < 20; ++y) {
            red += hatched.pixel(x, y) == qRgb(255, 0, 0);
            white += hatched.pixel(x, y) == qRgb(255, 255, 255);
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(white, 100);
}

TEST(GraphPaneelLayerTest, BoardsAndBeamsTravelThroughAPlanFile) {
    TPlanDocument doc;
    auto area = RectangleArea(0, 0, 500, 300);
    TShape* shape = area.get();
    ASSERT_EQ(doc.AddShape(std::move(area)), 0);
    shape->Layer(0).push_back(std::make_unique<TGraphPaneel>(
        shape, nullptr, QStringLiteral("50100"), 1, TVektor(0, 0, 400, 0), TVektor(0, 0, 0, 14.5),
        QStringLiteral("wpc_grau.jpg"), 1));
    shape->Layer(0).push_back(std::make_unique<TGraphBalken>(
        shape, nullptr, QStringLiteral("95100"), 50, TVektor(0, 100, 300, 100), TVektor(0, 0, 0, 9),
        QString(), 2));
    const auto read = ReadPlan(PlanBytes(doc));
    const TPlanDocument& back = *read;
    ASSERT_EQ(back.ShapeList.size(), 1u);
    const auto& layer = back.ShapeList[0]->Layer(0);
    ASSERT_EQ(layer.size(), 2u);
    EXPECT_EQ(layer[0]->SerialID(), QStringLiteral("PA"));
    EXPECT_EQ(layer[1]->SerialID(), QStringLiteral("BA"));
    EXPECT_EQ(layer[0]->ParentShape, back.ShapeList[0].get());
    auto* beam = dynamic_cast<TGraphBalken*>(layer[1].get());
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(beam->B(2), (Tgpc_vertex{300, 109}));
}

} // namespace
