#pragma once
// Edge strips and substructure battens (types 10 and 11).

#include "catalogue/Products.h"

// Widths the strip dialog accepts, in cm.
constexpr double kLeisteMinBreite = 3;
constexpr double kLeisteMaxBreite = 25;

class TLeiste : public TProduct {
public:
    TLeiste();

    QString ClassName() const override { return QStringLiteral("TLeiste"); }
    std::unique_ptr<TProduct> Create() const override;
    QString Defect() const override;

    // A width outside 3..25 cm becomes 3 cm.
    static double ClampBreite(double width);

protected:
    QString FormatDimCode(int currency, const QString& currencyName) const override;
};
