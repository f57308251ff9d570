// The preview as a user meets it: shown on request beside an unchanged window, drawing the
// opened drawing, highlighting what a table row counts, and zooming and panning.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "render/ChangeMarks.h"
#include "render/DrawingStyle.h"
#include "render/RenderFilter.h"
#include "tables/TableFrames.h"
#include "testing/DrawingGenerator.h"
#include "text/Cp932.h"
#include "tests/ui_qt/OpeningServices.h"
#include "ui/qt/DisplayText.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/PreviewPane.h"

namespace {

TEntSen Line(double y, uint8_t penStyle, uint16_t penColor, uint16_t group, uint16_t layer)
{
    TEntSen line;
    line.Base = {0, penStyle, penColor, 1, layer, group, 0};
    line.StartX = 0;
    line.EndX = 1000;
    line.StartY = line.EndY = y;
    return line;
}

// A red line on layer 0-1 with line type 31 and, above it, a blue line on layer 2-5 with line
// type 1.
std::vector<TEntSen> TwoLines()
{
    return {Line(0, 31, 8, 0, 1), Line(500, 1, 6, 2, 5)};
}

// A drawing of the lines saved at path, fitted to them.
void SaveLines(const std::string& path, std::vector<TEntSen> lines)
{
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, {.Version = 700, .Images = false});
    static_cast<TEntityCollections&>(*doc) = {};
    for (std::size_t i = 0; i < lines.size(); ++i)
        doc->EntityOrder.push_back({KindSen, static_cast<int32_t>(i)});
    doc->SenList = std::move(lines);
    doc->Header.EntityCount = static_cast<int32_t>(doc->EntityOrder.size());
    doc->Header.Settings0[0] = 99;
    for (TLayerGroup& group : doc->LayerGroupTable)
        group.Value1 = 2;
    for (TLayer& layer : doc->LayerTable)
        layer.Value1 = 2;
    std::string failure;
    QVERIFY2(SaveJww(*doc, path, 700, &failure), failure.c_str());
}

// Records the messages the window shows instead of showing them.
class TRecordingServices : public TOpeningServices {
public:
    void ShowBox(std::string_view text, std::string_view, TMessageKind) override
    {
        Messages.emplace_back(text);
    }
    std::vector<std::string> Messages;
};

// Whether the colour is painted at the widget point or a pixel beside it.
bool PaintedNear(const QImage& image, QPointF at, TRgb rgb)
{
    const QColor wanted(rgb.R, rgb.G, rgb.B);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.pixelColor(at.toPoint() + QPoint(dx, dy)) == wanted)
                return true;
    return false;
}

TRgb Pen(uint16_t penColor)
{
    return StyleOf(JwwDoc).PenOf(penColor).Color;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class TPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void ShownOnRequestDrawingTheOpenedDrawing();
    void RowsOfEveryTableHighlightWhatTheyCount();
    void WheelZoomsAboutThePointerAndDragPans();
    void AClickPicksALineSelectingItsRowAndHoverNamesIt();
    void LargeDrawingsShowTheFrameOfTheirView();
    void AnEditedSxfColourRedrawsItsLine();
    void CompareModeShowsWhatChangedUnderALegend();

private:
    struct TWindow {
        explicit TWindow(const std::vector<TEntSen>& lines = TwoLines())
        {
            Services.Folder = PathToOs(Program.path());
            Services.Drawing = PathToOs(Program.filePath(QStringLiteral("lines.jww")));
            SaveLines(Services.Drawing, lines);
            Window = std::make_unique<TMainWindow>(Services);
            Window->show();
            QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
        }
        ~TWindow() { Window->close(); }

        QTemporaryDir Program;
        TOpeningServices Services;
        std::unique_ptr<TMainWindow> Window;
    };
};

void TPreviewTest::ShownOnRequestDrawingTheOpenedDrawing()
{
    TWindow shown;
    TMainWindow& w = *shown.Window;
    QVERIFY(!w.Preview->isVisible() && !w.PreviewButton->isChecked());
    QCOMPARE(w.PageControl1->count(), 4);
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    QVERIFY(w.Preview->Scene().Primitives.empty());  // drawn only once shown

    w.PreviewButton->click();
    QVERIFY(w.Preview->isVisible() && w.Preview->isWindow());
    QCOMPARE(w.Preview->Scene().Primitives.size(), std::size_t{2});
    const QImage image = w.Preview->grab().toImage();
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 0}), Pen(8)));
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 500}), Pen(6)));
    // Fitted: both ends of the lines lie inside the view.
    QVERIFY(w.Preview->rect().contains(w.Preview->WidgetPoint({0, 0}).toPoint()));
    QVERIFY(w.Preview->rect().contains(w.Preview->WidgetPoint({1000, 500}).toPoint()));

    w.Preview->close();
    QVERIFY(!w.PreviewButton->isChecked());
    // The main window keeps its size.
    QCOMPARE(w.frameGeometry().size(), QSize(724, 480));
}

void TPreviewTest::RowsOfEveryTableHighlightWhatTheyCount()
{
    TWindow shown;
    TMainWindow& w = *shown.Window;
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    w.PreviewButton->click();
    const auto select = [&](TGridView* grid, TTableKind kind, int entry) {
        w.PageControl1->setCurrentWidget(grid->parentWidget());
        const QModelIndex cell = grid->Model().IndexOfCell(1, RowOfEntry(kind, entry));
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->visualRect(cell).center());
        const QImage image = w.Preview->grab().toImage();
        return std::pair(PaintedNear(image, w.Preview->WidgetPoint({500, 0}), Pen(8)),
                         PaintedNear(image, w.Preview->WidgetPoint({500, 500}), Pen(6)));
    };
    QCOMPARE(select(w.StringGrid1, TTableKind::LayerGroups, 2), std::pair(false, true));
    QCOMPARE(select(w.StringGrid2, TTableKind::Layers, 1), std::pair(true, false));
    QCOMPARE(select(w.StringGrid2, TTableKind::Layers, 2 * 16 + 5), std::pair(false, true));
    QCOMPARE(select(w.StringGrid3, TTableKind::Colors, 5), std::pair(false, false));
    QCOMPARE(select(w.StringGrid4, TTableKind::LineTypes, 1), std::pair(true, false));
    // The greyed line is still drawn.
    QVERIFY(PaintedNear(w.Preview->grab().toImage(), w.Preview->WidgetPoint({500, 500}), GreyedRgb));
    QTest::keyClick(w.Preview, Qt::Key_Escape);
    const QImage image = w.Preview->grab().toImage();
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 500}), Pen(6)));
}

void TPreviewTest::AClickPicksALineSelectingItsRowAndHoverNamesIt()
{
    TWindow shown;
    TMainWindow& w = *shown.Window;
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    w.PreviewButton->click();
    const auto click = [&](TGridView* grid, TVec2 at) {
        w.PageControl1->setCurrentWidget(grid->parentWidget());
        QTest::mouseClick(w.Preview, Qt::LeftButton, Qt::NoModifier, w.Preview->WidgetPoint(at).toPoint());
    };
    // Two pixels above the red line on layer 0-1, line type 31.
    const TVec2 nearRed{500, 2 / w.Preview->Scale()};
    click(w.StringGrid2, nearRed);
    QCOMPARE(w.StringGrid2->currentIndex().row() + 1, RowOfEntry(TTableKind::Layers, 1));
    QVERIFY(w.Preview->PickLabel->text().startsWith(QStringLiteral("線  レイヤ 0-1")));
    QVERIFY2(w.Preview->PickLabel->text().contains(QStringLiteral("線色 8  線種 31")), qPrintable(w.Preview->PickLabel->text()));
    // The row's highlight keeps the red line's colours and greys the blue one.
    const QImage image = w.Preview->grab().toImage();
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 0}), Pen(8)));
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 500}), GreyedRgb));

    click(w.StringGrid1, {500, 500});
    QCOMPARE(w.StringGrid1->currentIndex().row() + 1, RowOfEntry(TTableKind::LayerGroups, 2));
    click(w.StringGrid4, nearRed);
    QCOMPARE(w.StringGrid4->currentIndex().row() + 1, RowOfEntry(TTableKind::LineTypes, 1));

    // A name typed into its cell names the picked line at once.
    const QModelIndex name = w.StringGrid2->Model().IndexOfCell(NameCol, RowOfEntry(TTableKind::Layers, 1));
    w.StringGrid2->Model().setData(name, QStringLiteral("躯体"));
    QVERIFY(w.Preview->PickLabel->text().startsWith(QStringLiteral("線  レイヤ 0-1 躯体 (")));
    w.Form1.Modified = false;  // so that closing the window asks nothing

    click(w.StringGrid2, {500, 250});
    QVERIFY(w.Preview->PickLabel->text().isEmpty());
    QVERIFY(PaintedNear(w.Preview->grab().toImage(), w.Preview->WidgetPoint({500, 500}), Pen(6)));

    const QPoint overBlue = w.Preview->WidgetPoint({700, 500}).toPoint();
    QHelpEvent hover(QEvent::ToolTip, overBlue, w.Preview->mapToGlobal(overBlue));
    QApplication::sendEvent(w.Preview, &hover);
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("線  レイヤ 2-5")));
}

void TPreviewTest::WheelZoomsAboutThePointerAndDragPans()
{
    TPreviewPane pane;
    pane.resize(400, 300);
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, {.Version = 700, .Images = false});
    static_cast<TEntityCollections&>(*doc) = {};
    doc->Header.Settings0[0] = 99;
    doc->SenList = {Line(0, 1, 2, 0, 0), Line(500, 1, 2, 0, 0)};
    doc->EntityOrder = {{KindSen, 0}, {KindSen, 1}};
    pane.ShowDrawing(*doc);
    const double fitted = pane.Scale();

    const QPointF pointer(100, 80);
    const TVec2 under = pane.DrawingPoint(pointer);
    QWheelEvent wheel(pointer, pane.mapToGlobal(pointer), {}, {0, 240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&pane, &wheel);
    QCOMPARE(pane.Scale(), fitted * 1.25 * 1.25);
    QCOMPARE(pane.DrawingPoint(pointer).X, under.X);
    QCOMPARE(pane.DrawingPoint(pointer).Y, under.Y);

    const TVec2 centre = pane.Centre();
    SendMouse(&pane, QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton);
    SendMouse(&pane, QEvent::MouseMove, {230, 110}, Qt::LeftButton);
    SendMouse(&pane, QEvent::MouseButtonRelease, {230, 110}, Qt::NoButton);
    QCOMPARE(pane.Centre().X, centre.X - 30 / pane.Scale());
    QCOMPARE(pane.Centre().Y, centre.Y - 40 / pane.Scale());
    SendMouse(&pane, QEvent::MouseMove, {300, 300}, Qt::NoButton);  // no longer dragging
    QCOMPARE(pane.Centre().X, centre.X - 30 / pane.Scale());

    QTest::keyClick(&pane, Qt::Key_Home);
    QCOMPARE(pane.Scale(), fitted);
}

// Frames of a large drawing may be drawn on a thread of their own; whichever way, the pane comes
// to show the frame of the view as it stands, not one of a view it has left.
void TPreviewTest::LargeDrawingsShowTheFrameOfTheirView()
{
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, {.Version = 700, .TargetBytes = 20'000'000, .Images = false});
    TPreviewPane pane;
    pane.resize(640, 480);
    pane.ShowDrawing(*doc);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.grab();
    const auto shownFrame = [&pane] {
        return pane.grab(pane.DrawingRect()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto expectedFrame = [&pane] {
        QImage frame(pane.DrawingSize(), QImage::Format_RGB32);
        pane.PaintFrame(frame);
        return frame;
    };
    pane.Highlight(TRenderFilter{0, 0, {}, {}});
    QTRY_VERIFY_WITH_TIMEOUT(shownFrame() == expectedFrame(), 20000);
    // A view changed twice before its frame is done shows the last one.
    pane.Highlight(TRenderFilter{1, {}, {}, {}});
    pane.grab();
    pane.Highlight(std::nullopt);
    QTRY_VERIFY_WITH_TIMEOUT(shownFrame() == expectedFrame(), 20000);
    QVERIFY(shownFrame() != QImage());
}

// The preview follows the cell once it is left, while the document keeps its colour until a
// save.
void TPreviewTest::AnEditedSxfColourRedrawsItsLine()
{
    TWindow shown({Line(0, 1, 101, 0, 1)});
    TMainWindow& w = *shown.Window;
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    w.PreviewButton->click();
    const int32_t own = w.Form1.Document().ColorExTable.at(1).ScreenColor;
    const int32_t edited = own == 0x123456 ? 0x654321 : 0x123456;
    const auto lineIn = [&](int32_t color) {
        return PaintedNear(w.Preview->grab().toImage(), w.Preview->WidgetPoint({500, 0}),
                           RgbFromDrawing(color));
    };
    QVERIFY(lineIn(own));

    // The editor commits when it loses the focus, which the active window gives.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.PageControl1->setCurrentWidget(w.StringGrid3->parentWidget());
    const QModelIndex cell = w.StringGrid3->Model().IndexOfCell(ScreenColorCol, 1);
    QTest::mouseClick(w.StringGrid3->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w.StringGrid3->visualRect(cell).center());
    const QString text = QString::number(edited);
    QTest::keyClicks(w.StringGrid3, text.left(1));  // the first key opens the editor
    QLineEdit* editor = w.StringGrid3->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor && editor->isVisible());
    QTest::keyClicks(editor, text.mid(1));
    QVERIFY(lineIn(own));  // not before the cell is left
    // To the next cell of the row, whose highlight keeps the line in its colour.
    QTest::keyClick(editor, Qt::Key_Tab);
    QVERIFY(lineIn(edited));
    QCOMPARE(w.Form1.Document().ColorExTable.at(1).ScreenColor, own);
    w.Form1.Modified = false;  // closes without asking
}

QTEST_MAIN(TPreviewTest)
#include "preview_test.moc"

void TPreviewTest::CompareModeShowsWhatChangedUnderALegend()
{
    QTemporaryDir folder;
    const std::string old = PathToOs(folder.filePath(QStringLiteral("plan-1.jww")));
    const std::string now = PathToOs(folder.filePath(QStringLiteral("plan-2.jww")));
    SaveLines(old, {Line(0, 1, 2, 0, 0), Line(500, 1, 2, 0, 0)});
    SaveLines(now, {Line(0, 1, 2, 0, 0), Line(250, 1, 2, 0, 0)});
    TRecordingServices services;
    services.Folder = PathToOs(folder.path());
    TMainWindow w(services);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.OpenComparison(old, now);
    QVERIFY(services.Messages.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("plan-1.jww \u2192 plan-2.jww - Zelvane Ver.1.02[*]"));
    QVERIFY(w.Preview->isVisible());
    QVERIFY(w.Preview->Legend->isVisible());
    QVERIFY(w.Preview->Legend->text().contains(QStringLiteral("削除")));
    QVERIFY(w.Preview->Legend->text().contains(QStringLiteral("追加")));
    QVERIFY(w.Preview->Legend->text().contains(QStringLiteral("共通")));
    QCOMPARE(PathToOs(w.Edit1->text()), now);
    const QImage image = w.Preview->grab().toImage();
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 0}), GreyedRgb));
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 250}), AddedRgb));
    QVERIFY(PaintedNear(image, w.Preview->WidgetPoint({500, 500}), RemovedRgb));

    // Another drawing opened ends the comparison.
    w.OpenFile(old);
    QCOMPARE(w.windowTitle(), QStringLiteral("Zelvane Ver.1.02[*]"));
    QVERIFY(!w.Preview->Legend->isVisible());

    const std::string missing = PathToOs(folder.filePath(QStringLiteral("gone.jww")));
    w.OpenComparison(missing, now);
    QCOMPARE(services.Messages.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(Cp932ToUtf8Lossy(services.Messages[0])).contains(QStringLiteral("gone.jww")));
    QCOMPARE(PathToOs(w.Edit1->text()), now);  // opened plainly
    QCOMPARE(w.windowTitle(), QStringLiteral("Zelvane Ver.1.02[*]"));
    w.close();
}
