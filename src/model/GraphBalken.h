#pragma once
// A beam or frieze: a board whose sides can be dragged with handles within fixed limits. It
// carries a second outline of its own, which the handles edit; the board part follows it, so
// drawing, hit tests and requirements always see the beam as it was dragged.

#include "model/GraphPaneele.h"

class TGraphBalken : public TGraphPaneel {
public:
    static constexpr double kMinBreite = 10, kMaxBreite = 90;
    static constexpr double kMinLaenge = 20, kMaxLaenge = 500;

    Tgpc_polygon BalkenPolygon; // the beam's own outline ("Polygon" of the beam part)

    TGraphBalken();
    TGraphBalken(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                 const QString& AArtikelNr);
    TGraphBalken(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                 const QString& AArtikelNr, std::int32_t ATyp, const TVektor& ALaengs,
                 const TVektor& AQuer, const QString& AImageFileName, TColor AColor);

    QString SerialID() const override { return QStringLiteral("BA"); }
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetCompatibleList(const TArticleSource& Source,
                           std::vector<TProduct*>& List) const override;
    void Transform(int HitIndex, double dx, double dy, TDragState& Drag) override;
    int GetHitIndex(double px, double py) const override;
    std::unique_ptr<TGraphicObject> Clone() const override;

    const Tgpc_vertex& B(int i) const {
        return BalkenPolygon.contour[0].vertex[static_cast<size_t>(i)];
    }
};
