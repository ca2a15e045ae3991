#pragma once
// Beams and friezes (type 50).

#include "catalogue/Products.h"

class TBalken : public TProduct {
public:
    TBalken();

    QString ClassName() const override { return QStringLiteral("TBalken"); }
    std::unique_ptr<TProduct> Create() const override;
    void Assign(const TProduct& source) override;
    void ReadData(TReader& reader) override;
    void WriteData(TWriter& writer) const override;
    QString Defect() const override;

    double VLaengeMin = 40;
    double VLaengeMax = 1000;
    double VBreiteMin = 5;
    double VBreiteMax = 60;
    double Lattenabstand = 66;
    double PreisLaenge = 80;
    double PreisBreite = 25;
    TArticleText<25> KlammernNr;
    TArticleText<25> LattenNr;

protected:
    QString FormatDimCode(int currency, const QString& currencyName) const override;
};
