#pragma once
// Edge strips and connectors in tarv-cli: the strip options of "lay" and the pictures of
// strips and connectors as the edge-strip and substructure views draw them.

#include <QString>

#include <optional>
#include <vector>

class TCanvas;
class TPlanDocument;
class TShape;
class TSubstructureContext;

// --strips ARTNR [--strip-edges i,j,...].
struct TStripCliOptions {
    QString ArtikelNr;                     // empty: no strips
    std::optional<std::vector<int>> Edges; // none: every edge
};

// Reads "i,j,..." into edge indices; false for anything else.
bool ParseStripEdges(const QString& Text, std::vector<int>& Edges);

// Lays the strips on every edge (or the listed ones) of the areas. An unknown article or one
// that is no strip is a usage error with the program's message.
void ApplyStripOptions(TSubstructureContext& Context, TPlanDocument& Plan,
                       const std::vector<TShape*>& Shapes, const TStripCliOptions& Options);

// Every area's strips in their colours and widths, then its connectors in grey: squares for
// crossing and angle connectors, two strokes along the batten for joints.
void DrawPlanStripsAndConnectors(TCanvas& Canvas, const TPlanDocument& Plan);
