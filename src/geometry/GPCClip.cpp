// Boolean clipping on an integer clipper. Coordinates become fixed-point in 1/1000 model unit:
// far finer than anything drawn, while helper geometry far outside the world (100 000 cm, i.e.
// 1e8 fixed-point) stays inside the clipper's fast 30-bit range. Larger coordinates up to its
// full 62-bit range still work, only slower; beyond that the clip is refused.

#include "geometry/GPCUtils.h"

#include <polyclipping/clipper.hpp>

#include <cmath>
#include <cstdio>
#include <new>
#include <string>

namespace {

constexpr double kScale = 1000.0;
// Scaled coordinates must stay strictly below this (2^62 as a double, just above the
// clipper's hiRange): every double below it rounds to an integer inside hiRange.
constexpr double kScaledLimit = static_cast<double>(ClipperLib::hiRange);

std::string FormatCoordinate(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

ClipperLib::cInt ToFixed(double value) {
    if (!std::isfinite(value))
        throw EClipError("Polygonverschneidung nicht möglich: ungültige Koordinate (" +
                         FormatCoordinate(value) + ")");
    const double scaled = std::nearbyint(value * kScale);
    if (!(std::abs(scaled) < kScaledLimit))
        throw EClipError("Polygonverschneidung nicht möglich: Koordinate " +
                         FormatCoordinate(value) + " liegt außerhalb des erlaubten Bereichs");
    return static_cast<ClipperLib::cInt>(scaled);
}

ClipperLib::Paths ToPaths(const Tgpc_polygon& polygon) {
    ClipperLib::Paths paths;
    paths.reserve(polygon.contour.size());
    for (const auto& c : polygon.contour) {
        ClipperLib::Path path;
        path.reserve(c.vertex.size());
        for (const auto& v : c.vertex)
            path.emplace_back(ToFixed(v.x), ToFixed(v.y));
        paths.push_back(std::move(path));
    }
    return paths;
}

ClipperLib::ClipType ToClipType(Tgpc_op op) {
    switch (op) {
    case GPC_DIFF:
        return ClipperLib::ctDifference;
    case GPC_INT:
        return ClipperLib::ctIntersection;
    case GPC_XOR:
        return ClipperLib::ctXor;
    case GPC_UNION:
        return ClipperLib::ctUnion;
    }
    throw EClipError("Polygonverschneidung nicht möglich: unbekannte Operation " +
                     std::to_string(static_cast<int>(op)));
}

// Depth first, so every hole follows the outline that contains it.
void AppendTree(const ClipperLib::PolyNode& node, Tgpc_polygon& result) {
    for (const ClipperLib::PolyNode* child : node.Childs) {
        if (child->Contour.size() >= 3) {
            Tgpc_vertex_list c;
            c.vertex.reserve(child->Contour.size());
            for (const auto& p : child->Contour)
                c.vertex.push_back(
                    {static_cast<double>(p.X) / kScale, static_cast<double>(p.Y) / kScale});
            result.AddContour(c, child->IsHole());
        }
        AppendTree(*child, result);
    }
}

} // namespace

void gpc_polygon_clip(Tgpc_op op, const Tgpc_polygon& subject, const Tgpc_polygon& clip,
                      Tgpc_polygon& result) {
    const ClipperLib::ClipType type = ToClipType(op);
    // Both inputs are converted before result is touched: callers accumulate in place
    // (result may be subject or clip).
    const ClipperLib::Paths subjectPaths = ToPaths(subject);
    const ClipperLib::Paths clipPaths = ToPaths(clip);
    ClipperLib::PolyTree tree;
    try {
        ClipperLib::Clipper clipper;
        // Edited outlines rely on their vertices surviving a normalising clip.
        clipper.PreserveCollinear(true);
        // Contours with fewer than 3 distinct points are refused by AddPaths; they enclose
        // nothing, so skipping them is the even-odd result anyway.
        const bool anySubject = clipper.AddPaths(subjectPaths, ClipperLib::ptSubject, true);
        const bool anyClip = clipper.AddPaths(clipPaths, ClipperLib::ptClip, true);
        if (!anySubject && !anyClip) {
            // Nothing to clip: the clipper would report that as a failure.
            result.Clear();
            return;
        }
        if (!clipper.Execute(type, tree, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd))
            throw EClipError("Polygonverschneidung fehlgeschlagen");
    } catch (const ClipperLib::clipperException& e) {
        throw EClipError(std::string("Polygonverschneidung fehlgeschlagen: ") + e.what());
    } catch (const std::bad_alloc&) {
        throw EClipError("Polygonverschneidung fehlgeschlagen: zu wenig Speicher");
    }
    Tgpc_polygon out;
    AppendTree(tree, out);
    result = std::move(out);
}
