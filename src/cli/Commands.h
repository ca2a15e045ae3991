#pragma once
// The subcommands of tarv-cli. Each takes the arguments after its name and returns the exit
// status; output goes to stdout, errors to stderr.

#include <QStringList>

int RunPolygonCommand(const QStringList& args);
