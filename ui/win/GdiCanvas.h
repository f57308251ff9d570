// A preview frame drawn with GDI into a memory bitmap: lines in batches per colour, dots set
// in the bitmap's memory, fills and texts as GDI draws them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/preview/PreviewPaint.h"
#include "ui/win/MemoryBitmap.h"

class TGdiCanvas : public TPreviewCanvas {
public:
    // Texts take the face of the given font.
    TGdiCanvas(TMemoryBitmap& frame, HFONT textFont);
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    void Dot(TVec2 pixel, int radius, TRgb color) override;
    void Line(TVec2 from, TVec2 to, TRgb color) override;
    void Fill(const TVec2 (&corners)[4], TRgb color) override;
    bool Text(const TTextPlacement& placement, const std::string& cp932, TRgb color) override;
    void Flush() override;

private:
    void Draw(COLORREF color, std::vector<POINT>& ends);
    HFONT FontOf(int height, int tenthsOfDegrees);

    TMemoryBitmap& Frame;
    HDC Dc;
    LOGFONTW TextFace{};
    // Lines pass a little beyond the frame, so that their cut ends never show.
    TPixelRect Reach;
    std::unordered_map<COLORREF, std::vector<POINT>> Batches;
    std::vector<DWORD> PointsPerLine;
    std::map<std::pair<int, int>, HFONT> Fonts;
    HGDIOBJ PreviousPen;
    HGDIOBJ PreviousBrush;
    HGDIOBJ PreviousFont;
};
