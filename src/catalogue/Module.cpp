#include "catalogue/Module.h"

#include "platform/Numbers.h"

TModul::TModul() {
    Name = u"Neues Module ohne Name";
    Typ = ptModul;
    VBreite = 0;
    VLaenge = 0;
    Color = RGBColor(255, 0, 0);
}

std::unique_ptr<TProduct> TModul::Create() const {
    return std::make_unique<TModul>();
}

void TModul::ReadData(TReader& reader) {
    TProduct::ReadData(reader);
    PreisArt = 2;
}

// "1/Pck  149,00 EUR": a module's usual price kind (per piece) adds no unit.
QString TModul::FormatDimCode(int currency, const QString& currencyName) const {
    const QString unit = PreisArt == 0   ? QStringLiteral("/m")
                         : PreisArt == 1 ? QStringLiteral("/Stck")
                                         : QString();
    return FormatFixed(PckEin, 0, u',') + QStringLiteral("/Pck  ") +
           FormatFixed(Preis[std::size_t(currency)], 2, u',') + u' ' + currencyName + unit;
}
