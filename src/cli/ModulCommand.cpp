// tarv-cli modul: the module of a module article as the program places it, for checking module
// scripts without the program window.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PlanJson.h"
#include "cli/PlanRender.h"

#include "catalogue/Products.h"
#include "geometry/GPCUtils.h"
#include "model/GraphModule.h"
#include "model/PlanDocument.h"
#include "offer/EngineContext.h"
#include "platform/Numbers.h"

#include <QJsonDocument>
#include <QTextStream>

#include <cmath>

namespace {

const char* const kModulUsage =
    "Aufruf: tarv-cli modul ARTNR [--at X,Y] [--angle GRAD] [--json] [--png AUS.png]\n"
    "                       [--data ORDNER]\n"
    "  Liest das Modulscript eines Modulartikels und stellt das Modul wie das Programm auf.\n"
    "  --at X,Y       der Bezugspunkt des Moduls (cm, Dezimalpunkt; Vorgabe 0,0)\n"
    "  --angle GRAD   um den Bezugspunkt gedreht\n"
    "  --json         das Modul wie bei info --json\n"
    "  --png AUS.png  ein Bild des Moduls\n"
    "  --data ORDNER  Datenordner mit Artikelstamm und Modulscripts (wie TARV_DATA_DIR)\n";

QString Num(double v) {
    return FormatFixed(v, 1, QLatin1Char(','));
}

void PrintModule(const TGraphModule& Module, const TProduct& Article) {
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    int polygons = 0, circles = 0, lines = 0, pies = 0;
    for (const TElementDrawItem& item : Module.DrawItemList) {
        polygons += item.ID == diPolygon || item.ID == diRectangle || item.ID == diEllipse;
        circles += item.ID == diCircle;
        lines += item.ID == diPolyline;
        pies += item.ID == diPie;
    }
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Module.GetExtent(x1, y1, x2, y2);
    out << "Modul " << Article.ArtikelNr.Text() << " " << Article.Name.Text() << " ("
        << Module.ImageFileName.Text() << ")\n";
    out << "  Bezugspunkt " << Num(Module.Origin.x) << " / " << Num(Module.Origin.y)
        << " cm, Winkel " << Num(Module.Direction()) << "°"
        << (Module.Transparent ? ", durchsichtig" : "") << "\n";
    out << "  Zeichenelemente: " << Module.DrawItemList.size() << " (Flächen " << polygons
        << ", Kreise " << circles << ", Linien " << lines << ", Tortenstücke " << pies << ")\n";
    out << "  Elemente: " << Module.ChildElements.size();
    for (const auto& element : Module.ChildElements)
        out << " " << element->ArtikelNr.Text();
    out << "\n  Ausdehnung " << Num(x1) << " / " << Num(y1) << " bis " << Num(x2) << " / "
        << Num(y2) << " cm\n";
}

} // namespace

int RunModulCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("modul"), [&] {
        TCommandLine line(QStringLiteral("modul"), kModulUsage);
        line.AddValue(QStringLiteral("at"), QStringLiteral("X,Y"));
        line.AddValue(QStringLiteral("angle"), QStringLiteral("GRAD"));
        line.AddValue(QStringLiteral("png"), QStringLiteral("AUS.png"));
        line.AddFlag(QStringLiteral("json"));
        if (!line.Parse(args, {1})) return 0;
        Tgpc_vertex at{0, 0};
        if (line.IsSet(QStringLiteral("at"))) at = ParsePlanPoint(line.Value(QStringLiteral("at")));
        double angle = 0;
        if (line.IsSet(QStringLiteral("angle")) &&
            (!ParseReal(line.Value(QStringLiteral("angle")), QLatin1Char('.'), angle) ||
             !std::isfinite(angle)))
            UsageError(QStringLiteral("--angle erwartet einen Winkel, nicht \"%1\"")
                           .arg(line.Value(QStringLiteral("angle"))));

        TEngineContext context;
        LoadDataFolder(context, line.DataFolder());
        auto module = PlaceModule(context, line.Positional().first(), at, angle);
        const TProduct& article = *context.FindProduct(module->ArtikelNr.Text());
        if (line.IsSet(QStringLiteral("png"))) {
            TPlanDocument plan;
            plan.CommonModulList.push_back(module->Clone());
            const QImage picture = RenderPlan(plan, kDefaultRenderScale, nullptr);
            if (picture.isNull()) WorkError(QStringLiteral("Das Modul ist zu groß für ein Bild."));
            WritePicture(picture, line.Value(QStringLiteral("png")));
        }
        if (line.IsSet(QStringLiteral("json")))
            PrintJson(QJsonDocument(ObjectJson(*module)));
        else
            PrintModule(*module, article);
        return 0;
    });
}
