// What a row of the window's tables counts, as a highlight of the preview.
#pragma once

#include <optional>

#include "render/RenderFilter.h"
#include "tables/TableFrames.h"

// The layer group, layer, SXF colour or SXF line type of the data row; nothing for the header
// row or a row beyond the entries.
std::optional<TRenderFilter> HighlightOfRow(TTableKind kind, int row);
