// Editing on a large model: deleting and straightening everything selected, and framing a
// range selection.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "EditCommands.h"
#include "Model.h"
#include "RangeSelection.h"

namespace {

// A deterministic model of `count` points in strokes of 2 to 60 points, all selected.
zef::Model MakeSelectedModel(int count) {
    zef::Model model;
    zef::Random random(11);
    model.points.reserve(static_cast<std::size_t>(count));
    int x = 400, y = 300, left = 0;
    for (int i = 0; i < count; ++i) {
        const bool start = left == 0;
        left = start ? 1 + random.Next() % 59 : left - 1;
        x = std::clamp(x + random.Next() % 61 - 30, 0, 799);
        y = std::clamp(y + random.Next() % 61 - 30, 0, 599);
        zef::PointRecord point;
        point.x = x;
        point.y = y;
        point.kind = start ? zef::kStrokeStart : zef::kStrokeContinuation;
        point.selected = 1;
        model.points.push_back(point);
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
