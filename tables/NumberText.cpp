#include "tables/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text/Func_.h"

int32_t TextToIntClamped(std::string_view text, int32_t lo, int32_t hi)
{
    int32_t value = StrToIntZero(text);
    if (value < lo)
        value = lo;
    if (value > hi)
        value = hi;
    return value;
}

double TextToFloatClamped(std::string_view text, double lo, double hi)
{
    double value = StrToFloatZero(text);
    if (value < lo)
        value = lo;
    if (value > hi)
        value = hi;
    return value;
}

std::string DecimalText(int32_t value)
{
    return std::to_string(value);
}

std::string Hex8Text(int32_t value)
{
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<uint32_t>(value));
    return digits;
}

namespace {

constexpr int SignificantDigits = 15;

// The value rounded to 15 significant digits: its digits without trailing zeros and the
// decimal exponent of the first one (value = d.ddd x 10^exponent).
struct TRoundedDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

TRoundedDecimal RoundToSignificantDigits(double value)
{
    // "-d.dddddddddddddde+ddd": the rounding to 15 digits is the C library's, correctly
    // rounded, and the exponent it reports already reflects a carry such as 9.99...9 -> 10.
    char text[32];
    std::snprintf(text, sizeof text, "%.*e", SignificantDigits - 1, value);
    TRoundedDecimal rounded;
    const char* p = text;
    if (*p == '-') {
        rounded.Negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p)
        if (*p != '.')
            rounded.Digits.push_back(*p);
    rounded.Exponent = std::atoi(p + 1);
    while (rounded.Digits.size() > 1 && rounded.Digits.back() == '0')
        rounded.Digits.pop_back();
    return rounded;
}

std::string FixedNotation(const TRoundedDecimal& d)
{
    if (d.Exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.Exponent - 1), '0') + d.Digits;
    const std::size_t integerDigits = static_cast<std::size_t>(d.Exponent) + 1;
    if (d.Digits.size() <= integerDigits)
        return d.Digits + std::string(integerDigits - d.Digits.size(), '0');
    return d.Digits.substr(0, integerDigits) + "." + d.Digits.substr(integerDigits);
}

std::string ScientificNotation(const TRoundedDecimal& d)
{
    std::string text = d.Digits.substr(0, 1);
    if (d.Digits.size() > 1)
        text.append(".").append(d.Digits, 1);
    return text.append("E").append(std::to_string(d.Exponent));
}

}  // namespace

std::string GeneralNumberText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";
    const TRoundedDecimal rounded = RoundToSignificantDigits(value);
    const bool fixed = rounded.Exponent >= -4 && rounded.Exponent < SignificantDigits;
    const std::string text = fixed ? FixedNotation(rounded) : ScientificNotation(rounded);
    return rounded.Negative ? "-" + text : text;
}
