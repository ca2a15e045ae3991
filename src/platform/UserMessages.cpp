#include "platform/UserMessages.h"

#include <cstdio>

namespace {

TErrorMessageHandler& Handler() {
    static TErrorMessageHandler handler;
    return handler;
}

} // namespace

TErrorMessageHandler SetErrorMessageHandler(TErrorMessageHandler NewHandler) {
    TErrorMessageHandler old = std::move(Handler());
    Handler() = std::move(NewHandler);
    return old;
}

void ShowErrorMessage(const QString& Message) {
    if (Handler()) {
        Handler()(Message);
        return;
    }
    std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData());
}
