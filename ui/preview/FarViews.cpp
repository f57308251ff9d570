#include "ui/preview/FarViews.h"

#include <algorithm>
#include <cmath>

#include "ui/preview/PreviewPaint.h"
#include "ui/preview/PreviewScene.h"

namespace {

// The finest level is at most this many pixels on its longer side, and levels stop halving
// once they are smaller than a frame could want.
constexpr double FinestSide = 8192;
constexpr int CoarsestSide = 512;

// Draws into memory, texts as their frames; nothing else of a frame asks for glyphs.
class TLevelCanvas : public TPreviewCanvas {
public:
    explicit TLevelCanvas(TFarLevel& level) : Level(level) {}
    TPixelFrame Frame() override { return {Level.Pixels.data(), Level.Width, Level.Height, 0}; }
    bool Text(const TTextPlacement&, const std::string&, TRgb) override { return false; }

private:
    TFarLevel& Level;
};

// What fitting the view shows, with room around it for a window of another shape than the
// drawing's and for the fitted view's margin. Objects far off, such as settings kept below the
// paper, would take the levels' pixels from what a user looks at.
constexpr double FarMargin = 0.2;

TBounds ExtentOf(const TPreviewScene& scene)
{
    const TBounds& shown = scene.ShownArea;
    const double x = shown.Width() * FarMargin;
    const double y = shown.Height() * FarMargin;
    return {shown.MinX - x, shown.MinY - y, shown.MaxX + x, shown.MaxY + y};
}

bool Holds(const TBounds& outer, const TBounds& inner)
{
    return outer.MinX <= inner.MinX && outer.MinY <= inner.MinY && outer.MaxX >= inner.MaxX && outer.MaxY >= inner.MaxY;
}

TFarLevel LevelOf(const TBounds& extent, double scale)
{
    TFarLevel level;
    level.Width = static_cast<int>(std::ceil(extent.Width() * scale)) + 2;
    level.Height = static_cast<int>(std::ceil(extent.Height() * scale)) + 2;
    level.View = {scale, {(extent.MinX + extent.MaxX) / 2, (extent.MinY + extent.MaxY) / 2},
                  static_cast<double>(level.Width), static_cast<double>(level.Height)};
    return level;
}

// The next level from the last: each pixel from four, the first of them that is not background.
TFarLevel Halved(const TFarLevel& finer, uint32_t background)
{
    TFarLevel level;
    level.Width = (finer.Width + 1) / 2;
    level.Height = (finer.Height + 1) / 2;
    level.View = {finer.View.Scale / 2, finer.View.Centre, finer.View.Width / 2, finer.View.Height / 2};
    level.Pixels.assign(static_cast<std::size_t>(level.Width) * level.Height, background);
    for (int y = 0; y < level.Height; ++y)
        for (int x = 0; x < level.Width; ++x) {
            uint32_t& pixel = level.Pixels[static_cast<std::size_t>(y) * level.Width + x];
            for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
                const int fx = std::min(2 * x + dx, finer.Width - 1);
                const int fy = std::min(2 * y + dy, finer.Height - 1);
                const uint32_t value = finer.Pixels[static_cast<std::size_t>(fy) * finer.Width + fx];
                if (value != background) {
                    pixel = value;
                    break;
                }
            }
        }
    return level;
}

// The level pixels of each pixel of a frame along one axis: the one under its centre, or -1
// outside the level, and the first and last of those whose centres it covers, so that every
// level pixel belongs to one frame pixel and a line neither doubles nor breaks.
struct TFootprint {
    int Centre, First, Last;
};

std::vector<TFootprint> Footprints(int pixels, double frameCentre, double frameScale, double levelFirst,
                                   double levelScale, int levelPixels, int direction)
{
    std::vector<TFootprint> footprints(static_cast<std::size_t>(pixels));
    const double half = levelScale / frameScale / 2;
    for (int i = 0; i < pixels; ++i) {
        const double drawing = frameCentre + direction * (i + 0.5 - pixels / 2.0) / frameScale;
        const double at = direction * (drawing - levelFirst) * levelScale;
        // Far outside the level every pixel is -1 or levelPixels, which no cast can overflow.
        const auto inLevel = [&](double v) { return std::clamp(v, -1.0, static_cast<double>(levelPixels)); };
        TFootprint& f = footprints[static_cast<std::size_t>(i)];
        const int centre = static_cast<int>(std::floor(inLevel(at)));
        f.Centre = centre >= 0 && centre < levelPixels ? centre : -1;
        f.First = std::max(static_cast<int>(std::ceil(inLevel(at - half - 0.5))), 0);
        f.Last = std::min(static_cast<int>(std::ceil(inLevel(at + half - 0.5))) - 1, levelPixels - 1);
    }
    return footprints;
}

}  // namespace

std::shared_ptr<const TFarViews> TFarViews::Draw(const TPreviewScene& scene, std::size_t mostPixels,
                                                 const std::function<bool()>& stillWanted)
{
    const TBounds extent = ExtentOf(scene);
    if (extent.Empty() || extent.Width() + extent.Height() <= 0)
        return nullptr;
    const double side = std::max(extent.Width(), extent.Height());
    const double area = std::max(extent.Width(), side / FinestSide) * std::max(extent.Height(), side / FinestSide);
    const double scale = std::min(FinestSide / side, std::sqrt(static_cast<double>(mostPixels) / area));
    auto views = std::make_shared<TFarViews>();
    views->Style = scene.Style;
    views->Extent = extent;
    TFarLevel finest = LevelOf(extent, scale);
    views->Background = PixelValue(scene.Style.Background);
    finest.Pixels.assign(static_cast<std::size_t>(finest.Width) * finest.Height, views->Background);
    TLevelCanvas canvas(finest);
    if (!PaintObjects(scene, finest.View, std::nullopt, canvas, stillWanted))
        return nullptr;
    views->FarLevels.push_back(std::move(finest));
    while (std::max(views->FarLevels.back().Width, views->FarLevels.back().Height) > CoarsestSide)
        views->FarLevels.push_back(Halved(views->FarLevels.back(), views->Background));
    return views;
}

bool TFarViews::Paint(const TDrawingStyle& style, const TPreviewView& view, const TPixelFrame& frame) const
{
    if (FarLevels.empty() || view.Scale > FarLevels.front().View.Scale || !Holds(Extent, view.Visible()) ||
        !(style == Style))
        return false;
    // The coarsest level at least as fine as the view.
    const auto coarser = std::find_if(FarLevels.rbegin(), FarLevels.rend(),
                                      [&](const TFarLevel& level) { return level.View.Scale >= view.Scale; });
    const TFarLevel& level = *coarser;
    const TPreviewView& at = level.View;
    const std::vector<TFootprint> columns = Footprints(frame.Width, view.Centre.X, view.Scale,
                                                       at.Centre.X - at.Width / 2 / at.Scale, at.Scale, level.Width, 1);
    const std::vector<TFootprint> rows = Footprints(frame.Height, view.Centre.Y, view.Scale,
                                                    at.Centre.Y + at.Height / 2 / at.Scale, at.Scale, level.Height, -1);
    const auto levelPixel = [&](int x, int y) { return level.Pixels[static_cast<std::size_t>(y) * level.Width + x]; };
    for (int y = 0; y < frame.Height; ++y) {
        const TFootprint& row = rows[static_cast<std::size_t>(y)];
        uint32_t* out = frame.Pixels + static_cast<std::size_t>(y) * frame.Width;
        for (int x = 0; x < frame.Width; ++x) {
            const TFootprint& column = columns[static_cast<std::size_t>(x)];
            uint32_t value = row.Centre >= 0 && column.Centre >= 0 ? levelPixel(column.Centre, row.Centre) : Background;
            for (int ly = row.First; value == Background && ly <= row.Last; ++ly)
                for (int lx = column.First; value == Background && lx <= column.Last; ++lx)
                    value = levelPixel(lx, ly);
            out[x] = value | frame.Opaque;
        }
    }
    return true;
}
