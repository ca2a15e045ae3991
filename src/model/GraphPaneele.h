#pragma once
// A laid board: a parallelogram with the article's laying length and width, P0 -> P1 along
// its length, P0 -> P3 across it. Boards keep their full outline; they are cut by the area's
// contour only when drawn and when their material is counted.

#include "geometry/GPCUtils.h"
#include "model/GraphicObject.h"

#include <QPainterPath>

class TVektor;

// The three lines of debug information of a polygon: its points, its edge lengths and the
// angles between neighbouring edges in degrees, "." as decimal separator.
void AppendPolygonDebugInfo(const std::vector<Tgpc_vertex>& Points, QStringList& DebugInfo);

class TGraphPaneel : public TGraphicObject {
public:
    // Bits of the DrawFlags of Draw.
    enum : int { dfImage = 1, dfFill = 2, dfHatch = 4, dfPrint = 8 };
    static constexpr TColor kDefaultColor = RGBColor(127, 127, 127);

    Tgpc_polygon Polygon; // one contour of exactly 4 vertices

    TGraphPaneel();
    TGraphPaneel(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                 const QString& AArtikelNr);
    TGraphPaneel(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                 const QString& AArtikelNr, std::int32_t ATyp, const TVektor& ALaengs,
                 const TVektor& AQuer, const QString& AImageFileName, TColor AColor);

    QString SerialID() const override { return QStringLiteral("PA"); }
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetExtent(double& x1, double& y1, double& x2, double& y2) const override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    void Draw(TCanvas& Canvas, int DrawFlags) const override;
    void DrawFrame(TCanvas& Canvas) const override;
    void GetCompatibleList(const TArticleSource& Source,
                           std::vector<TProduct*>& List) const override;
    void GetKoordinateList(TDoubleArray& List) const override;
    bool PointInObject(double px, double py) const override;
    int GetHitIndex(double x, double y) const override;
    TGraphicObject* ObjectFromPoint(double px, double py) override;
    // Whether the board overlaps the area's effective outline; EClipError when the clipper
    // refuses the coordinates (the caller decides what the board is then).
    bool IsInShape(const TShape* Shape) const override;
    double Direction() const override;
    void GetPosition(double& x, double& y, double& w) const override;
    std::unique_ptr<TGraphicObject> Clone() const override;
    void GetDebugInfo(QStringList& DebugInfo) const override;
    // One requirement item per stretch of the board inside its area (model/BedarfObjects).
    void AddtoBedarfsColl(TBedarfsColl& BedarfsColl, TCanvas* Canvas) override;

    // Paints the article picture so that one texture spans the whole area; false when there
    // is no picture to paint (no name, not decodable, no area).
    bool DrawSurface(TCanvas& Canvas, const QString& AImageFileName, int DrawFlags) const;
    // The outline rounded to logical coordinates, even-odd.
    QPainterPath ClipRgn() const;
    bool IsInGPCPolygon(const Tgpc_polygon& Poly) const;

private:
    bool InShapeForDrawing() const;

public:
    // The outline from a length vector (its start is P0) and a width vector.
    static void SetOutline(Tgpc_polygon& Outline, const TVektor& L, const TVektor& Q);
    const Tgpc_vertex& P(int i) const { return Polygon.contour[0].vertex[static_cast<size_t>(i)]; }

protected:
    // The board part of the record (also the beam's own part): version, Typ, outline,
    // ImageFileName, Color.
    void ReadOutlinePart(TReader& Reader, Tgpc_polygon& Outline);
    void WriteOutlinePart(TWriter& Writer, const Tgpc_polygon& Outline) const;
    void CopyBoardFields(TGraphPaneel& Target) const;
};

// A four-vertex outline with all vertices at the origin.
Tgpc_polygon EmptyQuad();
