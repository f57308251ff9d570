#include "tests/ui_qt/support/ShownWindow.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "ui/qt/DisplayText.h"

TShownWindow::TShownWindow() : Services(Program.path()), Window(Services)
{
    Window.show();
    // Editors give their text back when they lose the focus, which only an active window has.
    Window.activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(&Window)); }();
}

TShownWindow::~TShownWindow()
{
    Window.close();
}

void TShownWindow::OpenDrawing(const std::string& path)
{
    Services.OpenAnswers.push_back(path);
    QTest::mouseClick(Window.Button1, Qt::LeftButton);
}

void TShownWindow::SaveDrawingAs(const std::string& path)
{
    Services.SaveAnswers.push_back(path);
    QTest::mouseClick(Window.Button2, Qt::LeftButton);
}

std::string TShownWindow::DrawingPath(const QString& fileName) const
{
    return PathToOs(Drawings.filePath(fileName));
}

QString ShownText(const TGridView& grid, int col, int row)
{
    return grid.Model().IndexOfCell(col, row).data(Qt::DisplayRole).toString();
}

void DoubleClickCell(TGridView& grid, int col, int row)
{
    const QModelIndex index = grid.Model().IndexOfCell(col, row);
    grid.scrollTo(index);
    // Through the window system, which makes a press, a release, a press with a double-click
    // and a release of it, as a real mouse does.
    QWidget& window = *grid.window();
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       grid.viewport()->mapTo(&window, grid.visualRect(index).center()));
}

void ClickCell(TGridView& grid, int col, int row)
{
    const QModelIndex index = grid.Model().IndexOfCell(col, row);
    grid.scrollTo(index);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid.visualRect(index).center());
}
