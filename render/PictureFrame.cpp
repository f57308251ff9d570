#include "render/PictureFrame.h"

#include <algorithm>
#include <cmath>

#include "render/RenderDrawing.h"

namespace {

constexpr double MarginShare = 0.02;

}  // namespace

TBounds WithMargin(const TBounds& bounds)
{
    double margin = std::max(bounds.MaxX - bounds.MinX, bounds.MaxY - bounds.MinY) * MarginShare;
    // Bounds across nearly the whole range of doubles have no size that a picture could show.
    if (bounds.Empty() || !std::isfinite(margin * (1 + 2 * MarginShare) / MarginShare))
        return {-1.0, -1.0, 1.0, 1.0};
    if (margin == 0.0)
        margin = 1.0;
    return {bounds.MinX - margin, bounds.MinY - margin, bounds.MaxX + margin, bounds.MaxY + margin};
}

// The objects are drawn one at a time, so that a drawing of any size needs only the primitives
// of its largest object at once.
TPictureFrame PictureFrame(const TJwwDocument& doc, int longerSide)
{
    TDrawingRenderer renderer(doc);
    TRenderScene scene;
    TBounds drawn;
    for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position) {
        scene.Clear();
        renderer.RenderObject(position, scene);
        drawn.Add(BoundsOf(scene));
    }
    TPictureFrame frame;
    frame.Extent = WithMargin(drawn);
    const double width = frame.Extent.MaxX - frame.Extent.MinX;
    const double height = frame.Extent.MaxY - frame.Extent.MinY;
    frame.PixelsPerUnit = longerSide / std::max(width, height);
    frame.Width = std::max(1, static_cast<int>(std::lround(width * frame.PixelsPerUnit)));
    frame.Height = std::max(1, static_cast<int>(std::lround(height * frame.PixelsPerUnit)));
    return frame;
}
