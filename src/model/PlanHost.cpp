#include "model/PlanHost.h"

IPlanHost& SilentPlanHost() {
    static IPlanHost host;
    return host;
}
