#include "tables/CellTable.h"

#include <utility>

#include "text/Func_.h"

TCellTable::TCellTable(std::vector<int> colWidths, int rowCount)
    : ColWidths(std::move(colWidths)), Rows(rowCount < 0 ? 0 : rowCount),
      Cells(ColWidths.size() * static_cast<std::size_t>(Rows)), Typed(Cells.size())
{
}

int TCellTable::ColWidth(int col) const
{
    if (col < 0 || col >= ColCount())
        throw EJwwRangeError("column " + std::to_string(col) + " outside the table");
    return ColWidths[static_cast<std::size_t>(col)];
}

std::size_t TCellTable::IndexOf(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= Rows)
        throw EJwwRangeError("cell (" + std::to_string(col) + ", " + std::to_string(row) +
                             ") outside the table");
    return static_cast<std::size_t>(row) * ColWidths.size() + static_cast<std::size_t>(col);
}

const std::string& TCellTable::Cell(int col, int row) const
{
    return Cells[IndexOf(col, row)];
}

void TCellTable::SetCell(int col, int row, std::string_view text)
{
    Cells[IndexOf(col, row)] = text;
}

void TCellTable::TypeCell(int col, int row, std::string_view text)
{
    const std::size_t i = IndexOf(col, row);
    Cells[i] = text;
    Typed[i] = true;
}

bool TCellTable::WasTyped(int col, int row) const
{
    return Typed[IndexOf(col, row)];
}

void TCellTable::ClearDataCells()
{
    Typed.assign(Typed.size(), false);
    for (int row = 1; row < Rows; ++row)
        for (int col = 1; col < ColCount(); ++col)
            Cells[IndexOf(col, row)].clear();
}
