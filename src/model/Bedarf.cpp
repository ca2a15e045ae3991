#include "model/Bedarf.h"

#include "catalogue/Products.h"

std::int32_t FarEndFactor(std::int32_t BoardTyp) {
    return BoardTyp == ptPaneel ? 3 : 7;
}

std::int32_t WholeBoardCode(std::int32_t BoardTyp) {
    return kStartEndFactor * FarEndFactor(BoardTyp);
}

void TArtikelItemArray::CheckIndex(int Index, bool AllowEnd) const {
    if (Index < 0 || Index > Count() || (!AllowEnd && Index == Count()))
        throw EArtikelArrayError("Artikel Array Index Error");
}

int TArtikelItemArray::Add(const TArtikelItem& Item) {
    if (Count() >= kMaxCount) throw EArtikelArrayError("Artikel Array Count Error");
    fItems.push_back(Item);
    return Count() - 1;
}

void TArtikelItemArray::Insert(int Index, const TArtikelItem& Item) {
    CheckIndex(Index, true);
    if (Count() >= kMaxCount) throw EArtikelArrayError("Artikel Array Count Error");
    fItems.insert(fItems.begin() + Index, Item);
}

void TArtikelItemArray::Delete(int Index) {
    CheckIndex(Index, false);
    fItems.erase(fItems.begin() + Index);
}

void TArtikelItemArray::Exchange(int Index1, int Index2) {
    CheckIndex(Index1, false);
    CheckIndex(Index2, false);
    std::swap(fItems[static_cast<size_t>(Index1)], fItems[static_cast<size_t>(Index2)]);
}

void TArtikelItemArray::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex, false);
    CheckIndex(NewIndex, false);
    if (CurIndex == NewIndex) return;
    const TArtikelItem item = fItems[static_cast<size_t>(CurIndex)];
    fItems.erase(fItems.begin() + CurIndex);
    fItems.insert(fItems.begin() + NewIndex, item);
}

TArtikelItem& TArtikelItemArray::Get(int Index) {
    CheckIndex(Index, false);
    return fItems[static_cast<size_t>(Index)];
}

const TArtikelItem& TArtikelItemArray::Get(int Index) const {
    CheckIndex(Index, false);
    return fItems[static_cast<size_t>(Index)];
}

int TBedarfsColl::IndexOf(const QString& ArtikelNr) const {
    for (size_t i = 0; i < Entries.size(); ++i)
        if (Entries[i].ArtikelNr == ArtikelNr) return static_cast<int>(i);
    return -1;
}

TArtikelItemArray& TBedarfsColl::Entry(const QString& ArtikelNr) {
    const int i = IndexOf(ArtikelNr);
    if (i >= 0) return Entries[static_cast<size_t>(i)].Items;
    Entries.push_back({ArtikelNr, {}});
    return Entries.back().Items;
}
