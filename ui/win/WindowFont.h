// The window's fonts: "ＭＳ ゴシック" where the system has it, else another Japanese font, named
// explicitly so that Japanese reads right under any locale; sized for the screen's resolution.
#pragma once

#include <windows.h>

HFONT CreateForm1Font(UINT dpi);
// The status bar's font: the window's face at a status bar's usual size, smaller where its lines
// would be taller than tallestLine pixels.
HFONT CreateStatusFont(UINT dpi, int tallestLine);
// The extent of the text in the font.
SIZE TextExtent(HFONT font, const wchar_t* text);
