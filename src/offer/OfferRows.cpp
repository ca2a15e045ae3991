#include "offer/OfferRows.h"

#include "catalogue/Products.h"
#include "offer/OfferPackages.h"

#include <algorithm>
#include <cmath>

std::vector<TOfferArticleRow> OfferArticleRows(const TCatalogue& Catalogue,
                                               const std::vector<TEntryResult>& Results,
                                               int Currency, bool ShowAll) {
    std::vector<TOfferArticleRow> rows;
    std::vector<double> left;  // per row: untouched stock pieces, or pieces left over
    std::vector<char> counted; // per row: whether its article is counted into packages
    const auto rowOf = [&](const QString& number) -> TOfferArticleRow* {
        for (TOfferArticleRow& r : rows)
            if (r.ArtikelNr == number) return &r;
        return nullptr;
    };
    const size_t currency = static_cast<size_t>(std::clamp(Currency, 0, 2));
    for (const TEntryResult& result : Results)
        for (const TArtikelItem& record : result.PaketList) {
            const QString number = record.ArtikelNr.Text();
            TOfferArticleRow* row = rowOf(number);
            if (row == nullptr) {
                const TProduct* article = Catalogue.FindProduct(number);
                if (article == nullptr) continue;
                if (!(article->Preis[currency] > 0) && !ShowAll) continue;
                rows.push_back({number, 0, article->PckEin, 0});
                left.push_back(0);
                counted.push_back(IsCountedTyp(article->Typ));
                row = &rows.back();
            }
            ++row->Pakete;
        }
    for (const TEntryResult& result : Results)
        for (const TArtikelItem& record : result.RestColl) {
            TOfferArticleRow* row = rowOf(record.ArtikelNr.Text());
            if (row == nullptr) continue;
            double& l = left[static_cast<size_t>(row - rows.data())];
            if (IsCountedTyp(record.Typ))
                l = record.PckEin;
            else if (record.SchnittFlag == 0)
                l += 1;
        }
    for (size_t i = 0; i < rows.size(); ++i) {
        TOfferArticleRow& row = rows[i];
        if (!counted[i]) row.Pakete /= PackageUnit(row.PckEin); // stock pieces to packages
        row.Needed = std::llround(static_cast<double>(row.Pakete) * row.PckEin - left[i]);
    }
    return rows;
}
