#include "platform/ValueStream.h"

#include "platform/Cp1252.h"
#include "platform/Extended80.h"

#include <QIODevice>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

// Encoding rules of the writer:
// - Integers take the smallest of tags 2, 3, 4; beyond 32 bits tag 19.
// - A string whose UTF-8 form needs at least two bytes per UTF-16 unit is stored as UTF-16
//   (tag 18; this includes the empty string), other non-ASCII text as UTF-8 (tag 20), pure
//   ASCII as tag 6 up to 255 bytes, else tag 12.
// Readers of older files also meet tag 6 and tag 12 with 8-bit code-page bytes.

namespace {

constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void ThrowRead(const QString& message) {
    throw EReadError(message.toStdString());
}

[[noreturn]] void ThrowEndOfData() {
    ThrowRead(QStringLiteral("Unerwartetes Ende der Daten"));
}

[[noreturn]] void ThrowWrongTag(TValueType tag, const char* expected) {
    ThrowRead(QStringLiteral("Ungültiger Wert im Datenstrom (Tag %1, erwartet: %2)")
                  .arg(static_cast<int>(tag))
                  .arg(QString::fromUtf8(expected)));
}

void PutLE(unsigned char* out, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t GetLE(const unsigned char* in, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= std::uint64_t(in[i]) << (8 * i);
    return value;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (n - i <= extra) return false;
        if (p[i + 1] < lo || p[i + 1] > hi) return false;
        for (int k = 2; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TWriter

TWriter::TWriter(QIODevice& device, int bufferSize)
    : fDevice(device), fBufferSize(std::max(bufferSize, 1)) {
    fBuffer.reserve(fBufferSize);
}

TWriter::~TWriter() {
    try {
        FlushBuffer();
    } catch (...) {
        // Nobody to tell any more; callers who care flush before.
    }
}

void TWriter::FlushBuffer() {
    if (fBuffer.isEmpty()) return;
    const qsizetype count = fBuffer.size();
    const qint64 written = fDevice.write(fBuffer.constData(), count);
    // The bytes count as issued either way, so a failed flush is not retried by the destructor.
    fFlushed += count;
    fBuffer.clear();
    if (written != count) throw EWriteError("Fehler beim Schreiben der Daten");
}

void TWriter::Write(const void* data, std::int64_t count) {
    if (count <= 0) return;
    if (fBuffer.size() + count <= fBufferSize) {
        fBuffer.append(static_cast<const char*>(data), static_cast<qsizetype>(count));
        if (fBuffer.size() == fBufferSize) FlushBuffer();
        return;
    }
    FlushBuffer();
    if (count >= fBufferSize) {
        const qint64 written = fDevice.write(static_cast<const char*>(data), count);
        fFlushed += count;
        if (written != count) throw EWriteError("Fehler beim Schreiben der Daten");
    } else {
        fBuffer.append(static_cast<const char*>(data), static_cast<qsizetype>(count));
    }
}

void TWriter::WriteValue(TValueType tag) {
    const auto byte = static_cast<unsigned char>(tag);
    Write(&byte, 1);
}

void TWriter::WriteInteger(std::int64_t value) {
    unsigned char bytes[8];
    const auto bits = static_cast<std::uint64_t>(value);
    if (value >= -128 && value <= 127) {
        WriteValue(TValueType::vaInt8);
        PutLE(bytes, bits, 1);
        Write(bytes, 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteValue(TValueType::vaInt16);
        PutLE(bytes, bits, 2);
        Write(bytes, 2);
    } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= kMaxInt32) {
        WriteValue(TValueType::vaInt32);
        PutLE(bytes, bits, 4);
        Write(bytes, 4);
    } else {
        WriteValue(TValueType::vaInt64);
        PutLE(bytes, bits, 8);
        Write(bytes, 8);
    }
}

void TWriter::WriteBoolean(bool value) {
    WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteString(const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    const qsizetype units = value.size();
    if (utf8.size() > kMaxInt32 || 2 * units > kMaxInt32)
        throw EWriteError("Zeichenkette zu lang für den Datenstrom");
    if (utf8.size() >= 2 * units) {
        WriteValue(TValueType::vaWString);
        WriteRawInt32(static_cast<std::int32_t>(units));
        QByteArray wide(2 * units, Qt::Uninitialized);
        auto* out = reinterpret_cast<unsigned char*>(wide.data());
        for (qsizetype i = 0; i < units; ++i)
            PutLE(out + 2 * i, value.at(i).unicode(), 2);
        Write(wide.constData(), wide.size());
        return;
    }
    const bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii) {
        WriteValue(TValueType::vaUTF8String);
        WriteRawInt32(static_cast<std::int32_t>(utf8.size()));
    } else if (utf8.size() <= 255) {
        WriteValue(TValueType::vaString);
        const auto length = static_cast<unsigned char>(utf8.size());
        Write(&length, 1);
    } else {
        WriteValue(TValueType::vaLString);
        WriteRawInt32(static_cast<std::int32_t>(utf8.size()));
    }
    Write(utf8.constData(), utf8.size());
}

void TWriter::WriteFloat(double value) {
    unsigned char bytes[10];
    DoubleToExtended(value, bytes);
    WriteValue(TValueType::vaExtended);
    Write(bytes, 10);
}

void TWriter::WriteDouble(double value) {
    WriteValue(TValueType::vaDouble);
    WriteRawDouble(value);
}

void TWriter::WriteListBegin() {
    WriteValue(TValueType::vaList);
}

void TWriter::WriteListEnd() {
    WriteValue(TValueType::vaNull);
}

void TWriter::WriteRawDouble(double value) {
    unsigned char bytes[8];
    PutLE(bytes, std::bit_cast<std::uint64_t>(value), 8);
    Write(bytes, 8);
}

void TWriter::WriteRawInt32(std::int32_t value) {
    unsigned char bytes[4];
    PutLE(bytes, static_cast<std::uint32_t>(value), 4);
    Write(bytes, 4);
}

void TWriter::WriteShortStringBlock(const QByteArray& text8bit, int capacity) {
    if (capacity < 0 || capacity > 255)
        throw std::invalid_argument("WriteShortStringBlock: capacity outside 0..255");
    QByteArray block(1 + capacity, '\0');
    const auto length = static_cast<int>(std::min<qsizetype>(text8bit.size(), capacity));
    block[0] = static_cast<char>(length);
    std::memcpy(block.data() + 1, text8bit.constData(), static_cast<std::size_t>(length));
    Write(block.constData(), block.size());
}

// ---------------------------------------------------------------------------------------------
// TReader

TReader::TReader(QIODevice& device, int bufferSize)
    : fDevice(device), fBufferSize(std::max(bufferSize, 1)) {}

std::int64_t TReader::BytesLeft() const {
    const std::int64_t buffered = fBuffer.size() - fBufferPos;
    const std::int64_t onDevice =
        fDevice.isSequential() ? fDevice.bytesAvailable() : fDevice.size() - fDevice.pos();
    return buffered + std::max<std::int64_t>(onDevice, 0);
}

bool TReader::Fill(std::int64_t count) {
    std::int64_t have = fBuffer.size() - fBufferPos;
    if (have >= count) return true;
    if (fBufferPos > 0) {
        fBuffer.remove(0, static_cast<qsizetype>(fBufferPos));
        fBufferPos = 0;
    }
    // Callers have checked count against BytesLeft, so this never allocates beyond the data.
    const std::int64_t target = std::max<std::int64_t>(count, fBufferSize);
    while (have < count) {
        const std::int64_t want = target - have;
        fBuffer.resize(static_cast<qsizetype>(have + want));
        const qint64 got = fDevice.read(fBuffer.data() + have, want);
        if (got <= 0) {
            fBuffer.resize(static_cast<qsizetype>(have));
            return false;
        }
        have += got;
        fBuffer.resize(static_cast<qsizetype>(have));
    }
    return true;
}

void TReader::Require(std::int64_t count) {
    if (count >= 0 && count <= fBuffer.size() - fBufferPos) return; // asks no device size
    if (count < 0 || count > BytesLeft() || !Fill(count)) ThrowEndOfData();
}

void TReader::Read(void* data, std::int64_t count) {
    if (count <= 0) {
        if (count < 0) ThrowEndOfData();
        return;
    }
    auto* out = static_cast<char*>(data);
    const std::int64_t buffered = fBuffer.size() - fBufferPos;
    if (count > buffered && count > BytesLeft()) ThrowEndOfData();
    if (count > fBufferSize && count > buffered) {
        // Large blocks go straight from the device into the destination.
        std::memcpy(out, fBuffer.constData() + fBufferPos, static_cast<std::size_t>(buffered));
        fBuffer.clear();
        fBufferPos = 0;
        std::int64_t done = buffered;
        while (done < count) {
            const qint64 got = fDevice.read(out + done, count - done);
            if (got <= 0) {
                fConsumed += done;
                ThrowEndOfData();
            }
            done += got;
        }
        fConsumed += count;
        return;
    }
    Require(count);
    std::memcpy(out, fBuffer.constData() + fBufferPos, static_cast<std::size_t>(count));
    fBufferPos += count;
    fConsumed += count;
}

void TReader::Skip(std::int64_t count) {
    if (count < 0 || count > BytesLeft()) ThrowEndOfData();
    const std::int64_t buffered = fBuffer.size() - fBufferPos;
    if (count <= buffered) {
        fBufferPos += count;
        fConsumed += count;
        return;
    }
    fBuffer.clear();
    fBufferPos = 0;
    const std::int64_t rest = count - buffered;
    const qint64 skipped = fDevice.skip(rest);
    fConsumed += buffered + std::max<qint64>(skipped, 0);
    if (skipped != rest) ThrowEndOfData();
}

TValueType TReader::NextValue() {
    Require(1);
    return static_cast<TValueType>(static_cast<unsigned char>(fBuffer.at(fBufferPos)));
}

bool TReader::EndOfList() {
    return NextValue() == TValueType::vaNull;
}

TValueType TReader::ReadValue() {
    unsigned char tag;
    Read(&tag, 1);
    return static_cast<TValueType>(tag);
}

std::int32_t TReader::ReadInteger() {
    const TValueType tag = ReadValue();
    unsigned char bytes[4];
    switch (tag) {
    case TValueType::vaInt8:
        Read(bytes, 1);
        return static_cast<std::int8_t>(bytes[0]);
    case TValueType::vaInt16:
        Read(bytes, 2);
        return static_cast<std::int16_t>(GetLE(bytes, 2));
    case TValueType::vaInt32:
        Read(bytes, 4);
        return static_cast<std::int32_t>(GetLE(bytes, 4));
    default:
        ThrowWrongTag(tag, "Ganzzahl");
    }
}

std::int64_t TReader::ReadInt64() {
    if (NextValue() != TValueType::vaInt64) return ReadInteger();
    ReadValue();
    unsigned char bytes[8];
    Read(bytes, 8);
    return static_cast<std::int64_t>(GetLE(bytes, 8));
}

bool TReader::ReadBoolean() {
    const TValueType tag = ReadValue();
    if (tag == TValueType::vaTrue) return true;
    if (tag == TValueType::vaFalse) return false;
    ThrowWrongTag(tag, "Wahrheitswert");
}

QString TReader::ReadString() {
    const TValueType tag = ReadValue();
    std::int64_t length;
    switch (tag) {
    case TValueType::vaString: {
        unsigned char byte;
        Read(&byte, 1);
        length = byte;
        break;
    }
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
    case TValueType::vaWString:
        length = ReadRawInt32();
        if (length < 0)
            ThrowRead(QStringLiteral("Negative Länge einer Zeichenkette im Datenstrom"));
        break;
    default:
        ThrowWrongTag(tag, "Zeichenkette");
    }
    const std::int64_t byteCount = tag == TValueType::vaWString ? 2 * length : length;
    if (byteCount > fBuffer.size() - fBufferPos && byteCount > BytesLeft())
        ThrowRead(QStringLiteral("Zeichenkette länger als die verbleibenden Daten"));
    QByteArray bytes(static_cast<qsizetype>(byteCount), Qt::Uninitialized);
    Read(bytes.data(), byteCount);
    switch (tag) {
    case TValueType::vaWString: {
        QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
        const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
        for (qsizetype i = 0; i < length; ++i)
            text[i] = QChar(static_cast<char16_t>(GetLE(in + 2 * i, 2)));
        return text;
    }
    case TValueType::vaString:
        // Older writers put code-page bytes here as well.
        return IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : FromCp1252(bytes);
    case TValueType::vaLString:
        return FromCp1252(bytes);
    default:
        return QString::fromUtf8(bytes);
    }
}

QString TReader::PeekString() {
    // Bring the whole value into the buffer, so that reading it takes nothing from the device
    // and stepping back is a matter of the buffer position.
    std::int64_t size;
    switch (const TValueType tag = NextValue()) {
    case TValueType::vaString:
        Require(2);
        size = 2 + static_cast<unsigned char>(fBuffer.at(fBufferPos + 1));
        break;
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
    case TValueType::vaWString: {
        Require(5);
        const auto* in = reinterpret_cast<const unsigned char*>(fBuffer.constData() + fBufferPos);
        const auto length = static_cast<std::int32_t>(GetLE(in + 1, 4));
        if (length < 0)
            ThrowRead(QStringLiteral("Negative Länge einer Zeichenkette im Datenstrom"));
        size = 5 + (tag == TValueType::vaWString ? 2 * std::int64_t(length) : length);
        break;
    }
    default:
        ThrowWrongTag(tag, "Zeichenkette");
    }
    if (size > BytesLeft())
        ThrowRead(QStringLiteral("Zeichenkette länger als die verbleibenden Daten"));
    Require(size);
    const std::int64_t bufferPos = fBufferPos;
    const std::int64_t consumed = fConsumed;
    QString text = ReadString();
    fBufferPos = bufferPos;
    fConsumed = consumed;
    return text;
}

double TReader::ReadFloat() {
    switch (NextValue()) {
    case TValueType::vaExtended: {
        ReadValue();
        unsigned char bytes[10];
        Read(bytes, 10);
        return ExtendedToDouble(bytes);
    }
    case TValueType::vaDouble:
        ReadValue();
        return ReadRawDouble();
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        return static_cast<double>(ReadInt64());
    default:
        ThrowWrongTag(ReadValue(), "Gleitkommazahl");
    }
}

void TReader::ReadListBegin() {
    const TValueType tag = ReadValue();
    if (tag != TValueType::vaList) ThrowWrongTag(tag, "Listenanfang");
}

void TReader::ReadListEnd() {
    const TValueType tag = ReadValue();
    if (tag != TValueType::vaNull) ThrowWrongTag(tag, "Listenende");
}

double TReader::ReadRawDouble() {
    unsigned char bytes[8];
    Read(bytes, 8);
    return std::bit_cast<double>(GetLE(bytes, 8));
}

std::int32_t TReader::ReadRawInt32() {
    unsigned char bytes[4];
    Read(bytes, 4);
    return static_cast<std::int32_t>(GetLE(bytes, 4));
}

QByteArray TReader::ReadShortStringBlock(int capacity) {
    if (capacity < 0 || capacity > 255)
        throw std::invalid_argument("ReadShortStringBlock: capacity outside 0..255");
    QByteArray block(1 + capacity, Qt::Uninitialized);
    Read(block.data(), block.size());
    // A length byte beyond the block would reach into the next field.
    const int length = std::min<int>(static_cast<unsigned char>(block.at(0)), capacity);
    return block.mid(1, length);
}

TReader::TNesting::TNesting(TReader& Reader) : fReader(Reader) {
    if (fReader.fNesting >= kMaxNesting) throw EReadError("Zu tief verschachtelte Objekte");
    ++fReader.fNesting;
}
