// The two cut optimisers on generated jobs of one article each: run time, nodes, opened length
// against the exact optimiser's lower bound, and a table of both per job size at the end.
// Every instance is timed on its own; a benchmark runs its instance set once.

#include "model/Bedarf.h"
#include "offer/CutClassic.h"
#include "offer/CutExact.h"
#include "offer/CutOptimization.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kSizes[] = {30, 100, 250, 500};
constexpr int kInstances = 40;
constexpr double kExactTimeLimit = 5;
constexpr double kClassicTimeLimit = 20;
constexpr std::int64_t kClassicNodeLimit = 2000000;
constexpr double kEps = 1e-7;
// Instances worth naming in the report.
constexpr double kSlowSeconds = 1;
constexpr double kFarFromBound = 0.01;

// --- Jobs ------------------------------------------------------------------------------------

struct TJob {
    unsigned Seed = 0;
    int Typ = 0;
    int Pieces = 0;
    int Lengths = 0; // distinct cut lengths, whole boards not counted
    std::vector<TCutStock> Stock;
    TArtikelItemArray Items;
    TCutProblem Problem;
};

// One article of a plan as the laying hands it to the offer: a few sold lengths in packages,
// pieces of a handful to a few dozen lengths. Boards keep their ends where a row starts or
// ends, and whole boards come in at stock length; battens may be longer than any stock and
// are joined.
TJob GenerateJob(unsigned Seed, int Pieces) {
    std::mt19937 rng(Seed);
    const auto uniform = [&rng](int Lo, int Hi) {
        return std::uniform_int_distribution<int>(Lo, Hi)(rng);
    };
    const auto chance = [&rng](double P) {
        return std::uniform_real_distribution<double>(0, 1)(rng) < P;
    };

    TJob job;
    job.Seed = Seed;
    job.Pieces = Pieces;
    job.Typ = chance(0.15) ? 11 : uniform(0, 2);
    const bool board = job.Typ < 3;

    std::set<int> soldLengths;
    const int stockCount = uniform(1, 4);
    while (static_cast<int>(soldLengths.size()) < stockCount)
        soldLengths.insert(uniform(200, 600));
    for (int length : soldLengths) {
        TCutStock stock;
        stock.ArtikelNr = QStringLiteral("L%1").arg(length);
        stock.Laenge = length;
        stock.PckEin = uniform(1, 20);
        job.Stock.push_back(stock);
    }
    const int longest = *soldLengths.rbegin();

    // Lengths in tenths of a cm, as the laying computes them.
    job.Lengths = uniform(5, std::min(60, Pieces));
    const int maxTenths = board ? 10 * longest : 16 * longest;
    std::set<int> tenths;
    while (static_cast<int>(tenths.size()) < job.Lengths)
        tenths.insert(uniform(board ? 150 : 300, maxTenths));
    const std::vector<int> lengths(tenths.begin(), tenths.end());

    TArtikelItemArray items;
    for (int i = 0; i < Pieces; ++i) {
        TArtikelItem item;
        item.Typ = static_cast<std::uint16_t>(job.Typ);
        // Every length at least once.
        const int k = i < job.Lengths ? i : uniform(0, job.Lengths - 1);
        item.Laenge = lengths[static_cast<size_t>(k)] / 10.0;
        item.StirnSeite = 1;
        if (board) {
            const double r = std::uniform_real_distribution<double>(0, 1)(rng);
            if (r < 0.06) {
                item.Laenge = job.Stock[static_cast<size_t>(uniform(0, stockCount - 1))].Laenge;
                item.StirnSeite = WholeBoardCode(job.Typ);
            } else if (r < 0.18) {
                item.StirnSeite = kStartEndFactor;
            } else if (r < 0.30) {
                item.StirnSeite = FarEndFactor(job.Typ);
            }
        }
        items.Add(item);
    }
    items.Sort([](const TArtikelItem& a, const TArtikelItem& b) {
        return a.Laenge < b.Laenge ? -1 : a.Laenge > b.Laenge ? 1 : 0;
    });
    job.Items = items;
    job.Problem = BuildCutProblem(job.Typ, true, job.Stock, items);
    return job;
}

unsigned SeedOf(int Size, int Instance) {
    return static_cast<unsigned>(1000 * Size + Instance);
}

const std::vector<TJob>& Jobs(int Size) {
    static std::map<int, std::vector<TJob>> jobs;
    auto [it, added] = jobs.try_emplace(Size);
    if (added)
        for (int i = 0; i < kInstances; ++i)
            it->second.push_back(GenerateJob(SeedOf(Size, i), Size));
    return it->second;
}

std::string Describe(const TJob& Job) {
    std::string stock;
    for (const TCutStock& s : Job.Stock) {
        if (!stock.empty()) stock += ", ";
        stock += std::to_string(static_cast<int>(s.Laenge)) + " cm x " + std::to_string(s.PckEin);
    }
    return "seed " + std::to_string(Job.Seed) + ", type " + std::to_string(Job.Typ) + ", " +
           std::to_string(Job.Pieces) + " pieces, " + std::to_string(Job.Lengths) +
           " lengths, stock " + stock;
}

// --- Runs ------------------------------------------------------------------------------------

struct TRun {
    bool Found = false;
    double Total = 0;
    double Bound = 0;
    bool Optimal = false;
    bool CutOff = false;
    std::int64_t Nodes = 0;
    double Seconds = 0;
    QString Check; // empty when the solution is valid
};

// A run of one optimiser on the job, timed, its solution checked.
template <typename TOptimiser>
TRun Run(const TJob& Job, const TCutControl& Control, TOptimiser Optimise, TCutStats& Stats) {
    TCutBuild build;
    const auto start = std::chrono::steady_clock::now();
    const TCutSolution solution = Optimise(Job.Problem, build, Control, Stats);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    TRun run;
    run.Found = solution.Found;
    run.Total = solution.Total;
    run.Nodes = Stats.Knoten;
    run.Seconds = took.count();
    run.Check = CheckCutSolution(Job.Problem, solution);
    return run;
}

TRun RunExact(const TJob& Job) {
    TCutControl control;
    control.TimeLimit = kExactTimeLimit;
    TCutStats stats;
    TRun run = Run(Job, control, CutExact, stats);
    run.Bound = stats.Untergrenze;
    run.Optimal = stats.Optimal;
    // Only Escape marks a run stopped; the time limit is seen in its duration.
    run.CutOff = stats.Abgebrochen || run.Seconds >= 0.99 * kExactTimeLimit;
    return run;
}

TRun RunClassic(const TJob& Job) {
    TCutControl control;
    control.TimeLimit = kClassicTimeLimit;
    control.NodeLimit = kClassicNodeLimit;
    TCutStats stats;
    TRun run = Run(Job, control, CutClassic, stats);
    // The node limit stops the search without marking it.
    run.CutOff = stats.Abgebrochen || stats.Knoten >= kClassicNodeLimit;
    return run;
}

std::map<int, std::vector<TRun>> gExact;
std::map<int, std::vector<TRun>> gClassic;

// From 250 pieces on the classic search often runs into its limits; part of the set keeps the
// whole program within minutes.
int ClassicInstances(int Size) {
    return Size >= 500 ? 10 : Size >= 250 ? 16 : kInstances;
}

// The exact runs of a size, made outside any timing when the exact benchmark did not run.
const std::vector<TRun>& ExactRuns(int Size) {
    auto [it, added] = gExact.try_emplace(Size);
    if (added)
        for (const TJob& job : Jobs(Size))
            it->second.push_back(RunExact(job));
    return it->second;
}

// --- Statistics ------------------------------------------------------------------------------

double Quantile(std::vector<double> Values, double Q) {
    if (Values.empty()) return 0;
    std::sort(Values.begin(), Values.end());
    // Nearest rank: with 40 instances the 99th percentile is the slowest one.
    const auto rank = static_cast<size_t>(std::ceil(Q * static_cast<double>(Values.size())));
    return Values[std::clamp<size_t>(rank, 1, Values.size()) - 1];
}

double Median(const std::vector<double>& Values) {
    if (Values.empty()) return 0;
    std::vector<double> v = Values;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct TSummary {
    int Count = 0;
    double Total = 0;
    double Bound = 0;
    int AtBound = 0;
    double NodesMean = 0;
    std::int64_t NodesMax = 0;
    double MedianSeconds = 0;
    double P99Seconds = 0;
    int Failures = 0; // no solution or an invalid one
    int CutOff = 0;
};

// The runs, each measured against the bound of the exact run of its instance.
TSummary Summarise(const std::vector<TRun>& Runs, const std::vector<TRun>& Exact) {
    TSummary s;
    s.Count = static_cast<int>(Runs.size());
    std::vector<double> seconds;
    double nodes = 0;
    for (size_t i = 0; i < Runs.size(); ++i) {
        const TRun& r = Runs[i];
        s.Total += r.Total;
        s.Bound += Exact[i].Bound;
        if (r.Found && r.Total <= Exact[i].Bound + kEps) ++s.AtBound;
        nodes += static_cast<double>(r.Nodes);
        s.NodesMax = std::max(s.NodesMax, r.Nodes);
        seconds.push_back(r.Seconds);
        if (!r.Check.isEmpty()) ++s.Failures;
        if (r.CutOff) ++s.CutOff;
    }
    if (s.Count > 0) s.NodesMean = nodes / s.Count;
    s.MedianSeconds = Median(seconds);
    s.P99Seconds = Quantile(seconds, 0.99);
    return s;
}

void Report(benchmark::State& state, const TSummary& s) {
    state.counters["instances"] = s.Count;
    state.counters["opened_cm"] = s.Total;
    state.counters["bound_cm"] = s.Bound;
    state.counters["at_bound"] = s.Count > 0 ? static_cast<double>(s.AtBound) / s.Count : 0;
    state.counters["nodes_mean"] = s.NodesMean;
    state.counters["nodes_max"] = static_cast<double>(s.NodesMax);
    state.counters["s_median"] = s.MedianSeconds;
    state.counters["s_p99"] = s.P99Seconds;
    state.counters["check_fail"] = s.Failures;
    state.counters["cut_off"] = s.CutOff;
}

// --- Benchmarks ------------------------------------------------------------------------------

void BM_CutExact(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const std::vector<TJob>& jobs = Jobs(size);
    std::vector<TRun> runs;
    for (auto _ : state) {
        runs.clear();
        for (const TJob& job : jobs)
            runs.push_back(RunExact(job));
        benchmark::DoNotOptimize(runs.data());
    }
    gExact[size] = runs;
    Report(state, Summarise(runs, runs));
}

void BM_CutClassic(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const std::vector<TJob>& jobs = Jobs(size);
    const std::vector<TRun> exact(ExactRuns(size).begin(),
                                  ExactRuns(size).begin() + ClassicInstances(size));
    std::vector<TRun> runs;
    for (auto _ : state) {
        runs.clear();
        for (int i = 0; i < ClassicInstances(size); ++i)
            runs.push_back(RunClassic(jobs[static_cast<size_t>(i)]));
        benchmark::DoNotOptimize(runs.data());
    }
    gClassic[size] = runs;
    const TSummary s = Summarise(runs, exact);
    Report(state, s);
    // The exact bound of these instances, so the gap stays visible next to the classic total.
    state.counters["exact_bound_cm"] = s.Bound;
    int exactNotWorse = 0;
    for (size_t i = 0; i < runs.size(); ++i)
        if (exact[i].Found && (!runs[i].Found || exact[i].Total <= runs[i].Total + kEps))
            ++exactNotWorse;
    state.counters["exact_le_classic"] =
        runs.empty() ? 0 : static_cast<double>(exactNotWorse) / static_cast<double>(runs.size());
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int size : kSizes)
        b->Arg(size);
}

BENCHMARK(BM_CutExact)->Apply(Sizes)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_CutClassic)->Apply(Sizes)->Iterations(1)->Unit(benchmark::kSecond);

// --- Report ----------------------------------------------------------------------------------

std::string Cm(double Length) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f cm", Length);
    return text;
}

void PrintTable() {
    std::printf(
        "\n| pieces | instances | exact: proven optimal %% | exact: median ms | exact: p99 ms "
        "| exact: mean gap to bound (cm) | classic: median ms | classic: p99 ms "
        "| classic: total vs exact (%% longer) | classic runs cut off by node/time limit "
        "| exact: runs at time limit | exact <= classic | check failures (exact / classic) "
        "|\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int size : kSizes) {
        const auto e = gExact.find(size);
        if (e == gExact.end()) continue;
        const std::vector<TRun>& exact = e->second;
        const TSummary es = Summarise(exact, exact);
        double gap = 0;
        for (const TRun& r : exact)
            gap += r.Total - r.Bound;
        const auto c = gClassic.find(size);
        const bool hasClassic = c != gClassic.end();
        const int classicCount = hasClassic ? static_cast<int>(c->second.size()) : 0;
        std::string instances = std::to_string(es.Count);
        if (hasClassic && classicCount != es.Count)
            instances += " (classic " + std::to_string(classicCount) + ")";
        std::printf("| %d | %s | %.1f | %.1f | %.1f | %.1f ", size, instances.c_str(),
                    es.Count > 0 ? 100.0 * es.AtBound / es.Count : 0, 1000 * es.MedianSeconds,
                    1000 * es.P99Seconds, es.Count > 0 ? gap / es.Count : 0);
        if (!hasClassic) {
            std::printf("| - | - | - | - | %d of %d | - | %d / - |\n", es.CutOff, es.Count,
                        es.Failures);
            continue;
        }
        const std::vector<TRun>& classic = c->second;
        const TSummary cs = Summarise(classic, exact);
        double exactTotal = 0;
        int notWorse = 0;
        for (size_t i = 0; i < classic.size(); ++i) {
            exactTotal += exact[i].Total;
            if (exact[i].Total <= classic[i].Total + kEps) ++notWorse;
        }
        std::printf("| %.1f | %.1f | %+.2f | %d of %d | %d of %d | %d of %d | %d / %d |\n",
                    1000 * cs.MedianSeconds, 1000 * cs.P99Seconds,
                    exactTotal > 0 ? 100 * (cs.Total / exactTotal - 1) : 0, cs.CutOff, cs.Count,
                    es.CutOff, es.Count, notWorse, cs.Count, es.Failures, cs.Failures);
    }
}

// Proven optimality by kind of job, the largest gap left, and how much faster the exact
// optimiser is where the classic search needs many nodes.
void PrintByKind() {
    std::printf("\n| pieces | boards proven optimal | joined proven optimal | largest gap (cm) "
                "| largest gap (longest stock pieces) | classic over 10^5 nodes | least "
                "speed-up there |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int size : kSizes) {
        const auto e = gExact.find(size);
        if (e == gExact.end()) continue;
        const std::vector<TJob>& jobs = Jobs(size);
        int boards = 0, boardsProven = 0, joined = 0, joinedProven = 0;
        double gap = 0, gapPieces = 0;
        for (size_t i = 0; i < e->second.size(); ++i) {
            const TRun& r = e->second[i];
            const bool proven = r.Found && r.Total <= r.Bound + kEps;
            if (jobs[i].Typ < 3) {
                ++boards;
                boardsProven += proven ? 1 : 0;
            } else {
                ++joined;
                joinedProven += proven ? 1 : 0;
            }
            double longest = 0;
            for (const TCutStock& stock : jobs[i].Stock)
                longest = std::max(longest, stock.Laenge);
            gap = std::max(gap, r.Total - r.Bound);
            gapPieces = std::max(gapPieces, (r.Total - r.Bound) / longest);
        }
        int many = 0;
        double speedUp = 0;
        const auto c = gClassic.find(size);
        if (c != gClassic.end())
            for (size_t i = 0; i < c->second.size(); ++i)
                if (c->second[i].Nodes > 100000) {
                    const double ratio =
                        c->second[i].Seconds / std::max(e->second[i].Seconds, 1e-6);
                    speedUp = many == 0 ? ratio : std::min(speedUp, ratio);
                    ++many;
                }
        std::printf("| %d | %d of %d | %d of %d | %.0f | %.2f | %d | %s |\n", size, boardsProven,
                    boards, joinedProven, joined, gap, gapPieces, many,
                    many > 0 ? (std::to_string(static_cast<int>(speedUp)) + "x").c_str() : "-");
    }
}

// The instances to look at: invalid solutions, slow exact runs, exact runs far from their
// bound, and exact results longer than the classic search's.
void PrintNotable() {
    std::printf("\nNotable instances (exact over %.0f s, more than %.0f %% above its bound, or "
                "longer than classic):\n",
                kSlowSeconds, 100 * kFarFromBound);
    int count = 0;
    for (int size : kSizes) {
        const auto e = gExact.find(size);
        if (e == gExact.end()) continue;
        const std::vector<TRun>& exact = e->second;
        const auto c = gClassic.find(size);
        for (size_t i = 0; i < exact.size(); ++i) {
            const TRun& r = exact[i];
            const TRun* classic =
                c != gClassic.end() && i < c->second.size() ? &c->second[i] : nullptr;
            std::string notes;
            if (!r.Check.isEmpty()) notes += " exact invalid: " + r.Check.toStdString() + ";";
            if (classic && !classic->Check.isEmpty())
                notes += " classic invalid: " + classic->Check.toStdString() + ";";
            if (r.Seconds > kSlowSeconds)
                notes += " exact " + std::to_string(static_cast<int>(1000 * r.Seconds)) + " ms;";
            if (r.Total > r.Bound * (1 + kFarFromBound))
                notes += " exact " + Cm(r.Total) + ", bound " + Cm(r.Bound) + ";";
            if (classic && classic->Found && classic->Total < r.Total - kEps)
                notes += " classic shorter: " + Cm(classic->Total) + " vs exact " + Cm(r.Total) +
                         " (bound " + Cm(r.Bound) + ");";
            if (notes.empty()) continue;
            ++count;
            std::printf("- %s:%s\n", Describe(Jobs(size)[i]).c_str(), notes.c_str());
        }
    }
    if (count == 0) std::printf("- none\n");
}

} // namespace

// A job as the input of tarv-cli verschnitt, to look at one instance on its own.
void PrintJob(const TJob& Job) {
    std::printf("{\"Typ\": %d, \"Optimierung\": true, \"Lager\": [", Job.Typ);
    for (size_t s = 0; s < Job.Stock.size(); ++s)
        std::printf("%s{\"ArtikelNr\": \"%s\", \"Laenge\": %.17g, \"PckEin\": %d}", s ? ", " : "",
                    qPrintable(Job.Stock[s].ArtikelNr), Job.Stock[s].Laenge, Job.Stock[s].PckEin);
    std::printf("],\n \"Teile\": [");
    for (int i = 0; i < Job.Items.Count(); ++i)
        std::printf("%s{\"Laenge\": %.17g, \"StirnSeite\": %d}", i ? ",\n  " : "",
                    Job.Items.Get(i).Laenge, Job.Items.Get(i).StirnSeite);
    std::printf("]}\n");
}

int main(int argc, char** argv) {
    // TARV_CUT_JOB=SEED:PIECES prints that job instead of running the benchmarks.
    if (const char* job = std::getenv("TARV_CUT_JOB")) {
        unsigned seed = 0;
        int pieces = 0;
        if (std::sscanf(job, "%u:%d", &seed, &pieces) != 2 || pieces < 1) return 2;
        PrintJob(GenerateJob(seed, pieces));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintTable();
    PrintByKind();
    PrintNotable();
    return 0;
}
