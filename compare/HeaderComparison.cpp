#include "compare/HeaderComparison.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>

#include "tables/NumberText.h"
#include "tables/WindowTables.h"

namespace {

TPlace PlaceOf(TTableKind kind)
{
    switch (kind) {
    case TTableKind::LayerGroups:
        return TPlace::LayerGroup;
    case TTableKind::Layers:
        return TPlace::Layer;
    case TTableKind::Colors:
        return TPlace::Color;
    case TTableKind::LineTypes:
        break;
    }
    return TPlace::LineType;
}

// The four tables of the drawing with the names a save writes, and no objects.
TJwwDocument SavedTables(const TJwwDocument& doc)
{
    TJwwDocument tables;
    tables.LayerGroupTable = doc.LayerGroupTable;
    tables.LayerTable = doc.LayerTable;
    tables.ColorExTable = doc.ColorExTable;
    tables.LineTypeExTable = doc.LineTypeExTable;
    const auto clean = [](auto& entries) {
        for (auto& entry : entries)
            entry.Name = StripControlChars(entry.Name);
    };
    clean(tables.LayerGroupTable);
    clean(tables.LayerTable);
    clean(tables.ColorExTable);
    clean(tables.LineTypeExTable);
    return tables;
}

double FloatCell(const TJwwDocument& doc, TTableKind kind, int entry, int col)
{
    const auto at = static_cast<std::size_t>(entry);
    if (kind == TTableKind::Colors)
        return doc.ColorExTable.at(at).PointRadius;
    return doc.LineTypeExTable.at(at).Pitches.at(static_cast<std::size_t>(col - FirstPitchCol));
}

bool SameBits(double a, double b)
{
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

std::string ShortestText(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string BitsText(double value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX",
                  static_cast<unsigned long long>(std::bit_cast<uint64_t>(value)));
    return text;
}

// Texts that tell two different doubles apart: the shortest that read back as each, or their
// bit patterns where even those agree (NaNs of different payloads).
void SetDistinctTexts(TFieldChange& change, double old, double now)
{
    change.Old = ShortestText(old);
    change.New = ShortestText(now);
    if (change.Old == change.New) {
        change.Old = BitsText(old);
        change.New = BitsText(now);
    }
}

class THeaderComparer {
public:
    THeaderComparer(const TJwwDocument& old, const TJwwDocument& now) : Old(old), New(now) {}

    void CompareDrawingValues()
    {
        Integer(TPlace::Drawing, 0, PaperSizeField, Old.Header.Settings0[0],
                New.Header.Settings0[0]);
        if (Old.Header.Memo != New.Header.Memo)
            Changes.push_back({TPlace::Drawing, 0, MemoField, Old.Header.Memo, New.Header.Memo});
    }

    void CompareCells()
    {
        const TWindowTables oldTables(SavedTables(Old));
        const TWindowTables newTables(SavedTables(New));
        const auto valuesDiffer = [this](TTableKind kind, int entry, const TTableColumn& column) {
            return column.Kind == TCellKind::Float &&
                   !SameBits(FloatCell(Old, kind, entry, column.Col),
                             FloatCell(New, kind, entry, column.Col));
        };
        for (TCellChange& cell : ChangedCells(oldTables, newTables, valuesDiffer)) {
            TFieldChange& change = Changes.emplace_back(TFieldChange{
                PlaceOf(cell.Table), cell.Entry, cell.Column->Key, std::move(cell.Old),
                std::move(cell.New)});
            if (change.Old == change.New)
                SetDistinctTexts(change, FloatCell(Old, cell.Table, cell.Entry, cell.Column->Col),
                                 FloatCell(New, cell.Table, cell.Entry, cell.Column->Col));
        }
    }

    void CompareStates()
    {
        const std::size_t groups = std::min(Old.LayerGroupTable.size(), New.LayerGroupTable.size());
        for (std::size_t g = 0; g < groups; ++g) {
            const TLayerGroup& was = Old.LayerGroupTable[g];
            const TLayerGroup& is = New.LayerGroupTable[g];
            const int entry = static_cast<int>(g);
            Integer(TPlace::LayerGroup, entry, StateField, was.Value1, is.Value1);
            Integer(TPlace::LayerGroup, entry, WriteLayerField, was.Value2, is.Value2);
            Number(TPlace::LayerGroup, entry, ScaleField, was.Value3, is.Value3);
            Integer(TPlace::LayerGroup, entry, ProtectionField, was.Value4, is.Value4);
        }
        const std::size_t layers = std::min(Old.LayerTable.size(), New.LayerTable.size());
        for (std::size_t l = 0; l < layers; ++l) {
            const TLayer& was = Old.LayerTable[l];
            const TLayer& is = New.LayerTable[l];
            const int entry = static_cast<int>(l);
            Integer(TPlace::Layer, entry, StateField, was.Value1, is.Value1);
            Integer(TPlace::Layer, entry, ProtectionField, was.Value2, is.Value2);
        }
    }

    std::vector<TFieldChange> Take()
    {
        // The cells came first; the states join their entries behind the cells.
        std::stable_sort(Changes.begin(), Changes.end(),
                         [](const TFieldChange& a, const TFieldChange& b) {
                             if (a.Place != b.Place)
                                 return a.Place < b.Place;
                             return a.Entry < b.Entry;
                         });
        return std::move(Changes);
    }

private:
    void Integer(TPlace place, int entry, std::string_view field, int32_t old, int32_t now)
    {
        if (old != now)
            Changes.push_back({place, entry, field, DecimalText(old), DecimalText(now)});
    }

    void Number(TPlace place, int entry, std::string_view field, double old, double now)
    {
        if (SameBits(old, now))
            return;
        TFieldChange& change = Changes.emplace_back(
            TFieldChange{place, entry, field, GeneralNumberText(old), GeneralNumberText(now)});
        if (change.Old == change.New)
            SetDistinctTexts(change, old, now);
    }

    const TJwwDocument& Old;
    const TJwwDocument& New;
    std::vector<TFieldChange> Changes;
};

// The header as a save for the target version writes it, without what is compared value by
// value: the memo, the paper size, the layer groups and layers, and the shown SXF entries.
std::string UnshownHeaderBytes(const TJwwDocument& doc, int32_t targetVersion)
{
    TJwwDocument rest;
    rest.Header = doc.Header;
    rest.Header.Memo.clear();
    rest.Header.Settings0[0] = 0;
    rest.LayerGroupTable.resize(doc.LayerGroupTable.size());
    rest.LayerTable.resize(doc.LayerTable.size());
    rest.SettingsTableB = doc.SettingsTableB;
    rest.SettingsTableC = doc.SettingsTableC;
    rest.SettingsTableD = doc.SettingsTableD;
    rest.SettingsTableE = doc.SettingsTableE;
    rest.SettingsTableF = doc.SettingsTableF;
    // Entry 0 of both SXF tables, and pitches 8 and 9 of the line types, are shown nowhere.
    if (!doc.ColorExTable.empty()) {
        rest.ColorExTable.resize(doc.ColorExTable.size());
        rest.ColorExTable[0] = doc.ColorExTable[0];
    }
    for (std::size_t i = 0; i < doc.LineTypeExTable.size(); ++i) {
        TLineTypeExNo& entry = rest.LineTypeExTable.emplace_back();
        if (i == 0)
            entry = doc.LineTypeExTable[0];
        else
            std::copy(doc.LineTypeExTable[i].Pitches.begin() + ShownPitchCount,
                      doc.LineTypeExTable[i].Pitches.end(), entry.Pitches.begin() + ShownPitchCount);
    }
    std::string bytes;
    TJwwWriter w(&bytes);
    WriteHeaderSection(w, rest, targetVersion);
    w.Flush();
    return bytes;
}

}  // namespace

THeaderComparison CompareHeaders(const TJwwDocument& old, const TJwwDocument& now)
{
    THeaderComparer comparer(old, now);
    comparer.CompareDrawingValues();
    comparer.CompareCells();
    comparer.CompareStates();
    THeaderComparison comparison;
    comparison.Changes = comparer.Take();
    const int32_t version = std::min(old.Header.Version, now.Header.Version);
    comparison.OtherSettingsDiffer =
        UnshownHeaderBytes(old, version) != UnshownHeaderBytes(now, version);
    return comparison;
}
