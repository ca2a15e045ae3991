// tarv-cli convert: a plan file of any older format written again in the current one.

#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "offer/EngineContext.h"

namespace {

const char* const kConvertUsage =
    "Aufruf: tarv-cli convert EIN.pln AUS.pln [--data ORDNER]\n"
    "  Lädt einen Verlegeplan und speichert ihn im aktuellen Dateiformat.\n"
    "  --data ORDNER  Datenordner, dessen Lattenartikel ältere Pläne ohne eigenen bekommen\n";

} // namespace

int RunConvertCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("convert"), [&] {
        TCommandLine line(QStringLiteral("convert"), kConvertUsage);
        if (!line.Parse(args, {2})) return 0;
        const QString source = line.Positional().at(0);
        const QString target = line.Positional().at(1);
        TEngineContext context;
        std::unique_ptr<TPlanDocument> plan = LoadPlan(context, source, line.DataFolder());
        QString detail;
        if (!SavePlanFile(*plan, target, &detail))
            WorkError(PlanSaveErrorText(target) + QLatin1Char('\n') + detail);
        return 0;
    });
}
