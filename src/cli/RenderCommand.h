#pragma once

#include <QStringList>

// render PLAN.pln OUT.png [--scale PX_PER_M] [--no-images] [--data DIR]: a picture of the plan.
int RunRenderCommand(const QStringList& args);
