// Which objects a drawing shows in their own colours; the others are drawn in light grey.
// An empty filter shows everything.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "render/Primitives.h"

struct TRenderFilter {
    std::optional<uint16_t> LayerGroup;
    std::optional<uint16_t> Layer;  // within LayerGroup, which a layer filter always sets
    std::optional<uint16_t> PenColor;
    std::optional<uint8_t> PenStyle;

    bool Shows(const TRenderSource& source) const;
    friend bool operator==(const TRenderFilter&, const TRenderFilter&) = default;
};

// The colour of what a filter does not show.
constexpr TRgb GreyedRgb{210, 210, 210};

// A layer as the drawing's users name it: the layer group and the layer as one hexadecimal
// digit each, "0-0" .. "F-F".
std::string LayerName(uint16_t layerGroup, uint16_t layer);
// Reads a layer name into a filter's LayerGroup and Layer; false for anything else.
bool ParseLayerName(std::string_view name, TRenderFilter& filter);
