#include "tests/ui/Form1Fixture.h"

using Form1Edit = Form1Test;

TEST_F(Form1Edit, LeavingAColourCellNormalisesItAndRepaintsSwatches)
{
    Open(WriteSampleDrawing());
    Form.StringGrid3SelectCell(ScreenColorCol, 5);
    Form.StringGrid3.SetCell(ScreenColorCol, 5, "abc");
    EXPECT_TRUE(Services.Repaints.empty());
    Form.StringGrid3SelectCell(ScreenWidthCol, 5);
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 5), "0");
    ASSERT_EQ(Services.Repaints.size(), 1u);
    EXPECT_EQ(Services.Repaints[0], &Form.StringGrid3);
    EXPECT_EQ(Form.StringGrid3DrawCell(ScreenSwatchCol, 5), 0);

    // Widths do not change a swatch, so nothing is repainted for them.
    Form.StringGrid3.SetCell(ScreenWidthCol, 5, "1001");
    Form.StringGrid3SelectCell(PrintColorCol, 5);
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenWidthCol, 5), "1000");
    EXPECT_EQ(Services.Repaints.size(), 1u);

    Form.StringGrid3.SetCell(PrintColorCol, 5, "16777216");
    Form.StringGrid3SelectCell(PrintSwatchCol, 5);
    EXPECT_EQ(Form.StringGrid3.Cell(PrintColorCol, 5), "16777215");
    EXPECT_EQ(Services.Repaints.size(), 2u);

    Form.StringGrid3.SetCell(PrintSwatchCol, 5, "typed");
    Form.StringGrid3SelectCell(PointRadiusCol, 5);
    EXPECT_EQ(Form.StringGrid3.Cell(PrintSwatchCol, 5), "");
    EXPECT_EQ(Form.LastCol, PointRadiusCol);
    EXPECT_EQ(Form.LastRow, 5);
}

TEST_F(Form1Edit, ThreeTablesShareOneRememberedPosition)
{
    Open(WriteSampleDrawing());
    const std::string longName(300, 'n');
    Form.StringGrid1.SetCell(NameCol, 3, longName);
    Form.StringGrid2.SetCell(NameCol, 200, longName);
    Form.StringGrid3.SetCell(ColorNameCol, 3, longName);

    // Edit a colour cell, then click into the layer-group table: the colour cell follows.
    Form.StringGrid3SelectCell(ScreenColorCol, 7);
    Form.StringGrid3.SetCell(ScreenColorCol, 7, "$FF");
    Form.StringGrid3SelectCell(NameCol, 3);  // raised by the layer-group table
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 7), "255");

    // The next click normalises the colour cell at the layer-group cell's coordinates.
    Form.StringGrid3SelectCell(NamesCountCol, 200);  // raised by the layer table
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 3), std::string(256, 'n'));
    Form.StringGrid3SelectCell(NameCol, 1);
    // Layer-group and layer names are never cut while editing.
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 3), longName);
    EXPECT_EQ(Form.StringGrid2.Cell(NameCol, 200), longName);
}

TEST_F(Form1Edit, RememberedPositionsSurviveAnOpen)
{
    Form.StringGrid3SelectCell(PointRadiusCol, 1);
    Form.StringGrid4SelectCell(SegmentCountCol, 1);
    TJwwDocument fields = SampleFields();
    fields.ColorExTable[1].PointRadius = 2000.0;
    fields.LineTypeExTable[1].SegmentCount = 5;
    Open(WriteDrawing("drawing.jww", fields));
    EXPECT_EQ(Form.StringGrid3.Cell(PointRadiusCol, 1), "2000");
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 1), "5");

    Form.StringGrid3SelectCell(1, 1);
    Form.StringGrid4SelectCell(1, 1);
    EXPECT_EQ(Form.StringGrid3.Cell(PointRadiusCol, 1), "1000");
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 1), "6");
}

TEST_F(Form1Edit, LineTypeTableKeepsItsOwnPosition)
{
    Open(WriteSampleDrawing());
    Form.StringGrid3SelectCell(ScreenColorCol, 2);
    Form.StringGrid4SelectCell(SegmentCountCol, 1);
    Form.StringGrid4.SetCell(SegmentCountCol, 1, "1");
    Form.StringGrid4.SetCell(FirstPitchCol + 1, 1, "7");
    Form.StringGrid4SelectCell(PatternCol, 1);
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 1), "2");
    EXPECT_EQ(Form.StringGrid4.Cell(FirstPitchCol + 1, 1), "7");
    EXPECT_EQ(Form.StringGrid4.Cell(FirstPitchCol + 2, 1), "0");
    EXPECT_EQ(Form.LastCol, ScreenColorCol);
    EXPECT_EQ(Form.LastRow, 2);
    EXPECT_EQ(Form.LastCol4, PatternCol);
    EXPECT_EQ(Form.LastRow4, 1);

    Form.StringGrid4.SetCell(PatternCol, 1, "0f0f0f0f");
    Form.StringGrid4SelectCell(FirstPitchCol + 2, 1);
    EXPECT_EQ(Form.StringGrid4.Cell(PatternCol, 1), "0F0F0F0F");
    // P2 lies beyond the segment count of 2.
    Form.StringGrid4.SetCell(FirstPitchCol + 2, 1, "5");
    Form.StringGrid4SelectCell(LineTypeCountCol, 1);
    EXPECT_EQ(Form.StringGrid4.Cell(FirstPitchCol + 2, 1), "0");
    EXPECT_TRUE(Services.Repaints.empty());
}

TEST_F(Form1Edit, DoubleClickOnAColourOpensTheColourDialog)
{
    Open(WriteSampleDrawing());
    ASSERT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 1), "255");
    Services.ColorAnswers.push_back(16711680);
    Form.StringGrid3DblClick(ScreenSwatchCol, 1);
    ASSERT_EQ(Services.ColorDialogs.size(), 1u);
    EXPECT_EQ(Services.ColorDialogs[0], 255);
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 1), "16711680");
    EXPECT_EQ(Form.StringGrid3DrawCell(ScreenSwatchCol, 1), 16711680);
    EXPECT_EQ(Services.Repaints.size(), 1u);

    // Cancelling leaves the cell, and the print colour takes its own column.
    Form.StringGrid3.SetCell(PrintColorCol, 1, "oops");
    Services.ColorAnswers.push_back(std::nullopt);
    Form.StringGrid3DblClick(PrintColorCol, 1);
    EXPECT_EQ(Services.ColorDialogs.back(), 0);
    EXPECT_EQ(Form.StringGrid3.Cell(PrintColorCol, 1), "oops");
    EXPECT_EQ(Services.Repaints.size(), 1u);

    Services.ColorAnswers.push_back(65280);
    Form.StringGrid3DblClick(PrintSwatchCol, 1);
    EXPECT_EQ(Form.StringGrid3.Cell(PrintColorCol, 1), "65280");
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 1), "16711680");
}

TEST_F(Form1Edit, DoubleClickElsewhereDoesNothing)
{
    Open(WriteSampleDrawing());
    for (int col : std::initializer_list<int>{0, ColorNameCol, ScreenWidthCol, PrintWidthCol,
                                              PointRadiusCol, ColorCountCol})
        Form.StringGrid3DblClick(col, 1);
    Form.StringGrid3DblClick(ScreenColorCol, 0);
    EXPECT_TRUE(Services.ColorDialogs.empty());
    EXPECT_TRUE(Services.Repaints.empty());
}

TEST_F(Form1Edit, SwatchesFollowTheColourCellsAsTyped)
{
    Form.StringGrid3.SetCell(ScreenColorCol, 256, "255");
    Form.StringGrid3.SetCell(PrintColorCol, 256, "not a number");
    EXPECT_EQ(Form.StringGrid3DrawCell(ScreenSwatchCol, 256), 255);
    EXPECT_EQ(Form.StringGrid3DrawCell(PrintSwatchCol, 256), 0);
    EXPECT_EQ(Form.StringGrid3DrawCell(ScreenColorCol, 256), std::nullopt);
    EXPECT_EQ(Form.StringGrid3DrawCell(ScreenSwatchCol, 0), std::nullopt);
}
