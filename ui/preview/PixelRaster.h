// Drawing into a frame of 32-bit pixels in memory, the same for both front ends: lines of any
// width with dashes, dots and filled quadrilaterals, without smoothing, cut to the frame.
// Frames of many thousands of lines are drawn a pixel at a time faster than through a toolkit.
#pragma once

#include <cstdint>

#include "render/DrawingStyle.h"
#include "ui/preview/PreviewView.h"

// Pixels of a frame, top row first, each 0xRRGGBB with Opaque's bits set, which one toolkit
// wants and another does not.
struct TPixelFrame {
    uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    uint32_t Opaque = 0;
};

// The pen of a line: its colour, width in pixels and dashes in pixels.
struct TRasterPen {
    TRgb Color;
    int Width = 1;
    const TDashes* Dashes = nullptr;  // solid when null or without runs
};

class TPixelRaster {
public:
    explicit TPixelRaster(const TPixelFrame& frame) : Frame(frame) {}

    void Clear(TRgb color);
    // The pixel at the point.
    void Pixel(TVec2 at, TRgb color);
    // A square of 2 radius + 1 pixels around the point's pixel.
    void Dot(TVec2 at, int radius, TRgb color);
    // A line from one pixel point to the other. Its dashes begin at phase pixels into their
    // pattern, which is left where the line ends, so that a polyline keeps its dashes.
    void Line(TVec2 from, TVec2 to, const TRasterPen& pen, double& phase);
    // The pixels whose centres lie inside the quadrilateral.
    void Fill(const TVec2 (&corners)[4], TRgb color);

private:
    uint32_t Value(TRgb color) const
    {
        return Frame.Opaque | (uint32_t{color.R} << 16) | (uint32_t{color.G} << 8) | color.B;
    }
    // Sets the pixels across the line's direction, width of them centred on (x, y).
    void Across(int x, int y, bool acrossY, int width, uint32_t value);

    TPixelFrame Frame;
};

// Cuts the segment to the box of pixels; false when nothing of it lies inside.
bool ClipSegment(TVec2& from, TVec2& to, const TPixelRect& box);
