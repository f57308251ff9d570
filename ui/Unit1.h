// The main window's logic: its state, its four tables of cell texts and its event handlers.
// A skin shows Edit1 and the tables, forwards the events named below and refreshes what it
// shows from Edit1 and the tables after each handler. Handlers may raise EJwwIOError (a file
// that exists but cannot be read); the skin shows the error's text and carries on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tables/CellTable.h"
#include "ui/DesktopServices.h"

struct TJwwDocument;

// A one-line text field.
struct TEdit {
    std::string Text;
};

class TForm1 {
public:
    explicit TForm1(TDesktopServices& services);

    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;
    ~TForm1();

    // The window is first shown: empties the document, makes the window's own temp image folder
    // and writes the header rows and number columns.
    void FormShow();
    // The window is about to close: whether it may. Cells edited since the drawing was opened
    // or last saved are not thrown away without asking.
    bool FormCloseQuery();
    // The window closes: removes its temp images with their folder, empties all.
    void FormClose();

    void Button1Click();  // open a drawing and fill the tables
    void Button2Click();  // save under a new name
    void Button3Click();  // hand the file in Edit1 to the desktop

    // Opens the drawing at path as choosing it in the open dialog does, for a drawing handed
    // over by the desktop: named on the command line or dropped on the window.
    void OpenFile(const std::string& path);

    // The user entered text into the data cell (ACol, ARow) of one of the four tables.
    void CellTyped(TCellTable& table, int ACol, int ARow, std::string_view text);

    // The cell at (ACol, ARow) is about to become current in the layer-group, layer or colour
    // table (StringGrid3SelectCell) or in the line-type table (StringGrid4SelectCell). Raised
    // before the move; the move always proceeds.
    void StringGrid3SelectCell(int ACol, int ARow);
    void StringGrid4SelectCell(int ACol, int ARow);

    // A double-click in the colour table whose current cell is (ACol, ARow).
    void StringGrid3DblClick(int ACol, int ARow);

    // After the default painting of a colour-table cell: the colour to fill it with, or
    // nothing for cells that are not swatches.
    std::optional<int32_t> StringGrid3DrawCell(int ACol, int ARow) const;

    // The window's drawing, for a view of it; JwwDoc while this window's handler ran last.
    const TJwwDocument& Document() const;

    // Forgets the drawing: temp images, document, data cells; Edit1 keeps only its folder.
    void ClearDocumentAndTables();
    // Writes every data cell from the document.
    void FillTables();

    std::string ProgramDir;      // the executable's folder, ending in '/'
    std::string LoadedFileName;  // the drawing the document holds; empty when none
    int32_t LastCol = 1;         // the cell last selected in the first three tables
    int32_t LastRow = 1;
    int32_t LastCol4 = 1;        // the cell last selected in the line-type table
    int32_t LastRow4 = 1;

    TEdit Edit1;              // the file field
    TCellTable StringGrid1;   // layer groups
    TCellTable StringGrid2;   // layers
    TCellTable StringGrid3;   // SXF colours
    TCellTable StringGrid4;   // SXF line types

    // Set by every cell the user typed or colour the user chose since the drawing was opened
    // or last saved.
    bool Modified = false;
    // Counts, since the drawing was opened, the rules applied to typed cells and the colours
    // chosen that change what the picture shows: screen colours and widths, patterns, segment
    // counts and pitches. A preview follows the cells when this moves.
    uint64_t PictureEdits = 0;

private:
    struct TOwnDrawing;

    void TakeModuleDrawing();
    void ExchangeWithModule();
    void Open(const std::string& path);
    bool MayDiscardEdits();
    void ShowWarning(std::string_view text, bool beep);
    void WarnOfWhatASaveLoses();
    void PrepareTempImageFolder();

    TDesktopServices& Services;
    // The window's drawing and temp images while another window's are the module's, so that
    // windows side by side never see each other's.
    std::unique_ptr<TOwnDrawing> Drawing;
    std::string SharedImageFolder;  // holds the window's temp image folder; removed when empty
    std::string StartFolder;        // where the first open dialog starts
};
