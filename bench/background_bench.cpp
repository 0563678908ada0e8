// The export dialog's pane without its widgets: the peak memory of a 2,000-frame export made in
// the background while the preview plays it; the time from an option change to the preview's
// first frame; the time from Start until the file's exact size is known, against the plain
// export of the same request (sample model, 800 x 600 VTR GIF), and the time OK then takes to
// put it in place.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/sessions/BackgroundExport.h"
#include "app/sessions/PreviewPlayback.h"
#include "bench/SampleExports.h"
#include "export/ExportRules.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

using zef::bench::NoProgress;
using zef::bench::SampleModel;

zef::ExportRequest Replay(std::int32_t width, std::int32_t height, std::int32_t endWait) {
    return {.path = (fs::temp_directory_path() / "zef_bench_preview.gif").string(),
            .kind = zef::ExportKind::kVtr,
            .width = width,
            .height = height,
            .endWait = endWait,
            .frameDelay = zef::FrameDelay(zef::ExportKind::kVtr, zef::kMaxSmoothness)};
}

zef::ExportJob SampleJob(const std::string& name) {
    const std::string path = (fs::temp_directory_path() / name).string();
    return {zef::ExportFormat::kGif,
            {path, zef::ExportKind::kVtr, 800, 600, false, false, 5,
             zef::FrameDelay(zef::ExportKind::kVtr, zef::kMaxSmoothness)},
            {},
            {}};
}

// The peak first, before any other figure of this program has grown the process: the sample's
// replay held 114 s at its end (2,008 frames) made in the background, while the preview takes
// its frames as a playing pane would.
void PeakWithPaneOpen(benchmark::State& state) {
    const zef::Model model = SampleModel();
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
    zef::PreviewPlayback playback(SampleModel(), 1);
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

// Polls as the dialog's timer would, only more often.
double MillisecondsUntilSettled(const zef::BackgroundExport& background, Clock::time_point start) {
    while (background.Status().state == zef::BackgroundState::kRunning) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void SizeKnownVsExport(benchmark::State& state) {
    const zef::Model model = SampleModel();
    const zef::ExportJob job = SampleJob("zef_bench_background.gif");
    double ratio = 0;
    for (auto _ : state) {
        NoProgress progress;
        const Clock::time_point plainStart = Clock::now();
        zef::ExportPlainly(job, model, {}, 1, progress);
        const double plain =
            std::chrono::duration<double, std::milli>(Clock::now() - plainStart).count();
        zef::BackgroundExport background(model, {}, 1);
        const Clock::time_point start = Clock::now();
        background.Start(job);
        ratio = MillisecondsUntilSettled(background, start) / plain;
        if (background.Status().state != zef::BackgroundState::kReady) {
            state.SkipWithError("the background export failed");
        }
    }
    state.counters["value"] = ratio;
    state.SetLabel("size_known_vs_export_ratio");
    fs::remove(job.request.path);
}
BENCHMARK(SizeKnownVsExport)->Iterations(1)->Unit(benchmark::kMillisecond);

void OkAfterSizeKnown(benchmark::State& state) {
    const zef::Model model = SampleModel();
    const zef::ExportJob job = SampleJob("zef_bench_background_ok.gif");
    for (auto _ : state) {
        zef::BackgroundExport background(model, {}, 1);
        background.Start(job);
        MillisecondsUntilSettled(background, Clock::now());
        NoProgress progress;
        const Clock::time_point start = Clock::now();
        const zef::ExportResult result = background.Place(job, progress);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!result.Succeeded()) {
            state.SkipWithError("placing the file failed");
        }
    }
    state.SetLabel("ok_after_size_known_ms");
    fs::remove(job.request.path);
}
BENCHMARK(OkAfterSizeKnown)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
