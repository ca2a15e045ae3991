#include "platform/IniFile.h"

#include "platform/Cp1252.h"
#include "platform/Numbers.h"
#include "platform/TextFields.h"

#include <QFile>
#include <QStringDecoder>

TIniFile TIniFile::FromText(const QString& Text) {
    TIniFile ini;
    TSection* current = nullptr;
    const QStringList lines = Text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = const_cast<TSection*>(ini.FindSection(name));
            if (current == nullptr) {
                ini.fSections.push_back({name, {}});
                current = &ini.fSections.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || current == nullptr) continue;
        current->Entries.push_back({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return ini;
}

TIniFile TIniFile::FromBytes(const QByteArray& Bytes) {
    QByteArray data = Bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError()) text = FromCp1252(data);
    return FromText(text);
}

bool TIniFile::LoadFromFile(const QString& Path) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    *this = FromBytes(file.readAll());
    return true;
}

const TIniFile::TSection* TIniFile::FindSection(const QString& Name) const {
    for (const TSection& s : fSections)
        if (SameTextAZ(s.Name, Name)) return &s;
    return nullptr;
}

const QString* TIniFile::Find(const QString& Section, const QString& Key) const {
    const TSection* s = FindSection(Section);
    if (s == nullptr) return nullptr;
    for (const TEntry& e : s->Entries)
        if (SameTextAZ(e.Key, Key)) return &e.Value;
    return nullptr;
}

bool TIniFile::SectionExists(const QString& Section) const {
    return FindSection(Section) != nullptr;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Key) const {
    return Find(Section, Key) != nullptr;
}

QString TIniFile::ReadString(const QString& Section, const QString& Key,
                             const QString& Default) const {
    const QString* v = Find(Section, Key);
    return v ? *v : Default;
}

std::int64_t TIniFile::ReadInteger(const QString& Section, const QString& Key,
                                   std::int64_t Default) const {
    const QString* v = Find(Section, Key);
    std::int64_t value = Default;
    if (v == nullptr || !ParseInteger(*v, value)) return Default;
    return value;
}

double TIniFile::ReadFloat(const QString& Section, const QString& Key, double Default) const {
    const QString* v = Find(Section, Key);
    double value = Default;
    if (v == nullptr || !ParseReal(*v, value)) return Default;
    return value;
}

bool TIniFile::ReadBool(const QString& Section, const QString& Key, bool Default) const {
    const QString* v = Find(Section, Key);
    std::int64_t value = 0;
    if (v == nullptr || !ParseInteger(*v, value)) return Default;
    return value != 0;
}
