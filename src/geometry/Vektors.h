#pragma once
// Directed segments and rotation matrices: the building blocks of laying, substructure
// generation and editing. Model units are centimetres; x points right, y down; angles in
// degrees run from +x towards +y (clockwise on screen).

#include <cstdint>

class TReader;
class TWriter;
class TCanvas;

// Rotation about a centre: x' = cx + m11(x - cx) + m12(y - cy), y' = cy + m21(x - cx) + m22(y -
// cy).
struct TROTMatrix {
    long double m[3][2] = {{1, 0}, {0, 1}, {0, 0}}; // (m11, m12), (m21, m22), (cx, cy)

    // m11 = cos w, m12 = -sin w, m21 = sin w, m22 = cos w for w in degrees; multiples of 90
    // degrees give exact 0 and +-1 so that axis-parallel geometry stays axis-parallel.
    static TROTMatrix FromAngle(double degrees, double cx, double cy);
    void Map(double& x, double& y) const;
};

class TVektor {
public:
    double x = 0;
    double y = 0;
    double rx = 0; // end point is (x + rx, y + ry)
    double ry = 0;
    std::int32_t Flags = 0; // owned by the user of the vector, never interpreted here

    TVektor() = default;
    TVektor(double Ax1, double Ay1, double Ax2, double Ay2) { Create(Ax1, Ay1, Ax2, Ay2); }
    TVektor(const TVektor&) = default;
    TVektor& operator=(const TVektor&) = default;
    virtual ~TVektor() = default;

    // Record in plan files: Int 0, raw x, y, rx, ry (doubles), raw Flags: 38 bytes.
    virtual void ReadData(TReader& Reader);
    virtual void WriteData(TWriter& Writer) const;
    // Direction turned by a right angle: (rx, ry) := (ry, -rx).
    virtual void Norm();
    // Direction scaled to length 1; a zero direction stays zero.
    virtual void Einheit();

    void Create(double Ax1, double Ay1, double Ax2, double Ay2);
    void Assign(const TVektor& V) { *this = V; }
    bool IsEqual(const TVektor& v) const;

    void Turn();
    void Shift(double dx, double dy);
    void Scale(double s);

    double EndX() const { return x + rx; }
    double EndY() const { return y + ry; }
    double Betrag() const;
    // The direction in degrees, 0 <= angle < 360, from +x towards +y; 0 for a zero direction.
    double DirectionDegrees() const;
    // Distance from the infinite line; for a zero direction the distance from the start point.
    double Abstand(double px, double py) const;
    // Signed: positive when (rx, ry) x (p - start) > 0; 0 for a zero direction.
    double AbstandSgn(double px, double py) const;
    // Angle between the directions in radians, 0..pi; 0 when either direction is zero.
    double Winkel(const TVektor& v) const;
    bool InFrontOfPoint(double px, double py) const;

    // This segment against the infinite line through v. The end rule depends on the crossing
    // direction so that a line through a shared vertex of a closed outline is counted once
    // when the outline crosses it and zero or two times when it only touches.
    bool Schnittpunkt(const TVektor& v, double& px, double& py) const;
    // As Schnittpunkt, and 0 <= u < 1 along v; f1, f2 get the parameters along this and v.
    bool SchnittpunktLock(const TVektor& v, double& px, double& py, double& f1, double& f2) const;
    // Closed segments on both sides.
    bool SchnittpunktStrecke(const TVektor& v, double& px, double& py) const;
    // Half-open segments on both sides: [start, end).
    bool SchnittpunktStreckeOffen(const TVektor& v, double& px, double& py) const;
    // The two infinite lines.
    bool SchnittpunktGerade(const TVektor& v, double& px, double& py) const;

    void Rotate(const TROTMatrix& ROTMatrix);

    // A line from start to end in the canvas's current pen, coordinates rounded ties-to-even.
    void Draw(TCanvas& Canvas) const;
    // As Draw with a geometric dashed pen derived from the current pen's width, colour and style.
    void DrawDottedLine(TCanvas& Canvas) const;
};
