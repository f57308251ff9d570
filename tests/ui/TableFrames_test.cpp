#include <gtest/gtest.h>

#include "text/Func_.h"
#include "ui/Messages.h"
#include "ui/TableFrames.h"

TEST(TableFrames, FixedSizesAndColumnWidths)
{
    const TCellTable groups = NewTable(TTableKind::LayerGroups);
    EXPECT_EQ(groups.ColCount(), 3);
    EXPECT_EQ(groups.RowCount(), 17);
    EXPECT_EQ(groups.ColWidth(1), 590);
    EXPECT_EQ(NewTable(TTableKind::Layers).RowCount(), 257);
    const TCellTable colors = NewTable(TTableKind::Colors);
    EXPECT_EQ(colors.ColCount(), 10);
    EXPECT_EQ(colors.RowCount(), 257);
    EXPECT_EQ(colors.ColWidth(ScreenSwatchCol), 24);
    EXPECT_EQ(colors.ColWidth(PrintSwatchCol), 22);
    const TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    EXPECT_EQ(lineTypes.ColCount(), 16);
    EXPECT_EQ(lineTypes.RowCount(), 33);
    EXPECT_EQ(lineTypes.ColWidth(LineTypeCountCol), 58);
    EXPECT_THROW(lineTypes.ColWidth(16), EJwwRangeError);
}

TEST(TableFrames, NumberColumnIsRightAlignedToThreeCharacters)
{
    TCellTable groups = NewTable(TTableKind::LayerGroups);
    WriteTableFrame(groups, TTableKind::LayerGroups);
    EXPECT_EQ(groups.Cell(0, 1), "  0");
    EXPECT_EQ(groups.Cell(0, 16), " 15");

    TCellTable layers = NewTable(TTableKind::Layers);
    WriteTableFrame(layers, TTableKind::Layers);
    EXPECT_EQ(layers.Cell(0, 1), "  0");
    EXPECT_EQ(layers.Cell(0, 256), "255");

    TCellTable colors = NewTable(TTableKind::Colors);
    WriteTableFrame(colors, TTableKind::Colors);
    EXPECT_EQ(colors.Cell(0, 1), "  1");
    EXPECT_EQ(colors.Cell(0, 256), "256");

    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    WriteTableFrame(lineTypes, TTableKind::LineTypes);
    EXPECT_EQ(lineTypes.Cell(0, 1), "  1");
    EXPECT_EQ(lineTypes.Cell(0, 32), " 32");
}

TEST(TableFrames, HeaderRows)
{
    TCellTable colors = NewTable(TTableKind::Colors);
    WriteTableFrame(colors, TTableKind::Colors);
    EXPECT_EQ(colors.Cell(0, 0), "No.");
    EXPECT_EQ(colors.Cell(ColorNameCol, 0), HeadColorName);
    EXPECT_EQ(colors.Cell(ScreenSwatchCol, 0), "");
    EXPECT_EQ(colors.Cell(PrintSwatchCol, 0), "");
    EXPECT_EQ(colors.Cell(PointRadiusCol, 0), HeadPointRadius);
    EXPECT_EQ(colors.Cell(ColorCountCol, 0), HeadElementCount);

    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    WriteTableFrame(lineTypes, TTableKind::LineTypes);
    EXPECT_EQ(lineTypes.Cell(DotsPerUnitCol, 0), HeadDotsPerUnit);
    EXPECT_EQ(lineTypes.Cell(SegmentCountCol, 0), HeadSegmentCount);
    EXPECT_EQ(lineTypes.Cell(FirstPitchCol, 0), "P0");
    EXPECT_EQ(lineTypes.Cell(FirstPitchCol + 7, 0), "P7");
    EXPECT_EQ(lineTypes.Cell(LineTypeCountCol, 0), HeadElementCount);

    TCellTable layers = NewTable(TTableKind::Layers);
    WriteTableFrame(layers, TTableKind::Layers);
    EXPECT_EQ(layers.Cell(NameCol, 0), HeadLayerName);
    EXPECT_EQ(layers.Cell(NamesCountCol, 0), HeadElementCount);
}

TEST(CellTable, ClearingKeepsHeaderRowAndNumberColumn)
{
    TCellTable groups = NewTable(TTableKind::LayerGroups);
    WriteTableFrame(groups, TTableKind::LayerGroups);
    groups.SetCell(1, 1, "name");
    groups.SetCell(2, 16, "9");
    groups.ClearDataCells();
    EXPECT_EQ(groups.Cell(1, 1), "");
    EXPECT_EQ(groups.Cell(2, 16), "");
    EXPECT_EQ(groups.Cell(1, 0), HeadLayerGroupName);
    EXPECT_EQ(groups.Cell(0, 16), " 15");
}

TEST(CellTable, CellsOutsideTheTableAreRefused)
{
    TCellTable groups = NewTable(TTableKind::LayerGroups);
    EXPECT_THROW(groups.Cell(3, 1), EJwwRangeError);
    EXPECT_THROW(groups.Cell(0, 17), EJwwRangeError);
    EXPECT_THROW(groups.SetCell(-1, 0, "x"), EJwwRangeError);
    EXPECT_THROW(groups.SetCell(1, -1, "x"), EJwwRangeError);
}
