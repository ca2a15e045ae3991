#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "geometry/GPCUtils.h"
#include "platform/Numbers.h"

#include <QFile>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

QString Num(double v, int decimals) {
    return FormatFixed(v, decimals, QLatin1Char(','));
}

const char* const kPolygonUsage =
    "Aufruf: tarv-cli polygon DATEI\n"
    "  Fläche, Umfang, Schwerpunkt und Ausdehnung eines Umrisses. Die Textdatei hat je Zeile\n"
    "  \"x y\" in cm; \"Kontur\" oder \"Loch\" beginnt einen neuen Umriss, \"#\" eine Bemerkung.\n";

// Lines "x y"; "Kontur" / "Loch" start a new outline or hole; "#" starts a comment.
bool ReadOutlineFile(const QString& path, Tgpc_polygon& polygon, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QString("Datei \"%1\" kann nicht geöffnet werden.").arg(path);
        return false;
    }
    QTextStream in(&file);
    Tgpc_vertex_list current;
    bool currentHole = false;
    auto finish = [&] {
        if (current.num_vertices() > 0) polygon.AddContour(current, currentHole);
        current.vertex.clear();
    };
    int lineNo = 0;
    while (!in.atEnd()) {
        ++lineNo;
        QString line = in.readLine();
        const qsizetype hash = line.indexOf('#');
        if (hash >= 0) line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty()) continue;
        if (line.compare("Kontur", Qt::CaseInsensitive) == 0 ||
            line.compare("Loch", Qt::CaseInsensitive) == 0) {
            finish();
            currentHole = line.compare("Loch", Qt::CaseInsensitive) == 0;
            continue;
        }
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        double x = 0, y = 0;
        if (parts.size() != 2 || !ParseReal(parts[0], x) || !ParseReal(parts[1], y) ||
            !std::isfinite(x) || !std::isfinite(y)) {
            error = QString("%1, Zeile %2: \"x y\" erwartet.").arg(path).arg(lineNo);
            return false;
        }
        current.vertex.push_back({x, y});
    }
    finish();
    return true;
}

double Perimeter(const Tgpc_polygon& polygon) {
    double sum = 0;
    for (const Tgpc_vertex_list& c : polygon.contour) {
        for (int i = 0; i < c.num_vertices(); ++i) {
            const Tgpc_vertex& a = c.vertex[size_t(i)];
            const Tgpc_vertex& b = c.vertex[size_t((i + 1) % c.num_vertices())];
            sum += std::hypot(b.x - a.x, b.y - a.y);
        }
    }
    return sum;
}

void PrintPolygon(const Tgpc_polygon& polygon) {
    QTextStream out(stdout);
    int holes = 0;
    for (int h : polygon.hole)
        holes += h != 0 ? 1 : 0;
    out << "Umrisse:      " << polygon.num_contours() - holes << ", davon Löcher: " << holes
        << "\n";
    out << "Fläche:       " << Num(GPCPolygonFlaeche(polygon), 2) << " m²\n";
    out << "Umfang:       " << Num(Perimeter(polygon) / 100, 2) << " m\n";
    Tgpc_vertex centre;
    if (GPCPolygonSchwerpunkt(polygon, centre))
        out << "Schwerpunkt:  " << Num(centre.x, 1) << " / " << Num(centre.y, 1) << " cm\n";
    double x1, y1, x2, y2;
    GPCPolygonExtent(polygon, x1, y1, x2, y2);
    if (polygon.num_contours() > 0)
        out << "Ausdehnung:   " << Num(x1, 1) << " / " << Num(y1, 1) << " bis " << Num(x2, 1)
            << " / " << Num(y2, 1) << " cm\n";
    bool collapsed = false;
    Pgpc_polygon inner = GPCInflate(polygon, 10, &collapsed);
    if (collapsed)
        out << "Um 10 cm eingerückt: nichts bleibt übrig\n";
    else
        out << "Um 10 cm eingerückt: " << Num(GPCPolygonFlaeche(*inner), 2) << " m²\n";
}

} // namespace

int RunPolygonCommand(const QStringList& args) {
    return RunCommand(QStringLiteral("polygon"), [&] {
        TCommandLine line(QStringLiteral("polygon"), kPolygonUsage);
        if (!line.Parse(args, {1})) return 0;
        Tgpc_polygon polygon;
        QString error;
        if (!ReadOutlineFile(line.Positional().first(), polygon, error)) WorkError(error);
        PrintPolygon(polygon);
        return 0;
    });
}
