#include "catalogue/Leisten.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

TLeiste::TLeiste() {
    Name = u"Neue Leiste ohne Name";
    Typ = ptLeiste;
    VBreite = 3;
    VLaenge = 200;
    Color = RGBColor(255, 0, 0);
}

std::unique_ptr<TProduct> TLeiste::Create() const {
    return std::make_unique<TLeiste>();
}

QString TLeiste::Defect() const {
    return DimensionDefect();
}

double TLeiste::ClampBreite(double width) {
    // Every width the strip dialog accepts (up to 25 cm) survives; anything else is reset.
    if (!(width >= kLeisteMinBreite && width <= kLeisteMaxBreite)) return kLeisteMinBreite;
    return width;
}

// "2500mm  10/Pck  8,90 EUR/m": strips are priced per metre or per piece.
QString TLeiste::FormatDimCode(int currency, const QString& currencyName) const {
    const QString unit = PreisArt == 0   ? QStringLiteral("/m")
                         : PreisArt == 1 ? QStringLiteral("/Stck")
                                         : QString();
    return FormatFixed(VLaenge * 10, 0, u',') + QStringLiteral("mm  ") +
           FormatFixed(PckEin, 0, u',') + QStringLiteral("/Pck  ") +
           FormatFixed(Preis[std::size_t(currency)], 2, u',') + u' ' + currencyName + unit;
}
