// Editor: one canvas frame, against drawing the model alone; the recovery copy of a large
// model, from the snapshot to the file on disk.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/desktop/RecoveryKeeper.h"
#include "app/editor/Editor.h"
#include "app/sessions/ExportSession.h"
#include "app/shell/Shell.h"
#include "bench/BenchModels.h"

namespace {

// A shell that shows nothing and answers nothing.
class NullShell : public zef::Shell {
  public:
    void SetCaption(const std::string&) override {}
    void SetStatusText(zef::StatusPane, const std::string&) override {}
    void EnableCommand(zef::CommandId, bool) override {}
    void PressCommand(zef::CommandId, bool) override {}
    void ShowProgress(bool) override {}
    void SetProgressRange(std::int32_t, std::int32_t) override {}
    void SetProgressStep(std::int32_t) override {}
    void SetProgressPosition(std::int32_t) override {}
    void StepProgress() override {}
    void SetCursorShape(zef::CursorShape) override {}
    zef::MessageAnswer ShowMessage(const zef::MessageBox&) override {
        return zef::MessageAnswer::kCancel;
    }
    std::optional<std::string> ChooseFile(const zef::FileDialog&) override { return {}; }
    zef::DialogResult RunDialog(zef::DialogId) override { return zef::DialogResult::kCancel; }
    zef::MainLayout MainWindowLayout() override { return {800, 650, 30, 20}; }
    void PlaceCanvas(const zef::PixelRect&) override {}
    zef::CanvasSize CanvasClientSize() override { return {800, 600}; }
    zef::CanvasSize CanvasWindowOuterSize(zef::CanvasSize client) const override { return client; }
    void BringToForeground() override {}
    void PumpOneEvent() override {}
    void Quit() override {}
    zef::CanvasPoint PointerPosition() override { return {400, 300}; }
    zef::CanvasPoint PointerScreenPosition() const override { return {400, 300}; }
    bool CtrlHeld() const override { return false; }
    bool ShiftHeld() const override { return false; }
    bool LeftButtonHeld() const override { return false; }
    void ConfinePointer(zef::ConfineArea) override {}
    void ReleasePointer() override {}
    void Present(const zef::Bitmap& frame, zef::CanvasSize) override {
        benchmark::DoNotOptimize(frame.Pixels().data());
    }
};

void PaintCanvasHundredThousand(benchmark::State& state) {
    NullShell shell;
    zef::Editor editor(shell, 1);
    editor.model() = zef::bench::MakeStrokeModel(100'000);
    editor.Start("", "");
    for (auto _ : state) {
        editor.FrameTick();
    }
    state.SetLabel("paint_canvas_100k_ms");
}
BENCHMARK(PaintCanvasHundredThousand)->Unit(benchmark::kMillisecond);

void RenderModelHundredThousand(benchmark::State& state) {
    NullShell shell;
    zef::Editor editor(shell, 1);
    editor.model() = zef::bench::MakeStrokeModel(100'000);
    editor.Start("", "");
    const zef::ExportScene scene = editor.exportHost().Scene();
    for (auto _ : state) {
        scene.renderer.RenderModel(scene.model, scene.selection);
        benchmark::ClobberMemory();
    }
    state.SetLabel("paint_canvas_render_alone_100k_ms");
}
BENCHMARK(RenderModelHundredThousand)->Unit(benchmark::kMillisecond);

// The snapshot taken by the caller, then encoded and written, flushed to the disk, by the
// keeper's thread, until the caller has the result.
void RecoveryWriteMillion(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "zef_bench_recovery";
    zef::Model model = zef::bench::MakeStrokeModel(1'000'000);
    model.document.modified = true;
    {
        zef::RecoveryKeeper keeper;
        if (!keeper.UseFolder(folder)) {
            state.SkipWithError("no recovery folder");
        }
        // The memory for the snapshot is made once, on the keeper's thread, before the first.
        const zef::RecoveryKeeper::Clock::time_point changed{};
        keeper.Changed(model, changed);
        keeper.Tick(model, changed + zef::RecoveryKeeper::kLongest);
        keeper.Settle();
        for (auto _ : state) {
            keeper.Changed(model, changed);
            keeper.Tick(model, changed + zef::RecoveryKeeper::kLongest);
            keeper.Settle();
        }
        keeper.Discard();
    }
    std::filesystem::remove_all(folder);
    state.SetLabel("recovery_write_1m_ms");
}
BENCHMARK(RecoveryWriteMillion)->Unit(benchmark::kMillisecond);

}  // namespace
