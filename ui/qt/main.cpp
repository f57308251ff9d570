// Zelvane's window program: the application, its one window and the event loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
    return QApplication::exec();
}
