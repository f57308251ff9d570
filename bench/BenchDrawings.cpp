#include "bench/BenchDrawings.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "jww/jwwunit.h"
#include "testing/DrawingGenerator.h"

namespace {

TBenchDrawing DrawingAt(const std::string& path)
{
    std::error_code error;
    const uint64_t bytes = std::filesystem::file_size(path, error);
    if (error)
        throw std::runtime_error(path + ": " + error.message());
    return {std::filesystem::path(path).stem().string(), path, bytes};
}

}  // namespace

TBenchDrawing GenerateBenchDrawing(const std::string& folder, const std::string& name,
                                   uint64_t bytes, uint32_t seed)
{
    const std::string path = (std::filesystem::path(folder) / (name + ".jww")).string();
    TGeneratorOptions options;
    options.TargetBytes = bytes;
    options.Seed = seed;
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, options);
    std::string failure;
    if (!SaveJww(*doc, path, options.Version, &failure))
        throw std::runtime_error(path + ": " + failure);
    return DrawingAt(path);
}

std::vector<TBenchDrawing> BenchDrawings(const std::vector<std::string>& paths,
                                         const std::string& folder)
{
    std::vector<TBenchDrawing> drawings;
    if (paths.empty()) {
        drawings.push_back(GenerateBenchDrawing(folder, "10MB", 10'000'000));
        drawings.push_back(GenerateBenchDrawing(folder, "200MB", 200'000'000));
    }
    for (const std::string& path : paths)
        drawings.push_back(DrawingAt(path));
    return drawings;
}
