// The main window on Qt: the components of the window as the logic names them, laid out at
// their places, with every event handed to the logic (TForm1) and what it shows refreshed from
// the logic's Edit1 and tables after each handler.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

#include "render/Primitives.h"
#include "tables/TableFrames.h"
#include "ui/Unit1.h"
#include "ui/preview/CompareMode.h"
#include "ui/qt/CellTableModel.h"
#include "ui/qt/GridView.h"
#include "ui/qt/QtDesktopServices.h"

class QFrame;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TPreviewPane;

class TMainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainWindow(TQtDesktopServices& services, QWidget* parent = nullptr);

    // Opens a drawing that the desktop hands over (the command line), as if it had been chosen
    // with "ファイル名".
    void OpenFile(const std::string& path);
    // Opens the later drawing as OpenFile does, with its preview shown as what changed since
    // the earlier one; an earlier drawing that cannot be read is told of, and the later one
    // stays open as it is.
    void OpenComparison(const std::string& oldPath, const std::string& newPath);

    TForm1 Form1;

    QFrame* Panel1;
    QPushButton* Button1;
    QLineEdit* Edit1;
    QPushButton* Button2;
    QPushButton* Button3;
    QTabWidget* PageControl1;
    QStatusBar* StatusBar1;
    TGridView* StringGrid1;
    TGridView* StringGrid2;
    TGridView* StringGrid3;
    TGridView* StringGrid4;
    // The preview, a window of its own that the status bar's button shows and hides.
    QToolButton* PreviewButton;
    TPreviewPane* Preview;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPanel1();
    TGridView* AddTab(TCellTable& table, std::string_view caption);
    void ConnectEvents();
    // Runs a handler of the logic. An error it does not handle is shown with its text and the
    // window carries on with the state reached; either way the window then shows the logic's
    // Edit1 and tables as they are.
    void RunHandler(const std::function<void()>& handler);
    void ShowFormState();
    void StringGrid3DblClick();
    void FitOuterSize();
    void FocusTableAfterOpen();
    void BuildPreview();
    // The status bar's button at the bar's right end, centred between its edges.
    void PlacePreviewButton();
    void SelectPickedRow(TGridView& grid, TTableKind kind, const TRenderSource& picked);
    // Draws the document again when another drawing was opened since the preview last drew.
    void RefreshPreview();

    TQtDesktopServices& Services;
    bool Shown = false;
    bool FrameFitted = false;
    bool PreviewStale = true;
    std::string PreviewedFile;
    TWindowComparison Comparison;
};
