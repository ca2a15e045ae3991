#pragma once
// Reader of INI-style script files: "[Section]" headers and "key=value" lines. Section and key
// names compare with a-z case folding, the first occurrence of a key wins, lines starting with
// ";" are comments, keys and values are trimmed.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class TIniFile {
public:
    TIniFile() = default;
    // Text already decoded.
    static TIniFile FromText(const QString& Text);
    // File bytes: UTF-8 when they are valid UTF-8 (a byte-order mark is skipped), else
    // Windows-1252. Returns false when the file cannot be read.
    bool LoadFromFile(const QString& Path);
    static TIniFile FromBytes(const QByteArray& Bytes);

    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Key) const;
    QString ReadString(const QString& Section, const QString& Key, const QString& Default) const;
    // Decimal integer; Default when missing or not a number.
    std::int64_t ReadInteger(const QString& Section, const QString& Key,
                             std::int64_t Default) const;
    // Real with "." or "," as decimal separator; Default when missing or not a number.
    double ReadFloat(const QString& Section, const QString& Key, double Default) const;
    // "1"/"0" (any non-zero integer is true); Default when missing or not a number.
    bool ReadBool(const QString& Section, const QString& Key, bool Default) const;

private:
    struct TEntry {
        QString Key;
        QString Value;
    };
    struct TSection {
        QString Name;
        std::vector<TEntry> Entries;
    };
    const TSection* FindSection(const QString& Name) const;
    const QString* Find(const QString& Section, const QString& Key) const;

    std::vector<TSection> fSections;
};
