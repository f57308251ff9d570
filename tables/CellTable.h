// A table of byte-string cells of fixed size, as the window's grids hold them: row 0 is the
// header row, column 0 the number column, every other cell an editable data cell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TCellTable {
public:
    // One column per width (in pixels); rowCount includes the header row.
    TCellTable(std::vector<int> colWidths, int rowCount);

    int ColCount() const { return static_cast<int>(ColWidths.size()); }
    int RowCount() const { return Rows; }
    int ColWidth(int col) const;

    // Both raise EJwwRangeError for a cell outside the table.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);

    // Sets a cell to what the user entered, and remembers that the user did: a cell rule that
    // only rewrites a cell's text is no edit of the drawing.
    void TypeCell(int col, int row, std::string_view text);
    bool WasTyped(int col, int row) const;

    // Empties every cell of rows 1 .. and columns 1 ..; the header row and number column stay.
    // No cell counts as typed afterwards.
    void ClearDataCells();

private:
    std::size_t IndexOf(int col, int row) const;

    std::vector<int> ColWidths;
    int Rows;
    std::vector<std::string> Cells;  // row by row
    std::vector<bool> Typed;         // likewise
};
