#include "catalogue/ColorText.h"

#include "platform/Numbers.h"
#include "platform/TextFields.h"

#include <cstdint>

namespace {

struct TNamedColor {
    const char* Name;
    TColor Color;
};

constexpr TNamedColor kNamedColors[] = {
    {"clBlack", RGBColor(0, 0, 0)},
    {"clMaroon", RGBColor(128, 0, 0)},
    {"clGreen", RGBColor(0, 128, 0)},
    {"clOlive", RGBColor(128, 128, 0)},
    {"clNavy", RGBColor(0, 0, 128)},
    {"clPurple", RGBColor(128, 0, 128)},
    {"clTeal", RGBColor(0, 128, 128)},
    {"clGray", RGBColor(128, 128, 128)},
    {"clSilver", RGBColor(192, 192, 192)},
    {"clRed", RGBColor(255, 0, 0)},
    {"clLime", RGBColor(0, 255, 0)},
    {"clYellow", RGBColor(255, 255, 0)},
    {"clBlue", RGBColor(0, 0, 255)},
    {"clFuchsia", RGBColor(255, 0, 255)},
    {"clAqua", RGBColor(0, 255, 255)},
    {"clWhite", RGBColor(255, 255, 255)},
    {"clMoneyGreen", RGBColor(192, 220, 192)},
    {"clSkyBlue", RGBColor(166, 202, 240)},
    {"clCream", RGBColor(255, 251, 240)},
    {"clMedGray", RGBColor(160, 160, 164)},
};

} // namespace

QString ColorToText(TColor color) {
    for (const TNamedColor& named : kNamedColors)
        if (named.Color == color) return QLatin1String(named.Name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> ColorFromText(const QString& text) {
    const QString t = text.trimmed();
    for (const TNamedColor& named : kNamedColors)
        if (SameTextAZ(t, QLatin1String(named.Name))) return named.Color;
    if (t.startsWith(u'$')) {
        const QString digits = t.mid(1);
        // Eight digits at most: a colour is a 32-bit value.
        if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
        std::uint32_t value = 0;
        for (const QChar c : digits) {
            const int digit = QStringView(u"0123456789ABCDEF").indexOf(c.toUpper());
            if (digit < 0) return std::nullopt;
            value = value * 16 + std::uint32_t(digit);
        }
        return value;
    }
    std::int64_t value = 0;
    if (!ParseInteger(t, value) || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return static_cast<TColor>(static_cast<std::uint32_t>(value));
}
