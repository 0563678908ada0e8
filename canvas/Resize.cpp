#include "Resize.h"

#include <algorithm>
#include <optional>

namespace zef {

namespace {

// Walks the source index (2 * i + 1) * sourceSize / (2 * targetSize) of the target indices
// i = 0, 1, 2, ...: the source pixel under each target pixel's centre, without a division per
// step.
class NearestWalk {
  public:
    NearestWalk(std::int64_t sourceSize, std::int64_t targetSize)
        : denominator_(2 * targetSize),
          index_(sourceSize / denominator_),
          remainder_(sourceSize % denominator_),
          stepIndex_(2 * sourceSize / denominator_),
          stepRemainder_(2 * sourceSize % denominator_) {}

    std::int64_t Index() const { return index_; }

    void Next() {
        index_ += stepIndex_;
        remainder_ += stepRemainder_;
        if (remainder_ >= denominator_) {
            ++index_;
            remainder_ -= denominator_;
        }
    }

  private:
    std::int64_t denominator_;
    std::int64_t index_;
    std::int64_t remainder_;
    std::int64_t stepIndex_;
    std::int64_t stepRemainder_;
};

// The source pixels that target pixel `target` covers along one axis, on a scale where a
// source pixel is targetSize long and a target pixel sourceSize long: the first and the last
// one, and how much of a source pixel the target covers.
struct Coverage {
    std::int64_t first;
    std::int64_t last;
    std::int64_t start;  // where the target pixel begins, on that scale
    std::int64_t end;

    Coverage(std::int64_t target, std::int64_t sourceSize, std::int64_t targetSize)
        : first(target * sourceSize / targetSize),
          last(((target + 1) * sourceSize - 1) / targetSize),
          start(target * sourceSize),
          end((target + 1) * sourceSize) {}

    std::uint64_t Weight(std::int64_t source, std::int64_t targetSize) const {
        return static_cast<std::uint64_t>(std::min(end, (source + 1) * targetSize) -
                                          std::max(start, source * targetSize));
    }
};

// The colour value of channel sums over `weight`, each rounded to the nearest.
std::uint32_t Mean(const std::uint64_t (&sums)[3], std::uint64_t weight) {
    std::uint32_t mean = 0;
    for (int channel = 2; channel >= 0; --channel) {
        mean = (mean << 8) | static_cast<std::uint32_t>((sums[channel] + weight / 2) / weight);
    }
    return mean;
}

// Every target pixel covers sourceWidth x sourceHeight units of area. Pixels of the colour
// `clear`, when given, add to no sum: they lower the target's alpha instead.
bool ResizeByArea(const Bitmap& source, std::optional<std::uint32_t> clear, Bitmap& target,
                  std::span<std::uint8_t> alpha) {
    const std::int64_t sourceWidth = source.Width();
    const std::int64_t sourceHeight = source.Height();
    const std::int64_t targetWidth = target.Width();
    const std::int64_t targetHeight = target.Height();
    if (sourceWidth == 0 || sourceHeight == 0 || targetWidth == 0 || targetHeight == 0) {
        return false;
    }
    const auto area = static_cast<std::uint64_t>(sourceWidth * sourceHeight);
    for (std::int64_t y = 0; y < targetHeight; ++y) {
        const Coverage down(y, sourceHeight, targetHeight);
        std::uint32_t* to = target.Row(static_cast<std::int32_t>(y));
        for (std::int64_t x = 0; x < targetWidth; ++x) {
            const Coverage across(x, sourceWidth, targetWidth);
            std::uint64_t sums[3] = {0, 0, 0};
            std::uint64_t drawn = 0;
            for (std::int64_t sy = down.first; sy <= down.last; ++sy) {
                const std::uint64_t rowWeight = down.Weight(sy, targetHeight);
                const std::uint32_t* from = source.Row(static_cast<std::int32_t>(sy));
                for (std::int64_t sx = across.first; sx <= across.last; ++sx) {
                    const std::uint32_t pixel = from[sx];
                    if (pixel == clear) {
                        continue;
                    }
                    const std::uint64_t weight = rowWeight * across.Weight(sx, targetWidth);
                    drawn += weight;
                    sums[0] += weight * (pixel & 0xFFu);
                    sums[1] += weight * ((pixel >> 8) & 0xFFu);
                    sums[2] += weight * ((pixel >> 16) & 0xFFu);
                }
            }
            if (clear) {
                alpha[static_cast<std::size_t>(y * targetWidth + x)] =
                    static_cast<std::uint8_t>((drawn * 255 + area / 2) / area);
            }
            to[x] = drawn == 0 ? *clear : Mean(sums, drawn);
        }
    }
    return true;
}

}  // namespace

bool StretchNearest(const Bitmap& source, PixelRect region, Bitmap& target) {
    const std::int64_t left = std::max<std::int64_t>(region.x, 0);
    const std::int64_t top = std::max<std::int64_t>(region.y, 0);
    const std::int64_t right =
        std::min<std::int64_t>(static_cast<std::int64_t>(region.x) + region.width, source.Width());
    const std::int64_t bottom = std::min<std::int64_t>(
        static_cast<std::int64_t>(region.y) + region.height, source.Height());
    if (right <= left || bottom <= top || target.Width() == 0 || target.Height() == 0) {
        return false;
    }
    NearestWalk row(bottom - top, target.Height());
    for (std::int32_t y = 0; y < target.Height(); ++y, row.Next()) {
        const std::uint32_t* from = source.Row(static_cast<std::int32_t>(top + row.Index()));
        std::uint32_t* to = target.Row(y);
        NearestWalk column(right - left, target.Width());
        for (std::int32_t x = 0; x < target.Width(); ++x, column.Next()) {
            to[x] = from[left + column.Index()];
        }
    }
    return true;
}

bool ResizeAreaAverage(const Bitmap& source, Bitmap& target) {
    return ResizeByArea(source, std::nullopt, target, {});
}

bool ResizeAreaAverageClear(const Bitmap& source, std::uint32_t clear, Bitmap& target,
                            std::span<std::uint8_t> alpha) {
    if (alpha.size() != target.Pixels().size()) {
        return false;
    }
    return ResizeByArea(source, clear, target, alpha);
}

}  // namespace zef
