#pragma once
// Article pictures: the full-size picture cache that board surfaces and printouts draw from.

#include "platform/Canvas.h"

#include <QImage>
#include <QString>

#include <map>
#include <memory>

class TCanvas;

// Pictures loaded once per file name (as the article holds it) from the image folder and
// converted to the display's colour depth. A picture that cannot be decoded is remembered as
// such, so a broken file is not decoded again on every repaint.
class TImageCache : public IPictureSource {
public:
    void SetImagePath(const QString& Folder);
    const QString& ImagePath() const { return fImagePath; }
    // Bits per pixel the pictures are converted to: above 15 true colour, 15 and 16 high
    // colour, 8 and below a shared 256-colour palette.
    void SetColorDepth(int Bits);
    int ColorDepth() const { return fColorDepth; }

    // The picture, or null when there is none of that name or it cannot be decoded.
    const QImage* GetImage(const QString& ImageFileName);
    const QImage* Picture(const QString& ImageFileName) override { return GetImage(ImageFileName); }
    void Clear();
    int Count() const { return static_cast<int>(fImages.size()); }

    // The picture's pixels stretched into the rectangle of a (printer) canvas.
    static void PrintBitMap(TCanvas& Canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                            std::int64_t y2, const QImage& Image);

private:
    QImage Convert(const QImage& Image) const;

    QString fImagePath;
    int fColorDepth = 24;
    std::map<QString, std::unique_ptr<QImage>> fImages; // null entry: decoding failed
};

// The file of that name in the folder; on a case-sensitive file system a name that differs
// only in letter case is found as well. Empty when there is no such file.
QString FindFileInFolder(const QString& Folder, const QString& FileName);
