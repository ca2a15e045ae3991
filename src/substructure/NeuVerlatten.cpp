#include "substructure/NeuVerlatten.h"

#include "catalogue/Products.h"
#include "model/GraphText.h"
#include "model/PlanDocument.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"
#include "substructure/Connectors.h"
#include "substructure/SubstructureContext.h"

#include <algorithm>
#include <array>

namespace {

// The line styles with which the battens of the first to fourth article are drawn.
const std::array<QString, 4> kLegendSymbols = {QStringLiteral("____"), QStringLiteral("- . - ."),
                                               QStringLiteral(". . . ."),
                                               QStringLiteral("- - - -")};

std::unique_ptr<TGraphText> Legend(const TCatalogue& catalogue, const TShape& shape) {
    auto box = std::make_unique<TGraphText>();
    box->Typ = 0;
    box->Tag = TGraphText::kSubstructureLegendTag;
    box->SetBox(0, 0, 350, 100);
    box->Text = SubstructureLegendText(catalogue, shape.VerlattungColl());
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    GPCPolygonExtent(shape.VPolygon(), x1, y1, x2, y2);
    if (x1 <= x2) box->Move(x2 + 20, y2 + 20);
    return box;
}

// Whatever happens on the way, the plan has changed.
class TModifiedOnExit {
public:
    explicit TModifiedOnExit(TPlanDocument& plan) : fPlan(plan) {}
    TModifiedOnExit(const TModifiedOnExit&) = delete;
    TModifiedOnExit& operator=(const TModifiedOnExit&) = delete;
    ~TModifiedOnExit() { fPlan.Modified = true; }

private:
    TPlanDocument& fPlan;
};

} // namespace

QString SubstructureLegendText(const TCatalogue& Catalogue,
                               const std::vector<TVektorGruppe>& VerlattungColl) {
    QString text = QStringLiteral("UK Artikel: \r\n");
    for (size_t j = 0; j < VerlattungColl.size(); ++j) {
        const TProduct* product = Catalogue.FindProduct(VerlattungColl[j].ArtikelNr);
        if (product == nullptr) continue;
        text += kLegendSymbols[j % kLegendSymbols.size()] + QStringLiteral("  ") +
                VerlattungColl[j].ArtikelNr + QStringLiteral("  ") + product->Name.Text() +
                QStringLiteral("\r\n");
    }
    return text;
}

bool Verlatten(TShape& Shape, QString* Problem) {
    Shape.DeleteVerlattung();
    bool done = true;
    if (!Shape.Layers().empty() && Shape.HasVerlattungsRichtung()) {
        if (TLattenGenerator* generator = LattenGeneratorOf(Shape)) {
            try {
                generator->CreateVerlattung(Shape);
            } catch (const EClipError& e) {
                // Half a substructure would be counted and priced: none is safer.
                Shape.DeleteVerlattung();
                done = false;
                if (Problem) *Problem = QString::fromUtf8(e.what());
            }
        }
    }
    Shape.SumVerlattung();
    return done;
}

void NeuVerlatten(TSubstructureContext& Context, TPlanDocument& Plan,
                  const std::vector<TShape*>& Shapes) {
    TModifiedOnExit modified(Plan);
    IPlanHost& host = Plan.Host();
    host.ClearSelections();

    const TSubstructureDefaults& defaults = Context.SubstructureDefaults;
    for (TShape* shape : Shapes) {
        if (shape->LattenGenerator() || defaults.DefaultLattenGenerator == nullptr) continue;
        std::unique_ptr<TLattenGenerator> generator = defaults.DefaultLattenGenerator->Clone();
        generator->LattenArtNr.SetText(defaults.DefaultUKArtikel);
        shape->SetLattenGenerator(std::move(generator));
    }

    host.StatusText(0, QStringLiteral(" Verlatten..."));
    for (TShape* shape : Shapes) {
        QString problem;
        if (Verlatten(*shape, &problem)) continue;
        const auto it = std::find_if(Plan.ShapeList.begin(), Plan.ShapeList.end(),
                                     [&](const auto& s) { return s.get() == shape; });
        Context.Messages().ShowError(
            QStringLiteral("Verlegefläche %1: keine Unterkonstruktion möglich (%2).")
                .arg(it - Plan.ShapeList.begin() + 1)
                .arg(problem));
    }
    for (TShape* shape : Shapes)
        UKVerbinder(*shape, Context.Catalogue);

    std::erase_if(Plan.TextListUK,
                  [](const auto& box) { return box->Tag == TGraphText::kSubstructureLegendTag; });
    for (TShape* shape : Shapes)
        if (shape->VerlattungColl().size() > 1)
            Plan.TextListUK.push_back(Legend(Context.Catalogue, *shape));

    host.StatusText(0, QString());
    Plan.UpdateSummen();
    host.Repaint();
}
