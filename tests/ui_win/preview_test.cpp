// The preview of the Win32 window: a window of its own that the status bar's button shows and
// hides, drawing the opened drawing fitted into its view, highlighting what a table row counts,
// and zooming and panning with the mouse and the keys.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <memory>
#include <initializer_list>
#include <string>
#include <vector>

#include "render/ChangeMarks.h"
#include "render/DrawingStyle.h"
#include "render/RenderFilter.h"
#include "tables/FillTables.h"
#include "tables/TableFrames.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "ui/win/MainWindow.h"
#include "ui/win/WinText.h"

namespace {

// Two lines from x 0 to 1000: a line of pen colour 8 (or the one given) at y 0 on layer 0-1
// with line type 31, and above it a line of pen colour 6 at y 500 on layer 2-5 with line type 1.
std::string TwoLines(uint16_t lowerPen = 8)
{
    TJwwDocument fields = HeaderFields(420);
    ShowEveryLayer(fields);
    TJwwBuilder b;
    b.Raw(BuildHeader(fields)).Count(2);
    b.NewClass(420, "CDataSen").Base(0, 31, lowerPen, 1, 1, 0, 0).Double(0).Double(0).Double(1000).Double(0);
    b.ClassRef(1).Base(0, 1, 6, 1, 5, 2, 0).Double(0).Double(500).Double(1000).Double(500);
    return b.Count(0).Bytes();
}

// Lines from x 0 to 1000 of pen colour 2 on layer 0-0, at the heights given.
std::string LinesAt(std::initializer_list<double> heights)
{
    TJwwDocument fields = HeaderFields(420);
    ShowEveryLayer(fields);
    TJwwBuilder b;
    b.Raw(BuildHeader(fields)).Count(static_cast<uint32_t>(heights.size()));
    bool first = true;
    for (const double y : heights) {
        (first ? b.NewClass(420, "CDataSen") : b.ClassRef(1)).Base(0, 1, 2, 1, 0, 0, 0);
        b.Double(0).Double(y).Double(1000).Double(y);
        first = false;
    }
    return b.Count(0).Bytes();
}

// The desktop's services, with the message boxes recorded instead of shown.
class TRecordingServices : public TWinDesktopServices {
public:
    int ShowBox(const std::wstring& text, const std::wstring&, UINT) override
    {
        Messages.push_back(text);
        return IDOK;
    }
    std::vector<std::wstring> Messages;
};

COLORREF ColorOf(TRgb rgb)
{
    return RGB(rgb.R, rgb.G, rgb.B);
}

// Whether the colour lies at the client pixel of the drawing point or a pixel beside it.
bool PaintedNear(TWinPreviewWindow& preview, TVec2 drawingPoint, COLORREF color)
{
    const TMemoryBitmap& frame = preview.SharpFrame();
    const TVec2 at = preview.View().Pixel(drawingPoint);
    const int x = static_cast<int>(std::floor(at.X));
    const int y = static_cast<int>(std::floor(at.Y));
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (frame.Pixel(x + dx, y + dy) == color)
                return true;
    return false;
}

LPARAM ClientPoint(int x, int y)
{
    return MAKELPARAM(x, y);
}

void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

class Form1Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        Folder = TestFolder(std::string("Form1Preview.") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        WriteFileBytes(Folder + "lines.jww", TwoLines());
        Window = std::make_unique<TWinMainWindow>(Services);
        Window->Show(SW_SHOWNOACTIVATE);
        Window->OpenFile(Folder + "lines.jww");
        ASSERT_EQ(Window->Form().LoadedFileName, Folder + "lines.jww");
    }

    COLORREF Pen(uint16_t penColor)
    {
        return ColorOf(StyleOf(Window->Form().Document()).PenOf(penColor).Color);
    }

    std::string Folder;
    TWinDesktopServices Services;
    std::unique_ptr<TWinMainWindow> Window;
};

TEST_F(Form1Preview, TheStatusBarButtonShowsAndHidesAWindowOfItsOwnFittedToTheDrawing)
{
    TWinPreviewWindow& preview = Window->Preview();
    const HWND button = Window->PreviewToggle();
    EXPECT_EQ(GetParent(GetParent(button)), Window->Handle()) << "on the status bar";
    wchar_t caption[64] = {};
    GetWindowTextW(button, caption, 64);
    EXPECT_STREQ(caption, L"プレビュー");
    EXPECT_FALSE(preview.Visible());
    EXPECT_TRUE(preview.Scene().Primitives.empty()) << "drawn only once shown";

    Click(button);
    ASSERT_TRUE(preview.Visible());
    EXPECT_EQ(Button_GetCheck(button), BST_CHECKED);
    GetWindowTextW(preview.Handle(), caption, 64);
    EXPECT_STREQ(caption, L"プレビュー");
    EXPECT_FALSE(GetWindowLongPtrW(preview.Handle(), GWL_STYLE) & WS_CHILD);
    RECT bounds{};
    GetWindowRect(preview.Handle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 800);
    EXPECT_EQ(bounds.bottom - bounds.top, 600);
    GetWindowRect(Window->Handle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 724) << "the main window keeps its size";
    EXPECT_EQ(bounds.bottom - bounds.top, 480);
    EXPECT_EQ(TabCtrl_GetItemCount(Window->Tabs()), 4);

    // Fitted: the drawing's middle at the view's centre, its width filling most of the view.
    ASSERT_EQ(preview.Scene().Primitives.size(), 2u);
    const TPreviewView& view = preview.View();
    EXPECT_DOUBLE_EQ(view.Centre.X, 500.0);
    EXPECT_DOUBLE_EQ(view.Centre.Y, 250.0);
    EXPECT_GT(1000 * view.Scale, 0.8 * view.Width);
    EXPECT_LT(1000 * view.Scale, view.Width);
    EXPECT_TRUE(PaintedNear(preview, {500, 0}, Pen(8)));
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, Pen(6)));
    EXPECT_FALSE(PaintedNear(preview, {500, 250}, Pen(8))) << "nothing between the lines";

    SendMessageW(preview.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(preview.Visible());
    EXPECT_TRUE(IsWindow(preview.Handle())) << "closing hides";
    EXPECT_EQ(Button_GetCheck(button), BST_UNCHECKED);
    Click(button);
    EXPECT_TRUE(preview.Visible());
    Click(button);
    EXPECT_FALSE(preview.Visible());
}

TEST_F(Form1Preview, ARowOfEveryTableKeepsTheColoursOfWhatItCountsAndGreysTheRest)
{
    TWinPreviewWindow& preview = Window->Preview();
    Click(Window->PreviewToggle());
    const COLORREF grey = ColorOf(GreyedRgb);
    const auto shown = [&] {
        return std::pair(PaintedNear(preview, {500, 0}, Pen(8)), PaintedNear(preview, {500, 500}, Pen(6)));
    };
    const auto select = [&](int grid, TTableKind kind, int entry) {
        Window->Grid(grid).MoveTo(2, 1);
        Window->Grid(grid).MoveTo(1, RowOfEntry(kind, entry));
        return shown();
    };
    EXPECT_EQ(select(0, TTableKind::LayerGroups, 2), std::pair(false, true));
    EXPECT_TRUE(PaintedNear(preview, {500, 0}, grey)) << "the greyed line is still drawn";
    EXPECT_EQ(select(1, TTableKind::Layers, 1), std::pair(true, false));
    EXPECT_EQ(select(1, TTableKind::Layers, 2 * 16 + 5), std::pair(false, true));
    EXPECT_EQ(select(2, TTableKind::Colors, 5), std::pair(false, false));
    EXPECT_EQ(select(3, TTableKind::LineTypes, 1), std::pair(true, false));

    SendMessageW(preview.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(shown(), std::pair(true, true));

    // A click on the cell that is current already selects its row too.
    const HWND groups = Window->Grid(0).Handle();
    RECT cell{};
    ListView_GetSubItemRect(groups, Window->Grid(0).Row() - 1, Window->Grid(0).Col(), LVIR_BOUNDS, &cell);
    const LPARAM centre = ClientPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageW(groups, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(groups, WM_LBUTTONUP, 0, centre);
    EXPECT_EQ(shown(), std::pair(false, true));  // the row of layer group 2, as selected above
}

TEST_F(Form1Preview, AClickPicksALineSelectingItsRowOfTheTabAndHoverNamesIt)
{
    TWinPreviewWindow& preview = Window->Preview();
    Click(Window->PreviewToggle());
    const auto clientPoint = [&](TVec2 drawingPoint) {
        const TVec2 at = preview.View().Pixel(drawingPoint);
        return ClientPoint(static_cast<int>(std::lround(at.X)), static_cast<int>(std::lround(at.Y)));
    };
    const auto clickOnTab = [&](int tab, TVec2 drawingPoint) {
        TabCtrl_SetCurSel(Window->Tabs(), tab);
        SendMessageW(preview.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(drawingPoint));
        SendMessageW(preview.Handle(), WM_LBUTTONUP, 0, clientPoint(drawingPoint));
        wchar_t text[256] = {};
        GetWindowTextW(preview.PickLine(), text, 256);
        return std::wstring(text);
    };
    // Two pixels above the line of pen colour 8 on layer 0-1, line type 31.
    const TVec2 nearRed{500, 2 / preview.View().Scale};
    const std::wstring picked = clickOnTab(1, nearRed);
    EXPECT_EQ(Window->Grid(1).Row(), RowOfEntry(TTableKind::Layers, 1));
    EXPECT_EQ(picked.rfind(L"線  レイヤ 0-1", 0), 0u) << Cp932FromWide(picked);
    EXPECT_NE(picked.find(L"線色 8  線種 31"), std::wstring::npos) << Cp932FromWide(picked);
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, ColorOf(GreyedRgb))) << "the row's highlight";

    clickOnTab(0, {500, 500});
    EXPECT_EQ(Window->Grid(0).Row(), RowOfEntry(TTableKind::LayerGroups, 2));
    clickOnTab(3, nearRed);
    EXPECT_EQ(Window->Grid(3).Row(), RowOfEntry(TTableKind::LineTypes, 1));
    EXPECT_EQ(clickOnTab(1, {500, 250}), L"") << "nothing under the pointer";
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, Pen(6))) << "and no highlight";

    SendMessageW(preview.Handle(), WM_MOUSEMOVE, 0, clientPoint({700, 500}));
    wchar_t tip[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = preview.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(preview.Handle());
    tool.lpszText = tip;
    SendMessageW(preview.Tooltip(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(tip).rfind(L"線  レイヤ 2-5", 0), 0u) << Cp932FromWide(tip);
}

TEST_F(Form1Preview, TheWheelZoomsAboutThePointerADragPansAndKeysZoomAndFit)
{
    TWinPreviewWindow& preview = Window->Preview();
    Click(Window->PreviewToggle());
    const HWND handle = preview.Handle();
    const double fitted = preview.View().Scale;

    POINT pointer{100, 80};
    const TVec2 under = preview.View().DrawingPoint({100, 80});
    POINT screen = pointer;
    ClientToScreen(handle, &screen);
    SendMessageW(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    EXPECT_DOUBLE_EQ(preview.View().Scale, fitted * 1.25 * 1.25);
    EXPECT_NEAR(preview.View().DrawingPoint({100, 80}).X, under.X, 1e-9);
    EXPECT_NEAR(preview.View().DrawingPoint({100, 80}).Y, under.Y, 1e-9);
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, Pen(6))) << "the sharp frame of the new view";

    const TVec2 centre = preview.View().Centre;
    const double scale = preview.View().Scale;
    SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(200, 150));
    SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(230, 110));
    SendMessageW(handle, WM_LBUTTONUP, 0, ClientPoint(230, 110));
    EXPECT_DOUBLE_EQ(preview.View().Centre.X, centre.X - 30 / scale);
    EXPECT_DOUBLE_EQ(preview.View().Centre.Y, centre.Y - 40 / scale);
    SendMessageW(handle, WM_MOUSEMOVE, 0, ClientPoint(300, 300));
    EXPECT_DOUBLE_EQ(preview.View().Centre.X, centre.X - 30 / scale) << "no longer dragging";

    SendMessageW(handle, WM_CHAR, L'-', 0);
    EXPECT_DOUBLE_EQ(preview.View().Scale, scale / 1.25);
    SendMessageW(handle, WM_CHAR, L'+', 0);
    SendMessageW(handle, WM_CHAR, L'+', 0);
    EXPECT_DOUBLE_EQ(preview.View().Scale, scale * 1.25);
    SendMessageW(handle, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_DOUBLE_EQ(preview.View().Scale, fitted);
    EXPECT_DOUBLE_EQ(preview.View().Centre.Y, 250.0);

    preview.ZoomAt({0, 0}, 3);
    SendMessageW(handle, WM_LBUTTONDBLCLK, 0, ClientPoint(10, 10));
    EXPECT_DOUBLE_EQ(preview.View().Scale, fitted);
}

TEST_F(Form1Preview, WhatIsSmallerThanAPixelIsDrawnAsAPixelAndWhatLiesOutsideNotAtAll)
{
    TWinPreviewWindow& preview = Window->Preview();
    Click(Window->PreviewToggle());
    const TVec2 middle{preview.View().Width / 2, preview.View().Height / 2};
    preview.ZoomAt(middle, 1e-6);
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, Pen(6)));

    // Close in on the lower line, far from the upper one, whose ends lie far outside the view.
    preview.ZoomToFit();
    preview.ZoomAt(preview.View().Pixel({500, 0}), 1e7);
    EXPECT_TRUE(PaintedNear(preview, {500, 0}, Pen(8)));
    const TMemoryBitmap& frame = preview.SharpFrame();
    EXPECT_EQ(frame.Pixel(5, 5), RGB(255, 255, 255));
    const TVec2 nearRightEdge{preview.View().Width - 5, preview.View().Pixel({500, 0}).Y};
    EXPECT_TRUE(PaintedNear(preview, preview.View().DrawingPoint(nearRightEdge), Pen(8)))
        << "the line reaches across the view";
}

}  // namespace

// Painting never waits for the sharp frame: it shows the last one and starts the next on a
// thread of its own, which hands it over through the window's messages.
TEST_F(Form1Preview, TheSharpFrameIsDrawnOnAThreadOfItsOwnAndArrivesThroughTheMessages)
{
    TWinPreviewWindow& preview = Window->Preview();
    Click(Window->PreviewToggle());
    preview.Highlight(TRenderFilter{2, 5, {}, {}});
    UpdateWindow(preview.Handle());
    EXPECT_FALSE(preview.SharpFrameShown()) << "the paint did not wait for the frame";
    const ULONGLONG until = GetTickCount64() + 10000;
    MSG message;
    while (!preview.SharpFrameShown() && GetTickCount64() < until) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(10);
    }
    ASSERT_TRUE(preview.SharpFrameShown());
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, Pen(6))) << "the highlight in its colours";
    EXPECT_TRUE(PaintedNear(preview, {500, 0}, ColorOf(GreyedRgb)));
}

// An edited SXF colour shows once its cell is left, while the document keeps its own until a
// save.
TEST_F(Form1Preview, AnEditedSxfColourRedrawsItsLineOnceTheCellIsLeft)
{
    WriteFileBytes(Folder + "sxf.jww", TwoLines(101));
    Window->OpenFile(Folder + "sxf.jww");
    TWinPreviewWindow& preview = Window->Preview();
    Click(Window->PreviewToggle());
    const int32_t own = Window->Form().Document().ColorExTable.at(1).ScreenColor;
    const int32_t edited = own == 0x123456 ? 0x654321 : 0x123456;
    const auto lineIn = [&](int32_t color) {
        return PaintedNear(preview, {500, 0}, ColorOf(RgbFromDrawing(color)));
    };
    EXPECT_TRUE(lineIn(own));

    TWinGrid& colors = Window->Grid(2);
    colors.MoveTo(ScreenColorCol, 1);
    colors.EditCurrentCell();
    const HWND editor = FindWindowExW(colors.Handle(), nullptr, L"EDIT", nullptr);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, std::to_wstring(edited).c_str());
    colors.CommitEdit();
    EXPECT_TRUE(lineIn(own)) << "not before the cell is left";
    colors.MoveTo(ScreenWidthCol, 1);
    EXPECT_TRUE(lineIn(edited));
    EXPECT_EQ(Window->Form().Document().ColorExTable.at(1).ScreenColor, own);
    Window->Form().Modified = false;  // closes without asking
}

TEST(Form1Compare, ShowsWhatChangedUnderALegendWithBothNamesInTheTitle)
{
    const std::string folder = TestFolder("Form1Compare");
    WriteFileBytes(folder + "plan-1.jww", LinesAt({0, 500}));
    WriteFileBytes(folder + "plan-2.jww", LinesAt({0, 250}));
    TRecordingServices services;
    TWinMainWindow window(services);
    window.Show(SW_SHOWNOACTIVATE);
    const auto title = [&] {
        wchar_t text[256] = {};
        GetWindowTextW(window.Handle(), text, 256);
        return std::wstring(text);
    };
    window.OpenComparison(folder + "plan-1.jww", folder + "plan-2.jww");
    EXPECT_TRUE(services.Messages.empty());
    EXPECT_EQ(window.Form().LoadedFileName, folder + "plan-2.jww");
    EXPECT_EQ(title(), L"plan-1.jww \u2192 plan-2.jww - Zelvane Ver.1.02");
    TWinPreviewWindow& preview = window.Preview();
    ASSERT_TRUE(preview.Visible());
    EXPECT_TRUE(PaintedNear(preview, {500, 0}, ColorOf(GreyedRgb))) << "same";
    EXPECT_TRUE(PaintedNear(preview, {500, 250}, ColorOf(AddedRgb))) << "added";
    EXPECT_TRUE(PaintedNear(preview, {500, 500}, ColorOf(RemovedRgb))) << "removed";
    const TMemoryBitmap& frame = preview.SharpFrame();
    const auto swatch = [&](int entry) {
        const RECT place = TWinPreviewWindow::LegendSwatch(entry);
        return frame.Pixel((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    };
    EXPECT_EQ(swatch(0), ColorOf(RemovedRgb)) << "the legend";
    EXPECT_EQ(swatch(1), ColorOf(AddedRgb));
    EXPECT_EQ(swatch(2), ColorOf(GreyedRgb));

    window.OpenComparison(folder + "gone.jww", folder + "plan-2.jww");
    ASSERT_EQ(services.Messages.size(), 1u);
    EXPECT_NE(services.Messages[0].find(L"gone.jww"), std::wstring::npos);
    EXPECT_EQ(window.Form().LoadedFileName, folder + "plan-2.jww") << "opened plainly";
    EXPECT_EQ(title(), L"Zelvane Ver.1.02");
    EXPECT_NE(preview.SharpFrame().Pixel(TWinPreviewWindow::LegendSwatch(0).left + 2, TWinPreviewWindow::LegendSwatch(0).top + 2),
              ColorOf(RemovedRgb)) << "no legend";
}
