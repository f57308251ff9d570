#include "text/Cp932.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct TKnownMapping {
    std::string Bytes;
    char16_t Char;
};

// Mappings where code page 932 as Windows converts it differs from other Shift-JIS tables,
// or where a table read from an IBM source could go wrong.
const std::vector<TKnownMapping> kWindowsMappings = {
    {"\x1A", 0x001A},     {"\x1C", 0x001C},     {"\x7F", 0x007F},     {"\x5C", 0x005C},
    {"\x7E", 0x007E},     {"\xA1", 0xFF61},     {"\xDF", 0xFF9F},     {"\x81\x5F", 0xFF3C},
    {"\x81\x60", 0xFF5E}, {"\x81\x61", 0x2225}, {"\x81\x7C", 0xFF0D}, {"\x81\x91", 0xFFE0},
    {"\x81\x92", 0xFFE1}, {"\x81\xCA", 0xFFE2}, {"\x82\xA0", 0x3042}, {"\x88\x9F", 0x4E9C},
    {"\x87\x40", 0x2460}, {"\x87\x54", 0x2160}, {"\x87\x8A", 0x3231}, {"\xFA\x40", 0x2170},
    {"\xFA\x55", 0xFFE4}, {"\xFC\x4B", 0x9ED1}, {"\xF0\x40", 0xE000}, {"\xF9\xFC", 0xE757},
    {"\x80", 0x0080},     {"\xA0", 0xF8F0},     {"\xFD", 0xF8F1},     {"\xFE", 0xF8F2},
    {"\xFF", 0xF8F3},
};

TEST(Cp932, WindowsMappingsBothWays)
{
    for (const TKnownMapping& m : kWindowsMappings) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<int>(m.Char));
        const std::u16string utf16(1, m.Char);
        EXPECT_EQ(Cp932ToUtf16(m.Bytes), utf16);
        bool lossy = false;
        EXPECT_EQ(Utf16ToCp932(utf16, &lossy), m.Bytes);
        EXPECT_FALSE(lossy);
    }
}

TEST(Cp932, Utf8FormsOfMixedText)
{
    const std::string cp932 = "A\x1A\x82\xA0\xB1\x81\x60\x87\x40\x7F" "z";
    const std::string utf8 = "A\x1A" "\xE3\x81\x82" "\xEF\xBD\xB1" "\xEF\xBD\x9E" "\xE2\x91\xA0" "\x7F" "z";
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
    bool lossy = false;
    EXPECT_EQ(Utf8ToCp932(utf8, &lossy), cp932);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(Cp932ToUtf8("plain ascii\x01\x7F"), "plain ascii\x01\x7F");
    EXPECT_EQ(Utf8ToCp932("plain ascii\x01\x7F"), "plain ascii\x01\x7F");
}

TEST(Cp932, EmptyStrings)
{
    EXPECT_EQ(Cp932ToUtf8(""), std::optional<std::string>(""));
    EXPECT_EQ(Cp932ToUtf16(""), std::optional<std::u16string>(u""));
    EXPECT_EQ(Cp932ToUtf16Lossy(""), u"");
    bool lossy = false;
    EXPECT_EQ(Utf16ToCp932(u"", &lossy), "");
    EXPECT_EQ(Utf8ToCp932("", &lossy), "");
    EXPECT_FALSE(lossy);
}

TEST(Cp932, EveryValidSequenceRoundTripsOrHasAPreferredTwin)
{
    std::vector<std::string> sequences;
    for (int b = 0; b < 0x100; ++b)
        sequences.emplace_back(1, static_cast<char>(b));
    for (int lead = 0x80; lead < 0x100; ++lead)
        for (int trail = 0; trail < 0x100; ++trail)
            sequences.push_back({static_cast<char>(lead), static_cast<char>(trail)});

    int validPairs = 0;
    int validSingles = 0;
    std::set<std::string> twins;
    for (const std::string& bytes : sequences) {
        const std::optional<std::u16string> utf16 = Cp932ToUtf16(bytes);
        if (!utf16 || utf16->size() != 1)
            continue;
        (bytes.size() == 1 ? validSingles : validPairs) += 1;
        bool lossy = false;
        const std::string back = Utf16ToCp932(*utf16, &lossy);
        ASSERT_FALSE(lossy) << testing::PrintToString(bytes);
        if (back != bytes) {
            EXPECT_EQ(Cp932ToUtf16(back), utf16) << testing::PrintToString(bytes);
            twins.insert(bytes);
        }
    }
    // 128 ASCII, 63 half-width katakana and the five bytes Windows adds; 7724 characters of
    // JIS X 0208 and the NEC and IBM extensions, and 1880 user-defined characters.
    EXPECT_EQ(validSingles, 196);
    EXPECT_EQ(validPairs, 7724 + 1880);
    EXPECT_EQ(twins.size(), 398u);
    for (const std::string& twin : twins) {
        const auto lead = static_cast<unsigned char>(twin[0]);
        const auto trail = static_cast<unsigned char>(twin[1]);
        const bool expected = lead == 0xED || lead == 0xEE || (lead == 0x87 && trail >= 0x90 && trail <= 0x9C) ||
                              (lead == 0xFA && trail >= 0x4A && trail <= 0x5B);
        EXPECT_TRUE(expected) << testing::PrintToString(twin);
    }
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xED\x40")), "\xFA\x5C");
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xEE\xEF")), "\xFA\x40");
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xEE\xF9")), "\x81\xCA");
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\x87\x90")), "\x81\xE0");
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xFA\x54")), "\x81\xCA");
    EXPECT_EQ(Utf16ToCp932(*Cp932ToUtf16("\xFA\x58")), "\x87\x8A");
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

TEST(Cp932, InvalidBytesGiveNothing)
{
    for (const std::string& bytes : {"\x81"s, "abc\x81"s, "\x81\x20"s, "\x81\x7F"s, "\x81\xFD"s, "\x85\x40"s,
                                     "\x81\xAD"s, "\xEA\xA5"s, "\xFC\x4C"s, "ok\x82\xA0\xEB\x40"s}) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(Cp932ToUtf16(bytes), std::nullopt);
        EXPECT_EQ(Cp932ToUtf8(bytes), std::nullopt);
    }
}

TEST(Cp932, LossyDecodingMarksEachBadSequence)
{
    EXPECT_EQ(Cp932ToUtf16Lossy("\x81"), u"?");
    EXPECT_EQ(Cp932ToUtf16Lossy("A\x81\x20" "B"), u"A? B");
    EXPECT_EQ(Cp932ToUtf16Lossy("\x85\x40\x82\xA0"), u"?\u3042");
    EXPECT_EQ(Cp932ToUtf16Lossy("\x81\x0D"), u"?\r");
    EXPECT_EQ(Cp932ToUtf16Lossy("ok\x81\x60"), u"ok\uFF5E");
}

TEST(Cp932, CharactersCp932CannotHoldBecomeQuestionMarks)
{
    bool lossy = false;
    EXPECT_EQ(Utf16ToCp932(u"A\u00A5B", &lossy), "A?B");
    EXPECT_TRUE(lossy);

    lossy = false;
    EXPECT_EQ(Utf16ToCp932(u"\u301C\u2016\u2212", &lossy), "???");
    EXPECT_TRUE(lossy);

    lossy = false;
    EXPECT_EQ(Utf16ToCp932(u"a\U00020BB7b", &lossy), "a?b");
    EXPECT_TRUE(lossy);

    lossy = false;
    EXPECT_EQ(Utf16ToCp932(u"x"s + char16_t{0xD842} + u"y" + char16_t{0xDFB7}, &lossy), "x?y?");
    EXPECT_TRUE(lossy);

    lossy = false;
    EXPECT_EQ(Utf8ToCp932("a\xF0\xA0\xAE\xB7" "b", &lossy), "a?b");
    EXPECT_TRUE(lossy);

    lossy = false;
    EXPECT_EQ(Utf8ToCp932("\xE3\x81\x82\xC3", &lossy), "\x82\xA0?");
    EXPECT_TRUE(lossy);

    lossy = false;
    EXPECT_EQ(Utf8ToCp932("\xED\xA0\x80" "a", &lossy), "???a");
    EXPECT_TRUE(lossy);

    // A set flag is never cleared, and no flag is needed.
    lossy = true;
    EXPECT_EQ(Utf16ToCp932(u"\u3042", &lossy), "\x82\xA0");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(Utf16ToCp932(u"\u00A5"), "?");
    EXPECT_EQ(Utf8ToCp932("\xC2\xA5"), "?");
}

}  // namespace
