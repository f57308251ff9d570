// The window logic's desktop services on Qt: message boxes, the beep, Qt's own file and colour
// dialogs, the desktop's file opener, the program's path and the folders of the temp images.
// Texts arrive as code page 932 and paths as the operating system's bytes (see DisplayText.h).
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

#include "ui/DesktopServices.h"

class QAbstractItemView;

class TQtDesktopServices : public TDesktopServices {
public:
    // Dialogs and message boxes are modal to this window.
    void SetDialogParent(QWidget* parent) { DialogParent = parent; }
    // The view that shows the table, for RepaintTable.
    void ShowTableIn(const TCellTable& table, QAbstractItemView* view);
    // Brings the window up to date with the logic before a message box covers it, so that the
    // box speaks of what the window shows.
    void ShowStateBeforeMessages(std::function<void()> showState) { ShowState = std::move(showState); }

    void ShowMessageBox(std::string_view text, std::string_view caption,
                        TMessageKind kind) final;
    bool AskYesNo(std::string_view text, std::string_view caption) final;
    void Beep() override;
    std::optional<std::string> OpenDialog(const TFileDialogSettings& settings) override;
    std::optional<std::string> SaveDialog(const TFileDialogSettings& settings) override;
    std::optional<int32_t> ColorDialog(int32_t initialColor) override;
    void ShellOpen(const std::string& path) override;
    std::string ExecutablePath() override;
    std::string UserCacheFolder() override;
    std::string UserDocumentsFolder() override;
    bool CreateFolder(const std::string& path) override;
    void RemoveFolder(const std::string& path) override;
    void RepaintTable(const TCellTable& table) override;

    // "description|pattern|description|pattern" as Qt's "description (pattern);;..."; several
    // patterns of one description are separated by ';' there and by spaces here. A description
    // that ends in its patterns in parentheses already is one that Qt reads as it stands.
    static QString QtNameFilters(const QString& filter);

protected:
    // The boxes themselves, once the window shows its state.
    virtual void ShowBox(std::string_view text, std::string_view caption, TMessageKind kind);
    virtual bool AskBox(std::string_view text, std::string_view caption);

private:
    QPointer<QWidget> DialogParent;
    std::function<void()> ShowState;
    std::vector<std::pair<const TCellTable*, QPointer<QAbstractItemView>>> TableViews;
};
