// The Win32 window on a real display: its components as the window logic names them, a drawing
// opened as one given on the command line, and the grids' current cell and edits.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jww/system_files.h"
#include "tables/TableFrames.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "ui/win/MainWindow.h"

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

TEST(WinDesktopServices, DialogFiltersAreSeparatedByNulAndEndWithTwo)
{
    EXPECT_EQ(TWinDesktopServices::DialogFilter("JWW\x83\x66\x81\x5B\x83\x5E(*.jww)|*.jww"),
              std::wstring(L"JWWデータ(*.jww)\0*.jww\0\0", 21));
}

}  // namespace
