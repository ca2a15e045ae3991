#pragma once
// Locale-independent number helpers.

#include <QString>

#include <cmath>
#include <cstdint>

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), independent of
// the floating-point environment. Used wherever model values become integer device coordinates.
inline double RoundTiesEven(double value) {
    double r = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) r = 2.0 * std::round(value / 2.0);
    return r;
}

inline std::int64_t RoundTiesEvenToInt(double value) {
    return static_cast<std::int64_t>(RoundTiesEven(value));
}

// Fixed-point text with `decimals` places and the given separator, no grouping
// (FormatFixed(80, 2, ',') == "80,00").
QString FormatFixed(double value, int decimals, QChar separator);

// Shortest general form with up to 15 significant digits and the given separator: no
// trailing zeros, exponent form only for very large or small values (1.5, 1E-5, 1,25).
QString FormatGeneral(double value, QChar separator);

// A real written with "." or "," as decimal separator (surrounding blanks allowed, no grouping).
// Returns false and leaves `value` unchanged when the text is not a number.
bool ParseReal(const QString& text, double& value);
// Only the given separator is accepted as decimal separator.
bool ParseReal(const QString& text, QChar separator, double& value);
// A decimal integer (optional sign, surrounding blanks allowed).
bool ParseInteger(const QString& text, std::int64_t& value);
