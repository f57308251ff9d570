#include "ui/win/WinDesktopServices.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>
#include <system_error>

#include "jww/system_files.h"
#include "text/WidePath.h"
#include "ui/win/WinText.h"

void TWinDesktopServices::ShowMessageBox(std::string_view text, std::string_view caption,
                                         TMessageKind kind)
{
    if (ShowState)
        ShowState();
    const UINT icon = kind == TMessageKind::Warning ? MB_ICONWARNING : MB_ICONINFORMATION;
    ShowBox(WideFromCp932(text), WideFromCp932(caption), MB_OK | icon);
}

bool TWinDesktopServices::AskYesNo(std::string_view text, std::string_view caption)
{
    if (ShowState)
        ShowState();
    // No is the default, so that a hurried Enter keeps the edits.
    return ShowBox(WideFromCp932(text), WideFromCp932(caption),
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int TWinDesktopServices::ShowBox(const std::wstring& text, const std::wstring& caption, UINT flags)
{
    return MessageBoxW(Owner, text.c_str(), caption.c_str(), flags);
}

void TWinDesktopServices::Beep()
{
    MessageBeep(0xFFFFFFFF);
}

std::wstring TWinDesktopServices::DialogFilter(std::string_view filter)
{
    std::wstring wide = WideFromCp932(filter);
    for (wchar_t& c : wide)
        if (c == L'|')
            c = L'\0';
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

std::optional<std::string> TWinDesktopServices::RunFileDialog(const TFileDialogSettings& settings,
                                                              bool save)
{
    std::wstring file = WidePath(settings.FileName);
    file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
    const std::wstring filter = DialogFilter(settings.Filter);
    const std::wstring folder = WidePath(settings.InitialFolder);
    const std::wstring extension = WideFromCp932(settings.DefaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!save)
        dialog.Flags |= OFN_FILEMUSTEXIST;
    if (settings.ConfirmOverwrite)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (settings.HideReadOnly)
        dialog.Flags |= OFN_HIDEREADONLY;
    if (settings.Resizable)
        dialog.Flags |= OFN_ENABLESIZING;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    return Utf8FromWide(file.c_str());
}

std::optional<std::string> TWinDesktopServices::OpenDialog(const TFileDialogSettings& settings)
{
    return RunFileDialog(settings, false);
}

std::optional<std::string> TWinDesktopServices::SaveDialog(const TFileDialogSettings& settings)
{
    return RunFileDialog(settings, true);
}

std::optional<int32_t> TWinDesktopServices::ColorDialog(int32_t initialColor)
{
    // A COLORREF is red in its lowest byte, as the tables hold colours.
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner;
    dialog.rgbResult = static_cast<COLORREF>(initialColor) & 0xFFFFFF;
    dialog.lpCustColors = CustomColors;
    dialog.Flags = CC_RGBINIT;
    if (!ChooseColorW(&dialog))
        return std::nullopt;
    return static_cast<int32_t>(dialog.rgbResult & 0xFFFFFF);
}

void TWinDesktopServices::ShellOpen(const std::string& path)
{
    ShellExecuteW(Owner, L"open", WidePath(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string TWinDesktopServices::ExecutablePath()
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return Utf8FromWide(path);
}

// The user's own temp folder stands in for a cache folder: it is where Windows programs keep
// files that may be deleted at any time.
std::string TWinDesktopServices::UserCacheFolder()
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    return Utf8FromWide(std::wstring_view(folder, length));
}

std::string TWinDesktopServices::UserDocumentsFolder()
{
    wchar_t* folder = nullptr;
    std::string documents;
    if (SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &folder) == S_OK)
        documents = Utf8FromWide(folder) + "\\";
    CoTaskMemFree(folder);
    if (documents.empty()) {
        wchar_t home[MAX_PATH + 1];
        const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", home, MAX_PATH + 1);
        if (length != 0 && length <= MAX_PATH)
            documents = Utf8FromWide(std::wstring_view(home, length)) + "\\";
    }
    return documents;
}

bool TWinDesktopServices::CreateFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(FsPath(path), error);
    // Whether a file can be created there is known only by creating one.
    const std::wstring probe = WidePath(path) + L"\\.zelvane-probe";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void TWinDesktopServices::RemoveFolder(const std::string& path)
{
    RemoveDirectoryW(WidePath(path).c_str());
}

void TWinDesktopServices::RepaintTable(const TCellTable& table)
{
    for (const auto& [shown, grid] : TableGrids)
        if (shown == &table)
            InvalidateRect(grid, nullptr, FALSE);
}
