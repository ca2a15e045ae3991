#include "catalogue/ArticleText.h"

QString LineSafeText(const QString& text) {
    QString safe = text;
    for (QChar& c : safe) {
        if (c == u';')
            c = u',';
        else if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return safe;
}

QByteArray LineSafeBytes(const QByteArray& bytes) {
    QByteArray safe = bytes;
    for (char& c : safe) {
        if (c == ';')
            c = ',';
        else if (c == '\r' || c == '\n')
            c = ' ';
    }
    return safe;
}
