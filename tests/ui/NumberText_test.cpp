#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "ui/NumberText.h"

// The column limits themselves are exercised through the cell rules.
TEST(TextToIntClamped, ParsesLenientlyThenClamps)
{
    EXPECT_EQ(TextToIntClamped("  7", 0, 1000), 7);
    EXPECT_EQ(TextToIntClamped("7 ", 0, 1000), 0);
    // Unreadable text is 0 before clamping, so a range above 0 raises it to its floor.
    EXPECT_EQ(TextToIntClamped("x", 5, 10), 5);
    EXPECT_EQ(TextToIntClamped("-2147483648", -10, 10), -10);
}

TEST(TextToFloatClamped, ParsesLenientlyThenClamps)
{
    EXPECT_EQ(TextToFloatClamped("0.25", 0.0, 1000.0), 0.25);
    EXPECT_EQ(TextToFloatClamped("1,5", 0.0, 1000.0), 0.0);
    EXPECT_EQ(TextToFloatClamped("1e999", 0.0, 1000.0), 1000.0);
    EXPECT_EQ(TextToFloatClamped("nan", 1.0, 1000.0), 1.0);
}

TEST(DecimalText, SignedDigitsWithoutPadding)
{
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(255), "255");
    EXPECT_EQ(DecimalText(-3), "-3");
    EXPECT_EQ(DecimalText(std::numeric_limits<int32_t>::min()), "-2147483648");
}

TEST(Hex8Text, EightUpperCaseDigitsOfTheBitPattern)
{
    EXPECT_EQ(Hex8Text(0), "00000000");
    EXPECT_EQ(Hex8Text(255), "000000FF");
    EXPECT_EQ(Hex8Text(0x0F0F0F0F), "0F0F0F0F");
    EXPECT_EQ(Hex8Text(-65536), "FFFF0000");
    EXPECT_EQ(Hex8Text(-1), "FFFFFFFF");
    EXPECT_EQ(Hex8Text(std::numeric_limits<int32_t>::min()), "80000000");
}

TEST(GeneralNumberText, FixedNotationFromOneTenThousandth)
{
    EXPECT_EQ(GeneralNumberText(0.0), "0");
    EXPECT_EQ(GeneralNumberText(-0.0), "0");
    EXPECT_EQ(GeneralNumberText(0.5), "0.5");
    EXPECT_EQ(GeneralNumberText(1000.0), "1000");
    EXPECT_EQ(GeneralNumberText(-2.25), "-2.25");
    EXPECT_EQ(GeneralNumberText(0.0001), "0.0001");
    EXPECT_EQ(GeneralNumberText(0.00012), "0.00012");
}

TEST(GeneralNumberText, ScientificBelowOneTenThousandth)
{
    EXPECT_EQ(GeneralNumberText(0.00009), "9E-5");
    EXPECT_EQ(GeneralNumberText(1E-6), "1E-6");
    EXPECT_EQ(GeneralNumberText(0.000000125), "1.25E-7");
    EXPECT_EQ(GeneralNumberText(-0.00009), "-9E-5");
}

TEST(GeneralNumberText, FifteenSignificantDigits)
{
    EXPECT_EQ(GeneralNumberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralNumberText(0.123456789012345), "0.123456789012345");
    EXPECT_EQ(GeneralNumberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(GeneralNumberText(999999999999999.0), "999999999999999");
}

TEST(GeneralNumberText, SixteenSignificantDigitsAreRoundedToFifteen)
{
    EXPECT_EQ(GeneralNumberText(0.1234567890123456), "0.123456789012346");
    EXPECT_EQ(GeneralNumberText(12.34567890123456), "12.3456789012346");
    // An integer part of 16 digits no longer fits fixed notation.
    EXPECT_EQ(GeneralNumberText(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(GeneralNumberText(1E15), "1E15");
    // Rounding carries into a new leading digit, and the notation follows the rounded value.
    EXPECT_EQ(GeneralNumberText(9999999999999999.0), "1E16");
    EXPECT_EQ(GeneralNumberText(0.99999999999999999), "1");
    EXPECT_EQ(GeneralNumberText(0.00009999999999999999), "0.0001");
}

TEST(GeneralNumberText, ValuesWithoutDigits)
{
    EXPECT_EQ(GeneralNumberText(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(GeneralNumberText(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(GeneralNumberText(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(GeneralNumberText, TextReadsBackAsTheFifteenDigitValue)
{
    for (double value : {0.1, 2.5, 1E-6, 123.456, 1E20, 0.000123456789}) {
        const std::string text = GeneralNumberText(value);
        EXPECT_EQ(TextToFloatClamped(text, -1E300, 1E300), value) << text;
    }
}
