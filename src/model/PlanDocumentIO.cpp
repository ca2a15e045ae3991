// The document record of plan files: the head of every .pln file and undo snapshot.

#include "model/PlanDocument.h"

#include "model/GraphText.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"

#include <cstring>

namespace {

// Document versions and what each one added.
constexpr int kFirstOfferRows = 1;
constexpr int kFirstTexts = 2;
constexpr int kFirstCustomer = 3;
constexpr int kFirstClerk = 4;
constexpr int kFirstModules = 5;
constexpr int kFirstSubstructureTexts = 6;

// Zoom index of files whose stored one is outside the zoom list.
constexpr std::int32_t kFallbackZoomIndex = 2;

[[noreturn]] void Fail(const QString& message) {
    throw EReadError(message.toStdString());
}

// Lists that hold one class only create it directly, whatever the record's serial ID says.
void ReadObjectList(TReader& Reader, TGraphicObjectList& List, const QString& SerialID) {
    List.clear();
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        const TGraphicObjectFactory factory = FindGraphicObjectClass(SerialID);
        if (!factory)
            Fail(QStringLiteral("Objekte der Klasse \"%1\" sind nicht ladbar").arg(SerialID));
        std::unique_ptr<TGraphicObject> object = factory();
        object->ReadData(Reader);
        List.push_back(std::move(object));
    }
    Reader.ReadListEnd();
}

void WriteObjectList(TWriter& Writer, const TGraphicObjectList& List) {
    Writer.WriteListBegin();
    for (const auto& object : List)
        object->WriteData(Writer);
    Writer.WriteListEnd();
}

template <int Capacity>
void ReadShortText(TReader& Reader, TShortText<Capacity>& Field) {
    Field.SetText(Reader.ReadString());
}

} // namespace

void TPlanDocument::ReadData(TReader& Reader, const TPlanReadDefaults& Defaults) {
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kDocumentVersion)
        Fail(QStringLiteral("Unbekannte Version %1 eines Plans").arg(version));

    // The field may be full without a terminator.
    QByteArray comment(kCommentSize, '\0');
    Reader.Read(comment.data(), kCommentSize);
    Comment.SetBytes(ZeroTerminated(comment));
    const std::int32_t zoom = Reader.ReadRawInt32();
    ZoomIndex = zoom >= 0 && zoom < kZoomCount ? zoom : kFallbackZoomIndex;

    // What the record holds replaces everything stored; fields of later versions start empty.
    ShapeList.clear();
    TextList.clear();
    TextListUK.clear();
    CommonModulList.clear();
    DeleteUserAngebotsList();
    for (QString* s : {&KundenName, &KundenVorName, &KundenStrasse, &KundenPLZ, &KundenOrt,
                       &KundenNummer, &Bearbeiter, &Telefon, &Kommission})
        s->clear();

    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        auto shape = std::make_unique<TShape>();
        shape->ReadData(Reader);
        ShapeList.push_back(std::move(shape));
    }
    Reader.ReadListEnd();
    // Interiors come after the effective outlines: the update discards battens and rebuilds
    // strips, both of which the interiors then bring back as stored.
    UpdateShapes();
    for (auto& shape : ShapeList)
        shape->ReadInterior(Reader, Defaults);

    if (version >= kFirstOfferRows) {
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
            Reader.ReadInteger(); // row record version
            TUserAngebotsItem row;
            ReadShortText(Reader, row.Artikel);
            ReadShortText(Reader, row.Paket);
            ReadShortText(Reader, row.Stueck);
            ReadShortText(Reader, row.Bezeichnung);
            ReadShortText(Reader, row.Menge);
            ReadShortText(Reader, row.Einzelpreis);
            UserAngebotsList.push_back(std::move(row));
        }
        Reader.ReadListEnd();
    }
    if (version >= kFirstTexts) ReadObjectList(Reader, TextList, QStringLiteral("TE"));
    if (version >= kFirstCustomer) {
        for (QString* s :
             {&KundenName, &KundenVorName, &KundenStrasse, &KundenPLZ, &KundenOrt, &KundenNummer})
            *s = Reader.ReadString();
    }
    if (version >= kFirstClerk) {
        for (QString* s : {&Bearbeiter, &Telefon, &Kommission})
            *s = Reader.ReadString();
    }
    if (version >= kFirstModules) ReadObjectList(Reader, CommonModulList, QStringLiteral("MO"));
    if (version >= kFirstSubstructureTexts) {
        ReadObjectList(Reader, TextListUK, QStringLiteral("TE"));
        // The record has no Tag: legends are known by their text, so that battening again
        // replaces them instead of adding a second one.
        for (auto& box : TextListUK)
            if (const auto* text = dynamic_cast<const TGraphText*>(box.get());
                text != nullptr && IsSubstructureLegendText(text->Text))
                box->Tag = TGraphText::kSubstructureLegendTag;
    }
    Modified = false;
}

void TPlanDocument::WriteData(TWriter& Writer) const {
    Writer.WriteInteger(kDocumentVersion);
    // Zero-filled behind the text, so that equal plans give equal bytes.
    QByteArray comment(kCommentSize, '\0');
    std::memcpy(comment.data(), Comment.Bytes().constData(),
                static_cast<size_t>(Comment.Bytes().size()));
    Writer.Write(comment.constData(), kCommentSize);
    Writer.WriteRawInt32(ZoomIndex);

    Writer.WriteListBegin();
    for (const auto& shape : ShapeList)
        shape->WriteData(Writer);
    Writer.WriteListEnd();
    for (const auto& shape : ShapeList)
        shape->WriteInterior(Writer);

    Writer.WriteListBegin();
    for (const TUserAngebotsItem& row : UserAngebotsList) {
        Writer.WriteInteger(1);
        Writer.WriteString(row.Artikel.Text());
        Writer.WriteString(row.Paket.Text());
        Writer.WriteString(row.Stueck.Text());
        Writer.WriteString(row.Bezeichnung.Text());
        Writer.WriteString(row.Menge.Text());
        Writer.WriteString(row.Einzelpreis.Text());
    }
    Writer.WriteListEnd();
    WriteObjectList(Writer, TextList);
    for (const QString* s : {&KundenName, &KundenVorName, &KundenStrasse, &KundenPLZ, &KundenOrt,
                             &KundenNummer, &Bearbeiter, &Telefon, &Kommission})
        Writer.WriteString(*s);
    WriteObjectList(Writer, CommonModulList);
    WriteObjectList(Writer, TextListUK);
}
