#pragma once
// A text box: a rectangle with a text, a font and a text height in model units, placed on the
// plan's laying views or its substructure view; the editor resizes it with eight handles.
//
// Boxes the substructure makes carry Tag 64 (kSubstructureLegendTag) so that battening again
// replaces them. Tag is not part of the record: a plan read back marks the boxes of its
// substructure text list whose text is a legend's (IsSubstructureLegendText) again.

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

    // Sizes a resize may give either side, inclusive.
    static constexpr double kMinSide = 20;
    static constexpr double kMaxSide = 500;
    // A corner handle counts within this distance, a side handle within kSideReach.
    static constexpr double kCornerReach = 10;
    static constexpr double kSideReach = 5;

    TGraphText();

    QString SerialID() const override { return QStringLiteral("TE"); }
    // Common record, Int version 1, Int Typ; only for version 1: raw 64 corners, Str Text,
    // Str font name, Int font colour, Int font height, Int FontHeight.
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetExtent(double& x1, double& y1, double& x2, double& y2) const override;
    // The text word-wrapped into the box (3 units in from the sides, 2 from top and bottom) in
    // the font with FontHeight as its height; with flag 4 also the frame.
    void Draw(TCanvas& Canvas, int DrawFlags) const override;
    // The closed outline P0, P1, P2, P3, P0.
    void DrawFrame(TCanvas& Canvas) const override;
    // Corners 1..4, then the midpoints of the sides 5..8.
    void GetGrabHandles(std::vector<TGrabHandleInfo>& List) override;
    // -1 outside; the nearest corner within kCornerReach (1..4); else the nearest side within
    // kSideReach (5..8); else 0, the body.
    int GetHitIndex(double px, double py) const override;
    // Resizes by a handle; refused (corners unchanged) when a side would leave
    // kMinSide..kMaxSide or the box would turn over.
    void Transform(int HitIndex, double dx, double dy, TDragState& Drag) override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    bool PointInObject(double px, double py) const override;
    TGraphicObject* ObjectFromPoint(double px, double py) override;
    // EClipError when the clipper refuses the coordinates.
    bool IsInShape(const TShape* Shape) const override;
    // Article number, type, corners, ParentShape, picture, colour, text, font and FontHeight
    // (a copy keeps the size of its text).
    std::unique_ptr<TGraphicObject> Clone() const override;

    const Tgpc_vertex& P(int i) const { return Polygon.contour[0].vertex[static_cast<size_t>(i)]; }
    // The box from (x1, y1) (top left) to (x2, y2).
    void SetBox(double x1, double y1, double x2, double y2);
};

// Whether a text is a substructure legend's ("UK Artikel: " and its lines).
bool IsSubstructureLegendText(const QString& Text);
