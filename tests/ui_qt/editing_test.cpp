// A drawing opened through the window as a user would: its names shown decoded, cells typed
// into through the grids and normalised when the current cell moves on, the swatches, the
// colour dialog, and an error that a handler does not handle.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>

#include "jww/stream.h"
#include "tests/ui_qt/support/ModalAnswer.h"
#include "tests/ui_qt/support/ShownWindow.h"
#include "tests/ui_qt/support/TestDrawings.h"
#include "ui/TableFrames.h"
#include "ui/qt/DisplayText.h"

namespace {

// 配管 (layer group 3), 平面図 (layer 17), 赤線 (colour 1), 一点鎖線 (line type 2).
const std::string GroupName = "\x94\x7A\x8A\xC7";
const std::string LayerName = "\x95\xBD\x96\xCA\x90\x7D";
const std::string ColorName = "\x90\xD4\x90\xFC";
const std::string LineTypeName = "\x88\xEA\x93\x5F\x8D\xBD\x90\xFC";

void NameTheDrawing(TJwwDocument& doc)
{
    doc.LayerGroupTable.at(3).Name = GroupName;
    doc.LayerTable.at(17).Name = LayerName;
    doc.ColorExTable.at(1).Name = ColorName;
    doc.ColorExTable.at(1).ScreenColor = 255;
    doc.ColorExTable.at(1).PrintColor = 0xFF0000;
    doc.LineTypeExTable.at(2).Name = LineTypeName;
    doc.LineTypeExTable.at(2).SegmentCount = 8;
}

// The editor that a grid has open; closed ones linger hidden until they are deleted.
QLineEdit* OpenEditor(TGridView& grid)
{
    for (QLineEdit* editor : grid.viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// Key presses that carry the characters, Japanese ones included (as an input method delivers
// them once composed).
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Makes the cell current and types into it as a user would: the first key opens the editor.
void TypeIntoCell(TMainWindow& window, TGridView& grid, int col, int row, const QString& text)
{
    window.PageControl1->setCurrentWidget(grid.parentWidget());
    ClickCell(grid, col, row);
    TypeText(&grid, text.left(1));
    QLineEdit* editor = OpenEditor(grid);
    QVERIFY(editor);
    TypeText(editor, text.mid(1));
}

}  // namespace

class TEditingTest : public QObject {
    Q_OBJECT

private slots:
    void OpenedDrawingShowsDecodedNames();
    void PathIsShownAndKeptAsTheSystemsBytes();
    void TypedCellsAreNormalisedWhenTheCurrentCellMoves();
    void FirstThreeTablesShareTheColourTablesHandler();
    void SwatchesShowTheColourCells();
    void DoubleClickOnAColourOpensTheColourDialog();
    void DoubleClickElsewhereEditsTheCell();
    void UnhandledErrorIsShownAndTheWindowGoesOn();
};

void TEditingTest::OpenedDrawingShowsDecodedNames()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing));
    TMainWindow& w = shown.Window;
    QCOMPARE(ShownText(*w.StringGrid1, NameCol, 4), QStringLiteral("配管"));
    QCOMPARE(ShownText(*w.StringGrid2, NameCol, 18), QStringLiteral("平面図"));
    QCOMPARE(ShownText(*w.StringGrid3, ColorNameCol, 1), QStringLiteral("赤線"));
    QCOMPARE(ShownText(*w.StringGrid3, ScreenColorCol, 1), QStringLiteral("255"));
    QCOMPARE(ShownText(*w.StringGrid4, LineTypeNameCol, 2), QStringLiteral("一点鎖線"));
    QCOMPARE(ShownText(*w.StringGrid4, SegmentCountCol, 2), QStringLiteral("8"));
    // The grids show the logic's cells themselves.
    QCOMPARE(w.Form1.StringGrid1.Cell(NameCol, 4), GroupName);
    QVERIFY(shown.Services.Messages.empty());
}

void TEditingTest::PathIsShownAndKeptAsTheSystemsBytes()
{
    TShownWindow shown;
    QVERIFY(QDir(shown.DrawingFolder()).mkdir(QStringLiteral("図面")));
    const std::string path = WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("図面/平面.jww"));
    shown.OpenDrawing(path);
    // UTF-8 on this system, not code page 932.
    QCOMPARE(shown.Window.Form1.LoadedFileName, path);
    QVERIFY(path.find("\xE5\x9B\xB3\xE9\x9D\xA2/") != std::string::npos);
    QCOMPARE(shown.Window.Edit1->text(), shown.DrawingFolder() + QStringLiteral("/図面/平面.jww"));

    // The next open dialog starts in that folder with that file.
    shown.Services.OpenAnswers.push_back(std::nullopt);
    QTest::mouseClick(shown.Window.Button1, Qt::LeftButton);
    QCOMPARE(shown.Services.DialogSettings.size(), std::size_t{2});
    QCOMPARE(PathFromOs(shown.Services.DialogSettings[1].InitialFolder),
             shown.DrawingFolder() + QStringLiteral("/図面/"));
    QCOMPARE(PathFromOs(shown.Services.DialogSettings[1].FileName), QStringLiteral("平面.jww"));
}

void TEditingTest::TypedCellsAreNormalisedWhenTheCurrentCellMoves()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing));
    TMainWindow& w = shown.Window;
    TGridView& colors = *w.StringGrid3;

    // Tab leaves the cell for the next one to the right.
    TypeIntoCell(w, colors, ScreenColorCol, 3, QStringLiteral("abc"));
    QTest::keyClick(OpenEditor(colors), Qt::Key_Tab);
    QCOMPARE(ShownText(colors, ScreenColorCol, 3), QStringLiteral("0"));
    QCOMPARE(colors.currentIndex(), colors.Model().IndexOfCell(ScreenSwatchCol, 3));

    // Down leaves it for the one below.
    TypeIntoCell(w, colors, ScreenWidthCol, 3, QStringLiteral("1001"));
    QTest::keyClick(OpenEditor(colors), Qt::Key_Down);
    QCOMPARE(ShownText(colors, ScreenWidthCol, 3), QStringLiteral("1000"));
    QCOMPARE(colors.currentIndex(), colors.Model().IndexOfCell(ScreenWidthCol, 4));

    // A click elsewhere leaves it too.
    TypeIntoCell(w, colors, PointRadiusCol, 5, QStringLiteral("1e2"));
    ClickCell(colors, ColorNameCol, 9);
    QCOMPARE(ShownText(colors, PointRadiusCol, 5), QStringLiteral("100"));
    QVERIFY(!OpenEditor(colors));

    // A name is cut to 256 bytes, not split inside a double-byte character.
    TypeIntoCell(w, colors, ColorNameCol, 9, QString(255, QLatin1Char('a')) + QStringLiteral("図"));
    QTest::keyClick(OpenEditor(colors), Qt::Key_Tab);
    QCOMPARE(ShownText(colors, ColorNameCol, 9), QString(255, QLatin1Char('a')));

    TGridView& lineTypes = *w.StringGrid4;
    TypeIntoCell(w, lineTypes, PatternCol, 2, QStringLiteral("ff"));
    QTest::keyClick(OpenEditor(lineTypes), Qt::Key_Tab);
    QCOMPARE(ShownText(lineTypes, PatternCol, 2), QStringLiteral("000000FF"));
    TypeText(&lineTypes, QStringLiteral("1"));
    QTest::keyClick(OpenEditor(lineTypes), Qt::Key_Down);  // out of the dots per unit cell
    TypeIntoCell(w, lineTypes, SegmentCountCol, 2, QStringLiteral("3"));
    QTest::keyClick(OpenEditor(lineTypes), Qt::Key_Tab);
    QCOMPARE(ShownText(lineTypes, SegmentCountCol, 2), QStringLiteral("4"));
    for (int pitch = 4; pitch < 8; ++pitch)
        QCOMPARE(ShownText(lineTypes, FirstPitchCol + pitch, 2), QStringLiteral("0"));
    // The line-type table has a remembered cell of its own: the colour table's stays put.
    QCOMPARE(w.Form1.LastCol, ColorNameCol + 1);
    QCOMPARE(w.Form1.LastRow, 9);
}

void TEditingTest::FirstThreeTablesShareTheColourTablesHandler()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing));
    TMainWindow& w = shown.Window;
    TypeIntoCell(w, *w.StringGrid3, ScreenColorCol, 5, QStringLiteral("$FF"));
    // Another tab takes the editor's text without a selection event.
    w.PageControl1->setCurrentWidget(w.StringGrid1->parentWidget());
    QCOMPARE(w.Form1.StringGrid3.Cell(ScreenColorCol, 5), std::string("$FF"));
    QCOMPARE(w.StringGrid3->currentIndex(), w.StringGrid3->Model().IndexOfCell(ScreenColorCol, 5));
    ClickCell(*w.StringGrid1, NamesCountCol, 4);
    QCOMPARE(ShownText(*w.StringGrid3, ScreenColorCol, 5), QStringLiteral("255"));
    QCOMPARE(w.Form1.LastCol, NamesCountCol);
    QCOMPARE(w.Form1.LastRow, 4);
    // Layer-group names are never cut while editing.
    TypeIntoCell(w, *w.StringGrid1, NameCol, 2, QString(300, QLatin1Char('n')));
    QTest::keyClick(OpenEditor(*w.StringGrid1), Qt::Key_Down);
    QCOMPARE(ShownText(*w.StringGrid1, NameCol, 2), QString(300, QLatin1Char('n')));
}

void TEditingTest::SwatchesShowTheColourCells()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing));
    TMainWindow& w = shown.Window;
    TGridView& colors = *w.StringGrid3;
    w.PageControl1->setCurrentWidget(colors.parentWidget());
    // Away from rows 1 and 2, so the selection paints over neither.
    ClickCell(colors, ColorNameCol, 6);

    const auto swatch = [&](int col, int row) {
        const QImage image = colors.viewport()->grab().toImage();
        return image.pixelColor(colors.visualRect(colors.Model().IndexOfCell(col, row)).center());
    };
    QCOMPARE(swatch(ScreenSwatchCol, 1), QColor(255, 0, 0));
    QCOMPARE(swatch(PrintSwatchCol, 1), QColor(0, 0, 255));

    // A typed colour shows as soon as the cell is left; a text that is no number paints black.
    TypeIntoCell(w, colors, ScreenColorCol, 2, QStringLiteral("65280"));
    QTest::keyClick(OpenEditor(colors), Qt::Key_Down);
    QCOMPARE(swatch(ScreenSwatchCol, 2), QColor(0, 255, 0));
    TypeIntoCell(w, colors, PrintColorCol, 2, QStringLiteral("green"));
    ClickCell(colors, ColorNameCol, 6);
    QCOMPARE(swatch(PrintSwatchCol, 2), QColor(0, 0, 0));
    // Other cells are painted as usual.
    QCOMPARE(swatch(ScreenWidthCol, 1), colors.palette().color(QPalette::Base));
}

void TEditingTest::DoubleClickOnAColourOpensTheColourDialog()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing));
    TMainWindow& w = shown.Window;
    TGridView& colors = *w.StringGrid3;
    w.PageControl1->setCurrentWidget(colors.parentWidget());

    shown.Services.ColorAnswers.push_back(0xFF0000);
    DoubleClickCell(colors, ScreenSwatchCol, 1);
    QCOMPARE(shown.Services.ColorDialogColors, std::vector<int32_t>{255});
    QCOMPARE(ShownText(colors, ScreenColorCol, 1), QStringLiteral("16711680"));
    QVERIFY(!OpenEditor(colors));

    // Cancelled: nothing changes.
    DoubleClickCell(colors, PrintColorCol, 1);
    QCOMPARE(shown.Services.ColorDialogColors.size(), std::size_t{2});
    QCOMPARE(shown.Services.ColorDialogColors[1], 0xFF0000);
    QCOMPARE(ShownText(colors, PrintColorCol, 1), QStringLiteral("16711680"));
    QVERIFY(!OpenEditor(colors));
}

void TEditingTest::DoubleClickElsewhereEditsTheCell()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing));
    TGridView& colors = *shown.Window.StringGrid3;
    shown.Window.PageControl1->setCurrentWidget(colors.parentWidget());
    DoubleClickCell(colors, ColorNameCol, 1);
    QVERIFY(shown.Services.ColorDialogColors.empty());
    QLineEdit* editor = OpenEditor(colors);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("赤線"));
}

void TEditingTest::UnhandledErrorIsShownAndTheWindowGoesOn()
{
    TShownWindow shown;
    const std::string path = WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), NameTheDrawing);
    shown.Services.OpenFailure = "cannot open " + path;
    QString title;
    QString text;
    AnswerNextModal([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    QTest::mouseClick(shown.Window.Button1, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Zelvane"));
    QCOMPARE(text, QStringLiteral("cannot open ") + PathFromOs(path));

    shown.Services.OpenFailure.clear();
    shown.OpenDrawing(path);
    QCOMPARE(ShownText(*shown.Window.StringGrid1, NameCol, 4), QStringLiteral("配管"));
}

QTEST_MAIN(TEditingTest)
#include "editing_test.moc"
