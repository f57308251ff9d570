// Storing the texts of the four tables in the document before a save. Every cell is read with
// the limits of its column, whether or not it was normalised while editing. Element counts,
// pitches 8 and 9, entry 0 of both SXF tables and the layer values are never written.
#pragma once

#include "jww/jwwunit.h"
#include "tables/CellTable.h"

void WriteBackLayerGroups(const TCellTable& layerGroups, TJwwDocument& doc);
void WriteBackLayers(const TCellTable& layers, TJwwDocument& doc);
void WriteBackColors(const TCellTable& colors, TJwwDocument& doc);
// The same into a table of SXF colours of the document's form, such as a copy of its own.
void WriteBackColors(const TCellTable& colors, std::vector<TColorExNo>& table);

// The segment count is stored only when the user typed into its cell, so a drawing keeps odd
// counts and counts above 8 that a cell rule merely showed as even, while an edit reaches the
// file.
void WriteBackLineTypes(const TCellTable& lineTypes, TJwwDocument& doc);
void WriteBackLineTypes(const TCellTable& lineTypes, std::vector<TLineTypeExNo>& table);

// All four, in the order layer groups, layers, colours, line types.
void WriteBackTables(const TCellTable& layerGroups, const TCellTable& layers,
                     const TCellTable& colors, const TCellTable& lineTypes, TJwwDocument& doc);
