// The order in which a picture of a whole drawing is painted, shared by the PNG painters of
// each system.
#pragma once

#include <functional>

#include "jww/jwwunit.h"
#include "render/Primitives.h"
#include "render/RenderFilter.h"

// Hands every primitive of the drawing to paint: first what the filter greys, coloured
// GreyedRgb, then what it shows, so that what it shows lies on top.
void PaintInFilterOrder(const TJwwDocument& doc, const TRenderFilter& filter,
                        const std::function<void(const TPrimitive&, const TRenderScene&)>& paint);
