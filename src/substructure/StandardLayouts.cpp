#include "substructure/StandardLayouts.h"

#include "model/GraphPaneele.h"
#include "model/Shapes.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kStepBack = 100;    // stepwise frame placement
constexpr double kFixedBack = 10000; // fixed frame placement
// The two anchor lines lie this far outside the inset contour and yield no batten themselves.
constexpr double kAnchorMargin = 0.1;
// A candidate line this close to one already there is the same batten.
constexpr double kCandidateClearance = 3;
constexpr double kDoubledJointHalfGap = 2;
// The gap division keeps its "<=" tie through rounding of the offsets.
constexpr double kTieSlack = 1e-9;
// Far more than any plan needs (1 km at the smallest spacing); keeps a gap from allocating
// without bound.
constexpr double kMaxDivisions = 100000;

// Offsets accepted as batten lines: strictly inside the extent and more than 3 cm from every
// offset already in the array. Keeps a sorted copy so each test is a lookup.
class TCandidates {
public:
    TCandidates(TDoubleArray& offsets, double min, double max)
        : fOffsets(offsets), fSorted(offsets.begin(), offsets.end()), fMin(min), fMax(max) {
        std::sort(fSorted.begin(), fSorted.end());
    }

    bool Accepts(double a) const {
        if (!(fMin < a && a < fMax)) return false;
        const auto it = std::lower_bound(fSorted.begin(), fSorted.end(), a);
        if (it != fSorted.end() && std::fabs(*it - a) <= kCandidateClearance) return false;
        if (it != fSorted.begin() && std::fabs(*(it - 1) - a) <= kCandidateClearance) return false;
        return true;
    }

    void Add(double a) {
        fSorted.insert(std::lower_bound(fSorted.begin(), fSorted.end(), a), a);
        fOffsets.Add(a);
    }

    void TryAdd(double a) {
        if (Accepts(a)) Add(a);
    }

private:
    TDoubleArray& fOffsets;
    std::vector<double> fSorted;
    double fMin;
    double fMax;
};

// The boards of the first layer that holds anything; whether one overlaps the area is asked
// only when one of its candidate points lies inside (the overlap test clips).
class TJointBoards {
public:
    explicit TJointBoards(const TShape& shape) : fShape(shape) {
        for (const auto& layer : shape.Layers()) {
            if (layer.empty()) continue;
            for (const auto& object : layer)
                if (const auto* board = dynamic_cast<const TGraphPaneel*>(object.get()))
                    fBoards.push_back(board);
            break;
        }
        fOverlap.assign(fBoards.size(), -1);
    }

    size_t Count() const { return fBoards.size(); }
    const TGraphPaneel& Board(size_t i) const { return *fBoards[i]; }
    bool Overlaps(size_t i) {
        if (fOverlap[i] < 0) fOverlap[i] = fBoards[i]->IsInShape(&fShape) ? 1 : 0;
        return fOverlap[i] == 1;
    }

private:
    const TShape& fShape;
    std::vector<const TGraphPaneel*> fBoards;
    std::vector<signed char> fOverlap;
};

Tgpc_vertex Mid(const Tgpc_vertex& a, const Tgpc_vertex& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// The number of equal parts of a gap, each at most `limit`: computed, not searched.
double Divisions(double gap, double limit) {
    const double ratio = gap / (limit + kTieSlack);
    if (!(ratio > 1)) return 1;
    return std::min(std::ceil(ratio), kMaxDivisions);
}

bool BorderBatten(TBorderBattens rule, double angle) {
    switch (rule) {
    case TBorderBattens::All:
        return true;
    case TBorderBattens::NotSquare:
        return angle <= 2 * kPi / 5 || angle >= 3 * kPi / 5;
    case TBorderBattens::Within45:
        return angle < kPi / 4 || angle > 3 * kPi / 4;
    case TBorderBattens::Within5: {
        const double degrees = angle * 180 / kPi;
        return degrees < 5 || degrees > 175;
    }
    case TBorderBattens::None:
        return false;
    }
    return false;
}

// Moves the point back along (ux, uy) in steps until every edge start lies strictly in front.
void StepBehind(double& ox, double& oy, double ux, double uy, const std::vector<TVektor>& edges) {
    double least = 0;
    bool any = false;
    for (const TVektor& e : edges) {
        const double ahead = (e.x - ox) * ux + (e.y - oy) * uy;
        if (!any || ahead < least) least = ahead;
        any = true;
    }
    if (!any || least > 0) return;
    const double steps = std::floor(-least / kStepBack) + 1;
    ox -= steps * kStepBack * ux;
    oy -= steps * kStepBack * uy;
    // Rounding can leave a point exactly on the line; a few further steps settle it.
    for (int guard = 0; guard < 4; ++guard) {
        bool behind = false;
        for (const TVektor& e : edges)
            if ((e.x - ox) * ux + (e.y - oy) * uy <= 0) behind = true;
        if (!behind) return;
        ox -= kStepBack * ux;
        oy -= kStepBack * uy;
    }
}

bool Inside(const TShape& shape, const Tgpc_vertex& p) {
    return PointInGPCPolygon(shape.VPolygon(), p.x, p.y);
}

// Lines through the end joints of the boards: through the middle of each end edge, or 2 cm
// to either side of it.
void AddJointLines(const TShape& shape, const TLattenGenerator& g, TJointLines joints,
                   TJointBoards& boards, TCandidates& candidates) {
    const double hx = kDoubledJointHalfGap * g.VerlattVekS.rx;
    const double hy = kDoubledJointHalfGap * g.VerlattVekS.ry;
    for (size_t i = 0; i < boards.Count(); ++i) {
        const TGraphPaneel& b = boards.Board(i);
        for (const Tgpc_vertex& m : {Mid(b.P(0), b.P(3)), Mid(b.P(1), b.P(2))}) {
            std::vector<Tgpc_vertex> points;
            if (joints == TJointLines::Single)
                points = {m};
            else
                points = {{m.x + hx, m.y + hy}, {m.x - hx, m.y - hy}};
            for (const Tgpc_vertex& p : points)
                if (Inside(shape, p) && boards.Overlaps(i)) candidates.TryAdd(g.Offset(p.x, p.y));
        }
    }
}

// Half a spacing inside every board end, then along the area's edges that run within 45° of
// the battens: full lines for the outer contour's nearly parallel edges, single battens along
// the other edges.
void AddStiffeners(const TShape& shape, TLattenGenerator& g, TJointBoards& boards,
                   TCandidates& candidates) {
    const double half = g.fMaxLattenAbstand / 2;
    g.LattenAbstand.Sort(CompareDouble);
    const double hx = half * g.VerlattVekS.rx, hy = half * g.VerlattVekS.ry;
    for (size_t i = 0; i < boards.Count(); ++i) {
        const TGraphPaneel& b = boards.Board(i);
        const Tgpc_vertex m1 = Mid(b.P(0), b.P(3));
        const Tgpc_vertex m2 = Mid(b.P(1), b.P(2));
        const Tgpc_vertex p1{m1.x + hx, m1.y + hy};
        const Tgpc_vertex p2{m2.x - hx, m2.y - hy};
        if (Inside(shape, m1) && Inside(shape, p1) && boards.Overlaps(i))
            candidates.TryAdd(g.Offset(p1.x, p1.y));
        if (Inside(shape, m2) && Inside(shape, p2) && boards.Overlaps(i))
            candidates.TryAdd(g.Offset(p2.x, p2.y));
    }

    g.LattenAbstand.Sort(CompareDouble);
    g.ClearUKVektorList();
    const Tgpc_polygon& area = shape.VPolygon();
    for (int c = 0; c < area.num_contours(); ++c) {
        // Only an outer contour's parallel edges become full lines: a hole's edges would
        // otherwise run a batten across the whole area.
        const bool outer = area.hole[static_cast<size_t>(c)] == 0;
        const auto& v = area.contour[static_cast<size_t>(c)].vertex;
        const size_t n = v.size();
        for (size_t j = 0; j < n; ++j) {
            TVektor e(v[j].x, v[j].y, v[(j + 1) % n].x, v[(j + 1) % n].y);
            if (e.rx == 0 && e.ry == 0) continue;
            const double angle = e.Winkel(g.VerlattVekL);
            if (!(angle < kPi / 4 || angle > 3 * kPi / 4)) continue;
            TVektor normal = e;
            normal.Norm();
            normal.Einheit();
            const double mx = e.x + e.rx / 2, my = e.y + e.ry / 2;
            const double shift = Inside(shape, {mx + normal.rx, my + normal.ry}) ? half : -half;
            e.Shift(normal.rx * shift, normal.ry * shift);
            const double a = g.Offset(e.x, e.y);
            if (!candidates.Accepts(a)) continue;
            if (outer && (angle < kPi / 10 || angle > 9 * kPi / 10))
                candidates.Add(a);
            else
                g.UKVektorList.push_back(e);
        }
    }
}

// Every gap wider than the limit gets its equal parts, in one pass over the sorted offsets.
void DivideEvenly(TDoubleArray& offsets, double limit) {
    offsets.Sort(CompareDouble);
    std::vector<double> spaced;
    const std::int32_t count = offsets.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        const double a = offsets[i];
        spaced.push_back(a);
        if (i + 1 == count) break;
        const double gap = offsets[i + 1] - a;
        const double k = Divisions(gap, limit);
        for (double m = 1; m < k; ++m)
            spaced.push_back(a + m * gap / k);
    }
    offsets.Clear();
    for (double a : spaced)
        offsets.Add(a);
}

} // namespace

// --- The shared procedure ---------------------------------------------------------------------

bool TStandardLattenGenerator::PlaceFrame(const TShape& Shape, const TStandardLayout& layout) {
    TVektor d = Shape.VerlattungsRichtung();
    if (d.rx == 0 && d.ry == 0) return false;
    d.Einheit();
    double lx = d.rx, ly = d.ry;
    if (layout.Quer) {
        // d plus d turned by a right angle: the battens run at 45° to the batten direction.
        TVektor q(0, 0, d.rx + d.ry, d.ry - d.rx);
        q.Einheit();
        lx = q.rx;
        ly = q.ry;
    }
    const double sx = ly, sy = -lx;
    double ox = Shape.VerlattungsRichtung().x;
    double oy = Shape.VerlattungsRichtung().y;
    if (layout.FixedFrame) {
        ox -= kFixedBack * lx + kFixedBack * sx;
        oy -= kFixedBack * ly + kFixedBack * sy;
    } else {
        StepBehind(ox, oy, lx, ly, HelperFrameList);
        StepBehind(ox, oy, sx, sy, HelperFrameList);
    }
    VerlattVekL = TVektor(ox, oy, ox + lx, oy + ly);
    VerlattVekS = TVektor(ox, oy, ox + sx, oy + sy);
    return true;
}

void TStandardLattenGenerator::CreateVerlattung(TShape& Shape) {
    // The setters and readers keep the spacing at 1 or more; an older value below it would
    // give no battens at all.
    if (!(fMaxLattenAbstand >= kMinMaxLattenAbstand)) return;
    TGenerationScope scope(*this);
    // The group stays, empty, when nothing is left to batten.
    std::vector<TVektor> battens;
    Generate(Shape, Layout(), battens);
    Shape.AddVerlattung(LattenArtNr.Text(), std::move(battens));
}

void TStandardLattenGenerator::Generate(const TShape& Shape, const TStandardLayout& layout,
                                        std::vector<TVektor>& battens) {
    HelperFrameList = CreateHelperFrameList(Shape);
    // Nothing is left inside the inset (narrow or tiny area): no battens, and no extent that
    // would be divided into empty lines.
    if (HelperFrameList.empty()) return;
    if (!PlaceFrame(Shape, layout)) return;

    // The extent is that of the inset itself. Start values as sentinels only work while every
    // offset is positive; a signed offset of an area behind the origin would be cut off.
    double min = Offset(HelperFrameList.front().x, HelperFrameList.front().y);
    double max = min;
    for (const TVektor& edge : HelperFrameList) {
        const double a = Offset(edge.x, edge.y);
        if (a > max) max = a;
        if (a < min) min = a;
    }
    LattenAbstand.Add(min - kAnchorMargin);
    LattenAbstand.Add(max + kAnchorMargin);
    TCandidates candidates(LattenAbstand, min, max);
    TJointBoards boards(Shape);
    if (layout.Joints != TJointLines::None)
        AddJointLines(Shape, *this, layout.Joints, boards, candidates);
    if (layout.Stiffen) AddStiffeners(Shape, *this, boards, candidates);
    if (layout.EvenSpacing) DivideEvenly(LattenAbstand, fMaxLattenAbstand + kAnchorMargin);

    FinalizeVerlattung(Shape, battens);

    for (const TVektor& edge : HelperFrameList)
        if (BorderBatten(layout.Border, edge.Winkel(VerlattVekL))) battens.push_back(edge);
}

// --- The layouts ------------------------------------------------------------------------------

namespace {

TStandardLayout Fixed(TJointLines joints, TBorderBattens border, bool stiffen = false) {
    TStandardLayout l;
    l.FixedFrame = true;
    l.Joints = joints;
    l.Border = border;
    l.Stiffen = stiffen;
    return l;
}

} // namespace

TLattenGeneratorLaengs::TLattenGeneratorLaengs()
    : TStandardLattenGenerator(QStringLiteral("Längs einfach"), 1, 60) {}
std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorLaengs::CreateNew() const {
    return std::make_unique<TLattenGeneratorLaengs>();
}
TStandardLayout TLattenGeneratorLaengs::Layout() const {
    return {};
}

TLattenGeneratorLaengsStirn::TLattenGeneratorLaengsStirn()
    : TStandardLattenGenerator(QStringLiteral("Längs durch Stirnseiten"), 2, 60) {}
std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorLaengsStirn::CreateNew() const {
    return std::make_unique<TLattenGeneratorLaengsStirn>();
}
TStandardLayout TLattenGeneratorLaengsStirn::Layout() const {
    return Fixed(TJointLines::Single, TBorderBattens::All);
}

TLattenGeneratorLaengsStirnDoppelt::TLattenGeneratorLaengsStirnDoppelt()
    : TStandardLattenGenerator(QStringLiteral("Längs an Stirnseiten doppelt"), 3, 60) {}
std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorLaengsStirnDoppelt::CreateNew() const {
    return std::make_unique<TLattenGeneratorLaengsStirnDoppelt>();
}
TStandardLayout TLattenGeneratorLaengsStirnDoppelt::Layout() const {
    return Fixed(TJointLines::Doubled, TBorderBattens::NotSquare);
}

TLattenGeneratorQuer::TLattenGeneratorQuer()
    : TStandardLattenGenerator(QStringLiteral("Quer einfach"), 4, 60) {}
std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorQuer::CreateNew() const {
    return std::make_unique<TLattenGeneratorQuer>();
}
TStandardLayout TLattenGeneratorQuer::Layout() const {
    TStandardLayout l;
    l.Quer = true;
    return l;
}

TLattenGeneratorQuerStirn::TLattenGeneratorQuerStirn()
    : TStandardLattenGenerator(QStringLiteral("Quer durch Stirnseiten"), 5, 60) {}
std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorQuerStirn::CreateNew() const {
    return std::make_unique<TLattenGeneratorQuerStirn>();
}
TStandardLayout TLattenGeneratorQuerStirn::Layout() const {
    TStandardLayout l;
    l.FixedFrame = true;
    l.Quer = true;
    l.Joints = TJointLines::Single;
    return l;
}

TLattenGeneratorLaengsStirnPlusHalb::TLattenGeneratorLaengsStirnPlusHalb()
    : TStandardLattenGenerator(QStringLiteral("Längs durch Stirnseiten und zusätzliche "
                                              "Versteifung mit halben Lattenabstand."),
                               6, 60) {}
std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorLaengsStirnPlusHalb::CreateNew() const {
    return std::make_unique<TLattenGeneratorLaengsStirnPlusHalb>();
}
TStandardLayout TLattenGeneratorLaengsStirnPlusHalb::Layout() const {
    return Fixed(TJointLines::Single, TBorderBattens::Within45, true);
}

TLattenGeneratorLaengsStirnDoppeltPlusHalb::TLattenGeneratorLaengsStirnDoppeltPlusHalb()
    : TStandardLattenGenerator(QStringLiteral("Längs an Stirnseiten doppelt und zusätzliche "
                                              "Versteifung mit halben Lattenabstand."),
                               7, 60) {}
std::unique_ptr<TLattenGeneratorBase>
TLattenGeneratorLaengsStirnDoppeltPlusHalb::CreateNew() const {
    return std::make_unique<TLattenGeneratorLaengsStirnDoppeltPlusHalb>();
}
TStandardLayout TLattenGeneratorLaengsStirnDoppeltPlusHalb::Layout() const {
    return Fixed(TJointLines::Doubled, TBorderBattens::NotSquare, true);
}

// --- "nur/ohne Rand" --------------------------------------------------------------------------

TLattenGeneratorLaengsStirnNurOhneRand::TLattenGeneratorLaengsStirnNurOhneRand()
    : TStandardLattenGenerator(QStringLiteral("Längs durch Stirnseiten nur/ohne Rand"), 9, 150) {}

std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorLaengsStirnNurOhneRand::CreateNew() const {
    return std::make_unique<TLattenGeneratorLaengsStirnNurOhneRand>();
}

TStandardLayout TLattenGeneratorLaengsStirnNurOhneRand::Layout() const {
    if (fRand == 1) {
        TStandardLayout l = Fixed(TJointLines::None, TBorderBattens::Within5);
        l.EvenSpacing = false;
        return l;
    }
    return Fixed(TJointLines::Single, TBorderBattens::None);
}

void TLattenGeneratorLaengsStirnNurOhneRand::Assign(const TLattenGeneratorBase& Source) {
    TStandardLattenGenerator::Assign(Source);
    if (const auto* s = dynamic_cast<const TLattenGeneratorLaengsStirnNurOhneRand*>(&Source))
        fRand = s->fRand;
}

void TLattenGeneratorLaengsStirnNurOhneRand::ReadData(TReader& Reader) {
    const TBaseRecord base = ReadBaseRecord(Reader);
    const std::int32_t rand = Reader.ReadRawInt32();
    ApplyBaseRecord(base);
    fRand = rand == 0 || rand == 1 ? rand : 0;
}

void TLattenGeneratorLaengsStirnNurOhneRand::WriteData(TWriter& Writer) const {
    TStandardLattenGenerator::WriteData(Writer);
    Writer.WriteRawInt32(fRand);
}

void TLattenGeneratorLaengsStirnNurOhneRand::SetRand(std::int32_t Value) {
    if (Value == fRand) return;
    if (Value != 0 && Value != 1) throw EPropertyError(QStringLiteral("Ungültiger Wert für Rand."));
    fRand = Value;
}

TPropertyList TLattenGeneratorLaengsStirnNurOhneRand::Properties() {
    TPropertyList list = TStandardLattenGenerator::Properties();
    TPublishedProperty rand;
    rand.Name = QStringLiteral("A_Rand");
    rand.Kind = TPropertyKind::Enumeration;
    rand.Values = {QStringLiteral("ohne"), QStringLiteral("nur")};
    rand.Min = 0;
    rand.Max = 1;
    rand.Default = 0;
    rand.Get = [this] { return double(fRand); };
    rand.Set = [this](double v) {
        if (!(v == 0 || v == 1)) throw EPropertyError(QStringLiteral("Ungültiger Wert für Rand."));
        SetRand(static_cast<std::int32_t>(v));
    };
    list.push_back(rand);
    SortProperties(list);
    return list;
}
