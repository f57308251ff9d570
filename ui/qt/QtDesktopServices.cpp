#include "ui/qt/QtDesktopServices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#include <unistd.h>

#include "ui/qt/DisplayText.h"
#include "ui/qt/SwatchDelegate.h"

namespace {

// The file dialogs read the typed name, add the default extension and only then ask whether
// an existing file may be replaced. Qt's own dialog does it in that order; a desktop's native
// one may ask about the name as typed and then return another, existing, file.
std::optional<std::string> RunFileDialog(QWidget* parent, const TFileDialogSettings& settings,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.ConfirmOverwrite);
    dialog.setNameFilter(TQtDesktopServices::QtNameFilters(TextFromCp932(settings.Filter)));
    dialog.setDefaultSuffix(TextFromCp932(settings.DefaultExtension));
    if (!settings.InitialFolder.empty())
        dialog.setDirectory(PathFromOs(settings.InitialFolder));
    if (!settings.FileName.empty())
        dialog.selectFile(PathFromOs(settings.FileName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return PathToOs(files.first());
}

}  // namespace

void TQtDesktopServices::ShowTableIn(const TCellTable& table, QAbstractItemView* view)
{
    TableViews.emplace_back(&table, view);
}

void TQtDesktopServices::ShowMessageBox(std::string_view text, std::string_view caption,
                                        TMessageKind kind)
{
    if (ShowState)
        ShowState();
    ShowBox(text, caption, kind);
}

bool TQtDesktopServices::AskYesNo(std::string_view text, std::string_view caption)
{
    if (ShowState)
        ShowState();
    return AskBox(text, caption);
}

void TQtDesktopServices::ShowBox(std::string_view text, std::string_view caption,
                                 TMessageKind kind)
{
    QString shown = TextFromCp932(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(kind == TMessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    TextFromCp932(caption), shown, QMessageBox::Ok, DialogParent);
    box.exec();
}

bool TQtDesktopServices::AskBox(std::string_view text, std::string_view caption)
{
    QMessageBox box(QMessageBox::Question, TextFromCp932(caption), TextFromCp932(text),
                    QMessageBox::Yes | QMessageBox::No, DialogParent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TQtDesktopServices::Beep()
{
    QApplication::beep();
}

std::optional<std::string> TQtDesktopServices::OpenDialog(const TFileDialogSettings& settings)
{
    return RunFileDialog(DialogParent, settings, QFileDialog::AcceptOpen);
}

std::optional<std::string> TQtDesktopServices::SaveDialog(const TFileDialogSettings& settings)
{
    return RunFileDialog(DialogParent, settings, QFileDialog::AcceptSave);
}

std::optional<int32_t> TQtDesktopServices::ColorDialog(int32_t initialColor)
{
    const QColor chosen =
        QColorDialog::getColor(TSwatchDelegate::ColorOfValue(initialColor), DialogParent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

void TQtDesktopServices::ShellOpen(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathFromOs(path)));
}

std::string TQtDesktopServices::ExecutablePath()
{
    return PathToOs(QCoreApplication::applicationFilePath());
}

// The variables are read as bytes: they are paths, and a path is the operating system's bytes.
std::string TQtDesktopServices::UserCacheFolder()
{
    QByteArray folder = qgetenv("XDG_CACHE_HOME");
    // A relative cache folder is not one that the desktop's rules allow.
    if (!folder.startsWith('/')) {
        const QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/'))
            return {};
        folder = home + "/.cache";
    }
    if (!folder.endsWith('/'))
        folder += '/';
    return folder.toStdString();
}

std::string TQtDesktopServices::UserDocumentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    if (folder.isEmpty())
        return {};
    return PathToOs(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

bool TQtDesktopServices::CreateFolder(const std::string& path)
{
    QDir().mkpath(PathFromOs(path));
    return QFileInfo(PathFromOs(path)).isDir() && ::access(path.c_str(), W_OK | X_OK) == 0;
}

void TQtDesktopServices::RemoveFolder(const std::string& path)
{
    QDir().rmdir(PathFromOs(path));
}

void TQtDesktopServices::RepaintTable(const TCellTable& table)
{
    for (const auto& [shown, view] : TableViews)
        if (shown == &table && view)
            view->viewport()->update();
}

QString TQtDesktopServices::QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString inParentheses = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (parts[i].endsWith(inParentheses) ? parts[i]
                                                     : parts[i] + QLatin1Char(' ') + inParentheses);
    }
    return filters.join(QStringLiteral(";;"));
}
