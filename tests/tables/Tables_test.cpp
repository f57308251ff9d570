// Filling the four tables from a document, and writing them back.
#include <array>
#include <limits>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "tables/FillTables.h"
#include "tables/TableFrames.h"
#include "tables/TableWriteBack.h"
#include "tests/support/HeaderBuilder.h"

namespace {

struct TTables {
    TCellTable LayerGroups = NewTable(TTableKind::LayerGroups);
    TCellTable Layers = NewTable(TTableKind::Layers);
    TCellTable Colors = NewTable(TTableKind::Colors);
    TCellTable LineTypes = NewTable(TTableKind::LineTypes);

    explicit TTables(const TJwwDocument& doc) { Fill(doc); }
    void Fill(const TJwwDocument& doc) { FillTables(doc, LayerGroups, Layers, Colors, LineTypes); }
    void WriteBack(TJwwDocument& doc) const
    {
        WriteBackTables(LayerGroups, Layers, Colors, LineTypes, doc);
    }
};

// The data cells of a row joined by '|', and the other way round.
std::string Row(const TCellTable& table, int row)
{
    std::string cells = table.Cell(1, row);
    for (int col = 2; col < table.ColCount(); ++col)
        cells += "|" + table.Cell(col, row);
    return cells;
}
void SetRow(TCellTable& table, int row, const std::string& cells)
{
    std::istringstream in(cells);
    std::string cell;
    for (int col = 1; std::getline(in, cell, '|'); ++col)
        table.SetCell(col, row, cell);
}

// The rows whose count (the last column) is not 0.
std::map<int, std::string> CountedRows(const TCellTable& table)
{
    std::map<int, std::string> counted;
    for (int row = 1; row < table.RowCount(); ++row)
        if (table.Cell(table.ColCount() - 1, row) != "0")
            counted[row] = table.Cell(table.ColCount() - 1, row);
    return counted;
}

}  // namespace

TEST(Tables, FillShowsNamesAsStoredNumbersInTheirFormatsAndCountsOfTheMainList)
{
    TJwwDocument doc = HeaderFields(700);
    doc.LayerGroupTable[0].Name = "\x8A\xEE\x96\x7B";
    doc.LayerTable[255].Name = std::string(300, 'L');
    doc.ColorExTable[256] = {255, -3, "last", 16711680, 1500, 0.00009};
    doc.LineTypeExTable[32] = {0x0F0F0F0F, 4, 1001, std::numeric_limits<int32_t>::min(), "type",
                               10, {0.5, 123456789012345.0, 0.1234567890123456, 3, 4, 5, 6, 7, 8}};
    doc.LineTypeExTable[31].Pattern = -65536;
    const auto On = [](auto record, const TEntBase& base) { record.Base = base; return record; };
    // Two lines on layer 5 of group 3 with colour 101 and line type 31; a point with colour 356
    // and line type 31, which points do not carry; a dimension, which is not counted.
    const TEntBase counted{0, 31, 101, 0, 5, 3};
    doc.TenList = {On(TEntTen{}, {0, 31, 356, 0, 0, 3})};
    doc.SunpoList = {On(TEntSunpo{}, counted)};
    // Arcs, texts and solids count; block insertions and objects of block definitions do not.
    const TEntBase other{0, 32, 102, 0, 1, 1};
    doc.EnkoList = {On(TEntEnko{}, other)};
    doc.MojiList = {On(TEntMoji{}, other)};
    doc.SolidList = {On(TEntSolid{}, other)};
    doc.BlockList = {On(TEntBlock{}, other)};
    doc.BlockDefList.resize(1);
    doc.BlockDefList[0].SenList = {On(TEntSen{}, other)};
    // Group 16, layer 16, colours 100 and 357 and line types 30 and 63 lie outside the tables.
    doc.SenList = {On(TEntSen{}, counted), On(TEntSen{}, counted),
                   On(TEntSen{}, {0, 30, 100, 0, 0, 16}), On(TEntSen{}, {0, 63, 357, 0, 16, 2}),
                   On(TEntSen{}, {0, 255, 999, 0, 999, 999})};
    const TTables t(doc);
    EXPECT_EQ(Row(t.LayerGroups, 1), "\x8A\xEE\x96\x7B|0");
    EXPECT_EQ(Row(t.Layers, 256), std::string(300, 'L') + "|0");
    EXPECT_EQ(Row(t.Colors, 256), "last|255||-3|16711680||1500|9E-5|1");
    EXPECT_EQ(Row(t.LineTypes, 32), "type|0F0F0F0F|4|1001|-2147483648|10|0.5|123456789012345|"
                                    "0.123456789012346|3|4|5|6|7|0");
    EXPECT_EQ(Row(t.LineTypes, 31), "|FFFF0000|0|0|0|0|0|0|0|0|0|0|0|0|0");
    using TCounted = std::map<int, std::string>;
    EXPECT_EQ(CountedRows(t.LayerGroups), (TCounted{{2, "3"}, {3, "1"}, {4, "3"}}));
    // Layer 5 of group 3 is layer entry 53, shown in row 54.
    EXPECT_EQ(CountedRows(t.Layers), (TCounted{{18, "3"}, {49, "1"}, {54, "2"}}));
    EXPECT_EQ(CountedRows(t.Colors), (TCounted{{1, "2"}, {2, "3"}, {256, "1"}}));
    EXPECT_EQ(CountedRows(t.LineTypes), (TCounted{{1, "2"}, {2, "1"}}));
}

TEST(Tables, WriteBackPassesEveryShownFieldThroughItsLimitsEditedOrNot)
{
    TJwwDocument doc = HeaderFields(700);
    doc.LayerGroupTable[15] = {11, 0, 0.5, 0, "group"};
    doc.ColorExTable[3] = {1, -3, "colour", 3, 4, 1500.0};
    doc.ColorExTable[4].PointRadius = 0.1234567890123456;
    for (int r = 1; r <= 6; ++r)
        doc.LineTypeExTable[r] = {0, 5000, 0, 0, "", r == 5 ? 3 : 10,
                                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    TTables t(doc);
    t.LayerGroups.SetCell(NameCol, 16, std::string(255, 'g') + "\x88\x9F");
    t.Layers.SetCell(NameCol, 256, std::string(300, 'l'));
    SetRow(t.Colors, 9, "\x90\xD4|16777216|x|-3|$FF|x|1001|1500|999");
    SetRow(t.LineTypes, 1, std::string(257, 't') + "|ff|1001|-1|999|3|2000|-1|2.50|x|4|5|6|7|9");
    // The segment count is stored only where the user typed into its cell: the 3 of row 1, not
    // yet normalised, counts as 4; rows 5 and 6 keep an odd count and one above 8, also where a
    // cell rule showed the 10 as 8.
    t.LineTypes.TypeCell(SegmentCountCol, 1, "3");
    const char* typedCounts[] = {"6", "8", " 10"};
    for (int row = 2; row <= 4; ++row)
        t.LineTypes.TypeCell(SegmentCountCol, row, typedCounts[row - 2]);
    t.LineTypes.SetCell(SegmentCountCol, 6, "8");
    t.LineTypes.SetCell(PatternCol, 2, "ffffffff");
    t.LineTypes.SetCell(PatternCol, 3, "zz");
    // A second write-back of the same cells changes nothing more.
    t.WriteBack(doc);
    t.WriteBack(doc);
    t.Fill(doc);
    EXPECT_EQ(Row(t.LayerGroups, 16), std::string(255, 'g') + "|0");
    EXPECT_EQ(doc.LayerGroupTable[15].Value1, 11);
    EXPECT_EQ(Row(t.Layers, 256), std::string(256, 'l') + "|0");
    EXPECT_EQ(Row(t.Colors, 9), "\x90\xD4|16777215||0|255||1000|1000|0");
    EXPECT_EQ(Row(t.Colors, 3), "colour|1||0|3||4|1000|0");
    EXPECT_EQ(doc.ColorExTable[4].PointRadius, 0.123456789012346);
    EXPECT_EQ(Row(t.LineTypes, 1),
              std::string(256, 't') + "|000000FF|1000|0|999|4|1000|0|2.5|0|0|0|0|0|0");
    std::string rows;
    for (int r = 2; r <= 6; ++r)
        for (int col : {PatternCol, DotsPerUnitCol, SegmentCountCol})
            rows += t.LineTypes.Cell(col, r) + " ";
    EXPECT_EQ(rows, "FFFFFFFF 1000 6 00000000 1000 8 00000000 1000 8 00000000 1000 3 "
                    "00000000 1000 10 ");
    // Pitches 8 and 9 stay; an odd count takes its pitches as the even count above it.
    using TPitches = std::array<double, 10>;
    EXPECT_EQ(doc.LineTypeExTable[1].Pitches, (TPitches{1000, 0, 2.5, 0, 0, 0, 0, 0, 9, 10}));
    EXPECT_EQ(doc.LineTypeExTable[5].Pitches, (TPitches{1, 2, 3, 4, 0, 0, 0, 0, 9, 10}));
}

TEST(Tables, EntryZeroAndMissingHeaderTablesAreLeftAlone)
{
    TJwwDocument doc = HeaderFields(700);
    doc.ColorExTable[0] = {0, 0, std::string(400, 'z'), 0, 0, 1500.0};
    doc.LineTypeExTable[0] = {0, 0, 0, 0, "", 3, {0, 0, 0, 0, 0, 2000.0}};
    TTables t(doc);
    t.Colors.SetCell(ColorNameCol, 0, "header text");
    t.WriteBack(doc);
    EXPECT_EQ(doc.ColorExTable[0].Name, std::string(400, 'z'));
    EXPECT_EQ(doc.ColorExTable[0].PointRadius, 1500.0);
    EXPECT_EQ(doc.LineTypeExTable[0].SegmentCount, 3);
    EXPECT_EQ(doc.LineTypeExTable[0].Pitches[5], 2000.0);
    // A load that failed before the header tables left nothing to fill or to write back.
    TJwwDocument empty;
    t.Fill(empty);
    t.WriteBack(empty);
    EXPECT_TRUE(empty.LayerGroupTable.empty() && empty.ColorExTable.empty());
    EXPECT_EQ(t.LineTypes.Cell(SegmentCountCol, 1), "0");
}
