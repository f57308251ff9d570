// The dots per inch of the screen a window shows on, and the window's sizes, which are those of
// a 96-DPI screen, scaled to it. The calls that know a window's own screen are looked up when
// needed: systems older than Windows 10 lack them and give every screen the system's resolution.
#pragma once

#include <windows.h>

inline constexpr UINT DefaultDpi = 96;

UINT DpiOfWindow(HWND window);
// The pixels of a 96-DPI screen at the resolution, rounded to the nearest pixel.
int Scaled(int pixels, UINT dpi);
// The outer frame of a window of the window's styles whose client area has the size.
SIZE OuterSizeForClient(HWND window, SIZE client, UINT dpi);
// The screen's room for windows, without the task bar, on the monitor the window is mostly on.
RECT WorkAreaOf(HWND window);
