#pragma once
// The strip command: the choice of a strip article as the strip dialog ("Leiste auswählen:")
// offers it, and laying the chosen strips on areas or edges. The dialog itself belongs to the
// program window; this is what it shows and does.

#include <QString>

#include <utility>
#include <vector>

class TCatalogue;
class TPlanDocument;
class TProduct;
class TProductGroup;
class TShape;
class TSubstructureContext;

// The dialog's three ways to apply a strip: "Fläche" (result OK) the selected areas, "Kante"
// (result Yes) the selected edges, "Alles" (result All) every area of the plan.
enum class TStripScope { Flaeche, Kante, Alles };

// The error when the catalogue has no strip.
QString NoStripsText();

// Whether the article can be laid as a strip: strips and battens.
bool IsStripArticle(const TProduct& Article);

// What the strip dialog shows for a selection: the groups holding at least one strip (type
// 10), the strips and battens of the chosen group, the buttons and the preselection.
class TStripChoice {
public:
    // Remembered: the strip article chosen last (the context's), overridden by the strip of
    // the selected edge when an area and one of its edges with a strip are selected.
    TStripChoice(const TCatalogue& Catalogue, const QString& Remembered, bool EdgesSelected,
                 bool AreasSelected);

    // Empty: the command shows NoStripsText() and stops.
    const std::vector<const TProductGroup*>& Groups() const { return fGroups; }
    int SelectedGroup() const { return fGroup; }
    void SelectGroup(int Index);
    // The strip and batten articles of the selected group.
    const std::vector<const TProduct*>& Articles() const { return fArticles; }
    int SelectedArticle() const { return fArticle; }
    void SelectArticle(int Index) { fArticle = Index; }
    const TProduct* Article() const;

    bool KanteEnabled() const { return fEdges; }
    bool FlaecheEnabled() const { return fAreas; }
    // The default button; a double click on an article acts as it does.
    TStripScope DefaultScope() const;

private:
    std::vector<const TProductGroup*> fGroups;
    std::vector<const TProduct*> fArticles;
    int fGroup = -1;
    int fArticle = -1;
    bool fEdges = false;
    bool fAreas = false;
};

// The strip on the selected edge that preselects the dialog: with one selected area and an
// edge of it selected that carries a strip, that strip's article; else empty.
QString StripOfSelectedEdge(const std::vector<TShape*>& Areas,
                            const std::vector<std::pair<TShape*, int>>& Edges);

// Lays the chosen strip and remembers it as the context's last strip: "Fläche" on every edge
// of the selected areas, "Kante" on the selected edges (area, edge index) of the selected
// areas, "Alles" on every edge of every area of the plan. Returns how many edges had no room.
int LayStrips(TSubstructureContext& Context, TPlanDocument& Plan, TStripScope Scope,
              const QString& ArtikelNr, const std::vector<TShape*>& Areas,
              const std::vector<std::pair<TShape*, int>>& Edges);
