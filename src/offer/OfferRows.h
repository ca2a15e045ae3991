#pragma once
// The article rows of an offer: one per article that packages are opened of, with the
// packages and the pieces the plan needs of them.

#include "offer/CutOptimization.h"

#include <QString>

#include <cstdint>
#include <vector>

class TCatalogue;

struct TOfferArticleRow {
    QString ArtikelNr;
    std::int64_t Pakete = 0; // packages opened
    double PckEin = 0;       // pieces per package
    std::int64_t Needed = 0; // pieces needed of them
};

// The rows of the package lists of all entries, in the order their articles first appear.
// Articles without a price in currency Currency (0-2) are left out, with their leftovers,
// unless ShowAll. Packages are the stock pieces over the whole pieces a package holds (at
// least one) for cut articles, the package records for counted ones; the pieces needed are
// the packages' pieces less the untouched stock pieces, or less the pieces left in the last
// package.
std::vector<TOfferArticleRow> OfferArticleRows(const TCatalogue& Catalogue,
                                               const std::vector<TEntryResult>& Results,
                                               int Currency, bool ShowAll);
