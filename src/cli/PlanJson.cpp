#include "cli/PlanJson.h"

#include "cli/SubstructureCli.h"
#include "model/Generators.h"
#include "model/GraphBalken.h"
#include "model/GraphLeiste.h"
#include "model/GraphModule.h"
#include "model/GraphPaneele.h"
#include "model/GraphText.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <QJsonArray>

#include <cmath>

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

QJsonArray VektorJson(const TVektor& v) {
    return QJsonArray{Number(v.x), Number(v.y), Number(v.rx), Number(v.ry)};
}

QJsonArray Objects(const TGraphicObjectList& objects);

QJsonObject ModuleJson(const TGraphModule& module, QJsonObject json) {
    json.insert("Origin", Point(module.Origin.x, module.Origin.y));
    json.insert("Direction", Number(module.Direction()));
    json.insert("Transparent", module.Transparent);
    QJsonArray items;
    for (const TElementDrawItem& item : module.DrawItemList) {
        QJsonObject entry{{"ID", item.ID}};
        if (item.ID == diPenColor || item.ID == diBrushColor)
            entry.insert("Color", static_cast<qint64>(item.Color));
        QJsonArray points;
        for (const TElementPoint& p : item.Points)
            points.append(Point(p.x, p.y));
        entry.insert("Points", points);
        items.append(entry);
    }
    json.insert("DrawItems", items);
    json.insert("Elemente", Objects(module.ChildElements));
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    module.GetExtent(x1, y1, x2, y2);
    json.insert("Extent", QJsonArray{Number(x1), Number(y1), Number(x2), Number(y2)});
    return json;
}

} // namespace

QJsonObject ObjectJson(const TGraphicObject& o) {
    QJsonObject json{{"SerialID", o.SerialID()},
                     {"ArtikelNr", o.ArtikelNr.Text()},
                     {"Typ", o.Typ},
                     {"Color", static_cast<qint64>(o.Color)},
                     {"ImageFileName", o.ImageFileName.Text()}};
    if (o.Independent) json.insert("Independent", true);
    if (o.IncludeAlways) json.insert("IncludeAlways", true);
    if (const auto* board = dynamic_cast<const TGraphPaneel*>(&o)) {
        json.insert("Polygon", Vertices(board->Polygon.contour[0]));
        json.insert("Direction", Number(board->Direction()));
    }
    if (const auto* beam = dynamic_cast<const TGraphBalken*>(&o))
        json.insert("BalkenPolygon", Vertices(beam->BalkenPolygon.contour[0]));
    if (const auto* strip = dynamic_cast<const TGraphLeiste*>(&o)) {
        json.insert("Breite", Number(strip->Breite));
        json.insert("Vektor", VektorJson(strip->Vektor));
    }
    if (const auto* text = dynamic_cast<const TGraphText*>(&o)) {
        json.insert("Text", text->Text);
        json.insert("Polygon", Vertices(text->Polygon.contour[0]));
        json.insert("FontHeight", text->FontHeight);
        json.insert("Tag", text->Tag);
    }
    if (const auto* module = dynamic_cast<const TGraphModule*>(&o))
        json = ModuleJson(*module, json);
    return json;
}

namespace {

QJsonArray Objects(const TGraphicObjectList& objects) {
    QJsonArray list;
    for (const auto& o : objects)
        list.append(ObjectJson(*o));
    return list;
}

// Parallel to the area's edges: an empty slot is null.
QJsonArray StripsJson(const TGraphicObjectList& strips) {
    QJsonArray list;
    for (const auto& strip : strips)
        list.append(strip && !strip->ArtikelNr.IsEmpty() ? QJsonValue(ObjectJson(*strip))
                                                         : QJsonValue(QJsonValue::Null));
    return list;
}

QJsonObject ShapeJson(const TShape& shape, const TLayerJsonExtra& layerExtra) {
    QJsonArray vpolygon;
    const Tgpc_polygon& effective = shape.VPolygon();
    for (int c = 0; c < effective.num_contours(); ++c)
        vpolygon.append(QJsonObject{{"hole", effective.hole[size_t(c)] != 0},
                                    {"vertices", Vertices(effective.contour[size_t(c)])}});
    QJsonArray layers;
    for (int i = 0; i < shape.LayerCount(); ++i) {
        const TPatternGeneratorBase* generator = shape.GetPatternGenerator(i);
        QJsonObject layer{
            {"Name", generator ? QJsonValue(generator->Name) : QJsonValue(QJsonValue::Null)},
            {"objects", Objects(shape.Layer(i))}};
        if (layerExtra) layerExtra(shape, i, layer);
        layers.append(layer);
    }
    QJsonObject json{
        {"ArtikelNr", shape.ArtikelNr.Text()},
        {"Closed", shape.Closed()},
        {"Operator", static_cast<int>(shape.Operator())},
        {"Color", static_cast<qint64>(shape.Color())},
        {"FPolygon", Vertices(shape.Outline())},
        {"VPolygon", vpolygon},
        {"Flaeche", Number(shape.Flaeche())},
        {"Umfang", Number(shape.Umfang())},
        {"Schwerpunkt", Point(shape.Schwerpunkt().x, shape.Schwerpunkt().y)},
        {"Konturbemassung", shape.Konturbemassung()},
        {"Aussenbemassung", shape.Aussenbemassung()},
        {"LattenArtikelNr", shape.LattenArtikelNr()},
        {"Layers", layers},
        {"Verleistung", StripsJson(shape.Verleistung())},
    };
    const QJsonObject substructure = ShapeSubstructureJson(shape);
    for (auto it = substructure.begin(); it != substructure.end(); ++it)
        json.insert(it.key(), it.value());
    return json;
}

} // namespace

QJsonObject PlanToJson(const TPlanDocument& plan, const TLayerJsonExtra& layerExtra) {
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
        shapes.append(ShapeJson(*shape, layerExtra));
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
