#pragma once
// Bounded 8-bit text fields (article numbers, image names, offer row fields, the plan comment)
// and the A-Z-only case folding used by the catalogue and the scripts.

#include "platform/Cp1252.h"
#include "platform/ValueStream.h"

#include <QByteArray>
#include <QString>

// The Windows-1252 bytes of `text`, cut to at most `capacity` bytes. Converting first and
// cutting afterwards never splits a character: the code page has one byte per character.
QByteArray CutCp1252(const QString& text, int capacity);

// The bytes of a zero-terminated block: everything before the first zero byte.
QByteArray ZeroTerminated(const QByteArray& block);

// A text of at most Capacity Windows-1252 bytes; longer text is cut when set.
template <int Capacity>
class TShortText {
    static_assert(Capacity > 0, "a text field holds at least one byte");

public:
    static constexpr int kCapacity = Capacity;

    TShortText() = default;
    TShortText(const QString& text) : fBytes(CutCp1252(text, Capacity)) {}

    void SetText(const QString& text) { fBytes = CutCp1252(text, Capacity); }
    QString Text() const;
    void SetBytes(const QByteArray& bytes) { fBytes = bytes.left(Capacity); }
    const QByteArray& Bytes() const { return fBytes; }
    int Length() const { return static_cast<int>(fBytes.size()); }
    bool IsEmpty() const { return fBytes.isEmpty(); }

    // The storage block of stream records: one length byte, then Capacity bytes (up to 255).
    void WriteBlock(TWriter& writer) const;
    void ReadBlock(TReader& reader);

    bool operator==(const TShortText&) const = default;

private:
    QByteArray fBytes;
};

// A-Z only: every other character, "ä" included, stays as it is.
QString UpperCaseAZ(const QString& text);
QString LowerCaseAZ(const QString& text);
bool SameTextAZ(const QString& a, const QString& b);
// Ordinal comparison of the upper-cased texts: negative, zero or positive.
int CompareTextAZ(const QString& a, const QString& b);

// ---------------------------------------------------------------------------------------------

template <int Capacity>
QString TShortText<Capacity>::Text() const {
    return FromCp1252(fBytes);
}

template <int Capacity>
void TShortText<Capacity>::WriteBlock(TWriter& writer) const {
    static_assert(Capacity <= 255, "length-prefixed blocks hold at most 255 bytes");
    writer.WriteShortStringBlock(fBytes, Capacity);
}

template <int Capacity>
void TShortText<Capacity>::ReadBlock(TReader& reader) {
    static_assert(Capacity <= 255, "length-prefixed blocks hold at most 255 bytes");
    fBytes = reader.ReadShortStringBlock(Capacity);
}
