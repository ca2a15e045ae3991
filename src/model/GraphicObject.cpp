#include "model/GraphicObject.h"

#include "catalogue/ArticleSource.h"
#include "catalogue/Products.h"

#include "geometry/Vektors.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <algorithm>

namespace {

constexpr int kObjectRecordVersion = 2;

QString Fixed3(double v) {
    return FormatFixed(v, 3, QLatin1Char('.'));
}

} // namespace

TGraphicObject::TGraphicObject(TShape* AParentShape, TGraphicObject* AParentGraphObject,
                               const QString& AArtikelNr)
    : ArtikelNr(AArtikelNr), ParentShape(AParentShape), ParentGraphObject(AParentGraphObject) {}

TGraphicObject::~TGraphicObject() = default;

void TGraphicObject::ReadData(TReader& Reader) {
    Reader.ReadString(); // serial ID: the caller has chosen the class already
    const int version = Reader.ReadInteger();
    if (version < 0 || version > kObjectRecordVersion)
        throw EReadError("Unbekannte Version eines Planobjekts");
    ArtikelNr.SetText(Reader.ReadString());
    Typ = Reader.ReadInteger();
    ImageFileName.SetText(Reader.ReadString());
    Color = static_cast<TColor>(Reader.ReadInteger());
    if (version >= 2) {
        Independent = Reader.ReadInteger() != 0;
        IncludeAlways = Reader.ReadInteger() != 0;
    }
}

void TGraphicObject::WriteData(TWriter& Writer) const {
    Writer.WriteString(SerialID());
    Writer.WriteInteger(kObjectRecordVersion);
    Writer.WriteString(ArtikelNr.Text());
    Writer.WriteInteger(Typ);
    Writer.WriteString(ImageFileName.Text());
    Writer.WriteInteger(static_cast<std::int32_t>(Color));
    Writer.WriteInteger(Independent ? 1 : 0);
    Writer.WriteInteger(IncludeAlways ? 1 : 0);
}

void TGraphicObject::GetExtent(double& x1, double& y1, double& x2, double& y2) const {
    x1 = y1 = x2 = y2 = 0;
}

TGraphicObject* TGraphicObject::GetParent() {
    // Through the parents' own GetParent, so that a module that stops the walk is honoured.
    return ParentGraphObject ? ParentGraphObject->GetParent() : this;
}

TGraphicObject* TGraphicObject::GetRootObject() {
    TGraphicObject* o = this;
    while (o->ParentGraphObject)
        o = o->ParentGraphObject;
    return o;
}

void TGraphicObject::Assign(const TGraphicObject& Source) {
    ArtikelNr = Source.ArtikelNr;
    Typ = Source.Typ;
    ParentShape = Source.ParentShape;
    ParentGraphObject = Source.ParentGraphObject;
    ImageFileName = Source.ImageFileName;
    Color = Source.Color;
    Independent = Source.Independent;
    IncludeAlways = Source.IncludeAlways;
}

void TGraphicObject::AssignProduct(const TProduct& Product, const TArticleSource&) {
    ArtikelNr.SetText(Product.ArtikelNr.Text());
    Typ = Product.Typ;
    ImageFileName.SetText(Product.ImageFileName.Text());
    Color = Product.Color;
}
void TGraphicObject::Move(double, double) {}
void TGraphicObject::Rotate(const TROTMatrix&) {}
void TGraphicObject::Transform(int, double, double, TDragState&) {}
void TGraphicObject::SetParentShape(TShape* Shape) {
    ParentShape = Shape;
}
void TGraphicObject::Draw(TCanvas&, int) const {}
void TGraphicObject::DrawFrame(TCanvas&) const {}
void TGraphicObject::GetCompatibleList(const TArticleSource&, std::vector<TProduct*>& List) const {
    List.clear();
}

void TGraphicObject::GetArtikelList(std::vector<TArtikelListEntry>& List) {
    List.push_back({ArtikelNr.Text(), this});
}

void TGraphicObject::ToMusterScript(QStringList& Lines, double OrgX, double OrgY, int Layer,
                                    int& Index, int ParentIndex) const {
    ++Index;
    double x = 0, y = 0, w = 0;
    GetPosition(x, y, w);
    Lines << QString() << QStringLiteral("[Artikel%1]").arg(Index)
          << QStringLiteral("Nr=%1").arg(ArtikelNr.Text())
          << QStringLiteral("Layer=%1").arg(Layer + 1);
    if (ParentIndex > 0) Lines << QStringLiteral("Parent=%1").arg(ParentIndex);
    // Scripts are written with the decimal point whatever the locale: readers accept both.
    Lines << QStringLiteral("x=%1").arg(Fixed3(x - OrgX))
          << QStringLiteral("y=%1").arg(Fixed3(y - OrgY)) << QStringLiteral("r=%1").arg(Fixed3(w));
}

void TGraphicObject::ReadFromMusterScript(const TIniFile& IniFile, int& Index) {
    const QString section = QStringLiteral("Artikel%1").arg(Index);
    const double x = IniFile.ReadFloat(section, QStringLiteral("x"), 0);
    const double y = IniFile.ReadFloat(section, QStringLiteral("y"), 0);
    const double r = IniFile.ReadFloat(section, QStringLiteral("r"), 0);
    Move(x, y);
    Rotate(TROTMatrix::FromAngle(r, x, y));
}

void TGraphicObject::GetKoordinateList(TDoubleArray&) const {}
void TGraphicObject::GetGrabHandles(std::vector<TGrabHandleInfo>&) {}
bool TGraphicObject::PointInObject(double, double) const {
    return false;
}
int TGraphicObject::GetHitIndex(double, double) const {
    return -1;
}
TGraphicObject* TGraphicObject::ObjectFromPoint(double, double) {
    return nullptr;
}

void TGraphicObject::RemoveFromList(TGraphicObjectList& List) {
    auto it =
        std::find_if(List.begin(), List.end(), [this](const auto& p) { return p.get() == this; });
    if (it != List.end()) List.erase(it); // destroys this object: nothing may follow
}

bool TGraphicObject::IsInShape(const TShape*) const {
    return false;
}
double TGraphicObject::Direction() const {
    return 0;
}
void TGraphicObject::ReplaceChild(TGraphicObject*, std::unique_ptr<TGraphicObject>) {}
void TGraphicObject::AddtoBedarfsColl(TBedarfsColl&, TCanvas*) {}

void TGraphicObject::GetPosition(double& x, double& y, double& w) const {
    x = y = w = 0;
}

std::unique_ptr<TGraphicObject> TGraphicObject::Clone() const {
    auto copy = std::make_unique<TGraphicObject>();
    copy->Assign(*this);
    return copy;
}

void TGraphicObject::GetDebugInfo(QStringList& DebugInfo) const {
    DebugInfo.clear();
}
