#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "tables/NumberText.h"
#include "tables/TableFrames.h"
#include "tables/TableRules.h"

namespace {

using TRuleCase = std::tuple<int, std::string, std::string>;  // column, typed, normalised

// A line-type table whose row 3 holds the segment count and P0 .. P7 set to 1 .. 8.
TCellTable LineTypeRow(const std::string& segmentCount)
{
    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    lineTypes.SetCell(SegmentCountCol, 3, segmentCount);
    for (int k = 0; k < 8; ++k)
        lineTypes.SetCell(FirstPitchCol + k, 3, std::to_string(k + 1));
    return lineTypes;
}

std::string PitchCells(const TCellTable& lineTypes)
{
    std::string shown = lineTypes.Cell(FirstPitchCol, 3);
    for (int k = 1; k < 8; ++k)
        shown += " " + lineTypes.Cell(FirstPitchCol + k, 3);
    return shown;
}

}  // namespace

TEST(CellRules, GeneralNumberFormatOfPointRadiiAndPitches)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {0.5, "0.5"}, {1000.0, "1000"}, {-2.25, "-2.25"},
        // Fixed notation from one ten-thousandth on, scientific below it.
        {0.0001, "0.0001"}, {0.00012, "0.00012"}, {0.00009, "9E-5"}, {-0.00009, "-9E-5"},
        {1E-6, "1E-6"}, {0.000000125, "1.25E-7"},
        // Fifteen significant digits; an integer part of sixteen digits is scientific.
        {123456789012345.0, "123456789012345"}, {1.0 / 3.0, "0.333333333333333"},
        {0.1234567890123456, "0.123456789012346"}, {12.34567890123456, "12.3456789012346"},
        {1234567890123456.0, "1.23456789012346E15"}, {1E15, "1E15"},
        // Rounding carries into a new leading digit, and the notation follows the rounded value.
        {9999999999999999.0, "1E16"}, {0.99999999999999999, "1"},
        {0.00009999999999999999, "0.0001"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"}, {infinity, "INF"}, {-infinity, "-INF"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(GeneralNumberText(value), text);
}

TEST(CellRules, EachColumnsTextWhenTheSelectionLeavesItsCell)
{
    const std::string a255(255, 'a');
    const TRuleCase colors[] = {
        {ScreenColorCol, "abc", "0"}, {ScreenColorCol, "16777216", "16777215"},
        {ScreenColorCol, "-5", "0"}, {ScreenColorCol, "$FF", "255"}, {ScreenWidthCol, "  7", "7"},
        {PrintColorCol, "-2147483648", "0"}, {ScreenWidthCol, "1001", "1000"},
        {PrintWidthCol, "-3", "0"}, {PointRadiusCol, "2000", "1000"}, {PointRadiusCol, "-1", "0"},
        {PointRadiusCol, "1e2", "100"}, {PointRadiusCol, "0.000001", "1E-6"},
        {PointRadiusCol, "1e999", "1000"}, {PointRadiusCol, "nan", "0"},
        {ColorNameCol, std::string(300, 'a'), std::string(256, 'a')},
        // The 256th byte would open a two-byte character, which is dropped whole.
        {ColorNameCol, a255 + "\x88\x9F", a255}, {ColorNameCol, "\x90\xD4", "\x90\xD4"},
        {ScreenSwatchCol, "typed", ""}, {PrintSwatchCol, "typed", ""},
        {ColorCountCol, "edited count", "edited count"}, {0, "x", "x"},
    };
    const TRuleCase lineTypes[] = {
        {PatternCol, "ff", "000000FF"}, {PatternCol, "0f0f0f0f", "0F0F0F0F"},
        {PatternCol, "123456789", "12345678"}, {PatternCol, "80000000", "80000000"},
        {PatternCol, "xyz", "00000000"}, {PatternCol, "$ff", "00000000"},
        {PatternCol, " ff", "00000000"}, {DotsPerUnitCol, "1001", "1000"},
        {LineTypeNameCol, std::string(257, 'n'), std::string(256, 'n')},
        {ScreenPitchCol, "-1", "0"}, {PrintPitchCol, "12", "12"}, {LineTypeCountCol, "n", "n"},
        // The row's segment count is 4: P3 lies within it, P4 beyond.
        {FirstPitchCol, "2000", "1000"}, {FirstPitchCol + 1, "-2", "0"},
        {FirstPitchCol + 2, "2.50", "2.5"}, {FirstPitchCol + 3, "5", "5"},
        {FirstPitchCol + 4, "5", "0"},
    };
    // Header rows are never normalised.
    for (const auto& [col, typed, normalised] : colors) {
        TCellTable table = NewTable(TTableKind::Colors);
        table.SetCell(col, 3, typed);
        table.SetCell(col, 0, "header");
        NormaliseColorCell(table, col, 3);
        NormaliseColorCell(table, col, 0);
        EXPECT_EQ(table.Cell(col, 3) + " " + table.Cell(col, 0), normalised + " header") << typed;
    }
    for (const auto& [col, typed, normalised] : lineTypes) {
        TCellTable table = LineTypeRow("4");
        table.SetCell(col, 3, typed);
        table.SetCell(col, 0, "header");
        NormaliseLineTypeCell(table, col, 3);
        NormaliseLineTypeCell(table, col, 0);
        EXPECT_EQ(table.Cell(col, 3) + " " + table.Cell(col, 0), normalised + " header") << typed;
    }
}

TEST(CellRules, SegmentCountBecomesEvenAndDecidesWhichPitchesCount)
{
    // Typed count, shown count, pitch cells afterwards.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"3", "4", "1 2 3 4 0 0 0 0"}, {"9", "8", "1 2 3 4 5 6 7 8"},
        {"-1", "0", "0 0 0 0 0 0 0 0"}, {"x", "0", "0 0 0 0 0 0 0 0"},
        {"1", "2", "1 2 0 0 0 0 0 0"}, {"6", "6", "1 2 3 4 5 6 0 0"},
    };
    for (const auto& [typed, shown, pitches] : cases) {
        TCellTable lineTypes = LineTypeRow(typed);
        lineTypes.SetCell(LineTypeCountCol, 3, "7");
        NormaliseLineTypeCell(lineTypes, SegmentCountCol, 3);
        EXPECT_EQ(lineTypes.Cell(SegmentCountCol, 3) + " " + PitchCells(lineTypes) + " " +
                      lineTypes.Cell(LineTypeCountCol, 3),
                  std::string(shown) + " " + pitches + " 7");
    }
    // A pitch cell reads the count as it stands, not yet raised to even.
    TCellTable three = LineTypeRow("3");
    NormaliseLineTypeCell(three, FirstPitchCol + 2, 3);
    NormaliseLineTypeCell(three, FirstPitchCol + 3, 3);
    EXPECT_EQ(three.Cell(SegmentCountCol, 3) + " " + PitchCells(three), "3 1 2 3 0 5 6 7 8");
}
