#include "render/BlockGraph.h"

#include <algorithm>

#include "render/ObjectShapes.h"

namespace {

uint64_t SaturatedSum(uint64_t a, uint64_t b)
{
    return std::min(SaturatedCount, a + std::min(b, SaturatedCount));
}

enum class TVisit : uint8_t { New, Open, Done };

}  // namespace

TAffine InsertionPlacement(const TEntBlock& block)
{
    return Placement(block.X, block.Y, block.ScaleX, block.ScaleY, block.Rotation);
}

// A walk in the order of the definitions, on a stack of our own, so that a chain of any length
// cannot exhaust the program's stack; an insertion of a definition still open on the walk
// would close a cycle and is cut. Each definition is measured once its children are.
TBlockGraph::TBlockGraph(const TJwwDocument& doc)
    : Children(doc.BlockDefList.size()), Summaries(doc.BlockDefList.size())
{
    for (std::size_t i = 0; i < doc.BlockDefList.size(); ++i) {
        DefinitionOfNumber.try_emplace(doc.BlockDefList[i].Number, i);
        Children[i].assign(doc.BlockDefList[i].BlockList.size(), NoDefinition);
    }
    std::vector<TVisit> visits(doc.BlockDefList.size(), TVisit::New);
    std::vector<std::pair<std::size_t, std::size_t>> stack;
    TRenderScene scratch;
    for (std::size_t root = 0; root < visits.size(); ++root) {
        if (visits[root] != TVisit::New)
            continue;
        visits[root] = TVisit::Open;
        stack.emplace_back(root, 0);
        while (!stack.empty()) {
            auto& [definition, next] = stack.back();
            const std::vector<TEntBlock>& insertions = doc.BlockDefList[definition].BlockList;
            if (next == insertions.size()) {
                Measure(doc, definition, scratch);
                visits[definition] = TVisit::Done;
                stack.pop_back();
                continue;
            }
            const std::size_t insertion = next++;
            const int32_t child = DefinitionOf(insertions[insertion]);
            if (child == NoDefinition || visits[static_cast<std::size_t>(child)] == TVisit::Open)
                continue;
            Children[definition][insertion] = child;
            if (visits[static_cast<std::size_t>(child)] == TVisit::New) {
                visits[static_cast<std::size_t>(child)] = TVisit::Open;
                stack.emplace_back(static_cast<std::size_t>(child), 0);
            }
        }
    }
}

int32_t TBlockGraph::DefinitionOf(const TEntBlock& block) const
{
    const auto found = DefinitionOfNumber.find(block.BlockNumber);
    return found == DefinitionOfNumber.end() ? NoDefinition : static_cast<int32_t>(found->second);
}

int32_t TBlockGraph::ChildOf(std::size_t definition, std::size_t insertion) const
{
    return Children.at(definition).at(insertion);
}

void TBlockGraph::Measure(const TJwwDocument& doc, std::size_t definition, TRenderScene& scratch)
{
    const TEntBlockDef& list = doc.BlockDefList[definition];
    TBlockSummary& summary = Summaries[definition];
    bool penChosen = false;
    scratch.Clear();
    for (const TEntRef& ref : list.EntityOrder) {
        if (ref.Kind != KindBlock) {
            AddShapes(list, ref, {scratch, {}, {}});
            continue;
        }
        if (!BaseOf(list, ref))
            continue;
        const auto insertion = static_cast<std::size_t>(ref.Index);
        const int32_t child = Children[definition][insertion];
        if (child == NoDefinition)
            continue;
        const TBlockSummary& inner = Summaries[static_cast<std::size_t>(child)];
        summary.Box.Add(Mapped(InsertionPlacement(list.BlockList[insertion]), inner.Box));
        summary.Primitives = SaturatedSum(summary.Primitives, inner.Primitives);
        if (!penChosen && scratch.Primitives.empty() && inner.Primitives > 0) {
            summary.PenColor = inner.PenColor;
            penChosen = true;
        }
    }
    summary.OwnPrimitives = scratch.Primitives.size();
    summary.Primitives = SaturatedSum(summary.Primitives, summary.OwnPrimitives);
    summary.Box.Add(BoundsOf(scratch));
    if (!penChosen && !scratch.Primitives.empty())
        summary.PenColor = scratch.Primitives.front().PenColor;
}
