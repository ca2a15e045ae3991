#include "substructure/SubstructureDefaults.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "laying/Patterns.h"
#include "model/Shapes.h"
#include "platform/AppSettings.h"
#include "substructure/LattenGeneratoren.h"

namespace {

QString FirstBattenArticle() {
    for (const auto& group : Catalogue().ProductGroups())
        for (const auto& product : group->Products.Items())
            if (product->Typ == ptLatte) return product->ArtikelNr.Text();
    return QString();
}

} // namespace

void InitSubstructureDefaults(const TGeneralSettings& Settings, const TPaneele& CurrentPaneel) {
    TSubstructureDefaults& defaults = SubstructureDefaults();
    defaults.DefaultUKArtikel =
        Settings.DefaultUKArtikel.isEmpty() ? FirstBattenArticle() : Settings.DefaultUKArtikel;
    std::int32_t layout = Settings.DefaultUKMuster;
    if (LattenPrototype(layout) == nullptr) layout = kFallbackUKMuster;
    defaults.DefaultUKMuster = layout;
    defaults.DefaultLattenGenerator = LattenPrototype(layout);
    if (TLattenGenerator* generator = defaults.DefaultLattenGenerator) {
        generator->Init(CurrentPaneel);
        generator->LattenArtNr.SetText(defaults.DefaultUKArtikel);
    }
}

void ChooseDefaultLattenGenerator(const TPatternGenerator& Pattern) {
    TSubstructureDefaults& defaults = SubstructureDefaults();
    TLattenGenerator* chosen = nullptr;
    if (Pattern.SuitableLG(defaults.DefaultUKMuster))
        chosen = LattenPrototype(defaults.DefaultUKMuster);
    else if (Pattern.LattenGenID != 0)
        chosen = LattenPrototype(Pattern.LattenGenID);
    if (chosen != nullptr && Pattern.Product) chosen->Init(*Pattern.Product);
    defaults.DefaultLattenGenerator = chosen;
}

void AdoptLattenGeneratorOfShape(const TShape& Shape) {
    const TLattenGenerator* generator = Shape.LattenGenerator.get();
    if (generator == nullptr) return;
    for (const auto& prototype : LattenGeneratorList()) {
        if (!prototype || prototype->Name != generator->Name) continue;
        prototype->Assign(*generator);
        // A prototype belongs to no area.
        prototype->Shape = nullptr;
        TSubstructureDefaults& defaults = SubstructureDefaults();
        defaults.DefaultLattenGenerator = prototype.get();
        defaults.DefaultUKArtikel = generator->LattenArtNr.Text();
        return;
    }
}
