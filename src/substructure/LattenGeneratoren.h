#pragma once
// Substructure generators: each turns an area's contour, its batten direction and, for some
// layouts, the laid boards into battens. The base class is the layout "Keine Verlattung" and
// carries the machinery every layout uses: the inset contour, the batten frame and the cutting
// of batten lines and single segments to the area.

#include "geometry/DoubleArray.h"
#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"
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

class TLattenGenerator {
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
    QString Name = QStringLiteral("Keine Verlattung");
    std::int32_t BitMapIndex = 0; // also the layout's identifier and list index
    TShape* Shape = nullptr;      // not owned
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
    TLattenGenerator(const TLattenGenerator&) = delete;
    TLattenGenerator& operator=(const TLattenGenerator&) = delete;
    virtual ~TLattenGenerator();

    // The class name under which plan files store the generator.
    virtual QString ClassName() const { return QStringLiteral("TLattenGenerator"); }
    // A new generator of the same class with its constructor defaults.
    virtual std::unique_ptr<TLattenGenerator> CreateNew() const;
    std::unique_ptr<TLattenGenerator> Clone() const;
    // Name, BitMapIndex, LattenArtNr, fMaxLattenAbstand, both frame vectors and Shape;
    // subclasses copy their own parameters when the source is of their class.
    virtual void Assign(const TLattenGenerator& Source);
    // Record: Int version 0, Str LattenArtNr, raw double fMaxLattenAbstand; subclasses append.
    // A value the setters would refuse (NaN, infinity, out of range) reads as the built-in one.
    // Nothing changes when the record cannot be read.
    virtual void ReadData(TReader& Reader);
    virtual void WriteData(TWriter& Writer) const;
    // The defaults of a board article: its batten article and spacing (a spacing outside the
    // accepted range leaves the current one).
    virtual void Init(const TPaneele& Paneel);
    // The edges of the inset contour (3 cm inside VPolygon); also sets HelperFramePolygon.
    // Empty when nothing of the area is left after the inset.
    virtual std::vector<TVektor> CreateHelperFrameList();
    // Generates the substructure of Shape. "Keine Verlattung" only deletes what the area had.
    virtual void CreateVerlattung();
    // Appends to Verlattung one batten per inside piece of every LattenAbstand line, then the
    // inside pieces of the UKVektorList segments; empties UKVektorList.
    virtual void FinalizeVerlattung(std::vector<TVektor>& Verlattung);
    // Checks the batten article in the catalogue; tells the user and answers false when it is
    // missing or no batten.
    virtual bool Update();
    // The published parameters, sorted by name.
    virtual TPropertyList Properties();

    void ClearUKVektorList() { UKVektorList.clear(); }
    // Raises EPropertyError (value unchanged) outside kMinMaxLattenAbstand..kMaxMaxLattenAbstand.
    void SetMaxLattenAbstand(double Value);
    double DefaultMaxLattenAbstand() const { return fDefaultMaxLattenAbstand; }

    // False when a batten of the area's VerlattungColl crosses two or more sides of the band
    // reaching MinDistance to either side of the middle 20 %..80 % of v.
    bool FitsInVerlattung(const TVektor& v, double MinDistance) const;
    // Appends the pieces of the lines at Abstaende inside FramePolygon that are longer than
    // 10 cm and, when MinDistance >= 0.1, pass FitsInVerlattung.
    void AddVerlattung(std::vector<TVektor>& Verlattung, const TDoubleArray& Abstaende,
                       const Tgpc_polygon& FramePolygon, double MinDistance) const;

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
    void CutLine(const TVektor& Line, const std::vector<TVektor>& Edges, double MinLength,
                 double MinDistance, std::vector<TVektor>& Verlattung) const;
    // A piece whose midpoint lies outside VPolygon would be a batten outside the area.
    bool MidpointInArea(const TVektor& Piece) const;

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
// A fresh set of prototypes with their constructor values.
TLattenGeneratorList CreateLattenGeneratorPrototypes();
// The program's prototypes: they carry the user's last settings of each layout.
TLattenGeneratorList& LattenGeneratorList();
// The prototype of that identifier, or null.
TLattenGenerator* LattenPrototype(std::int32_t ID);
// A new generator of the first prototype's class with that class name; null when none has it.
std::unique_ptr<TLattenGenerator> CreateLattenGeneratorForClass(const QString& ClassName);

// Program-wide substructure defaults for new areas.
struct TSubstructureDefaults {
    QString DefaultUKArtikel;                           // default batten article number
    std::int32_t DefaultUKMuster = 2;                   // identifier of the default layout
    TLattenGenerator* DefaultLattenGenerator = nullptr; // prototype new substructures copy
};
TSubstructureDefaults& SubstructureDefaults();
