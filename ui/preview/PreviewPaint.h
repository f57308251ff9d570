// One frame of a preview: the background of pen 0 and the paper's frame, then what reaches the
// view, found through the scene's indexes, drawn into the frame's pixels with the drawing's
// pens and dashes. A part of the drawing smaller than a pixel is drawn as one pixel without
// visiting what it holds; fills lie below lines, and texts large enough for glyphs on top. A
// front end hands over its frame's pixels and draws the glyphs of texts with its own toolkit.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/RenderFilter.h"
#include "ui/preview/PixelRaster.h"
#include "ui/preview/PreviewScene.h"
#include "ui/preview/PreviewView.h"

// A text laid out in pixels: its baseline from Start along the unit vector Along for Length
// pixels, and its characters Height pixels high towards Up (a unit vector).
struct TTextPlacement {
    TVec2 Start;
    TVec2 Along;
    TVec2 Up;
    double Length = 0.0;
    double Height = 0.0;
};

class TPreviewCanvas {
public:
    virtual ~TPreviewCanvas() = default;
    // The pixels of the frame to draw into.
    virtual TPixelFrame Frame() = 0;
    // Draws the glyphs of the code page 932 text; false when it cannot at that size, which
    // draws the text's frame instead.
    virtual bool Text(const TTextPlacement& placement, const std::string& cp932, TRgb color) = 0;
};

// Draws the frame of the view onto the canvas. Without a highlight what the drawing hides is
// left out; with one, what it selects is drawn in its colours, hidden or not, over what else is
// shown, greyed. Calls stillWanted now and then and gives up, returning false, once it answers
// false. A view of a dense drawing from afar is taken from the scene's far views.
bool PaintPreview(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted);
// The same, always from the objects.
bool PaintObjects(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted);
