// Laying large areas: pattern generation with the removal of far boards, and the tongue length
// of the result.

#include "catalogue/Paneele.h"
#include "geometry/Vektors.h"
#include "laying/CompositePatterns.h"
#include "laying/OffsetPatterns.h"
#include "laying/PlanLaying.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

struct TLaidArea {
    std::unique_ptr<TPlanDocument> Plan;
    TShape* Area = nullptr;
};

// A width x height rectangle (cm) whose layer 0 lays the pattern with a W x L board of the
// type, in the direction at that angle from the corner (0, 0).
TLaidArea PrepareArea(const TPatternGenerator& Pattern, std::int32_t Typ, double W, double L,
                      double Width, double Height, double Degrees) {
    TLaidArea laid{std::make_unique<TPlanDocument>(), nullptr};
    auto shape = std::make_unique<TShape>();
    for (const Tgpc_vertex& v : {Tgpc_vertex{0, 0}, Tgpc_vertex{Width, 0},
                                 Tgpc_vertex{Width, Height}, Tgpc_vertex{0, Height}})
        shape->AddVertex(v);
    laid.Plan->AddShape(std::move(shape));
    laid.Plan->UpdateShapes();
    laid.Area = laid.Plan->ShapeList.front().get();

    std::unique_ptr<TPatternGenerator> generator = Pattern.Clone();
    generator->Product->Typ = Typ;
    generator->Product->VBreite = W;
    generator->Product->VLaenge = L;
    laid.Area->SetPatternGenerator(0, std::move(generator));
    const double a = Degrees * std::numbers::pi / 180;
    SetVerlegeRichtungEntlang(*laid.Area, TVektor(0, 0, 100 * std::cos(a), 100 * std::sin(a)), 0,
                              0);
    return laid;
}

void Lay(benchmark::State& State, TLaidArea Laid) {
    TLayerLaying result;
    for (auto _ : State) {
        result = LayShapeLayer(*Laid.Area, 0, TLayingTrigger::User);
        benchmark::DoNotOptimize(result);
    }
    if (!result.Laid) State.SkipWithError("area not laid");
    State.counters["generated"] = result.Generated;
    State.counters["kept"] = result.Kept;
    State.counters["boards/s"] =
        benchmark::Counter(result.Generated, benchmark::Counter::kIsIterationInvariantRate);
}

// 40 m x 30 m, Bangkirai-sized boards 14.5 x 400 in half offset at 30°.
void BM_LayHalfOffset40x30(benchmark::State& State) {
    Lay(State, PrepareArea(THalbVersatzGen(), ptPaneel, 14.5, 400, 4000, 3000, 30));
}
BENCHMARK(BM_LayHalfOffset40x30)->Unit(benchmark::kMillisecond);

// 10 m x 10 m herringbone of 7 x 50 parquet staves (herringbone lays type 1 articles).
void BM_LayHerringbone10x10(benchmark::State& State) {
    Lay(State, PrepareArea(TFischgraetGen(), ptPaneel, 7, 50, 1000, 1000, 0));
}
BENCHMARK(BM_LayHerringbone10x10)->Unit(benchmark::kMillisecond);

// The tongue length of the laid 40 m x 30 m area alone.
void BM_TongueLength40x30(benchmark::State& State) {
    TLaidArea laid = PrepareArea(THalbVersatzGen(), ptPaneel, 14.5, 400, 4000, 3000, 30);
    const TLayerLaying result = LayShapeLayer(*laid.Area, 0, TLayingTrigger::User);
    for (auto _ : State) {
        BerechneSpiegelFedern(*laid.Area);
        benchmark::DoNotOptimize(laid.Area->SpiegelFederLaenge());
    }
    State.counters["kept"] = result.Kept;
    State.counters["tongue_m"] = laid.Area->SpiegelFederLaenge() / 100;
}
BENCHMARK(BM_TongueLength40x30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
