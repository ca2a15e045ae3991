#include "substructure/LattenGeneratoren.h"

#include "platform/ValueStream.h"

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

void TLattenGenerator::ReadData(TReader& Reader) {
    Reader.ReadInteger(); // record version
    const QString artikel = Reader.ReadString();
    const double abstand = Reader.ReadRawDouble();
    LattenArtNr.SetText(artikel);
    fMaxLattenAbstand = abstand;
}

void TLattenGenerator::WriteData(TWriter& Writer) const {
    Writer.WriteInteger(0);
    Writer.WriteString(LattenArtNr.Text());
    Writer.WriteRawDouble(fMaxLattenAbstand);
}

std::vector<std::unique_ptr<TLattenGenerator>>& LattenGeneratorList() {
    static std::vector<std::unique_ptr<TLattenGenerator>> list = [] {
        std::vector<std::unique_ptr<TLattenGenerator>> l;
        l.push_back(std::make_unique<TLattenGenerator>()); // 0: "Keine Verlattung"
        return l;
    }();
    return list;
}

std::unique_ptr<TLattenGenerator> CreateLattenGeneratorForClass(const QString& ClassName) {
    for (const auto& prototype : LattenGeneratorList())
        if (prototype->ClassName() == ClassName) return prototype->CreateNew();
    return nullptr;
}

TSubstructureDefaults& SubstructureDefaults() {
    static TSubstructureDefaults defaults;
    return defaults;
}
