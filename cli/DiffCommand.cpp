// zelvane-cli diff OLD NEW: what changed between two drawings, as a review or as JSON; the exit
// status of diff and cmp.
#include <CLI/CLI.hpp>

#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "cli/CliCommands.h"
#include "cli/DiffReport.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "compare/DrawingComparison.h"
#include "compare/SameBytes.h"
#include "jww/private_image_folder.h"

namespace {

constexpr int ExitSame = 0;
constexpr int ExitDifferent = 1;
constexpr int ExitTrouble = 2;

struct TDiffArguments {
    std::string Old;
    std::string New;
    std::string Format = "text";
    bool TablesOnly = false;
    bool Objects = false;
};

// One drawing loaded and prepared in the thread whose temp image state holds its images.
struct TDiffSide {
    std::unique_ptr<TJwwDocument> Doc = std::make_unique<TJwwDocument>();
    TComparedDrawing Prepared;
    std::string Failure;  // why it could not be read, starting with its path
};

// Loads into side, with a folder of the calling thread's own for its images, which images
// holds: their temp files are compared with the other drawing's.
void LoadSide(const std::string& path, bool headerOnly, TDiffSide& side,
              std::optional<TPrivateImageFolder>& images)
{
    try {
        images.emplace();
        if (LoadWholeDrawing(*side.Doc, path, side.Failure))
            side.Prepared = PrepareComparison(*side.Doc, headerOnly);
    } catch (const std::exception& e) {
        // A file that cannot be opened, or no folder for its images.
        side.Failure = e.what();
    }
}

int Compare(const TDiffArguments& arguments, const TDiffSide& old, const TDiffSide& now,
            std::ostream& out, std::ostream& err)
{
    if (!old.Failure.empty() || !now.Failure.empty()) {
        for (const TDiffSide* side : {&old, &now})
            if (!side->Failure.empty())
                err << "zelvane-cli diff: " << side->Failure << '\n';
        return ExitTrouble;
    }
    const TDrawingComparison comparison = CompareDrawings(old.Prepared, now.Prepared);
    TDiffReport report{arguments.Old, arguments.New, old.Doc.get(), now.Doc.get(), &comparison};
    report.IdenticalFiles =
        comparison.Same() && SameBytes(arguments.Old, arguments.New, TFollowLinks::Yes);
    report.ListObjects = arguments.Objects;
    if (arguments.Format == "json")
        WriteDiffJson(report, out);
    else
        WriteDiffText(report, out);
    if (!(out << std::flush)) {
        err << "zelvane-cli diff: " << CliText<"StandardOutputUnwritable">() << '\n';
        return ExitTrouble;
    }
    return comparison.Same() ? ExitSame : ExitDifferent;
}

int RunDiff(const TDiffArguments& arguments, std::ostream& out, std::ostream& err)
{
    TDiffSide old;
    TDiffSide now;
    std::promise<void> newLoaded;
    std::promise<void> compared;
    try {
        // The new drawing loads on a thread of its own while this one loads the old; the thread
        // keeps its images until both drawings are compared.
        std::jthread newLoader([&] {
            std::optional<TPrivateImageFolder> images;
            LoadSide(arguments.New, arguments.TablesOnly, now, images);
            newLoaded.set_value();
            compared.get_future().wait();
        });
        std::optional<TPrivateImageFolder> images;
        LoadSide(arguments.Old, arguments.TablesOnly, old, images);
        newLoaded.get_future().wait();
        int exitCode = ExitTrouble;
        try {
            exitCode = Compare(arguments, old, now, out, err);
        } catch (const std::exception& e) {
            // A temp image or a drawing that cannot be read again.
            err << "zelvane-cli diff: " << e.what() << '\n';
        }
        compared.set_value();
        return exitCode;
    } catch (const std::exception& e) {
        // No thread.
        err << "zelvane-cli diff: " << e.what() << '\n';
        return ExitTrouble;
    }
}

}  // namespace

TCliAction DefineDiffCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TDiffArguments>();
    command.add_option("OLD", arguments->Old, CliText<"DiffOld">())->required();
    command.add_option("NEW", arguments->New, CliText<"DiffNew">())->required();
    command.add_option("--format", arguments->Format, CliText<"DiffFormatOption">())
        ->check(CLI::IsMember({"text", "json"}))
        ->capture_default_str();
    command.add_flag("--tables-only", arguments->TablesOnly,
                     CliText<"DiffTablesOnlyFlag">());
    command.add_flag("--objects", arguments->Objects, CliText<"DiffObjectsFlag">());
    command.footer(CliText<"DiffNotes">());
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunDiff(*arguments, out, err);
    };
}
