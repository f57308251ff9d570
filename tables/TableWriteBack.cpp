#include "tables/TableWriteBack.h"

#include "tables/NumberText.h"
#include "tables/TableFrames.h"
#include "tables/TableRules.h"

namespace {

void WriteBackLineType(const TCellTable& lineTypes, int r, TLineTypeExNo& entry)
{
    entry.Name = NameFromText(lineTypes.Cell(LineTypeNameCol, r));
    entry.Pattern = PatternFromText(lineTypes.Cell(PatternCol, r));
    entry.DotsPerUnit = IntUpTo1000FromText(lineTypes.Cell(DotsPerUnitCol, r));
    entry.ScreenPitch = IntUpTo1000FromText(lineTypes.Cell(ScreenPitchCol, r));
    entry.PrintPitch = IntUpTo1000FromText(lineTypes.Cell(PrintPitchCol, r));
    const std::string& countText = lineTypes.Cell(SegmentCountCol, r);
    const int32_t n = SegmentCountFromText(countText);
    for (int k = 0; k < ShownPitchCount; ++k)
        entry.Pitches.at(k) = k < n ? FloatUpTo1000FromText(lineTypes.Cell(FirstPitchCol + k, r))
                                    : 0.0;
    if (lineTypes.WasTyped(SegmentCountCol, r))
        entry.SegmentCount = n;
}

}  // namespace

void WriteBackLayerGroups(const TCellTable& layerGroups, TJwwDocument& doc)
{
    const auto kind = TTableKind::LayerGroups;
    for (int e = 0; e <= LastEntry(layerGroups, kind, doc.LayerGroupTable.size()); ++e)
        doc.LayerGroupTable[e].Name = NameFromText(layerGroups.Cell(NameCol, RowOfEntry(kind, e)));
}

void WriteBackLayers(const TCellTable& layers, TJwwDocument& doc)
{
    const auto kind = TTableKind::Layers;
    for (int e = 0; e <= LastEntry(layers, kind, doc.LayerTable.size()); ++e)
        doc.LayerTable[e].Name = NameFromText(layers.Cell(NameCol, RowOfEntry(kind, e)));
}

// The SXF tables start at entry 1, shown in row 1; entry 0 is neither shown nor written.
void WriteBackColors(const TCellTable& colors, TJwwDocument& doc)
{
    WriteBackColors(colors, doc.ColorExTable);
}

void WriteBackColors(const TCellTable& colors, std::vector<TColorExNo>& table)
{
    for (int r = 1; r <= LastEntry(colors, TTableKind::Colors, table.size()); ++r) {
        TColorExNo& entry = table[r];
        entry.Name = NameFromText(colors.Cell(ColorNameCol, r));
        entry.ScreenColor = ColorValueFromText(colors.Cell(ScreenColorCol, r));
        entry.ScreenWidth = IntUpTo1000FromText(colors.Cell(ScreenWidthCol, r));
        entry.PrintColor = ColorValueFromText(colors.Cell(PrintColorCol, r));
        entry.PrintWidth = IntUpTo1000FromText(colors.Cell(PrintWidthCol, r));
        entry.PointRadius = FloatUpTo1000FromText(colors.Cell(PointRadiusCol, r));
    }
}

void WriteBackLineTypes(const TCellTable& lineTypes, TJwwDocument& doc)
{
    WriteBackLineTypes(lineTypes, doc.LineTypeExTable);
}

void WriteBackLineTypes(const TCellTable& lineTypes, std::vector<TLineTypeExNo>& table)
{
    for (int r = 1; r <= LastEntry(lineTypes, TTableKind::LineTypes, table.size()); ++r)
        WriteBackLineType(lineTypes, r, table[r]);
}

void WriteBackTables(const TCellTable& layerGroups, const TCellTable& layers,
                     const TCellTable& colors, const TCellTable& lineTypes, TJwwDocument& doc)
{
    WriteBackLayerGroups(layerGroups, doc);
    WriteBackLayers(layers, doc);
    WriteBackColors(colors, doc);
    WriteBackLineTypes(lineTypes, doc);
}
