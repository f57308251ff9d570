// The colour a pen colour number is drawn in.
#pragma once

#include <cstdint>

#include "jww/jwwunit.h"
#include "render/Primitives.h"

// The SXF colours 101 .. 356 take their screen colour from the drawing's own table; the
// colours 1 .. 9 and every number without a colour of its own take a fixed table meant for a
// white background.
TRgb PenColorRgb(const TJwwDocument& doc, uint16_t penColor);

// A solid with pen colour 10 carries its own colour.
TRgb SolidRgb(const TJwwDocument& doc, const TEntSolid& solid);

// Colours in the drawing hold red in the lowest byte.
TRgb RgbFromDrawing(int32_t value);
