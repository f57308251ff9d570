#include "ui/preview/CellStyle.h"

#include "jww/jwwunit.h"
#include "tables/TableWriteBack.h"

TDrawingStyle StyleOfCells(const TJwwDocument& doc, const TCellTable& colors,
                           const TCellTable& lineTypes)
{
    std::vector<TColorExNo> colorTable = doc.ColorExTable;
    std::vector<TLineTypeExNo> lineTypeTable = doc.LineTypeExTable;
    WriteBackColors(colors, colorTable);
    WriteBackLineTypes(lineTypes, lineTypeTable);
    return StyleOf(doc, colorTable, lineTypeTable);
}

bool StyleFollowsCells(const TPreviewScene& scene, const TForm1& form)
{
    return scene.StyleEdits == form.PictureEdits;
}

void RestyleFromCells(TPreviewScene& scene, const TForm1& form)
{
    scene.Restyle(StyleOfCells(form.Document(), form.StringGrid3, form.StringGrid4),
                  form.PictureEdits);
}
