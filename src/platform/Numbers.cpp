#include "platform/Numbers.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

// All conversions go through std::to_chars / std::from_chars, which ignore the process locale.

namespace {

QString NonFinite(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// |value| in scientific form: its digits without the point and the decimal exponent of the
// first digit. precision < 0 asks for the shortest digits that read back as the same double.
void Scientific(double value, int precision, std::string& digits, int& exponent) {
    char buffer[64];
    const auto result = precision < 0
                            ? std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                            std::chars_format::scientific)
                            : std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                            std::chars_format::scientific, precision);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    digits.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') digits += text[i];
    exponent = std::stoi(text.substr(e + 1));
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Checks the grammar [sign] (digits [sep [digits]] | sep digits) [(e|E) [sign] digits] and
// returns it in the C form (point, no plus sign) for std::from_chars.
bool Normalise(const QString& text, QChar sepA, QChar sepB, std::string& out, bool& negative,
               int& magnitude) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
    out = negative ? "-" : "";
    int mantissaDigits = 0, intDigits = 0, leadingZeros = 0;
    bool seenNonZero = false, inFraction = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (IsAsciiDigit(c)) {
            ++mantissaDigits;
            if (!inFraction) ++intDigits;
            if (c != u'0') seenNonZero = true;
            if (!seenNonZero) ++leadingZeros;
            out += static_cast<char>(c.unicode());
        } else if (!inFraction && (c == sepA || c == sepB)) {
            inFraction = true;
            out += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    int exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        out += 'e';
        ++i;
        bool exponentNegative = false;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
            exponentNegative = t[i++] == u'-';
            if (exponentNegative) out += '-';
        }
        const qsizetype start = i;
        for (; i < t.size() && IsAsciiDigit(t[i]); ++i) {
            out += static_cast<char>(t[i].unicode());
            exponent = std::min(exponent * 10 + (t[i].unicode() - u'0'), 100000);
        }
        if (i == start) return false;
        if (exponentNegative) exponent = -exponent;
    }
    if (i != t.size()) return false;
    // Decimal exponent of the first significant digit, enough to tell overflow from underflow.
    magnitude = intDigits - leadingZeros - 1 + exponent;
    return true;
}

bool ParseWith(const QString& text, QChar sepA, QChar sepB, double& value) {
    std::string c;
    bool negative = false;
    int magnitude = 0;
    if (!Normalise(text, sepA, sepB, c, negative, magnitude)) return false;
    double parsed = 0;
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), parsed);
    if (error == std::errc::result_out_of_range) {
        if (magnitude >= 0) return false; // too large for a double
        parsed = negative ? -0.0 : 0.0;   // too small: zero
    } else if (error != std::errc() || end != c.data() + c.size()) {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

QString FormatFixed(double value, int decimals, QChar separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    decimals = std::clamp(decimals, 0, 400);
    // Rounded on the shortest decimal form, halves away from zero: 2.675 is "2.68", as typed,
    // even though the double lies just below.
    std::string digits;
    int exponent = 0;
    Scientific(value, -1, digits, exponent);
    const long kept = long(exponent) + 1 + decimals; // digits down to 10^-decimals
    std::string units;                               // |value| * 10^decimals, rounded
    if (kept <= 0) {
        units = kept == 0 && digits[0] >= '5' ? "1" : "0";
    } else if (kept >= long(digits.size())) {
        units = digits + std::string(std::size_t(kept) - digits.size(), '0');
    } else {
        units = digits.substr(0, std::size_t(kept));
        if (digits[std::size_t(kept)] >= '5') Increment(units);
    }
    if (units.size() <= std::size_t(decimals))
        units.insert(0, std::size_t(decimals) + 1 - units.size(), '0');
    const bool zero = units.find_first_not_of('0') == std::string::npos;
    QString text = value < 0 && !zero ? QStringLiteral("-") : QString();
    const std::size_t intLength = units.size() - std::size_t(decimals);
    text += QString::fromLatin1(units.data(), qsizetype(intLength));
    if (decimals > 0) {
        text += separator;
        text += QString::fromLatin1(units.data() + intLength, decimals);
    }
    return text;
}

QString FormatGeneral(double value, QChar separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    if (value == 0) return QStringLiteral("0");
    std::string digits;
    int exponent = 0;
    Scientific(value, 14, digits, exponent);
    digits.erase(digits.find_last_not_of('0') + 1);
    QString text = value < 0 ? QStringLiteral("-") : QString();
    const QString all = QString::fromLatin1(digits.data(), qsizetype(digits.size()));
    if (exponent >= 15 || exponent < -4) {
        text += all.left(1);
        if (all.size() > 1) text += separator + all.mid(1);
        text += QStringLiteral("E%1").arg(exponent);
    } else if (exponent < 0) {
        text += QStringLiteral("0") + separator + QString(-exponent - 1, u'0') + all;
    } else if (all.size() <= exponent + 1) {
        text += all + QString(exponent + 1 - all.size(), u'0');
    } else {
        text += all.left(exponent + 1) + separator + all.mid(exponent + 1);
    }
    return text;
}

bool ParseReal(const QString& text, double& value) {
    return ParseWith(text, u'.', u',', value);
}

bool ParseReal(const QString& text, QChar separator, double& value) {
    return ParseWith(text, separator, separator, value);
}

bool ParseInteger(const QString& text, std::int64_t& value) {
    const QString t = text.trimmed();
    qsizetype start = 0;
    if (!t.isEmpty() && (t[0] == u'+' || t[0] == u'-')) start = 1;
    if (start == t.size()) return false;
    std::string c = t.startsWith(u'-') ? "-" : "";
    for (qsizetype i = start; i < t.size(); ++i) {
        if (!IsAsciiDigit(t[i])) return false;
        c += static_cast<char>(t[i].unicode());
    }
    std::int64_t parsed = 0;
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), parsed);
    if (error != std::errc() || end != c.data() + c.size()) return false;
    value = parsed;
    return true;
}
