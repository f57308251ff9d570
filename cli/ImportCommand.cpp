// zelvane-cli import FILE EDITS OUT: applies edited tables to a drawing and saves it anew.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "cli/EditsFile.h"
#include "cli/TableImport.h"
#include "jww/private_image_folder.h"

namespace {

struct TImportArguments {
    std::string Input;
    std::string Edits;
    std::string Output;
    std::string Encoding;
    bool AllowLoss = false;
    bool Force = false;
};

int RunImport(const TImportArguments& arguments, std::ostream& err)
{
    const auto fail = [&err](int code, const std::string& message) {
        err << "zelvane-cli import: " << message << '\n';
        return code;
    };
    if (IsSameFile(arguments.Input, arguments.Output))
        return fail(ExitFailure, CliText<"ImportIsInput">(arguments.Output));
    if (IsSameFile(arguments.Edits, arguments.Output))
        return fail(ExitFailure, CliText<"ImportIsEdits">(arguments.Output));
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !refusal.empty())
        return fail(ExitFailure, CliText<"NothingWritten">(refusal));

    try {
        int refusalCode = ExitFailure;
        std::string whyNot;
        const std::optional<std::vector<TCellEdit>> edits =
            ReadEditsFile(arguments.Edits, arguments.Encoding, refusalCode, whyNot);
        if (!edits)
            return fail(refusalCode, whyNot);

        const auto doc = std::make_unique<TJwwDocument>();
        const TPrivateImageFolder imageFolder;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(ExitFailure, CliText<"NothingWritten">(whyNot));
        if (!AcceptWhatASaveLoses(*doc, arguments.Input, arguments.AllowLoss, "import", err,
                                  whyNot))
            return fail(ExitFailure, CliText<"NothingWritten">(whyNot));
        for (const std::string& change : ApplyTableEdits(*edits, *doc))
            err << "zelvane-cli import: " << arguments.Edits << ": " << change << '\n';
        if (!SaveWholeDrawing(*doc, arguments.Output, doc->Header.Version, whyNot, arguments.Force))
            return fail(ExitFailure, whyNot);
    } catch (const std::exception& e) {
        // A drawing that cannot be opened, or no temp image folder.
        return fail(ExitFailure, e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineImportCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TImportArguments>();
    command.add_option("FILE", arguments->Input, CliText<"DrawingToRead">())->required();
    command.add_option("EDITS", arguments->Edits, CliText<"EditsArgument">())->required();
    command.add_option("OUT", arguments->Output, CliText<"NewDrawingToWrite">())->required();
    command.add_option("--encoding", arguments->Encoding, CliText<"EditsEncodingOption">())
        ->check(CLI::IsMember({"utf-8", "cp932"}));
    AddAllowLossFlag(command, arguments->AllowLoss);
    AddForceFlag(command, arguments->Force);
    command.footer(CliText<"ImportRules">());
    return [arguments](std::ostream&, std::ostream& err) { return RunImport(*arguments, err); };
}
