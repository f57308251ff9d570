// Checks of the pictures of a drawing, whatever the drawing holds.
#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "cli/DrawingLoad.h"
#include "cli/PngPicture.h"
#include "fuzz/FuzzChecks.h"
#include "jww/jwwunit.h"
#include "render/RenderDrawing.h"
#include "render/SvgWriter.h"

namespace {

// Small enough for many inputs a second, large enough to draw every kind of primitive.
constexpr int PictureSide = 200;
// No object of the file can write more SVG than this many bytes for each of its bytes.
constexpr std::size_t SvgBytesPerByte = 400;
constexpr std::size_t SvgFrameBytes = 4096;

bool IsFinite(const TPrimitive& primitive)
{
    for (const TVec2& p : primitive.P)
        if (!std::isfinite(p.X) || !std::isfinite(p.Y))
            return false;
    return std::isfinite(primitive.Start) && std::isfinite(primitive.Sweep);
}

// The objects of every list of the drawing, each of which may stand in for an insertion by the
// four sides of its frame at every level of nesting.
std::size_t MostStandIns(const TJwwDocument& doc)
{
    std::size_t objects = doc.EntityOrder.size();
    for (const TEntBlockDef& definition : doc.BlockDefList)
        objects += definition.EntityOrder.size();
    return 4 * objects * MaxBlockNesting;
}

}  // namespace

void CheckRender(std::string_view bytes)
{
    const TImageListOnly scanOnly;
    const auto doc = std::make_unique<TJwwDocument>();
    TJwwReader reader = TJwwReader::FromBytes(std::string(bytes));
    std::string failure;
    LoadJww(*doc, reader, &failure);

    TDrawingRenderer renderer(*doc);
    TRenderScene scene;
    std::size_t shapes = 0;
    std::size_t fromInsertions = 0;
    for (std::size_t position = 0; position < doc->EntityOrder.size(); ++position) {
        scene.Clear();
        renderer.RenderObject(position, scene);
        for (const TPrimitive& primitive : scene.Primitives)
            Expect(IsFinite(primitive), "a primitive that is not finite");
        (doc->EntityOrder[position].Kind == KindBlock ? fromInsertions : shapes) += scene.Primitives.size();
    }
    Expect(shapes <= 5 * doc->EntityOrder.size(), "more primitives than the objects make");
    Expect(fromInsertions <= InsertionBudget + MostStandIns(*doc), "insertions beyond the budget");

    std::ostringstream svg;
    WriteSvg(*doc, {}, svg);
    Expect(svg.str().size() <= SvgBytesPerByte * bytes.size() + SvgFrameBytes,
           "an SVG picture beyond the drawing's size");

    const std::string png = PngPicture(*doc, {{}, true}, PictureSide);
    Expect(png.starts_with("\x89PNG\r\n\x1A\n"), "a PNG picture without its signature");
}
