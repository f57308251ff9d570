// The four tables filled from a drawing exactly as the window shows it after opening it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "jww/jwwunit.h"
#include "tables/CellTable.h"
#include "tables/TableColumns.h"
#include "tables/TableFrames.h"

struct TWindowTables {
    // Header rows, number columns and every data cell, by the window's own fill.
    explicit TWindowTables(const TJwwDocument& doc);

    TCellTable& Of(TTableKind kind);
    const TCellTable& Of(TTableKind kind) const;

    TCellTable LayerGroups;
    TCellTable Layers;
    TCellTable Colors;
    TCellTable LineTypes;
};

// A cell whose text differs between two fills of the tables.
struct TCellChange {
    TTableKind Table;
    int Entry;  // the number the row shows
    const TTableColumn* Column;
    std::string Old;
    std::string New;
};

// Whether the values behind a cell differ where both fills show the same text.
using TValuesDiffer = std::function<bool(TTableKind kind, int entry, const TTableColumn& column)>;

// Every cell that differs, in table, row and column order, apart from the number column and
// the element counts; with valuesDiffer also the cells whose equal texts it tells apart.
std::vector<TCellChange> ChangedCells(const TWindowTables& was, const TWindowTables& is,
                                      const TValuesDiffer& valuesDiffer = nullptr);
