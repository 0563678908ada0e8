#include "app/sessions/PreviewPlayback.h"

#include <memory>
#include <new>

#include "export/PreviewFrames.h"

namespace zef {

PreviewPlayback::PreviewPlayback(Model model, std::uint32_t seed)
    : model_(std::move(model)), seed_(seed), worker_([this] { Work(); }) {}

PreviewPlayback::~PreviewPlayback() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void PreviewPlayback::Play(ExportFormat format, const ExportRequest& request) {
    {
        const std::lock_guard lock(mutex_);
        requested_.emplace(format, request);
        ++generation_;
        ready_.reset();
        failed_ = false;
    }
    changed_.notify_all();
}

bool PreviewPlayback::Take(Frame& frame) {
    {
        const std::lock_guard lock(mutex_);
        if (!ready_) {
            return false;
        }
        std::swap(frame, *ready_);
        ready_.reset();
    }
    changed_.notify_all();
    return true;
}

bool PreviewPlayback::WaitAndTake(Frame& frame) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ready_ || failed_; });
    }
    return Take(frame);
}

bool PreviewPlayback::Failed() const {
    const std::lock_guard lock(mutex_);
    return failed_;
}

// Waits for a request or for the frame made to be taken, makes the next frame outside the
// lock and hands it over unless a new request came meanwhile.
void PreviewPlayback::Work() {
    std::unique_ptr<PreviewFrames> frames;
    std::uint64_t generation = 0;
    Frame frame;
    for (;;) {
        std::optional<std::pair<ExportFormat, ExportRequest>> request;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || requested_ || (frames && !ready_); });
            if (stopping_) {
                return;
            }
            if (requested_) {
                request = std::move(requested_);
                requested_.reset();
                generation = generation_;
            }
        }
        try {
            if (request) {
                frames.reset();
                frames =
                    std::make_unique<PreviewFrames>(model_, seed_, request->first, request->second);
            }
            frame.index = frames->Next(frame.pixels);
        } catch (const std::bad_alloc&) {
            frames.reset();
            const std::lock_guard lock(mutex_);
            failed_ = failed_ || generation == generation_;
            changed_.notify_all();
            continue;
        }
        frame.width = frames->Width();
        frame.height = frames->Height();
        frame.count = frames->Count();
        frame.delayMs = frames->DelayMs();
        const std::lock_guard lock(mutex_);
        if (generation == generation_ && !requested_) {
            ready_ = std::move(frame);
            frame = {};
            changed_.notify_all();
        }
    }
}

}  // namespace zef
