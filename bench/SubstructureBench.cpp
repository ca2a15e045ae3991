// Battening large areas and whole plans: a 40 m x 30 m area at the smallest practical spacing,
// with and without laid boards, and 100 areas of a plan laid and battened together.

#include "catalogue/Paneele.h"
#include "geometry/Vektors.h"
#include "laying/OffsetPatterns.h"
#include "laying/PlanLaying.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "substructure/LattenGeneratoren.h"
#include "substructure/NeuVerlatten.h"
#include "substructure/SubstructureContext.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

// A width x height area at (x, y), laid in half offset with 14.5 x 400 boards at 30°.
TShape& AddLaidArea(TPlanDocument& Plan, double x, double y, double Width, double Height) {
    auto shape = std::make_unique<TShape>();
    for (const Tgpc_vertex& v : {Tgpc_vertex{x, y}, Tgpc_vertex{x + Width, y},
                                 Tgpc_vertex{x + Width, y + Height}, Tgpc_vertex{x, y + Height}})
        shape->AddVertex(v);
    Plan.AddShape(std::move(shape));
    TShape& area = *Plan.ShapeList.back();
    std::unique_ptr<TPatternGenerator> generator = THalbVersatzGen().Clone();
    generator->Product->Typ = ptPaneel;
    generator->Product->VBreite = 14.5;
    generator->Product->VLaenge = 400;
    area.SetPatternGenerator(0, std::move(generator));
    const double a = 30 * std::numbers::pi / 180;
    SetVerlegeRichtungEntlang(area, TVektor(x, y, x + 100 * std::cos(a), y + 100 * std::sin(a)), x,
                              y);
    return area;
}

size_t BattenCount(const TShape& Area) {
    size_t n = 0;
    for (const TVektorGruppe& group : Area.VerlattungColl())
        n += group.Vektoren.size();
    return n;
}

void Batten(benchmark::State& State, TShape& Area, std::int32_t Layout) {
    Area.SetLattenGenerator(
        std::move(CreateLattenGeneratorPrototypes()[static_cast<size_t>(Layout)]));
    LattenGeneratorOf(Area)->fMaxLattenAbstand = 2;
    for (auto _ : State) {
        Verlatten(Area);
        benchmark::DoNotOptimize(Area.VerlattungColl());
    }
    State.counters["battens"] = static_cast<double>(BattenCount(Area));
}

// 40 m x 30 m, battens every 2 cm along x: about 1400 lines.
void BM_Batten40x30Spacing2(benchmark::State& State) {
    TPlanDocument plan;
    TShape& area = AddLaidArea(plan, 0, 0, 4000, 3000);
    plan.UpdateShapes();
    area.SetVerlattungsRichtung(TVektor(0, 0, 1, 0));
    Batten(State, area, 1);
}
BENCHMARK(BM_Batten40x30Spacing2)->Unit(benchmark::kMillisecond);

// The same area laid, doubled joint lines and stiffeners from every board.
void BM_Batten40x30Spacing2WithJoints(benchmark::State& State) {
    TPlanDocument plan;
    TShape& area = AddLaidArea(plan, 0, 0, 4000, 3000);
    plan.UpdateShapes();
    LayShapeLayer(area, 0, TLayingTrigger::User);
    Batten(State, area, 7);
    State.counters["boards"] = static_cast<double>(area.Layer(0).size());
}
BENCHMARK(BM_Batten40x30Spacing2WithJoints)->Unit(benchmark::kMillisecond);

// 100 areas of 4 m x 3 m, each laid and then all battened through the plan's command with
// the layout doubled at the joints.
void BM_LayAndBatten100Areas(benchmark::State& State) {
    TPlanDocument plan;
    for (int i = 0; i < 100; ++i)
        AddLaidArea(plan, (i % 10) * 500.0, (i / 10) * 400.0, 400, 300);
    plan.UpdateShapes();
    std::vector<TShape*> areas;
    for (const auto& shape : plan.ShapeList)
        areas.push_back(shape.get());
    TSubstructureContext context;
    TSubstructureDefaults& defaults = context.SubstructureDefaults;
    defaults.DefaultLattenGenerator = context.LattenPrototype(3);
    defaults.DefaultLattenGenerator->fMaxLattenAbstand = 50;
    defaults.DefaultUKArtikel = QStringLiteral("L1");
    for (auto _ : State) {
        for (TShape* area : areas)
            LayShapeLayer(*area, 0, TLayingTrigger::User);
        NeuVerlatten(context, plan, areas);
        benchmark::DoNotOptimize(plan.ShapeList);
    }
    size_t battens = 0;
    for (TShape* area : areas)
        battens += BattenCount(*area);
    State.counters["battens"] = static_cast<double>(battens);
}
BENCHMARK(BM_LayAndBatten100Areas)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
