#include "platform/Extended80.h"

#include <bit>
#include <cstdint>

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kIntegerBit = std::uint64_t(1) << 63;
constexpr std::uint64_t kFractionMask = (std::uint64_t(1) << 52) - 1;
constexpr std::uint64_t kQuietNaNBit = std::uint64_t(1) << 51;
constexpr std::uint64_t kDoubleExpMask = std::uint64_t(0x7FF) << 52;

void Pack(unsigned char out[10], bool negative, unsigned exponent, std::uint64_t mantissa) {
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    out[8] = static_cast<unsigned char>(exponent & 0xFF);
    out[9] = static_cast<unsigned char>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
}

// Rounds mantissa / 2^shift to the nearest integer, ties to even; shift in 1..64.
std::uint64_t ShiftRightRounded(std::uint64_t mantissa, int shift) {
    const std::uint64_t kept = shift < 64 ? mantissa >> shift : 0;
    const std::uint64_t rest = shift < 64 ? mantissa & ((std::uint64_t(1) << shift) - 1) : mantissa;
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    const bool up = rest > half || (rest == half && (kept & 1) != 0);
    return kept + (up ? 1 : 0);
}

} // namespace

void DoubleToExtended(double value, unsigned char out[10]) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<unsigned>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kFractionMask;
    if (exponent == 0x7FF) {
        // Infinity, or NaN with its payload (quiet bit 51 lands on the extended quiet bit 62).
        Pack(out, negative, 0x7FFF, kIntegerBit | (fraction << 11));
    } else if (exponent != 0) {
        Pack(out, negative, exponent - kDoubleBias + kExtendedBias, kIntegerBit | (fraction << 11));
    } else if (fraction == 0) {
        Pack(out, negative, 0, 0);
    } else {
        // value = fraction * 2^-1074; normalised the leading bit moves to bit 63.
        const int shift = std::countl_zero(fraction);
        const int unbiased = 63 - shift - 1074;
        Pack(out, negative, static_cast<unsigned>(unbiased + kExtendedBias), fraction << shift);
    }
}

double ExtendedToDouble(const unsigned char in[10]) {
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= std::uint64_t(in[i]) << (8 * i);
    const int exponent = ((in[9] & 0x7F) << 8) | in[8];
    const std::uint64_t sign = std::uint64_t(in[9] >> 7) << 63;
    const bool integerBit = (mantissa & kIntegerBit) != 0;

    if (exponent == 0x7FFF) {
        if (!integerBit) return std::bit_cast<double>(sign | kDoubleExpMask | kQuietNaNBit);
        const std::uint64_t fraction = mantissa & ~kIntegerBit;
        if (fraction == 0) return std::bit_cast<double>(sign | kDoubleExpMask);
        // The payload's top bits, always quiet (as the FPU stores a NaN).
        return std::bit_cast<double>(sign | kDoubleExpMask | kQuietNaNBit | (fraction >> 11));
    }
    if (exponent != 0 && !integerBit) // unnormal
        return std::bit_cast<double>(sign | kDoubleExpMask | kQuietNaNBit);
    if (mantissa == 0) return std::bit_cast<double>(sign);

    // value = mantissa * 2^(e - bias - 63); denormals and pseudo-denormals use e = 1.
    const int e = exponent == 0 ? 1 : exponent;
    const int leadingZeros = std::countl_zero(mantissa);
    const std::uint64_t normalised = mantissa << leadingZeros;
    int unbiased = e - kExtendedBias - leadingZeros; // of the leading bit

    if (unbiased > kDoubleBias) return std::bit_cast<double>(sign | kDoubleExpMask);
    if (unbiased >= 1 - kDoubleBias) {
        std::uint64_t kept = ShiftRightRounded(normalised, 11);
        if (kept >> 53) { // rounding carried into a new leading bit
            kept >>= 1;
            ++unbiased;
            if (unbiased > kDoubleBias) return std::bit_cast<double>(sign | kDoubleExpMask);
        }
        const auto biased = static_cast<std::uint64_t>(unbiased + kDoubleBias);
        return std::bit_cast<double>(sign | (biased << 52) | (kept & kFractionMask));
    }
    // Subnormal double: units of 2^-1074. The leading bit sits at 2^unbiased, so the units
    // are normalised / 2^(63 - (unbiased + 1074)).
    const int shift = 63 - (unbiased + 1074);
    if (shift > 64) return std::bit_cast<double>(sign); // below half the smallest subnormal
    // A carry up to 2^52 is the smallest normal double, which the same bit pattern encodes.
    return std::bit_cast<double>(sign | ShiftRightRounded(normalised, shift));
}
