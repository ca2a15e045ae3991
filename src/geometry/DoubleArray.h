#pragma once
// Growable array of doubles (coordinate lists, batten spacings, dimension positions).

#include <cstdint>
#include <stdexcept>

// Ordering with a reversed sign: positive when a must come before b, negative when after,
// zero when either order will do.
using TDoubleArrayCompare = int (*)(double a, double b);

int CompareDouble(double a, double b);    // ascending by value
int CompareDoubleAbs(double a, double b); // ascending by magnitude

class EDoubleArrayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TDoubleArray {
public:
    static constexpr std::int32_t MaxListSize = 268435455; // 2^28 - 1

    TDoubleArray() = default;
    TDoubleArray(const TDoubleArray&) = delete;
    TDoubleArray& operator=(const TDoubleArray&) = delete;
    virtual ~TDoubleArray();

    std::int32_t Add(double Item);
    void Insert(std::int32_t Index, double Item);
    void Delete(std::int32_t Index);
    void Exchange(std::int32_t Index1, std::int32_t Index2);
    void Move(std::int32_t CurIndex, std::int32_t NewIndex);
    void Clear();
    TDoubleArray* Clone() const;
    TDoubleArray* Expand();
    void Sort(TDoubleArrayCompare Compare);

    // Unchecked in release builds, like a plain array; debug builds assert the index.
    double Get(std::int32_t Index) const;
    void Put(std::int32_t Index, double Item);
    double operator[](std::int32_t Index) const { return Get(Index); }
    double First() const { return Get(0); }
    double Last() const { return Get(FCount - 1); }

    std::int32_t Count() const { return FCount; }
    std::int32_t Capacity() const { return FCapacity; }
    // Grows the capacity when needed; new values are 0.
    void SetCount(std::int32_t NewCount);
    void SetCapacity(std::int32_t NewCapacity);

    const double* begin() const { return FList; }
    const double* end() const { return FList + FCount; }

protected:
    virtual void Grow();
    [[noreturn]] static void Error(const char* Msg);

private:
    void CheckIndex(std::int32_t Index) const;

    double* FList = nullptr;
    std::int32_t FCount = 0;
    std::int32_t FCapacity = 0;
};
