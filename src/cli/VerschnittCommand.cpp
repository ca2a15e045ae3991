// tarv-cli verschnitt: one cut optimisation given directly, for checking the optimisers.

#include "cli/BedarfJson.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "catalogue/Products.h"
#include "model/Bedarf.h"
#include "offer/CutOptimization.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace {

const char* const kVerschnittUsage =
    "Aufruf: tarv-cli verschnitt AUFGABE.json [--optimizer exact|classic] [--time-limit S]\n"
    "  Optimiert den Zuschnitt eines Artikels. AUFGABE.json:\n"
    "  {\"Typ\": t, \"Optimierung\": true, \"Lager\": [{\"ArtikelNr\", \"Laenge\", \"PckEin\"}],\n"
    "   \"Teile\": [{\"Laenge\", \"StirnSeite\", \"Anzahl\"}]}\n"
    "  (Längen der Teile wie im Bedarf, vor der Toleranz von 0,1 cm.)\n"
    "  --optimizer O     exact (Vorgabe) oder classic\n"
    "  --time-limit S    Sekunden (Vorgabe: exact 10, classic ohne Grenze)\n";

// Far more pieces than any job; a larger instance is no cut list.
constexpr std::int64_t kMaxPieces = 100000;

[[noreturn]] void Bad(const QString& Text) {
    UsageError(QStringLiteral("Aufgabe: %1").arg(Text));
}

double Number(const QJsonObject& o, const char* key, const QString& where, bool required,
              double fallback) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() && !required) return fallback;
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        Bad(QStringLiteral("%1: \"%2\" ist keine Zahl").arg(where, QLatin1String(key)));
    return v.toDouble();
}

std::int64_t Whole(const QJsonObject& o, const char* key, const QString& where, std::int64_t min,
                   std::int64_t max, std::int64_t fallback) {
    const double v = Number(o, key, where, false, static_cast<double>(fallback));
    if (v != std::floor(v) || v < static_cast<double>(min) || v > static_cast<double>(max))
        Bad(QStringLiteral("%1: \"%2\" muss eine ganze Zahl von %3 bis %4 sein")
                .arg(where, QLatin1String(key))
                .arg(min)
                .arg(max));
    return static_cast<std::int64_t>(v);
}

QJsonArray List(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isArray() || v.toArray().isEmpty())
        Bad(QStringLiteral("\"%1\" fehlt oder ist leer").arg(QLatin1String(key)));
    return v.toArray();
}

QJsonObject Element(const QJsonValue& v, const QString& where) {
    if (!v.isObject()) Bad(QStringLiteral("%1 ist kein Objekt").arg(where));
    return v.toObject();
}

} // namespace

int RunVerschnittCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("verschnitt"), [&] {
        TCommandLine line(QStringLiteral("verschnitt"), kVerschnittUsage);
        line.AddValue(QStringLiteral("optimizer"), QStringLiteral("NAME"));
        line.AddValue(QStringLiteral("time-limit"), QStringLiteral("S"));
        if (!line.Parse(args, {1})) return 0;
        TOptimizeOptions options = ReadOptimizeOptions(line, true);

        const QString path = line.Positional().at(0);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            UsageError(QStringLiteral("%1: %2").arg(path, file.errorString()));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(file.read(64 << 20), &error);
        if (doc.isNull()) Bad(error.errorString());
        if (!doc.isObject()) Bad(QStringLiteral("kein JSON-Objekt"));
        const QJsonObject task = doc.object();

        const auto typ =
            static_cast<std::int32_t>(Whole(task, "Typ", QStringLiteral("Typ"), 0, 11, -1));
        if (!((typ >= 0 && typ <= 3) || typ == ptLeiste || typ == ptLatte))
            Bad(QStringLiteral("\"Typ\" muss 0, 1, 2, 3, 10 oder 11 sein"));
        const QJsonValue optimierung = task.value(QStringLiteral("Optimierung"));
        if (!optimierung.isUndefined() && !optimierung.isBool())
            Bad(QStringLiteral("\"Optimierung\" ist nicht true oder false"));
        options.Optimierung = optimierung.toBool(true);

        std::vector<TCutStock> stock;
        const QJsonArray lager = List(task, "Lager");
        for (int i = 0; i < lager.size(); ++i) {
            const QString where = QStringLiteral("Lager[%1]").arg(i);
            const QJsonObject o = Element(lager[i], where);
            TCutStock s;
            s.ArtikelNr =
                o.value(QStringLiteral("ArtikelNr")).toString(QStringLiteral("L%1").arg(i + 1));
            s.Laenge = Number(o, "Laenge", where, true, 0);
            // A package unit below one piece is one piece, as for the catalogue's articles.
            const double pieces = Number(o, "PckEin", where, false, 1);
            s.PckEin = static_cast<std::int32_t>(std::clamp(std::round(pieces), 1.0, 1e6));
            stock.push_back(s);
        }
        TArtikelItemArray items;
        std::int64_t total = 0;
        const QJsonArray teile = List(task, "Teile");
        for (int i = 0; i < teile.size(); ++i) {
            const QString where = QStringLiteral("Teile[%1]").arg(i);
            const QJsonObject o = Element(teile[i], where);
            TArtikelItem item;
            item.Laenge = Number(o, "Laenge", where, true, 0);
            if (!(item.Laenge > 0))
                Bad(QStringLiteral("%1: \"Laenge\" muss positiv sein").arg(where));
            item.StirnSeite = static_cast<std::int32_t>(Whole(o, "StirnSeite", where, 1, 441, 1));
            item.Typ = static_cast<std::uint16_t>(typ);
            const std::int64_t count = Whole(o, "Anzahl", where, 1, kMaxPieces, 1);
            total += count;
            if (total > kMaxPieces) Bad(QStringLiteral("mehr als %1 Teile").arg(kMaxPieces));
            for (std::int64_t k = 0; k < count; ++k)
                items.Add(item);
        }
        // As the offer build does with optimisation on: the pieces shortest first.
        if (options.Optimierung)
            items.Sort([](const TArtikelItem& a, const TArtikelItem& b) {
                return a.Laenge < b.Laenge ? -1 : a.Laenge > b.Laenge ? 1 : 0;
            });

        QStringList messages;
        TBedarfsColl coll;
        coll.Entries.push_back({stock.front().ArtikelNr, items});
        std::vector<TEntryResult> results(1);
        TEntryResult& result = results[0];
        result.Optimised = true;
        result.Problem =
            BuildCutProblem(typ, options.Optimierung, stock, coll.Entries[0].Items, &messages);
        TCutBuild build;
        result.Solution = OptimizeProblem(result.Problem, build, options, result.Stats);
        if (!result.Solution.Found)
            result.Error = result.Problem.Lager.empty()
                               ? QStringLiteral("Kein Lagerartikel passt.")
                               : QStringLiteral("Keine Lösung: Teile länger als jede Lagerlänge "
                                                "oder die Zeit reichte nicht.");
        StoreSolution(result.Problem, result.Solution, coll.Entries[0].Items, result);
        RenumberTags(coll, results);
        for (const QString& m : messages)
            std::fprintf(stderr, "%s\n", qPrintable(m));
        PrintJson(QJsonDocument(BedarfEntryJson(coll.Entries[0], &result)));
        return result.Solution.Found ? 0 : 1;
    });
}
