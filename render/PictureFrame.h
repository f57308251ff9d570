// The frame of a picture of a whole drawing: its paper, or the extent of what it shows, with a
// margin around it, and the size in pixels that keeps its proportions.
#pragma once

#include <optional>

#include "jww/jwwunit.h"
#include "render/ChangeMarks.h"
#include "render/DrawingStyle.h"
#include "render/Primitives.h"
#include "render/RenderDrawing.h"
#include "render/RenderFilter.h"

// The longer side of a picture of a drawing in pixels, as zelvane-cli writes it.
constexpr int PictureLongerSide = 2000;

// What a picture of a whole drawing is asked to show.
struct TPictureOptions {
    // What keeps its colours; the rest is greyed.
    TRenderFilter Filter;
    // Objects of hidden layers and groups are drawn too.
    bool AllLayers = false;
    // A picture of a change, which colours every object by its change instead of the filter;
    // the earlier drawing must outlive the picture.
    std::optional<TChangeMarks> Changes = std::nullopt;

    // By the layer states of the drawing the object comes from.
    bool Draws(const TDrawingStyle& style, const TRenderSource& source) const
    {
        return AllLayers || style.Shows(source);
    }
    // The colour that the object of the drawing drawn is given instead of its own, if any.
    std::optional<TRgb> ColourOf(const TRenderSource& source) const;
};

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

// The area a whole picture shows: the drawing's paper once something shown touches it, and
// the extent of what is shown for a drawing whose paper is none of the known sizes or lies
// apart from everything shown.
class TShownArea {
public:
    explicit TShownArea(const TDrawingStyle& style) : Paper(style.Paper) {}

    // The box of something shown.
    void Add(const TBounds& box);
    TBounds Area() const;

private:
    std::optional<TBounds> Paper;
    TBounds Extent;
    bool TouchesPaper = false;
};

// The area of every object that the options draw, measured without expanding insertions.
TBounds ShownArea(const TJwwDocument& doc, const TDrawingStyle& style, const TPictureOptions& options,
                  TDrawingRenderer& renderer);

// The shown area of the drawing, grown to hold the earlier drawing's removed objects that a
// picture of a change draws.
TBounds PictureArea(const TJwwDocument& doc, const TDrawingStyle& style,
                    const TPictureOptions& options, TDrawingRenderer& renderer);

// Bounds grown by a small share of their larger side on every side; a square around the
// origin for bounds that hold nothing.
TBounds WithMargin(const TBounds& bounds);

// The frame of the area with a margin, with the longer side of the picture given.
TPictureFrame FrameOf(const TBounds& area, int longerSide);
