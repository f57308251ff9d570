#include "cli/TableChanges.h"

#include "cli/CliText.h"
#include "cli/TextEncoding.h"

std::vector<std::string> TableChanges(const TWindowTables& before, const TWindowTables& after)
{
    std::vector<std::string> changes;
    for (const TCellChange& change : ChangedCells(before, after))
        changes.push_back(CliText<"ApplyCellChange">(
            TableName(change.Table), change.Entry,
            ReadableText(ColumnHeader(change.Table, change.Column->Col)), ReadableText(change.Old),
            ReadableText(change.New)));
    return changes;
}
