// Packings without search: the greedy start of the exact optimiser and the packing of joinable
// pieces into a given set of stock pieces.

#include "offer/CutExact.h"
#include "offer/CutPacking.h"
#include "offer/CutPricing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

constexpr double kEps = 1e-9;
// A joined piece is done when less than this is missing.
constexpr double kJoinShort = 1;
// What the last piece of a stock piece may lack where it takes the rest.
constexpr double kShortBy = 0.999;
// Nodes of the search for one stock piece's filling.
constexpr std::int64_t kFillNodes = 5000;
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
// short to be used; then it is waste. Only the pieces of Pieces, into the stock pieces of
// `open` from First on.
bool ChainPieces(const TCutProblem& Problem, std::vector<TOpenPiece>& open, size_t First,
                 const std::vector<int>& Pieces) {
    std::stable_sort(open.begin() + static_cast<std::ptrdiff_t>(First), open.end(),
                     [](const TOpenPiece& a, const TOpenPiece& b) { return a.Rest > b.Rest; });
    size_t k = First;
    for (int i : Pieces) {
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

// As the chain, but where the next piece does not fit what is left of a stock piece, a
// piece less than 1 cm longer than that rest takes it instead: it is done there, short by
// that much, with no join and no saw cut lost.
bool ChainEndingShort(const TCutProblem& Problem, std::vector<TOpenPiece>& open) {
    std::stable_sort(open.begin(), open.end(),
                     [](const TOpenPiece& a, const TOpenPiece& b) { return a.Rest > b.Rest; });
    std::multimap<double, int> left;
    for (int i = 0; i < static_cast<int>(Problem.Teile.size()); ++i)
        left.emplace(Problem.Teile[static_cast<size_t>(i)].Laenge, i);
    const double minSegment = MinSegment(Problem);
    size_t k = 0;
    int current = -1;
    double need = 0;
    while (current >= 0 || !left.empty()) {
        if (current < 0) {
            const auto longest = std::prev(left.end());
            current = longest->second;
            need = longest->first;
            left.erase(longest);
        }
        if (k == open.size()) return false;
        TOpenPiece& o = open[k];
        // A piece that ends the stock piece short, where the next one would not fit or would
        // leave a stub too short to use.
        const auto shortBy =
            o.Rest >= minSegment - kEps ? left.upper_bound(o.Rest + kEps) : left.end();
        const bool endsShort = shortBy != left.end() && shortBy->first < o.Rest + kJoinShort;
        const double stub = o.Rest - need - kSawCut;
        if (endsShort && (need > o.Rest + kEps || (stub > kEps && stub < minSegment - kEps))) {
            Take(o, shortBy->second, o.Rest, 1);
            left.erase(shortBy);
        } else if (need <= o.Rest + kEps) {
            Take(o, current, need, 1);
            current = -1;
        } else if (o.Rest >= minSegment - kEps) {
            {
                need -= o.Rest;
                Take(o, current, o.Rest, 1);
                if (need < kJoinShort) current = -1; // a joined piece may lack less than 1 cm
            }
        }
        if (o.Rest < minSegment - kEps || (current >= 0 && need > o.Rest + kEps)) ++k;
    }
    return true;
}

std::vector<int> AllPieces(const TCutProblem& Problem) {
    std::vector<int> pieces(Problem.Teile.size());
    for (size_t i = 0; i < pieces.size(); ++i)
        pieces[i] = static_cast<int>(i);
    return pieces;
}

bool Chain(const TCutProblem& Problem, std::vector<TOpenPiece>& open) {
    return ChainPieces(Problem, open, 0, AllPieces(Problem));
}

// Stock pieces filled to their end by whole pieces first, the last one less than 1 cm short
// where it takes the rest: no join and no saw cut lost there. What finds no such filling is
// chained.
bool FillsThenChain(const TCutProblem& Problem, std::vector<TOpenPiece>& open) {
    // The search for a filling: the stock pieces longer by what the last piece may lack,
    // every piece worth its length and saw cut.
    TCutProblem fill;
    fill.Typ = 0;
    for (TCutStock stock : Problem.Lager) {
        stock.Laenge += kShortBy;
        fill.Lager.push_back(stock);
    }
    double longest = 0;
    for (const TCutStock& stock : Problem.Lager)
        longest = std::max(longest, stock.Laenge);
    std::vector<int> longer; // joined in any case
    for (int i = 0; i < static_cast<int>(Problem.Teile.size()); ++i) {
        const TCutPiece& piece = Problem.Teile[static_cast<size_t>(i)];
        if (piece.Laenge > longest + kShortBy || piece.Laenge < MinSegment(Problem)) {
            longer.push_back(i);
            continue;
        }
        TCutPiece p = piece;
        p.Item = i;
        p.StirnSeite = 1;
        fill.Teile.push_back(p);
    }
    std::vector<int> classOf;
    std::vector<TPieceClass> classes = PieceClasses(fill, classOf);
    std::vector<double> worth;
    for (const TPieceClass& c : classes)
        worth.push_back(c.Laenge + kSawCut);
    std::stable_sort(open.begin(), open.end(),
                     [](const TOpenPiece& a, const TOpenPiece& b) { return a.Rest > b.Rest; });
    // Filled stock pieces move to the front.
    size_t filled = 0;
    for (size_t k = 0; k < open.size(); ++k) {
        const double length = Problem.Lager[static_cast<size_t>(open[k].Stock)].Laenge;
        const TPricing priced =
            PricePattern(fill, classes, worth, open[k].Stock, length + kSawCut - 1e-9, kFillNodes);
        if (priced.Patterns.empty()) continue;
        std::vector<int> pieces;
        for (const auto& [c, count] : priced.Patterns.front()) {
            TPieceClass& cls = classes[static_cast<size_t>(c)];
            for (int j = 0; j < count; ++j) {
                pieces.push_back(fill.Teile[static_cast<size_t>(cls.Pieces.back())].Item);
                cls.Pieces.pop_back();
            }
            cls.Demand -= count;
        }
        // Shortest first: the last and longest takes the rest.
        std::sort(pieces.begin(), pieces.end(), [&](int a, int b) {
            return Problem.Teile[static_cast<size_t>(a)].Laenge <
                   Problem.Teile[static_cast<size_t>(b)].Laenge;
        });
        TOpenPiece& o = open[k];
        for (int i : pieces)
            Take(o, i, std::min(Problem.Teile[static_cast<size_t>(i)].Laenge, o.Rest), 1);
        std::swap(open[k], open[filled++]);
    }
    std::vector<int> rest = longer;
    for (const TPieceClass& c : classes)
        for (int p : c.Pieces)
            rest.push_back(fill.Teile[static_cast<size_t>(p)].Item);
    std::sort(rest.begin(), rest.end()); // longest first, as the pieces are sorted
    return ChainPieces(Problem, open, filled, rest);
}

} // namespace

TCutSolution PackJoinable(const TCutProblem& Problem, const std::vector<int>& StockCounts,
                          std::int32_t FirstTag) {
    for (bool (*pack)(const TCutProblem&, std::vector<TOpenPiece>&) :
         {&BestFitThenJoin, &Chain, &ChainEndingShort, &FillsThenChain}) {
        std::vector<TOpenPiece> open = OpenAll(Problem, StockCounts);
        if (pack(Problem, open)) return MakeSolution(Problem, Fills(open), FirstTag);
    }
    return TCutSolution();
}
