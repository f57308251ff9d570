// Fixed-width little-endian encodings of the JWW format.
// Every multi-byte number in a drawing is little-endian with no padding between fields.
#pragma once

#include <cstdint>
#include <cstring>

inline void EncodeFixed16(char* dst, uint16_t value)
{
    dst[0] = static_cast<char>(value & 0xFF);
    dst[1] = static_cast<char>(value >> 8);
}

inline void EncodeFixed32(char* dst, uint32_t value)
{
    dst[0] = static_cast<char>(value & 0xFF);
    dst[1] = static_cast<char>((value >> 8) & 0xFF);
    dst[2] = static_cast<char>((value >> 16) & 0xFF);
    dst[3] = static_cast<char>(value >> 24);
}

inline void EncodeFixed64(char* dst, uint64_t value)
{
    EncodeFixed32(dst, static_cast<uint32_t>(value));
    EncodeFixed32(dst + 4, static_cast<uint32_t>(value >> 32));
}

inline uint16_t DecodeFixed16(const char* src)
{
    const auto* p = reinterpret_cast<const unsigned char*>(src);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t DecodeFixed32(const char* src)
{
    const auto* p = reinterpret_cast<const unsigned char*>(src);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t DecodeFixed64(const char* src)
{
    return static_cast<uint64_t>(DecodeFixed32(src)) |
           (static_cast<uint64_t>(DecodeFixed32(src + 4)) << 32);
}

// Doubles travel as their bit pattern, so negative zero and NaN payloads survive unchanged.
inline uint64_t DoubleBits(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline double DoubleFromBits(uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
