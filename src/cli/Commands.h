#pragma once
// The subcommands of tarv-cli. Each takes the arguments after its name and returns the exit
// status; output goes to stdout, errors to stderr in the form of cli/CliSupport.h.

#include <QStringList>

// polygon FILE: area, perimeter, centroid and extent of an outline file.
int RunPolygonCommand(const QStringList& args);
// info PLAN.pln [--json]: the loaded plan as a German summary or one JSON object.
int RunInfoCommand(const QStringList& args);
// convert IN.pln OUT.pln: loads and saves in the current format.
int RunConvertCommand(const QStringList& args);
// catalogue [--json]: the article catalogue as the program loads it at start-up.
int RunCatalogueCommand(const QStringList& args);
// lay --outline "x,y ..." --article NR --pattern NAME (--edge K | --along LINE) ...: builds a
// plan from outlines and lays it as the program does; lay --list, lay --list-uk: the patterns
// and the substructure layouts with their parameters.
int RunLayCommand(const QStringList& args);
// render PLAN.pln OUT.png [--scale PX_PER_M] [--no-images]: a picture of the plan.
int RunRenderCommand(const QStringList& args);
// modul ARTNR [--at X,Y] [--angle DEG] [--json] [--png OUT.png]: the module of a module
// article as the program places it.
int RunModulCommand(const QStringList& args);
// bedarf PLAN.pln [--json] [--optimizer exact|classic] [--no-optimize]: the requirement of a
// laid plan, optimised into sold lengths and packages.
int RunBedarfCommand(const QStringList& args);
// verschnitt INSTANCE.json [--optimizer exact|classic] [--time-limit S]: one cut optimisation.
int RunVerschnittCommand(const QStringList& args);
