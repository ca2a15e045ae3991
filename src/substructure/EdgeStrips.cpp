#include "substructure/EdgeStrips.h"

#include "catalogue/Products.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "substructure/SubstructureContext.h"

#include <algorithm>

QString NoStripsText() {
    return QStringLiteral("Es befinden sich keine Leisten im Artikelstamm.\r"
                          "Legen Sie zuerst Leisten im Artikelstamm an.");
}

bool IsStripArticle(const TProduct& Article) {
    return Article.Typ == ptLeiste || Article.Typ == ptLatte;
}

TStripChoice::TStripChoice(const TCatalogue& Catalogue, const QString& Remembered,
                           bool EdgesSelected, bool AreasSelected)
    : fEdges(EdgesSelected), fAreas(AreasSelected) {
    int rememberedGroup = -1;
    for (const auto& group : Catalogue.ProductGroups()) {
        const auto& items = group->Products.Items();
        if (std::none_of(items.begin(), items.end(),
                         [](const auto& p) { return p->Typ == ptLeiste; }))
            continue;
        if (rememberedGroup < 0 && !Remembered.isEmpty() &&
            std::any_of(items.begin(), items.end(),
                        [&](const auto& p) { return p->ArtikelNr.Text() == Remembered; }))
            rememberedGroup = static_cast<int>(fGroups.size());
        fGroups.push_back(group.get());
    }
    if (fGroups.empty()) return;
    SelectGroup(std::max(rememberedGroup, 0));
    for (size_t i = 0; i < fArticles.size(); ++i)
        if (fArticles[i]->ArtikelNr.Text() == Remembered) fArticle = static_cast<int>(i);
}

void TStripChoice::SelectGroup(int Index) {
    if (Index < 0 || Index >= static_cast<int>(fGroups.size())) return;
    fGroup = Index;
    fArticles.clear();
    for (const auto& p : fGroups[static_cast<size_t>(Index)]->Products.Items())
        if (IsStripArticle(*p)) fArticles.push_back(p.get());
    fArticle = fArticles.empty() ? -1 : 0;
}

const TProduct* TStripChoice::Article() const {
    return fArticle >= 0 && fArticle < static_cast<int>(fArticles.size())
               ? fArticles[static_cast<size_t>(fArticle)]
               : nullptr;
}

TStripScope TStripChoice::DefaultScope() const {
    if (fEdges) return TStripScope::Kante;
    return fAreas ? TStripScope::Flaeche : TStripScope::Alles;
}

QString StripOfSelectedEdge(const std::vector<TShape*>& Areas,
                            const std::vector<std::pair<TShape*, int>>& Edges) {
    for (TShape* area : Areas)
        for (const auto& [shape, edge] : Edges) {
            if (shape != area || edge < 0 || edge >= static_cast<int>(area->Verleistung().size()))
                continue;
            const QString number = area->Verleistung()[static_cast<size_t>(edge)]->ArtikelNr.Text();
            if (!number.isEmpty()) return number;
        }
    return QString();
}

int LayStrips(TSubstructureContext& Context, TPlanDocument& Plan, TStripScope Scope,
              const QString& ArtikelNr, const std::vector<TShape*>& Areas,
              const std::vector<std::pair<TShape*, int>>& Edges) {
    Context.LastStripArtikel = ArtikelNr;
    int withoutRoom = 0;
    switch (Scope) {
    case TStripScope::Flaeche:
        for (TShape* area : Areas)
            withoutRoom += area->VerLeisten(Context.Catalogue, nullptr, ArtikelNr);
        break;
    case TStripScope::Kante:
        for (TShape* area : Areas) {
            std::vector<int> own;
            for (const auto& [shape, edge] : Edges)
                if (shape == area) own.push_back(edge);
            // An area without selected edges keeps its strips (an empty list would clear them).
            if (!own.empty()) withoutRoom += area->VerLeisten(Context.Catalogue, &own, ArtikelNr);
        }
        break;
    case TStripScope::Alles:
        for (auto& area : Plan.ShapeList)
            withoutRoom += area->VerLeisten(Context.Catalogue, nullptr, ArtikelNr);
        break;
    }
    Plan.Modified = true;
    return withoutRoom;
}
