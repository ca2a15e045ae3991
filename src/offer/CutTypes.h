#pragma once
// The cut optimisation of one requirement entry, independent of which optimiser solves it:
// the sold lengths, the pieces, a solution (which piece is cut from which stock piece) and the
// controls of a run.

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

// A saw cut consumes this much.
constexpr double kSawCut = 0.3;
// Pieces are taken this much shorter than needed.
constexpr double kLengthTolerance = 0.1;
// For joinable types a remainder of at least this length takes any piece.
constexpr double kMinJoinRemainder = 5;

// Joinable types (parquet, strips, battens): a long piece may be joined from several stock
// pieces.
bool IsJoinableTyp(std::int32_t Typ);
// Types whose pieces keep factory ends (end codes): panels 1 and 2.
bool HasEndCodes(std::int32_t Typ);
// Types whose stock pieces and pieces carry numbers (boards 0..2 and battens).
bool IsTaggedTyp(std::int32_t Typ);

struct TCutStock {
    QString ArtikelNr;
    double Laenge = 0;
    std::int32_t PckEin = 1;      // pieces per package, at least 1
    std::int32_t StirnSeite = 21; // 9 for type 1 boards, 21 otherwise
};

struct TCutPiece {
    double Laenge = 0; // the requirement's length minus the tolerance
    std::int32_t StirnSeite = 1;
    std::int32_t SchnittFlag = 0;
    std::int32_t PckEin = 0;
    int Item = -1; // the requirement item it stands for
};

// One entry to optimise: stock sorted by length descending, pieces by length descending.
struct TCutProblem {
    std::int32_t Typ = 0;
    bool Optimierung = true; // the setting "Verschnitt&optimierung einschalten"
    std::vector<TCutStock> Lager;
    std::vector<TCutPiece> Teile;
    double MinRest = 10; // remainders shorter than this are waste
};

// A stock piece of an opened package and what is cut from it.
struct TCutOpened {
    int Stock = 0;        // index into Lager
    std::int32_t Tag = 0; // stock piece number (0 for untagged types)
    struct TCut {
        int Piece;     // index into Teile
        double Laenge; // the length taken from this stock piece
    };
    std::vector<TCut> Schnitte; // in cut order
    double Rest = 0;            // what is left of it, waste included (never below 0)
};

// A remainder left over, as the requirement's remainder list shows it.
struct TCutRest {
    int Opened = 0; // index into Opened
    double Laenge = 0;
    std::int32_t StirnSeite = 0;
    std::int32_t SchnittFlag = 0;
};

struct TCutSolution {
    bool Found = false;
    double Total = 0;               // opened length
    std::vector<TCutOpened> Opened; // in opening order, whole packages
    std::vector<TCutRest> Rest;
    std::vector<int> PieceOpened; // per piece: the stock piece it was finished in
    std::int32_t TagCounter = 0;  // the last stock piece number handed out
};

// What a run reports besides its solution.
struct TCutStats {
    std::int64_t Knoten = 0; // search nodes
    double Sekunden = 0;
    double Untergrenze = 0;   // the best lower bound proven for the model
    bool Optimal = false;     // the solution is proven to reach it
    bool Abgebrochen = false; // stopped by the user or the time limit
};

// How a run talks to the window: status texts for the first panel, and the Escape key, which
// the window records and the run consumes (a key pressed once stops one entry's search).
struct TCutControl {
    std::function<void(const QString&)> Status;
    std::function<bool()> TakeEscape;
    double TimeLimit = 0;       // seconds for one entry, 0: none
    std::int64_t NodeLimit = 0; // search nodes of one entry, 0: none
    // The retry stage's budget is measured in time, as the program does; tests fix the
    // number of groups it permutes instead (0: by the time of the first pass).
    int RetryGroups = 0;
};

// The state of one offer build the runs share: the stock piece numbers carry over from entry
// to entry, and an Escape ends the retry stage for every later entry.
struct TCutBuild {
    std::int32_t TagCounter = 0;
    bool SkipRetry = false;
};

// Every piece cut from a stock piece it fits (end codes for boards of types 1 and 2, saw cuts
// counted), only joinable types joined, whole packages opened, the total their length. Empty
// when the solution is valid; else what is wrong.
QString CheckCutSolution(const TCutProblem& Problem, const TCutSolution& Solution);
