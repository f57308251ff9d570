// A picture in memory that GDI draws into and that can be read and written pixel by pixel:
// 32 bits per pixel, top row first, each pixel 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>

class TMemoryBitmap {
public:
    TMemoryBitmap() = default;
    ~TMemoryBitmap();
    TMemoryBitmap(const TMemoryBitmap&) = delete;
    TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

    // Makes a picture of that size, unless it has it already; its contents are then undefined.
    void Resize(int width, int height);
    bool Empty() const { return Pixels == nullptr; }
    int Width() const { return PixelWidth; }
    int Height() const { return PixelHeight; }
    HDC Dc() const { return MemoryDc; }
    uint32_t* Bits() const { return Pixels; }
    void Fill(COLORREF color);
    // The colour at the pixel as GDI names colours; black outside the picture.
    COLORREF Pixel(int x, int y) const;

private:
    void Release();

    HDC MemoryDc = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Previous = nullptr;
    uint32_t* Pixels = nullptr;
    int PixelWidth = 0;
    int PixelHeight = 0;
};
