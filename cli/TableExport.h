// The four tables as text for a spreadsheet or a script: the window's columns, number formats,
// element counts and header texts, one row per entry.
//
// CSV of one table: a header row of the window's header texts ("No." first), then one row per
// entry. CSV of several tables: a first column "table" naming each row's table (groups, layers,
// colors, linetypes), then "No." and the columns of all the tables, each header once in the
// order of first appearance; a row leaves the columns of other tables empty. A cell that a
// spreadsheet would run as a formula is guarded with a leading apostrophe (GuardedCell).
//
// JSON: an object with one member per table, named as above, holding an array of rows; each
// row is an object with "no" and "count" as numbers and every other column as the window's
// text under a fixed ASCII key (name, screenColor, screenWidth, printColor, printWidth,
// pointRadius, pattern, dotsPerUnit, screenPitch, printPitch, segmentCount, p0 .. p7).
#pragma once

#include <string>
#include <vector>

#include "cli/TextEncoding.h"
#include "jww/jwwunit.h"
#include "tables/TableColumns.h"

enum class TTableFormat { Csv, Json };

struct TExportRequest {
    std::vector<TTableKind> Tables;
    TTableFormat Format = TTableFormat::Csv;
    // CSV only; JSON is always UTF-8. UTF-8 CSV starts with a byte-order mark.
    TTextEncoding Encoding = TTextEncoding::Utf8;
};

// The whole export. Raises ETableTextError, naming the table, row and column, for a cell whose
// bytes have no UTF-8 form when UTF-8 is asked for.
std::string ExportTables(const TJwwDocument& doc, const TExportRequest& request);

// The header text of the CSV column that names each row's table.
inline constexpr std::string_view TableColumnHeader = "table";
