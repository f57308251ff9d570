// The four tables as exports, imports and comparisons name them: their names on the command
// line, their columns with the window's header texts and the keys that stand for them in JSON.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tables/TableFrames.h"

// Raised for table text that cannot be exported in the encoding asked for, or edits that
// cannot be applied; the message names the place.
class ETableTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::array<TTableKind, 4> AllTables{TTableKind::LayerGroups, TTableKind::Layers,
                                                     TTableKind::Colors, TTableKind::LineTypes};

// groups, layers, colors, linetypes.
std::string_view TableName(TTableKind kind);
std::optional<TTableKind> TableNamed(std::string_view name);

// What a column holds, which decides how an imported cell is checked.
enum class TCellKind {
    Number,   // the number column: the entry shown in the row
    Name,     // any text; the save cuts it to 256 bytes
    Integer,  // a decimal or $-hexadecimal integer
    Float,    // a decimal number
    Pattern,  // one to eight hexadecimal digits
    Count,    // an element count, never read back
};

struct TTableColumn {
    int Col;  // the column of the window's table
    TCellKind Kind;
    std::string_view Key;  // stands for the column in JSON
};

// The columns in the window's order, from the number column to the element count. The colour
// swatch columns are left out: they hold no text, only paint.
std::span<const TTableColumn> TableColumns(TTableKind kind);

// The exported column that shows the window's column col; raises EJwwRangeError for another.
const TTableColumn& TableColumn(TTableKind kind, int col);

// The column's header text in the window, in code page 932.
const std::string& ColumnHeader(TTableKind kind, int col);

// The entries a table shows: 0 .. 15, 0 .. 255, 1 .. 256 and 1 .. 32.
int FirstTableEntry(TTableKind kind);
int LastTableEntry(TTableKind kind);
