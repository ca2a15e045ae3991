#pragma once
// Substructure generators: each turns an area's contour, its batten direction and, for some
// layouts, the laid boards into battens. The base class is the layout "Keine Verlattung" and
// carries the machinery every layout uses: the inset contour, the batten frame and the cutting
// of batten lines and single segments to the area. The area is a parameter of the calls that
// need it; a generator keeps no link to the area that owns it.

#include "geometry/DoubleArray.h"
#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"
#include "model/Generators.h"
#include "platform/PublishedProperties.h"
#include "platform/TextFields.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TShape;
class TReader;
class TWriter;
class TPaneele;
class TCatalogueContext;

class TLattenGenerator : public TLattenGeneratorBase {
public:
    // The accepted maximum spacing. Below 1 cm every layout would yield no battens at all, so
    // such a value is refused rather than answered with an empty substructure.
    static constexpr double kMinMaxLattenAbstand = 1;
    static constexpr double kMaxMaxLattenAbstand = 200;
    // How far the battens stay inside the laying contour.
    static constexpr double kInsetDistance = 3.0;

    double fMaxLattenAbstand = 60; // cm
    double dx = 0;                 // reserved
    double dy = 0;                 // reserved
    TShortText<25> LattenArtNr;
    // Batten frame, set during generation: lines run along VerlattVekL; VerlattVekS is
    // perpendicular to it ((L.y, -L.x)) from the same origin. Both are unit length.
    TVektor VerlattVekL;
    TVektor VerlattVekS;
    // Signed offsets of batten lines along VerlattVekS; only during generation.
    TDoubleArray LattenAbstand;
    // Single segments a layout proposes; FinalizeVerlattung cuts them to the inset contour.
    std::vector<TVektor> UKVektorList;
    // Edges of the inset contour and the contour itself; only during generation.
    std::vector<TVektor> HelperFrameList;
    Tgpc_polygon HelperFramePolygon;

    TLattenGenerator();
    ~TLattenGenerator() override;

    QString ClassName() const override { return QStringLiteral("TLattenGenerator"); }
    std::unique_ptr<TLattenGeneratorBase> CreateNew() const override;
    // A copy of the same class.
    std::unique_ptr<TLattenGenerator> Clone() const;
    // Name, BitMapIndex, LattenArtNr, fMaxLattenAbstand and both frame vectors when the
    // source is a substructure generator; subclasses copy their own parameters when the
    // source is of their class.
    void Assign(const TLattenGeneratorBase& Source) override;
    // Record: Int version 0, Str LattenArtNr, raw double fMaxLattenAbstand; subclasses append.
    // A value the setters would refuse (NaN, infinity, out of range) reads as the built-in one.
    // Nothing changes when the record cannot be read.
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    // The defaults of a board article: its batten article and spacing (a spacing outside the
    // accepted range leaves the current one).
    virtual void Init(const TPaneele& Paneel);
    // The edges of the area's inset contour (3 cm inside its effective outline); also sets
    // HelperFramePolygon. Empty when nothing of the area is left after the inset.
    virtual std::vector<TVektor> CreateHelperFrameList(const TShape& Shape);
    // Generates the substructure of the area. "Keine Verlattung" only deletes what the area
    // had.
    virtual void CreateVerlattung(TShape& Shape);
    // Appends to Verlattung one batten per inside piece of every LattenAbstand line, then the
    // inside pieces of the UKVektorList segments; empties UKVektorList.
    virtual void FinalizeVerlattung(const TShape& Shape, std::vector<TVektor>& Verlattung);
    // Checks the batten article in the catalogue; tells the user (through the context's
    // messages) and answers false when it is missing or no batten.
    virtual bool Update(const TCatalogueContext& Context);
    // The published parameters, sorted by name.
    virtual TPropertyList Properties();

    void ClearUKVektorList() { UKVektorList.clear(); }
    // Raises EPropertyError (value unchanged) outside kMinMaxLattenAbstand..kMaxMaxLattenAbstand.
    void SetMaxLattenAbstand(double Value);
    double DefaultMaxLattenAbstand() const { return fDefaultMaxLattenAbstand; }

    // False when a batten of the area's VerlattungColl crosses two or more sides of the band
    // reaching MinDistance to either side of the middle 20 %..80 % of v.
    static bool FitsInVerlattung(const TShape& Shape, const TVektor& v, double MinDistance);
    // Appends the pieces of the lines at Abstaende inside FramePolygon that are longer than
    // 10 cm and, when MinDistance >= 0.1, pass FitsInVerlattung.
    void AddVerlattung(const TShape& Shape, std::vector<TVektor>& Verlattung,
                       const TDoubleArray& Abstaende, const Tgpc_polygon& FramePolygon,
                       double MinDistance) const;

    // The signed coordinate of a point along VerlattVekS: the offset of the batten line
    // through it. Signed, so that points behind the origin do not fold onto the front.
    double Offset(double px, double py) const;
    // The (unbounded) batten line with that offset, of unit direction VerlattVekL.
    TVektor BattenLine(double Abstand) const;

protected:
    TLattenGenerator(const QString& AName, std::int32_t ABitMapIndex,
                     double ADefaultMaxLattenAbstand);

    // The base record's values, read before anything is stored.
    struct TBaseRecord {
        QString LattenArtNr;
        double MaxLattenAbstand = 0;
    };
    TBaseRecord ReadBaseRecord(TReader& Reader) const;
    void ApplyBaseRecord(const TBaseRecord& Record);

    // Cuts the line at every crossing with Edges (crossings paired in order along it) and
    // appends the pieces longer than MinLength whose midpoint lies in the area and which, when
    // MinDistance >= 0.1, pass FitsInVerlattung.
    void CutLine(const TShape& Shape, const TVektor& Line, const std::vector<TVektor>& Edges,
                 double MinLength, double MinDistance, std::vector<TVektor>& Verlattung) const;
    // A piece whose midpoint lies outside the effective outline would be a batten outside the
    // area.
    static bool MidpointInArea(const TShape& Shape, const TVektor& Piece);

    // Generation state lives only while a layout runs; this clears it on every way out.
    class TGenerationScope {
    public:
        explicit TGenerationScope(TLattenGenerator& Generator) : fGenerator(Generator) {}
        TGenerationScope(const TGenerationScope&) = delete;
        TGenerationScope& operator=(const TGenerationScope&) = delete;
        ~TGenerationScope();

    private:
        TLattenGenerator& fGenerator;
    };

    double fDefaultMaxLattenAbstand = 60;
};

// One prototype per layout; index = layout identifier. The list is built in identifier order;
// an identifier whose layout this build does not have keeps an empty slot.
using TLattenGeneratorList = std::vector<std::unique_ptr<TLattenGenerator>>;
// A fresh set of prototypes with their constructor values; their classes are registered for
// reading plans.
TLattenGeneratorList CreateLattenGeneratorPrototypes();
// The prototype of that identifier in the list, or null.
TLattenGenerator* LattenPrototype(const TLattenGeneratorList& List, std::int32_t ID);
// The area's substructure generator as the substructure engine sees it; null when it has none.
TLattenGenerator* LattenGeneratorOf(const TShape& Shape);
