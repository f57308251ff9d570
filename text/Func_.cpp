#include "text/Func_.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

#include "text/CLocaleNumber.h"

void StrToChars(TCharArray dest, std::string_view source, int n)
{
    const std::size_t count = n <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(n), source.size());
    if (count > dest.Capacity)
        throw EJwwRangeError("character array index " + std::to_string(dest.Capacity) + " out of range");
    for (std::size_t i = 0; i < count; ++i)
        dest.Data[i] = source[i];
}

void FillChars(TCharArray dest, char fill, int n)
{
    if (n <= 0)
        return;
    if (static_cast<std::size_t>(n) > dest.Capacity)
        throw EJwwRangeError("character array index " + std::to_string(dest.Capacity) + " out of range");
    for (int i = 0; i < n; ++i)
        dest.Data[i] = fill;
}

std::string SjisCopy(std::string_view s, int p, int c)
{
    const auto length = static_cast<int64_t>(s.size());
    if (s.empty() || p < 1 || p > length || c <= 0)
        return {};
    const int64_t last = static_cast<int64_t>(p) + c - 1;
    std::string out;
    // Walk from the start so that pairs stay aligned whatever p is; nothing past the last
    // position can be taken, so the walk stops there.
    for (int64_t i = 1; i <= length && i <= last;) {
        const auto b = static_cast<unsigned char>(s[i - 1]);
        if (IsSjisLeadByte(b)) {
            if (i >= p && i + 1 <= last)
                out.append(s.substr(i - 1, 2));  // one byte when the lead byte is last
            i += 2;
        } else {
            if (i >= p && i <= last)
                out.push_back(static_cast<char>(b));
            i += 1;
        }
    }
    return out;
}

std::string SpaceStr(int n)
{
    return n <= 0 ? std::string() : std::string(static_cast<std::size_t>(n), ' ');
}

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view SkipLeadingSpaces(std::string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    return t.substr(i);
}

}  // namespace

int32_t StrToIntZero(std::string_view text)
{
    std::string_view t = SkipLeadingSpaces(text);
    if (t.empty())
        return 0;

    std::size_t hexStart = 0;
    if (t[0] == '$' || t[0] == 'x' || t[0] == 'X')
        hexStart = 1;
    else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        hexStart = 2;
    if (hexStart > 0) {
        std::string_view digits = t.substr(hexStart);
        if (digits.empty())
            return 0;
        uint64_t value = 0;
        for (char c : digits) {
            const int d = HexDigitValue(c);
            if (d < 0)
                return 0;
            value = value * 16 + static_cast<uint64_t>(d);
            if (value > 0xFFFFFFFFu)
                return 0;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }

    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty())
        return 0;
    int64_t value = 0;
    for (char c : t) {
        if (!IsDigit(c))
            return 0;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL)
            return 0;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return 0;
    return static_cast<int32_t>(value);
}

double StrToFloatZero(std::string_view text)
{
    std::string_view t = SkipLeadingSpaces(text);
    if (t.empty())
        return 0.0;
    // Check the grammar first, then let from_chars round: it never looks at the locale.
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-')
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return 0.0;
    }
    if (i != t.size())
        return 0.0;
    if (t[0] == '+')
        t.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it overflows or underflows; the C locale's
        // strtod gives the rounded infinity or zero.
        return StrToDoubleInCLocale(std::string(t));
    }
    return value;
}

std::string StripControlChars(std::string_view s)
{
    if (s.empty())
        return {};
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (IsSjisLeadByte(b)) {
            out.append(s.substr(i, 2));
            i += 2;
        } else if (b == '^' && i + 1 < s.size() && s[i + 1] == 'm') {
            i += 2;
        } else {
            if (b >= 0x20)
                out.push_back(static_cast<char>(b));
            i += 1;
        }
    }
    return out.empty() ? std::string(" ") : out;
}
