// tarv-cli render: the first look at a plan before the program window exists.

#include "cli/RenderCommand.h"

#include "catalogue/JPGImages.h"
#include "cli/PlanRender.h"
#include "model/PlanDocument.h"
#include "model/PlanFile.h"
#include "platform/AppSettings.h"
#include "platform/Numbers.h"

#include <QFileInfo>
#include <QImageWriter>

#include <cstdio>

namespace {

const char* const kRenderUsage =
    "Aufruf: tarv-cli render PLAN.pln AUS.png [--scale PX_PRO_M] [--no-images] [--data ORDNER]\n"
    "  Zeichnet alle Verlegeflächen mit ihren Objekten in ein Bild (weißer Rand um den Plan).\n"
    "  --scale PX_PRO_M  Bildpunkte je Meter (Vorgabe 100)\n"
    "  --no-images       Dielen mit ihrer Farbe statt mit dem Oberflächenbild\n"
    "  --data ORDNER     Datenordner mit dem Bilderordner (wie TARV_DATA_DIR)\n";

int Usage(const char* message, const QString& detail) {
    std::fprintf(stderr, "tarv-cli render: %s%s\n\n%s", message,
                 detail.isEmpty() ? "" : qPrintable(QStringLiteral(" \"%1\"").arg(detail)),
                 kRenderUsage);
    return 2;
}

} // namespace

int RunRenderCommand(const QStringList& args) {
    QStringList files;
    double scale = kDefaultRenderScale;
    bool images = true;
    QString dataFolder;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"-h" || arg == u"--help") {
            std::fputs(kRenderUsage, stdout);
            return 0;
        } else if (arg == u"--no-images") {
            images = false;
        } else if (arg == u"--scale" || arg.startsWith(QStringLiteral("--scale="))) {
            QString value;
            if (arg == u"--scale") {
                if (++i >= args.size()) return Usage("--scale ohne Wert", QString());
                value = args[i];
            } else {
                value = arg.mid(8);
            }
            if (!ParseReal(value, scale) || !(scale > 0) || scale > 100000)
                return Usage("ungültiger Maßstab", value);
        } else if (arg == u"--data") {
            if (++i >= args.size()) return Usage("--data ohne Ordner", QString());
            dataFolder = args[i];
        } else if (arg.startsWith(QStringLiteral("--data="))) {
            dataFolder = arg.mid(7);
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return Usage("unbekanntes Argument", arg);
        } else {
            files << arg;
        }
    }
    if (files.size() != 2) return Usage("PLAN.pln und AUS.png erwartet", QString());

    // Surface pictures come from the image folder of the settings; without pictures the
    // settings are not touched at all.
    if (images) {
        TAppSettings& settings = AppSettings();
        if (!dataFolder.isEmpty()) settings.SetDataFolder(dataFolder);
        settings.WorkOutFolders();
        ImageCache().SetImagePath(settings.Folders().ImagePath);
    }

    QString detail;
    const std::unique_ptr<TPlanDocument> document = LoadPlanFile(files[0], nullptr, &detail);
    if (!document) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(PlanLoadErrorText(files[0])),
                     qPrintable(detail));
        return 1;
    }
    const QImage picture = RenderPlan(*document, scale, images);
    if (picture.isNull()) {
        std::fprintf(stderr, "tarv-cli render: Bild zu groß für den Maßstab %s\n",
                     qPrintable(FormatGeneral(scale, u',')));
        return 1;
    }
    // The format follows the file name; PNG when it names none Qt writes.
    QByteArray format = QFileInfo(files[1]).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) format = "png";
    QImageWriter writer(files[1], format);
    if (!writer.write(picture)) {
        std::fprintf(stderr, "tarv-cli render: %s: %s\n", qPrintable(files[1]),
                     qPrintable(writer.errorString()));
        return 1;
    }
    std::printf("%s: %d x %d Bildpunkte\n", qPrintable(files[1]), picture.width(),
                picture.height());
    return 0;
}
