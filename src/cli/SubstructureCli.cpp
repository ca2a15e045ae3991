#include "cli/SubstructureCli.h"

#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/PublishedProperties.h"
#include "substructure/NeuVerlatten.h"
#include "substructure/SubstructureContext.h"
#include "substructure/UKPrev.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <cmath>

namespace {

QJsonValue Number(double v) {
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

// Reading the properties needs the generator's property list, which is built on a mutable
// generator because its entries can also set values; only the getters are used here.
TPropertyList PropertiesOf(const TLattenGenerator& Generator) {
    return const_cast<TLattenGenerator&>(Generator).Properties();
}

QJsonValue PropertyValue(const TPublishedProperty& p) {
    if (p.Kind == TPropertyKind::Enumeration) return PropertyText(p);
    if (p.Kind == TPropertyKind::Boolean) return p.Get() != 0;
    return Number(p.Get());
}

} // namespace

void AddSubstructureOptions(QCommandLineParser& Parser) {
    for (const char* option : {"substructure", "batten", "set-uk"})
        Parser.addOption(
            QCommandLineOption(QLatin1String(option), QString(), QStringLiteral("WERT")));
}

bool ReadSubstructureOptions(const QCommandLineParser& Parser, TSubstructureCliOptions& Options,
                             QString& Error) {
    if (Parser.isSet(QStringLiteral("substructure"))) {
        const QString value = Parser.value(QStringLiteral("substructure"));
        std::int64_t id = 0;
        if (!ParseInteger(value, id) || id < 0 || id > 1000) {
            Error = QStringLiteral("Ungültige Unterkonstruktion \"%1\"").arg(value);
            return false;
        }
        Options.LayoutID = static_cast<std::int32_t>(id);
        Options.Any = true;
    }
    if (Parser.isSet(QStringLiteral("batten"))) {
        Options.BattenNr = Parser.value(QStringLiteral("batten"));
        Options.Any = true;
    }
    for (const QString& value : Parser.values(QStringLiteral("set-uk"))) {
        if (value.indexOf(QLatin1Char('=')) <= 0) {
            Error = QStringLiteral("--set-uk erwartet EIGENSCHAFT=WERT, nicht \"%1\"").arg(value);
            return false;
        }
        Options.Settings << value;
        Options.Any = true;
    }
    return true;
}

bool ApplySubstructureOptions(TSubstructureContext& Context, TPlanDocument& Plan,
                              const std::vector<TShape*>& Shapes,
                              const TSubstructureCliOptions& Options, const TPaneele& Board,
                              const QString& UKPrevFile, QString& Error) {
    if (!Options.Any) return true;
    TSubstructureDefaults& defaults = Context.SubstructureDefaults;
    TLattenGenerator* prototype = Options.LayoutID >= 0 ? Context.LattenPrototype(Options.LayoutID)
                                                        : defaults.DefaultLattenGenerator;
    if (prototype == nullptr) {
        Error = Options.LayoutID >= 0
                    ? QStringLiteral("Unbekannte Unterkonstruktion %1").arg(Options.LayoutID)
                    : QStringLiteral("Das Verlegemuster sieht keine Unterkonstruktion vor; "
                                     "--substructure wählt eine");
        return false;
    }

    // All settings on a copy first, so a refused one leaves the prototype as it was.
    std::unique_ptr<TLattenGenerator> edited = prototype->Clone();
    if (Options.LayoutID >= 0) edited->Init(Board);
    TPropertyList properties = edited->Properties();
    for (const QString& setting : Options.Settings) {
        const qsizetype eq = setting.indexOf(QLatin1Char('='));
        const QString name = setting.left(eq).trimmed();
        TPublishedProperty* property = FindProperty(properties, name);
        if (property == nullptr) {
            Error = QStringLiteral("Die Unterkonstruktion \"%1\" hat keine Eigenschaft \"%2\"")
                        .arg(edited->Name, name);
            return false;
        }
        try {
            SetPropertyText(*property, setting.mid(eq + 1));
        } catch (const EPropertyError& e) {
            Error = e.Message();
            return false;
        }
    }
    prototype->Assign(*edited);

    if (!Options.BattenNr.isEmpty()) defaults.DefaultUKArtikel = Options.BattenNr;
    prototype->LattenArtNr.SetText(defaults.DefaultUKArtikel);
    defaults.DefaultLattenGenerator = prototype;
    for (TShape* shape : Shapes)
        shape->SetLattenGenerator(nullptr);
    NeuVerlatten(Context, Plan, Shapes);
    // The prototypes keep the user's last settings; errors writing them are not the run's.
    if (!UKPrevFile.isEmpty()) WriteUKPrevFile(UKPrevFile, Context.LattenGeneratorList);
    return true;
}

QJsonArray LattenGeneratorListJson(const TLattenGeneratorList& Prototypes) {
    QJsonArray list;
    for (const auto& prototype : Prototypes) {
        if (!prototype) continue;
        QJsonArray properties;
        for (const TPublishedProperty& p : PropertiesOf(*prototype)) {
            QJsonObject json{{"Name", p.Name},
                             {"Kind", PropertyKindName(p.Kind)},
                             {"Min", Number(p.Min)},
                             {"Max", Number(p.Max)},
                             {"Default", Number(p.Default)},
                             {"Value", PropertyValue(p)}};
            if (!p.Values.isEmpty()) json.insert("Values", QJsonArray::fromStringList(p.Values));
            properties.append(json);
        }
        list.append(QJsonObject{{"ID", prototype->BitMapIndex},
                                {"ClassName", prototype->ClassName()},
                                {"Name", prototype->Name},
                                {"LattenArtNr", prototype->LattenArtNr.Text()},
                                {"Properties", properties}});
    }
    return list;
}

void PrintLattenGeneratorList(QTextStream& Out, const TLattenGeneratorList& Prototypes) {
    for (const auto& prototype : Prototypes) {
        if (!prototype) continue;
        Out << QStringLiteral("%1").arg(prototype->BitMapIndex, 2) << "  " << prototype->Name
            << " (" << prototype->ClassName() << ")\n";
        for (const TPublishedProperty& p : PropertiesOf(*prototype)) {
            Out << "      " << p.Name << "  " << PropertyKindName(p.Kind) << "  ";
            if (p.Kind == TPropertyKind::Enumeration)
                Out << p.Values.join(QLatin1Char('/'));
            else
                Out << FormatGeneral(p.Min, QLatin1Char('.')) << ".."
                    << FormatGeneral(p.Max, QLatin1Char('.'));
            TPublishedProperty defaultValue = p;
            const double d = p.Default;
            defaultValue.Get = [d] { return d; };
            Out << "  Vorgabe " << PropertyText(defaultValue) << "  Wert " << PropertyText(p)
                << "\n";
        }
    }
}

QJsonValue LattenGeneratorJson(const TLattenGenerator* Generator) {
    if (Generator == nullptr) return QJsonValue(QJsonValue::Null);
    QJsonObject properties;
    for (const TPublishedProperty& p : PropertiesOf(*Generator))
        properties.insert(p.Name, PropertyValue(p));
    return QJsonObject{{"ClassName", Generator->ClassName()},
                       {"Name", Generator->Name},
                       {"BitMapIndex", Generator->BitMapIndex},
                       {"LattenArtNr", Generator->LattenArtNr.Text()},
                       {"Properties", properties}};
}

QJsonArray VerlattungCollJson(const std::vector<TVektorGruppe>& VerlattungColl) {
    QJsonArray groups;
    for (const TVektorGruppe& group : VerlattungColl) {
        QJsonArray battens;
        for (const TVektor& v : group.Vektoren)
            battens.append(QJsonArray{Number(v.x), Number(v.y), Number(v.rx), Number(v.ry)});
        groups.append(QJsonObject{{"ArtikelNr", group.ArtikelNr}, {"Latten", battens}});
    }
    return groups;
}

QJsonArray UKVerbinderCollJson(const std::vector<TVektorGruppe>& UKVerbinderColl) {
    QJsonArray entries;
    for (const TVektorGruppe& entry : UKVerbinderColl) {
        QJsonArray points;
        for (const TVektor& v : entry.Vektoren)
            points.append(
                QJsonArray{Number(v.x), Number(v.y), Number(v.rx), Number(v.ry), v.Flags});
        entries.append(QJsonObject{{"ArtikelNr", entry.ArtikelNr}, {"Verbinder", points}});
    }
    return entries;
}

QJsonObject ShapeSubstructureJson(const TShape& Shape) {
    double length = 0;
    for (const TVektorGruppe& group : Shape.VerlattungColl())
        for (const TVektor& v : group.Vektoren)
            length += v.Betrag();
    return QJsonObject{{"LattenGenerator", LattenGeneratorJson(LattenGeneratorOf(Shape))},
                       {"VerlattungColl", VerlattungCollJson(Shape.VerlattungColl())},
                       {"UKVerbinderColl", UKVerbinderCollJson(Shape.UKVerbinderColl())},
                       {"LaengeVerlattung", Number(length)}};
}

void DrawVerlattung(TCanvas& Canvas, const TShape& Shape) {
    const TPen given = Canvas.Pen;
    const TVektorColl& groups = Shape.VerlattungColl();
    const bool several = groups.size() > 1;
    static constexpr TPenStyle kStyles[3] = {TPenStyle::psDashDot, TPenStyle::psDot,
                                             TPenStyle::psDash};
    for (size_t i = 0; i < groups.size(); ++i) {
        TPen pen = given;
        if (several) {
            pen.DashPattern.clear();
            pen.Width = i == 0 ? 1 : 2;
            pen.Style = i == 0 ? TPenStyle::psSolid : kStyles[(i - 1) % 3];
        }
        // Wide pens with a style are not available: such battens are dashed by hand.
        const bool plain = pen.Width < 2 || pen.Style == TPenStyle::psSolid;
        for (const TVektor& batten : groups[i].Vektoren) {
            Canvas.Pen = pen;
            if (plain)
                batten.Draw(Canvas);
            else
                batten.DrawDottedLine(Canvas);
        }
    }
    Canvas.Pen = given;
    Canvas.Pen.Width = 1;
    Canvas.Brush.Style = TBrushStyle::bsSolid;
}

void DrawPlanVerlattung(TCanvas& Canvas, const TPlanDocument& Plan) {
    const TPen pen = Canvas.Pen;
    const TBrush brush = Canvas.Brush;
    for (const auto& shape : Plan.ShapeList) {
        Canvas.Pen = TPen();
        Canvas.Pen.Color = RGBColor(128, 128, 128);
        Canvas.Pen.Style = TPenStyle::psDot;
        Canvas.Brush.Style = TBrushStyle::bsClear;
        DrawVerlattung(Canvas, *shape);
    }
    Canvas.Pen = pen;
    Canvas.Brush = brush;
}
