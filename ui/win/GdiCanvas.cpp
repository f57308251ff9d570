#include "ui/win/GdiCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/win/WinText.h"

namespace {

constexpr std::size_t LinesPerBatch = 8192;
// GDI takes coordinates up to about 2^27; corners of fills are held well inside that.
constexpr double FarthestPixel = 1 << 24;
// Fonts taller than this are not asked of GDI; such a text is shown by its frame.
constexpr double TallestFontPixels = 4096;

COLORREF ColorOf(TRgb rgb)
{
    return RGB(rgb.R, rgb.G, rgb.B);
}

POINT Rounded(TVec2 p)
{
    return {static_cast<LONG>(std::lround(std::clamp(p.X, -FarthestPixel, FarthestPixel))),
            static_cast<LONG>(std::lround(std::clamp(p.Y, -FarthestPixel, FarthestPixel)))};
}

}  // namespace

TGdiCanvas::TGdiCanvas(TMemoryBitmap& frame, HFONT textFont)
    : Frame(frame), Dc(frame.Dc()),
      Reach{-2.0, -2.0, frame.Width() + 2.0, frame.Height() + 2.0}, PointsPerLine(LinesPerBatch, 2)
{
    GetObjectW(textFont, sizeof TextFace, &TextFace);
    PreviousPen = SelectObject(Dc, GetStockObject(DC_PEN));
    PreviousBrush = SelectObject(Dc, GetStockObject(DC_BRUSH));
    PreviousFont = GetCurrentObject(Dc, OBJ_FONT);
    SetBkMode(Dc, TRANSPARENT);
    SetTextAlign(Dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

TGdiCanvas::~TGdiCanvas()
{
    SelectObject(Dc, PreviousPen);
    SelectObject(Dc, PreviousBrush);
    SelectObject(Dc, PreviousFont);
    for (const auto& [size, font] : Fonts)
        DeleteObject(font);
    GdiFlush();
}

void TGdiCanvas::Dot(TVec2 pixel, int radius, TRgb color)
{
    // Set in memory: a GDI call per pixel would take longer than all the rest of a frame.
    const uint32_t value = (uint32_t{color.R} << 16) | (uint32_t{color.G} << 8) | color.B;
    const int x = static_cast<int>(std::floor(pixel.X));
    const int y = static_cast<int>(std::floor(pixel.Y));
    const int width = Frame.Width();
    uint32_t* bits = Frame.Bits();
    for (int py = std::max(0, y - radius); py <= std::min(Frame.Height() - 1, y + radius); ++py)
        for (int px = std::max(0, x - radius); px <= std::min(width - 1, x + radius); ++px)
            bits[static_cast<std::size_t>(py) * width + px] = value;
}

void TGdiCanvas::Line(TVec2 from, TVec2 to, TRgb color)
{
    if (!ClipSegment(from, to, Reach))
        return;
    const COLORREF key = ColorOf(color);
    std::vector<POINT>& ends = Batches[key];
    ends.push_back(Rounded(from));
    ends.push_back(Rounded(to));
    if (ends.size() >= 2 * LinesPerBatch)
        Draw(key, ends);
}

void TGdiCanvas::Draw(COLORREF color, std::vector<POINT>& ends)
{
    SetDCPenColor(Dc, color);
    PolyPolyline(Dc, ends.data(), PointsPerLine.data(), static_cast<DWORD>(ends.size() / 2));
    // A pen leaves out the last pixel of a line; a line of one pixel would vanish.
    for (std::size_t i = 0; i < ends.size(); i += 2)
        if (ends[i].x == ends[i + 1].x && ends[i].y == ends[i + 1].y)
            SetPixelV(Dc, ends[i].x, ends[i].y, color);
    ends.clear();
    GdiFlush();
}

void TGdiCanvas::Fill(const TVec2 (&corners)[4], TRgb color)
{
    const POINT points[4] = {Rounded(corners[0]), Rounded(corners[1]), Rounded(corners[2]), Rounded(corners[3])};
    SelectObject(Dc, GetStockObject(NULL_PEN));
    SetDCBrushColor(Dc, ColorOf(color));
    Polygon(Dc, points, 4);
    SelectObject(Dc, GetStockObject(DC_PEN));
    GdiFlush();
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
    SetTextColor(Dc, ColorOf(color));
    const std::wstring shown = WideFromCp932(cp932);
    const POINT start = Rounded(placement.Start);
    TextOutW(Dc, start.x, start.y, shown.c_str(), static_cast<int>(shown.size()));
    GdiFlush();
    return true;
}

void TGdiCanvas::Flush()
{
    for (auto& [color, ends] : Batches)
        if (!ends.empty())
            Draw(color, ends);
}
