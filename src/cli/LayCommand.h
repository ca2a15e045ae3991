#pragma once

#include <QStringList>

// lay --outline "x,y ..." --article NR --pattern NAME (--edge K | --along LINE) ...: builds a
// plan from outlines and lays it as the program does; lay --list: the patterns and their
// parameters.
int RunLayCommand(const QStringList& args);
