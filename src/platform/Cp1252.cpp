#include "platform/Cp1252.h"

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1. Holes keep their C1 control.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

char16_t Cp1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char16_t(byte);
}

int UnicodeToCp1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == codePoint) return 0x80 + i;
    return -1;
}

QByteArray ToCp1252(const QString& text) {
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QByteArray bytes;
    bytes.reserve(composed.size());
    for (qsizetype i = 0; i < composed.size(); ++i) {
        char32_t codePoint = composed.at(i).unicode();
        if (QChar::isHighSurrogate(codePoint) && i + 1 < composed.size() &&
            composed.at(i + 1).isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(composed.at(i), composed.at(i + 1));
            ++i;
        }
        const int byte = UnicodeToCp1252(codePoint);
        bytes.append(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

QString FromCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(Cp1252ToUnicode(static_cast<unsigned char>(bytes.at(i))));
    return text;
}
