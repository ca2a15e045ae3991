#include "model/GraphText.h"

#include "geometry/Vektors.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <cmath>

namespace {

constexpr int kTextRecordVersion = 1;

} // namespace

TGraphText::TGraphText() {
    Tgpc_vertex_list corners;
    corners.vertex.resize(4);
    Polygon.AddContour(corners, false);
    SetBox(0, 0, 120, 40);
    Color = kDefaultColor;
}

void TGraphText::SetBox(double x1, double y1, double x2, double y2) {
    Polygon.contour[0].vertex = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

void TGraphText::ReadData(TReader& Reader) {
    TGraphicObject::ReadData(Reader);
    const int version = Reader.ReadInteger();
    const std::int32_t typ = Reader.ReadInteger();
    Typ = typ;
    // Only this version carries the box; others end after the type.
    if (version != kTextRecordVersion) return;
    std::vector<Tgpc_vertex> corners(4);
    for (Tgpc_vertex& p : corners) {
        p.x = Reader.ReadRawDouble();
        p.y = Reader.ReadRawDouble();
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            throw EReadError("Ungültige Koordinate eines Textfelds");
    }
    const QString text = Reader.ReadString();
    TFont font;
    font.Name = Reader.ReadString();
    font.Color = static_cast<TColor>(Reader.ReadInteger());
    font.Height = Reader.ReadInteger();
    const std::int32_t fontHeight = Reader.ReadInteger();
    Polygon.contour[0].vertex = std::move(corners);
    Text = text;
    Font = font;
    FontHeight = fontHeight;
}

void TGraphText::WriteData(TWriter& Writer) const {
    TGraphicObject::WriteData(Writer);
    Writer.WriteInteger(kTextRecordVersion);
    Writer.WriteInteger(Typ);
    for (const Tgpc_vertex& p : Polygon.contour[0].vertex) {
        Writer.WriteRawDouble(p.x);
        Writer.WriteRawDouble(p.y);
    }
    Writer.WriteString(Text);
    Writer.WriteString(Font.Name);
    Writer.WriteInteger(static_cast<std::int32_t>(Font.Color));
    Writer.WriteInteger(Font.Height);
    Writer.WriteInteger(FontHeight);
}

void TGraphText::GetExtent(double& x1, double& y1, double& x2, double& y2) const {
    GPCPolygonExtent(Polygon, x1, y1, x2, y2);
}

void TGraphText::Move(double dx, double dy) {
    GPCPolygonMove(Polygon, dx, dy);
}

void TGraphText::Rotate(const TROTMatrix& ROTMatrix) {
    GPCPolygonRotate(Polygon, ROTMatrix);
}

bool TGraphText::PointInObject(double px, double py) const {
    return PointInGPCPolygon(Polygon, px, py);
}

TGraphicObject* TGraphText::ObjectFromPoint(double px, double py) {
    return PointInObject(px, py) ? this : nullptr;
}

bool TGraphText::IsInShape(const TShape* Shape) const {
    return Shape != nullptr && GPCPolygonsInterfere(Polygon, Shape->VPolygon());
}

std::unique_ptr<TGraphicObject> TGraphText::Clone() const {
    auto copy = std::make_unique<TGraphText>();
    copy->ArtikelNr = ArtikelNr;
    copy->Typ = Typ;
    copy->Polygon = Polygon;
    copy->ParentShape = ParentShape;
    copy->ImageFileName = ImageFileName;
    copy->Color = Color;
    copy->Text = Text;
    copy->Font = Font;
    copy->FontHeight = FontHeight;
    return copy;
}

void TGraphText::Draw(TCanvas& Canvas, int DrawFlags) const {
    const ::TFont savedFont = Canvas.Font;
    const TBrushStyle savedStyle = Canvas.Brush.Style;
    Canvas.Font = ::TFont{Font.Name, Font.Color, FontHeight};
    Canvas.Brush.Style = TBrushStyle::bsClear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    GetExtent(x1, y1, x2, y2);
    Canvas.TextRect(RoundTiesEvenToInt(x1) + 3, RoundTiesEvenToInt(y1) + 2,
                    RoundTiesEvenToInt(x2) - 3, RoundTiesEvenToInt(y2) - 2, Text);
    if (DrawFlags & 4) DrawFrame(Canvas);
    Canvas.Font = savedFont;
    Canvas.Brush.Style = savedStyle;
}

void TGraphText::DrawFrame(TCanvas& Canvas) const {
    std::vector<QPoint> points;
    for (int i = 0; i <= 4; ++i)
        points.emplace_back(int(RoundTiesEvenToInt(P(i % 4).x)),
                            int(RoundTiesEvenToInt(P(i % 4).y)));
    Canvas.Polyline(points);
}

void TGraphText::GetGrabHandles(std::vector<TGrabHandleInfo>& List) {
    const auto handle = [&](double x, double y, int hit, THandleCursor cursor) {
        List.push_back({RoundTiesEvenToInt(x), RoundTiesEvenToInt(y), hit, cursor, this});
    };
    const THandleCursor corners[4] = {THandleCursor::SizeNWSE, THandleCursor::SizeNESW,
                                      THandleCursor::SizeNWSE, THandleCursor::SizeNESW};
    for (int i = 0; i < 4; ++i)
        handle(P(i).x, P(i).y, i + 1, corners[i]);
    const THandleCursor sides[4] = {THandleCursor::SizeNS, THandleCursor::SizeWE,
                                    THandleCursor::SizeNS, THandleCursor::SizeWE};
    for (int i = 0; i < 4; ++i) {
        const Tgpc_vertex& a = P(i);
        const Tgpc_vertex& b = P((i + 1) % 4);
        handle((a.x + b.x) / 2, (a.y + b.y) / 2, i + 5, sides[i]);
    }
}

int TGraphText::GetHitIndex(double px, double py) const {
    if (!PointInObject(px, py)) return -1;
    int corner = 0;
    double nearest = kCornerReach;
    for (int i = 0; i < 4; ++i) {
        const double d = std::hypot(px - P(i).x, py - P(i).y);
        if (d < nearest) {
            nearest = d;
            corner = i + 1;
        }
    }
    if (corner != 0) return corner;
    int side = 0;
    nearest = kSideReach;
    for (int i = 0; i < 4; ++i) {
        const TVektor line(P(i).x, P(i).y, P((i + 1) % 4).x, P((i + 1) % 4).y);
        const double d = line.Abstand(px, py);
        if (d < nearest) {
            nearest = d;
            side = i + 5;
        }
    }
    return side;
}

void TGraphText::Transform(int HitIndex, double dx, double dy, TDragState&) {
    std::vector<Tgpc_vertex> p = Polygon.contour[0].vertex;
    TVektor u(p[0].x, p[0].y, p[1].x, p[1].y);
    TVektor w(p[0].x, p[0].y, p[3].x, p[3].y);
    u.Einheit();
    w.Einheit();
    // The drag measured across each side.
    const double s = dx * u.ry - dy * u.rx;
    const double t = dx * w.ry - dy * w.rx;
    const Tgpc_vertex S{-s * w.rx, -s * w.ry};
    const Tgpc_vertex T{t * u.rx, t * u.ry};
    const auto add = [&](int i, const Tgpc_vertex& d) {
        p[static_cast<size_t>(i)].x += d.x;
        p[static_cast<size_t>(i)].y += d.y;
    };
    const Tgpc_vertex ST{S.x + T.x, S.y + T.y};
    switch (HitIndex) {
    case 1:
        add(0, ST), add(1, S), add(3, T);
        break;
    case 2:
        add(1, ST), add(2, T), add(0, S);
        break;
    case 3:
        add(2, ST), add(3, S), add(1, T);
        break;
    case 4:
        add(3, ST), add(0, T), add(2, S);
        break;
    case 5:
        add(0, S), add(1, S);
        break;
    case 6:
        add(1, T), add(2, T);
        break;
    case 7:
        add(2, S), add(3, S);
        break;
    case 8:
        add(3, T), add(0, T);
        break;
    default:
        return;
    }
    const double width = std::hypot(p[1].x - p[0].x, p[1].y - p[0].y);
    const double height = std::hypot(p[2].x - p[1].x, p[2].y - p[1].y);
    const auto inRange = [](double side) { return side >= kMinSide && side <= kMaxSide; };
    // Turned over when P1 and P3 swap sides of P0; a box turned either way keeps its handles.
    const double turn =
        (p[1].x - p[0].x) * (p[3].y - p[0].y) - (p[1].y - p[0].y) * (p[3].x - p[0].x);
    for (const Tgpc_vertex& v : p)
        if (!std::isfinite(v.x) || !std::isfinite(v.y)) return;
    if (!inRange(width) || !inRange(height) || !(turn > 0)) return;
    Polygon.contour[0].vertex = std::move(p);
}

bool IsSubstructureLegendText(const QString& Text) {
    return Text.startsWith(QStringLiteral("UK Artikel: \r\n"));
}
