#include "text/Func_.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

namespace {

using namespace std::string_literals;

TEST(SjisLeadByte, BothEndsOfBothRangesAreInclusive)
{
    EXPECT_FALSE(IsSjisLeadByte(0x7F));
    EXPECT_TRUE(IsSjisLeadByte(0x80));
    EXPECT_TRUE(IsSjisLeadByte(0x9F));
    EXPECT_FALSE(IsSjisLeadByte(0xA0));
    EXPECT_FALSE(IsSjisLeadByte(0xDF));
    EXPECT_TRUE(IsSjisLeadByte(0xE0));
    EXPECT_TRUE(IsSjisLeadByte(0xFD));
    EXPECT_FALSE(IsSjisLeadByte(0xFE));
    EXPECT_FALSE(IsSjisLeadByte(0xFF));
}

TEST(SjisCopy, CutsToTheByteBudgetWithoutSplittingPairs)
{
    const std::string singles300(300, 'a');
    EXPECT_EQ(SjisCopy(singles300, 1, 256), std::string(256, 'a'));

    // The pair would end at byte 257.
    const std::string singles255ThenPair = std::string(255, 'b') + "\x82\xA0";
    EXPECT_EQ(SjisCopy(singles255ThenPair, 1, 256), std::string(255, 'b'));

    const std::string fourPairs = "\x82\xA0\x82\xA2\x82\xA4\x82\xA6";
    EXPECT_EQ(SjisCopy(fourPairs, 1, 8), fourPairs);
    EXPECT_EQ(SjisCopy(fourPairs, 1, 7), fourPairs.substr(0, 6));
    EXPECT_EQ(SjisCopy(fourPairs, 3, 4), fourPairs.substr(2, 4));

    // A start on the second byte of a pair skips that pair.
    EXPECT_EQ(SjisCopy("\x88\x9F" "ab", 2, 3), "ab");
    EXPECT_EQ(SjisCopy("ab\x88\x9F" "cd", 2, 2), "b");
    EXPECT_EQ(SjisCopy("abc", 2, 100), "bc");
}

TEST(SjisCopy, BadPositionOrCountGivesEmpty)
{
    EXPECT_EQ(SjisCopy("abc", 0, 2), "");
    EXPECT_EQ(SjisCopy("abc", -5, 2), "");
    EXPECT_EQ(SjisCopy("abc", 4, 2), "");
    EXPECT_EQ(SjisCopy("abc", 1, 0), "");
    EXPECT_EQ(SjisCopy("abc", 1, -1), "");
    EXPECT_EQ(SjisCopy("", 1, 5), "");
    EXPECT_EQ(SjisCopy("abc", 2147483647, 2147483647), "");
    EXPECT_EQ(SjisCopy("abc", 3, 2147483647), "c");
}

TEST(SjisCopy, LeadByteRangeEndsAndLastPosition)
{
    // 0x80 and 0xFD take the next byte, whatever it is, as their second byte.
    EXPECT_EQ(SjisCopy("\x80" "ab", 1, 2), "\x80" "a");
    EXPECT_EQ(SjisCopy("\x80" "ab", 1, 1), "");
    EXPECT_EQ(SjisCopy("\xFD\x0A" "c", 1, 3), "\xFD\x0A" "c");
    EXPECT_EQ(SjisCopy("\xFD\x0A" "c", 2, 2), "c");
    // 0xFE and 0xFF stand alone.
    EXPECT_EQ(SjisCopy("\xFE\xFF" "a", 1, 1), "\xFE");
    EXPECT_EQ(SjisCopy("\xFE\xFF" "a", 2, 2), "\xFF" "a");
    // A lead byte in the last position ends one past the string.
    EXPECT_EQ(SjisCopy("ab\x81", 1, 3), "ab");
    EXPECT_EQ(SjisCopy("ab\x81", 1, 4), "ab\x81");
    EXPECT_EQ(SjisCopy("ab\x81", 3, 2), "\x81");
    EXPECT_EQ(SjisCopy("ab\x81", 3, 1), "");
}

TEST(StripControlChars, DropsControlBytesAndCaretM)
{
    EXPECT_EQ(StripControlChars("ab^mcd"), "abcd");
    EXPECT_EQ(StripControlChars("ab^Mcd"), "ab^Mcd");
    EXPECT_EQ(StripControlChars("ab^"), "ab^");
    EXPECT_EQ(StripControlChars("a\tb\x1F" "c"), "abc");
    EXPECT_EQ(StripControlChars("\r\n"), " ");
    EXPECT_EQ(StripControlChars("^m"), " ");
    EXPECT_EQ(StripControlChars(""), "");
    EXPECT_EQ(StripControlChars("\x7F\xFE\xFF"), "\x7F\xFE\xFF");
    EXPECT_EQ(StripControlChars("\xFE\x0A"), "\xFE");
    EXPECT_EQ(StripControlChars("a\0b"s), "ab");
}

TEST(StripControlChars, NeverLooksAtTheSecondByteOfAPair)
{
    EXPECT_EQ(StripControlChars("\x82\x0D"), "\x82\x0D");
    EXPECT_EQ(StripControlChars("\x80\x0A"), "\x80\x0A");
    EXPECT_EQ(StripControlChars("\xFD\x00"s), "\xFD\x00"s);
    // The caret belongs to the pair, so the m stays.
    EXPECT_EQ(StripControlChars("\x81^m"), "\x81^m");
    EXPECT_EQ(StripControlChars("\x81^^m"), "\x81^");
    // A lead byte in the last position is kept alone.
    EXPECT_EQ(StripControlChars("a\x81"), "a\x81");
}

TEST(CharArrays, CopyAndFillStayInsideTheArray)
{
    constexpr std::size_t capacity = 8;
    char buffer[capacity + 4];
    const auto reset = [&] { std::fill(std::begin(buffer), std::end(buffer), '#'); };
    const TCharArray array{buffer, capacity};
    const std::string untouched(capacity + 4, '#');

    reset();
    StrToChars(array, "abc", 5);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "abc#########");
    StrToChars(array, "xyz", 2);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "xyc#########");
    StrToChars(array, "xyz", 0);
    StrToChars(array, "xyz", -3);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "xyc#########");
    StrToChars(array, "12345678", 8);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "12345678####");
    // Only the bytes actually copied count against the capacity.
    reset();
    StrToChars(array, "ab", 100);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "ab##########");

    reset();
    EXPECT_THROW(StrToChars(array, "123456789", 9), EJwwRangeError);
    EXPECT_EQ(std::string(buffer, sizeof buffer), untouched);

    FillChars(array, 'z', 3);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "zzz#########");
    FillChars(array, 'y', 0);
    FillChars(array, 'y', -1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "zzz#########");
    FillChars(array, '\0', 8);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(8, '\0') + "####");

    reset();
    EXPECT_THROW(FillChars(array, 'z', 9), EJwwRangeError);
    EXPECT_EQ(std::string(buffer, sizeof buffer), untouched);

    EXPECT_THROW(StrToChars(TCharArray{buffer, 0}, "a", 1), EJwwRangeError);
    EXPECT_EQ(std::string(buffer, sizeof buffer), untouched);
}

TEST(SpaceStr, CountsBelowOneGiveEmpty)
{
    EXPECT_EQ(SpaceStr(-1), "");
    EXPECT_EQ(SpaceStr(0), "");
    EXPECT_EQ(SpaceStr(3), "   ");
}

TEST(StrToIntZero, Decimal)
{
    EXPECT_EQ(StrToIntZero("  42"), 42);
    EXPECT_EQ(StrToIntZero("42 "), 0);
    EXPECT_EQ(StrToIntZero("+7"), 7);
    EXPECT_EQ(StrToIntZero("-7"), -7);
    EXPECT_EQ(StrToIntZero("007"), 7);
    EXPECT_EQ(StrToIntZero("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(StrToIntZero("2147483647"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StrToIntZero("2147483648"), 0);
    EXPECT_EQ(StrToIntZero("-2147483649"), 0);
    EXPECT_EQ(StrToIntZero("99999999999999999999999"), 0);
    EXPECT_EQ(StrToIntZero("1.5"), 0);
    EXPECT_EQ(StrToIntZero("1,5"), 0);
    EXPECT_EQ(StrToIntZero("1e3"), 0);
    EXPECT_EQ(StrToIntZero("+"), 0);
    EXPECT_EQ(StrToIntZero("-"), 0);
    EXPECT_EQ(StrToIntZero("+-1"), 0);
    EXPECT_EQ(StrToIntZero(""), 0);
    EXPECT_EQ(StrToIntZero("   "), 0);
    EXPECT_EQ(StrToIntZero("\t5"), 0);
    EXPECT_EQ(StrToIntZero("5\0"s), 0);
    EXPECT_EQ(StrToIntZero("\x82\x4F"), 0);
}

TEST(StrToIntZero, Hexadecimal)
{
    EXPECT_EQ(StrToIntZero("$FF"), 255);
    EXPECT_EQ(StrToIntZero("0xff"), 255);
    EXPECT_EQ(StrToIntZero("0XfF"), 255);
    EXPECT_EQ(StrToIntZero("xA"), 10);
    EXPECT_EQ(StrToIntZero("XA"), 10);
    EXPECT_EQ(StrToIntZero("  $10"), 16);
    EXPECT_EQ(StrToIntZero("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToIntZero("$80000000"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(StrToIntZero("$7FFFFFFF"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StrToIntZero("$000000001"), 1);
    EXPECT_EQ(StrToIntZero("$100000000"), 0);
    EXPECT_EQ(StrToIntZero("$"), 0);
    EXPECT_EQ(StrToIntZero("0x"), 0);
    EXPECT_EQ(StrToIntZero("x"), 0);
    EXPECT_EQ(StrToIntZero("-$FF"), 0);
    EXPECT_EQ(StrToIntZero("+0x1"), 0);
    EXPECT_EQ(StrToIntZero("$FG"), 0);
    EXPECT_EQ(StrToIntZero("$10 "), 0);
    EXPECT_EQ(StrToIntZero("$$FF"), 0);
    EXPECT_EQ(StrToIntZero("$ FF"), 0);
    EXPECT_EQ(StrToIntZero("$0x1"), 0);
}

TEST(StrToFloatZero, Grammar)
{
    EXPECT_EQ(StrToFloatZero("1000"), 1000.0);
    EXPECT_EQ(StrToFloatZero("2.5e1"), 25.0);
    EXPECT_EQ(StrToFloatZero("2.5E-1"), 0.25);
    EXPECT_EQ(StrToFloatZero("1e+2"), 100.0);
    EXPECT_EQ(StrToFloatZero("  1.5"), 1.5);
    EXPECT_EQ(StrToFloatZero("-2.5"), -2.5);
    EXPECT_EQ(StrToFloatZero("+2.5"), 2.5);
    EXPECT_EQ(StrToFloatZero(".5"), 0.5);
    EXPECT_EQ(StrToFloatZero("5."), 5.0);
    EXPECT_EQ(StrToFloatZero("0.1"), 0.1);
    EXPECT_EQ(StrToFloatZero("4e-320"), 4e-320);

    EXPECT_EQ(StrToFloatZero("1,5"), 0.0);
    EXPECT_EQ(StrToFloatZero(""), 0.0);
    EXPECT_EQ(StrToFloatZero("   "), 0.0);
    EXPECT_EQ(StrToFloatZero("1.5 "), 0.0);
    EXPECT_EQ(StrToFloatZero("1.5.2"), 0.0);
    EXPECT_EQ(StrToFloatZero("."), 0.0);
    EXPECT_EQ(StrToFloatZero("-"), 0.0);
    EXPECT_EQ(StrToFloatZero("--1"), 0.0);
    EXPECT_EQ(StrToFloatZero("e5"), 0.0);
    EXPECT_EQ(StrToFloatZero("1e"), 0.0);
    EXPECT_EQ(StrToFloatZero("1e+"), 0.0);
    EXPECT_EQ(StrToFloatZero("1e2.5"), 0.0);
    EXPECT_EQ(StrToFloatZero("0x10"), 0.0);
    EXPECT_EQ(StrToFloatZero("$10"), 0.0);
    EXPECT_EQ(StrToFloatZero("inf"), 0.0);
    EXPECT_EQ(StrToFloatZero("nan"), 0.0);
    EXPECT_EQ(StrToFloatZero("\t1"), 0.0);
}

TEST(StrToFloatZero, OutOfRangeRoundsToInfinityOrZero)
{
    EXPECT_EQ(StrToFloatZero("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(StrToFloatZero("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(StrToFloatZero("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(StrToFloatZero("-1e-400")));
    EXPECT_EQ(StrToFloatZero("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

// Puts the process into a locale whose decimal separator is a comma for the test's lifetime.
class CommaDecimalLocale {
public:
    CommaDecimalLocale()
    {
        Saved = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "nl_NL.UTF-8", "ru_RU.UTF-8", "de_DE", "fr_FR"}) {
            if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point == std::string(",")) {
                Active = true;
                return;
            }
        }
        std::setlocale(LC_ALL, Saved.c_str());
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, Saved.c_str()); }
    bool Active = false;

private:
    std::string Saved;
};

TEST(StrToFloatZero, IgnoresTheProcessLocale)
{
    const CommaDecimalLocale locale;
    if (!locale.Active)
        GTEST_SKIP() << "no locale with a comma decimal separator is installed";
    EXPECT_EQ(StrToFloatZero("1.5"), 1.5);
    EXPECT_EQ(StrToFloatZero("1,5"), 0.0);
    EXPECT_EQ(StrToFloatZero("2.5e1"), 25.0);
    EXPECT_EQ(StrToFloatZero("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(StrToIntZero("1,5"), 0);
    EXPECT_EQ(StrToIntZero("-42"), -42);
}

}  // namespace
