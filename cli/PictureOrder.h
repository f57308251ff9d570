// A picture of a whole drawing as the PNG painters of each system draw it: its frame, its
// background, and the primitives in the order in which they are painted, each with its stroke.
#pragma once

#include <functional>
#include <vector>

#include "jww/jwwunit.h"
#include "render/DrawingStyle.h"
#include "render/PictureFrame.h"
#include "render/Primitives.h"

using TPaintPrimitive = std::function<void(const TPrimitive&, const TRenderScene&, const TStroke&)>;

// The points centre + P[1] cos t + P[2] sin t of an arc in pixels of the picture, joined by
// lines of about two pixels, but never more than a few thousand of them, so that an ellipse of
// any size, however its axes lie, is drawn in bounded time with its line's own width.
std::vector<TVec2> ArcPixels(const TPrimitive& arc, const TPictureFrame& frame);

class TPictureOrder {
public:
    TPictureOrder(const TJwwDocument& doc, const TPictureOptions& options, int longerSide);

    const TPictureFrame& Frame() const { return PictureFrame; }
    TRgb Background() const { return Style.Background; }

    // Hands paint the frame of the paper, then the objects that the filter greys, then those
    // it shows, so that they lie on top (of a change: the same objects, the removed, the added), and last, when the budget ended the expansion of
    // insertions, a text in the top left corner that says so. Insertions smaller than a pixel
    // come as a dot; what lies outside the picture does not come.
    void Paint(const TPaintPrimitive& paint) const;

private:
    TVec2 DrawingPoint(TVec2 pixel) const;
    // Paints the primitive, or, when it reaches far beyond the picture, its outline cut to
    // within reach of it.
    void PaintWithinReach(const TPrimitive& primitive, const TRenderScene& scene, const TStroke& stroke,
                          const TPaintPrimitive& paint) const;

    const TJwwDocument& Doc;
    const TPictureOptions& Options;
    const TDrawingStyle Style;
    TPictureFrame PictureFrame;
};
