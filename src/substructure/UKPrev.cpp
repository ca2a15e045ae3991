#include "substructure/UKPrev.h"

#include "platform/AppSettings.h"
#include "platform/ValueStream.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include <optional>

namespace {

// No record of the older format can start with it: those begin with an integer tag.
const QByteArray kSignature = QByteArrayLiteral("TarvUKP\x1a");
constexpr int kFormatVersion = 1;
// Larger files are not settings of this program.
constexpr qint64 kMaxFileSize = 1 << 20;

struct TFramedRecord {
    std::int32_t ID = 0;
    QString ClassName;
    QByteArray Record;
};

// The whole framed file, or nothing when any part of it does not parse.
std::optional<std::vector<TFramedRecord>> ParseFramed(const QByteArray& bytes) {
    QByteArray data = bytes.mid(kSignature.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    std::vector<TFramedRecord> records;
    try {
        TReader reader(buffer);
        if (reader.ReadInteger() != kFormatVersion) return std::nullopt;
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            TFramedRecord r;
            r.ID = reader.ReadInteger();
            r.ClassName = reader.ReadString();
            const std::int32_t size = reader.ReadInteger();
            if (size < 0 || size > reader.BytesLeft()) return std::nullopt;
            r.Record.resize(size);
            reader.Read(r.Record.data(), size);
            records.push_back(std::move(r));
        }
        reader.ReadListEnd();
        if (!reader.AtEnd()) return std::nullopt;
    } catch (const EReadError&) {
        return std::nullopt;
    }
    return records;
}

bool ReadRecord(TLattenGenerator& prototype, const QByteArray& record) {
    QByteArray data = record;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    try {
        TReader reader(buffer);
        prototype.ReadData(reader);
        return true;
    } catch (const EReadError&) {
        return false;
    }
}

bool ReadFramed(const QByteArray& bytes, TLattenGeneratorList& prototypes) {
    const std::optional<std::vector<TFramedRecord>> records = ParseFramed(bytes);
    if (!records) return false;
    bool any = false;
    for (const TFramedRecord& r : *records) {
        if (r.ID < 0 || r.ID >= static_cast<std::int32_t>(prototypes.size())) continue;
        TLattenGenerator* prototype = prototypes[static_cast<size_t>(r.ID)].get();
        if (prototype == nullptr || prototype->ClassName() != r.ClassName) continue;
        any = ReadRecord(*prototype, r.Record) || any;
    }
    return any;
}

// The older files: the records back to back in list order, read until the first one that
// does not parse. A layout this build lacks ends the reading, as its record cannot be skipped.
bool ReadPlain(const QByteArray& bytes, TLattenGeneratorList& prototypes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    bool any = false;
    for (const auto& prototype : prototypes) {
        if (!prototype || reader.AtEnd()) break;
        try {
            prototype->ReadData(reader);
        } catch (const EReadError&) {
            break;
        }
        any = true;
    }
    return any;
}

} // namespace

QString UKPrevFileName(const TAppSettings& Settings) {
    // Before the folders are worked out there is no data folder; the working directory is
    // no place for settings.
    const QString folder = Settings.Folders().DataFolder;
    return folder.isEmpty() ? QString() : folder + QStringLiteral("UKprev.bin");
}

bool ReadUKPrev(const QByteArray& Bytes, TLattenGeneratorList& Prototypes) {
    if (Bytes.startsWith(kSignature)) return ReadFramed(Bytes, Prototypes);
    return ReadPlain(Bytes, Prototypes);
}

bool ReadUKPrevFile(const QString& FileName, TLattenGeneratorList& Prototypes) {
    if (FileName.isEmpty()) return false;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return false;
    return ReadUKPrev(file.readAll(), Prototypes);
}

QByteArray UKPrevBytes(const TLattenGeneratorList& Prototypes) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    buffer.write(kSignature);
    TWriter writer(buffer);
    writer.WriteInteger(kFormatVersion);
    writer.WriteListBegin();
    for (const auto& prototype : Prototypes) {
        if (!prototype) continue;
        QByteArray record;
        QBuffer recordBuffer(&record);
        recordBuffer.open(QIODevice::WriteOnly);
        {
            TWriter recordWriter(recordBuffer);
            prototype->WriteData(recordWriter);
            recordWriter.FlushBuffer();
        }
        writer.WriteInteger(prototype->BitMapIndex);
        writer.WriteString(prototype->ClassName());
        writer.WriteInteger(record.size());
        writer.Write(record.constData(), record.size());
    }
    writer.WriteListEnd();
    writer.FlushBuffer();
    return bytes;
}

bool WriteUKPrevFile(const QString& FileName, const TLattenGeneratorList& Prototypes) {
    if (FileName.isEmpty()) return false;
    const QByteArray bytes = UKPrevBytes(Prototypes);
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
