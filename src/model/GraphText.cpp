#include "model/GraphText.h"

#include "geometry/Vektors.h"
#include "model/Shapes.h"
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
    return copy;
}
