// The module on the canvas and under the mouse: drawing its primitives and elements, its
// extent, hit tests and the test whether it lies in an area.

#include "model/GraphModule.h"

#include "geometry/GPCUtils.h"
#include "model/Shapes.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"

#include <QPoint>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kFrameMode = 128;
constexpr TColor kFramePenColor = RGBColor(128, 128, 128);
constexpr TColor kHatchColor = RGBColor(0, 0, 255);

int Coord(double v) {
    return static_cast<int>(RoundTiesEvenToInt(v));
}

QPoint Point(const TElementPoint& p) {
    return QPoint(Coord(p.x), Coord(p.y));
}

std::vector<QPoint> Points(const TElementDrawItem& item) {
    std::vector<QPoint> points;
    for (const TElementPoint& p : item.Points)
        points.push_back(Point(p));
    return points;
}

// The eight points of a circle that stand for it in extents and area tests.
std::vector<TElementPoint> CirclePoints(const TElementDrawItem& circle) {
    const TElementPoint& c = circle.Points[0];
    const double r = circle.Points[1].x;
    std::vector<TElementPoint> points;
    for (int k = 0; k < 8; ++k) {
        const double a = k * std::numbers::pi / 4;
        points.push_back({c.x + r * std::sin(a), c.y + r * std::cos(a)});
    }
    return points;
}

// An axis-parallel box from two corners in any order: a turned module turns its corners too.
struct TBox {
    double x1, y1, x2, y2;
    bool StrictlyInside(double px, double py) const {
        return px > x1 && px < x2 && py > y1 && py < y2;
    }
};

TBox BoxOf(const TElementPoint& a, const TElementPoint& b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

std::vector<TElementPoint> BoxCorners(const TElementDrawItem& item) {
    const TBox b = BoxOf(item.Points[0], item.Points[1]);
    return {{b.x1, b.y1}, {b.x2, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}};
}

// The points that give a primitive's part of the extent.
std::vector<TElementPoint> ExtentPoints(const TElementDrawItem& item) {
    switch (item.ID) {
    case diPolygon:
    case diPolyline:
    case diRectangle:
    case diEllipse:
        return item.Points;
    case diCircle:
        return CirclePoints(item);
    case diPie:
        return {item.Points.begin(), item.Points.begin() + 4};
    default:
        return {};
    }
}

bool HitsPrimitive(const TElementDrawItem& item, double px, double py) {
    switch (item.ID) {
    case diPolygon: {
        Tgpc_polygon polygon;
        Tgpc_vertex_list ring;
        for (const TElementPoint& p : item.Points)
            ring.vertex.push_back({p.x, p.y});
        polygon.AddContour(ring, false);
        return PointInGPCPolygon(polygon, px, py);
    }
    case diCircle:
        return std::hypot(px - item.Points[0].x, py - item.Points[0].y) < item.Points[1].x;
    case diPie:
    case diEllipse:
        return BoxOf(item.Points[0], item.Points[1]).StrictlyInside(px, py);
    default:
        return false;
    }
}

bool InArea(const TShape& shape, const std::vector<TElementPoint>& points) {
    return std::any_of(points.begin(), points.end(),
                       [&](const TElementPoint& p) { return shape.PointInObject(p.x, p.y); });
}

bool PrimitiveInArea(const TElementDrawItem& item, const TShape& shape) {
    switch (item.ID) {
    case diPolygon: {
        if (InArea(shape, item.Points)) return true;
        const std::size_t n = item.Points.size();
        for (std::size_t i = 0; i < n; ++i) {
            const TElementPoint& a = item.Points[i];
            const TElementPoint& b = item.Points[(i + 1) % n];
            const TVektor side(a.x, a.y, b.x, b.y);
            for (const TVektor& edge : shape.VFrame()) {
                double x = 0, y = 0, f1 = 0, f2 = 0;
                if (side.SchnittpunktLock(edge, x, y, f1, f2)) return true;
            }
        }
        return false;
    }
    case diCircle: {
        std::vector<TElementPoint> points = CirclePoints(item);
        points.push_back(item.Points[0]);
        return InArea(shape, points);
    }
    case diPie:
    case diEllipse:
        return InArea(shape, BoxCorners(item));
    default:
        return false;
    }
}

} // namespace

void TGraphModule::GetExtent(double& x1, double& y1, double& x2, double& y2) const {
    bool any = false;
    const auto take = [&](double a1, double b1, double a2, double b2) {
        if (!any) {
            x1 = a1, y1 = b1, x2 = a2, y2 = b2;
            any = true;
            return;
        }
        x1 = std::min(x1, a1), y1 = std::min(y1, b1);
        x2 = std::max(x2, a2), y2 = std::max(y2, b2);
    };
    for (const TElementDrawItem& item : DrawItemList)
        for (const TElementPoint& p : ExtentPoints(item))
            take(p.x, p.y, p.x, p.y);
    for (const auto& element : ChildElements) {
        double a1 = 0, b1 = 0, a2 = 0, b2 = 0;
        element->GetExtent(a1, b1, a2, b2);
        if (a1 <= a2 && b1 <= b2) take(a1, b1, a2, b2);
    }
    if (!any) x1 = y1 = x2 = y2 = 0;
}

bool TGraphModule::PointInObject(double px, double py) const {
    for (auto it = ChildElements.rbegin(); it != ChildElements.rend(); ++it)
        if ((*it)->PointInObject(px, py)) return true;
    for (auto it = DrawItemList.rbegin(); it != DrawItemList.rend(); ++it)
        if (HitsPrimitive(*it, px, py)) return true;
    return false;
}

TGraphicObject* TGraphModule::ObjectFromPoint(double px, double py) {
    for (auto it = ChildElements.rbegin(); it != ChildElements.rend(); ++it)
        if (TGraphicObject* hit = (*it)->ObjectFromPoint(px, py)) return hit;
    for (auto it = DrawItemList.rbegin(); it != DrawItemList.rend(); ++it)
        if (HitsPrimitive(*it, px, py)) return this;
    return nullptr;
}

bool TGraphModule::IsInShape(const TShape* Shape) const {
    if (Shape == nullptr) return false;
    for (const TElementDrawItem& item : DrawItemList)
        if (PrimitiveInArea(item, *Shape)) return true;
    for (const auto& element : ChildElements)
        if (element->IsInShape(Shape)) return true;
    // An area inside the module: one of its corners lies in the module's box. A covered area
    // has no effective outline to take a corner from.
    const Tgpc_polygon& area = Shape->VPolygon();
    if (area.num_contours() == 0) return false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    GetExtent(x1, y1, x2, y2);
    for (const Tgpc_vertex& v : area.contour[0].vertex)
        if (v.x >= x1 && v.x <= x2 && v.y >= y1 && v.y <= y2) return true;
    return false;
}

void TGraphModule::DrawPrimitives(TCanvas& Canvas, int DrawFlags) const {
    const bool colours = DrawFlags & 0x3;
    for (const TElementDrawItem& item : DrawItemList) {
        switch (item.ID) {
        case diPenColor:
            if ((DrawFlags & 64) || !colours) break;
            if (item.Color != kTransparentColor) {
                Canvas.Pen.Color = item.Color;
                Canvas.Pen.Style = TPenStyle::psSolid;
            } else if (DrawFlags & kFrameMode) {
                Canvas.Pen.Color = kFramePenColor;
                Canvas.Pen.Style = TPenStyle::psSolid;
            } else {
                Canvas.Pen.Style = TPenStyle::psClear;
            }
            break;
        case diBrushColor:
            if (!(DrawFlags & 32) && colours) {
                if (item.Color == kTransparentColor) {
                    Canvas.Brush.Style = TBrushStyle::bsClear;
                } else {
                    Canvas.Brush.Color = item.Color;
                    Canvas.Brush.Style = TBrushStyle::bsSolid;
                }
            }
            if (DrawFlags & 4) Canvas.Brush = TBrush{kHatchColor, TBrushStyle::bsBDiagonal};
            break;
        case diRectangle: {
            const TBox b = BoxOf(item.Points[0], item.Points[1]);
            Canvas.Rectangle(Coord(b.x1), Coord(b.y1), Coord(b.x2), Coord(b.y2));
            break;
        }
        case diPolygon:
            Canvas.Polygon(Points(item));
            break;
        case diCircle: {
            const TElementPoint& c = item.Points[0];
            const double r = item.Points[1].x;
            Canvas.Ellipse(Coord(c.x - r), Coord(c.y - r), Coord(c.x + r), Coord(c.y + r));
            break;
        }
        case diPolyline:
            Canvas.Polyline(Points(item));
            break;
        case diPie: {
            const TBox b = BoxOf(item.Points[0], item.Points[1]);
            Canvas.Pie(Coord(b.x1), Coord(b.y1), Coord(b.x2), Coord(b.y2), Coord(item.Points[2].x),
                       Coord(item.Points[2].y), Coord(item.Points[3].x), Coord(item.Points[3].y));
            break;
        }
        case diEllipse: {
            const TBox b = BoxOf(item.Points[0], item.Points[1]);
            Canvas.Ellipse(Coord(b.x1), Coord(b.y1), Coord(b.x2), Coord(b.y2));
            break;
        }
        default:
            break;
        }
    }
}

void TGraphModule::Draw(TCanvas& Canvas, int DrawFlags) const {
    const TPen pen = Canvas.Pen;
    const TBrush brush = Canvas.Brush;
    if ((DrawFlags & kFrameMode) || !Transparent) DrawPrimitives(Canvas, DrawFlags);
    for (const auto& element : ChildElements)
        element->Draw(Canvas, DrawFlags);
    Canvas.Pen = pen;
    Canvas.Brush = brush;
}

void TGraphModule::DrawFrame(TCanvas& Canvas) const {
    Draw(Canvas, kFrameMode);
}
