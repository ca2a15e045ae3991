// The numbered text lists: parsing, lookup, the chooser's entries, the missing file created
// empty and an unreadable one left alone, the shipped lists.

#include "catalogue/TextList.h"

#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Write(const QString& Path, const QByteArray& Bytes) {
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
}

TEST(TextList, CommentsMalformedLinesAndTheFirstOfANumber) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Angebot.txt"));
    Write(path, ToCp1252(QStringLiteral("; Kommentar\r\n"
                                        "\r\n"
                                        "  12   Text A \r\n"
                                        "x1 Text B\r\n"
                                        "12 Text C\r\n"
                                        "7\r\n"
                                        "-3 Minus\r\n"
                                        "8 Größe in m²\r\n")));
    const std::vector<TTextEntry> choices = TextChoices(path);
    ASSERT_EQ(choices.size(), 5u);
    EXPECT_EQ(choices[0].Nr, 0);
    EXPECT_TRUE(choices[0].Text.isEmpty());
    EXPECT_EQ(choices[1].Nr, 12);
    EXPECT_EQ(choices[1].Text, QStringLiteral("Text A"));
    EXPECT_EQ(choices[2].Nr, 12);
    EXPECT_EQ(choices[2].Text, QStringLiteral("Text C"));
    EXPECT_EQ(choices[3].Nr, -3);
    EXPECT_EQ(choices[4].Text, QStringLiteral("Größe in m²")); // Windows-1252
    EXPECT_EQ(GetText(path, 12), QStringLiteral("Text A"));
    EXPECT_TRUE(GetText(path, 7).isEmpty());
    EXPECT_TRUE(GetText(path, 0).isEmpty());
    EXPECT_TRUE(GetText(path, -3).isEmpty()); // below 0: no text
    // UTF-8 is read as such.
    Write(path, QStringLiteral("5 Maße für Übergänge\n").toUtf8());
    EXPECT_EQ(GetText(path, 5), QStringLiteral("Maße für Übergänge"));
}

TEST(TextList, AMissingFileIsCreatedEmptyAnUnreadableOneLeftAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Meldungen.txt"));
    EXPECT_TRUE(GetText(path, 1).isEmpty());
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFile(path).size(), 0);
    EXPECT_EQ(TextChoices(path).size(), 1u); // only the empty entry
    // A path that exists but cannot be read as a file is not replaced.
    const QString folder = dir.filePath(QStringLiteral("Ordner"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(ReadTextList(folder).empty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(TextList, TheShippedListsRead) {
    for (const char* name : {"Angebot.txt", "Meldungen.txt"}) {
        const QString path = QStringLiteral(TARV_DATA_DIR "/") + QLatin1String(name);
        ASSERT_TRUE(QFile::exists(path)) << name;
        const std::vector<TTextEntry> entries = ReadTextList(path);
        EXPECT_GE(entries.size(), 2u) << name;
        for (const TTextEntry& e : entries) {
            EXPECT_GT(e.Nr, 0) << name;
            EXPECT_FALSE(e.Text.contains(QChar::ReplacementCharacter)) << name;
        }
    }
}

} // namespace
