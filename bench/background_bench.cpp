// The export dialog's file made in the background: the time from Start until its exact size is
// known, against the plain export of the same request (sample model, 800 x 600 VTR GIF), and
// the time OK then takes to put it in place.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "BackgroundExport.h"
#include "ExportRules.h"
#include "ModelFileIO.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kSample = ZEF_SAMPLE_MODEL;

struct NoProgress : zef::ExportProgress {
    void SetStatusText(const std::string&) override {}
    void SetProgressRange(std::int32_t, std::int32_t) override {}
    void StepProgress() override {}
    void PumpOneEvent() override {}
    void FrameRendered(const zef::RenderReport&) override {}
    bool CancelRequested() const override { return false; }
};

zef::Model Sample() {
    zef::LoadResult loaded = zef::ReadModelFile(kSample, zef::ModelProperties{});
    zef::Model model;
    if (loaded.model) {
        model.properties = loaded.model->properties;
        model.points = std::move(loaded.model->points);
    }
    return model;
}

zef::ExportJob SampleJob(const std::string& name) {
    const std::string path = (fs::temp_directory_path() / name).string();
    return {zef::ExportFormat::kGif,
            {path, zef::ExportKind::kVtr, 800, 600, false, false, 5,
             zef::FrameDelay(zef::ExportKind::kVtr, zef::kMaxSmoothness)},
            {},
            {}};
}

// Polls as the dialog's timer would, only more often.
double MillisecondsUntilSettled(const zef::BackgroundExport& background, Clock::time_point start) {
    while (background.Status().state == zef::BackgroundState::kRunning) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void SizeKnownVsExport(benchmark::State& state) {
    const zef::Model model = Sample();
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
    const zef::Model model = Sample();
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
