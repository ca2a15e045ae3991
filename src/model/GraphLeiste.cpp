#include "model/GraphLeiste.h"

#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <climits>
#include <cmath>

TGraphLeiste::TGraphLeiste() {
    Color = kDefaultColor;
}

TGraphLeiste::TGraphLeiste(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                           const QString& AArtikelNr, const TVektor& AVektor,
                           const QString& AImageFileName, TColor AColor)
    : TGraphicObject(AParentShape, AParentGraphObject, AArtikelNr), Vektor(AVektor) {
    ImageFileName.SetText(AImageFileName);
    Color = AColor;
}

void TGraphLeiste::ReadData(TReader& Reader) {
    TGraphicObject::ReadData(Reader);
    Reader.ReadInteger(); // version, always 0
    const double breite = Reader.ReadFloat();
    TVektor vektor;
    vektor.ReadData(Reader);
    const QString image = Reader.ReadString();
    const TColor color = static_cast<TColor>(Reader.ReadInteger());
    // Width and line reach the pen and the clipper.
    if (!std::isfinite(breite) || !std::isfinite(vektor.x) || !std::isfinite(vektor.y) ||
        !std::isfinite(vektor.rx) || !std::isfinite(vektor.ry))
        throw EReadError("Ungültige Randleiste");
    Breite = breite;
    Vektor = vektor;
    ImageFileName.SetText(image);
    Color = color;
}

void TGraphLeiste::WriteData(TWriter& Writer) const {
    TGraphicObject::WriteData(Writer);
    Writer.WriteInteger(0);
    Writer.WriteFloat(Breite);
    Vektor.WriteData(Writer);
    Writer.WriteString(ImageFileName.Text());
    Writer.WriteInteger(static_cast<std::int32_t>(Color));
}

void TGraphLeiste::Draw(TCanvas& Canvas, int DrawFlags) const {
    if (DrawFlags & 0x3) Canvas.Pen.Color = Color;
    const double width = RoundTiesEven(Breite);
    Canvas.Pen.Width = width >= INT_MAX ? INT_MAX : width <= 0 ? 0 : static_cast<int>(width);
    Vektor.Draw(Canvas);
}

void TGraphLeiste::Move(double dx, double dy) {
    Vektor.Shift(dx, dy);
}

void TGraphLeiste::Rotate(const TROTMatrix& ROTMatrix) {
    Vektor.Rotate(ROTMatrix);
}

std::unique_ptr<TGraphicObject> TGraphLeiste::Clone() const {
    auto copy = std::make_unique<TGraphLeiste>(ParentShape, ParentGraphObject, ArtikelNr.Text(),
                                               Vektor, ImageFileName.Text(), Color);
    copy->Typ = Typ;
    copy->Breite = Breite;
    copy->Independent = Independent;
    copy->IncludeAlways = IncludeAlways;
    return copy;
}
