#include "model/GraphPaneele.h"

#include "catalogue/ArticleSource.h"
#include "catalogue/Products.h"
#include "geometry/DoubleArray.h"
#include "geometry/Vektors.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kBoardRecordVersion = 2;

double ReadFiniteRawDouble(TReader& Reader) {
    const double v = Reader.ReadRawDouble();
    if (!std::isfinite(v)) throw EReadError("Ungültige Koordinate eines Paneels");
    return v;
}

QString Dec2(double v) {
    return FormatFixed(v, 2, QLatin1Char('.'));
}

} // namespace

Tgpc_polygon EmptyQuad() {
    Tgpc_polygon p;
    Tgpc_vertex_list c;
    c.vertex.assign(4, Tgpc_vertex{0, 0});
    p.AddContour(c, false);
    return p;
}

TGraphPaneel::TGraphPaneel() : Polygon(EmptyQuad()) {
    Color = kDefaultColor;
}

TGraphPaneel::TGraphPaneel(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                           const QString& AArtikelNr)
    : TGraphicObject(AParentShape, AParentGraphObject, AArtikelNr), Polygon(EmptyQuad()) {
    Color = kDefaultColor;
}

TGraphPaneel::TGraphPaneel(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                           const QString& AArtikelNr, std::int32_t ATyp, const TVektor& ALaengs,
                           const TVektor& AQuer, const QString& AImageFileName, TColor AColor)
    : TGraphPaneel(AParentShape, AParentGraphObject, AArtikelNr) {
    Typ = ATyp;
    SetOutline(Polygon, ALaengs, AQuer);
    ImageFileName.SetText(AImageFileName);
    Color = AColor;
}

void TGraphPaneel::SetOutline(Tgpc_polygon& Outline, const TVektor& L, const TVektor& Q) {
    Outline = EmptyQuad();
    auto& v = Outline.contour[0].vertex;
    v[0] = {L.x, L.y};
    v[1] = {L.x + L.rx, L.y + L.ry};
    v[2] = {v[1].x + Q.rx, v[1].y + Q.ry};
    v[3] = {L.x + Q.rx, L.y + Q.ry};
}

// --- Records ----------------------------------------------------------------------------------

void TGraphPaneel::ReadOutlinePart(TReader& Reader, Tgpc_polygon& Outline) {
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kBoardRecordVersion)
        throw EReadError("Unbekannte Version eines Paneels");
    const std::int32_t typ = Reader.ReadInteger();
    Tgpc_polygon outline = Outline;
    auto& v = outline.contour[0].vertex;
    if (version >= 2) {
        for (Tgpc_vertex& p : v) {
            p.x = ReadFiniteRawDouble(Reader);
            p.y = ReadFiniteRawDouble(Reader);
        }
    } else if (version == 1) {
        // Older boards stored their sides as vectors: P0 -> P1, P3 -> P2, and two more.
        TVektor sides[4];
        for (TVektor& s : sides)
            s.ReadData(Reader);
        v[0] = {sides[0].x, sides[0].y};
        v[1] = {sides[0].EndX(), sides[0].EndY()};
        v[3] = {sides[1].x, sides[1].y};
        v[2] = {sides[1].EndX(), sides[1].EndY()};
        for (const Tgpc_vertex& p : v)
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                throw EReadError("Ungültige Koordinate eines Paneels");
    }
    const QString image = Reader.ReadString();
    TColor color = Color;
    if (version >= 1) color = static_cast<TColor>(Reader.ReadInteger());
    Typ = typ;
    Outline = std::move(outline);
    ImageFileName.SetText(image);
    Color = color;
}

void TGraphPaneel::WriteOutlinePart(TWriter& Writer, const Tgpc_polygon& Outline) const {
    Writer.WriteInteger(kBoardRecordVersion);
    Writer.WriteInteger(Typ);
    for (const Tgpc_vertex& p : Outline.contour[0].vertex) {
        Writer.WriteRawDouble(p.x);
        Writer.WriteRawDouble(p.y);
    }
    Writer.WriteString(ImageFileName.Text());
    Writer.WriteInteger(static_cast<std::int32_t>(Color));
}

void TGraphPaneel::ReadData(TReader& Reader) {
    TGraphicObject::ReadData(Reader);
    ReadOutlinePart(Reader, Polygon);
}

void TGraphPaneel::WriteData(TWriter& Writer) const {
    TGraphicObject::WriteData(Writer);
    WriteOutlinePart(Writer, Polygon);
}

// --- Geometry ---------------------------------------------------------------------------------

void TGraphPaneel::GetExtent(double& x1, double& y1, double& x2, double& y2) const {
    GPCPolygonExtent(Polygon, x1, y1, x2, y2);
}

void TGraphPaneel::Move(double dx, double dy) {
    GPCPolygonMove(Polygon, dx, dy);
}

void TGraphPaneel::Rotate(const TROTMatrix& ROTMatrix) {
    GPCPolygonRotate(Polygon, ROTMatrix);
}

bool TGraphPaneel::PointInObject(double px, double py) const {
    return PointInGPCPolygon(Polygon, px, py);
}

int TGraphPaneel::GetHitIndex(double x, double y) const {
    return PointInObject(x, y) ? 0 : -1;
}

TGraphicObject* TGraphPaneel::ObjectFromPoint(double px, double py) {
    return PointInObject(px, py) ? this : nullptr;
}

bool TGraphPaneel::IsInGPCPolygon(const Tgpc_polygon& Poly) const {
    return GPCPolygonsInterfere(Polygon, Poly);
}

bool TGraphPaneel::IsInShape(const TShape* Shape) const {
    return Shape != nullptr && IsInGPCPolygon(Shape->VPolygon());
}

double TGraphPaneel::Direction() const {
    return TVektor(P(0).x, P(0).y, P(1).x, P(1).y).DirectionDegrees();
}

void TGraphPaneel::GetPosition(double& x, double& y, double& w) const {
    x = P(0).x;
    y = P(0).y;
    w = Direction();
}

void TGraphPaneel::GetKoordinateList(TDoubleArray& List) const {
    for (int i = 0; i < 4; ++i) {
        List.Add(P(i).x);
        List.Add(P(i).y);
    }
}

void TGraphPaneel::GetCompatibleList(const TArticleSource& Source,
                                     std::vector<TProduct*>& List) const {
    List.clear();
    TProduct* own = Source.Catalogue.FindProduct(ArtikelNr.Text());
    if (own == nullptr) return;
    List.push_back(own);
    TProductGroup* group = own->ProductGroup;
    if (group == nullptr) return;
    const double length = std::hypot(P(1).x - P(0).x, P(1).y - P(0).y);
    const double width = std::hypot(P(3).x - P(0).x, P(3).y - P(0).y);
    for (int i = 0; i < group->Products.Count(); ++i) {
        TProduct* p = group->Products.Get(i);
        if (p->ArtikelNr.Text() == ArtikelNr.Text() || p->Typ != Typ) continue;
        if (std::fabs(p->VLaenge - length) < 0.1 && std::fabs(p->VBreite - width) < 0.1)
            List.push_back(p);
    }
}

// --- Copying ----------------------------------------------------------------------------------

void TGraphPaneel::CopyBoardFields(TGraphPaneel& Target) const {
    Target.ArtikelNr = ArtikelNr;
    Target.Typ = Typ;
    Target.Polygon = Polygon;
    Target.ParentShape = ParentShape;
    Target.ImageFileName = ImageFileName;
    Target.Color = Color;
}

std::unique_ptr<TGraphicObject> TGraphPaneel::Clone() const {
    auto copy = std::make_unique<TGraphPaneel>();
    CopyBoardFields(*copy);
    return copy;
}

void TGraphPaneel::GetDebugInfo(QStringList& DebugInfo) const {
    DebugInfo.clear();
    AppendPolygonDebugInfo(Polygon.contour[0].vertex, DebugInfo);
}

void AppendPolygonDebugInfo(const std::vector<Tgpc_vertex>& Points, QStringList& DebugInfo) {
    const std::size_t n = Points.size();
    QString points = QStringLiteral("Punkte: [");
    for (const Tgpc_vertex& p : Points)
        points += Dec2(p.x) + ", " + Dec2(p.y) + "   ";
    DebugInfo << points + "]";
    QString lengths = QStringLiteral("Kantenlängen: ");
    QString angles = QStringLiteral("Winkel: ");
    for (std::size_t i = 0; i < n; ++i) {
        const Tgpc_vertex& a = Points[i];
        const Tgpc_vertex& b = Points[(i + 1) % n];
        const Tgpc_vertex& c = Points[(i + 2) % n];
        lengths += Dec2(std::hypot(b.x - a.x, b.y - a.y)) + " ";
        // Winkel answers 0 for zero-length edges instead of dividing by zero.
        const double w = TVektor(a.x, a.y, b.x, b.y).Winkel(TVektor(b.x, b.y, c.x, c.y));
        angles += Dec2(w * 180 / std::numbers::pi) + " ";
    }
    DebugInfo << lengths << angles;
}

// --- Drawing ----------------------------------------------------------------------------------

QPainterPath TGraphPaneel::ClipRgn() const {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    QPolygonF poly;
    for (int i = 0; i < 4; ++i)
        poly << QPointF(RoundTiesEven(P(i).x), RoundTiesEven(P(i).y));
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

bool TGraphPaneel::DrawSurface(TCanvas& Canvas, const QString& AImageFileName, int) const {
    if (AImageFileName.isEmpty() || ParentShape == nullptr || Canvas.Pictures() == nullptr)
        return false;
    const QImage* image = Canvas.Pictures()->Picture(AImageFileName);
    if (image == nullptr) return false;
    const TIntRect box = ParentShape->GetExtentRect();
    const std::int64_t side = std::max(box.Right - box.Left, box.Bottom - box.Top);
    if (side <= 0) return false;
    Canvas.StretchDraw(box.Left, box.Top, box.Left + side, box.Top + side, *image);
    return true;
}

bool TGraphPaneel::InShapeForDrawing() const {
    // Painting cannot stop for coordinates the clipper refuses: such a board is filled.
    try {
        return IsInShape(ParentShape);
    } catch (const EClipError&) {
        return false;
    }
}

void TGraphPaneel::Draw(TCanvas& Canvas, int DrawFlags) const {
    if ((DrawFlags & dfImage) && ParentShape == nullptr) {
        // Boards of free modules have no area to span a texture over: filled instead.
        DrawFlags |= dfFill;
    } else if ((DrawFlags & dfImage) && InShapeForDrawing()) {
        const bool hadClip = Canvas.HasClip();
        const QPainterPath previous = Canvas.ClipPath();
        Canvas.SetClipPath(ParentShape->ClipPath());
        Canvas.IntersectClipPath(ClipRgn());
        const bool painted = DrawSurface(Canvas, ImageFileName.Text(), DrawFlags);
        if (hadClip)
            Canvas.SetClipPath(previous);
        else
            Canvas.SetClipPath(ParentShape->ClipPath());
        if (painted) {
            Canvas.Brush.Style = TBrushStyle::bsClear;
            Draw(Canvas, 0);
            return;
        }
        DrawFlags |= dfFill;
    }
    if (DrawFlags & dfFill) Canvas.Brush.Color = Color;
    if (DrawFlags & dfHatch) {
        Canvas.Brush.Color = RGBColor(255, 0, 0);
        Canvas.Brush.Style = TBrushStyle::bsBDiagonal;
    }
    std::vector<QPoint> points;
    for (int i = 0; i < 4; ++i)
        points.emplace_back(int(RoundTiesEvenToInt(P(i).x)), int(RoundTiesEvenToInt(P(i).y)));
    Canvas.Polygon(points);
}

void TGraphPaneel::DrawFrame(TCanvas& Canvas) const {
    std::vector<QPoint> points;
    for (int i = 0; i <= 4; ++i)
        points.emplace_back(int(RoundTiesEvenToInt(P(i % 4).x)),
                            int(RoundTiesEvenToInt(P(i % 4).y)));
    Canvas.Polyline(points);
}
