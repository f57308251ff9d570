#include "ui/win/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>
#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "tables/TableFrames.h"
#include "tables/TableRules.h"
#include "text/WidePath.h"
#include "ui/Form1Layout.h"
#include "ui/Messages.h"
#include "ui/preview/PickRow.h"
#include "ui/preview/PreviewHighlight.h"
#include "ui/win/WinText.h"
#include "ui/win/WindowDpi.h"
#include "ui/win/WindowFont.h"
#include "ui/win/resource.h"

namespace {

constexpr wchar_t WindowClassName[] = L"TForm1";
constexpr wchar_t PreviewButtonCaption[] = L"プレビュー";
constexpr TTableKind GridKinds[] = {TTableKind::LayerGroups, TTableKind::Layers, TTableKind::Colors,
                                    TTableKind::LineTypes};

enum : int { Button1Id = 101, Edit1Id, Button2Id, Button3Id, PageControl1Id, StatusBar1Id, PreviewButtonId, FirstGridId };

// The status bar holds the preview's button, whose clicks the main window handles.
LRESULT CALLBACK ForwardCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_COMMAND)
        return SendMessageW(GetParent(window), message, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The one file of a drop, when it is a drawing; anything else is not taken.
std::optional<std::string> DroppedDrawing(HDROP drop)
{
    std::optional<std::string> drawing;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, 0, path.data(), length + 1);
        path.resize(length);
        if (path.size() >= 4 && _wcsicmp(path.c_str() + path.size() - 4, L".jww") == 0)
            drawing = Utf8FromWide(path);
    }
    DragFinish(drop);
    return drawing;
}

void Place(HWND control, int left, int top, int width, int height)
{
    MoveWindow(control, left, top, width, height, TRUE);
}

// A place of a 96-DPI screen on a screen of the resolution.
void Place(HWND control, const TForm1Place& place, UINT dpi)
{
    Place(control, Scaled(place.Left, dpi), Scaled(place.Top, dpi), Scaled(place.Width, dpi),
          Scaled(place.Height, dpi));
}

}  // namespace

TWinMainWindow::TWinMainWindow(TWinDesktopServices& services) : Form1(services), Services(services)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &TWinMainWindow::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_ZELVANE));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClassName;
    RegisterClassExW(&windowClass);

    // Made where a 96-DPI screen has it, and then sized for the screen it is on.
    Form1Window = CreateWindowExW(WS_EX_ACCEPTFILES, WindowClassName, WideFromCp932(Form1Caption).c_str(),
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, Form1Bounds.Left, Form1Bounds.Top,
                                  Form1Bounds.Width, Form1Bounds.Height, nullptr, nullptr,
                                  windowClass.hInstance, this);
    Dpi = DpiOfWindow(Form1Window);
    CreateFonts();
    Services.SetOwner(Form1Window);
    CreateComponents();
    PreviewWindow = std::make_unique<TWinPreviewWindow>(Form1Window, Font);
    PreviewWindow->Hidden = [this] { Button_SetCheck(PreviewButton, BST_UNCHECKED); };
    PreviewWindow->PickText = [this](const TRenderSource& picked) { return PickText(Form1, picked); };
    PreviewWindow->Picked = [this](const std::optional<TRenderSource>& picked) {
        if (picked)
            SelectPickedRow(*picked);
    };
    PlaceOnScreen();
    Layout();
}

TWinMainWindow::~TWinMainWindow()
{
    if (Form1Window)
        DestroyWindow(Form1Window);
    DeleteObject(Font);
    DeleteObject(StatusFont);
}

void TWinMainWindow::CreateFonts()
{
    Font = CreateForm1Font(Dpi);
    // The button's flat frame takes a pixel above and below its caption.
    StatusFont = CreateStatusFont(
        Dpi, PreviewButtonHeight(Scaled(StatusBar1Height, Dpi), Scaled(PreviewButtonInset, Dpi)) - 2);
}

TForm1Place TWinMainWindow::PreviewButtonBounds() const
{
    RECT client{};
    GetClientRect(Form1Window, &client);
    return PreviewButtonPlace(client.right, Scaled(StatusBar1Height, Dpi),
                              TextExtent(StatusFont, PreviewButtonCaption).cx,
                              Scaled(PreviewButtonMinWidth, Dpi), Scaled(PreviewButtonTextMargin, Dpi),
                              Scaled(PreviewButtonInset, Dpi));
}

// The client area is the one the window has on a 96-DPI screen, scaled, so that everything in
// it keeps its place; the window stays on the screen's room for windows.
void TWinMainWindow::PlaceOnScreen()
{
    const SIZE frame96 = OuterSizeForClient(Form1Window, {0, 0}, DefaultDpi);
    const SIZE outer = OuterSizeForClient(
        Form1Window, {Scaled(Form1Bounds.Width - frame96.cx, Dpi), Scaled(Form1Bounds.Height - frame96.cy, Dpi)},
        Dpi);
    const RECT room = WorkAreaOf(Form1Window);
    const auto onScreen = [](int wanted, LONG first, LONG last) {
        return std::max<int>(first, std::min<int>(wanted, last));
    };
    const int left = onScreen(Scaled(Form1Bounds.Left, Dpi), room.left, room.right - outer.cx);
    const int top = onScreen(Scaled(Form1Bounds.Top, Dpi), room.top, room.bottom - outer.cy);
    SetWindowPos(Form1Window, nullptr, left, top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinMainWindow::ChangeDpi(UINT dpi, const RECT& suggested)
{
    Dpi = dpi;
    const HFONT oldFont = Font;
    const HFONT oldStatusFont = StatusFont;
    CreateFonts();
    for (const HWND control : {Button1, Edit1, Button2, Button3, PageControl1, StatusBar1})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), TRUE);
    SendMessageW(PreviewButton, WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont), TRUE);
    for (const auto& grid : Grids)
        grid->SetDpi(dpi, Font);
    PreviewWindow->SetTextFont(Font);
    DeleteObject(oldFont);
    DeleteObject(oldStatusFont);
    SetWindowPos(Form1Window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

void TWinMainWindow::CreateComponents()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto create = [&](const wchar_t* kind, std::string_view caption, DWORD style, int id, HWND parent) {
        const HWND control = CreateWindowExW(0, kind, WideFromCp932(caption).c_str(), WS_CHILD | WS_VISIBLE | style,
                                             0, 0, 0, 0, parent,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        return control;
    };
    Panel1 = create(L"STATIC", "", SS_ETCHEDFRAME, 0, Form1Window);
    Button1 = create(L"BUTTON", Button1Caption, WS_TABSTOP | BS_PUSHBUTTON, Button1Id, Form1Window);
    Edit1 = create(L"EDIT", "", WS_TABSTOP | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, Edit1Id, Form1Window);
    Button2 = create(L"BUTTON", Button2Caption, WS_TABSTOP | BS_PUSHBUTTON, Button2Id, Form1Window);
    Button3 = create(L"BUTTON", Button3Caption, WS_TABSTOP | BS_PUSHBUTTON, Button3Id, Form1Window);
    PageControl1 = create(WC_TABCONTROLW, "", WS_CLIPSIBLINGS, PageControl1Id, Form1Window);
    // The bar keeps the height it is given, not one of its own for its font.
    StatusBar1 = create(STATUSCLASSNAMEW, "", CCS_NORESIZE | CCS_NOPARENTALIGN, StatusBar1Id, Form1Window);
    PreviewButton = CreateWindowExW(0, L"BUTTON", PreviewButtonCaption,
                                    WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_FLAT, 0, 0, 0, 0,
                                    StatusBar1, reinterpret_cast<HMENU>(static_cast<INT_PTR>(PreviewButtonId)),
                                    instance, nullptr);
    SendMessageW(PreviewButton, WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont), FALSE);
    SetWindowSubclass(StatusBar1, &ForwardCommands, 0, 0);

    TCellTable* tables[] = {&Form1.StringGrid1, &Form1.StringGrid2, &Form1.StringGrid3, &Form1.StringGrid4};
    const std::string_view captions[] = {TabLayerGroups, TabLayers, TabColors, TabLineTypes};
    for (int i = 0; i < 4; ++i) {
        const std::wstring caption = WideFromCp932(captions[i]);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(caption.c_str());
        TabCtrl_InsertItem(PageControl1, i, &tab);
        Grids[static_cast<std::size_t>(i)] =
            std::make_unique<TWinGrid>(Form1Window, FirstGridId + i, *tables[i], Font, Dpi);
        Services.ShowTableIn(*tables[i], Grids[static_cast<std::size_t>(i)]->Handle());
        TCellTable& table = *tables[i];
        Grid(i).CellTyped = [this, &table](int ACol, int ARow, const std::string& text) {
            RunHandler([&] { Form1.CellTyped(table, ACol, ARow, text); });
        };
    }
    Services.ShowStateBeforeMessages([this] { ShowFormState(); });
    // One remembered cell serves the first three tables, so all three raise the colour table's
    // selection handler. A row that becomes current, or is clicked while it is, highlights in
    // the preview what it counts.
    for (int i = 0; i < 4; ++i) {
        const TTableKind kind = GridKinds[i];
        Grid(i).SelectCell = [this, kind](int ACol, int ARow) {
            RunHandler([&] {
                if (kind == TTableKind::LineTypes)
                    Form1.StringGrid4SelectCell(ACol, ARow);
                else
                    Form1.StringGrid3SelectCell(ACol, ARow);
            });
            PreviewWindow->Highlight(HighlightOfRow(kind, ARow));
        };
        Grid(i).Clicked = [this, kind](int, int ARow) { PreviewWindow->Highlight(HighlightOfRow(kind, ARow)); };
    }
    Grid(2).DoubleClick = [this](int ACol, int ARow) { StringGrid3DblClick(ACol, ARow); };
    Grid(2).SwatchColor = [this](int ACol, int ARow) { return Form1.StringGrid3DrawCell(ACol, ARow); };
    ShowTab(0);
}

void TWinMainWindow::Layout()
{
    RECT client{};
    GetClientRect(Form1Window, &client);
    const int width = client.right - client.left;
    const int panelHeight = Scaled(Panel1Height, Dpi);
    const int statusHeight = Scaled(StatusBar1Height, Dpi);
    Place(Panel1, 0, 0, width, panelHeight);
    Place(Button1, Button1Bounds, Dpi);
    Place(Edit1, Edit1Bounds, Dpi);
    Place(Button2, Button2Bounds, Dpi);
    Place(Button3, Button3Bounds, Dpi);
    const int statusTop = std::max(panelHeight, static_cast<int>(client.bottom) - statusHeight);
    Place(StatusBar1, 0, statusTop, width, statusHeight);
    const TForm1Place button = PreviewButtonBounds();
    const int parts[] = {std::max(0, button.Left - Scaled(PreviewButtonInset, Dpi)), -1};
    SendMessageW(StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    Place(PreviewButton, button.Left, button.Top, button.Width, button.Height);
    const int tabsHeight = statusTop - panelHeight;
    Place(PageControl1, 0, panelHeight, width, tabsHeight);
    RECT page{0, panelHeight, width, panelHeight + tabsHeight};
    TabCtrl_AdjustRect(PageControl1, FALSE, &page);
    for (const auto& grid : Grids)
        SetWindowPos(grid->Handle(), HWND_TOP, page.left, page.top, page.right - page.left,
                     page.bottom - page.top, 0);
}

// The row becomes current in the column that is, as a click on it would make it; the row
// that the tab has none for ends the highlight, which showed something else.
void TWinMainWindow::SelectPickedRow(const TRenderSource& picked)
{
    const int tab = TabCtrl_GetCurSel(PageControl1);
    if (tab < 0)
        return;
    const TTableKind kind = GridKinds[tab];
    const std::optional<int> row = PickedRow(kind, picked);
    if (!row) {
        PreviewWindow->Highlight(std::nullopt);
        return;
    }
    Grid(tab).MoveTo(Grid(tab).Col(), *row);
    PreviewWindow->Highlight(HighlightOfRow(kind, *row));
}

void TWinMainWindow::ShowTab(int index)
{
    for (int i = 0; i < 4; ++i)
        ShowWindow(Grid(i).Handle(), i == index ? SW_SHOW : SW_HIDE);
}

void TWinMainWindow::Show(int showCommand)
{
    ShowWindow(Form1Window, showCommand);
    UpdateWindow(Form1Window);
    RunHandler([this] { Form1.FormShow(); });
}

void TWinMainWindow::OpenFile(const std::string& path)
{
    PreviewStale = true;
    RunHandler([&] { Form1.OpenFile(path); });
    FocusTableAfterOpen();
}

void TWinMainWindow::OpenComparison(const std::string& oldPath, const std::string& newPath)
{
    Comparison.End();
    OpenFile(newPath);
    if (Form1.LoadedFileName.empty())
        return;
    if (std::string warning; !Comparison.Begin(oldPath, Form1.LoadedFileName, warning)) {
        Services.ShowMessageBox(warning, CaptionWarning, TMessageKind::Warning);
        return;
    }
    PreviewStale = true;
    ShowFormState();
    Button_SetCheck(PreviewButton, BST_CHECKED);
    PreviewButtonClick();
}

// A keyboard user can edit the drawing just opened at once.
void TWinMainWindow::FocusTableAfterOpen()
{
    if (!Form1.LoadedFileName.empty())
        SetFocus(Grid(TabCtrl_GetCurSel(PageControl1)).Handle());
}

void TWinMainWindow::StringGrid3DblClick(int ACol, int ARow)
{
    RunHandler([&] { Form1.StringGrid3DblClick(ACol, ARow); });
    // A colour or its swatch opens the colour dialog instead of an editor.
    if (!ColorDialogTargetCol(ACol))
        Grid(2).EditCurrentCell();
}

void TWinMainWindow::RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        // Errors name what was being done and the file's path, which is UTF-8.
        MessageBoxW(Form1Window, WidePath(error.what()).c_str(), WideFromCp932(ApplicationTitle).c_str(),
                    MB_OK | MB_ICONERROR);
    }
    ShowFormState();
}

void TWinMainWindow::ShowFormState()
{
    SetWindowTextW(Edit1, WidePath(Form1.Edit1.Text).c_str());
    // A mark in the title while edits are not saved, as Windows programs show it.
    const std::string mark = Form1.Modified ? " *" : "";
    SetWindowTextW(Form1Window, Comparison.Active(Form1.LoadedFileName)
                                    ? WidePath(Comparison.Title() + mark).c_str()
                                    : WideFromCp932(std::string(Form1Caption) + mark).c_str());
    for (const auto& grid : Grids)
        grid->Refresh();
    if (PreviewWindow && PreviewWindow->Visible())
        DrawPreviewIfStale();
    if (PreviewWindow)
        PreviewWindow->RefreshPickText();
}

void TWinMainWindow::PreviewButtonClick()
{
    if (Button_GetCheck(PreviewButton) != BST_CHECKED) {
        PreviewWindow->Hide();
        return;
    }
    // Drawn before it shows, so that it never shows the drawing of before.
    DrawPreviewIfStale();
    PreviewWindow->Show();
}

void TWinMainWindow::DrawPreviewIfStale()
{
    if (PreviewStale || PreviewedFile != Form1.LoadedFileName) {
        PreviewStale = false;
        PreviewedFile = Form1.LoadedFileName;
        const std::optional<TChangeMarks> marks =
            Comparison.Active(Form1.LoadedFileName) ? std::optional(Comparison.MarksFor(Form1.Document())) : std::nullopt;
        PreviewWindow->ShowDrawing(Form1.Document(), marks ? &*marks : nullptr);
    }
    PreviewWindow->FollowCells(Form1);
}

LRESULT TWinMainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (StatusBar1)
            Layout();
        return 0;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            for (auto& grid : Grids)
                grid->CommitEdit();
            switch (LOWORD(wParam)) {
            case Button1Id:
                PreviewStale = true;
                RunHandler([this] { Form1.Button1Click(); });
                FocusTableAfterOpen();
                return 0;
            case Button2Id: RunHandler([this] { Form1.Button2Click(); }); return 0;
            case Button3Id: RunHandler([this] { Form1.Button3Click(); }); return 0;
            case PreviewButtonId: PreviewButtonClick(); return 0;
            default: break;
            }
        }
        break;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.hwndFrom == PageControl1 && header.code == TCN_SELCHANGE) {
            ShowTab(TabCtrl_GetCurSel(PageControl1));
            return 0;
        }
        for (auto& grid : Grids)
            if (grid && header.hwndFrom == grid->Handle())
                return grid->Notify(header);
        break;
    }
    case WM_DROPFILES: {
        const std::optional<std::string> path = DroppedDrawing(reinterpret_cast<HDROP>(wParam));
        if (path)
            OpenFile(*path);
        return 0;
    }
    case WM_CLOSE: {
        for (auto& grid : Grids)
            grid->CommitEdit();
        bool mayClose = true;
        RunHandler([&] { mayClose = Form1.FormCloseQuery(); });
        if (!mayClose)
            return 0;
        RunHandler([this] { Form1.FormClose(); });
        DestroyWindow(Form1Window);
        return 0;
    }
    case WM_DESTROY:
        Form1Window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Form1Window, message, wParam, lParam);
}

LRESULT CALLBACK TWinMainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TWinMainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->Form1Window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWinMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}
