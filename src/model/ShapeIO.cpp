// The area record and the area interior record of plan files.

#include "model/Shapes.h"

#include "model/Generators.h"
#include "platform/ValueStream.h"

#include <cmath>

namespace {

constexpr int kShapeRecordVersion = 1;
constexpr int kInteriorRecordVersion = 5;
// Interiors before this version hold a single batten list without article numbers.
constexpr int kFirstGroupedBattens = 5;

[[noreturn]] void Fail(const QString& message) {
    throw EReadError(message.toStdString());
}

// Raw doubles come straight from the file; NaN or infinity would reach the clipper.
void RequireFinite(std::initializer_list<double> values, const char* what) {
    for (double v : values)
        if (!std::isfinite(v))
            Fail(QStringLiteral("Ungültige Koordinate (%1) im Plan").arg(QString::fromUtf8(what)));
}

void ReadFiniteVektor(TReader& Reader, TVektor& v, const char* what) {
    v.ReadData(Reader);
    RequireFinite({v.x, v.y, v.rx, v.ry}, what);
}

void ReadVektorList(TReader& Reader, std::vector<TVektor>& list) {
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        TVektor v;
        ReadFiniteVektor(Reader, v, "Latte");
        list.push_back(v);
    }
    Reader.ReadListEnd();
}

void WriteVektorList(TWriter& Writer, const std::vector<TVektor>& list) {
    Writer.WriteListBegin();
    for (const TVektor& v : list)
        v.WriteData(Writer);
    Writer.WriteListEnd();
}

// Article numbers are bounded fields: cut to their capacity when read.
QString ReadArtikelNr(TReader& Reader) {
    return TShortText<25>(Reader.ReadString()).Text();
}

} // namespace

// --- Area record ------------------------------------------------------------------------------

void TShape::ReadData(TReader& Reader) {
    TGraphicObject::ReadData(Reader);
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kShapeRecordVersion)
        Fail(QStringLiteral("Unbekannte Version %1 einer Verlegefläche").arg(version));
    fClosed = Reader.ReadBoolean();
    unsigned char op = 0;
    Reader.Read(&op, 1);
    // Only 2 means "cuts nothing out"; any other byte acts as a cut-out, so it is stored as one
    // and the editor's tick shows what the area does.
    fOperator = op == static_cast<unsigned char>(GPC_XOR) ? GPC_XOR : GPC_DIFF;

    Tgpc_vertex_list outline;
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        Reader.ReadInteger(); // vertex record version
        Tgpc_vertex v;
        v.x = Reader.ReadRawDouble();
        v.y = Reader.ReadRawDouble();
        RequireFinite({v.x, v.y}, "Eckpunkt");
        outline.vertex.push_back(v);
    }
    Reader.ReadListEnd();
    MutableOutline().vertex = std::move(outline.vertex);

    fColor = static_cast<TColor>(Reader.ReadInteger());
    ReadFiniteVektor(Reader, fVerlegeRichtung, "Verlegerichtung");
    ReadFiniteVektor(Reader, fVerlattungsRichtung, "Verlattungsrichtung");
    fLattenArtikelNr.SetText(Reader.ReadString());

    fLattenGenerator.reset();
    const QString className = Reader.ReadString();
    if (!className.isEmpty()) {
        // The record of an unknown layout cannot be skipped: its length is not stored.
        std::unique_ptr<TLattenGeneratorBase> generator = CreateLattenGeneratorForClass(className);
        if (!generator) Fail(QStringLiteral("Unbekannte Unterkonstruktion \"%1\"").arg(className));
        generator->ReadData(Reader);
        fLattenGenerator = std::move(generator);
    }

    if (version >= 1) {
        fKonturbemassung = Reader.ReadBoolean();
        fAussenbemassung = Reader.ReadBoolean();
    }
}

void TShape::WriteData(TWriter& Writer) const {
    TGraphicObject::WriteData(Writer);
    Writer.WriteInteger(kShapeRecordVersion);
    Writer.WriteBoolean(fClosed);
    const unsigned char op = static_cast<unsigned char>(fOperator == GPC_XOR ? GPC_XOR : GPC_DIFF);
    Writer.Write(&op, 1);
    Writer.WriteListBegin();
    for (const Tgpc_vertex& v : Outline().vertex) {
        Writer.WriteInteger(0);
        Writer.WriteRawDouble(v.x);
        Writer.WriteRawDouble(v.y);
    }
    Writer.WriteListEnd();
    Writer.WriteInteger(static_cast<std::int32_t>(fColor));
    fVerlegeRichtung.WriteData(Writer);
    fVerlattungsRichtung.WriteData(Writer);
    Writer.WriteString(fLattenArtikelNr.Text());
    if (fLattenGenerator) {
        Writer.WriteString(fLattenGenerator->ClassName());
        fLattenGenerator->WriteData(Writer);
    } else {
        Writer.WriteString(QString());
    }
    Writer.WriteBoolean(fKonturbemassung);
    Writer.WriteBoolean(fAussenbemassung);
}

// --- Area interior record ---------------------------------------------------------------------

void TShape::ReadInterior(TReader& Reader, const TPlanReadDefaults& Defaults) {
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kInteriorRecordVersion)
        Fail(QStringLiteral("Unbekannte Version %1 des Inhalts einer Verlegefläche").arg(version));

    fVerlattungColl.clear();
    if (version >= kFirstGroupedBattens) {
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
            Reader.ReadInteger(); // group record version
            TVektorGruppe group;
            group.ArtikelNr = ReadArtikelNr(Reader);
            ReadVektorList(Reader, group.Vektoren);
            fVerlattungColl.push_back(std::move(group));
        }
        Reader.ReadListEnd();
    } else {
        // Older plans knew one batten article per area; without one the program's default
        // stands in, and the area keeps it so that saving writes what was assumed.
        if (fLattenArtikelNr.IsEmpty()) fLattenArtikelNr.SetText(Defaults.LattenArtikelNr);
        TVektorGruppe group;
        group.ArtikelNr = fLattenArtikelNr.Text();
        ReadVektorList(Reader, group.Vektoren);
        fVerlattungColl.push_back(std::move(group));
    }

    Reader.ReadInteger(); // layer list version
    RemoveLayers();
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        const int layer = AddLayer();
        Reader.ReadInteger(); // layer record version
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
            // The serial ID heads the record and is read again by the object itself.
            const QString serialID = Reader.PeekString();
            const TGraphicObjectFactory factory = FindLayerObjectClass(serialID);
            if (!factory)
                Fail(QStringLiteral("Objekt der Klasse \"%1\" in einer Ebene nicht ladbar")
                         .arg(serialID));
            std::unique_ptr<TGraphicObject> object = factory();
            object->ParentShape = this;
            object->ReadData(Reader);
            fLayers[static_cast<size_t>(layer)].push_back(std::move(object));
        }
        Reader.ReadListEnd();
        Reader.ReadInteger(); // generator slot version
        const QString name = Reader.ReadString();
        if (!name.isEmpty()) {
            // As with the substructure: an unknown record cannot be skipped.
            std::unique_ptr<TPatternGeneratorBase> generator = CreatePatternGeneratorForName(name);
            if (!generator) Fail(QStringLiteral("Unbekanntes Verlegemuster \"%1\"").arg(name));
            generator->ReadData(Reader);
            SetPatternGenerator(layer, std::move(generator));
        }
    }
    Reader.ReadListEnd();
    // Everything that works on an area expects layer 0 to exist.
    if (fLayers.empty()) AddLayer();

    Reader.ReadInteger(); // strip list version
    const std::int32_t count = Reader.ReadInteger();
    // Each strip record takes far more than one byte; the check keeps a corrupt count from
    // running a loop the data cannot feed.
    if (count < 0 || count > Reader.BytesLeft())
        Fail(QStringLiteral("Ungültige Anzahl %1 von Randleisten").arg(count));
    fVerleistung.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        const TGraphicObjectFactory factory = FindGraphicObjectClass(QStringLiteral("LE"));
        if (!factory) Fail(QStringLiteral("Randleisten sind nicht ladbar"));
        std::unique_ptr<TGraphicObject> strip = factory();
        strip->ParentShape = this;
        strip->ReadData(Reader);
        fVerleistung.push_back(std::move(strip));
    }
}

void TShape::WriteInterior(TWriter& Writer) const {
    Writer.WriteInteger(kInteriorRecordVersion);
    Writer.WriteListBegin();
    for (const TVektorGruppe& group : fVerlattungColl) {
        Writer.WriteInteger(1);
        Writer.WriteString(group.ArtikelNr);
        WriteVektorList(Writer, group.Vektoren);
    }
    Writer.WriteListEnd();

    Writer.WriteInteger(1);
    Writer.WriteListBegin();
    for (size_t i = 0; i < fLayers.size(); ++i) {
        Writer.WriteInteger(1);
        Writer.WriteListBegin();
        for (const auto& object : fLayers[i])
            object->WriteData(Writer);
        Writer.WriteListEnd();
        Writer.WriteInteger(1);
        // The name is the key the reader finds the class by; a generator without one could
        // not be read back, so its layer is stored without it.
        const TPatternGeneratorBase* generator = GetPatternGenerator(static_cast<int>(i));
        if (generator && !generator->Name.isEmpty()) {
            Writer.WriteString(generator->Name);
            generator->WriteData(Writer);
        } else {
            Writer.WriteString(QString());
        }
    }
    Writer.WriteListEnd();

    Writer.WriteInteger(1);
    Writer.WriteInteger(static_cast<std::int64_t>(fVerleistung.size()));
    for (const auto& strip : fVerleistung)
        strip->WriteData(Writer);
}
