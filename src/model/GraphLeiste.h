#pragma once
// An edge strip: a line of the strip article's width along an edge of an area, drawn in the
// article's colour. Areas keep them in their strip list, one slot per edge.

#include "geometry/Vektors.h"
#include "model/GraphicObject.h"

class TGraphLeiste : public TGraphicObject {
public:
    static constexpr TColor kDefaultColor = RGBColor(255, 0, 0);
    static constexpr double kDefaultBreite = 3;

    TVektor Vektor;                 // the strip's centre line
    double Breite = kDefaultBreite; // model units

    TGraphLeiste();
    TGraphLeiste(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                 const QString& AArtikelNr, const TVektor& AVektor, const QString& AImageFileName,
                 TColor AColor);

    QString SerialID() const override { return QStringLiteral("LE"); }
    // Common record, Int 0, Ext Breite, vector record Vektor, Str ImageFileName, Int Color.
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    // With flag 1 or 2 in the article's colour; the pen as wide as the strip.
    void Draw(TCanvas& Canvas, int DrawFlags) const override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    std::unique_ptr<TGraphicObject> Clone() const override;
};
