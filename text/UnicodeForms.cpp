#include "text/UnicodeForms.h"

namespace {

bool IsContinuation(unsigned char b, unsigned char low = 0x80, unsigned char high = 0xBF)
{
    return b >= low && b <= high;
}

}  // namespace

char32_t NextUtf8(std::string_view s, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    int trailCount;
    char32_t c;
    // The second byte's range excludes overlong forms, surrogates and code points past
    // U+10FFFF, so an ill-formed sequence is known from its first two bytes.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailCount = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailCount = 2;
        c = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailCount = 3;
        c = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return kIllFormed;
    }
    for (int k = 0; k < trailCount; ++k) {
        if (i == s.size() || !IsContinuation(static_cast<unsigned char>(s[i]), low, high))
            return kIllFormed;
        c = c << 6 | (static_cast<unsigned char>(s[i++]) & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return c;
}

char32_t NextUtf16(std::u16string_view s, std::size_t& i)
{
    const char16_t first = s[i++];
    if (first < 0xD800 || first > 0xDBFF || i == s.size())
        return first;
    const char16_t second = s[i];
    if (second < 0xDC00 || second > 0xDFFF)
        return first;
    ++i;
    return 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (second - 0xDC00);
}

void AppendUtf8(std::string& out, char16_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}
