// The header of two drawings compared value by value: the four tables as the window shows them,
// the states and scales of layer groups and layers, the paper size and the memo; everything
// else of the header as a save writes it, in one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "jww/jwwunit.h"

// What a header value belongs to: the drawing, or an entry of one of its four tables.
enum class TPlace { Drawing, LayerGroup, Layer, Color, LineType };

// A header value that differs. The texts are code page 932, as the window shows the values, or
// where those read the same, with as many digits as tell the values apart.
struct TFieldChange {
    TPlace Place;
    int Entry;  // the layer group, the layer (group × 16 + layer), the SXF number; 0 for the drawing
    std::string_view Field;  // a table column's key, or one of the keys below
    std::string Old;
    std::string New;
};

// The keys of the values that no table column shows. A layer group's Value1 to Value4 are its
// state, its write layer, its scale and its protection; a layer's Value1 and Value2 its state and
// its protection. The paper size is the first value of the drawing's first settings.
inline constexpr std::string_view StateField = "state";
inline constexpr std::string_view WriteLayerField = "writeLayer";
inline constexpr std::string_view ScaleField = "scale";
inline constexpr std::string_view ProtectionField = "protection";
inline constexpr std::string_view PaperSizeField = "paperSize";
inline constexpr std::string_view MemoField = "memo";

struct THeaderComparison {
    // By place, entry and the order of the table's columns; the drawing's own values first.
    std::vector<TFieldChange> Changes;
    // Whether a save writes anything else of the headers differently.
    bool OtherSettingsDiffer = false;

    bool Any() const { return !Changes.empty() || OtherSettingsDiffer; }
};

// Compares what a save writes of both headers: names cleaned, and the other settings written
// for the older of the two versions, which keeps the least of them.
THeaderComparison CompareHeaders(const TJwwDocument& old, const TJwwDocument& now);
