// Reading the edits that zelvane-cli import applies: a file in the form that export writes,
// CSV or JSON, holding any subset of the rows and columns of the four tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/TextEncoding.h"
#include "tables/TableColumns.h"

// One cell of a column that the window's save reads back; element counts are not among them.
struct TCellEdit {
    TTableKind Kind;
    int Entry;
    int Col;
    std::string Text;   // code page 932
    std::string Place;  // where the cell stands, for messages
};

// The edits in content, in file order. JSON is recognised by its first character, "{"; it is
// always UTF-8. CSV is UTF-8 when the encoding says so, when it starts with a byte-order mark,
// or, with no encoding given, when it is valid UTF-8; code page 932 otherwise.
//
// Every cell is checked before anything is applied: a row number outside the table, a row given
// twice, an unknown table or column, a number cell that does not hold a number, a pattern that
// is not one to eight hexadecimal digits and a character that code page 932 cannot hold raise
// ETableTextError naming the line or JSON member, the table, the row and the column; so does
// malformed CSV or JSON.
std::vector<TCellEdit> ReadTableEdits(std::string_view content,
                                      std::optional<TTextEncoding> encoding);
