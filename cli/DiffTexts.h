// What zelvane-cli diff says to a person, all in one table. JSON keys and values are not among
// them: they stay the same in every language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

enum class TDiffText {
    SameFiles,
    SameContent,
    SameHeaders,
    FormatVersion,
    StringForm,
    ByteStrings,
    WideStrings,
    OtherSettings,
    LayerGroup,
    Layer,
    Color,
    LineType,
    Objects,
    BlockDefinition,
    Image,
    Added,
    Removed,
    Changed,
    OwnAttributes,
    LossyNote,
    TrailingBytesNote,
    ReorderedNote,
    OutputUnwritable,
};

std::string_view DiffText(TDiffText text);

// The text with {1}, {2} ... replaced by the arguments in their order.
std::string DiffText(TDiffText text, std::initializer_list<std::string_view> arguments);

// The label of a compared value, by its key (name, screenColor, state, paperSize, ...); the key
// itself for one the table lacks.
std::string_view FieldLabel(std::string_view key);
