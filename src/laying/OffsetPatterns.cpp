#include "laying/OffsetPatterns.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "geometry/Vektors.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr std::array<std::int32_t, 10> kOffsetLattenGenIDs = {1, 2, 3, 8, 10, 11};

bool PositiveSize(double W, double L) {
    return W > 0 && L > 0 && std::isfinite(W) && std::isfinite(L);
}

std::int64_t R(double value) {
    return static_cast<std::int64_t>(RoundTiesEven(value));
}

// Boards of one row along e_S. The row's corners lie at i * L - Phase from the frame origin;
// the range reaches from before the origin to well past the area's extent Extent, wherever
// the row's phase puts its boards.
struct TBoardRange {
    std::int64_t From, To;
};

TBoardRange BoardsOfRow(double Extent, double L, double Phase) {
    return {-1 - R((0.45 * Extent - Phase) / L), R((1.45 * Extent + Phase) / L)};
}

TPublishedProperty BooleanProperty(const QString& Name, bool& Field) {
    TPublishedProperty p;
    p.Name = Name;
    p.Kind = TPropertyKind::Boolean;
    p.Min = 0;
    p.Max = 1;
    p.Default = 0;
    p.Get = [&Field] { return Field ? 1.0 : 0.0; };
    p.Set = [&Field](double v) { Field = v != 0; };
    return p;
}

} // namespace

// --- Offset family ----------------------------------------------------------------------------

TVersatzGen::TVersatzGen() {
    Name = QStringLiteral("Ohne Versatz");
    BitMapIndex = 2;
    PreferedLattenGenIDs = kOffsetLattenGenIDs;
    LattenGenID = 1;
}

std::unique_ptr<TPatternGeneratorBase> TVersatzGen::CreateNew() const {
    return std::make_unique<TVersatzGen>();
}

void TVersatzGen::Assign(const TPatternGeneratorBase& Source) {
    TPatternGenerator::Assign(Source);
    if (const auto* s = dynamic_cast<const TVersatzGen*>(&Source)) {
        Versatz = s->Versatz;
        fSpiegeln = s->fSpiegeln;
        fAlternierend = s->fAlternierend;
    }
}

bool TVersatzGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) && Article.Typ != ptParkett;
}

int TVersatzGen::ShiftCycle() const {
    if (fAlternierend) return 2;
    const double steps = RoundTiesEven(1 / Versatz);
    return steps >= 1 && steps < 1e6 ? static_cast<int>(steps) : 1;
}

double TVersatzGen::PeriodeL() const {
    // With the alternation the shift repeats after 2 rows, not after 1 / Versatz rows: a third
    // offset stepping back by 3 rows would start the rows at the start point out of phase.
    return ShiftCycle() * W();
}

double TVersatzGen::PeriodeS() const {
    return L();
}

void TVersatzGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    const double w = W(), l = L();
    if (!PositiveSize(w, l)) return;
    const TVektor& lege = Shape.LegeVektor();
    const TVektor& sym = Shape.SymetrieVek();
    const double c = (fSpiegeln ? -Versatz : Versatz) * l;
    const int cycle = ShiftCycle();
    const std::int64_t jFrom = -1 - R(0.45 * dy / w), jTo = R(1.45 * dy / w);
    const std::int64_t iFrom = -1 - R(0.45 * dx / l), iTo = R(1.45 * dx / l);
    for (std::int64_t j = jFrom; j <= jTo; ++j) {
        const double shift = double(j % cycle) * c; // remainder with the sign of j
        // The plain range, widened where a shifted row would otherwise stop short of the area.
        const TBoardRange range = BoardsOfRow(dx, l, -shift);
        const std::int64_t from = std::min(iFrom, range.From), to = std::max(iTo, range.To);
        for (std::int64_t i = from; i <= to; ++i) {
            const double a = double(j) * w, b = shift + double(i) * l;
            AddBoard(Shape, Layer, lege.x + a * lege.rx + b * sym.rx,
                     lege.y + a * lege.ry + b * sym.ry, l * sym.rx, l * sym.ry, w * lege.rx,
                     w * lege.ry);
        }
    }
}

void TVersatzGen::ReadTail(TReader& Reader) {
    const bool spiegeln = Reader.ReadBoolean();
    // Older records end after fSpiegeln: whatever follows belongs to the next record.
    std::int64_t version = 0;
    if (!Reader.AtEnd()) {
        const TValueType next = Reader.NextValue();
        if (next == TValueType::vaInt8 || next == TValueType::vaInt16 ||
            next == TValueType::vaInt32 || next == TValueType::vaInt64)
            version = Reader.ReadInt64();
    }
    const bool alternierend = version == 1 ? Reader.ReadBoolean() : false;
    fSpiegeln = spiegeln;
    fAlternierend = alternierend;
}

void TVersatzGen::WriteTail(TWriter& Writer) const {
    Writer.WriteBoolean(fSpiegeln);
    Writer.WriteInteger(1);
    Writer.WriteBoolean(fAlternierend);
}

TPropertyList TVersatzGen::MirrorProperties() {
    TPropertyList list{BooleanProperty(QStringLiteral("Spiegeln"), fSpiegeln),
                       BooleanProperty(QStringLiteral("Alternierend"), fAlternierend)};
    SortProperties(list);
    return list;
}

THalbVersatzGen::THalbVersatzGen() {
    Name = QStringLiteral("Halber Versatz");
    BitMapIndex = 3;
    Versatz = 0.5;
}

std::unique_ptr<TPatternGeneratorBase> THalbVersatzGen::CreateNew() const {
    return std::make_unique<THalbVersatzGen>();
}

TDrittelVersatzGen::TDrittelVersatzGen() {
    Name = QStringLiteral("Drittel Versatz");
    BitMapIndex = 4;
    Versatz = 1.0 / 3.0;
}

std::unique_ptr<TPatternGeneratorBase> TDrittelVersatzGen::CreateNew() const {
    return std::make_unique<TDrittelVersatzGen>();
}

TPropertyList TDrittelVersatzGen::Properties() {
    return MirrorProperties();
}

TViertelVersatzGen::TViertelVersatzGen() {
    Name = QStringLiteral("Viertel Versatz");
    BitMapIndex = 5;
    Versatz = 0.25;
}

std::unique_ptr<TPatternGeneratorBase> TViertelVersatzGen::CreateNew() const {
    return std::make_unique<TViertelVersatzGen>();
}

TPropertyList TViertelVersatzGen::Properties() {
    return MirrorProperties();
}

// --- Length and angle offset ------------------------------------------------------------------

TRowShiftGen::TRowShiftGen() {
    PreferedLattenGenIDs = kOffsetLattenGenIDs;
    LattenGenID = 1;
}

bool TRowShiftGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) &&
           (Article.Typ == ptPaneel || Article.Typ == ptPaneelFeder);
}

double TRowShiftGen::PeriodeL() const {
    return W();
}

double TRowShiftGen::PeriodeS() const {
    return L();
}

void TRowShiftGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    const double w = W(), l = L();
    if (!PositiveSize(w, l)) return;
    const TVektor& lege = Shape.LegeVektor();
    const TVektor& sym = Shape.SymetrieVek();
    const TVektor& start = Shape.VerlegeRichtung();
    double s = RowShift();
    if (!std::isfinite(s)) s = 0;
    // AdjustVektors moved the frame back by whole rows from the laying start point; the row
    // that begins there (0.05 before it) keeps the shift 0.
    const std::int64_t startRow =
        R(((start.x - lege.x) * lege.rx + (start.y - lege.y) * lege.ry - 0.05) / w);
    const std::int64_t jFrom = -1 - R(0.45 * dy / w), jTo = R(1.45 * dy / w);
    for (std::int64_t j = jFrom; j <= jTo; ++j) {
        // Only the shift modulo L matters; reducing it keeps the boards of steep angles near
        // the area and the arithmetic exact for large row shifts.
        const double phase = std::fmod(double(j - startRow) * s, l);
        const TBoardRange range = BoardsOfRow(dx, l, phase);
        for (std::int64_t i = range.From; i <= range.To; ++i) {
            const double a = double(j) * w, b = double(i) * l - phase;
            AddBoard(Shape, Layer, lege.x + a * lege.rx + b * sym.rx,
                     lege.y + a * lege.ry + b * sym.ry, l * sym.rx, l * sym.ry, w * lege.rx,
                     w * lege.ry);
        }
    }
}

TLaengenVersatzGen::TLaengenVersatzGen() {
    Name = QStringLiteral("Längenversatz");
    BitMapIndex = 6;
}

std::unique_ptr<TPatternGeneratorBase> TLaengenVersatzGen::CreateNew() const {
    return std::make_unique<TLaengenVersatzGen>();
}

void TLaengenVersatzGen::Assign(const TPatternGeneratorBase& Source) {
    TPatternGenerator::Assign(Source);
    if (const auto* s = dynamic_cast<const TLaengenVersatzGen*>(&Source))
        fVersatzLaenge = s->fVersatzLaenge;
}

double TLaengenVersatzGen::MaxVersatzLaenge() const {
    return L() - 1;
}

double TLaengenVersatzGen::RowShift() const {
    return fVersatzLaenge;
}

TPropertyList TLaengenVersatzGen::Properties() {
    TPublishedProperty p;
    p.Name = QStringLiteral("Versatzlaenge");
    p.Kind = TPropertyKind::Real;
    p.Min = kMinVersatzLaenge;
    p.Max = MaxVersatzLaenge();
    p.Default = 20;
    p.Get = [this] { return fVersatzLaenge; };
    p.Set = [this](double v) {
        if (v == fVersatzLaenge) return;
        const double max = MaxVersatzLaenge();
        if (!(v >= kMinVersatzLaenge && v <= max))
            throw EPropertyError(
                LengthRangeMessage(QStringLiteral("Die Versatzlänge"), kMinVersatzLaenge, max));
        fVersatzLaenge = v;
    };
    return {p};
}

void TLaengenVersatzGen::ReadTail(TReader& Reader) {
    fVersatzLaenge = Reader.ReadRawDouble();
}

void TLaengenVersatzGen::WriteTail(TWriter& Writer) const {
    Writer.WriteRawDouble(fVersatzLaenge);
}

TWinkelVersatzGen::TWinkelVersatzGen() {
    Name = QStringLiteral("Winkelversatz");
    BitMapIndex = 7;
}

std::unique_ptr<TPatternGeneratorBase> TWinkelVersatzGen::CreateNew() const {
    return std::make_unique<TWinkelVersatzGen>();
}

void TWinkelVersatzGen::Assign(const TPatternGeneratorBase& Source) {
    TPatternGenerator::Assign(Source);
    if (const auto* s = dynamic_cast<const TWinkelVersatzGen*>(&Source))
        fVersatzWinkel = s->fVersatzWinkel;
}

double TWinkelVersatzGen::RowShift() const {
    return std::tan(fVersatzWinkel * std::numbers::pi / 180) * W();
}

TPropertyList TWinkelVersatzGen::Properties() {
    TPublishedProperty p;
    p.Name = QStringLiteral("Versatzwinkel");
    p.Kind = TPropertyKind::Real;
    p.Min = -kMaxVersatzWinkel;
    p.Max = kMaxVersatzWinkel;
    p.Default = 45;
    p.Get = [this] { return fVersatzWinkel; };
    p.Set = [this](double v) {
        if (v == fVersatzWinkel) return;
        // Both limits excluded: at a right angle the row shift has no finite length.
        if (!(v > -kMaxVersatzWinkel && v < kMaxVersatzWinkel))
            throw EPropertyError(
                RangeMessage(QStringLiteral("Der Versatzwinkel"),
                             FormatGeneral(-kMaxVersatzWinkel, u',') + QStringLiteral("°"),
                             QStringLiteral("+") + FormatGeneral(kMaxVersatzWinkel, u',') +
                                 QStringLiteral("°")));
        fVersatzWinkel = v;
    };
    return {p};
}

void TWinkelVersatzGen::ReadTail(TReader& Reader) {
    fVersatzWinkel = Reader.ReadRawDouble();
}

void TWinkelVersatzGen::WriteTail(TWriter& Writer) const {
    Writer.WriteRawDouble(fVersatzWinkel);
}
