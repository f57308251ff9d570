// zelvane-cli diff OLD NEW: what changed between two drawings, as a review or as JSON; the exit
// status of diff and cmp.
#include <CLI/CLI.hpp>

#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "cli/CliCommands.h"
#include "cli/DiffReport.h"
#include "cli/DiffTexts.h"
#include "cli/DrawingLoad.h"
#include "compare/DrawingComparison.h"
#include "compare/SameBytes.h"
#include "jww/private_image_folder.h"

namespace {

constexpr std::string_view DiffNotes = R"(Compares what a save writes of each drawing, so that drawings differing only in what a
save normalises (attribute corrections, texts cleaned of control characters, header values
rebuilt, class numbering, images no text refers to) are the same:
  the format version and string form;
  the four tables field by field as the window shows them, the states, write layers, scales
  and protection of layer groups and layers, the paper size, the memo, and whether any other
  setting of the header differs;
  the objects of the drawing, compared as records with their base records and every field:
  objects have no identity, so an object counts as removed or added when no equal object is
  left to pair with it; the counts go by kind, layer group and layer, and --objects lists each
  with its kind, layer and place;
  block definitions and embedded images by name and content.
Layer groups and layers are named by hexadecimal digits, such as 0-A; drawing text is shown
as UTF-8, a byte of no code page 932 character as \xNN.
JSON (UTF-8): "same", "identicalFiles" (when the same), "objectsCompared" (false with
--tables-only, which leaves out "objects", "blockDefinitions" and "images"), "version",
"stringForm", "charactersReplaced" and "trailingBytes" as {"old", "new"}, "changes" (each with
"place": drawing, group, layer, color or linetype, "no" or "group" and "layer", "field", "old"
and "new" as the window's texts), "otherSettingsDiffer", "objects" ("added", "removed",
"byKind", "byGroup", "byLayer", "reordered", with --objects "list" of "change", "index",
"kind", "group", "layer", "description"), "blockDefinitions" and "images" (each "name" and
"change": removed, added or changed).
Exit status: 0 the same content, 1 different, 2 trouble (a file that is not a drawing or
cannot be read, with the reason on standard error) or a usage error.
)";

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
        err << "zelvane-cli diff: " << DiffText(TDiffText::OutputUnwritable) << '\n';
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
    command.add_option("OLD", arguments->Old, "The earlier drawing")->required();
    command.add_option("NEW", arguments->New, "The later drawing")->required();
    command.add_option("--format", arguments->Format, "text or json")
        ->check(CLI::IsMember({"text", "json"}))
        ->capture_default_str();
    command.add_flag("--tables-only", arguments->TablesOnly,
                     "Compare the header alone: tables, layer states and settings");
    command.add_flag("--objects", arguments->Objects, "List every object only in one drawing");
    command.footer(std::string(DiffNotes));
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunDiff(*arguments, out, err);
    };
}
