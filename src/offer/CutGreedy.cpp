// Packings without search: the greedy start of the exact optimiser, the packing of joinable
// pieces into a given set of stock pieces, and the package totals the bounds are raised to.

#include "offer/CutExact.h"
#include "offer/CutPacking.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kEps = 1e-9;
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
    if (available + kEps < need) return false;
    for (size_t k : order) {
        if (need <= kEps) break;
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
                           double Need) {
    double best = std::numeric_limits<double>::infinity();
    const double target = Need - 1e-7 * std::max(1.0, Need);
    // A search cut short proves nothing: then no bound (0) is given.
    std::int64_t steps = 0;
    constexpr std::int64_t kMaxSteps = 2000000;
    // Depth-first over the package counts of each stock article; the last one takes what is
    // still needed.
    const auto search = [&](auto&& self, size_t s, double total, double worth) -> void {
        if (++steps > kMaxSteps) return;
        if (worth >= target) {
            best = std::min(best, total);
            return;
        }
        if (s == Lager.size() || total >= best) return;
        const double package = Lager[s].Laenge * Lager[s].PckEin;
        const double value = Worth[s] * Lager[s].PckEin;
        if (!(package > 0) || !(value > 0)) {
            self(self, s + 1, total, worth);
            return;
        }
        const double most = std::ceil((target - worth) / value - 1e-12);
        if (s + 1 == Lager.size()) {
            self(self, s + 1, total + most * package, worth + most * value);
            return;
        }
        for (double n = 0; n <= most && total + n * package < best; ++n)
            self(self, s + 1, total + n * package, worth + n * value);
    };
    search(search, 0, 0.0, 0.0);
    return steps > kMaxSteps || !std::isfinite(best) ? 0 : best;
}

double PackageTotalAtLeast(const std::vector<TCutStock>& Lager, double Length) {
    std::vector<double> worth;
    for (const TCutStock& s : Lager)
        worth.push_back(s.Laenge);
    return PackageWorthAtLeast(Lager, worth, Length);
}

// Packs joinable pieces into exactly these stock pieces: whole pieces best fit into the
// stock pieces, the rest joined from what is left. Found false when they do not suffice.
TCutSolution PackJoinable(const TCutProblem& Problem, const std::vector<int>& StockCounts,
                          std::int32_t FirstTag) {
    std::vector<TOpenPiece> open;
    for (size_t s = 0; s < StockCounts.size(); ++s)
        for (int k = 0; k < StockCounts[s]; ++k)
            open.push_back(
                {static_cast<int>(s), Problem.Lager[s].Laenge, Problem.Lager[s].StirnSeite, {}});
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
        if (!Join(Problem, open, i)) return TCutSolution();
    return MakeSolution(Problem, Fills(open), FirstTag);
}
