#include "cli/TableChanges.h"

#include "cli/CliText.h"
#include "cli/TableColumns.h"
#include "cli/TextEncoding.h"

std::vector<std::string> TableChanges(const TWindowTables& before, const TWindowTables& after)
{
    std::vector<std::string> changes;
    for (const TTableKind kind : AllTables) {
        const TCellTable& was = before.Of(kind);
        const TCellTable& is = after.Of(kind);
        for (int entry = FirstTableEntry(kind); entry <= LastTableEntry(kind); ++entry) {
            const int row = entry - FirstTableEntry(kind) + 1;
            for (const TTableColumn& column : TableColumns(kind)) {
                if (column.Kind == TCellKind::Number || column.Kind == TCellKind::Count)
                    continue;
                const std::string& old = was.Cell(column.Col, row);
                const std::string& now = is.Cell(column.Col, row);
                if (old != now)
                    changes.push_back(CliText<"ApplyCellChange">(
                        TableName(kind), entry, ReadableText(ColumnHeader(kind, column.Col)),
                        ReadableText(old), ReadableText(now)));
            }
        }
    }
    return changes;
}
