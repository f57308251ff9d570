#include "render/PictureFrame.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MarginShare = 0.02;

}  // namespace

void TShownArea::Add(const TBounds& box)
{
    Extent.Add(box);
    TouchesPaper = TouchesPaper || (Paper && Paper->Intersects(box));
}

TBounds TShownArea::Area() const
{
    return TouchesPaper ? *Paper : Extent;
}

std::optional<TRgb> TPictureOptions::ColourOf(const TRenderSource& source) const
{
    if (Changes)
        return ChangeRgb(Changes->ChangeOf(source.Position));
    if (Filter.Shows(source))
        return std::nullopt;
    return GreyedRgb;
}

TBounds ShownArea(const TJwwDocument& doc, const TDrawingStyle& style, const TPictureOptions& options,
                  TDrawingRenderer& renderer)
{
    TShownArea area(style);
    for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position) {
        const std::optional<TRenderSource> source = renderer.SourceOf(position);
        if (source && options.Draws(style, *source))
            area.Add(renderer.BoxOf(position));
    }
    return area.Area();
}

TBounds PictureArea(const TJwwDocument& doc, const TDrawingStyle& style,
                    const TPictureOptions& options, TDrawingRenderer& renderer)
{
    TBounds area = ShownArea(doc, style, options, renderer);
    if (!options.Changes)
        return area;
    const TJwwDocument& old = options.Changes->Old();
    const TDrawingStyle oldStyle = StyleOf(old);
    TDrawingRenderer oldRenderer(old);
    for (const std::size_t position : options.Changes->Removed()) {
        const std::optional<TRenderSource> source = oldRenderer.SourceOf(position);
        if (source && options.Draws(oldStyle, *source))
            area.Add(oldRenderer.BoxOf(position));
    }
    return area;
}

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

TPictureFrame FrameOf(const TBounds& area, int longerSide)
{
    TPictureFrame frame;
    frame.Extent = WithMargin(area);
    const double width = frame.Extent.MaxX - frame.Extent.MinX;
    const double height = frame.Extent.MaxY - frame.Extent.MinY;
    frame.PixelsPerUnit = longerSide / std::max(width, height);
    frame.Width = std::max(1, static_cast<int>(std::lround(width * frame.PixelsPerUnit)));
    frame.Height = std::max(1, static_cast<int>(std::lround(height * frame.PixelsPerUnit)));
    return frame;
}
