#pragma once
// Cut problems written down in a line, for the optimiser tests.

#include "model/Bedarf.h"
#include "offer/CutExact.h"
#include "offer/CutOptimization.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

struct TStockSpec {
    const char* ArtikelNr;
    double Laenge;
    int PckEin;
};

struct TPieceSpec {
    double Laenge; // as the requirement holds it
    int StirnSeite = 1;
    int Anzahl = 1;
};

// The requirement items of the pieces, in the order given.
inline TArtikelItemArray Items(const std::vector<TPieceSpec>& Pieces, int Typ) {
    TArtikelItemArray items;
    for (const TPieceSpec& p : Pieces)
        for (int k = 0; k < p.Anzahl; ++k) {
            TArtikelItem item;
            item.Laenge = p.Laenge;
            item.StirnSeite = p.StirnSeite;
            item.Typ = static_cast<std::uint16_t>(Typ);
            items.Add(item);
        }
    return items;
}

inline TCutProblem Problem(int Typ, const std::vector<TStockSpec>& Stock,
                           const std::vector<TPieceSpec>& Pieces, bool Optimierung = true) {
    std::vector<TCutStock> candidates;
    for (const TStockSpec& s : Stock) {
        TCutStock stock;
        stock.ArtikelNr = QString::fromLatin1(s.ArtikelNr);
        stock.Laenge = s.Laenge;
        stock.PckEin = s.PckEin;
        candidates.push_back(stock);
    }
    TArtikelItemArray items = Items(Pieces, Typ);
    items.Sort([](const TArtikelItem& a, const TArtikelItem& b) {
        return a.Laenge < b.Laenge ? -1 : a.Laenge > b.Laenge ? 1 : 0;
    });
    return BuildCutProblem(Typ, Optimierung, candidates, items);
}

// The lengths cut from each opened stock piece, each sorted, in opening order.
inline std::vector<std::vector<double>> CutLengths(const TCutSolution& s) {
    std::vector<std::vector<double>> all;
    for (const TCutOpened& o : s.Opened) {
        std::vector<double> lengths;
        for (const TCutOpened::TCut& c : o.Schnitte)
            lengths.push_back(c.Laenge);
        std::sort(lengths.begin(), lengths.end());
        all.push_back(lengths);
    }
    return all;
}

// The exact optimiser on a problem, within Limit seconds.
inline TCutSolution Exact(const TCutProblem& p, TCutStats& stats, double limit = 5) {
    TCutBuild build;
    TCutControl control;
    control.TimeLimit = limit;
    return CutExact(p, build, control, stats);
}
