#include "cli/PendingOutputs.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "cli/DrawingLoad.h"
#include "jww/system_files.h"

void TPendingOutputs::Add(std::unique_ptr<TTempSibling> file, std::string input,
                          std::string output, TBatchOutcome outcome)
{
    std::vector<TPending> batch;
    {
        const std::lock_guard lock(Mutex);
        Waiting.push_back({std::move(file), std::move(input), std::move(output),
                           std::move(outcome)});
        if (Waiting.size() >= BatchSize)
            batch.swap(Waiting);
    }
    // Outside the lock, so that the other workers go on meanwhile.
    if (!batch.empty())
        Place(std::move(batch));
}

void TPendingOutputs::PlaceAll()
{
    std::vector<TPending> batch;
    {
        const std::lock_guard lock(Mutex);
        batch.swap(Waiting);
    }
    if (!batch.empty())
        Place(std::move(batch));
}

void TPendingOutputs::Place(std::vector<TPending> batch)
{
    std::vector<std::string> folders;
    for (const TPending& pending : batch)
        folders.push_back(Utf8Path(FsPath(pending.Output).parent_path()));
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());

    std::string notDurable;
    try {
        MakeFoldersDurable(folders);
    } catch (const std::exception& e) {
        notDurable = e.what();
    }
    for (TPending& pending : batch) {
        TBatchOutcome& outcome = pending.Outcome;
        try {
            if (!notDurable.empty())
                throw std::runtime_error(notDurable);
            // Never over a file that appeared since the drawing was taken.
            pending.File->PlaceAs(pending.Output, false);
        } catch (const std::exception& e) {
            outcome.Result = TBatchResult::Failed;
            outcome.Message = pending.Input + ": " + SaveFailure(pending.Output, e.what());
        }
        Report.Tell(outcome);
    }
    // The results are in place already, so a folder that cannot be synced is not reported.
    try {
        MakeFoldersDurable(folders);
    } catch (const std::exception&) {
    }
}
