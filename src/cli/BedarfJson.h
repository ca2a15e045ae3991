#pragma once
// Requirement entries and cut results as JSON: what tarv-cli bedarf and verschnitt print.

#include "offer/CutOptimization.h"

#include <QJsonObject>

class TCommandLine;

// {ArtikelNr, Items}, and for an optimised entry PaketList, RestColl, Gesamtlaenge,
// Untergrenze, Optimal, Knoten, Sekunden and Schnittplan (per opened stock piece Nr,
// ArtikelNr, Laenge, Schnitte in cut order, Rest); Fehler when it has no solution.
QJsonObject BedarfEntryJson(const TBedarfsEntry& Entry, const TEntryResult* Result);

// --optimizer exact|classic and --time-limit S of bedarf and verschnitt.
TOptimizeOptions ReadOptimizeOptions(const TCommandLine& Line, bool ExactByDefault);
