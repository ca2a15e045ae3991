// The generator records of every layout, in plans (through the area record) and in
// "UKprev.bin", and the values they may carry.

#include "substructure/StandardLayouts.h"
#include "substructure/UKPrev.h"

#include "SubstructureTestSupport.h"
#include "support/StreamBytes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

template <class T>
void ReadFrom(const QByteArray& bytes, T& target, bool expectAllRead = true) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    target.ReadData(reader);
    if (expectAllRead) {
        EXPECT_TRUE(reader.AtEnd()) << reader.BytesLeft() << " bytes left";
    }
}

// A record as a writer of any release may have produced it.
QByteArray Record(const QString& artikel, double spacing, std::optional<std::int32_t> rand = {}) {
    return Written([&](TWriter& w) {
        w.WriteInteger(0);
        w.WriteString(artikel);
        w.WriteRawDouble(spacing);
        if (rand) w.WriteRawInt32(*rand);
    });
}

// Every prototype with settings of its own: article "L<id>", spacing 10 + id, "nur".
void SetDistinct(TLattenGeneratorList& list) {
    for (const auto& g : list) {
        if (!g) continue;
        g->LattenArtNr.SetText(QStringLiteral("L%1").arg(g->BitMapIndex));
        g->fMaxLattenAbstand = 10 + g->BitMapIndex;
        if (auto* n = dynamic_cast<TLattenGeneratorLaengsStirnNurOhneRand*>(g.get())) n->fRand = 1;
    }
}

bool HasDistinct(const TLattenGenerator& g) {
    const auto* n = dynamic_cast<const TLattenGeneratorLaengsStirnNurOhneRand*>(&g);
    return g.LattenArtNr.Text() == QStringLiteral("L%1").arg(g.BitMapIndex) &&
           g.fMaxLattenAbstand == 10 + g.BitMapIndex && (n == nullptr || n->fRand == 1);
}

bool HasConstructorValues(const TLattenGenerator& g) {
    const auto* n = dynamic_cast<const TLattenGeneratorLaengsStirnNurOhneRand*>(&g);
    return g.LattenArtNr.IsEmpty() && g.fMaxLattenAbstand == g.DefaultMaxLattenAbstand() &&
           (n == nullptr || n->fRand == 0);
}

class SubstructureRecords : public TSubstructureTest {};

TEST_F(SubstructureRecords, BaseRecordBytes) {
    TLattenGeneratorLaengs g;
    g.LattenArtNr.SetText(QStringLiteral("UK-12"));
    g.fMaxLattenAbstand = 45.5;
    EXPECT_EQ(Written([&](TWriter& w) { g.WriteData(w); }), QByteArray::fromHex("0200"
                                                                                "0605554b2d3132") +
                                                                RawDouble(45.5));
    TLattenGeneratorLaengsStirnNurOhneRand n;
    n.fRand = 1;
    EXPECT_EQ(Written([&](TWriter& w) { n.WriteData(w); }), QByteArray::fromHex("0200"
                                                                                "1200000000") +
                                                                RawDouble(150) +
                                                                QByteArray::fromHex("01000000"));
}

TEST_F(SubstructureRecords, EveryLayoutRoundTripsThroughTheAreaRecord) {
    TLattenGeneratorList list = CreateLattenGeneratorPrototypes();
    SetDistinct(list);
    for (const auto& g : list) {
        if (!g) continue;
        SCOPED_TRACE(g->ClassName().toStdString());
        auto shape = MakeArea(Rect(0, 0, 300, 200));
        shape->SetLattenGenerator(g->Clone());
        const QByteArray bytes = Written([&](TWriter& w) { shape->WriteData(w); });
        TShape back;
        ReadFrom(bytes, back);
        ASSERT_NE(back.LattenGenerator(), nullptr);
        EXPECT_EQ(LattenGeneratorOf(back)->ClassName(), g->ClassName());
        EXPECT_EQ(LattenGeneratorOf(back)->Name, g->Name);
        EXPECT_TRUE(HasDistinct(*LattenGeneratorOf(back)));
        EXPECT_EQ(Written([&](TWriter& w) { back.WriteData(w); }), bytes);
    }
}

TEST_F(SubstructureRecords, StoredValuesTheSettersRefuseReadAsBuiltIn) {
    for (double bad : {kNaN, kInf, -kInf, 0.0, 0.5, 200.5, -1.0, 1e308}) {
        SCOPED_TRACE(bad);
        TLattenGeneratorQuer quer;
        ReadFrom(Record(QStringLiteral("A"), bad), quer);
        EXPECT_EQ(quer.fMaxLattenAbstand, 60);
        EXPECT_EQ(quer.LattenArtNr.Text(), QStringLiteral("A"));
        TLattenGeneratorLaengsStirnNurOhneRand nurOhne;
        ReadFrom(Record(QStringLiteral("A"), bad, 1), nurOhne);
        EXPECT_EQ(nurOhne.fMaxLattenAbstand, 150);
        EXPECT_EQ(nurOhne.fRand, 1);
    }
    for (double good : {1.0, 200.0, 37.5}) {
        TLattenGenerator base;
        ReadFrom(Record(QString(), good), base);
        EXPECT_EQ(base.fMaxLattenAbstand, good);
    }
    for (std::int32_t rand : {2, -1, 7}) {
        TLattenGeneratorLaengsStirnNurOhneRand nurOhne;
        nurOhne.fRand = 1;
        ReadFrom(Record(QString(), 60, rand), nurOhne);
        EXPECT_EQ(nurOhne.fRand, 0);
    }
    // Article numbers are cut to their 25 characters.
    TLattenGenerator base;
    ReadFrom(Record(QString(40, QLatin1Char('x')), 60), base);
    EXPECT_EQ(base.LattenArtNr.Text(), QString(25, QLatin1Char('x')));
}

TEST_F(SubstructureRecords, PlanWithANaNSpacingLoadsWithTheBuiltInValue) {
    auto shape = MakeArea(Rect(0, 0, 300, 200));
    shape->SetLattenGenerator(std::make_unique<TLattenGeneratorLaengsStirn>());
    LattenGeneratorOf(*shape)->fMaxLattenAbstand = kNaN;
    const QByteArray bytes = Written([&](TWriter& w) { shape->WriteData(w); });
    TShape back;
    ReadFrom(bytes, back);
    ASSERT_NE(back.LattenGenerator(), nullptr);
    EXPECT_EQ(LattenGeneratorOf(back)->fMaxLattenAbstand, 60);
}

TEST_F(SubstructureRecords, ACutRecordChangesNothing) {
    const QByteArray full = Record(QStringLiteral("NEU"), 80, 1);
    for (qsizetype k = 0; k < full.size(); ++k) {
        TLattenGeneratorLaengsStirnNurOhneRand g;
        g.LattenArtNr.SetText(QStringLiteral("ALT"));
        EXPECT_THROW(ReadFrom(full.left(k), g, false), EReadError) << k;
        EXPECT_EQ(g.LattenArtNr.Text(), QStringLiteral("ALT"));
        EXPECT_EQ(g.fMaxLattenAbstand, 150);
        EXPECT_EQ(g.fRand, 0);
    }
}

TEST_F(SubstructureRecords, AssignCopiesTheParametersOfItsOwnClass) {
    TLattenGeneratorLaengsStirnNurOhneRand source;
    source.fRand = 1;
    source.fMaxLattenAbstand = 99;
    source.LattenArtNr.SetText(QStringLiteral("Q"));
    const std::unique_ptr<TLattenGenerator> clone = source.Clone();
    EXPECT_EQ(dynamic_cast<TLattenGeneratorLaengsStirnNurOhneRand&>(*clone).fRand, 1);
    EXPECT_EQ(clone->fMaxLattenAbstand, 99);
    EXPECT_EQ(clone->LattenArtNr.Text(), QStringLiteral("Q"));
    // From another class only the base fields.
    TLattenGeneratorLaengsStirnNurOhneRand target;
    target.fRand = 1;
    target.Assign(TLattenGeneratorLaengs());
    EXPECT_EQ(target.fRand, 1);
    EXPECT_EQ(target.Name, QStringLiteral("Längs einfach"));
}

TEST_F(SubstructureRecords, RandIsZeroOrOne) {
    TLattenGeneratorLaengsStirnNurOhneRand g;
    TPropertyList properties = g.Properties();
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(properties[0].Name, QStringLiteral("A_MaxLattenAbstand"));
    EXPECT_EQ(properties[0].Default, 150);
    TPublishedProperty& rand = properties[1];
    EXPECT_EQ(rand.Name, QStringLiteral("A_Rand"));
    SetPropertyText(rand, QStringLiteral("nur"));
    EXPECT_EQ(g.fRand, 1);
    EXPECT_EQ(PropertyText(rand), QStringLiteral("nur"));
    SetPropertyText(rand, QStringLiteral("0"));
    EXPECT_EQ(g.fRand, 0);
    for (std::int32_t bad : {2, -1}) {
        try {
            g.SetRand(bad);
            ADD_FAILURE() << bad << " accepted";
        } catch (const EPropertyError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Ungültiger Wert für Rand."));
        }
    }
    EXPECT_THROW(rand.Set(0.5), EPropertyError);
    EXPECT_EQ(g.fRand, 0);
}

// --- UKprev.bin -------------------------------------------------------------------------------

TEST_F(SubstructureRecords, UKPrevKeepsEveryPrototypesSettings) {
    TLattenGeneratorList written = CreateLattenGeneratorPrototypes();
    SetDistinct(written);
    TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
    EXPECT_TRUE(ReadUKPrev(UKPrevBytes(written), read));
    for (const auto& g : read) {
        if (g) {
            EXPECT_TRUE(HasDistinct(*g)) << g->BitMapIndex;
        }
    }
}

TEST_F(SubstructureRecords, UKPrevCutShortAtAnyByteLeavesTheBuiltInSettings) {
    TLattenGeneratorList written = CreateLattenGeneratorPrototypes();
    SetDistinct(written);
    const QByteArray bytes = UKPrevBytes(written);
    for (qsizetype k = 0; k < bytes.size(); ++k) {
        TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
        EXPECT_FALSE(ReadUKPrev(bytes.left(k), read)) << k;
        for (const auto& g : read) {
            if (g) {
                ASSERT_TRUE(HasConstructorValues(*g)) << "cut at " << k;
            }
        }
    }
}

TEST_F(SubstructureRecords, HeaderlessUKPrevReadsAsFarAsItParses) {
    // The records back to back in list order; after layout 7 comes a rail layout this build
    // cannot read, so 9 keeps its values.
    TLattenGeneratorList written = CreateLattenGeneratorPrototypes();
    SetDistinct(written);
    QByteArray bytes;
    std::vector<qsizetype> ends;
    for (int id = 0; id <= 7; ++id) {
        bytes += Written([&](TWriter& w) { written[size_t(id)]->WriteData(w); });
        ends.push_back(bytes.size());
    }
    bytes += Record(QStringLiteral("ALU"), 50) + QByteArray("\x02\x05", 2);
    bytes += Written([&](TWriter& w) { written[9]->WriteData(w); });
    for (qsizetype k = 0; k <= bytes.size(); ++k) {
        TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
        ReadUKPrev(bytes.left(k), read);
        for (int id = 0; id <= 7; ++id) {
            const TLattenGenerator& g = *read[size_t(id)];
            ASSERT_EQ(HasDistinct(g), k >= ends[size_t(id)]) << "cut at " << k << ", " << id;
            if (k < ends[size_t(id)]) {
                ASSERT_TRUE(HasConstructorValues(g));
            }
        }
        ASSERT_TRUE(HasConstructorValues(*read[9]));
    }
}

TEST_F(SubstructureRecords, ForeignFilesLeaveTheBuiltInSettings) {
    const QByteArray foreign[] = {
        QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13),
        QByteArray("[General]\nDefaultUKMuster=3\n"),
        QByteArray("TarvUKP\x1a\x02\x07\x01\x00", 12), // a later format version
        QByteArray(4096, '\xff'),
    };
    for (const QByteArray& bytes : foreign) {
        TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
        EXPECT_FALSE(ReadUKPrev(bytes, read));
        for (const auto& g : read) {
            if (g) {
                EXPECT_TRUE(HasConstructorValues(*g));
            }
        }
    }
}

TEST_F(SubstructureRecords, OneUnusableEntryCostsOnlyItsPrototype) {
    const auto entry = [](TWriter& w, std::int32_t id, const QString& cls, const QByteArray& r) {
        w.WriteInteger(id);
        w.WriteString(cls);
        w.WriteInteger(r.size());
        w.Write(r.constData(), r.size());
    };
    const QByteArray bytes =
        QByteArray("TarvUKP\x1a", 8) + Written([&](TWriter& w) {
            w.WriteInteger(1);
            w.WriteListBegin();
            entry(w, 1, QStringLiteral("TLattenGeneratorLaengs"), Record("L1", 11));
            // A spacing no setter accepts: the built-in value.
            entry(w, 2, QStringLiteral("TLattenGeneratorLaengsStirn"), Record("L2", kNaN));
            // A record too short for its class.
            entry(w, 9, QStringLiteral("TLattenGeneratorLaengsStirnNurOhneRand"), Record("L9", 19));
            // A class that does not sit at that identifier, and one this build lacks.
            entry(w, 3, QStringLiteral("TLattenGeneratorQuer"), Record("L3", 13));
            entry(w, 8, QStringLiteral("TLattenGeneratorAlurail"), QByteArray("\x02\x00", 2));
            entry(w, 4, QStringLiteral("TLattenGeneratorQuer"), Record("L4", 14));
            w.WriteListEnd();
        });
    TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
    EXPECT_TRUE(ReadUKPrev(bytes, read));
    EXPECT_TRUE(HasDistinct(*read[1]));
    EXPECT_EQ(read[2]->LattenArtNr.Text(), QStringLiteral("L2"));
    EXPECT_EQ(read[2]->fMaxLattenAbstand, 60);
    EXPECT_TRUE(HasConstructorValues(*read[9]));
    EXPECT_TRUE(HasConstructorValues(*read[3]));
    EXPECT_EQ(read[4]->LattenArtNr.Text(), QStringLiteral("L4"));
}

TEST_F(SubstructureRecords, UKPrevFileIsReplacedWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("UKprev.bin"));
    TLattenGeneratorList list = CreateLattenGeneratorPrototypes();
    ASSERT_TRUE(WriteUKPrevFile(file, list));
    SetDistinct(list);
    ASSERT_TRUE(WriteUKPrevFile(file, list));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("UKprev.bin")});
    TLattenGeneratorList read = CreateLattenGeneratorPrototypes();
    EXPECT_TRUE(ReadUKPrevFile(file, read));
    EXPECT_TRUE(HasDistinct(*read[5]));
    // A folder that does not exist: refused, nothing made.
    const QString missing = dir.filePath(QStringLiteral("fehlt/UKprev.bin"));
    EXPECT_FALSE(WriteUKPrevFile(missing, list));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(ReadUKPrevFile(missing, read));
}

} // namespace
