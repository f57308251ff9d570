// The main window's logic: its state, its four tables of cell texts and its event handlers.
// A skin shows Edit1 and the tables, forwards the events named below and refreshes what it
// shows from Edit1 and the tables after each handler. Handlers may raise EJwwIOError (a file
// that exists but cannot be read); the skin shows the error's text and carries on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/CellTable.h"
#include "ui/DesktopServices.h"

// A one-line text field.
struct TEdit {
    std::string Text;
};

class TForm1 {
public:
    explicit TForm1(TDesktopServices& services);

    // The window is first shown: empties the document, prepares the temp image folder and
    // writes the header rows and number columns.
    void FormShow();
    // The window closes: removes the temp images and their folder when empty, empties all.
    void FormClose();

    void Button1Click();  // open a drawing and fill the tables
    void Button2Click();  // save under a new name
    void Button3Click();  // hand the file in Edit1 to the desktop

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

private:
    void ShowWarning(std::string_view text, bool beep);
    void PrepareTempImageFolder();

    TDesktopServices& Services;
};
