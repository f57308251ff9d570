// The four tables filled from a drawing exactly as the window shows it after opening it.
#pragma once

#include "jww/jwwunit.h"
#include "tables/CellTable.h"
#include "tables/TableFrames.h"

struct TWindowTables {
    // Header rows, number columns and every data cell, by the window's own fill.
    explicit TWindowTables(const TJwwDocument& doc);

    TCellTable& Of(TTableKind kind);
    const TCellTable& Of(TTableKind kind) const;

    TCellTable LayerGroups;
    TCellTable Layers;
    TCellTable Colors;
    TCellTable LineTypes;
};
