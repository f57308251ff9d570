#include "ui/preview/PreviewPaint.h"

#include <algorithm>
#include <cmath>

namespace {

// Texts lower than this, and those beyond the first MostGlyphTexts in view, are drawn as
// their frame.
constexpr double LeastTextPixels = 6.0;
constexpr std::size_t MostGlyphTexts = 3000;
// Arcs are drawn as polylines with about one segment per this many pixels of their length.
constexpr double PixelsPerArcSegment = 4.0;
constexpr int MostArcSegments = 720;
// How many primitives a frame walks between two looks at whether it is still wanted.
constexpr std::size_t PrimitivesBetweenChecks = 65536;

void PaintArc(const TPrimitive& arc, const TPreviewView& view, TRgb color, TPreviewCanvas& canvas)
{
    const TVec2* p = arc.P;
    const double pixels =
        (std::hypot(p[1].X, p[1].Y) + std::hypot(p[2].X, p[2].Y)) * std::abs(arc.Sweep) * 0.5 * view.Scale;
    const int segments = std::clamp(static_cast<int>(pixels / PixelsPerArcSegment), 4, MostArcSegments);
    const auto at = [&](double cosine, double sine) {
        return view.Pixel({p[0].X + p[1].X * cosine + p[2].X * sine, p[0].Y + p[1].Y * cosine + p[2].Y * sine});
    };
    // Each step turns the angle by the same amount, which a rotation does without the sines.
    const double stepCosine = std::cos(arc.Sweep / segments);
    const double stepSine = std::sin(arc.Sweep / segments);
    double cosine = std::cos(arc.Start);
    double sine = std::sin(arc.Start);
    TVec2 previous = at(cosine, sine);
    for (int i = 1; i <= segments; ++i) {
        const double turned = cosine * stepCosine - sine * stepSine;
        sine = sine * stepCosine + cosine * stepSine;
        cosine = turned;
        const TVec2 next = at(cosine, sine);
        canvas.Line(previous, next, color);
        previous = next;
    }
}

TVec2 Plus(TVec2 a, TVec2 b)
{
    return {a.X + b.X, a.Y + b.Y};
}

void PaintTextFrame(const TPrimitive& text, const TPreviewView& view, TRgb color, TPreviewCanvas& canvas)
{
    const TVec2* p = text.P;
    const TVec2 corners[4] = {view.Pixel(p[0]), view.Pixel(Plus(p[0], p[1])),
                              view.Pixel(Plus(Plus(p[0], p[1]), p[2])), view.Pixel(Plus(p[0], p[2]))};
    for (int i = 0; i < 4; ++i)
        canvas.Line(corners[i], corners[(i + 1) % 4], color);
}

// Nothing when the text has no height or no direction to lay its glyphs along.
std::optional<TTextPlacement> PlacementOf(const TPrimitive& text, const TPreviewView& view)
{
    const TVec2* p = text.P;
    const double height = std::hypot(p[2].X, p[2].Y);
    const double along = std::hypot(p[3].X, p[3].Y);
    if (height == 0.0 || along == 0.0)
        return std::nullopt;
    // On screen the y axis runs down.
    return TTextPlacement{view.Pixel(p[0]), {p[3].X / along, -p[3].Y / along},
                          {p[2].X / height, -p[2].Y / height}, std::hypot(p[1].X, p[1].Y) * view.Scale,
                          height * view.Scale};
}

}  // namespace

bool PaintPreview(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted)
{
    const TBounds visible = view.Visible();
    const float onePixel = static_cast<float>(1.0 / view.Scale);
    const std::vector<TPrimitive>& primitives = scene.Primitives.Primitives;
    std::size_t glyphTexts = 0;
    for (const bool greyedPass : {true, false}) {
        if (greyedPass && !filter)
            continue;
        for (std::size_t i = 0; i < primitives.size(); ++i) {
            if (i % PrimitivesBetweenChecks == 0 && !stillWanted())
                return false;
            const std::array<float, 4>& box = scene.Boxes[i];
            if (box[2] < visible.MinX || box[0] > visible.MaxX || box[3] < visible.MinY || box[1] > visible.MaxY)
                continue;
            const TPrimitive& primitive = primitives[i];
            if (filter && filter->Shows(primitive.Source) == greyedPass)
                continue;
            const TRgb color = greyedPass ? GreyedRgb : primitive.Color;
            if (primitive.Kind == TPrimitiveKind::Point) {
                canvas.Dot(view.Pixel(primitive.P[0]), 1, color);
                continue;
            }
            if (box[2] - box[0] < onePixel && box[3] - box[1] < onePixel) {
                canvas.Dot(view.Pixel(primitive.P[0]), 0, color);
                continue;
            }
            switch (primitive.Kind) {
            case TPrimitiveKind::Line:
                canvas.Line(view.Pixel(primitive.P[0]), view.Pixel(primitive.P[1]), color);
                break;
            case TPrimitiveKind::Arc:
                PaintArc(primitive, view, color, canvas);
                break;
            case TPrimitiveKind::Text: {
                const std::optional<TTextPlacement> placement = PlacementOf(primitive, view);
                const bool glyphs = placement && placement->Height >= LeastTextPixels &&
                                    glyphTexts < MostGlyphTexts &&
                                    canvas.Text(*placement, scene.Primitives.Texts.at(primitive.TextIndex), color);
                if (glyphs)
                    ++glyphTexts;
                else
                    PaintTextFrame(primitive, view, color, canvas);
                break;
            }
            case TPrimitiveKind::Fill: {
                const TVec2 corners[4] = {view.Pixel(primitive.P[0]), view.Pixel(primitive.P[1]),
                                          view.Pixel(primitive.P[2]), view.Pixel(primitive.P[3])};
                canvas.Fill(corners, color);
                break;
            }
            case TPrimitiveKind::Point:
                break;
            }
        }
        canvas.Flush();
    }
    return true;
}

bool ClipSegment(TVec2& from, TVec2& to, const TPixelRect& box)
{
    // Liang and Barsky: the part of the segment's parameter range inside all four edges.
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    const double towards[4] = {-dx, dx, -dy, dy};
    const double room[4] = {from.X - box.Left, box.Right - from.X, from.Y - box.Top, box.Bottom - from.Y};
    double enter = 0.0;
    double leave = 1.0;
    for (int edge = 0; edge < 4; ++edge) {
        if (towards[edge] == 0.0) {
            if (room[edge] < 0.0)
                return false;
            continue;
        }
        const double t = room[edge] / towards[edge];
        if (towards[edge] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    const TVec2 start = from;
    from = {start.X + enter * dx, start.Y + enter * dy};
    to = {start.X + leave * dx, start.Y + leave * dy};
    return true;
}
