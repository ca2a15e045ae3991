// The edge strips of an area: one slot per edge of the effective outline, each a strip along
// the edge, its centre line half the strip's width plus 1 cm inside, or an empty slot.

#include "model/Shapes.h"

#include "catalogue/Products.h"
#include "geometry/InsetContour.h"
#include "model/GraphLeiste.h"

#include <cmath>
#include <map>

namespace {

// A centre line is clipped this much further inside, so that it never runs along the border
// of the inset it is clipped to.
constexpr double kClipSlack = 0.01;
// Shorter centre lines leave no room for a strip.
constexpr double kMinStripLength = 0.01;
// How far a strip may lie from its edge's offset line and still belong to the edge.
constexpr double kMatchTolerance = 1e-3;

double StripInset(double Breite) {
    return Breite / 2 + 1;
}

// The strip of a used slot; none for an empty slot.
TGraphLeiste* UsedStrip(const std::unique_ptr<TGraphicObject>& Slot) {
    auto* strip = dynamic_cast<TGraphLeiste*>(Slot.get());
    return strip && !strip->ArtikelNr.Text().isEmpty() ? strip : nullptr;
}

// The unit normal of the edge pointing into the area; false for an edge without length.
bool InwardNormal(const Tgpc_polygon& Area, const TVektor& Edge, double& nx, double& ny) {
    const double len = Edge.Betrag();
    if (!(len > 0)) return false;
    nx = -Edge.ry / len;
    ny = Edge.rx / len;
    const double probe = std::min(1e-3, len / 100);
    const double mx = Edge.x + Edge.rx / 2, my = Edge.y + Edge.ry / 2;
    if (!PointInGPCPolygon(Area, mx + nx * probe, my + ny * probe)) {
        nx = -nx;
        ny = -ny;
    }
    return true;
}

// The edge's own part of the inset's border: its offset line clipped to the inset, the
// longest piece that lies beside the edge. Zero when there is no room.
TVektor ClippedStripLine(const Tgpc_polygon& Area, const Tgpc_polygon& Inset, const TVektor& Edge,
                         double Distance, double Reach) {
    double nx = 0, ny = 0;
    if (!InwardNormal(Area, Edge, nx, ny)) return TVektor();
    const double len = Edge.Betrag();
    const double ux = Edge.rx / len, uy = Edge.ry / len;
    // From Reach before the edge to Reach beyond it: mitred corners reach past the edge.
    const double shift = Distance + kClipSlack;
    const TVektor line(Edge.x - ux * Reach + nx * shift, Edge.y - uy * Reach + ny * shift,
                       Edge.EndX() + ux * Reach + nx * shift,
                       Edge.EndY() + uy * Reach + ny * shift);
    TVektor best;
    double bestLength = 0;
    for (const TVektor& piece : GPCSegmentInside(Inset, line, kMinStripLength)) {
        // Along the edge: the piece must overlap the edge itself.
        const double a = (piece.x - Edge.x) * ux + (piece.y - Edge.y) * uy;
        const double b = a + piece.Betrag();
        if (b <= 0 || a >= len || !(piece.Betrag() > bestLength)) continue;
        bestLength = piece.Betrag();
        best = TVektor(Edge.x + ux * a + nx * Distance, Edge.y + uy * a + ny * Distance,
                       Edge.x + ux * b + nx * Distance, Edge.y + uy * b + ny * Distance);
    }
    return best;
}

// The centre lines of strips Distance inside the area, one per edge of Frame (a zero vector
// where an edge has no room). Where the inset keeps every edge, edge i of the inset is the line
// of edge i; where it gains or loses edges (a spike, a narrow part), each edge's line is its
// own offset clipped to the inset, so that no strip lands on another edge or outside.
std::vector<TVektor> StripLines(const Tgpc_polygon& Area, const std::vector<TVektor>& Frame,
                                double Distance) {
    const TInsetContour inset = CreateInsetContour(Area, Distance);
    bool parallel = !inset.Repaired && inset.Edges.size() == Frame.size() &&
                    inset.Polygon.num_contours() == Area.num_contours();
    for (int c = 0; parallel && c < Area.num_contours(); ++c)
        parallel = inset.Polygon.contour[static_cast<size_t>(c)].num_vertices() ==
                   Area.contour[static_cast<size_t>(c)].num_vertices();
    if (parallel) return inset.Edges;

    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    GPCPolygonExtent(Area, x1, y1, x2, y2);
    const double reach = std::hypot(x2 - x1, y2 - y1);
    std::vector<TVektor> lines;
    for (const TVektor& edge : Frame)
        lines.push_back(ClippedStripLine(Area, inset.Polygon, edge, Distance, reach));
    return lines;
}

// Whether the strip runs along the edge: on the edge's offset line by the strip's inset, in
// the edge's direction, beside the edge.
bool StripOnEdge(const Tgpc_polygon& Area, const TGraphLeiste& Strip, const TVektor& Edge) {
    double nx = 0, ny = 0;
    if (!InwardNormal(Area, Edge, nx, ny)) return false;
    const TVektor& v = Strip.Vektor;
    const double len = Edge.Betrag(), stripLength = v.Betrag();
    if (!(stripLength > 0)) return false;
    const double ux = Edge.rx / len, uy = Edge.ry / len;
    if ((v.rx * ux + v.ry * uy) / stripLength < 1 - 1e-9) return false;
    const double d = StripInset(Strip.Breite);
    for (const auto& [px, py] : {std::pair{v.x, v.y}, std::pair{v.EndX(), v.EndY()}})
        if (std::abs((px - Edge.x) * nx + (py - Edge.y) * ny - d) > kMatchTolerance) return false;
    const double a = (v.x - Edge.x) * ux + (v.y - Edge.y) * uy;
    return a < len && a + stripLength > 0;
}

} // namespace

int TShape::VerLeisten(const TCatalogue& Catalogue, const std::vector<int>* Edges,
                       const QString& ArtikelNummer) {
    const TProduct* article = Catalogue.FindProduct(ArtikelNummer);
    if ((Edges != nullptr && Edges->empty()) ||
        fVerleistung.size() != static_cast<size_t>(FrameCount())) {
        if (Edges != nullptr && Edges->empty()) fVerleistung.clear();
        RebuildVerleistung();
    }
    if (article == nullptr) return 0;

    std::vector<int> all;
    if (Edges == nullptr) {
        for (int i = 0; i < FrameCount(); ++i)
            all.push_back(i);
        Edges = &all;
    }
    const std::vector<TVektor> lines =
        StripLines(*fVPolygon, fVFrame, StripInset(article->VBreite));
    int withoutRoom = 0;
    for (int i : *Edges) {
        if (i < 0 || i >= FrameCount()) continue;
        const TVektor& line = lines[static_cast<size_t>(i)];
        if (!(line.Betrag() >= kMinStripLength)) {
            ++withoutRoom;
            continue;
        }
        auto strip = std::make_unique<TGraphLeiste>(this, nullptr, article->ArtikelNr.Text(), line,
                                                    article->ImageFileName.Text(), article->Color);
        strip->Breite = article->VBreite;
        fVerleistung[static_cast<size_t>(i)] = std::move(strip);
    }
    return withoutRoom;
}

void TShape::RebuildVerleistung() {
    const size_t n = fVFrame.size();
    std::vector<std::unique_ptr<TGraphicObject>> places(n);
    std::vector<size_t> unmatched;
    bool sameIndices = true;
    for (size_t j = 0; j < fVerleistung.size(); ++j) {
        const TGraphLeiste* strip = UsedStrip(fVerleistung[j]);
        if (strip == nullptr) continue;
        size_t found = n;
        for (size_t i = 0; i < n && found == n; ++i)
            if (!places[i] && StripOnEdge(*fVPolygon, *strip, fVFrame[i])) found = i;
        if (found < n) {
            sameIndices = sameIndices && found == j;
            places[found] = std::move(fVerleistung[j]);
        } else {
            unmatched.push_back(j);
        }
    }
    // An edge whose end moved is no longer on its strip's line. Where nothing else moved from
    // its place, the strip stays with the edge of the same index.
    if (fVerleistung.size() == n && sameIndices)
        for (size_t j : unmatched)
            if (!places[j]) places[j] = std::move(fVerleistung[j]);

    for (auto& slot : places)
        if (!UsedStrip(slot)) slot = std::make_unique<TGraphLeiste>();
    for (auto& slot : places)
        slot->ParentShape = this;
    fVerleistung = std::move(places);

    // The centre lines follow the outline; one inset per strip width.
    std::map<double, std::vector<TVektor>> lines;
    for (size_t i = 0; i < n; ++i) {
        TGraphLeiste* strip = UsedStrip(fVerleistung[i]);
        if (strip == nullptr) continue;
        const double d = StripInset(strip->Breite);
        auto it = lines.find(d);
        if (it == lines.end()) it = lines.emplace(d, StripLines(*fVPolygon, fVFrame, d)).first;
        const TVektor& line = it->second[i];
        if (line.Betrag() >= kMinStripLength)
            strip->Vektor = line;
        else
            fVerleistung[i] = std::make_unique<TGraphLeiste>(); // no room left on this edge
        fVerleistung[i]->ParentShape = this;
    }
}
