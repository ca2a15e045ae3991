#include "catalogue/TextList.h"

#include "catalogue/CatalogueFiles.h"

#include <QFile>
#include <QStringList>

std::vector<TTextEntry> ParseTextList(const QString& Text) {
    std::vector<TTextEntry> entries;
    for (const QString& raw : Text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        // The number ends at the first blank, from the second character on.
        const qsizetype blank = line.indexOf(u' ', 1);
        if (blank < 0) continue;
        bool number = false;
        const int nr = line.left(blank).toInt(&number, 10);
        if (!number) continue;
        entries.push_back({nr, line.mid(blank + 1).trimmed()});
    }
    return entries;
}

std::vector<TTextEntry> ReadTextList(const QString& FileName) {
    QFile file(FileName);
    if (!file.exists()) {
        // Created empty so the user finds it to fill; an existing file is never truncated.
        QFile create(FileName);
        if (create.open(QIODevice::WriteOnly)) create.close();
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseTextList(DecodeCatalogueText(file.readAll()));
}

QString GetText(const QString& FileName, int TextNr) {
    if (TextNr < 0) return QString();
    for (const TTextEntry& e : ReadTextList(FileName))
        if (e.Nr == TextNr) return e.Text;
    return QString();
}

std::vector<TTextEntry> TextChoices(const QString& FileName) {
    std::vector<TTextEntry> choices{{0, QString()}};
    for (TTextEntry& e : ReadTextList(FileName))
        if (!e.Text.isEmpty()) choices.push_back(std::move(e));
    return choices;
}
