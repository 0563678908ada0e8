#include "WebpFrameCompressor.h"

#include <algorithm>
#include <new>
#include <system_error>
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
    : width_(width), height_(height), config_(config) {
    const unsigned count = WorkerCount();
    const std::size_t area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    freeBuffers_.resize(count + 1, std::vector<std::uint32_t>(area));
    for (unsigned i = 0; i < count; ++i) {
        try {
            workers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;
        }
    }
    if (workers_.empty()) {
        throw std::bad_alloc();
    }
}

WebpFrameCompressor::~WebpFrameCompressor() {
    {
        const std::lock_guard lock(mutex_);
        jobs_.clear();
        stopping_ = true;
    }
    jobQueued_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

bool WebpFrameCompressor::Compress(std::span<const std::uint32_t> argb) {
    std::unique_lock lock(mutex_);
    jobDone_.wait(lock, [this] { return !freeBuffers_.empty(); });
    std::vector<std::uint32_t> buffer = std::move(freeBuffers_.back());
    freeBuffers_.pop_back();
    std::copy(argb.begin(), argb.end(), buffer.begin());
    jobs_.push_back({pictures_.size(), std::move(buffer)});
    pictures_.emplace_back();
    ++unfinished_;
    const bool failed = failed_;
    lock.unlock();
    jobQueued_.notify_one();
    return !failed;
}

bool WebpFrameCompressor::Wait() {
    std::unique_lock lock(mutex_);
    jobDone_.wait(lock, [this] { return unfinished_ == 0; });
    return !failed_;
}

void WebpFrameCompressor::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        jobQueued_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            return;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        std::vector<std::uint8_t> picture;
        const bool encoded = Encode(job.argb, picture);
        lock.lock();
        pictures_[job.index] = std::move(picture);
        failed_ = failed_ || !encoded;
        freeBuffers_.push_back(std::move(job.argb));
        --unfinished_;
        jobDone_.notify_all();
    }
}

// The encoder may change the picture it is given (the colour under transparent pixels), which
// is why the frame is the worker's own copy.
bool WebpFrameCompressor::Encode(std::vector<std::uint32_t>& argb,
                                 std::vector<std::uint8_t>& picture) const {
    WebPPicture frame;
    if (!WebPPictureInit(&frame)) {
        return false;
    }
    frame.use_argb = 1;
    frame.width = width_;
    frame.height = height_;
    frame.argb = argb.data();
    frame.argb_stride = width_;
    frame.writer = AppendToVector;
    frame.custom_ptr = &picture;
    const bool encoded = WebPEncode(&config_, &frame) != 0;
    WebPPictureFree(&frame);
    return encoded;
}

}  // namespace zef
