#include "catalogue/CatalogueReporter.h"

#include <cstdio>

QString ErrorLines(const TCatalogueError& error) {
    QString text = error.Text;
    text.replace(u'\r', u'\n');
    // Line errors carry the reason apart from the program's text.
    if (error.Kind == TCatalogueErrorKind::LineFailed && !error.Detail.isEmpty())
        text += u'\n' + error.Detail;
    return text;
}

void TStderrReporter::ShowError(const TCatalogueError& error) {
    std::fprintf(stderr, "%s\n", qPrintable(ErrorLines(error)));
}

TErrorAnswer TStderrReporter::AskAbortIgnore(const TCatalogueError& error) {
    std::fprintf(stderr, "%s\n%s\n", qPrintable(ErrorLines(error)),
                 fLineAnswer == TErrorAnswer::Abort ? "-> Abbrechen" : "-> Ignorieren");
    return fLineAnswer;
}

void TRecordingReporter::ShowError(const TCatalogueError& error) {
    Errors.push_back(error);
}

TErrorAnswer TRecordingReporter::AskAbortIgnore(const TCatalogueError& error) {
    Errors.push_back(error);
    if (Answers.empty()) return DefaultAnswer;
    const TErrorAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}
