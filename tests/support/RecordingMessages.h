#pragma once
// A message sink that keeps what the engine would show the user.

#include "platform/MessageSink.h"

#include <QStringList>

class TRecordingMessages : public IMessageSink {
public:
    void ShowError(const QString& Message) override { Messages << Message; }
    QStringList Messages;
};
