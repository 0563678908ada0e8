#include "export/WebpWriter.h"

#include "export/WebpFrameCompressor.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace zef {
namespace {

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

// The longest a WebP frame can show, in milliseconds.
constexpr std::int64_t kLongestFrame = (1 << 24) - 1;

// A colour value (red + 256 green + 65536 blue) with its opacity, as 0xAARRGGBB.
std::uint32_t Argb(std::uint32_t colour, std::uint32_t alpha) {
    return alpha << 24 | (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

}  // namespace

AnimatedWebpWriter::AnimatedWebpWriter(std::int32_t width, std::int32_t height,
                                       WebpCompression compression)
    : width_(width),
      height_(height),
      frame_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      previous_(frame_.size()) {
    compressor_ = std::make_unique<WebpFrameCompressor>(width, height, FrameConfig(compression));
}

AnimatedWebpWriter::~AnimatedWebpWriter() = default;

bool AnimatedWebpWriter::Add(const Bitmap& colours, std::span<const std::uint8_t> alpha,
                             std::uint32_t delay) {
    const std::span<const std::uint32_t> pixels = colours.Pixels();
    for (std::size_t i = 0; i < frame_.size(); ++i) {
        frame_[i] = Argb(pixels[i], alpha.empty() ? 0xFFu : alpha[i]);
    }
    const std::int64_t duration = std::int64_t{delay} * 10;
    timestamp_ += duration;
    if (!durations_.empty() && frame_ == previous_) {
        durations_.back() += duration;
    } else {
        frame_.swap(previous_);
        const bool first = durations_.empty();
        durations_.push_back(duration);
        if (!compressor_->Compress(previous_, first ? std::span<const std::uint32_t>() : frame_)) {
            return false;
        }
    }
    return timestamp_ <= std::numeric_limits<int>::max();
}

bool AnimatedWebpWriter::Finish(const std::string& path, const FileOps& ops) {
    if (durations_.empty()) {
        std::fill(previous_.begin(), previous_.end(), 0u);
        durations_.push_back(0);
    }
    // One picture is a still image, every pixel of it: the animation's first frame holds only
    // the pixels that show.
    const bool still = durations_.size() == 1;
    if ((still && !compressor_->CompressWhole(previous_)) || !compressor_->Wait()) {
        return false;
    }
    if (still) {
        return WriteFileAtomically(path, compressor_->Pictures().back().bytes, ops);
    }
    WebPData file;
    WebPDataInit(&file);
    const bool written = Assemble(file) && WriteFileAtomically(path, {file.bytes, file.size}, ops);
    WebPDataClear(&file);
    return written;
}

// Each frame's picture is placed at its box and left there for the next (no disposal), drawn
// over what was there or replacing it as the compressor chose. A frame longer than a WebP
// frame can show is stored as several showing the same picture.
bool AnimatedWebpWriter::Assemble(WebPData& file) const {
    const std::unique_ptr<WebPMux, decltype(&WebPMuxDelete)> mux(WebPMuxNew(), WebPMuxDelete);
    const WebPMuxAnimParams forever{0u, 0};
    bool assembled = mux != nullptr &&
                     WebPMuxSetCanvasSize(mux.get(), width_, height_) == WEBP_MUX_OK &&
                     WebPMuxSetAnimationParams(mux.get(), &forever) == WEBP_MUX_OK;
    const std::vector<WebpFramePicture>& pictures = compressor_->Pictures();
    for (std::size_t i = 0; assembled && i < pictures.size(); ++i) {
        std::int64_t left = durations_[i];
        do {
            const std::int64_t duration = std::min(left, kLongestFrame);
            WebPMuxFrameInfo frame{};
            frame.bitstream = {pictures[i].bytes.data(), pictures[i].bytes.size()};
            frame.x_offset = pictures[i].left;
            frame.y_offset = pictures[i].top;
            frame.duration = static_cast<int>(duration);
            frame.id = WEBP_CHUNK_ANMF;
            frame.dispose_method = WEBP_MUX_DISPOSE_NONE;
            frame.blend_method = pictures[i].blended ? WEBP_MUX_BLEND : WEBP_MUX_NO_BLEND;
            assembled = WebPMuxPushFrame(mux.get(), &frame, 0) == WEBP_MUX_OK;
            left -= duration;
        } while (assembled && left > 0);
    }
    return assembled && WebPMuxAssemble(mux.get(), &file) == WEBP_MUX_OK;
}

}  // namespace zef
