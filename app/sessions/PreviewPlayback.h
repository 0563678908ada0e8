#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "export/ExportFormat.h"
#include "export/Exporters.h"
#include "model/Model.h"

namespace zef {

// The frames of an export dialog's preview, made ahead on a worker thread: the worker renders
// the frames of the latest request one ahead of the one showing (PreviewFrames), so the
// preview holds no more than three frames whatever their count, and a new request drops the
// frame in hand.
class PreviewPlayback {
  public:
    struct Frame {
        std::vector<std::uint32_t> pixels;  // colour values with their opacity in the top byte
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::int64_t index = 0;
        std::int64_t count = 0;
        std::int32_t delayMs = 0;
    };

    // The frames come from a copy of `model`, their jitter from `seed`.
    PreviewPlayback(Model model, std::uint32_t seed);
    PreviewPlayback(const PreviewPlayback&) = delete;
    PreviewPlayback& operator=(const PreviewPlayback&) = delete;
    ~PreviewPlayback();

    // Plays the frames of `request` from the first on; those of the request before stop.
    void Play(ExportFormat format, const ExportRequest& request);
    // Takes the next frame into `frame` once it has been made; false while it is being made
    // or when the request's frames cannot be had (Failed).
    bool Take(Frame& frame);
    // Waits until the next frame has been made and takes it; false when it cannot be had.
    bool WaitAndTake(Frame& frame);
    bool Failed() const;

  private:
    void Work();

    const Model model_;
    const std::uint32_t seed_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::pair<ExportFormat, ExportRequest>> requested_;
    std::uint64_t generation_ = 0;
    std::optional<Frame> ready_;
    bool failed_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace zef
