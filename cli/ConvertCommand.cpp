// zelvane-cli convert FILE OUT --target-version N: saves a drawing in another format version.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/CliCommands.h"
#include "cli/DownLevelLosses.h"
#include "cli/DrawingLoad.h"
#include "jww/private_image_folder.h"

namespace {

// The oldest version written: between 2.31 and 2.99 the header's length is not known, and the
// versions before hold less than any drawing this tool reads. The schema number of every class
// tag carries the version in 16 bits.
constexpr int32_t OldestTargetVersion = 300;
constexpr int32_t NewestTargetVersion = 65535;

constexpr std::string_view ConvertNotes = R"(Writes the whole drawing for the format version N (100 times the version number: 700 is
Ver.7.00) with the rules of the writers for that version. Below 700 the embedded images are
dropped; below 420 the SXF tables, the SXF line types and colours of objects (mapped to
standard ones) and the extension lines and points of dimensions without SXF mode are dropped,
and a dimension with an SXF mode is written as a dimension followed by its extension lines and
points as separate objects; below 351 the line widths are dropped. Each loss is reported on
standard error. --strings chooses how the strings are stored; without it they keep the
drawing's own form.
Exit status: 0 saved, 1 the drawing could not be read or saved, OUT is FILE, or OUT exists
and --force was not given, 2 usage.
)";

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
        err << "zelvane-cli convert: warning: " << message << '\n';
    };
    if (IsSameFile(arguments.Input, arguments.Output))
        return fail(arguments.Output + ": is the input file; the conversion needs a new file");
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !refusal.empty())
        return fail(refusal + "; nothing was written");
    try {
        const auto doc = std::make_unique<TJwwDocument>();
        const TPrivateImageFolder imageFolder;
        std::string whyNot;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(whyNot + "; nothing was written");
        if (!AcceptWhatASaveLoses(*doc, arguments.Input, arguments.AllowLoss, "convert", err,
                                  whyNot))
            return fail(whyNot + "; nothing was written");
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
    command.add_option("FILE", arguments->Input, "The drawing to read")->required();
    command.add_option("OUT", arguments->Output, "The new drawing to write")->required();
    command
        .add_option("--target-version", arguments->TargetVersion,
                    "The format version to write, 300 or later")
        ->required()
        ->check(CLI::Range(OldestTargetVersion, NewestTargetVersion));
    command.add_option("--strings", arguments->Strings, "Store strings as bytes or wide")
        ->check(CLI::IsMember({"byte", "wide"}));
    AddAllowLossFlag(command, arguments->AllowLoss);
    AddForceFlag(command, arguments->Force);
    command.footer(std::string(ConvertNotes));
    return [arguments](std::ostream&, std::ostream& err) { return RunConvert(*arguments, err); };
}
