// Exports of the sample model: GIF export time, rendering included, without the flush to disk.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/SampleExports.h"
#include "export/ExportOptions.h"
#include "export/ExportRules.h"
#include "export/Exporters.h"
#include "export/StandaloneScene.h"

namespace {

using zef::bench::NoProgress;

// Exports the sample as zefcli does with --seed 1.
void ExportSample(benchmark::State& state, const char* label, zef::ExportKind kind,
                  std::int32_t width, std::int32_t height, bool antiAliasing) {
    const zef::Model sample = zef::bench::SampleModel();
    if (sample.points.empty()) {
        state.SkipWithError("the sample model cannot be read");
        return;
    }
    const std::string path =
        (std::filesystem::temp_directory_path() / "zef_bench_export.gif").string();
    zef::FileOps ops = zef::SystemFileOps();
    ops.flush = [](int) { return 0; };
    for (auto _ : state) {
        zef::StandaloneScene scene(sample, 1);
        NoProgress progress;
        const zef::ExportResult result =
            zef::ExportAnimatedGif(scene.View(),
                                   {path, kind, width, height, antiAliasing, false, 5,
                                    zef::FrameDelay(kind, zef::kMaxSmoothness)},
                                   progress, ops);
        if (!result.Succeeded()) {
            state.SkipWithError("the export failed");
        }
    }
    state.SetLabel(label);
    std::filesystem::remove(path);
}

void GifVtr(benchmark::State& state) {
    ExportSample(state, "gif_vtr_800x600_ms", zef::ExportKind::kVtr, 800, 600, false);
}
BENCHMARK(GifVtr)->Unit(benchmark::kMillisecond);

void GifShake(benchmark::State& state) {
    ExportSample(state, "gif_shake_800x600_ms", zef::ExportKind::kShaking, 800, 600, false);
}
BENCHMARK(GifShake)->Unit(benchmark::kMillisecond);

void GifVtrSmall(benchmark::State& state) {
    ExportSample(state, "gif_vtr_400x300_ms", zef::ExportKind::kVtr, 400, 300, false);
}
BENCHMARK(GifVtrSmall)->Unit(benchmark::kMillisecond);

void GifVtrAntiAliased(benchmark::State& state) {
    ExportSample(state, "gif_vtr_aa_400x300_ms", zef::ExportKind::kVtr, 400, 300, true);
}
BENCHMARK(GifVtrAntiAliased)->Unit(benchmark::kMillisecond);

}  // namespace
