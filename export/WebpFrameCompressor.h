#pragma once

#include <webp/encode.h>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace zef {

// Compresses whole frames into still WebP pictures on worker threads, as many as the machine
// has cores: libwebp compresses a picture on one core. A few frames wait at most, so memory
// stays flat however many frames come; the pictures come out in the order the frames went in,
// whatever thread compressed them.
class WebpFrameCompressor {
  public:
    // Throws std::bad_alloc when the frame buffers cannot be had or no worker can be started.
    WebpFrameCompressor(std::int32_t width, std::int32_t height, const WebPConfig& config);
    WebpFrameCompressor(const WebpFrameCompressor&) = delete;
    WebpFrameCompressor& operator=(const WebpFrameCompressor&) = delete;
    ~WebpFrameCompressor();

    // Queues a copy of `argb`, width x height 0xAARRGGBB values, waiting while every buffer
    // is taken. False when a frame has failed to compress (the encoder's memory).
    bool Compress(std::span<const std::uint32_t> argb);
    // Waits for every queued frame. False when one failed to compress.
    bool Wait();
    // The compressed pictures, each a whole WebP file, in the order of Compress; complete
    // after Wait.
    const std::vector<std::vector<std::uint8_t>>& Pictures() const { return pictures_; }

  private:
    struct Job {
        std::size_t index;
        std::vector<std::uint32_t> argb;
    };

    void Work();
    bool Encode(std::vector<std::uint32_t>& argb, std::vector<std::uint8_t>& picture) const;

    std::int32_t width_;
    std::int32_t height_;
    WebPConfig config_;
    std::mutex mutex_;
    std::condition_variable jobQueued_;  // a job waits, or the workers are to stop
    std::condition_variable jobDone_;    // a buffer is free again
    std::vector<std::vector<std::uint32_t>> freeBuffers_;
    std::deque<Job> jobs_;
    std::vector<std::vector<std::uint8_t>> pictures_;
    std::size_t unfinished_ = 0;
    bool failed_ = false;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace zef
