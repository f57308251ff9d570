#include "tables/TableColumns.h"

#include <map>
#include <utility>

#include "tables/CellTable.h"
#include "text/Func_.h"

namespace {

constexpr std::array<std::string_view, 4> TableNames{"groups", "layers", "colors", "linetypes"};

constexpr TTableColumn NameTableColumns[] = {
    {0, TCellKind::Number, "no"},
    {NameCol, TCellKind::Name, "name"},
    {NamesCountCol, TCellKind::Count, "count"},
};

constexpr TTableColumn ColorColumns[] = {
    {0, TCellKind::Number, "no"},
    {ColorNameCol, TCellKind::Name, "name"},
    {ScreenColorCol, TCellKind::Integer, "screenColor"},
    {ScreenWidthCol, TCellKind::Integer, "screenWidth"},
    {PrintColorCol, TCellKind::Integer, "printColor"},
    {PrintWidthCol, TCellKind::Integer, "printWidth"},
    {PointRadiusCol, TCellKind::Float, "pointRadius"},
    {ColorCountCol, TCellKind::Count, "count"},
};

constexpr TTableColumn LineTypeColumns[] = {
    {0, TCellKind::Number, "no"},
    {LineTypeNameCol, TCellKind::Name, "name"},
    {PatternCol, TCellKind::Pattern, "pattern"},
    {DotsPerUnitCol, TCellKind::Integer, "dotsPerUnit"},
    {ScreenPitchCol, TCellKind::Integer, "screenPitch"},
    {PrintPitchCol, TCellKind::Integer, "printPitch"},
    {SegmentCountCol, TCellKind::Integer, "segmentCount"},
    {FirstPitchCol + 0, TCellKind::Float, "p0"},
    {FirstPitchCol + 1, TCellKind::Float, "p1"},
    {FirstPitchCol + 2, TCellKind::Float, "p2"},
    {FirstPitchCol + 3, TCellKind::Float, "p3"},
    {FirstPitchCol + 4, TCellKind::Float, "p4"},
    {FirstPitchCol + 5, TCellKind::Float, "p5"},
    {FirstPitchCol + 6, TCellKind::Float, "p6"},
    {FirstPitchCol + 7, TCellKind::Float, "p7"},
    {LineTypeCountCol, TCellKind::Count, "count"},
};

std::size_t IndexOf(TTableKind kind)
{
    return static_cast<std::size_t>(kind);
}

const TCellTable& Frame(TTableKind kind)
{
    static const std::array<TCellTable, 4> frames = [] {
        std::array<TCellTable, 4> tables{NewTable(AllTables[0]), NewTable(AllTables[1]),
                                         NewTable(AllTables[2]), NewTable(AllTables[3])};
        for (TTableKind k : AllTables)
            WriteTableFrame(tables[IndexOf(k)], k);
        return tables;
    }();
    return frames.at(IndexOf(kind));
}

}  // namespace

std::string_view TableName(TTableKind kind)
{
    return TableNames.at(IndexOf(kind));
}

std::optional<TTableKind> TableNamed(std::string_view name)
{
    for (TTableKind kind : AllTables)
        if (TableName(kind) == name)
            return kind;
    return std::nullopt;
}

std::span<const TTableColumn> TableColumns(TTableKind kind)
{
    switch (kind) {
    case TTableKind::LayerGroups:
    case TTableKind::Layers:
        return NameTableColumns;
    case TTableKind::Colors:
        return ColorColumns;
    case TTableKind::LineTypes:
        break;
    }
    return LineTypeColumns;
}

const TTableColumn& TableColumn(TTableKind kind, int col)
{
    for (const TTableColumn& column : TableColumns(kind))
        if (column.Col == col)
            return column;
    throw EJwwRangeError("column " + std::to_string(col) + " of " + std::string(TableName(kind)) +
                         " is not exported");
}

const std::string& ColumnHeader(TTableKind kind, int col)
{
    return Frame(kind).Cell(col, 0);
}

int FirstTableEntry(TTableKind kind)
{
    return FirstEntry(kind);
}

int LastTableEntry(TTableKind kind)
{
    return EntryOfRow(kind, Frame(kind).RowCount() - 1);
}
