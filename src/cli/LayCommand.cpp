// tarv-cli lay: a plan built from outlines and laid as the program lays it, for checking
// patterns and laying without the program window.

#include "cli/LayCommand.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/JPGImages.h"
#include "catalogue/Paneele.h"
#include "cli/PlanJson.h"
#include "cli/PlanRender.h"
#include "cli/SubstructureCli.h"
#include "geometry/Vektors.h"
#include "laying/LayingState.h"
#include "laying/PatternList.h"
#include "laying/Patterns.h"
#include "laying/PlanLaying.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "model/PlanHost.h"
#include "model/Shapes.h"
#include "platform/AppSettings.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/PublishedProperties.h"
#include "substructure/LattenGeneratoren.h"
#include "substructure/SubstructureDefaults.h"
#include "substructure/SubstructureSeam.h"
#include "substructure/UKPrev.h"

#include <QFileInfo>
#include <QImageWriter>
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
    "  --save AUS.pln    den Plan speichern\n"
    "  --png AUS.png     ein Bild des Plans schreiben (100 Bildpunkte je Meter)\n"
    "  --json            der Plan wie bei info --json, je Ebene mit generated und kept\n"
    "  --list            die Muster mit ihren Eigenschaften, Typen, Bereichen und Vorgaben\n";

// Ends the command with the message: arguments the command cannot work with.
struct EUsage {
    QString Message;
};

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
};

int ParseIndex(const QString& option, const QString& text) {
    std::int64_t value = 0;
    if (!ParseInteger(text, value) || value < 0 || value > 1000000)
        throw EUsage{QStringLiteral("%1 erwartet eine Zahl ab 0, nicht \"%2\"").arg(option, text)};
    return static_cast<int>(value);
}

TLayOptions ParseOptions(const QStringList& args) {
    TLayOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = arg.indexOf(u'='); arg.startsWith(u"--") && eq > 0) {
            value = arg.mid(eq + 1);
            arg.truncate(eq);
            hasValue = true;
        }
        const auto takeValue = [&]() -> QString {
            if (hasValue) return value;
            if (i + 1 >= args.size()) throw EUsage{arg + QStringLiteral(" ohne Wert")};
            return args[++i];
        };
        const bool flag = arg == u"--all" || arg == u"--json" || arg == u"--list";
        if (flag && hasValue) throw EUsage{arg + QStringLiteral(" hat keinen Wert")};
        if (arg == u"--all") {
            o.All = true;
        } else if (arg == u"--json") {
            o.Json = true;
        } else if (arg == u"--list") {
            o.List = true;
        } else if (arg == u"--data") {
            o.DataFolder = takeValue();
        } else if (arg == u"--outline") {
            o.Outlines << takeValue();
        } else if (arg == u"--xor") {
            o.XorAreas.insert(ParseIndex(arg, takeValue()));
        } else if (arg == u"--article") {
            o.Article = takeValue();
        } else if (arg == u"--pattern") {
            o.Pattern = takeValue();
        } else if (arg == u"--set") {
            o.Settings << takeValue();
        } else if (arg == u"--edge") {
            o.Edge = ParseIndex(arg, takeValue());
        } else if (arg == u"--along") {
            o.Along = takeValue();
        } else if (arg == u"--layer") {
            o.Layer = ParseIndex(arg, takeValue());
        } else if (arg == u"--save") {
            o.SaveFile = takeValue();
        } else if (arg == u"--png") {
            o.PngFile = takeValue();
        } else {
            throw EUsage{QStringLiteral("unbekanntes Argument \"%1\"").arg(args[i])};
        }
    }
    if (o.List) return o;
    if (o.Outlines.isEmpty()) throw EUsage{QStringLiteral("--outline fehlt")};
    if (o.Article.isEmpty()) throw EUsage{QStringLiteral("--article fehlt")};
    if (o.Pattern.isEmpty()) throw EUsage{QStringLiteral("--pattern fehlt")};
    if (o.Edge.has_value() == !o.Along.isEmpty())
        throw EUsage{QStringLiteral("genau eines von --edge und --along angeben")};
    for (int n : o.XorAreas)
        if (n >= o.Outlines.size())
            throw EUsage{QStringLiteral("--xor %1: so viele Flächen gibt es nicht").arg(n)};
    return o;
}

// "x,y" with a decimal point.
Tgpc_vertex ParsePoint(const QString& text) {
    const QStringList parts = text.split(u',');
    Tgpc_vertex v;
    if (parts.size() != 2 || !ParseReal(parts[0], u'.', v.x) || !ParseReal(parts[1], u'.', v.y) ||
        !std::isfinite(v.x) || !std::isfinite(v.y))
        throw EUsage{QStringLiteral("\"%1\" ist kein Punkt x,y").arg(text)};
    return v;
}

std::vector<Tgpc_vertex> ParsePoints(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<Tgpc_vertex> points;
    for (const QString& p : text.split(blanks, Qt::SkipEmptyParts))
        points.push_back(ParsePoint(p));
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

void LoadCatalogue(const QString& DataFolder) {
    TAppSettings& settings = AppSettings();
    if (!DataFolder.isEmpty()) settings.SetDataFolder(DataFolder);
    settings.WorkOutFolders();
    TStderrReporter reporter(TErrorAnswer::Ignore);
    LoadProducts(Catalogue(), settings.Folders().ProductPath, reporter);
    ImageCache().SetImagePath(settings.Folders().ImagePath);
}

const TPaneele& FindBoard(const QString& Number) {
    const TProduct* product = FindProduct(Number);
    if (product == nullptr) throw EUsage{QStringLiteral("Artikel %1 nicht gefunden.").arg(Number)};
    const auto* board = dynamic_cast<const TPaneele*>(product);
    if (board == nullptr)
        throw EUsage{QStringLiteral("Artikel %1 ist keine Diele und kein Paneel.").arg(Number)};
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

int ListPatterns(bool Json) {
    QJsonArray patterns;
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    int index = 0;
    for (const auto& pattern : PatternPrototypes()) {
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
    if (Json) {
        const QByteArray text = QJsonDocument(patterns).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    }
    return 0;
}

// --- lay ----------------------------------------------------------------------------------------

TPatternGenerator& ChoosePattern(const TLayOptions& o, const TPaneele& Board) {
    TPatternGenerator* pattern = FindPatternPrototype(o.Pattern);
    if (pattern == nullptr)
        throw EUsage{
            QStringLiteral("Muster \"%1\" gibt es nicht (tarv-cli lay --list).").arg(o.Pattern)};
    if (!pattern->Possible(Board))
        throw EUsage{QStringLiteral("%1 kann nicht mit %2 verlegt werden.")
                         .arg(Board.Name.Text(), pattern->Name)};
    // Ranges such as the offset length depend on the article laid.
    pattern->Product->Assign(Board);
    TPropertyList properties = pattern->Properties();
    for (const QString& setting : o.Settings) {
        const qsizetype eq = setting.indexOf(u'=');
        if (eq <= 0)
            throw EUsage{QStringLiteral("--set %1: EIGENSCHAFT=WERT erwartet").arg(setting)};
        TPublishedProperty* p = FindProperty(properties, setting.left(eq).trimmed());
        if (p == nullptr)
            throw EUsage{QStringLiteral("%1 hat keine Eigenschaft %2.")
                             .arg(pattern->Name, setting.left(eq).trimmed())};
        try {
            SetPropertyText(*p, setting.mid(eq + 1));
        } catch (const EPropertyError& e) {
            throw EUsage{e.Message()};
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
            throw EUsage{QStringLiteral("Fläche %1:%2").arg(n).arg(Host.LastStatus)};
    }
    Plan.UpdateShapes();
}

void SetDirection(TShape& Area, int AreaIndex, const TLayOptions& o) {
    while (static_cast<int>(Area.Layers.size()) <= o.Layer)
        Area.AddLayer();
    if (o.Edge) {
        const auto& v = Area.Outline().vertex;
        const auto k = static_cast<std::size_t>(*o.Edge);
        if (k >= v.size())
            throw EUsage{QStringLiteral("Fläche %1 hat keine Kante %2").arg(AreaIndex).arg(k)};
        const Tgpc_vertex& p = v[k];
        const Tgpc_vertex& q = v[(k + 1) % v.size()];
        Area.SetVerlegeRichtungParallel(o.Layer, TVektor(p.x, p.y, q.x, q.y));
        return;
    }
    const std::vector<Tgpc_vertex> line = ParsePoints(o.Along);
    if (line.size() != 2 && line.size() != 3)
        throw EUsage{QStringLiteral("--along erwartet \"x1,y1 x2,y2 [px,py]\"")};
    // Without a click point the line is laid from its first end.
    const Tgpc_vertex click = line.size() == 3 ? line[2] : line[0];
    if (!Area.SetVerlegeRichtungEntlang(TVektor(line[0].x, line[0].y, line[1].x, line[1].y),
                                        click.x, click.y))
        throw EUsage{QStringLiteral("Die Linie von --along hat keine Länge.")};
}

void PrintSummary(const TPlanDocument& Plan, const std::map<const TShape*, TLayerLaying>& Laid,
                  int Layer) {
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    const auto num = [](double v, int d) { return FormatFixed(v, d, u','); };
    for (std::size_t n = 0; n < Plan.ShapeList.size(); ++n) {
        const TShape& area = *Plan.ShapeList[n];
        out << "Fläche " << n << ": " << num(area.Flaeche, 2) << " m²";
        if (auto it = Laid.find(&area); it != Laid.end() && it->second.Laid) {
            const TPatternGenerator* generator = area.GetPatternGenerator(Layer);
            out << ", Ebene " << Layer << ": " << (generator ? generator->Name : QString("-"))
                << ", " << it->second.Generated << " Dielen erzeugt, " << it->second.Kept
                << " behalten, Spiegel/Feder " << num(area.SpiegelFederLaenge / 100, 1) << " m";
        } else {
            out << ", nicht verlegt";
        }
        out << '\n';
    }
    out << "Gesamtfläche:    " << num(Plan.GesamtFlaeche, 2) << " m²\n";
    out << "Gesamtumfang:    " << num(Plan.GesamtUmfang, 2) << " m\n";
    out << "Spiegel/Feder:   " << num(Plan.GesamtSpiegel / 100, 1) << " m\n";
}

bool WritePicture(const TPlanDocument& Plan, const QString& Path) {
    const QImage picture = RenderPlan(Plan, kDefaultRenderScale, true,
                                      [&](TCanvas& canvas) { DrawPlanVerlattung(canvas, Plan); });
    if (picture.isNull()) {
        std::fputs("tarv-cli lay: der Plan ist zu groß für ein Bild\n", stderr);
        return false;
    }
    QByteArray format = QFileInfo(Path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) format = "png";
    QImageWriter writer(Path, format);
    if (writer.write(picture)) return true;
    std::fprintf(stderr, "tarv-cli lay: %s: %s\n", qPrintable(Path),
                 qPrintable(writer.errorString()));
    return false;
}

// The substructure prototypes with the user's last settings, and the defaults start-up sets.
void PrepareSubstructure() {
    ReadUKPrevFile(UKPrevFileName(), LattenGeneratorList());
    InitSubstructureDefaults(AppSettings().General(), Catalogue().CurrentPaneel());
    InstallSubstructureStep();
}

int Lay(const TLayOptions& o, const TSubstructureCliOptions& uk) {
    LoadCatalogue(o.DataFolder);
    CreatePatternPrototypes();
    const TPaneele& board = FindBoard(o.Article);
    Catalogue().CurrentPaneel().Assign(board);
    PrepareSubstructure();
    TLayingState& state = LayingState();
    state.CurrentPattern = &ChoosePattern(o, board);
    state.SelectedLayer = o.Layer;

    TCliHost host;
    TPlanDocument plan(&host);
    BuildAreas(plan, o, host);
    std::vector<TShape*> areas;
    for (std::size_t n = 0; n < (o.All ? plan.ShapeList.size() : 1); ++n) {
        TShape& area = *plan.ShapeList[n];
        SetDirection(area, static_cast<int>(n), o);
        areas.push_back(&area);
    }
    const TNeuVerlegenResult result = NeuVerlegen(plan, areas, TLayingTrigger::User);
    if (uk.Any) {
        QString error;
        if (!ApplySubstructureOptions(plan, areas, uk, board, UKPrevFileName(), error))
            throw EUsage{error};
    }
    std::map<const TShape*, TLayerLaying> laid;
    for (std::size_t n = 0; n < areas.size(); ++n)
        laid[areas[n]] = result.Layers[n];

    int status = 0;
    if (!o.SaveFile.isEmpty() && !SavePlanFile(plan, o.SaveFile)) {
        std::fprintf(stderr, "%s\n", qPrintable(PlanSaveErrorText(o.SaveFile)));
        status = 1;
    }
    if (!o.PngFile.isEmpty() && !WritePicture(plan, o.PngFile)) status = 1;
    if (o.Json) {
        const QJsonObject json = PlanToJson(plan, [&](const TShape& shape, int layer,
                                                      QJsonObject& object) {
            const auto it = laid.find(&shape);
            const bool thisLayer = it != laid.end() && layer == o.Layer;
            object.insert("generated", thisLayer ? it->second.Generated : 0);
            object.insert("kept", thisLayer ? it->second.Kept
                                            : static_cast<int>(shape.Layers[size_t(layer)].size()));
        });
        const QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    } else {
        PrintSummary(plan, laid, o.Layer);
    }
    return status;
}

} // namespace

int RunLayCommand(const QStringList& args) {
    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
        std::fputs(kLayUsage, stdout);
        return 0;
    }
    try {
        QStringList rest = args;
        TSubstructureCliOptions uk;
        QString ukError;
        if (!TakeSubstructureOptions(rest, uk, ukError)) throw EUsage{ukError};
        if (rest.contains(QStringLiteral("--list-uk"))) {
            const bool json = rest.contains(QStringLiteral("--json"));
            const qsizetype data = rest.indexOf(QStringLiteral("--data"));
            if (data >= 0 && data + 1 < rest.size()) {
                AppSettings().SetDataFolder(rest[data + 1]);
                AppSettings().WorkOutFolders();
                ReadUKPrevFile(UKPrevFileName(), LattenGeneratorList());
            }
            if (json) {
                const QByteArray text =
                    QJsonDocument(LattenGeneratorListJson()).toJson(QJsonDocument::Indented);
                std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
            } else {
                QTextStream out(stdout);
                PrintLattenGeneratorList(out);
            }
            return 0;
        }
        const TLayOptions options = ParseOptions(rest);
        if (options.List) {
            if (!options.Article.isEmpty()) LoadCatalogue(options.DataFolder);
            CreatePatternPrototypes();
            if (!options.Article.isEmpty()) {
                const TPaneele& board = FindBoard(options.Article);
                for (const auto& pattern : PatternPrototypes())
                    pattern->Product->Assign(board);
            }
            return ListPatterns(options.Json);
        }
        return Lay(options, uk);
    } catch (const EUsage& e) {
        std::fprintf(stderr, "tarv-cli lay: %s\n", e.Message.trimmed().toLocal8Bit().constData());
        return 2;
    }
}
