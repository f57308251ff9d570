#include "ui/preview/PreviewScene.h"

#include "render/RenderDrawing.h"

void TPreviewScene::Show(const TJwwDocument& doc)
{
    Primitives.Clear();
    RenderDrawing(doc, Primitives);
    Boxes.clear();
    Boxes.reserve(Primitives.Primitives.size());
    Extent = {};
    for (const TPrimitive& primitive : Primitives.Primitives) {
        const TBounds box = BoundsOf(primitive);
        Extent.Add(box);
        Boxes.push_back({static_cast<float>(box.MinX), static_cast<float>(box.MinY),
                         static_cast<float>(box.MaxX), static_cast<float>(box.MaxY)});
    }
}
