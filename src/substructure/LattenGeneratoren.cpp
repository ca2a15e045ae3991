#include "substructure/LattenGeneratoren.h"

#include "catalogue/CatalogueContext.h"
#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "model/Shapes.h"
#include "platform/Numbers.h"
#include "platform/ValueStream.h"
#include "substructure/StandardLayouts.h"

#include <cmath>

namespace {

bool AcceptedMaxLattenAbstand(double v) {
    return v >= TLattenGenerator::kMinMaxLattenAbstand &&
           v <= TLattenGenerator::kMaxMaxLattenAbstand;
}

} // namespace

TLattenGenerator::TLattenGenerator() {
    Name = QStringLiteral("Keine Verlattung");
}

TLattenGenerator::TLattenGenerator(const QString& AName, std::int32_t ABitMapIndex,
                                   double ADefaultMaxLattenAbstand)
    : fMaxLattenAbstand(ADefaultMaxLattenAbstand),
      fDefaultMaxLattenAbstand(ADefaultMaxLattenAbstand) {
    Name = AName;
    BitMapIndex = ABitMapIndex;
}

TLattenGenerator::~TLattenGenerator() = default;

std::unique_ptr<TLattenGeneratorBase> TLattenGenerator::CreateNew() const {
    return std::make_unique<TLattenGenerator>();
}

std::unique_ptr<TLattenGenerator> TLattenGenerator::Clone() const {
    // CreateNew of a substructure generator makes one of its own class.
    return std::unique_ptr<TLattenGenerator>(
        static_cast<TLattenGenerator*>(TLattenGeneratorBase::Clone().release()));
}

void TLattenGenerator::Assign(const TLattenGeneratorBase& Source) {
    TLattenGeneratorBase::Assign(Source);
    const auto* s = dynamic_cast<const TLattenGenerator*>(&Source);
    if (s == nullptr) return;
    LattenArtNr = s->LattenArtNr;
    fMaxLattenAbstand = s->fMaxLattenAbstand;
    VerlattVekL.Assign(s->VerlattVekL);
    VerlattVekS.Assign(s->VerlattVekS);
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
            RangeMessage(QStringLiteral("Der maximale Lattenabstand"),
                         FormatGeneral(kMinMaxLattenAbstand, u',') + QStringLiteral(" cm"),
                         FormatGeneral(kMaxMaxLattenAbstand, u',') + QStringLiteral(" cm")));
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

bool TLattenGenerator::Update(const TCatalogueContext& Context) {
    const QString nr = LattenArtNr.Text();
    const TProduct* product = Context.FindProduct(nr);
    if (product == nullptr) {
        Context.Messages().ShowError(QStringLiteral("Artikel Nr.:") + nr +
                                     QStringLiteral(" nicht gefunden."));
        return false;
    }
    if (product->Typ != ptLatte) {
        Context.Messages().ShowError(
            QStringLiteral("Artikel Nr.:") + nr +
            QStringLiteral(" ist keine Leiste. Unterkonstruktion nicht möglich"));
        return false;
    }
    return true;
}

// --- Prototypes -------------------------------------------------------------------------------

namespace {

template <class T>
std::unique_ptr<TLattenGeneratorBase> Make() {
    return std::make_unique<T>();
}

// The layouts in identifier order; 8, 10 and 11 are the rail-system layouts.
constexpr TLattenGeneratorFactory kLayouts[] = {
    &Make<TLattenGenerator>,
    &Make<TLattenGeneratorLaengs>,
    &Make<TLattenGeneratorLaengsStirn>,
    &Make<TLattenGeneratorLaengsStirnDoppelt>,
    &Make<TLattenGeneratorQuer>,
    &Make<TLattenGeneratorQuerStirn>,
    &Make<TLattenGeneratorLaengsStirnPlusHalb>,
    &Make<TLattenGeneratorLaengsStirnDoppeltPlusHalb>,
    nullptr,
    &Make<TLattenGeneratorLaengsStirnNurOhneRand>,
};

} // namespace

TLattenGeneratorList CreateLattenGeneratorPrototypes() {
    TLattenGeneratorList list;
    for (const TLattenGeneratorFactory make : kLayouts) {
        if (make == nullptr) {
            list.emplace_back();
            continue;
        }
        std::unique_ptr<TLattenGeneratorBase> prototype = make();
        RegisterLattenGeneratorClass(prototype->ClassName(), make);
        list.emplace_back(static_cast<TLattenGenerator*>(prototype.release()));
    }
    return list;
}

TLattenGenerator* LattenPrototype(const TLattenGeneratorList& List, std::int32_t ID) {
    if (ID < 0 || ID >= static_cast<std::int32_t>(List.size())) return nullptr;
    return List[static_cast<size_t>(ID)].get();
}

TLattenGenerator* LattenGeneratorOf(const TShape& Shape) {
    return dynamic_cast<TLattenGenerator*>(Shape.LattenGenerator());
}
