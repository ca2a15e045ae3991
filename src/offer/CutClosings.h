#pragma once
// Groups of a few joinable pieces that end stock pieces. Stock pieces linked by joined pieces
// gain only where the last piece of such a row ends the last of them: it may lack less than
// 1 cm there and needs no saw cut. So the pieces of a row that gains are worth (length and a
// saw cut each) more than its stock pieces by less than that, and rows of up to four pieces are
// listed here, each with the stock pieces it ends.

#include "offer/CutPricing.h"
#include "offer/CutTypes.h"

#include <array>
#include <vector>

// What a row of stock pieces gains where a piece ends it stays below this: the saw cut and the
// less than 1 cm the piece may lack.
double MostEndGain();

struct TClosingGroup {
    std::array<int, 4> Classes{-1, -1, -1, -1}; // indices into Classes, the rest -1
    int Size = 0;
    double Gain = 0;        // worth of the pieces less the stock length, below MostEndGain()
    std::vector<int> Stock; // stock pieces per article
};

struct TClosingSet {
    std::vector<TPieceClass> Classes; // PieceClasses of the problem
    std::vector<double> Worth;        // length and saw cut of a piece of each class
    std::vector<TClosingGroup> Groups;
    // Groups of more pieces than this are not listed: each of their pieces gains at most
    // MostEndGain() / (Most + 1).
    int Most = 0;
    // Whether each group is listed with every way of the stock to make up its sum.
    bool AllWays = true;
};

// The worth (length and saw cut) of all pieces of the set.
double TotalWorth(const TClosingSet& Set);

// The groups of one to four pieces that end stock pieces, each with every way of the stock
// articles to make up the sum it ends; fewer pieces where there would be too many groups.
TClosingSet ClosingGroups(const TCutProblem& Problem);
