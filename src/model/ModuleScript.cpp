// Reading module scripts into modules.

#include "model/ModuleScript.h"

#include "catalogue/ArticleSource.h"
#include "catalogue/JPGImages.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/GraphModule.h"
#include "platform/Cp1252.h"
#include "platform/Numbers.h"
#include "platform/TextFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

// Far larger than any script a person writes; a bigger file is no script.
constexpr qint64 kMaxScriptBytes = 1 << 20;
// Elements of one module with everything nested in it: enough for any real module, and a
// bound on the work a script whose elements fan out level by level can cause.
constexpr int kMaxElements = 10000;
constexpr int kEllipsePoints = 64;

struct TScriptLine {
    int Number = 0; // 1-based line of the file
    QString Key;    // upper-cased (a-z)
    QString Values; // the text after the colon
};

QString SyntaxError(const QString& Path, int Line) {
    return QStringLiteral("Syntaxfehler im Script %1. Zeile: %2").arg(Path).arg(Line);
}

QString ScriptError(const QString& Path, int Line, const QString& Detail) {
    return QStringLiteral("Fehler im Script %1. Zeile: %2:\r%3")
        .arg(QFileInfo(Path).fileName())
        .arg(Line)
        .arg(Detail);
}

// The file's lines without their line ends; none when there is no such file.
QStringList ReadLines(const QString& Path) {
    if (Path.isEmpty() || !QFileInfo(Path).isFile()) return {};
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        throw EScriptError(QStringLiteral("Script %1 kann nicht gelesen werden.").arg(Path));
    const QByteArray bytes = file.read(kMaxScriptBytes + 1);
    if (bytes.size() > kMaxScriptBytes)
        throw EScriptError(QStringLiteral("Script %1 ist zu groß.").arg(Path));
    // Editors that save UTF-8 may put a byte order mark before the first section header.
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QStringList lines = FromCp1252(bom ? bytes.mid(3) : bytes).split(QLatin1Char('\n'));
    for (QString& line : lines)
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

// The "key: values" lines of the first section of that name.
std::vector<TScriptLine> SectionLines(const QStringList& Lines, const QString& Section) {
    const QString header = QLatin1Char('[') + UpperCaseAZ(Section) + QLatin1Char(']');
    std::vector<TScriptLine> result;
    qsizetype i = 0;
    while (i < Lines.size() && !UpperCaseAZ(Lines[i]).startsWith(header))
        ++i;
    for (++i; i < Lines.size() && !Lines[i].startsWith(QLatin1Char('[')); ++i) {
        const qsizetype colon = Lines[i].indexOf(QLatin1Char(':'));
        if (colon < 0) continue;
        result.push_back({static_cast<int>(i) + 1, UpperCaseAZ(Lines[i].left(colon).trimmed()),
                          Lines[i].mid(colon + 1)});
    }
    return result;
}

bool IsKey(const TScriptLine& Line, const char* Short, const char* Long) {
    return Line.Key == QLatin1String(Short) || Line.Key == QLatin1String(Long);
}

// The article as the catalogue stores its number: scripts may write it in other letter case.
const TProduct* FindArticle(const TCatalogue& Catalogue, const QString& Number) {
    if (const TProduct* exact = Catalogue.FindProduct(Number)) return exact;
    for (const auto& group : Catalogue.ProductGroups())
        for (const auto& product : group->Products.Items())
            if (SameTextAZ(product->ArtikelNr.Text(), Number)) return product.get();
    return nullptr;
}

// Points around the origin approximating the ellipse of width 2a and height 2b, turned by r
// degrees and moved to the centre.
std::vector<TElementPoint> EllipsePoints(double x, double y, double w, double h, double r) {
    const double a = w / 2, b = h / 2;
    const auto f = [&](double t) { return b * std::sqrt(std::max(0.0, 1 - t * t / (a * a))); };
    std::vector<TElementPoint> upper = {{-a, 0}, {-a + a / 30, f(-a + a / 30)}};
    for (int k = 1; k <= 29; ++k) {
        const double t = -a + k * a / 15;
        upper.push_back({t, f(t)});
    }
    upper.push_back({a - a / 30, f(a - a / 30)});
    std::vector<TElementPoint> points = upper;
    points.push_back({a, 0});
    for (std::size_t i = upper.size() - 1; i >= 1; --i)
        points.push_back({upper[i].x, -upper[i].y});
    const TROTMatrix turn = TROTMatrix::FromAngle(r, 0, 0);
    for (TElementPoint& p : points) {
        turn.Map(p.x, p.y);
        p.x += x;
        p.y += y;
    }
    return points;
}

class TScriptReader {
public:
    explicit TScriptReader(const TArticleSource& Source) : fSource(Source) {}

    void Read(TGraphModule& Module, const QString& Path, int Depth);

private:
    void ReadElements(TGraphModule& Module, const QString& Path, const QStringList& Lines,
                      int Depth);
    void ReadContour(TGraphModule& Module, const QString& Path, const QStringList& Lines);

    const TArticleSource& fSource;
    std::vector<QString> fOpen; // the scripts being read, outermost first
    int fElements = 0;
};

void TScriptReader::Read(TGraphModule& Module, const QString& Path, int Depth) {
    Module.Clear();
    const QStringList lines = ReadLines(Path);
    if (lines.isEmpty()) return;
    Module.ImageFileName.SetText(QFileInfo(Path).fileName());
    fOpen.push_back(QFileInfo(Path).canonicalFilePath());
    try {
        ReadElements(Module, Path, lines, Depth);
        ReadContour(Module, Path, lines);
    } catch (...) {
        fOpen.pop_back();
        Module.Clear();
        throw;
    }
    fOpen.pop_back();
    Module.Move(-Module.Origin.x, -Module.Origin.y);
}

void TScriptReader::ReadElements(TGraphModule& Module, const QString& Path,
                                 const QStringList& Lines, int Depth) {
    for (const TScriptLine& line : SectionLines(Lines, QStringLiteral("Elements"))) {
        if (!IsKey(line, "EL", "ELEMENT")) continue;
        TScriptValues values(line.Values);
        const QString number = UpperCaseAZ(values.UpToSemicolon().trimmed());
        const std::optional<double> x = values.Number();
        const std::optional<double> y = x ? values.Number() : std::nullopt;
        const std::optional<double> r = y ? values.Number() : std::nullopt;
        if (!r) throw EScriptError(SyntaxError(Path, line.Number));
        const bool independent = values.Integer() == 1;
        const bool includeAlways = values.Integer() == 1;
        const TProduct* article = FindArticle(fSource.Catalogue, number);
        if (article == nullptr)
            throw EScriptError(ScriptError(
                Path, line.Number, QStringLiteral("Artikel Nr:%1 nicht gefunden.").arg(number)));
        if (++fElements > kMaxElements)
            throw EScriptError(ScriptError(
                Path, line.Number,
                QStringLiteral("Das Modul hat mehr als %1 Elemente.").arg(kMaxElements)));
        const QString elementPath =
            ModuleScriptPath(fSource.ModuleFolder, article->ImageFileName.Text());
        const QString canonical = QFileInfo(elementPath).canonicalFilePath();
        if (!canonical.isEmpty() && std::find(fOpen.begin(), fOpen.end(), canonical) != fOpen.end())
            throw EScriptError(
                ScriptError(Path, line.Number,
                            QStringLiteral("Das Element %1 enthält sich selbst.").arg(number)));
        if (Depth + 1 >= TGraphModule::kMaxScriptDepth)
            throw EScriptError(
                ScriptError(Path, line.Number,
                            QStringLiteral("Die Elemente sind tiefer als %1 Stufen verschachtelt.")
                                .arg(TGraphModule::kMaxScriptDepth)));

        auto element =
            std::make_unique<TGraphModule>(Module.ParentShape, &Module, article->ArtikelNr.Text());
        Read(*element, elementPath, Depth + 1);
        element->Move(*x, *y);
        element->Rotate(TROTMatrix::FromAngle(*r, *x, *y));
        element->Independent = independent;
        element->IncludeAlways = includeAlways;
        Module.ChildElements.push_back(std::move(element));
    }
}

void TScriptReader::ReadContour(TGraphModule& Module, const QString& Path,
                                const QStringList& Lines) {
    for (const TScriptLine& line : SectionLines(Lines, QStringLiteral("CONTOUR"))) {
        TScriptValues values(line.Values);
        const auto number = [&] {
            const std::optional<double> v = values.Number();
            if (!v) throw EScriptError(SyntaxError(Path, line.Number));
            return *v;
        };
        const auto numbers = [&](int count) {
            std::vector<double> v;
            for (int i = 0; i < count; ++i)
                v.push_back(number());
            return v;
        };
        const auto points = [&](std::int32_t id, int least) {
            const double count = RoundTiesEven(number());
            if (!(count >= least && count <= kMaxDrawItemPoints)) return; // skipped
            TElementDrawItem item = TGraphModule::CreateDrawItem(id, static_cast<int>(count));
            for (TElementPoint& p : item.Points) {
                p.x = number();
                p.y = number();
            }
            Module.DrawItemList.push_back(std::move(item));
        };
        if (IsKey(line, "TR", "TRANSPARENT")) {
            Module.Transparent = values.Integer() == 1;
        } else if (IsKey(line, "OR", "ORIGIN")) {
            const std::vector<double> v = numbers(2);
            Module.Origin = {v[0], v[1]};
        } else if (IsKey(line, "PC", "PENCOLOR") || IsKey(line, "BC", "BRUSHCOLOR")) {
            const std::optional<std::uint32_t> colour = values.Colour();
            if (!colour) throw EScriptError(SyntaxError(Path, line.Number));
            TElementDrawItem item = TGraphModule::CreateDrawItem(
                line.Key.startsWith(u'P') ? diPenColor : diBrushColor, 0);
            item.Color = *colour;
            Module.DrawItemList.push_back(std::move(item));
        } else if (IsKey(line, "RE", "RECTANGLE")) {
            const std::vector<double> v = numbers(4);
            TElementDrawItem item = TGraphModule::CreateDrawItem(diPolygon, 4);
            item.Points = {{v[0], v[1]}, {v[2], v[1]}, {v[2], v[3]}, {v[0], v[3]}};
            Module.DrawItemList.push_back(std::move(item));
        } else if (IsKey(line, "PO", "POLYGON")) {
            points(diPolygon, 3);
        } else if (IsKey(line, "LI", "LINE")) {
            points(diPolyline, 2);
        } else if (IsKey(line, "CI", "CIRCLE")) {
            const std::vector<double> v = numbers(3);
            TElementDrawItem item = TGraphModule::CreateDrawItem(diCircle, 2);
            item.Points = {{v[0], v[1]}, {v[2], 0}};
            Module.DrawItemList.push_back(std::move(item));
        } else if (IsKey(line, "PI", "PIE")) {
            const std::vector<double> v = numbers(8);
            TElementDrawItem item = TGraphModule::CreateDrawItem(diPie, 5);
            item.Points = {{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, {v[6], v[7]}, {0, 0}};
            Module.DrawItemList.push_back(std::move(item));
        } else if (IsKey(line, "EL", "ELLIPSE")) {
            const std::vector<double> v = numbers(5);
            // Without a width every point would divide by zero.
            if (v[2] == 0) throw EScriptError(SyntaxError(Path, line.Number));
            TElementDrawItem item = TGraphModule::CreateDrawItem(diPolygon, kEllipsePoints);
            item.Points = EllipsePoints(v[0], v[1], v[2], v[3], v[4]);
            Module.DrawItemList.push_back(std::move(item));
        }
    }
}

// Drops what precedes the first digit or "-" and returns the text up to the next ";" or ","
// (consumed with it); empty when nothing is left.
QString TakeNumberText(QString& Rest) {
    qsizetype start = 0;
    while (start < Rest.size() && !Rest[start].isDigit() && Rest[start] != u'-')
        ++start;
    qsizetype end = start;
    while (end < Rest.size() && Rest[end] != u';' && Rest[end] != u',')
        ++end;
    const QString text = Rest.mid(start, end - start).trimmed();
    Rest = Rest.mid(std::min(end + 1, Rest.size()));
    return text;
}

} // namespace

std::optional<double> TScriptValues::Number() {
    const QString text = TakeNumberText(fRest);
    double value = 0;
    if (text.isEmpty() || !ParseReal(text, QLatin1Char('.'), value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::int64_t TScriptValues::Integer() {
    const QString text = TakeNumberText(fRest);
    std::int64_t value = 0;
    return ParseInteger(text, value) ? value : 0;
}

std::optional<std::uint32_t> TScriptValues::Colour() {
    const QString text = UpToSemicolon();
    if (UpperCaseAZ(text).startsWith(QLatin1String("TR"))) return kTransparentColor;
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 value = t.startsWith(u'$') ? t.mid(1).toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
    // A colour is 32 bits, written signed or not.
    if (!ok || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

QString TScriptValues::UpToSemicolon() {
    const qsizetype end = fRest.indexOf(u';');
    const QString text = end < 0 ? fRest : fRest.left(end);
    fRest = end < 0 ? QString() : fRest.mid(end + 1);
    return text;
}

QString ModuleScriptPath(const QString& Folder, const QString& Name) {
    if (Folder.isEmpty() || Name.isEmpty() || Name == u"." || Name == u".." ||
        Name.contains(u'/') || Name.contains(u'\\') || Name.contains(QChar(0)))
        return QString();
    return FindFileInFolder(Folder, Name);
}

QStringList ReadCompatibleArticles(const QString& Path) {
    QStringList numbers;
    for (const TScriptLine& line : SectionLines(ReadLines(Path), QStringLiteral("COMPATIBLE")))
        if (IsKey(line, "EL", "ELEMENT")) numbers << line.Values;
    return numbers;
}

void TGraphModule::ReadScript(const TArticleSource& Source, const QString& FileName) {
    TScriptReader(Source).Read(*this, FileName, 0);
}
