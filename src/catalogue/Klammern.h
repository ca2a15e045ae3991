#pragma once
// Clips and claws (types 20 and 21); priced per package.

#include "catalogue/Products.h"

class TKlammer : public TProduct {
public:
    TKlammer();

    QString ClassName() const override { return QStringLiteral("TKlammer"); }
    std::unique_ptr<TProduct> Create() const override;

protected:
    QString FormatDimCode(int currency, const QString& currencyName) const override;
};
