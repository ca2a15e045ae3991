// The plan picture: areas with their colour and holes, boards clipped to their area, with and
// without surface pictures, at the scale asked for.

#include "cli/PlanRender.h"
#include "catalogue/JPGImages.h"
#include "geometry/Vektors.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBoard = qRgb(255, 0, 0);
const QRgb kPicture = qRgb(0, 0, 255);
const QRgb kArea = qRgb(200, 255, 200);
const QRgb kCutOut = qRgb(255, 255, 0);

std::unique_ptr<TShape> Area(double x1, double y1, double x2, double y2, QRgb colour) {
    auto s = std::make_unique<TShape>();
    for (Tgpc_vertex v : {Tgpc_vertex{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}})
        s->AddVertex(v);
    s->SetColor(RGBColor(qRed(colour), qGreen(colour), qBlue(colour)));
    return s;
}

// An area 400 x 300 with a cut-out area above it (150..250 x 100..200) and one board from
// x = 50 to 450 across the cut-out and past the area's right edge, y = 130..170.
class PlanRenderTest : public testing::Test {
protected:
    TPlanDocument fDoc;
    TShape* fArea = nullptr;
    QTemporaryDir fDir;
    TImageCache fImages;

    void SetUp() override {
        auto area = Area(0, 0, 400, 300, kArea);
        fArea = area.get();
        ASSERT_EQ(fDoc.AddShape(std::move(area)), vrOk);
        ASSERT_EQ(fDoc.AddShape(Area(150, 100, 250, 200, kCutOut)), vrOk);
        fDoc.UpdateShapes();
        ASSERT_EQ(fArea->VPolygon().num_contours(), 2); // the cut-out is a hole of the area
        fArea->Layer(0).push_back(std::make_unique<TGraphPaneel>(
            fArea, nullptr, QStringLiteral("10100"), 1, TVektor(50, 130, 450, 130),
            TVektor(0, 0, 0, 40), QStringLiteral("blau.png"), RGBColor(255, 0, 0)));

        QImage blue(64, 64, QImage::Format_RGB32);
        blue.fill(kPicture);
        ASSERT_TRUE(blue.save(fDir.filePath("blau.png")));
    }

    // The pixel of a model point at the given scale.
    static QRgb At(const QImage& image, double x, double y, double pxPerMetre = 100) {
        const double s = pxPerMetre / 100;
        return image.pixel(int(kRenderMargin + x * s), int(kRenderMargin + y * s));
    }

    // Pixels of that colour whose model point lies outside the area's effective outline
    // (one model unit of tolerance for the edges).
    static int OutsideArea(const QImage& image, QRgb colour) {
        int count = 0;
        for (int py = 0; py < image.height(); ++py)
            for (int px = 0; px < image.width(); ++px) {
                if (image.pixel(px, py) != colour) continue;
                const double x = px - kRenderMargin, y = py - kRenderMargin;
                const bool inArea = x >= -1 && x <= 401 && y >= -1 && y <= 301;
                const bool inHole = x > 151 && x < 249 && y > 101 && y < 199;
                count += !inArea || inHole;
            }
        return count;
    }
};

TEST_F(PlanRenderTest, BoardIsFilledInsideItsAreaOnly) {
    const QImage image = RenderPlan(fDoc, 100, nullptr);
    ASSERT_EQ(image.size(), QSize(400 + 2 * kRenderMargin + 1, 300 + 2 * kRenderMargin + 1));
    EXPECT_EQ(At(image, 100, 150), kBoard);
    EXPECT_EQ(At(image, 380, 150), kBoard);
    EXPECT_EQ(At(image, 200, 150), kCutOut); // the hole stays open
    EXPECT_EQ(At(image, 410, 150), kWhite);  // past the area's edge
    EXPECT_EQ(At(image, 100, 250), kArea);
    EXPECT_EQ(At(image, 200, 250), kArea);
    EXPECT_EQ(image.pixel(3, 3), kWhite);
    EXPECT_EQ(OutsideArea(image, kBoard), 0);
}

TEST_F(PlanRenderTest, SurfacePicturesOnlyWhenAskedForAndAvailable) {
    fImages.SetImagePath(fDir.path());
    const QImage pictured = RenderPlan(fDoc, 100, &fImages);
    EXPECT_EQ(At(pictured, 100, 150), kPicture);
    EXPECT_EQ(At(pictured, 200, 150), kCutOut);
    EXPECT_EQ(At(pictured, 410, 150), kWhite);
    EXPECT_EQ(OutsideArea(pictured, kPicture), 0);
    // The board's outline is drawn over its picture.
    EXPECT_EQ(At(pictured, 100, 130), qRgb(0, 0, 0));

    EXPECT_EQ(At(RenderPlan(fDoc, 100, nullptr), 100, 150), kBoard);
    fImages.SetImagePath(QString());
    EXPECT_EQ(At(RenderPlan(fDoc, 100, &fImages), 100, 150), kBoard);
}

TEST_F(PlanRenderTest, ScaleMapsModelUnitsToPixels) {
    const QImage image = RenderPlan(fDoc, 250, nullptr);
    ASSERT_EQ(image.size(), QSize(1000 + 2 * kRenderMargin + 1, 750 + 2 * kRenderMargin + 1));
    EXPECT_EQ(At(image, 100, 150, 250), kBoard);
    EXPECT_EQ(At(image, 100, 125, 250), kArea); // just above the board
    EXPECT_EQ(At(image, 200, 150, 250), kCutOut);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double bad : {0.0, -100.0, nan, inf, 1e7})
        EXPECT_TRUE(RenderPlan(fDoc, bad, nullptr).isNull()) << bad;
}

TEST(PlanRender, EmptyPlanIsAWhiteMargin) {
    TPlanDocument doc;
    const QImage image = RenderPlan(doc);
    ASSERT_EQ(image.size(), QSize(2 * kRenderMargin + 1, 2 * kRenderMargin + 1));
    EXPECT_EQ(image.pixel(kRenderMargin, kRenderMargin), kWhite);
}

} // namespace
