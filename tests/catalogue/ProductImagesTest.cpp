// The product picture list: the thumbnail file as bytes, the rebuild from a catalogue, the
// start-up rule, and the faults a damaged file, a read-only catalogue or a stale index used to
// cause.

#include "CatalogueTestSupport.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/ProductImages.h"
#include "platform/AppSettings.h"
#include "platform/SettingsStore.h"
#include "support/RecordingMessages.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

constexpr int kEntrySize = 54 + 152 * 37;

std::uint32_t U32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

int U16(const QByteArray& b, int at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8;
}

void SetU32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// Every pixel different, so a swapped channel, row or column shows.
QImage Gradient() {
    QImage image(kProductImageWidth, kProductImageHeight, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 5, y * 7, 255 - x - y));
    return image;
}

bool SameImage(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

bool Decode(const QByteArray& bytes, QImage& image, QString* why = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadProductBitmap(buffer, image, why);
}

TEST(ProductBitmap, IsA24BitBottomUpBmpWrittenAndReadBackExactly) {
    const QImage image = Gradient();
    const QByteArray bytes = EncodeProductBitmap(image);
    ASSERT_EQ(bytes.size(), kEntrySize);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(bytes, 2), std::uint32_t(kEntrySize)); // bfSize
    EXPECT_EQ(U32(bytes, 6), 0u);                        // reserved
    EXPECT_EQ(U32(bytes, 10), 54u);                      // bfOffBits
    EXPECT_EQ(U32(bytes, 14), 40u);                      // biSize
    EXPECT_EQ(U32(bytes, 18), 50u);
    EXPECT_EQ(U32(bytes, 22), 37u); // positive height: bottom-up
    EXPECT_EQ(U16(bytes, 26), 1);
    EXPECT_EQ(U16(bytes, 28), 24);
    EXPECT_EQ(U32(bytes, 30), 0u); // uncompressed
    EXPECT_EQ(U32(bytes, 34), 152u * 37u);

    // The first row stored is the bottom row, blue-green-red, padded to 152 bytes with zeros.
    const QRgb bottomLeft = image.pixel(0, 36);
    EXPECT_EQ(std::uint8_t(bytes[54]), qBlue(bottomLeft));
    EXPECT_EQ(std::uint8_t(bytes[55]), qGreen(bottomLeft));
    EXPECT_EQ(std::uint8_t(bytes[56]), qRed(bottomLeft));
    const QRgb topRight = image.pixel(49, 0);
    const int top = 54 + 36 * 152 + 49 * 3;
    EXPECT_EQ(std::uint8_t(bytes[top]), qBlue(topRight));
    EXPECT_EQ(std::uint8_t(bytes[top + 2]), qRed(topRight));
    EXPECT_EQ(bytes.mid(54 + 150, 2), QByteArray(2, '\0'));

    QImage back;
    ASSERT_TRUE(Decode(bytes, back));
    EXPECT_TRUE(SameImage(back, image));
    // Any BMP reader takes it as the same picture.
    EXPECT_TRUE(SameImage(QImage::fromData(bytes, "BMP"), image));
    // Writing what was read gives the same bytes.
    EXPECT_EQ(EncodeProductBitmap(back), bytes);
}

TEST(ProductBitmap, RejectsEntriesWhoseSizesDoNotAddUp) {
    const QByteArray good = EncodeProductBitmap(Gradient());
    struct TCase {
        const char* name;
        QByteArray bytes;
    };
    auto patched = [&](int at, std::uint32_t value) {
        QByteArray b = good;
        SetU32(b, at, value);
        return b;
    };
    auto patched16 = [&](int at, int value) {
        QByteArray b = good;
        b[at] = char(value & 0xFF);
        b[at + 1] = char(value >> 8);
        return b;
    };
    const TCase cases[] = {
        {"empty", QByteArray()},
        {"part of the file header", good.left(10)},
        {"headers only", good.left(54)},
        {"one byte short", good.left(kEntrySize - 1)},
        {"no BM", QByteArray("XY") + good.mid(2)},
        {"bfSize beyond the file", patched(2, 0xFFFFFFF0u)},
        {"bfSize too small", patched(2, 54)},
        {"pixels elsewhere", patched(10, 60)},
        {"other info header", patched(14, 108)},
        {"width 51", patched(18, 51)},
        {"height 38", patched(22, 38)},
        {"huge height", patched(22, 0x7FFFFFFF)},
        {"32 bits", patched16(28, 32)},
        {"8 bits", patched16(28, 8)},
        {"compressed", patched(30, 1)},
    };
    for (const TCase& c : cases) {
        QImage image;
        QString why;
        EXPECT_FALSE(Decode(c.bytes, image, &why)) << c.name;
        EXPECT_FALSE(why.isEmpty()) << c.name;
        EXPECT_TRUE(image.isNull()) << c.name;
    }
}

// A catalogue in memory with its folders and settings in a temporary folder.
class ProductImageListTest : public testing::Test {
protected:
    QTemporaryDir fDir;
    QString fProducts, fImages, fModules;
    std::unique_ptr<TSettingsStore> fStore;
    TCatalogue fCatalogue;
    TRecordingReporter fReporter;
    TRecordingMessages fMessages;
    int fFile = -1;
    int fBegins = 0, fSteps = 0, fEnds = 0, fMaximum = -1;
    QString fHint;

    void SetUp() override {
        ASSERT_TRUE(fDir.isValid());
        fProducts = fDir.filePath("Katalog");
        fImages = fDir.filePath("IMAGES");
        fModules = fDir.filePath("MODULES");
        for (const QString& folder : {fProducts, fImages, fModules})
            ASSERT_TRUE(QDir().mkpath(folder));
        fStore = std::make_unique<TSettingsStore>(fDir.filePath("Tarv.ini"));
        fFile = fCatalogue.AddProductFile("TEST.DAT");
    }

    TProduct& Add(const QString& group, std::int32_t typ, const QString& number,
                  const QString& picture) {
        TProduct& p = AddArticle(GroupNamed(fCatalogue, group), typ, number);
        p.ImageFileName.SetText(picture);
        p.FileListIndex = fFile;
        p.ImageIndex = 99; // stale: every article must be given its entry
        return p;
    }

    // 200 x 200: red top-left quarter, green elsewhere. A 50 x 37 cut is all red.
    void Picture(const QString& name) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(qRgb(0, 255, 0));
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        ASSERT_TRUE(image.save(QDir(fImages).filePath(name), "JPG", 95));
    }

    TProductImageEnvironment Environment(int depth = 24, bool readOnly = false) {
        TProductImageEnvironment env;
        env.Catalogue = &fCatalogue;
        env.Store = fStore.get();
        env.ProductPath = fProducts;
        env.ImagePath = fImages;
        env.ElementPath = fModules;
        env.ProductReadOnly = readOnly;
        env.ColorDepth = depth;
        env.Reporter = &fReporter;
        env.Messages = &fMessages;
        return env;
    }

    // A list as a fresh start has it, counting its rebuilds.
    std::unique_ptr<TProductImageList> NewList(int depth = 24, bool readOnly = false) {
        auto list = std::make_unique<TProductImageList>();
        list->SetEnvironment(Environment(depth, readOnly));
        TImageRebuildProgress progress;
        progress.Begin = [this](const QString& hint, int maximum) {
            ++fBegins;
            fHint = hint;
            fMaximum = maximum;
        };
        progress.Step = [this](int) { ++fSteps; };
        progress.End = [this] { ++fEnds; };
        list->SetProgress(progress);
        return list;
    }

    QString ImgFile() const { return QDir(fProducts).filePath("TARV.img"); }
    std::optional<std::int64_t> ColorRes() const {
        return TSettingsStore(fDir.filePath("Tarv.ini"))
            .ReadInteger(kGeneralKey, QStringLiteral("ColorRes"));
    }
    static bool AllPixels(const QImage& image, QRgb colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != colour) return false;
        return true;
    }
    static bool Near(QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
               std::abs(qBlue(a) - qBlue(b)) < 24;
    }
};

TEST_F(ProductImageListTest, RebuildGivesSharedPicturesOneEntryAndMissingOnesNone) {
    Picture("holz.jpg");
    Picture("schraube.jpg");
    ASSERT_TRUE(WriteBytes(QDir(fImages).filePath("kaputt.jpg"), "kein Bild"));
    ASSERT_TRUE(QDir(fImages).mkdir("ordner.jpg"));
    ASSERT_TRUE(WriteBytes(QDir(fModules).filePath("bank.mod"), "[Modul]\r\n"));

    TProduct& a = Add("Dielen", ptPaneel, "A", "holz.jpg");
    TProduct& b = Add("Dielen", ptPaneel, "B", "HOLZ.JPG");
    TProduct& none = Add("Dielen", ptPaneel, "N", "");
    TProduct& missing = Add("Dielen", ptPaneel, "M", "fehlt.jpg");
    TProduct& folder = Add("Dielen", ptPaneel, "O", "ordner.jpg");
    TProduct& screw = Add("Zubehör", ptSonstiges, "S", "schraube.jpg");
    TProduct& c = Add("Zubehör", ptProfilholz, "C", "holz.jpg");
    TProduct& broken = Add("Zubehör", ptSonstiges, "K", "kaputt.jpg");
    // A module's name is its script in the module folder; with no drawer it stays white.
    TProduct& module = Add("Module", ptModul, "MO", "bank.mod");
    TProduct& misplaced = Add("Module", ptModul, "MX", "holz.jpg");

    auto list = NewList();
    ASSERT_TRUE(list->RebuildProductImageList());

    EXPECT_EQ(a.ImageIndex, 1);
    EXPECT_EQ(b.ImageIndex, 1);
    EXPECT_EQ(c.ImageIndex, 1);
    EXPECT_EQ(screw.ImageIndex, 2);
    EXPECT_EQ(broken.ImageIndex, 3);
    EXPECT_EQ(module.ImageIndex, 4);
    for (const TProduct* p : {&none, &missing, &folder, &misplaced})
        EXPECT_EQ(p->ImageIndex, 0) << qPrintable(p->ArtikelNr.Text());

    ASSERT_EQ(list->Count(), 5);
    EXPECT_TRUE(SameImage(list->Image(0), EmptyProductImage()));
    EXPECT_EQ(list->Image(0).pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(list->Image(0).pixel(25, 18), qRgb(255, 255, 255));
    // A board shows an unscaled cut of its surface, other articles the whole picture.
    EXPECT_TRUE(Near(list->Image(1).pixel(0, 0), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(list->Image(1).pixel(49, 36), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(list->Image(2).pixel(5, 5), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(list->Image(2).pixel(45, 33), qRgb(0, 255, 0)));
    EXPECT_TRUE(AllPixels(list->Image(3), qRgb(255, 255, 255)));
    EXPECT_TRUE(AllPixels(list->Image(4), qRgb(255, 255, 255)));

    // The file holds exactly the list, entry after entry.
    EXPECT_EQ(QFileInfo(ImgFile()).size(), 5 * kEntrySize);
    std::vector<QImage> read;
    ASSERT_TRUE(ReadProductImageFile(ImgFile(), read));
    ASSERT_EQ(read.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(SameImage(read[size_t(i)], list->Image(i))) << i;

    // The indexes went into the catalogue file, the depth into the settings.
    TCatalogue reloaded;
    LoadProducts(reloaded, fProducts, fReporter);
    ASSERT_NE(reloaded.FindProduct("S"), nullptr);
    EXPECT_EQ(reloaded.FindProduct("S")->ImageIndex, 2);
    EXPECT_EQ(reloaded.FindProduct("M")->ImageIndex, 0);
    EXPECT_TRUE(fReporter.Errors.empty());
    EXPECT_EQ(ColorRes(), 24);

    EXPECT_EQ(fBegins, 1);
    EXPECT_EQ(fHint, QStringLiteral("Produktbilder komprimieren."));
    EXPECT_EQ(fMaximum, 3);
    EXPECT_EQ(fSteps, 3);
    EXPECT_EQ(fEnds, 1);
}

TEST_F(ProductImageListTest, ModuleDrawerPaintsTheModuleEntry) {
    ASSERT_TRUE(WriteBytes(QDir(fModules).filePath("bank.mod"), "[Modul]\r\n"));
    ASSERT_TRUE(WriteBytes(QDir(fModules).filePath("kaputt.mod"), "[Modul]\r\n"));
    TProduct& module = Add("Module", ptModul, "MO", "bank.mod");
    TProduct& failing = Add("Module", ptModul, "MF", "kaputt.mod");
    auto list = NewList();
    QStringList scripts;
    list->SetModuleDrawer(
        [&](QPainter& painter, const QSize& size, const TProduct& p, const QString& script) {
            scripts << QFileInfo(script).fileName();
            if (&p == &failing) throw std::runtime_error("Modul nicht lesbar");
            painter.fillRect(QRect(QPoint(0, 0), size), Qt::blue);
        });
    ASSERT_TRUE(list->RebuildProductImageList());
    EXPECT_EQ(scripts, (QStringList{"bank.mod", "kaputt.mod"}));
    ASSERT_EQ(list->Count(), 3);
    EXPECT_TRUE(AllPixels(list->Image(module.ImageIndex), qRgb(0, 0, 255)));
    // A drawing error leaves the module its white entry.
    EXPECT_EQ(failing.ImageIndex, 2);
    EXPECT_TRUE(AllPixels(list->Image(2), qRgb(255, 255, 255)));
}

TEST_F(ProductImageListTest, AFailingRebuildNeverLeavesTheWindowDisabled) {
    Picture("holz.jpg");
    Add("Dielen", ptPaneel, "A", "holz.jpg");
    auto list = NewList();
    TImageRebuildProgress progress;
    bool disabled = false;
    int calls = 0;
    progress.Begin = [&](const QString&, int) { disabled = true; };
    progress.Step = [&](int) {
        if (++calls == 1) throw std::runtime_error("Fortschrittsanzeige fehlgeschlagen");
    };
    progress.End = [&] { disabled = false; };
    list->SetProgress(progress);
    EXPECT_THROW(list->RebuildProductImageList(), std::runtime_error);
    EXPECT_FALSE(disabled);
    // Nothing is left half-running: the command can rebuild again.
    EXPECT_TRUE(list->RebuildProductImageList());
    EXPECT_FALSE(disabled);
    EXPECT_EQ(list->Count(), 2);
}

TEST_F(ProductImageListTest, ReadOnlyCatalogueKeepsItsFilesAndTheIndexesInMemory) {
    Picture("holz.jpg");
    TProduct& a = Add("Dielen", ptPaneel, "A", "holz.jpg");
    SaveProducts(fCatalogue, fProducts, fReporter);
    const QByteArray before = ReadBytes(QDir(fProducts).filePath("TEST.DAT"));
    ASSERT_FALSE(before.isEmpty());

    auto list = NewList(24, true);
    ASSERT_TRUE(list->RebuildProductImageList());
    EXPECT_EQ(a.ImageIndex, 1);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(ReadBytes(QDir(fProducts).filePath("TEST.DAT")), before);
    EXPECT_FALSE(QFileInfo::exists(ImgFile()));
    EXPECT_EQ(fEnds, 1);
}

TEST_F(ProductImageListTest, DamagedFileFailsCleanlyAndRebuildsOncePerRun) {
    Picture("holz.jpg");
    Add("Dielen", ptPaneel, "A", "holz.jpg");
    ASSERT_TRUE(NewList()->RebuildProductImageList());
    const QByteArray whole = ReadBytes(ImgFile());
    ASSERT_EQ(whole.size(), 2 * kEntrySize);

    // Cut inside the second entry's pixels, and inside its headers.
    for (const int length : {2 * kEntrySize - 100, kEntrySize + 20, 0}) {
        SCOPED_TRACE(length);
        fBegins = fEnds = 0;
        ASSERT_TRUE(WriteBytes(ImgFile(), whole.left(length)));
        std::vector<QImage> read;
        QString why;
        EXPECT_FALSE(ReadProductImageFile(ImgFile(), read, &why));
        EXPECT_TRUE(read.empty());
        EXPECT_FALSE(why.isEmpty());

        // The next start: the load rebuilds once and the file is whole again.
        auto list = NewList();
        EXPECT_TRUE(list->LoadProductImageList());
        EXPECT_EQ(fBegins, 1);
        EXPECT_EQ(fEnds, 1);
        EXPECT_EQ(list->Count(), 2);
        EXPECT_EQ(ReadBytes(ImgFile()), whole);

        // Damaged again in the same run: no second rebuild, colour boxes instead.
        ASSERT_TRUE(WriteBytes(ImgFile(), whole.left(length)));
        EXPECT_FALSE(list->LoadProductImageList());
        EXPECT_EQ(fBegins, 1);
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(list->Thumbnail(1, RGBColor(0, 0, 255)).pixel(25, 18), qRgb(0, 0, 255));
    }
}

TEST_F(ProductImageListTest, FolderThatCannotHoldTheFileDoesNotLoop) {
    Picture("holz.jpg");
    Add("Dielen", ptPaneel, "A", "holz.jpg");
    auto list = NewList();
    TProductImageEnvironment env = Environment();
    env.ProductPath = fDir.filePath("gibtsnicht/auch/nicht"); // never created
    list->SetEnvironment(env);
    EXPECT_TRUE(list->LoadProductImageList()); // rebuilt in memory
    EXPECT_FALSE(list->LoadProductImageList());
    EXPECT_EQ(fBegins, 1);
    EXPECT_EQ(fEnds, 1);
    // The indexes and a file could not be kept together: the next start tries again.
    EXPECT_EQ(ColorRes(), 0);
}

TEST_F(ProductImageListTest, StartUpRebuildsOnlyForAMissingFileOrAnotherDepth) {
    Picture("holz.jpg");
    Add("Dielen", ptPaneel, "A", "holz.jpg");
    ASSERT_TRUE(NewList()->RebuildProductImageList());
    const QByteArray file = ReadBytes(ImgFile());

    struct TCase {
        const char* name;
        int depth;
        std::optional<int> colorRes; // none: not in the store
        bool fileThere;
        bool rebuilds;
        int entries;
        std::optional<int> colorResAfter;
    };
    const TCase cases[] = {
        {"same depth, file there", 24, 24, true, false, 2, 24},
        {"ColorRes missing: taken as current", 24, std::nullopt, true, false, 2, 24},
        {"file missing", 24, 24, false, true, 2, 24},
        {"built for another depth", 24, 15, true, true, 2, 24},
        {"forced by a picture change", 24, 0, true, true, 2, 24},
        {"256 colours: never", 8, 24, false, false, 0, 24},
        {"256 colours, other depth: never", 8, 24, true, false, 0, 24},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        fBegins = 0;
        if (c.colorRes)
            fStore->WriteInteger(kGeneralKey, "ColorRes", *c.colorRes);
        else
            fStore->DeleteValue(kGeneralKey, "ColorRes");
        fStore->Sync();
        if (c.fileThere)
            ASSERT_TRUE(WriteBytes(ImgFile(), file));
        else
            QFile::remove(ImgFile());

        auto list = NewList(c.depth);
        list->InitProductImageList();
        EXPECT_EQ(fBegins, c.rebuilds ? 1 : 0);
        EXPECT_EQ(list->Count(), c.entries);
        EXPECT_EQ(ColorRes(), c.colorResAfter);
    }
}

TEST_F(ProductImageListTest, PictureChangeWarnsOnceAndForcesTheNextRebuild) {
    QStringList& shown = fMessages.Messages;
    struct TCase {
        const char* oldName;
        const char* newName;
        bool warns;
    };
    // Only a-z are compared without regard to case.
    const TCase cases[] = {
        {"holz.jpg", "HOLZ.JPG", false},
        {"holz.jpg", "eiche.jpg", true},
        {"bäume.jpg", "BÄUME.JPG", true},
        {"", "neu.jpg", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.newName);
        shown.clear();
        fStore->WriteInteger(kGeneralKey, "ColorRes", 24);
        auto list = NewList();
        EXPECT_EQ(list->CheckImageRebuild(c.oldName, c.newName), c.warns);
        EXPECT_EQ(ColorRes(), c.warns ? 0 : 24);
        // The warning does not come back before the next rebuild.
        if (c.warns) {
            EXPECT_FALSE(list->CheckImageRebuild("a.jpg", "b.jpg"));
        }
        EXPECT_EQ(shown, c.warns ? QStringList{ImageRebuildWarningText()} : QStringList{});
    }
    EXPECT_EQ(ImageRebuildWarningText(),
              QStringLiteral("Änderungen an Artikelbildern stehen in den Auswahldialogen\r"
                             "erst beim nächsten Programmstart zur Verfügung."));
}

TEST_F(ProductImageListTest, ThumbnailIsTheEntryOnlyForAValidIndexAboveEightBits) {
    Picture("holz.jpg");
    Add("Dielen", ptPaneel, "A", "holz.jpg");
    const TColor blue = RGBColor(0, 0, 255);
    struct TCase {
        int depth;
        std::int32_t index;
        bool entry;
    };
    const TCase cases[] = {
        {24, 1, true},   {24, 0, false}, {24, 2, false}, {24, 99, false},
        {24, -1, false}, {15, 1, true},  {8, 1, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depth << " bit, index " << c.index);
        auto list = NewList(c.depth);
        ASSERT_TRUE(list->RebuildProductImageList());
        ASSERT_EQ(list->Count(), 2);
        const QImage thumb = list->Thumbnail(c.index, blue);
        ASSERT_EQ(thumb.size(), QSize(50, 37));
        if (c.entry) {
            EXPECT_TRUE(SameImage(thumb, list->Image(c.index)));
        } else {
            EXPECT_EQ(thumb.pixel(25, 18), qRgb(0, 0, 255));
            EXPECT_EQ(thumb.pixel(0, 0), qRgb(128, 128, 128));
            EXPECT_EQ(thumb.pixel(49, 36), qRgb(128, 128, 128));
            EXPECT_EQ(thumb.pixel(1, 1), qRgb(0, 0, 255));
        }
    }
}

} // namespace
