#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueJson.h"
#include "offer/EngineContext.h"

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
    return RunCommand(QStringLiteral("catalogue"), [&] {
        TCommandLine line(QStringLiteral("catalogue"), kCatalogueUsage);
        line.AddFlag(QStringLiteral("json"));
        if (!line.Parse(args, {0})) return 0;
        const bool json = line.IsSet(QStringLiteral("json"));

        TEngineContext context;
        UseDataFolder(context, line.DataFolder());
        TAppSettings& settings = context.Settings;
        settings.ReadUser();
        const TCurrency currency = settings.Currency();

        TCliReporter reporter(json);
        LoadProducts(context.Catalogue, settings.Folders().ProductPath, reporter);
        if (json)
            PrintJson(
                QJsonDocument(CatalogueToJson(context.Catalogue, currency, reporter.Errors())));
        else
            PrintCatalogue(context.Catalogue, currency);
        return reporter.Errors().empty() ? 0 : 1;
    });
}
