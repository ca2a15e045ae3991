#pragma once
// The 80-bit x87 extended real as stored in streams: 64-bit mantissa with an explicit integer
// bit (bytes 0..7), then 15-bit exponent and sign (bytes 8..9), little-endian.

// Exact: every double has an extended twin (double subnormals become normal extended values).
// NaN payloads are kept.
void DoubleToExtended(double value, unsigned char out[10]);

// Rounded to nearest, ties to even, also into the double subnormal range; too large values
// become infinities. Encodings the x87 rejects (unnormals, pseudo-infinities and pseudo-NaNs)
// read as NaN, as they do on the hardware; pseudo-denormals keep their value.
double ExtendedToDouble(const unsigned char in[10]);
