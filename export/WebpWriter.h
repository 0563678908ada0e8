#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "canvas/Bitmap.h"
#include "model/AtomicFile.h"

struct WebPData;

namespace zef {

class WebpFrameCompressor;

// How the frames of an animated WebP are compressed: lossless, or lossy at a quality of
// 0..100.
struct WebpCompression {
    std::optional<std::int32_t> lossyQuality;
    friend bool operator==(const WebpCompression&, const WebpCompression&) = default;
};

// Writes an animated WebP that loops forever, one frame at a time: the writer keeps only the
// frame before, the few frames being compressed and the compressed frames, so memory grows
// with the file's size and not with the frames. Each frame goes to the compressor with the
// frame before it, so the frames are compressed independently, on as many threads as there
// are cores, and put together in their order; the file is the same whatever thread compressed what.
// A frame identical to the one before adds its delay to it. The file is put in place whole by
// Finish; nothing is written before.
class AnimatedWebpWriter {
  public:
    // Throws std::bad_alloc when the frame buffers or the compressor cannot be had.
    AnimatedWebpWriter(std::int32_t width, std::int32_t height, WebpCompression compression);
    AnimatedWebpWriter(const AnimatedWebpWriter&) = delete;
    AnimatedWebpWriter& operator=(const AnimatedWebpWriter&) = delete;
    ~AnimatedWebpWriter();

    // The largest side a WebP can hold.
    static constexpr std::int32_t kLargestSide = 16383;

    // Adds a frame of colour values, width x height, shown for `delay` hundredths of a second.
    // `alpha` holds each pixel's opacity (0..255, rows top to bottom); empty, every pixel is
    // opaque. False when the encoder has failed (its memory) or the animation's length no
    // longer fits in milliseconds.
    bool Add(const Bitmap& colours, std::span<const std::uint8_t> alpha, std::uint32_t delay);
    // Puts the file in place at `path`; an animation without frames gets one transparent
    // picture, and one picture is written as a still image. False, with the file at `path`
    // as it was, when the encoder or the write failed.
    bool Finish(const std::string& path, const FileOps& ops = SystemFileOps());

  private:
    bool Assemble(WebPData& file) const;

    std::int32_t width_;
    std::int32_t height_;
    std::unique_ptr<WebpFrameCompressor> compressor_;
    std::vector<std::uint32_t> frame_;     // 0xAARRGGBB, as the encoder takes it
    std::vector<std::uint32_t> previous_;  // the frame added last
    std::vector<std::int64_t> durations_;  // of each compressed frame, in milliseconds
    std::int64_t timestamp_ = 0;           // in milliseconds, where the next frame starts
};

}  // namespace zef
