#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kGeneral = QStringLiteral("\\Software\\Tarv\\General");
const QString kUser = QStringLiteral("\\Software\\Tarv\\User");

class SettingsStore : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fDir.isValid()); }
    QString FileName() const { return fDir.filePath(QStringLiteral("Tarv.ini")); }
    QByteArray FileText() const {
        QFile file(FileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir fDir;
};

} // namespace

TEST_F(SettingsStore, TypedValuesSurviveTheFile) {
    const QString text =
        QStringLiteral("Wir danken, für Ihre Anfrage; 100 % \\ \"Preise\"\r\nZeile 2");
    const QByteArray binary("\x00\x01\xff;=", 5);
    {
        TSettingsStore store(FileName());
        store.WriteString(kUser, QStringLiteral("FixKopfZeile"), text);
        store.WriteString(kUser, QStringLiteral("Leer"), QString());
        store.WriteInteger(kUser, QStringLiteral("LogoWidth"), -2147483648LL);
        store.WriteInteger(kUser, QStringLiteral("Gross"), 1LL << 40);
        store.WriteBool(kUser, QStringLiteral("PrintLogo"), true);
        store.WriteBool(kUser, QStringLiteral("Farbdruck"), false);
        store.WriteFloat(kUser, QStringLiteral("Mehrwertsteuer0"), 19, 1);
        store.WriteBinary(kUser, QStringLiteral("Blob"), binary);
        store.WriteString(kGeneral, QStringLiteral("ImagePath"), QStringLiteral("/daten/Bilder"));
        ASSERT_TRUE(store.Sync());
    }
    const TSettingsStore store(FileName());
    EXPECT_EQ(store.ReadString(kUser, QStringLiteral("FixKopfZeile")), text);
    EXPECT_EQ(store.ReadString(kUser, QStringLiteral("Leer")), QString());
    EXPECT_EQ(store.ReadInteger(kUser, QStringLiteral("LogoWidth")), -2147483648LL);
    EXPECT_EQ(store.ReadInteger(kUser, QStringLiteral("Gross")), 1LL << 40);
    EXPECT_EQ(store.ReadBool(kUser, QStringLiteral("PrintLogo")), true);
    EXPECT_EQ(store.ReadBool(kUser, QStringLiteral("Farbdruck")), false);
    EXPECT_EQ(store.ReadString(kUser, QStringLiteral("Mehrwertsteuer0")), QStringLiteral("19.0"));
    EXPECT_EQ(store.ReadFloat(kUser, QStringLiteral("Mehrwertsteuer0")), 19.0);
    EXPECT_EQ(store.ReadBinary(kUser, QStringLiteral("Blob")), binary);
    EXPECT_EQ(store.ReadString(kGeneral, QStringLiteral("ImagePath")),
              QStringLiteral("/daten/Bilder"));
}

TEST_F(SettingsStore, ReadsFailWhenAValueIsMissingOrOfAnotherKind) {
    TSettingsStore store(FileName());
    store.WriteString(kUser, QStringLiteral("Text"), QStringLiteral("abc"));
    store.WriteBinary(kUser, QStringLiteral("Blob"), QByteArray("x"));
    EXPECT_FALSE(store.ReadString(kUser, QStringLiteral("Fehlt")));
    EXPECT_FALSE(store.ReadString(kGeneral, QStringLiteral("Text"))); // another key
    EXPECT_FALSE(store.ReadInteger(kUser, QStringLiteral("Text")));
    EXPECT_FALSE(store.ReadBool(kUser, QStringLiteral("Text")));
    EXPECT_FALSE(store.ReadFloat(kUser, QStringLiteral("Text")));
    EXPECT_FALSE(store.ReadBinary(kUser, QStringLiteral("Text")));
    EXPECT_FALSE(store.ReadString(kUser, QStringLiteral("Blob")));
    EXPECT_TRUE(store.ValueExists(kUser, QStringLiteral("Text")));
    store.DeleteValue(kUser, QStringLiteral("Text"));
    EXPECT_FALSE(store.ValueExists(kUser, QStringLiteral("Text")));
}

TEST_F(SettingsStore, NumbersAreReadWithPointOrComma) {
    TSettingsStore store(FileName());
    const std::pair<const char*, double> cases[] = {
        {"16.5", 16.5}, {"16,5", 16.5}, {"7", 7}, {" 19.0 ", 19}};
    for (const auto& [text, value] : cases) {
        store.WriteString(kUser, QStringLiteral("Satz"), QLatin1String(text));
        EXPECT_EQ(store.ReadFloat(kUser, QStringLiteral("Satz")), value) << text;
    }
    store.WriteString(kUser, QStringLiteral("Satz"), QStringLiteral("1.234,5"));
    EXPECT_FALSE(store.ReadFloat(kUser, QStringLiteral("Satz")));
    store.WriteFloat(kUser, QStringLiteral("Satz"), 7.25, 2);
    EXPECT_EQ(store.ReadString(kUser, QStringLiteral("Satz")), QStringLiteral("7.25"));
}

// QSettings keeps ungrouped keys in an INI section "General" and escapes a group of that name:
// the key paths must come back as written, the General key under Software\Tarv included.
TEST_F(SettingsStore, AKeyNamedGeneralKeepsItsPath) {
    {
        TSettingsStore store(FileName());
        store.WriteString(kGeneral, QStringLiteral("ProductPath"), QStringLiteral("/p"));
        store.WriteString(QStringLiteral("\\General"), QStringLiteral("ProductPath"),
                          QStringLiteral("/oben"));
        store.WriteString(kUser, QStringLiteral("FirmaName"), QStringLiteral("Holz Meier"));
        ASSERT_TRUE(store.Sync());
    }
    EXPECT_TRUE(FileText().contains("Tarv\\General\\ProductPath=/p"));
    const TSettingsStore store(FileName());
    EXPECT_EQ(store.ReadString(kGeneral, QStringLiteral("ProductPath")), QStringLiteral("/p"));
    EXPECT_EQ(store.ReadString(QStringLiteral("\\General"), QStringLiteral("ProductPath")),
              QStringLiteral("/oben"));
    EXPECT_EQ(store.ReadString(kUser, QStringLiteral("FirmaName")), QStringLiteral("Holz Meier"));
    EXPECT_EQ(store.ValueNames(kGeneral), QStringList{QStringLiteral("ProductPath")});
    EXPECT_EQ(store.SubKeys(QStringLiteral("\\Software\\Tarv")),
              (QStringList{QStringLiteral("General"), QStringLiteral("User")}));
}

TEST_F(SettingsStore, SubKeysAndValueNamesAreSeparate) {
    TSettingsStore store(FileName());
    const QString colors = kUser + QStringLiteral("\\Colors");
    store.WriteString(colors, QStringLiteral("ColorA"), QStringLiteral("FFAA00"));
    store.WriteString(colors + QStringLiteral("\\Paneele"), QStringLiteral("ColorA"),
                      QStringLiteral("1"));
    store.WriteString(kUser, QStringLiteral("Fax"), QString());
    EXPECT_EQ(store.ValueNames(colors), QStringList{QStringLiteral("ColorA")});
    EXPECT_EQ(store.SubKeys(colors), QStringList{QStringLiteral("Paneele")});
    EXPECT_EQ(store.ValueNames(kUser), QStringList{QStringLiteral("Fax")});
    EXPECT_EQ(store.SubKeys(kUser), QStringList{QStringLiteral("Colors")});
    EXPECT_THROW(store.WriteString(kUser, QStringLiteral("a/b"), QString()), std::invalid_argument);
}

TEST_F(SettingsStore, AHandEditedListReadsBackAsText) {
    ASSERT_TRUE(QFile(FileName()).open(QIODevice::WriteOnly));
    {
        QFile file(FileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Software]\nTarv\\User\\FirmaName=Holz,Meier\n");
    }
    const TSettingsStore store(FileName());
    EXPECT_EQ(store.ReadString(kUser, QStringLiteral("FirmaName")), QStringLiteral("Holz,Meier"));
}
