#include "substructure/SubstructureDefaults.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "laying/Patterns.h"
#include "model/Shapes.h"
#include "platform/AppSettings.h"
#include "substructure/SubstructureContext.h"

namespace {

QString FirstBattenArticle(const TCatalogue& Catalogue) {
    for (const auto& group : Catalogue.ProductGroups())
        for (const auto& product : group->Products.Items())
            if (product->Typ == ptLatte) return product->ArtikelNr.Text();
    return QString();
}

} // namespace

void InitSubstructureDefaults(TSubstructureContext& Context, const TGeneralSettings& Settings) {
    TSubstructureDefaults& defaults = Context.SubstructureDefaults;
    defaults.DefaultUKArtikel = Settings.DefaultUKArtikel.isEmpty()
                                    ? FirstBattenArticle(Context.Catalogue)
                                    : Settings.DefaultUKArtikel;
    std::int32_t layout = Settings.DefaultUKMuster;
    if (Context.LattenPrototype(layout) == nullptr) layout = kFallbackUKMuster;
    defaults.DefaultUKMuster = layout;
    defaults.DefaultLattenGenerator = Context.LattenPrototype(layout);
    if (TLattenGenerator* generator = defaults.DefaultLattenGenerator) {
        generator->Init(Context.DefaultPaneel());
        generator->LattenArtNr.SetText(defaults.DefaultUKArtikel);
    }
}

void ChooseDefaultLattenGenerator(TSubstructureContext& Context, const TPatternGenerator& Pattern) {
    TSubstructureDefaults& defaults = Context.SubstructureDefaults;
    TLattenGenerator* chosen = nullptr;
    if (Pattern.SuitableLG(defaults.DefaultUKMuster))
        chosen = Context.LattenPrototype(defaults.DefaultUKMuster);
    else if (Pattern.LattenGenID != 0)
        chosen = Context.LattenPrototype(Pattern.LattenGenID);
    if (chosen != nullptr && Pattern.Product) chosen->Init(*Pattern.Product);
    defaults.DefaultLattenGenerator = chosen;
}

void AdoptLattenGeneratorOfShape(TSubstructureContext& Context, const TShape& Shape) {
    const TLattenGenerator* generator = LattenGeneratorOf(Shape);
    if (generator == nullptr) return;
    for (const auto& prototype : Context.LattenGeneratorList) {
        if (!prototype || prototype->Name != generator->Name) continue;
        prototype->Assign(*generator);
        TSubstructureDefaults& defaults = Context.SubstructureDefaults;
        defaults.DefaultLattenGenerator = prototype.get();
        defaults.DefaultUKArtikel = generator->LattenArtNr.Text();
        return;
    }
}
