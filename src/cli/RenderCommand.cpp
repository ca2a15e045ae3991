// tarv-cli render: the first look at a plan before the program window exists.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PlanRender.h"
#include "cli/StripsCli.h"
#include "cli/SubstructureCli.h"

#include "model/PlanDocument.h"
#include "offer/EngineContext.h"
#include "platform/Numbers.h"

#include <cstdio>

namespace {

const char* const kRenderUsage =
    "Aufruf: tarv-cli render PLAN.pln AUS.png [--scale PX_PRO_M] [--no-images] [--data ORDNER]\n"
    "  Zeichnet alle Verlegeflächen mit ihren Objekten, der Unterkonstruktion und den\n"
    "  Randleisten in ein Bild (weißer Rand um den Plan).\n"
    "  --scale PX_PRO_M  Bildpunkte je Meter (Vorgabe 100)\n"
    "  --no-images       Dielen mit ihrer Farbe statt mit dem Oberflächenbild\n"
    "  --data ORDNER     Datenordner mit dem Bilderordner (wie TARV_DATA_DIR)\n";

} // namespace

int RunRenderCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("render"), [&] {
        TCommandLine line(QStringLiteral("render"), kRenderUsage);
        line.AddValue(QStringLiteral("scale"), QStringLiteral("PX_PRO_M"));
        line.AddFlag(QStringLiteral("no-images"));
        if (!line.Parse(args, {2})) return 0;
        double scale = kDefaultRenderScale;
        if (line.IsSet(QStringLiteral("scale"))) {
            const QString value = line.Value(QStringLiteral("scale"));
            if (!ParseReal(value, scale) || !(scale > 0) || scale > 100000)
                UsageError(QStringLiteral("ungültiger Maßstab \"%1\"").arg(value));
        }
        const bool images = !line.IsSet(QStringLiteral("no-images"));
        const QString plan = line.Positional().at(0);
        const QString picture = line.Positional().at(1);

        TEngineContext context;
        // Surface pictures come from the image folder of the data folder; without pictures
        // and without --data no data folder is touched at all.
        if (images && line.DataFolder().isEmpty()) {
            UseDataFolder(context, QString());
            context.Images.SetImagePath(context.Settings.Folders().ImagePath);
        }
        const std::unique_ptr<TPlanDocument> document = LoadPlan(context, plan, line.DataFolder());
        const QImage image =
            RenderPlan(*document, scale, images ? &context.Images : nullptr, [&](TCanvas& canvas) {
                DrawPlanVerlattung(canvas, *document);
                DrawPlanStripsAndConnectors(canvas, *document);
            });
        if (image.isNull())
            WorkError(
                QStringLiteral("Bild zu groß für den Maßstab %1").arg(FormatGeneral(scale, u',')));
        WritePicture(image, picture);
        std::printf("%s: %d x %d Bildpunkte\n", qPrintable(picture), image.width(), image.height());
        return 0;
    });
}
