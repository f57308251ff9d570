// One of the window's four tables as a virtual report-view list over a TCellTable: the list's
// header shows row 0, its first column the number column; an edit box over the current cell
// edits it. The current cell moves by mouse and keyboard, the view scrolls to keep it in sight,
// and every move is announced before it happens, after an open edit was written to the table.
// Sizes are those of a 96-DPI screen scaled to the window's; a column is at least as wide as
// its header's caption.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/CellTable.h"

class TWinGrid {
public:
    using TCellEvent = std::function<void(int ACol, int ARow)>;
    using TSwatch = std::function<std::optional<int32_t>(int ACol, int ARow)>;
    using TCellText = std::function<void(int ACol, int ARow, const std::string& text)>;

    TWinGrid(HWND parent, int id, TCellTable& table, HFONT font, UINT dpi);
    TWinGrid(const TWinGrid&) = delete;
    TWinGrid& operator=(const TWinGrid&) = delete;

    HWND Handle() const { return List; }
    int Col() const { return CurrentCol; }
    int Row() const { return CurrentRow; }

    TCellEvent SelectCell;    // before the current cell moves to (ACol, ARow)
    TCellEvent DoubleClick;   // on the current cell; edits it unless this returns with no edit
    TCellEvent Clicked;       // on a data cell, the current one too, once it is current
    TSwatch SwatchColor;      // the colour painted over a cell, or nothing
    TCellText CellTyped;      // text the user entered differs from the cell's; writes it

    // Messages the parent receives for this list.
    LRESULT Notify(NMHDR& header);
    // Shows the table's texts again.
    void Refresh();
    // Starts editing the current cell, with the whole text selected.
    void EditCurrentCell();
    // Hands an open edit to CellTyped, when it changed the text, and closes it.
    void CommitEdit();
    // Moves the current cell, announcing it first; cells outside the data cells are ignored.
    void MoveTo(int col, int row);
    // The window moved to a screen of another resolution, and its font with it.
    void SetDpi(UINT dpi, HFONT font);

private:
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnListMessage(HWND, UINT, WPARAM, LPARAM);
    bool OnKey(WPARAM key);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    LRESULT HeaderCustomDraw(NMCUSTOMDRAW& draw);
    void PaintCell(HDC dc, RECT cell, std::string_view text, COLORREF background, COLORREF foreground);
    std::optional<std::pair<int, int>> CellAt(LPARAM point) const;
    RECT CellRect(int col, int row) const;
    void ScrollIntoView(int col, int row);
    void WidenColumnsToHeaders();
    void SetRowHeight();
    void CancelEdit();

    TCellTable& Table;
    HWND List = nullptr;
    HWND Editor = nullptr;
    HFONT Font;
    UINT Dpi;
    std::vector<std::wstring> Captions;  // the header's, as last shown
    int CurrentCol = 1;
    int CurrentRow = 1;
    wchar_t TextBuffer[1024] = {};
};
