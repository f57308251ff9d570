// Zelvane's window program: the application, its one window and the event loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/Messages.h"
#include "ui/qt/DisplayText.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDesktopServices.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(TextFromCp932(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("zelvane"));

    // Qt's dialogs speak the desktop's language, like the rest of the desktop.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    TQtDesktopServices services;
    TMainWindow window(services);
    window.show();
    // A drawing named on the command line (a file manager's "open with") opens once the window
    // is on screen, as if chosen with "ファイル名"; "--compare OLD NEW" (a version control
    // tool's diff viewer) opens NEW as what changed since OLD.
    if (argc == 4 && std::string_view(argv[1]) == "--compare") {
        const std::string old = std::filesystem::absolute(argv[2]).string();
        const std::string now = std::filesystem::absolute(argv[3]).string();
        QMetaObject::invokeMethod(&window, [&window, old, now] { window.OpenComparison(old, now); },
                                  Qt::QueuedConnection);
    } else if (argc > 1) {
        const std::string path = std::filesystem::absolute(argv[1]).string();
        QMetaObject::invokeMethod(&window, [&window, path] { window.OpenFile(path); },
                                  Qt::QueuedConnection);
    }
    return QApplication::exec();
}
