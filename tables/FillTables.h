// Turning a document into the texts of the four tables: names, SXF fields and the number of
// drawing objects on each layer group, layer, SXF colour and SXF line type.
#pragma once

#include <array>
#include <cstdint>

#include "jww/jwwunit.h"
#include "tables/CellTable.h"

// Colour numbers 100 .. 356 are the SXF colours, pen styles 30 .. 62 the SXF line types.
constexpr int32_t FirstSxfPenColor = 100;
constexpr int32_t FirstSxfPenStyle = 30;

// Objects per layer group, per layer (group x 16 + layer), per SXF colour index
// (PenColor - 100) and per SXF line-type index (PenStyle - 30).
struct TElementCounts {
    std::array<int32_t, 16> LayerGroups{};
    std::array<int32_t, 256> Layers{};
    std::array<int32_t, 257> Colors{};
    std::array<int32_t, 33> LineTypes{};
};

// Counts the lines, arcs, points, texts and solids of one object list. Dimensions and block
// insertions are not counted, and only lines and arcs carry a line type.
TElementCounts CountElements(const TEntityCollections& objects);

// Writes every data cell of the four tables from the document and the counts of its main
// object list. Rows whose entry the document lacks (a load that failed early) are left alone.
void FillTables(const TJwwDocument& doc, TCellTable& layerGroups, TCellTable& layers,
                TCellTable& colors, TCellTable& lineTypes);
