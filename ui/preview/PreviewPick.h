// What a pointer on the preview picks: the main-list object whose shape lies nearest to it
// within a few pixels, among what the frame shows. Strokes are drawn above fills, so a fill is
// picked only where no stroke lies near enough; a point inside a fill or a text's frame lies at
// no distance from it. An insertion's primitives stand for the insertion as a whole.
#pragma once

#include <optional>

#include "render/Primitives.h"
#include "render/RenderFilter.h"
#include "ui/preview/PreviewScene.h"
#include "ui/preview/PreviewView.h"

// How near the pointer an object must lie, in pixels of a screen of 96 dots per inch.
constexpr int PickPixels = 4;

// The object nearest the pixel of the view within so many pixels, drawn by the frame of the
// view under the highlight; nothing when none is near.
std::optional<TRenderSource> PickAt(const TPreviewScene& scene, const TPreviewView& view, TVec2 pixel,
                                    double tolerancePixels, const std::optional<TRenderFilter>& filter);

