// The editor on screen (offscreen platform): whole frame ticks of the main window, the pace of
// the running editor's frame timer, also while a large model's recovery copy is written, the
// time from a start to the first frame shown, and a GIF export from its dialog against
// zefcli's.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/desktop/RecoveryKeeper.h"
#include "bench/BenchModels.h"
#include "ui/ExportDialog.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"

namespace {

using Clock = std::chrono::steady_clock;

QApplication& Application() {
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ui_bench";
        static char* argv[] = {name, nullptr};
        auto* made = new QApplication(argc, argv);
        zef::ui::PrepareApplication(*made);
        return made;
    }();
    return *application;
}

// One tick of the frame timer: the frame drawn and copied into the canvas widget.
void FrameTicks(benchmark::State& state, int points, const char* label) {
    Application();
    zef::ui::MainWindow window(1);
    window.editor().model() = zef::bench::MakeStrokeModel(points);
    window.show();
    window.editor().Start("", "");
    for (auto _ : state) {
        window.editor().FrameTick();
    }
    state.SetLabel(label);
}

void FrameTickTenThousand(benchmark::State& state) {
    FrameTicks(state, 10'000, "frame_tick_10k_ms");
}
BENCHMARK(FrameTickTenThousand)->Unit(benchmark::kMillisecond);

void FrameTickHundredThousand(benchmark::State& state) {
    FrameTicks(state, 100'000, "frame_tick_100k_ms");
}
BENCHMARK(FrameTickHundredThousand)->Unit(benchmark::kMillisecond);

// The 99th percentile of the intervals between 1,000 frames of the running editor showing
// the sample model.
void TickIntervals(benchmark::State& state) {
    Application();
    constexpr std::size_t kTicks = 1000;
    for (auto _ : state) {
        zef::ui::MainWindow window(1);
        std::vector<double> intervals;
        QElapsedTimer clock;
        QObject::connect(&window, &zef::ui::MainWindow::framePresented, [&] {
            if (clock.isValid()) {
                intervals.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            }
            clock.restart();
            if (intervals.size() == kTicks) {
                QCoreApplication::exit(0);
            }
        });
        zef::ui::StartEditor(window, ZEF_SAMPLE_MODEL, {});
        QApplication::exec();
        window.StopTimers();
        std::sort(intervals.begin(), intervals.end());
        state.counters["value"] = intervals[kTicks * 99 / 100];
    }
    state.SetLabel("tick_interval_p99_ms");
}
BENCHMARK(TickIntervals)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

// The longest interval between frames of the running editor while a recovery copy of
// 1,000,000 points is taken and written, less the frame timer's interval. The editor shows the
// sample model, whose frames fit the interval, so that what the copy costs the frames shows
// alone; a timer like the editor's recovery timer ticks a keeper of the large model, due at once.
// The intervals counted are those that end while the keeper's threads work: making the memory
// for the copy, and writing it, the first of these intervals holding the snapshot taken on this
// thread.
void RecoveryTickStall(benchmark::State& state) {
    Application();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "zef_bench_recovery_stall";
    zef::Model large = zef::bench::MakeStrokeModel(1'000'000);
    large.document.modified = true;
    for (auto _ : state) {
        zef::ui::MainWindow window(1);
        zef::ui::StartEditor(window, ZEF_SAMPLE_MODEL, {});
        zef::RecoveryKeeper keeper;
        keeper.UseFolder(folder);
        keeper.Changed(large, Clock::now() - zef::RecoveryKeeper::kLongest);
        QTimer recoveryTimer;
        recoveryTimer.setInterval(zef::ui::MainWindow::kRecoveryInterval);
        QObject::connect(&recoveryTimer, &QTimer::timeout,
                         [&] { keeper.Tick(large, Clock::now()); });
        recoveryTimer.start();
        double longest = 0;
        QElapsedTimer clock;
        QObject::connect(&window, &zef::ui::MainWindow::framePresented, [&] {
            const bool working = keeper.Working();
            if (clock.isValid() && working) {
                longest = std::max(longest, static_cast<double>(clock.nsecsElapsed()) / 1e6);
            }
            clock.restart();
            if (!working && std::filesystem::exists(keeper.Folder()->CopyPath())) {
                QCoreApplication::exit(0);
            }
        });
        QApplication::exec();
        window.StopTimers();
        keeper.Discard();
        state.counters["value"] = longest - zef::ui::MainWindow::kFrameInterval;
    }
    std::filesystem::remove_all(folder);
    state.SetLabel("recovery_tick_stall_ms");
}
BENCHMARK(RecoveryTickStall)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

// A fresh zeftool start-up in a process of its own, which reports the moment of its first
// frame on the steady clock.
void StartupToFirstFrame(benchmark::State& state) {
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen ") + ZEF_STARTUP_PROBE +
                                " " + ZEF_SAMPLE_MODEL + " 2>/dev/null";
    for (auto _ : state) {
        const auto start =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
                .count();
        FILE* probe = popen(command.c_str(), "r");
        long long firstFrame = 0;
        if (probe == nullptr || std::fscanf(probe, "%lld", &firstFrame) != 1) {
            state.SkipWithError("the start-up probe did not report");
        }
        if (probe != nullptr) {
            pclose(probe);
        }
        state.counters["value"] = static_cast<double>(firstFrame - start) / 1e6;
    }
    state.SetLabel("startup_to_first_frame_ms");
}
BENCHMARK(StartupToFirstFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

double SecondsSince(Clock::time_point start, Clock::time_point end = Clock::now()) {
    return std::chrono::duration<double>(end - start).count();
}

// Answers the result message as soon as it shows, noting when the export had ended.
class ResultAnswerer : public QObject {
  public:
    Clock::time_point shown;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            shown = Clock::now();
            QTimer::singleShot(0, box, &QDialog::accept);
        }
        return false;
    }
};

// The sample model's VTR animation (end wait 5, smoothness 12, its own size) saved from the GIF
// dialog of the running editor until its result shows, against `zefcli gif --vtr` of the same
// model with the same seed in a process of its own: the time of the one over the other's.
void GifDialogAgainstCli(benchmark::State& state) {
    Application();
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string dialogPath = (folder / "zef_bench_dialog.gif").string();
    const std::string cliPath = (folder / "zef_bench_cli.gif").string();
    const std::string cli = std::string(ZEFCLI_PROGRAM) + " gif " + ZEF_SAMPLE_MODEL + " " +
                            cliPath + " --vtr --seed 1 >/dev/null";
    ResultAnswerer answerer;
    QApplication::instance()->installEventFilter(&answerer);
    for (auto _ : state) {
        std::filesystem::remove(dialogPath);
        zef::ui::MainWindow window(1);
        zef::ui::StartEditor(window, ZEF_SAMPLE_MODEL, {});
        zef::ui::ExportDialog dialog(window.editor().exportHost(), window.shell(),
                                     zef::ExportFormat::kGif, &window);
        dialog.show();
        dialog.findChild<QRadioButton*>(QStringLiteral("vtrRadio"))->click();
        dialog.findChild<QLineEdit*>(QStringLiteral("pathEdit"))
            ->setText(QString::fromStdString(dialogPath));
        const auto start = Clock::now();
        dialog.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        const double fromDialog = SecondsSince(start, answerer.shown);
        window.StopTimers();
        const auto cliStart = Clock::now();
        if (std::system(cli.c_str()) != 0) {
            state.SkipWithError("zefcli gif failed");
        }
        state.counters["value"] = fromDialog / SecondsSince(cliStart);
    }
    QApplication::instance()->removeEventFilter(&answerer);
    std::filesystem::remove(dialogPath);
    std::filesystem::remove(cliPath);
    state.SetLabel("gif_dialog_vs_cli_ratio");
}
BENCHMARK(GifDialogAgainstCli)->Iterations(1)->Repetitions(7)->Unit(benchmark::kMillisecond);

}  // namespace
