// tarv-cli: the engine in batch mode, without a display.

#include "cli/Commands.h"
#include "cli/LayCommand.h"
#include "cli/RenderCommand.h"
#include "laying/PatternList.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char* const kUsage =
    "Aufruf: tarv-cli BEFEHL [ARGUMENTE]\n"
    "\n"
    "Befehle:\n"
    "  polygon DATEI   Fläche, Umfang, Schwerpunkt und Ausdehnung eines Umrisses\n"
    "                  (Textdatei: je Zeile \"x y\" in cm; \"Kontur\" oder \"Loch\"\n"
    "                  beginnt einen neuen Umriss, \"#\" eine Bemerkung)\n"
    "  info PLAN.pln [--json]\n"
    "                  Inhalt eines Verlegeplans: Kommentar, Kunde, Angebotszeilen,\n"
    "                  Verlegeflächen mit Umriss, Fläche und Umfang, Summen\n"
    "                  (--json: ein JSON-Objekt mit den Feldnamen des Plans)\n"
    "  convert EIN.pln AUS.pln\n"
    "                  Verlegeplan laden und im aktuellen Dateiformat speichern\n"
    "  catalogue [--data ORDNER] [--json]\n"
    "                  Artikelstamm laden und Warengruppen mit Artikeln auflisten\n"
    "  lay --outline \"x,y x,y ...\" --article NR --pattern NAME (--edge K | --along ...)\n"
    "                  Verlegefläche(n) verlegen; tarv-cli lay --help zeigt alle Optionen\n"
    "  render PLAN.pln AUS.png [--scale PX_PRO_M] [--no-images] [--data ORDNER]\n"
    "                  Verlegeplan als Bild zeichnen\n"
    "\n"
    "Optionen:\n"
    "  -h, --help      diese Hilfe\n"
    "  --version       Programmversion\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first() == "-h" || args.first() == "--help") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == "--version") {
        std::printf("tarv-cli %s\n", TARV_VERSION);
        return 0;
    }
    // Plans name their pattern generators; the prototypes must exist before any plan is read.
    CreatePatternPrototypes();
    const QString command = args.takeFirst();
    if (command == "polygon") return RunPolygonCommand(args);
    if (command == "info") return RunInfoCommand(args);
    if (command == "convert") return RunConvertCommand(args);
    if (command == "catalogue") return RunCatalogueCommand(args);
    if (command == "lay") return RunLayCommand(args);
    if (command == "render") return RunRenderCommand(args);
    std::fprintf(stderr, "tarv-cli: unbekannter Befehl \"%s\"\n\n%s", qPrintable(command), kUsage);
    return 2;
}
