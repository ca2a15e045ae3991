#include "model/ModuleThumbnail.h"

#include "catalogue/ArticleSource.h"
#include "catalogue/Products.h"
#include "model/GraphModule.h"
#include "platform/Canvas.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double kMinWidth = 50;
constexpr double kMinHeight = 37;

} // namespace

void DrawModuleThumbnail(QPainter& Painter, const QSize& Size, const TProduct& Module,
                         const QString& ScriptPath, const TArticleSource& Source) {
    TGraphModule module(nullptr, nullptr, Module.ArtikelNr.Text());
    module.Color = Module.Color;
    module.ReadScript(Source, ScriptPath);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    module.GetExtent(x1, y1, x2, y2);
    // Small modules keep their size in a box of at least the bitmap's, around their middle.
    const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const double w = std::max(x2 - x1, kMinWidth), h = std::max(y2 - y1, kMinHeight);
    const double scale = std::min(Size.width() / w, Size.height() / h);
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.translate(Size.width() / 2.0, Size.height() / 2.0);
    Painter.scale(scale, scale);
    Painter.translate(-cx, -cy);
    TCanvas canvas(Painter);
    canvas.Pen.Width = 0;
    module.Draw(canvas, 2);
    Painter.restore();
}
