// The registry of graphic object classes: serial IDs, class names and older class names that
// plan files may carry, in the order the lookup tries them.

#include "model/GraphBalken.h"
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
        // Classes not listed here yet are not loadable: their records fail the load.
        e.push_back({QStringLiteral("PA"), &Make<TGraphPaneel>, TObjectPlacement::LayerElement});
        e.push_back(
            {QStringLiteral("TGraphPaneel"), &Make<TGraphPaneel>, TObjectPlacement::LayerElement});
        e.push_back(
            {QStringLiteral("TVerlegeBrett"), &Make<TGraphPaneel>, TObjectPlacement::LayerElement});
        e.push_back({QStringLiteral("TGraphicObject"), &Make<TGraphicObject>,
                     TObjectPlacement::NotInLayers});
        e.push_back({QStringLiteral("TShape"), &Make<TShape>, TObjectPlacement::NotInLayers});
        e.push_back({QStringLiteral("SA"), &Make<TShape>, TObjectPlacement::NotInLayers});
        e.push_back({QStringLiteral("BA"), &Make<TGraphBalken>, TObjectPlacement::LayerElement});
        e.push_back(
            {QStringLiteral("TGraphBalken"), &Make<TGraphBalken>, TObjectPlacement::LayerElement});
        e.push_back({QStringLiteral("TE"), &Make<TGraphText>, TObjectPlacement::LayerElement});
        e.push_back(
            {QStringLiteral("TGraphText"), &Make<TGraphText>, TObjectPlacement::LayerElement});
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
