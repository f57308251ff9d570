// The window's frame: caption, place and size, components, tabs, table frames and font, and
// what its start-up and shut-down do to the temp image folder.
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include "jww/jwtype.h"
#include "tests/ui_qt/support/ShownWindow.h"
#include "ui/qt/DisplayText.h"

namespace {

struct TExpectedTable {
    TGridView* TMainWindow::*Grid;
    QString TabCaption;
    QStringList Headers;  // column 0 first
    QList<int> Widths;    // column 0 first
    int DataRows;
    QString FirstNumber;
    QString LastNumber;
};

}  // namespace

class TWindowTest : public QObject {
    Q_OBJECT

private slots:
    void CaptionPlaceAndSize();
    void ComponentsOfTheTopBar();
    void TablesShowTheirFrames();
    void FontIsJapanese();
    void StartUpAndShutDownManageTheTempFolder();
    void StartUpGoesOnWhenTheTempFolderCannotBeCreated();
};

void TWindowTest::CaptionPlaceAndSize()
{
    TShownWindow shown;
    QCOMPARE(shown.Window.windowTitle(), QStringLiteral("Zelvane Ver.1.02"));
    QCOMPARE(shown.Window.frameGeometry(), QRect(194, 109, 724, 480));
    QVERIFY(!shown.Window.windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(shown.Window.Panel1->height(), 33);
    QCOMPARE(shown.Window.Panel1->width(), shown.Window.width());
    QCOMPARE(shown.Window.StatusBar1->height(), 19);
    QCOMPARE(shown.Window.StatusBar1->geometry().bottom(), shown.Window.rect().bottom());
    // The tabs fill what lies between the top bar and the status bar.
    const QRect tabs(shown.Window.PageControl1->mapTo(&shown.Window, QPoint(0, 0)),
                     shown.Window.PageControl1->size());
    QCOMPARE(tabs.top(), 33);
    QCOMPARE(tabs.bottom() + 1, shown.Window.StatusBar1->geometry().top());
    QCOMPARE(tabs.width(), shown.Window.width());
}

void TWindowTest::ComponentsOfTheTopBar()
{
    TShownWindow shown;
    TMainWindow& w = shown.Window;
    QCOMPARE(w.Button1->text(), QStringLiteral("ファイル名"));
    QCOMPARE(w.Button1->geometry(), QRect(8, 4, 89, 25));
    QCOMPARE(w.Edit1->geometry(), QRect(104, 4, 441, 24));
    QVERIFY(w.Edit1->isReadOnly());
    QVERIFY(w.Edit1->text().isEmpty());
    QCOMPARE(w.Button2->text(), QStringLiteral("別名保存"));
    QCOMPARE(w.Button2->geometry(), QRect(552, 4, 73, 25));
    QCOMPARE(w.Button3->text(), QStringLiteral("JWW起動"));
    QCOMPARE(w.Button3->geometry(), QRect(632, 4, 75, 25));
    for (QWidget* child : {static_cast<QWidget*>(w.Button1), static_cast<QWidget*>(w.Edit1),
                           static_cast<QWidget*>(w.Button2), static_cast<QWidget*>(w.Button3)})
        QCOMPARE(child->parentWidget(), w.Panel1);
}

void TWindowTest::TablesShowTheirFrames()
{
    const QList<TExpectedTable> expected{
        {&TMainWindow::StringGrid1, QStringLiteral("レイヤグループ名"),
         {QStringLiteral("No."), QStringLiteral("レイヤグループ名"), QStringLiteral("要素数")},
         {28, 590, 62}, 16, QStringLiteral("  0"), QStringLiteral(" 15")},
        {&TMainWindow::StringGrid2, QStringLiteral("レイヤ名"),
         {QStringLiteral("No."), QStringLiteral("レイヤ名"), QStringLiteral("要素数")},
         {28, 590, 62}, 256, QStringLiteral("  0"), QStringLiteral("255")},
        {&TMainWindow::StringGrid3, QStringLiteral("SXF対応拡張線色"),
         {QStringLiteral("No."), QStringLiteral("線色名"), QStringLiteral("画面色"), QString(),
          QStringLiteral("画面線幅"), QStringLiteral("印刷色"), QString(),
          QStringLiteral("印刷線幅"), QStringLiteral("点半径"), QStringLiteral("要素数")},
         {28, 138, 80, 24, 80, 80, 22, 80, 80, 62}, 256, QStringLiteral("  1"),
         QStringLiteral("256")},
        {&TMainWindow::StringGrid4, QStringLiteral("SXF対応拡張線種"),
         {QStringLiteral("No."), QStringLiteral("線種名"), QStringLiteral("パターン"),
          QStringLiteral("1ﾕﾆｯﾄのﾄﾞｯﾄ数"), QStringLiteral("画面ピッチ"),
          QStringLiteral("印刷ピッチ"), QStringLiteral("セグメント数"), QStringLiteral("P0"),
          QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3"), QStringLiteral("P4"),
          QStringLiteral("P5"), QStringLiteral("P6"), QStringLiteral("P7"),
          QStringLiteral("要素数")},
         {28, 138, 80, 80, 82, 82, 72, 38, 36, 36, 36, 34, 34, 34, 32, 58}, 32,
         QStringLiteral("  1"), QStringLiteral(" 32")},
    };

    TShownWindow shown;
    QTabWidget& tabs = *shown.Window.PageControl1;
    QCOMPARE(tabs.count(), 4);
    QCOMPARE(tabs.currentIndex(), 0);
    QVERIFY(!tabs.widget(0)->rect().isEmpty());
    for (int tab = 0; tab < expected.size(); ++tab) {
        const TExpectedTable& table = expected[tab];
        TGridView& grid = *(shown.Window.*table.Grid);
        const TCellTableModel& model = grid.Model();
        QCOMPARE(tabs.widget(tab), grid.parentWidget());
        tabs.setCurrentIndex(tab);
        QCOMPARE(grid.geometry(), grid.parentWidget()->rect());
        QCOMPARE(tabs.tabText(tab), table.TabCaption);

        QCOMPARE(model.CornerText(), table.Headers[0]);
        QCOMPARE(model.columnCount(), table.Headers.size() - 1);
        for (int col = 1; col < table.Headers.size(); ++col)
            QCOMPARE(model.headerData(col - 1, Qt::Horizontal).toString(), table.Headers[col]);

        QCOMPARE(grid.verticalHeader()->width(), table.Widths[0]);
        for (int col = 1; col < table.Widths.size(); ++col)
            QCOMPARE(grid.horizontalHeader()->sectionSize(col - 1), table.Widths[col]);

        QCOMPARE(model.rowCount(), table.DataRows);
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), table.FirstNumber);
        QCOMPARE(model.headerData(table.DataRows - 1, Qt::Vertical).toString(), table.LastNumber);
        for (int row = 0; row < table.DataRows; ++row)
            for (int col = 0; col < model.columnCount(); ++col)
                QVERIFY(model.index(row, col).data().toString().isEmpty());

        QCOMPARE(grid.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QVERIFY(!grid.horizontalHeader()->sectionsMovable());
        QVERIFY(!grid.verticalHeader()->sectionsMovable());
        QVERIFY(grid.showGrid());
        QCOMPARE(grid.selectionMode(), QAbstractItemView::ContiguousSelection);
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
        // The grids start on their first data cell.
        QCOMPARE(grid.currentIndex(), model.index(0, 0));
    }
}

void TWindowTest::FontIsJapanese()
{
    TShownWindow shown;
    const QFont font = shown.Window.font();
    QCOMPARE(font.pixelSize(), 16);
    QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ ゴシック"));
    // Whichever font is used, it draws the captions' characters.
    const QFontInfo used(shown.Window.Button1->font());
    const QFont resolved(used.family());
    const QFontMetrics metrics(resolved);
    for (const QChar c : QStringLiteral("ファイル名別名保存起動線色種ﾕﾆｯﾄ"))
        QVERIFY2(metrics.inFont(c), qPrintable(used.family() + QStringLiteral(" lacks ") + c));
    QCOMPARE(used.pixelSize(), 16);
}

void TWindowTest::StartUpAndShutDownManageTheTempFolder()
{
    QString tempFolder;
    {
        TShownWindow shown;
        tempFolder = shown.Program.filePath(QStringLiteral("TEMP"));
        QVERIFY(QDir(tempFolder).exists());
        QCOMPARE(PathFromOs(TempImageFolder), tempFolder + QLatin1Char('/'));
        QCOMPARE(PathFromOs(shown.Window.Form1.ProgramDir), shown.Program.path() + QLatin1Char('/'));
    }
    QVERIFY(!QDir(tempFolder).exists());

    // A folder that still holds other files stays, without a word.
    TShownWindow shown;
    QFile other(shown.Program.filePath(QStringLiteral("TEMP/other.bin")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    shown.Window.close();
    QVERIFY(QFile::exists(other.fileName()));
    QVERIFY(shown.Services.Messages.empty());
}

void TWindowTest::StartUpGoesOnWhenTheTempFolderCannotBeCreated()
{
    QTemporaryDir program;
    // A file where the folder would go makes the folder impossible to create.
    QFile blocker(program.filePath(QStringLiteral("TEMP")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TScriptedServices services(program.path());
    TMainWindow window(services);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.Form1.StringGrid1.Cell(0, 1), std::string("  0"));
    QVERIFY(services.Messages.empty());
    window.close();
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
}

QTEST_MAIN(TWindowTest)
#include "window_test.moc"
