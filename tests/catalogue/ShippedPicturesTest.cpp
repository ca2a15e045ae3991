// The article pictures shipped with the sample catalogue: every name it uses is there as a
// small JPEG, and a new user's copy builds a thumbnail for every article with a picture.

#include "CatalogueTestSupport.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/ProductImages.h"
#include "platform/AppSettings.h"
#include "platform/SettingsStore.h"
#include "platform/TextFields.h"

#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>

namespace {

// Every picture the sample catalogue names is shipped, decodes, and is small.
TEST(ShippedPictures, EveryPictureOfTheSampleCatalogueIsThere) {
    const QString shipped = FindShippedData();
    ASSERT_FALSE(shipped.isEmpty());
    TCatalogue catalogue;
    TRecordingReporter reporter;
    LoadProducts(catalogue, shipped + QStringLiteral("/catalogue"), reporter);
    ASSERT_GT(catalogue.ProductCount(), 0);
    std::set<QString> names;
    for (const auto& group : catalogue.ProductGroups()) {
        if (!group->ImageFileName.IsEmpty()) names.insert(group->ImageFileName.Text());
        for (const auto& product : group->Products.Items())
            if (product->Typ != ptModul && !product->ImageFileName.IsEmpty())
                names.insert(product->ImageFileName.Text());
    }
    ASSERT_GT(names.size(), 20u);
    const QDir images(shipped + QStringLiteral("/images"));
    for (const QString& name : names) {
        SCOPED_TRACE(qPrintable(name));
        const QFileInfo file(images.filePath(name)); // exactly this name
        ASSERT_TRUE(file.isFile());
        EXPECT_LT(file.size(), 100 * 1024);
        QImageReader reader(file.filePath());
        EXPECT_EQ(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        EXPECT_GE(image.width(), kProductImageWidth);
        EXPECT_GE(image.height(), kProductImageHeight);
    }
}

// A new user's data folder: the copied sample gives every picture article its own thumbnail.
TEST(ShippedPictures, SampleCatalogueBuildsItsThumbnails) {
    QTemporaryDir dir;
    TFolderValues folders;
    folders.ProductPath = dir.filePath("Katalog");
    folders.ImagePath = dir.filePath("IMAGES");
    folders.ElementPath = dir.filePath("MODULES");
    folders.PatternPath = dir.filePath("Patterns");
    folders.OfferTextFile = dir.filePath("Angebot.txt");
    folders.MessageTextFile = dir.filePath("Meldungen.txt");
    CopyShippedData(FindShippedData(), folders);
    TCatalogue catalogue;
    TRecordingReporter reporter;
    LoadProducts(catalogue, folders.ProductPath, reporter);

    TSettingsStore store(dir.filePath("Tarv.ini"));
    TProductImageEnvironment env;
    env.Catalogue = &catalogue;
    env.Store = &store;
    env.ProductPath = folders.ProductPath;
    env.ImagePath = folders.ImagePath;
    env.ElementPath = folders.ElementPath;
    env.Reporter = &reporter;
    TProductImageList list;
    list.SetEnvironment(env);
    list.InitProductImageList(); // no TARV.img yet: built now
    EXPECT_TRUE(list.RebuildDone());

    std::set<QString> distinct;
    for (const auto& group : catalogue.ProductGroups())
        for (const auto& product : group->Products.Items()) {
            const QString name = product->ImageFileName.Text();
            SCOPED_TRACE(qPrintable(product->ArtikelNr.Text() + u' ' + name));
            EXPECT_EQ(product->ImageIndex == 0, name.isEmpty());
            if (!name.isEmpty()) distinct.insert(UpperCaseAZ(name));
        }
    EXPECT_EQ(list.Count(), int(distinct.size()) + 1);
    EXPECT_TRUE(reporter.Errors.empty());
    // The next start finds everything in place and only loads.
    TProductImageList next;
    next.SetEnvironment(env);
    next.InitProductImageList();
    EXPECT_FALSE(next.RebuildDone());
    EXPECT_EQ(next.Count(), list.Count());
}

} // namespace
