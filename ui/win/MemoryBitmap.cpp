#include "ui/win/MemoryBitmap.h"

#include <algorithm>

TMemoryBitmap::~TMemoryBitmap()
{
    Release();
}

void TMemoryBitmap::Release()
{
    if (MemoryDc) {
        SelectObject(MemoryDc, Previous);
        DeleteDC(MemoryDc);
    }
    if (Bitmap)
        DeleteObject(Bitmap);
    MemoryDc = nullptr;
    Bitmap = nullptr;
    Pixels = nullptr;
    PixelWidth = PixelHeight = 0;
}

void TMemoryBitmap::Resize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (Pixels && width == PixelWidth && height == PixelHeight)
        return;
    Release();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // the top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    MemoryDc = CreateCompatibleDC(nullptr);
    Bitmap = CreateDIBSection(MemoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!MemoryDc || !Bitmap || !bits) {
        Release();
        return;
    }
    Previous = SelectObject(MemoryDc, Bitmap);
    Pixels = static_cast<uint32_t*>(bits);
    PixelWidth = width;
    PixelHeight = height;
}

void TMemoryBitmap::Fill(COLORREF color)
{
    GdiFlush();
    const uint32_t pixel =
        (uint32_t{GetRValue(color)} << 16) | (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
    std::fill(Pixels, Pixels + static_cast<std::size_t>(PixelWidth) * PixelHeight, pixel);
}

COLORREF TMemoryBitmap::Pixel(int x, int y) const
{
    if (!Pixels || x < 0 || y < 0 || x >= PixelWidth || y >= PixelHeight)
        return RGB(0, 0, 0);
    GdiFlush();
    const uint32_t pixel = Pixels[static_cast<std::size_t>(y) * PixelWidth + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
