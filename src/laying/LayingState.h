#pragma once
// What laying needs of the program around it from start-up on: the pattern new areas get a
// copy of, the board article they are laid with, and the layer commands act on. The program
// window keeps it current; tarv-cli and tests set it up headless.

#include <QString>

class TPaneele;
class TPatternGenerator;

class TLayingState {
public:
    // The prototype new areas copy (an entry of PatternPrototypes() or the scripted one); not
    // owned. None until start-up or the laying options choose one.
    TPatternGenerator* CurrentPattern = nullptr;
    // The layer laying commands act on; may be out of range for an area (then it is skipped).
    int SelectedLayer = 0;

    // The board article new areas are laid with: the catalogue's current board.
    TPaneele& DefaultPaneel() const;
};

TLayingState& LayingState();

// The start-up presets for new areas, once the catalogue is loaded and the prototype list is
// filled: the default board article is the board article numbered DefaultProduct (empty counts
// as "99999999"), else the first article of type 1 or 2 in catalogue order, whose group becomes
// the current group; the current pattern is prototype 3 when it can lay that article, else the
// first one that can, else none.
void PresetLayingDefaults(const QString& DefaultProduct);
