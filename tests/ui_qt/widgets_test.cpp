// The Qt window as a user meets it: its frame, the table model over the logic's cells, the
// desktop services, and a drawing opened, edited through the grids and saved.
#include <QtWidgets>
#include <QtTest>

#include "tables/TableFrames.h"
#include "testing/DrawingGenerator.h"
#include "tests/support/ImageDrawing.h"
#include "tests/support/JwwBuilder.h"
#include "ui/Messages.h"
#include "ui/qt/DisplayText.h"
#include "ui/qt/MainWindow.h"

namespace {

using TAnswer = std::optional<std::string>;

// Qt's services with the dialogs answered in order, a path or a colour as text (none left:
// cancelled), questions answered alike, what the window shows or hands on recorded, and the
// program in a folder of its own.
class TScriptedServices : public TQtDesktopServices {
public:
    explicit TScriptedServices(const QString& folder) : Folder(PathToOs(folder)) {}
    void ShowBox(std::string_view text, std::string_view caption, TMessageKind) override
    {
        Messages << TextFromCp932(caption) + QStringLiteral(": ") + TextFromCp932(text) +
                        (ShownBehind ? QStringLiteral(" over ") + ShownBehind() : QString());
    }
    bool AskBox(std::string_view text, std::string_view caption) override
    {
        Messages << TextFromCp932(caption) + QStringLiteral("? ") + TextFromCp932(text);
        return DiscardEdits;
    }
    TAnswer OpenDialog(const TFileDialogSettings& settings) override
    {
        // A drawing that exists but cannot be read makes the logic raise; this stands for it.
        if (!OpenFailure.empty())
            throw EJwwIOError(OpenFailure);
        return SaveDialog(settings);
    }
    TAnswer SaveDialog(const TFileDialogSettings& settings) override
    {
        Dialogs.push_back(settings);
        return Next();
    }
    std::optional<int32_t> ColorDialog(int32_t initialColor) override
    {
        Messages << QStringLiteral("colour %1").arg(initialColor);
        const TAnswer answer = Next();
        return answer ? std::optional(std::stoi(*answer)) : std::nullopt;
    }
    TAnswer Next() { return Asked < Answers.size() ? Answers[Asked++] : std::nullopt; }
    void ShellOpen(const std::string& path) override { Messages << PathFromOs(path); }
    std::string ExecutablePath() override { return Folder + "/zelvane"; }
    std::string UserCacheFolder() override { return Folder + "/cache/"; }
    std::string OpenFailure;
    bool DiscardEdits = true;  // the answer to every question
    std::function<QString()> ShownBehind;  // what the window shows as a box appears
    std::vector<TAnswer> Answers;
    std::size_t Asked = 0;
    QStringList Messages;  // "caption: text", "colour <initial colour>", or a path shell-opened
    std::vector<TFileDialogSettings> Dialogs;
    std::string Folder;
};

// The text shown in a table cell, and the editor open on a grid (closed ones linger hidden).
QString ShownText(const TGridView& grid, int col, int row)
{
    return grid.Model().IndexOfCell(col, row).data().toString();
}
QLineEdit* OpenEditor(TGridView& grid)
{
    for (QLineEdit* editor : grid.viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// Key presses carrying the characters, Japanese ones as an input method delivers them.
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs answer on the next modal window once it is shown; answer must close it.
void AnswerNextModal(const std::function<void(QWidget& modal)>& answer)
{
    QTimer::singleShot(10, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
            answer(*modal);
        else
            AnswerNextModal(answer);
    });
}

// 配管 (layer group 3), 平面図 (layer 17), 赤線 (colour 1) and 一点鎖線 (line type 2).
void NameTheDrawing(TJwwDocument& doc)
{
    doc.LayerGroupTable.at(3).Name = "\x94\x7A\x8A\xC7";
    doc.LayerTable.at(17).Name = "\x95\xBD\x96\xCA\x90\x7D";
    doc.ColorExTable.at(1) = {255, 1, "\x90\xD4\x90\xFC", 0xFF0000, 1, 0.5};
    doc.LineTypeExTable.at(2).Name = "\x88\xEA\x93\x5F\x8D\xBD\x90\xFC";
}

// The window shown and active (an editor commits when it loses the focus); closing shuts down.
struct TShownWindow {
    TShownWindow() : Services(Program.path()), Window(Services)
    {
        Window.show();
        Window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window));
    }
    ~TShownWindow() { Window.close(); }

    // Writes a generated drawing, changed by edit, and opens it with "ファイル名"; its path.
    std::string OpenDrawing(const QString& name, const std::function<void(TJwwDocument&)>& edit)
    {
        const auto doc = std::make_unique<TJwwDocument>();
        GenerateDrawing(*doc, {.Version = 700, .Images = false});
        edit(*doc);
        const std::string path = PathToOs(Drawings.filePath(name));
        [&] { QVERIFY(SaveJww(*doc, path, 700)); }();
        Services.Answers.push_back(path);
        QTest::mouseClick(Window.Button1, Qt::LeftButton);
        return path;
    }

    // Shows the grid's tab and clicks the cell, or double-clicks it through the window system.
    void ClickCell(TGridView& grid, int col, int row, bool twice = false)
    {
        Window.PageControl1->setCurrentWidget(grid.parentWidget());
        const QModelIndex index = grid.Model().IndexOfCell(col, row);
        grid.scrollTo(index);
        const QPoint at = grid.visualRect(index).center();
        if (twice)
            QTest::mouseDClick(Window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                               grid.viewport()->mapTo(&Window, at));
        else
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // Types into the cell (the first key opens the editor), and leaves it with a key if given.
    void TypeIntoCell(TGridView& grid, int col, int row, const QString& text, Qt::Key leave = {})
    {
        ClickCell(grid, col, row);
        TypeText(&grid, text.left(1));
        QLineEdit* editor = OpenEditor(grid);
        QVERIFY(editor);
        TypeText(editor, text.mid(1));
        if (leave)
            QTest::keyClick(editor, leave);
    }

    QTemporaryDir Program;
    QTemporaryDir Drawings;
    TScriptedServices Services;
    TMainWindow Window;
};

}  // namespace

class TWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void TheWindowsFrameAndFont();
    void TablesShowTheirFrames();
    void TheTempFolderComesAndGoesWithTheWindow();
    void TheModelFollowsQtsRulesAndKeepsUnchangedBytes();
    void TheServicesMessageBoxesAndDialogs();
    void TypedCellsSwatchesAndTheColourDialog();
    void DrawingsOpenDecodedAndSaveAsCodePage932OrTheirUntouchedBytes();
    void TwoWindowsEachSaveTheirOwnImages();
    void DrawingsFromTheDesktopAndWhatTheWindowShowsBehindEachMessage();
};

void TWidgetsTest::TheWindowsFrameAndFont()
{
    TShownWindow shown;
    TMainWindow& w = shown.Window;
    // The title shows "*" while cells are edited and unsaved, and nothing in its place now.
    QCOMPARE(w.windowTitle(), QStringLiteral("Zelvane Ver.1.02[*]"));
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.frameGeometry(), QRect(194, 109, 724, 480));
    QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());
    // The tabs fill what lies between the top bar and the status bar.
    QCOMPARE(QList<int>({w.Panel1->height(), w.StatusBar1->height(), w.PageControl1->y(),
                         w.PageControl1->height() + 33 + 19 - w.height()}),
             QList<int>({33, 19, 33, 0}));
    QCOMPARE(QList<QRect>({w.Button1->geometry(), w.Edit1->geometry(), w.Button2->geometry(),
                           w.Button3->geometry()}),
             QList<QRect>({{8, 4, 89, 25}, {104, 4, 441, 24}, {552, 4, 73, 25}, {632, 4, 75, 25}}));
    QVERIFY(w.Edit1->isReadOnly() && w.Button1->parentWidget() == w.Panel1);
    // The status bar's button lies at the bar's right end, as far from its top as from its
    // bottom, and its caption keeps clear of its sides in whichever font it got.
    const QRect bar = w.StatusBar1->rect();
    const QRect button = w.PreviewButton->geometry();
    QVERIFY(bar.contains(button));
    QCOMPARE(button.top(), bar.bottom() - button.bottom());
    QVERIFY(button.right() >= bar.right() - 4);
    const QFontMetrics caption(w.PreviewButton->font());
    QVERIFY(caption.horizontalAdvance(w.PreviewButton->text()) + 2 * 4 <= button.width());
    QVERIFY(caption.height() <= button.height() - 2);
    QCOMPARE(w.Button1->text() + w.Button2->text() + w.Button3->text(),
             QStringLiteral("ファイル名別名保存JWW起動"));
    // Whichever Japanese font is installed draws the captions at 16 pixels.
    QCOMPARE(w.font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    const QFontInfo used(w.Button1->font());
    QCOMPARE(used.pixelSize(), 16);
    for (const QChar c : QStringLiteral("ファイル名別名保存起動線色種ﾕﾆｯﾄ"))
        QVERIFY2(QFontMetrics(QFont(used.family())).inFont(c), qPrintable(used.family()));
}

void TWidgetsTest::TablesShowTheirFrames()
{
    // Tab caption, corner and column headers; widths of all columns; first and last row numbers.
    const std::tuple<TGridView* TMainWindow::*, QString, QList<int>, QString> tables[] = {
        {&TMainWindow::StringGrid1, QStringLiteral("レイヤグループ名|No.|レイヤグループ名|要素数"),
         {28, 590, 62}, "  0 15"},
        {&TMainWindow::StringGrid2, QStringLiteral("レイヤ名|No.|レイヤ名|要素数"), {28, 590, 62},
         "  0255"},
        {&TMainWindow::StringGrid3,
         QStringLiteral("SXF対応拡張線色|No.|線色名|画面色||画面線幅|印刷色||印刷線幅|点半径|要素数"),
         {28, 138, 80, 24, 80, 80, 22, 80, 80, 62}, "  1256"},
        {&TMainWindow::StringGrid4,
         QStringLiteral("SXF対応拡張線種|No.|線種名|パターン|1ﾕﾆｯﾄのﾄﾞｯﾄ数|画面ピッチ|印刷ピッチ|"
                        "セグメント数|P0|P1|P2|P3|P4|P5|P6|P7|要素数"),
         {28, 138, 80, 80, 82, 82, 72, 38, 36, 36, 36, 34, 34, 34, 32, 58}, "  1 32"},
    };
    TShownWindow shown;
    QTabWidget& tabs = *shown.Window.PageControl1;
    for (int tab = 0; tab < 4; ++tab) {
        const auto& [gridOfWindow, captions, widths, numbers] = tables[tab];
        TGridView& grid = *(shown.Window.*gridOfWindow);
        const TCellTableModel& model = grid.Model();
        QCOMPARE(tabs.widget(tab), grid.parentWidget());
        QString shownCaptions = tabs.tabText(tab) + QLatin1Char('|') + model.CornerText();
        QList<int> shownWidths{grid.verticalHeader()->width()};
        // A column is wider than its width only where the font needs more for the header.
        const QHeaderView& top = *grid.horizontalHeader();
        const int margins = 2 * top.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &top);
        for (int col = 0; col < model.columnCount(); ++col) {
            const QString header = model.headerData(col, Qt::Horizontal).toString();
            shownCaptions += QLatin1Char('|') + header;
            const int textWidth = top.fontMetrics().horizontalAdvance(header) + margins;
            const int width = top.sectionSize(col);
            QVERIFY2(width >= textWidth, qPrintable(header));
            shownWidths << (width > widths[col + 1] && width <= textWidth + 1 ? widths[col + 1]
                                                                             : width);
        }
        QCOMPARE(shownCaptions, captions);
        QCOMPARE(shownWidths, widths);
        QCOMPARE(model.headerData(0, Qt::Vertical).toString() +
                     model.headerData(model.rowCount() - 1, Qt::Vertical).toString(),
                 numbers);
        QCOMPARE(grid.currentIndex(), model.index(0, 0));  // the first data cell
    }
}

void TWidgetsTest::TheTempFolderComesAndGoesWithTheWindow()
{
    // A folder of the window's own in TEMP, made at show and removed at close with TEMP when
    // that is empty; a file in the place of TEMP sends the images to the cache.
    QTemporaryDir program;
    TScriptedServices services(program.path());
    const QString folder = program.filePath(QStringLiteral("TEMP"));
    for (int round = 0; round < 3; ++round) {
        if (round == 2)
            QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
        TMainWindow window(services);
        window.show();
        const QString own = PathFromOs(TempImageFolder);
        QVERIFY2(own.startsWith(round < 2 ? folder + QStringLiteral("/window-")
                                          : program.filePath("cache/zelvane/TEMP/window-")),
                 qPrintable(own));
        QCOMPARE(QFileInfo(own).permissions() & 0x7777,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                     QFile::WriteUser | QFile::ExeUser);
        if (round == 1)
            QVERIFY(QFile(folder + QStringLiteral("/other")).open(QIODevice::WriteOnly));
        window.close();
        QVERIFY(!QFileInfo::exists(own));
        QCOMPARE(QDir(folder).exists(), round == 1);
    }
}

void TWidgetsTest::TheModelFollowsQtsRulesAndKeepsUnchangedBytes()
{
    TCellTable table = NewTable(TTableKind::Layers);
    TCellTableModel model(table, [&table](int col, int row, const std::string& text) {
        table.TypeCell(col, row, text);
    });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // Half-width ｶﾅ, NEC ①, IBM ⅰ, the Windows wave dash and 0x7F, which some tables swap.
    table.SetCell(NameCol, 1, "\xB6\xC5\x87\x40\xFA\x40\x81\x60\x7F");
    QCOMPARE(model.index(0, 0).data(Qt::EditRole).toString(), QStringLiteral("ｶﾅ①ⅰ～\x7F"));
    // Typed text is stored as code page 932, with "?" for what it cannot hold, and reported.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(1, 0), QStringLiteral("配管①ｱ✓😀\x7F")));
    QCOMPARE(table.Cell(NameCol, 2), std::string("\x94\x7A\x8A\xC7\x87\x40\xB1??\x7F"));
    // An editor closed without a change leaves bytes that show as something else untouched: no
    // code page 932, a lead byte at the end, IBM duplicates of NEC and NEC-selected IBM ones.
    for (const std::string stored : {"A\x81\x30" "B\x85\x40", "\x82\xA0\x82", "\xFA\x4A\xFA\x5B",
                                     "\xED\x40\xEE\xF9"}) {
        table.SetCell(NameCol, 7, stored);
        const QModelIndex item = model.index(6, 0);
        QVERIFY(model.setData(item, item.data(Qt::EditRole)));
        QCOMPARE(table.Cell(NameCol, 7), stored);
        QVERIFY(model.setData(item, item.data().toString() + QLatin1Char('x')));
        QCOMPARE(table.Cell(NameCol, 7), TextToCp932(TextFromCp932(stored)) + "x");
    }
    QCOMPARE(changed.count(), 5);  // once for each text that changed
}

void TWidgetsTest::TheServicesMessageBoxesAndDialogs()
{
    TQtDesktopServices services;
    for (const auto& [caption, kind, icon] :
         {std::tuple(CaptionWarning, TMessageKind::Warning, QMessageBox::Warning),
          std::tuple(CaptionInformation, TMessageKind::Information, QMessageBox::Information)}) {
        QString shown;
        AnswerNextModal([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            QVERIFY(box && box->buttons().size() == 1 && box->icon() == icon);
            shown = box->windowTitle() + QLatin1Char(' ') + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        services.ShowMessageBox(MsgSaveFailed, caption, kind);
        QCOMPARE(shown, TextFromCp932(caption) + QStringLiteral(" ファイル保存に失敗しました。\n"
                                                                  "ディスクの空き容量や書込可能状態か等を確認して下さい。"));
    }
    // The save dialog adds ".jww" to a name typed without it, and only then asks whether the
    // existing file may be replaced.
    QTemporaryDir folder;
    QFile existing(folder.filePath(QStringLiteral("図面.jww")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    bool asked = false;
    AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("JWWデータ(*.jww)")});
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("図面"));
        AnswerNextModal([&](QWidget& question) {
            asked = true;
            qobject_cast<QMessageBox*>(&question)->button(QMessageBox::Yes)->click();
        });
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    const TFileDialogSettings settings{PathToOs(folder.path()) + "/", "x.jww",
                                       std::string(SaveDialogFilter), "jww", true};
    QCOMPARE(services.SaveDialog(settings), std::optional(PathToOs(existing.fileName())));
    QVERIFY(asked);
    // Colours go in and out with red in the lowest byte.
    AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QColorDialog*>(&modal);
        const QColor initial = dialog->currentColor();
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
        QCOMPARE(initial, QColor(255, 0, 0));
    });
    QCOMPARE(services.ColorDialog(255), std::optional<int32_t>(0x563412));
    // The cache folder follows the desktop's rules; a relative one does not count.
    const QByteArray cache = qgetenv("XDG_CACHE_HOME"), home = qgetenv("HOME");
    qputenv("XDG_CACHE_HOME", "/var/\xE7\x94\xA8");
    qputenv("HOME", "/home/\xE7\x94\xA8");
    const std::string absolute = services.UserCacheFolder();
    qputenv("XDG_CACHE_HOME", "relative");
    QCOMPARE(absolute + services.UserCacheFolder(),
             std::string("/var/\xE7\x94\xA8//home/\xE7\x94\xA8/.cache/"));
    qputenv("XDG_CACHE_HOME", cache);
    qputenv("HOME", home);
}

void TWidgetsTest::TypedCellsSwatchesAndTheColourDialog()
{
    TShownWindow shown;
    shown.OpenDrawing(QStringLiteral("a.jww"), NameTheDrawing);
    TMainWindow& w = shown.Window;
    TGridView& colors = *w.StringGrid3;
    // Tab leaves a cell for the next one, Down for the one below; so does a click elsewhere. A
    // name is cut to 256 bytes, not inside a double-byte character.
    shown.TypeIntoCell(colors, ScreenColorCol, 3, QStringLiteral("abc"), Qt::Key_Tab);
    QCOMPARE(colors.currentIndex(), colors.Model().IndexOfCell(ScreenSwatchCol, 3));
    shown.TypeIntoCell(colors, ScreenWidthCol, 3, QStringLiteral("1001"), Qt::Key_Down);
    QCOMPARE(colors.currentIndex(), colors.Model().IndexOfCell(ScreenWidthCol, 4));
    shown.TypeIntoCell(colors, PointRadiusCol, 5, QStringLiteral("1e2"));
    shown.TypeIntoCell(colors, ColorNameCol, 9, QString(255, 'a') + u'図', Qt::Key_Tab);
    QCOMPARE(ShownText(colors, ScreenColorCol, 3) + ShownText(colors, ScreenWidthCol, 3) +
                 ShownText(colors, PointRadiusCol, 5) + ShownText(colors, ColorNameCol, 9),
             QStringLiteral("01000100") + QString(255, 'a'));
    // The line-type table has a cell of its own: the colour table's stays put.
    shown.TypeIntoCell(*w.StringGrid4, SegmentCountCol, 2, QStringLiteral("3"), Qt::Key_Tab);
    QCOMPARE(ShownText(*w.StringGrid4, SegmentCountCol, 2), QStringLiteral("4"));
    QCOMPARE(std::tuple(w.Form1.LastCol, w.Form1.LastRow), std::tuple(ScreenColorCol, 9));
    // Another tab takes an editor's text without a selection event, the grid keeping its cell;
    // a click in the layer-group table then normalises the colour cell, whose handler it shares.
    shown.TypeIntoCell(colors, ScreenColorCol, 5, QStringLiteral("$FF"));
    w.PageControl1->setCurrentWidget(w.StringGrid1->parentWidget());
    QCOMPARE(w.Form1.StringGrid3.Cell(ScreenColorCol, 5), std::string("$FF"));
    QCOMPARE(colors.currentIndex(), colors.Model().IndexOfCell(ScreenColorCol, 5));
    shown.ClickCell(*w.StringGrid1, NamesCountCol, 4);
    QCOMPARE(ShownText(colors, ScreenColorCol, 5), QStringLiteral("255"));
    // Swatches show the colour cells, a typed one as soon as it is left; no number paints black.
    const auto swatch = [&](int col, int row) {
        shown.ClickCell(colors, ColorNameCol, 6);  // so that the selection paints over no swatch
        const QImage image = colors.viewport()->grab().toImage();
        return image.pixelColor(colors.visualRect(colors.Model().IndexOfCell(col, row)).center());
    };
    shown.TypeIntoCell(colors, ScreenColorCol, 2, QStringLiteral("65280"), Qt::Key_Down);
    shown.TypeIntoCell(colors, PrintColorCol, 2, QStringLiteral("green"));
    QCOMPARE(QList<QColor>({swatch(ScreenSwatchCol, 1), swatch(PrintSwatchCol, 1),
                            swatch(ScreenSwatchCol, 2), swatch(PrintSwatchCol, 2),
                            swatch(ScreenWidthCol, 1)}),
             QList<QColor>({Qt::red, Qt::blue, Qt::green, Qt::black,
                            colors.palette().color(QPalette::Base)}));
    // A double-click on a colour or its swatch opens the colour dialog and no editor, which would
    // write its old text over the chosen colour; cancelled, nothing changes. Elsewhere it edits.
    shown.Services.Answers.push_back("16711680");
    shown.ClickCell(colors, ScreenSwatchCol, 1, true);
    shown.ClickCell(colors, PrintColorCol, 1, true);
    QVERIFY(!OpenEditor(colors));
    shown.ClickCell(colors, ColorNameCol, 1, true);
    QCOMPARE(OpenEditor(colors) ? OpenEditor(colors)->text() : QString(), QStringLiteral("赤線"));
    QCOMPARE(shown.Services.Messages, (QStringList{"colour 255", "colour 16711680"}));
    QCOMPARE(ShownText(colors, ScreenColorCol, 1) + ShownText(colors, PrintColorCol, 1),
             QStringLiteral("1671168016711680"));
}

void TWidgetsTest::DrawingsOpenDecodedAndSaveAsCodePage932OrTheirUntouchedBytes()
{
    // An error that a handler does not handle is shown, and the window goes on.
    TShownWindow shown;
    shown.Services.OpenFailure = "cannot open /tmp/\xE5\x9B\xB3.jww";
    QString box;
    AnswerNextModal([&](QWidget& modal) {
        box = modal.windowTitle() + ' ' + qobject_cast<QMessageBox*>(&modal)->text();
        modal.close();
    });
    QTest::mouseClick(shown.Window.Button1, Qt::LeftButton);
    QCOMPARE(box, QStringLiteral("Zelvane cannot open /tmp/図.jww"));
    shown.Services.OpenFailure.clear();
    // Bytes of no code page 932 character, and 図 with an IBM extension that Unicode takes back
    // to its NEC twin, in a drawing whose path is the system's bytes, UTF-8 here.
    const std::string undecodable = "A\x81\x30" "B\x85\x40", duplicate = "\x90\x7D\xFA\x4A";
    const QString name = QStringLiteral("図面/平面.jww");
    QVERIFY(QDir(shown.Drawings.path()).mkdir(QStringLiteral("図面")));
    const std::string opened = shown.OpenDrawing(name, [&](TJwwDocument& doc) {
        NameTheDrawing(doc);
        doc.LayerTable.at(5).Name = doc.ColorExTable.at(7).Name = undecodable;
        doc.LineTypeExTable.at(3).Name = duplicate;
    });
    TMainWindow& w = shown.Window;
    QVERIFY(opened.find("\xE5\x9B\xB3\xE9\x9D\xA2/") != std::string::npos);
    QCOMPARE(w.Edit1->text(), shown.Drawings.filePath(name));
    QCOMPARE(ShownText(*w.StringGrid1, NameCol, 4) + ShownText(*w.StringGrid2, NameCol, 18) +
                 ShownText(*w.StringGrid3, ColorNameCol, 1) +
                 ShownText(*w.StringGrid4, LineTypeNameCol, 2),
             QStringLiteral("配管平面図赤線一点鎖線"));
    // Editors opened with F2 and left untyped keep the bytes; what code page 932 lacks gets "?".
    for (const auto& [grid, col, row] : {std::tuple(w.StringGrid2, +NameCol, 6),
                                         std::tuple(w.StringGrid3, +ColorNameCol, 7),
                                         std::tuple(w.StringGrid4, +LineTypeNameCol, 3),
                                         std::tuple(w.StringGrid1, +NameCol, 4)}) {
        shown.ClickCell(*grid, col, row);
        QTest::keyClick(grid, Qt::Key_F2);
        QVERIFY(OpenEditor(*grid));
        if (grid == w.StringGrid1) {
            OpenEditor(*grid)->selectAll();
            TypeText(OpenEditor(*grid), QStringLiteral("配管✓Ω"));
        }
        QTest::keyClick(OpenEditor(*grid), Qt::Key_Tab);
    }
    QCOMPARE(ShownText(*w.StringGrid1, NameCol, 4), QStringLiteral("配管?Ω"));
    // The save dialog proposes the drawing opened; "JWW起動" hands the saved one to the desktop.
    const std::string path = PathToOs(shown.Drawings.filePath(QStringLiteral("新しい図面.jww")));
    shown.Services.Answers.push_back(path);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    QTest::mouseClick(w.Button3, Qt::LeftButton);
    const TFileDialogSettings& save = shown.Services.Dialogs.at(1);
    QVERIFY(save.InitialFolder + save.FileName == opened && save.ConfirmOverwrite);
    QCOMPARE(shown.Services.Messages, (QStringList{QStringLiteral("情報: ファイル保存を行いました。"),
                                                   PathFromOs(path)}));
    TJwwDocument saved;
    QVERIFY(LoadJww(saved, path));
    QCOMPARE(saved.LayerGroupTable.at(3).Name + saved.LayerTable.at(5).Name +
                 saved.ColorExTable.at(7).Name + saved.LineTypeExTable.at(3).Name,
             "\x94\x7A\x8A\xC7?\x83\xB6" + undecodable + undecodable + duplicate);
}

void TWidgetsTest::TwoWindowsEachSaveTheirOwnImages()
{
    // Two windows of one program, so with one shared temp folder; images of one name.
    QTemporaryDir program, drawings;
    const auto path = [&](const char* name) { return PathToOs(drawings.filePath(name)); };
    QVERIFY(SaveDrawingWithImage(path("a.jww"), "A.BMP", std::string(5000, 'a'), path("a/")));
    QVERIFY(SaveDrawingWithImage(path("b.jww"), "A.BMP", std::string(7000, 'b'), path("b/")));
    const auto endsWithImage = [&](const char* name, char byte, int32_t size) {
        QFile file(drawings.filePath(name));
        return file.open(QIODevice::ReadOnly) &&
               file.readAll().endsWith(QByteArray::fromStdString(
                   TJwwBuilder().Int(size).Bytes() + std::string(std::size_t(size), byte)));
    };
    TScriptedServices services1(program.path()), services2(program.path());
    TMainWindow window1(services1);
    auto window2 = std::make_unique<TMainWindow>(services2);
    window1.show();
    window2->show();
    services1.Answers = {path("a.jww"), path("a2.jww"), path("a3.jww")};
    services2.Answers = {path("b.jww"), path("b2.jww")};
    QTest::mouseClick(window1.Button1, Qt::LeftButton);
    QTest::mouseClick(window2->Button1, Qt::LeftButton);
    QTest::mouseClick(window1.Button2, Qt::LeftButton);
    QTest::mouseClick(window2->Button2, Qt::LeftButton);
    QVERIFY(endsWithImage("a2.jww", 'a', 5000));
    QVERIFY(endsWithImage("b2.jww", 'b', 7000));
    // Closing one window leaves the other's images.
    window2->close();
    window2.reset();
    QTest::mouseClick(window1.Button2, Qt::LeftButton);
    QVERIFY(endsWithImage("a3.jww", 'a', 5000));
    const QString saved = QStringLiteral("情報: ファイル保存を行いました。");
    QCOMPARE(services1.Messages, (QStringList{saved, saved}));
    window1.close();
    QVERIFY(!QFileInfo::exists(program.filePath(QStringLiteral("TEMP"))));
}

void TWidgetsTest::DrawingsFromTheDesktopAndWhatTheWindowShowsBehindEachMessage()
{
    TShownWindow shown;
    TMainWindow& w = shown.Window;
    shown.Services.ShownBehind = [&] {
        return w.Edit1->text() + QStringLiteral(" | ") + ShownText(*w.StringGrid1, NameCol, 4);
    };
    const std::string opened = shown.OpenDrawing(QStringLiteral("a.jww"), NameTheDrawing);
    // The table has the focus, so that the keyboard edits the drawing at once.
    QVERIFY(w.StringGrid1->hasFocus());

    // Dropped: a drawing opens as if chosen; any other file is not taken.
    const auto drop = [&](const QString& name) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(shown.Drawings.filePath(name))});
        QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        return enter.isAccepted();
    };
    QFile notes(shown.Drawings.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("notes") == 5);
    notes.close();
    QVERIFY(!drop(QStringLiteral("notes.txt")));
    // A refused drawing empties the window before its warning shows.
    const auto old = std::make_unique<TJwwDocument>();
    GenerateDrawing(*old, {.Version = 700, .Images = false});
    QVERIFY(SaveJww(*old, PathToOs(shown.Drawings.filePath(QStringLiteral("old.JWW"))), 351));
    QVERIFY(drop(QStringLiteral("old.JWW")));
    const QString folder = shown.Drawings.path() + QLatin1Char('/');
    QCOMPARE(shown.Services.Messages.takeLast(),
             QStringLiteral("警告: このJWWデータファイルは、Ver.4.20形式より以前のデータです。 over ") +
                 folder + QStringLiteral(" | "));
    QVERIFY(drop(QStringLiteral("a.jww")));
    QCOMPARE(w.Edit1->text(), PathFromOs(opened));
    // Saved: the box shows over the new name.
    const std::string saved = PathToOs(shown.Drawings.filePath(QStringLiteral("b.jww")));
    shown.Services.Answers.push_back(saved);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    QCOMPARE(shown.Services.Messages.takeLast(),
             QStringLiteral("情報: ファイル保存を行いました。 over ") + PathFromOs(saved) +
                 QStringLiteral(" | 配管"));
    // Named on the command line: the same checks and messages.
    QFile fake(shown.Drawings.filePath(QStringLiteral("fake.jww")));
    QVERIFY(fake.open(QIODevice::WriteOnly) && fake.write("not a drawing") == 13);
    fake.close();
    w.OpenFile(PathToOs(fake.fileName()));
    QCOMPARE(shown.Services.Messages.takeLast(),
             QStringLiteral("警告: このファイルは、Jw_cad for Windows 図面ファイルではありません。 over ") +
                 PathFromOs(saved) + QStringLiteral(" | 配管"));
    QVERIFY(shown.Services.Messages.isEmpty());

    // An edit shows in the title; closing asks, and No keeps the window with its cells.
    shown.TypeIntoCell(*w.StringGrid1, NameCol, 4, QStringLiteral("給水"), Qt::Key_Down);
    QVERIFY(w.isWindowModified());
    shown.Services.DiscardEdits = false;
    w.close();
    QVERIFY(w.isVisible());
    QCOMPARE(shown.Services.Messages,
             QStringList{QStringLiteral("確認? 保存されていない変更があります。破棄しますか？")});
    QCOMPARE(ShownText(*w.StringGrid1, NameCol, 4), QStringLiteral("給水"));
    shown.Services.DiscardEdits = true;
}

QTEST_MAIN(TWidgetsTest)
#include "widgets_test.moc"
