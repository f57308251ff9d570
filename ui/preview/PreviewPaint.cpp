#include "ui/preview/PreviewPaint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <atomic>
#include <mutex>
#include <numbers>
#include <thread>

#include "ui/Messages.h"
#include "ui/preview/FarViews.h"

namespace {

// Texts lower than this, and all texts while more than MostGlyphTexts in view are higher, are
// drawn as their frame.
constexpr double LeastTextPixels = 6.0;
constexpr std::size_t MostGlyphTexts = 2000;
constexpr double LowestTextFrame = 3.0;
// A text longer than this many times the view's width and height together is drawn as its
// frame, since laying out glyphs that lie almost all outside the view takes longer than all the
// rest of a frame.
constexpr double GlyphTextReach = 4.0;
// A frame is drawn in squares of this many pixels a side, each of which a processor's cache
// holds, by at most this many threads.
constexpr int TileSide = 256;
constexpr unsigned MostThreads = 4;
// Arcs are drawn as polylines whose corners stray at most this far from the curve.
constexpr double ArcTolerancePixels = 0.5;
constexpr int MostArcSegments = 1440;
// Longer solid arcs are drawn as segments, which are cut to the view.
constexpr double MostCurvePixels = 4096;
// How many entries a frame draws between two looks at whether it is still wanted.
constexpr std::size_t EntriesBetweenChecks = 65536;
// Coordinates held as floats are drawn from while their rounding stays below this share of a
// pixel; closer views take the primitives' own.
constexpr double FloatPixelError = 0.05;
constexpr double FloatPrecision = 1.0 / (1 << 23);
// The budget's note: its characters' height and its distance from the corner.
constexpr double NotePixels = 13.0;
constexpr double NoteInset = 6.0;

void NoteSpentBudget(const TPreviewScene& scene, TPreviewCanvas& canvas)
{
    if (scene.BudgetSpent)
        canvas.Text({{NoteInset, NoteInset + NotePixels}, {1, 0}, {0, -1}, 0.0, NotePixels},
                    std::string(MsgPreviewBudgetSpent), NoteRgb(scene.Style.Background));
}

TVec2 Plus(TVec2 a, TVec2 b)
{
    return {a.X + b.X, a.Y + b.Y};
}

double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

// What every part of a frame shares: the scene, the view and what it is drawn with.
struct TFrameShared {
    const TPreviewScene& Scene;
    const TPreviewView& View;
    const std::optional<TRenderFilter>& Filter;
    TPixelFrame Frame;
    float OnePixel;
    // The dashes of every line type in pixels of this view, and the pens of the numbers that
    // have one.
    std::array<TDashes, 256> Dashes;
    std::array<TPen, LastExtendedPenColor + 1> Pens;
    TPreviewScene::TClasses Classes;

    const TPen& PenOf(uint16_t penColor) const
    {
        return penColor < Pens.size() ? Pens[penColor] : Scene.Style.PenOf(penColor);
    }
    mutable std::atomic<bool> Abandoned{false};

    TRgb ColorOf(const TIndexEntry& entry, TDrawnAs pass) const
    {
        if (Scene.ShowsChange())
            return ChangeRgb(Scene.Changes[entry.Primitive]);
        if (pass == TDrawnAs::Greyed)
            return GreyedRgb;
        if (entry.Kind() == TPrimitiveKind::Fill && entry.PenColor == SolidOwnColor)
            return Scene.Primitives.Primitives[entry.Primitive].OwnColor;
        return PenOf(entry.PenColor).Color;
    }

    // Nothing when the text has no height or no direction to lay its glyphs along.
    std::optional<TTextPlacement> PlacementOf(const TPrimitive& text) const
    {
        const TVec2* p = text.P;
        const double height = Length(p[2].X, p[2].Y);
        const double along = Length(p[3].X, p[3].Y);
        if (height == 0.0 || along == 0.0)
            return std::nullopt;
        // On screen the y axis runs down.
        return TTextPlacement{View.Pixel(p[0]), {p[3].X / along, -p[3].Y / along},
                              {p[2].X / height, -p[2].Y / height}, Length(p[1].X, p[1].Y) * View.Scale,
                              height * View.Scale};
    }

    // A text too low for its frame to show two sides is one line through its middle.
    void TextFrame(TPixelRaster& raster, const TPrimitive& text, TRgb color) const
    {
        const TVec2* p = text.P;
        if (Length(p[2].X, p[2].Y) * View.Scale < LowestTextFrame) {
            const TVec2 middle = Plus(p[0], {p[2].X / 2, p[2].Y / 2});
            double phase = 0.0;
            raster.Line(View.Pixel(middle), View.Pixel(Plus(middle, p[1])), {color, 1, nullptr}, phase);
            return;
        }
        const TVec2 corners[4] = {View.Pixel(p[0]), View.Pixel(Plus(p[0], p[1])),
                                  View.Pixel(Plus(Plus(p[0], p[1]), p[2])), View.Pixel(Plus(p[0], p[2]))};
        Outline(raster, corners, color);
    }

    static void Outline(TPixelRaster& raster, const TVec2 (&corners)[4], TRgb color)
    {
        const TRasterPen pen{color, 1, nullptr};
        double phase = 0.0;
        for (int i = 0; i < 4; ++i)
            raster.Line(corners[i], corners[(i + 1) % 4], pen, phase);
    }
};

// A text that may take glyphs, and its colour.
struct TGlyphText {
    uint32_t Primitive;
    TRgb Color;
    friend bool operator<(const TGlyphText& a, const TGlyphText& b) { return a.Primitive < b.Primitive; }
    friend bool operator==(const TGlyphText& a, const TGlyphText& b) { return a.Primitive == b.Primitive; }
};

// One part of the frame in one pass: what of the indexes reaches it, drawn into its clip.
class TTilePainter {
public:
    TTilePainter(const TFrameShared& shared, const TPixelClip& clip, bool checks,
                 const std::function<bool()>& stillWanted, std::vector<TGlyphText>& glyphs)
        : Shared(shared), Raster(shared.Frame, clip), Clip(clip), Checks(checks), StillWanted(stillWanted),
          Glyphs(glyphs)
    {
    }

    // Returns false once the frame is no longer wanted.
    bool Paint(TDrawnAs pass)
    {
        Walk(Shared.Scene.Fills, *Shared.Classes.second, pass);
        Walk(Shared.Scene.Strokes, *Shared.Classes.first, pass);
        return !Abandoned();
    }

private:
    // Pixels of a point relative to the index's origin.
    struct TPlacement {
        double X0, Y0, Scale;
        TVec2 Pixel(float x, float y) const { return {X0 + x * Scale, Y0 - y * Scale}; }
    };

    bool Abandoned() const { return Shared.Abandoned.load(std::memory_order_relaxed); }

    void Walk(const TPreviewIndex& index, const TNodeClasses& classes, TDrawnAs pass)
    {
        const std::vector<uint32_t>& last =
            pass == TDrawnAs::Coloured ? classes.LastColoured : classes.LastGreyed;
        const TPreviewView& view = Shared.View;
        const TVec2 origin = view.Pixel(index.Origin());
        const TPlacement place{origin.X, origin.Y, view.Scale};
        const bool floatsSuffice = index.Reach() * view.Scale * FloatPrecision < FloatPixelError;
        const TBounds area{view.DrawingPoint({double(Clip.Left), double(Clip.Bottom)}).X,
                           view.DrawingPoint({double(Clip.Left), double(Clip.Bottom)}).Y,
                           view.DrawingPoint({double(Clip.Right), double(Clip.Top)}).X,
                           view.DrawingPoint({double(Clip.Right), double(Clip.Top)}).Y};
        const float onePixel = Shared.OnePixel;
        const auto enter = [&](uint32_t node) {
            if (Abandoned() || last[node] == TNodeClasses::NoEntry)
                return false;
            const TIndexNode& n = index.Nodes()[node];
            if (n.MaxX - n.MinX >= onePixel || n.MaxY - n.MinY >= onePixel)
                return true;
            // All of it within a pixel: the pixel in the colour of what lies on top.
            Raster.Pixel(place.Pixel((n.MinX + n.MaxX) / 2, (n.MinY + n.MaxY) / 2),
                         Shared.ColorOf(index.Entries()[last[node]], pass));
            return false;
        };
        const auto each = [&](const TIndexEntry& entry) {
            if (Shared.Scene.DrawnAs(entry, Shared.Filter) != pass || Abandoned())
                return;
            if (Checks && ++Drawn % EntriesBetweenChecks == 0 && !StillWanted())
                Shared.Abandoned = true;
            Draw(index, entry, pass, place, floatsSuffice);
        };
        index.Walk(AreaInIndex(index, area), enter, each);
    }

    // The index's floats, while they are precise enough, spare reading the primitive.
    void Draw(const TPreviewIndex& index, const TIndexEntry& entry, TDrawnAs pass, const TPlacement& place,
              bool floatsSuffice)
    {
        const TRgb color = Shared.ColorOf(entry, pass);
        const TPen& pen = Shared.PenOf(entry.PenColor);
        const float onePixel = Shared.OnePixel;
        if (entry.Kind() == TPrimitiveKind::Point)
            return Raster.Dot(place.Pixel(entry.MinX, entry.MinY), static_cast<int>(PointRadius(pen.Width)),
                              color);
        if (entry.MaxX - entry.MinX < onePixel && entry.MaxY - entry.MinY < onePixel)
            return Raster.Pixel(place.Pixel((entry.MinX + entry.MaxX) / 2, (entry.MinY + entry.MaxY) / 2),
                                color);
        const TRasterPen linePen{color, pen.Width, &Shared.Dashes[entry.PenStyle]};
        double phase = 0.0;
        if (entry.Kind() == TPrimitiveKind::Line && floatsSuffice) {
            // The most common of all, straight from the entry.
            const float top = entry.Falling() ? entry.MaxY : entry.MinY;
            const float bottom = entry.Falling() ? entry.MinY : entry.MaxY;
            return Raster.Line(place.Pixel(entry.MinX, top), place.Pixel(entry.MaxX, bottom), linePen, phase);
        }
        const TPreviewView& view = Shared.View;
        const TPrimitive primitive =
            floatsSuffice ? index.ShapeOf(entry) : Shared.Scene.Primitives.Primitives[entry.Primitive];
        switch (entry.Kind()) {
        case TPrimitiveKind::Line:
            Raster.Line(view.Pixel(primitive.P[0]), view.Pixel(primitive.P[1]), linePen, phase);
            break;
        case TPrimitiveKind::Arc:
            Arc(primitive, linePen);
            break;
        case TPrimitiveKind::Text: {
            const std::optional<TTextPlacement> placement = Shared.PlacementOf(primitive);
            const double reach = GlyphTextReach * (Shared.View.Width + Shared.View.Height);
            if (placement && placement->Height >= LeastTextPixels && placement->Length <= reach)
                Glyphs.push_back({entry.Primitive, color});
            else
                Shared.TextFrame(Raster, primitive, color);
            break;
        }
        case TPrimitiveKind::Fill: {
            const TVec2 corners[4] = {view.Pixel(primitive.P[0]), view.Pixel(primitive.P[1]),
                                      view.Pixel(primitive.P[2]), view.Pixel(primitive.P[3])};
            Raster.Fill(corners, color);
            break;
        }
        case TPrimitiveKind::Point:
            break;
        }
    }

    // A solid thin arc of modest length pixel by pixel; any other as segments of equal turn, as
    // many as keep the polyline within the tolerance of the curve.
    void Arc(const TPrimitive& arc, const TRasterPen& pen)
    {
        const TPreviewView& view = Shared.View;
        const TVec2* p = arc.P;
        const double radius = std::max(Length(p[1].X, p[1].Y), Length(p[2].X, p[2].Y)) * view.Scale;
        if (pen.Width == 1 && pen.Dashes->Solid() && std::abs(arc.Sweep) * radius < MostCurvePixels) {
            const double k = view.Scale;
            Raster.Curve(view.Pixel(p[0]), {p[1].X * k, -p[1].Y * k}, {p[2].X * k, -p[2].Y * k}, arc.Start,
                         arc.Sweep, pen.Color);
            return;
        }
        const double turn =
            radius > ArcTolerancePixels ? 2 * std::acos(1 - ArcTolerancePixels / radius) : std::numbers::pi;
        const int segments =
            std::clamp(static_cast<int>(std::ceil(std::abs(arc.Sweep) / turn)), 4, MostArcSegments);
        const auto at = [&](double cosine, double sine) {
            return view.Pixel(
                {p[0].X + p[1].X * cosine + p[2].X * sine, p[0].Y + p[1].Y * cosine + p[2].Y * sine});
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

    const TFrameShared& Shared;
    TPixelRaster Raster;
    TPixelClip Clip;
    const bool Checks;  // only on the thread that asked for the frame
    const std::function<bool()>& StillWanted;
    std::vector<TGlyphText>& Glyphs;
    std::size_t Drawn = 0;
};

class TFramePainter {
public:
    TFramePainter(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted)
        : Shared{scene,
                 view,
                 filter,
                 canvas.Frame(),
                 static_cast<float>(1.0 / view.Scale),
                 {},
                 {},
                 scene.ClassesFor(filter)},
          Canvas(canvas),
          StillWanted(stillWanted)
    {
        for (std::size_t style = 0; style < Shared.Dashes.size(); ++style)
            Shared.Dashes[style] =
                DashesInPixels(scene.Style.DashesOf(static_cast<uint8_t>(style)), view.Scale);
        for (std::size_t pen = 0; pen < Shared.Pens.size(); ++pen)
            Shared.Pens[pen] = scene.Style.PenOf(static_cast<uint16_t>(pen));
        const TPixelFrame& frame = Shared.Frame;
        for (int top = 0; top < frame.Height; top += TileSide)
            for (int left = 0; left < frame.Width; left += TileSide)
                Tiles.push_back({left, top, std::min(frame.Width, left + TileSide),
                                 std::min(frame.Height, top + TileSide)});
    }

    bool Paint()
    {
        TPixelRaster whole(Shared.Frame, {0, 0, Shared.Frame.Width, Shared.Frame.Height});
        const TDrawingStyle& style = Shared.Scene.Style;
        whole.Clear(style.Background);
        if (style.Paper) {
            const TBounds& paper = *style.Paper;
            const TPreviewView& view = Shared.View;
            const TVec2 corners[4] = {
                view.Pixel({paper.MinX, paper.MinY}), view.Pixel({paper.MaxX, paper.MinY}),
                view.Pixel({paper.MaxX, paper.MaxY}), view.Pixel({paper.MinX, paper.MaxY})};
            TFrameShared::Outline(whole, corners, PaperFrameRgb(style.Background));
        }
        for (const TDrawnAs pass : {TDrawnAs::Greyed, TDrawnAs::Coloured}) {
            if (pass == TDrawnAs::Greyed && !Shared.Filter && !Shared.Scene.ShowsChange())
                continue;
            std::vector<std::vector<TGlyphText>> found(Tiles.size());
            OnEveryTile([&](std::size_t tile, bool checks) {
                TTilePainter(Shared, Tiles[tile], checks, StillWanted, found[tile]).Paint(pass);
            });
            if (Shared.Abandoned)
                return false;
            DrawGlyphs(found);
            if (Shared.Abandoned)
                return false;
        }
        NoteSpentBudget(Shared.Scene, Canvas);
        return true;
    }

private:
    // Calls paint for every part of the frame, side by side on the machine's processors, the
    // first on the thread that asked for the frame, which alone asks whether it is still wanted.
    void OnEveryTile(const std::function<void(std::size_t, bool)>& paint)
    {
        std::atomic<std::size_t> next{0};
        const auto work = [&](bool checks) {
            for (std::size_t tile = next++; tile < Tiles.size() && !Shared.Abandoned; tile = next++) {
                if (checks && !StillWanted())
                    Shared.Abandoned = true;
                paint(tile, checks);
            }
        };
        const unsigned helpers =
            std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()), MostThreads) - 1;
        std::vector<std::thread> threads;
        for (unsigned i = 0; i < helpers && i + 1 < Tiles.size(); ++i)
            threads.emplace_back(work, false);
        work(true);
        for (std::thread& thread : threads)
            thread.join();
    }

    // Glyphs only while few texts are large enough for them, each text once, though it was found
    // in every part it reaches; many are drawn as their frames, part by part, which shows no less
    // at such a view and keeps the frame fast.
    void DrawGlyphs(const std::vector<std::vector<TGlyphText>>& found)
    {
        std::vector<TGlyphText> glyphs;
        for (const std::vector<TGlyphText>& part : found)
            glyphs.insert(glyphs.end(), part.begin(), part.end());
        std::sort(glyphs.begin(), glyphs.end());
        glyphs.erase(std::unique(glyphs.begin(), glyphs.end()), glyphs.end());
        const std::vector<TPrimitive>& primitives = Shared.Scene.Primitives.Primitives;
        if (glyphs.size() > MostGlyphTexts) {
            OnEveryTile([&](std::size_t tile, bool) {
                TPixelRaster raster(Shared.Frame, Tiles[tile]);
                for (const TGlyphText& glyph : found[tile])
                    Shared.TextFrame(raster, primitives[glyph.Primitive], glyph.Color);
            });
            return;
        }
        TPixelRaster whole(Shared.Frame, {0, 0, Shared.Frame.Width, Shared.Frame.Height});
        for (const TGlyphText& glyph : glyphs) {
            const TPrimitive& text = primitives[glyph.Primitive];
            if (!Canvas.Text(*Shared.PlacementOf(text), Shared.Scene.Primitives.Texts.at(text.TextIndex),
                             glyph.Color))
                Shared.TextFrame(whole, text, glyph.Color);
        }
    }

    TFrameShared Shared;
    TPreviewCanvas& Canvas;
    const std::function<bool()>& StillWanted;
    std::vector<TPixelClip> Tiles;
};

}  // namespace

bool PaintPreview(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted)
{
    if (const std::shared_ptr<const TFarViews> far = filter ? nullptr : scene.FarViews();
        far && far->Paint(scene.Style, view, canvas.Frame())) {
        NoteSpentBudget(scene, canvas);
        return true;
    }
    return PaintObjects(scene, view, filter, canvas, stillWanted);
}

bool PaintObjects(const TPreviewScene& scene, const TPreviewView& view,
                  const std::optional<TRenderFilter>& filter, TPreviewCanvas& canvas,
                  const std::function<bool()>& stillWanted)
{
    return TFramePainter(scene, view, filter, canvas, stillWanted).Paint();
}
