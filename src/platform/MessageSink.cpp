#include "platform/MessageSink.h"

#include <cstdio>

void TStderrMessageSink::ShowError(const QString& Message) {
    std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData());
}
