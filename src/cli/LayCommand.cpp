// tarv-cli lay: a plan built from outlines and laid as the program lays it, for checking
// patterns and laying without the program window.

#include "catalogue/Paneele.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PlanJson.h"
#include "cli/PlanRender.h"
#include "cli/StripsCli.h"
#include "cli/SubstructureCli.h"
#include "geometry/Vektors.h"
#include "laying/Patterns.h"
#include "laying/PlanLaying.h"
#include "model/GraphModule.h"
#include "model/GraphText.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"
#include "offer/EngineContext.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/PublishedProperties.h"
#include "substructure/SubstructureDefaults.h"
#include "substructure/UKPrev.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

namespace {

const char* const kLayUsage =
    "Aufruf: tarv-cli lay [--data ORDNER] --outline \"x,y x,y ...\" [--outline ...] [--xor N]\n"
    "                     [--all] --article NR --pattern NAME [--set EIGENSCHAFT=WERT ...]\n"
    "                     (--edge K | --along \"x1,y1 x2,y2 [px,py]\") [--layer L]\n"
    "                     [--save AUS.pln] [--png AUS.png] [--json]\n"
    "                     [--substructure ID] [--batten NR] [--set-uk EIGENSCHAFT=WERT ...]\n"
    "                     [--module ARTNR@X,Y[@GRAD] ...] [--text \"X,Y=Text\" ...]\n"
    "                     [--strips ARTNR [--strip-edges K,K,...]]\n"
    "       tarv-cli lay --list [--data ORDNER --article NR] [--json]\n"
    "       tarv-cli lay --list-uk [--data ORDNER] [--json]\n"
    "  Baut einen Plan aus Umrissen (cm, Dezimalpunkt) und verlegt ihn wie das Programm.\n"
    "  Flächen, Kanten und Ebenen zählen ab 0.\n"
    "  --outline UMRISS  eine Verlegefläche; spätere liegen über früheren und schneiden sie aus\n"
    "  --xor N           Fläche N schneidet nichts aus den Flächen unter ihr aus\n"
    "  --all             alle Flächen verlegen, nicht nur die erste\n"
    "  --article NR      die Diele aus dem Artikelstamm des Datenordners\n"
    "  --pattern NAME    das Verlegemuster (Namen: --list)\n"
    "  --set E=W         eine Eigenschaft des Musters setzen\n"
    "  --edge K          parallel zur Kante K des Umrisses (von Punkt K zu Punkt K+1)\n"
    "  --along LINIE     entlang der Linie, am Ende näher beim Punkt px,py beginnend\n"
    "  --layer L         die Ebene, in der verlegt wird (Vorgabe 0)\n"
    "  --substructure ID die Unterkonstruktion (Nummer der Verlattungsart: --list-uk)\n"
    "  --batten NR       der Lattenartikel der Unterkonstruktion\n"
    "  --set-uk E=W      eine Eigenschaft der Unterkonstruktion setzen (z. B. A_MaxLattenAbstand)\n"
    "  --module M        ein freies Modul (Artikel@x,y[@Winkel]) in den Plan stellen\n"
    "  --text T          ein Textfeld (x,y=Text) in den Plan stellen\n"
    "  --strips NR       Randleisten dieses Artikels an alle Kanten der verlegten Flächen\n"
    "  --strip-edges K   nur an diese Kanten (Nummern der Kanten der Fläche, mit Komma)\n"
    "  --save AUS.pln    den Plan speichern\n"
    "  --png AUS.png     ein Bild des Plans schreiben (100 Bildpunkte je Meter)\n"
    "  --json            der Plan wie bei info --json, je Ebene mit generated und kept\n"
    "  --list            die Muster mit ihren Eigenschaften, Typen, Bereichen und Vorgaben\n";

struct TLayOptions {
    QString DataFolder;
    QStringList Outlines;
    std::set<int> XorAreas;
    bool All = false;
    QString Article;
    QString Pattern;
    QStringList Settings;
    std::optional<int> Edge;
    QString Along;
    int Layer = 0;
    QString SaveFile;
    QString PngFile;
    bool Json = false;
    bool List = false;
    bool ListUK = false;
    TSubstructureCliOptions UK;
    QStringList Modules; // "ARTNR@X,Y[@DEG]"
    QStringList Texts;   // "X,Y=Text"
    TStripCliOptions Strips;
};

int ParseIndex(const QString& option, const QString& text, int max = 1000000) {
    std::int64_t value = 0;
    if (!ParseInteger(text, value) || value < 0 || value > max)
        UsageError(QStringLiteral("%1 erwartet eine Zahl ab 0, nicht \"%2\"").arg(option, text));
    return static_cast<int>(value);
}

// False when help was asked for.
bool ParseOptions(const QStringList& args, TLayOptions& o) {
    TCommandLine line(QStringLiteral("lay"), kLayUsage);
    for (const char* flag : {"all", "json", "list", "list-uk"})
        line.AddFlag(QLatin1String(flag));
    for (const char* option : {"outline", "xor", "article", "pattern", "set", "edge", "along",
                               "layer", "save", "png", "module", "text", "strips", "strip-edges"})
        line.AddValue(QLatin1String(option), QStringLiteral("WERT"));
    AddSubstructureOptions(line.Parser());
    if (!line.Parse(args, {0})) return false;
    o.DataFolder = line.DataFolder();
    o.Outlines = line.Values(QStringLiteral("outline"));
    for (const QString& n : line.Values(QStringLiteral("xor")))
        o.XorAreas.insert(ParseIndex(QStringLiteral("--xor"), n));
    o.All = line.IsSet(QStringLiteral("all"));
    o.Article = line.Value(QStringLiteral("article"));
    o.Pattern = line.Value(QStringLiteral("pattern"));
    o.Settings = line.Values(QStringLiteral("set"));
    if (line.IsSet(QStringLiteral("edge")))
        o.Edge = ParseIndex(QStringLiteral("--edge"), line.Value(QStringLiteral("edge")));
    o.Along = line.Value(QStringLiteral("along"));
    if (line.IsSet(QStringLiteral("layer")))
        o.Layer = ParseIndex(QStringLiteral("--layer"), line.Value(QStringLiteral("layer")));
    o.SaveFile = line.Value(QStringLiteral("save"));
    o.PngFile = line.Value(QStringLiteral("png"));
    o.Json = line.IsSet(QStringLiteral("json"));
    o.List = line.IsSet(QStringLiteral("list"));
    o.ListUK = line.IsSet(QStringLiteral("list-uk"));
    o.Modules = line.Values(QStringLiteral("module"));
    o.Texts = line.Values(QStringLiteral("text"));
    o.Strips.ArtikelNr = line.Value(QStringLiteral("strips"));
    if (line.IsSet(QStringLiteral("strip-edges"))) {
        std::vector<int> edges;
        if (!ParseStripEdges(line.Value(QStringLiteral("strip-edges")), edges))
            UsageError(QStringLiteral("--strip-edges erwartet Kantennummern wie 0,2,3, nicht "
                                      "\"%1\"")
                           .arg(line.Value(QStringLiteral("strip-edges"))));
        if (o.Strips.ArtikelNr.isEmpty())
            UsageError(QStringLiteral("--strip-edges nur zusammen mit --strips"));
        o.Strips.Edges = edges;
    }

    QString error;
    if (!ReadSubstructureOptions(line.Parser(), o.UK, error)) UsageError(error);

    if (o.List || o.ListUK) return true;
    if (o.Outlines.isEmpty()) UsageError(QStringLiteral("--outline fehlt"));
    if (o.Article.isEmpty()) UsageError(QStringLiteral("--article fehlt"));
    if (o.Pattern.isEmpty()) UsageError(QStringLiteral("--pattern fehlt"));
    if (o.Edge.has_value() == !o.Along.isEmpty())
        UsageError(QStringLiteral("genau eines von --edge und --along angeben"));
    for (int n : o.XorAreas)
        if (n >= o.Outlines.size())
            UsageError(QStringLiteral("--xor %1: so viele Flächen gibt es nicht").arg(n));
    return true;
}

std::vector<Tgpc_vertex> ParsePoints(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<Tgpc_vertex> points;
    for (const QString& p : text.split(blanks, Qt::SkipEmptyParts))
        points.push_back(ParsePlanPoint(p));
    return points;
}

// Remembers the program's status messages: AddShape tells why it refused an outline there.
class TCliHost : public IPlanHost {
public:
    QString LastStatus;
    void StatusText(int Panel, const QString& Text) override {
        if (Panel == 0 && !Text.isEmpty()) LastStatus = Text;
    }
};

const TPaneele& FindBoard(const TEngineContext& Context, const QString& Number) {
    const TProduct* product = Context.FindProduct(Number);
    if (product == nullptr) UsageError(QStringLiteral("Artikel %1 nicht gefunden.").arg(Number));
    const auto* board = dynamic_cast<const TPaneele*>(product);
    if (board == nullptr)
        UsageError(QStringLiteral("Artikel %1 ist keine Diele und kein Paneel.").arg(Number));
    return *board;
}

// --- lay --list ---------------------------------------------------------------------------------

QStringList ArticleTypes(const TPatternGenerator& Pattern) {
    QStringList codes;
    for (std::int32_t typ : {ptProfilholz, ptPaneel, ptPaneelFeder, ptParkett, ptModul}) {
        TPaneele probe;
        probe.Typ = typ;
        probe.VBreite = 10;
        probe.VLaenge = 100;
        if (Pattern.Possible(probe)) codes << ProductTypeCode(typ);
    }
    return codes;
}

QString ValueText(const TPublishedProperty& p, double Value) {
    TPublishedProperty copy = p;
    copy.Get = [Value] { return Value; };
    return PropertyText(copy);
}

int ListPatterns(const TEngineContext& Context, bool Json) {
    QJsonArray patterns;
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    int index = 0;
    for (const auto& pattern : Context.PatternPrototypes) {
        TPropertyList properties = pattern->Properties();
        SortProperties(properties);
        const QStringList types = ArticleTypes(*pattern);
        QJsonArray props;
        if (!Json)
            out << QStringLiteral("%1 %2").arg(index, 2).arg(pattern->Name.leftJustified(20))
                << "Artikeltypen: " << types.join(u' ') << '\n';
        for (const TPublishedProperty& p : properties) {
            const QString range = p.Kind == TPropertyKind::Boolean
                                      ? QStringLiteral("false..true")
                                      : ValueText(p, p.Min) + ".." + ValueText(p, p.Max);
            if (Json) {
                QJsonObject json{{"Name", p.Name},
                                 {"Type", PropertyKindName(p.Kind)},
                                 {"Min", p.Min},
                                 {"Max", p.Max},
                                 {"Default", ValueText(p, p.Default)},
                                 {"Value", PropertyText(p)}};
                if (!p.Values.isEmpty())
                    json.insert("Values", QJsonArray::fromStringList(p.Values));
                props.append(json);
            } else {
                out << "     " << p.Name.leftJustified(16)
                    << PropertyKindName(p.Kind).leftJustified(12) << range.leftJustified(16)
                    << "Vorgabe " << ValueText(p, p.Default) << '\n';
            }
        }
        if (Json)
            patterns.append(QJsonObject{{"Index", index},
                                        {"Name", pattern->Name},
                                        {"ArticleTypes", QJsonArray::fromStringList(types)},
                                        {"Properties", props}});
        ++index;
    }
    if (Json) PrintJson(QJsonDocument(patterns));
    return 0;
}

// --- lay ----------------------------------------------------------------------------------------

TPatternGenerator& ChoosePattern(const TEngineContext& Context, const TLayOptions& o,
                                 const TPaneele& Board) {
    TPatternGenerator* pattern = Context.FindPatternPrototype(o.Pattern);
    if (pattern == nullptr)
        UsageError(
            QStringLiteral("Muster \"%1\" gibt es nicht (tarv-cli lay --list).").arg(o.Pattern));
    if (!pattern->Possible(Board))
        UsageError(QStringLiteral("%1 kann nicht mit %2 verlegt werden.")
                       .arg(Board.Name.Text(), pattern->Name));
    // Ranges such as the offset length depend on the article laid.
    pattern->Product->Assign(Board);
    TPropertyList properties = pattern->Properties();
    for (const QString& setting : o.Settings) {
        const qsizetype eq = setting.indexOf(u'=');
        if (eq <= 0) UsageError(QStringLiteral("--set %1: EIGENSCHAFT=WERT erwartet").arg(setting));
        TPublishedProperty* p = FindProperty(properties, setting.left(eq).trimmed());
        if (p == nullptr)
            UsageError(QStringLiteral("%1 hat keine Eigenschaft %2.")
                           .arg(pattern->Name, setting.left(eq).trimmed()));
        try {
            SetPropertyText(*p, setting.mid(eq + 1));
        } catch (const EPropertyError& e) {
            UsageError(e.Message());
        }
    }
    return *pattern;
}

void BuildAreas(TPlanDocument& Plan, const TLayOptions& o, const TCliHost& Host) {
    for (int n = 0; n < o.Outlines.size(); ++n) {
        auto shape = std::make_unique<TShape>();
        for (const Tgpc_vertex& v : ParsePoints(o.Outlines[n]))
            shape->AddVertex(v);
        if (o.XorAreas.contains(n)) shape->SetAussparung(false);
        if (Plan.AddShape(std::move(shape)) != vrOk)
            UsageError(QStringLiteral("Fläche %1:%2").arg(n).arg(Host.LastStatus));
    }
    Plan.UpdateShapes();
}

// Free modules ("ARTNR@X,Y[@DEG]") and text boxes ("X,Y=Text") of the options.
void AddModulesAndTexts(TEngineContext& Context, TPlanDocument& Plan, const TLayOptions& o) {
    for (const QString& module : o.Modules) {
        const QStringList parts = module.split(u'@');
        if (parts.size() < 2 || parts.size() > 3)
            UsageError(
                QStringLiteral("--module erwartet ARTNR@X,Y[@GRAD], nicht \"%1\"").arg(module));
        double angle = 0;
        if (parts.size() == 3 && (!ParseReal(parts[2], u'.', angle) || !std::isfinite(angle)))
            UsageError(QStringLiteral("--module %1: \"%2\" ist kein Winkel").arg(module, parts[2]));
        Plan.CommonModulList.push_back(
            PlaceModule(Context, parts[0].trimmed(), ParsePlanPoint(parts[1]), angle));
    }
    for (const QString& text : o.Texts) {
        const qsizetype eq = text.indexOf(u'=');
        if (eq <= 0)
            UsageError(QStringLiteral("--text erwartet \"X,Y=Text\", nicht \"%1\"").arg(text));
        const Tgpc_vertex at = ParsePlanPoint(text.left(eq));
        auto box = std::make_unique<TGraphText>();
        box->Text = text.mid(eq + 1);
        box->Move(at.x, at.y);
        Plan.TextList.push_back(std::move(box));
    }
}

void SetDirection(const TEngineContext& Context, TShape& Area, int AreaIndex,
                  const TLayOptions& o) {
    while (Area.LayerCount() <= o.Layer)
        Area.AddLayer();
    if (o.Edge) {
        const auto& v = Area.Outline().vertex;
        const auto k = static_cast<std::size_t>(*o.Edge);
        if (k >= v.size())
            UsageError(QStringLiteral("Fläche %1 hat keine Kante %2").arg(AreaIndex).arg(k));
        const Tgpc_vertex& p = v[k];
        const Tgpc_vertex& q = v[(k + 1) % v.size()];
        SetVerlegeRichtungParallel(Context, Area, o.Layer, TVektor(p.x, p.y, q.x, q.y));
        return;
    }
    const std::vector<Tgpc_vertex> line = ParsePoints(o.Along);
    if (line.size() != 2 && line.size() != 3)
        UsageError(QStringLiteral("--along erwartet \"x1,y1 x2,y2 [px,py]\""));
    // Without a click point the line is laid from its first end.
    const Tgpc_vertex click = line.size() == 3 ? line[2] : line[0];
    if (!SetVerlegeRichtungEntlang(Area, TVektor(line[0].x, line[0].y, line[1].x, line[1].y),
                                   click.x, click.y))
        UsageError(QStringLiteral("Die Linie von --along hat keine Länge."));
}

void PrintSummary(const TPlanDocument& Plan, const std::map<const TShape*, TLayerLaying>& Laid,
                  int Layer) {
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    const auto num = [](double v, int d) { return FormatFixed(v, d, u','); };
    for (std::size_t n = 0; n < Plan.ShapeList.size(); ++n) {
        const TShape& area = *Plan.ShapeList[n];
        out << "Fläche " << n << ": " << num(area.Flaeche(), 2) << " m²";
        if (auto it = Laid.find(&area); it != Laid.end() && it->second.Laid) {
            const TPatternGeneratorBase* generator = area.GetPatternGenerator(Layer);
            out << ", Ebene " << Layer << ": " << (generator ? generator->Name : QString("-"))
                << ", " << it->second.Generated << " Dielen erzeugt, " << it->second.Kept
                << " behalten, Spiegel/Feder " << num(area.SpiegelFederLaenge() / 100, 1) << " m";
        } else {
            out << ", nicht verlegt";
        }
        out << '\n';
    }
    out << "Gesamtfläche:    " << num(Plan.GesamtFlaeche, 2) << " m²\n";
    out << "Gesamtumfang:    " << num(Plan.GesamtUmfang, 2) << " m\n";
    out << "Spiegel/Feder:   " << num(Plan.GesamtSpiegel / 100, 1) << " m\n";
}

int Lay(const TLayOptions& o) {
    TEngineContext context;
    LoadDataFolder(context, o.DataFolder);
    const TPaneele& board = FindBoard(context, o.Article);
    context.Catalogue.CurrentPaneel().Assign(board);
    // The defaults start-up sets, for this board.
    InitSubstructureDefaults(context, context.Settings.General());
    context.Laying.CurrentPattern = &ChoosePattern(context, o, board);
    context.Laying.SelectedLayer = o.Layer;

    TCliHost host;
    TPlanDocument plan(&host);
    BuildAreas(plan, o, host);
    AddModulesAndTexts(context, plan, o);
    std::vector<TShape*> areas;
    for (std::size_t n = 0; n < (o.All ? plan.ShapeList.size() : 1); ++n) {
        TShape& area = *plan.ShapeList[n];
        SetDirection(context, area, static_cast<int>(n), o);
        areas.push_back(&area);
    }
    const TNeuVerlegenResult result = NeuVerlegen(context, plan, areas, TLayingTrigger::User);
    if (o.UK.Any) {
        QString error;
        if (!ApplySubstructureOptions(context, plan, areas, o.UK, board,
                                      UKPrevFileName(context.Settings), error))
            UsageError(error);
    }
    ApplyStripOptions(context, plan, areas, o.Strips);
    std::map<const TShape*, TLayerLaying> laid;
    for (std::size_t n = 0; n < areas.size(); ++n)
        laid[areas[n]] = result.Layers[n];

    if (!o.SaveFile.isEmpty()) {
        QString detail;
        if (!SavePlanFile(plan, o.SaveFile, &detail))
            WorkError(PlanSaveErrorText(o.SaveFile) + QLatin1Char('\n') + detail);
    }
    if (!o.PngFile.isEmpty()) {
        const QImage picture =
            RenderPlan(plan, kDefaultRenderScale, &context.Images, [&](TCanvas& canvas) {
                DrawPlanVerlattung(canvas, plan);
                DrawPlanStripsAndConnectors(canvas, plan);
            });
        if (picture.isNull()) WorkError(QStringLiteral("Der Plan ist zu groß für ein Bild."));
        WritePicture(picture, o.PngFile);
    }
    if (o.Json) {
        PrintJson(QJsonDocument(
            PlanToJson(plan, [&](const TShape& shape, int layer, QJsonObject& object) {
                const auto it = laid.find(&shape);
                const bool thisLayer = it != laid.end() && layer == o.Layer;
                object.insert("generated", thisLayer ? it->second.Generated : 0);
                object.insert("kept", thisLayer ? it->second.Kept
                                                : static_cast<int>(shape.Layer(layer).size()));
            })));
    } else {
        PrintSummary(plan, laid, o.Layer);
    }
    return 0;
}

int ListLayouts(const TLayOptions& o) {
    TEngineContext context;
    if (!o.DataFolder.isEmpty()) {
        UseDataFolder(context, o.DataFolder);
        ReadUKPrevFile(UKPrevFileName(context.Settings), context.LattenGeneratorList);
    }
    if (o.Json) {
        PrintJson(QJsonDocument(LattenGeneratorListJson(context.LattenGeneratorList)));
    } else {
        QTextStream out(stdout);
        PrintLattenGeneratorList(out, context.LattenGeneratorList);
    }
    return 0;
}

int List(const TLayOptions& o) {
    TEngineContext context;
    if (!o.Article.isEmpty()) {
        LoadDataFolder(context, o.DataFolder);
        const TPaneele& board = FindBoard(context, o.Article);
        for (const auto& pattern : context.PatternPrototypes)
            pattern->Product->Assign(board);
    }
    return ListPatterns(context, o.Json);
}

} // namespace

int RunLayCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("lay"), [&] {
        TLayOptions options;
        if (!ParseOptions(args, options)) return 0;
        if (options.ListUK) return ListLayouts(options);
        if (options.List) return List(options);
        return Lay(options);
    });
}
