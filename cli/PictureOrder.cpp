#include "cli/PictureOrder.h"

#include "render/RenderDrawing.h"

void PaintInFilterOrder(const TJwwDocument& doc, const TRenderFilter& filter,
                        const std::function<void(const TPrimitive&, const TRenderScene&)>& paint)
{
    TDrawingRenderer renderer(doc);
    TRenderScene scene;
    for (const bool shown : {false, true}) {
        for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position) {
            scene.Clear();
            renderer.RenderObject(position, scene);
            for (TPrimitive& primitive : scene.Primitives) {
                if (filter.Shows(primitive.Source) != shown)
                    continue;
                if (!shown)
                    primitive.Color = GreyedRgb;
                paint(primitive, scene);
            }
        }
    }
}
