#include "geometry/DoubleArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<double> Values(const TDoubleArray& a) {
    return std::vector<double>(a.begin(), a.end());
}

void Fill(TDoubleArray& a, const std::vector<double>& values) {
    for (double v : values)
        a.Add(v);
}

void ExpectError(const std::function<void()>& f, const char* message) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const EDoubleArrayError& e) {
        EXPECT_STREQ(e.what(), message);
    }
}

TEST(DoubleArrayTest, GrowthSteps) {
    TDoubleArray a;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(a.Add(i), i);
    EXPECT_EQ(a.Capacity(), 16);
    a.Add(16);
    EXPECT_EQ(a.Capacity(), 32);
    a.SetCapacity(144);
    while (a.Count() < 144)
        a.Add(0);
    a.Add(1);
    EXPECT_EQ(a.Capacity(), 216);
    EXPECT_EQ(a.Get(16), 16);
}

TEST(DoubleArrayTest, InsertDeleteExchangeMove) {
    TDoubleArray a;
    Fill(a, {1, 2, 3});
    a.Insert(3, 4); // at FCount appends
    a.Insert(0, 0);
    EXPECT_EQ(Values(a), (std::vector<double>{0, 1, 2, 3, 4}));
    a.Delete(2);
    EXPECT_EQ(Values(a), (std::vector<double>{0, 1, 3, 4}));
    a.Exchange(0, 3);
    EXPECT_EQ(Values(a), (std::vector<double>{4, 1, 3, 0}));
    a.Move(0, 3);
    EXPECT_EQ(Values(a), (std::vector<double>{1, 3, 0, 4}));
    a.Move(3, 0);
    EXPECT_EQ(Values(a), (std::vector<double>{4, 1, 3, 0}));
    a.Move(1, 1);
    EXPECT_EQ(a.First(), 4);
    EXPECT_EQ(a.Last(), 0);
}

TEST(DoubleArrayTest, RangeErrorsLeaveTheArrayUnchanged) {
    TDoubleArray a;
    Fill(a, {1, 2, 3});
    const std::vector<double> before = Values(a);
    const char* index = "Double Array Index Error";
    ExpectError([&] { a.Insert(4, 9); }, index);
    ExpectError([&] { a.Insert(-1, 9); }, index);
    ExpectError([&] { a.Delete(3); }, index);
    ExpectError([&] { a.Delete(-1); }, index);
    ExpectError([&] { a.Exchange(0, 3); }, index);
    ExpectError([&] { a.Exchange(-1, 0); }, index);
    ExpectError([&] { a.Move(0, 3); }, index);
    ExpectError([&] { a.Move(5, 0); }, index); // a bad CurIndex is caught before reading it
    ExpectError([&] { a.Move(-1, 0); }, index);
    ExpectError([&] { a.SetCapacity(2); }, "Double Array Capacity Error");
    ExpectError([&] { a.SetCapacity(TDoubleArray::MaxListSize + 1); },
                "Double Array Capacity Error");
    ExpectError([&] { a.SetCount(-1); }, "Double Array Count Error");
    ExpectError([&] { a.SetCount(TDoubleArray::MaxListSize + 1); }, "Double Array Count Error");
    EXPECT_EQ(Values(a), before);
    EXPECT_EQ(a.Capacity(), 16);
}

TEST(DoubleArrayTest, CountSetterZeroFillsAndClearReleases) {
    TDoubleArray a;
    Fill(a, {5, 6});
    a.SetCount(40);
    EXPECT_EQ(a.Capacity(), 40);
    for (int i = 2; i < 40; ++i)
        EXPECT_EQ(a.Get(i), 0.0);
    a.SetCount(1);
    a.SetCount(3);
    EXPECT_EQ(Values(a), (std::vector<double>{5, 0, 0})); // values dropped by shrinking are gone
    a.Clear();
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(a.Capacity(), 0);
}

TEST(DoubleArrayTest, CloneAndExpand) {
    TDoubleArray a;
    Fill(a, {1.5, -2.5});
    a.SetCapacity(20);
    std::unique_ptr<TDoubleArray> b(a.Clone());
    EXPECT_EQ(Values(*b), Values(a));
    EXPECT_EQ(b->Capacity(), 20);
    b->Put(0, 7);
    EXPECT_EQ(a.Get(0), 1.5);

    TDoubleArray full;
    for (int i = 0; i < 16; ++i)
        full.Add(i);
    EXPECT_EQ(full.Expand(), &full);
    EXPECT_EQ(full.Capacity(), 32);
    EXPECT_EQ(full.Expand()->Capacity(), 32); // not full: unchanged
}

TEST(DoubleArrayTest, SortByValueAndMagnitude) {
    TDoubleArray a;
    Fill(a, {3, -1, 2});
    a.Sort(CompareDouble);
    EXPECT_EQ(Values(a), (std::vector<double>{-1, 2, 3}));
    TDoubleArray b;
    Fill(b, {3, -1, -2});
    b.Sort(CompareDoubleAbs);
    EXPECT_EQ(Values(b), (std::vector<double>{-1, -2, 3}));
    TDoubleArray empty;
    empty.Sort(CompareDouble);
    EXPECT_EQ(empty.Count(), 0);
}

TEST(DoubleArrayTest, SortMatchesStdSortOnManyInputs) {
    std::mt19937 rng(12345);
    for (int n : {2, 3, 17, 100, 1000}) {
        for (int round = 0; round < 5; ++round) {
            std::vector<double> values(static_cast<size_t>(n));
            std::uniform_int_distribution<int> dist(-20, 20); // many equal values
            for (double& v : values)
                v = dist(rng) * 0.5;
            TDoubleArray a;
            Fill(a, values);
            a.Sort(CompareDouble);
            std::sort(values.begin(), values.end());
            EXPECT_EQ(Values(a), values);
        }
    }
}

TEST(DoubleArrayTest, SortSurvivesLargeSortedInputNaNAndBadComparators) {
    // Sorted and constant inputs of this size would overflow an unbounded recursion.
    TDoubleArray sorted;
    for (int i = 0; i < 200000; ++i)
        sorted.Add(i % 7 == 0 ? 1.0 : double(i));
    sorted.Sort(CompareDouble);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    TDoubleArray withNaN;
    Fill(withNaN, {nan, 3, nan, 1, 2, nan});
    withNaN.Sort(CompareDouble);
    EXPECT_EQ(withNaN.Count(), 6);
    int nans = 0;
    for (double v : withNaN)
        nans += std::isnan(v) ? 1 : 0;
    EXPECT_EQ(nans, 3);

    // A comparator that contradicts itself still yields a permutation of the input.
    static std::mt19937 chaos(7);
    std::vector<double> values;
    for (int i = 0; i < 5000; ++i)
        values.push_back(i);
    TDoubleArray a;
    Fill(a, values);
    a.Sort([](double, double) { return int(chaos() % 3) - 1; });
    std::vector<double> after = Values(a);
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, values);
    TDoubleArray b;
    Fill(b, values);
    b.Sort([](double, double) { return 1; }); // "always before"
    after = Values(b);
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, values);
}

} // namespace
