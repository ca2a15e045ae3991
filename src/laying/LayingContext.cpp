#include "laying/LayingContext.h"

#include "catalogue/Paneele.h"
#include "laying/CompositePatterns.h"
#include "laying/OffsetPatterns.h"
#include "laying/SimplePatterns.h"
#include "model/ModuleThumbnail.h"
#include "platform/TextFields.h"

#include <QFileInfo>

namespace {

template <class T>
std::unique_ptr<TPatternGeneratorBase> Make() {
    return std::make_unique<T>();
}

// The built-in patterns in their prototype order; the same table registers their classes.
constexpr TPatternGeneratorFactory kBuiltInPatterns[] = {
    &Make<TProfilHolzGen>,     &Make<TSinglePanelGen>,    &Make<TVersatzGen>,
    &Make<THalbVersatzGen>,    &Make<TDrittelVersatzGen>, &Make<TViertelVersatzGen>,
    &Make<TLaengenVersatzGen>, &Make<TWinkelVersatzGen>,  &Make<TVerzahnGen>,
    &Make<TParkettGen>,        &Make<TFischgraetGen>,     &Make<TWuerfelVersatzGen>,
};

// The board article start-up presets: the named one when it is a board, else the first panel.
const TPaneele* DefaultBoard(const TCatalogue& Catalogue, const QString& DefaultProduct) {
    const QString number = DefaultProduct.isEmpty() ? QStringLiteral("99999999") : DefaultProduct;
    if (const auto* named = dynamic_cast<const TPaneele*>(Catalogue.FindProduct(number)))
        return named;
    for (const auto& group : Catalogue.ProductGroups())
        for (const auto& product : group->Products.Items())
            if (product->Typ == ptPaneel || product->Typ == ptPaneelFeder)
                if (const auto* board = dynamic_cast<const TPaneele*>(product.get())) return board;
    return nullptr;
}

} // namespace

TLayingContext::TLayingContext(IMessageSink* Messages) : TCatalogueContext(Messages) {
    // The first layer of the context that knows plan objects draws the module thumbnails. The
    // elements' scripts lie beside the module's, in the folder the picture list was given.
    ProductImages.SetModuleDrawer(
        [this](QPainter& Painter, const QSize& Size, const TProduct& Module, const QString& Path) {
            DrawModuleThumbnail(Painter, Size, Module, Path,
                                TArticleSource{Catalogue, QFileInfo(Path).absolutePath()});
        });
    for (const TPatternGeneratorFactory make : kBuiltInPatterns) {
        std::unique_ptr<TPatternGeneratorBase> prototype = make();
        RegisterPatternGeneratorClass(prototype->Name, make);
        PatternPrototypes.emplace_back(static_cast<TPatternGenerator*>(prototype.release()));
    }
}

TLayingContext::~TLayingContext() = default;

const TPaneele& TLayingContext::DefaultPaneel() const {
    return Catalogue.CurrentPaneel();
}

TPatternGenerator* TLayingContext::FindPatternPrototype(const QString& Name) const {
    for (const auto& prototype : PatternPrototypes)
        if (SameTextAZ(prototype->Name, Name)) return prototype.get();
    return nullptr;
}

void PresetLayingDefaults(TLayingContext& Context, const QString& DefaultProduct) {
    if (const TPaneele* board = DefaultBoard(Context.Catalogue, DefaultProduct)) {
        Context.Catalogue.CurrentPaneel().Assign(*board);
        Context.Catalogue.SetCurrentProductGroup(
            Context.Catalogue.FindProductGroup(board->ArtikelNr.Text()));
    }
    const TPaneele& article = Context.DefaultPaneel();
    auto& prototypes = Context.PatternPrototypes;
    TPatternGenerator*& current = Context.Laying.CurrentPattern;
    current = nullptr;
    if (prototypes.size() > 3 && prototypes[3]->Possible(article)) {
        current = prototypes[3].get();
        return;
    }
    for (const auto& prototype : prototypes)
        if (prototype->Possible(article)) {
            current = prototype.get();
            return;
        }
}
