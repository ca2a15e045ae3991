#pragma once
// Boards, panels, profile timber and parquet (types 0..3).

#include "catalogue/Products.h"

class TPaneele : public TProduct {
public:
    TPaneele();

    QString ClassName() const override { return QStringLiteral("TPaneele"); }
    std::unique_ptr<TProduct> Create() const override;
    void Assign(const TProduct& source) override;
    void ReadData(TReader& reader) override;
    void WriteData(TWriter& writer) const override;
    QString Defect() const override;

    double Lattenabstand = 66; // maximum batten spacing under the board
    double PreisLaenge = 80;   // calculation length: pieces are priced and counted with it
    double PreisBreite = 25;   // calculation width
    TArticleText<25> KlammernNr;
    TArticleText<25> LattenNr;

protected:
    QString FormatDimCode(int currency, const QString& currencyName) const override;
};

// The dimension line of boards and beams: "2000x145mm  10/Pck  24,95 EUR/m", calculation
// length and width in mm, then the price with its unit.
QString BoardDimCode(double preisLaenge, double preisBreite, double pckEin, double price,
                     int preisArt, const QString& currencyName);
