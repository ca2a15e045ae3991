// Clip throughput on plan-sized inputs: an area outline with many cut-outs, and the union of
// many overlapping rectangles as the area union builds it.

#include "geometry/GPCUtils.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

Tgpc_vertex_list Rect(double x1, double y1, double x2, double y2) {
    Tgpc_vertex_list c;
    c.vertex = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    return c;
}

// A wavy ring of 1000 vertices around (2000, 1500), radius 1420..1580.
Tgpc_polygon WavyOutline() {
    Tgpc_vertex_list c;
    const int n = 1000;
    for (int i = 0; i < n; ++i) {
        const double w = 2 * std::numbers::pi * i / n;
        const double r = 1500 + 80 * std::sin(20 * w);
        c.vertex.push_back({2000 + r * std::cos(w), 1500 + r * std::sin(w)});
    }
    Tgpc_polygon p;
    p.AddContour(c, false);
    return p;
}

// 100 cut-outs of 30 x 30 on a 10 x 10 grid well inside the outline.
Tgpc_polygon CutOuts() {
    Tgpc_polygon p;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            const double x = 1550 + 100 * i;
            const double y = 1050 + 100 * j;
            p.AddContour(Rect(x, y, x + 30, y + 30), false);
        }
    return p;
}

// Two grids of 500 rectangles 60 x 60 at a pitch of 80; the second is offset by (40, 40), so
// every rectangle overlaps up to four of the other grid but none of its own (even-odd fill
// would cancel overlaps within one operand).
Tgpc_polygon RectGrid(double offset) {
    Tgpc_polygon p;
    for (int i = 0; i < 25; ++i)
        for (int j = 0; j < 20; ++j) {
            const double x = offset + 80 * i;
            const double y = offset + 80 * j;
            p.AddContour(Rect(x, y, x + 60, y + 60), false);
        }
    return p;
}

void ReportResult(benchmark::State& state, const Tgpc_polygon& result) {
    state.counters["contours"] = result.num_contours();
    state.counters["area_m2"] = GPCPolygonFlaeche(result);
}

void BM_DiffOutlineMinusCutOuts(benchmark::State& state) {
    const Tgpc_polygon outline = WavyOutline();
    const Tgpc_polygon holes = CutOuts();
    Tgpc_polygon result;
    for (auto _ : state) {
        gpc_polygon_clip(GPC_DIFF, outline, holes, result);
        benchmark::DoNotOptimize(result.contour.data());
    }
    ReportResult(state, result);
}
BENCHMARK(BM_DiffOutlineMinusCutOuts)->Unit(benchmark::kMillisecond);

void BM_UnionRectanglesOneCall(benchmark::State& state) {
    const Tgpc_polygon a = RectGrid(0);
    const Tgpc_polygon b = RectGrid(40);
    Tgpc_polygon result;
    for (auto _ : state) {
        gpc_polygon_clip(GPC_UNION, a, b, result);
        benchmark::DoNotOptimize(result.contour.data());
    }
    ReportResult(state, result);
}
BENCHMARK(BM_UnionRectanglesOneCall)->Unit(benchmark::kMillisecond);

void BM_UnionRectanglesAccumulated(benchmark::State& state) {
    const Tgpc_polygon a = RectGrid(0);
    const Tgpc_polygon b = RectGrid(40);
    // Interleaved, so the accumulator grows as it does while areas are added one by one.
    std::vector<Tgpc_polygon> pieces;
    for (int i = 0; i < a.num_contours(); ++i)
        for (const Tgpc_polygon* grid : {&a, &b}) {
            Tgpc_polygon piece;
            piece.AddContour(grid->contour[static_cast<std::size_t>(i)], false);
            pieces.push_back(piece);
        }
    Tgpc_polygon acc;
    for (auto _ : state) {
        acc.Clear();
        for (const Tgpc_polygon& piece : pieces)
            gpc_polygon_clip(GPC_UNION, acc, piece, acc);
        benchmark::DoNotOptimize(acc.contour.data());
    }
    ReportResult(state, acc);
}
BENCHMARK(BM_UnionRectanglesAccumulated)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
