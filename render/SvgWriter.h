// An SVG picture of a drawing: fitted to the extent of what it draws, y axis up, one group
// element per object of the main entity list carrying the object's kind (data-kind), its layer
// as "G-L" (data-layer) and its place in the list (data-index). Lines keep a width of one pixel
// at any zoom.
#pragma once

#include <ostream>
#include <string_view>

#include "jww/jwwunit.h"
#include "render/RenderFilter.h"

// The name of an object kind in data-kind: "sen", "enko", "ten", "moji", "sunpou", "solid",
// "block"; empty for any other code.
std::string_view KindName(int32_t kind);

void WriteSvg(const TJwwDocument& doc, const TRenderFilter& filter, std::ostream& out);
