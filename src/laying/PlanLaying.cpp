#include "laying/PlanLaying.h"

#include "catalogue/Paneele.h"
#include "laying/LayingState.h"
#include "laying/Patterns.h"
#include "model/PlanDocument.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"

namespace {

ISubstructureStep& DefaultSubstructureStep() {
    static ISubstructureStep step;
    return step;
}

ISubstructureStep*& InstalledSubstructureStep() {
    static ISubstructureStep* step = nullptr;
    return step;
}

bool HasDirection(const TShape& Shape) {
    return Shape.VerlegeRichtung.rx != 0 || Shape.VerlegeRichtung.ry != 0;
}

bool HasLayer(const TShape& Shape, int Layer) {
    return Layer >= 0 && Layer < static_cast<int>(Shape.Layers.size());
}

// Gives the areas whose layer has no generator yet a copy of the current pattern.
void GiveGenerators(const std::vector<TShape*>& Shapes, const TLayingState& State) {
    const int layer = State.SelectedLayer;
    if (State.CurrentPattern == nullptr) return;
    for (TShape* shape : Shapes) {
        if (!HasDirection(*shape) || !HasLayer(*shape, layer)) continue;
        if (shape->GetPatternGenerator(layer) != nullptr) continue;
        std::unique_ptr<TPatternGenerator> generator = State.CurrentPattern->Clone();
        generator->Product->Assign(State.DefaultPaneel());
        generator->Shape = shape;
        const TPatternGenerator& given = *generator;
        shape->SetPatternGenerator(layer, std::move(generator));
        SubstructureStep().ChooseDefault(given);
    }
}

} // namespace

ISubstructureStep* SetSubstructureStep(ISubstructureStep* Step) {
    ISubstructureStep* previous = InstalledSubstructureStep();
    InstalledSubstructureStep() = Step;
    return previous;
}

ISubstructureStep& SubstructureStep() {
    ISubstructureStep* step = InstalledSubstructureStep();
    return step ? *step : DefaultSubstructureStep();
}

TNeuVerlegenResult NeuVerlegen(TPlanDocument& Document, const std::vector<TShape*>& Shapes,
                               TLayingTrigger Trigger) {
    return NeuVerlegen(Document, Shapes, Trigger, LayingState());
}

TNeuVerlegenResult NeuVerlegen(TPlanDocument& Document, const std::vector<TShape*>& Shapes,
                               TLayingTrigger Trigger, const TLayingState& State) {
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
        GiveGenerators(Shapes, State);

        host.StatusText(0, QStringLiteral(" Produkte aktualisieren..."));
        for (TShape* shape : Shapes)
            shape->UpdateGenerator();

        host.StatusText(0, QStringLiteral(" Verlegen..."));
        for (TShape* shape : Shapes) {
            result.Layers.push_back(LayShapeLayer(*shape, State.SelectedLayer, Trigger));
            result.AnyLaid = result.AnyLaid || result.Layers.back().Laid;
        }

        SubstructureStep().NeuVerlatten(Document, Shapes);

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

TNeuVerlegenResult NeuVerlegenAll(TPlanDocument& Document, TLayingTrigger Trigger) {
    std::vector<TShape*> shapes;
    for (const auto& shape : Document.ShapeList)
        shapes.push_back(shape.get());
    return NeuVerlegen(Document, shapes, Trigger);
}
