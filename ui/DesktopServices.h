// Everything the window logic asks of the desktop. A skin implements it over its toolkit;
// tests implement it with a scripted fake. Texts and paths are code page 932 byte strings:
// an implementation converts them where a person sees them or the operating system takes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TCellTable;

enum class TMessageKind { Warning, Information };

// What the window hands to the open and the save dialog.
struct TFileDialogSettings {
    std::string InitialFolder;
    std::string FileName;
    std::string Filter;            // description, '|', pattern
    std::string DefaultExtension;  // without the full stop; appended to a name typed without one
    bool ConfirmOverwrite = false;  // ask before returning the name of an existing file
    bool HideReadOnly = false;      // no read-only check box
    bool Resizable = false;

    bool operator==(const TFileDialogSettings&) const = default;
};

class TDesktopServices {
public:
    virtual ~TDesktopServices() = default;

    // A modal box with one "OK" button and the icon of its kind; returns when it is closed.
    virtual void ShowMessageBox(std::string_view text, std::string_view caption,
                                TMessageKind kind) = 0;
    // A modal question with the buttons "Yes" and "No"; true for Yes.
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
    // The default system beep.
    virtual void Beep() = 0;

    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenDialog(const TFileDialogSettings& settings) = 0;
    virtual std::optional<std::string> SaveDialog(const TFileDialogSettings& settings) = 0;

    // Colours are 24-bit RGB with red in the lowest byte. Nothing when the user cancelled.
    virtual std::optional<int32_t> ColorDialog(int32_t initialColor) = 0;

    // Hands the file to the program associated with its type. Failures are not reported.
    virtual void ShellOpen(const std::string& path) = 0;

    // The full path of the running program.
    virtual std::string ExecutablePath() = 0;
    // The user's cache folder ($XDG_CACHE_HOME, else ~/.cache) ending in '/'; empty if unknown.
    virtual std::string UserCacheFolder() = 0;
    // The user's documents folder, else the home folder, ending in '/'; empty if unknown.
    virtual std::string UserDocumentsFolder() = 0;
    // Creates the folder and any missing parents. True when afterwards the folder exists and
    // files can be created in it; the window goes on either way.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Removes the folder when it is empty; failures are ignored.
    virtual void RemoveFolder(const std::string& path) = 0;

    // Asks for the whole table to be painted again (its swatches follow changed colour cells).
    virtual void RepaintTable(const TCellTable& table) = 0;
};
