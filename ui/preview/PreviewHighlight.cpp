#include "ui/preview/PreviewHighlight.h"

#include "tables/FillTables.h"

namespace {

constexpr int LayersPerGroup = 16;

}  // namespace

std::optional<TRenderFilter> HighlightOfRow(TTableKind kind, int row)
{
    const TCellTable table = NewTable(kind);
    if (row < 1 || row >= table.RowCount())
        return std::nullopt;
    const int entry = EntryOfRow(kind, row);
    TRenderFilter filter;
    switch (kind) {
    case TTableKind::LayerGroups:
        filter.LayerGroup = static_cast<uint16_t>(entry);
        break;
    case TTableKind::Layers:
        filter.LayerGroup = static_cast<uint16_t>(entry / LayersPerGroup);
        filter.Layer = static_cast<uint16_t>(entry % LayersPerGroup);
        break;
    case TTableKind::Colors:
        filter.PenColor = static_cast<uint16_t>(FirstSxfPenColor + entry);
        break;
    case TTableKind::LineTypes:
        filter.PenStyle = static_cast<uint8_t>(FirstSxfPenStyle + entry);
        break;
    }
    return filter;
}
