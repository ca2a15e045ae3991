#pragma once
// Tagged value stream: the byte encoding shared by plan files, undo snapshots, stream
// catalogues and the substructure settings file. A stream is a sequence of tagged values
// (one tag byte, then its payload) and raw blocks (plain bytes whose meaning the record
// layout gives). All numbers are little-endian.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>

class QIODevice;

enum class TValueType : std::uint8_t {
    vaNull = 0, // list end
    vaList = 1, // list begin
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5, // 80-bit x87 extended real
    vaString = 6,   // 1 length byte, bytes (UTF-8)
    vaFalse = 8,
    vaTrue = 9,
    vaLString = 12,    // 4-byte length, bytes (Windows-1252)
    vaWString = 18,    // 4-byte count of UTF-16 units, UTF-16LE
    vaInt64 = 19,      // 8 bytes
    vaUTF8String = 20, // 4-byte length, bytes UTF-8
    vaDouble = 21,     // 8 bytes IEEE double
};

// A value of the wrong kind, a length that does not fit into what is left, or the end of
// the data reached early. Loaders catch it and fail cleanly.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The device refused bytes (disk full, closed file, ...).
class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Buffered writer. Bytes reach the device when the buffer is full, on FlushBuffer, and on
// destruction (where a failure can no longer be reported: call FlushBuffer before).
class TWriter {
public:
    explicit TWriter(QIODevice& device, int bufferSize = 1024);
    ~TWriter();
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    void WriteValue(TValueType tag);
    // Tag 2, 3 or 4 by range; values beyond 32 bits as tag 19.
    void WriteInteger(std::int64_t value);
    void WriteBoolean(bool value);
    // Tag 18, 20, 6 or 12 by the content (see the encoding rules in ValueStream.cpp).
    void WriteString(const QString& value);
    // Tag 5 with the value as 80-bit extended real (exact).
    void WriteFloat(double value);
    // Tag 21 with the plain double.
    void WriteDouble(double value);
    void WriteListBegin();
    void WriteListEnd();

    // Raw blocks, no tag.
    void Write(const void* data, std::int64_t count);
    void WriteRawDouble(double value);
    void WriteRawInt32(std::int32_t value);
    // A bounded 8-bit string as its storage block: one length byte, then `capacity` bytes
    // (the text, zero-padded). Text longer than capacity is cut.
    void WriteShortStringBlock(const QByteArray& text8bit, int capacity);

    void FlushBuffer();
    // Bytes written so far, buffered ones included.
    std::int64_t Position() const { return fFlushed + fBuffer.size(); }

private:
    QIODevice& fDevice;
    QByteArray fBuffer;
    int fBufferSize;
    std::int64_t fFlushed = 0;
};

// Buffered reader. Never reads past the end of its data; every length taken from the data is
// checked against the bytes that are left before anything is allocated.
class TReader {
public:
    explicit TReader(QIODevice& device, int bufferSize = 1024);
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // The tag of the next value, not consumed.
    TValueType NextValue();
    // True when the next tag is list end (not consumed).
    bool EndOfList();
    TValueType ReadValue();

    std::int32_t ReadInteger(); // tags 2, 3, 4
    std::int64_t ReadInt64();   // tags 2, 3, 4, 19
    bool ReadBoolean();         // tags 8, 9
    QString ReadString();       // tags 6, 12, 18, 20
    double ReadFloat();         // tag 5; also 21 and the integer tags 2, 3, 4, 19
    void ReadListBegin();
    void ReadListEnd();
    // The string ReadString would return next, not consumed: lists of mixed classes pick the
    // class by the serial ID that heads each record, and the record's reader reads it again.
    QString PeekString();

    // Raw blocks, no tag.
    void Read(void* data, std::int64_t count);
    double ReadRawDouble();
    std::int32_t ReadRawInt32();
    // Counterpart of TWriter::WriteShortStringBlock; a length byte above capacity is clamped.
    QByteArray ReadShortStringBlock(int capacity);
    void Skip(std::int64_t count);

    // Bytes not yet consumed (buffered and on the device).
    std::int64_t BytesLeft() const;
    bool AtEnd() const { return BytesLeft() == 0; }
    std::int64_t Position() const { return fConsumed; }

    // Records that hold records of their own (modules in modules) open a level while they
    // read; deeper than kMaxNesting levels fails with EReadError instead of running out of
    // stack on a damaged or hostile file.
    static constexpr int kMaxNesting = 32;
    class TNesting {
    public:
        explicit TNesting(TReader& Reader);
        ~TNesting() { --fReader.fNesting; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;

    private:
        TReader& fReader;
    };

private:
    void Require(std::int64_t count);
    bool Fill(std::int64_t count);

    QIODevice& fDevice;
    QByteArray fBuffer;
    std::int64_t fBufferPos = 0;
    int fBufferSize;
    std::int64_t fConsumed = 0;
    int fNesting = 0;
};
