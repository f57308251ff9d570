// The preview as a window of its own: the drawing's primitives drawn into a memory frame by the
// frame walk both previews share, the glyphs of its texts by GDI; zoomed to fit on opening, by
// a double-click and by Home, zoomed about the pointer by the wheel and by + and -, panned by
// dragging; Escape ends the highlight. While the wheel turns or a drag goes on, the last frame
// is moved and stretched, and the sharp frame is drawn once the view has rested for a moment,
// so that the window keeps answering on large drawings.
// Closing the window hides it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "jww/jwwunit.h"
#include "render/ChangeMarks.h"
#include "render/RenderFilter.h"
#include "ui/preview/PreviewScene.h"
#include "ui/preview/PreviewView.h"
#include "ui/win/MemoryBitmap.h"

class TWinPreviewWindow {
public:
    // Owned by the main window, whose font the texts take the face of. Its size is that of a
    // 96-DPI screen scaled to its own screen's.
    TWinPreviewWindow(HWND owner, HFONT font);
    ~TWinPreviewWindow();
    TWinPreviewWindow(const TWinPreviewWindow&) = delete;
    TWinPreviewWindow& operator=(const TWinPreviewWindow&) = delete;

    HWND Handle() const { return Window; }
    // The main window's font, made anew for another screen.
    void SetTextFont(HFONT font);
    bool Visible() const { return Window && IsWindowVisible(Window); }
    void Show();
    void Hide();
    // Raised whenever the window is hidden, also by closing it.
    std::function<void()> Hidden;

    // Makes the primitives of the drawing and fits them into the view; with changes, the
    // picture of the change under its legend.
    void ShowDrawing(const TJwwDocument& doc, const TChangeMarks* changes = nullptr);
    // Where the legend of a picture of a change shows each colour's swatch, in client pixels.
    static RECT LegendSwatch(int entry);
    // Nothing highlighted shows every object in its colour.
    void Highlight(const std::optional<TRenderFilter>& filter);
    void ZoomToFit();
    // Zooms by the factor, keeping the drawing point under the client pixel in place.
    void ZoomAt(TVec2 pixel, double factor);

    const TRenderScene& Scene() const { return Drawing.Primitives; }
    // The view as it stands, of the client area's size.
    const TPreviewView& View() const { return Current; }
    // The sharp frame of the view as it stands, drawn first when it is stale.
    const TMemoryBitmap& SharpFrame();

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // The view changed in a way that the last frame cannot show.
    void Redraw();
    // The view moves; the last frame stands in until it rests.
    void Moved();
    void Resized();
    // The legend of a picture of a change over the frame.
    void PaintLegend(HDC dc) const;

    HWND Window = nullptr;
    HFONT TextFont;
    TPreviewScene Drawing;
    bool Comparing = false;
    std::optional<TRenderFilter> Filter;
    TPreviewView Current;
    bool Fitted = true;
    std::optional<POINT> DragFrom;
    bool Settling = false;
    // The last sharp frame and the view it shows, valid while the highlight and the drawing
    // stay; and the picture composed while the view moves.
    TMemoryBitmap Frame;
    TPreviewView FrameView;
    bool FrameValid = false;
    TMemoryBitmap Moving;
};
