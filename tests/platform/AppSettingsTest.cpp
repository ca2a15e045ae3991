#include "platform/AppSettings.h"

#include "platform/Branding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QStringList kUserValues = {
    QStringLiteral("Waehrung0"),
    QStringLiteral("Waehrung1"),
    QStringLiteral("Waehrung2"),
    QStringLiteral("Mehrwertsteuer0"),
    QStringLiteral("Mehrwertsteuer1"),
    QStringLiteral("Mehrwertsteuer2"),
    QStringLiteral("Currency"),
    QStringLiteral("Optimierung"),
    QStringLiteral("FirmaName"),
    QStringLiteral("FirmaStrasse"),
    QStringLiteral("FirmaPLZ"),
    QStringLiteral("FirmaOrt"),
    QStringLiteral("PrintAnschrift"),
    QStringLiteral("LogoFile"),
    QStringLiteral("LogoWidth"),
    QStringLiteral("LogoHeight"),
    QStringLiteral("PrintLogo"),
    QStringLiteral("Farbdruck"),
    QStringLiteral("OneSheet"),
    QStringLiteral("PrintThickFrame"),
    QStringLiteral("PrintThickPaneel"),
    QStringLiteral("PrintSingleItems"),
    QStringLiteral("PrintLandScape"),
    QStringLiteral("PrintMassstab"),
    QStringLiteral("Bearbeiter"),
    QStringLiteral("Telefon"),
    QStringLiteral("Fax"),
    QStringLiteral("FixKopfZeile"),
    QStringLiteral("OfferShowAllProducts"),
};

// A user's own settings: every value differs from its first-time default.
TUserSettings OwnSettings() {
    TUserSettings s = FirstTimeUserSettings(TBranding());
    s.Waehrung = {QStringLiteral("CHF"), QStringLiteral("EUR"), QStringLiteral("USD")};
    s.Mehrwertsteuer = {7.7, 19, 0};
    s.Currency = 2;
    s.Optimierung = false;
    s.FirmaName = QStringLiteral("Holzhandel Sägewerk");
    s.FirmaStrasse = QStringLiteral("Am Hafen 3");
    s.FirmaPLZ = QStringLiteral("28195");
    s.FirmaOrt = QStringLiteral("Bremen");
    s.PrintAnschrift = false;
    s.LogoFile = QStringLiteral("/bilder/logo.bmp");
    s.LogoWidth = 350;
    s.LogoHeight = 250;
    s.PrintLogo = true;
    s.Farbdruck = true;
    s.OneSheet = false;
    s.PrintThickFrame = false;
    s.PrintThickPaneel = true;
    s.PrintSingleItems = false;
    s.PrintLandScape = true;
    s.PrintMassstab = 11;
    s.Bearbeiter = QStringLiteral("Frau Kern");
    s.Telefon = QStringLiteral("0421 123");
    s.Fax = QStringLiteral("0421 124");
    s.FixKopfZeile = QStringLiteral("Danke, für Ihre Anfrage.");
    s.OfferShowAllProducts = false;
    return s;
}

class AppSettingsFolder : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fDir.isValid());
        fEnvironment.DataFolder = fDir.filePath(QStringLiteral("daten")) + u'/';
        fEnvironment.DocumentsFolder = fDir.filePath(QStringLiteral("Dokumente"));
        fEnvironment.ProgramFolder = fDir.filePath(QStringLiteral("bin")) + u'/';
        fEnvironment.ShippedData = FindShippedData();
    }

    QString StoreFile() const { return fDir.filePath(QStringLiteral("config/Tarv.ini")); }
    QString Data(const QString& name = QString()) const { return fEnvironment.DataFolder + name; }

    QTemporaryDir fDir;
    TFolderEnvironment fEnvironment;
    TBranding fBranding;
};

} // namespace

TEST_F(AppSettingsFolder, FirstStartCreatesFoldersWritesValuesAndCopiesTheSample) {
    ASSERT_FALSE(fEnvironment.ShippedData.isEmpty());
    TSettingsStore store(StoreFile());
    const TFolderValues folders = WorkOutFolders(store, fEnvironment);

    EXPECT_EQ(folders.DataFolder, Data());
    EXPECT_EQ(folders.ImagePath, Data(QStringLiteral("IMAGES")));
    EXPECT_EQ(folders.ElementPath, Data(QStringLiteral("MODULES")));
    EXPECT_EQ(folders.ProductPath, Data());
    EXPECT_EQ(folders.PatternPath, Data(QStringLiteral("Patterns")));
    const QString documents = fEnvironment.DocumentsFolder + QStringLiteral("/Tarv/");
    EXPECT_EQ(folders.OfferExportPath, documents); // SavePath was still empty
    EXPECT_EQ(folders.SavePath, documents);
    EXPECT_EQ(folders.OfferTextFile, Data(QStringLiteral("Angebot.txt")));
    EXPECT_EQ(folders.MessageTextFile, Data(QStringLiteral("Meldungen.txt")));
    EXPECT_EQ(folders.HelpFile, fEnvironment.ProgramFolder + QStringLiteral("TARV.CHM"));
    EXPECT_FALSE(folders.ProductReadOnly);
    for (const QString& folder : {folders.ImagePath, folders.ElementPath, folders.ProductPath,
                                  folders.PatternPath, folders.OfferExportPath})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << qPrintable(folder);

    const TSettingsStore reread(StoreFile());
    const auto general = [&](const char* name) {
        return reread.ReadString(kGeneralKey, QLatin1String(name)).value_or(QStringLiteral("-"));
    };
    EXPECT_EQ(general("ImagePath"), folders.ImagePath);
    EXPECT_EQ(general("ElementPath"), folders.ElementPath);
    EXPECT_EQ(general("ProductPath"), folders.ProductPath);
    EXPECT_EQ(general("PatternPath"), folders.PatternPath);
    EXPECT_EQ(general("OfferExportPath"), folders.OfferExportPath);
    EXPECT_EQ(general("SavePath"), documents);
    EXPECT_EQ(reread.ReadBool(kGeneralKey, QStringLiteral("ProductReadOnly")), false);

    EXPECT_TRUE(folders.SampleDataCopied);
    const QStringList catalogues = QDir(folders.ProductPath).entryList({QStringLiteral("*.DAT")});
    EXPECT_GE(catalogues.size(), 1);
    EXPECT_TRUE(QFileInfo(folders.OfferTextFile).isFile());
    EXPECT_TRUE(QFileInfo(folders.MessageTextFile).isFile());
    EXPECT_FALSE(QDir(folders.ElementPath).entryList({QStringLiteral("*.mod")}).isEmpty());
    // Copies can be written even when the shipped files cannot.
    EXPECT_TRUE(QFileInfo(QDir(folders.ProductPath).filePath(catalogues.value(0))).isWritable());

    // The user key: first-time values, Kopfzeile and Fusszeile, all of them stored.
    bool firstTime = false;
    const TUserSettings user = ReadUserSettings(store, fBranding, &firstTime);
    EXPECT_TRUE(firstTime);
    EXPECT_EQ(user, FirstTimeUserSettings(fBranding));
    const TSettingsStore again(StoreFile());
    for (const QString& name : kUserValues)
        EXPECT_TRUE(again.ValueExists(kUserKey, name)) << qPrintable(name);
    EXPECT_EQ(again.ReadString(kUserKey, QStringLiteral("Kopfzeile")), DefaultKopfzeile());
    EXPECT_EQ(again.ReadString(kUserKey, QStringLiteral("Fusszeile")), DefaultFusszeile());
    ReadUserSettings(store, fBranding, &firstTime);
    EXPECT_FALSE(firstTime);
}

TEST_F(AppSettingsFolder, StoredFoldersAreKeptAndMadeToExist) {
    TSettingsStore store(StoreFile());
    const QString own = fDir.filePath(QStringLiteral("eigene/Katalog"));
    store.WriteString(kGeneralKey, QStringLiteral("ProductPath"), own);
    store.WriteString(kGeneralKey, QStringLiteral("SavePath"), QStringLiteral("/plaene"));
    store.WriteBool(kGeneralKey, QStringLiteral("ProductReadOnly"), true);
    const TFolderValues folders = WorkOutFolders(store, fEnvironment);
    EXPECT_EQ(folders.ProductPath, own);
    EXPECT_TRUE(QFileInfo(own).isDir());
    EXPECT_EQ(folders.SavePath, QStringLiteral("/plaene"));
    EXPECT_EQ(folders.OfferExportPath, Data()); // SavePath was set
    EXPECT_TRUE(folders.ProductReadOnly);
    // Not a first start: the user's (empty) catalogue folder stays as it is.
    EXPECT_FALSE(folders.SampleDataCopied);
    EXPECT_TRUE(QDir(own).entryList(QDir::Files).isEmpty());
}

TEST_F(AppSettingsFolder, AnExistingCatalogueIsNeverOverwritten) {
    ASSERT_TRUE(QDir().mkpath(Data()));
    QFile own(Data(QStringLiteral("eigen.dat")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    TSettingsStore store(StoreFile());
    EXPECT_FALSE(WorkOutFolders(store, fEnvironment).SampleDataCopied);
    EXPECT_EQ(
        QDir(Data()).entryList({QStringLiteral("*.DAT"), QStringLiteral("*.dat")}, QDir::Files),
        QStringList{QStringLiteral("eigen.dat")});
}

TEST_F(AppSettingsFolder, EveryUserValueIsWrittenAndReadBack) {
    TSettingsStore store(StoreFile());
    const TUserSettings own = OwnSettings();
    WriteUserSettings(store, own);
    EXPECT_EQ(store.ReadString(kUserKey, QStringLiteral("Mehrwertsteuer0")), QStringLiteral("7.7"));
    EXPECT_EQ(store.ReadString(kUserKey, QStringLiteral("Mehrwertsteuer1")),
              QStringLiteral("19.0"));
    bool firstTime = true;
    TSettingsStore second(StoreFile());
    EXPECT_EQ(ReadUserSettings(second, fBranding, &firstTime), own);
    EXPECT_FALSE(firstTime);
}

TEST_F(AppSettingsFolder, OneMissingUserValueResetsThemAllButKeepsTheOfferTexts) {
    for (const QString& missing : kUserValues) {
        SCOPED_TRACE(qPrintable(missing));
        TSettingsStore store(fDir.filePath(missing + QStringLiteral(".ini")));
        WriteUserSettings(store, OwnSettings());
        store.WriteString(kUserKey, QStringLiteral("Kopfzeile"), QStringLiteral("Hallo"));
        store.DeleteValue(kUserKey, missing);
        bool firstTime = false;
        EXPECT_EQ(ReadUserSettings(store, fBranding, &firstTime), FirstTimeUserSettings(fBranding));
        EXPECT_TRUE(firstTime);
        EXPECT_TRUE(store.ValueExists(kUserKey, missing));
        EXPECT_EQ(store.ReadString(kUserKey, QStringLiteral("FirmaName")), QStringLiteral("Firma"));
        EXPECT_EQ(store.ReadString(kUserKey, QStringLiteral("Kopfzeile")), QStringLiteral("Hallo"));
        EXPECT_EQ(store.ReadString(kUserKey, QStringLiteral("Fusszeile")), DefaultFusszeile());
    }
}

TEST_F(AppSettingsFolder, UserValuesAreCheckedAsTheDialogWould) {
    TSettingsStore store(StoreFile());
    WriteUserSettings(store, OwnSettings());
    store.WriteString(kUserKey, QStringLiteral("Mehrwertsteuer2"), QStringLiteral("16,5"));
    store.WriteInteger(kUserKey, QStringLiteral("Currency"), 5);
    store.WriteInteger(kUserKey, QStringLiteral("LogoWidth"), 900);
    store.WriteInteger(kUserKey, QStringLiteral("LogoHeight"), 10);
    store.WriteInteger(kUserKey, QStringLiteral("PrintMassstab"), 12);
    store.WriteString(kUserKey, QStringLiteral("Waehrung0"), QStringLiteral("EURO"));
    const TUserSettings read = ReadUserSettings(store, fBranding);
    EXPECT_EQ(read.Mehrwertsteuer[2], 16.5);
    EXPECT_EQ(store.ReadString(kUserKey, QStringLiteral("Mehrwertsteuer2")),
              QStringLiteral("16.5"));
    EXPECT_EQ(read.Currency, 0); // no radio button ticked: the first
    EXPECT_EQ(read.LogoWidth, 500);
    EXPECT_EQ(read.LogoHeight, 200);
    EXPECT_EQ(read.PrintMassstab, 0);
    EXPECT_EQ(read.Waehrung[0], QStringLiteral("EUR"));
    store.WriteString(kUserKey, QStringLiteral("Mehrwertsteuer0"), QStringLiteral("neunzehn"));
    bool firstTime = false;
    ReadUserSettings(store, fBranding, &firstTime);
    EXPECT_TRUE(firstTime);
}

TEST_F(AppSettingsFolder, FirstTimeValuesComeFromTheBranding) {
    TUserSettings plain = FirstTimeUserSettings(fBranding);
    EXPECT_EQ(plain.Waehrung[0], QStringLiteral("EUR"));
    EXPECT_EQ(plain.Mehrwertsteuer[1], 19.0);
    EXPECT_EQ(plain.Currency, 1);
    EXPECT_TRUE(plain.Optimierung && plain.OfferShowAllProducts && plain.PrintAnschrift);
    EXPECT_TRUE(plain.OneSheet); // the "print separately" box unticked
    EXPECT_TRUE(plain.PrintThickFrame && plain.PrintSingleItems);
    EXPECT_FALSE(plain.PrintLogo || plain.Farbdruck || plain.PrintThickPaneel ||
                 plain.PrintLandScape);
    EXPECT_EQ(plain.LogoWidth, 400);
    EXPECT_EQ(plain.LogoHeight, 300);
    EXPECT_EQ(plain.FirmaPLZ, QStringLiteral("12345"));

    fBranding.SetText(bnWaehrung0, QStringLiteral("CHF"));
    fBranding.SetText(bnMehrwertsteuer0 + 1, QStringLiteral("7.7"));
    fBranding.SetText(bnCurrency, QStringLiteral("0"));
    fBranding.SetText(bnOneSheet, QStringLiteral("true"));
    fBranding.SetText(bnOptimierung, QStringLiteral("0"));
    fBranding.SetText(bnBearbeiter, QStringLiteral("Verkauf"));
    fBranding.SetText(bnLogoWidth, QStringLiteral("9999"));
    const TUserSettings branded = FirstTimeUserSettings(fBranding);
    EXPECT_EQ(branded.Waehrung[0], QStringLiteral("CHF"));
    EXPECT_EQ(branded.Mehrwertsteuer[1], 7.7);
    EXPECT_EQ(branded.Currency, 0);
    EXPECT_FALSE(branded.OneSheet);
    EXPECT_FALSE(branded.Optimierung);
    EXPECT_EQ(branded.Bearbeiter, QStringLiteral("Verkauf"));
    EXPECT_EQ(branded.LogoWidth, 500);
    fBranding.SetText(bnWaehrung0, QString()); // an empty text falls back again
    EXPECT_EQ(fBranding.Text(bnWaehrung0), QStringLiteral("EUR"));
    EXPECT_EQ(fBranding.Text(bnCaption), QStringLiteral("TARV"));
    EXPECT_EQ(fBranding.Text(12345, QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(fBranding.Text(bnLogoBoxWidth), QStringLiteral("200"));
    EXPECT_FALSE(fBranding.Text(bnPlanCredit).isEmpty());
    EXPECT_TRUE(fBranding.Bitmap(QStringLiteral("BMPSTARTUP")).isNull());
}

TEST_F(AppSettingsFolder, GeneralValuesHaveTheirDefaultsAndRoundTrip) {
    TSettingsStore store(StoreFile());
    const TGeneralSettings defaults = ReadGeneralSettings(store, 32);
    EXPECT_TRUE(defaults.ShowVerlattung && defaults.ShowImage && defaults.ShowLeisten &&
                defaults.ShowBemassung && defaults.ShowZuschnitt && defaults.ShowAussenBemassung);
    EXPECT_FALSE(defaults.ShowTipFenster || defaults.Querformat);
    EXPECT_EQ(defaults.ColorRes, 24);
    EXPECT_TRUE(defaults.ColorWarning);
    EXPECT_EQ(defaults.DefaultProduct, QStringLiteral("99999999"));
    EXPECT_EQ(defaults.DefaultUKMuster, 2);
    // Written on first read: Querformat and ColorRes; the view toggles are not.
    EXPECT_EQ(store.ReadInteger(kGeneralKey, QStringLiteral("ColorRes")), 24);
    EXPECT_EQ(store.ReadBool(kGeneralKey, QStringLiteral("Querformat")), false);
    EXPECT_FALSE(store.ValueExists(kGeneralKey, QStringLiteral("ShowImage")));
    TSettingsStore lowColour(fDir.filePath(QStringLiteral("b.ini")));
    EXPECT_EQ(ReadGeneralSettings(lowColour, 8).ColorRes, 8);

    TGeneralSettings own;
    own.ShowVerlattung = own.ShowImage = own.ShowLeisten = false;
    own.ShowBemassung = own.ShowZuschnitt = own.ShowAussenBemassung = false;
    own.ShowTipFenster = own.Querformat = true;
    own.ColorRes = 16;
    own.ColorWarning = false;
    own.DefaultProduct = QStringLiteral("12100");
    own.DefaultUKArtikel = QStringLiteral("30200");
    own.DefaultUKMuster = 11;
    WriteGeneralSettings(store, own);
    const TGeneralSettings back = ReadGeneralSettings(store, 32);
    EXPECT_EQ(back.ShowVerlattung, false);
    EXPECT_EQ(back.ShowAussenBemassung, false);
    EXPECT_EQ(back.ShowTipFenster, true);
    EXPECT_EQ(back.Querformat, true);
    EXPECT_EQ(back.ColorRes, 16);
    EXPECT_EQ(back.ColorWarning, false);
    EXPECT_EQ(back.DefaultProduct, QStringLiteral("12100"));
    EXPECT_EQ(back.DefaultUKArtikel, QStringLiteral("30200"));
    EXPECT_EQ(back.DefaultUKMuster, 11);

    // Layout numbers index a list of kSubstructureLayoutCount entries.
    store.WriteInteger(kGeneralKey, QStringLiteral("DefaultUKMuster"), kSubstructureLayoutCount);
    store.WriteString(kGeneralKey, QStringLiteral("DefaultProduct"), QString(30, u'7'));
    const TGeneralSettings clamped = ReadGeneralSettings(store, 32);
    EXPECT_EQ(clamped.DefaultUKMuster, 2);
    EXPECT_EQ(clamped.DefaultProduct, QString(20, u'7'));
}

TEST_F(AppSettingsFolder, CustomColourSetsSkipEmptyEntries) {
    TSettingsStore store(StoreFile());
    WriteCustomColors(store, kColorsPaneeleKey,
                      {QStringLiteral("ColorA=FFFFFF"), QStringLiteral("ColorP=8CC8F0")});
    EXPECT_EQ(ReadCustomColors(store, kColorsPaneeleKey),
              (QStringList{QStringLiteral("ColorA=FFFFFF"), QStringLiteral("ColorP=8CC8F0")}));
    EXPECT_EQ(store.ValueNames(kColorsPaneeleKey).size(), 16);
    EXPECT_TRUE(ReadCustomColors(store, kColorsLeisteKey).isEmpty());
    EXPECT_EQ(store.SubKeys(kColorsKey), QStringList{QStringLiteral("Paneele")});
}

TEST_F(AppSettingsFolder, AnOverriddenDataFolderHoldsTheWholeProfile) {
    const QByteArray saved = qgetenv("TARV_DATA_DIR");
    qputenv("TARV_DATA_DIR", fDir.filePath(QStringLiteral("umgebung")).toUtf8());
    EXPECT_EQ(ResolveDataFolder(), fDir.filePath(QStringLiteral("umgebung")) + u'/');
    EXPECT_EQ(ResolveDataFolder(fDir.filePath(QStringLiteral("option"))),
              fDir.filePath(QStringLiteral("option")) + u'/');
    {
        TAppSettings settings;
        settings.SetDataFolder(fDir.filePath(QStringLiteral("option")));
        settings.WorkOutFolders();
        EXPECT_EQ(settings.Store().FileName(), fDir.filePath(QStringLiteral("option/Tarv.ini")));
        EXPECT_EQ(settings.Folders().SavePath,
                  fDir.filePath(QStringLiteral("option/Dokumente/Tarv/")));
        EXPECT_EQ(settings.Currency().Name, QString()); // before the user settings
        settings.ReadUser();
        EXPECT_EQ(settings.Currency().Index, 1);
        EXPECT_EQ(settings.Currency().Name, QStringLiteral("EUR"));
    }
    {
        TAppSettings settings; // from the environment
        EXPECT_EQ(settings.Store().FileName(), fDir.filePath(QStringLiteral("umgebung/Tarv.ini")));
    }
    if (saved.isNull())
        qunsetenv("TARV_DATA_DIR");
    else
        qputenv("TARV_DATA_DIR", saved);
}
