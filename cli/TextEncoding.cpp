#include "cli/TextEncoding.h"

#include <cstdio>

#include "cli/CliText.h"
#include "text/Cp932.h"
#include "text/Func_.h"

namespace {

// The length of the UTF-8 sequence a byte starts, or 0 for a byte that starts none.
std::size_t Utf8SequenceLength(unsigned char b)
{
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

char32_t CodePointAt(std::string_view text, std::size_t i, std::size_t length)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return c;
}

// The East Asian wide and full-width characters, which a terminal shows in two columns.
bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::string HexByte(unsigned char b)
{
    char text[5];
    std::snprintf(text, sizeof text, "\\x%02X", b);
    return text;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        const char32_t c = CodePointAt(text, i, length);
        const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
        if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

std::optional<std::string> Cp932InEncoding(std::string_view cp932, TTextEncoding encoding)
{
    if (encoding == TTextEncoding::Cp932)
        return std::string(cp932);
    return Cp932ToUtf8(cp932);
}

std::optional<std::string> Cp932FromEncoding(std::string_view text, TTextEncoding encoding)
{
    if (encoding == TTextEncoding::Cp932)
        return std::string(text);
    bool lossy = false;
    std::string cp932 = Utf8ToCp932(text, &lossy);
    if (lossy)
        return std::nullopt;
    return cp932;
}

std::string FirstCharacterWithoutCp932(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (length == 0 || i + length > utf8.size())
            length = 1;
        const std::string_view character = utf8.substr(i, length);
        bool lossy = false;
        Utf8ToCp932(character, &lossy);
        if (lossy) {
            if (!IsValidUtf8(character))
                return CliText<"EditsNotUtf8Byte">(
                    HexByte(static_cast<unsigned char>(character[0])));
            char codePoint[16];
            std::snprintf(codePoint, sizeof codePoint, "U+%04X",
                          static_cast<unsigned>(CodePointAt(utf8, i, length)));
            std::string described = "\"";
            described.append(character).append("\" (").append(codePoint).append(")");
            return described;
        }
        i += length;
    }
    return {};
}

std::string ReadableText(std::string_view cp932)
{
    if (std::optional<std::string> utf8 = Cp932ToUtf8(cp932))
        return *utf8;
    std::string readable;
    for (std::size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (IsSjisLeadByte(b) && i + 1 < cp932.size()) {
            if (std::optional<std::string> pair = Cp932ToUtf8(cp932.substr(i, 2))) {
                readable += *pair;
                i += 2;
                continue;
            }
        }
        if (std::optional<std::string> single = Cp932ToUtf8(cp932.substr(i, 1)))
            readable += *single;
        else
            readable += HexByte(b);
        ++i;
    }
    return readable;
}

std::size_t TerminalWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (length == 0 || i + length > utf8.size() || !IsValidUtf8(utf8.substr(i, length)))
            length = 1;
        width += length > 1 && IsWide(CodePointAt(utf8, i, length)) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string OneLine(std::string_view utf8)
{
    std::string line;
    for (const char c : utf8) {
        if (c == '\r')
            line += "\\r";
        else if (c == '\n')
            line += "\\n";
        else if (c == '\t')
            line += "\\t";
        else if (static_cast<unsigned char>(c) < 0x20)
            line += HexByte(static_cast<unsigned char>(c));
        else
            line.push_back(c);
    }
    return line;
}
