// The area record and the area interior record of plan files.

#include "model/Shapes.h"

#include "laying/Patterns.h"
#include "platform/ValueStream.h"
#include "substructure/LattenGeneratoren.h"

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
    Closed = Reader.ReadBoolean();
    unsigned char op = 0;
    Reader.Read(&op, 1);
    // Only 2 means "cuts nothing out"; any other byte acts as a cut-out, so it is stored as one
    // and the editor's tick shows what the area does.
    Operator = op == static_cast<unsigned char>(GPC_XOR) ? GPC_XOR : GPC_DIFF;

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
    Outline().vertex = std::move(outline.vertex);

    Color = static_cast<TColor>(Reader.ReadInteger());
    ReadFiniteVektor(Reader, VerlegeRichtung, "Verlegerichtung");
    ReadFiniteVektor(Reader, VerlattungsRichtung, "Verlattungsrichtung");
    LattenArtikelNr.SetText(Reader.ReadString());

    LattenGenerator.reset();
    const QString className = Reader.ReadString();
    if (!className.isEmpty()) {
        // The record of an unknown layout cannot be skipped: its length is not stored.
        std::unique_ptr<TLattenGenerator> generator = CreateLattenGeneratorForClass(className);
        if (!generator) Fail(QStringLiteral("Unbekannte Unterkonstruktion \"%1\"").arg(className));
        generator->ReadData(Reader);
        RequireFinite({generator->fMaxLattenAbstand}, "Lattenabstand");
        generator->Shape = this;
        LattenGenerator = std::move(generator);
    }

    if (version >= 1) {
        Konturbemassung = Reader.ReadBoolean();
        Aussenbemassung = Reader.ReadBoolean();
    }
}

void TShape::WriteData(TWriter& Writer) const {
    TGraphicObject::WriteData(Writer);
    Writer.WriteInteger(kShapeRecordVersion);
    Writer.WriteBoolean(Closed);
    const unsigned char op = static_cast<unsigned char>(Operator == GPC_XOR ? GPC_XOR : GPC_DIFF);
    Writer.Write(&op, 1);
    Writer.WriteListBegin();
    for (const Tgpc_vertex& v : Outline().vertex) {
        Writer.WriteInteger(0);
        Writer.WriteRawDouble(v.x);
        Writer.WriteRawDouble(v.y);
    }
    Writer.WriteListEnd();
    Writer.WriteInteger(static_cast<std::int32_t>(Color));
    VerlegeRichtung.WriteData(Writer);
    VerlattungsRichtung.WriteData(Writer);
    Writer.WriteString(LattenArtikelNr.Text());
    if (LattenGenerator) {
        Writer.WriteString(LattenGenerator->ClassName());
        LattenGenerator->WriteData(Writer);
    } else {
        Writer.WriteString(QString());
    }
    Writer.WriteBoolean(Konturbemassung);
    Writer.WriteBoolean(Aussenbemassung);
}

// --- Area interior record ---------------------------------------------------------------------

void TShape::ReadInterior(TReader& Reader) {
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kInteriorRecordVersion)
        Fail(QStringLiteral("Unbekannte Version %1 des Inhalts einer Verlegefläche").arg(version));

    VerlattungColl.clear();
    if (version >= kFirstGroupedBattens) {
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
            Reader.ReadInteger(); // group record version
            TVektorGruppe group;
            group.ArtikelNr = ReadArtikelNr(Reader);
            ReadVektorList(Reader, group.Vektoren);
            VerlattungColl.push_back(std::move(group));
        }
        Reader.ReadListEnd();
    } else {
        // Older plans knew one batten article per area; without one the current default
        // stands in, and the area keeps it so that saving writes what was assumed.
        if (LattenArtikelNr.IsEmpty())
            LattenArtikelNr.SetText(SubstructureDefaults().DefaultUKArtikel);
        TVektorGruppe group;
        group.ArtikelNr = LattenArtikelNr.Text();
        ReadVektorList(Reader, group.Vektoren);
        VerlattungColl.push_back(std::move(group));
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
            Layers[static_cast<size_t>(layer)].push_back(std::move(object));
        }
        Reader.ReadListEnd();
        Reader.ReadInteger(); // generator slot version
        const QString name = Reader.ReadString();
        if (!name.isEmpty()) {
            // As with the substructure: an unknown record cannot be skipped.
            std::unique_ptr<TPatternGenerator> generator = CreatePatternGeneratorForName(name);
            if (!generator) Fail(QStringLiteral("Unbekanntes Verlegemuster \"%1\"").arg(name));
            generator->ReadData(Reader);
            generator->Shape = this;
            SetPatternGenerator(layer, std::move(generator));
        }
    }
    Reader.ReadListEnd();
    // Everything that works on an area expects layer 0 to exist.
    if (Layers.empty()) AddLayer();

    Reader.ReadInteger(); // strip list version
    const std::int32_t count = Reader.ReadInteger();
    // Each strip record takes far more than one byte; the check keeps a corrupt count from
    // running a loop the data cannot feed.
    if (count < 0 || count > Reader.BytesLeft())
        Fail(QStringLiteral("Ungültige Anzahl %1 von Randleisten").arg(count));
    Verleistung.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        const TGraphicObjectFactory factory = FindGraphicObjectClass(QStringLiteral("LE"));
        if (!factory) Fail(QStringLiteral("Randleisten sind nicht ladbar"));
        std::unique_ptr<TGraphicObject> strip = factory();
        strip->ParentShape = this;
        strip->ReadData(Reader);
        Verleistung.push_back(std::move(strip));
    }
}

void TShape::WriteInterior(TWriter& Writer) const {
    Writer.WriteInteger(kInteriorRecordVersion);
    Writer.WriteListBegin();
    for (const TVektorGruppe& group : VerlattungColl) {
        Writer.WriteInteger(1);
        Writer.WriteString(group.ArtikelNr);
        WriteVektorList(Writer, group.Vektoren);
    }
    Writer.WriteListEnd();

    Writer.WriteInteger(1);
    Writer.WriteListBegin();
    for (size_t i = 0; i < Layers.size(); ++i) {
        Writer.WriteInteger(1);
        Writer.WriteListBegin();
        for (const auto& object : Layers[i])
            object->WriteData(Writer);
        Writer.WriteListEnd();
        Writer.WriteInteger(1);
        // The name is the key the reader finds the class by; a generator without one could
        // not be read back, so its layer is stored without it.
        const TPatternGenerator* generator = GetPatternGenerator(static_cast<int>(i));
        if (generator && !generator->Name.isEmpty()) {
            Writer.WriteString(generator->Name);
            generator->WriteData(Writer);
        } else {
            Writer.WriteString(QString());
        }
    }
    Writer.WriteListEnd();

    Writer.WriteInteger(1);
    Writer.WriteInteger(static_cast<std::int64_t>(Verleistung.size()));
    for (const auto& strip : Verleistung)
        strip->WriteData(Writer);
}
