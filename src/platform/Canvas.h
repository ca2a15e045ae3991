#pragma once
// Drawing surface of the plan: pens, brushes, lines, polygons, text and clipping in integer
// logical coordinates, mapped onto a QPainter. The painter's transform is the map mode
// (logical units to device pixels); everything here speaks logical units.

#include <QPainterPath>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;
class QPen;
class QBrush;
class QColor;
class QImage;

// Colours as stored in plan and catalogue files: 0x00BBGGRR.
using TColor = std::uint32_t;
constexpr TColor RGBColor(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenCap { pcRound, pcSquare, pcFlat };

struct TPen {
    TColor Color = 0;
    // Logical units. A width of 0 or 1 draws a cosmetic line one device pixel wide.
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    // A geometric pen with a user dash pattern (on, off, ... in logical units); only used when
    // not empty. Every entry is at least 1.
    std::vector<int> DashPattern;
    TPenCap Cap = TPenCap::pcRound;

    bool operator==(const TPen&) const = default;
};

enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

struct TBrush {
    TColor Color = RGBColor(255, 255, 255);
    TBrushStyle Style = TBrushStyle::bsSolid;

    bool operator==(const TBrush&) const = default;
};

QPen ToQPen(const TPen& pen);
QBrush ToQBrush(const TBrush& brush);

// Where a canvas finds the pictures objects are drawn with (board surfaces): the program's
// picture cache, or none.
class IPictureSource {
public:
    virtual ~IPictureSource() = default;
    // Null when there is no picture of that name or it cannot be decoded.
    virtual const QImage* Picture(const QString& FileName) = 0;
};

// The font text is drawn with; Height is the character height in logical units.
struct TFont {
    QString Name = QStringLiteral("Arial");
    TColor Color = 0;
    int Height = 12;

    bool operator==(const TFont&) const = default;
};

class TCanvas {
public:
    explicit TCanvas(QPainter& painter, IPictureSource* pictures = nullptr);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    void MoveTo(std::int64_t x, std::int64_t y);
    void LineTo(std::int64_t x, std::int64_t y);
    void Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    // Filled with Brush, outlined with Pen.
    void Polygon(const std::vector<QPoint>& points);
    // Several rings filled together with the even-odd rule.
    void PolyPolygon(const std::vector<std::vector<QPoint>>& rings);
    void Polyline(const std::vector<QPoint>& points);
    void Rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    // The ellipse in the box (x1, y1)-(x2, y2), filled with Brush, outlined with Pen.
    void Ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    // The pie of the ellipse in the box (x1, y1)-(x2, y2) from the ray towards (x3, y3) to the
    // ray towards (x4, y4), counter-clockwise on screen (y points down).
    void Pie(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t x3,
             std::int64_t y3, std::int64_t x4, std::int64_t y4);
    void TextOut(std::int64_t x, std::int64_t y, const QString& text);
    // The text in Font, word-wrapped into the box, aligned left and top; line breaks in the
    // text start new lines.
    void TextRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                  const QString& text);

    // Later drawing is limited to the inside of the path (even-odd); an empty path removes it.
    void SetClipPath(const QPainterPath& path);
    // Limits the current clip further to the inside of the path.
    void IntersectClipPath(const QPainterPath& path);
    void ClearClip();
    bool HasClip() const;
    QPainterPath ClipPath() const;

    // The picture stretched over the rectangle (logical units, right and bottom exclusive).
    void StretchDraw(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                     const QImage& image);

    QPainter& Painter() { return fPainter; }
    // Null: objects are drawn without their pictures.
    IPictureSource* Pictures() const { return fPictures; }

private:
    void ApplyPenAndBrush();

    QPainter& fPainter;
    IPictureSource* fPictures;
    QPoint fPenPos;
};
