// Drawing into a frame of 32-bit pixels in memory, the same for both front ends: lines of any
// width with dashes, dots and filled quadrilaterals, without smoothing. Each raster draws only
// inside its clip, a part of the frame, so that parts can be drawn side by side and each keeps
// to memory that a processor's cache holds; a line comes out the same pixels in every part.
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

// The pixel of a colour, without the frame's Opaque bits.
inline uint32_t PixelValue(TRgb color)
{
    return (uint32_t{color.R} << 16) | (uint32_t{color.G} << 8) | color.B;
}

// Whole pixels from Left and Top up to, not including, Right and Bottom.
struct TPixelClip {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The pen of a line: its colour, width in pixels and dashes in pixels.
struct TRasterPen {
    TRgb Color;
    int Width = 1;
    const TDashes* Dashes = nullptr;  // solid when null or without runs
};

class TPixelRaster {
public:
    TPixelRaster(const TPixelFrame& frame, const TPixelClip& clip);

    void Clear(TRgb color);
    // The pixel at the point.
    void Pixel(TVec2 at, TRgb color);
    // A square of 2 radius + 1 pixels around the point's pixel.
    void Dot(TVec2 at, int radius, TRgb color);
    // A line from one pixel point to the other. Its dashes begin at phase pixels into their
    // pattern, which is left where the line ends, so that a polyline keeps its dashes.
    void Line(TVec2 from, TVec2 to, const TRasterPen& pen, double& phase);
    // A solid curve one pixel wide: centre + axis1 cos t + axis2 sin t, in pixels, for t from
    // start to start + sweep, a pixel at every point no more than a pixel from the last.
    void Curve(TVec2 centre, TVec2 axis1, TVec2 axis2, double start, double sweep, TRgb color);
    // The pixels whose centres lie inside the quadrilateral.
    void Fill(const TVec2 (&corners)[4], TRgb color);

private:
    uint32_t Value(TRgb color) const { return Frame.Opaque | PixelValue(color); }
    bool Inside(int x, int y) const
    {
        return x >= Clip.Left && y >= Clip.Top && x < Clip.Right && y < Clip.Bottom;
    }
    void Steps(TVec2 from, TVec2 to, const TRasterPen& pen, double phase);
    void SolidLineInClip(int x0, int y0, bool alongX, int alongLength, int acrossLength, int alongSign,
                         int acrossSign, uint32_t value);
    // Sets the pixels across the line's direction, width of them centred on (x, y).
    void Across(int x, int y, bool acrossY, int width, uint32_t value);

    TPixelFrame Frame;
    TPixelClip Clip;
};
