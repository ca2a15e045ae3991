#pragma once
// The substructure command of a plan: regenerates the battens of a set of areas and the
// legend boxes of the substructure view.

#include <QString>

#include <vector>

class TPlanDocument;
class TShape;
struct TVektorGruppe;

// Gives every area without a generator a copy of the default one (with the default batten
// article), regenerates the battens of every area, and replaces the legend boxes (Tag 64) of
// the substructure text list: one per area whose battens use more than one article.
void NeuVerlatten(TPlanDocument& Plan, const std::vector<TShape*>& Shapes);

// The legend text of an area's batten groups: "UK Artikel: " and one line per group whose
// article is in the catalogue, marked with the line style the group is drawn with.
QString SubstructureLegendText(const std::vector<TVektorGruppe>& VerlattungColl);
