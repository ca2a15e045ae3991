// Packings of joinable pieces into a given set of stock pieces: whole pieces where they fit,
// joins where they do not, stock pieces ended by pieces that take their last rest.

#include "offer/CutOpenPiece.h"
#include "offer/CutPricing.h"

#include <algorithm>
#include <cmath>
#include <map>

using namespace cutfill;

namespace {

// Pieces weighed for a join by how the next stock piece can then be ended.
constexpr int kCrossingChoices = 16;

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
// `open` from First on. InOrder: the stock pieces in their order, no waste, and the last
// piece ending the last stock piece.
bool ChainPieces(const TCutProblem& Problem, std::vector<TOpenPiece>& open, size_t First,
                 const std::vector<int>& Pieces, bool InOrder = false) {
    if (!InOrder)
        std::stable_sort(open.begin() + static_cast<std::ptrdiff_t>(First), open.end(),
                         [](const TOpenPiece& a, const TOpenPiece& b) { return a.Rest > b.Rest; });
    const double ended = InOrder ? kEps : MinSegment(Problem) - kEps;
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
            } else if (InOrder) {
                return false;
            }
            if (need > kEps || o.Rest < ended) ++k;
        }
    }
    return !InOrder || k == open.size();
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
            need -= o.Rest;
            Take(o, current, o.Rest, 1);
            if (need < kJoinShort) current = -1; // a joined piece may lack less than 1 cm
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

// The pieces of each class as PieceClasses gives them (longest first), each list in the
// order they are taken from its back: the first of the class last.
std::vector<std::vector<int>> PiecesByClass(const TCutProblem& Problem) {
    std::vector<int> classOf;
    std::vector<std::vector<int>> pieces;
    for (TPieceClass& c : PieceClasses(Problem, classOf)) {
        std::reverse(c.Pieces.begin(), c.Pieces.end());
        pieces.push_back(std::move(c.Pieces));
    }
    return pieces;
}

// The longest filling of a rest by at most three whole pieces of the classes left that ends
// the stock piece: worth (length and saw cut) above Rest + Least and at most Rest + 1.3 less
// a hair, so that the last, taking what is left, lacks less than 1 cm. Counts per class.
struct TClosing {
    double Fill = 0;
    int Class[3] = {-1, -1, -1};
};

TClosing FindClosing(const std::vector<double>& Weight, const std::vector<int>& Left, double Rest,
                     double Least, int Most = 3, int Without = -1) {
    const double lo = Rest + Least, hi = Rest + kSawCut + kShortBy;
    TClosing best;
    const int n = static_cast<int>(Weight.size()); // ascending
    const auto consider = [&](double fill, int a, int b, int c) {
        if (fill > lo && fill <= hi && fill > best.Fill) best = {fill, {a, b, c}};
    };
    // Whether the class has a piece left beside those already taken (a, b).
    const auto free = [&](int k, int a, int b) {
        return Left[static_cast<size_t>(k)] > (k == a) + (k == b) + (k == Without);
    };
    // The largest class from `from` on with weight at most w and a piece left.
    const auto largestUpTo = [&](double w, int from, int a, int b) {
        int k = static_cast<int>(std::upper_bound(Weight.begin(), Weight.end(), w + kEps) -
                                 Weight.begin()) -
                1;
        for (; k >= from; --k)
            if (free(k, a, b)) return k;
        return -1;
    };
    // One piece: the longest that fits.
    const int single = largestUpTo(hi, 0, -1, -1);
    if (single >= 0) consider(Weight[static_cast<size_t>(single)], single, -1, -1);
    // More, the first the shortest: it takes at most half.
    for (int a = 0; a < n && Most >= 2; ++a) {
        if (!free(a, -1, -1)) continue;
        const double wa = Weight[static_cast<size_t>(a)];
        if (2 * wa > hi + kEps) break;
        // The best second piece is the longest that still fits.
        const int b = largestUpTo(hi - wa, a, a, -1);
        if (b >= 0) consider(wa + Weight[static_cast<size_t>(b)], a, b, -1);
        for (int second = a; second < n && Most >= 3; ++second) {
            if (!free(second, a, -1)) continue;
            const double wb = wa + Weight[static_cast<size_t>(second)];
            if (wb > hi) break;
            const int c = largestUpTo(hi - wb, second, a, second);
            if (c >= 0) consider(wb + Weight[static_cast<size_t>(c)], a, second, c);
        }
    }
    return best;
}

// One stock piece after the other, as the chain, but each one ended by a few whole pieces that
// leave less than Least unused or take its end short, wherever such pieces are left: the
// saving of the short end and saw cut, where the chain would have lost a stub.
// Only the pieces of Pieces (by class, as PiecesByClass gives them), into the stock pieces of
// `open` from First on.
bool ChainClosing(const TCutProblem& Problem, std::vector<TOpenPiece>& open, size_t First,
                  std::vector<std::vector<int>> pieces, double Least, bool ShortestFirst) {
    std::stable_sort(open.begin() + static_cast<std::ptrdiff_t>(First), open.end(),
                     [&](const TOpenPiece& a, const TOpenPiece& b) {
                         return ShortestFirst ? a.Rest < b.Rest : a.Rest > b.Rest;
                     });
    const double minSegment = MinSegment(Problem);
    // Classes of equal length, ascending, with their worth; pieces taken from the back.
    std::vector<int> classOf;
    std::vector<double> weight;
    for (const TPieceClass& c : PieceClasses(Problem, classOf))
        weight.insert(weight.begin(), c.Laenge + kSawCut);
    std::reverse(pieces.begin(), pieces.end());
    std::vector<int> left(pieces.size());
    size_t remaining = 0;
    for (size_t c = 0; c < pieces.size(); ++c) {
        left[c] = static_cast<int>(pieces[c].size());
        remaining += pieces[c].size();
    }
    // Only pieces long enough that the last of a closing still finds a rest to take.
    std::vector<int> closable = left;
    for (size_t c = 0; c < pieces.size(); ++c)
        if (weight[c] - kSawCut < minSegment + kSawCut + kShortBy) closable[c] = 0;
    const auto takeOf = [&](int c) {
        const int i =
            pieces[static_cast<size_t>(c)][static_cast<size_t>(--left[static_cast<size_t>(c)])];
        if (closable[static_cast<size_t>(c)] > left[static_cast<size_t>(c)])
            closable[static_cast<size_t>(c)] = left[static_cast<size_t>(c)];
        --remaining;
        return i;
    };
    const auto longestLeft = [&](double upTo) {
        for (int c = static_cast<int>(weight.size()) - 1; c >= 0; --c)
            if (left[static_cast<size_t>(c)] > 0 && weight[static_cast<size_t>(c)] <= upTo + kEps)
                return c;
        return -1;
    };
    // Closings of three pieces only where the lengths are few: that search grows with their
    // square.
    const int most = weight.size() <= kMaxTripleClasses ? 3 : 2;
    int carry = -1;
    double need = 0;
    if (remaining == 0) return true;
    for (size_t at = First; at < open.size(); ++at) {
        TOpenPiece& o = open[at];
        if (carry >= 0) {
            if (need <= o.Rest + kEps) {
                Take(o, carry, need, 1);
                carry = -1;
            } else {
                if (o.Rest < minSegment - kEps) continue; // too short to join from
                need -= o.Rest;
                Take(o, carry, o.Rest, 1);
                if (need < kJoinShort) carry = -1;
                continue;
            }
        }
        while (remaining > 0 && o.Rest >= minSegment - kEps) {
            const TClosing closing = FindClosing(weight, closable, o.Rest, Least, most);
            if (closing.Fill > 0) {
                std::vector<int> chosen;
                for (int c : closing.Class)
                    if (c >= 0) chosen.push_back(takeOf(c));
                // Shortest first: the last and longest takes the rest.
                std::sort(chosen.begin(), chosen.end(), std::greater<>());
                for (int i : chosen)
                    Take(o, i, std::min(Problem.Teile[static_cast<size_t>(i)].Laenge, o.Rest), 1);
                break;
            }
            const int longest = longestLeft(1e300);
            double p = weight[static_cast<size_t>(longest)] - kSawCut;
            if (p > o.Rest + kEps) {
                // Joined into the next stock piece: the piece whose end there leaves a rest a
                // closing ends best, else one that leaves no stub, the longest of them.
                const size_t k = at;
                int cross = longest;
                if (k + 1 < open.size()) {
                    const double next = open[k + 1].Rest;
                    double bestScore = -1e300;
                    int looked = 0;
                    for (int c = static_cast<int>(weight.size()) - 1;
                         c >= 0 && looked < kCrossingChoices; --c) {
                        const double pc = weight[static_cast<size_t>(c)] - kSawCut;
                        if (left[static_cast<size_t>(c)] == 0 || pc <= o.Rest + kJoinShort)
                            continue;
                        ++looked;
                        const double q = pc - o.Rest, after = next - q - kSawCut;
                        double score = 0;
                        if (q > next)
                            score = q < next + kJoinShort ? 2 + q - next : 0;
                        else if (after < minSegment - kEps)
                            score = -std::max(after, 0.0) - 1;
                        else {
                            const TClosing closes =
                                FindClosing(weight, closable, after, Least, 2, c);
                            if (closes.Fill > 0) score = 1 + closes.Fill - after;
                        }
                        if (score > bestScore + kEps) {
                            bestScore = score;
                            cross = c;
                        }
                    }
                }
                p = weight[static_cast<size_t>(cross)] - kSawCut;
                carry = takeOf(cross);
                need = p - o.Rest;
                Take(o, carry, o.Rest, 1);
                if (need < kJoinShort) carry = -1;
                break;
            }
            // Whole, leaving a rest worth using where a piece allows it.
            int c = longestLeft(o.Rest - minSegment);
            if (c < 0) c = longest;
            Take(o, takeOf(c), weight[static_cast<size_t>(c)] - kSawCut, 1);
        }
        if (remaining == 0 && carry < 0) return true;
    }
    return false;
}

// The most orders of a group's pieces tried: rows of many pieces have too many.
constexpr int kMaxGroupOrders = 2000;

// The chains that end stock pieces: how much a closing must gain at least, and from which
// end of the stock pieces they go.
constexpr struct {
    double Least;
    bool ShortestFirst;
} kClosings[] = {{1.0, false}, {0.0, false}, {0.5, false}, {0.5, true}};

// The groups first, each of its pieces chained across its stock pieces so that the last ends
// them short, as often as pieces and stock pieces allow; the rest chained, ending stock pieces
// where a few pieces do.
bool EndGroupsThenChain(const TCutProblem& Problem, std::vector<TOpenPiece>& open,
                        const std::vector<TEndingGroup>& Groups) {
    std::vector<std::vector<int>> pieces = PiecesByClass(Problem);
    std::vector<std::vector<size_t>> freeStock(Problem.Lager.size());
    for (size_t k = open.size(); k-- > 0;)
        freeStock[static_cast<size_t>(open[k].Stock)].push_back(k);
    std::vector<TOpenPiece> done;
    for (const TEndingGroup& g : Groups)
        for (int rep = 0; rep < g.Count; ++rep) {
            std::map<int, int> want; // class -> pieces
            for (int c : g.Classes)
                ++want[c];
            bool have = g.Stock.size() == freeStock.size();
            for (const auto& [c, n] : want)
                have = have && static_cast<int>(pieces[static_cast<size_t>(c)].size()) >= n;
            for (size_t s = 0; s < freeStock.size() && have; ++s)
                have = static_cast<int>(freeStock[s].size()) >= g.Stock[s];
            if (!have) break;
            std::vector<TOpenPiece> group;
            for (size_t s = 0; s < g.Stock.size(); ++s)
                for (int k = 0; k < g.Stock[s]; ++k)
                    group.push_back(
                        open[freeStock[s][freeStock[s].size() - 1 - static_cast<size_t>(k)]]);
            std::vector<int> chosen;
            for (const auto& [c, n] : want) {
                const std::vector<int>& list = pieces[static_cast<size_t>(c)];
                chosen.insert(chosen.end(), list.end() - n, list.end());
            }
            // Orders of the pieces over the stock pieces longest first, then shortest first,
            // until one ends them: every order of a few pieces, the first of many.
            bool placed = false;
            for (int stockOrder = 0; stockOrder < 2 && !placed; ++stockOrder) {
                int orders = 0;
                std::stable_sort(group.begin(), group.end(), [&](const auto& a, const auto& b) {
                    return stockOrder == 0 ? a.Rest > b.Rest : a.Rest < b.Rest;
                });
                std::sort(chosen.begin(), chosen.end());
                do {
                    std::vector<TOpenPiece> trial = group;
                    if (ChainPieces(Problem, trial, 0, chosen, true)) {
                        done.insert(done.end(), trial.begin(), trial.end());
                        placed = true;
                    }
                } while (!placed && ++orders < kMaxGroupOrders &&
                         std::next_permutation(chosen.begin(), chosen.end()));
            }
            if (!placed) break;
            for (size_t s = 0; s < g.Stock.size(); ++s)
                freeStock[s].resize(freeStock[s].size() - static_cast<size_t>(g.Stock[s]));
            for (const auto& [c, n] : want)
                pieces[static_cast<size_t>(c)].resize(pieces[static_cast<size_t>(c)].size() -
                                                      static_cast<size_t>(n));
        }
    const size_t first = done.size();
    for (const std::vector<size_t>& list : freeStock)
        for (size_t k : list)
            done.push_back(open[k]);
    for (const auto& c : kClosings) {
        std::vector<TOpenPiece> trial = done;
        if (ChainClosing(Problem, trial, first, pieces, c.Least, c.ShortestFirst)) {
            open = std::move(trial);
            return true;
        }
    }
    return false;
}

} // namespace

TCutSolution PackJoinable(const TCutProblem& Problem, const std::vector<int>& StockCounts,
                          std::int32_t FirstTag, const std::vector<TEndingGroup>& Groups) {
    const auto packed = [&](const auto& Pack) {
        std::vector<TOpenPiece> open = OpenAll(Problem, StockCounts);
        return Pack(open) ? MakeSolution(Problem, Fills(open), FirstTag) : TCutSolution();
    };
    for (bool (*pack)(const TCutProblem&, std::vector<TOpenPiece>&) :
         {&BestFitThenJoin, &Chain, &ChainEndingShort}) {
        TCutSolution solution = packed([&](auto& open) { return pack(Problem, open); });
        if (solution.Found) return solution;
    }
    for (const auto& c : kClosings) {
        TCutSolution solution = packed([&](auto& open) {
            return ChainClosing(Problem, open, 0, PiecesByClass(Problem), c.Least, c.ShortestFirst);
        });
        if (solution.Found) return solution;
    }
    if (Groups.empty()) return TCutSolution();
    return packed([&](auto& open) { return EndGroupsThenChain(Problem, open, Groups); });
}
