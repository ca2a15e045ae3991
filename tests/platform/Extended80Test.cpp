#include "platform/Extended80.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

using TBytes = std::array<unsigned char, 10>;

constexpr int kBias = 16383;
constexpr std::uint64_t kTop = std::uint64_t(1) << 63;

TBytes Ext(bool negative, int exponent, std::uint64_t mantissa) {
    TBytes b{};
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    b[8] = static_cast<unsigned char>(exponent & 0xFF);
    b[9] = static_cast<unsigned char>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
    return b;
}

TBytes ToExt(double value) {
    TBytes b{};
    DoubleToExtended(value, b.data());
    return b;
}

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

double FromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
constexpr double kMin = std::numeric_limits<double>::min();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

const double kEdgeDoubles[] = {
    0.0,
    -0.0,
    1.0,
    -1.0,
    0.1,
    -2.5,
    1.0 / 3.0,
    M_PI,
    1e300,
    -1e-300,
    kMax,
    -kMax,
    kMin,
    -kMin,
    kDenormMin,
    -kDenormMin,
    3 * kDenormMin,
    kMin - kDenormMin, // largest subnormal
    kMin / 2,
    FromBits(0x000F0F0F0F0F0F0Full),
    kInf,
    -kInf,
    4503599627370497.0,
    123456.789,
    std::ldexp(1.0, 1023),
    std::ldexp(1.0, -1022),
};

} // namespace

TEST(Extended80, KnownEncodings) {
    EXPECT_EQ(ToExt(1.0), Ext(false, kBias, kTop));
    EXPECT_EQ(ToExt(-2.0), Ext(true, kBias + 1, kTop));
    EXPECT_EQ(ToExt(0.0), Ext(false, 0, 0));
    EXPECT_EQ(ToExt(-0.0), Ext(true, 0, 0));
    EXPECT_EQ(ToExt(kInf), Ext(false, 0x7FFF, kTop));
    EXPECT_EQ(ToExt(-kInf), Ext(true, 0x7FFF, kTop));
    // The smallest subnormal double, 2^-1074, is a normal extended value.
    EXPECT_EQ(ToExt(kDenormMin), Ext(false, kBias - 1074, kTop));
    EXPECT_EQ(ToExt(3 * kDenormMin), Ext(false, kBias - 1073, kTop | (kTop >> 1)));
    // 1.5: the fraction follows the explicit integer bit.
    EXPECT_EQ(ToExt(1.5), Ext(false, kBias, kTop | (kTop >> 1)));
}

TEST(Extended80, EveryEdgeDoubleSurvivesTheRoundTripBitForBit) {
    for (double value : kEdgeDoubles) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Bits(ExtendedToDouble(ToExt(value).data())), Bits(value));
    }
}

TEST(Extended80, NaNStaysNaNWithItsSignAndPayload) {
    const double quiet = FromBits(0x7FF8000000000123ull);
    const TBytes b = ToExt(quiet);
    EXPECT_EQ(b, Ext(false, 0x7FFF, kTop | (kTop >> 1) | (std::uint64_t(0x123) << 11)));
    EXPECT_EQ(Bits(ExtendedToDouble(b.data())), Bits(quiet));

    const double negative = FromBits(0xFFF8000000000000ull);
    EXPECT_EQ(Bits(ExtendedToDouble(ToExt(negative).data())), Bits(negative));

    // A signalling NaN keeps being a NaN (never turns into infinity).
    const double signalling = FromBits(0x7FF0000000000001ull);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(ToExt(signalling).data())));
    // Payload bits below what a double holds must not leave a NaN looking like infinity.
    EXPECT_TRUE(std::isnan(ExtendedToDouble(Ext(false, 0x7FFF, kTop | 1).data())));
}

// Extended values that need rounding, with the double they must become.
struct TRoundCase {
    const char* Name;
    TBytes In;
    double Expected;
};

TEST(Extended80, RoundsToNearestTiesToEven) {
    const std::uint64_t half = std::uint64_t(1) << 10; // half a unit of the double's last place
    const std::uint64_t one = std::uint64_t(1) << 11;
    const double next1 = std::nextafter(1.0, 2.0);
    const TRoundCase cases[] = {
        {"tie below even stays", Ext(false, kBias, kTop | half), 1.0},
        {"tie above odd goes up", Ext(false, kBias, kTop | one | half), std::nextafter(next1, 2.0)},
        {"just above tie", Ext(false, kBias, kTop | half | 1), next1},
        {"just below tie", Ext(false, kBias, kTop | (half - 1)), 1.0},
        {"carry into exponent", Ext(false, kBias, ~std::uint64_t(0)), 2.0},
        {"negative tie", Ext(true, kBias, kTop | one | half), -std::nextafter(next1, 2.0)},
        {"max stays max", Ext(false, kBias + 1023, ~std::uint64_t(0) << 11), kMax},
        {"below overflow tie", Ext(false, kBias + 1023, (~std::uint64_t(0) << 11) | (half - 1)),
         kMax},
        {"overflow tie", Ext(false, kBias + 1023, (~std::uint64_t(0) << 11) | half), kInf},
        {"far too large", Ext(true, kBias + 5000, kTop), -kInf},
        {"largest extended", Ext(false, 0x7FFE, ~std::uint64_t(0)), kInf},
        // Into the subnormal range: one unit there is 2^-1074.
        {"half denorm min is a tie to zero", Ext(false, kBias - 1075, kTop), 0.0},
        {"above half denorm min", Ext(false, kBias - 1075, kTop | 1), kDenormMin},
        {"negative tiny to minus zero", Ext(true, kBias - 1076, kTop), -0.0},
        {"1.5 denorm min tie to 2", Ext(false, kBias - 1074, kTop | (kTop >> 1)), 2 * kDenormMin},
        {"2.5 denorm min tie to 2", Ext(false, kBias - 1073, kTop | (kTop >> 2)), 2 * kDenormMin},
        {"rounds up into min normal", Ext(false, kBias - 1023, ~std::uint64_t(0)), kMin},
        {"extended denormal", Ext(false, 0, 1), 0.0},
        {"pseudo-denormal is 2^-16382", Ext(false, 0, kTop), 0.0},
        {"smallest normal extended", Ext(true, 1, kTop), -0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Bits(ExtendedToDouble(c.In.data())), Bits(c.Expected));
    }
}

TEST(Extended80, InvalidEncodingsReadAsNaN) {
    const TBytes cases[] = {
        Ext(false, kBias, 0x4000000000000000ull),  // unnormal: integer bit clear
        Ext(true, 100, 1),                         // unnormal
        Ext(false, kBias, 0),                      // unnormal zero mantissa
        Ext(false, 0x7FFF, 0),                     // pseudo-infinity
        Ext(false, 0x7FFF, 0x4000000000000000ull), // pseudo-NaN
    };
    for (const auto& b : cases)
        EXPECT_TRUE(std::isnan(ExtendedToDouble(b.data())));
}

#if defined(__x86_64__) || defined(__i386__)

// On x86 long double is the x87 format; the hardware conversion is the reference.
namespace {

TBytes OracleExt(double value) {
    const long double wide = value;
    TBytes b{};
    std::memcpy(b.data(), &wide, 10);
    return b;
}

double OracleDouble(const TBytes& b) {
    long double wide = 0;
    std::memcpy(&wide, b.data(), 10);
    return static_cast<double>(wide);
}

void ExpectSameAsHardware(const TBytes& b) {
    const double expected = OracleDouble(b);
    const double actual = ExtendedToDouble(b.data());
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual));
    else
        EXPECT_EQ(Bits(actual), Bits(expected)) << "expected " << expected << " got " << actual;
}

} // namespace

TEST(Extended80Hardware, EdgeDoublesEncodeLikeTheFpu) {
    for (double value : kEdgeDoubles) {
        SCOPED_TRACE(value);
        EXPECT_EQ(ToExt(value), OracleExt(value));
    }
    EXPECT_EQ(ToExt(FromBits(0x7FF8000000000ABCull)), OracleExt(FromBits(0x7FF8000000000ABCull)));
}

TEST(Extended80Hardware, RandomDoublesEncodeLikeTheFpu) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 4000; ++i) {
        const double value = FromBits(random());
        if (std::isnan(value)) continue; // the FPU quiets signalling NaNs on load
        SCOPED_TRACE(value);
        ASSERT_EQ(ToExt(value), OracleExt(value));
    }
}

TEST(Extended80Hardware, RandomExtendedDecodeLikeTheFpu) {
    std::mt19937_64 random(77);
    std::uniform_int_distribution<int> nearDoubleRange(kBias - 1120, kBias + 1030);
    std::uniform_int_distribution<int> anyExponent(0, 0x7FFF);
    for (int i = 0; i < 6000; ++i) {
        std::uint64_t mantissa = random();
        // Some with few low bits, so ties and exact values occur, and some with the integer bit
        // cleared (unnormals, denormals).
        if (i % 3 == 0) mantissa &= ~std::uint64_t(0) << (random() % 64);
        if (i % 7 == 0) mantissa &= ~kTop;
        const int exponent = i % 5 == 0 ? anyExponent(random) : nearDoubleRange(random);
        const TBytes b = Ext((random() & 1) != 0, i % 11 == 0 ? 0 : exponent, mantissa);
        SCOPED_TRACE(testing::Message() << "exponent " << exponent << " mantissa " << mantissa);
        ExpectSameAsHardware(b);
        if (HasFailure()) return;
    }
}

#endif
