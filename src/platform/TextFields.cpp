#include "platform/TextFields.h"

#include <algorithm>

QByteArray CutCp1252(const QString& text, int capacity) {
    return ToCp1252(text).left(std::max(capacity, 0));
}

QByteArray ZeroTerminated(const QByteArray& block) {
    const qsizetype end = block.indexOf('\0');
    return end < 0 ? block : block.left(end);
}

namespace {

char16_t UpperAZ(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}
char16_t LowerAZ(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

} // namespace

QString UpperCaseAZ(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        c = QChar(UpperAZ(c.unicode()));
    return result;
}

QString LowerCaseAZ(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        c = QChar(LowerAZ(c.unicode()));
    return result;
}

bool SameTextAZ(const QString& a, const QString& b) {
    return CompareTextAZ(a, b) == 0;
}

int CompareTextAZ(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = UpperAZ(a.at(i).unicode());
        const char16_t cb = UpperAZ(b.at(i).unicode());
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
