#include "ui/win/WinGrid.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "ui/Form1Layout.h"
#include "ui/win/WinText.h"
#include "ui/win/WindowDpi.h"
#include "ui/win/WindowFont.h"

namespace {

constexpr UINT_PTR SubclassId = 1;
constexpr COLORREF FixedCellColor = RGB(240, 240, 240);
constexpr COLORREF CurrentCellColor = RGB(0, 120, 215);
constexpr COLORREF CurrentTextColor = RGB(255, 255, 255);
// The gap left around a swatch, so that the grid line stays visible.
constexpr int SwatchInset = 2;
constexpr int CellMargin = 2;

}  // namespace

TWinGrid::TWinGrid(HWND parent, int id, TCellTable& table, HFONT font, UINT dpi)
    : Table(table), Font(font), Dpi(dpi), Captions(static_cast<std::size_t>(table.ColCount()))
{
    List = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_OWNERDATA |
                               LVS_SINGLESEL | LVS_NOSORTHEADER,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(List, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    SendMessageW(List, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (int col = 0; col < Table.ColCount(); ++col) {
        const std::wstring caption = WideFromCp932(Table.Cell(col, 0));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(caption.c_str());
        column.cx = Scaled(Table.ColWidth(col), Dpi);
        column.iSubItem = col;
        ListView_InsertColumn(List, col, &column);
    }
    ListView_SetItemCountEx(List, Table.RowCount() - 1, LVSICF_NOSCROLL);
    SetRowHeight();
    SetWindowSubclass(List, &TWinGrid::ListProc, SubclassId, reinterpret_cast<DWORD_PTR>(this));
}

// A list's rows are as tall as its font or its small images, whichever is taller; an image
// list of empty images gives them the grid's height.
void TWinGrid::SetRowHeight()
{
    const HIMAGELIST rows = ImageList_Create(1, Scaled(GridRowHeight, Dpi), ILC_COLOR, 0, 0);
    if (const HIMAGELIST previous = ListView_SetImageList(List, rows, LVSIL_SMALL))
        ImageList_Destroy(previous);
}

void TWinGrid::SetDpi(UINT dpi, HFONT font)
{
    CommitEdit();
    // Widths the user dragged keep their look on the new screen.
    for (int col = 0; col < Table.ColCount(); ++col)
        ListView_SetColumnWidth(List, col,
                                MulDiv(ListView_GetColumnWidth(List, col), static_cast<int>(dpi), static_cast<int>(Dpi)));
    Dpi = dpi;
    Font = font;
    SendMessageW(List, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetRowHeight();
    WidenColumnsToHeaders();
    ScrollIntoView(CurrentCol, CurrentRow);
}

void TWinGrid::Refresh()
{
    // The header row is the table's row 0, which the window logic writes when first shown.
    bool captionsChanged = false;
    for (int col = 0; col < Table.ColCount(); ++col) {
        std::wstring& caption = Captions[static_cast<std::size_t>(col)];
        std::wstring shown = WideFromCp932(Table.Cell(col, 0));
        if (shown == caption)
            continue;
        caption = std::move(shown);
        captionsChanged = true;
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(caption.c_str());
        ListView_SetColumn(List, col, &column);
    }
    if (captionsChanged)
        WidenColumnsToHeaders();
    InvalidateRect(List, nullptr, FALSE);
}

// The caption starts after the cell's margin and may run up to the grid line. Only a column
// narrower than that widens, so a column the user made narrower stays so until the next change.
void TWinGrid::WidenColumnsToHeaders()
{
    for (int col = 0; col < Table.ColCount(); ++col) {
        const int needed = TextExtent(Font, Captions[static_cast<std::size_t>(col)].c_str()).cx +
                           Scaled(CellMargin, Dpi);
        if (ListView_GetColumnWidth(List, col) < needed)
            ListView_SetColumnWidth(List, col, needed);
    }
}

LRESULT TWinGrid::Notify(NMHDR& header)
{
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if (item.mask & LVIF_TEXT) {
            const std::wstring text = WideFromCp932(Table.Cell(item.iSubItem, item.iItem + 1));
            const std::size_t n = std::min<std::size_t>(text.size(), std::size(TextBuffer) - 1);
            std::copy_n(text.c_str(), n, TextBuffer);
            TextBuffer[n] = L'\0';
            item.pszText = TextBuffer;
        }
        return 0;
    }
    case NM_CUSTOMDRAW:
        return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    default:
        return 0;
    }
}

LRESULT TWinGrid::CustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        // The list's own row selection is not shown: the current cell is.
        draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        // Every cell is painted here: the list pads a cell's text by more than a grid does,
        // and the number column's 28 pixels would not show three digits.
        const int col = draw.iSubItem;
        const int row = static_cast<int>(draw.nmcd.dwItemSpec) + 1;
        const bool current = col == CurrentCol && row == CurrentRow && !Editor;
        const bool focused = current && GetFocus() == List;
        const COLORREF background = current ? CurrentCellColor
                                    : col == 0 ? FixedCellColor
                                               : GetSysColor(COLOR_WINDOW);
        RECT cell = CellRect(col, row);
        // The grid lines are the list's own, on the cell's right and bottom edge.
        cell.right -= 1;
        cell.bottom -= 1;
        PaintCell(draw.nmcd.hdc, cell, Table.Cell(col, row), background,
                  current ? CurrentTextColor : GetSysColor(COLOR_WINDOWTEXT));
        if (focused)
            DrawFocusRect(draw.nmcd.hdc, &cell);
        if (const std::optional<int32_t> color = SwatchColor ? SwatchColor(col, row) : std::nullopt) {
            const int inset = Scaled(SwatchInset, Dpi);
            InflateRect(&cell, -inset, -inset);
            const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(*color) & 0xFFFFFF);
            FillRect(draw.nmcd.hdc, &cell, brush);
            DeleteObject(brush);
        }
        return CDRF_SKIPDEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void TWinGrid::PaintCell(HDC dc, RECT cell, std::string_view text, COLORREF background,
                         COLORREF foreground)
{
    const HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &cell, brush);
    DeleteObject(brush);
    cell.left += Scaled(CellMargin, Dpi);
    const std::wstring shown = WideFromCp932(text);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, foreground);
    // A text longer than its cell is cut at the cell's edge, as in a grid.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &cell,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
}

// The header's cells are painted as the grid's fixed cells, with the cells' margin, which the
// columns' widths allow for.
LRESULT TWinGrid::HeaderCustomDraw(NMCUSTOMDRAW& draw)
{
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    const auto col = static_cast<int>(draw.dwItemSpec);
    if (draw.dwDrawStage == CDDS_ITEMPREPAINT && col >= 0 && col < Table.ColCount()) {
        SelectObject(draw.hdc, Font);
        PaintCell(draw.hdc, draw.rc, Table.Cell(col, 0), GetSysColor(COLOR_BTNFACE),
                  GetSysColor(COLOR_BTNTEXT));
        DrawEdge(draw.hdc, &draw.rc, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

// The bounds of the first column are those of the whole row, and its label lies after the room
// for the row's small image.
RECT TWinGrid::CellRect(int col, int row) const
{
    RECT cell{};
    cell.top = col;
    cell.left = LVIR_BOUNDS;
    SendMessageW(List, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&cell));
    if (col == 0)
        cell.right = cell.left + ListView_GetColumnWidth(List, 0);
    return cell;
}

void TWinGrid::ScrollIntoView(int col, int row)
{
    ListView_EnsureVisible(List, row - 1, FALSE);
    RECT client{};
    GetClientRect(List, &client);
    const RECT cell = CellRect(col, row);
    // A cell wider than the view shows its start.
    int shift = std::max<LONG>(0, cell.right - client.right);
    if (cell.left - shift < client.left)
        shift = cell.left - client.left;
    if (shift != 0)
        ListView_Scroll(List, shift, 0);
}

std::optional<std::pair<int, int>> TWinGrid::CellAt(LPARAM point) const
{
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (ListView_SubItemHitTest(const_cast<HWND>(List), &hit) < 0 || hit.iItem < 0)
        return std::nullopt;
    return std::make_pair(hit.iSubItem, hit.iItem + 1);
}

void TWinGrid::MoveTo(int col, int row)
{
    CommitEdit();
    if (col < 1 || col >= Table.ColCount() || row < 1 || row >= Table.RowCount())
        return;
    if (col == CurrentCol && row == CurrentRow)
        return;
    if (SelectCell)
        SelectCell(col, row);
    CurrentCol = col;
    CurrentRow = row;
    ScrollIntoView(col, row);
    InvalidateRect(List, nullptr, FALSE);
}

void TWinGrid::EditCurrentCell()
{
    CommitEdit();
    ScrollIntoView(CurrentCol, CurrentRow);
    const RECT cell = CellRect(CurrentCol, CurrentRow);
    const std::wstring text = WideFromCp932(Table.Cell(CurrentCol, CurrentRow));
    Editor = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                             cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, List,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(Editor, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    SetWindowSubclass(Editor, &TWinGrid::EditProc, SubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(Editor, EM_SETSEL, 0, -1);
    SetFocus(Editor);
}

void TWinGrid::CommitEdit()
{
    if (!Editor)
        return;
    const int length = GetWindowTextLengthW(Editor);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(Editor, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const std::string typed = Cp932FromWide(text);
    const int col = CurrentCol;
    const int row = CurrentRow;
    CancelEdit();
    if (typed != Table.Cell(col, row) && CellTyped)
        CellTyped(col, row, typed);
}

void TWinGrid::CancelEdit()
{
    if (!Editor)
        return;
    // Cleared first: destroying the box moves the focus, which would commit it again.
    const HWND editor = Editor;
    Editor = nullptr;
    const bool focused = GetFocus() == editor;
    DestroyWindow(editor);
    if (focused)
        SetFocus(List);
    InvalidateRect(List, nullptr, FALSE);
}

bool TWinGrid::OnKey(WPARAM key)
{
    const int page = std::max(1, static_cast<int>(ListView_GetCountPerPage(List)) - 1);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_LEFT: MoveTo(CurrentCol - 1, CurrentRow); return true;
    case VK_RIGHT: MoveTo(CurrentCol + 1, CurrentRow); return true;
    case VK_UP: MoveTo(CurrentCol, CurrentRow - 1); return true;
    case VK_DOWN: MoveTo(CurrentCol, CurrentRow + 1); return true;
    case VK_TAB: MoveTo(CurrentCol + (shift ? -1 : 1), CurrentRow); return true;
    case VK_PRIOR: MoveTo(CurrentCol, std::max(1, CurrentRow - page)); return true;
    case VK_NEXT: MoveTo(CurrentCol, std::min(Table.RowCount() - 1, CurrentRow + page)); return true;
    case VK_HOME: MoveTo(1, CurrentRow); return true;
    case VK_END: MoveTo(Table.ColCount() - 1, CurrentRow); return true;
    case VK_F2:
    case VK_RETURN: EditCurrentCell(); return true;
    default: return false;
    }
}

LRESULT TWinGrid::OnListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SetFocus(list);
        const auto cell = CellAt(lParam);
        if (!cell)
            return 0;
        MoveTo(cell->first, cell->second);
        if (message == WM_LBUTTONDOWN && Clicked && cell->first == CurrentCol && cell->second == CurrentRow)
            Clicked(CurrentCol, CurrentRow);
        if (message == WM_LBUTTONDBLCLK && cell->first == CurrentCol && cell->second == CurrentRow) {
            if (DoubleClick)
                DoubleClick(CurrentCol, CurrentRow);
            else
                EditCurrentCell();
        }
        return 0;
    }
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.hwndFrom == ListView_GetHeader(list) && header.code == NM_CUSTOMDRAW)
            return HeaderCustomDraw(reinterpret_cast<NMCUSTOMDRAW&>(header));
        break;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (OnKey(wParam))
            return 0;
        break;
    case WM_CHAR:
        // A typed character starts an edit that begins with it.
        if (wParam >= L' ' && wParam != 0x7F) {
            EditCurrentCell();
            SetWindowTextW(Editor, std::wstring(1, static_cast<wchar_t>(wParam)).c_str());
            SendMessageW(Editor, EM_SETSEL, 1, 1);
            return 0;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        CommitEdit();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The current cell shows the focus rectangle while the grid has the focus.
        InvalidateRect(list, nullptr, FALSE);
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK TWinGrid::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<TWinGrid*>(self)->OnListMessage(list, message, wParam, lParam);
}

LRESULT CALLBACK TWinGrid::EditProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR selfData)
{
    auto* self = reinterpret_cast<TWinGrid*>(selfData);
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            self->CancelEdit();
            return 0;
        }
        if (wParam == VK_RETURN) {
            self->CommitEdit();
            return 0;
        }
        if (wParam == VK_TAB || wParam == VK_UP || wParam == VK_DOWN) {
            self->OnKey(wParam);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B)
            return 0;
        break;
    case WM_KILLFOCUS:
        // The box is gone once this returns, so nothing else may handle the message.
        if (self->Editor == editor) {
            self->CommitEdit();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(editor, &TWinGrid::EditProc, SubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(editor, message, wParam, lParam);
}
