// The part of a drawing that a preview shows: a scale and the drawing point at the centre of a
// view of a size in pixels. Pixels run right and down, the drawing's y axis up.
#pragma once

#include "render/Primitives.h"

struct TPreviewView {
    double Scale = 1.0;  // pixels per drawing unit
    TVec2 Centre;
    double Width = 1.0;
    double Height = 1.0;

    TVec2 DrawingPoint(TVec2 pixel) const;
    TVec2 Pixel(TVec2 p) const
    {
        return {Width / 2.0 + (p.X - Centre.X) * Scale, Height / 2.0 - (p.Y - Centre.Y) * Scale};
    }
    // The drawing's area that the view shows.
    TBounds Visible() const;
    // Shows all of the extent with a margin around it.
    void Fit(const TBounds& extent);
    // Zooms by the factor, keeping the drawing point under the pixel in place.
    void ZoomAt(TVec2 pixel, double factor);
    // Moves the drawing with the pointer by so many pixels.
    void Pan(double right, double down);
    // Where a frame drawn for the other view lies in this one, so that while the view moves the
    // last frame can stand in for the next.
    TPixelRect PlaceOf(const TPreviewView& frame) const;

    friend bool operator==(const TPreviewView& a, const TPreviewView& b)
    {
        return a.Scale == b.Scale && a.Centre.X == b.Centre.X && a.Centre.Y == b.Centre.Y &&
               a.Width == b.Width && a.Height == b.Height;
    }
};
