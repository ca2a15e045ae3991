#pragma once
// The product picture list: the small thumbnails (50 x 37) that article lists show, kept in
// "TARV.img" in the catalogue folder and rebuilt from the picture files when needed. An
// article's ImageIndex is its entry; entry 0 is the white box of articles without picture, and
// articles whose picture files are the same share one entry.
//
// "TARV.img" holds the entries in order, each a complete 24-bit bottom-up BMP file (file
// header, information header, rows), nothing before or between them. Its sizes are checked
// against the bytes left before anything is read, so a damaged file fails cleanly.

#include "platform/Canvas.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;
class QPainter;
class TCatalogue;
class TCatalogueReporter;
class TProduct;
class TSettingsStore;
class IMessageSink;

constexpr int kProductImageWidth = 50;
constexpr int kProductImageHeight = 37;
inline const QString kProductImageFileName = QStringLiteral("TARV.img");
// Frame of entry 0 and of the colour boxes.
constexpr TColor kProductImageFrameColor = RGBColor(128, 128, 128);

// Entry 0: white with a grey frame.
QImage EmptyProductImage();
// A colour box: the colour with the grey frame.
QImage ColorProductImage(TColor Color);

// One entry as a BMP file (54 header bytes, then 37 rows of 152 bytes, the bottom row first).
// `Image` must be 50 x 37.
QByteArray EncodeProductBitmap(const QImage& Image);
// Reads one entry at the device's position. False (with the reason) when the bytes are not an
// entry of the list: a size, dimension or format that is not ours, or fewer bytes left than
// the headers announce. On failure the position is undefined.
bool ReadProductBitmap(QIODevice& Device, QImage& Image, QString* Error = nullptr);

// The whole file; false when it cannot be written completely (an earlier file stays).
bool WriteProductImageFile(const QString& Path, const std::vector<QImage>& Images);
// Every entry of the file; false when it is missing, empty or damaged (Images then empty).
bool ReadProductImageFile(const QString& Path, std::vector<QImage>& Images,
                          QString* Error = nullptr);

// The display's colour depth in bits per pixel, any value above 15 recorded as 24: the primary
// screen's when a GUI application runs, else 24.
int CurrentColorDepth();
inline int NormalizedColorDepth(int Bits) {
    return Bits > 15 ? 24 : Bits;
}

// What the window shows while the list is rebuilt: Begin (the hint text, a progress dialog
// with one step per group, wait cursor, main window disabled), Step after each group, End
// (everything restored). End follows every Begin, also when the rebuild fails.
struct TImageRebuildProgress {
    std::function<void(const QString& Hint, int Maximum)> Begin;
    std::function<void(int Position)> Step;
    std::function<void()> End;
};

// Draws a module article's thumbnail from its module script into the work bitmap (white
// already), with the same scale in x and y, centred, its extent (at least 50 x 37 units)
// filling the bitmap. Failures are the drawer's to swallow; an exception is ignored as well.
// Empty until module scripts can be read: modules then keep a white entry of their own.
using TModuleThumbnailDrawer = std::function<void(
    QPainter& Painter, const QSize& Size, const TProduct& Module, const QString& ScriptPath)>;

// Where the list comes from and where it is kept.
struct TProductImageEnvironment {
    TCatalogue* Catalogue = nullptr;
    TSettingsStore* Store = nullptr; // ColorRes under the General key
    QString ProductPath;             // catalogue folder: TARV.img and the catalogue files
    QString ImagePath;               // article pictures
    QString ElementPath;             // module scripts
    // The catalogue must not be written: neither its files nor TARV.img change, the new
    // indexes live in memory for this run.
    bool ProductReadOnly = false;
    int ColorDepth = 24;
    TCatalogueReporter* Reporter = nullptr; // failures saving the catalogue; null: stderr
    IMessageSink* Messages = nullptr;       // the rebuild warning; null: stderr
};

// The warning CheckImageRebuild shows.
QString ImageRebuildWarningText();
// The application hint during a rebuild.
QString ImageRebuildHintText();

class TProductImageList {
public:
    TProductImageList();
    ~TProductImageList();
    TProductImageList(const TProductImageList&) = delete;
    TProductImageList& operator=(const TProductImageList&) = delete;

    void SetEnvironment(const TProductImageEnvironment& Environment);
    const TProductImageEnvironment& Environment() const { return fEnv; }
    void SetProgress(TImageRebuildProgress Progress) { fProgress = std::move(Progress); }
    void SetModuleDrawer(TModuleThumbnailDrawer Drawer) { fModuleDrawer = std::move(Drawer); }

    int Count() const { return static_cast<int>(fImages.size()); }
    bool IsValidIndex(std::int32_t Index) const { return Index >= 0 && Index < Count(); }
    const QImage& Image(int Index) const { return fImages.at(static_cast<size_t>(Index)); }
    void Clear() { fImages.clear(); }
    QString FileName() const;

    // Builds the list anew from the catalogue: every article gets its ImageIndex, TARV.img and
    // the catalogue are written (unless read-only), ColorRes records the depth, and the list
    // holds the new entries. False when a rebuild is already running or there is no catalogue.
    bool RebuildProductImageList();
    // Reads TARV.img into the list. A missing or damaged file starts a rebuild, but only when
    // none has run in this process yet: otherwise the list stays empty (colour boxes).
    bool LoadProductImageList();
    // The rule after the catalogue was loaded at start-up: nothing at 8 bits or fewer;
    // otherwise a rebuild when TARV.img is missing or ColorRes differs from the depth, else a
    // load. A missing ColorRes is taken as the current depth and written.
    void InitProductImageList();
    // After an article's picture name changed (a-z compared in upper case): when ColorRes
    // still equals the depth, ColorRes := 0 so the next start rebuilds, and the warning is
    // shown. True when it warned.
    bool CheckImageRebuild(const QString& OldName, const QString& NewName);

    // What an article list shows: the list entry when the depth is above 8 bits and the index
    // is a valid entry other than 0, else the colour box.
    QImage Thumbnail(std::int32_t ImageIndex, TColor Color) const;
    QImage Thumbnail(const TProduct& Product) const;

    // Whether a rebuild ran in this process (the automatic one happens at most once).
    bool RebuildDone() const { return fRebuildDone; }

private:
    QImage ArticleImage(const TProduct& Product, const QString& Path) const;
    std::int64_t StoredColorRes() const;

    TProductImageEnvironment fEnv;
    TImageRebuildProgress fProgress;
    TModuleThumbnailDrawer fModuleDrawer;
    std::vector<QImage> fImages;
    bool fRebuildDone = false;
    bool fRebuilding = false;
};
