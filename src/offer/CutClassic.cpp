#include "offer/CutClassic.h"

#include "model/Bedarf.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr double kNoSolution = 1e24;
constexpr int kPollEvery = 1024;
constexpr int kMaxGroups = 6;
// The retry stage runs only when the first pass took less, and stays within the budget.
constexpr double kRetryFirstPassLimit = 90;

// A piece to place or a remainder of a stock piece.
struct TSortierItem {
    int Owner = 0; // piece: index into Teile; remainder: index into Lager
    double Laenge = 0;
    std::int32_t StirnSeite = 1;
    std::int32_t PckEin = 0;
    std::int32_t Tag = 0;
    std::int32_t Group = 0;
    std::int32_t SchnittFlag = 0;
    int Opened = -1; // remainder: the opened stock piece it is part of
};

int Ascending(const TSortierItem& a, const TSortierItem& b) {
    return a.Laenge < b.Laenge ? -1 : a.Laenge > b.Laenge ? 1 : 0;
}

void SortAscending(std::vector<TSortierItem>& Items) {
    if (Items.size() > 1) RecordQuickSort(Items, 0, static_cast<int>(Items.size()) - 1, Ascending);
}

struct TCutEvent {
    int Opened;
    int Piece;
    double Laenge;
};

// The state a search node works on; every node has its own copy.
struct TNode {
    std::vector<TSortierItem> P;                 // pieces to place
    std::vector<std::pair<int, int>> S;          // placed pieces: piece, opened stock piece
    std::vector<TSortierItem> R;                 // open remainders, shortest first
    std::vector<std::pair<int, std::int32_t>> O; // opened stock pieces: stock, tag
    std::vector<TCutEvent> Cuts;
    std::vector<double> Rest; // per opened stock piece
    std::int32_t Tag = 0;     // the tag counter
    double x = 0;             // opened length
};

class TClassicSearch {
public:
    TClassicSearch(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                   TCutStats& Stats)
        : fProblem(Problem), fBuild(Build), fControl(Control), fStats(Stats),
          fJoinable(IsJoinableTyp(Problem.Typ)), fTagged(IsTaggedTyp(Problem.Typ)) {
        fClock.start();
    }

    void FirstPass(const std::vector<TSortierItem>& Pieces) {
        for (int s = 0; s < static_cast<int>(fProblem.Lager.size()); ++s) {
            TNode root;
            root.P = Pieces;
            root.Tag = fBuild.TagCounter;
            Search(root, s);
        }
    }

    bool Aborted() const { return fAbort; }
    TCutSolution Solution() const { return fSolution; }
    double Elapsed() const { return fClock.elapsed() / 1000.0; }
    std::int64_t Nodes() const { return fNodes; }

private:
    bool Fits(const TSortierItem& p, const TSortierItem& r) const {
        switch (fProblem.Typ) {
        case 0:
            return p.Laenge <= r.Laenge;
        case 1:
        case 2:
            return p.Laenge <= r.Laenge && p.StirnSeite > 0 && r.StirnSeite % p.StirnSeite == 0;
        default:
            return r.Laenge >= kMinJoinRemainder;
        }
    }

    void Poll() {
        if (fControl.Status)
            fControl.Status(QStringLiteral(" Kombinationen: %1   Lösungen: %2   Abbruch mit ESC.")
                                .arg(fNodes)
                                .arg(fSolutions));
        if (fControl.TakeEscape && fControl.TakeEscape()) {
            fAbort = true;
            fBuild.SkipRetry = true;
            fStats.Abgebrochen = true;
        }
        if (fControl.TimeLimit > 0 && Elapsed() > fControl.TimeLimit) {
            fAbort = true;
            fStats.Abgebrochen = true;
        }
    }

    // Cuts piece P[pi] from remainder R[ri]; true when the piece is done.
    bool Cut(TNode& n, size_t pi, size_t ri) {
        TSortierItem& p = n.P[pi];
        TSortierItem& r = n.R[ri];
        const double rl = r.Laenge, pl = p.Laenge;
        n.Cuts.push_back({r.Opened, p.Owner, std::min(pl, rl)});
        r.Laenge = rl - pl - kSawCut;
        p.Laenge = pl - rl;
        if (p.StirnSeite > 0) r.StirnSeite /= p.StirnSeite;
        r.SchnittFlag = 1;
        n.Rest[static_cast<size_t>(r.Opened)] = std::max(r.Laenge, 0.0);
        return p.Laenge < 1;
    }

    // Places pieces from the front (long) or the back (short) of P while a remainder takes
    // them; done pieces are counted down in g.
    void Place(TNode& n, bool front, int& g) {
        while (!n.P.empty()) {
            const size_t pi = front ? 0 : n.P.size() - 1;
            size_t ri = 0;
            while (ri < n.R.size() && !Fits(n.P[pi], n.R[ri]))
                ++ri;
            if (ri == n.R.size()) return;
            if (Cut(n, pi, ri)) {
                n.P[pi].Tag = n.R[ri].Tag;
                n.S.emplace_back(n.P[pi].Owner, n.R[ri].Opened);
                n.P.erase(n.P.begin() + static_cast<std::ptrdiff_t>(pi));
                --g;
            }
            if (n.R[ri].Laenge < fProblem.MinRest)
                n.R.erase(n.R.begin() + static_cast<std::ptrdiff_t>(ri));
            else
                SortAscending(n.R);
        }
    }

    void Search(TNode n, int s) {
        if (fAbort || !(n.x < fBest)) return;
        ++fNodes;
        if (fNodes % kPollEvery == 0) Poll();
        if (fControl.NodeLimit > 0 && fNodes >= fControl.NodeLimit) fAbort = true;
        if (n.P.empty()) {
            Record(n);
            return;
        }
        const TCutStock& stock = fProblem.Lager[static_cast<size_t>(s)];
        if (stock.Laenge < n.P[0].Laenge && !fJoinable) return;
        int g0 = 0, g1 = 0;
        while (g0 < static_cast<int>(n.P.size()) &&
               n.P[static_cast<size_t>(g0)].Group == n.P[0].Group)
            ++g0;
        while (g1 < static_cast<int>(n.P.size()) &&
               n.P[n.P.size() - 1 - static_cast<size_t>(g1)].Group == n.P.back().Group)
            ++g1;
        do {
            n.x += stock.PckEin * stock.Laenge;
            for (int k = 0; k < stock.PckEin; ++k) {
                TSortierItem r;
                r.Owner = s;
                r.Laenge = stock.Laenge;
                r.StirnSeite = stock.StirnSeite;
                r.PckEin = stock.PckEin;
                r.Tag = fTagged ? ++n.Tag : 0;
                r.Opened = static_cast<int>(n.O.size());
                n.R.push_back(r);
                n.O.emplace_back(s, r.Tag);
                n.Rest.push_back(stock.Laenge);
            }
            SortAscending(n.R);
            Place(n, true, g0);
            Place(n, false, g1);
        } while (!n.P.empty() && g0 >= 1 && g1 >= 1 && n.x < fBest);
        for (int next = 0; next < static_cast<int>(fProblem.Lager.size()); ++next)
            Search(n, next);
    }

    void Record(const TNode& n) {
        ++fSolutions;
        fBest = n.x;
        TCutSolution& sol = fSolution;
        sol.Found = true;
        sol.Total = n.x;
        sol.TagCounter = n.Tag;
        sol.Opened.assign(n.O.size(), TCutOpened());
        for (size_t k = 0; k < n.O.size(); ++k) {
            sol.Opened[k].Stock = n.O[k].first;
            sol.Opened[k].Tag = n.O[k].second;
            sol.Opened[k].Rest = n.Rest[k];
        }
        for (const TCutEvent& cut : n.Cuts)
            sol.Opened[static_cast<size_t>(cut.Opened)].Schnitte.push_back({cut.Piece, cut.Laenge});
        sol.Rest.clear();
        for (const TSortierItem& r : n.R)
            sol.Rest.push_back({r.Opened, r.Laenge, r.StirnSeite, r.SchnittFlag});
        sol.PieceOpened.assign(fProblem.Teile.size(), -1);
        for (const auto& [piece, opened] : n.S)
            sol.PieceOpened[static_cast<size_t>(piece)] = opened;
    }

    const TCutProblem& fProblem;
    TCutBuild& fBuild;
    const TCutControl& fControl;
    TCutStats& fStats;
    const bool fJoinable;
    const bool fTagged;
    QElapsedTimer fClock;
    double fBest = kNoSolution;
    TCutSolution fSolution;
    bool fAbort = false;
    std::int64_t fNodes = 0;
    std::int64_t fSolutions = 0;
};

int GroupCount(const std::vector<TCutPiece>& Teile, double Tol) {
    int groups = 0;
    double first = 0;
    for (const TCutPiece& p : Teile)
        if (groups == 0 || std::abs(p.Laenge - first) >= Tol) {
            ++groups;
            first = p.Laenge;
        }
    return groups;
}

// The number of trailing groups the retry stage orders anew, so that k! first passes stay
// within its budget.
int RetryGroupsFor(double FirstPass) {
    if (FirstPass > 30) return 2;
    if (FirstPass > 7.5) return 3;
    if (FirstPass > 1.5) return 4;
    if (FirstPass > 0.25) return 5;
    if (FirstPass > 180.0 / 5040) return 6;
    return 7;
}

} // namespace

std::vector<int> LengthGroups(const std::vector<TCutPiece>& Teile,
                              const std::vector<TCutStock>& Lager) {
    double tol = 50;
    if (Lager.size() > 1) {
        const double d = Lager.front().Laenge - Lager.back().Laenge;
        if (d > 10) tol = d / static_cast<double>(Lager.size() - 1);
    }
    for (;;) {
        const int n = GroupCount(Teile, tol);
        if (n <= kMaxGroups) tol -= 5;
        if (n > kMaxGroups || tol <= 6) break;
    }
    std::vector<int> groups;
    int group = -1;
    double first = 0;
    for (const TCutPiece& p : Teile) {
        if (group < 0 || std::abs(p.Laenge - first) >= tol) {
            ++group;
            first = p.Laenge;
        }
        groups.push_back(group);
    }
    return groups;
}

TCutSolution CutClassic(const TCutProblem& Problem, TCutBuild& Build, const TCutControl& Control,
                        TCutStats& Stats) {
    // The search proves no bound.
    Stats.Untergrenze = std::numeric_limits<double>::quiet_NaN();
    if (Problem.Teile.empty() || Problem.Lager.empty()) return TCutSolution();
    const std::vector<int> groups = LengthGroups(Problem.Teile, Problem.Lager);
    std::vector<TSortierItem> pieces;
    for (size_t i = 0; i < Problem.Teile.size(); ++i) {
        const TCutPiece& t = Problem.Teile[i];
        TSortierItem p;
        p.Owner = static_cast<int>(i);
        p.Laenge = t.Laenge;
        p.StirnSeite = t.StirnSeite;
        p.PckEin = t.PckEin;
        p.SchnittFlag = t.SchnittFlag;
        p.Group = groups[i];
        pieces.push_back(p);
    }

    TClassicSearch search(Problem, Build, Control, Stats);
    search.FirstPass(pieces);
    const double firstPass = search.Elapsed();

    if (Problem.Optimierung && !Build.SkipRetry && !search.Aborted() && Problem.Typ < 3 &&
        firstPass < kRetryFirstPassLimit) {
        const int groupCount = groups.empty() ? 0 : groups.back() + 1;
        const int k = std::min(
            Control.RetryGroups > 0 ? Control.RetryGroups : RetryGroupsFor(firstPass), groupCount);
        std::vector<int> order(static_cast<size_t>(groupCount));
        std::iota(order.begin(), order.end(), 0);
        const auto tail = order.end() - k;
        do {
            std::vector<TSortierItem> reordered;
            for (int g : order)
                for (const TSortierItem& p : pieces)
                    if (p.Group == g) reordered.push_back(p);
            search.FirstPass(reordered);
        } while (!search.Aborted() && std::next_permutation(tail, order.end()));
    }

    Stats.Knoten += search.Nodes();
    Stats.Sekunden += search.Elapsed();
    if (Control.Status)
        Control.Status(QStringLiteral(" Kombinationen: %1   Zeit:%2")
                           .arg(search.Nodes())
                           .arg(QString::number(search.Elapsed(), 'f', 0)));
    TCutSolution solution = search.Solution();
    if (solution.Found) Build.TagCounter = solution.TagCounter;
    return solution;
}
