#include "model/GraphicObject.h"
#include "geometry/Vektors.h"
#include "model/Shapes.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace {

// A placed object with a position, standing in for the real object classes in these tests.
class TPlacedObject : public TGraphicObject {
public:
    double x = 0, y = 0, w = 0;
    void Move(double dx, double dy) override {
        x += dx;
        y += dy;
    }
    void Rotate(const TROTMatrix& m) override {
        m.Map(x, y);
        w += 90; // the tests rotate by a quarter turn only
    }
    void GetPosition(double& px, double& py, double& pw) const override {
        px = x;
        py = y;
        pw = w;
    }
};

// A module stand-in whose walk stops at itself when it is independent.
class TStoppingModule : public TGraphicObject {
public:
    TGraphicObject* GetParent() override {
        if (Independent) return this;
        return TGraphicObject::GetParent();
    }
};

TEST(GraphicObjectTest, NewObjectDefaultsAndCutArticleNumber) {
    TGraphicObject o(nullptr, nullptr, QStringLiteral("123456789012345678901234567890"));
    EXPECT_EQ(o.ArtikelNr.Text(), QStringLiteral("1234567890123456789012345"));
    EXPECT_EQ(o.Tag, 0);
    EXPECT_FALSE(o.Independent);
    EXPECT_FALSE(o.IncludeAlways);
    EXPECT_EQ(o.SerialID(), QStringLiteral("TGraphicObject"));
    double x1 = 1, y1 = 1, x2 = 1, y2 = 1;
    o.GetExtent(x1, y1, x2, y2);
    EXPECT_EQ(x1 + y1 + x2 + y2, 0);
    EXPECT_EQ(o.Direction(), 0); // a defined answer instead of an abstract call
    EXPECT_EQ(o.GetHitIndex(0, 0), -1);
    EXPECT_FALSE(o.PointInObject(0, 0));
    std::vector<TArtikelListEntry> list;
    o.GetArtikelList(list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Object, &o);
}

TEST(GraphicObjectTest, AssignAndCloneCopyTheArticleFields) {
    TShape shape;
    TGraphicObject parent;
    TGraphicObject a(&shape, &parent, QStringLiteral("50100"));
    a.Typ = 2;
    a.ImageFileName.SetText(QStringLiteral("wpc_grau.jpg"));
    a.Color = RGBColor(1, 2, 3);
    a.Independent = true;
    a.IncludeAlways = true;
    a.Tag = 64;
    auto b = a.Clone();
    EXPECT_EQ(b->ArtikelNr.Text(), QStringLiteral("50100"));
    EXPECT_EQ(b->Typ, 2);
    EXPECT_EQ(b->ParentShape, &shape);
    EXPECT_EQ(b->ParentGraphObject, &parent);
    EXPECT_EQ(b->ImageFileName.Text(), QStringLiteral("wpc_grau.jpg"));
    EXPECT_EQ(b->Color, RGBColor(1, 2, 3));
    EXPECT_TRUE(b->Independent);
    EXPECT_TRUE(b->IncludeAlways);
    EXPECT_EQ(b->Tag, 0); // transient, not copied
}

TEST(GraphicObjectTest, ParentWalkStopsAtAnIndependentModule) {
    TStoppingModule outer, inner;
    TGraphicObject element;
    inner.ParentGraphObject = &outer;
    element.ParentGraphObject = &inner;
    EXPECT_EQ(element.GetParent(), &outer);
    inner.Independent = true;
    EXPECT_EQ(element.GetParent(), &inner);
    EXPECT_EQ(inner.GetParent(), &inner);
    EXPECT_EQ(element.GetRootObject(), &outer);
    EXPECT_EQ(outer.GetParent(), &outer);
}

TEST(GraphicObjectTest, RegistryLookupIgnoresCaseAndKeepsAreasOutOfLayers) {
    EXPECT_NE(FindGraphicObjectClass(QStringLiteral("sa")), nullptr);
    EXPECT_NE(FindGraphicObjectClass(QStringLiteral("TSHAPE")), nullptr);
    EXPECT_EQ(FindGraphicObjectClass(QStringLiteral("TGibtsNicht")), nullptr);
    EXPECT_EQ(FindGraphicObjectClass(QString()), nullptr);
    auto shape = FindGraphicObjectClass(QStringLiteral("Sa"))();
    EXPECT_EQ(shape->SerialID(), QStringLiteral("SA"));
    // Areas and the bare base class never stand inside a layer or a module.
    EXPECT_EQ(FindLayerObjectClass(QStringLiteral("SA")), nullptr);
    EXPECT_EQ(FindLayerObjectClass(QStringLiteral("TGraphicObject")), nullptr);
}

TEST(GraphicObjectTest, PatternScriptSection) {
    TPlacedObject o;
    o.ArtikelNr.SetText(QStringLiteral("50100"));
    o.x = 112.5;
    o.y = 20.25;
    o.w = 90;
    QStringList lines;
    int index = 4;
    o.ToMusterScript(lines, 100, 10, 0, index, 0);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(lines, (QStringList{"", "[Artikel5]", "Nr=50100", "Layer=1", "x=12.500", "y=10.250",
                                  "r=90.000"}));
    lines.clear();
    o.ToMusterScript(lines, 0, 0, 2, index, 3);
    EXPECT_EQ(lines[3], QStringLiteral("Layer=3"));
    EXPECT_EQ(lines[4], QStringLiteral("Parent=3"));
}

TEST(GraphicObjectTest, ReadFromPatternScriptMovesThenRotatesAboutThePosition) {
    const TIniFile ini = TIniFile::FromText(QStringLiteral("[Artikel2]\nx=30,5\ny=40\nr=90\n"));
    TPlacedObject o;
    int index = 2;
    o.ReadFromMusterScript(ini, index);
    EXPECT_DOUBLE_EQ(o.x, 30.5); // rotating about its own position keeps it there
    EXPECT_DOUBLE_EQ(o.y, 40);
    EXPECT_DOUBLE_EQ(o.w, 90);
    TPlacedObject missing;
    int other = 7;
    missing.ReadFromMusterScript(ini, other);
    EXPECT_EQ(missing.x, 0);
    EXPECT_EQ(missing.y, 0);
}

TEST(GraphicObjectTest, RemoveFromListDestroysOnlyItself) {
    TGraphicObjectList list;
    list.push_back(std::make_unique<TGraphicObject>());
    list.push_back(std::make_unique<TGraphicObject>());
    TGraphicObject* second = list[1].get();
    list[0]->RemoveFromList(list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].get(), second);
}

} // namespace
