// Code page 932 as Windows converts it.
//
// The system's converter is read once into flat arrays, with the ASCII range kept as itself
// and the five single bytes that Windows maps on its own added: ICU's windows-31j converter
// (ibm-943_P15A-2003) carries the Windows table but swaps the control codes 0x1A, 0x1C and
// 0x7F the IBM way and lacks those five bytes, and Wine's code page 932 lacks 0xA0 and 0xFD to
// 0xFF. Every conversion after that is one lookup per character and never touches a
// converter.
//
// Many-to-one: 398 byte sequences share their character with another sequence, and Unicode
// text always goes back to the one Windows prefers:
// - NEC row 13 duplicates of JIS symbols (87 90 ≒, 87 91 ≡, 87 92 ∫, 87 95 √, 87 96 ⊥,
//   87 97 ∠, 87 9A ∵, 87 9B ∩, 87 9C ∪) go back to row 2 (81 E0, 81 DF, ...);
// - the NEC-selected IBM extensions ED 40 .. EE FC go back to the IBM extensions FA 40 ..
//   FC 4B, or to row 2 for EE F9 ¬;
// - the IBM extensions FA 4A .. FA 53 (Ⅰ..Ⅹ), FA 58 ㈱, FA 59 №, FA 5A ℡ go back to NEC row
//   13, and FA 54 ¬ and FA 5B ∵ to row 2.
// Every other valid sequence converts to Unicode and back to the same bytes.
//
// Characters that Windows would only approximate ("best fit", e.g. U+00A5 YEN SIGN to 5C or
// U+301C WAVE DASH to 81 60) are not held by code page 932 and are replaced.
#include "text/Cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/Cp932System.h"
#include "text/UnicodeForms.h"

namespace {

constexpr char kReplacement = '?';

// Windows' lead bytes for code page 932; these differ from the drawing text walk, which also
// pairs 0x80 and 0xFD, because here the question is what Windows would convert.
bool IsCp932LeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsCp932TrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

constexpr std::size_t kLeadByteCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

std::size_t LeadIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + (0x9F - 0x81 + 1);
}

struct TWindowsSingleByte {
    unsigned char Byte;
    char16_t Char;
};

// Bytes that Windows converts although the published code page 932 table leaves them
// undefined; keeping them lets such bytes survive a trip through Unicode.
constexpr std::array<TWindowsSingleByte, 5> kWindowsSingleBytes{{
    {0x80, 0x0080},
    {0xA0, 0xF8F0},
    {0xFD, 0xF8F1},
    {0xFE, 0xF8F2},
    {0xFF, 0xF8F3},
}};

class TCp932Tables {
public:
    TCp932Tables();

    char16_t Single(unsigned char b) const { return SingleChars[b]; }
    char16_t Pair(unsigned char lead, unsigned char trail) const
    {
        return PairChars[LeadIndex(lead) * 256 + trail];
    }
    // One byte (below 0x100) or lead and trail byte (lead in the high byte); kNoBytes when
    // code page 932 cannot hold the character.
    uint16_t Encoded(char16_t c) const { return EncodedChars[c]; }

private:
    void Add(uint16_t bytes, char16_t c, bool preferred);

    std::array<char16_t, 256> SingleChars;
    std::array<char16_t, kLeadByteCount * 256> PairChars;
    std::array<uint16_t, 0x10000> EncodedChars;
};

TCp932Tables::TCp932Tables()
{
    SingleChars.fill(kNoChar);
    PairChars.fill(kNoChar);
    EncodedChars.fill(kNoBytes);
    const TCp932System converter;

    // ASCII never reaches the tables: the conversions pass it through as itself.
    for (unsigned b = 0x80; b < 0x100; ++b) {
        if (IsCp932LeadByte(static_cast<unsigned char>(b)))
            continue;
        const char byte = static_cast<char>(b);
        const char16_t c = converter.Decode(&byte, 1);
        if (c != kNoChar)
            Add(static_cast<uint16_t>(b), c, true);
    }
    for (const TWindowsSingleByte& single : kWindowsSingleBytes)
        Add(single.Byte, single.Char, true);

    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsCp932TrailByte(static_cast<unsigned char>(trail)))
                continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t c = converter.Decode(pair, 2);
            if (c == kNoChar)
                continue;
            const auto bytes = static_cast<uint16_t>(lead << 8 | trail);
            Add(bytes, c, converter.Encode(c) == bytes);
        }
    }
}

void TCp932Tables::Add(uint16_t bytes, char16_t c, bool preferred)
{
    if (bytes < 0x100)
        SingleChars[bytes] = c;
    else
        PairChars[LeadIndex(static_cast<unsigned char>(bytes >> 8)) * 256 + (bytes & 0xFF)] = c;
    if (preferred)
        EncodedChars[c] = bytes;
}

const TCp932Tables& Cp932Tables()
{
    static const TCp932Tables tables;
    return tables;
}

bool IsAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Reads the character at s[i] and moves i past it. An invalid sequence gives kNoChar and
// moves past what belongs to it: a lead byte with a valid trail byte is one unmapped
// character, a lead byte followed by anything else stands alone.
char16_t DecodeNext(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    const TCp932Tables& tables = Cp932Tables();
    if (!IsCp932LeadByte(b))
        return tables.Single(b);
    if (i == s.size())
        return kNoChar;
    const auto trail = static_cast<unsigned char>(s[i]);
    if (!IsCp932TrailByte(trail))
        return kNoChar;
    ++i;
    return tables.Pair(b, trail);
}

void AppendCp932(std::string& out, char32_t c, bool* lossy)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        return;
    }
    const uint16_t bytes = c <= 0xFFFF ? Cp932Tables().Encoded(static_cast<char16_t>(c)) : kNoBytes;
    if (bytes == kNoBytes) {
        out.push_back(kReplacement);
        if (lossy)
            *lossy = true;
        return;
    }
    if (bytes >= 0x100)
        out.push_back(static_cast<char>(bytes >> 8));
    out.push_back(static_cast<char>(bytes & 0xFF));
}

// Nothing for a sequence that is not code page 932, unless it is to be replaced.
std::optional<std::string> Utf8Of(std::string_view cp932, bool replaceInvalid)
{
    if (IsAscii(cp932))
        return std::string(cp932);
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    for (std::size_t i = 0; i < cp932.size();) {
        char16_t c = DecodeNext(cp932, i);
        if (c == kNoChar) {
            if (!replaceInvalid)
                return std::nullopt;
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932)
{
    return Utf8Of(cp932, false);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932)
{
    return *Utf8Of(cp932, true);
}

std::optional<std::u16string> Cp932ToUtf16(std::string_view cp932)
{
    std::u16string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size();) {
        const char16_t c = DecodeNext(cp932, i);
        if (c == kNoChar)
            return std::nullopt;
        out.push_back(c);
    }
    return out;
}

std::u16string Cp932ToUtf16Lossy(std::string_view cp932)
{
    std::u16string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size();) {
        const char16_t c = DecodeNext(cp932, i);
        out.push_back(c == kNoChar ? char16_t{kReplacement} : c);
    }
    return out;
}

std::string Utf16ToCp932(std::u16string_view utf16, bool* lossy)
{
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size();)
        AppendCp932(out, NextUtf16(utf16, i), lossy);
    return out;
}

std::string Utf8ToCp932(std::string_view utf8, bool* lossy)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        AppendCp932(out, NextUtf8(utf8, i), lossy);
    return out;
}
