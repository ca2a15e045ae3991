// tarv-cli: the engine in batch mode, without a display.

#include "cli/Commands.h"

#include <QGuiApplication>

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
    "  catalogue [--json]\n"
    "                  Artikelstamm laden und Warengruppen mit Artikeln auflisten\n"
    "  lay --outline \"x,y x,y ...\" --article NR --pattern NAME (--edge K | --along ...)\n"
    "                  Verlegefläche(n) verlegen; tarv-cli lay --help zeigt alle Optionen\n"
    "  render PLAN.pln AUS.png [--scale PX_PRO_M] [--no-images]\n"
    "                  Verlegeplan als Bild zeichnen\n"
    "  modul ARTNR [--at X,Y] [--angle GRAD] [--json] [--png AUS.png]\n"
    "                  Modul eines Modulartikels aus seinem Script aufstellen\n"
    "  bedarf PLAN.pln [--json] [--optimizer exact|classic] [--no-optimize]\n"
    "                  Bedarf sammeln und den Zuschnitt je Artikel optimieren\n"
    "  verschnitt AUFGABE.json [--optimizer exact|classic] [--time-limit S]\n"
    "                  einen Zuschnitt optimieren, die Aufgabe als JSON\n"
    "\n"
    "Jeder Befehl nimmt --data ORDNER (der Datenordner mit Artikelstamm, Bildern und\n"
    "Einstellungen statt des Benutzerordners, wie TARV_DATA_DIR) und --help.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help      diese Hilfe\n"
    "  --version       Programmversion\n";

struct TCommand {
    const char* Name;
    int (*Run)(const QStringList& Args);
};

constexpr TCommand kCommands[] = {
    {"polygon", &RunPolygonCommand},
    {"info", &RunInfoCommand},
    {"convert", &RunConvertCommand},
    {"catalogue", &RunCatalogueCommand},
    {"lay", &RunLayCommand},
    {"render", &RunRenderCommand},
    {"modul", &RunModulCommand},
    {"bedarf", &RunBedarfCommand},
    {"verschnitt", &RunVerschnittCommand},
};

// Qt's own notes about the headless platform (no runtime folder and the like) are not the
// command's output; its errors still are.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    // Text in pictures needs fonts, which need a GUI application; a batch run has no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&QuietQtMessages);
    QGuiApplication app(argc, argv);
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
    const QString command = args.takeFirst();
    for (const TCommand& c : kCommands)
        if (command == QLatin1String(c.Name)) return c.Run(args);
    std::fprintf(stderr, "Unbekannter Befehl \"%s\"\nHilfe: tarv-cli --help\n",
                 qPrintable(command));
    return 2;
}
