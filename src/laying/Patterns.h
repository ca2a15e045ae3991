#pragma once
// Pattern generators: each turns one board article into the boards of one layer of an area.
// A generator works in the frame of the area's LegeVektor (e_L: rows follow each other along
// it, a board's width lies along it) and SymetrieVek (e_S: a board's length lies along it),
// both starting at the pattern origin O that AdjustVektors places before the area. The area
// is a parameter of the calls that need it; a generator keeps no link to the area that owns it.

#include "model/Generators.h"
#include "model/GraphicObject.h"
#include "platform/PublishedProperties.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TShape;
class TProduct;
class TVektor;
class TCatalogueContext;

class TPatternGenerator : public TPatternGeneratorBase {
public:
    double dx = 0; // extent of the area from the line of LegeVektor (set by AdjustVektors)
    double dy = 0; // extent of the area from the line of SymetrieVek
    std::array<std::int32_t, 10> PreferedLattenGenIDs{};

    // A copy of the same class.
    std::unique_ptr<TPatternGenerator> Clone() const;

    // Whether the pattern can lay the article. No pattern lays an article without a positive
    // width and length (the periods would be zero).
    virtual bool Possible(const TProduct& Article) const;
    // Repeat distances along e_L and e_S (cm).
    virtual double PeriodeL() const = 0;
    virtual double PeriodeS() const = 0;
    // Places the pattern frame of the area before its contour and sets dx, dy.
    virtual void AdjustVektors(TShape& Shape);
    // Destroys every object of the layer.
    virtual void DeleteLayer(TGraphicObjectList& Layer);
    // Fills the layer with the boards of the area's frame; they belong to Shape.
    virtual void CreatePattern(TShape& Shape, TGraphicObjectList& Layer) = 0;
    // Refreshes the article from the catalogue; false (with the user told through the
    // context's messages) when it is gone or no longer suits the pattern.
    virtual bool Update(const TCatalogueContext& Context);
    bool SuitableLG(std::int32_t LattenGeneratorID) const;

    // The published user parameters, sorted by name; none for most patterns.
    virtual TPropertyList Properties();

    // Article width W and length L.
    double W() const;
    double L() const;

protected:
    // Appends a board of the generator's article to the area's layer with corner (cx, cy),
    // length vector (lx, ly) and width vector (wx, wy).
    void AddBoard(TShape& Shape, TGraphicObjectList& Layer, double cx, double cy, double lx,
                  double ly, double wx, double wy) const;
    // dx and dy: the larger of the contour's greatest distances from the two frame lines.
    void SetExtents(const TShape& Shape);
    // Moves the start of v back by whole periods along its own unit direction until every
    // contour point lies strictly ahead of it, then by a further 0.05.
    static void MoveBehindContour(const TShape& Shape, TVektor& v, double Period);
};

// The generator of a layer as the laying engine sees it; null when the layer has none (or a
// class the laying engine does not know).
TPatternGenerator* PatternGenerator(const TShape& Shape, int LayerIndex);
