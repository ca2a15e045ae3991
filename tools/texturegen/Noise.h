#pragma once
// Smooth value noise on a lattice, seeded, so every run draws the same pictures.

#include <array>
#include <cstdint>

class TNoise {
public:
    explicit TNoise(std::uint32_t Seed);
    // 0..1, continuous in x and y, one feature per lattice unit.
    double At(double x, double y) const;
    // Octaves of At, each with twice the frequency and half the weight; 0..1.
    double Fractal(double x, double y, int Octaves) const;

private:
    double Lattice(int x, int y) const;

    std::array<std::uint8_t, 512> fPerm{};
    std::array<double, 256> fValues{};
};

// Deterministic pseudo-random numbers for placing knots, cells and streaks.
class TRandom {
public:
    explicit TRandom(std::uint32_t Seed) : fState(Seed ? Seed : 0x9E3779B9u) {}
    std::uint32_t Next();
    // In [Low, High).
    double Uniform(double Low, double High);

private:
    std::uint32_t fState;
};

// A seed from a file name, so each picture has its own grain.
std::uint32_t SeedOf(const char* Name);
