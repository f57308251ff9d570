#include "ui/win/PreviewWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/Form1Layout.h"
#include "ui/Messages.h"
#include "ui/preview/CellStyle.h"
#include "ui/preview/CompareMode.h"
#include "ui/preview/PreviewPaint.h"
#include "ui/preview/PreviewPick.h"
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
// Sent by the thread that drew a sharp frame.
constexpr UINT FrameDrawnMessage = WM_APP + 1;
// The status line below the drawing, in pixels of a 96-DPI screen.
constexpr int StatusLineHeight = 26;
constexpr int LayerChoiceWidth = 160;
constexpr int StatusTextInset = 4;
// A press and release this many pixels apart or less are a click, not a drag.
constexpr int ClickSlackPixels = 2;
enum : int { PickStaticId = 1, LayerComboId };

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
    CreateWindowExW(0, PreviewClassName, PreviewTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                    CW_USEDEFAULT, PreviewWidth, PreviewHeight, owner, nullptr, instance, this);
    BuildStatusLine();
    const UINT dpi = DpiOfWindow(Window);
    SetWindowPos(Window, nullptr, 0, 0, Scaled(PreviewWidth, dpi), Scaled(PreviewHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Resized();
}

void TWinPreviewWindow::BuildStatusLine()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    PickStatic = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE |
                                 SS_ENDELLIPSIS, 0, 0, 0, 0, Window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(PickStaticId)), instance, nullptr);
    LayerCombo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                                 0, 0, Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(LayerComboId)),
                                 instance, nullptr);
    for (const std::string_view caption : {PreviewShownLayers, PreviewAllLayers})
        SendMessageW(LayerCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromCp932(caption).c_str()));
    SendMessageW(LayerCombo, CB_SETCURSEL, 0, 0);
    for (const HWND part : {PickStatic, LayerCombo})
        SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont), FALSE);
    Tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr, instance,
                          nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Window;
    tool.uId = reinterpret_cast<UINT_PTR>(Window);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(Tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TWinPreviewWindow::~TWinPreviewWindow()
{
    ++*Generation;
    WaitForBackground();
    if (Window)
        DestroyWindow(Window);
}

void TWinPreviewWindow::SetTextFont(HFONT font)
{
    TextFont = font;
    for (const HWND part : {PickStatic, LayerCombo})
        SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont), TRUE);
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
    ++*Generation;
    WaitForBackground();
    Drawing.Show(doc, changes);
    Comparing = changes != nullptr;
    LastPick.reset();
    RefreshPickText();
    ZoomToFit();
}

void TWinPreviewWindow::FollowCells(const TForm1& form)
{
    if (StyleFollowsCells(Drawing, form))
        return;
    // A frame on its own thread reads the style.
    ++*Generation;
    WaitForBackground();
    RestyleFromCells(Drawing, form);
    Redraw();
}


std::optional<TRenderSource> TWinPreviewWindow::PickAt(TVec2 pixel) const
{
    return ::PickAt(Drawing, Current, pixel, Scaled(PickPixels, DpiOfWindow(Window)), Filter);
}

void TWinPreviewWindow::RefreshPickText()
{
    const std::wstring text = LastPick && PickText ? WideFromCp932(PickText(*LastPick)) : std::wstring();
    SetWindowTextW(PickStatic, text.c_str());
}

void TWinPreviewWindow::ShowAllLayers(bool all)
{
    // A frame on its own thread reads the layers shown.
    ++*Generation;
    WaitForBackground();
    Drawing.ShowAllLayers(all);
    SendMessageW(LayerCombo, CB_SETCURSEL, all ? 1 : 0, 0);
    Redraw();
}

void TWinPreviewWindow::Clicked(TVec2 pixel)
{
    LastPick = PickAt(pixel);
    RefreshPickText();
    if (!LastPick)
        Highlight(std::nullopt);
    if (Picked)
        Picked(LastPick);
}

void TWinPreviewWindow::Hovered(TVec2 pixel)
{
    const std::optional<TRenderSource> picked = PickAt(pixel);
    SetTipText(picked && PickText ? WideFromCp932(PickText(*picked)) : std::wstring());
}

void TWinPreviewWindow::SetTipText(const std::wstring& text)
{
    if (text == TipText)
        return;
    TipText = text;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Window;
    tool.uId = reinterpret_cast<UINT_PTR>(Window);
    tool.lpszText = TipText.data();
    SendMessageW(Tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    if (TipText.empty())
        SendMessageW(Tip, TTM_POP, 0, 0);
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
    ++*Generation;
    FrameValid = false;
    InvalidateRect(Window, nullptr, FALSE);
}

void TWinPreviewWindow::Moved()
{
    ++*Generation;
    InvalidateRect(Window, nullptr, FALSE);
}

void TWinPreviewWindow::Resized()
{
    RECT client{};
    GetClientRect(Window, &client);
    const UINT dpi = DpiOfWindow(Window);
    // A closed combo box is as tall as its font makes it.
    RECT choice{};
    GetWindowRect(LayerCombo, &choice);
    const int statusHeight = std::max<int>(Scaled(StatusLineHeight, dpi), choice.bottom - choice.top + 2);
    const int width = std::max<int>(1, client.right - client.left);
    const int drawingHeight = std::max<int>(1, client.bottom - client.top - statusHeight);
    Current.Width = width;
    Current.Height = drawingHeight;
    const int choiceWidth = std::min(width, Scaled(LayerChoiceWidth, dpi));
    const int inset = Scaled(StatusTextInset, dpi);
    SetWindowPos(PickStatic, nullptr, inset, drawingHeight, std::max(0, width - choiceWidth - 2 * inset),
                 statusHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(LayerCombo, nullptr, width - choiceWidth, drawingHeight + 1, choiceWidth,
                 Scaled(StatusLineHeight * 6, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    if (Fitted)
        Current.Fit(Drawing.ShownArea);
    Redraw();
}

const TMemoryBitmap& TWinPreviewWindow::SharpFrame()
{
    if (SharpFrameShown())
        return *Frame;
    ++*Generation;
    WaitForBackground();
    Frame->Resize(static_cast<int>(Current.Width), static_cast<int>(Current.Height));
    if (Frame->Empty())
        return *Frame;
    {
        TGdiCanvas canvas(*Frame, TextFont);
        PaintPreview(Drawing, Current, Filter, canvas, [] { return true; });
    }
    if (Comparing)
        PaintLegend(Frame->Dc(), TextFont);
    FrameView = Current;
    FrameValid = true;
    return *Frame;
}

void TWinPreviewWindow::WaitForBackground()
{
    if (Background.valid())
        Background.wait();
    BackgroundGeneration = UINT64_MAX;
}

void TWinPreviewWindow::DrawInBackground()
{
    const uint64_t wanted = *Generation;
    if (BackgroundGeneration == wanted)
        return;
    WaitForBackground();  // an older frame, which stops at its next look
    BackgroundGeneration = wanted;
    // The thread draws with a font of its own, since the window may make its font anew meanwhile.
    LOGFONTW face{};
    GetObjectW(TextFont, sizeof face, &face);
    Background = std::async(std::launch::async, [this, face, view = Current, filter = Filter, wanted,
                                                 generation = Generation, window = Window, comparing = Comparing] {
        auto bitmap = std::make_unique<TMemoryBitmap>();
        bitmap->Resize(static_cast<int>(view.Width), static_cast<int>(view.Height));
        if (bitmap->Empty())
            return;
        const HFONT font = CreateFontIndirectW(&face);
        bool done = false;
        {
            TGdiCanvas canvas(*bitmap, font);
            done = PaintPreview(Drawing, view, filter, canvas, [&] { return *generation == wanted; });
        }
        if (done && comparing)
            PaintLegend(bitmap->Dc(), font);
        DeleteObject(font);
        if (!done)
            return;
        {
            const std::lock_guard<std::mutex> lock(ArrivedLock);
            Arrived = TDrawnFrame{std::move(bitmap), view, wanted};
        }
        PostMessageW(window, FrameDrawnMessage, 0, 0);
    });
}

void TWinPreviewWindow::FrameDrawn()
{
    std::optional<TDrawnFrame> drawn;
    {
        const std::lock_guard<std::mutex> lock(ArrivedLock);
        drawn.swap(Arrived);
    }
    if (!drawn || drawn->Generation != *Generation || !(drawn->View == Current))
        return;
    Frame = std::move(drawn->Bitmap);
    FrameView = drawn->View;
    FrameValid = true;
    InvalidateRect(Window, nullptr, FALSE);
}

RECT TWinPreviewWindow::LegendSwatch(int entry)
{
    const int left = LegendInset + entry * LegendEntryWidth;
    return {left, LegendInset, left + LegendSwatchSide, LegendInset + LegendSwatchSide};
}

void TWinPreviewWindow::PaintLegend(HDC dc, HFONT font)
{
    const std::array<TLegendEntry, 3> legend = CompareLegend();
    const RECT back{LegendInset / 2, LegendInset / 2,
                    LegendInset + static_cast<LONG>(legend.size()) * LegendEntryWidth,
                    LegendInset * 3 / 2 + LegendSwatchSide};
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &back, white);
    DeleteObject(white);
    const HGDIOBJ previousFont = SelectObject(dc, font);
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
    if (SharpFrameShown()) {
        BitBlt(dc, 0, 0, width, height, Frame->Dc(), 0, 0, SRCCOPY);
    } else {
        if (!Settling && !DragFrom)
            DrawInBackground();
        PaintStandIn(dc, width, height);
    }
    RECT client{};
    GetClientRect(Window, &client);
    const RECT statusLine{0, height, client.right, client.bottom};
    FillRect(dc, &statusLine, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(Window, &paint);
}

void TWinPreviewWindow::PaintStandIn(HDC dc, int width, int height)
{
    Moving.Resize(width, height);
    if (Moving.Empty())
        return;
    const TRgb background = Drawing.Style.Background;
    Moving.Fill(RGB(background.R, background.G, background.B));
    if (!Frame->Empty()) {
        const TPixelRect place = Current.PlaceOf(FrameView);
        SetStretchBltMode(Moving.Dc(), COLORONCOLOR);
        const int left = static_cast<int>(std::lround(place.Left));
        const int top = static_cast<int>(std::lround(place.Top));
        StretchBlt(Moving.Dc(), left, top, static_cast<int>(std::lround(place.Right)) - left,
                   static_cast<int>(std::lround(place.Bottom)) - top, Frame->Dc(), 0, 0, Frame->Width(),
                   Frame->Height(), SRCCOPY);
    }
    BitBlt(dc, 0, 0, width, height, Moving.Dc(), 0, 0, SRCCOPY);
}

LRESULT TWinPreviewWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the frame covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case FrameDrawnMessage:
        FrameDrawn();
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
        PressedAt = DragFrom;
        return 0;
    case WM_MOUSEMOVE: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (DragFrom) {
            Current.Pan(at.x - DragFrom->x, at.y - DragFrom->y);
            DragFrom = at;
            Fitted = false;
            Moved();
        } else {
            Hovered({static_cast<double>(at.x), static_cast<double>(at.y)});
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool click =
            DragFrom && PressedAt && std::abs(at.x - PressedAt->x) + std::abs(at.y - PressedAt->y) <= ClickSlackPixels;
        PressedAt.reset();
        if (DragFrom)
            ReleaseCapture();  // ends the drag through WM_CAPTURECHANGED
        if (click)
            Clicked({static_cast<double>(at.x), static_cast<double>(at.y)});
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == LayerComboId && HIWORD(wParam) == CBN_SELCHANGE) {
            ShowAllLayers(SendMessageW(LayerCombo, CB_GETCURSEL, 0, 0) == 1);
            SetFocus(Window);  // the keys stay with the drawing
        }
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
