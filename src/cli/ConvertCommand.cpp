// tarv-cli convert: a plan file of any older format written again in the current one.

#include "cli/Commands.h"

#include "model/PlanDocument.h"
#include "model/PlanFile.h"

#include <cstdio>

int RunConvertCommand(const QStringList& args) {
    if (args.size() != 2) {
        std::fputs("Aufruf: tarv-cli convert EIN.pln AUS.pln\n", stderr);
        return 2;
    }
    const QString& source = args.at(0);
    const QString& target = args.at(1);
    std::unique_ptr<TPlanDocument> plan = LoadPlanFile(source);
    if (!plan) {
        std::fprintf(stderr, "%s\n", qPrintable(PlanLoadErrorText(source)));
        return 1;
    }
    QString detail;
    if (!SavePlanFile(*plan, target, &detail)) {
        std::fprintf(stderr, "%s\n", qPrintable(PlanSaveErrorText(target)));
        return 1;
    }
    return 0;
}
