#include "WebpWriter.h"

#include <malloc.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <limits>
#include <new>

namespace zef {
namespace {

// Every frame is a key frame, stored whole. In a trembling line drawing every line moves
// from one frame to the next, and the difference from the frame before, its unchanged pixels
// made transparent, compresses worse than the frame itself (by a third on the sample
// replay); a key frame also takes one trial where a difference takes two or more.
WebPAnimEncoderOptions EncoderOptions() {
    WebPAnimEncoderOptions options;
    WebPAnimEncoderOptionsInit(&options);
    options.anim_params.loop_count = 0;
    options.anim_params.bgcolor = 0;
    options.minimize_size = 0;
    options.kmin = 0;
    options.kmax = 1;
    options.allow_mixed = 0;
    return options;
}

WebPConfig FrameConfig(const WebpCompression& compression) {
    WebPConfig config;
    WebPConfigInit(&config);
    if (compression.lossyQuality) {
        config.quality = static_cast<float>(*compression.lossyQuality);
    } else {
        // Higher levels take longer for hardly smaller line drawings.
        WebPConfigLosslessPreset(&config, 2);
    }
    return config;
}

// The encoder takes and frees several megabytes a frame. The allocator keeps them for the next
// frame instead of handing them back to the system and faulting them in again, which took a
// sixth of the export's time.
void KeepFreedBlocks() {
    static const bool kept = [] {
        constexpr int kLargeBlock = 64 << 20;
        return mallopt(M_MMAP_THRESHOLD, kLargeBlock) == 1 &&
               mallopt(M_TRIM_THRESHOLD, 2 * kLargeBlock) == 1;
    }();
    static_cast<void>(kept);
}

// A colour value (red + 256 green + 65536 blue) with its opacity, as 0xAARRGGBB.
std::uint32_t Argb(std::uint32_t colour, std::uint32_t alpha) {
    return alpha << 24 | (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

}  // namespace

AnimatedWebpWriter::AnimatedWebpWriter(std::int32_t width, std::int32_t height,
                                       WebpCompression compression)
    : width_(width),
      height_(height),
      compression_(compression),
      frame_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      previous_(frame_.size()) {
    KeepFreedBlocks();
    const WebPAnimEncoderOptions options = EncoderOptions();
    encoder_ = WebPAnimEncoderNew(width, height, &options);
    if (encoder_ == nullptr) {
        throw std::bad_alloc();
    }
}

AnimatedWebpWriter::~AnimatedWebpWriter() {
    WebPAnimEncoderDelete(encoder_);
}

bool AnimatedWebpWriter::Add(const Bitmap& colours, std::span<const std::uint8_t> alpha,
                             std::uint32_t delay) {
    const std::span<const std::uint32_t> pixels = colours.Pixels();
    for (std::size_t i = 0; i < frame_.size(); ++i) {
        frame_[i] = Argb(pixels[i], alpha.empty() ? 0xFFu : alpha[i]);
    }
    const bool repeated = hasPrevious_ && frame_ == previous_;
    if (!repeated && !Encode(frame_)) {
        return false;
    }
    timestamp_ += std::int64_t{delay} * 10;
    return timestamp_ <= std::numeric_limits<int>::max();
}

// The encoder may work on the picture it is given, so the frame kept for the comparison is a
// copy.
bool AnimatedWebpWriter::Encode(std::vector<std::uint32_t>& argb) {
    std::copy(argb.begin(), argb.end(), previous_.begin());
    hasPrevious_ = true;
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) {
        return false;
    }
    picture.use_argb = 1;
    picture.width = width_;
    picture.height = height_;
    picture.argb = argb.data();
    picture.argb_stride = width_;
    const WebPConfig config = FrameConfig(compression_);
    return WebPAnimEncoderAdd(encoder_, &picture, static_cast<int>(timestamp_), &config) != 0;
}

bool AnimatedWebpWriter::Finish(const std::string& path, const FileOps& ops) {
    if (!hasPrevious_) {
        std::fill(frame_.begin(), frame_.end(), 0u);
        if (!Encode(frame_)) {
            return false;
        }
    }
    WebPData data;
    WebPDataInit(&data);
    const bool assembled =
        WebPAnimEncoderAdd(encoder_, nullptr, static_cast<int>(timestamp_), nullptr) != 0 &&
        WebPAnimEncoderAssemble(encoder_, &data) != 0;
    const bool written = assembled && WriteFileAtomically(path, {data.bytes, data.size}, ops);
    WebPDataClear(&data);
    return written;
}

}  // namespace zef
