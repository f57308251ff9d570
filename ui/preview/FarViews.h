// The far views of a dense drawing, drawn once: a drawing of millions of objects seen whole puts
// dozens of them on every pixel, and walking them all takes far longer than a frame may. So the
// whole drawing is drawn once at a fine scale, and again at each half of it from the pixels of
// the last, and a frame seen from further than the finest scale is taken from the pixels of the
// level just finer than itself. Each pixel of the frame takes the colour of the level's pixel
// under its centre, or, where that is background, of the first pixel under it that is not, so
// that a thin line stays unbroken. Texts are drawn as their frames, as a frame drawn from the
// objects draws them when a view holds as many texts. A highlight, another style or a closer view
// is drawn from the objects.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "render/DrawingStyle.h"
#include "ui/preview/PixelRaster.h"
#include "ui/preview/PreviewView.h"

struct TPreviewScene;

// One level: the drawing's pixels at one scale, top row first, each 0xRRGGBB.
struct TFarLevel {
    TPreviewView View;
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

class TFarViews {
public:
    // Draws the finest level of the scene, within mostPixels pixels, and the coarser ones below
    // it; nothing when stillWanted answers false before the end.
    static std::shared_ptr<const TFarViews> Draw(const TPreviewScene& scene, std::size_t mostPixels,
                                                 const std::function<bool()>& stillWanted);

    // Draws the view into the frame from the level just finer than it; false when the view is
    // closer than the finest level or the style is not the one the levels were drawn in.
    bool Paint(const TDrawingStyle& style, const TPreviewView& view, const TPixelFrame& frame) const;

    const std::vector<TFarLevel>& Levels() const { return FarLevels; }

private:
    TDrawingStyle Style;
    TBounds Extent;  // of the levels, in drawing units
    uint32_t Background = 0;
    std::vector<TFarLevel> FarLevels;  // the finest first
};

// So many entries make a drawing dense enough for its far views to be drawn once, when the scene
// is made; then at most this many pixels hold its finest level.
constexpr std::size_t DenseSceneEntries = 500000;
constexpr std::size_t MostFarPixels = 40u << 20;
