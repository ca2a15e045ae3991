#include "catalogue/Balken.h"

#include "catalogue/Paneele.h"
#include "platform/ValueStream.h"

TBalken::TBalken() {
    Name = u"Neuer Balken ohne Name";
    Typ = ptBalken;
    Color = RGBColor(240, 200, 140);
}

std::unique_ptr<TProduct> TBalken::Create() const {
    return std::make_unique<TBalken>();
}

void TBalken::Assign(const TProduct& source) {
    TProduct::Assign(source);
    if (const auto* s = dynamic_cast<const TBalken*>(&source)) {
        VLaengeMin = s->VLaengeMin;
        VLaengeMax = s->VLaengeMax;
        VBreiteMin = s->VBreiteMin;
        VBreiteMax = s->VBreiteMax;
        Lattenabstand = s->Lattenabstand;
        PreisLaenge = s->PreisLaenge;
        PreisBreite = s->PreisBreite;
        KlammernNr = s->KlammernNr;
        LattenNr = s->LattenNr;
    }
}

void TBalken::ReadData(TReader& r) {
    TProduct::ReadData(r);
    r.ReadInteger(); // own version, carries nothing
    VLaengeMin = ReadFiniteDouble(r);
    VLaengeMax = ReadFiniteDouble(r);
    VBreiteMin = ReadFiniteDouble(r);
    VBreiteMax = ReadFiniteDouble(r);
    Lattenabstand = ReadFiniteDouble(r);
    PreisLaenge = ReadFiniteDouble(r);
    PreisBreite = ReadFiniteDouble(r);
    KlammernNr.ReadBlock(r);
    LattenNr.ReadBlock(r);
}

void TBalken::WriteData(TWriter& w) const {
    TProduct::WriteData(w);
    w.WriteInteger(0);
    w.WriteRawDouble(VLaengeMin);
    w.WriteRawDouble(VLaengeMax);
    w.WriteRawDouble(VBreiteMin);
    w.WriteRawDouble(VBreiteMax);
    w.WriteRawDouble(Lattenabstand);
    w.WriteRawDouble(PreisLaenge);
    w.WriteRawDouble(PreisBreite);
    KlammernNr.WriteBlock(w);
    LattenNr.WriteBlock(w);
}

QString TBalken::Defect() const {
    return DimensionDefect();
}

QString TBalken::FormatDimCode(int currency, const QString& currencyName) const {
    return BoardDimCode(PreisLaenge, PreisBreite, PckEin, Preis[std::size_t(currency)], PreisArt,
                        currencyName);
}
