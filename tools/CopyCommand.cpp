#include "tools/CopyCommand.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <system_error>

#include "jww/jwwunit.h"
#include "text/Cp932.h"
#include "tools/CliCommands.h"
#include "tools/PrivateImageFolder.h"
#include "ui/Messages.h"

namespace {

// The oldest format version the window opens; the copy refuses the same files.
constexpr int32_t OldestOpenedVersion = 420;

std::filesystem::path NormalisedPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    if (error)
        resolved = std::filesystem::absolute(path, error).lexically_normal();
    return resolved;
}

// The same path after normalisation, or the same file reached by another name (a link).
bool IsSameFile(const std::string& a, const std::string& b)
{
    if (NormalisedPath(a) == NormalisedPath(b))
        return true;
    struct stat statA {}, statB {};
    return ::stat(a.c_str(), &statA) == 0 && ::stat(b.c_str(), &statB) == 0 &&
           statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
}

std::string WindowText(std::string_view cp932)
{
    return Cp932ToUtf8(cp932).value_or(std::string(cp932));
}

class TCopy {
public:
    TCopy(const std::string& input, const std::string& output, std::ostream& err)
        : Input(input), Output(output), Err(err)
    {
    }

    int Run()
    {
        if (IsSameFile(Input, Output))
            return Fail(Output + ": is the input file; the copy needs a new file");
        if (!IsJwwFile(Input))
            return Fail(Input + ": " + WindowText(MsgNotJwwFile));
        const auto doc = std::make_unique<TJwwDocument>();
        if (!ReadJwwHeader(*doc, Input))
            return Fail(Input + ": " + WindowText(MsgHeaderUnreadable));
        if (doc->Header.Version < OldestOpenedVersion)
            return Fail(Input + ": " + WindowText(MsgVersionTooOld));

        const TPrivateImageFolder imageFolder;
        std::string failure;
        // A drawing that was not read to its end would be saved as a shorter drawing that looks
        // complete; such a copy is refused.
        if (!LoadJww(*doc, Input, &failure))
            return Fail(Input + ": the drawing could not be read completely (" + failure +
                        "); nothing was written");
        if (!SaveJww(*doc, Output, doc->Header.Version, &failure))
            return Fail(Output + ": the drawing could not be saved (" + failure + ")");
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
    std::ostream& Err;
};

}  // namespace

int CopyDrawing(const std::string& input, const std::string& output, std::ostream& err)
{
    try {
        return TCopy(input, output, err).Run();
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
    };
    const auto arguments = std::make_shared<TArguments>();
    command.add_option("IN", arguments->Input, "The drawing to read")->required();
    command.add_option("OUT", arguments->Output, "The new file to write")->required();
    return [arguments](std::ostream&, std::ostream& err) {
        return CopyDrawing(arguments->Input, arguments->Output, err);
    };
}
