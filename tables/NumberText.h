// How the window reads numbers out of cell texts and writes them back as text. Reading is
// lenient: anything unreadable is 0, and the result is clamped into the column's range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// StrToIntZero of the text, raised to lo when below it, then lowered to hi when above it.
int32_t TextToIntClamped(std::string_view text, int32_t lo, int32_t hi);

// StrToFloatZero of the text, clamped the same way.
double TextToFloatClamped(std::string_view text, double lo, double hi);

// Signed decimal digits, a minus sign for negative values, no padding.
std::string DecimalText(int32_t value);

// Exactly eight upper-case hexadecimal digits of the 32-bit pattern (two's complement).
std::string Hex8Text(int32_t value);

// Up to 15 significant digits without trailing zeros or a trailing decimal point; fixed
// notation for 0 and for magnitudes from 0.0001 whose integer part has at most 15 digits,
// otherwise one digit, the other digits after a point, "E" and the exponent (1E-6, 1.5E20).
std::string GeneralNumberText(double value);
