#pragma once
// Pattern generators: each turns one board article into the boards of one layer of an area.
// A generator works in the frame of the area's LegeVektor (e_L: rows follow each other along
// it, a board's width lies along it) and SymetrieVek (e_S: a board's length lies along it),
// both starting at the pattern origin O that AdjustVektors places before the area.

#include "model/GraphicObject.h"
#include "platform/PublishedProperties.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TShape;
class TReader;
class TWriter;
class TProduct;
class TPaneele;
class TVektor;

class TPatternGenerator {
public:
    double dx = 0; // extent of the area from the line of LegeVektor (set by AdjustVektors)
    double dy = 0; // extent of the area from the line of SymetrieVek
    QString Name;  // display name; plan files store it to identify the class
    std::int32_t BitMapIndex = 0;
    TShape* Shape = nullptr;           // not owned
    std::unique_ptr<TPaneele> Product; // the generator's own copy of its board article
    std::int32_t LattenGenID = 0;
    std::array<std::int32_t, 10> PreferedLattenGenIDs{};

    TPatternGenerator();
    TPatternGenerator(const TPatternGenerator&) = delete;
    TPatternGenerator& operator=(const TPatternGenerator&) = delete;
    virtual ~TPatternGenerator();

    // A new generator of the same class with its constructor defaults.
    virtual std::unique_ptr<TPatternGenerator> CreateNew() const = 0;
    std::unique_ptr<TPatternGenerator> Clone() const;
    // Name, BitMapIndex, the article, Shape and LattenGenID; subclasses add their parameters.
    virtual void Assign(const TPatternGenerator& Source);

    // Record: Int 0, the article record, Int LattenGenID, then the class's own tail.
    void ReadData(TReader& Reader);
    void WriteData(TWriter& Writer) const;

    // Whether the pattern can lay the article. No pattern lays an article without a positive
    // width and length (the periods would be zero).
    virtual bool Possible(const TProduct& Article) const;
    // Repeat distances along e_L and e_S (cm).
    virtual double PeriodeL() const = 0;
    virtual double PeriodeS() const = 0;
    // Places the pattern frame before the area's contour and sets dx, dy.
    virtual void AdjustVektors();
    // Destroys every object of the layer.
    virtual void DeleteLayer(TGraphicObjectList& Layer);
    virtual void CreatePattern(TGraphicObjectList& Layer) = 0;
    // Refreshes the article from the catalogue; false (with the user told) when it is gone or
    // no longer suits the pattern.
    virtual bool Update();
    bool SuitableLG(std::int32_t LattenGeneratorID) const;

    // The published user parameters, sorted by name; none for most patterns.
    virtual TPropertyList Properties();

    // Article width W and length L.
    double W() const;
    double L() const;

protected:
    virtual void ReadTail(TReader& Reader);
    virtual void WriteTail(TWriter& Writer) const;

    // Appends a board of the generator's article with corner (cx, cy), length vector (lx, ly)
    // and width vector (wx, wy).
    void AddBoard(TGraphicObjectList& Layer, double cx, double cy, double lx, double ly, double wx,
                  double wy) const;
    // dx and dy: the larger of the contour's greatest distances from the two frame lines.
    void SetExtents();
    // Moves the start of v back by whole periods along its own unit direction until every
    // contour point lies strictly ahead of it, then by a further 0.05.
    void MoveBehindContour(TVektor& v, double Period) const;
};

// The prototype list in its fixed index order.
std::vector<std::unique_ptr<TPatternGenerator>>& PatternPrototypes();
// The prototype of the scripted pattern, kept beside the list; null when there is none.
TPatternGenerator*& ComplexPatternPrototype();

// A new generator for a stored name: the scripted pattern when the name is its prototype's,
// else the first prototype with that name; null when no prototype has it.
std::unique_ptr<TPatternGenerator> CreatePatternGeneratorForName(const QString& Name);
