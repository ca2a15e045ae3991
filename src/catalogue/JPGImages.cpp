#include "catalogue/JPGImages.h"

#include "platform/Canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

QString FindFileInFolder(const QString& Folder, const QString& FileName) {
    if (Folder.isEmpty() || FileName.isEmpty()) return QString();
    // Names come from catalogue files: a name with a path in it is not a picture of the folder.
    if (FileName.contains(QLatin1Char('/')) || FileName.contains(QLatin1Char('\\')) ||
        FileName == QLatin1String("..") || FileName == QLatin1String("."))
        return QString();
    const QDir dir(Folder);
    const QString exact = dir.filePath(FileName);
    if (QFileInfo(exact).isFile()) return exact;
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(FileName, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return QString();
}

void TImageCache::SetImagePath(const QString& Folder) {
    if (Folder == fImagePath) return;
    fImagePath = Folder;
    Clear();
}

void TImageCache::SetColorDepth(int Bits) {
    if (Bits == fColorDepth) return;
    fColorDepth = Bits;
    Clear();
}

QImage TImageCache::Convert(const QImage& Image) const {
    if (fColorDepth > 16) return Image.convertToFormat(QImage::Format_RGB32);
    if (fColorDepth > 8) return Image.convertToFormat(QImage::Format_RGB16);
    return Image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

const QImage* TImageCache::GetImage(const QString& ImageFileName) {
    if (ImageFileName.isEmpty()) return nullptr;
    auto it = fImages.find(ImageFileName);
    if (it != fImages.end()) return it->second.get();
    std::unique_ptr<QImage> image;
    const QString path = FindFileInFolder(fImagePath, ImageFileName);
    if (!path.isEmpty()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        QImage decoded = reader.read();
        if (!decoded.isNull()) image = std::make_unique<QImage>(Convert(decoded));
    }
    const QImage* result = image.get();
    fImages.emplace(ImageFileName, std::move(image));
    return result;
}

void TImageCache::Clear() {
    fImages.clear();
}

void TImageCache::PrintBitMap(TCanvas& Canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                              std::int64_t y2, const QImage& Image) {
    Canvas.StretchDraw(x1, y1, x2, y2, Image.convertToFormat(QImage::Format_RGB32));
}
