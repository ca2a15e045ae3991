#include "offer/OfferPackages.h"

#include "catalogue/Products.h"
#include "offer/CutOptimization.h"

#include <algorithm>

bool IsCountedTyp(std::int32_t Typ) {
    return Typ == ptKlammer || Typ == ptKralle || Typ == ptSonstiges || Typ == ptModul;
}

bool PackCountedEntry(const TProduct& Article, const TArtikelItemArray& Items,
                      TArtikelItemArray& PaketList, TArtikelItemArray& RestColl) {
    if (!IsCountedTyp(Article.Typ) || Items.Empty()) return true;
    std::int64_t n = 0;
    if (Article.Typ == ptKlammer || Article.Typ == ptKralle) {
        for (const TArtikelItem& item : Items)
            n += std::max<std::int32_t>(item.PckEin, 0);
    } else {
        n = std::max<std::int32_t>(Items.Get(0).PckEin, 0);
    }
    // A package unit of zero or less, or none at all, counts single pieces.
    const std::int32_t p = PackageUnit(Article.PckEin);
    TArtikelItem package;
    package.ArtikelNr.SetText(Article.ArtikelNr.Text());
    package.Laenge = 1.0;
    package.StirnSeite = 1;
    package.Typ = static_cast<std::uint16_t>(Article.Typ);
    package.PckEin = p;
    const std::int64_t whole = n / p, part = n % p;
    if (whole + (part > 0 ? 1 : 0) > kMaxPackages) return false;
    for (std::int64_t k = 0; k < whole + (part > 0 ? 1 : 0); ++k)
        PaketList.Add(package);
    if (part > 0) {
        TArtikelItem rest = package;
        rest.PckEin = static_cast<std::int32_t>(p - part);
        RestColl.Add(rest);
    }
    return true;
}
