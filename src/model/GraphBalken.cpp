#include "model/GraphBalken.h"

#include "geometry/Vektors.h"
#include "platform/ValueStream.h"

#include <cmath>

namespace {

double SignedArea(const Tgpc_polygon& p) {
    const auto& v = p.contour[0].vertex;
    double sum = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const Tgpc_vertex& a = v[i];
        const Tgpc_vertex& b = v[(i + 1) % v.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2;
}

// True when no component of c points against the corresponding component of d.
bool SameWay(double cx, double cy, double dx, double dy) {
    return !(cx * dx < 0) && !(cy * dy < 0);
}

} // namespace

TGraphBalken::TGraphBalken() : BalkenPolygon(EmptyQuad()) {}

TGraphBalken::TGraphBalken(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                           const QString& AArtikelNr)
    : TGraphPaneel(AParentShape, AParentGraphObject, AArtikelNr), BalkenPolygon(EmptyQuad()) {}

TGraphBalken::TGraphBalken(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                           const QString& AArtikelNr, std::int32_t ATyp, const TVektor& ALaengs,
                           const TVektor& AQuer, const QString& AImageFileName, TColor AColor)
    : TGraphPaneel(AParentShape, AParentGraphObject, AArtikelNr, ATyp, ALaengs, AQuer,
                   AImageFileName, AColor),
      BalkenPolygon(Polygon) {}

void TGraphBalken::ReadData(TReader& Reader) {
    TGraphPaneel::ReadData(Reader);
    ReadOutlinePart(Reader, BalkenPolygon);
    // Files may hold a beam whose board part was never set (an old copy): it follows the beam
    // outline, or the beam would be invisible and unselectable.
    if (SignedArea(Polygon) == 0 && SignedArea(BalkenPolygon) != 0) Polygon = BalkenPolygon;
}

void TGraphBalken::WriteData(TWriter& Writer) const {
    TGraphPaneel::WriteData(Writer);
    WriteOutlinePart(Writer, BalkenPolygon);
}

void TGraphBalken::GetCompatibleList(const TArticleSource&, std::vector<TProduct*>& List) const {
    List.clear();
}

int TGraphBalken::GetHitIndex(double px, double py) const {
    if (!PointInObject(px, py)) return -1;
    int result = 0;
    double best = 4; // a side counts when its line is nearer than this
    for (int i = 0; i < 4; ++i) {
        const Tgpc_vertex& a = B(i);
        const Tgpc_vertex& b = B((i + 1) % 4);
        const TVektor side(a.x, a.y, b.x, b.y);
        if (side.Betrag() == 0) continue;
        const double d = side.Abstand(px, py);
        if (d < best) {
            best = d;
            result = i + 1;
        }
    }
    return result;
}

void TGraphBalken::Transform(int HitIndex, double dx, double dy, TDragState&) {
    auto& v = BalkenPolygon.contour[0].vertex;
    TVektor u(v[0].x, v[0].y, v[1].x, v[1].y);
    TVektor w(v[0].x, v[0].y, v[3].x, v[3].y);
    if (u.Betrag() == 0 || w.Betrag() == 0) return;
    u.Einheit();
    w.Einheit();
    const double a = dx * u.ry - dy * u.rx;
    const double b = dx * w.ry - dy * w.rx;

    double cx = 0, cy = 0; // the candidate side vector
    double mx = 0, my = 0; // the move of the two vertices
    int first = 0, second = 0;
    bool acrossWidth = true;
    switch (HitIndex) {
    case 1:
        cx = v[3].x - (v[0].x - a * w.rx), cy = v[3].y - (v[0].y - a * w.ry);
        mx = -a * w.rx, my = -a * w.ry, first = 0, second = 1;
        break;
    case 3:
        cx = v[3].x - a * w.rx - v[0].x, cy = v[3].y - a * w.ry - v[0].y;
        mx = -a * w.rx, my = -a * w.ry, first = 2, second = 3;
        break;
    case 2:
        cx = v[1].x + b * u.rx - v[0].x, cy = v[1].y + b * u.ry - v[0].y;
        mx = b * u.rx, my = b * u.ry, first = 1, second = 2, acrossWidth = false;
        break;
    case 4:
        cx = v[1].x - (v[0].x + b * u.rx), cy = v[1].y - (v[0].y + b * u.ry);
        mx = b * u.rx, my = b * u.ry, first = 3, second = 0, acrossWidth = false;
        break;
    default:
        return;
    }
    const double length = std::hypot(cx, cy);
    const bool fits =
        acrossWidth ? (length > kMinBreite && length < kMaxBreite && SameWay(cx, cy, w.rx, w.ry))
                    : (length > kMinLaenge && length < kMaxLaenge && SameWay(cx, cy, u.rx, u.ry));
    if (!fits) return;
    for (int i : {first, second}) {
        v[size_t(i)].x += mx;
        v[size_t(i)].y += my;
    }
    Polygon = BalkenPolygon; // the board part draws and counts what was dragged
}

std::unique_ptr<TGraphicObject> TGraphBalken::Clone() const {
    auto copy = std::make_unique<TGraphBalken>();
    CopyBoardFields(*copy);
    copy->BalkenPolygon = BalkenPolygon;
    return copy;
}
