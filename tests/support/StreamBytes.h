#pragma once
// Bytes written through a TWriter, for record tests.

#include "platform/ValueStream.h"

#include <QBuffer>
#include <QByteArray>

#include <bit>
#include <cstdint>
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

// Little-endian bytes of a double, independent of the writer.
inline QByteArray RawDouble(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    QByteArray b(8, '\0');
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<char>(bits >> (8 * i));
    return b;
}
