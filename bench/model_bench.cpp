// Model core: file reading and writing, jitter.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/BenchModels.h"
#include "model/Model.h"
#include "model/ModelFileIO.h"

namespace {

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

zef::FileOps WithoutDiskFlush() {
    zef::FileOps ops = zef::SystemFileOps();
    ops.flush = [](int) { return 0; };
    return ops;
}

void ReadMillion(benchmark::State& state) {
    const std::string path = BenchFile("zef_bench_read.zfm");
    const zef::Model model = zef::bench::MakeStrokeModel(1'000'000);
    zef::WriteModelFile(path, model, WithoutDiskFlush());
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zef::ReadModelFile(path, model.properties));
    }
    state.SetBytesProcessed(size * state.iterations());
    state.SetLabel("read_1m_MBps");
    std::filesystem::remove(path);
}
BENCHMARK(ReadMillion)->Unit(benchmark::kMillisecond);

void WriteMillion(benchmark::State& state) {
    const std::string path = BenchFile("zef_bench_write.zfm");
    const zef::Model model = zef::bench::MakeStrokeModel(1'000'000);
    const zef::FileOps ops = WithoutDiskFlush();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zef::WriteModelFile(path, model, ops));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(std::filesystem::file_size(path)) *
                            state.iterations());
    state.SetLabel("write_1m_MBps");
    std::filesystem::remove(path);
}
BENCHMARK(WriteMillion)->Unit(benchmark::kMillisecond);

void ShakeHundredThousand(benchmark::State& state) {
    zef::Model model = zef::bench::MakeStrokeModel(100'000);
    zef::Random random(3);
    for (auto _ : state) {
        model.RegenerateShake(random);
        benchmark::ClobberMemory();
    }
    state.SetLabel("shake_100k_ms");
}
BENCHMARK(ShakeHundredThousand)->Unit(benchmark::kMillisecond);

}  // namespace
