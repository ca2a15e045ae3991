#include "catalogue/CatalogueFiles.h"

#include "catalogue/ColorText.h"
#include "catalogue/Leisten.h"
#include "catalogue/Paneele.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace {

const char* const kFieldNames[] = {
    "ArtikelNr",       "Warengruppe",       "ArtikelTyp",      "ArtikelName",
    "Version",         "VLaenge",           "VBreite",         "BLaenge",
    "BBreite",         "PckEinheit",        "Preis",           "Preisart",
    "Lattenabstand",   "LattenNr",          "KlammerNr",       "ArtikelInfo",
    "ArtikelImage",    "ArtikelImageIndex", "ArtikelColor",    "Hidden",
    "WarengruppeInfo", "WarengruppeImage",  "Preis2",          "Preis3",
    "AngebotsTextNr1", "AngebotsTextNr2",   "AutoInsert",      "Multiplikator",
    "OptionalArtikel", "Winkelverbinder",   "Laengsverbinder",
};
constexpr int kFieldCount = int(std::size(kFieldNames));

class ELineError : public std::runtime_error {
public:
    explicit ELineError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The fields of one line, read front to back. Fields of a higher line version are absent
// from lower-version lines, so the reader is told which item comes next, never a position.
class TFieldReader {
public:
    explicit TFieldReader(const QString& line) : fFields(line.split(u';')) {
        // Every field is followed by ";": the piece after the last one is no field.
        if (line.endsWith(u';')) fFields.removeLast();
    }

    int Count() const { return int(fFields.size()); }
    QString At(int index) const { return index < Count() ? fFields[index] : QString(); }
    void Seek(int index) { fNext = index; }

    // A text field; one missing at the end of the line reads as empty. The field numbers
    // of every reader name the field in messages.
    QString Text(int /*field*/) { return At(fNext++); }
    void Skip(int count) { fNext += count; }

    double Real(int field) {
        const QString text = Take(field);
        double value = 0;
        if (!ParseReal(text, value)) throw NotANumber(field, text);
        return value;
    }

    std::int32_t Integer(int field) {
        const QString text = Take(field);
        std::int64_t value = 0;
        if (!ParseInteger(text, value) || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            throw NotANumber(field, text);
        return std::int32_t(value);
    }

    TColor Color(int field) {
        const QString text = Take(field);
        const auto color = ColorFromText(text);
        if (!color)
            throw ELineError(QStringLiteral("Feld %1 (%2): \"%3\" ist keine gültige Farbe.")
                                 .arg(field)
                                 .arg(QLatin1String(kFieldNames[field - 1]), text));
        return *color;
    }

private:
    QString Take(int field) {
        if (fNext >= Count())
            throw ELineError(QStringLiteral("Feld %1 (%2) fehlt.")
                                 .arg(field)
                                 .arg(QLatin1String(kFieldNames[field - 1])));
        return fFields[fNext++];
    }
    static ELineError NotANumber(int field, const QString& text) {
        return ELineError(QStringLiteral("Feld %1 (%2): \"%3\" ist keine gültige Zahl.")
                              .arg(field)
                              .arg(QLatin1String(kFieldNames[field - 1]), text));
    }

    QStringList fFields;
    int fNext = 0;
};

QString Real(double value) {
    return FormatFixed(value, 2, u',');
}

QString LoadFailedText(const QString& path, const QString& message) {
    return QStringLiteral("Fehler beim Laden der Produkte.\r") + path + u'\r' + message;
}

void ReportLoadFailed(TCatalogueReporter& reporter, const QString& path, const QString& message) {
    reporter.ShowError(TCatalogueError{TCatalogueErrorKind::LoadFailed, path, 0,
                                       LoadFailedText(path, message), message});
}

// Takes a parsed article into the catalogue: the later line of a number wins, across files.
void MergeTextArticle(TCatalogue& catalogue, TParsedLine& line) {
    if (TProduct* older = catalogue.FindProduct(line.Product->ArtikelNr.Text()))
        catalogue.DeleteProduct(older);
    TProductGroup* group = catalogue.FindGroupByName(line.GroupName);
    if (!group) group = catalogue.AddGroup(std::make_unique<TProductGroup>(line.GroupName));
    // The last line of a group decides its info text and picture.
    group->InfoText1.SetText(line.GroupInfo);
    group->ImageFileName.SetText(line.GroupImage);
    group->Products.Add(std::move(line.Product));
}

} // namespace

QString CatalogueHeader() {
    QStringList names;
    for (const char* name : kFieldNames)
        names << QLatin1String(name);
    return names.join(u';');
}

QByteArray FormatProductLine(const TProduct& p, const TProductGroup& group) {
    const auto* board = dynamic_cast<const TPaneele*>(&p);
    QByteArray line;
    const auto bytes = [&line](const QByteArray& field) {
        line += LineSafeBytes(field);
        line += ';';
    };
    const auto text = [&bytes](const QString& field) { bytes(ToCp1252(field)); };
    const QString none = QStringLiteral("0,0");

    bytes(p.ArtikelNr.Bytes());
    bytes(group.Name().Bytes());
    text(ProductTypeCode(p.Typ));
    bytes(p.Name.Bytes());
    text(QString::number(kCatalogueLineVersion));
    text(Real(p.VLaenge));
    text(Real(p.VBreite));
    text(board ? Real(board->PreisLaenge) : none);
    text(board ? Real(board->PreisBreite) : none);
    text(Real(p.PckEin));
    text(Real(p.Preis[0]));
    text(QString::number(p.PreisArt));
    text(board ? Real(board->Lattenabstand) : none);
    bytes(board ? board->LattenNr.Bytes() : QByteArray());
    bytes(board ? board->KlammernNr.Bytes() : QByteArray());
    bytes(p.InfoText1.Bytes());
    bytes(p.ImageFileName.Bytes());
    text(QString::number(p.ImageIndex));
    text(ColorToText(p.Color));
    text(p.Hidden ? QStringLiteral("1") : QStringLiteral("0"));
    bytes(group.InfoText1.Bytes());
    bytes(group.ImageFileName.Bytes());
    text(Real(p.Preis[1]));
    text(Real(p.Preis[2]));
    text(QString::number(p.AngebotsTextNr));
    text(QString::number(p.MeldungsTextNr));
    text(p.AutoInsert ? QStringLiteral("1") : QStringLiteral("0"));
    text(QString::number(p.Multiplikator));
    text(p.Kreuzverbinder.Text());
    text(p.Winkelverbinder.Text());
    text(p.Laengsverbinder.Text());
    return line;
}

TParsedLine ParseProductLine(const QString& line) {
    TParsedLine result;
    TFieldReader fields(line);
    const QString number = fields.At(0);
    const QString groupName = fields.At(1);
    const QString code = fields.At(2);
    const QString name = fields.At(3);
    if (number.isEmpty() && groupName.isEmpty() && code.isEmpty() && name.isEmpty()) {
        result.Status = TParsedLine::plBlank;
        return result;
    }
    const auto typ = ProductTypeFromCode(code);
    if (number.isEmpty() || groupName.isEmpty() || name.isEmpty() || !typ) {
        result.Status = TParsedLine::plSkipped;
        return result;
    }

    try {
        std::unique_ptr<TProduct> p = CreateProductOfType(*typ);
        p->Name.SetText(name);
        p->ArtikelNr.SetText(number);
        p->Typ = *typ;
        result.GroupName = TArticleText<50>(groupName).Text();

        fields.Seek(4);
        const std::int32_t version = fields.Integer(5);
        p->VLaenge = fields.Real(6);
        p->VBreite = fields.Real(7);
        // Fields 8, 9 and 13 to 15 mean something for boards only; whatever another class
        // holds there is passed over unread.
        auto* board = dynamic_cast<TPaneele*>(p.get());
        if (board) {
            board->PreisLaenge = fields.Real(8);
            board->PreisBreite = fields.Real(9);
        } else {
            fields.Skip(2);
        }
        p->PckEin = fields.Real(10);
        p->Preis[0] = fields.Real(11);
        p->PreisArt = fields.Integer(12);
        if (board) {
            board->Lattenabstand = fields.Real(13);
            board->LattenNr.SetText(fields.Text(14));
            board->KlammernNr.SetText(fields.Text(15));
        } else {
            fields.Skip(3);
        }
        p->InfoText1.SetText(fields.Text(16));
        p->ImageFileName.SetText(fields.Text(17));
        p->ImageIndex = fields.Integer(18);
        if (version >= 1) p->Color = fields.Color(19);
        if (version >= 2) p->Hidden = fields.Text(20) == u"1";
        result.GroupInfo = fields.Text(21);
        result.GroupImage = fields.Text(22);
        if (version >= 3) {
            p->Preis[1] = fields.Real(23);
            p->Preis[2] = fields.Real(24);
        }
        if (version >= 4) {
            p->AngebotsTextNr = fields.Integer(25);
            p->MeldungsTextNr = fields.Integer(26);
        }
        if (version >= 5) p->AutoInsert = fields.Integer(27) != 0;
        if (version >= 6) {
            p->Multiplikator = fields.Integer(28);
            p->Kreuzverbinder.SetText(fields.Text(29));
            p->Winkelverbinder.SetText(fields.Text(30));
            p->Laengsverbinder.SetText(fields.Text(31));
        }
        if (dynamic_cast<TLeiste*>(p.get())) p->VBreite = TLeiste::ClampBreite(p->VBreite);

        const QString defect = p->Defect();
        if (!defect.isEmpty()) throw ELineError(defect);
        result.Product = std::move(p);
        result.Status = TParsedLine::plArticle;
    } catch (const ELineError& e) {
        result.Status = TParsedLine::plFailed;
        result.Error = QString::fromStdString(e.what());
    }
    return result;
}

QByteArray WithoutByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

bool IsTextCatalogue(const QByteArray& bytes) {
    return bytes.size() <= 81 || bytes.startsWith("ArtikelNr;");
}

QString DecodeCatalogueText(const QByteArray& bytes) {
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = WithoutByteOrderMark(bytes);
    const bool ascii = std::all_of(body.begin(), body.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (marked || !ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(body);
        if (!utf8.hasError()) return text;
    }
    return FromCp1252(body);
}

bool ReadTextCatalogue(TCatalogue& catalogue, const QByteArray& bytes, int fileIndex,
                       const QString& path, TCatalogueReporter& reporter) {
    QStringList lines = DecodeCatalogueText(bytes).split(u'\n');
    bool complete = true;
    // Line 1 is the header, whatever it holds.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        TParsedLine parsed = ParseProductLine(line);
        switch (parsed.Status) {
        case TParsedLine::plBlank:
            break;
        case TParsedLine::plSkipped:
            // Not an article to us, but the file holds it: a rewrite would drop the line.
            complete = false;
            break;
        case TParsedLine::plArticle:
            parsed.Product->FileListIndex = fileIndex;
            MergeTextArticle(catalogue, parsed);
            break;
        case TParsedLine::plFailed: {
            complete = false;
            const int lineNumber = int(i) + 1;
            const TCatalogueError error{
                TCatalogueErrorKind::LineFailed, path, lineNumber,
                QStringLiteral("Fehler in Zeile %1: von Produktdatei: \r").arg(lineNumber) + path,
                parsed.Error};
            if (reporter.AskAbortIgnore(error) == TErrorAnswer::Abort) return false;
            break;
        }
        }
    }
    return complete;
}

bool ReadStreamCatalogue(TCatalogue& catalogue, const QByteArray& bytes, int fileIndex,
                         const QString& path, TCatalogueReporter& reporter) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    bool complete = true;
    try {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            TProductGroup read;
            read.ReadData(reader);
            // The last group of that name takes the articles; a new name makes a new group.
            TProductGroup* target = nullptr;
            const auto& groups = catalogue.ProductGroups();
            for (auto it = groups.rbegin(); it != groups.rend() && !target; ++it)
                if ((*it)->Name() == read.Name()) target = it->get();
            if (!target) {
                auto group = std::make_unique<TProductGroup>(read.Name().Text());
                group->InfoText1 = read.InfoText1;
                group->ImageFileName = read.ImageFileName;
                group->ImageIndex = read.ImageIndex;
                target = catalogue.AddGroup(std::move(group));
            }
            while (!read.Products.IsEmpty()) {
                std::unique_ptr<TProduct> product = read.Products.Extract(0);
                product->FileListIndex = fileIndex;
                if (dynamic_cast<TLeiste*>(product.get()))
                    product->VBreite = TLeiste::ClampBreite(product->VBreite);
                const QString defect = product->Defect();
                if (!defect.isEmpty()) {
                    complete = false;
                    ReportLoadFailed(reporter, path,
                                     QStringLiteral("Artikel %1: ").arg(product->ArtikelNr.Text()) +
                                         defect);
                    continue;
                }
                // Here the article read first wins.
                if (catalogue.FindProduct(product->ArtikelNr.Text())) continue;
                target->Products.Add(std::move(product));
            }
        }
        reader.ReadListEnd();
    } catch (const std::exception& e) {
        ReportLoadFailed(reporter, path, QString::fromUtf8(e.what()));
        return false;
    }
    return complete;
}

QByteArray WriteTextCatalogue(const TCatalogue& catalogue, int fileIndex) {
    QByteArray bytes = ToCp1252(CatalogueHeader()) + "\r\n";
    for (const auto& group : catalogue.ProductGroups())
        for (const auto& product : group->Products.Items())
            if (product->FileListIndex == fileIndex && fileIndex >= 0)
                bytes += FormatProductLine(*product, *group) + "\r\n";
    return bytes;
}

QByteArray WriteStreamCatalogue(const TCatalogue& catalogue, int fileIndex) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TWriter writer(buffer);
        writer.WriteListBegin();
        for (const auto& group : catalogue.ProductGroups())
            group->WriteData(writer, fileIndex);
        writer.WriteListEnd();
        writer.FlushBuffer();
    }
    return bytes;
}

void LoadProducts(TCatalogue& catalogue, const QString& folder, TCatalogueReporter& reporter) {
    catalogue.Clear();
    const QDir dir(folder);
    QStringList names;
    if (!folder.isEmpty()) {
        for (const QString& name :
             dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort))
            if (UpperCaseAZ(name).endsWith(u".DAT")) names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = CompareTextAZ(a, b);
        return folded != 0 ? folded < 0 : a < b;
    });

    for (const QString& name : names) {
        const int index = catalogue.AppendProductFile(name);
        const QString path = dir.filePath(name);
        bool complete = false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            ReportLoadFailed(reporter, path, file.errorString());
        } else {
            const QByteArray bytes = WithoutByteOrderMark(file.readAll());
            if (file.error() != QFileDevice::NoError) {
                ReportLoadFailed(reporter, path, file.errorString());
            } else if (IsTextCatalogue(bytes)) {
                complete = ReadTextCatalogue(catalogue, bytes, index, path, reporter);
            } else {
                complete = ReadStreamCatalogue(catalogue, bytes, index, path, reporter);
            }
        }
        catalogue.ProductFile(index).Writable = complete;
    }
    catalogue.AddProductFile(QStringLiteral("USER.DAT"));
}

void SaveProducts(const TCatalogue& catalogue, const QString& folder,
                  TCatalogueReporter& reporter) {
    if (folder.isEmpty()) return;
    const QDir dir(folder);
    const auto& files = catalogue.ProductFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = dir.filePath(files[i].FileName);
        const QString failed = QStringLiteral("Fehler beim Speichern der Produkte.\r") + path;
        if (!files[i].Writable) {
            const QString why = QStringLiteral(
                "Die Datei wurde beim Laden nicht vollständig gelesen und bleibt unverändert.");
            reporter.ShowError(TCatalogueError{TCatalogueErrorKind::SaveSkipped, path, 0,
                                               failed + u'\r' + why, why});
            continue;
        }
        QSaveFile file(path);
        const QByteArray bytes = WriteTextCatalogue(catalogue, int(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            reporter.ShowError(TCatalogueError{TCatalogueErrorKind::SaveFailed, path, 0, failed,
                                               file.errorString()});
        }
    }
}
