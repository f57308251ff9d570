// Where the main window's parts sit, in pixels of a screen of 96 dots per inch, for both front
// ends. The Win32 window scales every figure by its screen's dots per inch; Qt scales by itself.
#pragma once

#include <algorithm>

struct TForm1Place {
    int Left;
    int Top;
    int Width;
    int Height;
};

// The window's outer frame on the screen.
inline constexpr TForm1Place Form1Bounds{194, 109, 724, 480};
inline constexpr int Panel1Height = 33;
inline constexpr TForm1Place Button1Bounds{8, 4, 89, 25};
inline constexpr TForm1Place Edit1Bounds{104, 4, 441, 24};
inline constexpr TForm1Place Button2Bounds{552, 4, 73, 25};
inline constexpr TForm1Place Button3Bounds{632, 4, 75, 25};
inline constexpr int StatusBar1Height = 19;
inline constexpr int Form1CharacterHeight = 16;
// One line of the window's font with a little room above and below.
inline constexpr int GridRowHeight = 24;
// The preview's outer frame.
inline constexpr int PreviewWidth = 800;
inline constexpr int PreviewHeight = 600;

// The status bar's button takes the size of a status bar's usual text, 9 points, or less where
// the font's lines are taller than the bar leaves room for. It is at least as wide as it always
// was and keeps its caption clear of its sides.
inline constexpr int StatusCharacterHeight = 12;
inline constexpr int PreviewButtonMinWidth = 80;
inline constexpr int PreviewButtonTextMargin = 8;
// Above, below and right of the button, so that the bar's edges stay visible.
inline constexpr int PreviewButtonInset = 1;

// The button at the right end of a bar of the size, centred between the bar's edges, for a
// caption of the width; every figure in the pixels of the screen the bar is on.
constexpr int PreviewButtonHeight(int barHeight, int inset)
{
    return std::max(1, barHeight - 2 * inset);
}
constexpr TForm1Place PreviewButtonPlace(int barWidth, int barHeight, int captionWidth, int minWidth,
                                         int textMargin, int inset)
{
    const int width = std::max(minWidth, captionWidth + 2 * textMargin);
    return {std::max(0, barWidth - width - inset), inset, width, PreviewButtonHeight(barHeight, inset)};
}
