#include "cli/TableImport.h"

#include <memory>

#include "cli/CliText.h"
#include "tables/NumberText.h"
#include "tables/TableRules.h"
#include "tables/TableWriteBack.h"
#include "tables/WindowTables.h"
#include "text/Func_.h"

namespace {

void TakeColorField(int col, const TColorExNo& from, TColorExNo& to)
{
    switch (col) {
    case ColorNameCol:
        to.Name = from.Name;
        break;
    case ScreenColorCol:
        to.ScreenColor = from.ScreenColor;
        break;
    case ScreenWidthCol:
        to.ScreenWidth = from.ScreenWidth;
        break;
    case PrintColorCol:
        to.PrintColor = from.PrintColor;
        break;
    case PrintWidthCol:
        to.PrintWidth = from.PrintWidth;
        break;
    case PointRadiusCol:
        to.PointRadius = from.PointRadius;
        break;
    default:
        break;
    }
}

void TakeLineTypeField(int col, int32_t segmentsInCell, const TLineTypeExNo& from,
                       TLineTypeExNo& to)
{
    switch (col) {
    case LineTypeNameCol:
        to.Name = from.Name;
        return;
    case PatternCol:
        to.Pattern = from.Pattern;
        return;
    case DotsPerUnitCol:
        to.DotsPerUnit = from.DotsPerUnit;
        return;
    case ScreenPitchCol:
        to.ScreenPitch = from.ScreenPitch;
        return;
    case PrintPitchCol:
        to.PrintPitch = from.PrintPitch;
        return;
    case SegmentCountCol:
        to.SegmentCount = from.SegmentCount;
        for (int k = segmentsInCell; k < ShownPitchCount; ++k)
            to.Pitches.at(k) = from.Pitches.at(k);
        return;
    default:
        break;
    }
    if (col >= FirstPitchCol && col < FirstPitchCol + ShownPitchCount)
        to.Pitches.at(col - FirstPitchCol) = from.Pitches.at(col - FirstPitchCol);
}

// The field of one edited cell, from the document the write-back filled into the drawing.
void TakeField(const TCellEdit& edit, const TWindowTables& tables, const TJwwDocument& from,
               TJwwDocument& to)
{
    const int e = edit.Entry;
    switch (edit.Kind) {
    case TTableKind::LayerGroups:
        to.LayerGroupTable.at(e).Name = from.LayerGroupTable.at(e).Name;
        break;
    case TTableKind::Layers:
        to.LayerTable.at(e).Name = from.LayerTable.at(e).Name;
        break;
    case TTableKind::Colors:
        TakeColorField(edit.Col, from.ColorExTable.at(e), to.ColorExTable.at(e));
        break;
    case TTableKind::LineTypes: {
        const int row = RowOfEntry(edit.Kind, e);
        const int32_t segments = SegmentCountFromText(tables.LineTypes.Cell(SegmentCountCol, row));
        TakeLineTypeField(edit.Col, segments, from.LineTypeExTable.at(e),
                          to.LineTypeExTable.at(e));
        break;
    }
    }
}

// The cell text the window shows for the value a text reads as, before any limit applies.
std::string UnlimitedText(const TCellEdit& edit)
{
    switch (TableColumn(edit.Kind, edit.Col).Kind) {
    case TCellKind::Integer:
        return DecimalText(StrToIntZero(edit.Text));
    case TCellKind::Float:
        return GeneralNumberText(StrToFloatZero(edit.Text));
    case TCellKind::Pattern:
        return Hex8Text(PatternFromText(edit.Text));
    case TCellKind::Number:
    case TCellKind::Name:
    case TCellKind::Count:
        break;
    }
    return edit.Text;
}

}  // namespace

std::vector<std::string> ApplyTableEdits(const std::vector<TCellEdit>& edits, TJwwDocument& doc)
{
    TWindowTables tables(doc);
    // A cell given as the drawing holds it is no edit, so an exported table imported unchanged
    // gives the same drawing.
    for (const TCellEdit& edit : edits) {
        TCellTable& table = tables.Of(edit.Kind);
        const int row = RowOfEntry(edit.Kind, edit.Entry);
        if (table.Cell(edit.Col, row) != edit.Text)
            table.TypeCell(edit.Col, row, edit.Text);
    }

    // The write-back reads every cell; it writes into a copy of the four tables so that only
    // the edited fields reach the drawing.
    const auto saved = std::make_unique<TJwwDocument>();
    saved->LayerGroupTable = doc.LayerGroupTable;
    saved->LayerTable = doc.LayerTable;
    saved->ColorExTable = doc.ColorExTable;
    saved->LineTypeExTable = doc.LineTypeExTable;
    WriteBackTables(tables.LayerGroups, tables.Layers, tables.Colors, tables.LineTypes, *saved);
    for (const TCellEdit& edit : edits)
        TakeField(edit, tables, *saved, doc);

    std::vector<std::string> changed;
    const TWindowTables stored(doc);
    for (const TCellEdit& edit : edits) {
        const std::string& storedText =
            stored.Of(edit.Kind).Cell(edit.Col, RowOfEntry(edit.Kind, edit.Entry));
        if (UnlimitedText(edit) != storedText)
            changed.push_back(CliText<"EditsStoredAs">(edit.Place, ReadableText(edit.Text),
                                                       ReadableText(storedText)));
    }
    return changed;
}
