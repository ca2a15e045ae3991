#include "model/PlanFile.h"

#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"

#include <QFile>
#include <QSaveFile>

#include <exception>

namespace {

// Files are read and written in blocks of this size; it does not change the bytes.
constexpr int kFileBufferSize = 1024;

void SetDetail(QString* Detail, const QString& Text) {
    if (Detail) *Detail = Text;
}

} // namespace

QString PlanLoadErrorText(const QString& Path) {
    return QStringLiteral("Falsches Dateiformat oder Fehler beim Laden des Plans.") +
           QLatin1Char('\n') + Path.toUpper();
}

QString PlanSaveErrorText(const QString& Path) {
    return QStringLiteral("Fehler beim Speichern des Verlegeplans.") + QLatin1Char('\n') +
           QStringLiteral("Die Datei ist möglicherweise schreibgeschützt.") + QLatin1Char('\n') +
           Path.toUpper();
}

std::unique_ptr<TPlanDocument> LoadPlanFile(const QString& Path, const TPlanReadDefaults& Defaults,
                                            IPlanHost* Host, QString* Detail) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetDetail(Detail, file.errorString());
        return nullptr;
    }
    auto document = std::make_unique<TPlanDocument>(Host);
    try {
        TReader reader(file, kFileBufferSize);
        document->ReadData(reader, Defaults);
    } catch (const std::exception& e) {
        // Whatever was read so far goes with the document.
        SetDetail(Detail, QString::fromUtf8(e.what()));
        return nullptr;
    }
    document->FileName = Path;
    return document;
}

bool SavePlanFile(TPlanDocument& Document, const QString& Path, QString* Detail) {
    // QSaveFile writes beside the target and renames only after everything is written.
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetDetail(Detail, file.errorString());
        return false;
    }
    try {
        TWriter writer(file, kFileBufferSize);
        Document.WriteData(writer);
        writer.FlushBuffer();
    } catch (const std::exception& e) {
        file.cancelWriting();
        SetDetail(Detail, QString::fromUtf8(e.what()));
        return false;
    }
    if (!file.commit()) {
        SetDetail(Detail, file.errorString());
        return false;
    }
    Document.FileName = Path;
    Document.Modified = false;
    return true;
}
