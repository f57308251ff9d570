// zelvane-window-screenshot DRAWING OUT_PREFIX: opens the drawing with "ファイル名" and writes
// the window on each tab to OUT_PREFIX-1.png to -4.png, to look at on a real display by eye.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "ui/qt/DisplayText.h"
#include "ui/qt/MainWindow.h"

// The desktop's services, but the open dialog picks the drawing given.
class TOpeningServices : public TQtDesktopServices {
public:
    std::optional<std::string> OpenDialog(const TFileDialogSettings&) override { return Drawing; }
    std::string Drawing;
};

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
    window.close();
    return 0;
}
