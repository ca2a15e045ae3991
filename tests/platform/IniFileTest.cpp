#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFileTest, SectionsKeysCommentsAndFirstOccurrence) {
    const TIniFile ini = TIniFile::FromText(QStringLiteral(
        "; Kopf\r\n[Artikel1]\r\nNr = 50100 \r\nx=12.5\r\ny=-3,25\r\nx=99\r\n"
        "; x=77\r\n[artikel1]\r\nr=45\r\nTitel=a=b\r\n[Leer]\r\n[Muster]\nAnzahl=3\nFlag=1\n"));
    EXPECT_EQ(ini.ReadString("ARTIKEL1", "nr", ""), "50100");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Artikel1", "x", 0), 12.5); // the first x wins
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Artikel1", "y", 0), -3.25);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Artikel1", "r", 0), 45);   // same section, other spelling
    EXPECT_EQ(ini.ReadString("Artikel1", "Titel", ""), "a=b"); // split at the first "="
    EXPECT_TRUE(ini.SectionExists("leer"));
    EXPECT_FALSE(ini.SectionExists("Artikel2"));
    EXPECT_EQ(ini.ReadInteger("Muster", "Anzahl", 0), 3);
    EXPECT_TRUE(ini.ReadBool("Muster", "Flag", false));
    EXPECT_FALSE(ini.ValueExists("Muster", "x"));
}

TEST(IniFileTest, DefaultsForMissingOrBadValues) {
    const TIniFile ini = TIniFile::FromText(QStringLiteral("[A]\nn=zwölf\nf=1.2.3\nkey\n"));
    EXPECT_EQ(ini.ReadInteger("A", "n", 7), 7);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("A", "f", 1.5), 1.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("B", "f", 2.5), 2.5);
    EXPECT_EQ(ini.ReadString("A", "key", "none"), "none");
    // Case folding is a-z only.
    const TIniFile umlaut = TIniFile::FromText(QStringLiteral("[Fläche]\nä=1\n"));
    EXPECT_TRUE(umlaut.SectionExists("FLäCHE"));
    EXPECT_FALSE(umlaut.SectionExists("FLÄCHE"));
    EXPECT_FALSE(umlaut.ValueExists("Fläche", "Ä"));
}

TEST(IniFileTest, BytesInUtf8OrWindows1252) {
    const TIniFile utf8 = TIniFile::FromBytes(QByteArray("\xEF\xBB\xBF[S]\nName=Fl\xC3\xA4"
                                                         "che\n"));
    EXPECT_EQ(utf8.ReadString("S", "Name", ""), QStringLiteral("Fläche"));
    const TIniFile cp = TIniFile::FromBytes(QByteArray("[S]\nName=Fl\xE4"
                                                       "che \x80\n"));
    EXPECT_EQ(cp.ReadString("S", "Name", ""), QStringLiteral("Fläche €"));
}

} // namespace
