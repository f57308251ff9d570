#include "render/RenderFilter.h"

#include <cstdio>

namespace {

std::optional<uint16_t> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint16_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<uint16_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<uint16_t>(c - 'a' + 10);
    return std::nullopt;
}

}  // namespace

bool TRenderFilter::Shows(const TRenderSource& source) const
{
    return (!LayerGroup || *LayerGroup == source.LayerGroup) &&
           (!Layer || *Layer == source.Layer) && (!PenColor || *PenColor == source.PenColor) &&
           (!PenStyle || *PenStyle == source.PenStyle);
}

std::string LayerName(uint16_t layerGroup, uint16_t layer)
{
    // Numbers above F, which a damaged drawing may hold, keep all their digits.
    char name[12];
    std::snprintf(name, sizeof name, "%X-%X", unsigned{layerGroup}, unsigned{layer});
    return name;
}

bool ParseLayerName(std::string_view name, TRenderFilter& filter)
{
    if (name.size() != 3 || name[1] != '-')
        return false;
    const auto group = HexDigitValue(name[0]);
    const auto layer = HexDigitValue(name[2]);
    if (!group || !layer)
        return false;
    filter.LayerGroup = group;
    filter.Layer = layer;
    return true;
}
