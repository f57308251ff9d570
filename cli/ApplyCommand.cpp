// zelvane-cli apply EDITS DRAWING... --out-dir DIR: applies one set of table edits to many
// drawings in one process, on several workers side by side; a dry run may draw each result.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/BatchDrawings.h"
#include "cli/BatchReport.h"
#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "cli/EditsFile.h"
#include "cli/PendingOutputs.h"
#include "cli/PictureFile.h"
#include "cli/TableChanges.h"
#include "cli/TableImport.h"
#include "cli/Terminal.h"
#include "jww/private_image_folder.h"
#include "jww/system_files.h"
#include "tables/WindowTables.h"

namespace fs = std::filesystem;

namespace {

struct TApplyArguments {
    std::string Edits;
    std::vector<std::string> Drawings;
    std::string OutDir;
    unsigned Jobs = 0;
    std::string Suffix;
    std::string Encoding;
    bool Check = false;
    bool AllowLoss = false;
    // Where a dry run draws each result, and in which format; no pictures when empty.
    std::string RenderDir;
    std::string RenderFormat = "svg";
};

// One worker: its own document and temp image folder, kept for every drawing it takes.
class TApplyWorker {
public:
    TApplyWorker(const TApplyArguments& arguments, const std::vector<TCellEdit>& edits,
                 TBatchReport& report, TPendingOutputs& pending)
        : Arguments(arguments), Edits(edits), Report(report), Pending(pending),
          Doc(std::make_unique<TJwwDocument>())
    {
    }

    void Apply(const TBatchDrawing& drawing)
    {
        TBatchOutcome outcome;
        try {
            if (Work(drawing, outcome))
                return;
        } catch (const std::exception& e) {
            // A drawing that cannot be opened at all, no file beside the output, or memory
            // that ran out.
            outcome.Result = TBatchResult::Failed;
            outcome.Message = drawing.Input + ": " + e.what();
        }
        Report.Tell(outcome);
    }

private:
    // True when the result waits to be put in place, which tells the outcome then.
    bool Work(const TBatchDrawing& drawing, TBatchOutcome& outcome)
    {
        // The next drawing's images must not meet this one's.
        const TImagesOfOneDrawing images;
        if (const std::string clash = Clash(drawing); !clash.empty()) {
            outcome.Result = TBatchResult::Skipped;
            outcome.Message = clash;
            return false;
        }
        std::string whyNot;
        if (!LoadWholeDrawing(*Doc, drawing.Input, whyNot)) {
            outcome.Message = whyNot;
            return false;
        }
        if (const std::string refusal = SaveLossRefusal(*Doc, drawing.Input, Arguments.AllowLoss);
            !refusal.empty()) {
            outcome.Message = refusal;
            return false;
        }
        for (const std::string& warning : SaveLossWarnings(*Doc))
            outcome.Warnings.push_back(drawing.Input + ": " + CliText<"Warning">(warning));
        const std::unique_ptr<TWindowTables> before =
            Arguments.Check ? std::make_unique<TWindowTables>(*Doc) : nullptr;
        const std::vector<std::string> ruleChanges = ApplyTableEdits(Edits, *Doc);
        for (const std::string& change : ruleChanges)
            outcome.Warnings.push_back(drawing.Input + ": " + Arguments.Edits + ": " + change);
        outcome.RuleChanges = ruleChanges.size();
        if (Arguments.Check) {
            outcome.Changes = TableChanges(*before, TWindowTables(*Doc));
            outcome.Result = TBatchResult::Written;
            if (!Arguments.RenderDir.empty())
                return Draw(drawing, outcome);
            outcome.Message = CliText<"ApplyWouldBeWritten">(outcome.Changes.size(), drawing.Input,
                                                             drawing.Output);
            return false;
        }
        fs::create_directories(FsPath(drawing.Output).parent_path());
        auto file = std::make_unique<TTempSibling>(drawing.Output);
        {
            TJwwWriter w(file->Descriptor());
            std::string failure;
            if (!SaveJww(*Doc, w, Doc->Header.Version, &failure)) {
                outcome.Message = drawing.Input + ": " + SaveFailure(drawing.Output, failure);
                return false;
            }
        }
        file->Close();
        outcome.Result = TBatchResult::Written;
        outcome.Message = CliText<"ApplyWritten">(drawing.Input, drawing.Output);
        Pending.Add(std::move(file), drawing.Input, drawing.Output, std::move(outcome));
        return true;
    }

    // The picture of the edited drawing, in RenderDir where its result would go in the output
    // folder, under the result's name with the picture's extension.
    bool Draw(const TBatchDrawing& drawing, TBatchOutcome& outcome)
    {
        const bool png = Arguments.RenderFormat == "png";
        const std::string picture = Utf8Path(
            (FsPath(Arguments.RenderDir) / FsPath(drawing.Place)).replace_extension(png ? ".png" : ".svg"));
        std::error_code error;
        if (fs::exists(fs::symlink_status(FsPath(picture), error))) {
            outcome.Result = TBatchResult::Skipped;
            outcome.Message = CliText<"ApplyOutputExists">(drawing.Input, picture);
            return false;
        }
        try {
            fs::create_directories(FsPath(picture).parent_path());
            auto file = std::make_unique<TTempSibling>(picture);
            WritePicture(*Doc, TPictureOptions{}, png ? TPictureFormat::Png : TPictureFormat::Svg,
                         *file);
            file->Close();
            outcome.Message = CliText<"ApplyWouldBeWrittenDrawn">(
                outcome.Changes.size(), drawing.Input, drawing.Output, picture);
            Pending.Add(std::move(file), drawing.Input, picture, std::move(outcome));
            return true;
        } catch (const std::exception& e) {
            outcome.Result = TBatchResult::Failed;
            outcome.Message = drawing.Input + ": " + CliText<"OutputNotWritten">(picture, e.what());
            return false;
        }
    }

    std::string Clash(const TBatchDrawing& drawing) const
    {
        if (!drawing.Refusal.empty())
            return drawing.Refusal;
        if (IsSameFile(drawing.Input, drawing.Output))
            return CliText<"ApplyIsTheDrawing">(drawing.Input, drawing.Output);
        if (IsSameFile(Arguments.Edits, drawing.Output))
            return CliText<"ApplyIsTheEdits">(drawing.Input, drawing.Output);
        std::error_code error;
        if (fs::exists(fs::symlink_status(FsPath(drawing.Output), error)))
            return CliText<"ApplyOutputExists">(drawing.Input, drawing.Output);
        return {};
    }

    // Deletes the images a drawing's load extracted, however its work ends.
    struct TImagesOfOneDrawing {
        ~TImagesOfOneDrawing()
        {
            DeleteTempImageFiles();
            ClearTempImageList();
        }
    };

    const TApplyArguments& Arguments;
    const std::vector<TCellEdit>& Edits;
    TBatchReport& Report;
    TPendingOutputs& Pending;
    std::unique_ptr<TJwwDocument> Doc;
};

// Runs the drawings on the workers; each takes the next drawing not yet taken. Raises what
// kept a worker from starting, once every worker has ended.
void RunWorkers(const TApplyArguments& arguments, const std::vector<TCellEdit>& edits,
                const std::vector<TBatchDrawing>& drawings, TBatchReport& report)
{
    TPendingOutputs pending(report);
    std::atomic<std::size_t> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    const auto work = [&] {
        try {
            // The temp image state is the thread's own, and so is this folder.
            const TPrivateImageFolder imageFolder;
            TApplyWorker worker(arguments, edits, report, pending);
            for (std::size_t i = next++; i < drawings.size(); i = next++)
                worker.Apply(drawings[i]);
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            failure = std::current_exception();
        }
    };
    const std::size_t jobs = std::min<std::size_t>(arguments.Jobs, drawings.size());
    {
        std::vector<std::jthread> workers;
        for (std::size_t j = 1; j < jobs; ++j)
            workers.emplace_back(work);
        if (jobs > 0)
            work();
    }
    pending.PlaceAll();
    if (failure)
        std::rethrow_exception(failure);
}

int RunApply(const TApplyArguments& arguments, std::ostream& out, std::ostream& err)
{
    const auto usage = [&err](const std::string& message) {
        err << "zelvane-cli apply: " << CliText<"NothingWritten">(message) << '\n';
        return ExitUsage;
    };
    if (arguments.Suffix.find_first_of("/\\") != std::string::npos)
        return usage(CliText<"ApplySuffixSeparator">(arguments.Suffix));
    std::error_code error;
    for (const std::string& folder : {arguments.OutDir, arguments.RenderDir})
        if (!folder.empty() && fs::exists(FsPath(folder), error) &&
            !fs::is_directory(FsPath(folder), error))
            return usage(CliText<"ApplyNotAFolder">(folder));

    std::vector<TCellEdit> edits;
    try {
        edits = ReadTableEdits(ReadWholeFile(arguments.Edits), EncodingNamed(arguments.Encoding));
    } catch (const ETableTextError& e) {
        return usage(arguments.Edits + ": " + e.what());
    } catch (const std::exception& e) {
        // The edits file cannot be read.
        return usage(e.what());
    }

    const TBatchDrawings found = FindBatchDrawings(arguments.Drawings, arguments.OutDir,
                                                   arguments.Suffix);
    for (const std::string& folder : found.EmptyFolders)
        err << "zelvane-cli apply: " << CliText<"ApplyNoDrawingsInFolder">(folder) << '\n';
    if (!arguments.Check && !fs::is_directory(FsPath(arguments.OutDir), error) &&
        !fs::create_directories(FsPath(arguments.OutDir), error))
        return usage(CliText<"ApplyFolderNotCreated">(arguments.OutDir, error.message()));

    TBatchReport report(out, err, found.Drawings.size(), IsTerminal(err), arguments.Check,
                        arguments.RenderDir);
    try {
        RunWorkers(arguments, edits, found.Drawings, report);
    } catch (const std::exception& e) {
        // No temp image folder for a worker, or no thread.
        err << "zelvane-cli apply: " << e.what() << '\n';
        return ExitFailure;
    }
    report.Finish();
    return report.ExitCode();
}

}  // namespace

TCliAction DefineApplyCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TApplyArguments>();
    arguments->Jobs = std::max(1u, std::thread::hardware_concurrency());
    command.add_option("EDITS", arguments->Edits, CliText<"EditsArgument">())->required();
    command.add_option("DRAWING", arguments->Drawings, CliText<"ApplyDrawings">())->required();
    command.add_option("--out-dir", arguments->OutDir, CliText<"ApplyOutDirOption">())
        ->required();
    command.add_option("--jobs", arguments->Jobs, CliText<"ApplyJobsOption">())
        ->check(CLI::Range(1u, 1024u))
        ->capture_default_str();
    command.add_option("--suffix", arguments->Suffix, CliText<"ApplySuffixOption">());
    command.add_option("--encoding", arguments->Encoding, CliText<"EditsEncodingOption">())
        ->check(CLI::IsMember({"utf-8", "cp932"}));
    CLI::Option* check = command.add_flag("--check", arguments->Check, CliText<"ApplyCheckFlag">());
    command.add_option("--render", arguments->RenderDir, CliText<"ApplyRenderOption">())
        ->needs(check);
    command.add_option("--render-format", arguments->RenderFormat, CliText<"ApplyRenderFormatOption">())
        ->check(CLI::IsMember({"svg", "png"}))
        ->capture_default_str();
    AddAllowLossFlag(command, arguments->AllowLoss);
    command.footer(CliText<"ApplyNotes">());
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunApply(*arguments, out, err);
    };
}
