#include "cli/CopyCommand.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"

namespace {

class TCopy {
public:
    TCopy(const std::string& input, const std::string& output, bool allowLoss, std::ostream& err,
          bool replace)
        : Input(input), Output(output), AllowLoss(allowLoss), Err(err), Replace(replace)
    {
    }

    int Run()
    {
        if (IsSameFile(Input, Output))
            return Fail(CliText<"CopyIsInput">(Output));
        if (const std::string refusal = ExistingOutputRefusal(Output, Replace); !refusal.empty())
            return Fail(CliText<"NothingWritten">(refusal));
        const auto doc = std::make_unique<TJwwDocument>();
        const TPrivateImageFolder imageFolder;
        std::string whyNot;
        if (!LoadWholeDrawing(*doc, Input, whyNot))
            return Fail(CliText<"NothingWritten">(whyNot));
        if (!AcceptWhatASaveLoses(*doc, Input, AllowLoss, "copy", Err, whyNot))
            return Fail(CliText<"NothingWritten">(whyNot));
        if (!SaveWholeDrawing(*doc, Output, doc->Header.Version, whyNot, Replace))
            return Fail(whyNot);
        return ExitSuccess;
    }

private:
    int Fail(const std::string& message)
    {
        Err << "zelvane-cli copy: " << message << '\n';
        return ExitFailure;
    }

    const std::string& Input;
    const std::string& Output;
    bool AllowLoss;
    std::ostream& Err;
    bool Replace;
};

}  // namespace

int CopyDrawing(const std::string& input, const std::string& output, bool allowLoss,
                std::ostream& err, bool replace)
{
    try {
        return TCopy(input, output, allowLoss, err, replace).Run();
    } catch (const std::exception& e) {
        // A file that cannot be opened at all, or no temp image folder.
        err << "zelvane-cli copy: " << e.what() << '\n';
        return ExitFailure;
    }
}

TCliAction DefineCopyCommand(CLI::App& command)
{
    struct TArguments {
        std::string Input;
        std::string Output;
        bool AllowLoss = false;
        bool Force = false;
    };
    const auto arguments = std::make_shared<TArguments>();
    command.add_option("IN", arguments->Input, CliText<"DrawingToRead">())->required();
    command.add_option("OUT", arguments->Output, CliText<"CopyOutput">())->required();
    AddAllowLossFlag(command, arguments->AllowLoss);
    AddForceFlag(command, arguments->Force);
    return [arguments](std::ostream&, std::ostream& err) {
        return CopyDrawing(arguments->Input, arguments->Output, arguments->AllowLoss, err,
                           arguments->Force);
    };
}
