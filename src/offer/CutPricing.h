#pragma once
// The pieces of a board entry as classes of equal length and end code, and the pricing of the
// column generation: the most valuable pattern a stock piece can take.

#include "offer/CutTypes.h"

#include <utility>
#include <vector>

struct TPieceClass {
    double Laenge = 0;
    std::int32_t StirnSeite = 1; // 1 for types without end codes
    int Demand = 0;
    std::vector<int> Pieces; // indices into Teile
};

// The classes of the pieces, longest first; ClassOf maps each piece to its class.
std::vector<TPieceClass> PieceClasses(const TCutProblem& Problem, std::vector<int>& ClassOf);
// Whether one piece of the class fits a fresh stock piece of that article.
bool ClassFitsStock(const TCutProblem& Problem, const TPieceClass& Class, int Stock);
// How many pieces of the class alone a fresh stock piece takes (at most the demand).
int MaxCopies(const TCutProblem& Problem, const TPieceClass& Class, int Stock);

using TPatternCounts = std::vector<std::pair<int, int>>; // class, count

struct TPricing {
    double Value = 0;      // of the best pattern found, or the floor when none beat it
    double UpperValue = 0; // no pattern is worth more (equal to Value when the search ended)
    // Patterns worth more than the floor, the best first; empty when none is.
    std::vector<TPatternCounts> Patterns;
};

// The pattern of the stock article with the largest sum of the classes' values Pi: pieces and
// a saw cut between them within its length, end codes within the stock piece's, at most the
// demand of each class. Only patterns worth more than Floor are looked for: column generation
// needs improving ones, and a search that cannot beat the floor ends soon. Besides the best,
// a few found on the way are given (more columns per round, fewer rounds). A search of more
// than MaxNodes nodes is cut short: it may miss the best pattern, and proves only the
// fractional bound.
constexpr std::int64_t kMaxPricingNodes = 2000000;
TPricing PricePattern(const TCutProblem& Problem, const std::vector<TPieceClass>& Classes,
                      const std::vector<double>& Pi, int Stock, double Floor = 0,
                      std::int64_t MaxNodes = kMaxPricingNodes);
