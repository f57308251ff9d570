#include "cli/DiffTexts.h"

#include <array>
#include <utility>

namespace {

constexpr std::pair<TDiffText, std::string_view> Texts[] = {
    {TDiffText::SameFiles, "same: the files are identical"},
    {TDiffText::SameContent,
     "same: the drawings hold the same content; their files differ only in what a save "
     "normalises"},
    {TDiffText::SameHeaders,
     "same: the tables, layer states and settings are the same (objects not compared)"},
    {TDiffText::FormatVersion, "format version"},
    {TDiffText::StringForm, "string form"},
    {TDiffText::ByteStrings, "byte"},
    {TDiffText::WideStrings, "wide"},
    {TDiffText::OtherSettings, "other drawing settings differ"},
    {TDiffText::LayerGroup, "layer group"},
    {TDiffText::Layer, "layer"},
    {TDiffText::Color, "SXF colour"},
    {TDiffText::LineType, "SXF line type"},
    {TDiffText::Objects, "objects"},
    {TDiffText::BlockDefinition, "block definition"},
    {TDiffText::Image, "image"},
    {TDiffText::Added, "added"},
    {TDiffText::Removed, "removed"},
    {TDiffText::Changed, "changed"},
    {TDiffText::OwnAttributes, "its own attributes"},
    {TDiffText::LossyNote,
     "note: {1} holds characters that code page 932 cannot hold; each compares as ?"},
    {TDiffText::TrailingBytesNote,
     "note: {1} has {2} bytes after its last section, which are not compared"},
    {TDiffText::ReorderedNote, "note: the objects both drawings hold stand in another order"},
    {TDiffText::OutputUnwritable, "standard output could not be written"},
};

constexpr std::pair<std::string_view, std::string_view> FieldLabels[] = {
    {"name", "name"},
    {"screenColor", "screen colour"},
    {"screenWidth", "screen line width"},
    {"printColor", "print colour"},
    {"printWidth", "print line width"},
    {"pointRadius", "point radius"},
    {"pattern", "pattern"},
    {"dotsPerUnit", "dots per unit"},
    {"screenPitch", "screen pitch"},
    {"printPitch", "print pitch"},
    {"segmentCount", "segments"},
    {"p0", "P0"},
    {"p1", "P1"},
    {"p2", "P2"},
    {"p3", "P3"},
    {"p4", "P4"},
    {"p5", "P5"},
    {"p6", "P6"},
    {"p7", "P7"},
    {"state", "state"},
    {"writeLayer", "write layer"},
    {"scale", "scale"},
    {"protection", "protection"},
    {"paperSize", "paper size"},
    {"memo", "memo"},
};

}  // namespace

std::string_view DiffText(TDiffText text)
{
    for (const auto& [id, words] : Texts)
        if (id == text)
            return words;
    return {};
}

std::string DiffText(TDiffText text, std::initializer_list<std::string_view> arguments)
{
    std::string filled(DiffText(text));
    std::size_t number = 1;
    for (const std::string_view argument : arguments) {
        const std::string mark = "{" + std::to_string(number++) + "}";
        if (const std::size_t at = filled.find(mark); at != std::string::npos)
            filled.replace(at, mark.size(), argument);
    }
    return filled;
}

std::string_view FieldLabel(std::string_view key)
{
    for (const auto& [field, label] : FieldLabels)
        if (field == key)
            return label;
    return key;
}
