#pragma once
// Modules (type 40): composed of elements by the module script named in ImageFileName.
// Always priced per piece.

#include "catalogue/Products.h"

class TModul : public TProduct {
public:
    TModul();

    QString ClassName() const override { return QStringLiteral("TModul"); }
    std::unique_ptr<TProduct> Create() const override;
    void ReadData(TReader& reader) override;

protected:
    QString FormatDimCode(int currency, const QString& currencyName) const override;
};
