#include "ui/preview/PreviewPaint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "ui/Messages.h"

namespace {

// Texts lower than this, and those beyond the first MostGlyphTexts in view, are drawn as
// their frame.
constexpr double LeastTextPixels = 6.0;
constexpr std::size_t MostGlyphTexts = 3000;
// Arcs are drawn as polylines whose corners stray at most this far from the curve.
constexpr double ArcTolerancePixels = 0.35;
constexpr int MostArcSegments = 1440;
// How many entries a frame draws between two looks at whether it is still wanted.
constexpr std::size_t EntriesBetweenChecks = 65536;
// Coordinates held as floats are drawn from while their rounding stays below this share of a
// pixel; closer views take the primitives' own.
constexpr double FloatPixelError = 0.05;
constexpr double FloatPrecision = 1.0 / (1 << 23);
// The budget's note: its characters' height and its distance from the corner.
constexpr double NotePixels = 13.0;
constexpr double NoteInset = 6.0;

TVec2 Plus(TVec2 a, TVec2 b)
{
    return {a.X + b.X, a.Y + b.Y};
}

class TFramePainter {
public:
    TFramePainter(const TPreviewScene& scene, const TPreviewView& view, const std::optional<TRenderFilter>& filter,
                  TPreviewCanvas& canvas, const std::function<bool()>& stillWanted)
        : Scene(scene), Style(scene.Style), View(view), Filter(filter), Canvas(canvas), StillWanted(stillWanted),
          Raster(canvas.Frame()), OnePixel(static_cast<float>(1.0 / view.Scale))
    {
        for (std::size_t style = 0; style < Dashes.size(); ++style)
            Dashes[style] = DashesInPixels(Style.DashesOf(static_cast<uint8_t>(style)), view.Scale);
    }

    bool Paint()
    {
        Raster.Clear(Style.Background);
        if (Style.Paper)
            PaperFrame(*Style.Paper);
        const TPreviewScene::TClasses classes = Scene.ClassesFor(Filter);
        for (const TDrawnAs pass : {TDrawnAs::Greyed, TDrawnAs::Coloured}) {
            if (pass == TDrawnAs::Greyed && !Filter)
                continue;
            Walk(Scene.Fills, *classes.second, pass);
            Walk(Scene.Strokes, *classes.first, pass);
            if (Abandoned)
                return false;
            DrawGlyphs();
        }
        if (Scene.BudgetSpent)
            Note(MsgPreviewBudgetSpent);
        return true;
    }

private:
    struct TGlyphText {
        uint32_t Primitive;
        TRgb Color;
    };

    // Pixels of a point relative to the index's origin.
    struct TPlacement {
        double X0, Y0, Scale;
        TVec2 Pixel(float x, float y) const { return {X0 + x * Scale, Y0 - y * Scale}; }
    };

    TPlacement PlacementOf(const TPreviewIndex& index) const
    {
        const TVec2 origin = View.Pixel(index.Origin());
        return {origin.X, origin.Y, View.Scale};
    }

    void PaperFrame(const TBounds& paper)
    {
        const TVec2 corners[4] = {View.Pixel({paper.MinX, paper.MinY}), View.Pixel({paper.MaxX, paper.MinY}),
                                  View.Pixel({paper.MaxX, paper.MaxY}), View.Pixel({paper.MinX, paper.MaxY})};
        Outline(corners, PaperFrameRgb(Style.Background));
    }

    void Outline(const TVec2 (&corners)[4], TRgb color)
    {
        const TRasterPen pen{color, 1, nullptr};
        double phase = 0.0;
        for (int i = 0; i < 4; ++i)
            Raster.Line(corners[i], corners[(i + 1) % 4], pen, phase);
    }

    TRgb ColorOf(const TIndexEntry& entry, TDrawnAs pass) const
    {
        if (pass == TDrawnAs::Greyed)
            return GreyedRgb;
        if (entry.Kind() == TPrimitiveKind::Fill && entry.PenColor == SolidOwnColor)
            return Scene.Primitives.Primitives[entry.Primitive].OwnColor;
        return Style.PenOf(entry.PenColor).Color;
    }

    void Walk(const TPreviewIndex& index, const TNodeClasses& classes, TDrawnAs pass)
    {
        const std::vector<uint32_t>& last = pass == TDrawnAs::Coloured ? classes.LastColoured : classes.LastGreyed;
        const TPlacement place = PlacementOf(index);
        const bool floatsSuffice = index.Reach() * View.Scale * FloatPrecision < FloatPixelError;
        const auto enter = [&](uint32_t node) {
            if (Abandoned || last[node] == TNodeClasses::NoEntry)
                return false;
            const TIndexNode& n = index.Nodes()[node];
            if (n.MaxX - n.MinX >= OnePixel || n.MaxY - n.MinY >= OnePixel)
                return true;
            // All of it within a pixel: the pixel in the colour of what lies on top.
            Raster.Pixel(place.Pixel((n.MinX + n.MaxX) / 2, (n.MinY + n.MaxY) / 2),
                         ColorOf(index.Entries()[last[node]], pass));
            return false;
        };
        const auto each = [&](const TIndexEntry& entry) {
            if (Abandoned || DrawnAs(entry, Style, Filter) != pass)
                return;
            if (++Drawn % EntriesBetweenChecks == 0 && !StillWanted())
                Abandoned = true;
            Draw(entry, pass, place, floatsSuffice);
        };
        index.Walk(AreaInIndex(index, View.Visible()), enter, each);
    }

    void Draw(const TIndexEntry& entry, TDrawnAs pass, const TPlacement& place, bool floatsSuffice)
    {
        const TRgb color = ColorOf(entry, pass);
        const TPen& pen = Style.PenOf(entry.PenColor);
        if (entry.Kind() == TPrimitiveKind::Point)
            return Raster.Dot(place.Pixel(entry.MinX, entry.MinY), static_cast<int>(PointRadius(pen.Width)), color);
        if (entry.MaxX - entry.MinX < OnePixel && entry.MaxY - entry.MinY < OnePixel)
            return Raster.Pixel(place.Pixel((entry.MinX + entry.MaxX) / 2, (entry.MinY + entry.MaxY) / 2), color);
        const TPrimitive& primitive = Scene.Primitives.Primitives[entry.Primitive];
        const TRasterPen linePen{color, pen.Width, &Dashes[entry.PenStyle]};
        double phase = 0.0;
        switch (entry.Kind()) {
        case TPrimitiveKind::Line:
            if (floatsSuffice) {
                const float top = entry.Falling() ? entry.MaxY : entry.MinY;
                const float bottom = entry.Falling() ? entry.MinY : entry.MaxY;
                Raster.Line(place.Pixel(entry.MinX, top), place.Pixel(entry.MaxX, bottom), linePen, phase);
            } else {
                Raster.Line(View.Pixel(primitive.P[0]), View.Pixel(primitive.P[1]), linePen, phase);
            }
            break;
        case TPrimitiveKind::Arc:
            Arc(primitive, linePen);
            break;
        case TPrimitiveKind::Text:
            Text(entry.Primitive, color);
            break;
        case TPrimitiveKind::Fill: {
            const TVec2 corners[4] = {View.Pixel(primitive.P[0]), View.Pixel(primitive.P[1]),
                                      View.Pixel(primitive.P[2]), View.Pixel(primitive.P[3])};
            Raster.Fill(corners, color);
            break;
        }
        case TPrimitiveKind::Point:
            break;
        }
    }

    // Segments of equal turn, as many as keep the polyline within the tolerance of the curve.
    void Arc(const TPrimitive& arc, const TRasterPen& pen)
    {
        const TVec2* p = arc.P;
        const double radius = std::max(std::hypot(p[1].X, p[1].Y), std::hypot(p[2].X, p[2].Y)) * View.Scale;
        const double turn = radius > ArcTolerancePixels ? 2 * std::acos(1 - ArcTolerancePixels / radius) : std::numbers::pi;
        const int segments = std::clamp(static_cast<int>(std::ceil(std::abs(arc.Sweep) / turn)), 4, MostArcSegments);
        const auto at = [&](double cosine, double sine) {
            return View.Pixel({p[0].X + p[1].X * cosine + p[2].X * sine, p[0].Y + p[1].Y * cosine + p[2].Y * sine});
        };
        // Each step turns the angle by the same amount, which a rotation does without the sines.
        const double stepCosine = std::cos(arc.Sweep / segments);
        const double stepSine = std::sin(arc.Sweep / segments);
        double cosine = std::cos(arc.Start);
        double sine = std::sin(arc.Start);
        TVec2 previous = at(cosine, sine);
        double phase = 0.0;
        for (int i = 1; i <= segments; ++i) {
            const double turned = cosine * stepCosine - sine * stepSine;
            sine = sine * stepCosine + cosine * stepSine;
            cosine = turned;
            const TVec2 next = at(cosine, sine);
            Raster.Line(previous, next, pen, phase);
            previous = next;
        }
    }

    void Text(uint32_t index, TRgb color)
    {
        const TPrimitive& text = Scene.Primitives.Primitives[index];
        const std::optional<TTextPlacement> placement = PlacementOf(text);
        if (placement && placement->Height >= LeastTextPixels && Glyphs.size() < MostGlyphTexts)
            Glyphs.push_back({index, color});
        else
            TextFrame(text, color);
    }

    // The glyphs of the texts that took them, over everything else of their pass.
    void DrawGlyphs()
    {
        for (const TGlyphText& glyph : Glyphs) {
            const TPrimitive& text = Scene.Primitives.Primitives[glyph.Primitive];
            if (!Canvas.Text(*PlacementOf(text), Scene.Primitives.Texts.at(text.TextIndex), glyph.Color))
                TextFrame(text, glyph.Color);
        }
        Glyphs.clear();
    }

    void TextFrame(const TPrimitive& text, TRgb color)
    {
        const TVec2* p = text.P;
        const TVec2 corners[4] = {View.Pixel(p[0]), View.Pixel(Plus(p[0], p[1])), View.Pixel(Plus(Plus(p[0], p[1]), p[2])),
                                  View.Pixel(Plus(p[0], p[2]))};
        Outline(corners, color);
    }

    // Nothing when the text has no height or no direction to lay its glyphs along.
    std::optional<TTextPlacement> PlacementOf(const TPrimitive& text) const
    {
        const TVec2* p = text.P;
        const double height = std::hypot(p[2].X, p[2].Y);
        const double along = std::hypot(p[3].X, p[3].Y);
        if (height == 0.0 || along == 0.0)
            return std::nullopt;
        // On screen the y axis runs down.
        return TTextPlacement{View.Pixel(p[0]), {p[3].X / along, -p[3].Y / along},
                              {p[2].X / height, -p[2].Y / height}, std::hypot(p[1].X, p[1].Y) * View.Scale,
                              height * View.Scale};
    }

    void Note(std::string_view cp932)
    {
        Canvas.Text({{NoteInset, NoteInset + NotePixels}, {1, 0}, {0, -1}, 0.0, NotePixels}, std::string(cp932),
                    NoteRgb(Style.Background));
    }

    const TPreviewScene& Scene;
    const TDrawingStyle& Style;
    const TPreviewView& View;
    const std::optional<TRenderFilter>& Filter;
    TPreviewCanvas& Canvas;
    const std::function<bool()>& StillWanted;
    TPixelRaster Raster;
    const float OnePixel;
    // The dashes of every line type in pixels of this view.
    std::array<TDashes, 256> Dashes;
    std::vector<TGlyphText> Glyphs;
    std::size_t Drawn = 0;
    bool Abandoned = false;
};

}  // namespace

bool PaintPreview(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted)
{
    return TFramePainter(scene, view, filter, canvas, stillWanted).Paint();
}
