// A preview frame in a memory bitmap: the shared frame walk draws its pixels, and GDI the
// glyphs of texts in the face of the window's font.
#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "ui/preview/PreviewPaint.h"
#include "ui/win/MemoryBitmap.h"

class TGdiCanvas : public TPreviewCanvas {
public:
    TGdiCanvas(TMemoryBitmap& frame, HFONT textFont);
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    TPixelFrame Frame() override;
    bool Text(const TTextPlacement& placement, const std::string& cp932, TRgb color) override;

private:
    HFONT FontOf(int height, int tenthsOfDegrees);

    TMemoryBitmap& Bitmap;
    HDC Dc;
    LOGFONTW TextFace{};
    std::map<std::pair<int, int>, HFONT> Fonts;
    HGDIOBJ PreviousFont;
};
