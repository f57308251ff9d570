// The drawings the benchmarks run on: files named on the command line, or generated ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TBenchDrawing {
    std::string Name;  // the file name without its extension, shown in the benchmark's name
    std::string Path;
    uint64_t Bytes = 0;
};

// The drawings at the given paths; without paths, a 10 MB and a 200 MB drawing generated into
// folder. Raises std::runtime_error when a drawing cannot be read or generated.
std::vector<TBenchDrawing> BenchDrawings(const std::vector<std::string>& paths,
                                         const std::string& folder);

// A drawing of about the given size generated into folder as NAME.jww, whose images go to
// TempImageFolder; another seed gives other objects. Raises std::runtime_error when it cannot
// be saved.
TBenchDrawing GenerateBenchDrawing(const std::string& folder, const std::string& name,
                                   uint64_t bytes, uint32_t seed = 1);
