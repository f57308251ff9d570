// The primitives of one object that is not a block insertion: lines, arcs, points, texts and
// fills, placed by an affine map. Arc angles are read in radians, text angles in degrees, both
// counter-clockwise.
#pragma once

#include "jww/jwwunit.h"
#include "render/Primitives.h"

// The base record of the object at ref, or nothing when ref selects no record.
const TEntBase* BaseOf(const TEntityCollections& list, const TEntRef& ref);

// Where the primitives of an object go: the scene, the main-list object they belong to, and
// the placement of the blocks they lie in.
struct TShapeTarget {
    TRenderScene& Scene;
    TRenderSource Source;
    TAffine Place;
};

// Appends the primitives of the object at ref, leaving out shapes that are not finite; adds
// nothing for a block insertion or an entry that selects no record.
void AddShapes(const TEntityCollections& list, const TEntRef& ref, const TShapeTarget& target);
