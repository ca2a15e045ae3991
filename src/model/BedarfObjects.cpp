// What boards and modules add to the requirement.

#include "model/Bedarf.h"
#include "model/GraphModule.h"
#include "model/GraphPaneele.h"
#include "model/Shapes.h"

#include <algorithm>
#include <cmath>

namespace {

// Stretches shorter than this are offcuts, not pieces.
constexpr double kMinPieceLength = 2;
// The probes run along the board at these fractions of its width.
constexpr double kProbes[] = {0.05, 0.35, 0.65, 0.95};

struct TStretch {
    double From, To; // along the board, 0 at its start end
};

// The stretches of the board where at least one probe lies in the area. The boundary counts as
// inside: a board laid from the contour keeps its factory end.
std::vector<TStretch> InsideStretches(const TGraphPaneel& Board, const Tgpc_polygon& Area,
                                      double Length) {
    const Tgpc_vertex c1 = Board.P(0), c2 = Board.P(1), c4 = Board.P(3);
    std::vector<TStretch> runs;
    for (double f : kProbes) {
        const double sx = c1.x + f * (c4.x - c1.x), sy = c1.y + f * (c4.y - c1.y);
        const TVektor probe(sx, sy, sx + (c2.x - c1.x), sy + (c2.y - c1.y));
        for (const auto& [a, b] : GPCSegmentInsideRuns(Area, probe))
            runs.push_back({a * Length, b * Length});
    }
    std::sort(runs.begin(), runs.end(),
              [](const TStretch& p, const TStretch& q) { return p.From < q.From; });
    std::vector<TStretch> merged;
    for (const TStretch& r : runs) {
        if (!merged.empty() && r.From <= merged.back().To)
            merged.back().To = std::max(merged.back().To, r.To);
        else
            merged.push_back(r);
    }
    return merged;
}

} // namespace

void TGraphPaneel::AddtoBedarfsColl(TBedarfsColl& BedarfsColl, TCanvas*) {
    const Tgpc_vertex c1 = P(0), c2 = P(1), c4 = P(3);
    const double lx = c2.x - c1.x, ly = c2.y - c1.y;
    const double length = std::hypot(lx, ly);
    if (!(length > 0)) return;
    // A board without an area (an element of a free module) is needed whole.
    const std::vector<TStretch> stretches =
        ParentShape ? InsideStretches(*this, ParentShape->VPolygon(), length)
                    : std::vector<TStretch>{{0, length}};
    TArtikelItemArray& entry = BedarfsColl.Entry(ArtikelNr.Text());
    for (const TStretch& s : stretches) {
        if (!(s.To - s.From >= kMinPieceLength)) continue;
        TArtikelItem item;
        item.ArtikelNr = ArtikelNr;
        item.Laenge = s.To - s.From;
        item.Typ = static_cast<std::uint16_t>(Typ);
        item.ParentShape = ParentShape;
        const double mid = (s.From + s.To) / 2 / length;
        item.PosX = c1.x + (c4.x - c1.x) / 2 + mid * lx;
        item.PosY = c1.y + (c4.y - c1.y) / 2 + mid * ly;
        item.StirnSeite = 1;
        if (s.From == 0) item.StirnSeite *= kStartEndFactor;
        if (s.To == length) item.StirnSeite *= FarEndFactor(Typ);
        entry.Add(item);
    }
}

void TGraphModule::AddtoBedarfsColl(TBedarfsColl& BedarfsColl, TCanvas* Canvas) {
    if (IncludeAlways || ParentShape == nullptr || IsInShape(ParentShape)) {
        TArtikelItemArray& entry = BedarfsColl.Entry(ArtikelNr.Text());
        if (entry.Empty()) {
            TArtikelItem item;
            item.ArtikelNr = ArtikelNr;
            item.Typ = static_cast<std::uint16_t>(Typ);
            item.StirnSeite = 0;
            item.ParentShape = ParentShape;
            entry.Add(item);
        }
        ++entry.First().PckEin;
    }
    for (auto& element : ChildElements)
        element->AddtoBedarfsColl(BedarfsColl, Canvas);
}
