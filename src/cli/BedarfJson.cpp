#include "cli/BedarfJson.h"

#include "model/Bedarf.h"
#include "offer/CutOptimization.h"

#include <QJsonArray>

#include <cmath>

namespace {

// Lengths to the hundredth of a millimetre: what the sums of cuts and rests can mean.
QJsonValue Length(double v) {
    return std::isfinite(v) ? QJsonValue(std::round(v * 10000) / 10000) : QJsonValue();
}

QJsonArray ItemsJson(const TArtikelItemArray& Items) {
    QJsonArray list;
    for (const TArtikelItem& item : Items)
        list.append(QJsonObject{{"Laenge", Length(item.Laenge)},
                                {"StirnSeite", item.StirnSeite},
                                {"Typ", item.Typ},
                                {"PckEin", item.PckEin},
                                {"Tag", item.Tag},
                                {"PosX", Length(item.PosX)},
                                {"PosY", Length(item.PosY)}});
    return list;
}

QJsonArray StockJson(const TArtikelItemArray& Items, bool Rest) {
    QJsonArray list;
    for (const TArtikelItem& item : Items) {
        QJsonObject o{{"ArtikelNr", item.ArtikelNr.Text()},
                      {"Laenge", Length(item.Laenge)},
                      {"StirnSeite", item.StirnSeite},
                      {"Tag", item.Tag}};
        if (Rest)
            o.insert("SchnittFlag", item.SchnittFlag);
        else
            o.insert("PckEin", item.PckEin);
        list.append(o);
    }
    return list;
}

QJsonArray SchnittplanJson(const TEntryResult& Result) {
    QJsonArray plan;
    const TCutSolution& s = Result.Solution;
    for (size_t k = 0; k < s.Opened.size(); ++k) {
        const TCutOpened& o = s.Opened[k];
        const TCutStock& stock = Result.Problem.Lager[static_cast<size_t>(o.Stock)];
        QJsonArray cuts;
        for (const TCutOpened::TCut& cut : o.Schnitte)
            cuts.append(Length(cut.Laenge));
        plan.append(QJsonObject{{"Nr", static_cast<int>(k) + 1},
                                {"ArtikelNr", stock.ArtikelNr},
                                {"Laenge", Length(stock.Laenge)},
                                {"Schnitte", cuts},
                                {"Rest", Length(o.Rest)}});
    }
    return plan;
}

} // namespace

QJsonObject BedarfEntryJson(const TBedarfsEntry& Entry, const TEntryResult* Result) {
    QJsonObject json{{"ArtikelNr", Entry.ArtikelNr}, {"Items", ItemsJson(Entry.Items)}};
    if (Result == nullptr || !Result->Optimised) return json;
    json.insert("PaketList", StockJson(Result->PaketList, false));
    json.insert("RestColl", StockJson(Result->RestColl, true));
    json.insert("Gesamtlaenge",
                Result->Solution.Found ? Length(Result->Solution.Total) : QJsonValue());
    json.insert("Untergrenze", Length(Result->Stats.Untergrenze));
    json.insert("Optimal", Result->Stats.Optimal);
    json.insert("Knoten", static_cast<qint64>(Result->Stats.Knoten));
    json.insert("Sekunden", std::round(Result->Stats.Sekunden * 1000) / 1000);
    json.insert("Schnittplan", SchnittplanJson(*Result));
    if (!Result->Error.isEmpty()) json.insert("Fehler", Result->Error);
    return json;
}
