#include "tables/TableFrames.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "tables/TableMessages.h"
#include "text/Func_.h"

namespace {

struct TTableShape {
    std::vector<int> ColWidths;
    int DataRows;
    int FirstEntry;  // the entry the first data row shows
    std::vector<std::string_view> Headers;
};

const TTableShape& ShapeOf(TTableKind kind)
{
    static const TTableShape layerGroups{
        {28, 590, 62}, 16, 0, {HeadNumber, HeadLayerGroupName, HeadElementCount}};
    static const TTableShape layers{
        {28, 590, 62}, 256, 0, {HeadNumber, HeadLayerName, HeadElementCount}};
    static const TTableShape colors{
        {28, 138, 80, 24, 80, 80, 22, 80, 80, 62},
        256,
        1,
        {HeadNumber, HeadColorName, HeadScreenColor, "", HeadScreenWidth, HeadPrintColor, "",
         HeadPrintWidth, HeadPointRadius, HeadElementCount}};
    static const TTableShape lineTypes{
        {28, 138, 80, 80, 82, 82, 72, 38, 36, 36, 36, 34, 34, 34, 32, 58},
        32,
        1,
        {HeadNumber, HeadLineTypeName, HeadPattern, HeadDotsPerUnit, HeadScreenPitch,
         HeadPrintPitch, HeadSegmentCount, "P0", "P1", "P2", "P3", "P4", "P5", "P6", "P7",
         HeadElementCount}};
    switch (kind) {
    case TTableKind::LayerGroups:
        return layerGroups;
    case TTableKind::Layers:
        return layers;
    case TTableKind::Colors:
        return colors;
    case TTableKind::LineTypes:
        break;
    }
    return lineTypes;
}

}  // namespace

TCellTable NewTable(TTableKind kind)
{
    const TTableShape& shape = ShapeOf(kind);
    return TCellTable(shape.ColWidths, 1 + shape.DataRows);
}

int EntryOfRow(TTableKind kind, int row)
{
    return FirstEntry(kind) + row - 1;
}

int RowOfEntry(TTableKind kind, int entry)
{
    return entry - FirstEntry(kind) + 1;
}

int FirstEntry(TTableKind kind)
{
    return ShapeOf(kind).FirstEntry;
}

int LastEntry(const TCellTable& table, TTableKind kind, std::size_t entries)
{
    const int lastInTable = EntryOfRow(kind, table.RowCount() - 1);
    return std::min(lastInTable, static_cast<int>(entries) - 1);
}

std::string NumberColumnText(int number)
{
    const std::string digits = std::to_string(number);
    return SpaceStr(3 - static_cast<int>(digits.size())) + digits;
}

void WriteTableFrame(TCellTable& table, TTableKind kind)
{
    const TTableShape& shape = ShapeOf(kind);
    for (int col = 0; col < static_cast<int>(shape.Headers.size()); ++col)
        table.SetCell(col, 0, shape.Headers[static_cast<std::size_t>(col)]);
    for (int row = 1; row < table.RowCount(); ++row)
        table.SetCell(0, row, NumberColumnText(EntryOfRow(kind, row)));
}
