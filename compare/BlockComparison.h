// The block definitions of two drawings, compared by name and content as a save writes them.
#pragma once

#include <string>
#include <vector>

#include "compare/Change.h"
#include "compare/ObjectChanges.h"
#include "jww/jwwunit.h"

struct TBlockChange {
    std::string Name;  // as a save writes it, code page 932
    TChange Change;
    // For a changed definition: whether its own base record, number, referenced value or time
    // differ, and its objects only in one of the two.
    bool AttributesChanged = false;
    TChangeCounts Objects;
};

// A definition with no namesake in the other drawing is removed or added; one whose content
// differs from its namesake's is changed. The old drawing's order, then the new one's.
std::vector<TBlockChange> CompareBlocks(const TJwwDocument& old, const TJwwDocument& now);
