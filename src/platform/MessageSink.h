#pragma once
// Where the engine's messages to the user go: a message box with an OK button in the program,
// standard error in tarv-cli, a recorder in tests. The engine never shows a message itself;
// it tells the sink of its context.

#include <QString>

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void ShowError(const QString& Message) = 0;
};

// Writes each message as one line to standard error.
class TStderrMessageSink : public IMessageSink {
public:
    void ShowError(const QString& Message) override;
};
