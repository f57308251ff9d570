// Desktop services for tests: every call is recorded, and every answer comes from a script
// that the test sets up beforehand. An answer the script lacks fails the test.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/DesktopServices.h"

struct TShownMessage {
    std::string Text;
    std::string Caption;
    TMessageKind Kind = TMessageKind::Warning;
    bool AfterBeep = false;  // the call just before it was a beep
};

class TFakeDesktopServices : public TDesktopServices {
public:
    // ---- script ----
    std::deque<std::optional<std::string>> OpenAnswers;
    std::deque<std::optional<std::string>> SaveAnswers;
    std::deque<std::optional<int32_t>> ColorAnswers;
    std::string ExecutablePathAnswer = "/opt/zelvane/bin/zelvane";
    std::string UserCacheFolderAnswer = "/home/user/.cache/";
    std::set<std::string> UnusableFolders;  // CreateFolder answers false for these
    bool ShellOpenThrows = false;

    // ---- record ----
    std::vector<std::string> Calls;  // service names in call order
    std::vector<TShownMessage> Messages;
    int Beeps = 0;
    std::vector<TFileDialogSettings> OpenDialogs;
    std::vector<TFileDialogSettings> SaveDialogs;
    std::vector<int32_t> ColorDialogs;  // the initial colour of each
    std::vector<std::string> ShellOpened;
    std::vector<std::string> CreatedFolders;
    std::vector<std::string> RemovedFolders;
    std::vector<const TCellTable*> Repaints;

    void ShowMessageBox(std::string_view text, std::string_view caption,
                        TMessageKind kind) override
    {
        const bool afterBeep = !Calls.empty() && Calls.back() == "Beep";
        Calls.push_back("ShowMessageBox");
        Messages.push_back({std::string(text), std::string(caption), kind, afterBeep});
    }

    void Beep() override
    {
        Calls.push_back("Beep");
        ++Beeps;
    }

    std::optional<std::string> OpenDialog(const TFileDialogSettings& settings) override
    {
        Calls.push_back("OpenDialog");
        OpenDialogs.push_back(settings);
        return Answer(OpenAnswers, "open dialog");
    }

    std::optional<std::string> SaveDialog(const TFileDialogSettings& settings) override
    {
        Calls.push_back("SaveDialog");
        SaveDialogs.push_back(settings);
        return Answer(SaveAnswers, "save dialog");
    }

    std::optional<int32_t> ColorDialog(int32_t initialColor) override
    {
        Calls.push_back("ColorDialog");
        ColorDialogs.push_back(initialColor);
        return Answer(ColorAnswers, "colour dialog");
    }

    void ShellOpen(const std::string& path) override
    {
        Calls.push_back("ShellOpen");
        ShellOpened.push_back(path);
        if (ShellOpenThrows)
            throw std::runtime_error("no program is associated with this file");
    }

    std::string ExecutablePath() override
    {
        Calls.push_back("ExecutablePath");
        return ExecutablePathAnswer;
    }

    std::string UserCacheFolder() override
    {
        Calls.push_back("UserCacheFolder");
        return UserCacheFolderAnswer;
    }

    bool CreateFolder(const std::string& path) override
    {
        Calls.push_back("CreateFolder");
        CreatedFolders.push_back(path);
        return UnusableFolders.count(path) == 0;
    }

    void RemoveFolder(const std::string& path) override
    {
        Calls.push_back("RemoveFolder");
        RemovedFolders.push_back(path);
    }

    void RepaintTable(const TCellTable& table) override
    {
        Calls.push_back("RepaintTable");
        Repaints.push_back(&table);
    }

private:
    template <typename T>
    static std::optional<T> Answer(std::deque<std::optional<T>>& script, const char* what)
    {
        if (script.empty()) {
            ADD_FAILURE() << "the test did not script an answer for the " << what;
            return std::nullopt;
        }
        std::optional<T> answer = script.front();
        script.pop_front();
        return answer;
    }
};
