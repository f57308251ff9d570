// The rules by which cell texts become document values, and how an edited cell is normalised
// when the selection leaves it. The save and the command-line tool read cells with the same
// functions, so a cell that was never normalised is still stored within its limits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tables/CellTable.h"

constexpr int NameByteBudget = 256;
constexpr int PatternByteBudget = 8;
constexpr int32_t MaxColorValue = 16777215;  // the largest 24-bit RGB value
constexpr int32_t MaxIntCellValue = 1000;     // line widths, dots per unit, pitches
constexpr double MaxFloatCellValue = 1000.0;  // point radius and pitch values P0 .. P7
constexpr int32_t MaxSegmentCount = 8;

// A name cut to 256 bytes without splitting a double-byte character.
std::string NameFromText(std::string_view text);

// 0 .. 16777215.
int32_t ColorValueFromText(std::string_view text);

// 0 .. 1000.
int32_t IntUpTo1000FromText(std::string_view text);

// 0.0 .. 1000.0.
double FloatUpTo1000FromText(std::string_view text);

// The first 8 bytes read as hexadecimal digits; 0 when they are not.
int32_t PatternFromText(std::string_view text);

// 0 .. 8, an odd count raised by one: segments come in pairs of dash and gap.
int32_t SegmentCountFromText(std::string_view text);

// Normalises the colour-table cell at (col, row) by its column's rule; columns 0 and 9 and
// the header row stay.
void NormaliseColorCell(TCellTable& colors, int col, int row);

// Whether normalising this colour-table column changes what a swatch shows.
bool ColorColumnFeedsSwatch(int col);

// Normalises the line-type cell at (col, row); a segment count also resets the pitch cells of
// its row that lie beyond it. Columns 0 and 15 and the header row stay.
void NormaliseLineTypeCell(TCellTable& lineTypes, int col, int row);

// The colour a swatch cell (columns 3 and 6 of a data row) is filled with, from the colour
// cell beside it as it stands; nothing for every other cell.
std::optional<int32_t> SwatchColor(const TCellTable& colors, int col, int row);

// The colour column a double-click on (col) edits: 2 for columns 2 and 3, 5 for 5 and 6.
std::optional<int> ColorDialogTargetCol(int col);
