#include "platform/ValueStream.h"

#include <QBuffer>
#include <QIODevice>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

namespace {

// "12 00 ab" -> bytes.
QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', QByteArray()));
}

QByteArray Written(const std::function<void(TWriter&)>& write, int bufferSize = 1024) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TWriter writer(buffer, bufferSize);
        write(writer);
        writer.FlushBuffer();
    }
    return bytes;
}

// A reader over fixed bytes.
struct TInput {
    explicit TInput(const QByteArray& bytes, int bufferSize = 1024) : Data(bytes) {
        Buffer.setBuffer(&Data);
        Buffer.open(QIODevice::ReadOnly);
        Reader = std::make_unique<TReader>(Buffer, bufferSize);
    }
    QByteArray Data;
    QBuffer Buffer;
    std::unique_ptr<TReader> Reader;
};

// A pipe-like device: sequential, hands out what it holds, refuses writes beyond a limit.
class TSequentialDevice : public QIODevice {
public:
    explicit TSequentialDevice(QByteArray data, qint64 writeLimit = 0)
        : fData(std::move(data)), fWriteLimit(writeLimit) {
        open(QIODevice::ReadWrite);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return fData.size() + QIODevice::bytesAvailable(); }
    QByteArray fWritten;

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min<qint64>(maxSize, fData.size());
        std::memcpy(data, fData.constData(), static_cast<std::size_t>(n));
        fData.remove(0, n);
        return n;
    }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 n = std::min<qint64>(size, fWriteLimit - fWritten.size());
        if (n <= 0) return -1;
        fWritten.append(data, n);
        return n;
    }

private:
    QByteArray fData;
    qint64 fWriteLimit;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Writing and reading each kind of value

TEST(ValueStreamInteger, SmallestTagByRangeAndSignExtendedBack) {
    struct TCase {
        std::int64_t Value;
        const char* Bytes;
    };
    const TCase cases[] = {
        {0, "02 00"},
        {-1, "02 ff"},
        {127, "02 7f"},
        {-128, "02 80"},
        {128, "03 80 00"},
        {-129, "03 7f ff"},
        {32767, "03 ff 7f"},
        {-32768, "03 00 80"},
        {32768, "04 00 80 00 00"},
        {-32769, "04 ff 7f ff ff"},
        {std::numeric_limits<std::int32_t>::max(), "04 ff ff ff 7f"},
        {std::numeric_limits<std::int32_t>::min(), "04 00 00 00 80"},
        {std::int64_t(1) << 31, "13 00 00 00 80 00 00 00 00"},
        {-(std::int64_t(1) << 31) - 1, "13 ff ff ff 7f ff ff ff ff"},
        {std::numeric_limits<std::int64_t>::min(), "13 00 00 00 00 00 00 00 80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        const QByteArray bytes = Written([&](TWriter& w) { w.WriteInteger(c.Value); });
        EXPECT_EQ(bytes.toHex(' '), Hex(c.Bytes).toHex(' '));

        EXPECT_EQ(TInput(bytes).Reader->ReadInt64(), c.Value);
        EXPECT_EQ(TInput(bytes).Reader->ReadFloat(), static_cast<double>(c.Value));
        const bool fits32 = c.Value >= std::numeric_limits<std::int32_t>::min() &&
                            c.Value <= std::numeric_limits<std::int32_t>::max();
        if (fits32)
            EXPECT_EQ(TInput(bytes).Reader->ReadInteger(), c.Value);
        else
            EXPECT_THROW(TInput(bytes).Reader->ReadInteger(), EReadError);
    }
}

TEST(ValueStreamBoolean, TagsNineAndEight) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteBoolean(true); }), Hex("09"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteBoolean(false); }), Hex("08"));
    EXPECT_TRUE(TInput(Hex("09")).Reader->ReadBoolean());
    EXPECT_FALSE(TInput(Hex("08")).Reader->ReadBoolean());
    // An integer 1 is no Boolean.
    EXPECT_THROW(TInput(Hex("02 01")).Reader->ReadBoolean(), EReadError);
}

TEST(ValueStreamString, KindChosenByContentAndReadBack) {
    const QString a255(255, u'a');
    const QString a256(256, u'a');
    struct TCase {
        QString Text;
        QByteArray Bytes;
    };
    const TCase cases[] = {
        {"", Hex("12 00000000")},
        {"Gesamtansicht", Hex("06 0d") + "Gesamtansicht"},
        {"Fläche", Hex("14 07000000") + "Fl\xC3\xA4"
                                        "che"},
        {"ä", Hex("12 01000000 e400")},
        // One unit, three UTF-8 bytes: UTF-16 is not longer, so tag 18.
        {"€", Hex("12 01000000 ac20")},
        // Three units, five bytes: UTF-8 is shorter.
        {"ab€", Hex("14 05000000 6162e282ac")},
        // A surrogate pair: four UTF-8 bytes for two units.
        {QString::fromUtf8("\xF0\x9F\x98\x80"), Hex("12 02000000 3dd8 00de")},
        {a255, Hex("06 ff") + a255.toLatin1()},
        {a256, Hex("0c 00010000") + a256.toLatin1()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.left(20).toStdString());
        const QByteArray bytes = Written([&](TWriter& w) { w.WriteString(c.Text); });
        EXPECT_EQ(bytes.toHex(' '), c.Bytes.toHex(' '));
        TInput in(bytes);
        EXPECT_EQ(in.Reader->ReadString(), c.Text);
        EXPECT_TRUE(in.Reader->AtEnd());
    }
}

TEST(ValueStreamString, ForeignEncodingsOfOlderWriters) {
    struct TCase {
        const char* Name;
        QByteArray Bytes;
        QString Expected;
    };
    const TCase cases[] = {
        {"tag 6 valid UTF-8", Hex("06 02 c3a4"), "ä"},
        {"tag 6 code page bytes", Hex("06 03 46e4 80"), "Fä€"},
        {"tag 6 lone continuation byte", Hex("06 01 a4"), "¤"},
        {"tag 6 overlong UTF-8 is no UTF-8", Hex("06 02 c0af"), "À¯"},
        {"tag 6 encoded surrogate is no UTF-8", Hex("06 03 eda080"), "í\u00A0€"},
        {"tag 12 is code page", Hex("0c 03000000 80e49f"), "€äŸ"},
        {"tag 12 even when it looks like UTF-8", Hex("0c 02000000 c3a4"), "Ã¤"},
        {"tag 20 UTF-8", Hex("14 03000000 e282ac"), "€"},
        {"tag 18 empty", Hex("12 00000000"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(TInput(c.Bytes).Reader->ReadString(), c.Expected);
    }
}

TEST(ValueStreamReal, ExtendedAndDoubleTags) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteFloat(1.0); }), Hex("05 0000000000000080 ff3f"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteFloat(-0.5); }), Hex("05 0000000000000080 febf"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteDouble(1.0); }), Hex("15 000000000000f03f"));
    EXPECT_EQ(TInput(Hex("05 0000000000000080 ff3f")).Reader->ReadFloat(), 1.0);
    EXPECT_EQ(TInput(Hex("15 000000000000f03f")).Reader->ReadFloat(), 1.0);
    for (double value : {0.1, -1234.5678, 1e-310, 1e308}) {
        EXPECT_EQ(TInput(Written([&](TWriter& w) { w.WriteFloat(value); })).Reader->ReadFloat(),
                  value);
        EXPECT_EQ(TInput(Written([&](TWriter& w) { w.WriteDouble(value); })).Reader->ReadFloat(),
                  value);
    }
    EXPECT_THROW(TInput(Hex("06 01 31")).Reader->ReadFloat(), EReadError);
}

TEST(ValueStreamRaw, LittleEndianBlocks) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteRawInt32(0x01020304); }), Hex("04030201"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteRawInt32(-2); }), Hex("feffffff"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteRawDouble(-2.0); }), Hex("00000000000000c0"));
    TInput in(Hex("04030201 00000000000000c0"));
    EXPECT_EQ(in.Reader->ReadRawInt32(), 0x01020304);
    EXPECT_EQ(in.Reader->ReadRawDouble(), -2.0);
}

TEST(ValueStreamList, ElementsUntilListEnd) {
    const QByteArray bytes = Written([](TWriter& w) {
        w.WriteListBegin();
        for (int i = 1; i <= 3; ++i)
            w.WriteInteger(i);
        w.WriteListEnd();
    });
    EXPECT_EQ(bytes, Hex("01 0201 0202 0203 00"));
    TInput in(bytes);
    in.Reader->ReadListBegin();
    int sum = 0;
    while (!in.Reader->EndOfList())
        sum += in.Reader->ReadInteger();
    in.Reader->ReadListEnd();
    EXPECT_EQ(sum, 6);
    EXPECT_TRUE(in.Reader->AtEnd());

    EXPECT_THROW(TInput(Hex("00")).Reader->ReadListBegin(), EReadError);
    EXPECT_THROW(TInput(Hex("01")).Reader->ReadListEnd(), EReadError);
    // A list never closed ends in an error, not in an endless loop.
    TInput open(Hex("01 0201"));
    open.Reader->ReadListBegin();
    EXPECT_THROW(
        {
            while (!open.Reader->EndOfList())
                open.Reader->ReadInteger();
        },
        EReadError);
}

TEST(ValueStreamPeek, NextValueDoesNotConsume) {
    TInput in(Hex("09 0205"));
    EXPECT_EQ(in.Reader->NextValue(), TValueType::vaTrue);
    EXPECT_EQ(in.Reader->NextValue(), TValueType::vaTrue);
    EXPECT_EQ(in.Reader->Position(), 0);
    EXPECT_EQ(in.Reader->BytesLeft(), 3);
    EXPECT_FALSE(in.Reader->EndOfList());
    EXPECT_TRUE(in.Reader->ReadBoolean());
    EXPECT_EQ(in.Reader->NextValue(), TValueType::vaInt8);
    EXPECT_EQ(in.Reader->ReadInteger(), 5);
    EXPECT_EQ(in.Reader->Position(), 3);
    EXPECT_THROW(in.Reader->NextValue(), EReadError);
}

// Every reader refuses every tag it does not know, with the tag in the message.
TEST(ValueStreamErrors, WrongTagsAreReadErrors) {
    const std::function<void(TReader&)> readers[] = {
        [](TReader& r) { r.ReadInteger(); }, [](TReader& r) { r.ReadInt64(); },
        [](TReader& r) { r.ReadBoolean(); }, [](TReader& r) { r.ReadString(); },
        [](TReader& r) { r.ReadFloat(); },   [](TReader& r) { r.ReadListBegin(); },
        [](TReader& r) { r.ReadListEnd(); },
    };
    for (const auto& read : readers) {
        // Tag 7 and 0xFF are no values at all; pad so that no reader runs out of data first.
        for (const char* bytes : {"07 0000000000000000000000", "ff 0000000000000000000000"}) {
            TInput in(Hex(bytes));
            try {
                read(*in.Reader);
                ADD_FAILURE() << "no error for " << bytes;
            } catch (const EReadError& e) {
                EXPECT_NE(
                    QString::fromUtf8(e.what()).indexOf(bytes[0] == '0' ? "Tag 7" : "Tag 255"), -1)
                    << e.what();
            }
        }
    }
    // Kinds that exist but do not fit.
    EXPECT_THROW(TInput(Hex("06 00")).Reader->ReadInteger(), EReadError);
    EXPECT_THROW(TInput(Hex("13 0000000000000000")).Reader->ReadInteger(), EReadError);
    EXPECT_THROW(TInput(Hex("15 000000000000f03f")).Reader->ReadInt64(), EReadError);
    EXPECT_THROW(TInput(Hex("02 00")).Reader->ReadString(), EReadError);
    EXPECT_THROW(TInput(Hex("09")).Reader->ReadFloat(), EReadError);
}

TEST(ValueStreamErrors, LengthsBeyondTheDataAreRejectedBeforeAllocating) {
    const char* cases[] = {
        "0c ffffff7f 41",   // 2 GiB long string
        "14 ffffff7f 41",   // 2 GiB UTF-8 string
        "12 ffffff7f 4100", // 2n overflows 32 bits
        "12 00000040 4100", // 2n is exactly 2^31
        "12 02000000 4100", // one unit short
        "0c ffffffff",      // negative
        "14 00000080",      // negative
        "12 ffffffff",      // negative
        "06 05 41424344",   // short string one byte short
        "0c 0500",          // cut inside the length
    };
    for (const char* bytes : cases) {
        SCOPED_TRACE(bytes);
        TInput in(Hex(bytes));
        EXPECT_THROW(in.Reader->ReadString(), EReadError);
    }
    TInput in(Hex("0c ffffff7f 41"));
    try {
        in.Reader->ReadString();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Zeichenkette länger als die verbleibenden Daten");
    }
    char sink[4];
    EXPECT_THROW(TInput(Hex("41")).Reader->Read(sink, -1), EReadError);
    EXPECT_THROW(TInput(Hex("41")).Reader->Skip(-1), EReadError);
    EXPECT_THROW(TInput(Hex("41")).Reader->Skip(2), EReadError);
}

// ---------------------------------------------------------------------------------------------
// Whole streams

namespace {

// One of everything; the reader below consumes exactly these bytes.
void WriteSample(TWriter& w) {
    w.WriteInteger(6);
    w.WriteInteger(-300);
    w.WriteInteger(100000);
    w.WriteInteger(std::int64_t(1) << 40);
    w.WriteBoolean(true);
    w.WriteString("Gesamtansicht");
    w.WriteString(QString(300, u'x'));
    w.WriteString("Fläche");
    w.WriteString("ä");
    w.WriteFloat(2.5);
    w.WriteDouble(-0.25);
    w.WriteListBegin();
    w.WriteRawInt32(42);
    w.WriteRawDouble(3.75);
    w.WriteListEnd();
    w.WriteShortStringBlock("A-17", 25);
    const QByteArray block(40, '\x5A');
    w.Write(block.constData(), block.size());
}

void ReadSample(TReader& r) {
    EXPECT_EQ(r.ReadInteger(), 6);
    EXPECT_EQ(r.ReadInteger(), -300);
    EXPECT_EQ(r.ReadInteger(), 100000);
    EXPECT_EQ(r.ReadInt64(), std::int64_t(1) << 40);
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadString(), "Gesamtansicht");
    EXPECT_EQ(r.ReadString(), QString(300, u'x'));
    EXPECT_EQ(r.ReadString(), "Fläche");
    EXPECT_EQ(r.ReadString(), "ä");
    EXPECT_EQ(r.ReadFloat(), 2.5);
    EXPECT_EQ(r.ReadFloat(), -0.25);
    r.ReadListBegin();
    EXPECT_EQ(r.ReadRawInt32(), 42);
    EXPECT_EQ(r.ReadRawDouble(), 3.75);
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    EXPECT_EQ(r.ReadShortStringBlock(25), "A-17");
    QByteArray block(40, '\0');
    r.Read(block.data(), block.size());
    EXPECT_EQ(block, QByteArray(40, '\x5A'));
}

} // namespace

TEST(ValueStreamRoundTrip, BufferSizeChangesNothing) {
    const QByteArray reference = Written(WriteSample);
    for (int bufferSize : {1, 3, 7, 1024}) {
        SCOPED_TRACE(bufferSize);
        const QByteArray bytes = Written(WriteSample, bufferSize);
        EXPECT_EQ(bytes, reference);
        TInput in(bytes, bufferSize);
        ReadSample(*in.Reader);
        EXPECT_TRUE(in.Reader->AtEnd());
        EXPECT_EQ(in.Reader->Position(), bytes.size());
    }
}

TEST(ValueStreamRoundTrip, WriterPositionCountsBufferedBytes) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer, 8);
    writer.WriteInteger(1000); // 3 bytes, still buffered
    EXPECT_EQ(writer.Position(), 3);
    EXPECT_TRUE(bytes.isEmpty());
    writer.WriteString("abcdefgh"); // crosses the buffer size
    EXPECT_EQ(writer.Position(), 13);
    writer.FlushBuffer();
    EXPECT_EQ(bytes.size(), 13);
}

TEST(ValueStreamRoundTrip, CutShortAnywhereFailsCleanly) {
    const QByteArray full = Written(WriteSample);
    for (int bufferSize : {3, 1024}) {
        for (qsizetype length = 0; length < full.size(); ++length) {
            TInput in(full.left(length), bufferSize);
            // What is read before the cut is the same bytes, so the values still match.
            bool failed = false;
            try {
                ReadSample(*in.Reader);
            } catch (const EReadError&) {
                failed = true;
            }
            ASSERT_TRUE(failed) << "cut at " << length << " of " << full.size();
            EXPECT_LE(in.Reader->Position(), length);
        }
    }
}

TEST(ValueStreamRoundTrip, EmptyPlanLayoutIs573Bytes) {
    // Document version, 512-byte comment, zoom index, three empty lists, nine empty strings,
    // two more empty lists.
    const QByteArray bytes = Written([](TWriter& w) {
        w.WriteInteger(6);
        const QByteArray comment(512, '\0');
        w.Write(comment.constData(), comment.size());
        w.WriteRawInt32(3);
        for (int i = 0; i < 3; ++i) {
            w.WriteListBegin();
            w.WriteListEnd();
        }
        for (int i = 0; i < 9; ++i)
            w.WriteString(QString());
        for (int i = 0; i < 2; ++i) {
            w.WriteListBegin();
            w.WriteListEnd();
        }
    });
    EXPECT_EQ(bytes.size(), 573);
}

TEST(ValueStreamDevice, ReaderStartsAtTheDevicePosition) {
    TInput in(Hex("ffff 0207 0208"), 3);
    in.Buffer.seek(2);
    EXPECT_EQ(in.Reader->BytesLeft(), 4);
    EXPECT_EQ(in.Reader->ReadInteger(), 7);
    EXPECT_EQ(in.Reader->BytesLeft(), 2);
    in.Reader->Skip(1);
    EXPECT_EQ(in.Reader->BytesLeft(), 1);
    char last = 0;
    in.Reader->Read(&last, 1);
    EXPECT_EQ(last, 8);
    EXPECT_TRUE(in.Reader->AtEnd());
}

TEST(ValueStreamDevice, SequentialDeviceWithRefills) {
    TSequentialDevice device(Written(WriteSample));
    TReader reader(device, 3);
    ReadSample(reader);
    EXPECT_TRUE(reader.AtEnd());

    TSequentialDevice shortDevice(Hex("0c 10000000 41"));
    TReader shortReader(shortDevice, 3);
    EXPECT_THROW(shortReader.ReadString(), EReadError);
}

TEST(ValueStreamDevice, RefusedBytesRaiseWriteErrorButNeverInTheDestructor) {
    TSequentialDevice device({}, 10);
    {
        TWriter writer(device, 4);
        writer.WriteString("abcdefgh"); // 10 bytes: fits exactly
        writer.FlushBuffer();
        EXPECT_EQ(device.fWritten.size(), 10);
        writer.WriteInteger(1);
        EXPECT_THROW(writer.FlushBuffer(), EWriteError);
        writer.WriteInteger(2); // left in the buffer for the destructor, which stays quiet
    }
    // Blocks larger than the buffer go to the device directly, and are checked as well.
    TSequentialDevice full({}, 0);
    TWriter writer(full, 16);
    const QByteArray big(64, 'x');
    EXPECT_THROW(writer.Write(big.constData(), big.size()), EWriteError);
}

// ---------------------------------------------------------------------------------------------
// Bounded string blocks

TEST(ValueStreamShortBlock, LengthByteThenZeroPaddedCapacity) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteShortStringBlock("abc", 6); }),
              Hex("03 616263 000000"));
    // Longer text is cut to the capacity.
    EXPECT_EQ(Written([](TWriter& w) { w.WriteShortStringBlock("abcdef", 4); }),
              Hex("04 61626364"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteShortStringBlock("", 0); }), Hex("00"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteShortStringBlock("x", 25); }).size(), 26);
}

TEST(ValueStreamShortBlock, LengthByteAboveCapacityIsClamped) {
    QByteArray block(26, 'N');
    block[0] = static_cast<char>(200);
    TInput in(block + Hex("0209"));
    EXPECT_EQ(in.Reader->ReadShortStringBlock(25), QByteArray(25, 'N'));
    // The next field starts right after the block.
    EXPECT_EQ(in.Reader->ReadInteger(), 9);

    // Bytes beyond the length are ignored.
    EXPECT_EQ(TInput(Hex("02 4142 4344")).Reader->ReadShortStringBlock(4), "AB");
    // The whole block must be there.
    EXPECT_THROW(TInput(Hex("02 4142 43")).Reader->ReadShortStringBlock(4), EReadError);
}
