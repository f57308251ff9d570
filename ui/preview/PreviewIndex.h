// The primitives of a scene in a tree of boxes, for a frame to visit only what reaches its view
// and to take a part of the tree smaller than a pixel as a whole: the primitives sorted along a
// curve that keeps neighbours together, sixteen to a leaf, sixteen nodes to a parent, each node
// the box of what it holds. Each entry keeps what a frame needs of its primitive without reading
// it: its box, which for a line is its ends, and the pens and layer it is drawn and highlighted
// by. The same tree answers what lies near a point, as the box around it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/Primitives.h"

inline bool Meets(const std::array<float, 4>& area, float minX, float minY, float maxX, float maxY)
{
    return minX <= area[2] && maxX >= area[0] && minY <= area[3] && maxY >= area[1];
}

struct TIndexEntry {
    // Relative to the index's origin, so that floats keep their precision near the drawing.
    float MinX, MinY, MaxX, MaxY;
    uint32_t Primitive;     // its place in the scene
    uint16_t PenColor;      // the primitive's own
    uint16_t SourceColor;   // of its main-list object, which a highlight selects by
    uint8_t PenStyle;       // the primitive's own
    uint8_t SourceStyle;
    uint8_t Layer;          // of its main-list object, as the entry group * 16 + layer
    uint8_t Shape;          // its kind, with FallingLine for a line from top left to bottom right
    uint32_t Detail;        // of an arc, a text or a fill: its points in Details

    TPrimitiveKind Kind() const { return static_cast<TPrimitiveKind>(Shape & KindBits); }
    bool Falling() const { return (Shape & FallingLine) != 0; }

    static constexpr uint8_t KindBits = 0x0F;
    static constexpr uint8_t FallingLine = 0x10;
};

// The points of an arc, a text or a fill as floats relative to the index's origin, so that a
// frame need not read the primitive itself: P[0] .. P[3], Start and Sweep as a primitive holds
// them, of which a fill uses only its corners.
struct TIndexDetail {
    std::array<float, 8> P;
    float Start, Sweep;
};

struct TIndexNode {
    float MinX, MinY, MaxX, MaxY;
    uint32_t First;  // of its children, or of its entries in a leaf
    uint32_t Count;
};

class TPreviewIndex {
public:
    // Sorts the count primitives from first on along the curve and indexes them, so that a
    // frame reads the primitives in the order it walks their entries.
    void Build(std::vector<TPrimitive>& primitives, std::size_t first, std::size_t count);

    const std::vector<TIndexEntry>& Entries() const { return IndexEntries; }
    // The shape of an entry in drawing coordinates, as its primitive holds it, rounded to floats.
    TPrimitive ShapeOf(const TIndexEntry& entry) const;
    const std::vector<TIndexNode>& Nodes() const { return IndexNodes; }
    TVec2 Origin() const { return IndexOrigin; }
    // The largest coordinate of an entry relative to the origin.
    double Reach() const { return IndexReach; }
    bool Empty() const { return IndexNodes.empty(); }
    uint32_t Root() const { return static_cast<uint32_t>(IndexNodes.size() - 1); }
    bool IsLeaf(uint32_t node) const { return node < LeafCount; }

    // Calls each(entry) for every entry whose box meets the area, in the tree's order.
    void Visit(const TBounds& area, const std::function<void(const TIndexEntry&)>& each) const;

    // Walks the nodes whose boxes meet the area (in AreaInIndex's terms), the first child
    // first: enter(node) says whether to go into a node that meets it, and each(entry) is
    // called for every entry of an entered leaf that meets it.
    template <class TEnter, class TEach>
    void Walk(const std::array<float, 4>& area, TEnter&& enter, TEach&& each) const;

private:
    TIndexDetail DetailOf(const TPrimitive& primitive) const;

    std::vector<TIndexEntry> IndexEntries;
    std::vector<TIndexDetail> Details;
    std::vector<TIndexNode> IndexNodes;  // the leaves first, then each level up, the root last
    uint32_t LeafCount = 0;
    TVec2 IndexOrigin;
    double IndexReach = 0.0;
};

// Sixteen children a node, and so few levels that this many nodes never wait at once.
constexpr std::size_t MostOpenNodes = 16 * 16;

template <class TEnter, class TEach>
void TPreviewIndex::Walk(const std::array<float, 4>& area, TEnter&& enter, TEach&& each) const
{
    if (Empty())
        return;
    std::array<uint32_t, MostOpenNodes> open;
    std::size_t waiting = 0;
    open[waiting++] = Root();
    while (waiting > 0) {
        const uint32_t at = open[--waiting];
        const TIndexNode& node = IndexNodes[at];
        if (!Meets(area, node.MinX, node.MinY, node.MaxX, node.MaxY) || !enter(at))
            continue;
        if (!IsLeaf(at)) {
            // Pushed last to first, so that the first child comes first.
            for (uint32_t i = node.First + node.Count; i-- > node.First;)
                open[waiting++] = i;
            continue;
        }
        for (uint32_t i = node.First; i < node.First + node.Count; ++i) {
            const TIndexEntry& e = IndexEntries[i];
            if (Meets(area, e.MinX, e.MinY, e.MaxX, e.MaxY))
                each(e);
        }
    }
}

// The area relative to the index's origin, as floats grown outwards, so that nothing on its
// edge is lost to rounding.
std::array<float, 4> AreaInIndex(const TPreviewIndex& index, const TBounds& area);

