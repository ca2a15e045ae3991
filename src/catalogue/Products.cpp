#include "catalogue/Products.h"

#include "catalogue/Balken.h"
#include "catalogue/Klammern.h"
#include "catalogue/Leisten.h"
#include "catalogue/Module.h"
#include "catalogue/Paneele.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kRecordVersion = 4;

struct TTypeEntry {
    std::int32_t Typ;
    const char* Code;
    const char16_t* Caption;
    const char* ClassName;
};

constexpr TTypeEntry kTypes[] = {
    {ptProfilholz, "PR", u"Pr&ofilholz", "TPaneele"},
    {ptPaneel, "PL", u"Paneel (&lose/ohne Feder)", "TPaneele"},
    {ptPaneelFeder, "PF", u"Paneel (&feste Feder)", "TPaneele"},
    {ptParkett, "PA", u"Parket&t", "TPaneele"},
    {ptLeiste, "LE", u"&Leiste (Randabschluß)", "TLeiste"},
    {ptLatte, "LA", u"L&atte (für Unterkonstruktion)", "TLeiste"},
    {ptKlammer, "KL", u"&Klammer", "TKlammer"},
    {ptKralle, "KR", u"Kra&lle", "TKlammer"},
    {ptSonstiges, "SO", u"Sonstiger Artikel", "TProduct"},
    {ptModul, "MO", u"Modul", "TModul"},
    {ptBalken, "BA", u"Balken, Fries", "TBalken"},
};

const TTypeEntry* TypeEntry(std::int32_t typ) {
    for (const TTypeEntry& entry : kTypes)
        if (entry.Typ == typ) return &entry;
    return nullptr;
}

// Tolerance, in hundredths of a centimetre, for the decimal values that doubles cannot hold
// exactly: 14.51 - 14.5 is 0.0099999999999998 and must count as a full hundredth.
constexpr double kHundredthTolerance = 1e-6;

} // namespace

QString ProductTypeCode(std::int32_t typ) {
    const TTypeEntry* entry = TypeEntry(typ);
    return QLatin1String(entry ? entry->Code : "SO");
}

std::optional<std::int32_t> ProductTypeFromCode(const QString& code) {
    const QString upper = UpperCaseAZ(code);
    for (const TTypeEntry& entry : kTypes)
        if (upper == QLatin1String(entry.Code)) return entry.Typ;
    return std::nullopt;
}

QString ProductTypeCaption(std::int32_t typ) {
    const TTypeEntry* entry = TypeEntry(typ);
    return entry ? QString::fromUtf16(entry->Caption) : QString();
}

QString ProductClassOfType(std::int32_t typ) {
    const TTypeEntry* entry = TypeEntry(typ);
    return entry ? QLatin1String(entry->ClassName) : QString();
}

// ---------------------------------------------------------------------------------------------
// TProductSet

TProductSet::TProductSet(std::initializer_list<std::int32_t> types) {
    for (const std::int32_t typ : types)
        Include(typ);
}

TProductSet TProductSet::All() {
    TProductSet set;
    set.fTypes.set();
    return set;
}

void TProductSet::Include(std::int32_t typ) {
    if (typ >= 0 && typ < 256) fTypes.set(std::size_t(typ));
}

void TProductSet::Exclude(std::int32_t typ) {
    if (typ >= 0 && typ < 256) fTypes.reset(std::size_t(typ));
}

bool TProductSet::Contains(std::int32_t typ) const {
    return typ >= 0 && typ < 256 && fTypes.test(std::size_t(typ));
}

// ---------------------------------------------------------------------------------------------
// TProduct

TProduct::TProduct() = default;
TProduct::~TProduct() = default;

std::unique_ptr<TProduct> TProduct::Create() const {
    return std::make_unique<TProduct>();
}

void TProduct::Assign(const TProduct& s) {
    ProductGroup = s.ProductGroup;
    Name = s.Name;
    ArtikelNr = s.ArtikelNr;
    InfoText1 = s.InfoText1;
    Typ = s.Typ;
    ImageFileName = s.ImageFileName;
    ImageIndex = s.ImageIndex;
    VBreite = s.VBreite;
    VLaenge = s.VLaenge;
    PckEin = s.PckEin;
    Preis = s.Preis;
    PreisArt = s.PreisArt;
    FileListIndex = s.FileListIndex;
    Color = s.Color;
    Hidden = s.Hidden;
    AngebotsTextNr = s.AngebotsTextNr;
    MeldungsTextNr = s.MeldungsTextNr;
    AutoInsert = s.AutoInsert;
    Multiplikator = s.Multiplikator;
    Kreuzverbinder = s.Kreuzverbinder;
    Winkelverbinder = s.Winkelverbinder;
    Laengsverbinder = s.Laengsverbinder;
}

std::unique_ptr<TProduct> TProduct::Clone() const {
    std::unique_ptr<TProduct> copy = Create();
    copy->Assign(*this);
    return copy;
}

double ReadFiniteDouble(TReader& reader) {
    const double value = reader.ReadRawDouble();
    if (!std::isfinite(value)) throw EReadError("Ungültige Zahl in einem Artikel");
    return value;
}

// Fields the record's version does not carry keep their current values, which are the
// constructor defaults for the new articles that records are read into.
void TProduct::ReadData(TReader& r) {
    const std::int32_t version = r.ReadInteger();
    if (version > kRecordVersion)
        throw EReadError(QStringLiteral("Unbekannte Artikelversion %1").arg(version).toStdString());
    Name.ReadBlock(r);
    ArtikelNr.ReadBlock(r);
    InfoText1.ReadBlock(r);
    Typ = r.ReadInteger();
    ImageFileName.ReadBlock(r);
    ImageIndex = r.ReadInteger();
    VBreite = ReadFiniteDouble(r);
    VLaenge = ReadFiniteDouble(r);
    PckEin = ReadFiniteDouble(r);
    for (double& price : Preis)
        price = ReadFiniteDouble(r);
    if (version > 0) PreisArt = r.ReadInteger();
    if (version > 1) Color = static_cast<TColor>(r.ReadInteger());
    if (version > 2) AutoInsert = r.ReadInteger() != 0;
    if (version > 3) {
        Multiplikator = r.ReadInteger();
        Kreuzverbinder.SetText(r.ReadString());
        Winkelverbinder.SetText(r.ReadString());
        Laengsverbinder.SetText(r.ReadString());
    }
}

void TProduct::WriteData(TWriter& w) const {
    w.WriteInteger(kRecordVersion);
    Name.WriteBlock(w);
    ArtikelNr.WriteBlock(w);
    InfoText1.WriteBlock(w);
    w.WriteInteger(Typ);
    ImageFileName.WriteBlock(w);
    w.WriteInteger(ImageIndex);
    w.WriteRawDouble(VBreite);
    w.WriteRawDouble(VLaenge);
    w.WriteRawDouble(PckEin);
    for (const double price : Preis)
        w.WriteRawDouble(price);
    w.WriteInteger(PreisArt);
    w.WriteInteger(static_cast<std::int32_t>(Color));
    w.WriteInteger(AutoInsert ? 1 : 0);
    w.WriteInteger(Multiplikator);
    w.WriteString(Kreuzverbinder.Text());
    w.WriteString(Winkelverbinder.Text());
    w.WriteString(Laengsverbinder.Text());
}

bool TProduct::IsCompatible(const TProduct* other) const {
    if (!other || other->Typ != Typ) return false;
    if (!SameTextAZ(other->Name.Text(), Name.Text())) return false;
    // Whole hundredths of a centimetre: a difference of a hundredth or more tells them apart.
    const double limit = 1 - kHundredthTolerance;
    if (std::fabs(other->VBreite - VBreite) * 100 >= limit) return false;
    if ((other->VLaenge - VLaenge) * 100 >= limit) return false;
    return other->ImageFileName == ImageFileName && other->Color == Color &&
           other->ProductGroup == ProductGroup;
}

bool TProduct::Edit(const TProductEditor& editor) {
    return editor ? editor(*this) : false;
}

QString TProduct::DimCode(const TCurrency& currency) const {
    return FormatDimCode(std::clamp(currency.Index, 0, 2), currency.Name);
}

QString TProduct::FormatDimCode(int currency, const QString& currencyName) const {
    const QString unit = PreisArt == 0   ? QStringLiteral("m²")
                         : PreisArt == 1 ? QStringLiteral("m")
                         : PreisArt == 2 ? QStringLiteral("Stck")
                                         : QString();
    return FormatFixed(PckEin, 1, u',') + unit + QStringLiteral("/Pck  ") +
           FormatFixed(Preis[std::size_t(currency)], 2, u',') + u' ' + currencyName + u'/' + unit;
}

QString TProduct::Defect() const {
    // Packages are counted with the rounded unit; one of 0 pieces never fills a requirement.
    if (!std::isfinite(PckEin) || RoundTiesEven(PckEin) < 1)
        return QStringLiteral("Die Paketeinheit muss mindestens 1 Stück betragen.");
    return QString();
}

QString TProduct::DimensionDefect() const {
    const QString defect = TProduct::Defect();
    if (!defect.isEmpty()) return defect;
    // Laying steps by the width and cutting by the length: either at 0 would never end.
    const bool usable =
        std::isfinite(VLaenge) && std::isfinite(VBreite) && VLaenge > 0 && VBreite > 0;
    return usable ? QString() : QStringLiteral("Länge und Breite müssen größer als 0 sein.");
}

std::unique_ptr<TProduct> CreateProductOfType(std::int32_t typ) {
    const QString className = ProductClassOfType(typ);
    if (className.isEmpty()) throw EInvalidProductType();
    std::unique_ptr<TProduct> product = CreateProductOfClass(className);
    product->Typ = typ;
    return product;
}

std::unique_ptr<TProduct> CreateProductOfClass(const QString& className) {
    if (className == u"TProduct") return std::make_unique<TProduct>();
    if (className == u"TPaneele") return std::make_unique<TPaneele>();
    if (className == u"TLeiste") return std::make_unique<TLeiste>();
    if (className == u"TKlammer") return std::make_unique<TKlammer>();
    if (className == u"TBalken") return std::make_unique<TBalken>();
    if (className == u"TModul") return std::make_unique<TModul>();
    return nullptr;
}
