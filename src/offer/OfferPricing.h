#pragma once
// The priced line of an article in the offer: its description, the quantity in the article's
// price unit, the unit price and the price, by the article's class and price kind.

#include "offer/Money.h"

#include <QString>

#include <cstdint>

class TProduct;

struct TPricedLine {
    QString Bezeichnung; // group name, name and the dimensions
    QString Menge;       // quantity with its unit
    QString Einzelpreis; // unit price with currency and unit
    TCents Preis = 0;    // rounded once, half away from zero
};

// Packages of Article at its price in currency Currency (0-2) named CurrencyName; numbers
// with Separator. Boards and strips priced per package, and strips per piece under either
// kind, are priced as such; an unknown price kind prices nothing.
TPricedLine PriceArticleLine(const TProduct& Article, const QString& GroupName,
                             std::int64_t Packages, int Currency, const QString& CurrencyName,
                             QChar Separator);

// A free position: quantity and unit price as entered, the price their product.
TPricedLine PriceFreeLine(double Menge, double Einzelpreis, const QString& CurrencyName,
                          QChar Separator);

// The number at the start of a cell as the user typed it, its unit after the first blank left
// off; "." and "," both count as the decimal point. False where it is no number.
bool ParseCellNumber(const QString& Cell, double& Value);

// The "Stück" cell of an article row: "x " and the pieces a package holds, with the pieces
// needed in brackets where shown.
QString StueckText(double PckEin, std::int64_t Needed, bool ShowNeeded);
// The same for a position the user added from the catalogue: the package unit with one
// decimal and the pieces of its packages.
QString StueckTextOfPosition(double PckEin, std::int64_t Packages, QChar Separator);
