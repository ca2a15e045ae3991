#pragma once
// Small helpers shared by the catalogue tests.

#include "catalogue/Products.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <memory>

inline QString TestDataFolder() {
    const QString fromEnvironment = qEnvironmentVariable("TARV_TEST_DATA");
    return fromEnvironment.isEmpty() ? QStringLiteral(TARV_TEST_DATA_DIR) : fromEnvironment;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Header plus the given lines, CR LF after each; `lines` in Windows-1252 already.
QByteArray CatalogueBytes(const QByteArrayList& lines);

// A group of the catalogue with that name (created when missing).
TProductGroup& GroupNamed(TCatalogue& catalogue, const QString& name);

// An article of the class the type calls for, with number and name, added to the group.
TProduct& AddArticle(TProductGroup& group, std::int32_t typ, const QString& number,
                     const QString& name = QStringLiteral("Artikel"));
