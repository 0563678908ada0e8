#include "export/WebpFrameCompressor.h"

#include <algorithm>
#include <new>
#include <thread>
#include <utility>

namespace zef {
namespace {

unsigned WorkerCount() {
    return std::max(1u, std::thread::hardware_concurrency());
}

int AppendToVector(const std::uint8_t* data, std::size_t size, const WebPPicture* picture) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(picture->custom_ptr);
    try {
        bytes->insert(bytes->end(), data, data + size);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace

// One buffer more than workers lets the next frame be queued while every worker is busy.
WebpFrameCompressor::WebpFrameCompressor(std::int32_t width, std::int32_t height,
                                         const WebPConfig& config)
    : width_(width),
      height_(height),
      config_(config),
      trialConfig_(config),
      smallConfig_(config),
      everywhereConfigs_{config, config},
      jobs_(
          WorkerCount(),
          [this](Job& job, unsigned) {
              job.encoded = Encode(job);
              Record(job);
          },
          WorkerCount() + 1) {
    if (config.lossless != 0) {
        WebPConfigLosslessPreset(&smallConfig_, kSmallAreaLevel);
        WebPConfigLosslessPreset(&everywhereConfigs_[0], kEverywhereLevels[0]);
        WebPConfigLosslessPreset(&everywhereConfigs_[1], kEverywhereLevels[1]);
        WebPConfigLosslessPreset(&trialConfig_, kTrialLevel);
    }
    const std::size_t area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    freeBuffers_.resize(WorkerCount() + 1);  // as many as jobs may be out
    for (Buffers& buffers : freeBuffers_) {
        buffers.argb.resize(area);
        buffers.before.resize(area);
        buffers.box.reserve(area);
    }
}

bool WebpFrameCompressor::Compress(std::span<const std::uint32_t> argb,
                                   std::span<const std::uint32_t> before) {
    return Queue(argb, before, before.empty() ? Over::kEmptyCanvas : Over::kFrameBefore);
}

bool WebpFrameCompressor::CompressWhole(std::span<const std::uint32_t> argb) {
    return Queue(argb, {}, Over::kNothing);
}

bool WebpFrameCompressor::Queue(std::span<const std::uint32_t> argb,
                                std::span<const std::uint32_t> before, Over over) {
    const auto collect = [this](Job& job) { Collect(job); };
    jobs_.MakeRoom(collect);
    Job job;
    job.over = over;
    job.buffers = std::move(freeBuffers_.back());
    freeBuffers_.pop_back();
    std::copy(argb.begin(), argb.end(), job.buffers.argb.begin());
    std::copy(before.begin(), before.end(), job.buffers.before.begin());
    {
        const std::lock_guard lock(trialsMutex_);
        job.index = trials_.size();
        trials_.push_back(Trial::kPending);
    }
    jobs_.Push(std::move(job), collect);
    return !failed_;
}

bool WebpFrameCompressor::Wait() {
    jobs_.Drain([this](Job& job) { Collect(job); });
    return !failed_;
}

void WebpFrameCompressor::Record(const Job& job) {
    {
        const std::lock_guard lock(trialsMutex_);
        trials_[job.index] = job.trial;
        while (donePrefix_ < trials_.size() && trials_[donePrefix_] != Trial::kPending) {
            ++donePrefix_;
        }
    }
    trialDone_.notify_all();
}

void WebpFrameCompressor::Collect(Job& job) {
    pictures_.push_back(std::move(job.picture));
    failed_ = failed_ || !job.encoded;
    freeBuffers_.push_back(std::move(job.buffers));
}

// The candidates: the box blended, where it covers at most a quarter of the frame (where
// every line trembles, a larger box holds mostly changed pixels and blended it came out 40 %
// larger on the sample), and the box replacing what was there. The whole frame is not weighed
// beside a smaller box: it was smaller at times, but weighing it doubled the time. Each is coded
// from buffers.box, its rows copied out of the frame: libwebp takes twice as long on a
// picture whose rows lie apart, and may change the colour under transparent pixels of what
// it is given.
bool WebpFrameCompressor::Encode(Job& job) {
    WebpFramePicture& picture = job.picture;
    Buffers& buffers = job.buffers;
    const Box box = job.over == Over::kNothing
                        ? Box{0, 0, width_, height_, false, std::int64_t{width_} * height_}
                        : ChangedBox(buffers, job.over);
    const std::int32_t width = box.right - box.left;
    const std::int32_t height = box.bottom - box.top;
    const std::int64_t area = std::int64_t{width} * height;
    std::vector<std::uint8_t> candidate;
    if (job.over == Over::kFrameBefore && !box.translucentChange &&
        area * kBlendTrialShare <= std::int64_t{width_} * height_) {
        BlendedBox(buffers, box);
        if (!EncodeArea(buffers.box.data(), width, height, false, candidate)) {
            return false;
        }
        picture = {std::move(candidate), box.left, box.top, true};
        candidate = {};
    }
    buffers.box.clear();
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        const auto row = buffers.argb.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        buffers.box.insert(buffers.box.end(), row + box.left, row + box.right);
    }
    const std::int64_t frameArea = std::int64_t{width_} * height_;
    const bool everywhere =
        (box.changed * kEverywhereShare >= area && area * 8 >= frameArea * kEverywhereEighths) ||
        (box.changed * kDenseShare >= area && area * 4 >= frameArea * 3) ||
        (box.changed * kThickShare >= area && box.changed >= kThickChanged);
    if (!EncodeArea(buffers.box.data(), width, height, everywhere, candidate)) {
        return false;
    }
    if (!everywhere && config_.lossless != 0 && area > kSmallArea && WeighsTrialLevel(job.index)) {
        std::vector<std::uint8_t> trial;
        if (!EncodeWith(trialConfig_, buffers.box.data(), width, height, trial)) {
            return false;
        }
        job.trial = trial.size() * kTrialGain <= candidate.size() * (kTrialGain - 1) ? Trial::kWon
                                                                                     : Trial::kLost;
        if (trial.size() < candidate.size()) {
            candidate.swap(trial);
        }
    }
    if (picture.bytes.empty() || candidate.size() < picture.bytes.size()) {
        picture = {std::move(candidate), box.left, box.top, false};
    }
    return true;
}

WebpFrameCompressor::Box WebpFrameCompressor::ChangedBox(const Buffers& buffers, Over over) const {
    Box box{width_, height_, 0, 0, false, 0};
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (std::int32_t x = 0; x < width_; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            if (over == Over::kEmptyCanvas ? buffers.argb[i] >> 24 != 0
                                           : buffers.argb[i] != buffers.before[i]) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
                box.translucentChange = box.translucentChange || buffers.argb[i] >> 24 != 0xFFu;
                ++box.changed;
            }
        }
    }
    if (box.right <= box.left) {
        return {0, 0, 1, 1, false, 0};
    }
    box.left &= ~1;
    box.top &= ~1;
    return box;
}

void WebpFrameCompressor::BlendedBox(Buffers& buffers, const Box& box) const {
    buffers.box.clear();
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (std::int32_t x = box.left; x < box.right; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            buffers.box.push_back(buffers.argb[i] == buffers.before[i] ? 0u : buffers.argb[i]);
        }
    }
}

bool WebpFrameCompressor::EncodeArea(std::uint32_t* pixels, std::int32_t width, std::int32_t height,
                                     bool everywhere, std::vector<std::uint8_t>& picture) const {
    if (std::int64_t{width} * height <= kSmallArea) {
        return EncodeWith(smallConfig_, pixels, width, height, picture);
    }
    if (config_.lossless == 0 || !everywhere) {
        return EncodeWith(config_, pixels, width, height, picture);
    }
    std::vector<std::uint8_t> other;
    if (!EncodeWith(everywhereConfigs_[0], pixels, width, height, picture) ||
        !EncodeWith(everywhereConfigs_[1], pixels, width, height, other)) {
        return false;
    }
    if (other.size() < picture.size()) {
        picture.swap(other);
    }
    return true;
}

bool WebpFrameCompressor::EncodeWith(const WebPConfig& config, std::uint32_t* pixels,
                                     std::int32_t width, std::int32_t height,
                                     std::vector<std::uint8_t>& picture) {
    WebPPicture frame;
    if (!WebPPictureInit(&frame)) {
        return false;
    }
    frame.use_argb = 1;
    frame.width = width;
    frame.height = height;
    frame.argb = pixels;
    frame.argb_stride = width;
    frame.writer = AppendToVector;
    frame.custom_ptr = &picture;
    const bool encoded = WebPEncode(&config, &frame) != 0;
    WebPPictureFree(&frame);
    return encoded;
}

bool WebpFrameCompressor::WeighsTrialLevel(std::size_t index) {
    if (index % kTrialEvery == 0) {
        return true;
    }
    if (index < kTrialLag) {
        return false;
    }
    const std::size_t judge = index - kTrialLag;
    std::unique_lock lock(trialsMutex_);
    trialDone_.wait(lock, [this, judge] { return donePrefix_ > judge; });
    for (std::size_t back = 0; back < kTrialEvery && back <= judge; ++back) {
        if (trials_[judge - back] != Trial::kNotWeighed) {
            return trials_[judge - back] == Trial::kWon;
        }
    }
    return false;
}

}  // namespace zef
