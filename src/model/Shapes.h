#pragma once
// The laying area: the outline as drawn, the effective outline left after the cut-outs of the
// areas above it, its edge list, layers of laid objects with one pattern generator per layer,
// the laying and batten directions, the substructure and the computed totals.
//
// The area keeps its own invariants: the derived data (effective outline, edge list, totals,
// drawing cache) is recomputed by its operations only, everything else is read through
// accessors and changed through operations. Laying and battens are functions of the laying
// and substructure engines that work through these operations.

#include "geometry/GPCUtils.h"
#include "geometry/Vektors.h"
#include "model/GraphicObject.h"

#include <QPainterPath>
#include <QPoint>

#include <memory>
#include <stdexcept>
#include <vector>

class TCatalogue;
class TPatternGeneratorBase;
class TLattenGeneratorBase;

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

// What reading a plan assumes where older files are silent.
struct TPlanReadDefaults {
    // The batten article of areas whose plan stored none (interiors before version 5): the
    // program's default batten article.
    QString LattenArtikelNr;
};

class TShape : public TGraphicObject {
public:
    // Default fill colours of a normal area and of one that cuts nothing out of those below.
    static constexpr TColor kDiffColor = RGBColor(250, 255, 250);
    static constexpr TColor kXorColor = RGBColor(255, 250, 250);

    TShape();
    TShape(TShape* AParentShape, TGraphicObject* AParentGraphObject, const QString& AArtikelNr);
    ~TShape() override;

    QString SerialID() const override { return QStringLiteral("SA"); }
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetExtent(double& x1, double& y1, double& x2, double& y2) const override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    void Transform(int HitIndex, double dx, double dy, TDragState& Drag) override;
    void GetGrabHandles(std::vector<TGrabHandleInfo>& List) override;
    bool PointInObject(double px, double py) const override;
    std::unique_ptr<TGraphicObject> Clone() const override;
    using TGraphicObject::Assign;

    virtual void Assign(const TShape& Source);
    // The area interior record; Defaults stand in for what older records lack.
    virtual void ReadInterior(TReader& Reader, const TPlanReadDefaults& Defaults);
    virtual void WriteInterior(TWriter& Writer) const;
    virtual bool SchnittpunktFree(const TVektor& a, int b, double& x, double& y) const;
    virtual bool Schnittpunkt(const TVektor& v, int b, double& px, double& py) const;
    virtual void AddVertex(const Tgpc_vertex& Item);
    virtual void InsertVertex(int Index, const Tgpc_vertex& Item);
    virtual void DeleteVertex(int Index);
    // The effective outline := the drawn one (nothing above cuts it).
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

    // --- The drawn outline (contour 0 of FPolygon) ------------------------------------------
    const Tgpc_vertex_list& Outline() const { return FPolygon->contour[0]; }
    const Tgpc_polygon& DrawnPolygon() const { return *FPolygon; }
    // Replaces the vertices; the derived data follows at the next recomputation.
    void SetOutline(std::vector<Tgpc_vertex> Vertices);
    int VertexCount() const { return Outline().num_vertices(); }
    bool Closed() const { return fClosed; }
    void SetClosed(bool Value) { fClosed = Value; }
    Tgpc_op Operator() const { return fOperator; }
    // The cut-out toggle: true makes the area cut itself out of those below (GPC_DIFF).
    // A colour still at the other state's default follows to the new default.
    void SetAussparung(bool Aussparung);
    bool IsAussparung() const { return fOperator == GPC_DIFF; }
    // The area's own fill colour (TGraphicObject::Color stays 0 for areas).
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { fColor = Value; }
    TColor FrameColor() const { return fFrameColor; }
    void SetFrameColor(TColor Value) { fFrameColor = Value; }

    // --- Derived data: recomputed by the operations above and below, never set from outside -
    const Tgpc_polygon& VPolygon() const { return *fVPolygon; }
    const std::vector<TVektor>& VFrame() const { return fVFrame; }
    const TVektor& GetFrame(int Index) const { return fVFrame[static_cast<size_t>(Index)]; }
    int FrameCount() const { return static_cast<int>(fVFrame.size()); }
    double Umfang() const { return fUmfang; }   // m
    double Flaeche() const { return fFlaeche; } // m²
    const Tgpc_vertex& Schwerpunkt() const { return fSchwerpunkt; }
    // Drawing cache of the effective outline in integer logical coordinates.
    std::int32_t PolygonCount() const { return fPolygonCount; }
    const std::vector<std::int32_t>& PolyPointCount() const { return fPolyPointCount; }
    const std::vector<QPoint>& PolyPoints() const { return fPolyPoints; }
    // Even-odd, logical coordinates; empty for an open area.
    const QPainterPath& ClipPath() const { return fClipPath; }

    // The plan's shape update, for this area: forgets the effective outline together with
    // what was made for it (battens, connectors; strips stay for RebuildVerleistung) ...
    void DiscardEffectiveOutline();
    // ... then the effective outline := the drawn one minus Above (the union of the cut-outs
    // above it), with doubled vertices and degenerate contours removed. When the clipper
    // refuses, the drawn outline stands in and the answer is false with the reason in Error.
    bool CutEffectiveOutline(const Tgpc_polygon& Above, QString* Error = nullptr);

    // --- Layers and their generator slots (always the same count, at least one layer) -------
    int LayerCount() const { return static_cast<int>(fLayers.size()); }
    int PatternGeneratorCount() const { return static_cast<int>(fPatternGeneratorList.size()); }
    bool HasLayer(int LayerIndex) const { return LayerIndex >= 0 && LayerIndex < LayerCount(); }
    const std::vector<TGraphicObjectList>& Layers() const { return fLayers; }
    // The objects of a layer (layer 0 at the bottom); the index must be valid.
    const TGraphicObjectList& Layer(int LayerIndex) const;
    TGraphicObjectList& Layer(int LayerIndex);
    int AddLayer();
    void DeleteLayer(int LayerIndex);
    void DeleteLayers();
    void RemoveLayer(int LayerIndex);
    void RemoveLayers();
    void DeletePatternGenerator(int LayerIndex);
    void DeletePatternGenerators();
    TPatternGeneratorBase* GetPatternGenerator(int i) const;
    // Puts a generator into the slot; the previous one is handed back to the caller.
    std::unique_ptr<TPatternGeneratorBase>
    SetPatternGenerator(int i, std::unique_ptr<TPatternGeneratorBase> Value);
    // Removes the objects of the layer that do not overlap the area; EClipError (nothing
    // removed) when the clipper refuses an object's coordinates.
    void RemoveExtGraphObjects(int LayerIndex);
    bool Empty() const;
    TGraphicObject* GraphObjectFromPoint(int LayerIdx, int& FoundLayer, double x, double y);

    // --- Laying state (set by the laying engine) --------------------------------------------
    // Laying direction; all zero while the area has not been laid.
    const TVektor& VerlegeRichtung() const { return fVerlegeRichtung; }
    void SetVerlegeRichtung(const TVektor& Value) { fVerlegeRichtung.Assign(Value); }
    bool HasVerlegeRichtung() const { return fVerlegeRichtung.rx != 0 || fVerlegeRichtung.ry != 0; }
    // The pattern frame: rows follow each other along LegeVektor, board lengths lie along
    // SymetrieVek.
    const TVektor& LegeVektor() const { return fLegeVektor; }
    const TVektor& SymetrieVek() const { return fSymetrieVek; }
    void SetPatternFrame(const TVektor& Lege, const TVektor& Symetrie);
    // Total length of visible tongue edges in model units.
    double SpiegelFederLaenge() const { return fSpiegelFederLaenge; }
    void SetSpiegelFederLaenge(double Value) { fSpiegelFederLaenge = Value; }

    // --- Substructure (set by the substructure engine) --------------------------------------
    const TVektor& VerlattungsRichtung() const { return fVerlattungsRichtung; }
    void SetVerlattungsRichtung(const TVektor& Value) { fVerlattungsRichtung.Assign(Value); }
    bool HasVerlattungsRichtung() const {
        return fVerlattungsRichtung.rx != 0 || fVerlattungsRichtung.ry != 0;
    }
    TLattenGeneratorBase* LattenGenerator() const { return fLattenGenerator.get(); }
    // Puts a substructure generator into the area; the previous one is handed back.
    std::unique_ptr<TLattenGeneratorBase>
    SetLattenGenerator(std::unique_ptr<TLattenGeneratorBase> Value);
    const TVektorColl& VerlattungColl() const { return fVerlattungColl; }
    // Appends a batten group; battens of an article already present form a further group.
    void AddVerlattung(const QString& Artikel, std::vector<TVektor> Battens);
    // Empties the battens together with the connectors placed on them.
    void DeleteVerlattung();
    // Total batten length, as summed by SumVerlattung after the last generation.
    double LaengeVerlattung() const { return fLaengeVerlattung; }
    void SumVerlattung();
    const TVektorColl& UKVerbinderColl() const { return fUKVerbinderColl; }
    // Appends connector points of one article (their count and kind in Flags).
    void AddUKVerbinder(const QString& Artikel, std::vector<TVektor> Points);
    void DeleteUKVerbinder();
    // A connector point into the entry of its article, the entry appended when missing.
    void AddUKVerbinderPoint(const QString& Artikel, const TVektor& Point);
    // The entry of the article, appended (without points) when missing.
    void EnsureUKVerbinder(const QString& Artikel);
    // Replaces the battens (trimmed or edited) and forgets the connectors placed on them.
    void SetVerlattungColl(TVektorColl Coll);

    // --- Edge strips: one slot per edge of the effective outline, in VFrame order; a strip
    // whose article number is empty is an empty slot --------------------------------------
    const TGraphicObjectList& Verleistung() const { return fVerleistung; }
    void SetVerleistung(TGraphicObjectList Strips);
    // Lays strips of the article along the edges with these indices (all edges when Edges is
    // null): its width, picture and colour, the centre line half its width plus 1 cm inside.
    // An empty list empties every slot. An article not in the catalogue changes no strip.
    // Returns how many of the edges have no room for a strip (they keep their slot).
    int VerLeisten(const TCatalogue& Catalogue, const std::vector<int>* Edges,
                   const QString& ArtikelNummer);
    // After the effective outline changed: every strip moves to the slot of the edge it runs
    // along, or keeps its slot when only ends of edges moved; the centre lines follow the
    // outline. A strip whose edge is gone, or has no room left, leaves an empty slot.
    void RebuildVerleistung();
    QString LattenArtikelNr() const { return fLattenArtikelNr.Text(); }
    void SetLattenArtikelNr(const QString& Value) { fLattenArtikelNr.SetText(Value); }

    // --- Dimensioning -----------------------------------------------------------------------
    bool Konturbemassung() const { return fKonturbemassung; }
    void SetKonturbemassung(bool Value) { fKonturbemassung = Value; }
    bool Aussenbemassung() const { return fAussenbemassung; }
    void SetAussenbemassung(bool Value) { fAussenbemassung = Value; }

private:
    Tgpc_vertex_list& MutableOutline() { return FPolygon->contour[0]; }

    std::vector<std::unique_ptr<TPatternGeneratorBase>> fPatternGeneratorList; // one per layer
    std::int32_t fPolygonCount = 0;
    std::vector<std::int32_t> fPolyPointCount;
    std::vector<QPoint> fPolyPoints;
    std::vector<TVektor> fVFrame; // edges of the effective outline
    QPainterPath fClipPath;
    TColor fColor = kDiffColor;
    TColor fFrameColor = 0;
    Pgpc_polygon FPolygon; // drawn outline: exactly one contour
    bool fClosed = false;
    Tgpc_op fOperator = GPC_DIFF;
    Pgpc_polygon fVPolygon; // effective outline
    double fUmfang = 0;
    double fFlaeche = 0;
    Tgpc_vertex fSchwerpunkt;
    std::vector<TGraphicObjectList> fLayers; // layer 0 at the bottom
    TVektorColl fVerlattungColl;
    TVektorColl fUKVerbinderColl;
    TGraphicObjectList fVerleistung;
    TVektor fVerlegeRichtung;
    TVektor fVerlattungsRichtung;
    TVektor fLegeVektor;
    TVektor fSymetrieVek;
    std::unique_ptr<TLattenGeneratorBase> fLattenGenerator;
    double fLaengeVerlattung = 0;
    TShortText<25> fLattenArtikelNr;
    double fSpiegelFederLaenge = 0;
    bool fKonturbemassung = true;
    bool fAussenbemassung = true;
};
