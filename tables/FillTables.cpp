#include "tables/FillTables.h"

#include "tables/NumberText.h"
#include "tables/TableFrames.h"

namespace {

void Tally(TElementCounts& counts, const TEntBase& base, bool hasLineType)
{
    if (base.LayerGroup < counts.LayerGroups.size()) {
        ++counts.LayerGroups[base.LayerGroup];
        if (base.Layer < 16)
            ++counts.Layers[base.LayerGroup * 16u + base.Layer];
    }
    const int32_t colorIndex = base.PenColor - FirstSxfPenColor;
    if (colorIndex >= 0 && colorIndex < static_cast<int32_t>(counts.Colors.size()))
        ++counts.Colors[static_cast<std::size_t>(colorIndex)];
    const int32_t lineTypeIndex = base.PenStyle - FirstSxfPenStyle;
    if (hasLineType && lineTypeIndex >= 0 &&
        lineTypeIndex < static_cast<int32_t>(counts.LineTypes.size()))
        ++counts.LineTypes[static_cast<std::size_t>(lineTypeIndex)];
}

template <typename TRecord>
void TallyAll(TElementCounts& counts, const std::vector<TRecord>& records, bool hasLineType)
{
    for (const TRecord& record : records)
        Tally(counts, record.Base, hasLineType);
}

}  // namespace

TElementCounts CountElements(const TEntityCollections& objects)
{
    TElementCounts counts;
    TallyAll(counts, objects.SenList, true);
    TallyAll(counts, objects.EnkoList, true);
    TallyAll(counts, objects.TenList, false);
    TallyAll(counts, objects.MojiList, false);
    TallyAll(counts, objects.SolidList, false);
    return counts;
}

void FillTables(const TJwwDocument& doc, TCellTable& layerGroups, TCellTable& layers,
                TCellTable& colors, TCellTable& lineTypes)
{
    const TElementCounts counts = CountElements(doc);

    const auto groupsKind = TTableKind::LayerGroups;
    for (int e = 0; e <= LastEntry(layerGroups, groupsKind, doc.LayerGroupTable.size()); ++e) {
        const int row = RowOfEntry(groupsKind, e);
        layerGroups.SetCell(NameCol, row, doc.LayerGroupTable[e].Name);
        layerGroups.SetCell(NamesCountCol, row, DecimalText(counts.LayerGroups.at(e)));
    }
    const auto layersKind = TTableKind::Layers;
    for (int e = 0; e <= LastEntry(layers, layersKind, doc.LayerTable.size()); ++e) {
        const int row = RowOfEntry(layersKind, e);
        layers.SetCell(NameCol, row, doc.LayerTable[e].Name);
        layers.SetCell(NamesCountCol, row, DecimalText(counts.Layers.at(e)));
    }
    // The SXF tables show entries from 1 and their rows carry the entry's number.
    for (int r = 1; r <= LastEntry(colors, TTableKind::Colors, doc.ColorExTable.size()); ++r) {
        const TColorExNo& entry = doc.ColorExTable[r];
        colors.SetCell(ColorNameCol, r, entry.Name);
        colors.SetCell(ScreenColorCol, r, DecimalText(entry.ScreenColor));
        colors.SetCell(ScreenSwatchCol, r, "");
        colors.SetCell(ScreenWidthCol, r, DecimalText(entry.ScreenWidth));
        colors.SetCell(PrintColorCol, r, DecimalText(entry.PrintColor));
        colors.SetCell(PrintSwatchCol, r, "");
        colors.SetCell(PrintWidthCol, r, DecimalText(entry.PrintWidth));
        colors.SetCell(PointRadiusCol, r, GeneralNumberText(entry.PointRadius));
        colors.SetCell(ColorCountCol, r, DecimalText(counts.Colors.at(r)));
    }
    for (int r = 1; r <= LastEntry(lineTypes, TTableKind::LineTypes, doc.LineTypeExTable.size());
         ++r) {
        const TLineTypeExNo& entry = doc.LineTypeExTable[r];
        lineTypes.SetCell(LineTypeNameCol, r, entry.Name);
        lineTypes.SetCell(PatternCol, r, Hex8Text(entry.Pattern));
        lineTypes.SetCell(DotsPerUnitCol, r, DecimalText(entry.DotsPerUnit));
        lineTypes.SetCell(ScreenPitchCol, r, DecimalText(entry.ScreenPitch));
        lineTypes.SetCell(PrintPitchCol, r, DecimalText(entry.PrintPitch));
        lineTypes.SetCell(SegmentCountCol, r, DecimalText(entry.SegmentCount));
        for (int k = 0; k < ShownPitchCount; ++k)
            lineTypes.SetCell(FirstPitchCol + k, r, GeneralNumberText(entry.Pitches.at(k)));
        lineTypes.SetCell(LineTypeCountCol, r, DecimalText(counts.LineTypes.at(r)));
    }
}
