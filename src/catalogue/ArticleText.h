#pragma once
// Text fields of articles and groups. Every one of them ends up as a field of a catalogue
// line, where ";" separates the fields and CR LF the lines: such characters are replaced
// whenever a text is set, so no article can shift the fields of its line.

#include "platform/TextFields.h"

#include <QByteArray>
#include <QString>

// ";" becomes "," and CR and LF become blanks; the length stays the same.
QString LineSafeText(const QString& text);
QByteArray LineSafeBytes(const QByteArray& bytes);

// A bounded Windows-1252 text, cut to Capacity bytes and line-safe.
template <int Capacity>
class TArticleText {
public:
    static constexpr int kCapacity = Capacity;

    TArticleText() = default;
    TArticleText(const QString& text) { SetText(text); }
    TArticleText(const char16_t* text) { SetText(QString::fromUtf16(text)); }

    void SetText(const QString& text) { fText.SetBytes(LineSafeBytes(CutCp1252(text, Capacity))); }
    void SetBytes(const QByteArray& bytes) { fText.SetBytes(LineSafeBytes(bytes)); }
    QString Text() const { return fText.Text(); }
    const QByteArray& Bytes() const { return fText.Bytes(); }
    bool IsEmpty() const { return fText.IsEmpty(); }

    void WriteBlock(TWriter& writer) const { fText.WriteBlock(writer); }
    void ReadBlock(TReader& reader) {
        fText.ReadBlock(reader);
        SetBytes(fText.Bytes());
    }

    bool operator==(const TArticleText&) const = default;

private:
    TShortText<Capacity> fText;
};

// An unbounded, line-safe text (the connector and optional article numbers).
class TArticleString {
public:
    TArticleString() = default;
    TArticleString(const QString& text) : fText(LineSafeText(text)) {}

    void SetText(const QString& text) { fText = LineSafeText(text); }
    const QString& Text() const { return fText; }
    bool IsEmpty() const { return fText.isEmpty(); }

    bool operator==(const TArticleString&) const = default;

private:
    QString fText;
};
