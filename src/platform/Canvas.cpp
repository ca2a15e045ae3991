#include "platform/Canvas.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

QColor ToQColor(TColor color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    return RGBColor(color.red(), color.green(), color.blue());
}

QPen ToQPen(const TPen& pen) {
    if (pen.Style == TPenStyle::psClear) return QPen(Qt::NoPen);
    QPen q(ToQColor(pen.Color));
    const bool cosmetic = pen.Width <= 1;
    if (cosmetic) {
        q.setCosmetic(true);
        q.setWidth(1);
    } else {
        q.setWidth(pen.Width);
    }
    switch (pen.Cap) {
    case TPenCap::pcRound:
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
        break;
    case TPenCap::pcSquare:
        q.setCapStyle(Qt::SquareCap);
        q.setJoinStyle(Qt::MiterJoin);
        break;
    case TPenCap::pcFlat:
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::MiterJoin);
        break;
    }
    if (!pen.DashPattern.empty()) {
        // QPen measures dashes in pen widths; ours are logical units.
        const double unit = cosmetic ? 1.0 : double(pen.Width);
        QList<qreal> dashes;
        for (int entry : pen.DashPattern)
            dashes.append(std::max(entry, 1) / unit);
        if (dashes.size() % 2 != 0) dashes.append(dashes.back());
        q.setDashPattern(dashes);
        return q;
    }
    switch (pen.Style) {
    case TPenStyle::psDash:
        q.setStyle(Qt::DashLine);
        break;
    case TPenStyle::psDot:
        q.setStyle(Qt::DotLine);
        break;
    case TPenStyle::psDashDot:
        q.setStyle(Qt::DashDotLine);
        break;
    case TPenStyle::psDashDotDot:
        q.setStyle(Qt::DashDotDotLine);
        break;
    default:
        q.setStyle(Qt::SolidLine);
        break;
    }
    return q;
}

QBrush ToQBrush(const TBrush& brush) {
    const QColor c = ToQColor(brush.Color);
    switch (brush.Style) {
    case TBrushStyle::bsSolid:
        return QBrush(c, Qt::SolidPattern);
    case TBrushStyle::bsClear:
        return QBrush(Qt::NoBrush);
    case TBrushStyle::bsHorizontal:
        return QBrush(c, Qt::HorPattern);
    case TBrushStyle::bsVertical:
        return QBrush(c, Qt::VerPattern);
    case TBrushStyle::bsFDiagonal:
        return QBrush(c, Qt::FDiagPattern);
    case TBrushStyle::bsBDiagonal:
        return QBrush(c, Qt::BDiagPattern);
    case TBrushStyle::bsCross:
        return QBrush(c, Qt::CrossPattern);
    case TBrushStyle::bsDiagCross:
        return QBrush(c, Qt::DiagCrossPattern);
    }
    return QBrush(c);
}

namespace {

int Coord(std::int64_t v) {
    // Logical coordinates beyond the 32-bit range cannot be drawn; clamp instead of wrapping.
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2,
                                        std::numeric_limits<int>::max() / 2));
}

QPolygon ToQPolygon(const std::vector<QPoint>& points) {
    QPolygon poly;
    poly.reserve(qsizetype(points.size()));
    for (const QPoint& p : points)
        poly.append(p);
    return poly;
}

} // namespace

TCanvas::TCanvas(QPainter& painter, IPictureSource* pictures)
    : fPainter(painter), fPictures(pictures) {}

void TCanvas::ApplyPenAndBrush() {
    fPainter.setPen(ToQPen(Pen));
    fPainter.setBrush(ToQBrush(Brush));
}

void TCanvas::MoveTo(std::int64_t x, std::int64_t y) {
    fPenPos = QPoint(Coord(x), Coord(y));
}

void TCanvas::LineTo(std::int64_t x, std::int64_t y) {
    const QPoint to(Coord(x), Coord(y));
    ApplyPenAndBrush();
    fPainter.drawLine(fPenPos, to);
    fPenPos = to;
}

void TCanvas::Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TCanvas::Polygon(const std::vector<QPoint>& points) {
    if (points.empty()) return;
    ApplyPenAndBrush();
    fPainter.drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
}

void TCanvas::PolyPolygon(const std::vector<std::vector<QPoint>>& rings) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const auto& ring : rings) {
        if (ring.empty()) continue;
        path.addPolygon(QPolygonF(ToQPolygon(ring)));
        path.closeSubpath();
    }
    if (path.isEmpty()) return;
    ApplyPenAndBrush();
    fPainter.drawPath(path);
}

void TCanvas::Polyline(const std::vector<QPoint>& points) {
    if (points.size() < 2) return;
    ApplyPenAndBrush();
    fPainter.drawPolyline(ToQPolygon(points));
}

void TCanvas::Rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    Polygon({QPoint(Coord(x1), Coord(y1)), QPoint(Coord(x2), Coord(y1)),
             QPoint(Coord(x2), Coord(y2)), QPoint(Coord(x1), Coord(y2))});
}

void TCanvas::Ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    ApplyPenAndBrush();
    fPainter.drawEllipse(
        QRect(QPoint(Coord(x1), Coord(y1)), QPoint(Coord(x2), Coord(y2))).normalized());
}

void TCanvas::Pie(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                  std::int64_t x3, std::int64_t y3, std::int64_t x4, std::int64_t y4) {
    const QRect box =
        QRect(QPoint(Coord(x1), Coord(y1)), QPoint(Coord(x2), Coord(y2))).normalized();
    const QPointF c = QRectF(box).center();
    // Qt counts angles counter-clockwise on screen, with y pointing down: hence -dy.
    const auto angle = [&](std::int64_t x, std::int64_t y) {
        return std::atan2(-(double(Coord(y)) - c.y()), double(Coord(x)) - c.x()) * 180 /
               std::numbers::pi;
    };
    const double start = angle(x3, y3);
    double span = angle(x4, y4) - start;
    if (span <= 0) span += 360; // equal rays: the whole ellipse, as the pie of a full turn
    ApplyPenAndBrush();
    fPainter.drawPie(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
}

void TCanvas::TextRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                       const QString& text) {
    QFont font(Font.Name);
    font.setPixelSize(std::max(1, Font.Height));
    fPainter.setFont(font);
    fPainter.setPen(QPen(ToQColor(Font.Color)));
    const QRect box =
        QRect(QPoint(Coord(x1), Coord(y1)), QPoint(Coord(x2), Coord(y2))).normalized();
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    fPainter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines);
}

void TCanvas::TextOut(std::int64_t x, std::int64_t y, const QString& text) {
    fPainter.setPen(QPen(ToQColor(Pen.Color)));
    // Top-left reference point, as the plan's text positions are given.
    const QFontMetrics fm = fPainter.fontMetrics();
    fPainter.drawText(QPoint(Coord(x), Coord(y) + fm.ascent()), text);
}

void TCanvas::SetClipPath(const QPainterPath& path) {
    if (path.isEmpty()) {
        ClearClip();
        return;
    }
    QPainterPath p = path;
    p.setFillRule(Qt::OddEvenFill);
    fPainter.setClipPath(p, Qt::ReplaceClip);
}

void TCanvas::ClearClip() {
    fPainter.setClipping(false);
}

void TCanvas::IntersectClipPath(const QPainterPath& path) {
    QPainterPath p = path;
    p.setFillRule(Qt::OddEvenFill);
    fPainter.setClipPath(p, fPainter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

bool TCanvas::HasClip() const {
    return fPainter.hasClipping();
}

QPainterPath TCanvas::ClipPath() const {
    return fPainter.hasClipping() ? fPainter.clipPath() : QPainterPath();
}

void TCanvas::StretchDraw(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                          const QImage& image) {
    if (image.isNull() || x2 <= x1 || y2 <= y1) return;
    const QRect target(QPoint(Coord(x1), Coord(y1)), QPoint(Coord(x2) - 1, Coord(y2) - 1));
    fPainter.drawImage(target, image);
}
