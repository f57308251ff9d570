// The window's font: "ＭＳ ゴシック" where the system has it, else another Japanese font,
// named explicitly so that Japanese reads right under any locale.
#pragma once

#include <windows.h>

HFONT CreateForm1Font();
