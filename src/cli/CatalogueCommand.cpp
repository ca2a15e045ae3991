#include "cli/Commands.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueJson.h"
#include "platform/AppSettings.h"

#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>

namespace {

const char* const kCatalogueUsage =
    "Aufruf: tarv-cli catalogue [--data ORDNER] [--json]\n"
    "  Lädt den Artikelstamm wie das Programm beim Start und listet Warengruppen und Artikel.\n"
    "  --data ORDNER  Datenordner statt des Benutzerordners (wie TARV_DATA_DIR)\n"
    "  --json         Ausgabe als JSON; Fehler in Zeilen werden ignoriert und mit ausgegeben\n";

// Every error to standard error; with --json also kept for the output, and line errors are
// then ignored so that the listing holds everything readable.
class TCliReporter : public TCatalogueReporter {
public:
    explicit TCliReporter(bool json) : fStderr(json ? TErrorAnswer::Ignore : TErrorAnswer::Abort) {}
    void ShowError(const TCatalogueError& error) override {
        fErrors.push_back(error);
        fStderr.ShowError(error);
    }
    TErrorAnswer AskAbortIgnore(const TCatalogueError& error) override {
        fErrors.push_back(error);
        return fStderr.AskAbortIgnore(error);
    }
    const std::vector<TCatalogueError>& Errors() const { return fErrors; }

private:
    TStderrReporter fStderr;
    std::vector<TCatalogueError> fErrors;
};

void PrintCatalogue(const TCatalogue& catalogue, const TCurrency& currency) {
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const auto& group : catalogue.ProductGroups()) {
        out << "Warengruppe: " << group->Name().Text();
        if (!group->InfoText1.IsEmpty()) out << " - " << group->InfoText1.Text();
        if (!group->ImageFileName.IsEmpty()) out << " [" << group->ImageFileName.Text() << ']';
        out << '\n';
        for (const auto& product : group->Products.Items()) {
            out << "  " << product->ArtikelNr.Text().leftJustified(12) << ' '
                << ProductTypeCode(product->Typ) << "  " << product->Name.Text().leftJustified(50)
                << "  " << product->DimCode(currency) << '\n';
        }
    }
    out << "Katalogdateien: " << catalogue.ProductFileNames().join(QStringLiteral(", ")) << '\n';
}

} // namespace

int RunCatalogueCommand(const QStringList& args) {
    QString dataFolder;
    bool json = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--json") {
            json = true;
        } else if (arg == u"--data" && i + 1 < args.size()) {
            dataFolder = args[++i];
        } else if (arg.startsWith(QStringLiteral("--data="))) {
            dataFolder = arg.mid(7);
        } else if (arg == u"-h" || arg == u"--help") {
            std::fputs(kCatalogueUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "tarv-cli catalogue: unbekanntes Argument \"%s\"\n\n%s",
                         qPrintable(arg), kCatalogueUsage);
            return 2;
        }
    }

    TAppSettings& settings = AppSettings();
    if (!dataFolder.isEmpty()) settings.SetDataFolder(dataFolder);
    settings.WorkOutFolders();
    settings.ReadUser();
    const TCurrency currency = settings.Currency();

    TCliReporter reporter(json);
    LoadProducts(Catalogue(), settings.Folders().ProductPath, reporter);
    if (json) {
        const QJsonObject object = CatalogueToJson(Catalogue(), currency, reporter.Errors());
        const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    } else {
        PrintCatalogue(Catalogue(), currency);
    }
    return reporter.Errors().empty() ? 0 : 1;
}
