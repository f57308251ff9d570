#include "tests/ui_qt/support/ScriptedServices.h"

#include "jww/stream.h"
#include "ui/qt/DisplayText.h"

namespace {

template <typename T>
std::optional<T> NextAnswer(std::deque<std::optional<T>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

TScriptedServices::TScriptedServices(const QString& programFolder)
    : Folder(PathToOs(programFolder))
{
}

void TScriptedServices::ShowMessageBox(std::string_view text, std::string_view caption,
                                       TMessageKind kind)
{
    Messages.push_back({TextFromCp932(text), TextFromCp932(caption), kind});
}

std::optional<std::string> TScriptedServices::OpenDialog(const TFileDialogSettings& settings)
{
    DialogSettings.push_back(settings);
    if (!OpenFailure.empty())
        throw EJwwIOError(OpenFailure);
    return NextAnswer(OpenAnswers);
}

std::optional<std::string> TScriptedServices::SaveDialog(const TFileDialogSettings& settings)
{
    DialogSettings.push_back(settings);
    return NextAnswer(SaveAnswers);
}

std::optional<int32_t> TScriptedServices::ColorDialog(int32_t initialColor)
{
    ColorDialogColors.push_back(initialColor);
    return NextAnswer(ColorAnswers);
}
