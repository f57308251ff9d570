// What a pick tells the main window: the text that names the picked object with the names the
// window's tables show, and the row of a table that stands for it.
#pragma once

#include <optional>
#include <string>

#include "render/Primitives.h"
#include "tables/TableFrames.h"
#include "ui/Unit1.h"

// Its kind, layer and layer group with their names, pen colour and line type, those of the SXF
// tables with their names, as code page 932: the names as the window's cells hold them now, so
// that an edit of a name shows before the drawing is saved.
std::string PickText(const TForm1& form, const TRenderSource& picked);

// The row of the table of the kind that stands for the picked object: its layer group, its
// layer, or its pen colour or line type where that is one of the SXF tables'; nothing else.
std::optional<int> PickedRow(TTableKind kind, const TRenderSource& picked);
