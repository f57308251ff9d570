// Saving what the grids show: an edited name goes to the file as code page 932, and a name whose
// bytes are no code page 932 goes there untouched unless it was edited.
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/ui_qt/support/ShownWindow.h"
#include "tests/ui_qt/support/TestDrawings.h"
#include "ui/TableFrames.h"
#include "ui/qt/DisplayText.h"

namespace {

// Bytes of no code page 932 character: a lead byte with a trail byte out of range, and a pair
// in an unassigned row.
const std::string UndecodableName = "A\x81\x30" "B\x85\x40";
// 図 and an IBM extension that Unicode takes back to its NEC twin.
const std::string DuplicateName = "\x90\x7D\xFA\x4A";

void GiveUndecodableNames(TJwwDocument& doc)
{
    doc.LayerTable.at(5).Name = UndecodableName;
    doc.ColorExTable.at(7).Name = UndecodableName;
    doc.LineTypeExTable.at(3).Name = DuplicateName;
}

QLineEdit* OpenEditor(TGridView& grid)
{
    for (QLineEdit* editor : grid.viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// Opens the editor on a cell with F2 and leaves with Tab, without typing anything.
void LookIntoCell(TMainWindow& window, TGridView& grid, int col, int row)
{
    window.PageControl1->setCurrentWidget(grid.parentWidget());
    ClickCell(grid, col, row);
    QTest::keyClick(&grid, Qt::Key_F2);
    QLineEdit* editor = OpenEditor(grid);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Tab);
    QVERIFY(grid.currentIndex() != grid.Model().IndexOfCell(col, row));
}

}  // namespace

class TSaveTest : public QObject {
    Q_OBJECT

private slots:
    void EditedNameOutsideCodePage932IsSavedWithQuestionMarks();
    void NamesThatAreNotEditedAreSavedByteForByte();
    void SavesUnderAPathOfTheSystemsBytes();
};

void TSaveTest::EditedNameOutsideCodePage932IsSavedWithQuestionMarks()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww")));
    TMainWindow& w = shown.Window;
    w.PageControl1->setCurrentWidget(w.StringGrid1->parentWidget());
    ClickCell(*w.StringGrid1, NameCol, 4);
    QTest::keyClick(w.StringGrid1, Qt::Key_F2);
    QLineEdit* editor = OpenEditor(*w.StringGrid1);
    QVERIFY(editor);
    editor->selectAll();
    for (const QChar c : QStringLiteral("配管✓Ω"))
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Down);
    // The grid shows what the table holds from now on.
    QCOMPARE(ShownText(*w.StringGrid1, NameCol, 4), QStringLiteral("配管?Ω"));

    const std::string saved = shown.DrawingPath(QStringLiteral("b.jww"));
    shown.SaveDrawingAs(saved);
    QCOMPARE(shown.Services.Messages.size(), std::size_t{1});
    QCOMPARE(shown.Services.Messages[0].Text, QStringLiteral("ファイル保存を行いました。"));
    QCOMPARE(shown.Services.Messages[0].Caption, QStringLiteral("情報"));
    const auto doc = LoadTestDrawing(saved);
    QCOMPARE(doc->LayerGroupTable.at(3).Name, std::string("\x94\x7A\x8A\xC7?\x83\xB6"));
}

void TSaveTest::NamesThatAreNotEditedAreSavedByteForByte()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww"), GiveUndecodableNames));
    TMainWindow& w = shown.Window;
    QCOMPARE(ShownText(*w.StringGrid2, NameCol, 6), QStringLiteral("A?0B?"));
    LookIntoCell(w, *w.StringGrid2, NameCol, 6);
    LookIntoCell(w, *w.StringGrid3, ColorNameCol, 7);
    LookIntoCell(w, *w.StringGrid4, LineTypeNameCol, 3);
    // The cells beside them are edited and saved as usual.
    w.PageControl1->setCurrentWidget(w.StringGrid3->parentWidget());
    ClickCell(*w.StringGrid3, ScreenWidthCol, 7);
    QTest::keyClicks(w.StringGrid3, QStringLiteral("9"));
    QTest::keyClick(OpenEditor(*w.StringGrid3), Qt::Key_Tab);

    const std::string saved = shown.DrawingPath(QStringLiteral("b.jww"));
    shown.SaveDrawingAs(saved);
    const auto doc = LoadTestDrawing(saved);
    QCOMPARE(doc->LayerTable.at(5).Name, UndecodableName);
    QCOMPARE(doc->ColorExTable.at(7).Name, UndecodableName);
    QCOMPARE(doc->ColorExTable.at(7).ScreenWidth, 9);
    QCOMPARE(doc->LineTypeExTable.at(3).Name, DuplicateName);
}

void TSaveTest::SavesUnderAPathOfTheSystemsBytes()
{
    TShownWindow shown;
    shown.OpenDrawing(WriteTestDrawing(shown.DrawingFolder(), QStringLiteral("a.jww")));
    QVERIFY(QDir(shown.DrawingFolder()).mkdir(QStringLiteral("保存先")));
    const std::string saved = shown.DrawingPath(QStringLiteral("保存先/新しい図面.jww"));
    shown.SaveDrawingAs(saved);
    QVERIFY(QFileInfo(shown.DrawingFolder() + QStringLiteral("/保存先/新しい図面.jww")).isFile());
    QCOMPARE(shown.Window.Edit1->text(), shown.DrawingFolder() + QStringLiteral("/保存先/新しい図面.jww"));
    // The save dialog proposed the opened drawing's folder and name.
    QCOMPARE(shown.Services.DialogSettings.size(), std::size_t{2});
    const TFileDialogSettings& save = shown.Services.DialogSettings[1];
    QCOMPARE(PathFromOs(save.InitialFolder), shown.DrawingFolder() + QLatin1Char('/'));
    QCOMPARE(PathFromOs(save.FileName), QStringLiteral("a.jww"));
    QVERIFY(save.ConfirmOverwrite);
    // "JWW起動" hands the saved file to the desktop.
    QTest::mouseClick(shown.Window.Button3, Qt::LeftButton);
    QCOMPARE(shown.Services.ShellOpened, std::vector<std::string>{saved});
}

QTEST_MAIN(TSaveTest)
#include "save_test.moc"
