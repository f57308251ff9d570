// What zelvane-cli's JSON reports call the object kinds, and the string forms of a drawing.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "jww/stream.h"

struct TObjectKindName {
    std::string_view CountKey;   // JSON, a count of such objects: "lines"
    std::string_view ObjectKey;  // JSON, one such object: "line"
};

// By kind code 1 .. 7, at 0 .. 6.
inline constexpr std::array<TObjectKindName, 7> ObjectKindNames{{
    {"lines", "line"},
    {"arcs", "arc"},
    {"points", "point"},
    {"texts", "text"},
    {"dimensions", "dimension"},
    {"solids", "solid"},
    {"blockInsertions", "blockInsertion"},
}};

// Raises std::out_of_range for a code outside 1 .. 7.
inline const TObjectKindName& ObjectKindName(int32_t kind)
{
    return ObjectKindNames.at(static_cast<std::size_t>(kind - 1));
}

// byte, wide or unknown, in text and JSON alike.
std::string_view StringFormName(TStringForm form);
