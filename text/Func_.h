// Shift-JIS (code page 932) byte-string routines shared by the file writers and the window.
// Every length, position and limit counts bytes; nothing here converts the encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when an index lies outside an array or an integer operation overflows.
class EJwwRangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A byte opens a two-byte character exactly when it is 0x80..0x9F or 0xE0..0xFD.
inline bool IsSjisLeadByte(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// A fixed-capacity character array as the writers fill it.
struct TCharArray {
    char* Data;
    std::size_t Capacity;
};

// Copies min(n, source length) bytes into the array; the rest stays as it was. When those
// bytes would not fit, raises EJwwRangeError and writes nothing.
void StrToChars(TCharArray dest, std::string_view source, int n);

// Sets elements 0 .. n-1 to the fill byte; n <= 0 does nothing. When n exceeds the capacity,
// raises EJwwRangeError and writes nothing.
void FillChars(TCharArray dest, char fill, int n);

// The whole characters of s lying within bytes p .. p+c-1 (1-based), aligned from the start of s.
std::string SjisCopy(std::string_view s, int p, int c);

// n spaces; the empty string when n <= 0.
std::string SpaceStr(int n);

// Decimal or hexadecimal ($, x, X, 0x, 0X) 32-bit integer; 0 for anything else.
int32_t StrToIntZero(std::string_view text);

// Decimal number with an optional exponent, full stop as decimal point; 0.0 for anything else.
double StrToFloatZero(std::string_view text);

// Drops control bytes and caret-m pairs outside double-byte characters; a non-empty text
// that loses everything becomes a single space.
std::string StripControlChars(std::string_view s);
