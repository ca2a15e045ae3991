#pragma once
// A text box: a rectangle with a text, a font and a text height in model units, placed on the
// plan's laying views or its substructure view. Boxes the substructure makes carry Tag 64.

#include "geometry/GPCUtils.h"
#include "model/GraphicObject.h"

class TGraphText : public TGraphicObject {
public:
    static constexpr TColor kDefaultColor = RGBColor(127, 127, 127);
    // Tag of the legend boxes the substructure makes and replaces.
    static constexpr std::int32_t kSubstructureLegendTag = 64;

    // Face, colour and the font's own height value (stored, not used for drawing).
    struct TFont {
        QString Name = QStringLiteral("Arial");
        TColor Color = 0;
        std::int32_t Height = -11;
    };

    Tgpc_polygon Polygon; // corners P0 (top left), P1, P2, P3 around the box
    QString Text = QStringLiteral("Text");
    TFont Font;
    std::int32_t FontHeight = 12; // text height used for drawing, model units

    TGraphText();

    QString SerialID() const override { return QStringLiteral("TE"); }
    // Common record, Int version 1, Int Typ; only for version 1: raw 64 corners, Str Text,
    // Str font name, Int font colour, Int font height, Int FontHeight.
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetExtent(double& x1, double& y1, double& x2, double& y2) const override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    bool PointInObject(double px, double py) const override;
    TGraphicObject* ObjectFromPoint(double px, double py) override;
    // EClipError when the clipper refuses the coordinates.
    bool IsInShape(const TShape* Shape) const override;
    // Article number, type, corners, ParentShape, picture, colour, text and font; FontHeight
    // keeps the default of a new box.
    std::unique_ptr<TGraphicObject> Clone() const override;

    const Tgpc_vertex& P(int i) const { return Polygon.contour[0].vertex[static_cast<size_t>(i)]; }
    // The box from (x1, y1) (top left) to (x2, y2).
    void SetBox(double x1, double y1, double x2, double y2);
};
