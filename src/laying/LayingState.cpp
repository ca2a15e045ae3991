#include "laying/LayingState.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "laying/Patterns.h"

TPaneele& TLayingState::DefaultPaneel() const {
    return Catalogue().CurrentPaneel();
}

TLayingState& LayingState() {
    static TLayingState state;
    return state;
}

namespace {

// The board article start-up presets: the named one when it is a board, else the first panel.
const TPaneele* DefaultBoard(const QString& DefaultProduct) {
    const QString number = DefaultProduct.isEmpty() ? QStringLiteral("99999999") : DefaultProduct;
    if (const auto* named = dynamic_cast<const TPaneele*>(FindProduct(number))) return named;
    for (const auto& group : Catalogue().ProductGroups())
        for (const auto& product : group->Products.Items())
            if (product->Typ == ptPaneel || product->Typ == ptPaneelFeder)
                if (const auto* board = dynamic_cast<const TPaneele*>(product.get())) return board;
    return nullptr;
}

} // namespace

void PresetLayingDefaults(const QString& DefaultProduct) {
    TLayingState& state = LayingState();
    if (const TPaneele* board = DefaultBoard(DefaultProduct)) {
        Catalogue().CurrentPaneel().Assign(*board);
        Catalogue().SetCurrentProductGroup(FindProductGroup(board->ArtikelNr.Text()));
    }
    const TPaneele& article = state.DefaultPaneel();
    auto& prototypes = PatternPrototypes();
    state.CurrentPattern = nullptr;
    if (prototypes.size() > 3 && prototypes[3]->Possible(article)) {
        state.CurrentPattern = prototypes[3].get();
        return;
    }
    for (const auto& prototype : prototypes)
        if (prototype->Possible(article)) {
            state.CurrentPattern = prototype.get();
            return;
        }
}
