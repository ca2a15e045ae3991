// The machinery every layout uses: the inset contour, the batten frame, cutting batten lines
// and single segments to the area, and the clearance test for added battens.

#include "substructure/LattenGeneratoren.h"

#include "geometry/InsetContour.h"
#include "model/Shapes.h"

#include <algorithm>
#include <cmath>

namespace {

// Battens shorter than this are touching points of a line and a contour vertex.
constexpr double kMinPieceLength = 1e-9;
// AddVerlattung keeps only pieces longer than this.
constexpr double kMinAddedLength = 10;

struct THit {
    double t; // distance along the line or segment
    double x, y;
};

void SortHits(std::vector<THit>& hits) {
    std::sort(hits.begin(), hits.end(), [](const THit& a, const THit& b) { return a.t < b.t; });
}

} // namespace

TLattenGenerator::TGenerationScope::~TGenerationScope() {
    fGenerator.LattenAbstand.Clear();
    fGenerator.HelperFrameList.clear();
    fGenerator.HelperFramePolygon.Clear();
    fGenerator.ClearUKVektorList();
}

std::vector<TVektor> TLattenGenerator::CreateHelperFrameList(const TShape& Shape) {
    HelperFramePolygon.Clear();
    TInsetContour inset = CreateInsetContour(Shape.VPolygon(), kInsetDistance);
    HelperFramePolygon = std::move(inset.Polygon);
    return std::move(inset.Edges);
}

void TLattenGenerator::CreateVerlattung(TShape& Shape) {
    Shape.DeleteVerlattung();
}

double TLattenGenerator::Offset(double px, double py) const {
    return (px - VerlattVekS.x) * VerlattVekS.rx + (py - VerlattVekS.y) * VerlattVekS.ry;
}

TVektor TLattenGenerator::BattenLine(double Abstand) const {
    TVektor line;
    line.x = VerlattVekS.x + Abstand * VerlattVekS.rx;
    line.y = VerlattVekS.y + Abstand * VerlattVekS.ry;
    line.rx = VerlattVekL.rx;
    line.ry = VerlattVekL.ry;
    return line;
}

bool TLattenGenerator::MidpointInArea(const TShape& Shape, const TVektor& Piece) {
    return PointInGPCPolygon(Shape.VPolygon(), Piece.x + Piece.rx / 2, Piece.y + Piece.ry / 2);
}

void TLattenGenerator::CutLine(const TShape& Shape, const TVektor& Line,
                               const std::vector<TVektor>& Edges, double MinLength,
                               double MinDistance, std::vector<TVektor>& Verlattung) const {
    const double len = Line.Betrag();
    if (!(len > 0)) return;
    std::vector<THit> hits;
    for (const TVektor& edge : Edges) {
        double px = 0, py = 0;
        // The edge's own end rule keeps the parity where the line runs through a vertex.
        if (!edge.Schnittpunkt(Line, px, py)) continue;
        hits.push_back({((px - Line.x) * Line.rx + (py - Line.y) * Line.ry) / len, px, py});
    }
    SortHits(hits);
    for (size_t i = 0; i + 1 < hits.size(); i += 2) {
        const TVektor piece(hits[i].x, hits[i].y, hits[i + 1].x, hits[i + 1].y);
        const double pieceLength = piece.Betrag();
        if (!(pieceLength > std::max(MinLength, kMinPieceLength))) continue;
        if (!MidpointInArea(Shape, piece)) continue;
        if (MinDistance >= 0.1 && !FitsInVerlattung(Shape, piece, MinDistance)) continue;
        Verlattung.push_back(piece);
    }
}

void TLattenGenerator::FinalizeVerlattung(const TShape& Shape, std::vector<TVektor>& Verlattung) {
    LattenAbstand.Sort(CompareDouble);
    for (double a : LattenAbstand)
        CutLine(Shape, BattenLine(a), HelperFrameList, 0, 0, Verlattung);

    for (const TVektor& v : UKVektorList) {
        const double len = v.Betrag();
        if (!(len > 0)) continue;
        std::vector<THit> hits;
        if (PointInGPCPolygon(HelperFramePolygon, v.x, v.y)) hits.push_back({0, v.x, v.y});
        if (PointInGPCPolygon(HelperFramePolygon, v.EndX(), v.EndY()))
            hits.push_back({len, v.EndX(), v.EndY()});
        for (const TVektor& edge : HelperFrameList) {
            double px = 0, py = 0, f1 = 0, f2 = 0;
            if (edge.SchnittpunktLock(v, px, py, f1, f2)) hits.push_back({f2 * len, px, py});
        }
        SortHits(hits);
        for (size_t i = 0; i + 1 < hits.size(); i += 2) {
            const TVektor piece(hits[i].x, hits[i].y, hits[i + 1].x, hits[i + 1].y);
            if (!(piece.Betrag() > kMinPieceLength) || !MidpointInArea(Shape, piece)) continue;
            Verlattung.push_back(piece);
        }
    }
    ClearUKVektorList();
}

void TLattenGenerator::AddVerlattung(const TShape& Shape, std::vector<TVektor>& Verlattung,
                                     const TDoubleArray& Abstaende,
                                     const Tgpc_polygon& FramePolygon, double MinDistance) const {
    std::vector<TVektor> edges;
    for (const auto& c : FramePolygon.contour) {
        const size_t n = c.vertex.size();
        for (size_t j = 0; j < n; ++j) {
            const Tgpc_vertex& a = c.vertex[j];
            const Tgpc_vertex& b = c.vertex[(j + 1) % n];
            edges.emplace_back(a.x, a.y, b.x, b.y);
        }
    }
    std::vector<double> offsets(Abstaende.begin(), Abstaende.end());
    std::sort(offsets.begin(), offsets.end());
    for (double a : offsets)
        CutLine(Shape, BattenLine(a), edges, kMinAddedLength, MinDistance, Verlattung);
}

bool TLattenGenerator::FitsInVerlattung(const TShape& Shape, const TVektor& v, double MinDistance) {
    TVektor n = v;
    n.Norm();
    n.Einheit();
    const double ax = v.x + 0.2 * v.rx, ay = v.y + 0.2 * v.ry;
    const double bx = v.x + 0.8 * v.rx, by = v.y + 0.8 * v.ry;
    const double ox = n.rx * MinDistance, oy = n.ry * MinDistance;
    const TVektor sides[4] = {
        TVektor(ax + ox, ay + oy, bx + ox, by + oy), TVektor(bx + ox, by + oy, bx - ox, by - oy),
        TVektor(bx - ox, by - oy, ax - ox, ay - oy), TVektor(ax - ox, ay - oy, ax + ox, ay + oy)};
    for (const TVektorGruppe& group : Shape.VerlattungColl())
        for (const TVektor& batten : group.Vektoren) {
            int crossed = 0;
            for (const TVektor& side : sides) {
                double px = 0, py = 0;
                if (batten.SchnittpunktStreckeOffen(side, px, py)) ++crossed;
            }
            if (crossed >= 2) return false;
        }
    return true;
}
