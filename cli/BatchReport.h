// What a batch subcommand tells while it runs and when it ends: a progress bar on a terminal or
// one line per drawing otherwise, each failure with its file and reason, and a summary.
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

enum class TBatchResult { Written, Skipped, Failed };

// What became of one drawing.
struct TBatchOutcome {
    TBatchResult Result = TBatchResult::Failed;
    // Where it was written, or why not, starting with a path.
    std::string Message;
    // Warnings and values changed by a rule, each starting with the drawing's path.
    std::vector<std::string> Warnings;
    std::size_t RuleChanges = 0;
    // For a dry run: what the drawing would change, a line each.
    std::vector<std::string> Changes;
};

class TBatchReport {
public:
    // With progressBar, a bar on err shows the drawings done and the time taken; otherwise
    // every drawing written gets a line on out. A dry run tells what would be written, and
    // where it drew the results when it did.
    TBatchReport(std::ostream& out, std::ostream& err, std::size_t drawings, bool progressBar,
                 bool dryRun, std::string pictureFolder = {});

    // Tells what became of a drawing; any thread may call it.
    void Tell(const TBatchOutcome& outcome);
    // Ends the bar and writes the summary on out.
    void Finish();

    // 0 when every drawing was (or would be) written, 1 otherwise.
    int ExitCode() const;

private:
    void Line(std::ostream& stream, const std::string& text);
    void DrawBar();

    std::ostream& Out;
    std::ostream& Err;
    const std::size_t Drawings;
    const bool ProgressBar;
    const bool DryRun;
    const std::string PictureFolder;
    const std::chrono::steady_clock::time_point Start = std::chrono::steady_clock::now();
    std::mutex Mutex;
    std::size_t Written = 0;
    std::size_t Skipped = 0;
    std::size_t Failed = 0;
    std::size_t RuleChanges = 0;
};
