#include "laying/CompositePatterns.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// R(x) as a loop index. The clamp only keeps absurd extents from overflowing the conversion.
long long R(double x) {
    constexpr double kLimit = 1e7;
    if (!std::isfinite(x)) return 0;
    return static_cast<long long>(std::clamp(RoundTiesEven(x), -kLimit, kLimit));
}

// Remainder with the sign of j: -1, 0 or 1.
int Mod2(long long j) {
    return static_cast<int>(j % 2);
}

// The pattern frame in plain numbers: origin O, e_L and e_S.
struct TFrame {
    double ox, oy, lx, ly, sx, sy;

    // O + u·e_S + v·e_L
    double X(double u, double v) const { return ox + u * sx + v * lx; }
    double Y(double u, double v) const { return oy + u * sy + v * ly; }
};

TFrame FrameOf(const TShape& Shape) {
    const TVektor& l = Shape.LegeVektor();
    const TVektor& s = Shape.SymetrieVek();
    return {l.x, l.y, l.rx, l.ry, s.rx, s.ry};
}

// Whether there is a frame and an article the loops can work with.
bool CanLay(const TPatternGenerator& Gen, const TShape& Shape) {
    if (!Gen.TPatternGenerator::Possible(*Gen.Product)) return false;
    const TVektor& l = Shape.LegeVektor();
    return l.rx != 0 || l.ry != 0;
}

} // namespace

// --- Interlocking --------------------------------------------------------------------------

TVerzahnGen::TVerzahnGen() {
    Name = QStringLiteral("Verzahnen");
    BitMapIndex = 8;
    PreferedLattenGenIDs[0] = 2;
    LattenGenID = 2;
}

std::unique_ptr<TPatternGeneratorBase> TVerzahnGen::CreateNew() const {
    return std::make_unique<TVerzahnGen>();
}

void TVerzahnGen::Assign(const TPatternGeneratorBase& Source) {
    TPatternGenerator::Assign(Source);
    if (const auto* s = dynamic_cast<const TVerzahnGen*>(&Source)) fVerzahnung = s->fVerzahnung;
}

bool TVerzahnGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) &&
           (Article.Typ == ptPaneel || Article.Typ == ptPaneelFeder);
}

double TVerzahnGen::PeriodeL() const {
    return 2 * W();
}

double TVerzahnGen::PeriodeS() const {
    return L();
}

void TVerzahnGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    if (!CanLay(*this, Shape)) return;
    const TFrame f = FrameOf(Shape);
    const double w = W(), l = L();
    for (long long j = -1 - R(0.45 * dy / w); j <= R(1.45 * dy / w); ++j) {
        // Odd rows start pulled back by v, so their boards must reach v further ahead: the
        // board range is the window [-0.45·dx, 1.45·dx] measured from the row's own start.
        const double shift = Mod2(j) * fVerzahnung;
        const double u0 = -shift, v0 = double(j) * w;
        for (long long i = -1 - R((0.45 * dx - shift) / l); i <= R((1.45 * dx + shift) / l); ++i) {
            const double u = u0 + double(i) * l;
            AddBoard(Shape, Layer, f.X(u, v0), f.Y(u, v0), l * f.sx, l * f.sy, w * f.lx, w * f.ly);
        }
    }
}

double TVerzahnGen::MaxVerzahnung() const {
    return L() - 2;
}

void TVerzahnGen::SetVerzahnung(double Value) {
    if (Value == fVerzahnung) return;
    const double max = MaxVerzahnung();
    if (!(Value >= kMinVerzahnung && Value <= max))
        throw EPropertyError(
            LengthRangeMessage(QStringLiteral("Die Verzahnungslänge"), kMinVerzahnung, max));
    fVerzahnung = Value;
}

TPropertyList TVerzahnGen::Properties() {
    TPublishedProperty p;
    p.Name = QStringLiteral("Verzahnung");
    p.Kind = TPropertyKind::Real;
    p.Min = kMinVerzahnung;
    p.Max = MaxVerzahnung();
    p.Default = 20;
    p.Get = [this] { return fVerzahnung; };
    p.Set = [this](double Value) { SetVerzahnung(Value); };
    return {p};
}

void TVerzahnGen::ReadTail(TReader& Reader) {
    fVerzahnung = Reader.ReadRawDouble();
}

void TVerzahnGen::WriteTail(TWriter& Writer) const {
    Writer.WriteRawDouble(fVerzahnung);
}

// --- Cube ----------------------------------------------------------------------------------

TWuerfelVersatzGen::TWuerfelVersatzGen() {
    Name = QStringLiteral("Würfelversatz");
    BitMapIndex = 11;
    PreferedLattenGenIDs[0] = 4;
    LattenGenID = 4;
}

std::unique_ptr<TPatternGeneratorBase> TWuerfelVersatzGen::CreateNew() const {
    return std::make_unique<TWuerfelVersatzGen>();
}

bool TWuerfelVersatzGen::Possible(const TProduct& Article) const {
    if (!TPatternGenerator::Possible(Article) || Article.Typ != ptPaneel) return false;
    // Close to a whole number from either side (2.999 and 3.001 are both 3), and at least one
    // board per block.
    const double ratio = Article.VLaenge / Article.VBreite;
    const double n = RoundTiesEven(ratio);
    return n >= 1 && std::fabs(ratio - n) < 0.01;
}

double TWuerfelVersatzGen::PeriodeL() const {
    return 2 * L();
}

double TWuerfelVersatzGen::PeriodeS() const {
    return 2 * L();
}

void TWuerfelVersatzGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    if (!CanLay(*this, Shape)) return;
    const TFrame f = FrameOf(Shape);
    const double w = W(), l = L();
    const long long n = R(l / w);
    if (n < 1) return;
    // Rows are bands of height L, so they are counted in L, not in board widths.
    for (long long j = -1 - R(0.45 * dy / l); j <= R(1.45 * dy / l); ++j) {
        // Odd rows start one block back (the chessboard). Counted in blocks from that start,
        // the window [-0.45·dx, 1.45·dx] gives the range of block pairs.
        const int m = Mod2(j);
        const long long k0 = -1 - (R(0.45 * dx / l) - m) / 2;
        const long long k1 = (R(1.45 * dx / l) + m) / 2;
        const double v0 = double(j) * l;
        for (long long k = k0; k <= k1; ++k) {
            const double u0 = double(2 * k - m) * l;
            // Boards along e_S, stacked across the band.
            for (long long t = 0; t < n; ++t) {
                const double v = v0 + double(t) * w;
                AddBoard(Shape, Layer, f.X(u0, v), f.Y(u0, v), l * f.sx, l * f.sy, w * f.lx,
                         w * f.ly);
            }
            // Boards along e_L, side by side in the second block.
            for (long long t = 0; t < n; ++t) {
                const double u = u0 + l + double(t) * w;
                AddBoard(Shape, Layer, f.X(u, v0), f.Y(u, v0), l * f.lx, l * f.ly, w * f.sx,
                         w * f.sy);
            }
        }
    }
}

// --- Parquet -------------------------------------------------------------------------------

TParkettGen::TParkettGen() {
    Name = QStringLiteral("Parkett Verlegung");
    BitMapIndex = 9;
}

std::unique_ptr<TPatternGeneratorBase> TParkettGen::CreateNew() const {
    return std::make_unique<TParkettGen>();
}

bool TParkettGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) && Article.Typ == ptParkett;
}

double TParkettGen::PeriodeL() const {
    return W();
}

double TParkettGen::PeriodeS() const {
    return L();
}

void TParkettGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    if (!CanLay(*this, Shape)) return;
    const TFrame f = FrameOf(Shape);
    const double w = W();
    // Strips do not depend on the article's length.
    const double x = 2 * dx;
    if (!(x > 0)) return;
    for (long long j = -1 - R(0.45 * dy / w); j <= R(1.45 * dy / w); ++j) {
        const double v0 = double(j) * w;
        for (long long i = -1 - R(0.45 * dx / x); i <= R(1.45 * dx / x); ++i) {
            const double u = double(i) * x;
            AddBoard(Shape, Layer, f.X(u, v0), f.Y(u, v0), x * f.sx, x * f.sy, w * f.lx, w * f.ly);
        }
    }
}

// --- Herringbone ---------------------------------------------------------------------------

TFischgraetGen::TFischgraetGen() {
    Name = QStringLiteral("Fischgrät");
    BitMapIndex = 10;
    PreferedLattenGenIDs[0] = 2;
    LattenGenID = 2;
}

std::unique_ptr<TPatternGeneratorBase> TFischgraetGen::CreateNew() const {
    return std::make_unique<TFischgraetGen>();
}

bool TFischgraetGen::Possible(const TProduct& Article) const {
    return TPatternGenerator::Possible(Article) && Article.Typ == ptPaneel;
}

double TFischgraetGen::PeriodeL() const {
    return std::numbers::sqrt2 * W();
}

double TFischgraetGen::PeriodeS() const {
    return std::numbers::sqrt2 * L();
}

void TFischgraetGen::CreatePattern(TShape& Shape, TGraphicObjectList& Layer) {
    DeleteLayer(Layer);
    if (!CanLay(*this, Shape)) return;
    const TFrame f = FrameOf(Shape);
    const double w = W(), l = L();
    const double pl = PeriodeL(), ps = PeriodeS();
    // In the frame (u along e_S, v along e_L) the first board runs along (1, 1)/√2 from the
    // cell's start B, its width along (-1, 1)/√2; the second starts at B + √2·W·e_L, runs along
    // (-1, 1)/√2 and has its width along -(1, 1)/√2. The two form an L and tile the plane with
    // the translations √2·W·e_L and √2·L·e_S.
    const double a = std::numbers::sqrt2 / 2;
    const double d1x = a * (f.sx + f.lx), d1y = a * (f.sy + f.ly); // (1, 1)/√2
    const double d2x = a * (f.lx - f.sx), d2y = a * (f.ly - f.sy); // (-1, 1)/√2
    // A cell reaches from u = -(L + W)/√2 to L/√2 and from v = 0 to (2·W + L)/√2 around its
    // start, so cells starting outside the window still reach into the area: rows from below
    // the start edge and columns beyond the far side are added when the window misses them.
    const long long r0 = std::min(-1 - R(0.45 * dy / pl), -1 - R(std::floor(l / (2 * w))));
    const long long r1 = R(1.45 * dy / pl);
    const long long c0 = -1 - R(0.45 * dx / ps);
    const long long c1 = std::max(R(1.45 * dx / ps), R(std::floor(dx / ps + (l + w) / (2 * l))));
    for (long long r = r0; r <= r1; ++r) {
        for (long long c = c0; c <= c1; ++c) {
            const double u = double(c) * ps, v = double(r) * pl;
            AddBoard(Shape, Layer, f.X(u, v), f.Y(u, v), l * d1x, l * d1y, w * d2x, w * d2y);
            AddBoard(Shape, Layer, f.X(u, v + pl), f.Y(u, v + pl), l * d2x, l * d2y, -w * d1x,
                     -w * d1y);
        }
    }
}
