#pragma once
// The per-user settings store: typed values under key paths such as "\Software\Tarv\General",
// kept in an INI file. A read fails (empty optional) when the value is missing or does not
// hold a value of the asked type, so every reader decides its own default.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

class TSettingsStore {
public:
    // The store in the given INI file (created on the first write).
    explicit TSettingsStore(const QString& fileName);
    ~TSettingsStore();
    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    // "<user configuration folder>/Tarv/Tarv.ini".
    static QString DefaultFileName();
    QString FileName() const;

    std::optional<QString> ReadString(const QString& key, const QString& name) const;
    // Decimal integer (optional sign).
    std::optional<std::int64_t> ReadInteger(const QString& key, const QString& name) const;
    // "1"/"0" or "true"/"false" (any letter case).
    std::optional<bool> ReadBool(const QString& key, const QString& name) const;
    // A real with "." or "," as decimal separator.
    std::optional<double> ReadFloat(const QString& key, const QString& name) const;
    std::optional<QByteArray> ReadBinary(const QString& key, const QString& name) const;

    void WriteString(const QString& key, const QString& name, const QString& value);
    void WriteInteger(const QString& key, const QString& name, std::int64_t value);
    void WriteBool(const QString& key, const QString& name, bool value);
    // Fixed point with "." as separator.
    void WriteFloat(const QString& key, const QString& name, double value, int decimals);
    void WriteBinary(const QString& key, const QString& name, const QByteArray& value);

    bool ValueExists(const QString& key, const QString& name) const;
    void DeleteValue(const QString& key, const QString& name);
    // Value names directly under the key, and the names of its sub-keys.
    QStringList ValueNames(const QString& key) const;
    QStringList SubKeys(const QString& key) const;

    // Writes pending changes to the file; false when the file cannot be written.
    bool Sync();

private:
    // "\Software\Tarv\General" + "ImagePath" -> "Software/Tarv/General/ImagePath".
    static QString Path(const QString& key, const QString& name);
    static QString Group(const QString& key);
    std::optional<QString> ReadText(const QString& key, const QString& name) const;

    std::unique_ptr<QSettings> fSettings;
};
