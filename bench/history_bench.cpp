// The undo history: its memory over long work, and what recording and stepping cost the
// editor's thread on a large drawing.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/BenchModels.h"
#include "model/EditCommands.h"
#include "model/History.h"
#include "model/Model.h"

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// A stroke of `count` points, the way the editor appends one.
void DrawStroke(zef::Model& model, zef::Random& random, int count) {
    for (int i = 0; i < count; ++i) {
        model.AppendPoint(random.Next() % 800, random.Next() % 600, i > 0);
    }
}

// 2,000 strokes of 100 points drawn from nothing, each recorded, a shake tick between them.
void HistoryOfStrokes(benchmark::State& state) {
    for (auto _ : state) {
        zef::Model model;
        zef::Random random(7);
        zef::History history;
        history.StartDocument(model, {});
        for (int stroke = 0; stroke < 2000; ++stroke) {
            DrawStroke(model, random, 100);
            history.TakeSnapshot(model);
            model.RegenerateShake(random);
        }
        history.FinishPacking();
        state.counters["value"] = static_cast<double>(history.Bytes()) / kMiB;
    }
    state.SetLabel("history_strokes_2000_mb");
}
BENCHMARK(HistoryOfStrokes)->Unit(benchmark::kMillisecond)->Iterations(1);

// 1,000 moves of a whole 200,000-point drawing by one pixel, each recorded.
void HistoryOfMoves(benchmark::State& state) {
    for (auto _ : state) {
        zef::Model model = zef::bench::MakeStrokeModel(200'000);
        zef::SelectionState everything;
        everything.moveAll = true;
        zef::History history;
        history.StartDocument(model, {});
        for (int move = 0; move < 1000; ++move) {
            zef::MoveSelection(model, everything, move % 2 == 0 ? 1 : 0, move % 2 == 0 ? 0 : 1);
            history.TakeSnapshot(model);
        }
        history.FinishPacking();
        state.counters["value"] = static_cast<double>(history.Bytes()) / kMiB;
    }
    state.SetLabel("history_moves_1000_mb");
}
BENCHMARK(HistoryOfMoves)->Unit(benchmark::kMillisecond)->Iterations(1);

// Recording the entry after a 100-point stroke on a 1,000,000-point drawing.
void SnapshotAfterStroke(benchmark::State& state) {
    zef::Model model = zef::bench::MakeStrokeModel(1'000'000);
    zef::Random random(11);
    zef::History history;
    history.StartDocument(model, {});
    for (auto _ : state) {
        state.PauseTiming();
        DrawStroke(model, random, 100);
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.TakeSnapshot(model));
    }
    state.SetLabel("snapshot_1m_ms");
}
BENCHMARK(SnapshotAfterStroke)->Unit(benchmark::kMillisecond);

// One undo or redo step walking all the way back and forth through a 1,000-entry history of a
// 1,000,000-point drawing, its entries strokes with every tenth a move of the whole drawing:
// the 99th percentile of the steps, which falls among the moves, the slowest kind. (The very
// slowest step is whichever the scheduler happened to interrupt.)
void StepThroughHistory(benchmark::State& state) {
    zef::Model model = zef::bench::MakeStrokeModel(1'000'000);
    zef::Random random(13);
    zef::SelectionState everything;
    everything.moveAll = true;
    zef::History history;
    history.StartDocument(model, {});
    for (int entry = 1; entry < 1000; ++entry) {
        if (entry % 10 == 0) {
            zef::MoveSelection(model, everything, 1, -1);
        } else {
            DrawStroke(model, random, 100);
        }
        history.TakeSnapshot(model);
    }
    history.FinishPacking();
    for (auto _ : state) {
        std::vector<double> steps;
        for (const bool undo : {true, false}) {
            while (undo ? history.CanUndo() : history.CanRedo()) {
                const auto start = std::chrono::steady_clock::now();
                benchmark::DoNotOptimize(undo ? history.Undo(model) : history.Redo(model));
                const std::chrono::duration<double, std::milli> took =
                    std::chrono::steady_clock::now() - start;
                steps.push_back(took.count());
            }
        }
        const auto percentile =
            steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 99 / 100);
        std::nth_element(steps.begin(), percentile, steps.end());
        state.counters["value"] = *percentile;
    }
    state.SetLabel("undo_1m_ms");
}
BENCHMARK(StepThroughHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
