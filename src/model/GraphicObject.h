#pragma once
// Base of every plan object: what it keeps of its catalogue article, its links to the area and
// module holding it, the virtual operations through which the rest of the program draws, moves,
// hit-tests, counts and stores objects without knowing their class, and its serial ID.

#include "platform/Canvas.h"
#include "platform/TextFields.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class TShape;
class TReader;
class TWriter;
class TDoubleArray;
class TIniFile;
class TProduct;
class TBedarfsColl;
struct TArticleSource;
struct TROTMatrix;

class TGraphicObject;
using TGraphicObjectList = std::vector<std::unique_ptr<TGraphicObject>>;

// Cursor shown over a grab handle.
enum class THandleCursor { SizeNS, SizeNWSE, SizeWE, SizeNESW };

// Where the editor puts a grab handle and what dragging it does (Transform with HitIndex).
struct TGrabHandleInfo {
    std::int64_t x = 0; // model units, rounded
    std::int64_t y = 0;
    int HitIndex = 0;
    THandleCursor Cursor = THandleCursor::SizeNS;
    TGraphicObject* Target = nullptr;
};

// What a grab-handle drag remembers from one mouse move to the next. The editor owns it and
// starts a fresh one at every mouse press.
struct TDragState {
    // The edge a dragged vertex of an area slides along: 1 the incoming, 2 the outgoing one;
    // 0 until the first move decides.
    int VertexAxis = 0;
};

// One entry of an article list: the article number and the object it stands for.
struct TArtikelListEntry {
    QString ArtikelNr;
    TGraphicObject* Object = nullptr;
};

class TGraphicObject {
public:
    TShortText<25> ArtikelNr;
    std::int32_t Typ = 0;
    TShape* ParentShape = nullptr;               // not owned
    TGraphicObject* ParentGraphObject = nullptr; // the module holding this element; not owned
    TShortText<30> ImageFileName;
    TColor Color = 0;
    std::int32_t Tag = 0; // transient mark, never stored
    bool Independent = false;
    bool IncludeAlways = false;

    TGraphicObject() = default;
    TGraphicObject(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                   const QString& AArtikelNr);
    TGraphicObject(const TGraphicObject&) = delete;
    TGraphicObject& operator=(const TGraphicObject&) = delete;
    virtual ~TGraphicObject();

    virtual QString SerialID() const { return QStringLiteral("TGraphicObject"); }
    // Common part of every object record.
    virtual void ReadData(TReader& Reader);
    virtual void WriteData(TWriter& Writer) const;
    virtual void GetExtent(double& x1, double& y1, double& x2, double& y2) const;
    virtual TGraphicObject* GetParent();
    TGraphicObject* GetRootObject();
    virtual void Assign(const TGraphicObject& Source);
    // Exchanges the object's article in place: ArtikelNr, Typ, ImageFileName and Color from the
    // article (modules read the new article's script from the source's module folder).
    virtual void AssignProduct(const TProduct& Product, const TArticleSource& Source);
    virtual void Move(double dx, double dy);
    virtual void Rotate(const TROTMatrix& ROTMatrix);
    virtual void Transform(int HitIndex, double dx, double dy, TDragState& Drag);
    virtual void SetParentShape(TShape* Shape);
    virtual void Draw(TCanvas& Canvas, int DrawFlags) const;
    virtual void DrawFrame(TCanvas& Canvas) const;
    // Articles of the catalogue this object may be exchanged for (not owned).
    virtual void GetCompatibleList(const TArticleSource& Source,
                                   std::vector<TProduct*>& List) const;
    virtual void GetArtikelList(std::vector<TArtikelListEntry>& List);
    virtual void ToMusterScript(QStringList& Lines, double OrgX, double OrgY, int Layer, int& Index,
                                int ParentIndex) const;
    virtual void ReadFromMusterScript(const TIniFile& IniFile, int& Index);
    virtual void GetKoordinateList(TDoubleArray& List) const;
    virtual void GetGrabHandles(std::vector<TGrabHandleInfo>& List);
    virtual bool PointInObject(double x, double y) const;
    virtual int GetHitIndex(double x, double y) const;
    virtual TGraphicObject* ObjectFromPoint(double px, double py);
    // Removes (and destroys) this object from the list that owns it.
    virtual void RemoveFromList(TGraphicObjectList& List);
    virtual bool IsInShape(const TShape* Shape) const;
    // Laying direction in degrees; 0 for objects without one.
    virtual double Direction() const;
    virtual void ReplaceChild(TGraphicObject* Old, std::unique_ptr<TGraphicObject> New);
    virtual void AddtoBedarfsColl(TBedarfsColl& BedarfsColl, TCanvas* Canvas);
    // Reference point and angle in degrees; the origin and 0 for objects without one.
    virtual void GetPosition(double& x, double& y, double& w) const;
    virtual std::unique_ptr<TGraphicObject> Clone() const;
    virtual void GetDebugInfo(QStringList& DebugInfo) const;
};

// The class registry: names (serial IDs, class names, older class names) to factories.
using TGraphicObjectFactory = std::unique_ptr<TGraphicObject> (*)();

// Which lists a class may appear in when a plan file is read.
enum class TObjectPlacement { Anywhere, LayerElement, NotInLayers };

void RegisterGraphicObjectClass(TGraphicObjectFactory Factory, const QString& Name,
                                TObjectPlacement Placement = TObjectPlacement::LayerElement);
// First entry whose name matches without regard to a-z letter case; null when none does.
TGraphicObjectFactory FindGraphicObjectClass(const QString& Name);
// As FindGraphicObjectClass, for objects inside layers and modules: only boards, beams,
// strips, text boxes and modules qualify.
TGraphicObjectFactory FindLayerObjectClass(const QString& Name);
