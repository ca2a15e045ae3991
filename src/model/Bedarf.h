#pragma once
// The requirement ("Bedarf"): per article every piece or count a plan needs. Plan objects add
// themselves (TGraphicObject::AddtoBedarfsColl); the collection run and the cut optimisation
// are the offer engine's.

#include "platform/TextFields.h"

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <vector>

class TShape;

// End codes of board pieces: a piece that keeps its start end is multiplied by 3, one that
// keeps its far end by 3 (type 1 boards) or 7 (other boards); 1 for everything else.
constexpr std::int32_t kStartEndFactor = 3;
std::int32_t FarEndFactor(std::int32_t BoardTyp);
// The code of a whole stock board of that type: 9 for type 1, 21 otherwise.
std::int32_t WholeBoardCode(std::int32_t BoardTyp);

struct TArtikelItem {
    TShortText<25> ArtikelNr;
    double Laenge = 0;          // cm; 1 for counted items, 0 for modules
    std::int32_t StirnSeite = 1; // end code
    std::uint16_t Typ = 0;       // article type of the piece
    std::uint16_t SchnittFlag = 0; // 1 on stock remainders that were cut
    std::int32_t PckEin = 0;     // count of counted items; 0 for pieces
    std::int32_t Tag = 0;        // stock piece number the piece is cut from
    // The area the piece lies in, none for free modules. Valid until the plan changes: the
    // program empties the requirement whenever it does (IPlanHost::ClearRequirement).
    const TShape* ParentShape = nullptr;
    double PosX = 0, PosY = 0; // centre of a board piece
};

class EArtikelArrayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A growable array of requirement items held by value.
class TArtikelItemArray {
public:
    static constexpr int kMaxCount = 71582788;

    int Count() const { return static_cast<int>(fItems.size()); }
    bool Empty() const { return fItems.empty(); }
    // Copies the item; its index.
    int Add(const TArtikelItem& Item);
    void Insert(int Index, const TArtikelItem& Item);
    void Delete(int Index);
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    TArtikelItem& Get(int Index);
    const TArtikelItem& Get(int Index) const;
    void Put(int Index, const TArtikelItem& Item) { Get(Index) = Item; }
    TArtikelItem& First() { return Get(0); }
    TArtikelItem& Last() { return Get(Count() - 1); }
    void Clear() { fItems.clear(); }
    // Quicksort with the middle element as pivot, as every array of the program sorts: equal
    // items end in an order of their own, which the cut optimisation's tags depend on.
    template <class Compare>
    void Sort(Compare compare);

    std::vector<TArtikelItem>::iterator begin() { return fItems.begin(); }
    std::vector<TArtikelItem>::iterator end() { return fItems.end(); }
    std::vector<TArtikelItem>::const_iterator begin() const { return fItems.begin(); }
    std::vector<TArtikelItem>::const_iterator end() const { return fItems.end(); }
    const std::vector<TArtikelItem>& Items() const { return fItems; }

private:
    void CheckIndex(int Index, bool AllowEnd) const;
    std::vector<TArtikelItem> fItems;
};

// The quicksort of the program's record arrays (middle pivot, Hoare partition), on any
// random-access sequence of records.
template <class T, class Compare>
void RecordQuickSort(std::vector<T>& Items, int L, int R, Compare compare) {
    while (L < R) {
        int i = L, j = R;
        const T pivot = Items[static_cast<size_t>((L + R) >> 1)];
        do {
            while (compare(Items[static_cast<size_t>(i)], pivot) < 0)
                ++i;
            while (compare(Items[static_cast<size_t>(j)], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(Items[static_cast<size_t>(i)], Items[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (L < j) RecordQuickSort(Items, L, j, compare);
        L = i;
    }
}

template <class Compare>
void TArtikelItemArray::Sort(Compare compare) {
    if (fItems.size() > 1) RecordQuickSort(fItems, 0, Count() - 1, compare);
}

// One entry of the requirement: an article number and its items.
struct TBedarfsEntry {
    QString ArtikelNr;
    TArtikelItemArray Items;
};

// The requirement of one collection run, entries in the order their article was first met.
class TBedarfsColl {
public:
    std::vector<TBedarfsEntry> Entries;

    // The entry of the article (exact, case-sensitive), appended empty when missing. The
    // reference is valid until the next entry is appended.
    TArtikelItemArray& Entry(const QString& ArtikelNr);
    // Its index, or -1.
    int IndexOf(const QString& ArtikelNr) const;
    int Count() const { return static_cast<int>(Entries.size()); }
    void Clear() { Entries.clear(); }
};
