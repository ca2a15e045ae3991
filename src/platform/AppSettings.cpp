#include "platform/AppSettings.h"

#include "platform/TextFields.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString WithSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/')) return folder;
    return folder + u'/';
}

void MakeFolder(const QString& folder) {
    if (!folder.isEmpty()) QDir().mkpath(folder);
}

bool HasCatalogueFile(const QString& folder) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    return std::any_of(entries.begin(), entries.end(), [](const QFileInfo& entry) {
        return UpperCaseAZ(entry.fileName()).endsWith(u".DAT");
    });
}

// Copies one file unless the target exists; the copy is writable whatever the source was
// (the shipped data may lie in a read-only tree).
void CopyIfMissing(const QString& source, const QString& target) {
    if (QFileInfo::exists(target) || !QFileInfo(source).isFile()) return;
    MakeFolder(QFileInfo(target).absolutePath());
    if (QFile::copy(source, target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
}

void CopyTree(const QString& source, const QString& target) {
    if (!QFileInfo(source).isDir()) return;
    const QDir from(source);
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        CopyIfMissing(file, QDir(target).filePath(from.relativeFilePath(file)));
    }
}

const QString kColorLetters = QStringLiteral("ABCDEFGHIJKLMNOP");

} // namespace

QString DefaultKopfzeile() {
    return QStringLiteral("Sehr geehrter Kunde,\r\n\r\nfolgendes Angebot können wir Ihnen "
                          "unterbreiten.");
}

QString DefaultFusszeile() {
    return QStringLiteral(
        "Der Bedarf an Einzelstücken ist in eckigen Klammern [] angegeben.\r\nSie machen dieses "
        "Angebot zu einem Auftrag, indem Sie es unterschrieben zurückfaxen.\r\n\r\nMit "
        "freundlichen Grüßen");
}

QString DefaultFixKopfZeile() {
    return QStringLiteral("Wir danken für Ihre Anfrage, die wir zu den umseitigen Geschäfts-und "
                          "Lieferbedinungen unter Einschluss der jeweils gültigen Preisliste "
                          "bestätigen.");
}

QString ResolveDataFolder(const QString& explicitFolder) {
    if (!explicitFolder.isEmpty()) return WithSlash(QDir(explicitFolder).absolutePath());
    const QString fromEnvironment = qEnvironmentVariable("TARV_DATA_DIR");
    if (!fromEnvironment.isEmpty()) return WithSlash(QDir(fromEnvironment).absolutePath());
    const QString system = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!system.isEmpty()) return WithSlash(system) + QStringLiteral("Tarv/");
    return QCoreApplication::instance() ? WithSlash(QCoreApplication::applicationDirPath())
                                        : QString();
}

QString FindShippedData() {
    QStringList candidates;
#ifdef TARV_SHIPPED_DATA_DIR
    candidates << QStringLiteral(TARV_SHIPPED_DATA_DIR);
#endif
    if (QCoreApplication::instance()) {
        const QString program = QCoreApplication::applicationDirPath();
        candidates << program + QStringLiteral("/../share/tarv/data")
                   << program + QStringLiteral("/data");
    }
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate + QStringLiteral("/catalogue")).isDir())
            return QDir::cleanPath(candidate);
    return QString();
}

TFolderEnvironment ResolveFolderEnvironment(TFolderEnvironment environment) {
    if (environment.DataFolder.isEmpty()) environment.DataFolder = ResolveDataFolder();
    environment.DataFolder = WithSlash(environment.DataFolder);
    if (environment.DocumentsFolder.isEmpty())
        environment.DocumentsFolder =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (environment.ProgramFolder.isEmpty() && QCoreApplication::instance())
        environment.ProgramFolder = WithSlash(QCoreApplication::applicationDirPath());
    if (environment.ShippedData.isEmpty()) environment.ShippedData = FindShippedData();
    return environment;
}

TFolderValues WorkOutFolders(TSettingsStore& store, const TFolderEnvironment& environment) {
    TFolderValues folders;
    folders.DataFolder = WithSlash(environment.DataFolder);
    MakeFolder(folders.DataFolder);
    const QString documents =
        environment.DocumentsFolder.isEmpty()
            ? QString()
            : WithSlash(environment.DocumentsFolder) + QStringLiteral("Tarv/");

    bool defaulted = false;
    // A folder read from the store is created as well: later writes into it must not fail.
    const auto folder = [&](const char* name, const QString& fallback) {
        const auto stored = store.ReadString(kGeneralKey, QLatin1String(name));
        defaulted = !stored || stored->isEmpty();
        const QString value = defaulted ? fallback : *stored;
        if (defaulted) store.WriteString(kGeneralKey, QLatin1String(name), value);
        MakeFolder(value);
        return value;
    };
    folders.ImagePath = folder("ImagePath", folders.DataFolder + QStringLiteral("IMAGES"));
    folders.ElementPath = folder("ElementPath", folders.DataFolder + QStringLiteral("MODULES"));
    folders.ProductPath = folder("ProductPath", folders.DataFolder);
    const bool productPathDefaulted = defaulted;
    folders.PatternPath = folder("PatternPath", folders.DataFolder + QStringLiteral("Patterns"));
    const auto savePathNow = store.ReadString(kGeneralKey, QStringLiteral("SavePath"));
    const bool noSavePath = !savePathNow || savePathNow->isEmpty();
    folders.OfferExportPath = folder(
        "OfferExportPath", noSavePath && !documents.isEmpty() ? documents : folders.DataFolder);

    folders.HelpFile = environment.ProgramFolder + QStringLiteral("TARV.CHM");
    folders.OfferTextFile = folders.DataFolder + QStringLiteral("Angebot.txt");
    folders.MessageTextFile = folders.DataFolder + QStringLiteral("Meldungen.txt");

    if (!noSavePath) {
        folders.SavePath = *savePathNow;
    } else if (!documents.isEmpty()) {
        folders.SavePath = documents;
        store.WriteString(kGeneralKey, QStringLiteral("SavePath"), documents);
    }

    const auto readOnly = store.ReadBool(kGeneralKey, QStringLiteral("ProductReadOnly"));
    folders.ProductReadOnly = readOnly.value_or(false);
    if (!readOnly) store.WriteBool(kGeneralKey, QStringLiteral("ProductReadOnly"), false);

    // A new user sees a full catalogue at once; a folder the user emptied later stays empty.
    if (productPathDefaulted && !environment.ShippedData.isEmpty() &&
        !HasCatalogueFile(folders.ProductPath)) {
        CopyShippedData(environment.ShippedData, folders);
        folders.SampleDataCopied = true;
    }
    store.Sync();
    return folders;
}

void CopyShippedData(const QString& shipped, const TFolderValues& folders) {
    const QDir from(shipped);
    const QFileInfoList catalogues =
        QDir(from.filePath(QStringLiteral("catalogue"))).entryInfoList(QDir::Files);
    for (const QFileInfo& file : catalogues)
        if (UpperCaseAZ(file.fileName()).endsWith(u".DAT"))
            CopyIfMissing(file.filePath(), QDir(folders.ProductPath).filePath(file.fileName()));
    CopyTree(from.filePath(QStringLiteral("modules")), folders.ElementPath);
    CopyTree(from.filePath(QStringLiteral("images")), folders.ImagePath);
    CopyTree(from.filePath(QStringLiteral("patterns")), folders.PatternPath);
    CopyIfMissing(from.filePath(QStringLiteral("Angebot.txt")), folders.OfferTextFile);
    CopyIfMissing(from.filePath(QStringLiteral("Meldungen.txt")), folders.MessageTextFile);
}

QStringList ReadCustomColors(const TSettingsStore& store, const QString& key) {
    QStringList entries;
    for (const QChar letter : kColorLetters) {
        const QString name = QStringLiteral("Color") + letter;
        const QString value = store.ReadString(key, name).value_or(QString());
        if (!value.isEmpty()) entries << name + u'=' + value;
    }
    return entries;
}

void WriteCustomColors(TSettingsStore& store, const QString& key, const QStringList& entries) {
    for (const QChar letter : kColorLetters) {
        const QString name = QStringLiteral("Color") + letter;
        QString value;
        for (const QString& entry : entries)
            if (entry.startsWith(name + u'=')) value = entry.mid(name.size() + 1);
        store.WriteString(key, name, value);
    }
    store.Sync();
}

// ---------------------------------------------------------------------------------------------
// TAppSettings

TAppSettings::TAppSettings() = default;
TAppSettings::~TAppSettings() = default;

void TAppSettings::SetDataFolder(const QString& folder) {
    fDataOverride = folder;
    fEnvironmentResolved = false;
}

void TAppSettings::SetSettingsFile(const QString& fileName) {
    fSettingsOverride = fileName;
}

void TAppSettings::SetShippedData(const QString& folder) {
    fShippedOverride = folder;
    fEnvironmentResolved = false;
}

const TFolderEnvironment& TAppSettings::Environment() {
    if (!fEnvironmentResolved) {
        TFolderEnvironment environment;
        environment.DataFolder = ResolveDataFolder(fDataOverride);
        const bool overridden =
            !fDataOverride.isEmpty() || !qEnvironmentVariable("TARV_DATA_DIR").isEmpty();
        if (overridden) environment.DocumentsFolder = environment.DataFolder + "Dokumente";
        environment.ShippedData = fShippedOverride;
        fEnvironment = ResolveFolderEnvironment(environment);
        fEnvironmentResolved = true;
    }
    return fEnvironment;
}

TSettingsStore& TAppSettings::Store() {
    if (!fStore) {
        QString fileName = fSettingsOverride;
        const bool overridden =
            !fDataOverride.isEmpty() || !qEnvironmentVariable("TARV_DATA_DIR").isEmpty();
        if (fileName.isEmpty())
            fileName = overridden ? Environment().DataFolder + QStringLiteral("Tarv.ini")
                                  : TSettingsStore::DefaultFileName();
        fStore = std::make_unique<TSettingsStore>(fileName);
    }
    return *fStore;
}

void TAppSettings::WorkOutFolders() {
    fFolders = ::WorkOutFolders(Store(), Environment());
}

void TAppSettings::ReadGeneral(int colourDepth) {
    fGeneral = ReadGeneralSettings(Store(), colourDepth);
}

void TAppSettings::ReadUser() {
    fUser = ReadUserSettings(Store(), Branding);
    fUserLoaded = true;
}

TCurrency TAppSettings::Currency() const {
    if (!fUserLoaded) return TCurrency{};
    const int index = std::clamp(fUser.Currency, 0, 2);
    return TCurrency{index, fUser.Waehrung[std::size_t(index)]};
}
