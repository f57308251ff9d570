// Zelvane's window program on Windows: one window and its message loop. A drawing named on the
// command line opens once the window is shown, and "--compare OLD NEW" opens NEW as what
// changed since OLD.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "text/WidePath.h"
#include "ui/win/MainWindow.h"

namespace {

// The path as the window shows it; a relative one is taken from the current folder.
std::wstring FullPath(const wchar_t* path)
{
    std::wstring full(32768, L'\0');
    const DWORD length = GetFullPathNameW(path, static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return full;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    TWinDesktopServices services;
    TWinMainWindow window(services);
    window.Show(showCommand);
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        // "--compare OLD NEW", as a version control tool calls its diff viewer.
        if (argc == 4 && std::wstring_view(argv[1]) == L"--compare")
            window.OpenComparison(Utf8FromWide(FullPath(argv[2])), Utf8FromWide(FullPath(argv[3])));
        else if (argc > 1)
            window.OpenFile(Utf8FromWide(FullPath(argv[1])));
        LocalFree(argv);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window.Handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
