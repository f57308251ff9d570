// A picture of a whole drawing as the PNG painters of each system draw it: its frame, its
// background, and the primitives in the order in which they are painted, each with its stroke.
#pragma once

#include <functional>

#include "jww/jwwunit.h"
#include "render/DrawingStyle.h"
#include "render/PictureFrame.h"
#include "render/Primitives.h"

using TPaintPrimitive = std::function<void(const TPrimitive&, const TRenderScene&, const TStroke&)>;

class TPictureOrder {
public:
    TPictureOrder(const TJwwDocument& doc, const TPictureOptions& options, int longerSide);

    const TPictureFrame& Frame() const { return PictureFrame; }
    TRgb Background() const { return Style.Background; }

    // Hands paint the frame of the paper, then the objects that the filter greys, then those
    // it shows, so that they lie on top, and last, when the budget ended the expansion of
    // insertions, a text in the top left corner that says so. Insertions smaller than a pixel
    // come as a dot; what lies outside the picture does not come.
    void Paint(const TPaintPrimitive& paint) const;

private:
    const TJwwDocument& Doc;
    const TPictureOptions& Options;
    const TDrawingStyle Style;
    TPictureFrame PictureFrame;
};
