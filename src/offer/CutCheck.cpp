// The independent check of a cut solution, shared by tests, the exact optimiser's repair step
// and tarv-cli.

#include "offer/CutTypes.h"

#include <cmath>

namespace {

// Rounding slack of lengths summed in different orders.
constexpr double kSlack = 1e-7;
// A joined piece is done when less than this is missing.
constexpr double kJoinDone = 1;

} // namespace

bool IsJoinableTyp(std::int32_t Typ) {
    return Typ == 3 || Typ == 10 || Typ == 11;
}

bool HasEndCodes(std::int32_t Typ) {
    return Typ == 1 || Typ == 2;
}

bool IsTaggedTyp(std::int32_t Typ) {
    return Typ < 3 || Typ == 11;
}

QString CheckCutSolution(const TCutProblem& Problem, const TCutSolution& Solution) {
    if (!Solution.Found) return QStringLiteral("keine Lösung");
    const bool joinable = IsJoinableTyp(Problem.Typ);
    const bool codes = HasEndCodes(Problem.Typ);
    std::vector<double> got(Problem.Teile.size(), 0);
    std::vector<int> segments(Problem.Teile.size(), 0);
    // Segments that left some of their stock piece: a piece goes on in another stock piece
    // only from one that took the whole remainder, as the search cuts.
    std::vector<int> partial(Problem.Teile.size(), 0);
    std::vector<std::int64_t> opened(Problem.Lager.size(), 0);
    double total = 0;
    for (size_t k = 0; k < Solution.Opened.size(); ++k) {
        const TCutOpened& o = Solution.Opened[k];
        if (o.Stock < 0 || o.Stock >= static_cast<int>(Problem.Lager.size()))
            return QStringLiteral("Lagerstück %1 ohne Artikel").arg(k);
        const TCutStock& stock = Problem.Lager[static_cast<size_t>(o.Stock)];
        ++opened[static_cast<size_t>(o.Stock)];
        total += stock.Laenge;
        double rest = stock.Laenge;
        std::int32_t code = stock.StirnSeite;
        for (const TCutOpened::TCut& cut : o.Schnitte) {
            if (cut.Piece < 0 || cut.Piece >= static_cast<int>(Problem.Teile.size()))
                return QStringLiteral("Lagerstück %1: unbekanntes Teil").arg(k);
            const TCutPiece& piece = Problem.Teile[static_cast<size_t>(cut.Piece)];
            if (!(cut.Laenge > 0) || cut.Laenge > rest + kSlack)
                return QStringLiteral("Lagerstück %1: %2 cm passen nicht in %3 cm")
                    .arg(k)
                    .arg(cut.Laenge)
                    .arg(rest);
            const bool whole = std::abs(cut.Laenge - piece.Laenge) <= kSlack;
            if (!whole && !joinable)
                return QStringLiteral("Lagerstück %1: Teil %2 ist gestückelt")
                    .arg(k)
                    .arg(cut.Piece);
            if (!whole && rest < kMinJoinRemainder - kSlack)
                return QStringLiteral("Lagerstück %1: Stück unter 5 cm angesetzt").arg(k);
            if (codes) {
                if (piece.StirnSeite <= 0 || code % piece.StirnSeite != 0)
                    return QStringLiteral("Lagerstück %1: Teil %2 braucht ein Werksende, das "
                                          "nicht mehr da ist")
                        .arg(k)
                        .arg(cut.Piece);
                code /= piece.StirnSeite;
            }
            if (cut.Laenge < rest - kSlack) ++partial[static_cast<size_t>(cut.Piece)];
            rest -= cut.Laenge + kSawCut;
            got[static_cast<size_t>(cut.Piece)] += cut.Laenge;
            ++segments[static_cast<size_t>(cut.Piece)];
        }
        if (std::abs(std::max(rest, 0.0) - o.Rest) > 1e-6)
            return QStringLiteral("Lagerstück %1: Rest %2 statt %3").arg(k).arg(o.Rest).arg(rest);
    }
    for (size_t i = 0; i < Problem.Teile.size(); ++i) {
        const double need = Problem.Teile[i].Laenge;
        if (segments[i] == 0) return QStringLiteral("Teil %1 fehlt").arg(i);
        // A joined piece is done when less than 1 cm is missing, as the search decides it.
        if (joinable ? need - got[i] >= kJoinDone + kSlack : segments[i] != 1)
            return QStringLiteral("Teil %1: %2 von %3 cm").arg(i).arg(got[i]).arg(need);
        // Less than the whole piece only where the last remainder ran out; of a joined piece
        // every segment but the last takes a whole remainder.
        const bool complete = got[i] >= need - kSlack;
        if ((segments[i] > 1 || !complete) && partial[i] > (complete ? 1 : 0))
            return QStringLiteral("Teil %1: angesetzt, wo der Rest nicht aufgebraucht ist").arg(i);
    }
    for (size_t s = 0; s < Problem.Lager.size(); ++s)
        if (opened[s] % std::max(Problem.Lager[s].PckEin, 1) != 0)
            return QStringLiteral("%1: angebrochenes Paket").arg(Problem.Lager[s].ArtikelNr);
    if (std::abs(total - Solution.Total) > 1e-6 * std::max(1.0, total))
        return QStringLiteral("Gesamtlänge %1 statt %2").arg(Solution.Total).arg(total);
    return QString();
}
