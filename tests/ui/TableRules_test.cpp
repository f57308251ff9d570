#include <string>

#include <gtest/gtest.h>

#include "ui/TableFrames.h"
#include "ui/TableRules.h"

namespace {

std::string Repeat(char c, int n)
{
    return std::string(static_cast<std::size_t>(n), c);
}

// The colour text of `text` left in (col, row) after the rule of its column.
std::string NormalisedColor(int col, const std::string& text)
{
    TCellTable colors = NewTable(TTableKind::Colors);
    colors.SetCell(col, 5, text);
    NormaliseColorCell(colors, col, 5);
    return colors.Cell(col, 5);
}

// A line-type row holding a segment count and P0 .. P7 set to 1 .. 8.
TCellTable LineTypesWithPitches(const std::string& segmentCount)
{
    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    lineTypes.SetCell(SegmentCountCol, 3, segmentCount);
    for (int k = 0; k < 8; ++k)
        lineTypes.SetCell(FirstPitchCol + k, 3, std::to_string(k + 1));
    return lineTypes;
}

std::string Pitches(const TCellTable& lineTypes, int row)
{
    std::string shown;
    for (int k = 0; k < 8; ++k)
        shown += lineTypes.Cell(FirstPitchCol + k, row) + " ";
    return shown;
}

}  // namespace

TEST(ColorCellRules, ColourValues)
{
    EXPECT_EQ(NormalisedColor(ScreenColorCol, "abc"), "0");
    EXPECT_EQ(NormalisedColor(ScreenColorCol, "16777216"), "16777215");
    EXPECT_EQ(NormalisedColor(ScreenColorCol, "-5"), "0");
    EXPECT_EQ(NormalisedColor(ScreenColorCol, "$FF"), "255");
    EXPECT_EQ(NormalisedColor(PrintColorCol, "0x10"), "16");
    EXPECT_TRUE(ColorColumnFeedsSwatch(ScreenColorCol));
    EXPECT_TRUE(ColorColumnFeedsSwatch(PrintColorCol));
    EXPECT_FALSE(ColorColumnFeedsSwatch(ScreenWidthCol));
}

TEST(ColorCellRules, WidthsAndPointRadius)
{
    EXPECT_EQ(NormalisedColor(ScreenWidthCol, "1001"), "1000");
    EXPECT_EQ(NormalisedColor(PrintWidthCol, "-3"), "0");
    EXPECT_EQ(NormalisedColor(PointRadiusCol, "2000"), "1000");
    EXPECT_EQ(NormalisedColor(PointRadiusCol, "-1"), "0");
    EXPECT_EQ(NormalisedColor(PointRadiusCol, "1e2"), "100");
    EXPECT_EQ(NormalisedColor(PointRadiusCol, "0.000001"), "1E-6");
}

TEST(ColorCellRules, NamesAreCutToTheByteBudget)
{
    EXPECT_EQ(NormalisedColor(ColorNameCol, Repeat('a', 300)), Repeat('a', 256));
    // The 256th byte would open a two-byte character, which is dropped whole.
    EXPECT_EQ(NormalisedColor(ColorNameCol, Repeat('a', 255) + "\x88\x9F"), Repeat('a', 255));
    EXPECT_EQ(NormalisedColor(ColorNameCol, "\x90\xD4"), "\x90\xD4");
}

TEST(ColorCellRules, SwatchColumnsLoseTypedTextAndCountsStay)
{
    EXPECT_EQ(NormalisedColor(ScreenSwatchCol, "typed"), "");
    EXPECT_EQ(NormalisedColor(PrintSwatchCol, "typed"), "");
    EXPECT_EQ(NormalisedColor(ColorCountCol, "edited count"), "edited count");
    EXPECT_EQ(NormalisedColor(0, "x"), "x");
}

TEST(CellRules, HeaderRowsAreNeverNormalised)
{
    TCellTable colors = NewTable(TTableKind::Colors);
    colors.SetCell(ScreenColorCol, 0, "header");
    NormaliseColorCell(colors, ScreenColorCol, 0);
    EXPECT_EQ(colors.Cell(ScreenColorCol, 0), "header");
    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    lineTypes.SetCell(SegmentCountCol, 0, "header");
    NormaliseLineTypeCell(lineTypes, SegmentCountCol, 0);
    EXPECT_EQ(lineTypes.Cell(SegmentCountCol, 0), "header");
}

TEST(ColorCellRules, SwatchesShowTheColourCellAsItStands)
{
    TCellTable colors = NewTable(TTableKind::Colors);
    colors.SetCell(ScreenColorCol, 2, "255");
    colors.SetCell(PrintColorCol, 2, "abc");
    colors.SetCell(ScreenColorCol, 3, "99999999");
    EXPECT_EQ(SwatchColor(colors, ScreenSwatchCol, 2), 255);
    EXPECT_EQ(SwatchColor(colors, PrintSwatchCol, 2), 0);
    EXPECT_EQ(SwatchColor(colors, ScreenSwatchCol, 3), 16777215);
    EXPECT_EQ(SwatchColor(colors, ScreenColorCol, 2), std::nullopt);
    EXPECT_EQ(SwatchColor(colors, ScreenSwatchCol, 0), std::nullopt);
}

TEST(ColorCellRules, DoubleClickTargets)
{
    EXPECT_EQ(ColorDialogTargetCol(ScreenColorCol), ScreenColorCol);
    EXPECT_EQ(ColorDialogTargetCol(ScreenSwatchCol), ScreenColorCol);
    EXPECT_EQ(ColorDialogTargetCol(PrintColorCol), PrintColorCol);
    EXPECT_EQ(ColorDialogTargetCol(PrintSwatchCol), PrintColorCol);
    for (int col : std::initializer_list<int>{0, ColorNameCol, ScreenWidthCol, PrintWidthCol,
                                              PointRadiusCol, ColorCountCol})
        EXPECT_EQ(ColorDialogTargetCol(col), std::nullopt) << col;
}

TEST(LineTypeCellRules, PatternIsReadAsEightHexDigits)
{
    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    const auto normalised = [&](const std::string& text) {
        lineTypes.SetCell(PatternCol, 1, text);
        NormaliseLineTypeCell(lineTypes, PatternCol, 1);
        return lineTypes.Cell(PatternCol, 1);
    };
    EXPECT_EQ(normalised("ff"), "000000FF");
    EXPECT_EQ(normalised("0f0f0f0f"), "0F0F0F0F");
    EXPECT_EQ(normalised("123456789"), "12345678");
    EXPECT_EQ(normalised("ffffffff"), "FFFFFFFF");
    EXPECT_EQ(normalised("xyz"), "00000000");
    EXPECT_EQ(normalised("$ff"), "00000000");
    EXPECT_EQ(normalised(" ff"), "00000000");
}

TEST(LineTypeCellRules, NamesAndIntegerColumns)
{
    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    lineTypes.SetCell(LineTypeNameCol, 32, Repeat('n', 257));
    lineTypes.SetCell(DotsPerUnitCol, 32, "1001");
    lineTypes.SetCell(ScreenPitchCol, 32, "-1");
    lineTypes.SetCell(PrintPitchCol, 32, "12");
    lineTypes.SetCell(LineTypeCountCol, 32, "count");
    for (int col : std::initializer_list<int>{LineTypeNameCol, DotsPerUnitCol, ScreenPitchCol,
                                              PrintPitchCol, LineTypeCountCol})
        NormaliseLineTypeCell(lineTypes, col, 32);
    EXPECT_EQ(lineTypes.Cell(LineTypeNameCol, 32), Repeat('n', 256));
    EXPECT_EQ(lineTypes.Cell(DotsPerUnitCol, 32), "1000");
    EXPECT_EQ(lineTypes.Cell(ScreenPitchCol, 32), "0");
    EXPECT_EQ(lineTypes.Cell(PrintPitchCol, 32), "12");
    EXPECT_EQ(lineTypes.Cell(LineTypeCountCol, 32), "count");
}

TEST(LineTypeCellRules, SegmentCountBecomesEvenAndResetsPitchesBeyondIt)
{
    struct TCase {
        const char* Typed;
        const char* Shown;
        const char* PitchesAfter;
    };
    for (const TCase& c : {TCase{"3", "4", "1 2 3 4 0 0 0 0 "}, TCase{"9", "8", "1 2 3 4 5 6 7 8 "},
                           TCase{"8", "8", "1 2 3 4 5 6 7 8 "}, TCase{"-1", "0", "0 0 0 0 0 0 0 0 "},
                           TCase{"x", "0", "0 0 0 0 0 0 0 0 "}, TCase{"1", "2", "1 2 0 0 0 0 0 0 "},
                           TCase{"6", "6", "1 2 3 4 5 6 0 0 "}}) {
        TCellTable lineTypes = LineTypesWithPitches(c.Typed);
        lineTypes.SetCell(LineTypeCountCol, 3, "7");
        NormaliseLineTypeCell(lineTypes, SegmentCountCol, 3);
        EXPECT_EQ(lineTypes.Cell(SegmentCountCol, 3), c.Shown) << c.Typed;
        EXPECT_EQ(Pitches(lineTypes, 3), c.PitchesAfter) << c.Typed;
        EXPECT_EQ(lineTypes.Cell(LineTypeCountCol, 3), "7") << c.Typed;
    }
}

TEST(LineTypeCellRules, PitchCellsWithinTheSegmentCountAreClamped)
{
    TCellTable lineTypes = LineTypesWithPitches("4");
    const auto leave = [&](int k, const std::string& typed) {
        lineTypes.SetCell(FirstPitchCol + k, 3, typed);
        NormaliseLineTypeCell(lineTypes, FirstPitchCol + k, 3);
        return lineTypes.Cell(FirstPitchCol + k, 3);
    };
    EXPECT_EQ(leave(4, "5"), "0");
    EXPECT_EQ(leave(3, "5"), "5");
    EXPECT_EQ(leave(0, "2000"), "1000");
    EXPECT_EQ(leave(1, "-2"), "0");
    EXPECT_EQ(leave(2, "2.50"), "2.5");
}

TEST(LineTypeCellRules, PitchCellsReadAnUnnormalisedCountAsItStands)
{
    // The count 3 is not raised to 4 for this, so P3 lies beyond it.
    TCellTable lineTypes = LineTypesWithPitches("3");
    NormaliseLineTypeCell(lineTypes, FirstPitchCol + 2, 3);
    NormaliseLineTypeCell(lineTypes, FirstPitchCol + 3, 3);
    EXPECT_EQ(lineTypes.Cell(FirstPitchCol + 2, 3), "3");
    EXPECT_EQ(lineTypes.Cell(FirstPitchCol + 3, 3), "0");
    EXPECT_EQ(lineTypes.Cell(SegmentCountCol, 3), "3");

    // A count above 8 is clamped to 8, so every pitch counts.
    TCellTable ten = LineTypesWithPitches("10");
    NormaliseLineTypeCell(ten, FirstPitchCol + 7, 3);
    EXPECT_EQ(ten.Cell(FirstPitchCol + 7, 3), "8");
}
