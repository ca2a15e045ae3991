#include "model/ModuleScript.h"
#include "ModuleTestSupport.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueReporter.h"
#include "model/GraphModule.h"
#include "model/ModuleThumbnail.h"
#include "platform/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// --- The value readers ----------------------------------------------------------------------

TEST(ModuleScriptValues, NumbersAreLenientAsDocumented) {
    struct TCase {
        const char* text;
        std::vector<std::optional<double>> numbers;
    };
    const TCase cases[] = {
        {".5", {5}},             // the leading point is dropped
        {"1,5", {1, 5}},         // a comma separates, it is no decimal point
        {" 0,0,10", {0, 0, 10}}, //
        {"1.5;-2.25; 3 ", {1.5, -2.25, 3}},
        {"1e3;2.5E-1", {1000, 0.25}}, // exponents
        {"abc", {std::nullopt}},      // nothing to read
        {"", {std::nullopt}},         //
        {"12x;4", {std::nullopt, 4}}, // unreadable, then the next value
        {"x-7", {-7}},                // the sign survives what precedes it
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        TScriptValues values(QString::fromLatin1(c.text));
        for (const std::optional<double>& expected : c.numbers)
            EXPECT_EQ(values.Number(), expected);
    }
    // What precedes a digit is dropped, separators included: "x;;" leads to 7.5.
    TScriptValues integers(QStringLiteral("1;x;;7.5;2"));
    EXPECT_EQ(integers.Integer(), 1);
    EXPECT_EQ(integers.Integer(), 0); // unreadable: 0
    EXPECT_EQ(integers.Integer(), 2);
    EXPECT_EQ(integers.Integer(), 0); // missing: 0
}

TEST(ModuleScriptValues, Colours) {
    struct TCase {
        const char* text;
        std::optional<std::uint32_t> colour;
    };
    const TCase cases[] = {
        {"TRANSPARENT", kTransparentColor},
        {"tr", kTransparentColor},
        {"Transparent;5", kTransparentColor},
        {" TRANSPARENT", std::nullopt}, // with a blank before it the word is not recognised
        {"255", 255},
        {" 255 ", 255},
        {"$FF00", 0xFF00},
        {"-1", 0xFFFFFFFF},
        {"rot", std::nullopt},
        {"", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TScriptValues(QString::fromLatin1(c.text)).Colour(), c.colour);
    }
}

// --- Outlines -------------------------------------------------------------------------------

class ModuleScriptTest : public testing::Test {
protected:
    TModuleFolder fFolder;

    std::unique_ptr<TGraphModule> Read(const QString& text) {
        fFolder.WriteScript(QStringLiteral("test.mod"), text);
        return fFolder.Read(QStringLiteral("test.mod"));
    }

    // The message of the script error reading that text raises.
    QString ErrorOf(const QString& text) {
        try {
            Read(text);
        } catch (const EScriptError& e) {
            return e.Message();
        }
        return QStringLiteral("kein Fehler");
    }

    QString SyntaxError(int line) const {
        return QStringLiteral("Syntaxfehler im Script %1. Zeile: %2")
            .arg(fFolder.Path(QStringLiteral("test.mod")))
            .arg(line);
    }
};

TEST_F(ModuleScriptTest, OriginAndRectangleGiveAPolygonAroundTheOrigin) {
    const auto m = Read(QStringLiteral("[CONTOUR]\nOR:50;25\nRE:0;0;100;50\n"));
    ASSERT_EQ(m->DrawItemList.size(), 1u);
    const TElementDrawItem& box = m->DrawItemList[0];
    EXPECT_EQ(box.ID, diPolygon);
    EXPECT_EQ(box.Points, (std::vector<TElementPoint>{{-50, -25}, {50, -25}, {50, 25}, {-50, 25}}));
    EXPECT_EQ(m->Origin, (TElementPoint{0, 0}));
    EXPECT_EQ(m->ImageFileName.Text(), QStringLiteral("test.mod"));
    EXPECT_FALSE(m->Transparent);
}

TEST_F(ModuleScriptTest, EveryOutlineKey) {
    const auto m = Read(QStringLiteral("; a step\n"
                                       "[contour]\n"
                                       "origin:1;1\n"
                                       "Or:0;0\n"
                                       "PC:TRANSPARENT\n"
                                       "brushcolor:255\n"
                                       "PO:2;0;0;10;10\n"
                                       "LI:2;0;0;10;10\n"
                                       "POLYGON:3;0;0;10;0;0;10\n"
                                       "PO:65;0;0\n"
                                       "CI:0,0,10\n"
                                       "PIE:0;0;20;20;20;10;10;0\n"
                                       "TR:1\n"
                                       "kein Schlüssel\n"
                                       "XX:1;2\n"));
    std::vector<std::int32_t> ids;
    for (const TElementDrawItem& item : m->DrawItemList)
        ids.push_back(item.ID);
    // The polygon with 2 points and the one with 65 are skipped; the line with 2 is kept.
    EXPECT_EQ(ids, (std::vector<std::int32_t>{diPenColor, diBrushColor, diPolyline, diPolygon,
                                              diCircle, diPie}));
    EXPECT_EQ(m->DrawItemList[0].Color, kTransparentColor);
    EXPECT_EQ(m->DrawItemList[1].Color, RGBColor(255, 0, 0));
    EXPECT_EQ(m->DrawItemList[2].Points, (std::vector<TElementPoint>{{0, 0}, {10, 10}}));
    EXPECT_EQ(m->DrawItemList[4].Points, (std::vector<TElementPoint>{{0, 0}, {10, 0}}));
    EXPECT_EQ(m->DrawItemList[5].Points.size(), 5u);
    EXPECT_EQ(m->DrawItemList[5].Points[4], (TElementPoint{0, 0}));
    EXPECT_TRUE(m->Transparent);
}

TEST_F(ModuleScriptTest, EllipseOfSixtyFourPointsTurnedAndMoved) {
    const auto m = Read(QStringLiteral("[CONTOUR]\nEL:100;50;40;20;0\nELLIPSE:0;0;40;20;90\n"));
    ASSERT_EQ(m->DrawItemList.size(), 2u);
    const std::vector<TElementPoint>& p = m->DrawItemList[0].Points;
    ASSERT_EQ(p.size(), 64u);
    EXPECT_EQ(m->DrawItemList[0].ID, diPolygon);
    EXPECT_EQ(p[0], (TElementPoint{80, 50}));
    EXPECT_EQ(p[32], (TElementPoint{120, 50}));
    EXPECT_NEAR(p[16].x, 100, 1e-9); // t = 0: the top of the ellipse
    EXPECT_NEAR(p[16].y, 60, 1e-9);
    for (int i = 1; i < 32; ++i) {
        EXPECT_NEAR(p[i].x, p[64 - i].x, 1e-9) << i; // the lower half mirrors the upper
        EXPECT_NEAR(p[i].y - 50, 50 - p[64 - i].y, 1e-9) << i;
    }
    // Turned a quarter: the long axis stands upright.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const auto only = std::make_unique<TGraphModule>();
    only->DrawItemList = {m->DrawItemList[1]};
    only->GetExtent(x1, y1, x2, y2);
    EXPECT_NEAR(x2 - x1, 20, 1e-9);
    EXPECT_NEAR(y2 - y1, 40, 1e-9);
}

TEST_F(ModuleScriptTest, BrokenLinesRaiseTheScriptErrorWithTheirLineNumber) {
    // The third line after a header on line 7 is line 10.
    const QString lines =
        QStringLiteral("; 1\n; 2\n; 3\n; 4\n; 5\n; 6\n[CONTOUR]\nOR:0;0\nCI:0;0;5\n");
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("RE:0;0;x;5\n")), SyntaxError(10));
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("PC: TRANSPARENT\n")), SyntaxError(10));
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("BC:rot\n")), SyntaxError(10));
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("CI:0;0\n")), SyntaxError(10));
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("PO:3;0;0;1;1\n")), SyntaxError(10));
    // Without a width every point of an ellipse would be undefined.
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("EL:0;0;0;20;0\n")), SyntaxError(10));
    EXPECT_EQ(ErrorOf(lines + QStringLiteral("EL:0;0;-4;20;0\n")), QStringLiteral("kein Fehler"));

    // An error leaves the module empty, as if it had never been read.
    auto m = fFolder.Read(QStringLiteral("test.mod"));
    fFolder.WriteScript(QStringLiteral("test.mod"), lines + QStringLiteral("TR:1\nRE:x\n"));
    EXPECT_THROW(m->ReadScript(fFolder.Source(), fFolder.Path(QStringLiteral("test.mod"))),
                 EScriptError);
    EXPECT_TRUE(m->DrawItemList.empty());
    EXPECT_FALSE(m->Transparent);
}

TEST_F(ModuleScriptTest, AMissingFileOrSectionLeavesAnEmptyModule) {
    auto m = fFolder.Read(QStringLiteral("gibtsnicht.mod"));
    EXPECT_TRUE(m->DrawItemList.empty());
    EXPECT_TRUE(m->ChildElements.empty());
    const auto onlyElements = Read(QStringLiteral("[Elements]\n"));
    EXPECT_TRUE(onlyElements->DrawItemList.empty());
    // Lines ending in LF only read the same.
    QFile file(fFolder.Path(QStringLiteral("lf.mod")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[CONTOUR]\nCI:0;0;5\n");
    file.close();
    EXPECT_EQ(fFolder.Read(QStringLiteral("lf.mod"))->DrawItemList.size(), 1u);
    // So do scripts an editor saved with a byte order mark.
    QFile bom(fFolder.Path(QStringLiteral("bom.mod")));
    ASSERT_TRUE(bom.open(QIODevice::WriteOnly));
    bom.write("\xEF\xBB\xBF[CONTOUR]\r\nCI:0;0;5\r\n");
    bom.close();
    EXPECT_EQ(fFolder.Read(QStringLiteral("bom.mod"))->DrawItemList.size(), 1u);
}

// --- Elements -------------------------------------------------------------------------------

TEST_F(ModuleScriptTest, ElementsArePlacedTurnedAndFlagged) {
    fFolder.WriteScript(QStringLiteral("brett.mod"), QStringLiteral("[CONTOUR]\nRE:0;0;20;10\n"));
    fFolder.AddModule(QStringLiteral("1234"), QStringLiteral("brett.mod"));
    // An article number stored in lower case is found although scripts write it in upper case.
    fFolder.AddModule(QStringLiteral("ab12"), QStringLiteral("BRETT.MOD"));
    const auto m = Read(QStringLiteral("[Elements]\n"
                                       "EL:1234;100;0;90\n"
                                       "Element: ab12 ;0;50;0;1;1\n"
                                       "[CONTOUR]\n"
                                       "CI:0;0;5\n"));
    ASSERT_EQ(m->ChildElements.size(), 2u);
    auto* first = dynamic_cast<TGraphModule*>(m->ChildElements[0].get());
    auto* second = dynamic_cast<TGraphModule*>(m->ChildElements[1].get());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->ArtikelNr.Text(), QStringLiteral("1234"));
    EXPECT_EQ(first->Origin, (TElementPoint{100, 0}));
    EXPECT_NEAR(first->Direction(), 90, 1e-9);
    EXPECT_FALSE(first->Independent); // missing flags read as 0
    EXPECT_FALSE(first->IncludeAlways);
    EXPECT_EQ(first->ParentGraphObject, m.get());
    EXPECT_EQ(first->ImageFileName.Text(), QStringLiteral("brett.mod"));
    // The box 0..20 x 0..10 turned a quarter about (100, 0).
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    first->GetExtent(x1, y1, x2, y2);
    EXPECT_NEAR(x2 - x1, 10, 1e-9);
    EXPECT_NEAR(y2 - y1, 20, 1e-9);

    EXPECT_EQ(second->ArtikelNr.Text(), QStringLiteral("ab12"));
    EXPECT_EQ(second->Origin, (TElementPoint{0, 50}));
    EXPECT_TRUE(second->Independent);
    EXPECT_TRUE(second->IncludeAlways);
    // An independent element is where the walk up stops.
    EXPECT_EQ(second->GetParent(), second);
    EXPECT_EQ(first->GetParent(), m.get());
}

TEST_F(ModuleScriptTest, ElementErrors) {
    fFolder.WriteScript(QStringLiteral("brett.mod"), QStringLiteral("[CONTOUR]\nRE:0;0;20;10\n"));
    fFolder.AddModule(QStringLiteral("1234"), QStringLiteral("brett.mod"));
    EXPECT_EQ(
        ErrorOf(QStringLiteral("[Elements]\nEL:1234;0;0;0\nEL:999;1;2;3\n")),
        QStringLiteral("Fehler im Script test.mod. Zeile: 3:\rArtikel Nr:999 nicht gefunden."));
    EXPECT_EQ(ErrorOf(QStringLiteral("[Elements]\nEL:1234;0;x;0\n")), SyntaxError(2));
    EXPECT_EQ(ErrorOf(QStringLiteral("[Elements]\nEL:1234;0;0\n")), SyntaxError(2));
}

TEST_F(ModuleScriptTest, ElementCyclesAndDeepNestingEndWithAScriptError) {
    // a -> b -> a
    fFolder.AddModule(QStringLiteral("A"), QStringLiteral("a.mod"));
    fFolder.AddModule(QStringLiteral("B"), QStringLiteral("b.mod"));
    fFolder.WriteScript(QStringLiteral("a.mod"), QStringLiteral("[Elements]\nEL:B;0;0;0\n"));
    fFolder.WriteScript(QStringLiteral("b.mod"),
                        QStringLiteral("[CONTOUR]\nCI:0;0;1\n[Elements]\nEL:A;0;0;0\n"));
    try {
        fFolder.Read(QStringLiteral("a.mod"));
        ADD_FAILURE() << "no error";
    } catch (const EScriptError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral(
                      "Fehler im Script b.mod. Zeile: 4:\rDas Element A enthält sich selbst."));
    }
    // A script that holds itself.
    fFolder.AddModule(QStringLiteral("S"), QStringLiteral("s.mod"));
    fFolder.WriteScript(QStringLiteral("s.mod"), QStringLiteral("[Elements]\nEL:S;0;0;0\n"));
    EXPECT_THROW(fFolder.Read(QStringLiteral("s.mod")), EScriptError);

    // A chain of distinct scripts: fine while short, an error beyond the depth cap.
    const auto chain = [&](int length) {
        for (int i = 0; i < length; ++i) {
            const QString next = i + 1 < length
                                     ? QStringLiteral("[Elements]\nEL:K%1;1;0;0\n").arg(i + 1)
                                     : QStringLiteral("[CONTOUR]\nCI:0;0;1\n");
            fFolder.WriteScript(QStringLiteral("k%1.mod").arg(i), next);
            if (!fFolder.Catalogue.FindProduct(QStringLiteral("K%1").arg(i)))
                fFolder.AddModule(QStringLiteral("K%1").arg(i), QStringLiteral("k%1.mod").arg(i));
        }
    };
    chain(8);
    const auto shallow = fFolder.Read(QStringLiteral("k0.mod"));
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    shallow->GetExtent(x1, y1, x2, y2);
    EXPECT_EQ(x1, 6); // seven steps of 1 to the circle of radius 1
    chain(TGraphModule::kMaxScriptDepth + 4);
    try {
        fFolder.Read(QStringLiteral("k0.mod"));
        ADD_FAILURE() << "no error";
    } catch (const EScriptError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("tiefer als 16 Stufen")))
            << qPrintable(e.Message());
    }
}

TEST_F(ModuleScriptTest, ScriptNamesStayInsideTheModuleFolder) {
    fFolder.WriteScript(QStringLiteral("Stufe.mod"), QStringLiteral("[CONTOUR]\nCI:0;0;1\n"));
    const QString folder = fFolder.Dir.path();
    EXPECT_EQ(QFileInfo(ModuleScriptPath(folder, QStringLiteral("STUFE.MOD"))).fileName(),
              QStringLiteral("Stufe.mod"));
    QDir(folder).mkdir(QStringLiteral("sub"));
    fFolder.WriteScript(QStringLiteral("sub/x.mod"), QStringLiteral("[CONTOUR]\nCI:0;0;1\n"));
    for (const char* name :
         {"sub/x.mod", "sub\\x.mod", "../Stufe.mod", "..", ".", "", "gibtsnicht.mod"})
        EXPECT_TRUE(ModuleScriptPath(folder, QString::fromLatin1(name)).isEmpty()) << name;
    EXPECT_TRUE(ModuleScriptPath(QString(), QStringLiteral("Stufe.mod")).isEmpty());

    // A plan's module naming a script outside the folder reads nothing from there.
    fFolder.AddModule(QStringLiteral("X"), QStringLiteral("../Stufe.mod"));
    TGraphModule m(nullptr, nullptr, QStringLiteral("X"));
    m.ImageFileName.SetText(QStringLiteral("sub/x.mod"));
    std::vector<TProduct*> list;
    m.GetCompatibleList(fFolder.Source(), list);
    EXPECT_EQ(list.size(), 1u); // the own article only
}

// --- The article ----------------------------------------------------------------------------

TEST_F(ModuleScriptTest, CompatibleArticlesFromTheExchangeList) {
    TProduct& own = fFolder.AddModule(QStringLiteral("70300"), QStringLiteral("stufe.mod"));
    TProduct& other = fFolder.AddModule(QStringLiteral("70301"), QStringLiteral("stufe2.mod"));
    TProduct& third = fFolder.AddModule(QStringLiteral("70302"), QStringLiteral("stufe2.mod"));
    // CR LF line ends; the blank in the third entry is part of the number.
    fFolder.WriteScript(QStringLiteral("stufe.mod"), QStringLiteral("[CONTOUR]\nCI:0;0;1\n"
                                                                    "[COMPATIBLE]\n"
                                                                    "EL:70301\n"
                                                                    "EL:70300\n"
                                                                    "EL: 70302\n"
                                                                    "EL:99999\n"
                                                                    "Element:70302\n"));
    TGraphModule m(nullptr, nullptr, QStringLiteral("70300"));
    m.ImageFileName.SetText(QStringLiteral("stufe.mod"));
    std::vector<TProduct*> list;
    m.GetCompatibleList(fFolder.Source(), list);
    EXPECT_EQ(list, (std::vector<TProduct*>{&own, &other, &third}));
    EXPECT_EQ(ReadCompatibleArticles(fFolder.Path(QStringLiteral("stufe.mod")))[2],
              QStringLiteral(" 70302"));
    EXPECT_TRUE(ReadCompatibleArticles(fFolder.Path(QStringLiteral("gibtsnicht.mod"))).isEmpty());
}

TEST_F(ModuleScriptTest, AnExchangedModuleKeepsItsPlaceAndAngle) {
    fFolder.WriteScript(QStringLiteral("klein.mod"),
                        QStringLiteral("[CONTOUR]\nOR:10;5\nRE:0;0;20;10\n"));
    fFolder.WriteScript(QStringLiteral("gross.mod"),
                        QStringLiteral("[CONTOUR]\nPC:TR\nRE:-50;-20;50;20\n"));
    fFolder.AddModule(QStringLiteral("K"), QStringLiteral("klein.mod"));
    TProduct& big = fFolder.AddModule(QStringLiteral("G"), QStringLiteral("gross.mod"));
    big.Color = RGBColor(1, 2, 3);

    auto m = fFolder.Read(QStringLiteral("klein.mod"), QStringLiteral("K"));
    m->Move(200, 100);
    m->Rotate(TROTMatrix::FromAngle(30, 200, 100));
    m->AssignProduct(big, fFolder.Source());
    EXPECT_EQ(m->ArtikelNr.Text(), QStringLiteral("G"));
    EXPECT_EQ(m->ImageFileName.Text(), QStringLiteral("gross.mod"));
    EXPECT_EQ(m->Color, RGBColor(1, 2, 3));
    EXPECT_NEAR(m->Origin.x, 200, 1e-9);
    EXPECT_NEAR(m->Origin.y, 100, 1e-9);
    EXPECT_NEAR(m->Direction(), 30, 1e-9);
    ASSERT_EQ(m->DrawItemList.size(), 2u);
    // The corner (50, 20) of the new outline, turned by 30 degrees about the place.
    double x = 250, y = 120;
    TROTMatrix::FromAngle(30, 200, 100).Map(x, y);
    EXPECT_NEAR(m->DrawItemList[1].Points[2].x, x, 1e-9);
    EXPECT_NEAR(m->DrawItemList[1].Points[2].y, y, 1e-9);
}

// --- Thumbnails and the shipped scripts -----------------------------------------------------

TEST_F(ModuleScriptTest, ThumbnailDrawsTheModuleCentredAtOneScale) {
    const QString path = fFolder.WriteScript(
        QStringLiteral("box.mod"), QStringLiteral("[CONTOUR]\nPC:255\nBC:255\nRE:0;0;100;50\n"));
    TProduct& article = fFolder.AddModule(QStringLiteral("B"), QStringLiteral("box.mod"));
    QImage image(50, 37, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawModuleThumbnail(painter, image.size(), article, path, fFolder.Source());
    painter.end();
    // 100 x 50 at half size: 50 x 25 in the middle of the 37 rows.
    EXPECT_EQ(image.pixel(25, 18), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(25, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(25, 34), qRgb(255, 255, 255));
}

TEST(ShippedModules, EveryModuleArticleDrawsFromItsScript) {
    const QString shipped = FindShippedData();
    ASSERT_FALSE(shipped.isEmpty());
    TCatalogue catalogue;
    TStderrReporter reporter(TErrorAnswer::Abort);
    LoadProducts(catalogue, shipped + QStringLiteral("/catalogue"), reporter);
    const TArticleSource source{catalogue, shipped + QStringLiteral("/modules")};
    int modules = 0, withElements = 0;
    for (const auto& group : catalogue.ProductGroups())
        for (const auto& product : group->Products.Items()) {
            if (product->Typ != ptModul) continue;
            ++modules;
            SCOPED_TRACE(qPrintable(product->ArtikelNr.Text()));
            const QString path =
                ModuleScriptPath(source.ModuleFolder, product->ImageFileName.Text());
            ASSERT_FALSE(path.isEmpty());
            TGraphModule m(nullptr, nullptr, product->ArtikelNr.Text());
            ASSERT_NO_THROW(m.ReadScript(source, path));
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            m.GetExtent(x1, y1, x2, y2);
            EXPECT_GT(x2 - x1, 5);
            EXPECT_GT(y2 - y1, 5);
            withElements += !m.ChildElements.empty();
            std::vector<TProduct*> compatible;
            m.ImageFileName.SetText(product->ImageFileName.Text());
            ASSERT_NO_THROW(m.GetCompatibleList(source, compatible));
            ASSERT_FALSE(compatible.empty());
            for (const TProduct* p : compatible)
                EXPECT_EQ(p->Typ, ptModul);
        }
    EXPECT_GE(modules, 6);
    EXPECT_GE(withElements, 2);
}

} // namespace
