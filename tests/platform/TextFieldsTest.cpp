#include "platform/TextFields.h"

#include <QBuffer>
#include <gtest/gtest.h>

TEST(TextFieldsCut, ConvertsFirstThenCutsWholeCharacters) {
    struct TCase {
        QString Text;
        int Capacity;
        QByteArray Expected;
    };
    const TCase cases[] = {
        // In UTF-8 the third byte would be half of the "ä".
        {"Fläche", 3, "Fl\xE4"},
        {"Fläche", 6,
         "Fl\xE4"
         "che"},
        {"Fläche", 100,
         "Fl\xE4"
         "che"},
        {"€€€", 2, "\x80\x80"},
        {QString::fromUtf8("\xF0\x9F\x98\x80"
                           "ab"),
         2, "?a"},
        {"abc", 0, ""},
        {"abc", -5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Capacity);
        EXPECT_EQ(CutCp1252(c.Text, c.Capacity), c.Expected);
    }
}

TEST(TextFieldsShortText, CutWhenSetAndReadBackAsText) {
    TShortText<25> number;
    EXPECT_TRUE(number.IsEmpty());
    number.SetText("Eiche natur geölt 14 mm, 3-Stab");
    EXPECT_EQ(number.Length(), 25);
    EXPECT_EQ(number.Text(), "Eiche natur geölt 14 mm, ");
    EXPECT_EQ(number.Bytes().at(14), '\xF6');

    TShortText<5> price("12,50 €");
    EXPECT_EQ(price.Text(), "12,50");
    price.SetText("9 €");
    EXPECT_EQ(price.Bytes(), "9 \x80");
    price.SetBytes("abcdefgh");
    EXPECT_EQ(price.Bytes(), "abcde");
    EXPECT_EQ(TShortText<5>("abcde"), price);
    EXPECT_FALSE(TShortText<5>("abcdX") == price);
}

TEST(TextFieldsShortText, StorageBlockRoundTrip) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    {
        TWriter writer(buffer);
        TShortText<25>("A-1002 Ä").WriteBlock(writer);
        TShortText<30>("").WriteBlock(writer);
        writer.FlushBuffer();
    }
    ASSERT_EQ(bytes.size(), 26 + 31);
    EXPECT_EQ(bytes.left(10), QByteArray("\x08"
                                         "A-1002 \xC4"
                                         "\x00",
                                         10));

    buffer.seek(0);
    TReader reader(buffer);
    TShortText<25> number;
    TShortText<30> image("old");
    number.ReadBlock(reader);
    image.ReadBlock(reader);
    EXPECT_EQ(number.Text(), "A-1002 Ä");
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(reader.AtEnd());
}

TEST(TextFieldsZeroTerminated, StopsAtTheFirstZero) {
    EXPECT_EQ(ZeroTerminated(QByteArray("ab\0cd", 5)), "ab");
    EXPECT_EQ(ZeroTerminated(QByteArray(512, '\0')), "");
    EXPECT_EQ(ZeroTerminated("full"), "full");
}

TEST(TextFieldsCase, OnlyAToZFold) {
    EXPECT_EQ(UpperCaseAZ("Straße äöü abc-XYZ"), "STRAßE äöü ABC-XYZ");
    EXPECT_EQ(LowerCaseAZ("ÄÖÜ ABC-xyz É"), "ÄÖÜ abc-xyz É");

    struct TCase {
        QString A, B;
        int Sign;
    };
    const TCase cases[] = {
        {"Eiche", "EICHE", 0}, {"", "", 0},       {"ä", "Ä", 1}, // not folded: U+00E4 > U+00C4
        {"i", "İ", -1},                                          // no Turkish dotted I
        {"a", "B", -1},        {"b", "A", 1},     {"abc", "ABCD", -1},
        {"_", "a", 1}, // compared upper-cased: '_' sorts after 'A'
        {"Z", "a", 1},         {"A10", "a9", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.A + " / " + c.B).toStdString());
        const int result = CompareTextAZ(c.A, c.B);
        EXPECT_EQ((result > 0) - (result < 0), c.Sign);
        EXPECT_EQ(CompareTextAZ(c.B, c.A), -result);
        EXPECT_EQ(SameTextAZ(c.A, c.B), c.Sign == 0);
    }
}
