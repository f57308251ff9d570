#include "cli/DiffReport.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "cli/CliText.h"
#include "cli/DiffTexts.h"
#include "cli/ReportNames.h"
#include "cli/TextEncoding.h"
#include "compare/ObjectDescription.h"

namespace {

constexpr std::string_view Arrow = " \xE2\x86\x92 ";  // →
constexpr std::string_view Minus = "\xE2\x88\x92";    // −

using TJson = nlohmann::ordered_json;

std::string VersionText(int32_t version)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", version / 100, version % 100);
    return text;
}

std::string StringFormText(TStringForm form)
{
    return form == TStringForm::Wide ? CliText<"DiffWideStrings">() : CliText<"DiffByteStrings">();
}

std::string HexDigit(int value)
{
    char text[4];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

// A layer as the drawing names it: its group's digit and its own, such as 0-A.
std::string LayerText(int layer)
{
    return HexDigit(layer / 16) + "-" + HexDigit(layer % 16);
}

std::string_view PlaceKey(TPlace place)
{
    switch (place) {
    case TPlace::Drawing:
        return "drawing";
    case TPlace::LayerGroup:
        return "group";
    case TPlace::Layer:
        return "layer";
    case TPlace::Color:
        return "color";
    case TPlace::LineType:
        break;
    }
    return "linetype";
}

// Such as "layer 0-2", or nothing for the drawing itself.
std::string PlaceText(TPlace place, int entry)
{
    switch (place) {
    case TPlace::Drawing:
        return {};
    case TPlace::LayerGroup:
        return CliText<"DiffLayerGroup">(HexDigit(entry));
    case TPlace::Layer:
        return CliText<"DiffLayer">(LayerText(entry));
    case TPlace::Color:
        return CliText<"DiffColor">(entry);
    case TPlace::LineType:
        break;
    }
    return CliText<"DiffLineType">(entry);
}

std::string_view ChangeKey(TChange change)
{
    switch (change) {
    case TChange::Removed:
        return "removed";
    case TChange::Added:
        return "added";
    case TChange::Changed:
        break;
    }
    return "changed";
}

std::string ChangeText(TChange change)
{
    switch (change) {
    case TChange::Removed:
        return CliText<"DiffRemoved">();
    case TChange::Added:
        return CliText<"DiffAdded">();
    case TChange::Changed:
        break;
    }
    return CliText<"DiffChanged">();
}

// A text of the drawing on one line, as the memo may hold line breaks; "" when empty.
std::string Shown(std::string_view cp932)
{
    return cp932.empty() ? "\"\"" : OneLine(ReadableText(cp932));
}

// Such as "layer 0-2: name 壁 → 躯体壁", or "paper size: 3 → 2" for the drawing's own values.
std::string FieldChangeText(const TFieldChange& change)
{
    const std::string place = PlaceText(change.Place, change.Entry);
    const std::string label = FieldLabel(change.Field);
    return (place.empty() ? label + ":" : place + ": " + label) + " " + Shown(change.Old) +
           std::string(Arrow) + Shown(change.New);
}

// Such as "+12 lines, +1 arc, −3 texts"; empty when nothing changed.
std::string CountsText(const TChangeCounts& counts)
{
    std::string text;
    const std::string separator = CliText<"ListSeparator">();
    const auto add = [&](const TKindCounts& kinds, std::string_view sign) {
        for (std::size_t k = 1; k < kinds.ByKind.size(); ++k)
            if (const int64_t n = kinds.ByKind[k]; n != 0)
                text += (text.empty() ? "" : separator) +
                        KindCountText(static_cast<int32_t>(k), n, sign);
    };
    add(counts.Added, "+");
    add(counts.Removed, Minus);
    return text;
}

TJson KindCountsJson(const TKindCounts& counts)
{
    TJson json = TJson::object();
    for (std::size_t k = 1; k < counts.ByKind.size(); ++k)
        if (counts.ByKind[k] != 0)
            json[std::string(ObjectKindName(static_cast<int32_t>(k)).CountKey)] = counts.ByKind[k];
    return json;
}

TJson ChangeCountsJson(const TChangeCounts& counts)
{
    return {{"added", KindCountsJson(counts.Added)}, {"removed", KindCountsJson(counts.Removed)}};
}

class TReportWriter {
public:
    explicit TReportWriter(const TDiffReport& report)
        : Report(report), Comparison(*report.Comparison)
    {
    }

    void WriteText(std::ostream& out) const
    {
        out << "--- " << Report.OldPath << "\n+++ " << Report.NewPath << '\n';
        if (Comparison.Same())
            out << SameText() << '\n';
        if (Comparison.OldVersion != Comparison.NewVersion)
            out << CliText<"DiffFormatVersion">() << ": " << VersionText(Comparison.OldVersion)
                << Arrow << VersionText(Comparison.NewVersion) << '\n';
        if (Comparison.OldStringForm != Comparison.NewStringForm)
            out << CliText<"DiffStringForm">() << ": " << StringFormText(Comparison.OldStringForm)
                << Arrow << StringFormText(Comparison.NewStringForm) << '\n';
        for (const TFieldChange& change : Comparison.Header.Changes)
            out << FieldChangeText(change) << '\n';
        if (Comparison.Header.OtherSettingsDiffer)
            out << CliText<"DiffOtherSettings">() << '\n';
        if (Comparison.WholeDrawings)
            WriteObjectsText(out);
        for (const TBlockChange& block : Comparison.Blocks)
            out << CliText<"DiffBlockDefinition">(Shown(block.Name)) << ": "
                << BlockChangeText(block) << '\n';
        for (const TImageChange& image : Comparison.Images)
            out << CliText<"DiffImage">(Shown(image.FileName)) << ": "
                << ChangeText(image.Change) << '\n';
        WriteNotesText(out);
    }

    void WriteJson(std::ostream& out) const
    {
        TJson json;
        json["old"] = Report.OldPath;
        json["new"] = Report.NewPath;
        json["same"] = Comparison.Same();
        if (Comparison.Same())
            json["identicalFiles"] = Report.IdenticalFiles;
        json["objectsCompared"] = Comparison.WholeDrawings;
        json["version"] = {{"old", Comparison.OldVersion}, {"new", Comparison.NewVersion}};
        json["stringForm"] = {{"old", StringFormName(Comparison.OldStringForm)},
                              {"new", StringFormName(Comparison.NewStringForm)}};
        json["otherSettingsDiffer"] = Comparison.Header.OtherSettingsDiffer;
        json["changes"] = TJson::array();
        for (const TFieldChange& change : Comparison.Header.Changes)
            json["changes"].push_back(FieldChangeJson(change));
        if (Comparison.WholeDrawings) {
            json["objects"] = ObjectsJson();
            json["blockDefinitions"] = TJson::array();
            for (const TBlockChange& block : Comparison.Blocks)
                json["blockDefinitions"].push_back(BlockJson(block));
            json["images"] = TJson::array();
            for (const TImageChange& image : Comparison.Images)
                json["images"].push_back(
                    {{"name", ReadableText(image.FileName)}, {"change", ChangeKey(image.Change)}});
        }
        json["charactersReplaced"] = {{"old", Report.Old->LossyStrings},
                                      {"new", Report.New->LossyStrings}};
        json["trailingBytes"] = {{"old", Report.Old->TrailingBytes},
                                 {"new", Report.New->TrailingBytes}};
        // A file name need not be UTF-8 on this system; it is shown with replacement characters.
        out << json.dump(2, ' ', false, TJson::error_handler_t::replace) << '\n';
    }

private:
    std::string SameText() const
    {
        if (!Comparison.WholeDrawings)
            return CliText<"DiffSameHeaders">();
        return Report.IdenticalFiles ? CliText<"DiffSameFiles">() : CliText<"DiffSameContent">();
    }

    // A layer group or layer with its name in the new drawing, for the object counts.
    static std::string Named(const std::string& place, const std::string& cp932)
    {
        const std::string name = StripControlChars(cp932);
        return name.empty() ? place : CliText<"InParentheses">(place, Shown(name));
    }

    void WriteObjectsText(std::ostream& out) const
    {
        const TObjectChanges& objects = Comparison.Objects;
        if (!objects.Any())
            return;
        out << CliText<"DiffObjects">(objects.All.Added.Total(), objects.All.Removed.Total(),
                                      CountsText(objects.All))
            << '\n';
        for (int g = 0; g < 16; ++g) {
            const TChangeCounts& group = objects.ByGroup[static_cast<std::size_t>(g)];
            if (!group.Any())
                continue;
            out << Named(CliText<"DiffLayerGroup">(HexDigit(g)),
                         Report.New->LayerGroupTable.at(static_cast<std::size_t>(g)).Name)
                << ": " << CountsText(group) << '\n';
            for (int layer = g * 16; layer < g * 16 + 16; ++layer) {
                const TChangeCounts& counts = objects.ByLayer[static_cast<std::size_t>(layer)];
                if (counts.Any())
                    out << Named(CliText<"DiffLayer">(LayerText(layer)),
                                 Report.New->LayerTable.at(static_cast<std::size_t>(layer)).Name)
                        << ": " << CountsText(counts) << '\n';
            }
        }
        if (!Report.ListObjects)
            return;
        WriteObjectList(out, *Report.Old, objects.Match.Removed, objects.RemovedLayers, Minus);
        WriteObjectList(out, *Report.New, objects.Match.Added, objects.AddedLayers, "+");
    }

    static void WriteObjectList(std::ostream& out, const TJwwDocument& doc,
                                const std::vector<int32_t>& positions,
                                const std::vector<uint8_t>& layers, std::string_view sign)
    {
        const TObjectDescriber describer(doc);
        for (std::size_t i = 0; i < positions.size(); ++i) {
            const TEntRef& ref = doc.EntityOrder.at(static_cast<std::size_t>(positions[i]));
            out << sign << ' ' << KindText(ref.Kind) << ' ' << LayerText(layers.at(i))
                << ": " << ReadableText(describer.Describe(ref)) << '\n';
        }
    }

    // Such as "changed (its own attributes, +1 line)".
    static std::string BlockChangeText(const TBlockChange& block)
    {
        if (block.Change != TChange::Changed)
            return ChangeText(block.Change);
        std::string detail = CountsText(block.Objects);
        if (block.AttributesChanged)
            detail = CliText<"DiffOwnAttributes">() +
                     (detail.empty() ? "" : CliText<"ListSeparator">() + detail);
        return CliText<"InParentheses">(ChangeText(block.Change), detail);
    }

    void WriteNotesText(std::ostream& out) const
    {
        const auto notes = [&out](const std::string& path, const TJwwDocument& doc) {
            if (doc.LossyStrings)
                out << CliText<"DiffLossyNote">(path) << '\n';
            if (doc.TrailingBytes > 0)
                out << CliText<"DiffTrailingBytesNote">(path, doc.TrailingBytes) << '\n';
        };
        notes(Report.OldPath, *Report.Old);
        notes(Report.NewPath, *Report.New);
        if (Comparison.WholeDrawings && !Comparison.Objects.Match.SharedInOrder)
            out << CliText<"DiffReorderedNote">() << '\n';
    }

    static TJson FieldChangeJson(const TFieldChange& change)
    {
        TJson json;
        json["place"] = PlaceKey(change.Place);
        if (change.Place == TPlace::Layer) {
            json["group"] = change.Entry / 16;
            json["layer"] = change.Entry % 16;
        } else if (change.Place != TPlace::Drawing)
            json["no"] = change.Entry;
        json["field"] = change.Field;
        json["old"] = ReadableText(change.Old);
        json["new"] = ReadableText(change.New);
        return json;
    }

    TJson ObjectsJson() const
    {
        const TObjectChanges& objects = Comparison.Objects;
        TJson json;
        json["added"] = objects.All.Added.Total();
        json["removed"] = objects.All.Removed.Total();
        json["byKind"] = ChangeCountsJson(objects.All);
        json["byGroup"] = TJson::array();
        json["byLayer"] = TJson::array();
        for (int g = 0; g < 16; ++g) {
            const TChangeCounts& group = objects.ByGroup[static_cast<std::size_t>(g)];
            if (group.Any()) {
                TJson entry = {{"group", g}, {"name", ReadableText(StripControlChars(
                                                  Report.New->LayerGroupTable.at(g).Name))}};
                entry.update(ChangeCountsJson(group));
                json["byGroup"].push_back(entry);
            }
        }
        for (int layer = 0; layer < 256; ++layer) {
            const TChangeCounts& counts = objects.ByLayer[static_cast<std::size_t>(layer)];
            if (counts.Any()) {
                TJson entry = {{"group", layer / 16},
                               {"layer", layer % 16},
                               {"name", ReadableText(StripControlChars(
                                            Report.New->LayerTable.at(layer).Name))}};
                entry.update(ChangeCountsJson(counts));
                json["byLayer"].push_back(entry);
            }
        }
        json["reordered"] = !objects.Match.SharedInOrder;
        if (Report.ListObjects) {
            json["list"] = TJson::array();
            ObjectListJson(json["list"], *Report.Old, objects.Match.Removed,
                           objects.RemovedLayers, "removed");
            ObjectListJson(json["list"], *Report.New, objects.Match.Added, objects.AddedLayers,
                           "added");
        }
        return json;
    }

    static void ObjectListJson(TJson& list, const TJwwDocument& doc,
                               const std::vector<int32_t>& positions,
                               const std::vector<uint8_t>& layers, std::string_view change)
    {
        const TObjectDescriber describer(doc);
        for (std::size_t i = 0; i < positions.size(); ++i) {
            const TEntRef& ref = doc.EntityOrder.at(static_cast<std::size_t>(positions[i]));
            const int layer = layers.at(i);
            list.push_back({{"change", change},
                            {"index", positions[i]},
                            {"kind", ObjectKindName(ref.Kind).ObjectKey},
                            {"group", layer / 16},
                            {"layer", layer % 16},
                            {"description", ReadableText(describer.Describe(ref))}});
        }
    }

    static TJson BlockJson(const TBlockChange& block)
    {
        TJson json = {{"name", ReadableText(block.Name)}, {"change", ChangeKey(block.Change)}};
        if (block.Change == TChange::Changed) {
            json["attributesChanged"] = block.AttributesChanged;
            json.update(ChangeCountsJson(block.Objects));
        }
        return json;
    }

    const TDiffReport& Report;
    const TDrawingComparison& Comparison;
};

}  // namespace

void WriteDiffText(const TDiffReport& report, std::ostream& out)
{
    TReportWriter(report).WriteText(out);
}

void WriteDiffJson(const TDiffReport& report, std::ostream& out)
{
    TReportWriter(report).WriteJson(out);
}
