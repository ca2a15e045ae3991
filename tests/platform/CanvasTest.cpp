#include "platform/Canvas.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Paint(int w, int h, const std::function<void(TCanvas&, QPainter&)>& paint) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    paint(canvas, painter);
    painter.end();
    return image;
}

int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

TEST(CanvasTest, ColoursAreStoredAsBGR) {
    EXPECT_EQ(RGBColor(0x12, 0x34, 0x56), 0x00563412u);
    const QColor q = ToQColor(0x00563412u);
    EXPECT_EQ(q.red(), 0x12);
    EXPECT_EQ(q.green(), 0x34);
    EXPECT_EQ(q.blue(), 0x56);
    EXPECT_EQ(FromQColor(q), 0x00563412u);
}

TEST(CanvasTest, PolygonFillsWithBrushAndPolyPolygonLeavesHolesOpen) {
    const QRgb red = qRgb(255, 0, 0);
    const QImage image = Paint(30, 30, [](TCanvas& c, QPainter&) {
        c.Pen.Style = TPenStyle::psClear;
        c.Brush.Color = RGBColor(255, 0, 0);
        c.PolyPolygon(
            {{{0, 0}, {30, 0}, {30, 30}, {0, 30}}, {{10, 10}, {20, 10}, {20, 20}, {10, 20}}});
    });
    EXPECT_EQ(image.pixel(5, 5), red);
    EXPECT_EQ(image.pixel(15, 15), kWhite); // the inner ring is a hole (even-odd)
    EXPECT_EQ(CountPixels(image, red), 900 - 100);

    const QImage clear = Paint(10, 10, [](TCanvas& c, QPainter&) {
        c.Pen.Style = TPenStyle::psClear;
        c.Brush.Style = TBrushStyle::bsClear;
        c.Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    });
    EXPECT_EQ(CountPixels(clear, kWhite), 100);
}

TEST(CanvasTest, PenWidthIsLogicalExceptForThinPens) {
    // Logical units scaled by 2: a 3-unit pen covers 6 pixels, a 1-unit pen stays 1 pixel.
    auto column = [](const QImage& image, int x) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += image.pixel(x, y) != kWhite ? 1 : 0;
        return n;
    };
    const QImage wide = Paint(40, 40, [](TCanvas& c, QPainter& p) {
        p.scale(2, 2);
        c.Pen.Width = 3;
        c.Pen.Cap = TPenCap::pcFlat;
        c.Line(2, 10, 18, 10);
    });
    EXPECT_EQ(column(wide, 20), 6);
    const QImage thin = Paint(40, 40, [](TCanvas& c, QPainter& p) {
        p.scale(2, 2);
        c.Pen.Width = 1;
        c.Line(2, 10, 18, 10);
    });
    EXPECT_EQ(column(thin, 20), 1);
}

TEST(CanvasTest, ClipPathLimitsDrawingUntilCleared) {
    const QImage image = Paint(20, 20, [](TCanvas& c, QPainter&) {
        QPainterPath clip;
        clip.addRect(0, 0, 10, 20);
        c.SetClipPath(clip);
        c.Pen.Style = TPenStyle::psClear;
        c.Brush.Color = 0;
        c.Rectangle(0, 0, 20, 10);
        c.ClearClip();
        c.Rectangle(0, 10, 20, 20);
    });
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 5), kWhite);
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 0));
}

TEST(CanvasTest, MoveToLineToAndClearPen) {
    const QImage image = Paint(20, 20, [](TCanvas& c, QPainter&) {
        c.MoveTo(2, 2);
        c.LineTo(2, 12);
        c.LineTo(12, 12);
        c.Pen.Style = TPenStyle::psClear;
        c.LineTo(12, 2);
    });
    EXPECT_EQ(image.pixel(2, 7), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(7, 12), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(12, 7), kWhite);
}

TEST(CanvasTest, TextOutDrawsBelowItsReferencePoint) {
    const QImage image = Paint(80, 40, [](TCanvas& c, QPainter&) {
        c.Pen.Color = RGBColor(0, 0, 255);
        c.TextOut(5, 10, "Fläche");
    });
    int top = 40, inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            if (image.pixel(x, y) != kWhite) {
                ++inked;
                top = std::min(top, y);
            }
    EXPECT_GT(inked, 10);
    EXPECT_GE(top, 10);
}

} // namespace
