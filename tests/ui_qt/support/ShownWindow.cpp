#include "tests/ui_qt/support/ShownWindow.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "ui/qt/DisplayText.h"

TShownWindow::TShownWindow() : Services(Program.path()), Window(Services)
{
    Window.show();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(&Window)); }();
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

void ClickCell(TGridView& grid, int col, int row)
{
    const QModelIndex index = grid.Model().IndexOfCell(col, row);
    grid.scrollTo(index);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid.visualRect(index).center());
}
