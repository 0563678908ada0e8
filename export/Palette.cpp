#include "export/Palette.h"

#include <algorithm>
#include <limits>

#include "export/Runs.h"

namespace zef {
namespace {

int Channel(std::uint32_t colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

// The colour at the middle of a 15-bit bin.
std::uint32_t BinColour(std::size_t bin) {
    const auto part = [bin](int shift) {
        return static_cast<std::uint32_t>(((bin >> shift) & 0x1F) << 3 | 4);
    };
    return part(0) | part(5) << 8 | part(10) << 16;
}

struct WeightedBin {
    std::uint32_t colour;  // the middle of the bin
    std::uint32_t count;
};

// A run of bins, first to one past the last, and the pixels they hold.
struct BinBox {
    std::size_t first;
    std::size_t last;
    std::uint64_t weight;
};

std::uint64_t WeightOf(const std::vector<WeightedBin>& bins, std::size_t first, std::size_t last) {
    std::uint64_t weight = 0;
    for (std::size_t i = first; i < last; ++i) {
        weight += bins[i].count;
    }
    return weight;
}

// The shift of the channel along which the box's colours spread the most.
int LongestSide(const std::vector<WeightedBin>& bins, const BinBox& box) {
    int longest = 0;
    int span = -1;
    for (const int shift : {0, 8, 16}) {
        int low = 255, high = 0;
        for (std::size_t i = box.first; i < box.last; ++i) {
            low = std::min(low, Channel(bins[i].colour, shift));
            high = std::max(high, Channel(bins[i].colour, shift));
        }
        if (high - low > span) {
            span = high - low;
            longest = shift;
        }
    }
    return longest;
}

// Halves the box at the weighted median of its longest side: the box keeps the lower half and
// the upper half is answered.
BinBox SplitAtMedian(std::vector<WeightedBin>& bins, BinBox& box) {
    const int longest = LongestSide(bins, box);
    const auto begin = bins.begin() + static_cast<std::ptrdiff_t>(box.first);
    const auto end = bins.begin() + static_cast<std::ptrdiff_t>(box.last);
    std::sort(begin, end, [longest](const WeightedBin& a, const WeightedBin& b) {
        return Channel(a.colour, longest) < Channel(b.colour, longest);
    });
    std::uint64_t half = 0;
    std::size_t middle = box.first + 1;
    while (middle < box.last - 1 && (half += bins[middle - 1].count) * 2 < box.weight) {
        ++middle;
    }
    const BinBox upper{middle, box.last, WeightOf(bins, middle, box.last)};
    box.last = middle;
    box.weight -= upper.weight;
    return upper;
}

// The box's colour: the weighted mean of its bins.
std::uint32_t MeanColour(const std::vector<WeightedBin>& bins, const BinBox& box) {
    std::array<std::uint64_t, 3> sum{};
    for (std::size_t i = box.first; i < box.last; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += std::uint64_t{bins[i].count} * Channel(bins[i].colour, 8 * c);
        }
    }
    const std::uint64_t weight = std::max<std::uint64_t>(box.weight, 1);
    return static_cast<std::uint32_t>((sum[0] + weight / 2) / weight) |
           static_cast<std::uint32_t>((sum[1] + weight / 2) / weight) << 8 |
           static_cast<std::uint32_t>((sum[2] + weight / 2) / weight) << 16;
}

// Splits the bins into at most `wanted` boxes, each time halving the most populous box that
// still spans more than one bin, and gives each box's mean colour.
std::vector<std::uint32_t> MedianCut(std::vector<WeightedBin> bins, std::size_t wanted) {
    std::vector<BinBox> boxes{{0, bins.size(), WeightOf(bins, 0, bins.size())}};
    const auto splittable = [](const BinBox& box) { return box.last - box.first > 1; };
    while (boxes.size() < wanted) {
        auto box =
            std::max_element(boxes.begin(), boxes.end(), [&](const BinBox& a, const BinBox& b) {
                return (splittable(a) ? a.weight : 0) < (splittable(b) ? b.weight : 0);
            });
        if (!splittable(*box)) {
            break;
        }
        const BinBox upper = SplitAtMedian(bins, *box);
        boxes.push_back(upper);
    }
    std::vector<std::uint32_t> colours;
    for (const BinBox& box : boxes) {
        colours.push_back(MeanColour(bins, box));
    }
    return colours;
}

}  // namespace

Palette Palette::Exact(std::vector<std::uint32_t> colours) {
    Palette palette;
    palette.colours_ = std::move(colours);
    palette.colours_.resize(std::min(palette.colours_.size(), kMaxColours));
    palette.slots_.resize(kSlots);
    for (std::size_t i = 0; i < palette.colours_.size(); ++i) {
        std::size_t slot = Hash(palette.colours_[i]);
        while (palette.slots_[slot].used != 0 &&
               palette.slots_[slot].colour != palette.colours_[i]) {
            slot = (slot + 1) % kSlots;
        }
        if (palette.slots_[slot].used == 0) {
            palette.slots_[slot] = {palette.colours_[i], static_cast<std::uint8_t>(i), 1};
        }
    }
    return palette;
}

Palette Palette::Nearest(std::vector<std::uint32_t> colours) {
    Palette palette;
    palette.colours_ = std::move(colours);
    palette.colours_.resize(std::clamp<std::size_t>(palette.colours_.size(), 1, kMaxColours));
    auto table = std::make_shared<std::array<std::uint8_t, 32768>>();
    for (std::size_t bin = 0; bin < table->size(); ++bin) {
        const std::uint32_t colour = BinColour(bin);
        int best = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < palette.colours_.size(); ++i) {
            int distance = 0;
            for (const int shift : {0, 8, 16}) {
                const int d = Channel(colour, shift) - Channel(palette.colours_[i], shift);
                distance += d * d;
            }
            if (distance < best) {
                best = distance;
                (*table)[bin] = static_cast<std::uint8_t>(i);
            }
        }
    }
    palette.nearest_ = std::move(table);
    return palette;
}

ColourCounter::ColourCounter() : histogram_(32768) {}

bool ColourCounter::Add(std::span<const std::uint32_t> pixels, std::uint8_t* indices) {
    // Run by run: one look-up a run of one colour.
    for (std::size_t i = 0; i < pixels.size();) {
        const std::uint32_t colour = pixels[i];
        const std::size_t end = RunEnd(pixels, i);
        const auto run = static_cast<std::uint32_t>(end - i);
        auto found = std::find(exact_.begin(), exact_.end(), colour);
        if (!overflowed_ && found == exact_.end() && exact_.size() == Palette::kMaxColours) {
            Overflow();
        }
        if (overflowed_) {
            histogram_[Palette::Bin(colour)] += run;
        } else {
            if (found == exact_.end()) {
                exact_.push_back(colour);
                found = exact_.end() - 1;
            }
            const auto index = static_cast<std::uint8_t>(found - exact_.begin());
            counts_[index] += run;
            if (indices != nullptr) {
                std::fill(indices + i, indices + end, index);
            }
        }
        i = end;
    }
    return !overflowed_;
}

void ColourCounter::Overflow() {
    for (std::size_t i = 0; i < exact_.size(); ++i) {
        histogram_[Palette::Bin(exact_[i])] += counts_[i];
    }
    overflowed_ = true;
    exact_.clear();
}

Palette ColourCounter::MakePalette() const {
    if (!overflowed_) {
        return Palette::Exact(exact_);
    }
    std::vector<WeightedBin> bins;
    for (std::size_t bin = 0; bin < histogram_.size(); ++bin) {
        if (histogram_[bin] != 0) {
            bins.push_back({BinColour(bin), histogram_[bin]});
        }
    }
    return Palette::Nearest(MedianCut(std::move(bins), Palette::kMaxColours));
}

}  // namespace zef
