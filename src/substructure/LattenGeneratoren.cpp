#include "substructure/LattenGeneratoren.h"

#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "model/Shapes.h"
#include "platform/UserMessages.h"
#include "platform/ValueStream.h"
#include "substructure/StandardLayouts.h"

#include <cmath>

namespace {

bool AcceptedMaxLattenAbstand(double v) {
    return v >= TLattenGenerator::kMinMaxLattenAbstand &&
           v <= TLattenGenerator::kMaxMaxLattenAbstand;
}

} // namespace

TLattenGenerator::TLattenGenerator() = default;

TLattenGenerator::TLattenGenerator(const QString& AName, std::int32_t ABitMapIndex,
                                   double ADefaultMaxLattenAbstand)
    : fMaxLattenAbstand(ADefaultMaxLattenAbstand), Name(AName), BitMapIndex(ABitMapIndex),
      fDefaultMaxLattenAbstand(ADefaultMaxLattenAbstand) {}

TLattenGenerator::~TLattenGenerator() = default;

std::unique_ptr<TLattenGenerator> TLattenGenerator::CreateNew() const {
    return std::make_unique<TLattenGenerator>();
}

std::unique_ptr<TLattenGenerator> TLattenGenerator::Clone() const {
    std::unique_ptr<TLattenGenerator> copy = CreateNew();
    copy->Assign(*this);
    return copy;
}

void TLattenGenerator::Assign(const TLattenGenerator& Source) {
    Name = Source.Name;
    BitMapIndex = Source.BitMapIndex;
    LattenArtNr = Source.LattenArtNr;
    fMaxLattenAbstand = Source.fMaxLattenAbstand;
    VerlattVekL.Assign(Source.VerlattVekL);
    VerlattVekS.Assign(Source.VerlattVekS);
    Shape = Source.Shape;
}

// --- Records ----------------------------------------------------------------------------------

TLattenGenerator::TBaseRecord TLattenGenerator::ReadBaseRecord(TReader& Reader) const {
    Reader.ReadInteger(); // record version, always 0
    TBaseRecord record;
    record.LattenArtNr = Reader.ReadString();
    record.MaxLattenAbstand = Reader.ReadRawDouble();
    return record;
}

void TLattenGenerator::ApplyBaseRecord(const TBaseRecord& Record) {
    LattenArtNr.SetText(Record.LattenArtNr);
    // Stored values bypass the setter; a NaN would never end the division of a gap.
    fMaxLattenAbstand = AcceptedMaxLattenAbstand(Record.MaxLattenAbstand)
                            ? Record.MaxLattenAbstand
                            : fDefaultMaxLattenAbstand;
}

void TLattenGenerator::ReadData(TReader& Reader) {
    ApplyBaseRecord(ReadBaseRecord(Reader));
}

void TLattenGenerator::WriteData(TWriter& Writer) const {
    Writer.WriteInteger(0);
    Writer.WriteString(LattenArtNr.Text());
    Writer.WriteRawDouble(fMaxLattenAbstand);
}

// --- Parameters -------------------------------------------------------------------------------

void TLattenGenerator::Init(const TPaneele& Paneel) {
    LattenArtNr.SetText(Paneel.LattenNr.Text());
    if (AcceptedMaxLattenAbstand(Paneel.Lattenabstand)) fMaxLattenAbstand = Paneel.Lattenabstand;
}

void TLattenGenerator::SetMaxLattenAbstand(double Value) {
    if (Value == fMaxLattenAbstand) return;
    if (!AcceptedMaxLattenAbstand(Value))
        throw EPropertyError(
            QStringLiteral("Der maximale Lattenabstand muß zwischen 1 cm und 200 cm liegen"));
    fMaxLattenAbstand = Value;
}

TPropertyList TLattenGenerator::Properties() {
    TPublishedProperty spacing;
    spacing.Name = QStringLiteral("A_MaxLattenAbstand");
    spacing.Kind = TPropertyKind::Real;
    spacing.Min = kMinMaxLattenAbstand;
    spacing.Max = kMaxMaxLattenAbstand;
    spacing.Default = fDefaultMaxLattenAbstand;
    spacing.Get = [this] { return fMaxLattenAbstand; };
    spacing.Set = [this](double v) { SetMaxLattenAbstand(v); };
    return {spacing};
}

bool TLattenGenerator::Update() {
    const QString nr = LattenArtNr.Text();
    const TProduct* product = FindProduct(nr);
    if (product == nullptr) {
        ShowErrorMessage(QStringLiteral("Artikel Nr.:") + nr + QStringLiteral(" nicht gefunden."));
        return false;
    }
    if (product->Typ != ptLatte) {
        ShowErrorMessage(QStringLiteral("Artikel Nr.:") + nr +
                         QStringLiteral(" ist keine Leiste. Unterkonstruktion nicht möglich"));
        return false;
    }
    return true;
}

// --- Prototypes -------------------------------------------------------------------------------

TLattenGeneratorList CreateLattenGeneratorPrototypes() {
    TLattenGeneratorList list(10);
    list[0] = std::make_unique<TLattenGenerator>();
    list[1] = std::make_unique<TLattenGeneratorLaengs>();
    list[2] = std::make_unique<TLattenGeneratorLaengsStirn>();
    list[3] = std::make_unique<TLattenGeneratorLaengsStirnDoppelt>();
    list[4] = std::make_unique<TLattenGeneratorQuer>();
    list[5] = std::make_unique<TLattenGeneratorQuerStirn>();
    list[6] = std::make_unique<TLattenGeneratorLaengsStirnPlusHalb>();
    list[7] = std::make_unique<TLattenGeneratorLaengsStirnDoppeltPlusHalb>();
    // 8, 10 and 11 are the rail-system layouts.
    list[9] = std::make_unique<TLattenGeneratorLaengsStirnNurOhneRand>();
    return list;
}

TLattenGeneratorList& LattenGeneratorList() {
    static TLattenGeneratorList list = CreateLattenGeneratorPrototypes();
    return list;
}

TLattenGenerator* LattenPrototype(std::int32_t ID) {
    TLattenGeneratorList& list = LattenGeneratorList();
    if (ID < 0 || ID >= static_cast<std::int32_t>(list.size())) return nullptr;
    return list[static_cast<size_t>(ID)].get();
}

std::unique_ptr<TLattenGenerator> CreateLattenGeneratorForClass(const QString& ClassName) {
    for (const auto& prototype : LattenGeneratorList())
        if (prototype && prototype->ClassName() == ClassName) return prototype->CreateNew();
    return nullptr;
}

TSubstructureDefaults& SubstructureDefaults() {
    static TSubstructureDefaults defaults;
    return defaults;
}
