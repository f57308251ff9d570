// zelvane-cli convert FILE OUT --target-version N: saves a drawing in another format version.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DownLevelLosses.h"
#include "cli/DrawingLoad.h"
#include "jww/private_image_folder.h"

namespace {

// The oldest version written: between 2.31 and 2.99 the header's length is not known, and the
// versions before hold less than any drawing this tool reads. The schema number of every class
// tag carries the version in 16 bits.
constexpr int32_t OldestTargetVersion = 300;
constexpr int32_t NewestTargetVersion = 65535;

struct TConvertArguments {
    std::string Input;
    std::string Output;
    int32_t TargetVersion = 0;
    std::string Strings;
    bool AllowLoss = false;
    bool Force = false;
};

int RunConvert(const TConvertArguments& arguments, std::ostream& err)
{
    const auto fail = [&err](const std::string& message) {
        err << "zelvane-cli convert: " << message << '\n';
        return ExitFailure;
    };
    const auto warn = [&err](const std::string& message) {
        err << "zelvane-cli convert: " << CliText<"Warning">(message) << '\n';
    };
    if (IsSameFile(arguments.Input, arguments.Output))
        return fail(CliText<"ConvertIsInput">(arguments.Output));
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !refusal.empty())
        return fail(CliText<"NothingWritten">(refusal));
    try {
        const auto doc = std::make_unique<TJwwDocument>();
        const TPrivateImageFolder imageFolder;
        std::string whyNot;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(CliText<"NothingWritten">(whyNot));
        if (!AcceptWhatASaveLoses(*doc, arguments.Input, arguments.AllowLoss, "convert", err,
                                  whyNot))
            return fail(CliText<"NothingWritten">(whyNot));
        for (const std::string& loss : DownLevelLosses(*doc, arguments.TargetVersion))
            warn(loss);
        if (!arguments.Strings.empty())
            doc->StringForm = arguments.Strings == "wide" ? TStringForm::Wide : TStringForm::Byte;
        if (!SaveWholeDrawing(*doc, arguments.Output, arguments.TargetVersion, whyNot,
                              arguments.Force))
            return fail(whyNot);
    } catch (const std::exception& e) {
        // A drawing that cannot be opened, or no temp image folder.
        return fail(e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineConvertCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TConvertArguments>();
    command.add_option("FILE", arguments->Input, CliText<"DrawingToRead">())->required();
    command.add_option("OUT", arguments->Output, CliText<"NewDrawingToWrite">())->required();
    command
        .add_option("--target-version", arguments->TargetVersion,
                    CliText<"ConvertTargetOption">())
        ->required()
        ->check(CLI::Range(OldestTargetVersion, NewestTargetVersion));
    command.add_option("--strings", arguments->Strings, CliText<"ConvertStringsOption">())
        ->check(CLI::IsMember({"byte", "wide"}));
    AddAllowLossFlag(command, arguments->AllowLoss);
    AddForceFlag(command, arguments->Force);
    command.footer(CliText<"ConvertNotes">());
    return [arguments](std::ostream&, std::ostream& err) { return RunConvert(*arguments, err); };
}
