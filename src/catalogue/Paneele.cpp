#include "catalogue/Paneele.h"

#include "platform/Numbers.h"
#include "platform/ValueStream.h"

TPaneele::TPaneele() {
    Name = u"Neues Produkt ohne Name";
    Typ = ptPaneel;
    Color = RGBColor(240, 200, 140);
}

std::unique_ptr<TProduct> TPaneele::Create() const {
    return std::make_unique<TPaneele>();
}

void TPaneele::Assign(const TProduct& source) {
    TProduct::Assign(source);
    if (const auto* s = dynamic_cast<const TPaneele*>(&source)) {
        Lattenabstand = s->Lattenabstand;
        PreisLaenge = s->PreisLaenge;
        PreisBreite = s->PreisBreite;
        KlammernNr = s->KlammernNr;
        LattenNr = s->LattenNr;
    }
}

void TPaneele::ReadData(TReader& r) {
    TProduct::ReadData(r);
    r.ReadInteger(); // own version, carries nothing
    Lattenabstand = ReadFiniteDouble(r);
    PreisLaenge = ReadFiniteDouble(r);
    PreisBreite = ReadFiniteDouble(r);
    KlammernNr.ReadBlock(r);
    LattenNr.ReadBlock(r);
}

void TPaneele::WriteData(TWriter& w) const {
    TProduct::WriteData(w);
    w.WriteInteger(0);
    w.WriteRawDouble(Lattenabstand);
    w.WriteRawDouble(PreisLaenge);
    w.WriteRawDouble(PreisBreite);
    KlammernNr.WriteBlock(w);
    LattenNr.WriteBlock(w);
}

QString TPaneele::Defect() const {
    return DimensionDefect();
}

QString BoardDimCode(double preisLaenge, double preisBreite, double pckEin, double price,
                     int preisArt, const QString& currencyName) {
    const QString unit = preisArt == 0   ? QStringLiteral("/m²")
                         : preisArt == 1 ? QStringLiteral("/m")
                         : preisArt == 2 ? QStringLiteral("/Stck")
                                         : QString();
    return FormatFixed(preisLaenge * 10, 0, u',') + u'x' + FormatFixed(preisBreite * 10, 0, u',') +
           QStringLiteral("mm  ") + FormatFixed(pckEin, 0, u',') + QStringLiteral("/Pck  ") +
           FormatFixed(price, 2, u',') + u' ' + currencyName + unit;
}

QString TPaneele::FormatDimCode(int currency, const QString& currencyName) const {
    return BoardDimCode(PreisLaenge, PreisBreite, PckEin, Preis[std::size_t(currency)], PreisArt,
                        currencyName);
}
