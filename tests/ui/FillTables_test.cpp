#include <gtest/gtest.h>

#include "ui/FillTables.h"
#include "ui/TableFrames.h"

namespace {

TEntBase Base(uint16_t layerGroup, uint16_t layer, uint16_t penColor, uint8_t penStyle)
{
    TEntBase base;
    base.LayerGroup = layerGroup;
    base.Layer = layer;
    base.PenColor = penColor;
    base.PenStyle = penStyle;
    return base;
}

// Appends a record of any kind with the given base record.
template <typename TRecord>
void Add(std::vector<TRecord>& list, const TEntBase& base)
{
    TRecord record;
    record.Base = base;
    list.push_back(record);
}

struct TFilled {
    TCellTable LayerGroups = NewTable(TTableKind::LayerGroups);
    TCellTable Layers = NewTable(TTableKind::Layers);
    TCellTable Colors = NewTable(TTableKind::Colors);
    TCellTable LineTypes = NewTable(TTableKind::LineTypes);

    explicit TFilled(const TJwwDocument& doc)
    {
        FillTables(doc, LayerGroups, Layers, Colors, LineTypes);
    }
};

TJwwDocument LoadedDocument()
{
    TJwwDocument doc;
    CreateHeaderTables(doc);
    return doc;
}

}  // namespace

TEST(FillTables, NamesAsStored)
{
    TJwwDocument doc = LoadedDocument();
    doc.LayerGroupTable[0].Name = "\x8A\xEE\x96\x7B";  // two double-byte characters
    doc.LayerGroupTable[15].Name = "last group";
    doc.LayerTable[0].Name = "first layer";
    doc.LayerTable[255].Name = std::string(300, 'L');
    doc.ColorExTable[0].Name = "entry zero";
    doc.ColorExTable[1].Name = "red";
    doc.ColorExTable[256].Name = "last colour";
    doc.LineTypeExTable[0].Name = "entry zero";
    doc.LineTypeExTable[32].Name = "last type";
    const TFilled t(doc);
    EXPECT_EQ(t.LayerGroups.Cell(NameCol, 1), "\x8A\xEE\x96\x7B");
    EXPECT_EQ(t.LayerGroups.Cell(NameCol, 16), "last group");
    EXPECT_EQ(t.Layers.Cell(NameCol, 1), "first layer");
    EXPECT_EQ(t.Layers.Cell(NameCol, 256), std::string(300, 'L'));
    EXPECT_EQ(t.Colors.Cell(ColorNameCol, 1), "red");
    EXPECT_EQ(t.Colors.Cell(ColorNameCol, 256), "last colour");
    EXPECT_EQ(t.LineTypes.Cell(LineTypeNameCol, 32), "last type");
    // Entry 0 of the SXF tables has no row: the header row stays untouched.
    EXPECT_EQ(t.Colors.Cell(ColorNameCol, 0), "");
    EXPECT_EQ(t.LineTypes.Cell(LineTypeNameCol, 0), "");
}

TEST(FillTables, ColourFieldsInTheirFormats)
{
    TJwwDocument doc = LoadedDocument();
    TColorExNo& c = doc.ColorExTable[7];
    c.ScreenColor = 255;
    c.ScreenWidth = -3;
    c.PrintColor = 16711680;
    c.PrintWidth = 1500;
    c.PointRadius = 0.00009;
    doc.ColorExTable[8].PointRadius = 0.0001;
    doc.ColorExTable[9].PointRadius = 1E-6;
    doc.ColorExTable[10].PointRadius = 1000.0;
    doc.ColorExTable[11].PointRadius = 0.5;
    const TFilled t(doc);
    EXPECT_EQ(t.Colors.Cell(ScreenColorCol, 7), "255");
    EXPECT_EQ(t.Colors.Cell(ScreenSwatchCol, 7), "");
    EXPECT_EQ(t.Colors.Cell(ScreenWidthCol, 7), "-3");
    EXPECT_EQ(t.Colors.Cell(PrintColorCol, 7), "16711680");
    EXPECT_EQ(t.Colors.Cell(PrintSwatchCol, 7), "");
    EXPECT_EQ(t.Colors.Cell(PrintWidthCol, 7), "1500");
    EXPECT_EQ(t.Colors.Cell(PointRadiusCol, 7), "9E-5");
    EXPECT_EQ(t.Colors.Cell(PointRadiusCol, 8), "0.0001");
    EXPECT_EQ(t.Colors.Cell(PointRadiusCol, 9), "1E-6");
    EXPECT_EQ(t.Colors.Cell(PointRadiusCol, 10), "1000");
    EXPECT_EQ(t.Colors.Cell(PointRadiusCol, 11), "0.5");
    EXPECT_EQ(t.Colors.Cell(PointRadiusCol, 12), "0");
    EXPECT_EQ(t.Colors.Cell(ColorCountCol, 7), "0");
}

TEST(FillTables, LineTypeFieldsInTheirFormats)
{
    TJwwDocument doc = LoadedDocument();
    TLineTypeExNo& l = doc.LineTypeExTable[2];
    l.Pattern = 0x0F0F0F0F;
    l.DotsPerUnit = 4;
    l.ScreenPitch = 1001;
    l.PrintPitch = -7;
    l.SegmentCount = 10;
    for (int k = 0; k < 10; ++k)
        l.Pitches[k] = k + 0.5;
    l.Pitches[1] = 123456789012345.0;
    l.Pitches[2] = 0.1234567890123456;
    doc.LineTypeExTable[3].Pattern = -65536;
    const TFilled t(doc);
    EXPECT_EQ(t.LineTypes.Cell(PatternCol, 2), "0F0F0F0F");
    EXPECT_EQ(t.LineTypes.Cell(PatternCol, 3), "FFFF0000");
    EXPECT_EQ(t.LineTypes.Cell(PatternCol, 4), "00000000");
    EXPECT_EQ(t.LineTypes.Cell(DotsPerUnitCol, 2), "4");
    EXPECT_EQ(t.LineTypes.Cell(ScreenPitchCol, 2), "1001");
    EXPECT_EQ(t.LineTypes.Cell(PrintPitchCol, 2), "-7");
    EXPECT_EQ(t.LineTypes.Cell(SegmentCountCol, 2), "10");
    EXPECT_EQ(t.LineTypes.Cell(FirstPitchCol, 2), "0.5");
    EXPECT_EQ(t.LineTypes.Cell(FirstPitchCol + 1, 2), "123456789012345");
    EXPECT_EQ(t.LineTypes.Cell(FirstPitchCol + 2, 2), "0.123456789012346");
    EXPECT_EQ(t.LineTypes.Cell(FirstPitchCol + 7, 2), "7.5");
    EXPECT_EQ(t.LineTypes.Cell(LineTypeCountCol, 2), "0");
}

TEST(FillTables, CountsByGroupLayerColourAndLineType)
{
    TJwwDocument doc = LoadedDocument();
    Add(doc.SenList, Base(3, 5, 101, 31));
    Add(doc.SenList, Base(3, 5, 101, 31));
    Add(doc.TenList, Base(3, 0, 356, 31));
    Add(doc.SunpoList, Base(3, 0, 101, 31));
    const TFilled t(doc);
    EXPECT_EQ(t.LayerGroups.Cell(NamesCountCol, 4), "3");
    EXPECT_EQ(t.LayerGroups.Cell(NamesCountCol, 1), "0");
    // Layer 5 of group 3 is layer entry 53, shown in row 54.
    EXPECT_EQ(t.Layers.Cell(NamesCountCol, 54), "2");
    EXPECT_EQ(t.Layers.Cell(NamesCountCol, 49), "1");
    EXPECT_EQ(t.Layers.Cell(NamesCountCol, 6), "0");
    EXPECT_EQ(t.Colors.Cell(ColorCountCol, 1), "2");
    EXPECT_EQ(t.Colors.Cell(ColorCountCol, 256), "1");
    // A point carries no line type, whatever its pen style.
    EXPECT_EQ(t.LineTypes.Cell(LineTypeCountCol, 1), "2");
}

TEST(FillTables, EveryCountedKindAndOnlyThose)
{
    TJwwDocument doc = LoadedDocument();
    Add(doc.SenList, Base(1, 1, 102, 32));
    Add(doc.EnkoList, Base(1, 1, 102, 32));
    Add(doc.TenList, Base(1, 1, 102, 32));
    Add(doc.MojiList, Base(1, 1, 102, 32));
    Add(doc.SolidList, Base(1, 1, 102, 32));
    Add(doc.SunpoList, Base(1, 1, 102, 32));
    Add(doc.BlockList, Base(1, 1, 102, 32));
    TEntBlockDef def;
    Add(def.SenList, Base(1, 1, 102, 32));
    doc.BlockDefList.push_back(def);
    const TFilled t(doc);
    EXPECT_EQ(t.LayerGroups.Cell(NamesCountCol, 2), "5");
    EXPECT_EQ(t.Layers.Cell(NamesCountCol, 18), "5");
    EXPECT_EQ(t.Colors.Cell(ColorCountCol, 2), "5");
    EXPECT_EQ(t.LineTypes.Cell(LineTypeCountCol, 2), "2");
}

TEST(FillTables, OutOfRangeValuesAreIgnored)
{
    TJwwDocument doc = LoadedDocument();
    Add(doc.SenList, Base(16, 0, 100, 30));
    Add(doc.SenList, Base(2, 16, 357, 63));
    Add(doc.SenList, Base(65535, 65535, 65535, 255));
    const TElementCounts counts = CountElements(doc);
    EXPECT_EQ(counts.LayerGroups[2], 1);
    int layers = 0;
    for (int32_t n : counts.Layers)
        layers += n;
    EXPECT_EQ(layers, 0);
    // Colour 100 and line type 30 are counted at index 0, which no row shows.
    EXPECT_EQ(counts.Colors[0], 1);
    EXPECT_EQ(counts.LineTypes[0], 1);

    const TFilled t(doc);
    for (int row = 1; row <= 256; ++row)
        ASSERT_EQ(t.Colors.Cell(ColorCountCol, row), "0") << row;
    for (int row = 1; row <= 32; ++row)
        ASSERT_EQ(t.LineTypes.Cell(LineTypeCountCol, row), "0") << row;
}

TEST(FillTables, DocumentWithoutHeaderTablesLeavesTheRowsAlone)
{
    TJwwDocument doc;
    TFilled t(doc);
    EXPECT_EQ(t.LayerGroups.Cell(NameCol, 1), "");
    EXPECT_EQ(t.Colors.Cell(ScreenColorCol, 1), "");
    EXPECT_EQ(t.LineTypes.Cell(PatternCol, 32), "");
}
