#pragma once
// The laying area: the outline as drawn, the effective outline left after the cut-outs of the
// areas above it, its edge list, layers of laid objects with one pattern generator per layer,
// the laying and batten directions, the substructure and the computed totals.

#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"
#include "model/GraphicObject.h"

#include <QPainterPath>
#include <QPoint>

#include <memory>
#include <stdexcept>
#include <vector>

class TPatternGenerator;
class TLattenGenerator;

// Vectors grouped by article: battens by batten article, connectors by connector article.
// Entries stay in the order they were added; an article number may appear more than once.
struct TVektorGruppe {
    QString ArtikelNr;
    std::vector<TVektor> Vektoren;
};
using TVektorColl = std::vector<TVektorGruppe>;

// Integer rectangle of an extent (rounded ties-to-even).
struct TIntRect {
    std::int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Outline editing with an index outside the outline; the outline is left unchanged.
class EShapeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Results of TShape::Validate.
enum TValidateResult : int {
    vrOk = 0,
    vrSelfCrossing = 1, // edges cross each other
    vrDegenerate = 2,   // fewer than 3 distinct vertices, no area, or edges folding back
};

class TShape : public TGraphicObject {
public:
    // Default fill colours of a normal area and of one that cuts nothing out of those below.
    static constexpr TColor kDiffColor = RGBColor(250, 255, 250);
    static constexpr TColor kXorColor = RGBColor(255, 250, 250);

    std::vector<std::unique_ptr<TPatternGenerator>> PatternGeneratorList; // one per layer
    // Drawing cache of the effective outline in integer logical coordinates.
    std::int32_t PolygonCount = 0;
    std::vector<std::int32_t> PolyPointCount;
    std::vector<QPoint> PolyPoints;
    std::vector<TVektor> fVFrame; // edges of the effective outline
    QPainterPath ClipPath;        // even-odd, logical coordinates; empty for an open area
    TColor Color = kDiffColor;    // the area's own fill colour (TGraphicObject::Color stays 0)
    TColor FrameColor = 0;
    Pgpc_polygon FPolygon; // drawn outline: exactly one contour
    bool Closed = false;
    Tgpc_op Operator = GPC_DIFF;
    Pgpc_polygon VPolygon; // effective outline
    double Umfang = 0;     // m
    double Flaeche = 0;    // m²
    Tgpc_vertex Schwerpunkt;
    std::vector<TGraphicObjectList> Layers; // layer 0 at the bottom
    TVektorColl VerlattungColl;
    TVektorColl UKVerbinderColl;
    TGraphicObjectList Verleistung; // edge strips
    TVektor VerlegeRichtung;
    TVektor VerlattungsRichtung;
    TVektor LegeVektor;
    TVektor SymetrieVek;
    std::unique_ptr<TLattenGenerator> LattenGenerator;
    double LaengeVerlattung = 0;
    TShortText<25> LattenArtikelNr;
    double SpiegelFederLaenge = 0;
    bool Konturbemassung = true;
    bool Aussenbemassung = true;

    // Axis chosen on the first move of a vertex drag (1: along the incoming edge, 2: along
    // the outgoing one); the editor resets it to 0 at every mouse press.
    static int VertexDragAxis;

    TShape();
    TShape(TShape* AParentShape, TGraphicObject* AParentGraphObject, const QString& AArtikelNr);
    ~TShape() override;

    QString SerialID() const override { return QStringLiteral("SA"); }
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetExtent(double& x1, double& y1, double& x2, double& y2) const override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    void Transform(int HitIndex, double dx, double dy) override;
    void GetGrabHandles(std::vector<TGrabHandleInfo>& List) override;
    bool PointInObject(double px, double py) const override;
    std::unique_ptr<TGraphicObject> Clone() const override;
    using TGraphicObject::Assign;

    virtual void Assign(const TShape& Source);
    virtual void ReadInterior(TReader& Reader);
    virtual void WriteInterior(TWriter& Writer) const;
    virtual bool SchnittpunktFree(const TVektor& a, int b, double& x, double& y) const;
    virtual bool Schnittpunkt(const TVektor& v, int b, double& px, double& py) const;
    virtual void AddVertex(const Tgpc_vertex& Item);
    virtual void InsertVertex(int Index, const Tgpc_vertex& Item);
    virtual void DeleteVertex(int Index);
    virtual void CopyF2Vpolygon();
    virtual void CreateV_VectorList();
    virtual void BerechneUmfang();
    virtual void BerechneFlaeche();
    virtual void BerechneSchwerpunkt();
    // Moves every edge by Size towards the inside; refused (outline unchanged, false) when the
    // area is open, has fewer than 3 edges, or the offset would fold or cross the outline.
    virtual bool Inflate(double Size);
    virtual const TVektor* VektorFromPoint(double x, double y, double MaxAbstand) const;
    virtual const TVektor* LatteFromPoint(double x, double y, double MaxAbstand) const;
    virtual bool QueryClosePoly(double& px, double& py, bool Insert, double MaxAbstand) const;
    virtual TIntRect GetExtentRect() const;
    virtual int Validate() const;
    virtual void UpdateClipRgn();
    virtual void SetVektorFlags(std::int32_t ANDMask, std::int32_t ORMask);

    // Outline access (contour 0 of FPolygon).
    Tgpc_vertex_list& Outline() { return FPolygon->contour[0]; }
    const Tgpc_vertex_list& Outline() const { return FPolygon->contour[0]; }
    int VertexCount() const { return Outline().num_vertices(); }
    const TVektor& GetFrame(int Index) const { return fVFrame[static_cast<size_t>(Index)]; }
    int FrameCount() const { return static_cast<int>(fVFrame.size()); }

    TGraphicObject* GraphObjectFromPoint(int LayerIdx, int& FoundLayer, double x, double y);

    // Layers and their generator slots (always the same count, at least one layer).
    int AddLayer();
    void DeleteLayer(int LayerIndex);
    void DeleteLayers();
    void RemoveLayer(int LayerIndex);
    void RemoveLayers();
    void DeletePatternGenerator(int LayerIndex);
    void DeletePatternGenerators();
    TPatternGenerator* GetPatternGenerator(int i) const;
    // Puts a generator into the slot; the previous one is handed back to the caller.
    std::unique_ptr<TPatternGenerator>
    SetPatternGenerator(int i, std::unique_ptr<TPatternGenerator> Value);
    void RemoveExtGraphObjects(int LayerIndex);
    bool Empty() const;

    void DeleteVerlattung();
    void DeleteUKVerbinder();
    // Regenerates the substructure with the area's generator (substructure engine); always
    // true. An area without layers or batten direction ends without battens.
    bool Verlatten();

    // Laying (implemented with the laying engine).
    // Laying direction at right angles to a contour edge, boards parallel to it.
    void SetVerlegeRichtungParallel(int LayerIdx, const TVektor& Vektor);
    // Laying direction along a drawn line from its end nearer to (X, Y); false (nothing
    // changed) for a line of zero length.
    bool SetVerlegeRichtungEntlang(const TVektor& Vektor, double X, double Y);
    // Refreshes every layer generator's article; false when one had to be dropped.
    bool UpdateGenerator();
    // Lays one layer; false when the area has no contour or no laying direction.
    bool Verlegen(int LayerIndex);
    void BerechneSpiegelFedern();

    // The cut-out toggle: true makes the area cut itself out of those below (GPC_DIFF).
    // A colour still at the other state's default follows to the new default.
    void SetAussparung(bool Aussparung);
    bool IsAussparung() const { return Operator == GPC_DIFF; }
};
