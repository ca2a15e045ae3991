// Plan files: the document record of every version, loading and saving whole files.

#include "model/PlanFile.h"

#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"
#include "substructure/LattenGeneratoren.h"

#include "support/StreamBytes.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>

namespace {

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', QByteArray()));
}

QByteArray DocumentBytes(const TPlanDocument& plan) {
    return Written([&](TWriter& w) { plan.WriteData(w); });
}

// Reads a whole document record and expects every byte to be used.
void ReadDocument(const QByteArray& bytes, TPlanDocument& plan,
                  const TPlanReadDefaults& defaults = {}) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    plan.ReadData(reader, defaults);
    EXPECT_TRUE(reader.AtEnd()) << reader.BytesLeft() << " bytes left unread";
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<TShape> Area(std::initializer_list<Tgpc_vertex> outline, Tgpc_op op = GPC_DIFF) {
    auto shape = std::make_unique<TShape>();
    shape->SetClosed(true);
    if (op == GPC_XOR) shape->SetAussparung(false);
    shape->SetOutline(outline);
    return shape;
}

std::unique_ptr<TShape> Rect(double x1, double y1, double x2, double y2, Tgpc_op op = GPC_DIFF) {
    return Area({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, op);
}

// An object allowed in layers, counting its live instances, so that a failed load can be
// seen to leave nothing behind.
class TPlanProbe : public TGraphicObject {
public:
    static inline int Alive = 0;
    TPlanProbe() { ++Alive; }
    ~TPlanProbe() override { --Alive; }
    QString SerialID() const override { return QStringLiteral("TIoPlanProbe"); }
};

void RegisterPlanProbe() {
    static const bool once = [] {
        RegisterGraphicObjectClass(
            []() -> std::unique_ptr<TGraphicObject> { return std::make_unique<TPlanProbe>(); },
            QStringLiteral("TIoPlanProbe"), TObjectPlacement::LayerElement);
        return true;
    }();
    (void)once;
}

// Writes part of its record, then the device "fails".
class TFailingObject : public TGraphicObject {
public:
    void WriteData(TWriter& Writer) const override {
        TGraphicObject::WriteData(Writer);
        Writer.Write(QByteArray(4096, 'x').constData(), 4096);
        throw EWriteError("simulierter Schreibfehler");
    }
};

TUserAngebotsItem Row(const QString& artikel, const QString& paket, const QString& stueck,
                      const QString& bezeichnung, const QString& menge, const QString& preis) {
    TUserAngebotsItem row;
    row.Artikel.SetText(artikel);
    row.Paket.SetText(paket);
    row.Stueck.SetText(stueck);
    row.Bezeichnung.SetText(bezeichnung);
    row.Menge.SetText(menge);
    row.Einzelpreis.SetText(preis);
    return row;
}

// A plan that uses every stored part that exists so far.
std::unique_ptr<TPlanDocument> RichPlan() {
    RegisterPlanProbe();
    auto plan = std::make_unique<TPlanDocument>();
    plan->Comment.SetText(QStringLiteral("Terrasse Süd, Stufe außen"));
    plan->ZoomIndex = 4;
    auto big = Rect(0, 0, 1000, 800);
    big->ArtikelNr.SetText("Dielen Lärche");
    big->SetLattenArtikelNr("UK 45x70");
    // The substructure classes are registered with their prototypes, as plans are read.
    CreateLattenGeneratorPrototypes();
    auto latten = std::make_unique<TLattenGenerator>();
    latten->LattenArtNr.SetText("UK 45x70");
    big->SetLattenGenerator(std::move(latten));
    big->SetKonturbemassung(false);
    big->SetVerlattungsRichtung(TVektor(0, 0, 0, 100));
    plan->ShapeList.push_back(std::move(big));
    plan->ShapeList.push_back(Rect(200, 200, 400, 400));           // cuts a hole
    plan->ShapeList.push_back(Rect(900, 100, 1200, 300, GPC_XOR)); // cuts nothing
    plan->ShapeList.back()->SetColor(TShape::kXorColor);
    plan->UserAngebotsList.push_back(
        Row("A-100", "1 Paket", "12", "Dielen Lärche 21x145", "12,5", "49,90"));
    plan->UserAngebotsList.push_back(Row("", "", "", "Montage", "1", ""));
    plan->KundenName = "Müller";
    plan->KundenVorName = "Jürgen";
    plan->KundenStrasse = "Hauptstraße 5";
    plan->KundenPLZ = "12345";
    plan->KundenOrt = "Köln";
    plan->KundenNummer = "K-77";
    plan->Bearbeiter = "Weiß";
    plan->Telefon = "+49 221 000";
    plan->Kommission = "Gesamtansicht";
    return plan;
}

// Layers, battens and probes on top of the rich plan, written as bytes.
QByteArray RichPlanBytes() {
    auto plan = RichPlan();
    TShape& big = *plan->ShapeList[0];
    big.AddVerlattung("UK 45x70", {TVektor(10, 0, 0, 800), TVektor(70, 0, 0, 800)});
    big.AddLayer();
    big.Layer(1).push_back(std::make_unique<TPlanProbe>());
    big.Layer(1).push_back(std::make_unique<TPlanProbe>());
    return DocumentBytes(*plan);
}

// A hand-built document record of the given version: what that version holds, no more.
struct TDocumentBytes {
    int Version = TPlanDocument::kDocumentVersion;
    QByteArray Comment = QByteArray(512, '\0');
    std::int32_t Zoom = 3;
    std::function<void(TWriter&)> Areas;     // area records, inside the list
    std::function<void(TWriter&)> Interiors; // one interior per area
};

QByteArray HandBuiltDocument(const TDocumentBytes& d) {
    return Written([&](TWriter& w) {
        w.WriteInteger(d.Version);
        w.Write(d.Comment.constData(), d.Comment.size());
        w.WriteRawInt32(d.Zoom);
        w.WriteListBegin();
        if (d.Areas) d.Areas(w);
        w.WriteListEnd();
        if (d.Interiors) d.Interiors(w);
        if (d.Version >= 1) {
            w.WriteListBegin();
            w.WriteInteger(1);
            for (const char* s : {"Art", "Pak", "Stk", "Bez", "Men", "Preis"})
                w.WriteString(s);
            w.WriteListEnd();
        }
        if (d.Version >= 2) {
            w.WriteListBegin();
            w.WriteListEnd();
        }
        if (d.Version >= 3)
            for (const char* s : {"Name", "Vorname", "Strasse", "PLZ", "Ort", "Nummer"})
                w.WriteString(s);
        if (d.Version >= 4)
            for (const char* s : {"Bearbeiter", "Telefon", "Kommission"})
                w.WriteString(s);
        for (int listVersion : {5, 6}) {
            if (d.Version >= listVersion) {
                w.WriteListBegin();
                w.WriteListEnd();
            }
        }
    });
}

QByteArray EmptyPlanBytes() {
    QByteArray expected = Hex("02 06") + QByteArray(512, '\0') + Hex("03000000 0100 0100 0100");
    for (int i = 0; i < 9; ++i)
        expected += Hex("12 00000000");
    return expected + Hex("0100 0100");
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Bytes of the document record

TEST(PlanFileBytes, EmptyNewPlanIsExactly573Bytes) {
    TPlanDocument plan;
    const QByteArray bytes = DocumentBytes(plan);
    EXPECT_EQ(bytes.size(), 573);
    EXPECT_EQ(bytes.toHex(' '), EmptyPlanBytes().toHex(' '));

    QTemporaryDir dir;
    const QString path = dir.filePath("leer.pln");
    ASSERT_TRUE(SavePlanFile(plan, path));
    EXPECT_EQ(ReadFile(path), EmptyPlanBytes());
}

TEST(PlanFileBytes, StringsAreTaggedByTheirContent) {
    TPlanDocument plan;
    plan.KundenName = "Gesamtansicht";
    plan.KundenVorName = "Fläche";
    plan.KundenStrasse = "ä";
    const QByteArray bytes = DocumentBytes(plan);
    const qsizetype customer = 2 + 512 + 4 + 3 * 2;
    EXPECT_EQ(bytes.mid(customer, 15), Hex("06 0d") + QByteArray("Gesamtansicht"));
    EXPECT_EQ(bytes.mid(customer + 15, 12), Hex("14 07000000 46 6c c3a4 63 68 65"));
    EXPECT_EQ(bytes.mid(customer + 27, 7), Hex("12 01000000 e400"));
}

TEST(PlanFileBytes, CommentIsCodePageBytesZeroFilledBehindTheText) {
    TPlanDocument plan;
    plan.Comment.SetText(QStringLiteral("Grüße"));
    plan.ZoomIndex = 1;
    const QByteArray bytes = DocumentBytes(plan);
    EXPECT_EQ(bytes.mid(2, 5), Hex("47 72 fc df 65"));
    EXPECT_EQ(bytes.mid(7, 507), QByteArray(507, '\0'));
    EXPECT_EQ(bytes.mid(514, 4), Hex("01000000"));
}

// ---------------------------------------------------------------------------------------------
// Reading every document version

TEST(PlanFileVersions, EveryVersionReadsWhatItHoldsAndStartsTheRestEmpty) {
    auto area = Rect(0, 0, 300, 200);
    for (int version = 0; version <= TPlanDocument::kDocumentVersion; ++version) {
        SCOPED_TRACE(version);
        TDocumentBytes d;
        d.Version = version;
        d.Areas = [&](TWriter& w) { area->WriteData(w); };
        d.Interiors = [&](TWriter& w) { area->WriteInterior(w); };
        // Whatever the document held before is replaced, including what the file lacks.
        TPlanDocument plan;
        plan.KundenName = plan.Bearbeiter = "alt";
        plan.UserAngebotsList.push_back(Row("alt", "", "", "", "", ""));
        plan.ShapeList.push_back(Rect(0, 0, 10, 10));
        plan.Modified = true;
        ReadDocument(HandBuiltDocument(d), plan);

        ASSERT_EQ(plan.ShapeList.size(), 1u);
        EXPECT_NEAR(plan.ShapeList[0]->Flaeche(), 6.0, 1e-9); // the shape update has run
        ASSERT_EQ(plan.UserAngebotsList.size(), version >= 1 ? 1u : 0u);
        if (version >= 1) {
            EXPECT_EQ(plan.UserAngebotsList[0].Artikel.Text(), QStringLiteral("Art"));
            EXPECT_EQ(plan.UserAngebotsList[0].Einzelpreis.Text(), QStringLiteral("Preis"));
        }
        EXPECT_EQ(plan.KundenName, version >= 3 ? QStringLiteral("Name") : QString());
        EXPECT_EQ(plan.KundenNummer, version >= 3 ? QStringLiteral("Nummer") : QString());
        EXPECT_EQ(plan.Bearbeiter, version >= 4 ? QStringLiteral("Bearbeiter") : QString());
        EXPECT_EQ(plan.Kommission, version >= 4 ? QStringLiteral("Kommission") : QString());
        EXPECT_TRUE(plan.TextList.empty());
        EXPECT_TRUE(plan.CommonModulList.empty());
        EXPECT_TRUE(plan.TextListUK.empty());
        EXPECT_FALSE(plan.Modified);
    }
}

TEST(PlanFileVersions, OlderInteriorWithoutBattenArticleGetsTheCurrentDefault) {
    auto area = Rect(0, 0, 300, 200);
    TDocumentBytes d;
    d.Version = 2;
    d.Areas = [&](TWriter& w) { area->WriteData(w); };
    d.Interiors = [](TWriter& w) {
        w.WriteInteger(4);
        w.WriteListBegin(); // one plain batten list
        TVektor(10, 0, 0, 200).WriteData(w);
        w.WriteListEnd();
        w.WriteInteger(1);
        w.WriteListBegin();
        w.WriteListEnd(); // no layers at all
        w.WriteInteger(1);
        w.WriteInteger(0);
    };
    TPlanDocument plan;
    ReadDocument(HandBuiltDocument(d), plan, {QStringLiteral("UK 40x60")});
    ASSERT_EQ(plan.ShapeList.size(), 1u);
    const TShape& shape = *plan.ShapeList[0];
    // Read after the shape update, which would have discarded them.
    ASSERT_EQ(shape.VerlattungColl().size(), 1u);
    EXPECT_EQ(shape.VerlattungColl()[0].ArtikelNr, QStringLiteral("UK 40x60"));
    ASSERT_EQ(shape.VerlattungColl()[0].Vektoren.size(), 1u);
    EXPECT_EQ(shape.VerlattungColl()[0].Vektoren[0].ry, 200);
    EXPECT_EQ(shape.LattenArtikelNr(), QStringLiteral("UK 40x60"));
    EXPECT_EQ(shape.Layers().size(), 1u);
    EXPECT_EQ(shape.PatternGeneratorCount(), 1);
    EXPECT_TRUE(plan.KundenName.isEmpty());
}

TEST(PlanFileVersions, ZoomIndexOutsideTheZoomListBecomesTwo) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {0, 0},   {3, 3}, {5, 5}, {6, 2}, {-1, 2}, {std::numeric_limits<std::int32_t>::min(), 2},
        {1000, 2}};
    for (const auto& [stored, loaded] : cases) {
        SCOPED_TRACE(stored);
        TDocumentBytes d;
        d.Zoom = stored;
        TPlanDocument plan;
        ReadDocument(HandBuiltDocument(d), plan);
        EXPECT_EQ(plan.ZoomIndex, loaded);
    }
}

TEST(PlanFileVersions, FullCommentWithoutTerminatorIsReadToItsLastByte) {
    TDocumentBytes d;
    d.Comment = QByteArray(511, 'x') + QByteArray("\xe4"); // last byte "ä", no zero anywhere
    d.Zoom = 1;
    TPlanDocument plan;
    ReadDocument(HandBuiltDocument(d), plan);
    EXPECT_EQ(plan.Comment.Length(), 512);
    EXPECT_EQ(plan.Comment.Text(), QString(511, QLatin1Char('x')) + QStringLiteral("ä"));
    EXPECT_EQ(plan.ZoomIndex, 1);
    // Written back, the bytes are the same.
    EXPECT_EQ(DocumentBytes(plan).mid(2, 512), d.Comment);
}

// ---------------------------------------------------------------------------------------------
// Saving and loading files

TEST(PlanFileRoundTrip, PlanWithAreasOffersAndCustomerComesBackAsSaved) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Terrasse Süd.pln");
    auto plan = RichPlan();
    plan->Modified = true;
    ASSERT_TRUE(SavePlanFile(*plan, path));
    EXPECT_FALSE(plan->Modified);
    EXPECT_EQ(plan->FileName, path);

    QString detail;
    std::unique_ptr<TPlanDocument> loaded = LoadPlanFile(path, {}, nullptr, &detail);
    ASSERT_NE(loaded, nullptr) << qPrintable(detail);
    EXPECT_EQ(loaded->FileName, path);
    EXPECT_FALSE(loaded->Modified);
    EXPECT_EQ(loaded->Comment.Text(), QStringLiteral("Terrasse Süd, Stufe außen"));
    EXPECT_EQ(loaded->ZoomIndex, 4);
    for (auto field :
         {&TPlanDocument::KundenName, &TPlanDocument::KundenVorName, &TPlanDocument::KundenStrasse,
          &TPlanDocument::KundenPLZ, &TPlanDocument::KundenOrt, &TPlanDocument::KundenNummer,
          &TPlanDocument::Bearbeiter, &TPlanDocument::Telefon, &TPlanDocument::Kommission})
        EXPECT_EQ((*loaded).*field, (*plan).*field);
    ASSERT_EQ(loaded->UserAngebotsList.size(), 2u);
    EXPECT_EQ(loaded->UserAngebotsList[0].Bezeichnung.Text(),
              QStringLiteral("Dielen Lärche 21x145"));
    EXPECT_EQ(loaded->UserAngebotsList[0].Einzelpreis.Text(), QStringLiteral("49,90"));
    EXPECT_EQ(loaded->UserAngebotsList[1].Bezeichnung.Text(), QStringLiteral("Montage"));

    ASSERT_EQ(loaded->ShapeList.size(), 3u);
    const TShape& big = *loaded->ShapeList[0];
    EXPECT_EQ(big.ArtikelNr.Text(), QStringLiteral("Dielen Lärche"));
    EXPECT_FALSE(big.Konturbemassung());
    ASSERT_NE(big.LattenGenerator(), nullptr);
    // The effective outlines are rebuilt: the square above cuts a hole, the XOR area nothing.
    ASSERT_EQ(big.VPolygon().num_contours(), 2);
    EXPECT_EQ(big.VPolygon().hole[0] + big.VPolygon().hole[1], 1);
    EXPECT_NEAR(big.Flaeche(), 80.0 - 4.0, 1e-9);
    EXPECT_NEAR(loaded->ShapeList[1]->Flaeche(), 4.0, 1e-9);
    EXPECT_EQ(loaded->ShapeList[2]->Operator(), GPC_XOR);
    EXPECT_EQ(loaded->ShapeList[2]->Color(), TShape::kXorColor);
    EXPECT_NEAR(loaded->ShapeList[2]->Flaeche(), 6.0, 1e-9);

    // Nothing is lost or added: writing the loaded plan gives the file's bytes again.
    EXPECT_EQ(DocumentBytes(*loaded), ReadFile(path));
}

TEST(PlanFileLoad, FileCutShortAtEveryByteFailsAndLeavesNothing) {
    const QByteArray bytes = RichPlanBytes();
    ASSERT_EQ(TPlanProbe::Alive, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath("kurz.pln");
    {
        WriteFile(path, bytes);
        QString detail;
        ASSERT_NE(LoadPlanFile(path, {}, nullptr, &detail), nullptr) << qPrintable(detail);
        EXPECT_EQ(TPlanProbe::Alive, 0);
    }
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        WriteFile(path, bytes.left(length));
        QString detail;
        std::unique_ptr<TPlanDocument> plan = LoadPlanFile(path, {}, nullptr, &detail);
        EXPECT_EQ(plan, nullptr) << "cut at " << length;
        EXPECT_FALSE(detail.isEmpty()) << "cut at " << length;
        ASSERT_EQ(TPlanProbe::Alive, 0) << "cut at " << length;
    }
}

TEST(PlanFileLoad, UnreadableFilesFailWithAReason) {
    RegisterPlanProbe();
    struct TCase {
        const char* Name;
        std::function<QByteArray()> Bytes;
    };
    const TCase cases[] = {
        {"empty file", [] { return QByteArray(); }},
        {"document version 7",
         [] {
             TDocumentBytes d;
             d.Version = 7;
             return HandBuiltDocument(d);
         }},
        {"negative document version",
         [] {
             TDocumentBytes d;
             d.Version = -1;
             return HandBuiltDocument(d);
         }},
        {"area inside a layer",
         [] {
             TPlanDocument plan;
             plan.ShapeList.push_back(Rect(0, 0, 100, 100));
             plan.ShapeList[0]->Layer(0).push_back(std::make_unique<TPlanProbe>());
             plan.ShapeList[0]->Layer(0).push_back(Rect(0, 0, 10, 10));
             return DocumentBytes(plan);
         }},
        {"NaN vertex",
         [] {
             TPlanDocument plan;
             plan.ShapeList.push_back(
                 Area({{0, 0}, {std::numeric_limits<double>::quiet_NaN(), 0}, {0, 100}}));
             return DocumentBytes(plan);
         }},
    };
    QTemporaryDir dir;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = dir.filePath("kaputt.pln");
        WriteFile(path, c.Bytes());
        QString detail;
        EXPECT_EQ(LoadPlanFile(path, {}, nullptr, &detail), nullptr);
        EXPECT_FALSE(detail.isEmpty());
    }
    QString detail;
    EXPECT_EQ(LoadPlanFile(dir.filePath("gibt es nicht.pln"), {}, nullptr, &detail), nullptr);
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_EQ(TPlanProbe::Alive, 0);
}

TEST(PlanFileSave, SavingReplacesAnExistingFileCompletely) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.pln");
    WriteFile(path, QByteArray(5000, 'a'));
    TPlanDocument plan;
    plan.Modified = true;
    ASSERT_TRUE(SavePlanFile(plan, path));
    EXPECT_EQ(ReadFile(path), EmptyPlanBytes());
    EXPECT_FALSE(plan.Modified);
    EXPECT_EQ(plan.FileName, path);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plan.pln"});
}

TEST(PlanFileSave, AWriteFailingHalfwayKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.pln");
    const QByteArray previous = RichPlanBytes();
    WriteFile(path, previous);

    TPlanDocument plan;
    plan.FileName = "vorher.pln";
    plan.Modified = true;
    plan.ShapeList.push_back(Rect(0, 0, 100, 100));
    plan.ShapeList[0]->Layer(0).push_back(std::make_unique<TFailingObject>());
    QString detail;
    EXPECT_FALSE(SavePlanFile(plan, path, &detail));
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_TRUE(plan.Modified);
    EXPECT_EQ(plan.FileName, QStringLiteral("vorher.pln"));
    EXPECT_EQ(ReadFile(path), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plan.pln"});
}

TEST(PlanFileSave, AFolderThatCannotBeWrittenKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.pln");
    WriteFile(path, Hex("0102"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        QFile probe(dir.filePath("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "permissions are not enforced for this user";
        }
    }
    TPlanDocument plan;
    plan.Modified = true;
    EXPECT_FALSE(SavePlanFile(plan, path));
    EXPECT_TRUE(plan.Modified);
    EXPECT_TRUE(plan.FileName.isEmpty());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadFile(path), Hex("0102"));
}

TEST(PlanFileSave, AMissingFolderFails) {
    QTemporaryDir dir;
    TPlanDocument plan;
    plan.Modified = true;
    EXPECT_FALSE(SavePlanFile(plan, dir.filePath("fehlt/plan.pln")));
    EXPECT_TRUE(plan.Modified);
}

TEST(PlanFileMessages, ErrorTextsNameThePathInUpperCase) {
    EXPECT_EQ(PlanLoadErrorText("/home/jürgen/Terrasse.pln"),
              QStringLiteral("Falsches Dateiformat oder Fehler beim Laden des Plans.\n"
                             "/HOME/JÜRGEN/TERRASSE.PLN"));
    EXPECT_EQ(PlanSaveErrorText("/tmp/plan.pln"),
              QStringLiteral("Fehler beim Speichern des Verlegeplans.\n"
                             "Die Datei ist möglicherweise schreibgeschützt.\n"
                             "/TMP/PLAN.PLN"));
}
