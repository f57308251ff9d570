// Builds the bytes of JWW files in tests, so that tests describe their input instead of
// shipping opaque binary drawings. Encodes independently of the library's writers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TJwwBuilder {
public:
    TJwwBuilder& Byte(uint8_t value);
    TJwwBuilder& Word(uint16_t value);
    TJwwBuilder& Int(int32_t value);
    TJwwBuilder& UInt(uint32_t value);
    TJwwBuilder& Double(double value);
    TJwwBuilder& Raw(std::string_view bytes);
    TJwwBuilder& Zeros(std::size_t n);
    // A length-prefixed byte-form string.
    TJwwBuilder& String(std::string_view s);
    TJwwBuilder& Count(int32_t n);
    TJwwBuilder& NewClass(uint16_t schema, std::string_view name);
    TJwwBuilder& ClassRef(int32_t index);
    // A base record: group, pen style, pen colour, pen width (only when withWidth), layer,
    // layer group, flags.
    TJwwBuilder& Base(uint32_t group, uint8_t penStyle, uint16_t penColor, uint16_t penWidth,
                      uint16_t layer, uint16_t layerGroup, uint16_t flags, bool withWidth = true);

    const std::string& Bytes() const { return Data; }
    std::size_t Size() const { return Data.size(); }

private:
    std::string Data;
};

// Bytes given as hexadecimal pairs, spaces ignored: Hex("01 80") is the two bytes 0x01 0x80.
std::string Hex(std::string_view pairs);

// A fresh, empty folder for one test, ending in '/'. Removed by the next call with the same name.
std::string TestFolder(std::string_view name);

// Writes bytes to a file, replacing it.
void WriteFileBytes(const std::string& path, std::string_view bytes);
std::string ReadFileBytes(const std::string& path);

// The names of the files in a folder, sorted.
std::vector<std::string> FileNamesIn(const std::string& folder);
