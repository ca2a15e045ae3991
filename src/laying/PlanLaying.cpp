#include "laying/PlanLaying.h"

#include "catalogue/Paneele.h"
#include "laying/LayingContext.h"
#include "laying/Patterns.h"
#include "model/PlanDocument.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"

namespace {

// Gives the areas whose layer has no generator yet a copy of the current pattern.
void GiveGenerators(TLayingContext& Context, const std::vector<TShape*>& Shapes) {
    const int layer = Context.Laying.SelectedLayer;
    const TPatternGenerator* pattern = Context.Laying.CurrentPattern;
    if (pattern == nullptr) return;
    for (TShape* shape : Shapes) {
        if (!shape->HasVerlegeRichtung() || !shape->HasLayer(layer)) continue;
        if (shape->GetPatternGenerator(layer) != nullptr) continue;
        std::unique_ptr<TPatternGenerator> generator = pattern->Clone();
        generator->Product->Assign(Context.DefaultPaneel());
        const TPatternGenerator& given = *generator;
        shape->SetPatternGenerator(layer, std::move(generator));
        Context.SubstructureStep().ChooseDefault(given);
    }
}

// The area's number as the user counts them: its place in the plan, from 1.
int AreaNumber(const TPlanDocument& Document, const TShape& Shape) {
    for (std::size_t i = 0; i < Document.ShapeList.size(); ++i)
        if (Document.ShapeList[i].get() == &Shape) return static_cast<int>(i) + 1;
    return 0;
}

} // namespace

TNeuVerlegenResult NeuVerlegen(TLayingContext& Context, TPlanDocument& Document,
                               const std::vector<TShape*>& Shapes, TLayingTrigger Trigger) {
    IPlanHost& host = Document.Host();
    auto* window = dynamic_cast<ILayingCommandHost*>(&host);
    host.ClearSelections();
    host.ClearRequirement();
    if (window) window->BeginLaying();
    // Runs however the command ends, so the window never stays locked or busy.
    const auto finish = [&] {
        if (window) window->EndLaying();
        Document.Modified = true;
    };

    TNeuVerlegenResult result;
    try {
        GiveGenerators(Context, Shapes);

        host.StatusText(0, QStringLiteral(" Produkte aktualisieren..."));
        for (TShape* shape : Shapes)
            UpdateGenerator(Context, *shape);

        host.StatusText(0, QStringLiteral(" Verlegen..."));
        for (std::size_t i = 0; i < Shapes.size(); ++i) {
            result.Layers.push_back(
                LayShapeLayer(*Shapes[i], Context.Laying.SelectedLayer, Trigger));
            const TLayerLaying& laid = result.Layers.back();
            result.AnyLaid = result.AnyLaid || laid.Laid;
            if (!laid.Problem.isEmpty())
                Context.Messages().ShowError(QStringLiteral("Verlegefläche %1: %2")
                                                 .arg(AreaNumber(Document, *Shapes[i]))
                                                 .arg(laid.Problem));
        }

        Context.SubstructureStep().NeuVerlatten(Document, Shapes);

        host.StatusText(0, QString());
        Document.UpdateSummen();
        host.Repaint();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    if (window) window->LayingFinished(result.AnyLaid);
    return result;
}

TNeuVerlegenResult NeuVerlegenAll(TLayingContext& Context, TPlanDocument& Document,
                                  TLayingTrigger Trigger) {
    std::vector<TShape*> shapes;
    for (const auto& shape : Document.ShapeList)
        shapes.push_back(shape.get());
    return NeuVerlegen(Context, Document, shapes, Trigger);
}
