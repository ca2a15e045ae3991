#pragma once
// A module: an article drawn from its module script. Drawing primitives (polygons, circles,
// lines, pies) give its outline; its elements are again modules or boards made from catalogue
// articles. Modules sit in an area's layers or freely on the plan, nest, move, turn and are
// exchanged for compatible articles.

#include "geometry/Vektors.h"
#include "model/GraphicObject.h"

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <vector>

struct TElementPoint {
    double x = 0;
    double y = 0;
    bool operator==(const TElementPoint&) const = default;
};

// Primitive kinds by ID.
enum TDrawItemKind : std::int32_t {
    diPenColor = 1,
    diBrushColor = 2,
    diRectangle = 3, // axis-parallel box P0-P1 (stored plans only)
    diPolygon = 4,
    diCircle = 5, // centre P0, radius P1.x
    diPolyline = 6,
    diPie = 7,     // box P0-P1, rays to P2 and P3 (scripts add a fifth point (0, 0))
    diEllipse = 8, // ellipse in the box P0-P1 (stored plans only)
};

// The colour value of a colour item that means "transparent".
constexpr TColor kTransparentColor = 16711422; // RGB (254, 254, 254)
// More points than a polygon or line of a script can have.
constexpr int kMaxDrawItemPoints = 64;

struct TElementDrawItem {
    std::int32_t ID = 0;
    TColor Color = 0;
    std::vector<TElementPoint> Points; // zero-filled when made

    std::int32_t nPoints() const { return static_cast<std::int32_t>(Points.size()); }
    bool operator==(const TElementDrawItem&) const = default;
};

// Whether a primitive of that kind may have that many points: colours none, boxes and circles
// 2, polygons 3..64, lines 2..64, pies 4 or 5. Scripts and plan files are held to it, so that
// drawing and moving never read a point that is not there.
bool ValidDrawItem(std::int32_t ID, std::int32_t PointCount);

// A module script that cannot be read; the message is the one the user sees.
class EScriptError : public std::runtime_error {
public:
    explicit EScriptError(const QString& Message) : std::runtime_error(Message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

class TGraphModule : public TGraphicObject {
public:
    // Module scripts nest their elements at most this deep.
    static constexpr int kMaxScriptDepth = 16;

    TVektor DirVektor{0, 0, 1, 0};
    std::vector<TElementDrawItem> DrawItemList;
    TGraphicObjectList ChildElements; // modules or boards, in drawing order
    TElementPoint Origin;
    bool Transparent = false;

    TGraphModule();
    TGraphModule(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                 const QString& AArtikelNr);

    QString SerialID() const override { return QStringLiteral("MO"); }
    // Common record, Int 1, raw Origin, vector record DirVektor, the draw items (Int 0, Int ID,
    // Int nPoints, Int Color, raw points), the element records, Int Transparent. Items whose
    // point count their kind cannot have fail the read.
    void ReadData(TReader& Reader) override;
    void WriteData(TWriter& Writer) const override;
    void GetPosition(double& x, double& y, double& w) const override;
    double Direction() const override;
    void Assign(const TGraphicObject& Source) override;
    // The module of the other article at the same place and angle.
    void AssignProduct(const TProduct& Product, const TArticleSource& Source) override;
    void Move(double dx, double dy) override;
    void Rotate(const TROTMatrix& ROTMatrix) override;
    // Replaces an element, however deep; nothing happens when New is Old.
    void ReplaceChild(TGraphicObject* Old, std::unique_ptr<TGraphicObject> New) override;
    void SetParentShape(TShape* Shape) override;
    // The box of every primitive's points and every element's extent; (0, 0, 0, 0) for a module
    // without any.
    void GetExtent(double& x1, double& y1, double& x2, double& y2) const override;
    // Stops at the first independent module on the way up, this one included.
    TGraphicObject* GetParent() override;
    // The module's own article, then the articles of its script's [COMPATIBLE] section that the
    // catalogue has. EScriptError when the script cannot be read.
    void GetCompatibleList(const TArticleSource& Source,
                           std::vector<TProduct*>& List) const override;
    void GetArtikelList(std::vector<TArtikelListEntry>& List) override;
    // Counts the module (when it is always included, free, or in its area), then its
    // elements add themselves (model/BedarfObjects).
    void AddtoBedarfsColl(TBedarfsColl& BedarfsColl, TCanvas* Canvas) override;
    void GetKoordinateList(TDoubleArray& List) const override;
    void GetDebugInfo(QStringList& DebugInfo) const override;
    std::unique_ptr<TGraphicObject> Clone() const override;
    // Flags: 1, 2 colours apply; 4 blue hatch; 32 no brush colours; 64 no pen colours; 128 frame
    // mode (transparent modules draw their primitives, transparent pens grey).
    void Draw(TCanvas& Canvas, int DrawFlags) const override;
    void DrawFrame(TCanvas& Canvas) const override;
    bool PointInObject(double px, double py) const override;
    TGraphicObject* ObjectFromPoint(double px, double py) override;
    bool IsInShape(const TShape* Shape) const override;
    void ToMusterScript(QStringList& Lines, double OrgX, double OrgY, int Layer, int& Index,
                        int ParentIndex) const override;

    // Origin (0, 0), direction (1, 0), no primitives or elements, not independent, not
    // transparent.
    void Clear();
    // A zero-filled primitive; the caller adds it.
    static TElementDrawItem CreateDrawItem(std::int32_t ItemID, std::int32_t PointCount);
    // Reads the module script FileName into the module (see model/ModuleScript); elements come
    // from the source's catalogue and module folder. A missing file leaves the module empty;
    // EScriptError for what cannot be read.
    void ReadScript(const TArticleSource& Source, const QString& FileName);

private:
    bool ReplaceElement(TGraphicObject* Old, std::unique_ptr<TGraphicObject>& New);
    void DrawPrimitives(TCanvas& Canvas, int DrawFlags) const;
};
