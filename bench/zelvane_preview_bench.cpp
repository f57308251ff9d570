// The preview's frame time on large drawings: a 1280 x 800 frame drawn afresh with the whole
// drawing in view, and after zooming in about its centre, with and without a highlighted layer;
// and the frame shown while the wheel still turns, which moves and scales the last one; and a
// pick under the pointer, at points spread over the frame, with the whole drawing in view and
// zoomed in. A frame of a dense drawing seen from afar is taken from its far views.
//   zelvane-preview-bench [benchmark flags] [DRAWING.jww ...]
// Without drawings it generates a 10 MB and a 200 MB drawing first. Runs on Qt's offscreen
// platform unless another is asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "bench/BenchDrawings.h"
#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"
#include "ui/qt/PreviewPane.h"

namespace {

const QSize FrameSize(1280, 800);

struct TPreviewFrame {
    double Zoom;           // 1: the whole drawing
    bool Highlighted;      // layer 0-0 highlighted, the rest greyed
};

const QPointF FrameCentre(FrameSize.width() / 2.0, FrameSize.height() / 2.0);

// A pane of the frame's size showing the drawing, fitted; false when it does not load.
bool ShowIn(TPreviewPane& pane, benchmark::State& state, const TBenchDrawing& drawing)
{
    const auto doc = std::make_unique<TJwwDocument>();
    if (!LoadJww(*doc, drawing.Path)) {
        state.SkipWithError("the drawing did not load");
        return false;
    }
    pane.resize(FrameSize);
    pane.ShowDrawing(*doc);
    return true;
}

// A dense drawing's far views are drawn once after it is shown, which the frames wait for; how
// long that took is a counter of its own.
void BenchFrame(benchmark::State& state, const TBenchDrawing& drawing, TPreviewFrame frame)
{
    TPreviewPane pane;
    if (!ShowIn(pane, state, drawing))
        return;
    const auto shown = std::chrono::steady_clock::now();
    pane.WaitForFarViews();
    state.counters["far_views_s"] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
    pane.ZoomAt(FrameCentre, frame.Zoom);
    if (frame.Highlighted)
        pane.Highlight(TRenderFilter{0, 0, {}, {}});
    QImage image(FrameSize, QImage::Format_RGB32);
    for (auto _ : state)
        pane.PaintFrame(image);
    state.counters["primitives"] = static_cast<double>(pane.Scene().Primitives.size());
}

void BenchMovingFrame(benchmark::State& state, const TBenchDrawing& drawing)
{
    TPreviewPane pane;
    if (!ShowIn(pane, state, drawing))
        return;
    QImage image(FrameSize, QImage::Format_RGB32);
    pane.render(&image);
    for (auto _ : state) {
        pane.ZoomAt(FrameCentre, 1.01);
        pane.render(&image);
    }
}

// Picks at points of a grid over the frame in turn, so that crowded and empty places both count.
void BenchPick(benchmark::State& state, const TBenchDrawing& drawing, double zoom)
{
    TPreviewPane pane;
    if (!ShowIn(pane, state, drawing))
        return;
    pane.ZoomAt(FrameCentre, zoom);
    constexpr int GridSteps = 16;
    int step = 0;
    std::size_t picked = 0;
    for (auto _ : state) {
        const QPointF at((step % GridSteps + 0.5) * FrameSize.width() / GridSteps,
                         (step / GridSteps % GridSteps + 0.5) * pane.DrawingSize().height() / GridSteps);
        picked += pane.PickAt(at).has_value() ? 1 : 0;
        ++step;
    }
    state.counters["hits"] = benchmark::Counter(static_cast<double>(picked) / static_cast<double>(step));
}

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    try {
        const TPrivateImageFolder scratch;
        const std::vector<TBenchDrawing> drawings =
            BenchDrawings(std::vector<std::string>(argv + 1, argv + argc), scratch.Path());
        for (const TBenchDrawing& drawing : drawings) {
            for (const auto& [name, frame] :
                 {std::pair("fit", TPreviewFrame{1, false}), std::pair("zoom4", TPreviewFrame{4, false}),
                  std::pair("zoom32", TPreviewFrame{32, false}),
                  std::pair("fit-highlight", TPreviewFrame{1, true}),
                  std::pair("zoom4-highlight", TPreviewFrame{4, true})})
                benchmark::RegisterBenchmark(
                    ("PreviewFrame/" + drawing.Name + "/" + name).c_str(), BenchFrame, drawing, frame)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            benchmark::RegisterBenchmark(("PreviewFrame/" + drawing.Name + "/wheel-turning").c_str(),
                                         BenchMovingFrame, drawing)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            for (const auto& [name, zoom] : {std::pair("fit", 1.0), std::pair("zoom32", 32.0)})
                benchmark::RegisterBenchmark(("PreviewPick/" + drawing.Name + "/" + name).c_str(), BenchPick,
                                             drawing, zoom)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
        }
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "zelvane-preview-bench: " << error.what() << '\n';
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
