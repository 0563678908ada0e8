// The export dialog's pane without its widgets: the time from an option change to the
// preview's first frame, and the peak memory of a 2,000-frame export made in the background
// while the preview plays it.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "BackgroundExport.h"
#include "ExportOptions.h"
#include "ExportRules.h"
#include "ModelFileIO.h"
#include "PreviewPlayback.h"

namespace {

zef::Model Sample() {
    const zef::LoadResult loaded = zef::ReadModelFile(ZEF_SAMPLE_MODEL, zef::ModelProperties{});
    zef::Model model;
    if (loaded.model) {
        model.properties = loaded.model->properties;
        model.points = loaded.model->points;
    }
    return model;
}

zef::ExportRequest Replay(std::int32_t width, std::int32_t height, std::int32_t endWait) {
    return {.path = (std::filesystem::temp_directory_path() / "zef_bench_preview.gif").string(),
            .kind = zef::ExportKind::kVtr,
            .width = width,
            .height = height,
            .endWait = endWait,
            .frameDelay = zef::FrameDelay(zef::ExportKind::kVtr, zef::kMaxSmoothness)};
}

// The peak first, before any other figure of this program has grown the process: the sample's
// replay held 114 s at its end (2,008 frames) made in the background, while the preview takes
// its frames as a playing pane would.
void PeakWithPaneOpen(benchmark::State& state) {
    const zef::Model model = Sample();
    for (auto _ : state) {
        zef::PreviewPlayback playback(model, 1);
        zef::BackgroundExport background(model, {}, 1);
        const zef::ExportRequest request = Replay(800, 600, 114);
        playback.Play(zef::ExportFormat::kGif, request);
        background.Start({.format = zef::ExportFormat::kGif, .request = request});
        zef::PreviewPlayback::Frame frame;
        while (background.Status().state == zef::BackgroundState::kRunning) {
            playback.Take(frame);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (background.Status().state != zef::BackgroundState::kReady) {
            state.SkipWithError("the background export failed");
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["value"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.SetLabel("preview_peak_rss_mb");
}
BENCHMARK(PeakWithPaneOpen)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

// While the sample's replay plays at 800 x 600, the size changes by a pixel: the time until
// the new size's first frame is made.
void PreviewFirstFrame(benchmark::State& state) {
    zef::PreviewPlayback playback(Sample(), 1);
    zef::PreviewPlayback::Frame frame;
    playback.Play(zef::ExportFormat::kGif, Replay(800, 600, 5));
    playback.WaitAndTake(frame);
    std::int32_t width = 800;
    for (auto _ : state) {
        width = width == 800 ? 799 : 800;
        playback.Play(zef::ExportFormat::kGif, Replay(width, 600, 5));
        playback.WaitAndTake(frame);
    }
    state.SetLabel("preview_first_frame_ms");
}
BENCHMARK(PreviewFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
