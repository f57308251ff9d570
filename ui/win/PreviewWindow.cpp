#include "ui/win/PreviewWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/Form1Layout.h"
#include "ui/preview/CompareMode.h"
#include "ui/preview/PreviewPaint.h"
#include "ui/win/GdiCanvas.h"
#include "ui/win/WinText.h"
#include "ui/win/WindowDpi.h"

namespace {

constexpr wchar_t PreviewClassName[] = L"ZelvanePreview";
constexpr wchar_t PreviewTitle[] = L"プレビュー";
constexpr double WheelStepFactor = 1.25;
// The legend of a picture of a change: its distance from the top left corner, the side of each
// colour's swatch and the room of each entry, in pixels.
constexpr int LegendInset = 6;
constexpr int LegendSwatchSide = 12;
constexpr int LegendEntryWidth = 60;
constexpr UINT_PTR SettleTimer = 1;
// How long the view waits after the last turn of the wheel before it draws afresh.
constexpr UINT SettleMilliseconds = 150;

}  // namespace

TWinPreviewWindow::TWinPreviewWindow(HWND owner, HFONT font) : TextFont(font)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &TWinPreviewWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = PreviewClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly for every window after the first
    CreateWindowExW(0, PreviewClassName, PreviewTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                    PreviewWidth, PreviewHeight, owner, nullptr, instance, this);
    const UINT dpi = DpiOfWindow(Window);
    SetWindowPos(Window, nullptr, 0, 0, Scaled(PreviewWidth, dpi), Scaled(PreviewHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Resized();
}

TWinPreviewWindow::~TWinPreviewWindow()
{
    if (Window)
        DestroyWindow(Window);
}

void TWinPreviewWindow::SetTextFont(HFONT font)
{
    TextFont = font;
    Redraw();
}

void TWinPreviewWindow::Show()
{
    ShowWindow(Window, SW_SHOW);
    UpdateWindow(Window);
}

void TWinPreviewWindow::Hide()
{
    ShowWindow(Window, SW_HIDE);
}

void TWinPreviewWindow::ShowDrawing(const TJwwDocument& doc, const TChangeMarks* changes)
{
    Drawing.Show(doc, changes);
    Comparing = changes != nullptr;
    ZoomToFit();
}

void TWinPreviewWindow::Highlight(const std::optional<TRenderFilter>& filter)
{
    Filter = filter;
    Redraw();
}

void TWinPreviewWindow::ZoomToFit()
{
    Current.Fit(Drawing.ShownArea);
    Fitted = true;
    Redraw();
}

void TWinPreviewWindow::ZoomAt(TVec2 pixel, double factor)
{
    Current.ZoomAt(pixel, factor);
    Fitted = false;
    Settling = true;
    SetTimer(Window, SettleTimer, SettleMilliseconds, nullptr);
    Moved();
}

void TWinPreviewWindow::Redraw()
{
    FrameValid = false;
    InvalidateRect(Window, nullptr, FALSE);
}

void TWinPreviewWindow::Moved()
{
    InvalidateRect(Window, nullptr, FALSE);
}

void TWinPreviewWindow::Resized()
{
    RECT client{};
    GetClientRect(Window, &client);
    Current.Width = std::max<LONG>(1, client.right - client.left);
    Current.Height = std::max<LONG>(1, client.bottom - client.top);
    if (Fitted)
        Current.Fit(Drawing.ShownArea);
    Redraw();
}

const TMemoryBitmap& TWinPreviewWindow::SharpFrame()
{
    const int width = static_cast<int>(Current.Width);
    const int height = static_cast<int>(Current.Height);
    if (FrameValid && FrameView == Current)
        return Frame;
    Frame.Resize(width, height);
    if (Frame.Empty())
        return Frame;
    {
        TGdiCanvas canvas(Frame, TextFont);
        PaintPreview(Drawing, Current, Filter, canvas, [] { return true; });
    }
    if (Comparing)
        PaintLegend(Frame.Dc());
    FrameView = Current;
    FrameValid = true;
    return Frame;
}

RECT TWinPreviewWindow::LegendSwatch(int entry)
{
    const int left = LegendInset + entry * LegendEntryWidth;
    return {left, LegendInset, left + LegendSwatchSide, LegendInset + LegendSwatchSide};
}

void TWinPreviewWindow::PaintLegend(HDC dc) const
{
    const std::array<TLegendEntry, 3> legend = CompareLegend();
    const RECT back{LegendInset / 2, LegendInset / 2,
                    LegendInset + static_cast<LONG>(legend.size()) * LegendEntryWidth,
                    LegendInset * 3 / 2 + LegendSwatchSide};
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &back, white);
    DeleteObject(white);
    const HGDIOBJ previousFont = SelectObject(dc, TextFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const RECT swatch = LegendSwatch(static_cast<int>(i));
        const HBRUSH brush = CreateSolidBrush(RGB(legend[i].Color.R, legend[i].Color.G, legend[i].Color.B));
        FillRect(dc, &swatch, brush);
        DeleteObject(brush);
        const std::wstring text = WideFromCp932(legend[i].Text);
        TextOutW(dc, swatch.right + LegendInset / 2, swatch.top, text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, previousFont);
}

void TWinPreviewWindow::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(Window, &paint);
    const int width = static_cast<int>(Current.Width);
    const int height = static_cast<int>(Current.Height);
    if (!Settling && !DragFrom) {
        const TMemoryBitmap& sharp = SharpFrame();
        BitBlt(dc, 0, 0, width, height, sharp.Dc(), 0, 0, SRCCOPY);
    } else {
        // The last frame where its drawing lies now, composed off screen so that nothing flickers.
        Moving.Resize(width, height);
        if (!Moving.Empty()) {
            const TRgb background = Drawing.Style.Background;
            Moving.Fill(RGB(background.R, background.G, background.B));
            if (!Frame.Empty()) {
                const TPixelRect place = Current.PlaceOf(FrameView);
                SetStretchBltMode(Moving.Dc(), COLORONCOLOR);
                const int left = static_cast<int>(std::lround(place.Left));
                const int top = static_cast<int>(std::lround(place.Top));
                StretchBlt(Moving.Dc(), left, top, static_cast<int>(std::lround(place.Right)) - left,
                           static_cast<int>(std::lround(place.Bottom)) - top, Frame.Dc(), 0, 0, Frame.Width(),
                           Frame.Height(), SRCCOPY);
            }
            BitBlt(dc, 0, 0, width, height, Moving.Dc(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(Window, &paint);
}

LRESULT TWinPreviewWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the frame covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        Resized();
        return 0;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_TIMER:
        if (wParam == SettleTimer) {
            KillTimer(Window, SettleTimer);
            Settling = false;
            Redraw();
        }
        return 0;
    case WM_MOUSEWHEEL: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // on the screen
        ScreenToClient(Window, &at);
        const double steps = GET_WHEEL_DELTA_WPARAM(wParam) / static_cast<double>(WHEEL_DELTA);
        if (steps != 0.0)
            ZoomAt({static_cast<double>(at.x), static_cast<double>(at.y)}, std::pow(WheelStepFactor, steps));
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(Window);
        SetCapture(Window);
        DragFrom = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return 0;
    case WM_MOUSEMOVE:
        if (DragFrom) {
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Current.Pan(at.x - DragFrom->x, at.y - DragFrom->y);
            DragFrom = at;
            Fitted = false;
            Moved();
        }
        return 0;
    case WM_LBUTTONUP:
        if (DragFrom)
            ReleaseCapture();  // ends the drag through WM_CAPTURECHANGED
        return 0;
    case WM_CAPTURECHANGED:
        if (DragFrom) {
            DragFrom.reset();
            Redraw();
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        ZoomToFit();
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_HOME: ZoomToFit(); return 0;
        case VK_ESCAPE: Highlight(std::nullopt); return 0;
        default: break;
        }
        break;
    case WM_CHAR: {
        const TVec2 centre{Current.Width / 2.0, Current.Height / 2.0};
        if (wParam == L'+')
            ZoomAt(centre, WheelStepFactor);
        else if (wParam == L'-')
            ZoomAt(centre, 1 / WheelStepFactor);
        return 0;
    }
    case WM_SHOWWINDOW:
        // Hidden by a call, not with the owner while it is minimised.
        if (!wParam && lParam == 0 && Hidden)
            Hidden();
        break;
    case WM_CLOSE:
        Hide();
        return 0;
    case WM_DESTROY:
        // The owner destroys its owned windows with itself.
        SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
        Window = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Window, message, wParam, lParam);
}

LRESULT CALLBACK TWinPreviewWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TWinPreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->Window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWinPreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}
