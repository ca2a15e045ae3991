#pragma once
// The substructure command of a plan: regenerates the battens of a set of areas and the
// legend boxes of the substructure view; and the battens of one area.

#include <QString>

#include <vector>

class TCatalogue;
class TPlanDocument;
class TShape;
class TSubstructureContext;
struct TVektorGruppe;

// Gives every area without a generator a copy of the context's default one (with the default
// batten article), regenerates the battens of every area, places their connectors, and
// replaces the legend boxes
// (Tag 64) of the substructure text list: one per area whose battens use more than one
// article.
void NeuVerlatten(TSubstructureContext& Context, TPlanDocument& Plan,
                  const std::vector<TShape*>& Shapes);

// Regenerates the area's battens with its own generator and sums their length. An area
// without layers or batten direction ends without battens. False (the area without battens,
// the reason in Problem) when the clipper refuses the area's coordinates.
bool Verlatten(TShape& Shape, QString* Problem = nullptr);

// The legend text of an area's batten groups: "UK Artikel: " and one line per group whose
// article is in the catalogue, marked with the line style the group is drawn with.
QString SubstructureLegendText(const TCatalogue& Catalogue,
                               const std::vector<TVektorGruppe>& VerlattungColl);
