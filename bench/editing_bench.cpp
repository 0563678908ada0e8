// Editing on a large model: deleting and straightening everything selected, and framing a
// range selection.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/BenchModels.h"
#include "canvas/RangeSelection.h"
#include "model/EditCommands.h"
#include "model/Model.h"

namespace {

// The benchmark stroke model with every point selected.
zef::Model MakeSelectedModel(int count) {
    zef::Model model = zef::bench::MakeStrokeModel(count);
    for (zef::PointRecord& point : model.points) {
        point.selected = 1;
    }
    return model;
}

void DeleteMillion(benchmark::State& state) {
    const zef::Model original = MakeSelectedModel(1'000'000);
    zef::SelectionState selection;
    for (auto _ : state) {
        state.PauseTiming();
        zef::Model model = original;
        selection.selectionExists = true;
        state.ResumeTiming();
        benchmark::DoNotOptimize(zef::DeleteSelectedSegments(model, selection));
        state.PauseTiming();
        model = zef::Model{};
        state.ResumeTiming();
    }
    state.SetLabel("delete_1m_ms");
}
BENCHMARK(DeleteMillion)->Unit(benchmark::kMillisecond);

void StraightenMillion(benchmark::State& state) {
    const zef::Model original = MakeSelectedModel(1'000'000);
    for (auto _ : state) {
        state.PauseTiming();
        zef::Model model = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(zef::StraightenSelection(model));
        state.PauseTiming();
        model = zef::Model{};
        state.ResumeTiming();
    }
    state.SetLabel("straighten_1m_ms");
}
BENCHMARK(StraightenMillion)->Unit(benchmark::kMillisecond);

void SelectRectangleMillion(benchmark::State& state) {
    zef::Model model = MakeSelectedModel(1'000'000);
    zef::SelectionState selection;
    for (auto _ : state) {
        zef::SelectInRectangle(model, selection, {100, 50}, {500, 400}, false);
        benchmark::ClobberMemory();
    }
    state.SetLabel("select_rect_1m_ms");
}
BENCHMARK(SelectRectangleMillion)->Unit(benchmark::kMillisecond);

}  // namespace
