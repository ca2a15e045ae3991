#include "geometry/Vektors.h"

#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// ---------------------------------------------------------------------------------------------
// TROTMatrix

namespace {

// sin and cos of an angle in degrees; exact for multiples of 90 degrees.
void SinCosDegrees(double degrees, long double& s, long double& c) {
    double q = std::fmod(degrees, 360.0);
    if (q < 0) q += 360.0;
    if (q == 0.0) {
        s = 0, c = 1;
    } else if (q == 90.0) {
        s = 1, c = 0;
    } else if (q == 180.0) {
        s = 0, c = -1;
    } else if (q == 270.0) {
        s = -1, c = 0;
    } else {
        const long double w =
            static_cast<long double>(degrees) * std::numbers::pi_v<long double> / 180.0L;
        s = std::sin(w);
        c = std::cos(w);
    }
}

} // namespace

TROTMatrix TROTMatrix::FromAngle(double degrees, double cx, double cy) {
    long double s = 0, c = 1;
    SinCosDegrees(degrees, s, c);
    TROTMatrix r;
    r.m[0][0] = c;
    r.m[0][1] = -s;
    r.m[1][0] = s;
    r.m[1][1] = c;
    r.m[2][0] = cx;
    r.m[2][1] = cy;
    return r;
}

void TROTMatrix::Map(double& px, double& py) const {
    const long double dx = static_cast<long double>(px) - m[2][0];
    const long double dy = static_cast<long double>(py) - m[2][1];
    const long double nx = m[2][0] + m[0][0] * dx + m[0][1] * dy;
    const long double ny = m[2][1] + m[1][0] * dx + m[1][1] * dy;
    px = static_cast<double>(nx);
    py = static_cast<double>(ny);
}

// ---------------------------------------------------------------------------------------------
// TVektor

void TVektor::Create(double Ax1, double Ay1, double Ax2, double Ay2) {
    x = Ax1;
    y = Ay1;
    rx = Ax2 - Ax1;
    ry = Ay2 - Ay1;
    Flags = 0;
}

bool TVektor::IsEqual(const TVektor& v) const {
    return x == v.x && y == v.y && rx == v.rx && ry == v.ry;
}

void TVektor::ReadData(TReader& Reader) {
    Reader.ReadInteger(); // record version, always 0
    const double ax = Reader.ReadRawDouble();
    const double ay = Reader.ReadRawDouble();
    const double arx = Reader.ReadRawDouble();
    const double ary = Reader.ReadRawDouble();
    const std::int32_t flags = Reader.ReadRawInt32();
    x = ax, y = ay, rx = arx, ry = ary, Flags = flags;
}

void TVektor::WriteData(TWriter& Writer) const {
    Writer.WriteInteger(0);
    Writer.WriteRawDouble(x);
    Writer.WriteRawDouble(y);
    Writer.WriteRawDouble(rx);
    Writer.WriteRawDouble(ry);
    Writer.WriteRawInt32(Flags);
}

void TVektor::Norm() {
    const double t = rx;
    rx = ry;
    ry = -t;
}

void TVektor::Einheit() {
    const double b = Betrag();
    if (b == 0) return;
    rx /= b;
    ry /= b;
}

void TVektor::Turn() {
    rx = -rx;
    ry = -ry;
}

void TVektor::Shift(double dx, double dy) {
    x += dx;
    y += dy;
}

void TVektor::Scale(double s) {
    x *= s;
    y *= s;
    rx *= s;
    ry *= s;
}

double TVektor::Betrag() const {
    return std::sqrt(rx * rx + ry * ry);
}

double TVektor::Abstand(double px, double py) const {
    const double b = Betrag();
    if (b == 0) return std::hypot(px - x, py - y);
    return std::fabs(-(px - x) * ry + (py - y) * rx) / b;
}

double TVektor::AbstandSgn(double px, double py) const {
    const double b = Betrag();
    if (b == 0) return 0;
    return (rx * (py - y) - ry * (px - x)) / b;
}

double TVektor::Winkel(const TVektor& v) const {
    const double d = Betrag() * v.Betrag();
    if (d == 0) return 0;
    // Rounding can push the quotient of (anti)parallel directions just beyond +-1.
    const double q = std::clamp((v.rx * rx + v.ry * ry) / d, -1.0, 1.0);
    return std::acos(q);
}

bool TVektor::InFrontOfPoint(double px, double py) const {
    return (px - x) * rx + (py - y) * ry > 0;
}

namespace {

// Parameters of the crossing of s (start S, direction s.r) and v: t along s, u along v.
struct TCrossing {
    double D;
    double t;
    double u;
};

TCrossing Cross(const TVektor& s, const TVektor& v) {
    TCrossing c{s.rx * v.ry - s.ry * v.rx, 0, 0};
    if (c.D == 0) return c;
    const double wx = s.x - v.x;
    const double wy = s.y - v.y;
    c.t = -(wx * v.ry - wy * v.rx) / c.D;
    c.u = -(wx * s.ry - wy * s.rx) / c.D;
    return c;
}

// The end rule that keeps crossing parity at shared vertices: for D < 0 the start of s counts
// and its end does not; for D > 0 the parameter is measured from the end point, whose start
// counts. Measuring from the end point itself (not as 1 - t) makes both edges at a shared
// vertex evaluate the same expression there, so they agree exactly on "at the vertex".
bool DirectedParameter(const TVektor& s, const TVektor& v, const TCrossing& c, double& t) {
    if (c.D < 0) {
        t = c.t;
        return t >= 0 && t < 1;
    }
    const double wx = s.x + s.rx - v.x;
    const double wy = s.y + s.ry - v.y;
    const double fromEnd = (wx * v.ry - wy * v.rx) / c.D;
    t = 1 - fromEnd;
    return fromEnd >= 0 && fromEnd < 1;
}

} // namespace

bool TVektor::Schnittpunkt(const TVektor& v, double& px, double& py) const {
    const TCrossing c = Cross(*this, v);
    if (c.D == 0) return false;
    double t = 0;
    if (!DirectedParameter(*this, v, c, t)) return false;
    px = x + t * rx;
    py = y + t * ry;
    return true;
}

bool TVektor::SchnittpunktLock(const TVektor& v, double& px, double& py, double& f1,
                               double& f2) const {
    const TCrossing c = Cross(*this, v);
    if (c.D == 0) return false;
    double t = 0;
    const bool onThis = DirectedParameter(*this, v, c, t);
    f1 = t;
    if (!onThis) return false;
    f2 = c.u;
    if (!(c.u >= 0 && c.u < 1)) return false;
    px = x + t * rx;
    py = y + t * ry;
    return true;
}

bool TVektor::SchnittpunktStrecke(const TVektor& v, double& px, double& py) const {
    const TCrossing c = Cross(*this, v);
    if (c.D == 0) return false;
    if (!(c.t >= 0 && c.t <= 1 && c.u >= 0 && c.u <= 1)) return false;
    px = v.x + c.u * v.rx;
    py = v.y + c.u * v.ry;
    return true;
}

bool TVektor::SchnittpunktStreckeOffen(const TVektor& v, double& px, double& py) const {
    const TCrossing c = Cross(*this, v);
    if (c.D == 0) return false;
    if (!(c.t >= 0 && c.t < 1 && c.u >= 0 && c.u < 1)) return false;
    px = v.x + c.u * v.rx;
    py = v.y + c.u * v.ry;
    return true;
}

bool TVektor::SchnittpunktGerade(const TVektor& v, double& px, double& py) const {
    const TCrossing c = Cross(*this, v);
    if (c.D == 0) return false;
    px = v.x + c.u * v.rx;
    py = v.y + c.u * v.ry;
    return true;
}

void TVektor::Rotate(const TROTMatrix& ROTMatrix) {
    double x1 = x, y1 = y;
    double x2 = x + rx, y2 = y + ry;
    ROTMatrix.Map(x1, y1);
    ROTMatrix.Map(x2, y2);
    x = x1;
    y = y1;
    rx = x2 - x1;
    ry = y2 - y1;
}

void TVektor::Draw(TCanvas& Canvas) const {
    Canvas.Line(RoundTiesEvenToInt(x), RoundTiesEvenToInt(y), RoundTiesEvenToInt(x + rx),
                RoundTiesEvenToInt(y + ry));
}

void TVektor::DrawDottedLine(TCanvas& Canvas) const {
    const TPen old = Canvas.Pen;
    const int w = old.Width;
    const int half = w / 2;
    std::vector<int> pattern;
    if (!old.DashPattern.empty()) {
        // Already a dotted pen (from an earlier call): keep its pattern.
        pattern = old.DashPattern;
    } else
        switch (old.Style) {
        case TPenStyle::psDash:
            pattern = {4 * w, 2 * w, 4 * w, 2 * w};
            break;
        case TPenStyle::psDot:
            pattern = {half, 2 * w, half, 2 * w};
            break;
        case TPenStyle::psDashDot:
            pattern = {half, 2 * w, 4 * w, 2 * w};
            break;
        case TPenStyle::psDashDotDot:
            pattern = {4 * w, 2 * w, half, 2 * w};
            break;
        default:
            pattern = {4 * w, 2 * w, 4 * w, 2 * w};
            break;
        }
    // Thin pens would give zero-length dashes or gaps, which draw nothing or everything.
    for (int& entry : pattern)
        entry = std::max(entry, 1);

    TPen dotted;
    dotted.Color = old.Color;
    dotted.Width = w;
    dotted.Style = TPenStyle::psSolid;
    dotted.DashPattern = pattern;
    dotted.Cap = TPenCap::pcFlat;
    Canvas.Pen = dotted;
    Draw(Canvas);
    // The geometric pen stays selected, as the caller may draw more dashed lines with it.
}

double TVektor::DirectionDegrees() const {
    const double len = std::hypot(rx, ry);
    if (len == 0 || !std::isfinite(len)) return 0;
    const double ux = std::clamp(rx / len, -1.0, 1.0);
    double angle = std::acos(ux) * 180 / std::numbers::pi;
    if (ry < 0) angle = 360 - angle;
    // A direction a hair below the +x axis must read 0, not 360.
    if (angle >= 360) angle -= 360;
    return angle;
}
