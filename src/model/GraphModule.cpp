// The module object: its primitives and elements, its record, geometry and transformations.
// Drawing and hit tests are in GraphModuleDraw.cpp, the script reader in ModuleScript.cpp.

#include "model/GraphModule.h"

#include "catalogue/ArticleSource.h"
#include "catalogue/Products.h"
#include "geometry/DoubleArray.h"
#include "model/GraphPaneele.h"
#include "model/ModuleScript.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kModuleRecordVersion = 1;

[[noreturn]] void Fail(const char* message) {
    throw EReadError(message);
}

bool Finite(const TElementPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void MapPoint(const TROTMatrix& m, TElementPoint& p) {
    m.Map(p.x, p.y);
}

// The points of a primitive that follow the module when it moves or turns: a circle's radius
// entry and a pie's fifth point are no positions.
std::size_t PositionCount(const TElementDrawItem& item, bool rotating) {
    const std::size_t n = item.Points.size();
    if (item.ID == diCircle) return std::min<std::size_t>(n, 1);
    if (item.ID == diPie && rotating) return std::min<std::size_t>(n, 4);
    return n;
}

QString Fixed3(double v) {
    return FormatFixed(v, 3, QLatin1Char('.'));
}

} // namespace

bool ValidDrawItem(std::int32_t ID, std::int32_t PointCount) {
    switch (ID) {
    case diPenColor:
    case diBrushColor:
        return PointCount == 0;
    case diRectangle:
    case diCircle:
    case diEllipse:
        return PointCount == 2;
    case diPolygon:
        return PointCount >= 3 && PointCount <= kMaxDrawItemPoints;
    case diPolyline:
        return PointCount >= 2 && PointCount <= kMaxDrawItemPoints;
    case diPie:
        return PointCount == 4 || PointCount == 5;
    default:
        return false;
    }
}

TGraphModule::TGraphModule() {
    Typ = ptModul;
}

TGraphModule::TGraphModule(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                           const QString& AArtikelNr)
    : TGraphicObject(AParentShape, AParentGraphObject, AArtikelNr) {
    Typ = ptModul;
}

void TGraphModule::Clear() {
    Origin = {};
    DirVektor = TVektor(0, 0, 1, 0);
    DrawItemList.clear();
    ChildElements.clear();
    Independent = false;
    Transparent = false;
}

TElementDrawItem TGraphModule::CreateDrawItem(std::int32_t ItemID, std::int32_t PointCount) {
    TElementDrawItem item;
    item.ID = ItemID;
    item.Points.resize(static_cast<std::size_t>(std::max(PointCount, 0)));
    return item;
}

// --- Record -------------------------------------------------------------------------------

void TGraphModule::ReadData(TReader& Reader) {
    const TReader::TNesting level(Reader);
    TGraphicObject::ReadData(Reader);
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kModuleRecordVersion) Fail("Unbekannte Version eines Moduls");
    TElementPoint origin;
    origin.x = Reader.ReadRawDouble();
    origin.y = Reader.ReadRawDouble();
    TVektor direction;
    direction.ReadData(Reader);
    if (!Finite(origin) || !std::isfinite(direction.x) || !std::isfinite(direction.y) ||
        !std::isfinite(direction.rx) || !std::isfinite(direction.ry))
        Fail("Ungültige Koordinate eines Moduls");

    std::vector<TElementDrawItem> items;
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        Reader.ReadInteger(); // item version
        const std::int32_t id = Reader.ReadInteger();
        const std::int32_t count = Reader.ReadInteger();
        // A count the kind cannot have would make drawing and moving read points that are
        // not there.
        if (!ValidDrawItem(id, count)) Fail("Ungültiges Zeichenelement eines Moduls");
        TElementDrawItem item = CreateDrawItem(id, count);
        item.Color = static_cast<TColor>(Reader.ReadInteger());
        for (TElementPoint& p : item.Points) {
            p.x = Reader.ReadRawDouble();
            p.y = Reader.ReadRawDouble();
            if (!Finite(p)) Fail("Ungültige Koordinate eines Moduls");
        }
        items.push_back(std::move(item));
    }
    Reader.ReadListEnd();

    TGraphicObjectList elements;
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        const QString serialID = Reader.PeekString();
        const TGraphicObjectFactory factory = FindLayerObjectClass(serialID);
        if (!factory) Fail("Element eines Moduls nicht ladbar");
        std::unique_ptr<TGraphicObject> element = factory();
        element->ParentShape = ParentShape;
        element->ParentGraphObject = this;
        element->ReadData(Reader);
        elements.push_back(std::move(element));
    }
    Reader.ReadListEnd();
    const bool transparent = version >= 1 ? Reader.ReadInteger() != 0 : false;

    Origin = origin;
    DirVektor = direction;
    DrawItemList = std::move(items);
    ChildElements = std::move(elements);
    Transparent = transparent;
}

void TGraphModule::WriteData(TWriter& Writer) const {
    TGraphicObject::WriteData(Writer);
    Writer.WriteInteger(kModuleRecordVersion);
    Writer.WriteRawDouble(Origin.x);
    Writer.WriteRawDouble(Origin.y);
    DirVektor.WriteData(Writer);
    Writer.WriteListBegin();
    for (const TElementDrawItem& item : DrawItemList) {
        Writer.WriteInteger(0);
        Writer.WriteInteger(item.ID);
        Writer.WriteInteger(item.nPoints());
        Writer.WriteInteger(static_cast<std::int32_t>(item.Color));
        for (const TElementPoint& p : item.Points) {
            Writer.WriteRawDouble(p.x);
            Writer.WriteRawDouble(p.y);
        }
    }
    Writer.WriteListEnd();
    Writer.WriteListBegin();
    for (const auto& element : ChildElements)
        element->WriteData(Writer);
    Writer.WriteListEnd();
    Writer.WriteInteger(Transparent ? 1 : 0);
}

// --- Position and transformations ---------------------------------------------------------

double TGraphModule::Direction() const {
    return DirVektor.DirectionDegrees();
}

void TGraphModule::GetPosition(double& x, double& y, double& w) const {
    x = Origin.x;
    y = Origin.y;
    w = Direction();
}

void TGraphModule::Move(double dx, double dy) {
    Origin.x += dx;
    Origin.y += dy;
    DirVektor.Shift(dx, dy);
    for (TElementDrawItem& item : DrawItemList)
        for (std::size_t i = 0; i < PositionCount(item, false); ++i) {
            item.Points[i].x += dx;
            item.Points[i].y += dy;
        }
    for (auto& element : ChildElements)
        element->Move(dx, dy);
}

void TGraphModule::Rotate(const TROTMatrix& ROTMatrix) {
    DirVektor.Rotate(ROTMatrix);
    MapPoint(ROTMatrix, Origin);
    for (TElementDrawItem& item : DrawItemList)
        for (std::size_t i = 0; i < PositionCount(item, true); ++i)
            MapPoint(ROTMatrix, item.Points[i]);
    for (auto& element : ChildElements)
        element->Rotate(ROTMatrix);
}

void TGraphModule::SetParentShape(TShape* Shape) {
    ParentShape = Shape;
    for (auto& element : ChildElements)
        element->SetParentShape(Shape);
}

TGraphicObject* TGraphModule::GetParent() {
    if (Independent) return this;
    return ParentGraphObject ? ParentGraphObject->GetParent() : this;
}

bool TGraphModule::ReplaceElement(TGraphicObject* Old, std::unique_ptr<TGraphicObject>& New) {
    for (auto& element : ChildElements) {
        if (element.get() == Old) {
            New->ParentGraphObject = this;
            element = std::move(New);
            return true;
        }
        if (auto* module = dynamic_cast<TGraphModule*>(element.get()))
            if (module->ReplaceElement(Old, New)) return true;
    }
    return false;
}

void TGraphModule::ReplaceChild(TGraphicObject* Old, std::unique_ptr<TGraphicObject> New) {
    // Handing in the element itself would free the object still in use.
    if (!New || New.get() == Old) {
        (void)New.release();
        return;
    }
    ReplaceElement(Old, New);
}

// --- Copies and the article ---------------------------------------------------------------

void TGraphModule::Assign(const TGraphicObject& Source) {
    if (&Source == this) return;
    Clear();
    TGraphicObject::Assign(Source);
    const auto* module = dynamic_cast<const TGraphModule*>(&Source);
    if (module == nullptr) return;
    Origin = module->Origin;
    DirVektor = module->DirVektor;
    Transparent = module->Transparent;
    DrawItemList = module->DrawItemList;
    for (const auto& element : module->ChildElements) {
        std::unique_ptr<TGraphicObject> copy = element->Clone();
        copy->ParentGraphObject = this;
        ChildElements.push_back(std::move(copy));
    }
}

std::unique_ptr<TGraphicObject> TGraphModule::Clone() const {
    auto copy = std::make_unique<TGraphModule>();
    copy->Assign(*this);
    return copy;
}

void TGraphModule::AssignProduct(const TProduct& Product, const TArticleSource& Source) {
    TGraphicObject::AssignProduct(Product, Source);
    const TElementPoint origin = Origin;
    const double angle = Direction();
    ReadScript(Source, ModuleScriptPath(Source.ModuleFolder, ImageFileName.Text()));
    Move(origin.x, origin.y);
    Rotate(TROTMatrix::FromAngle(angle, origin.x, origin.y));
}

void TGraphModule::GetCompatibleList(const TArticleSource& Source,
                                     std::vector<TProduct*>& List) const {
    List.clear();
    if (TProduct* own = Source.Catalogue.FindProduct(ArtikelNr.Text())) List.push_back(own);
    const QString script = ModuleScriptPath(Source.ModuleFolder, ImageFileName.Text());
    for (const QString& number : ReadCompatibleArticles(script)) {
        TProduct* product = Source.Catalogue.FindProduct(number);
        if (product != nullptr && std::find(List.begin(), List.end(), product) == List.end())
            List.push_back(product);
    }
}

void TGraphModule::GetArtikelList(std::vector<TArtikelListEntry>& List) {
    List.push_back({ArtikelNr.Text(), this});
    for (auto& element : ChildElements)
        element->GetArtikelList(List);
}

void TGraphModule::GetKoordinateList(TDoubleArray& List) const {
    for (const TElementDrawItem& item : DrawItemList) {
        if (item.ID != diPolygon) continue;
        for (const TElementPoint& p : item.Points) {
            List.Add(p.x);
            List.Add(p.y);
        }
    }
    for (const auto& element : ChildElements)
        element->GetKoordinateList(List);
}

void TGraphModule::GetDebugInfo(QStringList& DebugInfo) const {
    DebugInfo.clear();
    for (const TElementDrawItem& item : DrawItemList) {
        if (item.ID != diPolygon) continue;
        std::vector<Tgpc_vertex> points;
        for (const TElementPoint& p : item.Points)
            points.push_back({p.x, p.y});
        AppendPolygonDebugInfo(points, DebugInfo);
    }
}

// --- Pattern scripts ----------------------------------------------------------------------

void TGraphModule::ToMusterScript(QStringList& Lines, double OrgX, double OrgY, int Layer,
                                  int& Index, int ParentIndex) const {
    const bool nested = !ChildElements.empty();
    if (nested)
        Lines << QString()
              << QStringLiteral(";------ Modulbeschreibung mit %1 Untermodulen (Elemente) "
                                "---------")
                     .arg(ChildElements.size() + 1);
    ++Index;
    const int own = Index;
    Lines << QString() << QStringLiteral("[Artikel%1]").arg(own)
          << QStringLiteral("Nr=%1").arg(ArtikelNr.Text());
    if (ParentIndex < 1)
        Lines << QStringLiteral("Layer=%1").arg(Layer + 1);
    else
        Lines << QStringLiteral("Parent=%1").arg(ParentIndex);
    if (nested) Lines << QStringLiteral("AnzahlElemente=%1").arg(ChildElements.size());
    Lines << QStringLiteral("x=%1").arg(Fixed3(Origin.x - OrgX))
          << QStringLiteral("y=%1").arg(Fixed3(Origin.y - OrgY))
          << QStringLiteral("r=%1").arg(Fixed3(Direction()));
    for (const auto& element : ChildElements)
        element->ToMusterScript(Lines, OrgX, OrgY, Layer, Index, own);
    if (nested)
        Lines << QStringLiteral(";------ Modulbeschreibung Ende "
                                "-----------------------------------")
              << QString();
}
