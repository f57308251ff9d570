// The Win32 window on a real display: its components as the window logic names them, a drawing
// opened as one given on the command line, the grids' current cell and edits, and the window's
// sizes on screens of other resolutions.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jww/system_files.h"
#include "tables/TableFrames.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "text/WidePath.h"
#include "ui/Form1Layout.h"
#include "ui/win/MainWindow.h"
#include "ui/win/MemoryBitmap.h"
#include "ui/win/WindowDpi.h"

namespace {

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ListText(HWND list, int item, int subItem)
{
    wchar_t text[512] = {};
    ListView_GetItemText(list, item, subItem, text, 512);
    return text;
}

std::wstring TabText(HWND tabs, int index)
{
    wchar_t text[128] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = 128;
    TabCtrl_GetItem(tabs, index, &tab);
    return text;
}

std::wstring ColumnText(HWND list, int col)
{
    wchar_t text[128] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 128;
    ListView_GetColumn(list, col, &column);
    return text;
}

LPARAM CentreOf(HWND list, int col, int row)
{
    RECT cell{};
    ListView_GetSubItemRect(list, row - 1, col, LVIR_BOUNDS, &cell);
    return MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

// A window's frame in its parent's client area.
RECT PlaceInParent(HWND control)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The extent of the text in the font the control draws with.
SIZE TextExtentIn(HWND control, const std::wstring& text)
{
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent;
}

double ScaledTo(UINT dpi, int pixels96)
{
    return pixels96 * static_cast<double>(dpi) / 96;
}

void ExpectPlaceScaled(HWND control, const TForm1Place& place96, UINT dpi, const char* name)
{
    const RECT shown = PlaceInParent(control);
    EXPECT_NEAR(shown.left, ScaledTo(dpi, place96.Left), 1) << name << " at " << dpi << " DPI";
    EXPECT_NEAR(shown.top, ScaledTo(dpi, place96.Top), 1) << name << " at " << dpi << " DPI";
    EXPECT_NEAR(shown.right - shown.left, ScaledTo(dpi, place96.Width), 1) << name << " at " << dpi << " DPI";
    EXPECT_NEAR(shown.bottom - shown.top, ScaledTo(dpi, place96.Height), 1) << name << " at " << dpi << " DPI";
}

std::vector<HWND> DescendantsOf(HWND window)
{
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The window's parts, its tables' columns and rows and the status bar's button, as they should
// be at the resolution; the window's font is the one of that resolution.
void ExpectPartsScaledTo(TWinMainWindow& window, UINT dpi)
{
    const HWND form = window.Handle();
    const HWND button1 = FindWindowExW(form, nullptr, L"BUTTON", L"ファイル名");
    ExpectPlaceScaled(button1, Button1Bounds, dpi, "Button1");
    ExpectPlaceScaled(FindWindowExW(form, nullptr, L"EDIT", nullptr), Edit1Bounds, dpi, "Edit1");
    ExpectPlaceScaled(FindWindowExW(form, nullptr, L"BUTTON", L"別名保存"), Button2Bounds, dpi, "Button2");
    ExpectPlaceScaled(FindWindowExW(form, nullptr, L"BUTTON", L"JWW起動"), Button3Bounds, dpi, "Button3");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button1, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_NEAR(-font.lfHeight, ScaledTo(dpi, Form1CharacterHeight), 0.5) << dpi << " DPI";

    // The bar ends the client area; the tab pages end where it begins, and nothing but its own
    // button reaches into it.
    const HWND bar = FindWindowExW(form, nullptr, STATUSCLASSNAMEW, nullptr);
    RECT client{};
    GetClientRect(form, &client);
    const RECT barPlace = PlaceInParent(bar);
    EXPECT_EQ(barPlace.bottom, client.bottom);
    EXPECT_NEAR(barPlace.bottom - barPlace.top, ScaledTo(dpi, StatusBar1Height), 1) << dpi << " DPI";
    EXPECT_EQ(PlaceInParent(window.Tabs()).bottom, barPlace.top);
    RECT barOnScreen{};
    GetWindowRect(bar, &barOnScreen);
    for (const HWND child : DescendantsOf(form)) {
        if (child == bar || IsChild(bar, child) || !IsWindowVisible(child))
            continue;
        RECT place{};
        RECT overlap{};
        GetWindowRect(child, &place);
        wchar_t kind[64] = {};
        GetClassNameW(child, kind, 64);
        EXPECT_FALSE(IntersectRect(&overlap, &place, &barOnScreen)) << "a " << Utf8FromWide(kind) << " window";
    }

    // The button sits at the bar's right end, as far from its top as from its bottom, and its
    // caption leaves a margin on every side.
    const RECT button = PlaceInParent(window.PreviewToggle());
    EXPECT_EQ(button.top, barPlace.bottom - barPlace.top - button.bottom) << dpi << " DPI";
    EXPECT_GE(button.top, 0);
    EXPECT_LE(button.right, barPlace.right - barPlace.left);
    EXPECT_GT(button.right, barPlace.right - barPlace.left - ScaledTo(dpi, 4));
    const SIZE caption = TextExtentIn(window.PreviewToggle(), L"プレビュー");
    EXPECT_GE(button.right - button.left, caption.cx + 2 * ScaledTo(dpi, 4)) << dpi << " DPI";
    EXPECT_LE(caption.cy, button.bottom - button.top - 2) << dpi << " DPI";

    // A column keeps its width unless its header needs more; rows take at least the grid's height.
    const TCellTable* tables[] = {&window.Form().StringGrid1, &window.Form().StringGrid2,
                                  &window.Form().StringGrid3, &window.Form().StringGrid4};
    for (int i = 0; i < 4; ++i) {
        const HWND list = window.Grid(i).Handle();
        for (int col = 0; col < tables[i]->ColCount(); ++col) {
            const std::wstring header = ColumnText(list, col);
            const int width = ListView_GetColumnWidth(list, col);
            const int needed = TextExtentIn(list, header).cx;
            EXPECT_GE(width, needed) << Utf8FromWide(header) << " at " << dpi << " DPI";
            if (width > ScaledTo(dpi, tables[i]->ColWidth(col)) + 1) {
                EXPECT_LE(width, needed + ScaledTo(dpi, 2) + 1) << Utf8FromWide(header) << " at " << dpi << " DPI";
            } else {
                EXPECT_NEAR(width, ScaledTo(dpi, tables[i]->ColWidth(col)), 1)
                    << "column " << col << " of table " << i << " at " << dpi << " DPI";
            }
        }
        RECT row{};
        ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
        EXPECT_GE(row.bottom - row.top, ScaledTo(dpi, GridRowHeight)) << dpi << " DPI";
    }
}

// Answers every box as a person would, and remembers what was shown.
class TScriptedServices : public TWinDesktopServices {
public:
    struct TBox {
        std::wstring Text;
        std::wstring Caption;
        UINT Flags = 0;
    };
    std::vector<TBox> Boxes;
    int Answer = IDNO;

protected:
    int ShowBox(const std::wstring& text, const std::wstring& caption, UINT flags) override
    {
        Boxes.push_back({text, caption, flags});
        return (flags & MB_YESNO) ? Answer : IDOK;
    }
};

// What a file manager hands over when files are dropped on a window.
HDROP DropOf(const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(),
                names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class Form1Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A folder per test: ctest runs the tests side by side.
        Folder = TestFolder(std::string("Form1Window.") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        Window = std::make_unique<TWinMainWindow>(Services);
        Window->Show(SW_SHOWNOACTIVATE);
    }

    // A drawing whose first layer group is named name.
    std::string WriteDrawing(const std::string& fileName, const std::string& name)
    {
        TJwwDocument fields = HeaderFields(420);
        fields.LayerGroupTable[0].Name = name;
        WriteFileBytes(Folder + fileName, BuildHeader(fields) + Hex("00 00 00 00"));
        return Folder + fileName;
    }

    void TypeIntoCurrentCell(TWinGrid& grid, const wchar_t* text)
    {
        grid.EditCurrentCell();
        const HWND editor = FindWindowExW(grid.Handle(), nullptr, L"EDIT", nullptr);
        ASSERT_NE(editor, nullptr);
        SetWindowTextW(editor, text);
        grid.CommitEdit();
    }

    std::string Folder;
    TScriptedServices Services;
    std::unique_ptr<TWinMainWindow> Window;
};

TEST_F(Form1Window, ShowsItsComponentsAndADrawingGivenOnTheCommandLine)
{
    EXPECT_EQ(WindowText(Window->Handle()), L"Zelvane Ver.1.02");
    RECT bounds{};
    GetWindowRect(Window->Handle(), &bounds);
    EXPECT_EQ(bounds.left, 194);
    EXPECT_EQ(bounds.top, 109);
    EXPECT_EQ(bounds.right - bounds.left, 724);
    EXPECT_EQ(bounds.bottom - bounds.top, 480);

    ASSERT_EQ(TabCtrl_GetItemCount(Window->Tabs()), 4);
    const wchar_t* captions[] = {L"レイヤグループ名", L"レイヤ名", L"SXF対応拡張線色", L"SXF対応拡張線種"};
    const int columns[] = {3, 3, 10, 16};
    const int rows[] = {16, 256, 256, 32};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(TabText(Window->Tabs(), i), captions[i]);
        const HWND list = Window->Grid(i).Handle();
        EXPECT_EQ(IsWindowVisible(list) != 0, i == 0) << "only the first tab shows its table";
        EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), columns[i]);
        EXPECT_EQ(ListView_GetItemCount(list), rows[i]);
        EXPECT_EQ(ColumnText(list, 0), L"No.");
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), 28);
    }
    EXPECT_EQ(ColumnText(Window->Grid(3).Handle(), 3), L"1ﾕﾆｯﾄのﾄﾞｯﾄ数");
    EXPECT_EQ(ListText(Window->Grid(2).Handle(), 255, 0), L"256");

    TJwwDocument fields = HeaderFields(420);
    fields.LayerGroupTable[3].Name = "\x90\x7D\x96\xCA";  // 図面
    fields.ColorExTable[1].Name = "colour 1";
    const std::string folder = Folder + "\xE5\x9B\xB3\xE9\x9D\xA2/";  // 図面/
    std::filesystem::create_directories(FsPath(folder));
    WriteFileBytes(folder + "a.jww", BuildHeader(fields) + Hex("00 00 00 00"));
    Window->OpenFile(folder + "a.jww");

    EXPECT_EQ(Window->Form().LoadedFileName, folder + "a.jww");
    const HWND edit = FindWindowExW(Window->Handle(), nullptr, L"EDIT", nullptr);
    EXPECT_EQ(WindowText(edit), std::filesystem::path(FsPath(folder + "a.jww")).wstring());
    EXPECT_EQ(ListText(Window->Grid(0).Handle(), 3, 0), L"  3");
    EXPECT_EQ(ListText(Window->Grid(0).Handle(), 3, 1), L"図面");
    EXPECT_EQ(ListText(Window->Grid(2).Handle(), 0, ColorNameCol), L"colour 1");
}

TEST_F(Form1Window, TheCurrentCellMovesByMouseAndKeyAfterAnOpenEditIsWritten)
{
    TWinGrid& colors = Window->Grid(2);
    ShowWindow(colors.Handle(), SW_SHOW);
    SendMessageW(colors.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(colors.Handle(), ScreenWidthCol, 1));
    SendMessageW(colors.Handle(), WM_LBUTTONUP, 0, CentreOf(colors.Handle(), ScreenWidthCol, 1));
    EXPECT_EQ(colors.Col(), ScreenWidthCol);
    EXPECT_EQ(Window->Form().LastCol, ScreenWidthCol);

    colors.EditCurrentCell();
    const HWND editor = FindWindowExW(colors.Handle(), nullptr, L"EDIT", nullptr);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"5000");
    SendMessageW(editor, WM_KEYDOWN, VK_DOWN, 0);
    // Written, then clamped by the rule of the cell that was left.
    EXPECT_EQ(Window->Form().StringGrid3.Cell(ScreenWidthCol, 1), "1000");
    EXPECT_EQ(colors.Row(), 2);
    EXPECT_EQ(Window->Form().LastRow, 2);
    EXPECT_EQ(FindWindowExW(colors.Handle(), nullptr, L"EDIT", nullptr), nullptr);

    // The number column and the header row are never current.
    SendMessageW(colors.Handle(), WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(colors.Handle(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(colors.Col(), 1);
    SendMessageW(colors.Handle(), WM_KEYDOWN, VK_UP, 0);
    SendMessageW(colors.Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(colors.Row(), 1);
    EXPECT_EQ(Window->Form().LastCol, 1);
    EXPECT_EQ(Window->Form().LastRow, 1);
}

TEST_F(Form1Window, UnsavedEditsAreNotThrownAwayWithoutAsking)
{
    Window->OpenFile(WriteDrawing("a.jww", "first"));
    SendMessageW(Window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Services.Boxes.empty()) << "nothing to ask about without an edit";
    ASSERT_FALSE(IsWindow(Window->Handle())) << "closed at once";

    Window = std::make_unique<TWinMainWindow>(Services);
    Window->Show(SW_SHOWNOACTIVATE);
    Window->OpenFile(Folder + "a.jww");
    TWinGrid& groups = Window->Grid(0);
    TypeIntoCurrentCell(groups, L"\x56f3\x9762");  // 図面
    EXPECT_TRUE(Window->Form().Modified);
    EXPECT_EQ(WindowText(Window->Handle()), L"Zelvane Ver.1.02 *");
    EXPECT_EQ(Window->Form().StringGrid1.Cell(1, 1), "\x90\x7D\x96\xCA");

    Services.Answer = IDNO;
    SendMessageW(Window->Handle(), WM_CLOSE, 0, 0);
    ASSERT_EQ(Services.Boxes.size(), 1u);
    EXPECT_EQ(Services.Boxes[0].Caption, L"\x78ba\x8a8d");  // 確認
    EXPECT_TRUE(Services.Boxes[0].Flags & MB_DEFBUTTON2) << "No is the default";
    ASSERT_TRUE(IsWindow(Window->Handle())) << "No keeps the window";
    EXPECT_EQ(Window->Form().StringGrid1.Cell(1, 1), "\x90\x7D\x96\xCA");

    // Another drawing dropped on the window asks too; No keeps the edited one.
    SendMessageW(Window->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({FsPath(WriteDrawing("b.JWW", "second")).wstring()})), 0);
    EXPECT_EQ(Services.Boxes.size(), 2u);
    EXPECT_EQ(Window->Form().LoadedFileName, Folder + "a.jww");

    Services.Answer = IDYES;
    SendMessageW(Window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Services.Boxes.size(), 3u);
    EXPECT_FALSE(IsWindow(Window->Handle())) << "Yes closes";
}

TEST_F(Form1Window, OpensOneDroppedDrawingAndNothingElse)
{
    const std::wstring drawing = FsPath(WriteDrawing("dropped.Jww", "dropped")).wstring();
    WriteFileBytes(Folder + "notes.txt", "not a drawing");
    const std::wstring notes = FsPath(Folder + "notes.txt").wstring();

    for (const std::vector<std::wstring>& refused :
         {std::vector<std::wstring>{notes}, std::vector<std::wstring>{drawing, drawing}}) {
        SendMessageW(Window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(refused)), 0);
        EXPECT_TRUE(Window->Form().LoadedFileName.empty());
    }
    EXPECT_TRUE(Services.Boxes.empty());

    SendMessageW(Window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({drawing})), 0);
    EXPECT_EQ(Window->Form().LoadedFileName, Folder + "dropped.Jww");
    EXPECT_EQ(ListText(Window->Grid(0).Handle(), 0, 1), L"dropped");
    EXPECT_EQ(GetFocus(), Window->Grid(0).Handle()) << "the table takes the keys at once";
}

// Run at every screen resolution the build tries (ZELVANE_TEST_DPI names the one of the run).
class Form1WindowDpi : public Form1Window {
protected:
    void SetUp() override
    {
        Form1Window::SetUp();
        Dpi = DpiOfWindow(Window->Handle());
        if (const char* wanted = std::getenv("ZELVANE_TEST_DPI")) {
            ASSERT_EQ(Dpi, std::strtoul(wanted, nullptr, 10)) << "the resolution the run asked for";
        }
    }

    UINT Dpi = 0;
};

TEST_F(Form1WindowDpi, EverySizeIsItsSizeOnA96DpiScreenScaledToTheScreensResolution)
{
    // The client area is scaled, so that everything in it keeps its place.
    const SIZE frame96 = OuterSizeForClient(Window->Handle(), {0, 0}, 96);
    RECT client{};
    GetClientRect(Window->Handle(), &client);
    EXPECT_NEAR(client.right, ScaledTo(Dpi, Form1Bounds.Width - frame96.cx), 1);
    EXPECT_NEAR(client.bottom, ScaledTo(Dpi, Form1Bounds.Height - frame96.cy), 1);
    ExpectPartsScaledTo(*Window, Dpi);
    RECT preview{};
    GetWindowRect(Window->Preview().Handle(), &preview);
    EXPECT_NEAR(preview.right - preview.left, ScaledTo(Dpi, PreviewWidth), 1);
    EXPECT_NEAR(preview.bottom - preview.top, ScaledTo(Dpi, PreviewHeight), 1);

    // Moved to a screen of another resolution, each window takes the frame the system suggests.
    const UINT other = Dpi == 144 ? 96 : 144;
    for (const HWND moved : {Window->Handle(), Window->Preview().Handle()}) {
        RECT suggested{};
        GetWindowRect(moved, &suggested);
        OffsetRect(&suggested, 10, 5);
        suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, other, Dpi);
        suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, other, Dpi);
        SendMessageW(moved, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(moved, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested));
    }
    ExpectPartsScaledTo(*Window, other);
}

TEST_F(Form1WindowDpi, TheCurrentCellIsOneCellThatTheViewKeepsInSight)
{
    TabCtrl_SetCurFocus(Window->Tabs(), 3);
    TWinGrid& lineTypes = Window->Grid(3);
    const HWND list = lineTypes.Handle();
    ASSERT_TRUE(IsWindowVisible(list));
    SetFocus(list);
    const auto expectInSight = [&](const std::string& after) {
        RECT client{};
        GetClientRect(list, &client);
        RECT header{};
        GetWindowRect(ListView_GetHeader(list), &header);
        RECT cell{};
        ListView_GetSubItemRect(list, lineTypes.Row() - 1, lineTypes.Col(), LVIR_BOUNDS, &cell);
        EXPECT_GE(cell.left, 0) << after;
        EXPECT_LE(cell.right, client.right) << after;
        EXPECT_GE(cell.top, header.bottom - header.top) << after;
        EXPECT_LE(cell.bottom, client.bottom) << after;
    };
    const auto press = [&](WPARAM key, int times, int col, int row, const char* name) {
        for (int i = 0; i < times; ++i) {
            SendMessageW(list, WM_KEYDOWN, key, 0);
            expectInSight(name + std::to_string(i));
        }
        EXPECT_EQ(lineTypes.Col(), col) << name;
        if (row > 0) {
            EXPECT_EQ(lineTypes.Row(), row) << name;
        }
    };
    press(VK_END, 1, 15, 1, "End");
    press(VK_HOME, 1, 1, 1, "Home");
    press(VK_TAB, 14, 15, 1, "Tab");
    press(VK_LEFT, 14, 1, 1, "Left");
    press(VK_RIGHT, 3, 4, 1, "Right");
    press(VK_NEXT, 2, 4, 0, "PageDown");
    EXPECT_GT(lineTypes.Row(), 2);
    press(VK_DOWN, 40, 4, 32, "Down");
    press(VK_PRIOR, 5, 4, 1, "PageUp");
    press(VK_HOME, 1, 1, 1, "Home");

    // A click on a column that the right edge cuts makes it current and brings all of it in.
    RECT client{};
    GetClientRect(list, &client);
    int cut = 1;
    RECT cell{};
    while (ListView_GetSubItemRect(list, 0, cut, LVIR_BOUNDS, &cell) && cell.right <= client.right)
        ++cut;
    ASSERT_LT(cell.left, client.right);
    const LPARAM visiblePart = MAKELPARAM((cell.left + client.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, visiblePart);
    SendMessageW(list, WM_LBUTTONUP, 0, visiblePart);
    EXPECT_EQ(lineTypes.Col(), cut);
    expectInSight("a click");

    // The current cell is painted as a cell of its own; the list's own row selection stays unused.
    EXPECT_EQ(ListView_GetSelectedCount(list), 0u);
    TMemoryBitmap picture;
    picture.Resize(client.right, client.bottom);
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    const auto background = [&](int col) {
        RECT place{};
        ListView_GetSubItemRect(list, 0, col, LVIR_BOUNDS, &place);
        return picture.Pixel(place.left + 2, place.top + 2);
    };
    EXPECT_NE(background(cut), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(background(cut - 1), GetSysColor(COLOR_WINDOW));
}

TEST(WinDesktopServices, DialogFiltersAreSeparatedByNulAndEndWithTwo)
{
    EXPECT_EQ(TWinDesktopServices::DialogFilter("JWW\x83\x66\x81\x5B\x83\x5E(*.jww)|*.jww"),
              std::wstring(L"JWWデータ(*.jww)\0*.jww\0\0", 21));
}

}  // namespace
