// zelvane-window-screenshot DRAWING OUT_PREFIX: opens the drawing in the main window, as a user
// would with "ファイル名", and writes one PNG of the window per tab, OUT_PREFIX-1.png to -4.png,
// for a look by eye at the window on a real display.
#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

#include "tests/ui_qt/support/ShownWindow.h"
#include "ui/qt/DisplayText.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: zelvane-window-screenshot DRAWING OUT_PREFIX\n");
        return 2;
    }
    TShownWindow shown;
    shown.OpenDrawing(PathToOs(arguments[1]));
    if (shown.Window.Form1.LoadedFileName.empty()) {
        std::fprintf(stderr, "zelvane-window-screenshot: the drawing did not open\n");
        return 1;
    }
    QTabWidget& tabs = *shown.Window.PageControl1;
    for (int tab = 0; tab < tabs.count(); ++tab) {
        tabs.setCurrentIndex(tab);
        QTest::qWait(200);
        const QString out = arguments[2] + QStringLiteral("-%1.png").arg(tab + 1);
        if (!shown.Window.grab().save(out)) {
            std::fprintf(stderr, "zelvane-window-screenshot: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
