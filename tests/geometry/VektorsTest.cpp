#include "geometry/Vektors.h"
#include "platform/Canvas.h"
#include "platform/ValueStream.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr double kTol = 1e-9;

TEST(VektorTest, CreateNormTurnShiftScale) {
    TVektor v(0, 0, 10, 0);
    v.Norm();
    EXPECT_EQ(v.rx, 0);
    EXPECT_EQ(v.ry, -10);
    v.Turn();
    EXPECT_EQ(v.rx, 0);
    EXPECT_EQ(v.ry, 10);

    TVektor w(1, 2, 4, 6);
    EXPECT_EQ(w.Betrag(), 5);
    w.Flags = 7;
    w.Create(1, 2, 4, 6); // re-initialising clears the flags
    EXPECT_EQ(w.Flags, 0);
    w.Shift(1, -1);
    EXPECT_TRUE(w.IsEqual(TVektor(2, 1, 5, 5)));
    w.Scale(2);
    EXPECT_TRUE(w.IsEqual(TVektor(4, 2, 10, 10)));
    w.Einheit();
    EXPECT_NEAR(w.Betrag(), 1, kTol);
    EXPECT_NEAR(w.rx, 0.6, kTol);

    TVektor zero(3, 3, 3, 3);
    zero.Einheit(); // stays zero, no NaN
    EXPECT_EQ(zero.rx, 0);
    EXPECT_EQ(zero.ry, 0);
}

TEST(VektorTest, AssignCopiesFlagsIsEqualIgnoresThem) {
    TVektor a(1, 2, 3, 4);
    a.Flags = 42;
    TVektor b;
    b.Assign(a);
    EXPECT_EQ(b.Flags, 42);
    b.Flags = 0;
    EXPECT_TRUE(a.IsEqual(b));
    b.rx = std::nextafter(b.rx, 10.0);
    EXPECT_FALSE(a.IsEqual(b));
}

TEST(VektorTest, DistancesAndFront) {
    const TVektor v(0, 0, 10, 0);
    EXPECT_DOUBLE_EQ(v.Abstand(5, 3), 3);
    EXPECT_DOUBLE_EQ(v.Abstand(5, -3), 3);
    // (rx, ry) x (p - start) = 10 * 3 > 0: y down means "below" the vector is positive.
    EXPECT_DOUBLE_EQ(v.AbstandSgn(5, 3), 3);
    EXPECT_DOUBLE_EQ(v.AbstandSgn(5, -3), -3);
    EXPECT_DOUBLE_EQ(v.Abstand(-20, 4), 4); // the infinite line
    EXPECT_TRUE(v.InFrontOfPoint(0.001, 100));
    EXPECT_FALSE(v.InFrontOfPoint(0, 100));
    EXPECT_FALSE(v.InFrontOfPoint(-1, 0));

    const TVektor point(1, 1, 1, 1);
    EXPECT_DOUBLE_EQ(point.Abstand(4, 5), 5);
    EXPECT_EQ(point.AbstandSgn(4, 5), 0);
}

TEST(VektorTest, WinkelIncludingRoundingAtTheLimits) {
    struct Case {
        double ax, ay, bx, by, expected;
    };
    const Case cases[] = {
        {1, 5, 1, 5, 0},
        {1, 5, -1, -5, std::numbers::pi}, // quotient rounds to -1.0000000000000002
        {3, 0, 0, 7, std::numbers::pi / 2},
        {1, 0, -1, 1, 3 * std::numbers::pi / 4},
        {0.1, 0.7, 0.3, 2.1, 0},
        {0, 0, 1, 0, 0}, // zero direction
    };
    for (const Case& c : cases) {
        const TVektor a(0, 0, c.ax, c.ay);
        const TVektor b(5, 5, 5 + c.bx, 5 + c.by);
        EXPECT_NEAR(a.Winkel(b), c.expected, 1e-7)
            << c.ax << "," << c.ay << " vs " << c.bx << "," << c.by;
        EXPECT_FALSE(std::isnan(a.Winkel(b)));
    }
}

// s from (0, 0) to (10, 0) against vertical lines at its start and its end.
TEST(VektorTest, SchnittpunktEndRuleDependsOnCrossingDirection) {
    const TVektor s(0, 0, 10, 0);
    double px = -1, py = -1;
    // v upwards in the y-down plane: D = 10 * 10 > 0, the start does not count, the end does.
    EXPECT_FALSE(s.Schnittpunkt(TVektor(0, -5, 0, 5), px, py));
    EXPECT_EQ(px, -1); // nothing written on failure
    ASSERT_TRUE(s.Schnittpunkt(TVektor(10, -5, 10, 5), px, py));
    EXPECT_EQ(px, 10);
    EXPECT_EQ(py, 0);
    // v reversed: D < 0, the start counts, the end does not.
    ASSERT_TRUE(s.Schnittpunkt(TVektor(0, 5, 0, -5), px, py));
    EXPECT_EQ(px, 0);
    EXPECT_FALSE(s.Schnittpunkt(TVektor(10, 5, 10, -5), px, py));
    // Only s is bounded: v may be far away along its line.
    ASSERT_TRUE(s.Schnittpunkt(TVektor(4, 100, 4, 200), px, py));
    EXPECT_EQ(px, 4);
    EXPECT_EQ(py, 0);
}

int CountCrossings(const std::vector<std::pair<double, double>>& ring, const TVektor& line) {
    int n = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const auto& a = ring[i];
        const auto& b = ring[(i + 1) % ring.size()];
        const TVektor edge(a.first, a.second, b.first, b.second);
        double px, py;
        if (edge.Schnittpunkt(line, px, py)) ++n;
    }
    return n;
}

// The parity property that laying and substructure counting rely on.
TEST(VektorTest, SchnittpunktKeepsParityAtSharedVertices) {
    // A ring with a vertex at y = 50 where it crosses the line (50,50 on the left side) and one
    // where it only touches it from above (the spike at 70,50).
    const std::vector<std::pair<double, double>> ring = {{0, 0},   {60, 0},    {70, 50}, {80, 0},
                                                         {100, 0}, {100, 100}, {0, 100}, {-10, 50}};
    for (bool reversed : {false, true}) {
        auto r = ring;
        if (reversed) std::reverse(r.begin(), r.end());
        for (bool lineReversed : {false, true}) {
            TVektor line = lineReversed ? TVektor(200, 50, -200, 50) : TVektor(-200, 50, 200, 50);
            // Two real crossings, plus the spike: counted twice or not at all.
            const int n = CountCrossings(r, line);
            EXPECT_TRUE(n == 2 || n == 4) << n << reversed << lineReversed;
            // Lines through the bottom corners: the outline only touches them there.
            TVektor bottom(-200, 100, 200, 100);
            EXPECT_EQ(CountCrossings(r, bottom) % 2, 0);
            TVektor top(-200, 0, 200, 0);
            EXPECT_EQ(CountCrossings(r, top) % 2, 0);
        }
    }
}

TEST(VektorTest, SchnittpunktParityOnRandomLinesThroughVertices) {
    // An irregular ring; lines through each vertex in several directions must always give an
    // even count. The rule relies on an edge's end point being bit-identical to the next
    // edge's start, so the coordinates are chosen such that start + (end - start) is exact.
    const std::vector<std::pair<double, double>> ring = {{0.25, 0.75},    {41.875, 3.375},
                                                         {57.125, 37.75}, {33.25, 21.125},
                                                         {20.875, 55.5},  {-7.75, 31.125}};
    const double dirs[][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -0.37}, {-0.2, 1}, {3, 7}};
    for (const auto& v : ring) {
        for (const auto& d : dirs) {
            const TVektor line(v.first - 1000 * d[0], v.second - 1000 * d[1], v.first + 1000 * d[0],
                               v.second + 1000 * d[1]);
            EXPECT_EQ(CountCrossings(ring, line) % 2, 0) << v.first << "," << v.second;
        }
    }
}

TEST(VektorTest, SegmentIntersectionVariants) {
    const TVektor s(0, 0, 10, 0);
    double px = 0, py = 0, f1 = -1, f2 = -1;

    // Closed segments: touching at either end counts.
    EXPECT_TRUE(s.SchnittpunktStrecke(TVektor(10, 0, 10, 5), px, py));
    EXPECT_EQ(px, 10);
    EXPECT_TRUE(s.SchnittpunktStrecke(TVektor(5, -5, 5, 0), px, py));
    EXPECT_FALSE(s.SchnittpunktStrecke(TVektor(5, -5, 5, -0.001), px, py));
    // Half-open: ends are excluded on both segments, starts included.
    EXPECT_FALSE(s.SchnittpunktStreckeOffen(TVektor(10, -5, 10, 5), px, py));
    EXPECT_FALSE(s.SchnittpunktStreckeOffen(TVektor(5, -5, 5, 0), px, py));
    EXPECT_TRUE(s.SchnittpunktStreckeOffen(TVektor(5, 0, 5, 5), px, py));
    EXPECT_TRUE(s.SchnittpunktStreckeOffen(TVektor(0, -5, 0, 5), px, py));
    EXPECT_EQ(px, 0);
    // Infinite lines meet anywhere.
    ASSERT_TRUE(s.SchnittpunktGerade(TVektor(50, 30, 50, 40), px, py));
    EXPECT_EQ(px, 50);
    EXPECT_EQ(py, 0);

    // Lock: the same end rule on s, half-open on v, both parameters returned.
    ASSERT_TRUE(s.SchnittpunktLock(TVektor(2.5, -10, 2.5, 30), px, py, f1, f2));
    EXPECT_DOUBLE_EQ(px, 2.5);
    EXPECT_DOUBLE_EQ(f1, 0.25);
    EXPECT_DOUBLE_EQ(f2, 0.25);
    EXPECT_FALSE(s.SchnittpunktLock(TVektor(2.5, -10, 2.5, 0), px, py, f1, f2)); // u = 1
    EXPECT_TRUE(s.SchnittpunktLock(TVektor(2.5, 0, 2.5, 10), px, py, f1, f2));   // u = 0
}

TEST(VektorTest, ParallelAndDegenerateNeverIntersect) {
    const TVektor s(0, 0, 10, 0);
    const TVektor others[] = {TVektor(0, 0, 10, 0), TVektor(5, 0, 20, 0), TVektor(0, 1, 10, 1),
                              TVektor(10, 0, 0, 0), TVektor(3, 3, 3, 3)};
    for (const TVektor& v : others) {
        double px = 0, py = 0, f1 = 0, f2 = 0;
        EXPECT_FALSE(s.Schnittpunkt(v, px, py));
        EXPECT_FALSE(s.SchnittpunktLock(v, px, py, f1, f2));
        EXPECT_FALSE(s.SchnittpunktStrecke(v, px, py));
        EXPECT_FALSE(s.SchnittpunktStreckeOffen(v, px, py));
        EXPECT_FALSE(s.SchnittpunktGerade(v, px, py));
    }
}

TEST(VektorTest, RotationMatrixTurnsClockwiseOnScreen) {
    const TROTMatrix m = TROTMatrix::FromAngle(90, 10, 10);
    double x = 20, y = 10;
    m.Map(x, y);
    EXPECT_EQ(x, 10); // +x turns towards +y, exactly
    EXPECT_EQ(y, 20);

    const TROTMatrix m30 = TROTMatrix::FromAngle(30, 0, 0);
    EXPECT_NEAR(double(m30.m[0][0]), std::sqrt(3.0) / 2, kTol);
    EXPECT_NEAR(double(m30.m[0][1]), -0.5, kTol);
    EXPECT_NEAR(double(m30.m[1][0]), 0.5, kTol);

    TVektor v(10, 0, 20, 0);
    v.Rotate(TROTMatrix::FromAngle(180, 0, 0));
    EXPECT_EQ(v.x, -10);
    EXPECT_EQ(v.y, 0);
    EXPECT_EQ(v.rx, -10);
    EXPECT_EQ(v.ry, 0);
    v.Rotate(TROTMatrix::FromAngle(-45, 0, 0));
    EXPECT_NEAR(v.x, -10 / std::sqrt(2.0), kTol);
    EXPECT_NEAR(v.y, 10 / std::sqrt(2.0), kTol);
    EXPECT_NEAR(v.Betrag(), 10, kTol);
}

TEST(VektorTest, RecordIs38BytesAndRoundTripsBitIdentical) {
    TVektor v(0.1, -0.0, 1e300, 5e-324);
    v.rx = std::nextafter(1.0 / 3.0, 1.0);
    v.Flags = -123456789;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TWriter writer(buffer);
        v.WriteData(writer);
        writer.FlushBuffer();
    }
    ASSERT_EQ(bytes.size(), 38);
    EXPECT_EQ(bytes[0], 0x02); // Int 0 as an 8-bit integer
    EXPECT_EQ(bytes[1], 0x00);
    double raw;
    std::memcpy(&raw, bytes.constData() + 2, 8);
    EXPECT_EQ(raw, 0.1);

    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TReader reader(in);
    TVektor back;
    back.ReadData(reader);
    EXPECT_EQ(std::memcmp(&back.x, &v.x, 8), 0);
    EXPECT_EQ(std::memcmp(&back.y, &v.y, 8), 0); // -0.0 kept
    EXPECT_EQ(std::memcmp(&back.rx, &v.rx, 8), 0);
    EXPECT_EQ(std::memcmp(&back.ry, &v.ry, 8), 0);
    EXPECT_EQ(back.Flags, v.Flags);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(VektorTest, RecordCutShortFailsWithoutChangingTheVector) {
    TVektor v(1, 2, 3, 4);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TWriter writer(buffer);
        v.WriteData(writer);
    }
    for (int n = 0; n < 38; ++n) {
        QByteArray cut = bytes.left(n);
        QBuffer in(&cut);
        in.open(QIODevice::ReadOnly);
        TReader reader(in);
        TVektor target(9, 9, 9, 9);
        EXPECT_THROW(target.ReadData(reader), EReadError) << n;
        EXPECT_TRUE(target.IsEqual(TVektor(9, 9, 9, 9)));
    }
}

QImage Render(const std::function<void(TCanvas&)>& paint) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    paint(canvas);
    painter.end();
    return image;
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

TEST(VektorTest, DrawRoundsHalvesToEven) {
    // 2.5 -> 2 and 6.5 -> 6 (rounding halves away from zero would give 3 and 7).
    const QImage image = Render([](TCanvas& c) { TVektor(2.5, 3.5, 6.5, 3.5).Draw(c); });
    EXPECT_TRUE(IsBlack(image, 2, 4));
    EXPECT_TRUE(IsBlack(image, 6, 4));
    EXPECT_FALSE(IsBlack(image, 8, 4));
    EXPECT_FALSE(IsBlack(image, 2, 3));
    const QImage odd = Render([](TCanvas& c) { TVektor(3.5, 1.5, 9.5, 1.5).Draw(c); });
    EXPECT_FALSE(IsBlack(odd, 3, 2));
    EXPECT_TRUE(IsBlack(odd, 4, 2));
}

TEST(VektorTest, DrawDottedLineSelectsAFlatGeometricDashPen) {
    struct Case {
        TPenStyle style;
        int width;
        std::vector<int> pattern;
    };
    const Case cases[] = {
        {TPenStyle::psDash, 3, {12, 6, 12, 6}},
        {TPenStyle::psDot, 4, {2, 8, 2, 8}},
        {TPenStyle::psDashDot, 5, {2, 10, 20, 10}},
        {TPenStyle::psDot, 1, {1, 2, 1, 2}},     // half a width would be 0
        {TPenStyle::psDashDot, 0, {1, 1, 1, 1}}, // every entry at least 1
    };
    for (const Case& c : cases) {
        QImage image(4, 4, QImage::Format_RGB32);
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.Pen.Color = RGBColor(10, 20, 30);
        canvas.Pen.Width = c.width;
        canvas.Pen.Style = c.style;
        TVektor(0, 0, 3, 0).DrawDottedLine(canvas);
        EXPECT_EQ(canvas.Pen.DashPattern, c.pattern) << c.width;
        EXPECT_EQ(canvas.Pen.Width, c.width);
        EXPECT_EQ(canvas.Pen.Color, RGBColor(10, 20, 30));
        EXPECT_EQ(canvas.Pen.Cap, TPenCap::pcFlat);
        // A second dotted line keeps the pattern.
        TVektor(0, 1, 3, 1).DrawDottedLine(canvas);
        EXPECT_EQ(canvas.Pen.DashPattern, c.pattern);
    }
}

TEST(VektorTest, DottedLineLeavesGapsOfThePattern) {
    // Width 2, dot style: on 1, off 4 (logical units = pixels here).
    QImage image(40, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.Pen.Width = 2;
    canvas.Pen.Style = TPenStyle::psDot;
    TVektor(0, 3, 40, 3).DrawDottedLine(canvas);
    painter.end();
    int on = 0;
    for (int x = 0; x < 40; ++x)
        on += IsBlack(image, x, 3) ? 1 : 0;
    EXPECT_GE(on, 6);
    EXPECT_LE(on, 12); // about one pixel in five
}

} // namespace
