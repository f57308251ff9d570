#include <gtest/gtest.h>

#include "ui/FillTables.h"
#include "ui/TableFrames.h"
#include "ui/TableWriteBack.h"

namespace {

// A document with recognisable values everywhere, and the tables filled from it.
struct TEdited {
    TJwwDocument Doc;
    TCellTable LayerGroups = NewTable(TTableKind::LayerGroups);
    TCellTable Layers = NewTable(TTableKind::Layers);
    TCellTable Colors = NewTable(TTableKind::Colors);
    TCellTable LineTypes = NewTable(TTableKind::LineTypes);

    TEdited()
    {
        CreateHeaderTables(Doc);
        for (TLayerGroup& g : Doc.LayerGroupTable) {
            g.Value1 = 11;
            g.Value3 = 0.5;
            g.Name = "group";
        }
        for (TLayer& l : Doc.LayerTable) {
            l.Value2 = 22;
            l.Name = "layer";
        }
        for (TColorExNo& c : Doc.ColorExTable) {
            c.Name = "colour";
            c.ScreenColor = 1;
            c.ScreenWidth = 2;
            c.PrintColor = 3;
            c.PrintWidth = 4;
            c.PointRadius = 5.5;
        }
        for (TLineTypeExNo& t : Doc.LineTypeExTable) {
            t.Name = "type";
            t.Pattern = 0x12345678;
            t.DotsPerUnit = 6;
            t.ScreenPitch = 7;
            t.PrintPitch = 8;
            t.SegmentCount = 10;
            for (int k = 0; k < 10; ++k)
                t.Pitches[k] = 10.0 + k;
        }
        FillTables(Doc, LayerGroups, Layers, Colors, LineTypes);
    }

    void WriteBack() { WriteBackTables(LayerGroups, Layers, Colors, LineTypes, Doc); }
};

}  // namespace

TEST(TableWriteBack, NamesAreCutToTheByteBudget)
{
    TEdited e;
    e.LayerGroups.SetCell(NameCol, 1, "first group");
    e.LayerGroups.SetCell(NameCol, 16, std::string(255, 'g') + "\x88\x9F");
    e.Layers.SetCell(NameCol, 256, std::string(300, 'l'));
    e.Colors.SetCell(ColorNameCol, 256, "\x90\xD4");
    e.LineTypes.SetCell(LineTypeNameCol, 1, std::string(257, 't'));
    e.WriteBack();
    EXPECT_EQ(e.Doc.LayerGroupTable[0].Name, "first group");
    EXPECT_EQ(e.Doc.LayerGroupTable[15].Name, std::string(255, 'g'));
    EXPECT_EQ(e.Doc.LayerTable[255].Name, std::string(256, 'l'));
    EXPECT_EQ(e.Doc.ColorExTable[256].Name, "\x90\xD4");
    EXPECT_EQ(e.Doc.LineTypeExTable[1].Name, std::string(256, 't'));
    // The layer values are not the table's business.
    EXPECT_EQ(e.Doc.LayerGroupTable[0].Value1, 11);
    EXPECT_EQ(e.Doc.LayerGroupTable[0].Value3, 0.5);
    EXPECT_EQ(e.Doc.LayerTable[255].Value2, 22);
}

TEST(TableWriteBack, ColourFieldsWithTheirLimits)
{
    TEdited e;
    e.Colors.SetCell(ScreenColorCol, 9, "16777216");
    e.Colors.SetCell(ScreenWidthCol, 9, "-3");
    e.Colors.SetCell(PrintColorCol, 9, "$FF");
    e.Colors.SetCell(PrintWidthCol, 9, "1001");
    e.Colors.SetCell(PointRadiusCol, 9, "1500");
    e.Colors.SetCell(ColorCountCol, 9, "999");
    e.Colors.SetCell(PointRadiusCol, 10, "0.25");
    e.Colors.SetCell(ScreenColorCol, 10, "abc");
    e.WriteBack();
    const TColorExNo& c = e.Doc.ColorExTable[9];
    EXPECT_EQ(c.ScreenColor, 16777215);
    EXPECT_EQ(c.ScreenWidth, 0);
    EXPECT_EQ(c.PrintColor, 255);
    EXPECT_EQ(c.PrintWidth, 1000);
    EXPECT_EQ(c.PointRadius, 1000.0);
    EXPECT_EQ(e.Doc.ColorExTable[10].PointRadius, 0.25);
    EXPECT_EQ(e.Doc.ColorExTable[10].ScreenColor, 0);
    EXPECT_EQ(e.Doc.ColorExTable[11].PointRadius, 5.5);
}

TEST(TableWriteBack, UneditedValuesStillPassThroughTheLimits)
{
    TEdited e;
    e.Doc.ColorExTable[3].PointRadius = 1500.0;
    e.Doc.ColorExTable[3].ScreenWidth = -3;
    e.Doc.ColorExTable[4].PointRadius = 0.1234567890123456;
    e.Doc.LineTypeExTable[5].DotsPerUnit = 5000;
    FillTables(e.Doc, e.LayerGroups, e.Layers, e.Colors, e.LineTypes);
    e.WriteBack();
    EXPECT_EQ(e.Doc.ColorExTable[3].PointRadius, 1000.0);
    EXPECT_EQ(e.Doc.ColorExTable[3].ScreenWidth, 0);
    EXPECT_EQ(e.Doc.ColorExTable[4].PointRadius, 0.123456789012346);
    EXPECT_EQ(e.Doc.LineTypeExTable[5].DotsPerUnit, 1000);
}

TEST(TableWriteBack, LineTypeFieldsWithTheirLimits)
{
    TEdited e;
    e.LineTypes.SetCell(PatternCol, 4, "ff");
    e.LineTypes.SetCell(PatternCol, 5, "ffffffff");
    e.LineTypes.SetCell(PatternCol, 6, "zz");
    e.LineTypes.SetCell(DotsPerUnitCol, 4, "1001");
    e.LineTypes.SetCell(ScreenPitchCol, 4, "-1");
    e.LineTypes.SetCell(PrintPitchCol, 4, "999");
    e.LineTypes.SetCell(LineTypeCountCol, 4, "12");
    e.WriteBack();
    const TLineTypeExNo& t = e.Doc.LineTypeExTable[4];
    EXPECT_EQ(t.Pattern, 255);
    EXPECT_EQ(e.Doc.LineTypeExTable[5].Pattern, -1);
    EXPECT_EQ(e.Doc.LineTypeExTable[6].Pattern, 0);
    EXPECT_EQ(e.Doc.LineTypeExTable[7].Pattern, 0x12345678);
    EXPECT_EQ(t.DotsPerUnit, 1000);
    EXPECT_EQ(t.ScreenPitch, 0);
    EXPECT_EQ(t.PrintPitch, 999);
}

TEST(TableWriteBack, PitchesFollowTheSegmentCountCell)
{
    TEdited e;
    e.LineTypes.SetCell(SegmentCountCol, 2, "3");
    for (int k = 0; k < 8; ++k)
        e.LineTypes.SetCell(FirstPitchCol + k, 2, std::to_string(k + 1));
    e.LineTypes.SetCell(FirstPitchCol, 2, "2000");
    e.WriteBack();
    const TLineTypeExNo& t = e.Doc.LineTypeExTable[2];
    // 3 counts as 4: P0 .. P3 come from the row, P4 .. P7 become 0.
    EXPECT_EQ(t.Pitches[0], 1000.0);
    EXPECT_EQ(t.Pitches[1], 2.0);
    EXPECT_EQ(t.Pitches[3], 4.0);
    EXPECT_EQ(t.Pitches[4], 0.0);
    EXPECT_EQ(t.Pitches[7], 0.0);
    EXPECT_EQ(t.Pitches[8], 18.0);
    EXPECT_EQ(t.Pitches[9], 19.0);
}

TEST(TableWriteBack, UneditedSegmentCountsAreKept)
{
    TEdited e;
    e.Doc.LineTypeExTable[9].SegmentCount = 3;
    FillTables(e.Doc, e.LayerGroups, e.Layers, e.Colors, e.LineTypes);
    e.WriteBack();
    // Ten segments show as 10, take P0 .. P7 from the row and keep pitches 8 and 9.
    const TLineTypeExNo& ten = e.Doc.LineTypeExTable[1];
    EXPECT_EQ(ten.SegmentCount, 10);
    EXPECT_EQ(ten.Pitches[7], 17.0);
    EXPECT_EQ(ten.Pitches[8], 18.0);
    EXPECT_EQ(ten.Pitches[9], 19.0);
    // An odd count stays odd, while its pitches are taken as for the even count above it.
    const TLineTypeExNo& three = e.Doc.LineTypeExTable[9];
    EXPECT_EQ(three.SegmentCount, 3);
    EXPECT_EQ(three.Pitches[3], 13.0);
    EXPECT_EQ(three.Pitches[4], 0.0);
}

TEST(TableWriteBack, EditedSegmentCountsAreStored)
{
    TEdited e;
    e.LineTypes.SetCell(SegmentCountCol, 1, "3");   // not normalised yet
    e.LineTypes.SetCell(SegmentCountCol, 2, "6");   // normalised
    e.LineTypes.SetCell(SegmentCountCol, 3, "8");   // 10 edited to the largest shown count
    e.LineTypes.SetCell(SegmentCountCol, 4, " 10"); // other text for the same number
    e.WriteBack();
    EXPECT_EQ(e.Doc.LineTypeExTable[1].SegmentCount, 4);
    EXPECT_EQ(e.Doc.LineTypeExTable[2].SegmentCount, 6);
    EXPECT_EQ(e.Doc.LineTypeExTable[3].SegmentCount, 8);
    EXPECT_EQ(e.Doc.LineTypeExTable[4].SegmentCount, 8);
    EXPECT_EQ(e.Doc.LineTypeExTable[5].SegmentCount, 10);
    // Pitches 8 and 9 stay whatever the count became.
    EXPECT_EQ(e.Doc.LineTypeExTable[1].Pitches[8], 18.0);
    EXPECT_EQ(e.Doc.LineTypeExTable[3].Pitches[9], 19.0);

    // A second write-back of the same cells changes nothing more.
    e.WriteBack();
    EXPECT_EQ(e.Doc.LineTypeExTable[1].SegmentCount, 4);
    EXPECT_EQ(e.Doc.LineTypeExTable[4].SegmentCount, 8);
}

TEST(TableWriteBack, EntryZeroOfBothSxfTablesIsUntouched)
{
    TEdited e;
    e.Doc.ColorExTable[0].PointRadius = 1500.0;
    e.Doc.ColorExTable[0].Name = std::string(400, 'z');
    e.Doc.LineTypeExTable[0].SegmentCount = 3;
    e.Doc.LineTypeExTable[0].Pitches[5] = 2000.0;
    e.Colors.SetCell(ColorNameCol, 0, "header text");
    e.WriteBack();
    EXPECT_EQ(e.Doc.ColorExTable[0].PointRadius, 1500.0);
    EXPECT_EQ(e.Doc.ColorExTable[0].Name, std::string(400, 'z'));
    EXPECT_EQ(e.Doc.LineTypeExTable[0].SegmentCount, 3);
    EXPECT_EQ(e.Doc.LineTypeExTable[0].Pitches[5], 2000.0);
    EXPECT_EQ(e.Doc.LineTypeExTable[0].Name, "type");
}

TEST(TableWriteBack, DocumentWithoutHeaderTablesIsLeftAlone)
{
    TEdited e;
    TJwwDocument empty;
    WriteBackTables(e.LayerGroups, e.Layers, e.Colors, e.LineTypes, empty);
    EXPECT_TRUE(empty.LayerGroupTable.empty());
    EXPECT_TRUE(empty.ColorExTable.empty());
    EXPECT_TRUE(empty.LineTypeExTable.empty());
}
