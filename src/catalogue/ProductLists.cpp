#include "catalogue/Products.h"

#include "catalogue/Paneele.h"
#include "platform/Cp1252.h"
#include "platform/ValueStream.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TProductList

TProductList::TProductList(TProductGroup* owner) : fOwner(owner) {}
TProductList::~TProductList() = default;

TProductList::TProductList(TProductList&& other) noexcept
    : fOwner(nullptr), fItems(std::move(other.fItems)) {
    other.fItems.clear();
}

void TProductList::CheckIndex(int index, bool end) const {
    if (index < 0 || index > Count() || (index == Count() && !end))
        throw std::out_of_range("Listenindex überschreitet das Maximum");
}

TProduct* TProductList::Adopt(TProduct* product) const {
    if (!product) throw std::invalid_argument("TProductList: no article");
    if (fOwner) product->ProductGroup = fOwner;
    return product;
}

TProduct* TProductList::Get(int index) const {
    CheckIndex(index, false);
    return fItems[std::size_t(index)].get();
}

void TProductList::Put(int index, std::unique_ptr<TProduct> product) {
    CheckIndex(index, false);
    Adopt(product.get());
    fItems[std::size_t(index)] = std::move(product);
}

int TProductList::Add(std::unique_ptr<TProduct> product) {
    Adopt(product.get());
    fItems.push_back(std::move(product));
    return Count() - 1;
}

void TProductList::Insert(int index, std::unique_ptr<TProduct> product) {
    CheckIndex(index, true);
    Adopt(product.get());
    fItems.insert(fItems.begin() + index, std::move(product));
}

int TProductList::IndexOf(const TProduct* product) const {
    for (std::size_t i = 0; i < fItems.size(); ++i)
        if (fItems[i].get() == product) return int(i);
    return -1;
}

TProduct* TProductList::First() const {
    return fItems.empty() ? nullptr : fItems.front().get();
}

TProduct* TProductList::Last() const {
    return fItems.empty() ? nullptr : fItems.back().get();
}

void TProductList::Delete(int index) {
    CheckIndex(index, false);
    fItems.erase(fItems.begin() + index);
}

int TProductList::Remove(const TProduct* product) {
    const int index = IndexOf(product);
    if (index >= 0) Delete(index);
    return index;
}

std::unique_ptr<TProduct> TProductList::Extract(int index) {
    CheckIndex(index, false);
    std::unique_ptr<TProduct> product = std::move(fItems[std::size_t(index)]);
    fItems.erase(fItems.begin() + index);
    return product;
}

void TProductList::Clear() {
    fItems.clear();
}

TProductList TProductList::Clone() const {
    TProductList copy;
    for (const auto& product : fItems)
        copy.Add(product->Clone());
    return copy;
}

TProduct* TProductList::FirstThat(const TProductListMatch& match) const {
    for (const auto& product : fItems)
        if (match(*product)) return product.get();
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TProductGroup

TProductGroup::TProductGroup() = default;

TProductGroup::TProductGroup(const QString& name) {
    SetName(name);
}

bool TProductGroup::SetName(const QString& name) {
    const TArticleText<50> cut(name);
    if (cut.IsEmpty()) return false;
    fName = cut;
    return true;
}

void TProductGroup::ReadData(TReader& r) {
    r.ReadInteger(); // group record version, carries nothing
    TArticleText<50> name;
    name.ReadBlock(r);
    SetName(name.Text());
    InfoText1.ReadBlock(r);
    ImageFileName.ReadBlock(r);
    ImageIndex = r.ReadInteger();
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const QString className = r.ReadString();
        std::unique_ptr<TProduct> product = CreateProductOfClass(className);
        if (!product)
            throw EReadError(
                QStringLiteral("Unbekannte Artikelklasse \"%1\"").arg(className).toStdString());
        product->ReadData(r);
        // The type decides the class when the article comes back from a text file.
        if (ProductClassOfType(product->Typ) != className) product->Typ = product->Create()->Typ;
        Products.Add(std::move(product));
    }
    r.ReadListEnd();
}

void TProductGroup::WriteData(TWriter& w, int fileIndex) const {
    w.WriteInteger(0);
    fName.WriteBlock(w);
    InfoText1.WriteBlock(w);
    ImageFileName.WriteBlock(w);
    w.WriteInteger(ImageIndex);
    w.WriteListBegin();
    for (const auto& product : Products.Items()) {
        if (fileIndex >= 0 && product->FileListIndex != fileIndex) continue;
        w.WriteString(product->ClassName());
        product->WriteData(w);
    }
    w.WriteListEnd();
}

// ---------------------------------------------------------------------------------------------
// TCatalogue

TCatalogue::TCatalogue() : fCurrentPaneel(std::make_unique<TPaneele>()) {}
TCatalogue::~TCatalogue() = default;

TProductGroup* TCatalogue::Group(int index) const {
    if (index < 0 || index >= GroupCount())
        throw std::out_of_range("Listenindex überschreitet das Maximum");
    return fGroups[std::size_t(index)].get();
}

TProductGroup* TCatalogue::AddGroup(std::unique_ptr<TProductGroup> group) {
    fGroups.push_back(std::move(group));
    return fGroups.back().get();
}

TProductGroup* TCatalogue::FindGroupByName(const QString& name) const {
    const TArticleText<50> cut(name);
    for (const auto& group : fGroups)
        if (group->Name() == cut) return group.get();
    return nullptr;
}

void TCatalogue::DeleteGroup(TProductGroup* group) {
    if (fCurrentGroup == group) fCurrentGroup = nullptr;
    std::erase_if(fGroups, [group](const auto& entry) { return entry.get() == group; });
}

TProductFile& TCatalogue::ProductFile(int index) {
    if (index < 0 || index >= int(fFiles.size()))
        throw std::out_of_range("Listenindex überschreitet das Maximum");
    return fFiles[std::size_t(index)];
}

QStringList TCatalogue::ProductFileNames() const {
    QStringList names;
    for (const TProductFile& file : fFiles)
        names << file.Name;
    return names;
}

int TCatalogue::AddProductFile(const QString& fileName) {
    const int existing = ProductFileIndex(fileName);
    return existing >= 0 ? existing : AppendProductFile(fileName);
}

int TCatalogue::AppendProductFile(const QString& fileName) {
    fFiles.push_back(TProductFile{UpperCaseAZ(fileName), fileName, true});
    return int(fFiles.size()) - 1;
}

int TCatalogue::ProductFileIndex(const QString& fileName) const {
    const QString key = UpperCaseAZ(fileName);
    for (std::size_t i = 0; i < fFiles.size(); ++i)
        if (fFiles[i].Name == key) return int(i);
    return -1;
}

TProduct* TCatalogue::FindProduct(const QString& artikelNr) const {
    const QByteArray key = ToCp1252(artikelNr);
    // A number with a character the code page lacks equals no stored number.
    if (FromCp1252(key) != artikelNr) return nullptr;
    for (const auto& group : fGroups)
        for (const auto& product : group->Products.Items())
            if (product->ArtikelNr.Bytes() == key) return product.get();
    return nullptr;
}

TProductGroup* TCatalogue::FindProductGroup(const QString& artikelNr) const {
    const TProduct* product = FindProduct(artikelNr);
    return product ? product->ProductGroup : nullptr;
}

int TCatalogue::ProductCount() const {
    int count = 0;
    for (const auto& group : fGroups)
        count += group->Products.Count();
    return count;
}

bool TCatalogue::DeleteProduct(const TProduct* product) {
    for (const auto& group : fGroups)
        if (group->Products.Remove(product) >= 0) return true;
    return false;
}

void TCatalogue::SetCurrentProductGroup(TProductGroup* group) {
    fCurrentGroup = group;
}

void TCatalogue::Clear() {
    fCurrentGroup = nullptr;
    fGroups.clear();
    fFiles.clear();
}
