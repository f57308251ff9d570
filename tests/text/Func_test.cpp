#include "text/Func_.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace {

using namespace std::string_literals;

TEST(SjisCopy, TakesWholeCharactersWithinTheByteRange)
{
    // Both ends of both lead-byte ranges are inclusive.
    for (int b : {0x80, 0x9F, 0xE0, 0xFD})
        EXPECT_TRUE(IsSjisLeadByte(b)) << b;
    for (int b : {0x00, 0x7F, 0xA0, 0xDF, 0xFE, 0xFF})
        EXPECT_FALSE(IsSjisLeadByte(b)) << b;
    const std::string pairs = "\x82\xA0\x82\xA2\x82\xA4\x82\xA6";
    const std::tuple<std::string, int, int, std::string> cases[] = {
        {std::string(300, 'a'), 1, 256, std::string(256, 'a')},
        {std::string(255, 'b') + "\x82\xA0", 1, 256, std::string(255, 'b')},  // pair ends at 257
        {pairs, 1, 8, pairs}, {pairs, 1, 7, pairs.substr(0, 6)}, {pairs, 3, 4, pairs.substr(2, 4)},
        // A start on a second byte skips its pair.
        {"\x88\x9F" "ab", 2, 3, "ab"}, {"ab\x88\x9F" "cd", 2, 2, "b"}, {"abc", 2, 100, "bc"},
        // 0x80 and 0xFD take any next byte as their pair; 0xFE and 0xFF stand alone.
        {"\x80" "ab", 1, 2, "\x80" "a"}, {"\x80" "ab", 1, 1, ""}, {"\xFD\x0A" "c", 2, 2, "c"},
        {"\xFD\x0A" "c", 1, 3, "\xFD\x0A" "c"}, {"\xFE\xFF" "a", 1, 1, "\xFE"}, {"\xFE\xFF" "a", 2, 2, "\xFF" "a"},
        // A lead byte in the last position ends one past the string.
        {"ab\x81", 1, 3, "ab"}, {"ab\x81", 1, 4, "ab\x81"}, {"ab\x81", 3, 2, "\x81"}, {"ab\x81", 3, 1, ""},
        // Only what lies inside the text is taken.
        {"abc", 0, 2, ""}, {"abc", -5, 2, ""}, {"abc", 4, 2, ""}, {"abc", 1, 0, ""}, {"abc", 1, -1, ""},
        {"", 1, 5, ""}, {"abc", 3, 2147483647, "c"}, {"abc", 2147483647, 2147483647, ""},
    };
    for (const auto& [text, p, c, copy] : cases)
        EXPECT_EQ(SjisCopy(text, p, c), copy) << text.size() << " " << p << " " << c;
}

TEST(StripControlChars, DropsControlBytesAndCaretMOutsidePairs)
{
    const std::pair<std::string, std::string> cases[] = {
        {"ab^mcd", "abcd"}, {"ab^Mcd", "ab^Mcd"}, {"ab^", "ab^"}, {"a\tb\x1F" "c", "abc"},
        {"a\0b"s, "ab"}, {"\xFE\x0A", "\xFE"}, {"\x7F\xFE\xFF", "\x7F\xFE\xFF"}, {"", ""},
        {"\r\n", " "}, {"^m", " "},  // a text that loses everything becomes one space
        {"\x82\x0D", "\x82\x0D"}, {"\x80\x0A", "\x80\x0A"}, {"\xFD\x00"s, "\xFD\x00"s},
        {"\x81^m", "\x81^m"}, {"\x81^^m", "\x81^"}, {"a\x81", "a\x81"},  // ^ of a pair is no caret
    };
    for (const auto& [text, stripped] : cases)
        EXPECT_EQ(StripControlChars(text), stripped) << testing::PrintToString(text);
}

TEST(CharArrays, CopyAndFillStayInsideTheArray)
{
    char buffer[] = "############";
    const TCharArray array{buffer, 8};
    const auto content = [&] { return std::string(buffer, 12); };
    StrToChars(array, "abc", 5);
    StrToChars(array, "xyz", 2);
    StrToChars(array, "XYZ", 0);
    StrToChars(array, "XYZ", -3);
    EXPECT_EQ(content(), "xyc#########");
    StrToChars(array, "12345678", 100);  // only the bytes copied count against the capacity
    EXPECT_EQ(content(), "12345678####");
    EXPECT_THROW(StrToChars(array, "ABCDEFGHI", 9), EJwwRangeError);
    EXPECT_THROW(StrToChars(TCharArray{buffer, 0}, "a", 1), EJwwRangeError);
    EXPECT_THROW(FillChars(array, 'z', 9), EJwwRangeError);
    EXPECT_EQ(content(), "12345678####") << "a refused copy or fill writes nothing";
    FillChars(array, 'y', 8);
    FillChars(array, 'z', 3);
    FillChars(array, 'x', 0);
    FillChars(array, 'x', -1);
    EXPECT_EQ(content(), "zzzyyyyy####");
    EXPECT_EQ(SpaceStr(-1) + SpaceStr(0) + "|" + SpaceStr(3), "|   ");
}

TEST(NumberText, FollowsTheGrammarOrGivesZero)
{
    const int32_t min = std::numeric_limits<int32_t>::min();
    const int32_t max = std::numeric_limits<int32_t>::max();
    const std::pair<std::string, int32_t> ints[] = {
        {"  42", 42}, {"+7", 7}, {"-7", -7}, {"007", 7}, {"-2147483648", min}, {"2147483647", max},
        {"$FF", 255}, {"0xff", 255}, {"0XfF", 255}, {"xA", 10}, {"XA", 10}, {"  $10", 16},
        {"$FFFFFFFF", -1}, {"$80000000", min}, {"$7FFFFFFF", max}, {"$000000001", 1},
        // Everything else is 0.
        {"42 ", 0}, {"2147483648", 0}, {"-2147483649", 0}, {"99999999999999999999999", 0},
        {"1.5", 0}, {"1,5", 0}, {"1e3", 0}, {"+", 0}, {"-", 0}, {"+-1", 0}, {"", 0}, {"   ", 0},
        {"\t5", 0}, {"5\0"s, 0}, {"\x82\x4F", 0}, {"$100000000", 0}, {"$", 0}, {"0x", 0},
        {"x", 0}, {"-$FF", 0}, {"+0x1", 0}, {"$FG", 0}, {"$10 ", 0}, {"$$FF", 0}, {"$ FF", 0},
        {"$0x1", 0},
    };
    for (const auto& [text, value] : ints)
        EXPECT_EQ(StrToIntZero(text), value) << testing::PrintToString(text);

    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<std::string, double> floats[] = {
        {"1000", 1000.0}, {"2.5e1", 25.0}, {"2.5E-1", 0.25}, {"1e+2", 100.0}, {"  1.5", 1.5},
        {"-2.5", -2.5}, {"+2.5", 2.5}, {".5", 0.5}, {"5.", 5.0}, {"0.1", 0.1}, {"4e-320", 4e-320},
        {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0.0},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        // Everything else is 0.
        {"1,5", 0.0}, {"", 0.0}, {"   ", 0.0}, {"1.5 ", 0.0}, {"1.5.2", 0.0}, {".", 0.0},
        {"-", 0.0}, {"--1", 0.0}, {"e5", 0.0}, {"1e", 0.0}, {"1e+", 0.0}, {"1e2.5", 0.0},
        {"0x10", 0.0}, {"$10", 0.0}, {"inf", 0.0}, {"nan", 0.0}, {"\t1", 0.0},
    };
    for (const auto& [text, value] : floats)
        EXPECT_EQ(StrToFloatZero(text), value) << testing::PrintToString(text);
    EXPECT_TRUE(std::signbit(StrToFloatZero("-1e-400")));
}

TEST(NumberText, IgnoresTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const bool set = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8");
    if (!set || *std::localeconv()->decimal_point != ',') {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "no locale with a comma decimal separator is installed";
    }
    EXPECT_EQ(StrToFloatZero("1.5"), 1.5);
    EXPECT_EQ(StrToFloatZero("1,5"), 0.0);
    EXPECT_EQ(StrToIntZero("1,5"), 0);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
