#include "cli/PictureOrder.h"

#include "render/RenderDrawing.h"

namespace {

// The note's characters are this many pixels high, this far from the picture's corner.
constexpr double NotePixels = 14.0;
constexpr double NoteInsetPixels = 8.0;

}  // namespace

TPictureOrder::TPictureOrder(const TJwwDocument& doc, const TPictureOptions& options, int longerSide)
    : Doc(doc), Options(options), Style(StyleOf(doc))
{
    TDrawingRenderer measure(doc);
    PictureFrame = FrameOf(ShownArea(doc, Style, options, measure), longerSide);
}

void TPictureOrder::Paint(const TPaintPrimitive& paint) const
{
    const double pixel = 1.0 / PictureFrame.PixelsPerUnit;
    TRenderScene scene;
    if (Style.Paper) {
        const TBounds& paper = *Style.Paper;
        const TVec2 corners[4] = {{paper.MinX, paper.MinY}, {paper.MaxX, paper.MinY},
                                  {paper.MaxX, paper.MaxY}, {paper.MinX, paper.MaxY}};
        const TStroke thin{PaperFrameRgb(Style.Background), 1, {}};
        for (int i = 0; i < 4; ++i) {
            TPrimitive side;
            side.P[0] = corners[i];
            side.P[1] = corners[(i + 1) % 4];
            paint(side, scene, thin);
        }
    }
    TDrawingRenderer renderer(Doc, {InsertionBudget, pixel, PictureFrame.Extent});
    for (const bool shown : {false, true}) {
        for (std::size_t position = 0; position < Doc.EntityOrder.size(); ++position) {
            const std::optional<TRenderSource> source = renderer.SourceOf(position);
            if (!source || !Options.Draws(Style, *source) || Options.Filter.Shows(*source) != shown)
                continue;
            scene.Clear();
            renderer.RenderObject(position, scene);
            const std::optional<TRgb> colour = shown ? std::nullopt : std::optional<TRgb>(GreyedRgb);
            for (const TPrimitive& primitive : scene.Primitives)
                if (BoundsOf(primitive).Intersects(PictureFrame.Extent))
                    paint(primitive, scene, StrokeOf(Style, primitive, PictureFrame.PixelsPerUnit, colour));
        }
    }
    if (!renderer.BudgetSpent())
        return;
    scene.Clear();
    scene.Texts.emplace_back(BudgetNote);
    TPrimitive note;
    note.Kind = TPrimitiveKind::Text;
    const TBounds& extent = PictureFrame.Extent;
    note.P[0] = {extent.MinX + NoteInsetPixels * pixel, extent.MaxY - (NoteInsetPixels + NotePixels) * pixel};
    note.P[2] = {0, NotePixels * pixel};
    note.P[3] = {1, 0};
    paint(note, scene, {NoteRgb(Style.Background), 1, {}});
}
