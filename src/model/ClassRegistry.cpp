// The registry of graphic object classes: serial IDs, class names and older class names that
// plan files may carry, in the order the lookup tries them.

#include "model/GraphBalken.h"
#include "model/GraphLeiste.h"
#include "model/GraphModule.h"
#include "model/GraphPaneele.h"
#include "model/GraphText.h"
#include "model/GraphicObject.h"
#include "model/Shapes.h"

#include <vector>

namespace {

struct TRegistryEntry {
    QString Name;
    TGraphicObjectFactory Factory;
    TObjectPlacement Placement;
};

template <class T>
std::unique_ptr<TGraphicObject> Make() {
    return std::make_unique<T>();
}

std::vector<TRegistryEntry>& Registry() {
    static std::vector<TRegistryEntry> entries = [] {
        std::vector<TRegistryEntry> e;
        const auto add = [&](const char* name, TGraphicObjectFactory factory,
                             TObjectPlacement placement = TObjectPlacement::LayerElement) {
            e.push_back({QLatin1String(name), factory, placement});
        };
        // The program's order: the first entry of a name wins.
        add("MO", &Make<TGraphModule>);
        add("TGraphModule", &Make<TGraphModule>);
        add("TElement", &Make<TGraphModule>);
        add("PA", &Make<TGraphPaneel>);
        add("TGraphPaneel", &Make<TGraphPaneel>);
        add("TVerlegeBrett", &Make<TGraphPaneel>);
        add("LE", &Make<TGraphLeiste>);
        add("TGraphLeiste", &Make<TGraphLeiste>);
        add("TVerlegeLeiste", &Make<TGraphLeiste>);
        add("TE", &Make<TGraphText>);
        add("TGraphText", &Make<TGraphText>);
        add("TGraphicObject", &Make<TGraphicObject>, TObjectPlacement::NotInLayers);
        add("TShape", &Make<TShape>, TObjectPlacement::NotInLayers);
        add("SA", &Make<TShape>, TObjectPlacement::NotInLayers);
        add("BA", &Make<TGraphBalken>);
        add("TGraphBalken", &Make<TGraphBalken>);
        return e;
    }();
    return entries;
}

const TRegistryEntry* Find(const QString& Name) {
    for (const TRegistryEntry& e : Registry())
        if (SameTextAZ(e.Name, Name)) return &e;
    return nullptr;
}

} // namespace

void RegisterGraphicObjectClass(TGraphicObjectFactory Factory, const QString& Name,
                                TObjectPlacement Placement) {
    Registry().push_back({Name, Factory, Placement});
}

TGraphicObjectFactory FindGraphicObjectClass(const QString& Name) {
    const TRegistryEntry* e = Find(Name);
    return e ? e->Factory : nullptr;
}

TGraphicObjectFactory FindLayerObjectClass(const QString& Name) {
    const TRegistryEntry* e = Find(Name);
    return e && e->Placement != TObjectPlacement::NotInLayers ? e->Factory : nullptr;
}
