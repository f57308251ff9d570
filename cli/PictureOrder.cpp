#include "cli/PictureOrder.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "cli/CliText.h"
#include "render/RenderDrawing.h"
#include "text/Cp932.h"

namespace {

// The note's characters are this many pixels high, this far from the picture's corner.
constexpr double NotePixels = 14.0;
constexpr double NoteInsetPixels = 8.0;

// Shapes that stay within this many pixels of the picture are painted as they are. A damaged
// drawing can hold larger ones, over which the painters' own arithmetic would take without
// end; they are cut to this reach as lines, or, for a fill, held to it.
constexpr double ReachPixels = 1e6;

// Arcs are drawn as polylines of about this many pixels a segment.
constexpr double ArcSegmentPixels = 2.0;
constexpr int LeastArcSegments = 8;
constexpr int MostArcSegments = 4096;

}  // namespace

std::vector<TVec2> ArcPixels(const TPrimitive& arc, const TPictureFrame& frame)
{
    const TVec2* p = arc.P;
    const double radius =
        std::max(std::hypot(p[1].X, p[1].Y), std::hypot(p[2].X, p[2].Y)) * frame.PixelsPerUnit;
    const double length = std::abs(arc.Sweep) * radius;
    // Not finite for an ellipse of a size no picture holds, which takes the fewest.
    const double wanted = std::isfinite(length) ? std::ceil(length / ArcSegmentPixels) : 0.0;
    const int segments = static_cast<int>(std::clamp(wanted, double{LeastArcSegments}, double{MostArcSegments}));
    std::vector<TVec2> points;
    points.reserve(static_cast<std::size_t>(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = arc.Start + arc.Sweep * i / segments;
        points.push_back(frame.Pixel({p[0].X + p[1].X * std::cos(t) + p[2].X * std::sin(t),
                                      p[0].Y + p[1].Y * std::cos(t) + p[2].Y * std::sin(t)}));
    }
    return points;
}

TPictureOrder::TPictureOrder(const TJwwDocument& doc, const TPictureOptions& options, int longerSide)
    : Doc(doc), Options(options), Style(StyleOf(doc))
{
    TDrawingRenderer measure(doc);
    PictureFrame = FrameOf(PictureArea(doc, Style, options, measure), longerSide);
}

void TPictureOrder::Paint(const TPaintPrimitive& paint) const
{
    const double pixel = 1.0 / PictureFrame.PixelsPerUnit;
    TRenderScene scene;
    if (Style.Paper) {
        const TBounds& paper = *Style.Paper;
        const TVec2 corners[4] = {{paper.MinX, paper.MinY}, {paper.MaxX, paper.MinY},
                                  {paper.MaxX, paper.MaxY}, {paper.MinX, paper.MaxY}};
        const TStroke thin{PaperFrameRgb(Style.Background), 1, {}};
        for (int i = 0; i < 4; ++i) {
            TPrimitive side;
            side.P[0] = corners[i];
            side.P[1] = corners[(i + 1) % 4];
            paint(side, scene, thin);
        }
    }
    const TExpansionLimits limits{InsertionBudget, pixel, PictureFrame.Extent};
    TDrawingRenderer renderer(Doc, limits);
    // Of a change: the same objects, then the removed ones, then the added ones on top.
    const auto paintObjects = [&](const TJwwDocument& doc, const TDrawingStyle& style,
                                  TDrawingRenderer& objects, const std::vector<std::size_t>& positions,
                                  const std::function<bool(const std::optional<TRgb>&)>& wanted) {
        for (const std::size_t position : positions) {
            const std::optional<TRenderSource> source = objects.SourceOf(position);
            if (!source || !Options.Draws(style, *source))
                continue;
            const std::optional<TRgb> colour = &doc == &Doc ? Options.ColourOf(*source) : RemovedRgb;
            if (!wanted(colour))
                continue;
            scene.Clear();
            objects.RenderObject(position, scene);
            for (const TPrimitive& primitive : scene.Primitives)
                if (BoundsOf(primitive).Intersects(PictureFrame.Extent))
                    PaintWithinReach(primitive, scene,
                                     StrokeOf(style, primitive, PictureFrame.PixelsPerUnit, colour), paint);
        }
    };
    std::vector<std::size_t> everything(Doc.EntityOrder.size());
    std::iota(everything.begin(), everything.end(), std::size_t{0});
    paintObjects(Doc, Style, renderer, everything,
                 [](const std::optional<TRgb>& colour) { return colour == GreyedRgb; });
    bool spent = false;
    if (Options.Changes) {
        const TJwwDocument& old = Options.Changes->Old();
        TDrawingRenderer oldRenderer(old, limits);
        paintObjects(old, StyleOf(old), oldRenderer, Options.Changes->Removed(),
                     [](const std::optional<TRgb>&) { return true; });
        spent = oldRenderer.BudgetSpent();
    }
    paintObjects(Doc, Style, renderer, everything,
                 [](const std::optional<TRgb>& colour) { return colour != GreyedRgb; });
    if (!renderer.BudgetSpent() && !spent)
        return;
    scene.Clear();
    // Scenes hold the drawing's own text bytes, which the painters read as code page 932.
    scene.Texts.emplace_back(Utf8ToCp932(CliText<"PictureBudgetNote">()));
    TPrimitive note;
    note.Kind = TPrimitiveKind::Text;
    const TBounds& extent = PictureFrame.Extent;
    note.P[0] = {extent.MinX + NoteInsetPixels * pixel, extent.MaxY - (NoteInsetPixels + NotePixels) * pixel};
    note.P[2] = {0, NotePixels * pixel};
    note.P[3] = {1, 0};
    paint(note, scene, {NoteRgb(Style.Background), 1, {}});
}

TVec2 TPictureOrder::DrawingPoint(TVec2 pixel) const
{
    return {PictureFrame.Extent.MinX + pixel.X / PictureFrame.PixelsPerUnit,
            PictureFrame.Extent.MaxY - pixel.Y / PictureFrame.PixelsPerUnit};
}

void TPictureOrder::PaintWithinReach(const TPrimitive& primitive, const TRenderScene& scene,
                                     const TStroke& stroke, const TPaintPrimitive& paint) const
{
    const TBounds box = BoundsOf(primitive);
    const TVec2 topLeft = PictureFrame.Pixel({box.MinX, box.MaxY});
    const TVec2 bottomRight = PictureFrame.Pixel({box.MaxX, box.MinY});
    const TPixelRect reach{-ReachPixels, -ReachPixels, PictureFrame.Width + ReachPixels,
                           PictureFrame.Height + ReachPixels};
    if (topLeft.X >= reach.Left && topLeft.Y >= reach.Top && bottomRight.X <= reach.Right &&
        bottomRight.Y <= reach.Bottom)
        return paint(primitive, scene, stroke);
    const TVec2* p = primitive.P;
    std::vector<TVec2> outline;
    switch (primitive.Kind) {
    case TPrimitiveKind::Line:
        outline = {PictureFrame.Pixel(p[0]), PictureFrame.Pixel(p[1])};
        break;
    case TPrimitiveKind::Arc:
        outline = ArcPixels(primitive, PictureFrame);
        break;
    case TPrimitiveKind::Text: {
        const TVec2 end{p[0].X + p[1].X, p[0].Y + p[1].Y};
        outline = {PictureFrame.Pixel(p[0]), PictureFrame.Pixel(end),
                   PictureFrame.Pixel({end.X + p[2].X, end.Y + p[2].Y}),
                   PictureFrame.Pixel({p[0].X + p[2].X, p[0].Y + p[2].Y}), PictureFrame.Pixel(p[0])};
        break;
    }
    case TPrimitiveKind::Fill: {
        TPrimitive held = primitive;
        for (TVec2& corner : held.P) {
            const TVec2 pixel = PictureFrame.Pixel(corner);
            corner = DrawingPoint(
                {std::clamp(pixel.X, reach.Left, reach.Right), std::clamp(pixel.Y, reach.Top, reach.Bottom)});
        }
        return paint(held, scene, stroke);
    }
    case TPrimitiveKind::Point:
        return;  // so far away, it lies outside the picture
    }
    for (std::size_t i = 0; i + 1 < outline.size(); ++i) {
        TVec2 from = outline[i];
        TVec2 to = outline[i + 1];
        if (!ClipSegment(from, to, reach))
            continue;
        TPrimitive side = primitive;
        side.Kind = TPrimitiveKind::Line;
        side.P[0] = DrawingPoint(from);
        side.P[1] = DrawingPoint(to);
        paint(side, scene, stroke);
    }
}
