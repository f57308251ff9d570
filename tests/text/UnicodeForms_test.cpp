#include "text/UnicodeForms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<char32_t> Utf8CodePoints(std::string_view s)
{
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < s.size();)
        points.push_back(NextUtf8(s, i));
    return points;
}

TEST(UnicodeForms, Utf8IsReadByItsWellFormedRangesAndEachBrokenPartCountsOnce)
{
    constexpr char32_t bad = kIllFormed;
    EXPECT_EQ(Utf8CodePoints("a\xC2\xA5\xE3\x81\x82\xF0\xA0\xAE\xB7\xF4\x8F\xBF\xBF"),
              (std::vector<char32_t>{'a', 0xA5, 0x3042, 0x20BB7, 0x10FFFF}));
    // Overlong forms, surrogates, code points past U+10FFFF and bytes that start nothing.
    EXPECT_EQ(Utf8CodePoints("\xC0\xAF"), (std::vector<char32_t>{bad, bad}));
    EXPECT_EQ(Utf8CodePoints("\xE0\x80\x80"), (std::vector<char32_t>{bad, bad, bad}));
    EXPECT_EQ(Utf8CodePoints("\xED\xA0\x80"), (std::vector<char32_t>{bad, bad, bad}));
    EXPECT_EQ(Utf8CodePoints("\xF4\x90\x80\x80"), (std::vector<char32_t>{bad, bad, bad, bad}));
    EXPECT_EQ(Utf8CodePoints("\xF5\xFF\x80"), (std::vector<char32_t>{bad, bad, bad}));
    // A cut sequence is one broken part, and what follows it is read on its own.
    EXPECT_EQ(Utf8CodePoints("\xE3\x81" "a"), (std::vector<char32_t>{bad, 'a'}));
    EXPECT_EQ(Utf8CodePoints("\xF0\xA0\xAE"), (std::vector<char32_t>{bad}));
}

TEST(UnicodeForms, Utf16PairsJoinAndLoneSurrogatesStayThemselves)
{
    const std::u16string text = u"a\U00020BB7"s + char16_t{0xD842} + u"b" + char16_t{0xDFB7} +
                                char16_t{0xD842};
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();)
        points.push_back(NextUtf16(text, i));
    EXPECT_EQ(points, (std::vector<char32_t>{'a', 0x20BB7, 0xD842, 'b', 0xDFB7, 0xD842}));
}

TEST(UnicodeForms, Utf8OfEachLengthOfTheBasicPlane)
{
    std::string out;
    for (const char16_t c : {u'A', u'\u00E9', u'\u07FF', u'\u0800', u'\u3042', u'\uFFFD'})
        AppendUtf8(out, c);
    EXPECT_EQ(out, "A\xC3\xA9\xDF\xBF\xE0\xA0\x80\xE3\x81\x82\xEF\xBF\xBD");
}

}  // namespace
