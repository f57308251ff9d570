// The Qt services with everything that would wait for a person answered by the test: the file
// and colour dialogs return what the test queued, message boxes and beeps are recorded, the
// desktop's file opener is recorded, and the program and its cache folder live in a folder of
// the test's own so that its temp images never meet another test's. Repainting stays Qt's.
#pragma once

#include <QString>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/qt/QtDesktopServices.h"

struct TShownMessage {
    QString Text;
    QString Caption;
    TMessageKind Kind;
};

class TScriptedServices : public TQtDesktopServices {
public:
    // The program's executable is taken to be `programFolder` + "/zelvane", and the user's
    // cache folder `programFolder` + "/cache/".
    explicit TScriptedServices(const QString& programFolder);

    void ShowMessageBox(std::string_view text, std::string_view caption,
                        TMessageKind kind) override;
    void Beep() override { ++Beeps; }
    std::optional<std::string> OpenDialog(const TFileDialogSettings& settings) override;
    std::optional<std::string> SaveDialog(const TFileDialogSettings& settings) override;
    std::optional<int32_t> ColorDialog(int32_t initialColor) override;
    void ShellOpen(const std::string& path) override { ShellOpened.push_back(path); }
    std::string ExecutablePath() override { return Folder + "/zelvane"; }
    std::string UserCacheFolder() override { return Folder + "/cache/"; }

    // When not empty, the open dialog raises EJwwIOError with this text instead of answering.
    std::string OpenFailure;
    // Answers, used in order; an empty queue answers "cancelled".
    std::deque<std::optional<std::string>> OpenAnswers;
    std::deque<std::optional<std::string>> SaveAnswers;
    std::deque<std::optional<int32_t>> ColorAnswers;

    std::vector<TShownMessage> Messages;
    std::vector<TFileDialogSettings> DialogSettings;
    std::vector<int32_t> ColorDialogColors;
    std::vector<std::string> ShellOpened;
    int Beeps = 0;

private:
    std::string Folder;
};
