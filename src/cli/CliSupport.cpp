#include "cli/CliSupport.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueReporter.h"
#include "catalogue/Products.h"
#include "geometry/GPCUtils.h"
#include "model/GraphModule.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "model/Shapes.h"
#include "offer/EngineContext.h"
#include "platform/Numbers.h"
#include "substructure/Connectors.h"
#include "substructure/SubstructureDefaults.h"
#include "substructure/UKPrev.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

namespace {

// QCommandLineParser words its errors in English; the ones it can give, in German.
QString ParserError(const QCommandLineParser& Parser) {
    if (!Parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unbekanntes Argument \"%1\"")
            .arg(Parser.unknownOptionNames().first().prepend(QStringLiteral("--")));
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    const QString text = Parser.errorText();
    const QRegularExpressionMatch match = quoted.match(text);
    const QString option = match.hasMatch() ? match.captured(1) : QString();
    if (text.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("%1 ohne Wert").arg(option);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("%1 hat keinen Wert").arg(option);
    return text;
}

} // namespace

void UsageError(const QString& Message) {
    throw ECliError{Message, 2};
}

void WorkError(const QString& Message) {
    throw ECliError{Message, 1};
}

TCommandLine::TCommandLine(const QString& Command, const char* Usage)
    : fCommand(Command), fUsage(Usage) {
    fParser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    fParser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    AddValue(QStringLiteral("data"), QStringLiteral("ORDNER"));
}

void TCommandLine::AddFlag(const QString& Name) {
    fParser.addOption(QCommandLineOption(Name));
}

void TCommandLine::AddValue(const QString& Name, const QString& ValueName) {
    fParser.addOption(QCommandLineOption(Name, QString(), ValueName));
}

bool TCommandLine::Parse(const QStringList& Args, std::initializer_list<int> Positional) {
    // The parser takes the first argument for the program's name.
    if (!fParser.parse(QStringList{QStringLiteral("tarv-cli")} + Args))
        UsageError(ParserError(fParser));
    if (fParser.isSet(QStringLiteral("help"))) {
        std::fputs(fUsage, stdout);
        return false;
    }
    const int count = static_cast<int>(fParser.positionalArguments().size());
    if (std::find(Positional.begin(), Positional.end(), count) == Positional.end()) {
        if (count > *std::max_element(Positional.begin(), Positional.end()))
            UsageError(QStringLiteral("unbekanntes Argument \"%1\"")
                           .arg(fParser.positionalArguments().last()));
        UsageError(QStringLiteral("zu wenige Argumente"));
    }
    return true;
}

int RunCommand(const QString& Command, const std::function<int()>& Work) {
    try {
        return Work();
    } catch (const ECliError& e) {
        std::fprintf(stderr, "%s\n", e.Message.trimmed().toLocal8Bit().constData());
        if (e.Status == 2) std::fprintf(stderr, "Hilfe: tarv-cli %s --help\n", qPrintable(Command));
        return e.Status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

void UseDataFolder(TEngineContext& Context, const QString& Folder) {
    TAppSettings& settings = Context.Settings;
    if (!Folder.isEmpty()) settings.SetDataFolder(Folder);
    settings.WorkOutFolders();
}

void LoadDataFolder(TEngineContext& Context, const QString& Folder) {
    UseDataFolder(Context, Folder);
    const TFolderValues& folders = Context.Settings.Folders();
    TStderrReporter reporter(TErrorAnswer::Ignore);
    LoadProducts(Context.Catalogue, folders.ProductPath, reporter);
    Context.Images.SetImagePath(folders.ImagePath);
    ReadUKPrevFile(UKPrevFileName(Context.Settings), Context.LattenGeneratorList);
}

std::unique_ptr<TPlanDocument> LoadPlan(TEngineContext& Context, const QString& Path,
                                        const QString& DataFolder) {
    if (!DataFolder.isEmpty()) {
        LoadDataFolder(Context, DataFolder);
        InitSubstructureDefaults(Context, Context.Settings.General());
    }
    QString detail;
    std::unique_ptr<TPlanDocument> plan =
        LoadPlanFile(Path, Context.PlanReadDefaults(), nullptr, &detail);
    if (!plan) WorkError(PlanLoadErrorText(Path) + QLatin1Char('\n') + detail);
    // Plan files do not store connectors: they are placed again from the battens.
    UKVerbinderPlan(*plan, Context.Catalogue);
    return plan;
}

Tgpc_vertex ParsePlanPoint(const QString& Text) {
    const QStringList parts = Text.split(u',');
    Tgpc_vertex v;
    if (parts.size() != 2 || !ParseReal(parts[0], u'.', v.x) || !ParseReal(parts[1], u'.', v.y) ||
        !std::isfinite(v.x) || !std::isfinite(v.y))
        UsageError(QStringLiteral("\"%1\" ist kein Punkt x,y").arg(Text));
    return v;
}

std::unique_ptr<TGraphModule> PlaceModule(TEngineContext& Context, const QString& Number,
                                          const Tgpc_vertex& At, double Angle) {
    const TProduct* article = Context.FindProduct(Number);
    if (article == nullptr) UsageError(QStringLiteral("Artikel %1 nicht gefunden.").arg(Number));
    if (article->Typ != ptModul)
        UsageError(QStringLiteral("Artikel %1 ist kein Modul.").arg(Number));
    auto module = std::make_unique<TGraphModule>();
    try {
        module->AssignProduct(*article, Context.ArticleSource());
    } catch (const EScriptError& e) {
        UsageError(e.Message());
    }
    module->Move(At.x, At.y);
    module->Rotate(TROTMatrix::FromAngle(Angle, At.x, At.y));
    return module;
}

void PrintJson(const QJsonDocument& Json) {
    const QByteArray text = Json.toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
}

void WritePicture(const QImage& Picture, const QString& Path) {
    QByteArray format = QFileInfo(Path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) format = "png";
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly))
        WorkError(Path + QStringLiteral(": ") + file.errorString());
    QImageWriter writer(&file, format);
    if (!writer.write(Picture)) {
        file.cancelWriting();
        WorkError(Path + QStringLiteral(": ") + writer.errorString());
    }
    if (!file.commit()) WorkError(Path + QStringLiteral(": ") + file.errorString());
}
