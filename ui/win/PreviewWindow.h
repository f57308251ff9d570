// The preview as a window of its own: the drawing's primitives drawn into a memory frame by the
// frame walk both previews share, the glyphs of its texts by GDI; zoomed to fit on opening, by
// a double-click and by Home, zoomed about the pointer by the wheel and by + and -, panned by
// dragging; Escape ends the highlight. While the wheel turns or a drag goes on, the last frame
// is moved and stretched, and the sharp frame is drawn once the view has rested for a moment,
// on a thread of its own, the last frame standing in until it is done, so that the window keeps
// answering on large drawings.
// A click picks the object nearest the pointer and names it in the status line below the
// drawing, hovering names it in a tooltip; the status line also chooses between the layers the
// drawing shows and every layer.
// Closing the window hides it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "jww/jwwunit.h"
#include "render/ChangeMarks.h"
#include "render/RenderFilter.h"
#include "ui/Unit1.h"
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
    // Draws the drawing again in the SXF colours and line types of the window's cells once they
    // changed.
    void FollowCells(const TForm1& form);
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
    // The sharp frame of the view as it stands, drawn first, here and now, when it is stale.
    const TMemoryBitmap& SharpFrame();
    // Whether the window shows the sharp frame of the view as it stands.
    bool SharpFrameShown() const { return FrameValid && FrameView == Current; }

    // The object nearest the client pixel that the frame shows, if one is near enough.
    std::optional<TRenderSource> PickAt(TVec2 pixel) const;
    // Names the picked object again, as the tables name it now.
    void RefreshPickText();
    // How a picked object is named, as code page 932; set by the window that owns the tables.
    std::function<std::string(const TRenderSource&)> PickText;
    // Raised by a click with what it picked, or nothing.
    std::function<void(const std::optional<TRenderSource>&)> Picked;
    void ShowAllLayers(bool all);
    HWND PickLine() const { return PickStatic; }
    HWND LayerChoice() const { return LayerCombo; }
    HWND Tooltip() const { return Tip; }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // Starts the sharp frame of the view on its own thread, unless it is under way.
    void DrawInBackground();
    void WaitForBackground();
    // Takes the frame the thread drew, if the view is still the one it shows.
    void FrameDrawn();
    // The last frame where its drawing lies in the view now, composed off screen so that
    // nothing flickers.
    void PaintStandIn(HDC dc, int width, int height);
    // The view changed in a way that the last frame cannot show.
    void Redraw();
    // The view moves; the last frame stands in until it rests.
    void Moved();
    void Resized();
    void BuildStatusLine();
    void Clicked(TVec2 pixel);
    void Hovered(TVec2 pixel);
    void SetTipText(const std::wstring& text);
    // The legend of a picture of a change over the frame.
    static void PaintLegend(HDC dc, HFONT font);

    HWND Window = nullptr;
    HFONT TextFont;
    TPreviewScene Drawing;
    bool Comparing = false;
    std::optional<TRenderFilter> Filter;
    TPreviewView Current;
    bool Fitted = true;
    std::optional<POINT> DragFrom;
    std::optional<POINT> PressedAt;
    std::optional<TRenderSource> LastPick;
    HWND PickStatic = nullptr;
    HWND LayerCombo = nullptr;
    HWND Tip = nullptr;
    std::wstring TipText;
    bool Settling = false;
    // The last sharp frame and the view it shows, valid while the highlight and the drawing
    // stay; and the picture composed while the view moves.
    std::unique_ptr<TMemoryBitmap> Frame = std::make_unique<TMemoryBitmap>();
    TPreviewView FrameView;
    bool FrameValid = false;
    TMemoryBitmap Moving;
    // Every change of the view or of what it shows counts up, and a frame drawn for an older
    // count gives up.
    std::shared_ptr<std::atomic<uint64_t>> Generation = std::make_shared<std::atomic<uint64_t>>(0);
    std::future<void> Background;
    uint64_t BackgroundGeneration = UINT64_MAX;
    struct TDrawnFrame {
        std::unique_ptr<TMemoryBitmap> Bitmap;
        TPreviewView View;
        uint64_t Generation;
    };
    std::mutex ArrivedLock;
    std::optional<TDrawnFrame> Arrived;
};
