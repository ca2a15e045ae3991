#include "Noise.h"

#include <cmath>

std::uint32_t TRandom::Next() {
    // xorshift32: small, fast and the same on every platform.
    fState ^= fState << 13;
    fState ^= fState >> 17;
    fState ^= fState << 5;
    return fState;
}

double TRandom::Uniform(double Low, double High) {
    return Low + (High - Low) * (Next() / 4294967296.0);
}

std::uint32_t SeedOf(const char* Name) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char* p = Name; *p; ++p) {
        hash ^= std::uint8_t(*p);
        hash *= 16777619u;
    }
    return hash;
}

TNoise::TNoise(std::uint32_t Seed) {
    TRandom random(Seed);
    for (int i = 0; i < 256; ++i) {
        fPerm[std::size_t(i)] = std::uint8_t(i);
        fValues[std::size_t(i)] = random.Uniform(0, 1);
    }
    for (int i = 255; i > 0; --i) {
        const int j = int(random.Next() % std::uint32_t(i + 1));
        std::swap(fPerm[std::size_t(i)], fPerm[std::size_t(j)]);
    }
    for (int i = 0; i < 256; ++i)
        fPerm[std::size_t(i + 256)] = fPerm[std::size_t(i)];
}

double TNoise::Lattice(int x, int y) const {
    const int index = fPerm[std::size_t((fPerm[std::size_t(x & 255)] + (y & 255)) & 511)];
    return fValues[std::size_t(index)];
}

double TNoise::At(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = x - fx, ty = y - fy;
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const double a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
    const double c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
    const double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

double TNoise::Fractal(double x, double y, int Octaves) const {
    double sum = 0, weight = 1, total = 0, frequency = 1;
    for (int i = 0; i < Octaves; ++i) {
        // Offset octaves so their lattices do not line up.
        sum += weight * At(x * frequency + i * 17.3, y * frequency + i * 31.7);
        total += weight;
        weight *= 0.5;
        frequency *= 2;
    }
    return sum / total;
}
