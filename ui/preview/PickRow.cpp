#include "ui/preview/PickRow.h"


#include "jww/jwtype.h"
#include "render/DrawingStyle.h"
#include "tables/FillTables.h"
#include "ui/Messages.h"

namespace {

constexpr std::size_t LayersInGroup = 16;

std::string_view KindWord(int32_t kind)
{
    switch (kind) {
    case KindEnko: return PickKindArc;
    case KindTen: return PickKindPoint;
    case KindMoji: return PickKindText;
    case KindSunpo: return PickKindDimension;
    case KindSolid: return PickKindSolid;
    case KindBlock: return PickKindBlock;
    default: return PickKindLine;
    }
}

// Layers and groups go by one hexadecimal digit each, as the drawing's own program numbers them.
char Digit(std::size_t value)
{
    return "0123456789ABCDEF"[value % LayersInGroup];
}

// The text followed by the name that the row of the table shows, when it shows one.
std::string WithName(std::string text, const TCellTable& table, int nameCol, std::optional<int> row)
{
    if (row && *row < table.RowCount() && !table.Cell(nameCol, *row).empty())
        text += " " + table.Cell(nameCol, *row);
    return text;
}

// The row of an SXF colour or line type; nothing for a pen colour or line type of the drawing's own.
std::optional<int> SxfRow(TTableKind kind, int entry)
{
    if (entry < FirstEntry(kind) || RowOfEntry(kind, entry) >= NewTable(kind).RowCount())
        return std::nullopt;
    return RowOfEntry(kind, entry);
}

}  // namespace

std::optional<int> PickedRow(TTableKind kind, const TRenderSource& picked)
{
    const auto layer = static_cast<int>(LayerEntry(picked.LayerGroup, picked.Layer));
    switch (kind) {
    case TTableKind::LayerGroups: return RowOfEntry(kind, layer / static_cast<int>(LayersInGroup));
    case TTableKind::Layers: return RowOfEntry(kind, layer);
    case TTableKind::Colors: return SxfRow(kind, picked.PenColor - FirstSxfPenColor);
    case TTableKind::LineTypes: return SxfRow(kind, picked.PenStyle - FirstSxfPenStyle);
    }
    return std::nullopt;
}

std::string PickText(const TForm1& form, const TRenderSource& picked)
{
    const std::size_t layer = LayerEntry(picked.LayerGroup, picked.Layer);
    const std::size_t group = layer / LayersInGroup;
    std::string text(KindWord(picked.Kind));
    text += PickLayer;
    text += WithName({Digit(group), '-', Digit(layer)}, form.StringGrid2, NameCol,
                     PickedRow(TTableKind::Layers, picked));
    text += PickGroup;
    text += WithName({Digit(group)}, form.StringGrid1, NameCol, PickedRow(TTableKind::LayerGroups, picked));
    text += ")";
    text += PickPenColor;
    text += WithName(std::to_string(picked.PenColor), form.StringGrid3, ColorNameCol,
                     PickedRow(TTableKind::Colors, picked));
    text += PickPenStyle;
    text += WithName(std::to_string(picked.PenStyle), form.StringGrid4, LineTypeNameCol,
                     PickedRow(TTableKind::LineTypes, picked));
    return text;
}
