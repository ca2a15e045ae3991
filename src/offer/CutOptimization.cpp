#include "offer/CutOptimization.h"

#include "catalogue/Products.h"
#include "offer/CutClassic.h"
#include "offer/CutExact.h"
#include "platform/Numbers.h"

#include <QHash>

#include <cmath>
#include <map>

namespace {

constexpr std::int32_t kTagBase = 100000;

bool OptimisedTyp(std::int32_t Typ) {
    return (Typ >= 0 && Typ <= 3) || Typ == ptLeiste || Typ == ptLatte;
}

int ByLength(const TArtikelItem& a, const TArtikelItem& b) {
    return a.Laenge < b.Laenge ? -1 : a.Laenge > b.Laenge ? 1 : 0;
}

template <class T>
int ByLengthDescending(const T& a, const T& b) {
    return a.Laenge > b.Laenge ? -1 : a.Laenge < b.Laenge ? 1 : 0;
}

} // namespace

QString MissingArticleText(const QString& ArtikelNr) {
    return QStringLiteral("Artikel Nr.:\"%1\" nicht im Artikelstamm gefunden.\r"
                          "Die Berechnung des Angebots ist nicht möglich.")
        .arg(ArtikelNr);
}

QString CheckArticles(const TCatalogue& Catalogue, const TBedarfsColl& Coll) {
    for (const TBedarfsEntry& entry : Coll.Entries)
        if (Catalogue.FindProduct(entry.ArtikelNr) == nullptr)
            return MissingArticleText(entry.ArtikelNr);
    return QString();
}

QString MergeCompatibleEntries(const TCatalogue& Catalogue, TBedarfsColl& Coll) {
    if (QString missing = CheckArticles(Catalogue, Coll); !missing.isEmpty()) return missing;
    std::vector<const TProduct*> articles;
    for (const TBedarfsEntry& entry : Coll.Entries)
        articles.push_back(Catalogue.FindProduct(entry.ArtikelNr));
    // Each entry goes to the longest article it may stand in for; among equally long ones to
    // the first. Chains end there, since that article stands in for no longer one.
    const size_t n = Coll.Entries.size();
    std::vector<size_t> target(n);
    for (size_t i = 0; i < n; ++i) {
        target[i] = i;
        if (articles[i]->Typ >= ptKlammer) continue;
        for (size_t j = 0; j < n; ++j) {
            if (j == i || !articles[j]->IsCompatible(articles[i])) continue;
            const double current = articles[target[i]]->VLaenge;
            if (articles[j]->VLaenge > current ||
                (articles[j]->VLaenge == current && j < target[i]))
                target[i] = j;
        }
    }
    for (size_t i = 0; i < n; ++i)
        if (target[i] != i)
            for (const TArtikelItem& item : Coll.Entries[i].Items)
                Coll.Entries[target[i]].Items.Add(item);
    std::vector<TBedarfsEntry> kept;
    for (size_t i = 0; i < n; ++i)
        if (target[i] == i) kept.push_back(std::move(Coll.Entries[i]));
    Coll.Entries = std::move(kept);
    for (TBedarfsEntry& entry : Coll.Entries)
        entry.Items.Sort(ByLength);
    return QString();
}

TCutProblem BuildCutProblem(std::int32_t Typ, bool Optimierung,
                            const std::vector<TCutStock>& Candidates,
                            const TArtikelItemArray& Items, QStringList* Problems) {
    TCutProblem problem;
    problem.Typ = Typ;
    problem.Optimierung = Optimierung;
    const bool joinable = IsJoinableTyp(Typ);
    const double first = Items.Empty() ? 0 : Items.Get(0).Laenge;
    for (TCutStock stock : Candidates) {
        // Stock that can take nothing would let the search open packages without end.
        if (!(stock.Laenge > 0) || !std::isfinite(stock.Laenge) ||
            (joinable && stock.Laenge < kMinJoinRemainder)) {
            if (Problems)
                Problems->append(QStringLiteral("Artikel %1: die Länge %2 cm ist zum Zuschneiden "
                                                "zu kurz.")
                                     .arg(stock.ArtikelNr)
                                     .arg(stock.Laenge));
            continue;
        }
        if (!(stock.Laenge > first - kLengthTolerance || Typ == ptParkett || Typ == ptLatte))
            continue;
        stock.StirnSeite = Typ == ptPaneel ? 9 : 21;
        problem.Lager.push_back(stock);
    }
    if (problem.Lager.size() > 1)
        RecordQuickSort(problem.Lager, 0, static_cast<int>(problem.Lager.size()) - 1,
                        ByLengthDescending<TCutStock>);
    for (int i = 0; i < Items.Count(); ++i) {
        const TArtikelItem& item = Items.Get(i);
        TCutPiece piece;
        piece.Laenge = item.Laenge - kLengthTolerance;
        piece.StirnSeite = item.StirnSeite > 0 ? item.StirnSeite : 1;
        piece.SchnittFlag = item.SchnittFlag;
        piece.PckEin = item.PckEin;
        piece.Item = i;
        problem.Teile.push_back(piece);
    }
    if (problem.Teile.size() > 1)
        RecordQuickSort(problem.Teile, 0, static_cast<int>(problem.Teile.size()) - 1,
                        ByLengthDescending<TCutPiece>);
    problem.MinRest = 10;
    if (Typ < ptParkett && !problem.Teile.empty()) problem.MinRest = problem.Teile.back().Laenge;
    return problem;
}

std::int32_t PackageUnit(double PckEin) {
    // A package of less than one piece is one piece.
    const double pieces = std::isfinite(PckEin) ? std::round(PckEin) : 1;
    return static_cast<std::int32_t>(std::clamp(pieces, 1.0, 1e6));
}

TCutStock StockOf(const TProduct& Article) {
    TCutStock stock;
    stock.ArtikelNr = Article.ArtikelNr.Text();
    stock.Laenge = Article.VLaenge;
    stock.PckEin = PackageUnit(Article.PckEin);
    return stock;
}

TCutProblem BuildCutProblem(const TProduct& Article, const TArtikelItemArray& Items,
                            bool Optimierung, QStringList* Problems) {
    std::vector<TCutStock> candidates;
    if ((Article.Typ == ptProfilholz || Optimierung) && Article.ProductGroup != nullptr) {
        for (const auto& q : Article.ProductGroup->Products.Items())
            if (Article.IsCompatible(q.get())) candidates.push_back(StockOf(*q));
    } else {
        candidates.push_back(StockOf(Article));
    }
    return BuildCutProblem(Article.Typ, Optimierung, candidates, Items, Problems);
}

void StoreSolution(const TCutProblem& Problem, const TCutSolution& Solution,
                   TArtikelItemArray& Items, TEntryResult& Result) {
    Result.PaketList.Clear();
    Result.RestColl.Clear();
    if (!Solution.Found) return;
    const auto typ = static_cast<std::uint16_t>(Problem.Typ);
    for (const TCutOpened& o : Solution.Opened) {
        const TCutStock& stock = Problem.Lager[static_cast<size_t>(o.Stock)];
        TArtikelItem item;
        item.ArtikelNr.SetText(stock.ArtikelNr);
        item.Laenge = stock.Laenge;
        item.StirnSeite = stock.StirnSeite;
        item.Typ = typ;
        item.PckEin = stock.PckEin;
        item.Tag = o.Tag;
        Result.PaketList.Add(item);
    }
    for (const TCutRest& r : Solution.Rest) {
        const TCutOpened& o = Solution.Opened[static_cast<size_t>(r.Opened)];
        TArtikelItem item;
        item.ArtikelNr.SetText(Problem.Lager[static_cast<size_t>(o.Stock)].ArtikelNr);
        item.Laenge = r.Laenge;
        item.StirnSeite = r.StirnSeite;
        item.SchnittFlag = static_cast<std::uint16_t>(r.SchnittFlag);
        item.Typ = typ;
        item.Tag = o.Tag;
        Result.RestColl.Add(item);
    }
    if (IsTaggedTyp(Problem.Typ))
        for (size_t i = 0; i < Problem.Teile.size(); ++i) {
            const int opened = Solution.PieceOpened[i];
            if (opened >= 0)
                Items.Get(Problem.Teile[i].Item).Tag =
                    Solution.Opened[static_cast<size_t>(opened)].Tag;
        }
}

TCutSolution OptimizeProblem(const TCutProblem& Problem, TCutBuild& Build,
                             const TOptimizeOptions& Options, TCutStats& Stats) {
    if (Options.Optimizer == TOptimizer::Classic)
        return CutClassic(Problem, Build, Options.Control, Stats);
    return CutExact(Problem, Build, Options.Control, Stats);
}

std::vector<TEntryResult> OptimizeBedarf(const TCatalogue& Catalogue, TBedarfsColl& Coll,
                                         const TOptimizeOptions& Options, QStringList* Messages) {
    std::vector<TEntryResult> results(Coll.Entries.size());
    TCutBuild build;
    for (size_t e = 0; e < Coll.Entries.size(); ++e) {
        TBedarfsEntry& entry = Coll.Entries[e];
        TEntryResult& result = results[e];
        const TProduct* article = Catalogue.FindProduct(entry.ArtikelNr);
        if (article == nullptr || !OptimisedTyp(article->Typ) || entry.Items.Empty()) continue;
        result.Optimised = true;
        result.Problem = BuildCutProblem(*article, entry.Items, Options.Optimierung, Messages);
        result.Solution = OptimizeProblem(result.Problem, build, Options, result.Stats);
        if (!result.Solution.Found) {
            result.Error =
                result.Stats.Abgebrochen
                    ? QStringLiteral("Artikel %1: die Optimierung wurde vor der ersten Lösung "
                                     "abgebrochen.")
                          .arg(entry.ArtikelNr)
                    : QStringLiteral("Artikel %1: Teile von %2 cm sind länger als jede "
                                     "Lagerlänge.")
                          .arg(entry.ArtikelNr)
                          .arg(FormatGeneral(result.Problem.Teile.front().Laenge + kLengthTolerance,
                                             u','));
            if (Messages) Messages->append(result.Error);
        }
        StoreSolution(result.Problem, result.Solution, entry.Items, result);
    }
    return results;
}

void RenumberTags(TBedarfsColl& Coll, std::vector<TEntryResult>& Results) {
    const auto each = [&](const std::function<void(TArtikelItem&, int)>& f) {
        // kind 0: requirement item, 1: stock piece, 2: remainder
        for (TBedarfsEntry& entry : Coll.Entries)
            for (TArtikelItem& item : entry.Items)
                f(item, 0);
        for (TEntryResult& r : Results) {
            for (TArtikelItem& item : r.PaketList)
                f(item, 1);
            for (TArtikelItem& item : r.RestColl)
                f(item, 2);
        }
    };
    each([](TArtikelItem& item, int) {
        if (item.Typ > 2) item.Tag = 0;
    });
    // A number is worth keeping only where a stock board gives two pieces or more.
    QHash<std::int32_t, int> pieces;
    each([&](TArtikelItem& item, int kind) {
        if (kind == 0 && item.Tag != 0) ++pieces[item.Tag];
    });
    each([&](TArtikelItem& item, int) {
        if (item.Tag != 0 && pieces.value(item.Tag) < 2) item.Tag = 0;
    });
    each([](TArtikelItem& item, int) {
        if (item.Tag != 0) item.Tag += kTagBase;
    });
    std::map<std::int32_t, std::int32_t> renumbered;
    std::int32_t next = 0;
    for (TEntryResult& r : Results)
        for (TArtikelItem& item : r.PaketList)
            if (item.Tag > kTagBase && !renumbered.count(item.Tag)) renumbered[item.Tag] = ++next;
    each([&](TArtikelItem& item, int) {
        const auto it = renumbered.find(item.Tag);
        if (it != renumbered.end()) item.Tag = it->second;
    });
}
