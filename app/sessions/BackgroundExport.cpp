#include "app/sessions/BackgroundExport.h"

#include "export/ExportTexts.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <limits>
#include <mutex>

#include "export/ExportRules.h"

namespace zef {

// One job's work, shared by the dialog's thread and the worker: the status under the mutex,
// the file once the worker ended.
struct BackgroundExport::Work {
    explicit Work(const ExportJob& started) : job(started) {}

    const ExportJob job;
    std::atomic<bool> cancel = false;
    std::atomic<bool> ended = false;
    mutable std::mutex mutex;
    BackgroundStatus status;
    HeldExport held;
    bool beside = false;  // made beside the job's path
    // The frames' reports to the replay of the encode in hand: its steps and its end.
    std::int64_t replaySteps = 0;
    bool replayCompleted = false;
};

namespace {

// The worker's progress goes into the status; the dialog's giving up cancels.
class WorkProgress : public ExportProgress {
  public:
    WorkProgress(BackgroundStatus& status, std::int64_t& replaySteps, bool& replayCompleted,
                 std::mutex& mutex, const std::atomic<bool>& cancel)
        : status_(status),
          replaySteps_(replaySteps),
          replayCompleted_(replayCompleted),
          mutex_(mutex),
          cancel_(cancel) {}

    void SetStatusText(const std::string& text) override {
        const std::lock_guard lock(mutex_);
        status_.text = text;
    }
    void SetProgressRange(std::int32_t low, std::int32_t high) override {
        const std::lock_guard lock(mutex_);
        status_.total = std::int64_t{high} - low;
        status_.done = 0;
    }
    void StepProgress() override {
        const std::lock_guard lock(mutex_);
        ++status_.done;
    }
    void PumpOneEvent() override {}
    void FrameRendered(const RenderReport& report) override {
        const std::lock_guard lock(mutex_);
        replaySteps_ += report.stepProgressBar ? 1 : 0;
        replayCompleted_ = replayCompleted_ || report.replayCompleted;
    }
    bool CancelRequested() const override { return cancel_; }

  private:
    BackgroundStatus& status_;
    std::int64_t& replaySteps_;
    bool& replayCompleted_;
    std::mutex& mutex_;
    const std::atomic<bool>& cancel_;
};

// Where a file that cannot be made beside its path is made to be measured.
std::string ScratchPath(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error);
    const fs::path name = fs::path(path).filename();
    return ((error ? fs::path("/tmp") : folder) / (name.empty() ? fs::path("zeftool") : name))
        .string();
}

BackgroundState StateOf(ExportOutcome outcome) {
    switch (outcome) {
        case ExportOutcome::kDone:
            return BackgroundState::kReady;
        case ExportOutcome::kNothingFits:
            return BackgroundState::kNothingFits;
        default:
            return BackgroundState::kFailed;
    }
}

}  // namespace

BackgroundExport::BackgroundExport(const Model& model, const SelectionState& selection,
                                   std::uint32_t seed)
    : model_(model), selection_(selection), seed_(seed) {}

BackgroundExport::~BackgroundExport() {
    Stop();
    for (auto& [thread, work] : retired_) {
        thread.join();
    }
}

void BackgroundExport::Start(const ExportJob& job) {
    Stop();
    current_ = std::make_shared<Work>(job);
    current_->status.state = BackgroundState::kRunning;
    thread_ = std::thread([work = current_, this] { Run(*work, model_, selection_, seed_); });
}

void BackgroundExport::Stop() {
    if (current_) {
        current_->cancel = true;
        retired_.emplace_back(std::move(thread_), std::move(current_));
        current_.reset();
    }
    JoinEnded();
}

BackgroundStatus BackgroundExport::Status() const {
    return current_ ? StatusOf(*current_) : BackgroundStatus{};
}

BackgroundStatus BackgroundExport::StatusOf(const Work& work) {
    const std::lock_guard lock(work.mutex);
    return work.status;
}

bool BackgroundExport::Holds(const ExportJob& job) const {
    if (!current_ || !(current_->job == job)) {
        return false;
    }
    const std::lock_guard lock(current_->mutex);
    return current_->status.state == BackgroundState::kReady && current_->beside &&
           current_->held.file.Held();
}

ExportResult BackgroundExport::Place(const ExportJob& job, ExportProgress& progress) {
    if (!current_ || !(current_->job == job)) {
        Start(job);
    }
    // Held on to, should the events handled while waiting start another job.
    const std::shared_ptr<Work> waited = current_;
    if (!Wait(*waited, progress)) {
        {
            const std::lock_guard lock(waited->mutex);
            HandOnReplay(*waited, progress, job.request.kind == ExportKind::kVtr);
        }
        progress.SetStatusText(texts::kExportCancelled);
        if (current_ == waited) {
            Stop();
        }
        return {ExportOutcome::kCancelled, {}};
    }
    // The ordinary write shows its progress, which lets the dialog's timer ask for the status:
    // it runs with the work's mutex released.
    ExportResult result;
    std::optional<ExportJob> plainly;
    {
        Work& work = *waited;
        const std::lock_guard lock(work.mutex);
        result = work.held.result;
        if (!result.Succeeded() || work.beside) {
            HandOnReplay(work, progress, false);
        }
        if (result.Succeeded() && work.beside) {
            result.outcome = work.held.file.Place(job.request.path) ? ExportOutcome::kDone
                                                                    : ExportOutcome::kWriteFailed;
        } else if (result.Succeeded()) {
            plainly = work.held.made;
            plainly->request.path = job.request.path;
        }
    }
    if (plainly) {
        result = ExportPlainly(*plainly, model_, selection_, seed_, progress);
    }
    if (current_ == waited) {
        Stop();
    }
    return result;
}

// The progress hears of the replay as it would from an export on its own scene: a step for each
// replay frame and, once the replay ended or was given up part-way, its end.
void BackgroundExport::HandOnReplay(const Work& work, ExportProgress& progress, bool givenUp) {
    for (std::int64_t i = 0; i < work.replaySteps; ++i) {
        progress.FrameRendered({.stepProgressBar = true});
    }
    if (work.replayCompleted || (givenUp && work.replaySteps > 0)) {
        progress.FrameRendered({.replayCompleted = true});
    }
}

bool BackgroundExport::CopyTo(const ExportJob& job, const std::string& path) const {
    if (!current_ || !(current_->job == job)) {
        return false;
    }
    const std::lock_guard lock(current_->mutex);
    return current_->status.state == BackgroundState::kReady && current_->held.file.CopyTo(path);
}

void BackgroundExport::Run(Work& work, const Model& model, const SelectionState& selection,
                           std::uint32_t seed) {
    ExportJob job = work.job;
    const bool beside = CanHoldBeside(job.request.path);
    if (!beside) {
        job.request.path = ScratchPath(job.request.path);
    }
    WorkProgress progress(work.status, work.replaySteps, work.replayCompleted, work.mutex,
                          work.cancel);
    HeldExport held =
        ExportHeld(job, model, selection, seed, progress, SystemFileOps(), [&](std::size_t trial) {
            const std::lock_guard lock(work.mutex);
            work.status.trial = trial;
            work.replaySteps = 0;
            work.replayCompleted = false;
            work.status.done = 0;
            work.status.total = 0;
        });
    const ExportRequest& made = held.made.request;
    std::int64_t frames = FrameCount(made.kind, model.TotalPathLength(), model.properties.vtrSpeed,
                                     made.endWait, made.frameDelay);
    if (job.format == ExportFormat::kMp4 || job.format == ExportFormat::kWebm) {
        frames = std::max<std::int64_t>(frames, 1);
    }
    {
        const std::lock_guard lock(work.mutex);
        BackgroundStatus& status = work.status;
        status.state = StateOf(held.result.outcome);
        status.bytes = held.bytes;
        status.frames = frames;
        status.durationMs = frames * made.frameDelay * 10;
        status.width = made.width;
        status.height = made.height;
        status.quality = job.format == ExportFormat::kWebp ? held.made.compression.lossyQuality
                                                           : made.videoQuality;
        if (status.state == BackgroundState::kFailed) {
            status.failure = held.result;
        }
        work.beside = beside;
        work.held = std::move(held);
    }
    work.ended = true;
}

bool BackgroundExport::Wait(const Work& work, ExportProgress& progress) {
    std::int64_t shownTotal = -1;
    std::int64_t shownDone = 0;
    std::string shownText;
    for (;;) {
        const BackgroundStatus status = StatusOf(work);
        if (status.text != shownText) {
            shownText = status.text;
            progress.SetStatusText(shownText);
        }
        if (status.total != shownTotal) {
            shownTotal = status.total;
            shownDone = 0;
            progress.SetProgressRange(0,
                                      static_cast<std::int32_t>(std::min<std::int64_t>(
                                          shownTotal, std::numeric_limits<std::int32_t>::max())));
        }
        // Step by step, each followed by a chance to cancel, as an export's frames are.
        while (shownDone < status.done) {
            progress.StepProgress();
            ++shownDone;
            if (!progress.KeepGoing()) {
                return false;
            }
        }
        if (status.state != BackgroundState::kRunning) {
            return true;
        }
        if (!progress.KeepGoing()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void BackgroundExport::JoinEnded() {
    const auto ended = std::stable_partition(
        retired_.begin(), retired_.end(), [](const auto& entry) { return !entry.second->ended; });
    for (auto entry = ended; entry != retired_.end(); ++entry) {
        entry->first.join();
    }
    retired_.erase(ended, retired_.end());
}

}  // namespace zef
