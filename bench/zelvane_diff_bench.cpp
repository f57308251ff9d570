// zelvane-cli diff on large drawings beside a load of both drawings.
//   zelvane-diff-bench [benchmark flags] [DRAWING.jww ...]
// Each drawing is compared with a revision of it (a layer renamed, an SXF colour changed, one
// line in a thousand moved), with a plain copy, and, for generated drawings, with a drawing
// generated from another seed, whose objects all differ. Without drawings it generates a 10 MB
// and a 200 MB drawing first.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <streambuf>

#include "bench/BenchDrawings.h"
#include "cli/CliCommands.h"
#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"

namespace {

// The exit status of diff for drawings of the same content and for different ones.
constexpr int Same = 0;
constexpr int Different = 1;

// Takes every byte, so that the report costs its writing but no terminal.
class TDiscardingBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The revision of the drawing saved beside it; its images come along through TempImageFolder.
TBenchDrawing Revised(const TBenchDrawing& drawing, const std::string& folder)
{
    const auto doc = std::make_unique<TJwwDocument>();
    std::string failure;
    if (!LoadJww(*doc, drawing.Path, &failure))
        throw std::runtime_error(drawing.Path + ": " + failure);
    doc->LayerTable.at(2).Name = "\x8B\xEC\x91\xCC\x95\xC7";  // 躯体壁
    doc->ColorExTable.at(1).ScreenColor ^= 0xFF;
    for (std::size_t i = 0; i < doc->SenList.size(); i += 1000)
        doc->SenList[i].StartX += 1000.0;
    const std::string path =
        (std::filesystem::path(folder) / (drawing.Name + "-revised.jww")).string();
    if (!SaveJww(*doc, path, doc->Header.Version, &failure))
        throw std::runtime_error(path + ": " + failure);
    return {drawing.Name + "-revised", path, std::filesystem::file_size(path)};
}

TBenchDrawing Copied(const TBenchDrawing& drawing, const std::string& folder)
{
    const std::string path = (std::filesystem::path(folder) / (drawing.Name + "-copy.jww")).string();
    std::filesystem::copy_file(drawing.Path, path);
    return {drawing.Name + "-copy", path, drawing.Bytes};
}

void BenchLoadBoth(benchmark::State& state, const TBenchDrawing& old, const TBenchDrawing& now)
{
    const TPrivateImageFolder images;
    const auto oldDoc = std::make_unique<TJwwDocument>();
    const auto newDoc = std::make_unique<TJwwDocument>();
    for (auto _ : state) {
        state.PauseTiming();
        ClearJww(*oldDoc);
        ClearJww(*newDoc);
        state.ResumeTiming();
        if (!LoadJww(*oldDoc, old.Path) || !LoadJww(*newDoc, now.Path)) {
            state.SkipWithError("a drawing did not load");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(old.Bytes + now.Bytes));
}

void BenchDiff(benchmark::State& state, const TBenchDrawing& old, const TBenchDrawing& now,
               int expectedExit)
{
    TDiscardingBuffer discarded;
    std::ostream out(&discarded);
    const std::vector<std::string> arguments{"zelvane-cli", "diff", old.Path, now.Path};
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    for (auto _ : state) {
        if (RunZelvaneCli(static_cast<int>(argv.size()), argv.data(), out, std::cerr) !=
            expectedExit) {
            state.SkipWithError("diff did not exit as expected");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(old.Bytes + now.Bytes));
}

template <class TBench, class... TArguments>
void Register(const std::string& name, TBench bench, const TArguments&... arguments)
{
    // Diff loads on two threads: CPU time is the whole process's.
    benchmark::RegisterBenchmark(name.c_str(), bench, arguments...)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    try {
        const TPrivateImageFolder scratch;
        const std::vector<std::string> paths(argv + 1, argv + argc);
        for (const TBenchDrawing& drawing : BenchDrawings(paths, scratch.Path())) {
            const TBenchDrawing revised = Revised(drawing, scratch.Path());
            const TBenchDrawing copy = Copied(drawing, scratch.Path());
            Register("LoadBoth/" + drawing.Name, BenchLoadBoth, drawing, revised);
            Register("Diff/" + revised.Name, BenchDiff, drawing, revised, Different);
            Register("Diff/" + copy.Name, BenchDiff, drawing, copy, Same);
            if (!paths.empty())
                continue;
            const TBenchDrawing other = GenerateBenchDrawing(
                scratch.Path(), drawing.Name + "-other", drawing.Bytes, 2);
            Register("Diff/" + other.Name, BenchDiff, drawing, other, Different);
        }
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "zelvane-diff-bench: " << error.what() << '\n';
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
