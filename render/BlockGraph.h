// The block definitions of a drawing as a graph without cycles, and what each definition holds
// when expanded in full: its box, the primitives it makes and a pen, measured once, bottom up,
// so that an insertion can be placed, measured and stood in for without expanding it.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "jww/jwwunit.h"
#include "render/Primitives.h"

// Counts of primitives stop growing here; a drawing of a few kilobytes can ask for more
// primitives than a 64-bit number holds.
constexpr uint64_t SaturatedCount = uint64_t{1} << 62;

constexpr int32_t NoDefinition = -1;

struct TBlockSummary {
    TBounds Box;  // in the definition's own coordinates
    uint64_t Primitives = 0;     // with every insertion inside expanded, at most SaturatedCount
    uint64_t OwnPrimitives = 0;  // of its objects that are not insertions
    // The pen colour of its first primitive, for what stands in for the whole.
    uint16_t PenColor = 0;
};

// The placement of a block insertion: scaled, turned by its rotation in radians and moved to
// its point.
TAffine InsertionPlacement(const TEntBlock& block);

class TBlockGraph {
public:
    explicit TBlockGraph(const TJwwDocument& doc);

    // The definition of the insertion's number, the first of equal numbers; NoDefinition when
    // no definition has it.
    int32_t DefinitionOf(const TEntBlock& block) const;
    // The definition placed by the insertion at that index of the definition's BlockList;
    // NoDefinition also where it would close a cycle, which is cut there once for all pictures.
    int32_t ChildOf(std::size_t definition, std::size_t insertion) const;
    const TBlockSummary& Summary(std::size_t definition) const { return Summaries.at(definition); }
    std::size_t Size() const { return Summaries.size(); }

private:
    void Measure(const TJwwDocument& doc, std::size_t definition, TRenderScene& scratch);

    std::unordered_map<int32_t, std::size_t> DefinitionOfNumber;
    std::vector<std::vector<int32_t>> Children;
    std::vector<TBlockSummary> Summaries;
};
