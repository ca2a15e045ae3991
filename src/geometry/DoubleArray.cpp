#include "geometry/DoubleArray.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

int CompareDouble(double a, double b) {
    if (a < b) return 1;
    if (a > b) return -1;
    return 0;
}

int CompareDoubleAbs(double a, double b) {
    const double fa = a < 0 ? -a : a;
    const double fb = b < 0 ? -b : b;
    return CompareDouble(fa, fb);
}

TDoubleArray::~TDoubleArray() {
    Clear();
}

void TDoubleArray::Error(const char* Msg) {
    throw EDoubleArrayError(Msg);
}

void TDoubleArray::CheckIndex(std::int32_t Index) const {
    if (Index < 0 || Index >= FCount) Error("Double Array Index Error");
}

void TDoubleArray::Grow() {
    std::int64_t delta = FCapacity > 128 ? FCapacity / 2 : 16;
    std::int64_t wanted = std::int64_t(FCapacity) + delta;
    // Growing near the limit takes what is left rather than failing while room remains.
    if (wanted > MaxListSize) wanted = MaxListSize;
    if (wanted <= FCapacity) Error("Double Array Capacity Error");
    SetCapacity(static_cast<std::int32_t>(wanted));
}

void TDoubleArray::SetCapacity(std::int32_t NewCapacity) {
    if (NewCapacity < FCount || NewCapacity > MaxListSize) Error("Double Array Capacity Error");
    if (NewCapacity == FCapacity) return;
    if (NewCapacity == 0) {
        std::free(FList);
        FList = nullptr;
        FCapacity = 0;
        return;
    }
    void* block = std::realloc(FList, std::size_t(NewCapacity) * sizeof(double));
    if (block == nullptr) throw std::bad_alloc();
    FList = static_cast<double*>(block);
    FCapacity = NewCapacity;
}

void TDoubleArray::SetCount(std::int32_t NewCount) {
    if (NewCount < 0 || NewCount > MaxListSize) Error("Double Array Count Error");
    if (NewCount > FCapacity) SetCapacity(NewCount);
    for (std::int32_t i = FCount; i < NewCount; ++i)
        FList[i] = 0.0;
    FCount = NewCount;
}

std::int32_t TDoubleArray::Add(double Item) {
    if (FCount == FCapacity) Grow();
    FList[FCount] = Item;
    return FCount++;
}

void TDoubleArray::Insert(std::int32_t Index, double Item) {
    if (Index < 0 || Index > FCount) Error("Double Array Index Error");
    if (FCount == FCapacity) Grow();
    if (Index < FCount)
        std::memmove(FList + Index + 1, FList + Index,
                     std::size_t(FCount - Index) * sizeof(double));
    FList[Index] = Item;
    ++FCount;
}

void TDoubleArray::Delete(std::int32_t Index) {
    CheckIndex(Index);
    --FCount;
    if (Index < FCount)
        std::memmove(FList + Index, FList + Index + 1,
                     std::size_t(FCount - Index) * sizeof(double));
}

void TDoubleArray::Exchange(std::int32_t Index1, std::int32_t Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[Index1], FList[Index2]);
}

void TDoubleArray::Move(std::int32_t CurIndex, std::int32_t NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    const double item = FList[CurIndex];
    Delete(CurIndex);
    Insert(NewIndex, item); // cannot grow: one slot was just freed
}

void TDoubleArray::Clear() {
    std::free(FList);
    FList = nullptr;
    FCount = 0;
    FCapacity = 0;
}

TDoubleArray* TDoubleArray::Clone() const {
    auto* copy = new TDoubleArray;
    copy->SetCapacity(FCapacity);
    if (FCount > 0) std::memcpy(copy->FList, FList, std::size_t(FCount) * sizeof(double));
    copy->FCount = FCount;
    return copy;
}

TDoubleArray* TDoubleArray::Expand() {
    if (FCount == FCapacity) Grow();
    return this;
}

double TDoubleArray::Get(std::int32_t Index) const {
    assert(Index >= 0 && Index < FCount);
    return FList[Index];
}

void TDoubleArray::Put(std::int32_t Index, double Item) {
    assert(Index >= 0 && Index < FCount);
    FList[Index] = Item;
}

namespace {

// Quicksort with the classic crossing scans, bounded to the range so that a NaN pivot or an
// inconsistent comparator cannot run off the array; recursion only into the smaller part.
void QuickSort(double* list, std::int32_t L, std::int32_t R, TDoubleArrayCompare Compare) {
    while (L < R) {
        std::int32_t I = L;
        std::int32_t J = R;
        const double P = list[L + (R - L) / 2];
        do {
            while (I < R && Compare(P, list[I]) < 0)
                ++I;
            while (J > L && Compare(P, list[J]) > 0)
                --J;
            if (I <= J) {
                std::swap(list[I], list[J]);
                ++I;
                --J;
            }
        } while (I <= J);
        if (J - L < R - I) {
            if (L < J) QuickSort(list, L, J, Compare);
            L = I;
        } else {
            if (I < R) QuickSort(list, I, R, Compare);
            R = J;
        }
    }
}

} // namespace

void TDoubleArray::Sort(TDoubleArrayCompare Compare) {
    if (FCount > 1) QuickSort(FList, 0, FCount - 1, Compare);
}
