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
#include <functional>
#include <optional>
#include <vector>

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

// ---------------------------------------------------------------------------------------------
// The stored values: one table per key says for every value its name, how it is read (with its
// default and range), how it is written and, for the User key, its first-time value. Reading,
// writing and the first-time defaults all walk the same table.

namespace {

int BrandingInteger(const TBranding& branding, int number, int fallback) {
    std::int64_t value = 0;
    return ParseInteger(branding.Text(number), value) ? int(value) : fallback;
}

double BrandingReal(const TBranding& branding, int number, double fallback) {
    double value = 0;
    return ParseReal(branding.Text(number), value) ? value : fallback;
}

// The radio buttons tick none for a value outside 0..2; the dialog then reports the first.
std::int64_t CurrencyIndex(std::int64_t value) {
    return value >= 0 && value <= 2 ? value : 0;
}

std::int64_t ScaleIndex(std::int64_t value) {
    return value >= 0 && value <= 11 ? value : 0;
}

template <std::int64_t Min, std::int64_t Max>
std::int64_t Clamped(std::int64_t value) {
    return std::clamp(value, Min, Max);
}

// Reads the User values in the table's order; the first failing read marks the whole set.
struct TUserReader {
    TSettingsStore& Store;
    bool Ok = true;

    template <class T>
    T Take(std::optional<T> value) {
        if (!value) Ok = false;
        return value.value_or(T{});
    }
};

struct TUserField {
    QString Name;
    std::function<void(TUserReader&, const QString&, TUserSettings&)> Read;
    std::function<void(TSettingsStore&, const QString&, const TUserSettings&)> Write;
    std::function<void(const TBranding&, TUserSettings&)> FirstTime;
};

// Each field names its member once, through an accessor that serves both the const settings
// being written and the ones being read.
// A text of at most maxLength characters (-1: unbounded).
template <class Access>
TUserField Text(const QString& name, int maxLength, Access access,
                std::function<QString(const TBranding&)> firstTime) {
    return {name,
            [=](TUserReader& r, const QString& n, TUserSettings& s) {
                const QString text = r.Take(r.Store.ReadString(kUserKey, n));
                access(s) = maxLength < 0 ? text : text.left(maxLength);
            },
            [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
                store.WriteString(kUserKey, n, access(s));
            },
            [=](const TBranding& b, TUserSettings& s) { access(s) = firstTime(b); }};
}

template <class Access>
TUserField Flag(const QString& name, Access access,
                std::function<bool(const TBranding&)> firstTime) {
    return {name,
            [=](TUserReader& r, const QString& n, TUserSettings& s) {
                access(s) = r.Take(r.Store.ReadBool(kUserKey, n));
            },
            [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
                store.WriteBool(kUserKey, n, access(s));
            },
            [=](const TBranding& b, TUserSettings& s) { access(s) = firstTime(b); }};
}

// An integer brought into its range by `normalise` when read and when given by the branding.
template <class Access>
TUserField Number(const QString& name, Access access, std::int64_t (*normalise)(std::int64_t),
                  std::function<std::int64_t(const TBranding&)> firstTime) {
    return {
        name,
        [=](TUserReader& r, const QString& n, TUserSettings& s) {
            access(s) = int(normalise(r.Take(r.Store.ReadInteger(kUserKey, n))));
        },
        [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
            store.WriteInteger(kUserKey, n, access(s));
        },
        [=](const TBranding& b, TUserSettings& s) { access(s) = int(normalise(firstTime(b))); }};
}

// Written with one decimal and the decimal point.
template <class Access>
TUserField Real(const QString& name, Access access,
                std::function<double(const TBranding&)> firstTime) {
    return {name,
            [=](TUserReader& r, const QString& n, TUserSettings& s) {
                access(s) = r.Take(r.Store.ReadFloat(kUserKey, n));
            },
            [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
                store.WriteString(kUserKey, n, FormatFixed(access(s), 1, u'.'));
            },
            [=](const TBranding& b, TUserSettings& s) { access(s) = firstTime(b); }};
}

std::function<QString(const TBranding&)> Fixed(const QString& text) {
    return [text](const TBranding&) { return text; };
}

std::function<QString(const TBranding&)> Branded(int number, int maxLength = -1) {
    return [=](const TBranding& b) {
        return maxLength < 0 ? b.Text(number) : b.Text(number).left(maxLength);
    };
}

std::function<bool(const TBranding&)> Switch(int number) {
    return [number](const TBranding& b) { return b.Switch(number); };
}

std::function<bool(const TBranding&)> On(int number) {
    return [number](const TBranding& b) { return b.Text(number) == u"1"; };
}

// The User values in the order the settings dialog reads and writes them.
const std::vector<TUserField>& UserFields() {
    static const std::vector<TUserField> fields = [] {
        std::vector<TUserField> f;
        f.push_back(Text(
            QStringLiteral("Waehrung0"), 3, [](auto& s) -> auto& { return s.Waehrung[0]; },
            Branded(bnWaehrung0, 3)));
        f.push_back(Text(
            QStringLiteral("Waehrung1"), 3, [](auto& s) -> auto& { return s.Waehrung[1]; },
            Branded(bnWaehrung0 + 1, 3)));
        f.push_back(Text(
            QStringLiteral("Waehrung2"), 3, [](auto& s) -> auto& { return s.Waehrung[2]; },
            Branded(bnWaehrung0 + 2, 3)));
        f.push_back(Real(
            QStringLiteral("Mehrwertsteuer0"), [](auto& s) -> auto& { return s.Mehrwertsteuer[0]; },
            [](const TBranding& b) { return BrandingReal(b, bnMehrwertsteuer0 + 0, 19.0); }));
        f.push_back(Real(
            QStringLiteral("Mehrwertsteuer1"), [](auto& s) -> auto& { return s.Mehrwertsteuer[1]; },
            [](const TBranding& b) { return BrandingReal(b, bnMehrwertsteuer0 + 1, 19.0); }));
        f.push_back(Real(
            QStringLiteral("Mehrwertsteuer2"), [](auto& s) -> auto& { return s.Mehrwertsteuer[2]; },
            [](const TBranding& b) { return BrandingReal(b, bnMehrwertsteuer0 + 2, 19.0); }));
        f.push_back(Number(
            QStringLiteral("Currency"), [](auto& s) -> auto& { return s.Currency; }, &CurrencyIndex,
            [](const TBranding& b) { return BrandingInteger(b, bnCurrency, 1); }));
        f.push_back(Flag(
            QStringLiteral("Optimierung"), [](auto& s) -> auto& { return s.Optimierung; },
            On(bnOptimierung)));
        f.push_back(Text(
            QStringLiteral("FirmaName"), 30, [](auto& s) -> auto& { return s.FirmaName; },
            Fixed(QStringLiteral("Firma"))));
        f.push_back(Text(
            QStringLiteral("FirmaStrasse"), 30, [](auto& s) -> auto& { return s.FirmaStrasse; },
            Fixed(QStringLiteral("Firmenstrasse"))));
        f.push_back(Text(
            QStringLiteral("FirmaPLZ"), 7, [](auto& s) -> auto& { return s.FirmaPLZ; },
            Fixed(QStringLiteral("12345"))));
        f.push_back(Text(
            QStringLiteral("FirmaOrt"), 30, [](auto& s) -> auto& { return s.FirmaOrt; },
            Fixed(QStringLiteral("Firmenort"))));
        f.push_back(Flag(
            QStringLiteral("PrintAnschrift"), [](auto& s) -> auto& { return s.PrintAnschrift; },
            [](const TBranding&) { return true; }));
        f.push_back(Text(
            QStringLiteral("LogoFile"), -1, [](auto& s) -> auto& { return s.LogoFile; },
            Branded(bnLogoFile)));
        f.push_back(Number(
            QStringLiteral("LogoWidth"), [](auto& s) -> auto& { return s.LogoWidth; },
            &Clamped<300, 500>,
            [](const TBranding& b) { return BrandingInteger(b, bnLogoWidth, 400); }));
        f.push_back(Number(
            QStringLiteral("LogoHeight"), [](auto& s) -> auto& { return s.LogoHeight; },
            &Clamped<200, 500>,
            [](const TBranding& b) { return BrandingInteger(b, bnLogoHeight, 300); }));
        f.push_back(Flag(
            QStringLiteral("PrintLogo"), [](auto& s) -> auto& { return s.PrintLogo; },
            Switch(bnPrintLogo)));
        f.push_back(Flag(
            QStringLiteral("Farbdruck"), [](auto& s) -> auto& { return s.Farbdruck; },
            Switch(bnFarbdruck)));
        // The branding gives the dialog's "print separately" box, the negation of the value.
        f.push_back(Flag(
            QStringLiteral("OneSheet"), [](auto& s) -> auto& { return s.OneSheet; },
            [](const TBranding& b) { return !b.Switch(bnOneSheet); }));
        f.push_back(Flag(
            QStringLiteral("PrintThickFrame"), [](auto& s) -> auto& { return s.PrintThickFrame; },
            Switch(bnPrintThickFrame)));
        f.push_back(Flag(
            QStringLiteral("PrintThickPaneel"), [](auto& s) -> auto& { return s.PrintThickPaneel; },
            Switch(bnPrintThickPaneel)));
        f.push_back(Flag(
            QStringLiteral("PrintSingleItems"), [](auto& s) -> auto& { return s.PrintSingleItems; },
            Switch(bnPrintSingleItems)));
        f.push_back(Flag(
            QStringLiteral("PrintLandScape"), [](auto& s) -> auto& { return s.PrintLandScape; },
            Switch(bnPrintLandScape)));
        f.push_back(Number(
            QStringLiteral("PrintMassstab"), [](auto& s) -> auto& { return s.PrintMassstab; },
            &ScaleIndex, [](const TBranding&) { return std::int64_t{0}; }));
        f.push_back(Text(
            QStringLiteral("Bearbeiter"), 20, [](auto& s) -> auto& { return s.Bearbeiter; },
            Branded(bnBearbeiter, 20)));
        f.push_back(Text(
            QStringLiteral("Telefon"), 20, [](auto& s) -> auto& { return s.Telefon; },
            Branded(bnTelefon, 20)));
        f.push_back(Text(
            QStringLiteral("Fax"), 20, [](auto& s) -> auto& { return s.Fax; }, Branded(bnFax, 20)));
        f.push_back(Text(
            QStringLiteral("FixKopfZeile"), 1000, [](auto& s) -> auto& { return s.FixKopfZeile; },
            [](const TBranding&) { return DefaultFixKopfZeile(); }));
        f.push_back(Flag(
            QStringLiteral("OfferShowAllProducts"),
            [](auto& s) -> auto& { return s.OfferShowAllProducts; }, On(bnOfferShowAll)));
        return f;
    }();
    return fields;
}

// A Boolean of the General key with its default; written back only by WriteGeneralSettings.
struct TGeneralFlag {
    const char* Name;
    bool TGeneralSettings::*Field;
    bool Default;
};

constexpr TGeneralFlag kGeneralFlags[] = {
    {"ShowVerlattung", &TGeneralSettings::ShowVerlattung, true},
    {"ShowImage", &TGeneralSettings::ShowImage, true},
    {"ShowLeisten", &TGeneralSettings::ShowLeisten, true},
    {"ShowBemassung", &TGeneralSettings::ShowBemassung, true},
    {"ShowZuschnitt", &TGeneralSettings::ShowZuschnitt, true},
    {"ShowAussenBemassung", &TGeneralSettings::ShowAussenBemassung, true},
    {"ShowTipFenster", &TGeneralSettings::ShowTipFenster, false},
    {"Querformat", &TGeneralSettings::Querformat, false},
    {"ColorWarning", &TGeneralSettings::ColorWarning, true},
};

} // namespace

TGeneralSettings ReadGeneralSettings(TSettingsStore& store, int colourDepth) {
    TGeneralSettings settings;
    for (const TGeneralFlag& flag : kGeneralFlags)
        settings.*flag.Field =
            store.ReadBool(kGeneralKey, QLatin1String(flag.Name)).value_or(flag.Default);
    // The orientation is written at once when missing, so the print dialogs find it.
    if (!store.ReadBool(kGeneralKey, QStringLiteral("Querformat")))
        store.WriteBool(kGeneralKey, QStringLiteral("Querformat"), false);

    const auto colorRes = store.ReadInteger(kGeneralKey, QStringLiteral("ColorRes"));
    settings.ColorRes = colorRes ? int(*colorRes) : (colourDepth > 15 ? 24 : colourDepth);
    if (!colorRes) store.WriteInteger(kGeneralKey, QStringLiteral("ColorRes"), settings.ColorRes);

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
    for (const TGeneralFlag& flag : kGeneralFlags)
        store.WriteBool(kGeneralKey, QLatin1String(flag.Name), settings.*flag.Field);
    store.WriteInteger(kGeneralKey, QStringLiteral("ColorRes"), settings.ColorRes);
    store.WriteString(kGeneralKey, QStringLiteral("DefaultProduct"), settings.DefaultProduct);
    store.WriteString(kGeneralKey, QStringLiteral("DefaultUKArtikel"), settings.DefaultUKArtikel);
    store.WriteInteger(kGeneralKey, QStringLiteral("DefaultUKMuster"), settings.DefaultUKMuster);
    store.Sync();
}

TUserSettings FirstTimeUserSettings(const TBranding& branding) {
    TUserSettings s;
    for (const TUserField& field : UserFields())
        field.FirstTime(branding, s);
    return s;
}

TUserSettings ReadUserSettings(TSettingsStore& store, const TBranding& branding, bool* firstTime) {
    TUserReader r{store};
    TUserSettings s;
    for (const TUserField& field : UserFields())
        field.Read(r, field.Name, s);

    if (!r.Ok) {
        s = FirstTimeUserSettings(branding);
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
    for (const TUserField& field : UserFields())
        field.Write(store, field.Name, s);
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
    fUser = ReadUserSettings(Store(), Branding);
    fUserLoaded = true;
}

TCurrency TAppSettings::Currency() const {
    if (!fUserLoaded) return TCurrency{};
    const int index = std::clamp(fUser.Currency, 0, 2);
    return TCurrency{index, fUser.Waehrung[std::size_t(index)]};
}
