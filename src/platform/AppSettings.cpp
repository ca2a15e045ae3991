#include "platform/AppSettings.h"

#include "platform/Branding.h"
#include "platform/Numbers.h"
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

int BrandingInteger(int number, int fallback) {
    std::int64_t value = 0;
    return ParseInteger(BrandingText(number), value) ? int(value) : fallback;
}

double BrandingReal(int number, double fallback) {
    double value = 0;
    return ParseReal(BrandingText(number), value) ? value : fallback;
}

// Reads the User values in the dialog's order; the first failing read marks the whole set.
struct TUserReader {
    TSettingsStore& Store;
    bool Ok = true;

    QString Text(const QString& name, int maxLength = -1) {
        const auto value = Store.ReadString(kUserKey, name);
        if (!value) Ok = false;
        const QString text = value.value_or(QString());
        return maxLength < 0 ? text : text.left(maxLength);
    }
    bool Bool(const QString& name) {
        const auto value = Store.ReadBool(kUserKey, name);
        if (!value) Ok = false;
        return value.value_or(false);
    }
    std::int64_t Integer(const QString& name) {
        const auto value = Store.ReadInteger(kUserKey, name);
        if (!value) Ok = false;
        return value.value_or(0);
    }
    double Real(const QString& name) {
        const auto value = Store.ReadFloat(kUserKey, name);
        if (!value) Ok = false;
        return value.value_or(0);
    }
};

// The radio buttons tick none for a value outside 0..2; the dialog then reports the first.
int CurrencyIndex(std::int64_t value) {
    return value >= 0 && value <= 2 ? int(value) : 0;
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

TGeneralSettings ReadGeneralSettings(TSettingsStore& store, int colourDepth) {
    TGeneralSettings settings;
    const auto flag = [&](const char* name, bool fallback) {
        return store.ReadBool(kGeneralKey, QLatin1String(name)).value_or(fallback);
    };
    settings.ShowVerlattung = flag("ShowVerlattung", true);
    settings.ShowImage = flag("ShowImage", true);
    settings.ShowLeisten = flag("ShowLeisten", true);
    settings.ShowBemassung = flag("ShowBemassung", true);
    settings.ShowZuschnitt = flag("ShowZuschnitt", true);
    settings.ShowAussenBemassung = flag("ShowAussenBemassung", true);
    settings.ShowTipFenster = flag("ShowTipFenster", false);

    const auto landscape = store.ReadBool(kGeneralKey, QStringLiteral("Querformat"));
    settings.Querformat = landscape.value_or(false);
    if (!landscape) store.WriteBool(kGeneralKey, QStringLiteral("Querformat"), false);

    const auto colorRes = store.ReadInteger(kGeneralKey, QStringLiteral("ColorRes"));
    settings.ColorRes = colorRes ? int(*colorRes) : (colourDepth > 15 ? 24 : colourDepth);
    if (!colorRes) store.WriteInteger(kGeneralKey, QStringLiteral("ColorRes"), settings.ColorRes);
    settings.ColorWarning = flag("ColorWarning", true);

    settings.DefaultProduct = store.ReadString(kGeneralKey, QStringLiteral("DefaultProduct"))
                                  .value_or(QStringLiteral("99999999"))
                                  .left(20);
    settings.DefaultUKArtikel =
        store.ReadString(kGeneralKey, QStringLiteral("DefaultUKArtikel")).value_or(QString());
    // The layout list has kSubstructureLayoutCount entries; anything else picks layout 2.
    const std::int64_t layout =
        store.ReadInteger(kGeneralKey, QStringLiteral("DefaultUKMuster")).value_or(-1);
    settings.DefaultUKMuster = layout >= 0 && layout < kSubstructureLayoutCount ? int(layout) : 2;
    store.Sync();
    return settings;
}

void WriteGeneralSettings(TSettingsStore& store, const TGeneralSettings& settings) {
    const auto flag = [&](const char* name, bool value) {
        store.WriteBool(kGeneralKey, QLatin1String(name), value);
    };
    flag("ShowVerlattung", settings.ShowVerlattung);
    flag("ShowImage", settings.ShowImage);
    flag("ShowLeisten", settings.ShowLeisten);
    flag("ShowBemassung", settings.ShowBemassung);
    flag("ShowZuschnitt", settings.ShowZuschnitt);
    flag("ShowAussenBemassung", settings.ShowAussenBemassung);
    flag("ShowTipFenster", settings.ShowTipFenster);
    flag("Querformat", settings.Querformat);
    store.WriteInteger(kGeneralKey, QStringLiteral("ColorRes"), settings.ColorRes);
    flag("ColorWarning", settings.ColorWarning);
    store.WriteString(kGeneralKey, QStringLiteral("DefaultProduct"), settings.DefaultProduct);
    store.WriteString(kGeneralKey, QStringLiteral("DefaultUKArtikel"), settings.DefaultUKArtikel);
    store.WriteInteger(kGeneralKey, QStringLiteral("DefaultUKMuster"), settings.DefaultUKMuster);
    store.Sync();
}

TUserSettings FirstTimeUserSettings() {
    TUserSettings s;
    for (int i = 0; i < 3; ++i) {
        s.Waehrung[std::size_t(i)] = BrandingText(bnWaehrung0 + i).left(3);
        s.Mehrwertsteuer[std::size_t(i)] = BrandingReal(bnMehrwertsteuer0 + i, 19.0);
    }
    s.Currency = CurrencyIndex(BrandingInteger(bnCurrency, 1));
    s.Optimierung = BrandingText(bnOptimierung) == u"1";
    s.FirmaName = QStringLiteral("Firma");
    s.FirmaStrasse = QStringLiteral("Firmenstrasse");
    s.FirmaPLZ = QStringLiteral("12345");
    s.FirmaOrt = QStringLiteral("Firmenort");
    s.PrintAnschrift = true;
    s.LogoFile = BrandingText(bnLogoFile);
    s.LogoWidth = std::clamp(BrandingInteger(bnLogoWidth, 400), 300, 500);
    s.LogoHeight = std::clamp(BrandingInteger(bnLogoHeight, 300), 200, 500);
    s.PrintLogo = BrandingSwitch(bnPrintLogo);
    s.Farbdruck = BrandingSwitch(bnFarbdruck);
    s.OneSheet = !BrandingSwitch(bnOneSheet);
    s.PrintThickFrame = BrandingSwitch(bnPrintThickFrame);
    s.PrintThickPaneel = BrandingSwitch(bnPrintThickPaneel);
    s.PrintSingleItems = BrandingSwitch(bnPrintSingleItems);
    s.PrintLandScape = BrandingSwitch(bnPrintLandScape);
    s.PrintMassstab = 0;
    s.Bearbeiter = BrandingText(bnBearbeiter).left(20);
    s.Telefon = BrandingText(bnTelefon).left(20);
    s.Fax = BrandingText(bnFax).left(20);
    s.FixKopfZeile = DefaultFixKopfZeile();
    s.OfferShowAllProducts = BrandingText(bnOfferShowAll) == u"1";
    return s;
}

TUserSettings ReadUserSettings(TSettingsStore& store, bool* firstTime) {
    TUserReader r{store};
    TUserSettings s;
    for (int i = 0; i < 3; ++i)
        s.Waehrung[std::size_t(i)] = r.Text(QStringLiteral("Waehrung%1").arg(i), 3);
    for (int i = 0; i < 3; ++i)
        s.Mehrwertsteuer[std::size_t(i)] = r.Real(QStringLiteral("Mehrwertsteuer%1").arg(i));
    s.Currency = CurrencyIndex(r.Integer("Currency"));
    s.Optimierung = r.Bool("Optimierung");
    s.FirmaName = r.Text("FirmaName", 30);
    s.FirmaStrasse = r.Text("FirmaStrasse", 30);
    s.FirmaPLZ = r.Text("FirmaPLZ", 7);
    s.FirmaOrt = r.Text("FirmaOrt", 30);
    s.PrintAnschrift = r.Bool("PrintAnschrift");
    s.LogoFile = r.Text("LogoFile");
    s.LogoWidth = int(std::clamp<std::int64_t>(r.Integer("LogoWidth"), 300, 500));
    s.LogoHeight = int(std::clamp<std::int64_t>(r.Integer("LogoHeight"), 200, 500));
    s.PrintLogo = r.Bool("PrintLogo");
    s.Farbdruck = r.Bool("Farbdruck");
    s.OneSheet = r.Bool("OneSheet");
    s.PrintThickFrame = r.Bool("PrintThickFrame");
    s.PrintThickPaneel = r.Bool("PrintThickPaneel");
    s.PrintSingleItems = r.Bool("PrintSingleItems");
    s.PrintLandScape = r.Bool("PrintLandScape");
    const std::int64_t scale = r.Integer("PrintMassstab");
    s.PrintMassstab = scale >= 0 && scale <= 11 ? int(scale) : 0;
    s.Bearbeiter = r.Text("Bearbeiter", 20);
    s.Telefon = r.Text("Telefon", 20);
    s.Fax = r.Text("Fax", 20);
    s.FixKopfZeile = r.Text("FixKopfZeile", 1000);
    s.OfferShowAllProducts = r.Bool("OfferShowAllProducts");

    if (!r.Ok) {
        s = FirstTimeUserSettings();
        // The offer's own texts are the user's work: only missing ones get the defaults.
        if (!store.ValueExists(kUserKey, QStringLiteral("Kopfzeile")))
            store.WriteString(kUserKey, QStringLiteral("Kopfzeile"), DefaultKopfzeile());
        if (!store.ValueExists(kUserKey, QStringLiteral("Fusszeile")))
            store.WriteString(kUserKey, QStringLiteral("Fusszeile"), DefaultFusszeile());
    }
    if (firstTime) *firstTime = !r.Ok;
    WriteUserSettings(store, s);
    return s;
}

void WriteUserSettings(TSettingsStore& store, const TUserSettings& s) {
    const auto text = [&](const QString& name, const QString& value) {
        store.WriteString(kUserKey, name, value);
    };
    const auto flag = [&](const char* name, bool value) {
        store.WriteBool(kUserKey, QLatin1String(name), value);
    };
    const auto number = [&](const char* name, std::int64_t value) {
        store.WriteInteger(kUserKey, QLatin1String(name), value);
    };
    for (int i = 0; i < 3; ++i)
        text(QStringLiteral("Waehrung%1").arg(i), s.Waehrung[std::size_t(i)]);
    for (int i = 0; i < 3; ++i)
        text(QStringLiteral("Mehrwertsteuer%1").arg(i),
             FormatFixed(s.Mehrwertsteuer[std::size_t(i)], 1, u'.'));
    number("Currency", s.Currency);
    flag("Optimierung", s.Optimierung);
    text(QStringLiteral("FirmaName"), s.FirmaName);
    text(QStringLiteral("FirmaStrasse"), s.FirmaStrasse);
    text(QStringLiteral("FirmaPLZ"), s.FirmaPLZ);
    text(QStringLiteral("FirmaOrt"), s.FirmaOrt);
    flag("PrintAnschrift", s.PrintAnschrift);
    text(QStringLiteral("LogoFile"), s.LogoFile);
    number("LogoWidth", s.LogoWidth);
    number("LogoHeight", s.LogoHeight);
    flag("PrintLogo", s.PrintLogo);
    flag("Farbdruck", s.Farbdruck);
    flag("OneSheet", s.OneSheet);
    flag("PrintThickFrame", s.PrintThickFrame);
    flag("PrintThickPaneel", s.PrintThickPaneel);
    flag("PrintSingleItems", s.PrintSingleItems);
    flag("PrintLandScape", s.PrintLandScape);
    number("PrintMassstab", s.PrintMassstab);
    text(QStringLiteral("Bearbeiter"), s.Bearbeiter);
    text(QStringLiteral("Telefon"), s.Telefon);
    text(QStringLiteral("Fax"), s.Fax);
    text(QStringLiteral("FixKopfZeile"), s.FixKopfZeile);
    flag("OfferShowAllProducts", s.OfferShowAllProducts);
    store.Sync();
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
    fUser = ReadUserSettings(Store());
    fUserLoaded = true;
}

TCurrency TAppSettings::Currency() const {
    if (!fUserLoaded) return TCurrency{};
    const int index = std::clamp(fUser.Currency, 0, 2);
    return TCurrency{index, fUser.Waehrung[std::size_t(index)]};
}

TAppSettings& AppSettings() {
    static TAppSettings settings;
    return settings;
}
