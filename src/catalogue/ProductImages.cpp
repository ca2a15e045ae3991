#include "catalogue/ProductImages.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/JPGImages.h"
#include "catalogue/Products.h"
#include "platform/AppSettings.h"
#include "platform/MessageSink.h"
#include "platform/SettingsStore.h"
#include "platform/TextFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>

#include <optional>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kHeaderSize = kFileHeaderSize + kInfoHeaderSize;
constexpr int kRowBytes = (kProductImageWidth * 3 + 3) & ~3;
constexpr int kPixelBytes = kRowBytes * kProductImageHeight;

const QString kColorRes = QStringLiteral("ColorRes");

void PutU16(QByteArray& bytes, int at, std::uint32_t value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

void PutU32(QByteArray& bytes, int at, std::uint32_t value) {
    PutU16(bytes, at, value & 0xFFFF);
    PutU16(bytes, at + 2, value >> 16);
}

std::uint32_t GetU16(const QByteArray& bytes, int at) {
    return std::uint32_t(std::uint8_t(bytes[at])) |
           (std::uint32_t(std::uint8_t(bytes[at + 1])) << 8);
}

std::uint32_t GetU32(const QByteArray& bytes, int at) {
    return GetU16(bytes, at) | (GetU16(bytes, at + 2) << 16);
}

std::int32_t GetI32(const QByteArray& bytes, int at) {
    return static_cast<std::int32_t>(GetU32(bytes, at));
}

bool Fail(QString* Error, const QString& why) {
    if (Error) *Error = why;
    return false;
}

QImage FramedBox(TColor fill) {
    QImage image(kProductImageWidth, kProductImageHeight, QImage::Format_RGB32);
    image.fill(ToQColor(fill));
    const QRgb frame = ToQColor(kProductImageFrameColor).rgb();
    for (int x = 0; x < kProductImageWidth; ++x) {
        image.setPixel(x, 0, frame);
        image.setPixel(x, kProductImageHeight - 1, frame);
    }
    for (int y = 0; y < kProductImageHeight; ++y) {
        image.setPixel(0, y, frame);
        image.setPixel(kProductImageWidth - 1, y, frame);
    }
    return image;
}

// End of the progress whatever way the rebuild leaves: the window is never left disabled.
class TProgressScope {
public:
    TProgressScope(const TImageRebuildProgress& progress, int maximum) : fProgress(progress) {
        if (fProgress.Begin) fProgress.Begin(ImageRebuildHintText(), maximum);
    }
    ~TProgressScope() {
        if (fProgress.End) fProgress.End();
    }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;
    void Step(int position) const {
        if (fProgress.Step) fProgress.Step(position);
    }

private:
    const TImageRebuildProgress& fProgress;
};

class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : fFlag(flag) { fFlag = true; }
    ~TFlagScope() { fFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& fFlag;
};

// Passes every error on and remembers that there was one.
class TCountingReporter : public TCatalogueReporter {
public:
    explicit TCountingReporter(TCatalogueReporter& target) : fTarget(target) {}
    void ShowError(const TCatalogueError& error) override {
        ++Count;
        fTarget.ShowError(error);
    }
    TErrorAnswer AskAbortIgnore(const TCatalogueError& error) override {
        ++Count;
        return fTarget.AskAbortIgnore(error);
    }
    int Count = 0;

private:
    TCatalogueReporter& fTarget;
};

bool IsBoardType(std::int32_t typ) {
    return typ >= ptProfilholz && typ <= ptParkett;
}

// The entry as the screen shows it: a high-colour screen keeps 5 bits per channel.
QImage AtDepth(const QImage& image, int depth) {
    if (depth > 8 && depth <= 15)
        return image.convertToFormat(QImage::Format_RGB555).convertToFormat(QImage::Format_RGB32);
    return image;
}

} // namespace

QImage EmptyProductImage() {
    return FramedBox(RGBColor(255, 255, 255));
}

QImage ColorProductImage(TColor Color) {
    return FramedBox(Color);
}

QByteArray EncodeProductBitmap(const QImage& Image) {
    const QImage image = Image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes(kHeaderSize + kPixelBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, std::uint32_t(bytes.size())); // bfSize
    PutU32(bytes, 10, kHeaderSize);                // bfOffBits
    PutU32(bytes, 14, kInfoHeaderSize);            // biSize
    PutU32(bytes, 18, kProductImageWidth);
    PutU32(bytes, 22, kProductImageHeight); // positive: bottom-up
    PutU16(bytes, 26, 1);                   // planes
    PutU16(bytes, 28, 24);                  // bits per pixel
    PutU32(bytes, 30, 0);                   // BI_RGB
    PutU32(bytes, 34, kPixelBytes);
    for (int row = 0; row < kProductImageHeight; ++row) {
        const int y = kProductImageHeight - 1 - row;
        int at = kHeaderSize + row * kRowBytes;
        for (int x = 0; x < kProductImageWidth; ++x) {
            const QRgb pixel =
                x < image.width() && y < image.height() ? image.pixel(x, y) : qRgb(255, 255, 255);
            bytes[at++] = char(qBlue(pixel));
            bytes[at++] = char(qGreen(pixel));
            bytes[at++] = char(qRed(pixel));
        }
    }
    return bytes;
}

bool ReadProductBitmap(QIODevice& Device, QImage& Image, QString* Error) {
    const qint64 left = Device.size() - Device.pos();
    if (left < kHeaderSize) return Fail(Error, QStringLiteral("Eintrag unvollständig"));
    const QByteArray header = Device.read(kHeaderSize);
    if (header.size() != kHeaderSize) return Fail(Error, QStringLiteral("Eintrag nicht lesbar"));
    if (header[0] != 'B' || header[1] != 'M') return Fail(Error, QStringLiteral("keine Bitmap"));
    const std::uint32_t fileSize = GetU32(header, 2);
    const std::uint32_t offBits = GetU32(header, 10);
    const std::uint32_t infoSize = GetU32(header, 14);
    const std::int32_t width = GetI32(header, 18);
    const std::int32_t height = GetI32(header, 22);
    const std::uint32_t planes = GetU16(header, 26);
    const std::uint32_t bits = GetU16(header, 28);
    const std::uint32_t compression = GetU32(header, 30);
    if (infoSize != kInfoHeaderSize || planes != 1 || bits != 24 || compression != 0)
        return Fail(Error, QStringLiteral("Bitmapformat nicht unterstützt"));
    if (width != kProductImageWidth ||
        (height != kProductImageHeight && height != -kProductImageHeight))
        return Fail(Error, QStringLiteral("Bildgröße %1 x %2").arg(width).arg(height));
    // Every size announced must agree with the layout and with what the file still holds.
    if (offBits != kHeaderSize || fileSize != std::uint32_t(kHeaderSize + kPixelBytes))
        return Fail(Error, QStringLiteral("Größenangaben stimmen nicht"));
    if (left < qint64(fileSize)) return Fail(Error, QStringLiteral("Eintrag abgeschnitten"));
    const QByteArray pixels = Device.read(kPixelBytes);
    if (pixels.size() != kPixelBytes) return Fail(Error, QStringLiteral("Eintrag abgeschnitten"));

    QImage image(kProductImageWidth, kProductImageHeight, QImage::Format_RGB32);
    for (int row = 0; row < kProductImageHeight; ++row) {
        const int y = height > 0 ? kProductImageHeight - 1 - row : row;
        const char* p = pixels.constData() + row * kRowBytes;
        for (int x = 0; x < kProductImageWidth; ++x, p += 3)
            image.setPixel(x, y, qRgb(std::uint8_t(p[2]), std::uint8_t(p[1]), std::uint8_t(p[0])));
    }
    Image = image;
    return true;
}

bool WriteProductImageFile(const QString& Path, const std::vector<QImage>& Images) {
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const QImage& image : Images) {
        const QByteArray bytes = EncodeProductBitmap(image);
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

bool ReadProductImageFile(const QString& Path, std::vector<QImage>& Images, QString* Error) {
    Images.clear();
    QFile file(Path);
    if (!QFileInfo(Path).isFile() || !file.open(QIODevice::ReadOnly))
        return Fail(Error, QStringLiteral("Datei fehlt"));
    std::vector<QImage> read;
    while (!file.atEnd()) {
        QImage image;
        QString why;
        if (!ReadProductBitmap(file, image, &why))
            return Fail(Error, QStringLiteral("Eintrag %1: %2").arg(read.size()).arg(why));
        read.push_back(std::move(image));
    }
    // Entry 0 always exists: an empty file is damaged.
    if (read.empty()) return Fail(Error, QStringLiteral("Datei leer"));
    Images = std::move(read);
    return true;
}

int CurrentColorDepth() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return NormalizedColorDepth(screen->depth());
    return 24;
}

QString ImageRebuildWarningText() {
    return QStringLiteral("Änderungen an Artikelbildern stehen in den Auswahldialogen\r"
                          "erst beim nächsten Programmstart zur Verfügung.");
}

QString ImageRebuildHintText() {
    return QStringLiteral("Produktbilder komprimieren.");
}

// ---------------------------------------------------------------------------------------------
// TProductImageList

TProductImageList::TProductImageList() = default;
TProductImageList::~TProductImageList() = default;

void TProductImageList::SetEnvironment(const TProductImageEnvironment& Environment) {
    fEnv = Environment;
    fEnv.ColorDepth = NormalizedColorDepth(fEnv.ColorDepth);
}

QString TProductImageList::FileName() const {
    return fEnv.ProductPath.isEmpty() ? QString()
                                      : QDir(fEnv.ProductPath).filePath(kProductImageFileName);
}

std::int64_t TProductImageList::StoredColorRes() const {
    if (fEnv.Store == nullptr) return fEnv.ColorDepth;
    // A missing value counts as the current depth (the start-up writes it so).
    return fEnv.Store->ReadInteger(kGeneralKey, kColorRes).value_or(fEnv.ColorDepth);
}

QImage TProductImageList::ArticleImage(const TProduct& Product, const QString& Path) const {
    QImage work(kProductImageWidth, kProductImageHeight, QImage::Format_RGB32);
    work.fill(Qt::white);
    QPainter painter(&work);
    if (Product.Typ == ptModul) {
        if (fModuleDrawer) {
            try {
                fModuleDrawer(painter, work.size(), Product, Path);
            } catch (...) {
                // A module that cannot be drawn keeps its white entry.
            }
        }
    } else {
        QImageReader reader(Path);
        reader.setAutoTransform(true);
        const QImage picture = reader.read();
        if (!picture.isNull()) {
            if (IsBoardType(Product.Typ)) {
                // A board shows a cut of its surface at the original size.
                painter.drawImage(QPoint(0, 0), picture);
            } else {
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(work.rect(), picture);
            }
        }
    }
    painter.end();
    return AtDepth(work, fEnv.ColorDepth);
}

bool TProductImageList::RebuildProductImageList() {
    if (fRebuilding || fEnv.Catalogue == nullptr) return false;
    const TFlagScope running(fRebuilding);
    fRebuildDone = true;
    TCatalogue& catalogue = *fEnv.Catalogue;
    const TProgressScope progress(fProgress, catalogue.GroupCount());

    std::vector<QImage> images{EmptyProductImage()};
    QHash<QString, std::int32_t> known; // case-folded path -> entry
    int position = 0;
    for (const auto& group : catalogue.ProductGroups()) {
        for (const auto& product : group->Products.Items()) {
            const QString& folder = product->Typ == ptModul ? fEnv.ElementPath : fEnv.ImagePath;
            // No name, a name with a folder in it and a missing file alike: no picture.
            const QString path = FindFileInFolder(folder, product->ImageFileName.Text());
            if (path.isEmpty()) {
                product->ImageIndex = 0;
                continue;
            }
            const QString key = QFileInfo(path).absoluteFilePath().toCaseFolded();
            const auto found = known.constFind(key);
            if (found != known.constEnd()) {
                product->ImageIndex = *found;
                continue;
            }
            images.push_back(ArticleImage(*product, path));
            product->ImageIndex = std::int32_t(images.size() - 1);
            known.insert(key, product->ImageIndex);
        }
        progress.Step(++position);
    }

    // Indexes and TARV.img only agree when both were written; otherwise the next start
    // builds the list again.
    bool persisted = true;
    if (!fEnv.ProductReadOnly) {
        persisted = !FileName().isEmpty() && WriteProductImageFile(FileName(), images);
        TStderrReporter stderrReporter(TErrorAnswer::Ignore);
        TCountingReporter reporter(fEnv.Reporter ? *fEnv.Reporter : stderrReporter);
        SaveProducts(catalogue, fEnv.ProductPath, reporter);
        if (reporter.Count > 0) persisted = false;
    }
    if (fEnv.Store) {
        fEnv.Store->WriteInteger(kGeneralKey, kColorRes, persisted ? fEnv.ColorDepth : 0);
        fEnv.Store->Sync();
    }
    fImages = std::move(images);
    return true;
}

bool TProductImageList::LoadProductImageList() {
    fImages.clear();
    std::vector<QImage> images;
    if (ReadProductImageFile(FileName(), images)) {
        fImages = std::move(images);
        return true;
    }
    // One automatic rebuild per run: a folder that cannot hold the file must not loop.
    if (!fRebuildDone && !fRebuilding && fEnv.ColorDepth > 8) return RebuildProductImageList();
    return false;
}

void TProductImageList::InitProductImageList() {
    fImages.clear();
    if (fEnv.ColorDepth <= 8) return;
    std::optional<std::int64_t> colorRes;
    if (fEnv.Store) {
        colorRes = fEnv.Store->ReadInteger(kGeneralKey, kColorRes);
        if (!colorRes) {
            fEnv.Store->WriteInteger(kGeneralKey, kColorRes, fEnv.ColorDepth);
            fEnv.Store->Sync();
        }
    }
    if (!QFileInfo(FileName()).isFile() || colorRes.value_or(fEnv.ColorDepth) != fEnv.ColorDepth)
        RebuildProductImageList();
    else
        LoadProductImageList();
}

bool TProductImageList::CheckImageRebuild(const QString& OldName, const QString& NewName) {
    if (UpperCaseAZ(OldName) == UpperCaseAZ(NewName)) return false;
    if (StoredColorRes() != fEnv.ColorDepth) return false;
    if (fEnv.Store) {
        fEnv.Store->WriteInteger(kGeneralKey, kColorRes, 0);
        fEnv.Store->Sync();
    }
    if (fEnv.Messages)
        fEnv.Messages->ShowError(ImageRebuildWarningText());
    else
        TStderrMessageSink().ShowError(ImageRebuildWarningText());
    return true;
}

QImage TProductImageList::Thumbnail(std::int32_t ImageIndex, TColor Color) const {
    // Indexes come from catalogue files and may belong to another list.
    if (fEnv.ColorDepth > 8 && ImageIndex != 0 && IsValidIndex(ImageIndex))
        return Image(ImageIndex);
    return ColorProductImage(Color);
}

QImage TProductImageList::Thumbnail(const TProduct& Product) const {
    return Thumbnail(Product.ImageIndex, Product.Color);
}
