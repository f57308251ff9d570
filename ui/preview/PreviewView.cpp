#include "ui/preview/PreviewView.h"

#include <algorithm>

#include "render/PictureFrame.h"

TVec2 TPreviewView::DrawingPoint(TVec2 pixel) const
{
    return {Centre.X + (pixel.X - Width / 2.0) / Scale, Centre.Y - (pixel.Y - Height / 2.0) / Scale};
}

TBounds TPreviewView::Visible() const
{
    return {Centre.X - Width / 2.0 / Scale, Centre.Y - Height / 2.0 / Scale,
            Centre.X + Width / 2.0 / Scale, Centre.Y + Height / 2.0 / Scale};
}

void TPreviewView::Fit(const TBounds& extent)
{
    const TBounds frame = WithMargin(extent);
    Scale = std::min(std::max(1.0, Width) / (frame.MaxX - frame.MinX),
                     std::max(1.0, Height) / (frame.MaxY - frame.MinY));
    Centre = {(frame.MinX + frame.MaxX) / 2, (frame.MinY + frame.MaxY) / 2};
}

void TPreviewView::ZoomAt(TVec2 pixel, double factor)
{
    const TVec2 fixed = DrawingPoint(pixel);
    Scale *= factor;
    Centre = {fixed.X - (pixel.X - Width / 2.0) / Scale, fixed.Y + (pixel.Y - Height / 2.0) / Scale};
}

void TPreviewView::Pan(double right, double down)
{
    Centre.X -= right / Scale;
    Centre.Y += down / Scale;
}

TPixelRect TPreviewView::PlaceOf(const TPreviewView& frame) const
{
    const TVec2 topLeft = Pixel(frame.DrawingPoint({0, 0}));
    const TVec2 bottomRight = Pixel(frame.DrawingPoint({frame.Width, frame.Height}));
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}
