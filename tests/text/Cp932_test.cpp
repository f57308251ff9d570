#include "text/Cp932.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

// Where code page 932 as Windows converts it differs from other Shift-JIS tables, or where a
// table read from an IBM source could go wrong.
TEST(Cp932, WindowsMappingsAndMixedTextBothWays)
{
    const std::pair<std::string, char16_t> mappings[] = {
        {"\x1A", 0x001A},     {"\x1C", 0x001C},     {"\x7F", 0x007F},     {"\x5C", 0x005C},
        {"\x7E", 0x007E},     {"\xA1", 0xFF61},     {"\xDF", 0xFF9F},     {"\x81\x5F", 0xFF3C},
        {"\x81\x60", 0xFF5E}, {"\x81\x61", 0x2225}, {"\x81\x7C", 0xFF0D}, {"\x81\x91", 0xFFE0},
        {"\x81\x92", 0xFFE1}, {"\x81\xCA", 0xFFE2}, {"\x82\xA0", 0x3042}, {"\x88\x9F", 0x4E9C},
        {"\x87\x40", 0x2460}, {"\x87\x54", 0x2160}, {"\x87\x8A", 0x3231}, {"\xFA\x40", 0x2170},
        {"\xFA\x55", 0xFFE4}, {"\xFC\x4B", 0x9ED1}, {"\xF0\x40", 0xE000}, {"\xF9\xFC", 0xE757},
        {"\x80", 0x0080},     {"\xA0", 0xF8F0},     {"\xFD", 0xF8F1},     {"\xFE", 0xF8F2},
        {"\xFF", 0xF8F3},
    };
    for (const auto& [bytes, unit] : mappings) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<int>(unit));
        EXPECT_EQ(Cp932ToUtf16(bytes), std::u16string(1, unit));
        bool lossy = false;
        EXPECT_EQ(Utf16ToCp932(std::u16string(1, unit), &lossy), bytes);
        EXPECT_FALSE(lossy);
    }

    const std::string cp932 = "A\x1A\x82\xA0\xB1\x81\x60\x87\x40\x7F" "z";
    const std::string utf8 = "A\x1A\xE3\x81\x82\xEF\xBD\xB1\xEF\xBD\x9E\xE2\x91\xA0\x7F" "z";
    bool lossy = false;
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(Utf8ToCp932(utf8, &lossy), cp932);
    EXPECT_EQ(Cp932ToUtf8("").value_or("x") + Utf16ToCp932(u"", &lossy) + Utf8ToCp932("", &lossy),
              "");
    EXPECT_EQ(Cp932ToUtf16("").value_or(u"x") + Cp932ToUtf16Lossy(""), u"");
    EXPECT_FALSE(lossy);
}

TEST(Cp932, EveryValidSequenceRoundTripsOrHasAPreferredTwin)
{
    int singles = 0;
    int pairs = 0;
    int twins = 0;
    for (int first = 0; first < 0x100; ++first) {
        for (int second = -1; second < (first >= 0x80 ? 0x100 : 0); ++second) {
            const std::string bytes = std::string(1, static_cast<char>(first)) +
                                      (second < 0 ? "" : std::string(1, static_cast<char>(second)));
            const std::optional<std::u16string> utf16 = Cp932ToUtf16(bytes);
            if (!utf16 || utf16->size() != 1)
                continue;
            ++(second < 0 ? singles : pairs);
            bool lossy = false;
            const std::string back = Utf16ToCp932(*utf16, &lossy);
            ASSERT_FALSE(lossy) << testing::PrintToString(bytes);
            if (back == bytes)
                continue;
            ++twins;
            EXPECT_EQ(Cp932ToUtf16(back), utf16) << testing::PrintToString(bytes);
            // Only the NEC-selected IBM rows and a few NEC row 13 characters have twins.
            EXPECT_TRUE(first == 0xED || first == 0xEE ||
                        (first == 0x87 && second >= 0x90 && second <= 0x9C) ||
                        (first == 0xFA && second >= 0x4A && second <= 0x5B))
                << testing::PrintToString(bytes);
        }
    }
    // 128 ASCII, 63 half-width katakana and the five bytes Windows adds; 7724 characters of
    // JIS X 0208 and the NEC and IBM extensions, and 1880 user-defined characters.
    EXPECT_EQ(singles, 196);
    EXPECT_EQ(pairs, 7724 + 1880);
    EXPECT_EQ(twins, 398);
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xED\x40")), "\xFA\x5C");  // Windows prefers the IBM row
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xFA\x54")), "\x81\xCA");  // and JIS X 0208 over both
}

TEST(Cp932, EveryHeldCharacterComesBackUnchanged)
{
    int held = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const std::u16string utf16(1, static_cast<char16_t>(c));
        bool lossy = false;
        const std::string bytes = Utf16ToCp932(utf16, &lossy);
        if (lossy) {
            EXPECT_EQ(bytes, "?");
            continue;
        }
        ++held;
        ASSERT_EQ(Cp932ToUtf16(bytes), utf16) << "U+" << std::hex << static_cast<int>(c);
    }
    EXPECT_EQ(held, 196 + 7724 + 1880 - 398);
}

TEST(Cp932, WhatCannotConvertGivesNothingOrAQuestionMarkEach)
{
    for (const std::string& bytes : {"\x81"s, "abc\x81"s, "\x81\x20"s, "\x81\x7F"s, "\x81\xFD"s,
                                     "\x85\x40"s, "\x81\xAD"s, "\xEA\xA5"s, "\xFC\x4C"s,
                                     "ok\x82\xA0\xEB\x40"s}) {
        EXPECT_EQ(Cp932ToUtf16(bytes), std::nullopt) << testing::PrintToString(bytes);
        EXPECT_EQ(Cp932ToUtf8(bytes), std::nullopt) << testing::PrintToString(bytes);
    }
    EXPECT_EQ(Cp932ToUtf16Lossy("\x81"), u"?");
    EXPECT_EQ(Cp932ToUtf16Lossy("A\x81\x20" "B"), u"A? B");
    EXPECT_EQ(Cp932ToUtf16Lossy("\x85\x40\x82\xA0"), u"?\u3042");
    EXPECT_EQ(Cp932ToUtf16Lossy("\x81\x0D"), u"?\r");
    EXPECT_EQ(Cp932ToUtf16Lossy("ok\x81\x60"), u"ok\uFF5E");
    EXPECT_EQ(Cp932ToUtf8Lossy("A\x81\x20" "B"), "A? B");
    EXPECT_EQ(Cp932ToUtf8Lossy("\x85\x40\x82\xA0"), "?\xE3\x81\x82");

    // Characters that code page 932 cannot hold, unpaired surrogates and broken UTF-8.
    bool lossy = false;
    const std::u16string unheld =
        u"A\u00A5B\u301C\u2016\u2212a\U00020BB7b"s + char16_t{0xD842} + u"y" + char16_t{0xDFB7};
    EXPECT_EQ(Utf16ToCp932(unheld, &lossy), "A?B???a?b?y?");
    EXPECT_TRUE(lossy);
    const std::pair<std::string, std::string> fromUtf8[] = {
        {"a\xF0\xA0\xAE\xB7" "b\xC2\xA5", "a?b?"}, {"\xE3\x81\x82\xC3", "\x82\xA0?"},
        {"\xED\xA0\x80" "a", "???a"}};
    for (const auto& [utf8, bytes] : fromUtf8) {
        lossy = false;
        EXPECT_EQ(Utf8ToCp932(utf8, &lossy), bytes);
        EXPECT_TRUE(lossy) << bytes;
    }
    // A set flag is never cleared, and no flag is needed.
    EXPECT_EQ(Utf16ToCp932(u"\u3042", &lossy), "\x82\xA0");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(Utf16ToCp932(u"\u00A5"), "?");
}

}  // namespace
