#include "tables/WindowTables.h"

#include "tables/FillTables.h"

TWindowTables::TWindowTables(const TJwwDocument& doc)
    : LayerGroups(NewTable(TTableKind::LayerGroups)), Layers(NewTable(TTableKind::Layers)),
      Colors(NewTable(TTableKind::Colors)), LineTypes(NewTable(TTableKind::LineTypes))
{
    WriteTableFrame(LayerGroups, TTableKind::LayerGroups);
    WriteTableFrame(Layers, TTableKind::Layers);
    WriteTableFrame(Colors, TTableKind::Colors);
    WriteTableFrame(LineTypes, TTableKind::LineTypes);
    FillTables(doc, LayerGroups, Layers, Colors, LineTypes);
}

namespace {

// The one switch serves the const and the mutable access.
template <class TTables>
auto& TableOf(TTables& tables, TTableKind kind)
{
    switch (kind) {
    case TTableKind::LayerGroups:
        return tables.LayerGroups;
    case TTableKind::Layers:
        return tables.Layers;
    case TTableKind::Colors:
        return tables.Colors;
    case TTableKind::LineTypes:
        break;
    }
    return tables.LineTypes;
}

}  // namespace

TCellTable& TWindowTables::Of(TTableKind kind)
{
    return TableOf(*this, kind);
}

const TCellTable& TWindowTables::Of(TTableKind kind) const
{
    return TableOf(*this, kind);
}

std::vector<TCellChange> ChangedCells(const TWindowTables& was, const TWindowTables& is,
                                      const TValuesDiffer& valuesDiffer)
{
    std::vector<TCellChange> changes;
    for (const TTableKind kind : AllTables) {
        const TCellTable& before = was.Of(kind);
        const TCellTable& after = is.Of(kind);
        for (int entry = FirstTableEntry(kind); entry <= LastTableEntry(kind); ++entry) {
            const int row = RowOfEntry(kind, entry);
            for (const TTableColumn& column : TableColumns(kind)) {
                if (column.Kind == TCellKind::Number || column.Kind == TCellKind::Count)
                    continue;
                const std::string& old = before.Cell(column.Col, row);
                const std::string& now = after.Cell(column.Col, row);
                if (old != now || (valuesDiffer && valuesDiffer(kind, entry, column)))
                    changes.push_back({kind, entry, &column, old, now});
            }
        }
    }
    return changes;
}
