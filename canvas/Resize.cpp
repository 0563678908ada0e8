#include "canvas/Resize.h"

#include <algorithm>
#include <vector>

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

// Resizes by a whole-number ratio both ways where a target pixel covers at most 257 source
// pixels: a channel's sum then fits 16 bits, so the three add up side by side in one word.
void ResizeByWholeRatio(const Bitmap& source, Bitmap& target) {
    const auto across = static_cast<std::size_t>(source.Width() / target.Width());
    const std::int32_t down = source.Height() / target.Height();
    // Each source pixel weighs targetWidth x targetHeight of the area every target pixel
    // covers, sourceWidth x sourceHeight.
    const auto weight =
        static_cast<std::uint64_t>(target.Width()) * static_cast<std::uint64_t>(target.Height());
    const auto area =
        static_cast<std::uint64_t>(source.Width()) * static_cast<std::uint64_t>(source.Height());
    const auto mean = [&](std::uint64_t sums, int channel) {
        return static_cast<std::uint32_t>(
            (((sums >> (16 * channel)) & 0xFFFF) * weight + area / 2) / area);
    };
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(source.Width()));
    for (std::int32_t y = 0; y < target.Height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (std::int32_t sy = y * down; sy < (y + 1) * down; ++sy) {
            const std::uint32_t* from = source.Row(sy);
            for (std::size_t sx = 0; sx < sums.size(); ++sx) {
                const std::uint64_t pixel = from[sx];
                sums[sx] += (pixel & 0xFF) | (pixel & 0xFF00) << 8 | (pixel & 0xFF0000) << 16;
            }
        }
        std::uint32_t* to = target.Row(y);
        std::uint64_t last = ~std::uint64_t{0};
        std::uint32_t lastMean = 0;
        for (std::size_t x = 0, sx = 0; x < static_cast<std::size_t>(target.Width()); ++x) {
            std::uint64_t sum = 0;
            for (const std::size_t end = sx + across; sx < end; ++sx) {
                sum += sums[sx];
            }
            // Runs of one colour, most of a frame, are divided once.
            if (sum != last) {
                last = sum;
                lastMean = mean(sum, 2) << 16 | mean(sum, 1) << 8 | mean(sum, 0);
            }
            to[x] = lastMean;
        }
    }
}

// A target row's source rows summed down every source column, channel by channel (at most
// 255 x sourceHeight, so 32 bits hold it).
class ColumnSums {
  public:
    explicit ColumnSums(std::size_t width) : width_(width), sums_(3 * width) {}

    const std::uint32_t* Channel(int channel) const {
        return sums_.data() + static_cast<std::size_t>(channel) * width_;
    }

    // Sums the rows; rows of one weight, as in any whole-number ratio, are added as they are
    // and weighed once at the end: answers that weight, or 1 when each row was weighed.
    std::uint64_t SumRows(const Bitmap& source, const Coverage& rows, std::int64_t targetHeight) {
        std::uint64_t rowWeight = rows.Weight(rows.first, targetHeight);
        for (std::int64_t sy = rows.first + 1; sy <= rows.last; ++sy) {
            if (rows.Weight(sy, targetHeight) != rowWeight) {
                rowWeight = 1;
            }
        }
        std::fill(sums_.begin(), sums_.end(), 0);
        std::uint32_t* red = sums_.data();
        std::uint32_t* green = red + width_;
        std::uint32_t* blue = green + width_;
        for (std::int64_t sy = rows.first; sy <= rows.last; ++sy) {
            const std::uint32_t* from = source.Row(static_cast<std::int32_t>(sy));
            const auto weight =
                rowWeight != 1 ? 1u : static_cast<std::uint32_t>(rows.Weight(sy, targetHeight));
            for (std::size_t sx = 0; sx < width_; ++sx) {
                red[sx] += weight * (from[sx] & 0xFFu);
                green[sx] += weight * ((from[sx] >> 8) & 0xFFu);
                blue[sx] += weight * ((from[sx] >> 16) & 0xFFu);
            }
        }
        return rowWeight;
    }

  private:
    std::size_t width_;
    std::vector<std::uint32_t> sums_;  // red, green, blue: a source row each
};

// The rounded mean of sums over the area every target pixel covers (sourceWidth x
// sourceHeight units), taken by the reciprocal and set right by at most one.
class RoundedMean {
  public:
    explicit RoundedMean(std::uint64_t area)
        : area_(area), reciprocal_(1.0 / static_cast<double>(area)) {}

    std::uint32_t operator()(std::uint64_t sum) const {
        const std::uint64_t rounded = sum + area_ / 2;
        auto value = static_cast<std::uint64_t>(static_cast<std::int64_t>(
            static_cast<double>(static_cast<std::int64_t>(rounded)) * reciprocal_));
        if (value * area_ > rounded) {
            --value;
        } else if ((value + 1) * area_ <= rounded) {
            ++value;
        }
        return static_cast<std::uint32_t>(value);
    }

  private:
    std::uint64_t area_;
    double reciprocal_;
};

// Each target column's source columns and their weights. In a whole-number ratio across,
// every target column covers as many whole source columns: they are added as they are and
// weighed once at the end.
class ColumnWeights {
  public:
    ColumnWeights(std::int64_t sourceWidth, std::int64_t targetWidth)
        : whole_(sourceWidth % targetWidth == 0),
          each_(static_cast<std::size_t>(sourceWidth / targetWidth)),
          weight_(whole_ ? static_cast<std::uint64_t>(targetWidth) : 1) {
        for (std::int64_t x = 0; x < targetWidth; ++x) {
            const Coverage across(x, sourceWidth, targetWidth);
            columns_.emplace_back(static_cast<std::size_t>(across.first), weights_.size());
            for (std::int64_t sx = across.first; sx <= across.last; ++sx) {
                weights_.push_back(static_cast<std::uint32_t>(across.Weight(sx, targetWidth)));
            }
        }
        columns_.emplace_back(0, weights_.size());
    }

    // One target row from its column sums, weighed by `rowWeight`.
    void SumAcross(const ColumnSums& down, std::uint64_t rowWeight, const RoundedMean& mean,
                   std::uint32_t* to) const {
        const std::uint32_t* red = down.Channel(0);
        const std::uint32_t* green = down.Channel(1);
        const std::uint32_t* blue = down.Channel(2);
        std::uint64_t last[3] = {0, 0, 0};
        std::uint32_t lastMean = 0;
        const std::uint64_t weight = rowWeight * weight_;
        for (std::size_t x = 0; x + 1 < columns_.size(); ++x) {
            std::uint64_t sums[3] = {0, 0, 0};
            std::size_t sx = columns_[x].first;
            if (whole_) {
                for (const std::size_t end = sx + each_; sx < end; ++sx) {
                    sums[0] += red[sx];
                    sums[1] += green[sx];
                    sums[2] += blue[sx];
                }
            } else {
                for (std::size_t w = columns_[x].second; w < columns_[x + 1].second; ++w, ++sx) {
                    sums[0] += std::uint64_t{weights_[w]} * red[sx];
                    sums[1] += std::uint64_t{weights_[w]} * green[sx];
                    sums[2] += std::uint64_t{weights_[w]} * blue[sx];
                }
            }
            // Runs of one colour, most of a frame, are divided once.
            if (sums[0] != last[0] || sums[1] != last[1] || sums[2] != last[2]) {
                std::copy_n(sums, 3, last);
                lastMean = mean(weight * sums[2]) << 16 | mean(weight * sums[1]) << 8 |
                           mean(weight * sums[0]);
            }
            *to++ = lastMean;
        }
    }

  private:
    bool whole_;
    std::size_t each_;
    std::uint64_t weight_;
    std::vector<std::pair<std::size_t, std::size_t>> columns_;  // first column, first weight
    std::vector<std::uint32_t> weights_;
};

// The colour value of channel sums over `weight`, each rounded to the nearest.
std::uint32_t Mean(const std::uint64_t (&sums)[3], std::uint64_t weight) {
    std::uint32_t mean = 0;
    for (int channel = 2; channel >= 0; --channel) {
        mean = (mean << 8) | static_cast<std::uint32_t>((sums[channel] + weight / 2) / weight);
    }
    return mean;
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
    const std::int64_t sourceWidth = source.Width();
    const std::int64_t sourceHeight = source.Height();
    const std::int64_t targetWidth = target.Width();
    const std::int64_t targetHeight = target.Height();
    if (sourceWidth == 0 || sourceHeight == 0 || targetWidth == 0 || targetHeight == 0) {
        return false;
    }
    if (sourceWidth % targetWidth == 0 && sourceHeight % targetHeight == 0 &&
        (sourceWidth / targetWidth) * (sourceHeight / targetHeight) <= 257) {
        ResizeByWholeRatio(source, target);
        return true;
    }
    // The weights are a row's times a column's: each target row first sums its source rows
    // down every source column, then each target pixel sums its columns across.
    ColumnSums down(static_cast<std::size_t>(sourceWidth));
    const ColumnWeights across(sourceWidth, targetWidth);
    const RoundedMean mean(static_cast<std::uint64_t>(sourceWidth * sourceHeight));
    for (std::int64_t y = 0; y < targetHeight; ++y) {
        const std::uint64_t rowWeight =
            down.SumRows(source, Coverage(y, sourceHeight, targetHeight), targetHeight);
        across.SumAcross(down, rowWeight, mean, target.Row(static_cast<std::int32_t>(y)));
    }
    return true;
}

bool ResizeAreaAverageClear(const Bitmap& source, std::uint32_t clear, Bitmap& target,
                            std::span<std::uint8_t> alpha) {
    const std::int64_t sourceWidth = source.Width();
    const std::int64_t sourceHeight = source.Height();
    const std::int64_t targetWidth = target.Width();
    const std::int64_t targetHeight = target.Height();
    if (sourceWidth == 0 || sourceHeight == 0 || targetWidth == 0 || targetHeight == 0 ||
        alpha.size() != target.Pixels().size()) {
        return false;
    }
    // Every target pixel covers sourceWidth x sourceHeight units of area; the clear pixels add
    // to no sum and lower the alpha instead.
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
            alpha[static_cast<std::size_t>(y * targetWidth + x)] =
                static_cast<std::uint8_t>((drawn * 255 + area / 2) / area);
            to[x] = drawn == 0 ? clear : Mean(sums, drawn);
        }
    }
    return true;
}

}  // namespace zef
