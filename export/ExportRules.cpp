#include "export/ExportRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "export/ExportOptions.h"
#include "export/ExportTexts.h"
#include "export/UnsignedNumber.h"

namespace zef {
namespace {

std::optional<std::int64_t> PreviewCount(ExportKind kind, std::string_view endWaitText,
                                         std::int32_t smoothness, double totalLength,
                                         std::int32_t vtrSpeed) {
    if (kind != ExportKind::kVtr) {
        return FrameCount(kind, totalLength, vtrSpeed, 0, FrameDelay(kind, smoothness));
    }
    const std::optional<std::int32_t> endWait = ParseNonNegative(endWaitText);
    if (!endWait) {
        return std::nullopt;
    }
    return FrameCount(kind, totalLength, vtrSpeed, *endWait, FrameDelay(kind, smoothness));
}

}  // namespace

std::int32_t FrameDelay(ExportKind kind, std::int32_t smoothness) {
    return kind == ExportKind::kVtr ? VtrFrameDelay(smoothness) : 6;
}

std::int32_t ReplayStep(std::int32_t vtrSpeed, std::int32_t frameDelay) {
    const std::int64_t step = std::int64_t{vtrSpeed} * frameDelay / 6;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(step, 1, std::numeric_limits<std::int32_t>::max()));
}

std::int64_t FrameCount(ExportKind kind, double totalLength, std::int32_t vtrSpeed,
                        std::int32_t endWait, std::int32_t frameDelay) {
    if (kind == ExportKind::kShaking) {
        return 5;
    }
    if (kind != ExportKind::kVtr) {
        return 1;
    }
    const std::int32_t delay = std::max(frameDelay, 1);
    const double limit = std::numeric_limits<std::uint32_t>::max();
    const auto length = static_cast<std::uint32_t>(std::clamp(std::trunc(totalLength), 0.0, limit));
    const std::int64_t growth = length / static_cast<std::uint32_t>(ReplayStep(vtrSpeed, delay));
    const std::int64_t hold = std::int64_t{endWait} * 100 / delay;
    return std::max<std::int64_t>(growth + hold, 0);
}

std::optional<std::int32_t> ParseNonNegative(std::string_view text) {
    const std::optional<std::uint32_t> value = ReadUnsignedNumber(text);
    if (!value || IsNegativeAsSigned32(*value)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int32_t> ParseSide(std::string_view text) {
    const std::optional<std::int32_t> value = ParseNonNegative(text);
    return value > 0 ? value : std::nullopt;
}

std::optional<std::int64_t> ProportionalSide(std::string_view typed, std::int32_t typedModelSide,
                                             std::int32_t otherModelSide) {
    const std::optional<std::uint32_t> value = ReadUnsignedNumber(typed);
    if (!value || typedModelSide <= 0) {
        return std::nullopt;
    }
    return std::int64_t{*value} * otherModelSide / typedModelSide;
}

std::string FramePreviewText(ExportKind kind, std::string_view endWaitText, std::int32_t smoothness,
                             double totalLength, std::int32_t vtrSpeed) {
    const std::optional<std::int64_t> count =
        PreviewCount(kind, endWaitText, smoothness, totalLength, vtrSpeed);
    return count ? std::to_string(*count) : texts::kPreviewInvalid;
}

namespace {

// The BMP dialog's frame count and frame size as its fields read; nothing while one does not
// read as a number.
struct BmpFrames {
    std::int64_t count;
    std::uint32_t width;
    std::uint32_t height;
};
std::optional<BmpFrames> ReadBmpFrames(ExportKind kind, std::string_view endWaitText,
                                       std::int32_t smoothness, double totalLength,
                                       std::int32_t vtrSpeed, std::string_view widthText,
                                       std::string_view heightText) {
    const std::optional<std::int64_t> count =
        PreviewCount(kind, endWaitText, smoothness, totalLength, vtrSpeed);
    const std::optional<std::uint32_t> width = ReadUnsignedNumber(widthText);
    const std::optional<std::uint32_t> height = ReadUnsignedNumber(heightText);
    if (!count || !width || !height) {
        return std::nullopt;
    }
    return BmpFrames{*count, *width, *height};
}

}  // namespace

BmpPreview BmpPreviewTexts(ExportKind kind, std::string_view endWaitText, std::int32_t smoothness,
                           double totalLength, std::int32_t vtrSpeed, std::string_view widthText,
                           std::string_view heightText) {
    const std::optional<BmpFrames> frames =
        ReadBmpFrames(kind, endWaitText, smoothness, totalLength, vtrSpeed, widthText, heightText);
    if (!frames) {
        return {texts::kPreviewInvalid, texts::kPreviewInvalid};
    }
    const double megabytes = static_cast<double>(frames->height) *
                             static_cast<double>(frames->width) *
                             static_cast<double>(frames->count) / 1048576.0;
    char text[64];
    std::snprintf(text, sizeof text, "%10.3f", megabytes);
    return {std::to_string(frames->count), text};
}

std::optional<BmpSequenceBytes> BmpSequenceSize(ExportKind kind, std::string_view endWaitText,
                                                std::int32_t smoothness, double totalLength,
                                                std::int32_t vtrSpeed, std::string_view widthText,
                                                std::string_view heightText) {
    const std::optional<BmpFrames> read =
        ReadBmpFrames(kind, endWaitText, smoothness, totalLength, vtrSpeed, widthText, heightText);
    if (!read) {
        return std::nullopt;
    }
    constexpr std::uint64_t kHeaders = 14 + 40;
    const std::uint64_t stride = (std::uint64_t{read->width} + 3) / 4 * 4;
    const std::uint64_t frame = kHeaders + stride * read->height;
    const auto frames = static_cast<std::uint64_t>(read->count);
    return BmpSequenceBytes{frames * (frame + 4), frames * (frame + 4 * 256)};
}

std::string ProposedExportPath(const std::string& modelPath, std::string_view extension) {
    if (modelPath.empty()) {
        return {};
    }
    return modelPath.substr(0, modelPath.size() - std::min<std::size_t>(modelPath.size(), 4)) +
           std::string(extension);
}

std::string BmpFileName(const std::string& base, ExportKind kind, std::int64_t frame) {
    if (kind == ExportKind::kStill) {
        return base + ".bmp";
    }
    char number[24];
    std::snprintf(number, sizeof number, "%04lld", static_cast<long long>(frame));
    return base + number + ".bmp";
}

bool FrameSizeCanBeHad(std::int64_t width, std::int64_t height) {
    constexpr std::int64_t kMaxSide = 65535;
    constexpr std::int64_t kMaxBytes = std::int64_t{1} << 30;
    return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
           4 * width * height <= kMaxBytes;
}

}  // namespace zef
