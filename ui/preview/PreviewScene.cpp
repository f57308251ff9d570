#include "ui/preview/PreviewScene.h"

#include <algorithm>

#include "render/PictureFrame.h"
#include "render/RenderDrawing.h"
#include "ui/preview/FarViews.h"

namespace {

// The highlights whose classes are kept: none and the last one, between which a user goes.
constexpr std::size_t KeptHighlights = 2;

std::shared_ptr<const TNodeClasses> Classify(const TPreviewIndex& index, const TPreviewScene& scene,
                                             const std::optional<TRenderFilter>& filter)
{
    auto classes = std::make_shared<TNodeClasses>();
    const std::vector<TIndexNode>& nodes = index.Nodes();
    classes->LastColoured.assign(nodes.size(), TNodeClasses::NoEntry);
    classes->LastGreyed.assign(nodes.size(), TNodeClasses::NoEntry);
    // Children come before their parents, and their order is the tree's.
    for (uint32_t n = 0; n < nodes.size(); ++n) {
        for (uint32_t i = nodes[n].First; i < nodes[n].First + nodes[n].Count; ++i) {
            if (index.IsLeaf(n)) {
                switch (scene.DrawnAs(index.Entries()[i], filter)) {
                case TDrawnAs::Coloured: classes->LastColoured[n] = i; break;
                case TDrawnAs::Greyed: classes->LastGreyed[n] = i; break;
                case TDrawnAs::Hidden: break;
                }
                continue;
            }
            if (classes->LastColoured[i] != TNodeClasses::NoEntry)
                classes->LastColoured[n] = classes->LastColoured[i];
            if (classes->LastGreyed[i] != TNodeClasses::NoEntry)
                classes->LastGreyed[n] = classes->LastGreyed[i];
        }
    }
    return classes;
}

}  // namespace

TPreviewScene::~TPreviewScene()
{
    StopFarViews();
}

void TPreviewScene::StopFarViews()
{
    FarViewsWanted = false;
    if (FarViewsDrawing.valid())
        FarViewsDrawing.wait();
    const std::lock_guard<std::mutex> lock(FarViewsLock);
    DrawnFarViews = nullptr;
}

std::shared_ptr<const TFarViews> TPreviewScene::FarViews() const
{
    const std::lock_guard<std::mutex> lock(FarViewsLock);
    return DrawnFarViews;
}

void TPreviewScene::WaitForFarViews() const
{
    if (FarViewsDrawing.valid())
        FarViewsDrawing.wait();
}

void TPreviewScene::Show(const TJwwDocument& doc, const TChangeMarks* changes)
{
    StopFarViews();
    Primitives.Clear();
    Changes.clear();
    Style = StyleOf(doc);
    StyleEdits = 0;
    TDrawingRenderer renderer(doc);
    for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position)
        renderer.RenderObject(position, Primitives);
    BudgetSpent = renderer.BudgetSpent();
    std::vector<TPrimitive>& primitives = Primitives.Primitives;
    TShownArea area(Style);
    for (const TPrimitive& primitive : primitives)
        if (Style.Shows(primitive.Source))
            area.Add(BoundsOf(primitive));
    ShownArea = area.Area();
    if (changes)
        AddRemoved(*changes);
    const auto fills = static_cast<std::size_t>(
        std::partition(primitives.begin(), primitives.end(),
                       [](const TPrimitive& p) { return p.Kind == TPrimitiveKind::Fill; }) -
        primitives.begin());
    Fills.Build(primitives, 0, fills);
    Strokes.Build(primitives, fills, primitives.size() - fills);
    if (changes)
        for (const TPrimitive& primitive : primitives)
            Changes.push_back(primitive.Source.FromEarlier ? TObjectChange::Removed
                                                           : changes->ChangeOf(primitive.Source.Position));
    DrawingLayerShown = Style.LayerShown;
    ApplyLayers();
    {
        const std::lock_guard<std::mutex> lock(ClassesLock);
        KnownClasses.clear();
    }
    StartFarViews();
}

// A picture of a change draws in its own colours, which far views drawn in the style do not.
void TPreviewScene::StartFarViews()
{
    if (ShowsChange() || Strokes.Entries().size() + Fills.Entries().size() <= DenseSceneEntries)
        return;
    FarViewsWanted = true;
    FarViewsDrawing = std::async(std::launch::async, [this] {
        std::shared_ptr<const TFarViews> views =
            TFarViews::Draw(*this, MostFarPixels, [this] { return FarViewsWanted.load(); });
        const std::lock_guard<std::mutex> lock(FarViewsLock);
        if (FarViewsWanted)
            DrawnFarViews = std::move(views);
    });
}

void TPreviewScene::Restyle(const TDrawingStyle& style, uint64_t edits)
{
    StopFarViews();  // which draw in the style
    const std::array<bool, 256> shown = Style.LayerShown;
    Style = style;
    StyleEdits = edits;
    DrawingLayerShown = style.LayerShown;
    Style.LayerShown = shown;
    ApplyLayers();
    StartFarViews();
}

void TPreviewScene::ShowAllLayers(bool all)
{
    StopFarViews();
    EveryLayer = all;
    ApplyLayers();
    StartFarViews();
}

// What a node holds to draw depends on the layers shown alone.
void TPreviewScene::ApplyLayers()
{
    std::array<bool, 256> shown = DrawingLayerShown;
    if (EveryLayer)
        shown.fill(true);
    if (shown == Style.LayerShown)
        return;
    Style.LayerShown = shown;
    const std::lock_guard<std::mutex> lock(ClassesLock);
    KnownClasses.clear();
}

// The earlier drawing's texts join the scene's, so its primitives name theirs anew.
void TPreviewScene::AddRemoved(const TChangeMarks& changes)
{
    const TJwwDocument& old = changes.Old();
    const TDrawingStyle oldStyle = StyleOf(old);
    TDrawingRenderer renderer(old);
    TRenderScene removed;
    for (const std::size_t position : changes.Removed()) {
        const std::optional<TRenderSource> source = renderer.SourceOf(position);
        if (source && oldStyle.Shows(*source))
            renderer.RenderObject(position, removed);
    }
    BudgetSpent = BudgetSpent || renderer.BudgetSpent();
    const auto firstText = static_cast<uint32_t>(Primitives.Texts.size());
    Primitives.Texts.insert(Primitives.Texts.end(), removed.Texts.begin(), removed.Texts.end());
    for (TPrimitive& primitive : removed.Primitives) {
        if (primitive.Kind == TPrimitiveKind::Text)
            primitive.TextIndex += firstText;
        primitive.Source.FromEarlier = true;
        ShownArea.Add(BoundsOf(primitive));
        Primitives.Primitives.push_back(primitive);
    }
}

TPreviewScene::TClasses TPreviewScene::ClassesFor(const std::optional<TRenderFilter>& filter) const
{
    const std::lock_guard<std::mutex> lock(ClassesLock);
    for (std::size_t i = 0; i < KnownClasses.size(); ++i) {
        if (KnownClasses[i].first == filter) {
            std::rotate(KnownClasses.begin(), KnownClasses.begin() + static_cast<std::ptrdiff_t>(i),
                        KnownClasses.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return KnownClasses.front().second;
        }
    }
    TClasses classes{Classify(Strokes, *this, filter), Classify(Fills, *this, filter)};
    KnownClasses.insert(KnownClasses.begin(), {filter, classes});
    if (KnownClasses.size() > KeptHighlights)
        KnownClasses.pop_back();
    return classes;
}
