// The main window on scripted services, shown (offscreen in the tests), with a program folder
// and a folder for drawings of its own. Closing it runs the window's shut-down.
#pragma once

#include <QTemporaryDir>

#include <string>

#include "tests/ui_qt/support/ScriptedServices.h"
#include "ui/qt/MainWindow.h"

class QAbstractItemView;

class TShownWindow {
public:
    TShownWindow();
    ~TShownWindow();

    // Opens the drawing with "ファイル名" as a user would, the open dialog answering `path`.
    void OpenDrawing(const std::string& path);
    // Saves with "別名保存", the save dialog answering `path`.
    void SaveDrawingAs(const std::string& path);

    QString DrawingFolder() const { return Drawings.path(); }
    std::string DrawingPath(const QString& fileName) const;

    QTemporaryDir Program;
    QTemporaryDir Drawings;
    TScriptedServices Services;
    TMainWindow Window;
};

// The text a grid shows in the table cell (col, row) of a data row.
QString ShownText(const TGridView& grid, int col, int row);

// Makes the table cell (col, row) current with a mouse click, as a user would.
void ClickCell(TGridView& grid, int col, int row);
void DoubleClickCell(TGridView& grid, int col, int row);
