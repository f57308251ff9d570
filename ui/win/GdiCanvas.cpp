#include "ui/win/GdiCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/win/WinText.h"

namespace {

// GDI takes coordinates up to about 2^27; where a text starts is held well inside that.
constexpr double FarthestPixel = 1 << 24;
// Fonts taller than this are not asked of GDI; such a text is shown by its frame.
constexpr double TallestFontPixels = 4096;

POINT Rounded(TVec2 p)
{
    return {static_cast<LONG>(std::lround(std::clamp(p.X, -FarthestPixel, FarthestPixel))),
            static_cast<LONG>(std::lround(std::clamp(p.Y, -FarthestPixel, FarthestPixel)))};
}

}  // namespace

TGdiCanvas::TGdiCanvas(TMemoryBitmap& frame, HFONT textFont) : Bitmap(frame), Dc(frame.Dc())
{
    GetObjectW(textFont, sizeof TextFace, &TextFace);
    PreviousFont = GetCurrentObject(Dc, OBJ_FONT);
    SetBkMode(Dc, TRANSPARENT);
    SetTextAlign(Dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

TGdiCanvas::~TGdiCanvas()
{
    SelectObject(Dc, PreviousFont);
    for (const auto& [size, font] : Fonts)
        DeleteObject(font);
    GdiFlush();
}

TPixelFrame TGdiCanvas::Frame()
{
    // GDI has finished with the memory before the frame walk writes it.
    GdiFlush();
    return {Bitmap.Bits(), Bitmap.Width(), Bitmap.Height(), 0};
}

HFONT TGdiCanvas::FontOf(int height, int tenthsOfDegrees)
{
    const auto key = std::make_pair(height, tenthsOfDegrees);
    if (const auto found = Fonts.find(key); found != Fonts.end())
        return found->second;
    LOGFONTW face = TextFace;
    face.lfHeight = -height;  // the characters' own height, without the leading
    face.lfWidth = 0;
    face.lfEscapement = face.lfOrientation = tenthsOfDegrees;
    const HFONT font = CreateFontIndirectW(&face);
    Fonts.emplace(key, font);
    return font;
}

bool TGdiCanvas::Text(const TTextPlacement& placement, const std::string& cp932, TRgb color)
{
    if (placement.Height > TallestFontPixels)
        return false;
    // Counter-clockwise on screen, where y runs down.
    const double degrees = std::atan2(-placement.Along.Y, placement.Along.X) * 180.0 / std::numbers::pi;
    const int tenths = static_cast<int>(std::lround(degrees * 10.0));
    const HFONT font = FontOf(static_cast<int>(std::lround(placement.Height)), (tenths % 3600 + 3600) % 3600);
    if (!font)
        return false;
    SelectObject(Dc, font);
    SetTextColor(Dc, RGB(color.R, color.G, color.B));
    const std::wstring shown = WideFromCp932(cp932);
    const POINT start = Rounded(placement.Start);
    TextOutW(Dc, start.x, start.y, shown.c_str(), static_cast<int>(shown.size()));
    GdiFlush();
    return true;
}
