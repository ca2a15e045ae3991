// tarv-cli bedarf: the requirement of a laid plan, optimised into sold lengths and packages.

#include "cli/BedarfJson.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "model/Bedarf.h"
#include "model/PlanDocument.h"
#include "offer/BedarfCollect.h"
#include "offer/CutOptimization.h"
#include "offer/EngineContext.h"
#include "platform/Numbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

const char* const kBedarfUsage =
    "Aufruf: tarv-cli bedarf PLAN.pln [--data ORDNER] [--json] [--optimizer exact|classic]\n"
    "                        [--no-optimize] [--time-limit S]\n"
    "  Sammelt den Bedarf des Plans und optimiert den Zuschnitt jedes Artikels.\n"
    "  --optimizer O     exact (Vorgabe der Einstellungen) oder classic (die klassische Suche)\n"
    "  --no-optimize     Verschnittoptimierung aus: nur der Artikel selbst, keine\n"
    "                    Zusammenfassung verträglicher Artikel\n"
    "  --time-limit S    Sekunden je Artikel (Vorgabe: exact 10, classic ohne Grenze)\n"
    "  --json            je Artikel Teile, Pakete, Reste, Gesamtlänge, Untergrenze und\n"
    "                    Schnittplan\n"
    "  --data ORDNER     Datenordner mit Artikelstamm und Einstellungen\n";

QString Metres(double cm) {
    return FormatFixed(cm / 100, 2, QLatin1Char(','));
}

} // namespace

TOptimizeOptions ReadOptimizeOptions(const TCommandLine& Line, bool ExactByDefault) {
    TOptimizeOptions options;
    options.Optimizer = ExactByDefault ? TOptimizer::Exact : TOptimizer::Classic;
    if (Line.IsSet(QStringLiteral("optimizer"))) {
        const QString name = Line.Value(QStringLiteral("optimizer"));
        if (name == u"exact")
            options.Optimizer = TOptimizer::Exact;
        else if (name == u"classic")
            options.Optimizer = TOptimizer::Classic;
        else
            UsageError(
                QStringLiteral("--optimizer erwartet exact oder classic, nicht \"%1\"").arg(name));
    }
    if (Line.IsSet(QStringLiteral("time-limit"))) {
        const QString value = Line.Value(QStringLiteral("time-limit"));
        double seconds = 0;
        if (!ParseReal(value, u'.', seconds) || !(seconds > 0) || seconds > 1e6)
            UsageError(QStringLiteral("--time-limit erwartet Sekunden, nicht \"%1\"").arg(value));
        options.Control.TimeLimit = seconds;
    }
    return options;
}

int RunBedarfCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("bedarf"), [&] {
        TCommandLine line(QStringLiteral("bedarf"), kBedarfUsage);
        line.AddFlag(QStringLiteral("json"));
        line.AddFlag(QStringLiteral("no-optimize"));
        line.AddValue(QStringLiteral("optimizer"), QStringLiteral("NAME"));
        line.AddValue(QStringLiteral("time-limit"), QStringLiteral("S"));
        if (!line.Parse(args, {1})) return 0;

        TEngineContext context;
        const std::unique_ptr<TPlanDocument> plan =
            LoadPlan(context, line.Positional().at(0), line.DataFolder());
        TOptimizeOptions options =
            ReadOptimizeOptions(line, context.Settings.User().ExakteOptimierung);
        options.Optimierung = !line.IsSet(QStringLiteral("no-optimize"));

        QStringList messages;
        TBedarfsColl coll;
        CollectBedarf(context.Catalogue, {plan.get()}, coll, &messages);
        // A missing article stops the build before anything is optimised.
        const QString missing = options.Optimierung
                                    ? MergeCompatibleEntries(context.Catalogue, coll)
                                    : CheckArticles(context.Catalogue, coll);
        if (!missing.isEmpty()) WorkError(QString(missing).replace(u'\r', u'\n'));
        std::vector<TEntryResult> results =
            OptimizeBedarf(context.Catalogue, coll, options, &messages);
        RenumberTags(coll, results);

        for (const QString& m : messages)
            std::fprintf(stderr, "%s\n", qPrintable(m));
        if (line.IsSet(QStringLiteral("json"))) {
            QJsonArray entries;
            for (size_t e = 0; e < coll.Entries.size(); ++e)
                entries.append(BedarfEntryJson(coll.Entries[e], &results[e]));
            PrintJson(QJsonDocument(entries));
            return 0;
        }
        QTextStream out(stdout);
        for (size_t e = 0; e < coll.Entries.size(); ++e) {
            const TBedarfsEntry& entry = coll.Entries[e];
            const TEntryResult& r = results[e];
            out << entry.ArtikelNr << ": " << entry.Items.Count() << " Posten";
            if (r.Optimised && r.Solution.Found)
                out << ", " << r.Solution.Opened.size() << " Lagerstücke, "
                    << Metres(r.Solution.Total) << " m"
                    << (std::isfinite(r.Stats.Untergrenze)
                            ? QStringLiteral(" (Untergrenze %1 m%2)")
                                  .arg(Metres(r.Stats.Untergrenze),
                                       r.Stats.Optimal ? QStringLiteral(", optimal") : QString())
                            : QString());
            else if (!entry.Items.Empty() && entry.Items.Get(0).PckEin > 0)
                out << ", Anzahl " << entry.Items.Get(0).PckEin;
            out << '\n';
        }
        return 0;
    });
}
