#include "offer/Money.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TCents ToCents(double Amount) {
    if (!std::isfinite(Amount)) return 0;
    // A few units of the last place beyond the half, so that binary representation does not
    // turn a decimal half down.
    const double cents = Amount * 100;
    const double hair = std::fabs(cents) * 1e-14 + 1e-12;
    return static_cast<TCents>(std::llround(cents + std::copysign(hair, cents)));
}

QString FormatCents(TCents Cents, QChar Separator) {
    const TCents whole = std::llabs(Cents) / 100, part = std::llabs(Cents) % 100;
    return QStringLiteral("%1%2%3%4")
        .arg(Cents < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(Separator)
        .arg(part, 2, 10, QLatin1Char('0'));
}

TOfferTotals OfferTotals(TCents Netto, int RabattPercent, double TaxRate) {
    TOfferTotals t;
    t.Netto = Netto;
    const int percent = std::clamp(RabattPercent, 0, 100);
    t.Rabatt = ToCents(Netto / 100.0 * percent / 100.0);
    t.Summe = Netto - t.Rabatt;
    t.MwSt = ToCents(t.Summe / 100.0 * TaxRate / 100.0);
    t.Brutto = t.Summe + t.MwSt;
    return t;
}
