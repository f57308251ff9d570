// The primitives of one drawing with their style and their indexes, made once per drawing, so
// that a frame finds what reaches its view without measuring anything again, and another style
// could draw them without expanding the drawing again.
#pragma once

#include <atomic>
#include <future>
#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "jww/jwwunit.h"
#include "render/ChangeMarks.h"
#include "render/DrawingStyle.h"
#include "render/Primitives.h"
#include "render/RenderFilter.h"
#include "ui/preview/PreviewIndex.h"

// How a frame draws an entry: not at all, greyed below the highlight, or in its colours.
enum class TDrawnAs : uint8_t { Hidden, Greyed, Coloured };

// Without a highlight what the drawing hides is not drawn; a highlight shows what it selects,
// hidden or not, and greys what else is shown.
inline TDrawnAs DrawnAs(const TIndexEntry& entry, const TDrawingStyle& style,
                        const std::optional<TRenderFilter>& filter)
{
    constexpr uint8_t LayersPerGroup = 16;
    const bool shown = style.LayerShown[entry.Layer];
    if (!filter)
        return shown ? TDrawnAs::Coloured : TDrawnAs::Hidden;
    const TRenderSource source{0, 0, static_cast<uint16_t>(entry.Layer / LayersPerGroup),
                               static_cast<uint16_t>(entry.Layer % LayersPerGroup), entry.SourceColor,
                               entry.SourceStyle};
    if (filter->Shows(source))
        return TDrawnAs::Coloured;
    return shown ? TDrawnAs::Greyed : TDrawnAs::Hidden;
}

// A picture of a change draws what two drawings share greyed and the rest in the colour of its
// change, whatever the highlight; what the later drawing hides is not drawn, and the removed
// objects that the earlier one hides were left out of the scene.
inline TDrawnAs DrawnAs(const TIndexEntry& entry, const TDrawingStyle& style, TObjectChange change)
{
    if (change == TObjectChange::Removed)
        return TDrawnAs::Coloured;
    if (!style.LayerShown[entry.Layer])
        return TDrawnAs::Hidden;
    return change == TObjectChange::Same ? TDrawnAs::Greyed : TDrawnAs::Coloured;
}

// For every node of an index, its last entry drawn in colour and its last entry greyed, or
// NoEntry: what stands for a node too small to enter, and whether it holds anything to draw.
struct TNodeClasses {
    static constexpr uint32_t NoEntry = UINT32_MAX;
    std::vector<uint32_t> LastColoured;
    std::vector<uint32_t> LastGreyed;
};

class TFarViews;

struct TPreviewScene {
    // The fills first, then the rest, each in the order of their index, which a frame reads.
    TRenderScene Primitives;
    TDrawingStyle Style;
    // Fills are drawn below everything else, and have an index of their own.
    TPreviewIndex Strokes;
    TPreviewIndex Fills;
    // What fitting the view shows: the paper, or what is shown.
    TBounds ShownArea;
    // Whether insertions beyond the budget were drawn as their frames.
    bool BudgetSpent = false;

    // The change of each primitive, by its place, in a picture of a change; else empty.
    std::vector<TObjectChange> Changes;

    bool ShowsChange() const { return !Changes.empty(); }
    TDrawnAs DrawnAs(const TIndexEntry& entry, const std::optional<TRenderFilter>& filter) const
    {
        return ShowsChange() ? ::DrawnAs(entry, Style, Changes[entry.Primitive])
                             : ::DrawnAs(entry, Style, filter);
    }

    // The form's picture edits that Style shows; 0 for the drawing's own style.
    uint64_t StyleEdits = 0;

    TPreviewScene() = default;
    TPreviewScene(const TPreviewScene&) = delete;
    TPreviewScene& operator=(const TPreviewScene&) = delete;
    ~TPreviewScene();

    // Makes the primitives and their indexes; the far views of a dense drawing are drawn after,
    // on a thread of their own, while frames are drawn from the objects. With changes, the
    // picture of the change from their earlier drawing to doc: its removed objects that it shows
    // are drawn too.
    void Show(const TJwwDocument& doc, const TChangeMarks* changes = nullptr);
    // The far views once they are drawn, or nothing.
    std::shared_ptr<const TFarViews> FarViews() const;
    void WaitForFarViews() const;
    // Draws the same primitives in another style, such as one of edited tables, which shows the
    // picture edits given; not while a frame is drawn. The far views are drawn anew for it.
    void Restyle(const TDrawingStyle& style, uint64_t edits);
    // Shows every layer, hidden ones too, or only what the drawing shows; kept for the next
    // drawing. No frame may be drawn meanwhile.
    void ShowAllLayers(bool all);
    bool AllLayers() const { return EveryLayer; }

    // The classes of the nodes of the stroke and fill indexes under the highlight, kept for
    // the highlights asked for last; safe to ask from frames drawn on other threads.
    using TClasses = std::pair<std::shared_ptr<const TNodeClasses>, std::shared_ptr<const TNodeClasses>>;
    TClasses ClassesFor(const std::optional<TRenderFilter>& filter) const;

private:
    void StartFarViews();
    void StopFarViews();

    mutable std::mutex FarViewsLock;
    std::shared_ptr<const TFarViews> DrawnFarViews;
    std::atomic<bool> FarViewsWanted{false};
    std::future<void> FarViewsDrawing;
    void ApplyLayers();

    // The layers the drawing itself shows, which Style shows unless every layer is asked for.
    std::array<bool, 256> DrawingLayerShown{};
    bool EveryLayer = false;
    void AddRemoved(const TChangeMarks& changes);

    mutable std::mutex ClassesLock;
    mutable std::vector<std::pair<std::optional<TRenderFilter>, TClasses>> KnownClasses;
};
