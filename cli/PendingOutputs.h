// Results of a batch that are written beside their places but not yet durable or in place.
// Making each small file durable on its own costs many times writing it; a batch of them is
// made durable with one sync of the file system and then put in place, so that every result
// is whole under its name, or not there at all, even after a crash.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cli/AtomicFile.h"
#include "cli/BatchReport.h"

class TPendingOutputs {
public:
    explicit TPendingOutputs(TBatchReport& report) : Report(report) {}

    // Takes a closed temp file that is to become the output of the drawing at input, and the
    // outcome to tell once it has; places a batch once enough are waiting. Any thread may call
    // it.
    void Add(std::unique_ptr<TTempSibling> file, std::string input, std::string output,
             TBatchOutcome outcome);
    // Places every result still waiting.
    void PlaceAll();

private:
    struct TPending {
        std::unique_ptr<TTempSibling> File;
        std::string Input;
        std::string Output;
        TBatchOutcome Outcome;
    };

    // Enough that a sync is shared by many small drawings, few enough that a run that is
    // interrupted keeps most of what it did.
    static constexpr std::size_t BatchSize = 64;

    void Place(std::vector<TPending> batch);

    TBatchReport& Report;
    std::mutex Mutex;
    std::vector<TPending> Waiting;
};
