#pragma once
// Money of the offer in whole cents: each line is rounded once, half away from zero, and the
// totals are sums of rounded parts, so the printed lines add up to the printed totals.

#include <QString>

#include <cstdint>

using TCents = std::int64_t;

// An amount in currency units as cents, half away from zero (2.675 -> 268 although the double
// lies just below: amounts are computed from prices with at most a few decimals).
TCents ToCents(double Amount);

// "1234,50": the cents with two decimals and the separator, no grouping; "-0,05" below zero.
QString FormatCents(TCents Cents, QChar Separator);

// The totals below the positions: the net sum, the discount (whole percent, held to 0-100) and
// the value-added tax (rate in percent) each rounded to cents, the gross the sum of the parts.
struct TOfferTotals {
    TCents Netto = 0;
    TCents Rabatt = 0; // the discount taken off
    TCents Summe = 0;  // net less the discount
    TCents MwSt = 0;
    TCents Brutto = 0;
};
TOfferTotals OfferTotals(TCents Netto, int RabattPercent, double TaxRate);
