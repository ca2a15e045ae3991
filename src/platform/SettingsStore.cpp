#include "platform/SettingsStore.h"

#include "platform/Numbers.h"

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <stdexcept>

TSettingsStore::TSettingsStore(const QString& fileName)
    : fSettings(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {
    // Our own readers convert; QSettings must hand out the stored text unchanged.
    fSettings->setFallbacksEnabled(false);
}

TSettingsStore::~TSettingsStore() = default;

QString TSettingsStore::DefaultFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarv/Tarv.ini");
}

QString TSettingsStore::FileName() const {
    return fSettings->fileName();
}

QString TSettingsStore::Group(const QString& key) {
    // Key paths are written the registry way; QSettings nests groups with "/". The full path
    // keeps a top-level group named "General" (which QSettings reserves for ungrouped keys in
    // INI files) out of reach: our groups always start below "Software".
    QString group = key;
    group.replace(u'\\', u'/');
    while (group.startsWith(u'/'))
        group.remove(0, 1);
    while (group.endsWith(u'/'))
        group.chop(1);
    return group;
}

QString TSettingsStore::Path(const QString& key, const QString& name) {
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\'))
        throw std::invalid_argument("settings value names hold no path separator");
    const QString group = Group(key);
    return group.isEmpty() ? name : group + u'/' + name;
}

std::optional<QString> TSettingsStore::ReadText(const QString& key, const QString& name) const {
    const QVariant value = fSettings->value(Path(key, name));
    if (!value.isValid()) return std::nullopt;
    // A hand-edited value with an unquoted comma comes back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
    if (value.typeId() == QMetaType::QByteArray) return std::nullopt;
    return value.toString();
}

std::optional<QString> TSettingsStore::ReadString(const QString& key, const QString& name) const {
    return ReadText(key, name);
}

std::optional<std::int64_t> TSettingsStore::ReadInteger(const QString& key,
                                                        const QString& name) const {
    const auto text = ReadText(key, name);
    std::int64_t value = 0;
    if (!text || !ParseInteger(*text, value)) return std::nullopt;
    return value;
}

std::optional<bool> TSettingsStore::ReadBool(const QString& key, const QString& name) const {
    const auto text = ReadText(key, name);
    if (!text) return std::nullopt;
    const QString t = text->trimmed().toLower();
    if (t == u"1" || t == u"true") return true;
    if (t == u"0" || t == u"false") return false;
    return std::nullopt;
}

std::optional<double> TSettingsStore::ReadFloat(const QString& key, const QString& name) const {
    const auto text = ReadText(key, name);
    double value = 0;
    if (!text || !ParseReal(*text, value)) return std::nullopt;
    return value;
}

std::optional<QByteArray> TSettingsStore::ReadBinary(const QString& key,
                                                     const QString& name) const {
    const QVariant value = fSettings->value(Path(key, name));
    if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
    return value.toByteArray();
}

void TSettingsStore::WriteString(const QString& key, const QString& name, const QString& value) {
    fSettings->setValue(Path(key, name), value);
}

void TSettingsStore::WriteInteger(const QString& key, const QString& name, std::int64_t value) {
    fSettings->setValue(Path(key, name), QString::number(value));
}

void TSettingsStore::WriteBool(const QString& key, const QString& name, bool value) {
    fSettings->setValue(Path(key, name), value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsStore::WriteFloat(const QString& key, const QString& name, double value,
                                int decimals) {
    fSettings->setValue(Path(key, name), FormatFixed(value, decimals, u'.'));
}

void TSettingsStore::WriteBinary(const QString& key, const QString& name, const QByteArray& value) {
    fSettings->setValue(Path(key, name), value);
}

bool TSettingsStore::ValueExists(const QString& key, const QString& name) const {
    return fSettings->contains(Path(key, name));
}

void TSettingsStore::DeleteValue(const QString& key, const QString& name) {
    fSettings->remove(Path(key, name));
}

QStringList TSettingsStore::ValueNames(const QString& key) const {
    fSettings->beginGroup(Group(key));
    const QStringList names = fSettings->childKeys();
    fSettings->endGroup();
    return names;
}

QStringList TSettingsStore::SubKeys(const QString& key) const {
    fSettings->beginGroup(Group(key));
    const QStringList names = fSettings->childGroups();
    fSettings->endGroup();
    return names;
}

bool TSettingsStore::Sync() {
    fSettings->sync();
    return fSettings->status() == QSettings::NoError;
}
