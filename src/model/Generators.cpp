#include "model/Generators.h"

#include "catalogue/Paneele.h"
#include "platform/ValueStream.h"

#include <vector>

// --- Pattern generators -----------------------------------------------------------------------

TPatternGeneratorBase::TPatternGeneratorBase() : Product(std::make_unique<TPaneele>()) {}

TPatternGeneratorBase::~TPatternGeneratorBase() = default;

std::unique_ptr<TPatternGeneratorBase> TPatternGeneratorBase::Clone() const {
    std::unique_ptr<TPatternGeneratorBase> copy = CreateNew();
    copy->Assign(*this);
    return copy;
}

void TPatternGeneratorBase::Assign(const TPatternGeneratorBase& Source) {
    Name = Source.Name;
    BitMapIndex = Source.BitMapIndex;
    Product->Assign(*Source.Product);
    LattenGenID = Source.LattenGenID;
}

void TPatternGeneratorBase::ReadData(TReader& Reader) {
    Reader.ReadInteger(); // version
    auto product = std::make_unique<TPaneele>();
    product->ReadData(Reader);
    const std::int32_t lattenGenID = Reader.ReadInteger();
    ReadTail(Reader);
    Product = std::move(product);
    LattenGenID = lattenGenID;
}

void TPatternGeneratorBase::WriteData(TWriter& Writer) const {
    Writer.WriteInteger(0);
    Product->WriteData(Writer);
    Writer.WriteInteger(LattenGenID);
    WriteTail(Writer);
}

void TPatternGeneratorBase::ReadTail(TReader&) {}
void TPatternGeneratorBase::WriteTail(TWriter&) const {}

// --- Substructure generators ------------------------------------------------------------------

TLattenGeneratorBase::~TLattenGeneratorBase() = default;

std::unique_ptr<TLattenGeneratorBase> TLattenGeneratorBase::Clone() const {
    std::unique_ptr<TLattenGeneratorBase> copy = CreateNew();
    copy->Assign(*this);
    return copy;
}

void TLattenGeneratorBase::Assign(const TLattenGeneratorBase& Source) {
    Name = Source.Name;
    BitMapIndex = Source.BitMapIndex;
}

// --- Registry ---------------------------------------------------------------------------------

namespace {

template <class TFactory>
struct TGeneratorClass {
    QString Name;
    TFactory Factory;
};

// Type tables: which class a stored name means. They are the same for every engine context
// of the process and only ever grow by the engines' own classes.
template <class TFactory>
std::vector<TGeneratorClass<TFactory>>& Classes() {
    static std::vector<TGeneratorClass<TFactory>> classes;
    return classes;
}

template <class TFactory>
void Register(const QString& Name, TFactory Factory) {
    auto& classes = Classes<TFactory>();
    for (const auto& c : classes)
        if (c.Name == Name) return;
    classes.push_back({Name, Factory});
}

template <class TFactory>
TFactory Find(const QString& Name) {
    if (Name.isEmpty()) return nullptr;
    for (const auto& c : Classes<TFactory>())
        if (c.Name == Name) return c.Factory;
    return nullptr;
}

} // namespace

void RegisterPatternGeneratorClass(const QString& Name, TPatternGeneratorFactory Factory) {
    Register(Name, Factory);
}

void RegisterLattenGeneratorClass(const QString& ClassName, TLattenGeneratorFactory Factory) {
    Register(ClassName, Factory);
}

std::unique_ptr<TPatternGeneratorBase> CreatePatternGeneratorForName(const QString& Name) {
    const TPatternGeneratorFactory factory = Find<TPatternGeneratorFactory>(Name);
    return factory ? factory() : nullptr;
}

std::unique_ptr<TLattenGeneratorBase> CreateLattenGeneratorForClass(const QString& ClassName) {
    const TLattenGeneratorFactory factory = Find<TLattenGeneratorFactory>(ClassName);
    return factory ? factory() : nullptr;
}
