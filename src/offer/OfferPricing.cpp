#include "offer/OfferPricing.h"

#include "catalogue/Klammern.h"
#include "catalogue/Leisten.h"
#include "catalogue/Paneele.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

TPricedLine PriceArticleLine(const TProduct& Article, const QString& GroupName,
                             std::int64_t Packages, int Currency, const QString& CurrencyName,
                             QChar Separator) {
    const auto F = [&](double x, int d) { return FormatFixed(x, d, Separator); };
    const auto* board = dynamic_cast<const TPaneele*>(&Article);
    const auto* strip = dynamic_cast<const TLeiste*>(&Article);
    const bool clip = dynamic_cast<const TKlammer*>(&Article) != nullptr;
    TPricedLine line;
    QString dimension;
    if (board)
        dimension = F(board->PreisLaenge * 10, 0) + u'x' + F(board->PreisBreite * 10, 0) +
                    QStringLiteral("mm");
    else if (strip)
        dimension = F(Article.VLaenge * 10, 0) + QStringLiteral("mm");
    line.Bezeichnung = GroupName + u' ' + Article.Name.Text() + u' ' + dimension;

    const double price = Article.Preis[static_cast<size_t>(std::clamp(Currency, 0, 2))];
    const double packages = static_cast<double>(Packages);
    const double s = packages * Article.PckEin; // pieces
    const QString unitPrice = F(price, 2) + u' ' + CurrencyName;
    const auto set = [&](const QString& menge, const QString& unit, double amount) {
        line.Menge = menge;
        line.Einzelpreis = unitPrice + unit;
        line.Preis = ToCents(amount);
    };
    const QString perPackage = QString::number(Packages) + QStringLiteral(" Pck");
    const int kind = Article.PreisArt;
    if (clip) {
        set(F(s, 0) + QStringLiteral(" Stck"), QString(), packages * price);
    } else if (board) {
        const double l = board->PreisLaenge, b = board->PreisBreite;
        if (kind == 0)
            set(F(b * l / 10000 * s, 2) + QStringLiteral(" m²"), QStringLiteral("/m²"),
                b * l * price / 10000 * s);
        else if (kind == 1)
            set(F(s * l / 100, 2) + QStringLiteral(" m"), QStringLiteral("/m"),
                l * price / 100 * s);
        else if (kind == 2)
            set(F(s, 0) + QStringLiteral(" Stck"), QStringLiteral("/Stck"), price * s);
        else if (kind == 3)
            set(perPackage, QStringLiteral("/Pck"), packages * price);
    } else if (strip) {
        if (kind == 0)
            set(F(Article.VLaenge * s / 100, 2) + QStringLiteral(" m"), QStringLiteral("/m"),
                Article.VLaenge * s / 100 * price);
        else if (kind == 1 || kind == 2)
            set(F(s, 0) + QStringLiteral(" Stck"), QStringLiteral("/St"), s * price);
        else if (kind == 3)
            set(perPackage, QStringLiteral("/Pck"), packages * price);
    } else {
        if (kind == 0)
            set(F(s, 1) + QStringLiteral(" m²"), QStringLiteral("/m²"), s * price);
        else if (kind == 1)
            set(F(s, 1) + QStringLiteral(" m"), QStringLiteral("/m"), s * price);
        else if (kind == 2)
            set(F(s, 0) + QStringLiteral(" Stck"), QString(), s * price);
        else if (kind == 3)
            set(perPackage, QStringLiteral("/Pck"), packages * price);
    }
    return line;
}

TPricedLine PriceFreeLine(double Menge, double Einzelpreis, const QString& CurrencyName,
                          QChar Separator) {
    TPricedLine line;
    line.Menge = FormatFixed(Menge, 2, Separator);
    line.Einzelpreis = FormatFixed(Einzelpreis, 2, Separator) + u' ' + CurrencyName;
    line.Preis = ToCents(Menge * Einzelpreis);
    return line;
}

bool ParseCellNumber(const QString& Cell, double& Value) {
    const QString text = Cell.trimmed();
    const qsizetype blank = text.indexOf(u' ');
    return ParseReal(blank < 0 ? text : text.left(blank), Value);
}

QString StueckText(double PckEin, std::int64_t Needed, bool ShowNeeded) {
    QString text = QStringLiteral("x ") + FormatFixed(PckEin, 0, u'.');
    if (ShowNeeded) text += QStringLiteral(" [%1]").arg(Needed);
    return text;
}

QString StueckTextOfPosition(double PckEin, std::int64_t Packages, QChar Separator) {
    return QStringLiteral("x ") + FormatFixed(PckEin, 1, Separator) +
           QStringLiteral("  [%1]").arg(std::llround(static_cast<double>(Packages) * PckEin));
}
