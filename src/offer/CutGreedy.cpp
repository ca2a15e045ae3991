// Packings without search: the greedy start of the exact optimiser, the packing of joinable
// pieces into a given set of stock pieces, and the package totals the bounds are raised to.

#include "offer/CutExact.h"
#include "offer/CutPacking.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kEps = 1e-9;
// A joined piece is done when less than this is missing.
constexpr double kJoinShort = 1;
// A joined segment comes from a remainder at least this long: shorter ones are waste.
double MinSegment(const TCutProblem& Problem) {
    return std::max(kMinJoinRemainder, Problem.MinRest);
}

struct TOpenPiece {
    int Stock;
    double Rest; // what is left for the next piece (the saw cut before it already taken)
    std::int32_t Code;
    std::vector<TCutOpened::TCut> Schnitte;
};

bool CodeFits(const TCutProblem& Problem, std::int32_t Code, std::int32_t PieceCode) {
    if (Problem.Typ != 1 && Problem.Typ != 2) return true;
    return PieceCode > 0 && Code % PieceCode == 0;
}

void Take(TOpenPiece& o, int piece, double length, std::int32_t code) {
    o.Schnitte.push_back({piece, length});
    o.Rest -= length + kSawCut;
    if (code > 0) o.Code /= code;
}

void OpenPackage(const TCutProblem& Problem, std::vector<TOpenPiece>& open, int s) {
    const TCutStock& stock = Problem.Lager[static_cast<size_t>(s)];
    for (int k = 0; k < stock.PckEin; ++k)
        open.push_back({s, stock.Laenge, stock.StirnSeite, {}});
}

// Joins the piece from the longest remainders; false when they do not reach.
bool Join(const TCutProblem& Problem, std::vector<TOpenPiece>& open, int piece) {
    double need = Problem.Teile[static_cast<size_t>(piece)].Laenge;
    std::vector<size_t> order;
    for (size_t k = 0; k < open.size(); ++k)
        if (open[k].Rest >= MinSegment(Problem) - kEps) order.push_back(k);
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return open[a].Rest > open[b].Rest; });
    double available = 0;
    for (size_t k : order)
        available += open[k].Rest;
    if (available + kJoinShort <= need) return false;
    for (size_t k : order) {
        // As the search decides it: a joined piece is done when less than 1 cm is missing.
        if (need < kJoinShort) break;
        const double take = std::min(need, open[k].Rest);
        Take(open[k], piece, take, 1);
        need -= take;
    }
    return true;
}

std::vector<TStockFill> Fills(const std::vector<TOpenPiece>& open) {
    std::vector<TStockFill> fills;
    for (const TOpenPiece& o : open)
        fills.push_back({o.Stock, o.Schnitte});
    return fills;
}

// First fit decreasing; a new package of `Preferred` when it takes the piece, else of the
// shortest stock that does.
TCutSolution Greedy(const TCutProblem& Problem, int Preferred, std::int32_t FirstTag) {
    const bool joinable = IsJoinableTyp(Problem.Typ);
    std::vector<TOpenPiece> open;
    for (int i = 0; i < static_cast<int>(Problem.Teile.size()); ++i) {
        const TCutPiece& piece = Problem.Teile[static_cast<size_t>(i)];
        const auto place = [&]() {
            for (TOpenPiece& o : open)
                if (piece.Laenge <= o.Rest + kEps && CodeFits(Problem, o.Code, piece.StirnSeite)) {
                    Take(o, i, piece.Laenge, piece.StirnSeite);
                    return true;
                }
            return false;
        };
        if (place()) continue;
        int s = -1;
        const auto takes = [&](int k) {
            const TCutStock& stock = Problem.Lager[static_cast<size_t>(k)];
            return piece.Laenge <= stock.Laenge + kEps &&
                   CodeFits(Problem, stock.StirnSeite, piece.StirnSeite);
        };
        if (Preferred >= 0 && takes(Preferred)) s = Preferred;
        for (int k = static_cast<int>(Problem.Lager.size()) - 1; k >= 0 && s < 0; --k)
            if (takes(k)) s = k;
        if (s >= 0) {
            OpenPackage(Problem, open, s);
            if (place()) continue;
        }
        if (!joinable) return TCutSolution();
        // Longer than every stock: joined, opening packages of the longest stock as needed.
        while (!Join(Problem, open, i))
            OpenPackage(Problem, open, 0);
    }
    return MakeSolution(Problem, Fills(open), FirstTag);
}

} // namespace

TCutSolution CutGreedy(const TCutProblem& Problem, std::int32_t FirstTag) {
    TCutSolution best;
    for (int s = 0; s < static_cast<int>(Problem.Lager.size()); ++s) {
        TCutSolution candidate = Greedy(Problem, s, FirstTag);
        if (candidate.Found && (!best.Found || candidate.Total < best.Total - kEps))
            best = std::move(candidate);
    }
    return best;
}

double PackageWorthAtLeast(const std::vector<TCutStock>& Lager, const std::vector<double>& Worth,
                           double Need, std::vector<int>* Packages, const TPackageBox* Box) {
    const size_t n = Lager.size();
    const auto lo = [&](size_t s) { return Box ? std::max(0.0, Box->Lo[s]) : 0.0; };
    const auto hi = [&](size_t s) { return Box ? Box->Hi[s] : 1e18; };
    // What the lower limits of the articles from s on add at least.
    // And what they can be worth at most, and the least length of a unit of worth there.
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> restTotal(n + 1, 0), restWorth(n + 1, 0), mostWorth(n + 1, 0),
        cheapest(n + 1, inf);
    for (size_t s = n; s-- > 0;) {
        if (lo(s) > hi(s)) return inf;
        const double package = Lager[s].Laenge * Lager[s].PckEin;
        const double value = std::max(Worth[s], 0.0) * Lager[s].PckEin;
        restTotal[s] = restTotal[s + 1] + lo(s) * package;
        restWorth[s] = restWorth[s + 1] + lo(s) * value;
        mostWorth[s] = mostWorth[s + 1] + (value > 0 ? hi(s) * value : 0);
        cheapest[s] = std::min(cheapest[s + 1], value > 0 ? package / value : inf);
    }
    std::vector<int> counts(n, 0);
    // Lengths summed in another order may differ in the last digits, never by a micrometre.
    const double target = Need - 1e-6;
    // A first choice to prune with: one article making up what the lower limits lack.
    double best = inf;
    std::vector<int> start(n, 0);
    for (size_t s = 0; s < n; ++s) {
        const double value = std::max(Worth[s], 0.0) * Lager[s].PckEin;
        const double k = std::max(
            lo(s), value > 0 ? std::ceil((target - restWorth[0]) / value + lo(s) - 1e-12) : lo(s));
        if (k > hi(s) || restWorth[0] + (k - lo(s)) * value < target) continue;
        const double total = restTotal[0] + (k - lo(s)) * Lager[s].Laenge * Lager[s].PckEin;
        if (total < best) {
            best = total;
            for (size_t t = 0; t < n; ++t)
                start[t] = static_cast<int>(std::min(t == s ? k : lo(t), 1e9));
        }
    }
    if (Packages && std::isfinite(best)) *Packages = start;
    // A search cut short proves nothing: then no bound (0) is given.
    std::int64_t steps = 0;
    constexpr std::int64_t kMaxSteps = 2000000;
    // Depth-first over the package counts of each stock article; the last one takes what is
    // still needed.
    const auto search = [&](auto&& self, size_t s, double total, double worth) -> void {
        if (++steps > kMaxSteps) return;
        if (worth + restWorth[s] >= target) {
            const double all = total + restTotal[s];
            if (all < best - 1e-9) {
                best = all;
                if (Packages) {
                    *Packages = counts;
                    for (size_t t = s; t < n; ++t)
                        (*Packages)[t] = static_cast<int>(lo(t));
                }
            }
            return;
        }
        if (s == n || worth + mostWorth[s] < target) return;
        // The worth still missing costs at least this much length.
        const double missing = std::max(0.0, target - worth - restWorth[s]);
        if (total + restTotal[s] + (missing > 0 ? missing * cheapest[s] : 0) >= best) return;
        const double package = Lager[s].Laenge * Lager[s].PckEin;
        const double value = std::max(Worth[s], 0.0) * Lager[s].PckEin;
        const double first = lo(s);
        // Beyond this many the later articles' lower limits alone make up the rest.
        double most = hi(s);
        if (package > 0 && value > 0)
            most = std::min(
                most,
                std::max(first, std::ceil((target - worth - restWorth[s + 1]) / value - 1e-12)));
        else
            most = first;
        if (s + 1 == n) {
            if (worth + most * value < target) return; // the upper limit cannot reach it
            counts[s] = static_cast<int>(std::min(most, 1e9));
            self(self, s + 1, total + most * package, worth + most * value);
            counts[s] = 0;
            return;
        }
        for (double k = first;
             k <= most && total + k * package + restTotal[s + 1] < best && steps <= kMaxSteps;
             ++k) {
            counts[s] = static_cast<int>(std::min(k, 1e9));
            self(self, s + 1, total + k * package, worth + k * value);
        }
        counts[s] = 0;
    };
    search(search, 0, 0.0, 0.0);
    if (steps > kMaxSteps) return 0;
    return best;
}

double PackageTotalAtLeast(const std::vector<TCutStock>& Lager, double Length,
                           std::vector<int>* Packages) {
    std::vector<double> worth;
    for (const TCutStock& s : Lager)
        worth.push_back(s.Laenge);
    const double total = PackageWorthAtLeast(Lager, worth, Length, Packages);
    return std::isfinite(total) ? total : 0;
}

// Packs joinable pieces into exactly these stock pieces: whole pieces best fit into the
// stock pieces, the rest joined from what is left. Found false when they do not suffice.
namespace {

std::vector<TOpenPiece> OpenAll(const TCutProblem& Problem, const std::vector<int>& StockCounts) {
    std::vector<TOpenPiece> open;
    for (size_t s = 0; s < StockCounts.size(); ++s)
        for (int k = 0; k < StockCounts[s]; ++k)
            open.push_back(
                {static_cast<int>(s), Problem.Lager[s].Laenge, Problem.Lager[s].StirnSeite, {}});
    return open;
}

// Whole pieces best fit, the rest joined from the longest remainders.
bool BestFitThenJoin(const TCutProblem& Problem, std::vector<TOpenPiece>& open) {
    std::vector<int> unplaced;
    for (int i = 0; i < static_cast<int>(Problem.Teile.size()); ++i) {
        const double p = Problem.Teile[static_cast<size_t>(i)].Laenge;
        TOpenPiece* best = nullptr;
        for (TOpenPiece& o : open)
            if (p <= o.Rest + kEps && (best == nullptr || o.Rest < best->Rest)) best = &o;
        if (best)
            Take(*best, i, p, 1);
        else
            unplaced.push_back(i);
    }
    for (int i : unplaced)
        if (!Join(Problem, open, i)) return false;
    return true;
}

// One stock piece after the other, longest first, the pieces in a row: a piece that does not
// fit what is left starts there and goes on in the next stock piece, unless the rest is too
// short to be used; then it is waste.
bool Chain(const TCutProblem& Problem, std::vector<TOpenPiece>& open) {
    std::stable_sort(open.begin(), open.end(),
                     [](const TOpenPiece& a, const TOpenPiece& b) { return a.Rest > b.Rest; });
    size_t k = 0;
    for (int i = 0; i < static_cast<int>(Problem.Teile.size()); ++i) {
        double need = Problem.Teile[static_cast<size_t>(i)].Laenge;
        while (need > kEps) {
            if (k == open.size()) return false;
            TOpenPiece& o = open[k];
            if (need <= o.Rest + kEps) {
                Take(o, i, need, 1);
                need = 0;
            } else if (o.Rest >= MinSegment(Problem) - kEps) {
                need -= o.Rest;
                Take(o, i, o.Rest, 1);
                if (need < kJoinShort) need = 0; // a joined piece may lack less than 1 cm
            }
            if (need > kEps || o.Rest < MinSegment(Problem) - kEps) ++k;
        }
    }
    return true;
}

} // namespace

TCutSolution PackJoinable(const TCutProblem& Problem, const std::vector<int>& StockCounts,
                          std::int32_t FirstTag) {
    for (bool (*pack)(const TCutProblem&, std::vector<TOpenPiece>&) : {&BestFitThenJoin, &Chain}) {
        std::vector<TOpenPiece> open = OpenAll(Problem, StockCounts);
        if (pack(Problem, open)) return MakeSolution(Problem, Fills(open), FirstTag);
    }
    return TCutSolution();
}
