// The picture of the window's drawing as its tables stand: the SXF colours and line types are
// read from the cells as a save reads them, while the document keeps what it holds until then.
#pragma once

#include "render/DrawingStyle.h"
#include "ui/Unit1.h"
#include "ui/preview/PreviewScene.h"

TDrawingStyle StyleOfCells(const TJwwDocument& doc, const TCellTable& colors,
                           const TCellTable& lineTypes);

// Whether the scene draws the form's picture edits as they stand; once it does not, a preview
// restyles it (RestyleFromCells) between frames and draws again.
bool StyleFollowsCells(const TPreviewScene& scene, const TForm1& form);
void RestyleFromCells(TPreviewScene& scene, const TForm1& form);
