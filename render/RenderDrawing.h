// Turning the objects of a drawing into primitives in drawing coordinates, block insertions
// expanded within a budget: lines, arcs, points, texts and fills. Block rotations are read in
// radians, like arc angles.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>

#include "jww/jwwunit.h"
#include "render/BlockGraph.h"
#include "render/ObjectShapes.h"
#include "render/Primitives.h"

// Insertions nested deeper than this are not drawn. A drawing whose insertions would make more
// than the budget's primitives gets no more: each insertion beyond it is drawn as the frame of
// its box.
constexpr int MaxBlockNesting = 16;
constexpr uint64_t InsertionBudget = 2'000'000;

struct TExpansionLimits {
    // The primitives that the block insertions of one picture may add.
    uint64_t Budget = InsertionBudget;
    // Drawing units per pixel: an insertion whose box is smaller in both directions is drawn as
    // a dot; 0 expands insertions of any size.
    double PixelSize = 0.0;
    // What the picture shows: an insertion whose box lies outside is not expanded at all. Empty
    // for a picture of any view.
    TBounds Shown;
};

class TDrawingRenderer {
public:
    explicit TDrawingRenderer(const TJwwDocument& doc, TExpansionLimits limits = {});

    // The object at that place of the main entity list, as its primitives name it; nothing
    // when its entry selects no record.
    std::optional<TRenderSource> SourceOf(std::size_t position) const;

    // Appends the primitives of the object at that place of the main entity list.
    void RenderObject(std::size_t position, TRenderScene& scene);

    // The box of the object at that place without expanding it: an insertion's is the box of
    // its definition where it places it.
    TBounds BoxOf(std::size_t position);

    // Whether an insertion was drawn as its frame because the budget was spent.
    bool BudgetSpent() const { return Spent; }

    const TBlockGraph& Blocks() const { return Graph; }

private:
    // Paid: the whole of an enclosing insertion has been taken from the budget.
    void RenderInsertion(int32_t definition, const TEntBlock& block, const TShapeTarget& outer,
                         bool paid);
    // The frame of the definition's box where the placement puts it, or a dot when it is
    // smaller than a pixel.
    void StandIn(const TBlockSummary& summary, const TShapeTarget& target, bool dot);

    // A definition at a placement, rounded to a share of a pixel: inside one object, a second
    // insertion of it there would draw the same pixels again.
    struct TPlacedDefinition {
        int32_t Definition;
        double Place[6];
        friend bool operator==(const TPlacedDefinition&, const TPlacedDefinition&) = default;
    };
    struct TPlacedHash {
        std::size_t operator()(const TPlacedDefinition& placed) const;
    };
    TPlacedDefinition PlacedKey(int32_t definition, const TAffine& place) const;

    const TJwwDocument& Doc;
    TBlockGraph Graph;
    TExpansionLimits Limits;
    uint64_t Left;
    bool Spent = false;
    int Nesting = 0;
    TRenderScene Scratch;  // the shapes of an object being measured
    std::unordered_set<TPlacedDefinition, TPlacedHash> Placed;  // in the object being drawn
};

// Every object of the main entity list, in its order.
void RenderDrawing(const TJwwDocument& doc, TRenderScene& scene);
