// tarv-cli info: what a plan file holds, as the program sees it after loading.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PlanJson.h"

#include "model/Generators.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "model/Shapes.h"
#include "offer/EngineContext.h"
#include "platform/Numbers.h"

#include <QJsonDocument>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

QString Num(double v, int decimals) {
    return std::isfinite(v) ? FormatFixed(v, decimals, QLatin1Char(',')) : QStringLiteral("-");
}

QString YesNo(bool b) {
    return b ? QStringLiteral("ja") : QStringLiteral("nein");
}

void PrintSummary(const TPlanDocument& plan, QTextStream& out) {
    out << "Plan:            " << plan.FileName << "\n";
    if (!plan.Comment.IsEmpty()) out << "Kommentar:       " << plan.Comment.Text() << "\n";
    out << "Zoomstufe:       " << plan.ZoomIndex << "\n";
    const QStringList kunde = {plan.KundenVorName, plan.KundenName, plan.KundenStrasse,
                               plan.KundenPLZ, plan.KundenOrt};
    if (!kunde.join(QString()).isEmpty() || !plan.KundenNummer.isEmpty())
        out << "Kunde:           " << kunde.join(QLatin1Char(' ')).simplified()
            << (plan.KundenNummer.isEmpty() ? QString() : " (Nr. " + plan.KundenNummer + ")")
            << "\n";
    if (!plan.Bearbeiter.isEmpty()) out << "Bearbeiter:      " << plan.Bearbeiter << "\n";
    if (!plan.Telefon.isEmpty()) out << "Telefon:         " << plan.Telefon << "\n";
    if (!plan.Kommission.isEmpty()) out << "Kommission:      " << plan.Kommission << "\n";

    out << "Verlegeflächen:  " << plan.ShapeList.size() << "\n";
    int index = 0;
    for (const auto& shape : plan.ShapeList) {
        int holes = 0;
        for (int h : shape->VPolygon().hole)
            holes += h != 0 ? 1 : 0;
        size_t objects = 0;
        for (const auto& layer : shape->Layers())
            objects += layer.size();
        out << "  Fläche " << ++index << ": " << (shape->Closed() ? "geschlossen" : "offen")
            << ", Aussparung: " << YesNo(shape->IsAussparung())
            << ", Eckpunkte: " << shape->VertexCount()
            << ", wirksame Umrisse: " << shape->VPolygon().num_contours() - holes
            << ", davon Löcher: " << holes << "\n";
        out << "    Fläche " << Num(shape->Flaeche(), 2) << " m², Umfang "
            << Num(shape->Umfang(), 2) << " m, Schwerpunkt " << Num(shape->Schwerpunkt().x, 1)
            << " / " << Num(shape->Schwerpunkt().y, 1) << " cm\n";
        out << "    Ebenen: " << shape->LayerCount() << ", Objekte: " << objects;
        if (!shape->LattenArtikelNr().isEmpty())
            out << ", Lattenartikel: " << shape->LattenArtikelNr();
        out << "\n";
        if (const TLattenGeneratorBase* generator = shape->LattenGenerator())
            out << "    Unterkonstruktion: " << generator->Name << "\n";
        for (const TVektorGruppe& group : shape->VerlattungColl()) {
            double length = 0;
            for (const TVektor& batten : group.Vektoren)
                length += batten.Betrag();
            out << "    Latten " << group.ArtikelNr << ": " << group.Vektoren.size() << " Stück, "
                << Num(length / 100, 2) << " m\n";
        }
    }
    if (!plan.UserAngebotsList.empty()) {
        out << "Angebotszeilen:  " << plan.UserAngebotsList.size() << "\n";
        for (const TUserAngebotsItem& row : plan.UserAngebotsList)
            out << "  " << row.Artikel.Text() << " | " << row.Paket.Text() << " | "
                << row.Stueck.Text() << " | " << row.Bezeichnung.Text() << " | " << row.Menge.Text()
                << " | " << row.Einzelpreis.Text() << "\n";
    }
    out << "Textfelder:      " << plan.TextList.size()
        << ", Module: " << plan.CommonModulList.size() << "\n";
    out << "Gesamtfläche:    " << Num(plan.GesamtFlaeche, 2) << " m²\n";
    out << "Gesamtumfang:    " << Num(plan.GesamtUmfang, 2) << " m\n";
    out << "Spiegel/Feder:   " << Num(plan.GesamtSpiegel / 100, 1) << " m\n";
}

const char* const kInfoUsage =
    "Aufruf: tarv-cli info PLAN.pln [--json] [--data ORDNER]\n"
    "  Lädt einen Verlegeplan wie das Programm und zeigt, was er enthält.\n"
    "  --json         ein JSON-Objekt mit den Feldnamen des Plans\n"
    "  --data ORDNER  Datenordner, dessen Lattenartikel ältere Pläne ohne eigenen bekommen\n";

} // namespace

int RunInfoCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("info"), [&] {
        TCommandLine line(QStringLiteral("info"), kInfoUsage);
        line.AddFlag(QStringLiteral("json"));
        if (!line.Parse(args, {1})) return 0;
        TEngineContext context;
        const QString path = line.Positional().first();
        std::unique_ptr<TPlanDocument> plan = LoadPlan(context, path, line.DataFolder());
        plan->UpdateSummen();
        if (line.IsSet(QStringLiteral("json"))) {
            PrintJson(QJsonDocument(PlanToJson(*plan)));
        } else {
            QTextStream out(stdout);
            PrintSummary(*plan, out);
        }
        return 0;
    });
}
