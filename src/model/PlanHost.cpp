#include "model/PlanHost.h"

#include <cstdio>

void IPlanHost::ReportError(const QString& Message) {
    std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData());
}
