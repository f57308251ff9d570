#include "cli/WindowTables.h"

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
