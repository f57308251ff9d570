// The desktop services of the Win32 window: common dialogs, message boxes, the shell.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/DesktopServices.h"

class TWinDesktopServices : public TDesktopServices {
public:
    // The window that owns the dialogs and boxes.
    void SetOwner(HWND owner) { Owner = owner; }
    // The grid control that shows a table, for RepaintTable.
    void ShowTableIn(const TCellTable& table, HWND grid) { TableGrids.emplace_back(&table, grid); }
    // Runs before every message box and question, so that the window behind shows what the
    // message is about.
    void ShowStateBeforeMessages(std::function<void()> show) { ShowState = std::move(show); }

    void ShowMessageBox(std::string_view text, std::string_view caption, TMessageKind kind) override;
    bool AskYesNo(std::string_view text, std::string_view caption) override;
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

    // "description|pattern|..." as the common dialogs take it: NUL-separated, NUL-ended.
    static std::wstring DialogFilter(std::string_view filter);

protected:
    // The modal box itself, with MessageBoxW's flags and result; a test answers it instead.
    virtual int ShowBox(const std::wstring& text, const std::wstring& caption, UINT flags);

private:
    std::optional<std::string> RunFileDialog(const TFileDialogSettings& settings, bool save);

    HWND Owner = nullptr;
    std::vector<std::pair<const TCellTable*, HWND>> TableGrids;
    std::function<void()> ShowState;
    COLORREF CustomColors[16] = {};
};
