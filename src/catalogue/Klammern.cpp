#include "catalogue/Klammern.h"

#include "platform/Numbers.h"

TKlammer::TKlammer() {
    Name = u"Neue Klammer ohne Name";
    Typ = ptKlammer;
    PckEin = 250;
    Preis = {6.5, 0, 0};
}

std::unique_ptr<TProduct> TKlammer::Create() const {
    return std::make_unique<TKlammer>();
}

// "250 Stck/Pck 6,50 EUR/Pck": the price of a clip article is that of a package.
QString TKlammer::FormatDimCode(int currency, const QString& currencyName) const {
    QString price = FormatFixed(Preis[std::size_t(currency)], 2, u',');
    if (price.size() < 2) price = price.rightJustified(2);
    return FormatFixed(PckEin, 0, u',') + QStringLiteral(" Stck/Pck ") + price + u' ' +
           currencyName + QStringLiteral("/Pck");
}
