// The area record and the area interior record, read from hand-built bytes and written back.

#include "model/Shapes.h"

#include "laying/Patterns.h"
#include "platform/ValueStream.h"
#include "substructure/SubstructureContext.h"

#include "support/StreamBytes.h"
#include <QBuffer>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', QByteArray()));
}

// Reads with `read` and expects every byte to be used.
void ReadAll(const QByteArray& bytes, const std::function<void(TReader&)>& read,
             int bufferSize = 1024) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer, bufferSize);
    read(reader);
    EXPECT_TRUE(reader.AtEnd()) << reader.BytesLeft() << " bytes left unread";
}

void WriteVektor(TWriter& w, double x, double y, double rx, double ry, std::int32_t flags = 0) {
    w.WriteInteger(0);
    w.WriteRawDouble(x);
    w.WriteRawDouble(y);
    w.WriteRawDouble(rx);
    w.WriteRawDouble(ry);
    w.WriteRawInt32(flags);
}

void WriteCommon(TWriter& w, const QString& serialID, int version = 2,
                 const QString& artikelNr = QString()) {
    w.WriteString(serialID);
    w.WriteInteger(version);
    w.WriteString(artikelNr);
    w.WriteInteger(0); // Typ
    w.WriteString(QString());
    w.WriteInteger(0); // Color
    if (version >= 2) {
        w.WriteInteger(0);
        w.WriteInteger(0);
    }
}

// An area record as older and newer writers may have produced it.
struct TAreaBytes {
    int ObjectVersion = 2;
    int Version = 1;
    bool Closed = true;
    unsigned char Op = 0;
    std::vector<Tgpc_vertex> Vertices = {{0, 0}, {100, 0}, {0, 100}};
    std::int32_t Color = 0x123456;
    TVektor Verlege{0, 0, 0, 0};
    TVektor Verlatt{0, 0, 0, 0};
    QString LattenArtikelNr;
    QString GeneratorClass;
    std::function<void(TWriter&)> GeneratorRecord;
    bool Kontur = false;
    bool Aussen = true;
};

QByteArray AreaRecord(const TAreaBytes& a) {
    return Written([&](TWriter& w) {
        WriteCommon(w, "SA", a.ObjectVersion, "Fläche-1");
        w.WriteInteger(a.Version);
        w.WriteBoolean(a.Closed);
        w.Write(&a.Op, 1);
        w.WriteListBegin();
        for (const Tgpc_vertex& v : a.Vertices) {
            w.WriteInteger(0);
            w.WriteRawDouble(v.x);
            w.WriteRawDouble(v.y);
        }
        w.WriteListEnd();
        w.WriteInteger(a.Color);
        for (const TVektor* v : {&a.Verlege, &a.Verlatt})
            WriteVektor(w, v->x, v->y, v->rx, v->ry, v->Flags);
        w.WriteString(a.LattenArtikelNr);
        w.WriteString(a.GeneratorClass);
        if (a.GeneratorRecord) a.GeneratorRecord(w);
        if (a.Version >= 1) {
            w.WriteBoolean(a.Kontur);
            w.WriteBoolean(a.Aussen);
        }
    });
}

// The substructure generator record: Int version, Str article, raw spacing.
std::function<void(TWriter&)> LattenRecord(const QString& artikel, double abstand) {
    return [=](TWriter& w) {
        w.WriteInteger(0);
        w.WriteString(artikel);
        w.WriteRawDouble(abstand);
    };
}

// An object that may stand in layers, so that layer contents can be stored before the real
// board classes exist. Counts its live instances.
class TLayerProbe : public TGraphicObject {
public:
    static inline int Alive = 0;
    std::int32_t Marker = 0;
    TLayerProbe() { ++Alive; }
    ~TLayerProbe() override { --Alive; }
    QString SerialID() const override { return QStringLiteral("TIoLayerProbe"); }
    void ReadData(TReader& Reader) override {
        TGraphicObject::ReadData(Reader);
        Marker = Reader.ReadInteger();
    }
    void WriteData(TWriter& Writer) const override {
        TGraphicObject::WriteData(Writer);
        Writer.WriteInteger(Marker);
    }
};

void RegisterLayerProbe() {
    static const bool once = [] {
        RegisterGraphicObjectClass(
            []() -> std::unique_ptr<TGraphicObject> { return std::make_unique<TLayerProbe>(); },
            QStringLiteral("TIoLayerProbe"), TObjectPlacement::LayerElement);
        return true;
    }();
    (void)once;
}

std::function<void(TWriter&)> ProbeRecord(const QString& serialID, std::int32_t marker,
                                          const QString& artikelNr = QStringLiteral("B-1")) {
    return [=](TWriter& w) {
        WriteCommon(w, serialID, 2, artikelNr);
        w.WriteInteger(marker);
    };
}

// A pattern whose record tail is a raw spacing, registered for one test.
class TProbePattern : public TPatternGenerator {
public:
    double Fuge = 0;
    TProbePattern() { Name = QStringLiteral("Prüfmuster"); }
    std::unique_ptr<TPatternGeneratorBase> CreateNew() const override {
        return std::make_unique<TProbePattern>();
    }
    double PeriodeL() const override { return 1; }
    double PeriodeS() const override { return 1; }
    void CreatePattern(TShape&, TGraphicObjectList&) override {}

protected:
    void ReadTail(TReader& Reader) override { Fuge = Reader.ReadRawDouble(); }
    void WriteTail(TWriter& Writer) const override { Writer.WriteRawDouble(Fuge); }
};

// Registered once; its name is no pattern of the program.
void RegisterProbePattern() {
    RegisterPatternGeneratorClass(QStringLiteral("Prüfmuster"),
                                  []() -> std::unique_ptr<TPatternGeneratorBase> {
                                      return std::make_unique<TProbePattern>();
                                  });
}

struct TLayerBytes {
    std::vector<std::function<void(TWriter&)>> Objects;
    QString Generator;
    std::function<void(TWriter&)> GeneratorRecord;
};

// An area interior record; battens in groups from version 5 on, one plain list before.
struct TInteriorBytes {
    int Version = 5;
    std::vector<std::pair<QString, std::vector<TVektor>>> Groups;
    std::vector<TVektor> OldBattens;
    std::vector<TLayerBytes> Layers = {TLayerBytes{}};
    std::int32_t StripCount = 0;
};

QByteArray InteriorRecord(const TInteriorBytes& in) {
    return Written([&](TWriter& w) {
        auto vektors = [&](const std::vector<TVektor>& list) {
            w.WriteListBegin();
            for (const TVektor& v : list)
                WriteVektor(w, v.x, v.y, v.rx, v.ry, v.Flags);
            w.WriteListEnd();
        };
        w.WriteInteger(in.Version);
        if (in.Version >= 5) {
            w.WriteListBegin();
            for (const auto& [artikel, list] : in.Groups) {
                w.WriteInteger(1);
                w.WriteString(artikel);
                vektors(list);
            }
            w.WriteListEnd();
        } else {
            vektors(in.OldBattens);
        }
        w.WriteInteger(1);
        w.WriteListBegin();
        for (const TLayerBytes& layer : in.Layers) {
            w.WriteInteger(1);
            w.WriteListBegin();
            for (const auto& object : layer.Objects)
                object(w);
            w.WriteListEnd();
            w.WriteInteger(1);
            w.WriteString(layer.Generator);
            if (layer.GeneratorRecord) layer.GeneratorRecord(w);
        }
        w.WriteListEnd();
        w.WriteInteger(1);
        w.WriteInteger(in.StripCount);
    });
}

void ReadArea(const QByteArray& bytes, TShape& shape) {
    ReadAll(bytes, [&](TReader& r) { shape.ReadData(r); });
}

void ReadInterior(const QByteArray& bytes, TShape& shape, const TPlanReadDefaults& defaults = {}) {
    ReadAll(bytes, [&](TReader& r) { shape.ReadInterior(r, defaults); });
}

bool ReadFails(const QByteArray& bytes, const std::function<void(TReader&)>& read) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    try {
        read(reader);
    } catch (const EReadError&) {
        return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Looking at the serial ID of the next record without consuming it

TEST(ShapeIOReaderPeek, PeekedStringIsReadAgainUnchangedAtEveryBufferSize) {
    const QString texts[] = {QStringLiteral("PA"), QStringLiteral("Fläche"), QStringLiteral("ä"),
                             QString(300, QLatin1Char('x'))};
    for (const QString& text : texts) {
        for (int bufferSize : {1, 3, 1024}) {
            SCOPED_TRACE(
                (text.left(10) + QStringLiteral(" / buffer %1").arg(bufferSize)).toStdString());
            // Something before the string, so that the buffer is partly used up when peeking.
            const QByteArray bytes = Written([&](TWriter& w) {
                w.WriteInteger(1000);
                w.WriteString(text);
                w.WriteInteger(7);
            });
            ReadAll(
                bytes,
                [&](TReader& r) {
                    EXPECT_EQ(r.ReadInteger(), 1000);
                    EXPECT_EQ(r.PeekString(), text);
                    EXPECT_EQ(r.Position(), 3);
                    EXPECT_EQ(r.PeekString(), text);
                    EXPECT_EQ(r.ReadString(), text);
                    EXPECT_EQ(r.ReadInteger(), 7);
                },
                bufferSize);
        }
    }
}

TEST(ShapeIOReaderPeek, TagsCodePageBytesAndBrokenLengthsBehaveAsInReadString) {
    // Tag 12 holds code-page bytes: 0xE4 is "ä".
    ReadAll(Hex("0c 02000000 41e4"), [](TReader& r) {
        EXPECT_EQ(r.PeekString(), QStringLiteral("Aä"));
        r.ReadString();
    });
    EXPECT_TRUE(ReadFails(Hex("02 05"), [](TReader& r) { r.PeekString(); }));      // an integer
    EXPECT_TRUE(ReadFails(Hex("06 05 4142"), [](TReader& r) { r.PeekString(); })); // cut short
    EXPECT_TRUE(ReadFails(Hex("12 ffffff7f 4100"), [](TReader& r) { r.PeekString(); }));
    EXPECT_TRUE(ReadFails(Hex("14 ffffffff"), [](TReader& r) { r.PeekString(); })); // negative
    EXPECT_TRUE(ReadFails(Hex("06"), [](TReader& r) { r.PeekString(); }));
}

// ---------------------------------------------------------------------------------------------
// Area record

TEST(ShapeIORecord, TriangleAreaIsWrittenByteForByte) {
    TShape shape;
    shape.SetClosed(true);
    shape.SetOutline({{0, 0}, {100, 0}, {0, 100}});
    TVektor verlege(1.5, -2, 4.5, 2);
    verlege.Flags = 7;
    shape.SetVerlegeRichtung(verlege);
    const QByteArray bytes = Written([&](TWriter& w) { shape.WriteData(w); });

    QByteArray expected = Hex("06 02 5341"  // serial ID "SA"
                              "02 02"       // object record version
                              "12 00000000" // ArtikelNr
                              "02 00"       // Typ
                              "12 00000000" // ImageFileName
                              "02 00"       // the object's Color
                              "02 00 02 00" // Independent, IncludeAlways
                              "02 01"       // area version
                              "09"          // Closed
                              "00"          // Operator
                              "01");        // outline list
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {100.0, 0.0}, {0.0, 100.0}})
        expected += Hex("02 00") + RawDouble(x) + RawDouble(y);
    expected += Hex("00");
    expected += Hex("04 fafffa00"); // the area's own colour, RGB(250, 255, 250)
    expected += Hex("02 00") + RawDouble(1.5) + RawDouble(-2) + RawDouble(3) + RawDouble(4) +
                Hex("07000000");
    expected += Hex("02 00") + QByteArray(36, '\0');
    expected += Hex("12 00000000" // LattenArtikelNr
                    "12 00000000" // no substructure generator
                    "09 09");     // Konturbemassung, Aussenbemassung
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
}

TEST(ShapeIORecord, EveryFieldSurvivesARoundTrip) {
    const TSubstructureContext engine; // knows the substructure classes
    TShape shape;
    shape.ArtikelNr.SetText("Fläche-7");
    shape.SetClosed(true);
    shape.SetAussparung(false);
    shape.SetOutline({{-10.25, 3}, {500, 0}, {500, 400}, {0, 400}});
    shape.SetColor(RGBColor(1, 2, 3));
    shape.SetVerlegeRichtung(TVektor(1, 2, 3, 4));
    TVektor verlatt(5, 6, 7, 8);
    verlatt.Flags = -1;
    shape.SetVerlattungsRichtung(verlatt);
    shape.SetLattenArtikelNr("Lärche 45x70");
    shape.SetKonturbemassung(false);
    shape.SetAussenbemassung(true);
    auto latten = std::make_unique<TLattenGenerator>();
    latten->LattenArtNr.SetText("UK-12");
    latten->fMaxLattenAbstand = 42.5;
    shape.SetLattenGenerator(std::move(latten));

    TShape copy;
    ReadArea(Written([&](TWriter& w) { shape.WriteData(w); }), copy);
    EXPECT_EQ(copy.ArtikelNr, shape.ArtikelNr);
    EXPECT_TRUE(copy.Closed());
    EXPECT_EQ(copy.Operator(), GPC_XOR);
    EXPECT_EQ(copy.Outline().vertex, shape.Outline().vertex);
    EXPECT_EQ(copy.DrawnPolygon().num_contours(), 1);
    EXPECT_EQ(copy.Color(), RGBColor(1, 2, 3));
    EXPECT_TRUE(copy.VerlegeRichtung().IsEqual(shape.VerlegeRichtung()));
    EXPECT_TRUE(copy.VerlattungsRichtung().IsEqual(shape.VerlattungsRichtung()));
    EXPECT_EQ(copy.VerlattungsRichtung().Flags, -1);
    EXPECT_EQ(copy.LattenArtikelNr(), QStringLiteral("Lärche 45x70"));
    EXPECT_FALSE(copy.Konturbemassung());
    EXPECT_TRUE(copy.Aussenbemassung());
    const TLattenGenerator* read = LattenGeneratorOf(copy);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->LattenArtNr.Text(), QStringLiteral("UK-12"));
    EXPECT_EQ(read->fMaxLattenAbstand, 42.5);
}

TEST(ShapeIORecord, OperatorByteTwoIsXorAndEveryOtherByteACutOut) {
    const std::pair<unsigned char, Tgpc_op> cases[] = {
        {0, GPC_DIFF}, {1, GPC_DIFF}, {2, GPC_XOR}, {3, GPC_DIFF}, {255, GPC_DIFF}};
    for (const auto& [byte, op] : cases) {
        SCOPED_TRACE(static_cast<int>(byte));
        TAreaBytes a;
        a.Op = byte;
        TShape shape;
        ReadArea(AreaRecord(a), shape);
        EXPECT_EQ(shape.Operator(), op);
        EXPECT_EQ(shape.IsAussparung(), op == GPC_DIFF);
    }
}

TEST(ShapeIORecord, OlderRecordsLackTheDimensionFlagsAndKeepTheirDefaults) {
    TAreaBytes a;
    a.ObjectVersion = 1; // no Independent / IncludeAlways either
    a.Version = 0;
    TShape shape;
    ReadArea(AreaRecord(a), shape);
    EXPECT_TRUE(shape.Konturbemassung());
    EXPECT_TRUE(shape.Aussenbemassung());
    EXPECT_EQ(shape.VertexCount(), 3);
    EXPECT_EQ(shape.ArtikelNr.Text(), QStringLiteral("Fläche-1"));
}

TEST(ShapeIORecord, SubstructureClassIsLookedUpByName) {
    TAreaBytes a;
    a.GeneratorClass = "TLattenGenerator";
    a.GeneratorRecord = LattenRecord(QString(30, QLatin1Char('L')), 55);
    const TSubstructureContext engine;
    TShape shape;
    ReadArea(AreaRecord(a), shape);
    const TLattenGenerator* read = LattenGeneratorOf(shape);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->LattenArtNr.Length(), 25); // cut to the field
    EXPECT_EQ(read->fMaxLattenAbstand, 55);
}

TEST(ShapeIORecord, UnreadableAreaRecordsFailTheRead) {
    struct TCase {
        const char* Name;
        std::function<void(TAreaBytes&)> Change;
    };
    const TCase cases[] = {
        {"area version 2", [](TAreaBytes& a) { a.Version = 2; }},
        {"negative area version", [](TAreaBytes& a) { a.Version = -1; }},
        {"object version 3", [](TAreaBytes& a) { a.ObjectVersion = 3; }},
        {"NaN vertex", [](TAreaBytes& a) { a.Vertices[1].x = kNaN; }},
        {"infinite vertex", [](TAreaBytes& a) { a.Vertices[2].y = -kInf; }},
        {"NaN laying direction", [](TAreaBytes& a) { a.Verlege.rx = kNaN; }},
        {"infinite batten direction", [](TAreaBytes& a) { a.Verlatt.y = kInf; }},
        // The record behind the unknown name parses as the area's last items would not:
        // the name alone must stop the read.
        {"unknown substructure class",
         [](TAreaBytes& a) {
             a.GeneratorClass = "TLattenGeneratorUnbekannt";
             a.Version = 0;
             a.GeneratorRecord = [](TWriter& w) {
                 w.WriteBoolean(true);
                 w.WriteBoolean(false);
             };
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TAreaBytes a;
        c.Change(a);
        TShape shape;
        EXPECT_TRUE(ReadFails(AreaRecord(a), [&](TReader& r) { shape.ReadData(r); }));
    }
}

// A batten spacing the setter would refuse reads as the layout's built-in one.
TEST(ShapeIORecord, NaNBattenSpacingReadsAsTheBuiltInOne) {
    TAreaBytes a;
    a.GeneratorClass = "TLattenGenerator";
    a.GeneratorRecord = LattenRecord("UK", kNaN);
    const TSubstructureContext engine;
    TShape shape;
    ReadArea(AreaRecord(a), shape);
    ASSERT_NE(LattenGeneratorOf(shape), nullptr);
    EXPECT_EQ(LattenGeneratorOf(shape)->fMaxLattenAbstand, 60);
}

// ---------------------------------------------------------------------------------------------
// Area interior record

TEST(ShapeIOInterior, BattenGroupsLayersAndGeneratorsSurviveARoundTrip) {
    RegisterLayerProbe();
    RegisterProbePattern();
    TShape shape;
    TVektor flagged(60, 0, 0, 300);
    flagged.Flags = 3;
    shape.AddVerlattung("UK-1", {TVektor(0, 0, 0, 300), flagged});
    shape.AddVerlattung("Alu 20", {});
    shape.AddVerlattung("UK-1", {TVektor(1, 2, 3, 4)});
    shape.AddLayer();
    shape.AddLayer();
    for (int marker : {11, 12}) {
        auto probe = std::make_unique<TLayerProbe>();
        probe->Marker = marker;
        shape.Layer(2).push_back(std::move(probe));
    }
    auto generator = std::make_unique<TProbePattern>();
    generator->Fuge = 0.5;
    shape.SetPatternGenerator(2, std::move(generator));

    TShape copy;
    ReadInterior(Written([&](TWriter& w) { shape.WriteInterior(w); }), copy);
    ASSERT_EQ(copy.VerlattungColl().size(), 3u);
    for (size_t g = 0; g < 3; ++g) {
        EXPECT_EQ(copy.VerlattungColl()[g].ArtikelNr, shape.VerlattungColl()[g].ArtikelNr);
        ASSERT_EQ(copy.VerlattungColl()[g].Vektoren.size(),
                  shape.VerlattungColl()[g].Vektoren.size());
        for (size_t i = 0; i < copy.VerlattungColl()[g].Vektoren.size(); ++i) {
            EXPECT_TRUE(copy.VerlattungColl()[g].Vektoren[i].IsEqual(
                shape.VerlattungColl()[g].Vektoren[i]));
            EXPECT_EQ(copy.VerlattungColl()[g].Vektoren[i].Flags,
                      shape.VerlattungColl()[g].Vektoren[i].Flags);
        }
    }
    ASSERT_EQ(copy.Layers().size(), 3u);
    ASSERT_EQ(copy.PatternGeneratorCount(), 3);
    EXPECT_TRUE(copy.Layer(0).empty());
    EXPECT_EQ(copy.GetPatternGenerator(0), nullptr);
    ASSERT_EQ(copy.Layer(2).size(), 2u);
    for (int i = 0; i < 2; ++i) {
        auto* probe = dynamic_cast<TLayerProbe*>(copy.Layer(2)[size_t(i)].get());
        ASSERT_NE(probe, nullptr);
        EXPECT_EQ(probe->Marker, 11 + i);
        EXPECT_EQ(probe->ParentShape, &copy);
        EXPECT_EQ(probe->ParentGraphObject, nullptr);
    }
    auto* read = dynamic_cast<TProbePattern*>(copy.GetPatternGenerator(2));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Fuge, 0.5);
}

TEST(ShapeIOInterior, LayerObjectsAreFoundByTheirSerialIDInAnyLetterCase) {
    RegisterLayerProbe();
    TInteriorBytes in;
    in.Layers[0].Objects = {ProbeRecord("tioLAYERprobe", 5)};
    TShape shape;
    ReadInterior(InteriorRecord(in), shape);
    ASSERT_EQ(shape.Layer(0).size(), 1u);
    EXPECT_EQ(dynamic_cast<TLayerProbe&>(*shape.Layer(0)[0]).Marker, 5);
}

TEST(ShapeIOInterior, OlderInteriorsMakeOneGroupOfTheAreasBattenArticle) {
    for (int version = 0; version <= 4; ++version) {
        for (const QString& stored : {QString(), QStringLiteral("Lärche")}) {
            SCOPED_TRACE((QStringLiteral("version %1, article \"%2\"").arg(version).arg(stored))
                             .toStdString());
            TInteriorBytes in;
            in.Version = version;
            in.OldBattens = {TVektor(0, 0, 0, 100), TVektor(50, 0, 0, 100)};
            TShape shape;
            shape.SetLattenArtikelNr(stored);
            ReadInterior(InteriorRecord(in), shape, {QStringLiteral("UK-Standard")});
            const QString expected = stored.isEmpty() ? QStringLiteral("UK-Standard") : stored;
            ASSERT_EQ(shape.VerlattungColl().size(), 1u);
            EXPECT_EQ(shape.VerlattungColl()[0].ArtikelNr, expected);
            EXPECT_EQ(shape.VerlattungColl()[0].Vektoren.size(), 2u);
            EXPECT_EQ(shape.LattenArtikelNr(), expected);
        }
    }
}

TEST(ShapeIOInterior, ReadingReplacesBattensAndLayersOfTheArea) {
    TShape shape;
    shape.AddVerlattung("alt", {TVektor(0, 0, 1, 1)});
    shape.AddLayer();
    TInteriorBytes in;
    in.Groups = {{"neu", {}}};
    ReadInterior(InteriorRecord(in), shape);
    ASSERT_EQ(shape.VerlattungColl().size(), 1u);
    EXPECT_EQ(shape.VerlattungColl()[0].ArtikelNr, QStringLiteral("neu"));
    EXPECT_EQ(shape.Layers().size(), 1u);
}

TEST(ShapeIOInterior, AnEmptyLayerListStillLeavesOneEmptyLayer) {
    TInteriorBytes in;
    in.Layers.clear();
    TShape shape;
    shape.AddLayer();
    ReadInterior(InteriorRecord(in), shape);
    ASSERT_EQ(shape.Layers().size(), 1u);
    EXPECT_TRUE(shape.Layer(0).empty());
    ASSERT_EQ(shape.PatternGeneratorCount(), 1);
    EXPECT_EQ(shape.GetPatternGenerator(0), nullptr);
    EXPECT_TRUE(shape.Empty());
}

TEST(ShapeIOInterior, UnreadableInteriorsFailTheRead) {
    RegisterLayerProbe();
    struct TCase {
        const char* Name;
        std::function<void(TInteriorBytes&)> Change;
    };
    const TCase cases[] = {
        {"interior version 6", [](TInteriorBytes& in) { in.Version = 6; }},
        {"NaN batten",
         [](TInteriorBytes& in) {
             in.Groups = {{"UK", {TVektor(kNaN, 0, 1, 1)}}};
         }},
        {"infinite old batten",
         [](TInteriorBytes& in) {
             in.Version = 4;
             in.OldBattens = {TVektor(0, 0, kInf, 1)};
         }},
        {"unknown serial ID",
         [](TInteriorBytes& in) { in.Layers[0].Objects = {ProbeRecord("XY", 1)}; }},
        // Areas and the bare base class are registered, but never belong inside a layer.
        {"area inside a layer",
         [](TInteriorBytes& in) { in.Layers[0].Objects = {ProbeRecord("SA", 1)}; }},
        {"base object inside a layer",
         [](TInteriorBytes& in) { in.Layers[0].Objects = {ProbeRecord("TGraphicObject", 1)}; }},
        {"layer object of a newer record version",
         [](TInteriorBytes& in) {
             in.Layers[0].Objects = {[](TWriter& w) {
                 WriteCommon(w, "TIoLayerProbe", 3);
                 w.WriteInteger(1);
             }};
         }},
        // The record behind the unknown name reads as one more empty layer: only the name
        // itself can stop the read.
        {"unknown pattern name",
         [](TInteriorBytes& in) {
             in.Layers[0].Generator = "Kein Muster";
             in.Layers[0].GeneratorRecord = [](TWriter& w) {
                 w.WriteInteger(1);
                 w.WriteListBegin();
                 w.WriteListEnd();
                 w.WriteInteger(1);
                 w.WriteString(QString());
             };
         }},
        {"negative strip count", [](TInteriorBytes& in) { in.StripCount = -1; }},
        {"strip count beyond the data", [](TInteriorBytes& in) { in.StripCount = 1 << 30; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TInteriorBytes in;
        c.Change(in);
        TShape shape;
        EXPECT_TRUE(ReadFails(InteriorRecord(in), [&](TReader& r) { shape.ReadInterior(r, {}); }));
    }
    EXPECT_EQ(TLayerProbe::Alive, 0);
}

TEST(ShapeIOInterior, WrittenInteriorOfANewAreaHasTheExpectedBytes) {
    TShape shape;
    const QByteArray bytes = Written([&](TWriter& w) { shape.WriteInterior(w); });
    EXPECT_EQ(bytes.toHex(' '), Hex("02 05"             // interior version
                                    "01 00"             // no batten groups
                                    "02 01"             // layer list version
                                    "01"                // layers
                                    "02 01 01 00"       // layer 0: no objects
                                    "02 01 12 00000000" // no pattern generator
                                    "00"
                                    "02 01 02 00") // no strips
                                    .toHex(' '));
}
