// zelvane-window-screenshot DRAWING OUT_PREFIX: opens the drawing with "ファイル名" and writes
// the window on each tab to OUT_PREFIX-1.png to -4.png, then the window with the preview shown
// and the busiest layer's row selected to OUT_PREFIX-preview-window.png and the preview itself
// to OUT_PREFIX-preview.png, then both after a click on an object of the preview to
// OUT_PREFIX-preview-pick.png and OUT_PREFIX-pick-window.png, to look at on a real display by eye.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

#include "tables/FillTables.h"
#include "tables/TableFrames.h"
#include "tests/ui_qt/OpeningServices.h"
#include "ui/qt/DisplayText.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/PreviewPane.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    TOpeningServices services;
    TMainWindow window(services);
    window.show();
    if (arguments.size() == 3) {
        services.Drawing = PathToOs(arguments[1]);
        window.Button1->click();
    }
    if (window.Form1.LoadedFileName.empty()) {
        std::fprintf(stderr, "usage: zelvane-window-screenshot DRAWING OUT_PREFIX (a drawing)\n");
        return 2;
    }
    for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
        window.PageControl1->setCurrentIndex(tab);
        QTest::qWait(200);
        if (!window.grab().save(arguments[2] + QStringLiteral("-%1.png").arg(tab + 1)))
            return 1;
    }

    // The layer with the most objects, so that the highlight shows.
    const TElementCounts counts = CountElements(JwwDoc);
    const int busiest = static_cast<int>(
        std::max_element(counts.Layers.begin(), counts.Layers.end()) - counts.Layers.begin());
    window.PreviewButton->click();
    window.PageControl1->setCurrentIndex(1);
    TGridView& layers = *window.StringGrid2;
    const QModelIndex row = layers.Model().IndexOfCell(1, RowOfEntry(TTableKind::Layers, busiest));
    layers.scrollTo(row);
    QTest::mouseClick(layers.viewport(), Qt::LeftButton, Qt::NoModifier,
                      layers.visualRect(row).center());
    QTest::qWait(300);
    if (!window.grab().save(arguments[2] + QStringLiteral("-preview-window.png")) ||
        !window.Preview->grab().save(arguments[2] + QStringLiteral("-preview.png")))
        return 1;

    // A click on the first object found on a grid about the preview's centre, to show the
    // pick's text and the row it selects; the preview is grabbed with the window.
    const QPoint centre = window.Preview->DrawingRect().center();
    for (int step = 0; step < 400; ++step) {
        const QPoint at = centre + QPoint(step % 20 - 10, step / 20 - 10) * 8;
        if (window.Preview->PickAt(at)) {
            QTest::mouseClick(window.Preview, Qt::LeftButton, Qt::NoModifier, at);
            break;
        }
    }
    QTest::qWait(300);
    if (!window.Preview->grab().save(arguments[2] + QStringLiteral("-preview-pick.png")) ||
        !window.grab().save(arguments[2] + QStringLiteral("-pick-window.png")))
        return 1;
    window.Preview->close();
    window.close();
    return 0;
}
