#include "catalogue/CatalogueJson.h"

#include "catalogue/Balken.h"
#include "catalogue/Paneele.h"

#include <QJsonArray>

namespace {

QString KindName(TCatalogueErrorKind kind) {
    switch (kind) {
    case TCatalogueErrorKind::LoadFailed:
        return QStringLiteral("LoadFailed");
    case TCatalogueErrorKind::LineFailed:
        return QStringLiteral("LineFailed");
    case TCatalogueErrorKind::SaveFailed:
        return QStringLiteral("SaveFailed");
    case TCatalogueErrorKind::SaveSkipped:
        return QStringLiteral("SaveSkipped");
    }
    return QString();
}

} // namespace

QJsonObject ProductToJson(const TProduct& p, const TCurrency& currency) {
    QJsonObject o;
    o[u"Class"] = p.ClassName();
    o[u"ProductGroup"] = p.ProductGroup ? p.ProductGroup->Name().Text() : QString();
    o[u"Name"] = p.Name.Text();
    o[u"ArtikelNr"] = p.ArtikelNr.Text();
    o[u"InfoText1"] = p.InfoText1.Text();
    o[u"Typ"] = p.Typ;
    o[u"ImageFileName"] = p.ImageFileName.Text();
    o[u"ImageIndex"] = p.ImageIndex;
    o[u"VBreite"] = p.VBreite;
    o[u"VLaenge"] = p.VLaenge;
    o[u"PckEin"] = p.PckEin;
    o[u"Preis"] = QJsonArray{p.Preis[0], p.Preis[1], p.Preis[2]};
    o[u"PreisArt"] = p.PreisArt;
    o[u"FileListIndex"] = p.FileListIndex;
    o[u"Color"] = qint64(p.Color);
    o[u"Hidden"] = p.Hidden;
    o[u"AngebotsTextNr"] = p.AngebotsTextNr;
    o[u"MeldungsTextNr"] = p.MeldungsTextNr;
    o[u"AutoInsert"] = p.AutoInsert;
    o[u"Multiplikator"] = p.Multiplikator;
    o[u"Kreuzverbinder"] = p.Kreuzverbinder.Text();
    o[u"Winkelverbinder"] = p.Winkelverbinder.Text();
    o[u"Laengsverbinder"] = p.Laengsverbinder.Text();
    if (const auto* board = dynamic_cast<const TPaneele*>(&p)) {
        o[u"Lattenabstand"] = board->Lattenabstand;
        o[u"PreisLaenge"] = board->PreisLaenge;
        o[u"PreisBreite"] = board->PreisBreite;
        o[u"KlammernNr"] = board->KlammernNr.Text();
        o[u"LattenNr"] = board->LattenNr.Text();
    } else if (const auto* beam = dynamic_cast<const TBalken*>(&p)) {
        o[u"VLaengeMin"] = beam->VLaengeMin;
        o[u"VLaengeMax"] = beam->VLaengeMax;
        o[u"VBreiteMin"] = beam->VBreiteMin;
        o[u"VBreiteMax"] = beam->VBreiteMax;
        o[u"Lattenabstand"] = beam->Lattenabstand;
        o[u"PreisLaenge"] = beam->PreisLaenge;
        o[u"PreisBreite"] = beam->PreisBreite;
        o[u"KlammernNr"] = beam->KlammernNr.Text();
        o[u"LattenNr"] = beam->LattenNr.Text();
    }
    o[u"DimCode"] = p.DimCode(currency);
    return o;
}

QJsonObject GroupToJson(const TProductGroup& group, const TCurrency& currency) {
    QJsonArray products;
    for (const auto& product : group.Products.Items())
        products.append(ProductToJson(*product, currency));
    QJsonObject o;
    o[u"Name"] = group.Name().Text();
    o[u"InfoText1"] = group.InfoText1.Text();
    o[u"ImageFileName"] = group.ImageFileName.Text();
    o[u"ImageIndex"] = group.ImageIndex;
    o[u"Products"] = products;
    return o;
}

QJsonObject ErrorToJson(const TCatalogueError& error) {
    QJsonObject o;
    o[u"Kind"] = KindName(error.Kind);
    o[u"Path"] = error.Path;
    if (error.Kind == TCatalogueErrorKind::LineFailed) o[u"Line"] = error.Line;
    o[u"Text"] = error.Text;
    o[u"Detail"] = error.Detail;
    return o;
}

QJsonObject CatalogueToJson(const TCatalogue& catalogue, const TCurrency& currency,
                            const std::vector<TCatalogueError>& errors) {
    QJsonArray groups;
    for (const auto& group : catalogue.ProductGroups())
        groups.append(GroupToJson(*group, currency));
    QJsonObject o;
    o[u"ProductGroups"] = groups;
    o[u"ProductFiles"] = QJsonArray::fromStringList(catalogue.ProductFileNames());
    if (!errors.empty()) {
        QJsonArray list;
        for (const TCatalogueError& error : errors)
            list.append(ErrorToJson(error));
        o[u"Errors"] = list;
    }
    return o;
}
