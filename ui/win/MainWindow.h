// The main window in Win32, with the components of the window logic under their own names.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/Form1Layout.h"
#include "ui/Unit1.h"
#include "ui/preview/CompareMode.h"
#include "ui/win/PreviewWindow.h"
#include "ui/win/WinDesktopServices.h"
#include "ui/win/WinGrid.h"

class TWinMainWindow {
public:
    explicit TWinMainWindow(TWinDesktopServices& services);
    ~TWinMainWindow();
    TWinMainWindow(const TWinMainWindow&) = delete;
    TWinMainWindow& operator=(const TWinMainWindow&) = delete;

    // Creates and shows the window; the window logic's start-up runs once it is shown.
    void Show(int showCommand);
    // Opens the drawing as if it had been chosen in the open dialog: one named on the command
    // line or dropped on the window.
    void OpenFile(const std::string& path);
    // Opens the later drawing as OpenFile does, with its preview shown as what changed since
    // the earlier one; an earlier drawing that cannot be read is told of, and the later one
    // stays open as it is.
    void OpenComparison(const std::string& oldPath, const std::string& newPath);

    HWND Handle() const { return Form1Window; }
    TForm1& Form() { return Form1; }
    TWinGrid& Grid(int index) { return *Grids.at(static_cast<std::size_t>(index)); }
    HWND Tabs() const { return PageControl1; }
    // The status bar's button that shows and hides the preview, a window of its own.
    HWND PreviewToggle() const { return PreviewButton; }
    TWinPreviewWindow& Preview() { return *PreviewWindow; }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateFonts();
    void CreateComponents();
    void PlaceOnScreen();
    void Layout();
    // The status bar's button in the bar, in the pixels of the window's screen.
    TForm1Place PreviewButtonBounds() const;
    // The window moved to a screen of another resolution; the system suggests its new frame.
    void ChangeDpi(UINT dpi, const RECT& suggested);
    void ShowTab(int index);
    void SelectPickedRow(const TRenderSource& picked);
    void RunHandler(const std::function<void()>& handler);
    void ShowFormState();
    void FocusTableAfterOpen();
    void StringGrid3DblClick(int ACol, int ARow);
    void PreviewButtonClick();
    // Draws the document again when another drawing was opened since the preview last drew.
    void DrawPreviewIfStale();

    TForm1 Form1;
    TWinDesktopServices& Services;
    UINT Dpi = 0;
    HFONT Font = nullptr;
    HFONT StatusFont = nullptr;  // the status bar's button's
    HWND Form1Window = nullptr;
    HWND Panel1 = nullptr;
    HWND Button1 = nullptr;
    HWND Edit1 = nullptr;
    HWND Button2 = nullptr;
    HWND Button3 = nullptr;
    HWND PageControl1 = nullptr;
    HWND StatusBar1 = nullptr;
    std::array<std::unique_ptr<TWinGrid>, 4> Grids;  // StringGrid1 .. StringGrid4
    HWND PreviewButton = nullptr;
    std::unique_ptr<TWinPreviewWindow> PreviewWindow;
    bool PreviewStale = true;
    std::string PreviewedFile;
    TWindowComparison Comparison;
};
