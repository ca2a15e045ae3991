// The greedy start of the exact optimiser: a feasible packing without search.

#include "offer/CutExact.h"
#include "offer/CutOpenPiece.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

using namespace cutfill;

bool cutfill::Join(const TCutProblem& Problem, std::vector<TOpenPiece>& open, int piece) {
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

namespace {

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
