#include "CatalogueTestSupport.h"

#include "catalogue/CatalogueFiles.h"

QByteArray CatalogueBytes(const QByteArrayList& lines) {
    QByteArray bytes = CatalogueHeader().toLatin1() + "\r\n";
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

TProductGroup& GroupNamed(TCatalogue& catalogue, const QString& name) {
    if (TProductGroup* group = catalogue.FindGroupByName(name)) return *group;
    return *catalogue.AddGroup(std::make_unique<TProductGroup>(name));
}

TProduct& AddArticle(TProductGroup& group, std::int32_t typ, const QString& number,
                     const QString& name) {
    std::unique_ptr<TProduct> product = CreateProductOfType(typ);
    product->ArtikelNr.SetText(number);
    product->Name.SetText(name);
    TProduct& added = *product;
    group.Products.Add(std::move(product));
    return added;
}
