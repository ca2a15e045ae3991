#pragma once
// Where the catalogue files report their failures: a message box in the program, standard
// error in tarv-cli, a recorder in tests. Texts are the program's own; "\r" breaks lines.

#include <QString>

#include <deque>
#include <vector>

enum class TCatalogueErrorKind {
    LoadFailed,  // a file could not be read (or an article in it was unusable); OK box
    LineFailed,  // a text line could not be read; Abort or Ignore
    SaveFailed,  // a file could not be written; OK box
    SaveSkipped, // a file read only partly was left as it is; OK box
};

struct TCatalogueError {
    TCatalogueErrorKind Kind = TCatalogueErrorKind::LoadFailed;
    QString Path;
    int Line = 0;   // LineFailed only
    QString Text;   // the message as shown
    QString Detail; // what exactly failed (also part of Text for load failures)
};

enum class TErrorAnswer { Abort, Ignore };

class TCatalogueReporter {
public:
    virtual ~TCatalogueReporter() = default;
    virtual void ShowError(const TCatalogueError& error) = 0;
    virtual TErrorAnswer AskAbortIgnore(const TCatalogueError& error) = 0;
};

// Writes every error to standard error and gives the same answer to every line error.
class TStderrReporter : public TCatalogueReporter {
public:
    explicit TStderrReporter(TErrorAnswer lineAnswer) : fLineAnswer(lineAnswer) {}
    void ShowError(const TCatalogueError& error) override;
    TErrorAnswer AskAbortIgnore(const TCatalogueError& error) override;

private:
    TErrorAnswer fLineAnswer;
};

// Keeps every error; line errors take the queued answers, then DefaultAnswer.
class TRecordingReporter : public TCatalogueReporter {
public:
    void ShowError(const TCatalogueError& error) override;
    TErrorAnswer AskAbortIgnore(const TCatalogueError& error) override;

    std::vector<TCatalogueError> Errors;
    std::deque<TErrorAnswer> Answers;
    TErrorAnswer DefaultAnswer = TErrorAnswer::Ignore;
};

// The message as plain text lines ("\r" as line breaks).
QString ErrorLines(const TCatalogueError& error);
