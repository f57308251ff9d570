#include "compare/DrawingComparison.h"

TComparedDrawing PrepareComparison(const TJwwDocument& doc, bool headerOnly)
{
    TComparedDrawing prepared;
    prepared.Doc = &doc;
    prepared.WholeDrawing = !headerOnly;
    if (prepared.WholeDrawing) {
        prepared.Objects = WrittenRecords(doc, doc.Header.EntityCount);
        prepared.Images = ImagesASaveEmbeds(doc);
    }
    return prepared;
}

TDrawingComparison CompareDrawings(const TComparedDrawing& old, const TComparedDrawing& now)
{
    const TJwwDocument& was = *old.Doc;
    const TJwwDocument& is = *now.Doc;
    TDrawingComparison comparison;
    comparison.OldVersion = was.Header.Version;
    comparison.NewVersion = is.Header.Version;
    comparison.OldStringForm = was.StringForm;
    comparison.NewStringForm = is.StringForm;
    comparison.Header = CompareHeaders(was, is);
    comparison.WholeDrawings = old.WholeDrawing && now.WholeDrawing;
    if (comparison.WholeDrawings) {
        comparison.Objects = CompareObjects(old.Objects, now.Objects);
        comparison.Blocks = CompareBlocks(was, is);
        comparison.Images = CompareImages(old.Images, now.Images);
    }
    return comparison;
}
