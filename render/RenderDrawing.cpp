#include "render/RenderDrawing.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Placements closer than this share of a pixel draw the same pixels.
constexpr double PlacementQuantum = 0.125;

}  // namespace

TDrawingRenderer::TDrawingRenderer(const TJwwDocument& doc, TExpansionLimits limits)
    : Doc(doc), Graph(doc), Limits(limits), Left(limits.Budget)
{
}

std::optional<TRenderSource> TDrawingRenderer::SourceOf(std::size_t position) const
{
    const TEntRef& ref = Doc.EntityOrder.at(position);
    const TEntBase* base = BaseOf(Doc, ref);
    if (!base)
        return std::nullopt;
    return TRenderSource{ref.Kind,       static_cast<uint32_t>(position), base->LayerGroup,
                         base->Layer,    base->PenColor,                  base->PenStyle};
}

void TDrawingRenderer::RenderObject(std::size_t position, TRenderScene& scene)
{
    const std::optional<TRenderSource> source = SourceOf(position);
    if (!source)
        return;
    const TEntRef& ref = Doc.EntityOrder[position];
    const TShapeTarget target{scene, *source, {}};
    Placed.clear();
    if (ref.Kind != KindBlock) {
        AddShapes(Doc, ref, target);
        return;
    }
    const TEntBlock& block = Doc.BlockList[static_cast<std::size_t>(ref.Index)];
    RenderInsertion(Graph.DefinitionOf(block), block, target, false);
}

TBounds TDrawingRenderer::BoxOf(std::size_t position)
{
    const TEntRef& ref = Doc.EntityOrder.at(position);
    if (!BaseOf(Doc, ref))
        return {};
    if (ref.Kind == KindBlock) {
        const TEntBlock& block = Doc.BlockList[static_cast<std::size_t>(ref.Index)];
        const int32_t definition = Graph.DefinitionOf(block);
        if (definition == NoDefinition)
            return {};
        return Mapped(InsertionPlacement(block), Graph.Summary(static_cast<std::size_t>(definition)).Box);
    }
    Scratch.Clear();
    AddShapes(Doc, ref, {Scratch, {}, {}});
    return BoundsOf(Scratch);
}

void TDrawingRenderer::RenderInsertion(int32_t definition, const TEntBlock& block,
                                       const TShapeTarget& outer, bool paid)
{
    if (definition == NoDefinition || Nesting >= MaxBlockNesting)
        return;
    const auto index = static_cast<std::size_t>(definition);
    const TBlockSummary& summary = Graph.Summary(index);
    if (summary.Primitives == 0)
        return;
    const TShapeTarget target{outer.Scene, outer.Source, outer.Place.After(InsertionPlacement(block))};
    const TBounds box = Mapped(target.Place, summary.Box);
    if (box.Empty() || (!Limits.Shown.Empty() && !box.Intersects(Limits.Shown)))
        return;  // a placement that overflows, or one outside the picture
    if (box.Width() < Limits.PixelSize && box.Height() < Limits.PixelSize)
        return StandIn(summary, target, true);
    if (!Placed.insert(PlacedKey(definition, target.Place)).second)
        return;
    // What fits is taken from the budget at once, so that nothing inside it is cut; what the
    // expansion then did not make, being smaller than a pixel or drawn already, is given back.
    uint64_t prepaid = 0;
    if (!paid) {
        if (summary.Primitives <= Left) {
            prepaid = summary.Primitives;
            Left -= prepaid;
            paid = true;
        } else if (Left > 0 && summary.OwnPrimitives <= Left) {
            // Its insertions are taken one by one; once the budget is spent, no other
            // insertion is entered.
            Left -= summary.OwnPrimitives;
        } else {
            Spent = true;
            return StandIn(summary, target, false);
        }
    }
    const TEntBlockDef& list = Doc.BlockDefList[index];
    const std::size_t before = target.Scene.Primitives.size();
    ++Nesting;
    for (const TEntRef& ref : list.EntityOrder) {
        if (ref.Kind != KindBlock) {
            AddShapes(list, ref, target);
        } else if (BaseOf(list, ref)) {
            const auto insertion = static_cast<std::size_t>(ref.Index);
            RenderInsertion(Graph.ChildOf(index, insertion), list.BlockList[insertion], target, paid);
        }
    }
    --Nesting;
    if (prepaid > 0)
        Left += prepaid - std::min<uint64_t>(prepaid, target.Scene.Primitives.size() - before);
}

std::size_t TDrawingRenderer::TPlacedHash::operator()(const TPlacedDefinition& placed) const
{
    std::size_t hash = std::hash<int32_t>()(placed.Definition);
    for (const double value : placed.Place)
        hash = hash * 1000003 ^ std::hash<double>()(value);
    return hash;
}

// The linear part is measured by how far it moves the corners of the definition's box, the
// translation as it stands; both in shares of a pixel, or exactly when no pixel size is known.
TDrawingRenderer::TPlacedDefinition TDrawingRenderer::PlacedKey(int32_t definition,
                                                                const TAffine& place) const
{
    const TBounds& box = Graph.Summary(static_cast<std::size_t>(definition)).Box;
    const double reach =
        std::max({std::abs(box.MinX), std::abs(box.MaxX), std::abs(box.MinY), std::abs(box.MaxY), 1.0});
    const double quantum = Limits.PixelSize * PlacementQuantum;
    const auto rounded = [quantum](double value) {
        return quantum > 0 ? std::nearbyint(value / quantum) : value;
    };
    return {definition,
            {rounded(place.A * reach), rounded(place.B * reach), rounded(place.C * reach),
             rounded(place.D * reach), rounded(place.E), rounded(place.F)}};
}

void TDrawingRenderer::StandIn(const TBlockSummary& summary, const TShapeTarget& target, bool dot)
{
    const TBounds& box = summary.Box;
    const TVec2 corners[4] = {
        target.Place.Point({box.MinX, box.MinY}), target.Place.Point({box.MaxX, box.MinY}),
        target.Place.Point({box.MaxX, box.MaxY}), target.Place.Point({box.MinX, box.MaxY})};
    const auto add = [&](TPrimitiveKind kind) -> TPrimitive& {
        TPrimitive& p = target.Scene.Primitives.emplace_back();
        p.Kind = kind;
        p.PenColor = summary.PenColor;
        p.Source = target.Source;
        return p;
    };
    if (dot) {
        add(TPrimitiveKind::Point).P[0] = {(corners[0].X + corners[2].X) / 2,
                                           (corners[0].Y + corners[2].Y) / 2};
        return;
    }
    for (int i = 0; i < 4; ++i) {
        TPrimitive& side = add(TPrimitiveKind::Line);
        side.P[0] = corners[i];
        side.P[1] = corners[(i + 1) % 4];
    }
}

void RenderDrawing(const TJwwDocument& doc, TRenderScene& scene)
{
    TDrawingRenderer renderer(doc);
    for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position)
        renderer.RenderObject(position, scene);
}
