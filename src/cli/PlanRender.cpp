#include "cli/PlanRender.h"

#include "catalogue/JPGImages.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"

#include <QPainter>

#include <cmath>

namespace {

// The frame colour of areas that are not selected.
constexpr TColor kFrameColor = RGBColor(96, 96, 96);

// One device pixel wide, whatever the scale.
TPen ThinPen(TColor Color) {
    TPen pen;
    pen.Color = Color;
    pen.Width = 1;
    return pen;
}

std::vector<std::vector<QPoint>> Rings(const TShape& Shape) {
    std::vector<std::vector<QPoint>> rings;
    std::size_t first = 0;
    const std::vector<QPoint>& points = Shape.PolyPoints();
    for (const std::int32_t count : Shape.PolyPointCount()) {
        const std::size_t end = std::min(points.size(), first + std::size_t(count));
        rings.emplace_back(points.begin() + std::ptrdiff_t(first),
                           points.begin() + std::ptrdiff_t(end));
        first = end;
    }
    return rings;
}

std::vector<QPoint> DrawnOutline(const TShape& Shape) {
    std::vector<QPoint> points;
    for (const Tgpc_vertex& v : Shape.Outline().vertex)
        points.emplace_back(int(RoundTiesEvenToInt(v.x)), int(RoundTiesEvenToInt(v.y)));
    return points;
}

void DrawArea(TCanvas& Canvas, const TShape& Shape, int DrawFlags) {
    const std::vector<std::vector<QPoint>> rings = Rings(Shape);
    const bool closed = Shape.Closed() && !rings.empty();
    Canvas.ClearClip();
    Canvas.Pen = ThinPen(kFrameColor);
    if (closed) {
        Canvas.Brush = TBrush{Shape.Color(), TBrushStyle::bsSolid};
        Canvas.PolyPolygon(rings);
    }

    Canvas.SetClipPath(Shape.ClipPath()); // an open area has none: nothing to clip to
    for (const TGraphicObjectList& layer : Shape.Layers())
        for (const auto& object : layer) {
            // Draw code changes pen and brush; every object starts from the same state.
            Canvas.Pen = ThinPen(RGBColor(0, 0, 0));
            Canvas.Brush = TBrush{};
            object->Draw(Canvas, DrawFlags);
        }
    Canvas.ClearClip();

    // The contour on top, so boards along the edge do not hide it.
    Canvas.Pen = ThinPen(kFrameColor);
    Canvas.Brush = TBrush{0, TBrushStyle::bsClear};
    if (closed) {
        Canvas.PolyPolygon(rings);
    } else {
        std::vector<QPoint> outline = DrawnOutline(Shape);
        Canvas.Polyline(outline);
    }
}

} // namespace

QImage RenderPlan(const TPlanDocument& Document, double PxPerMetre, TImageCache* Pictures,
                  const std::function<void(TCanvas&)>& Overlay) {
    if (!std::isfinite(PxPerMetre) || PxPerMetre <= 0) return QImage();
    double x1, y1, x2, y2;
    TPlanDocument::InitExtentRect(x1, y1, x2, y2);
    Document.GetShapesExtentRect(x1, y1, x2, y2);
    TPlanDocument::GetExtentRect(Document.CommonModulList, x1, y1, x2, y2);
    TPlanDocument::GetExtentRect(Document.TextList, x1, y1, x2, y2);
    if (x1 > x2 || y1 > y2) x1 = y1 = x2 = y2 = 0; // no areas: just the margin

    const double scale = PxPerMetre / 100; // pixels per model unit (cm)
    const double width = std::ceil((x2 - x1) * scale) + 2 * kRenderMargin + 1;
    const double height = std::ceil((y2 - y1) * scale) + 2 * kRenderMargin + 1;
    if (!(width <= kMaxRenderSide && height <= kMaxRenderSide)) return QImage();

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(kRenderMargin - x1 * scale, kRenderMargin - y1 * scale);
    painter.scale(scale, scale);
    const bool images = Pictures != nullptr && !Pictures->ImagePath().isEmpty();
    TCanvas canvas(painter, images ? Pictures : nullptr);
    const int flags = images ? TGraphPaneel::dfImage : TGraphPaneel::dfFill;
    // Lower areas first: later ones lie above them; free modules and text boxes on top.
    for (const auto& shape : Document.ShapeList)
        DrawArea(canvas, *shape, flags);
    canvas.ClearClip();
    for (const TGraphicObjectList* list : {&Document.CommonModulList, &Document.TextList})
        for (const auto& object : *list) {
            canvas.Pen = ThinPen(RGBColor(0, 0, 0));
            canvas.Brush = TBrush{};
            object->Draw(canvas, TGraphPaneel::dfFill);
        }
    if (Overlay) {
        canvas.ClearClip();
        Overlay(canvas);
    }
    painter.end();
    return image;
}
