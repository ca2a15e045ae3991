#pragma once
// The cut optimisation of a whole requirement: merging compatible entries, one optimisation
// per entry of a board, strip or batten article, and the stock piece numbers of the cut list.

#include "model/Bedarf.h"
#include "offer/CutTypes.h"

#include <QStringList>

#include <vector>

class TCatalogue;
class TProduct;

enum class TOptimizer { Exact, Classic };

struct TOptimizeOptions {
    TOptimizer Optimizer = TOptimizer::Exact;
    bool Optimierung = true; // "Verschnitt&optimierung einschalten"
    TCutControl Control;
};

// The result of one requirement entry, parallel to the requirement's entries.
struct TEntryResult {
    bool Optimised = false;      // a board, strip or batten entry with pieces
    TArtikelItemArray PaketList; // stock pieces of the opened packages
    TArtikelItemArray RestColl;  // what is left over
    TCutProblem Problem;
    TCutSolution Solution;
    TCutStats Stats;
    QString Error; // why the entry has no solution; empty when it has one
};

// The message that stops the offer build when an entry's article is not in the catalogue.
QString MissingArticleText(const QString& ArtikelNr);

// The message for the first entry whose article is not in the catalogue; empty when all are.
QString CheckArticles(const TCatalogue& Catalogue, const TBedarfsColl& Coll);

// Optimisation on: the pieces of every entry whose article may stand in for a longer
// compatible article of another entry are moved to the entry of the longest such article
// (whatever the order of the entries), and every entry's items are sorted by length. An entry
// whose article is not in the catalogue stops it: the message, and the requirement unchanged.
QString MergeCompatibleEntries(const TCatalogue& Catalogue, TBedarfsColl& Coll);

// The entry's stock and pieces as the optimisation takes them: from the candidates those
// longer than the entry's first piece less the tolerance (any length for parquet and battens),
// sorted longest first; the pieces shortened by the tolerance, longest first. Stock too short
// to take anything is left out and named in Problems.
TCutProblem BuildCutProblem(std::int32_t Typ, bool Optimierung,
                            const std::vector<TCutStock>& Candidates,
                            const TArtikelItemArray& Items, QStringList* Problems = nullptr);
// Whole pieces per package: the package unit rounded, at least one.
std::int32_t PackageUnit(double PckEin);
// The stock of an article: its length and whole pieces per package.
TCutStock StockOf(const TProduct& Article);
// The same for an entry of the article: the candidates are the article itself and, with
// optimisation on or for profile timber, the articles of its group that may stand in for it.
TCutProblem BuildCutProblem(const TProduct& Article, const TArtikelItemArray& Items,
                            bool Optimierung, QStringList* Problems = nullptr);

// Optimises every entry of a board, strip or batten article. Results are parallel to
// Coll.Entries; the pieces' Tag fields are set. Messages collects what the user should know
// (pieces longer than every sold length, a search stopped before a solution).
std::vector<TEntryResult> OptimizeBedarf(const TCatalogue& Catalogue, TBedarfsColl& Coll,
                                         const TOptimizeOptions& Options,
                                         QStringList* Messages = nullptr);

// Runs the chosen optimiser on one problem.
TCutSolution OptimizeProblem(const TCutProblem& Problem, TCutBuild& Build,
                             const TOptimizeOptions& Options, TCutStats& Stats);

// Writes a solution into the entry's lists and its pieces' tags.
void StoreSolution(const TCutProblem& Problem, const TCutSolution& Solution,
                   TArtikelItemArray& Items, TEntryResult& Result);

// Stock piece numbers are kept only where a stock board gives more than one piece; they are
// then numbered 1, 2, ... in the order of the opened packages.
void RenumberTags(TBedarfsColl& Coll, std::vector<TEntryResult>& Results);
