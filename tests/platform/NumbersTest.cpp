#include "platform/Numbers.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

TEST(NumbersRound, TiesToEven) {
    const double cases[][2] = {{2.5, 2},   {3.5, 4},     {-2.5, -2},
                               {-3.5, -4}, {0.5, 0},     {-0.5, -0},
                               {1.5, 2},   {2.4, 2},     {2.6, 3},
                               {-2.6, -3}, {1e16, 1e16}, {4503599627370497.0, 4503599627370497.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(RoundTiesEven(c[0]), c[1]);
    }
    EXPECT_EQ(RoundTiesEvenToInt(-7.5), -8);
}

TEST(NumbersFormatFixed, DecimalsSeparatorAndRounding) {
    struct TCase {
        double Value;
        int Decimals;
        const char* Expected;
    };
    const TCase cases[] = {
        {80, 2, "80,00"},
        {0, 2, "0,00"},
        {1234567.891, 2, "1234567,89"}, // no grouping
        {-1.5, 1, "-1,5"},
        {0.05, 1, "0,1"},
        // Rounded as the number reads in decimal, halves away from zero: 2.675 and 1.005 lie
        // just below in binary but are written as typed.
        {2.675, 2, "2,68"},
        {1.005, 2, "1,01"},
        {0.125, 2, "0,13"},
        {-0.005, 2, "-0,01"},
        {99.995, 2, "100,00"},
        {9.96, 1, "10,0"},
        {0.5, 0, "1"},
        {2.5, 0, "3"},
        {1234.4, 0, "1234"},
        // No negative zero.
        {-0.0, 2, "0,00"},
        {-0.004, 2, "0,00"},
        {-0.4, 0, "0"},
        {1e-20, 3, "0,000"},
        {0.1, 20, "0,10000000000000000000"},
        {1e20, 1, "100000000000000000000,0"},
        {-3, -1, "-3"}, // negative decimals count as none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(FormatFixed(c.Value, c.Decimals, u','), QString::fromUtf8(c.Expected));
    }
    EXPECT_EQ(FormatFixed(12.5, 2, u'.'), "12.50");
}

TEST(NumbersFormatGeneral, FifteenDigitsWithoutTrailingZeros) {
    const std::pair<double, const char*> cases[] = {
        {1.5, "1.5"},
        {100, "100"},
        {0.001, "0.001"},
        {0.0001, "0.0001"},
        {1e-5, "1E-5"},
        {-2.5e-7, "-2.5E-7"},
        {0, "0"},
        {-0.0, "0"},
        {1.0 / 3.0, "0.333333333333333"},
        {0.1 + 0.2, "0.3"},
        {123456789012345678901.0, "1.23456789012346E20"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        // Rounding to 15 digits carries into the exponent.
        {999999999999999.9, "1E15"},
        {-123.456, "-123.456"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {5e-324, "4.94065645841247E-324"},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(FormatGeneral(value, u'.'), QString::fromUtf8(expected));
    }
    EXPECT_EQ(FormatGeneral(1.25, u','), "1,25");
    EXPECT_EQ(FormatGeneral(1.5e-9, u','), "1,5E-9");
}

TEST(NumbersFormat, NonFiniteValues) {
    for (const QString& text : {FormatFixed(kInf, 2, u','), FormatGeneral(kInf, u',')})
        EXPECT_EQ(text, "INF");
    EXPECT_EQ(FormatGeneral(-kInf, u'.'), "-INF");
    EXPECT_EQ(FormatFixed(std::nan(""), 1, u'.'), "NAN");
}

TEST(NumbersParseReal, EitherSeparator) {
    const std::pair<const char*, double> accepted[] = {
        {"1.5", 1.5},
        {"1,5", 1.5},
        {"  -2,25 ", -2.25},
        {"+3", 3},
        {"5.", 5},
        {",5", 0.5},
        {"1e3", 1000},
        {"1,5E-2", 0.015},
        {"007", 7},
        {"-0", -0.0},
        {"80.00", 80},
        {"\t12\n", 12},
        {"1e-400", 0},
        {"2E+2", 200},
        {"0.1", 0.1}, // correctly rounded
        {"1.7976931348623157e308", 1.7976931348623157e308},
    };
    for (const auto& [text, expected] : accepted) {
        SCOPED_TRACE(text);
        double value = -99;
        EXPECT_TRUE(ParseReal(QString::fromUtf8(text), value));
        EXPECT_EQ(value, expected);
    }
    const char* rejected[] = {"",    "  ",   "abc",   "1.5x", "1.2.3", "1,2.3", "1.000,5", ".",
                              "-",   "+-1",  "1e",    "1e+",  "e5",    "1 5",   "- 5",     "inf",
                              "nan", "0x10", "1e400", "١٢",   "1_000", "5..",   "1.5e2.5"};
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        double value = -99;
        EXPECT_FALSE(ParseReal(QString::fromUtf8(text), value));
        EXPECT_EQ(value, -99); // untouched
    }
}

TEST(NumbersParseReal, OnlyTheGivenSeparator) {
    double value = 0;
    EXPECT_TRUE(ParseReal("1.5", u'.', value));
    EXPECT_EQ(value, 1.5);
    EXPECT_FALSE(ParseReal("2,5", u'.', value));
    EXPECT_EQ(value, 1.5);
    EXPECT_TRUE(ParseReal("2,5", u',', value));
    EXPECT_EQ(value, 2.5);
    // A point is no thousands separator for a comma reader.
    EXPECT_FALSE(ParseReal("80.00", u',', value));
    EXPECT_FALSE(ParseReal("1.000,5", u',', value));
}

TEST(NumbersParseInteger, SignsBlanksAndRange) {
    const std::pair<const char*, std::int64_t> accepted[] = {
        {"0", 0},
        {"  42 ", 42},
        {"+7", 7},
        {"-15", -15},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& [text, expected] : accepted) {
        SCOPED_TRACE(text);
        std::int64_t value = -99;
        EXPECT_TRUE(ParseInteger(QString::fromUtf8(text), value));
        EXPECT_EQ(value, expected);
    }
    for (const char* text : {"", "+", "-", "1.0", "1,0", "12a", "9223372036854775808", "--1",
                             "1 000", "0x1F", "1e3"}) {
        SCOPED_TRACE(text);
        std::int64_t value = -99;
        EXPECT_FALSE(ParseInteger(QString::fromUtf8(text), value));
        EXPECT_EQ(value, -99);
    }
}

// German settings of the process or of Qt must not turn "80.00" into 8000 or write "1.234,5".
namespace {

void ExpectLocaleFreeResults() {
    double value = 0;
    EXPECT_TRUE(ParseReal("80.00", value));
    EXPECT_EQ(value, 80.0);
    EXPECT_TRUE(ParseReal("1234,5", u',', value));
    EXPECT_EQ(value, 1234.5);
    EXPECT_EQ(FormatFixed(1234.5, 2, u'.'), "1234.50");
    EXPECT_EQ(FormatGeneral(1234.5, u'.'), "1234.5");
    EXPECT_EQ(FormatGeneral(1e-5, u'.'), "1E-5");
}

} // namespace

TEST(NumbersLocale, IndependentOfTheQtDefaultLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ExpectLocaleFreeResults();
    QLocale::setDefault(previous);
}

TEST(NumbersLocale, IndependentOfTheProcessLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    bool german = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"})
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            german = true;
            break;
        }
    if (!german) GTEST_SKIP() << "no German C locale installed";
    ExpectLocaleFreeResults();
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(NumbersRoundTrip, GeneralFormReadsBackToFifteenDigits) {
    for (double value : {0.1, 2.0 / 3.0, -1234.5678, 6.02214076e23, 1.6e-19, 47.11}) {
        double back = 0;
        ASSERT_TRUE(ParseReal(FormatGeneral(value, u','), back));
        EXPECT_NEAR(back, value, std::fabs(value) * 1e-14);
    }
}
