#include "model/GraphText.h"
#include "geometry/Vektors.h"
#include "model/GraphLeiste.h"
#include "model/GraphModule.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/Canvas.h"
#include "platform/ValueStream.h"

#include "support/PlanObjects.h"
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TBoxSize {
    double w, h;
};

TBoxSize SizeOf(const TGraphText& t) {
    return {std::hypot(t.P(1).x - t.P(0).x, t.P(1).y - t.P(0).y),
            std::hypot(t.P(3).x - t.P(0).x, t.P(3).y - t.P(0).y)};
}

std::vector<Tgpc_vertex> Corners(const TGraphText& t) {
    return t.Polygon.contour[0].vertex;
}

// --- Resizing -------------------------------------------------------------------------------

TEST(GraphTextTest, HandlesResizeWithinTheLimits) {
    struct TCase {
        const char* name;
        int handle;
        double dx, dy;
        std::vector<Tgpc_vertex> corners; // empty: unchanged
    };
    // A new box is 120 x 40 at the origin.
    const std::vector<TCase> cases = {
        {"right side", 6, 30, 7, {{0, 0}, {150, 0}, {150, 40}, {0, 40}}},
        {"top left corner", 1, -10, -5, {{-10, -5}, {120, -5}, {120, 40}, {-10, 40}}},
        {"bottom right corner", 3, 10, 20, {{0, 0}, {130, 0}, {130, 60}, {0, 60}}},
        {"top right corner", 2, 5, 5, {{0, 5}, {125, 5}, {125, 40}, {0, 40}}},
        {"bottom left corner", 4, 5, 5, {{5, 0}, {120, 0}, {120, 45}, {5, 45}}},
        {"top side", 5, 99, -10, {{0, -10}, {120, -10}, {120, 40}, {0, 40}}},
        {"bottom side", 7, 0, 10, {{0, 0}, {120, 0}, {120, 50}, {0, 50}}},
        {"left side", 8, 20, 0, {{20, 0}, {120, 0}, {120, 40}, {20, 40}}},
        {"too wide", 6, 400, 0, {}},
        {"turned over", 8, 200, 0, {}},
        {"too low", 7, 0, -25, {}},
        {"the body", 0, 10, 10, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TGraphText t;
        const std::vector<Tgpc_vertex> before = Corners(t);
        TDragState drag;
        t.Transform(c.handle, c.dx, c.dy, drag);
        EXPECT_EQ(Corners(t), c.corners.empty() ? before : c.corners);
    }

    // 25 wide and dragged 10 to the left at the right side: 15 would be below the minimum.
    TGraphText narrow;
    narrow.SetBox(0, 0, 25, 40);
    TDragState drag;
    narrow.Transform(6, -10, 0, drag);
    EXPECT_DOUBLE_EQ(SizeOf(narrow).w, 25);
    narrow.Transform(6, -5, 0, drag);
    EXPECT_DOUBLE_EQ(SizeOf(narrow).w, 20); // the minimum itself is allowed
}

TEST(GraphTextTest, TurnedBoxesResizeAlongTheirOwnSides) {
    for (double angle : {30.0, -30.0, 90.0, 180.0}) {
        SCOPED_TRACE(angle);
        TGraphText t;
        t.Rotate(TROTMatrix::FromAngle(angle, 0, 0));
        // Drag the right side outwards along the box's own width direction.
        const double ux = (t.P(1).x - t.P(0).x) / 120, uy = (t.P(1).y - t.P(0).y) / 120;
        TDragState drag;
        t.Transform(6, 30 * ux, 30 * uy, drag);
        EXPECT_NEAR(SizeOf(t).w, 150, 1e-9);
        EXPECT_NEAR(SizeOf(t).h, 40, 1e-9);
        // A drag across the side does not change the width.
        t.Transform(6, -30 * uy, 30 * ux, drag);
        EXPECT_NEAR(SizeOf(t).w, 150, 1e-9);
    }
}

TEST(GraphTextTest, HitIndexAndHandles) {
    TGraphText t; // (0, 0) - (120, 40)
    // 9 from P2 and 3 from the side P1-P2: the corner wins.
    EXPECT_EQ(t.GetHitIndex(117, 40 - std::sqrt(72.0)), 3);
    EXPECT_EQ(t.GetHitIndex(117, 20), 6);
    EXPECT_EQ(t.GetHitIndex(60, 2), 5);
    EXPECT_EQ(t.GetHitIndex(2, 2), 1);
    EXPECT_EQ(t.GetHitIndex(60, 20), 0);
    EXPECT_EQ(t.GetHitIndex(130, 20), -1);

    std::vector<TGrabHandleInfo> handles;
    t.GetGrabHandles(handles);
    ASSERT_EQ(handles.size(), 8u);
    const std::pair<int, int> at[] = {{0, 0},  {120, 0},  {120, 40}, {0, 40},
                                      {60, 0}, {120, 20}, {60, 40},  {0, 20}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(handles[i].HitIndex, i + 1);
        EXPECT_EQ(handles[i].x, at[i].first);
        EXPECT_EQ(handles[i].y, at[i].second);
        EXPECT_EQ(handles[i].Target, &t);
    }
}

TEST(GraphTextTest, CloneKeepsTheTextAndItsSize) {
    TGraphText t;
    t.Text = QStringLiteral("Stufe\r\nEingang");
    t.FontHeight = 30;
    t.Font = {QStringLiteral("Courier"), RGBColor(1, 2, 3), -20};
    t.SetBox(5, 5, 205, 85);
    t.ArtikelNr.SetText(QStringLiteral("X"));
    const auto copy = t.Clone();
    const auto* c = dynamic_cast<const TGraphText*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->FontHeight, 30);
    EXPECT_EQ(c->Text, t.Text);
    EXPECT_EQ(c->Font.Name, QStringLiteral("Courier"));
    EXPECT_EQ(c->Font.Height, -20);
    EXPECT_EQ(Corners(*c), Corners(t));
    EXPECT_EQ(c->ArtikelNr.Text(), QStringLiteral("X"));
}

TEST(GraphTextTest, DrawsTheTextInsideTheBoxAndTheFrameOnRequest) {
    TGraphText t;
    t.SetBox(10, 10, 90, 50);
    t.Text = QStringLiteral("MMMM MMMM MMMM MMMM MMMM MMMM");
    t.FontHeight = 14;
    t.Font.Color = RGBColor(255, 0, 0);
    const auto render = [&](int flags) {
        QImage image(100, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.Pen.Color = RGBColor(0, 0, 255);
        t.Draw(canvas, flags);
        painter.end();
        return image;
    };
    const QImage text = render(0);
    int inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool ink = qRed(text.pixel(x, y)) > 150 && qGreen(text.pixel(x, y)) < 100;
            const bool in = x >= 13 && x < 87 && y >= 12 && y < 48;
            (in ? inside : outside) += ink;
        }
    EXPECT_GT(inside, 50); // wrapped into the box, clipped to it
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(text.pixel(10, 30), qRgb(255, 255, 255));
    const QImage framed = render(4);
    EXPECT_EQ(framed.pixel(10, 30), qRgb(0, 0, 255));
    EXPECT_EQ(framed.pixel(50, 50), qRgb(0, 0, 255));
}

// --- Records --------------------------------------------------------------------------------

TEST(GraphTextRecordTest, RoundTripOlderVersionsAndDamage) {
    TGraphText t;
    t.Text = QStringLiteral("Größe: 3 × 4 m");
    t.FontHeight = 18;
    t.SetBox(0.5, 1.5, 200.25, 60);
    const QByteArray bytes = WrittenObject(t);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\x06\x02TE", 4)));
    bool atEnd = false;
    const auto back = ReadObject<TGraphText>(bytes, &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(back->Text, t.Text);
    EXPECT_EQ(back->FontHeight, 18);
    EXPECT_EQ(Corners(*back), Corners(t));
    EXPECT_EQ(WrittenObject(*back), bytes);

    // Version 0 ends after the type and keeps the defaults.
    const QByteArray v0 = Written([](TWriter& w) {
        w.WriteString("TE");
        w.WriteInteger(1);
        w.WriteString("");
        w.WriteInteger(0);
        w.WriteString("");
        w.WriteInteger(0);
        w.WriteInteger(0);
        w.WriteInteger(7);
    });
    const auto old = ReadObject<TGraphText>(v0, &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(old->Typ, 7);
    EXPECT_EQ(old->Text, QStringLiteral("Text"));
    EXPECT_EQ(SizeOf(*old).w, 120);

    for (qsizetype n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadObject<TGraphText>(bytes.left(n)), EReadError) << "cut at " << n;
    TGraphText nan;
    nan.Polygon.contour[0].vertex[2].y = std::nan("");
    EXPECT_THROW(ReadObject<TGraphText>(WrittenObject(nan)), EReadError);
}

TEST(GraphLeisteTest, PenAsWideAsTheStripRoundedToEven) {
    struct TCase {
        double breite;
        int pen;
    };
    for (const TCase c : {TCase{3.4, 3}, {3.5, 4}, {2.5, 2}, {4.5, 4}, {0.2, 0}, {-3, 0}}) {
        TGraphLeiste strip(nullptr, nullptr, QStringLiteral("60100"), TVektor(0, 5, 50, 5),
                           QString(), RGBColor(0, 128, 0));
        strip.Breite = c.breite;
        QImage image(60, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.Pen.Color = RGBColor(0, 0, 0);
        strip.Draw(canvas, 2);
        EXPECT_EQ(canvas.Pen.Width, c.pen) << c.breite;
        EXPECT_EQ(canvas.Pen.Color, RGBColor(0, 128, 0));
        canvas.Pen.Color = RGBColor(0, 0, 0);
        strip.Draw(canvas, 0); // without colour flags the canvas keeps its pen colour
        EXPECT_EQ(canvas.Pen.Color, RGBColor(0, 0, 0));
    }
}

TEST(GraphLeisteTest, RecordMovesAndCopies) {
    TGraphLeiste strip(nullptr, nullptr, QStringLiteral("60100"), TVektor(10, 20, 110, 20),
                       QStringLiteral("leiste.jpg"), RGBColor(1, 2, 3));
    strip.Breite = 4.5;
    const QByteArray bytes = WrittenObject(strip);
    bool atEnd = false;
    const auto back = ReadObject<TGraphLeiste>(bytes, &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(back->Breite, 4.5);
    EXPECT_EQ(back->Vektor.x, 10);
    EXPECT_EQ(back->Vektor.rx, 100);
    EXPECT_EQ(back->ImageFileName.Text(), QStringLiteral("leiste.jpg"));
    EXPECT_EQ(back->Color, RGBColor(1, 2, 3));
    EXPECT_EQ(WrittenObject(*back), bytes);
    for (qsizetype n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadObject<TGraphLeiste>(bytes.left(n)), EReadError) << "cut at " << n;

    strip.Move(5, -5);
    strip.Rotate(TROTMatrix::FromAngle(90, 15, 15));
    const auto copy = strip.Clone();
    EXPECT_EQ(WrittenObject(*copy), WrittenObject(strip));
    EXPECT_NEAR(std::hypot(strip.Vektor.rx, strip.Vektor.ry), 100, 1e-9);
    EXPECT_NEAR(strip.Vektor.x, 15, 1e-9);
    EXPECT_NEAR(strip.Vektor.y, 15, 1e-9);
}

// --- In a plan ------------------------------------------------------------------------------

std::unique_ptr<TGraphText> Box(const QString& text) {
    auto t = std::make_unique<TGraphText>();
    t->Text = text;
    return t;
}

TEST(PlanObjectListsTest, StripsTextBoxesAndModulesTravelThroughAPlan) {
    TPlanDocument plan;
    auto area = std::make_unique<TShape>();
    for (Tgpc_vertex v : {Tgpc_vertex{0, 0}, {300, 0}, {300, 200}, {0, 200}})
        area->AddVertex(v);
    TShape* shape = area.get();
    ASSERT_EQ(plan.AddShape(std::move(area)), 0);
    TGraphicObjectList strips;
    strips.push_back(std::make_unique<TGraphLeiste>(shape, nullptr, QStringLiteral("60100"),
                                                    TVektor(0, 0, 300, 0), QString(), 5));
    shape->SetVerleistung(std::move(strips));
    shape->Layer(0).push_back(std::make_unique<TGraphLeiste>(
        shape, nullptr, QStringLiteral("60101"), TVektor(0, 10, 300, 10), QString(), 6));
    auto module = std::make_unique<TGraphModule>(shape, nullptr, QStringLiteral("70300"));
    module->DrawItemList.push_back(TGraphModule::CreateDrawItem(diCircle, 2));
    module->DrawItemList.back().Points[1].x = 10;
    module->ChildElements.push_back(std::make_unique<TGraphModule>(shape, module.get(), "E"));
    shape->Layer(0).push_back(std::move(module));
    shape->Layer(0).push_back(Box(QStringLiteral("In der Fläche")));
    plan.TextList.push_back(Box(QStringLiteral("UK Artikel: \r\nnur ein Text")));
    plan.TextListUK.push_back(Box(QStringLiteral("UK Artikel: \r\n30100 Latte")));
    plan.TextListUK.push_back(Box(QStringLiteral("Notiz")));
    auto free = std::make_unique<TGraphModule>(nullptr, nullptr, QStringLiteral("70400"));
    free->Independent = true;
    free->Origin = {400, 50};
    plan.CommonModulList.push_back(std::move(free));

    const QByteArray bytes = PlanBytes(plan);
    const auto back = ReadPlan(bytes);
    EXPECT_EQ(PlanBytes(*back), bytes);
    const TShape& s = *back->ShapeList[0];
    ASSERT_EQ(s.Verleistung().size(), 1u);
    EXPECT_EQ(s.Verleistung()[0]->ParentShape, &s);
    ASSERT_EQ(s.Layer(0).size(), 3u);
    EXPECT_EQ(s.Layer(0)[1]->SerialID(), QStringLiteral("MO"));
    const auto* m = dynamic_cast<const TGraphModule*>(s.Layer(0)[1].get());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ParentShape, &s);
    ASSERT_EQ(m->ChildElements.size(), 1u);
    EXPECT_EQ(m->ChildElements[0]->ParentShape, &s);
    EXPECT_EQ(m->ChildElements[0]->ParentGraphObject, m);
    ASSERT_EQ(back->CommonModulList.size(), 1u);
    EXPECT_TRUE(back->CommonModulList[0]->Independent);

    // Only the legends of the substructure view are known again as such.
    ASSERT_EQ(back->TextListUK.size(), 2u);
    EXPECT_EQ(back->TextListUK[0]->Tag, TGraphText::kSubstructureLegendTag);
    EXPECT_EQ(back->TextListUK[1]->Tag, 0);
    EXPECT_EQ(back->TextList[0]->Tag, 0);

    for (qsizetype n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadPlan(bytes.left(n)), EReadError) << "cut at " << n;
}

} // namespace
