#include "model/GraphModule.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/GraphPaneele.h"
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

TElementDrawItem Item(std::int32_t id, std::vector<TElementPoint> points, TColor color = 0) {
    TElementDrawItem item = TGraphModule::CreateDrawItem(id, static_cast<int>(points.size()));
    item.Points = std::move(points);
    item.Color = color;
    return item;
}

TElementDrawItem Colour(std::int32_t id, TColor color) {
    return Item(id, {}, color);
}

std::unique_ptr<TGraphModule> Module(std::vector<TElementDrawItem> items,
                                     const QString& number = QStringLiteral("M")) {
    auto m = std::make_unique<TGraphModule>(nullptr, nullptr, number);
    m->DrawItemList = std::move(items);
    return m;
}

struct TExtent {
    double x1, y1, x2, y2;
};

TExtent ExtentOf(const TGraphicObject& o) {
    TExtent e{1, 1, 1, 1};
    o.GetExtent(e.x1, e.y1, e.x2, e.y2);
    return e;
}

void ExpectExtent(const TGraphicObject& o, TExtent expected) {
    const TExtent e = ExtentOf(o);
    EXPECT_NEAR(e.x1, expected.x1, 1e-9);
    EXPECT_NEAR(e.y1, expected.y1, 1e-9);
    EXPECT_NEAR(e.x2, expected.x2, 1e-9);
    EXPECT_NEAR(e.y2, expected.y2, 1e-9);
}

TElementPoint Mapped(const TROTMatrix& m, double x, double y) {
    m.Map(x, y);
    return {x, y};
}

// --- Geometry -------------------------------------------------------------------------------

TEST(GraphModuleTest, CircleExtentAndMoveKeepsTheRadius) {
    auto m = Module({Item(diCircle, {{0, 0}, {10, 0}})});
    ExpectExtent(*m, {-10, -10, 10, 10});
    m->Move(5, 0);
    EXPECT_EQ(m->DrawItemList[0].Points[0], (TElementPoint{5, 0}));
    EXPECT_EQ(m->DrawItemList[0].Points[1], (TElementPoint{10, 0})); // the radius, no position
    EXPECT_EQ(m->Origin, (TElementPoint{5, 0}));
    ExpectExtent(*m, {-5, -10, 15, 10});
    m->Rotate(TROTMatrix::FromAngle(90, 0, 0));
    EXPECT_EQ(m->DrawItemList[0].Points[1], (TElementPoint{10, 0}));
    EXPECT_NEAR(m->Direction(), 90, 1e-9);
}

TEST(GraphModuleTest, ExtentCoversEveryPrimitiveAndElementButNotTheOrigin) {
    struct TCase {
        const char* name;
        std::vector<TElementDrawItem> items;
        TExtent extent;
    };
    const std::vector<TCase> cases = {
        {"colours only", {Colour(diPenColor, 1), Colour(diBrushColor, 2)}, {0, 0, 0, 0}},
        {"polyline away from the origin",
         {Item(diPolyline, {{10, 10}, {20, 30}})},
         {10, 10, 20, 30}},
        {"box with corners swapped", {Item(diRectangle, {{50, 40}, {30, 20}})}, {30, 20, 50, 40}},
        {"box ellipse", {Item(diEllipse, {{-5, 2}, {5, 8}})}, {-5, 2, 5, 8}},
        {"pie without its fifth point",
         {Item(diPie, {{10, 10}, {30, 20}, {30, 15}, {10, 15}, {0, 0}})},
         {10, 10, 30, 20}},
        {"polygon and circle",
         {Item(diPolygon, {{100, 100}, {120, 100}, {120, 130}}),
          Item(diCircle, {{0, 200}, {5, 0}})},
         {-5, 100, 120, 205}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectExtent(*Module(c.items), c.extent);
    }

    // A module made of elements only: the boards and the nested module give the box.
    auto outer = Module({});
    outer->ChildElements.push_back(std::make_unique<TGraphPaneel>(
        nullptr, outer.get(), QStringLiteral("B"), 1, TVektor(40, 50, 140, 50),
        TVektor(0, 0, 0, 10), QString(), 0));
    auto inner = Module({Item(diPolyline, {{300, -20}, {310, -30}})});
    outer->ChildElements.push_back(std::move(inner));
    ExpectExtent(*outer, {40, -30, 310, 60});
}

TEST(GraphModuleTest, NestedModuleAfterRotationKeepsItsExtentAndHits) {
    // An outer square with an element made of a box, a pie and a box ellipse to its right.
    auto outer = Module({Item(diPolygon, {{0, 0}, {100, 0}, {100, 100}, {0, 100}})});
    auto element = Module({Item(diRectangle, {{200, 0}, {220, 10}}),
                           Item(diPie, {{200, 20}, {220, 40}, {220, 30}, {200, 30}, {0, 0}}),
                           Item(diEllipse, {{200, 50}, {220, 60}})},
                          QStringLiteral("E"));
    element->ParentGraphObject = outer.get();
    TGraphModule* e = element.get();
    outer->ChildElements.push_back(std::move(element));

    const TROTMatrix turn = TROTMatrix::FromAngle(90, 0, 0);
    outer->Rotate(turn);
    EXPECT_NEAR(outer->Direction(), 90, 1e-9);
    EXPECT_NEAR(e->Direction(), 90, 1e-9);

    // The extent is that of the turned outline, element included.
    TExtent expected{1e9, 1e9, -1e9, -1e9};
    for (auto [x, y] : {std::pair{0.0, 0.0}, {100.0, 100.0}, {200.0, 0.0}, {220.0, 60.0}}) {
        const TElementPoint p = Mapped(turn, x, y);
        expected = {std::min(expected.x1, p.x), std::min(expected.y1, p.y),
                    std::max(expected.x2, p.x), std::max(expected.y2, p.y)};
    }
    ExpectExtent(*outer, expected);

    // The pie and ellipse boxes turned with the module: their corners swapped sides, the hit
    // tests still work. Axis-parallel rectangles are never hit.
    for (auto [x, y] : {std::pair{210.0, 30.0}, {210.0, 55.0}}) {
        const TElementPoint p = Mapped(turn, x, y);
        SCOPED_TRACE(testing::Message() << "probe " << x << "," << y);
        EXPECT_TRUE(e->PointInObject(p.x, p.y));
        EXPECT_EQ(outer->ObjectFromPoint(p.x, p.y), e);
    }
    const TElementPoint body = Mapped(turn, 50, 50);
    EXPECT_EQ(outer->ObjectFromPoint(body.x, body.y), outer.get());
    const TElementPoint box = Mapped(turn, 210, 5);
    EXPECT_EQ(outer->ObjectFromPoint(box.x, box.y), nullptr);
    const TElementPoint gap = Mapped(turn, 150, 50);
    EXPECT_EQ(outer->ObjectFromPoint(gap.x, gap.y), nullptr);
    EXPECT_FALSE(outer->PointInObject(gap.x, gap.y));
}

TEST(GraphModuleTest, AModuleLiesInAnAreaItTouchesOrCovers) {
    auto area = RectangleArea(0, 0, 100, 100);
    // A triangle whose corners lie outside but whose sides cross the area.
    EXPECT_TRUE(
        Module({Item(diPolygon, {{-50, 50}, {50, -50}, {-50, -50}})})->IsInShape(area.get()));
    EXPECT_TRUE(Module({Item(diCircle, {{110, 50}, {15, 0}})})->IsInShape(area.get()));
    EXPECT_FALSE(Module({Item(diCircle, {{200, 50}, {15, 0}})})->IsInShape(area.get()));
    // A module around the whole area: a corner of the area lies in its box.
    EXPECT_TRUE(Module({Item(diPolyline, {{-10, -10}, {500, 500}})})->IsInShape(area.get()));
    // Only a nested element reaches in.
    auto outer = Module({Item(diCircle, {{500, 500}, {5, 0}})});
    outer->ChildElements.push_back(Module({Item(diEllipse, {{90, 90}, {120, 120}})}));
    EXPECT_TRUE(outer->IsInShape(area.get()));
    // An area without an effective outline holds nothing, and asking must not fail.
    TShape empty;
    EXPECT_FALSE(Module({Item(diPolyline, {{-10, -10}, {500, 500}})})->IsInShape(&empty));
    EXPECT_FALSE(Module({})->IsInShape(nullptr));
}

// --- Elements and the article -----------------------------------------------------------------

TEST(GraphModuleTest, ReplaceChildFindsNestedElementsAndIgnoresItself) {
    auto outer = Module({});
    auto middle = Module({}, QStringLiteral("MID"));
    auto deep = Module({Item(diCircle, {{0, 0}, {1, 0}})}, QStringLiteral("DEEP"));
    TGraphModule* deepPtr = deep.get();
    TGraphModule* middlePtr = middle.get();
    middle->ChildElements.push_back(std::move(deep));
    outer->ChildElements.push_back(std::move(middle));

    // Handing in the element itself changes nothing and frees nothing.
    outer->ReplaceChild(deepPtr, std::unique_ptr<TGraphicObject>(deepPtr));
    ASSERT_EQ(middlePtr->ChildElements[0].get(), deepPtr);
    EXPECT_EQ(deepPtr->ArtikelNr.Text(), QStringLiteral("DEEP"));

    auto replacement = Module({}, QStringLiteral("NEW"));
    TGraphModule* newPtr = replacement.get();
    outer->ReplaceChild(deepPtr, std::move(replacement));
    ASSERT_EQ(middlePtr->ChildElements.size(), 1u);
    EXPECT_EQ(middlePtr->ChildElements[0].get(), newPtr);
    EXPECT_EQ(newPtr->ParentGraphObject, middlePtr);

    // An object that is no element leaves the module as it is.
    TGraphModule stranger;
    outer->ReplaceChild(&stranger, Module({}, QStringLiteral("X")));
    EXPECT_EQ(middlePtr->ChildElements[0].get(), newPtr);
}

TEST(GraphModuleTest, CloneIsADeepCopyThatOwnsItsElements) {
    auto m = Module({Colour(diBrushColor, 255), Item(diPolygon, {{0, 0}, {10, 0}, {0, 10}})});
    m->Origin = {3, 4};
    m->DirVektor = TVektor(3, 4, 3, 5);
    m->Transparent = true;
    m->Independent = true;
    m->ChildElements.push_back(Module({Item(diCircle, {{1, 1}, {2, 0}})}, QStringLiteral("E")));
    auto copy = m->Clone();
    auto* c = dynamic_cast<TGraphModule*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->DrawItemList, m->DrawItemList);
    EXPECT_EQ(c->Origin, m->Origin);
    EXPECT_NEAR(c->Direction(), 90, 1e-9);
    EXPECT_TRUE(c->Transparent);
    EXPECT_TRUE(c->Independent);
    ASSERT_EQ(c->ChildElements.size(), 1u);
    EXPECT_NE(c->ChildElements[0].get(), m->ChildElements[0].get());
    EXPECT_EQ(c->ChildElements[0]->ParentGraphObject, c);
    std::vector<TArtikelListEntry> articles;
    c->GetArtikelList(articles);
    ASSERT_EQ(articles.size(), 2u);
    EXPECT_EQ(articles[1].ArtikelNr, QStringLiteral("E"));
}

// --- Drawing --------------------------------------------------------------------------------

QImage Render(const TGraphModule& m, int flags) {
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.Pen = TPen();
    canvas.Brush = TBrush{RGBColor(0, 255, 0), TBrushStyle::bsSolid};
    m.Draw(canvas, flags);
    // The canvas is handed back as it came.
    EXPECT_EQ(canvas.Pen.Color, RGBColor(0, 0, 0));
    EXPECT_EQ(canvas.Brush.Color, RGBColor(0, 255, 0));
    EXPECT_EQ(canvas.Brush.Style, TBrushStyle::bsSolid);
    painter.end();
    return image;
}

TEST(GraphModuleDrawTest, TransparentModulesShowTheirOutlineOnlyInFrameMode) {
    // A red box with a transparent pen, holding a blue element box.
    auto m =
        Module({Colour(diPenColor, kTransparentColor), Colour(diBrushColor, RGBColor(255, 0, 0)),
                Item(diPolygon, {{10, 10}, {50, 10}, {50, 50}, {10, 50}})});
    m->ChildElements.push_back(
        Module({Colour(diPenColor, RGBColor(0, 0, 255)), Colour(diBrushColor, RGBColor(0, 0, 255)),
                Item(diRectangle, {{40, 40}, {30, 30}})}));
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255),
               grey = qRgb(128, 128, 128);

    QImage normal = Render(*m, 2);
    EXPECT_EQ(normal.pixel(20, 20), red);
    EXPECT_EQ(normal.pixel(10, 20), red); // a clear pen leaves the fill's own edge
    EXPECT_EQ(normal.pixel(35, 35), blue);

    m->Transparent = true;
    normal = Render(*m, 2);
    EXPECT_EQ(normal.pixel(20, 20), white); // no primitives, only the element
    EXPECT_EQ(normal.pixel(35, 35), blue);

    const QImage frame = Render(*m, 128 | 2);
    EXPECT_EQ(frame.pixel(20, 20), red);
    EXPECT_EQ(frame.pixel(10, 20), grey); // the transparent pen turns grey
    EXPECT_EQ(frame.pixel(35, 35), blue);

    // Without colour flags the canvas's own pen and brush draw.
    m->Transparent = false;
    const QImage plain = Render(*m, 0);
    EXPECT_EQ(plain.pixel(20, 20), qRgb(0, 255, 0));
    EXPECT_EQ(plain.pixel(10, 20), qRgb(0, 0, 0));
}

TEST(GraphModuleDrawTest, HatchAndCircleAndPie) {
    auto m =
        Module({Colour(diBrushColor, RGBColor(255, 0, 0)), Item(diCircle, {{30, 30}, {20, 0}})});
    const QImage hatched = Render(*m, 2 | 4);
    int blue = 0, white = 0;
    for (int x = 20; x < 40; ++x)
        for (int y = 20; y < 40; ++y) {
            blue += hatched.pixel(x, y) == qRgb(0, 0, 255);
            white += hatched.pixel(x, y) == qRgb(255, 255, 255);
        }
    EXPECT_GT(blue, 20);
    EXPECT_GT(white, 100);

    const QImage circle = Render(*m, 2);
    EXPECT_EQ(circle.pixel(30, 30), qRgb(255, 0, 0));
    EXPECT_EQ(circle.pixel(14, 14), qRgb(255, 255, 255)); // outside the circle, inside its box

    // The pie from the ray to (60, 30) to the ray to (30, 0): counter-clockwise on screen, the
    // upper right quarter.
    auto pie = Module({Colour(diBrushColor, RGBColor(255, 0, 0)),
                       Item(diPie, {{10, 10}, {50, 50}, {60, 30}, {30, 0}, {0, 0}})});
    const QImage quarter = Render(*pie, 2);
    EXPECT_EQ(quarter.pixel(38, 22), qRgb(255, 0, 0));
    EXPECT_EQ(quarter.pixel(22, 38), qRgb(255, 255, 255));
}

// --- Record ---------------------------------------------------------------------------------

std::unique_ptr<TGraphModule> RichModule() {
    auto m = Module({Colour(diPenColor, kTransparentColor), Colour(diBrushColor, 0x123456),
                     Item(diPolygon, {{0, 0}, {10, 0}, {10, 5}}), Item(diCircle, {{1, 2}, {3, 0}}),
                     Item(diPolyline, {{0, 0}, {7, 7}}), Item(diRectangle, {{0, 0}, {4, 4}}),
                     Item(diPie, {{0, 0}, {8, 8}, {8, 4}, {4, 0}, {0, 0}}),
                     Item(diEllipse, {{-1, -1}, {1, 1}})},
                    QStringLiteral("70300"));
    m->Origin = {12.5, -3.25};
    m->DirVektor = TVektor(12.5, -3.25, 13.5, -3.25);
    m->Transparent = true;
    m->Independent = true;
    auto element = Module({Item(diCircle, {{5, 5}, {1, 0}})}, QStringLiteral("E1"));
    element->IncludeAlways = true;
    m->ChildElements.push_back(std::move(element));
    m->ChildElements.push_back(std::make_unique<TGraphPaneel>(
        nullptr, m.get(), QStringLiteral("B1"), 1, TVektor(0, 0, 50, 0), TVektor(0, 0, 0, 10),
        QStringLiteral("holz.jpg"), 7));
    return m;
}

TEST(GraphModuleRecordTest, RoundTripOfACurrentRecordIsByteExact) {
    const auto m = RichModule();
    const QByteArray bytes = WrittenObject(*m);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\x06\x02MO", 4)));
    bool atEnd = false;
    const auto back = ReadObject<TGraphModule>(bytes, &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(back->DrawItemList, m->DrawItemList);
    EXPECT_EQ(back->Origin, m->Origin);
    EXPECT_TRUE(back->Transparent);
    EXPECT_TRUE(back->Independent);
    ASSERT_EQ(back->ChildElements.size(), 2u);
    EXPECT_EQ(back->ChildElements[0]->SerialID(), QStringLiteral("MO"));
    EXPECT_TRUE(back->ChildElements[0]->IncludeAlways);
    EXPECT_EQ(back->ChildElements[1]->SerialID(), QStringLiteral("PA"));
    EXPECT_EQ(back->ChildElements[1]->ParentGraphObject, back.get());
    EXPECT_EQ(WrittenObject(*back), bytes);
}

// A module record of that version with draw items (ID, point count); at most 70 points
// follow a count, so that counts larger than the record can be written.
QByteArray HandBuiltModule(int version, const std::vector<std::pair<int, int>>& items,
                           bool transparent = true) {
    return Written([&](TWriter& w) {
        w.WriteString("MO");
        w.WriteInteger(1); // common record version 1
        w.WriteString("70300");
        w.WriteInteger(ptModul);
        w.WriteString("stufe.mod");
        w.WriteInteger(0);
        w.WriteInteger(version);
        w.WriteRawDouble(0);
        w.WriteRawDouble(0);
        TVektor(0, 0, 1, 0).WriteData(w);
        w.WriteListBegin();
        for (const auto& [id, count] : items) {
            w.WriteInteger(0);
            w.WriteInteger(id);
            w.WriteInteger(count);
            w.WriteInteger(0);
            for (int i = 0; i < std::clamp(count, 0, 70); ++i) {
                w.WriteRawDouble(i);
                w.WriteRawDouble(i);
            }
        }
        w.WriteListEnd();
        w.WriteListBegin();
        w.WriteListEnd();
        if (version >= 1) w.WriteInteger(transparent ? 1 : 0);
    });
}

TEST(GraphModuleRecordTest, EveryVersionReadsAndWritesAsTheCurrentOne) {
    bool atEnd = false;
    const auto v0 = ReadObject<TGraphModule>(HandBuiltModule(0, {{diCircle, 2}}), &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_FALSE(v0->Transparent); // version 0 has no such field
    ASSERT_EQ(v0->DrawItemList.size(), 1u);
    EXPECT_EQ(v0->DrawItemList[0].Points[1], (TElementPoint{1, 1}));
    EXPECT_EQ(v0->ImageFileName.Text(), QStringLiteral("stufe.mod"));
    // Written back as the current version, it reads as the same module.
    EXPECT_EQ(WrittenObject(*v0),
              WrittenObject(*ReadObject<TGraphModule>(HandBuiltModule(1, {{diCircle, 2}}, false))));

    const auto v1 = ReadObject<TGraphModule>(HandBuiltModule(1, {{diCircle, 2}}), &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_TRUE(v1->Transparent);
    EXPECT_EQ(v1->DrawItemList, v0->DrawItemList);

    EXPECT_THROW(ReadObject<TGraphModule>(HandBuiltModule(2, {})), EReadError);
}

TEST(GraphModuleRecordTest, DrawItemsWithImpossiblePointCountsFailTheRead) {
    struct TCase {
        int id, count;
        bool valid;
    };
    const TCase cases[] = {
        {diPenColor, 0, true},  {diPenColor, 1, false},  {diBrushColor, 2, false},
        {diRectangle, 2, true}, {diRectangle, 1, false}, {diRectangle, 4, false},
        {diPolygon, 3, true},   {diPolygon, 64, true},   {diPolygon, 2, false},
        {diPolygon, 65, false}, {diCircle, 2, true},     {diCircle, 0, false},
        {diCircle, 1, false},   {diPolyline, 2, true},   {diPolyline, 1, false},
        {diPie, 4, true},       {diPie, 5, true},        {diPie, 3, false},
        {diEllipse, 2, true},   {diEllipse, 0, false},   {0, 0, false},
        {9, 2, false},          {diPolygon, -1, false},  {diPolygon, 1 << 30, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "ID " << c.id << ", " << c.count << " points");
        const QByteArray bytes = HandBuiltModule(1, {{c.id, c.count}});
        if (c.valid)
            EXPECT_NO_THROW(ReadObject<TGraphModule>(bytes));
        else
            EXPECT_THROW(ReadObject<TGraphModule>(bytes), EReadError);
    }
}

TEST(GraphModuleRecordTest, ARecordCutShortAtEveryByteFails) {
    const QByteArray bytes = WrittenObject(*RichModule());
    for (qsizetype n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadObject<TGraphModule>(bytes.left(n)), EReadError) << "cut at " << n;
}

TEST(GraphModuleRecordTest, NestingIsBoundedInsteadOfExhaustingTheStack) {
    const auto nested = [](int depth) {
        auto top = Module({Item(diCircle, {{0, 0}, {1, 0}})});
        TGraphModule* at = top.get();
        for (int i = 0; i < depth; ++i) {
            auto next = Module({});
            TGraphModule* n = next.get();
            at->ChildElements.push_back(std::move(next));
            at = n;
        }
        return WrittenObject(*top);
    };
    EXPECT_NO_THROW(ReadObject<TGraphModule>(nested(20)));
    EXPECT_THROW(ReadObject<TGraphModule>(nested(200)), EReadError);
}

} // namespace
