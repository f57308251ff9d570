#include "cli/BatchReport.h"

#include <cstdio>
#include <utility>

#include "cli/CliText.h"

namespace {

constexpr std::size_t BarWidth = 30;

}  // namespace

TBatchReport::TBatchReport(std::ostream& out, std::ostream& err, std::size_t drawings,
                           bool progressBar, bool dryRun, std::string pictureFolder)
    : Out(out), Err(err), Drawings(drawings), ProgressBar(progressBar), DryRun(dryRun),
      PictureFolder(std::move(pictureFolder))
{
    if (ProgressBar)
        DrawBar();
}

void TBatchReport::Tell(const TBatchOutcome& outcome)
{
    const std::lock_guard lock(Mutex);
    for (const std::string& warning : outcome.Warnings)
        Line(Err, "zelvane-cli apply: " + warning);
    RuleChanges += outcome.RuleChanges;
    switch (outcome.Result) {
    case TBatchResult::Written:
        ++Written;
        if (DryRun || !ProgressBar)
            Line(Out, outcome.Message);
        for (const std::string& change : outcome.Changes)
            Line(Out, "  " + change);
        break;
    case TBatchResult::Skipped:
        ++Skipped;
        Line(Err, "zelvane-cli apply: " + outcome.Message);
        break;
    case TBatchResult::Failed:
        ++Failed;
        Line(Err, "zelvane-cli apply: " + outcome.Message);
        break;
    }
    if (ProgressBar)
        DrawBar();
}

void TBatchReport::Finish()
{
    const std::lock_guard lock(Mutex);
    if (ProgressBar)
        Err << '\n' << std::flush;
    const std::string drawings = CliText<"ApplyDrawingCount">(Drawings);
    const std::string values = CliText<"ApplyValueCount">(RuleChanges);
    if (!DryRun)
        Out << CliText<"ApplyDone">(drawings, Written, Skipped, Failed, values);
    else if (PictureFolder.empty())
        Out << CliText<"ApplyChecked">(drawings, Written, Skipped, Failed, values);
    else
        Out << CliText<"ApplyCheckedAndDrawn">(drawings, Written, Skipped, Failed, values,
                                               PictureFolder);
    Out << '\n' << std::flush;
}

int TBatchReport::ExitCode() const
{
    return Skipped + Failed == 0 ? 0 : 1;
}

void TBatchReport::Line(std::ostream& stream, const std::string& text)
{
    // The bar is taken off its line first, and drawn again below the new line.
    if (ProgressBar)
        Err << "\r\x1b[K" << std::flush;
    stream << text << '\n' << std::flush;
}

void TBatchReport::DrawBar()
{
    const std::size_t done = Written + Skipped + Failed;
    const std::size_t filled = Drawings == 0 ? BarWidth : done * BarWidth / Drawings;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::steady_clock::now() - Start)
                             .count();
    char time[32];
    std::snprintf(time, sizeof time, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    Err << "\r[" << std::string(filled, '#') << std::string(BarWidth - filled, '.') << "] "
        << done << "/" << Drawings << "  " << time << std::flush;
}
