// tarv-cli info: what a plan file holds, as the program sees it after loading.

#include "cli/Commands.h"

#include "laying/Patterns.h"
#include "model/GraphBalken.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "substructure/LattenGeneratoren.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

// JSON has no NaN or infinity; a covered area's centroid can be either.
QJsonValue Number(double v) {
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QJsonArray Point(double x, double y) {
    return QJsonArray{Number(x), Number(y)};
}

QJsonArray Vertices(const Tgpc_vertex_list& contour) {
    QJsonArray list;
    for (const Tgpc_vertex& v : contour.vertex)
        list.append(Point(v.x, v.y));
    return list;
}

QJsonObject ObjectJson(const TGraphicObject& o) {
    QJsonObject json{{"SerialID", o.SerialID()},
                     {"ArtikelNr", o.ArtikelNr.Text()},
                     {"Typ", o.Typ},
                     {"Color", static_cast<qint64>(o.Color)},
                     {"ImageFileName", o.ImageFileName.Text()}};
    if (const auto* board = dynamic_cast<const TGraphPaneel*>(&o)) {
        json.insert("Polygon", Vertices(board->Polygon.contour[0]));
        json.insert("Direction", Number(board->Direction()));
    }
    if (const auto* beam = dynamic_cast<const TGraphBalken*>(&o))
        json.insert("BalkenPolygon", Vertices(beam->BalkenPolygon.contour[0]));
    return json;
}

QJsonArray Objects(const TGraphicObjectList& objects) {
    QJsonArray list;
    for (const auto& o : objects)
        list.append(ObjectJson(*o));
    return list;
}

QJsonObject ShapeJson(const TShape& shape) {
    QJsonArray vpolygon;
    for (int c = 0; c < shape.VPolygon->num_contours(); ++c)
        vpolygon.append(QJsonObject{{"hole", shape.VPolygon->hole[size_t(c)] != 0},
                                    {"vertices", Vertices(shape.VPolygon->contour[size_t(c)])}});
    QJsonArray layers;
    for (size_t i = 0; i < shape.Layers.size(); ++i) {
        const TPatternGenerator* generator = shape.GetPatternGenerator(static_cast<int>(i));
        layers.append(QJsonObject{
            {"Name", generator ? QJsonValue(generator->Name) : QJsonValue(QJsonValue::Null)},
            {"objects", Objects(shape.Layers[i])}});
    }
    QJsonArray battens;
    for (const TVektorGruppe& group : shape.VerlattungColl)
        battens.append(QJsonObject{{"ArtikelNr", group.ArtikelNr},
                                   {"Anzahl", static_cast<qint64>(group.Vektoren.size())}});
    return QJsonObject{
        {"ArtikelNr", shape.ArtikelNr.Text()},
        {"Closed", shape.Closed},
        {"Operator", static_cast<int>(shape.Operator)},
        {"Color", static_cast<qint64>(shape.Color)},
        {"FPolygon", Vertices(shape.Outline())},
        {"VPolygon", vpolygon},
        {"Flaeche", Number(shape.Flaeche)},
        {"Umfang", Number(shape.Umfang)},
        {"Schwerpunkt", Point(shape.Schwerpunkt.x, shape.Schwerpunkt.y)},
        {"Konturbemassung", shape.Konturbemassung},
        {"Aussenbemassung", shape.Aussenbemassung},
        {"LattenArtikelNr", shape.LattenArtikelNr.Text()},
        {"LattenGenerator", shape.LattenGenerator ? QJsonValue(shape.LattenGenerator->ClassName())
                                                  : QJsonValue(QJsonValue::Null)},
        {"VerlattungColl", battens},
        {"Layers", layers},
    };
}

QJsonObject DocumentJson(const TPlanDocument& plan) {
    QJsonArray rows;
    for (const TUserAngebotsItem& row : plan.UserAngebotsList)
        rows.append(QJsonObject{{"Artikel", row.Artikel.Text()},
                                {"Paket", row.Paket.Text()},
                                {"Stück", row.Stueck.Text()},
                                {"Bezeichnung", row.Bezeichnung.Text()},
                                {"Menge", row.Menge.Text()},
                                {"Einzelpreis", row.Einzelpreis.Text()}});
    QJsonArray shapes;
    for (const auto& shape : plan.ShapeList)
        shapes.append(ShapeJson(*shape));
    return QJsonObject{
        {"FileName", plan.FileName},
        {"Comment", plan.Comment.Text()},
        {"ZoomIndex", plan.ZoomIndex},
        {"KundenName", plan.KundenName},
        {"KundenVorName", plan.KundenVorName},
        {"KundenStrasse", plan.KundenStrasse},
        {"KundenPLZ", plan.KundenPLZ},
        {"KundenOrt", plan.KundenOrt},
        {"KundenNummer", plan.KundenNummer},
        {"Bearbeiter", plan.Bearbeiter},
        {"Telefon", plan.Telefon},
        {"Kommission", plan.Kommission},
        {"UserAngebotsList", rows},
        {"ShapeList", shapes},
        {"TextList", Objects(plan.TextList)},
        {"TextListUK", Objects(plan.TextListUK)},
        {"CommonModulList", Objects(plan.CommonModulList)},
        {"GesamtFlaeche", Number(plan.GesamtFlaeche)},
        {"GesamtUmfang", Number(plan.GesamtUmfang)},
        {"GesamtSpiegel", Number(plan.GesamtSpiegel)},
    };
}

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
        for (int h : shape->VPolygon->hole)
            holes += h != 0 ? 1 : 0;
        size_t objects = 0;
        for (const auto& layer : shape->Layers)
            objects += layer.size();
        out << "  Fläche " << ++index << ": " << (shape->Closed ? "geschlossen" : "offen")
            << ", Aussparung: " << YesNo(shape->IsAussparung())
            << ", Eckpunkte: " << shape->VertexCount()
            << ", wirksame Umrisse: " << shape->VPolygon->num_contours() - holes
            << ", davon Löcher: " << holes << "\n";
        out << "    Fläche " << Num(shape->Flaeche, 2) << " m², Umfang " << Num(shape->Umfang, 2)
            << " m, Schwerpunkt " << Num(shape->Schwerpunkt.x, 1) << " / "
            << Num(shape->Schwerpunkt.y, 1) << " cm\n";
        out << "    Ebenen: " << shape->Layers.size() << ", Objekte: " << objects;
        if (!shape->LattenArtikelNr.IsEmpty())
            out << ", Lattenartikel: " << shape->LattenArtikelNr.Text();
        out << "\n";
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

} // namespace

int RunInfoCommand(const QStringList& args) {
    QStringList files = args;
    const bool json = files.removeAll(QStringLiteral("--json")) > 0;
    if (files.size() != 1 || files.first().startsWith(QLatin1String("--"))) {
        std::fputs("Aufruf: tarv-cli info PLAN.pln [--json]\n", stderr);
        return 2;
    }
    const QString path = files.first();
    std::unique_ptr<TPlanDocument> plan = LoadPlanFile(path);
    if (!plan) {
        std::fprintf(stderr, "%s\n", qPrintable(PlanLoadErrorText(path)));
        return 1;
    }
    plan->UpdateSummen();
    if (json) {
        const QByteArray text = QJsonDocument(DocumentJson(*plan)).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    } else {
        QTextStream out(stdout);
        PrintSummary(*plan, out);
    }
    return 0;
}
