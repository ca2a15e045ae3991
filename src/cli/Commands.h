#pragma once
// The subcommands of tarv-cli. Each takes the arguments after its name and returns the exit
// status; output goes to stdout, errors to stderr.

#include <QStringList>

int RunPolygonCommand(const QStringList& args);
// info PLAN.pln [--json]: the loaded plan as a German summary or one JSON object.
int RunInfoCommand(const QStringList& args);
// convert IN.pln OUT.pln: loads and saves in the current format.
int RunConvertCommand(const QStringList& args);
// catalogue [--data DIR] [--json]: the article catalogue as the program loads it at start-up.
int RunCatalogueCommand(const QStringList& args);
