// The laying context draws the thumbnails of module articles for the article lists.

#include "laying/LayingContext.h"

#include "catalogue/Module.h"
#include "catalogue/ProductImages.h"
#include "catalogue/Products.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(LayingContextTest, ModuleArticlesGetTheirDrawingAsThumbnail) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const char* text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    // A red box whose blue element comes from a second script beside it.
    write("kasten.mod", "[Elements]\r\nEL:E;0;0;0\r\n[CONTOUR]\r\nPC:255\r\nBC:255\r\n"
                        "RE:0;0;100;50\r\n");
    write("deckel.mod", "[CONTOUR]\r\nPC:$FF0000\r\nBC:$FF0000\r\nRE:40;20;60;30\r\n");
    write("kaputt.mod", "[CONTOUR]\r\nRE:0;x\r\n");

    TLayingContext context;
    TProductGroup* group =
        context.Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Module")));
    const auto add = [&](const char* number, const char* script) -> TProduct& {
        auto article = std::make_unique<TModul>();
        article->ArtikelNr.SetText(QString::fromLatin1(number));
        article->ImageFileName.SetText(QString::fromLatin1(script));
        return *group->Products.Get(group->Products.Add(std::move(article)));
    };
    TProduct& box = add("K", "kasten.mod");
    add("E", "deckel.mod");
    TProduct& broken = add("X", "kaputt.mod");

    TProductImageEnvironment environment = context.ProductImageEnvironment();
    environment.ProductPath = dir.path();
    environment.ElementPath = dir.path();
    environment.ProductReadOnly = true;
    environment.ColorDepth = 24;
    context.ProductImages.SetEnvironment(environment);
    ASSERT_TRUE(context.ProductImages.RebuildProductImageList());

    ASSERT_GT(box.ImageIndex, 0);
    const QImage thumbnail = context.ProductImages.Thumbnail(box);
    const QPoint middle(thumbnail.width() / 2, thumbnail.height() / 2);
    EXPECT_EQ(thumbnail.pixel(middle), qRgb(0, 0, 255));                      // the element
    EXPECT_EQ(thumbnail.pixel(middle.x() - 15, middle.y()), qRgb(255, 0, 0)); // the box
    EXPECT_EQ(thumbnail.pixel(middle.x(), 1), qRgb(255, 255, 255));
    // A script that cannot be read leaves a white entry instead of stopping the list.
    const QImage white = context.ProductImages.Thumbnail(broken);
    EXPECT_EQ(white.pixel(middle), qRgb(255, 255, 255));
}

} // namespace
