// The frame of a picture of a whole drawing: the extent of what it draws with a margin around
// it, and the size in pixels that keeps its proportions.
#pragma once

#include "jww/jwwunit.h"
#include "render/Primitives.h"

// The longer side of a picture of a drawing in pixels, as zelvane-cli writes it.
constexpr int PictureLongerSide = 2000;

struct TPictureFrame {
    TBounds Extent;
    int Width = 1;
    int Height = 1;
    double PixelsPerUnit = 1.0;

    // Pixel coordinates, y down, of a drawing point.
    TVec2 Pixel(TVec2 p) const
    {
        return {(p.X - Extent.MinX) * PixelsPerUnit, (Extent.MaxY - p.Y) * PixelsPerUnit};
    }
};

// Bounds grown by a small share of their larger side on every side; a square around the
// origin for bounds that hold nothing.
TBounds WithMargin(const TBounds& bounds);

// The frame of everything the drawing draws, with the longer side of the picture given.
TPictureFrame PictureFrame(const TJwwDocument& doc, int longerSide);
