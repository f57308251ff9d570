// The four tables of the window: their fixed sizes and column widths, their header rows and
// their number columns, and the meaning of each column.
#pragma once

#include <cstddef>
#include <string>

#include "tables/CellTable.h"

enum class TTableKind { LayerGroups, Layers, Colors, LineTypes };

// Columns of the layer-group and layer tables.
enum : int { NameCol = 1, NamesCountCol = 2 };

// Columns of the SXF colour table.
enum : int {
    ColorNameCol = 1,
    ScreenColorCol = 2,
    ScreenSwatchCol = 3,
    ScreenWidthCol = 4,
    PrintColorCol = 5,
    PrintSwatchCol = 6,
    PrintWidthCol = 7,
    PointRadiusCol = 8,
    ColorCountCol = 9,
};

// Columns of the SXF line-type table; P0 .. P7 are FirstPitchCol .. FirstPitchCol + 7.
enum : int {
    LineTypeNameCol = 1,
    PatternCol = 2,
    DotsPerUnitCol = 3,
    ScreenPitchCol = 4,
    PrintPitchCol = 5,
    SegmentCountCol = 6,
    FirstPitchCol = 7,
    LineTypeCountCol = 15,
};

constexpr int ShownPitchCount = 8;

// A table of the kind's size and column widths with every cell empty.
TCellTable NewTable(TTableKind kind);

// Each data row shows one entry of a document collection, and its number column shows the
// entry's number: layer groups and layers from entry 0, SXF colours and line types from 1.
int EntryOfRow(TTableKind kind, int row);
int RowOfEntry(TTableKind kind, int entry);
int FirstEntry(TTableKind kind);

// The last entry that both the table and a collection of `entries` elements hold.
int LastEntry(const TCellTable& table, TTableKind kind, std::size_t entries);

// The number column's text: right-aligned to three characters.
std::string NumberColumnText(int number);

// Writes the header row and the number column; data cells are left alone.
void WriteTableFrame(TCellTable& table, TTableKind kind);
