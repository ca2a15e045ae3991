#pragma once
// The program's settings: the folder values worked out at start-up, the other values of
// "\Software\Tarv\General" and the user settings of "\Software\Tarv\User", each with its
// default and its reader. The free functions work on any store (tests give them one in a
// temporary folder); TAppSettings holds the process-wide values.

#include "platform/Branding.h"
#include "platform/SettingsStore.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

inline const QString kGeneralKey = QStringLiteral("\\Software\\Tarv\\General");
inline const QString kUserKey = QStringLiteral("\\Software\\Tarv\\User");
// Custom colour sets of the colour pickers: area fills, board and strip editors.
inline const QString kColorsKey = QStringLiteral("\\Software\\Tarv\\User\\Colors");
inline const QString kColorsPaneeleKey = QStringLiteral("\\Software\\Tarv\\User\\Colors\\Paneele");
inline const QString kColorsLeisteKey = QStringLiteral("\\Software\\Tarv\\User\\Colors\\Leiste");

// Folders the start-up derives the defaults from. Empty entries are worked out from the
// system (see ResolveFolderEnvironment).
struct TFolderEnvironment {
    QString DataFolder;      // with trailing "/"
    QString DocumentsFolder; // empty when the system has none
    QString ProgramFolder;   // with trailing "/"
    QString ShippedData;     // the sample data shipped with the program; empty when not found
};

struct TFolderValues {
    QString DataFolder; // with trailing "/"
    QString ImagePath;
    QString ElementPath;
    QString ProductPath;
    QString PatternPath;
    QString OfferExportPath;
    QString SavePath;
    QString HelpFile;
    QString OfferTextFile;
    QString MessageTextFile;
    bool ProductReadOnly = false;
    // This start defaulted the catalogue folder and found no catalogue there: the shipped
    // sample data was copied in.
    bool SampleDataCopied = false;
};

// The values of the General key other than the folders.
struct TGeneralSettings {
    bool ShowVerlattung = true;
    bool ShowImage = true;
    bool ShowLeisten = true;
    bool ShowBemassung = true;
    bool ShowZuschnitt = true;
    bool ShowAussenBemassung = true;
    bool ShowTipFenster = false;
    bool Querformat = false;
    int ColorRes = 0;
    bool ColorWarning = true;
    QString DefaultProduct = QStringLiteral("99999999"); // at most 20 characters
    QString DefaultUKArtikel;
    int DefaultUKMuster = 2;
};

// Number of standard substructure layouts: DefaultUKMuster indexes them.
constexpr int kSubstructureLayoutCount = 12;

// The values of the User key, as stored (OneSheet is the negation of the dialog's box).
struct TUserSettings {
    std::array<QString, 3> Waehrung;      // at most 3 characters each
    std::array<double, 3> Mehrwertsteuer; // percent, 0..30
    int Currency = 1;                     // 0..2
    bool Optimierung = true;
    QString FirmaName;    // 30
    QString FirmaStrasse; // 30
    QString FirmaPLZ;     // 7
    QString FirmaOrt;     // 30
    bool PrintAnschrift = true;
    QString LogoFile;
    int LogoWidth = 400;  // 300..500
    int LogoHeight = 300; // 200..500
    bool PrintLogo = false;
    bool Farbdruck = false;
    bool OneSheet = true;
    bool PrintThickFrame = true;
    bool PrintThickPaneel = false;
    bool PrintSingleItems = true;
    bool PrintLandScape = false;
    int PrintMassstab = 0; // 0..11, 0 = automatic
    QString Bearbeiter;    // 20
    QString Telefon;       // 20
    QString Fax;           // 20
    QString FixKopfZeile;  // 1000
    bool OfferShowAllProducts = true;
    bool ExakteOptimierung = true; // the exact cut optimiser; false: the classic search

    bool operator==(const TUserSettings&) const = default;
};

QString DefaultKopfzeile();
QString DefaultFusszeile();
QString DefaultFixKopfZeile();

// The data folder: `explicitFolder` when given (command line), else the environment variable
// TARV_DATA_DIR, else "<per-user application data>/Tarv/", else the program folder.
QString ResolveDataFolder(const QString& explicitFolder = QString());
// The sample data shipped with the program: the source tree's data folder this was built
// from, else "data" installed beside or above the program.
QString FindShippedData();
// Fills the empty entries of `environment`.
TFolderEnvironment ResolveFolderEnvironment(TFolderEnvironment environment);

// Reads the folder values with their defaults (a defaulted folder is written and created, and
// every folder is made to exist), derives the text list paths and, on a first start with an
// empty catalogue folder, copies the shipped sample data in.
TFolderValues WorkOutFolders(TSettingsStore& store, const TFolderEnvironment& environment);
// Copies what `shipped` holds into the folders; files already there are kept.
void CopyShippedData(const QString& shipped, const TFolderValues& folders);

// `colourDepth`: the screen's colour depth, the default of ColorRes (written when missing).
TGeneralSettings ReadGeneralSettings(TSettingsStore& store, int colourDepth);
void WriteGeneralSettings(TSettingsStore& store, const TGeneralSettings& settings);

// The first-time defaults, branding texts included.
TUserSettings FirstTimeUserSettings(const TBranding& branding);
// Reads every User value; when any of them is missing or unreadable all of them take their
// first-time defaults and Kopfzeile and Fusszeile are written where the store lacks them.
// Afterwards the store holds every value. `firstTime` tells which branch was taken.
TUserSettings ReadUserSettings(TSettingsStore& store, const TBranding& branding,
                               bool* firstTime = nullptr);
void WriteUserSettings(TSettingsStore& store, const TUserSettings& settings);

// A custom colour set: the non-empty values of ColorA..ColorP as "ColorX=value" entries.
QStringList ReadCustomColors(const TSettingsStore& store, const QString& key);
// `entries` as produced by ReadCustomColors; letters not given are written empty.
void WriteCustomColors(TSettingsStore& store, const QString& key, const QStringList& entries);

// The currency article prices are shown in.
struct TCurrency {
    int Index = 0; // 0..2
    QString Name;
};

// The program's settings, held by its engine context. Overrides must be set before the first
// use of Store().
class TAppSettings {
public:
    TBranding Branding;

    TAppSettings();
    ~TAppSettings();

    // --data; the same as TARV_DATA_DIR. An overridden data folder also holds the settings
    // file (Tarv.ini) and the documents folder (Dokumente/), so the run is self-contained.
    void SetDataFolder(const QString& folder);
    void SetSettingsFile(const QString& fileName);
    void SetShippedData(const QString& folder);

    TSettingsStore& Store();
    const TFolderEnvironment& Environment();

    // The start-up steps, in this order.
    void WorkOutFolders();
    void ReadGeneral(int colourDepth);
    void ReadUser();

    const TFolderValues& Folders() const { return fFolders; }
    TGeneralSettings& General() { return fGeneral; }
    TUserSettings& User() { return fUser; }
    bool UserLoaded() const { return fUserLoaded; }

    // The first currency with no name until the user settings are read.
    TCurrency Currency() const;

private:
    QString fDataOverride;
    QString fSettingsOverride;
    QString fShippedOverride;
    bool fEnvironmentResolved = false;
    TFolderEnvironment fEnvironment;
    std::unique_ptr<TSettingsStore> fStore;
    TFolderValues fFolders;
    TGeneralSettings fGeneral;
    TUserSettings fUser;
    bool fUserLoaded = false;
};
