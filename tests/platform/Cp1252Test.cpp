#include "platform/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, HighHalfDiffersFromLatin1) {
    const std::pair<unsigned char, char16_t> cases[] = {
        {0x80, u'€'},
        {0x82, u'‚'},
        {0x84, u'„'},
        {0x8A, u'Š'},
        {0x8C, u'Œ'},
        {0x91, u'‘'},
        {0x93, u'“'},
        {0x96, u'–'},
        {0x97, u'—'},
        {0x99, u'™'},
        {0x9E, u'ž'},
        {0x9F, u'Ÿ'},
        // Bytes without a character keep the C1 control of the same number.
        {0x81, 0x0081},
        {0x8D, 0x008D},
        {0x8F, 0x008F},
        {0x90, 0x0090},
        {0x9D, 0x009D},
        // The rest is Latin-1.
        {0x41, u'A'},
        {0x00, 0x0000},
        {0x7F, 0x007F},
        {0xA0, 0x00A0},
        {0xC4, u'Ä'},
        {0xDF, u'ß'},
        {0xE4, u'ä'},
        {0xFF, u'ÿ'},
    };
    for (const auto& [byte, character] : cases) {
        SCOPED_TRACE(int(byte));
        EXPECT_EQ(Cp1252ToUnicode(byte), character);
        EXPECT_EQ(UnicodeToCp1252(character), byte);
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = FromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1252(text), all);
}

TEST(Cp1252, EncodesTextAndReplacesWhatItCannotHold) {
    struct TCase {
        QString Text;
        QByteArray Bytes;
    };
    const TCase cases[] = {
        {"Fläche 12 €", "Fl\xE4"
                        "che 12 \x80"},
        {"Größe", "Gr\xF6\xDF"
                  "e"},
        {"„Eiche“", "\x84"
                    "Eiche\x93"},
        {"", ""},
        {"Ω", "?"},
        {QString(QChar(0x0080)), "?"}, // a C1 control the code page has no byte for
        {QString::fromUtf8("a\xF0\x9F\x98\x80"
                           "b"),
         "a?b"},                                  // one '?' for a surrogate pair
        {QString(QChar(0xD800)) + "x", "?x"},     // lone surrogate
        {QString::fromUtf8("a\xCC\x88"), "\xE4"}, // "a" + combining diaeresis
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        EXPECT_EQ(ToCp1252(c.Text).toHex(' '), c.Bytes.toHex(' '));
    }
    EXPECT_EQ(FromCp1252("Fl\xE4"
                         "che \x80"),
              "Fläche €");
}
