// Load, save, table-filling and rendering throughput on large drawings.
//   zelvane-bench [benchmark flags] [DRAWING.jww ...]
// Without drawings it generates a 10 MB and a 200 MB drawing first.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "bench/BenchDrawings.h"
#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"
#include "render/RenderDrawing.h"
#include "tables/FillTables.h"
#include "tables/TableFrames.h"

namespace {

std::unique_ptr<TJwwDocument> LoadedDocument(benchmark::State& state, const TBenchDrawing& drawing)
{
    auto doc = std::make_unique<TJwwDocument>();
    std::string failure;
    if (!LoadJww(*doc, drawing.Path, &failure)) {
        state.SkipWithError((drawing.Path + ": " + failure).c_str());
        return nullptr;
    }
    return doc;
}

void BenchLoad(benchmark::State& state, const TBenchDrawing& drawing)
{
    const auto doc = std::make_unique<TJwwDocument>();
    for (auto _ : state) {
        // Freeing the previous drawing is the window's work before it opens a file, not the
        // load's.
        state.PauseTiming();
        ClearJww(*doc);
        state.ResumeTiming();
        if (!LoadJww(*doc, drawing.Path)) {
            state.SkipWithError("the drawing did not load");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(drawing.Bytes));
    state.counters["objects"] = doc->Header.EntityCount;
}

void BenchSave(benchmark::State& state, const TBenchDrawing& drawing)
{
    const auto doc = LoadedDocument(state, drawing);
    if (!doc)
        return;
    const std::string output = drawing.Path + ".bench-save.jww";
    for (auto _ : state) {
        if (!SaveJww(*doc, output, doc->Header.Version)) {
            state.SkipWithError("the drawing could not be saved");
            break;
        }
    }
    std::error_code error;
    const auto written = std::filesystem::file_size(output, error);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(error ? 0 : written));
    std::filesystem::remove(output, error);
}

void BenchFillTables(benchmark::State& state, const TBenchDrawing& drawing)
{
    const auto doc = LoadedDocument(state, drawing);
    if (!doc)
        return;
    TCellTable layerGroups = NewTable(TTableKind::LayerGroups);
    TCellTable layers = NewTable(TTableKind::Layers);
    TCellTable colors = NewTable(TTableKind::Colors);
    TCellTable lineTypes = NewTable(TTableKind::LineTypes);
    for (auto _ : state)
        FillTables(*doc, layerGroups, layers, colors, lineTypes);
    state.SetItemsProcessed(state.iterations() * doc->Header.EntityCount);
    state.counters["objects"] = doc->Header.EntityCount;
}

// The preview's work when a drawing is opened: every object to primitives.
void BenchRenderDrawing(benchmark::State& state, const TBenchDrawing& drawing)
{
    const auto doc = LoadedDocument(state, drawing);
    if (!doc)
        return;
    TRenderScene scene;
    for (auto _ : state) {
        scene.Clear();
        RenderDrawing(*doc, scene);
    }
    state.SetItemsProcessed(state.iterations() * doc->Header.EntityCount);
    state.counters["objects"] = doc->Header.EntityCount;
    state.counters["primitives"] = static_cast<double>(scene.Primitives.size());
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    try {
        // Loads extract images, and generated drawings go there too; all of it is removed
        // at the end.
        const TPrivateImageFolder scratch;
        const std::vector<TBenchDrawing> drawings =
            BenchDrawings(std::vector<std::string>(argv + 1, argv + argc), scratch.Path());
        // A large drawing loads a few times a second; two seconds of runs keep one slow run on
        // a busy machine from deciding the figure. CPU time is the whole process's, as a save
        // stores its file on a thread of its own.
        constexpr double MinSeconds = 2.0;
        for (const TBenchDrawing& drawing : drawings) {
            benchmark::RegisterBenchmark(("LoadJww/" + drawing.Name).c_str(), BenchLoad, drawing)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(MinSeconds)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
            benchmark::RegisterBenchmark(("SaveJww/" + drawing.Name).c_str(), BenchSave, drawing)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(MinSeconds)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
            benchmark::RegisterBenchmark(("FillTables/" + drawing.Name).c_str(), BenchFillTables,
                                         drawing)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(MinSeconds)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
            benchmark::RegisterBenchmark(("RenderDrawing/" + drawing.Name).c_str(),
                                         BenchRenderDrawing, drawing)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(MinSeconds)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
        }
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "zelvane-bench: " << error.what() << '\n';
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
