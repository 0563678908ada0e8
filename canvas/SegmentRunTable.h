#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zef {

// The runs of every short wide segment of one width, worked out once. A wide pen paints the
// same pixels around a segment wherever its whole-pixel ends lie, so the runs of a segment
// depend only on the offset from one end to the other and can be looked up.
class SegmentRunTable {
  public:
    // Offsets up to this far in each axis are in the table.
    static constexpr std::int32_t kReach = 40;
    // Widths from 2 up to this one can have a table.
    static constexpr std::int32_t kMaxWidth = 64;

    // One row's pixels, as columns relative to the segment's upper end.
    struct Run {
        std::int8_t first;
        std::int8_t last;
    };

    // For widths 2 .. kMaxWidth. Throws std::bad_alloc when its memory cannot be had.
    explicit SegmentRunTable(std::int32_t width);

    std::int32_t Width() const { return width_; }

    static bool Covers(std::int64_t dx, std::int64_t dy) {
        return dx >= -kReach && dx <= kReach && dy >= 0 && dy <= kReach;
    }

    // The runs of one segment, from its upper end to the point (dx, dy) from it: the first
    // is that of the row TopOffset() below the upper end's row. Every run has two pixels or
    // more; `leftmost` and `rightmost` are the outermost columns of all of them. The first
    // `upperDiscRows` runs lie within the upper end's disc, the last `lowerDiscRows` within
    // the lower end's: where a line goes on from a segment that already painted that disc,
    // those rows have nothing new.
    struct Segment {
        std::span<const Run> runs;
        std::int32_t leftmost;
        std::int32_t rightmost;
        std::int32_t upperDiscRows;
        std::int32_t lowerDiscRows;
    };

    // For dy >= 0 and Covers(dx, dy).
    Segment Runs(std::int32_t dx, std::int32_t dy) const {
        const Entry& entry = entries_[static_cast<std::size_t>(dy) * kColumns + (dx + kReach)];
        return {{runs_.data() + entry.start, static_cast<std::size_t>(dy + width_)},
                entry.leftmost,
                entry.rightmost,
                entry.upperDiscRows,
                entry.lowerDiscRows};
    }
    std::int32_t TopOffset() const { return -(width_ / 2); }

  private:
    static constexpr std::size_t kColumns = 2 * kReach + 1;

    struct Entry {
        std::uint32_t start;
        std::int8_t leftmost;
        std::int8_t rightmost;
        std::uint8_t upperDiscRows;
        std::uint8_t lowerDiscRows;
    };

    std::int32_t width_;
    std::vector<Entry> entries_;
    std::vector<Run> runs_;
};

}  // namespace zef
