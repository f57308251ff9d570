// The primitives of one drawing with the box of each, made once per drawing, so that a frame
// culls what lies outside its view without measuring anything again.
#pragma once

#include <array>
#include <vector>

#include "jww/jwwunit.h"
#include "render/Primitives.h"

struct TPreviewScene {
    TRenderScene Primitives;
    // In the order of the primitives: min x, min y, max x, max y. Floats halve the memory that
    // every frame walks.
    std::vector<std::array<float, 4>> Boxes;
    TBounds Extent;

    void Show(const TJwwDocument& doc);
};
