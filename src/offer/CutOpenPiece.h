#pragma once
// Stock pieces being cut, shared by the greedy packing and the packings of joinable pieces.

#include "offer/CutPacking.h"

#include <algorithm>
#include <vector>

namespace cutfill {

constexpr double kEps = 1e-9;
// A joined piece is done when less than this is missing.
constexpr double kJoinShort = 1;
// What the last piece of a stock piece may lack where it takes the rest.
constexpr double kShortBy = 0.999;
// Groups of three pieces that end a stock piece are looked for among at most these many
// lengths: that search grows with the cube of their number.
constexpr size_t kMaxTripleClasses = 80;
// A joined segment comes from a remainder at least this long: shorter ones are waste.
inline double MinSegment(const TCutProblem& Problem) {
    return std::max(kMinJoinRemainder, Problem.MinRest);
}

struct TOpenPiece {
    int Stock;
    double Rest; // what is left for the next piece (the saw cut before it already taken)
    std::int32_t Code;
    std::vector<TCutOpened::TCut> Schnitte;
};

inline void Take(TOpenPiece& o, int piece, double length, std::int32_t code) {
    o.Schnitte.push_back({piece, length});
    o.Rest -= length + kSawCut;
    if (code > 0) o.Code /= code;
}

inline void OpenPackage(const TCutProblem& Problem, std::vector<TOpenPiece>& open, int s) {
    const TCutStock& stock = Problem.Lager[static_cast<size_t>(s)];
    for (int k = 0; k < stock.PckEin; ++k)
        open.push_back({s, stock.Laenge, stock.StirnSeite, {}});
}

// Joins the piece from the longest remainders; false when they do not reach.
bool Join(const TCutProblem& Problem, std::vector<TOpenPiece>& open, int piece);

inline std::vector<TStockFill> Fills(const std::vector<TOpenPiece>& open) {
    std::vector<TStockFill> fills;
    for (const TOpenPiece& o : open)
        fills.push_back({o.Stock, o.Schnitte});
    return fills;
}

// Fresh stock pieces, these many of each article.
inline std::vector<TOpenPiece> OpenAll(const TCutProblem& Problem,
                                       const std::vector<int>& StockCounts) {
    std::vector<TOpenPiece> open;
    for (size_t s = 0; s < StockCounts.size(); ++s)
        for (int k = 0; k < StockCounts[s]; ++k)
            open.push_back(
                {static_cast<int>(s), Problem.Lager[s].Laenge, Problem.Lager[s].StirnSeite, {}});
    return open;
}

} // namespace cutfill
