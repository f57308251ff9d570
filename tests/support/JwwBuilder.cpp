#include "tests/support/JwwBuilder.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "jww/system_files.h"

TJwwBuilder& TJwwBuilder::Byte(uint8_t value)
{
    Data.push_back(static_cast<char>(value));
    return *this;
}

TJwwBuilder& TJwwBuilder::Word(uint16_t value)
{
    Byte(value & 0xFF);
    return Byte(value >> 8);
}

TJwwBuilder& TJwwBuilder::UInt(uint32_t value)
{
    Word(value & 0xFFFF);
    return Word(value >> 16);
}

TJwwBuilder& TJwwBuilder::Int(int32_t value)
{
    return UInt(static_cast<uint32_t>(value));
}

TJwwBuilder& TJwwBuilder::Double(double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    UInt(static_cast<uint32_t>(bits));
    return UInt(static_cast<uint32_t>(bits >> 32));
}

TJwwBuilder& TJwwBuilder::Raw(std::string_view bytes)
{
    Data.append(bytes);
    return *this;
}

TJwwBuilder& TJwwBuilder::Zeros(std::size_t n)
{
    Data.append(n, '\0');
    return *this;
}

TJwwBuilder& TJwwBuilder::String(std::string_view s)
{
    if (s.size() <= 254) {
        Byte(static_cast<uint8_t>(s.size()));
    } else if (s.size() <= 0xFFFD) {
        Byte(0xFF).Word(static_cast<uint16_t>(s.size()));
    } else {
        Byte(0xFF).Word(0xFFFF).UInt(static_cast<uint32_t>(s.size()));
    }
    return Raw(s);
}

TJwwBuilder& TJwwBuilder::Count(int32_t n)
{
    if (n >= 0 && n < 0xFFFF)
        return Word(static_cast<uint16_t>(n));
    return Word(0xFFFF).Int(n);
}

TJwwBuilder& TJwwBuilder::NewClass(uint16_t schema, std::string_view name)
{
    return Word(0xFFFF).Word(schema).Word(static_cast<uint16_t>(name.size())).Raw(name);
}

TJwwBuilder& TJwwBuilder::ClassRef(int32_t index)
{
    if (index < 0x7FFF)
        return Word(static_cast<uint16_t>(0x8000 + index));
    return Word(0x7FFF).UInt(0x80000000u | static_cast<uint32_t>(index));
}

TJwwBuilder& TJwwBuilder::Base(uint32_t group, uint8_t penStyle, uint16_t penColor,
                               uint16_t penWidth, uint16_t layer, uint16_t layerGroup,
                               uint16_t flags, bool withWidth)
{
    UInt(group).Byte(penStyle).Word(penColor);
    if (withWidth)
        Word(penWidth);
    return Word(layer).Word(layerGroup).Word(flags);
}

std::string Hex(std::string_view pairs)
{
    std::string digits;
    for (char c : pairs) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

std::string TestFolder(std::string_view name)
{
    const char* base = std::getenv("ZELVANE_TEST_TMP");
    std::filesystem::path root = base ? base : std::filesystem::temp_directory_path() / "zelvane-tests";
    const auto folder = root / std::string(name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // With '/' throughout on Windows too, so that tests can append names with '/'.
    return Utf8Path(std::filesystem::path(folder.generic_wstring())) + "/";
}

void WriteFileBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write test file " + path);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test file " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FileNamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder)))
        names.push_back(Utf8Path(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}
