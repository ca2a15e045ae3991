#include "cli/StripsCli.h"

#include "catalogue/Products.h"
#include "cli/CliSupport.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "substructure/EdgeStrips.h"
#include "substructure/SubstructureContext.h"

#include <cmath>

namespace {

int Coord(double v) {
    return static_cast<int>(RoundTiesEvenToInt(v));
}

// As the substructure view draws a connector point: the kind in the high 16 bits of Flags.
void DrawConnector(TCanvas& Canvas, const TVektor& Point) {
    const int kind = static_cast<int>(static_cast<std::uint32_t>(Point.Flags) >> 16);
    const int variant = Point.Flags & 0xFFFF;
    if (kind == 3) {
        const double len = std::hypot(Point.rx, Point.ry);
        if (!(len > 0)) return;
        const double dx = Point.rx / len, dy = Point.ry / len;
        const double nx = dy, ny = -dx;
        for (int side = 0; side < 2; ++side) {
            const double ox = side * 6 * nx, oy = side * 6 * ny;
            Canvas.Polyline({QPoint(Coord(Point.x - 3 * dx - 3 * nx + ox),
                                    Coord(Point.y - 3 * dy - 3 * ny + oy)),
                             QPoint(Coord(Point.x + 7 * dx + ox), Coord(Point.y + 7 * dy + oy))});
        }
        return;
    }
    Canvas.Brush.Color = Canvas.Pen.Color;
    Canvas.Brush.Style = variant >= 2 ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
    const int x = Coord(Point.x), y = Coord(Point.y);
    Canvas.Rectangle(x - 3, y - 3, x + 4, y + 4);
}

} // namespace

bool ParseStripEdges(const QString& Text, std::vector<int>& Edges) {
    Edges.clear();
    for (const QString& part : Text.split(QLatin1Char(','))) {
        std::int64_t value = 0;
        if (!ParseInteger(part.trimmed(), value) || value < 0 || value > 1000000) return false;
        Edges.push_back(static_cast<int>(value));
    }
    return true;
}

void ApplyStripOptions(TSubstructureContext& Context, TPlanDocument& Plan,
                       const std::vector<TShape*>& Shapes, const TStripCliOptions& Options) {
    if (Options.ArtikelNr.isEmpty()) return;
    const TProduct* article = Context.FindProduct(Options.ArtikelNr);
    if (article == nullptr)
        UsageError(QStringLiteral("Artikel %1 nicht gefunden.").arg(Options.ArtikelNr));
    if (!IsStripArticle(*article))
        UsageError(QStringLiteral("Artikel %1 ist keine Leiste.").arg(Options.ArtikelNr));
    if (!Options.Edges) {
        LayStrips(Context, Plan, TStripScope::Flaeche, Options.ArtikelNr, Shapes, {});
        return;
    }
    std::vector<std::pair<TShape*, int>> edges;
    for (TShape* shape : Shapes)
        for (int edge : *Options.Edges) {
            if (edge >= shape->FrameCount())
                UsageError(QStringLiteral("--strip-edges %1: die Fläche hat nur %2 Kanten")
                               .arg(edge)
                               .arg(shape->FrameCount()));
            edges.emplace_back(shape, edge);
        }
    LayStrips(Context, Plan, TStripScope::Kante, Options.ArtikelNr, Shapes, edges);
}

void DrawPlanStripsAndConnectors(TCanvas& Canvas, const TPlanDocument& Plan) {
    const TPen pen = Canvas.Pen;
    const TBrush brush = Canvas.Brush;
    for (const auto& shape : Plan.ShapeList) {
        Canvas.Pen = TPen();
        Canvas.Brush.Style = TBrushStyle::bsClear;
        for (const auto& strip : shape->Verleistung())
            if (!strip->ArtikelNr.Text().isEmpty()) strip->Draw(Canvas, 2);
        Canvas.Pen = TPen();
        Canvas.Pen.Color = RGBColor(128, 128, 128);
        for (const TVektorGruppe& entry : shape->UKVerbinderColl())
            for (const TVektor& point : entry.Vektoren)
                DrawConnector(Canvas, point);
    }
    Canvas.Pen = pen;
    Canvas.Brush = brush;
}
