// Turning the objects of a drawing into primitives: lines, arcs, points, texts and fills in
// drawing coordinates. Arc angles are read in radians, the angles of texts and of block
// insertions in degrees, all counter-clockwise.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "jww/jwwunit.h"
#include "render/Primitives.h"

// Insertions nested deeper than this are not drawn; a definition that inserts itself, directly
// or through others, is cut off at its first repetition anyway.
constexpr int MaxBlockNesting = 16;

class TDrawingRenderer {
public:
    explicit TDrawingRenderer(const TJwwDocument& doc);

    // The object at that place of the main entity list, as its primitives name it; nothing
    // when its entry selects no record.
    std::optional<TRenderSource> SourceOf(std::size_t position) const;

    // Appends the primitives of the object at that place of the main entity list.
    void RenderObject(std::size_t position, TRenderScene& scene);

private:
    struct TTarget;

    void RenderEntry(const TEntityCollections& list, const TEntRef& ref, TTarget& target);
    void RenderList(const TEntityCollections& list, TTarget& target);
    void RenderInsertion(const TEntBlock& block, TTarget& target);

    const TJwwDocument& Doc;
    // Definitions by their number; the first of equal numbers wins.
    std::unordered_map<int32_t, std::size_t> DefinitionOfNumber;
    // The definitions being expanded, to cut off cycles.
    std::vector<bool> Expanding;
    int Nesting = 0;
};

// Every object of the main entity list, in its order.
void RenderDrawing(const TJwwDocument& doc, TRenderScene& scene);
