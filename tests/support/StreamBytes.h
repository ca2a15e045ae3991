#pragma once
// Bytes written through a TWriter, for record tests.

#include "platform/ValueStream.h"

#include <QBuffer>
#include <QByteArray>

#include <functional>

inline QByteArray Written(const std::function<void(TWriter&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TWriter writer(buffer);
        write(writer);
        writer.FlushBuffer();
    }
    return bytes;
}
