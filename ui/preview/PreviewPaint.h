// One frame of a preview: which primitives reach the view and what each becomes in pixels. A
// front end draws the result with its own toolkit through a canvas.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/RenderFilter.h"
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
    // A square of 2 radius + 1 pixels around the pixel.
    virtual void Dot(TVec2 pixel, int radius, TRgb color) = 0;
    virtual void Line(TVec2 from, TVec2 to, TRgb color) = 0;
    virtual void Fill(const TVec2 (&corners)[4], TRgb color) = 0;
    // Draws the glyphs of the code page 932 text; false when it cannot at that size, which
    // draws the text's frame instead.
    virtual bool Text(const TTextPlacement& placement, const std::string& cp932, TRgb color) = 0;
    // Draws whatever waits to be drawn together, so that what follows lies on top.
    virtual void Flush() = 0;
};

// Draws every primitive whose box reaches the view onto the canvas, which the caller has
// cleared. With a filter, what it does not show is greyed and drawn first, below the rest.
// Calls stillWanted now and then and gives up, returning false, once it answers false.
bool PaintPreview(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted);

// Cuts the segment to the box of pixels; false when nothing of it lies inside. Toolkits that
// take whole pixels need this for lines whose ends lie far outside a close view.
bool ClipSegment(TVec2& from, TVec2& to, const TPixelRect& box);
