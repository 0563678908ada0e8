#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zef {

// The runs of every short wide segment of one width, worked out once. A wide pen paints the
// same pixels around a segment wherever its whole-pixel ends lie, so the runs of a segment
// depend only on the offset from one end to the other and can be looked up.
//
// A segment's runs are kept as pieces sorted by size, so that every piece of one size is
// painted by the same two overlapping stores, with no branch on its length: runs of 2 to 3
// pixels, of 4 to 7, and of 8 to 16; longer runs are cut into overlapping pieces of 16.
class SegmentRunTable {
  public:
    // Offsets up to this far in each axis are in the table.
    static constexpr std::int32_t kReach = 40;
    // Widths from 2 up to this one can have a table.
    static constexpr std::int32_t kMaxWidth = 64;

    // The sizes of pieces, each painted by stores of kStorePixels[size] pixels; a piece of
    // a size has from kStorePixels[size] to twice as many pixels, or 2 to 3 for the first.
    static constexpr std::size_t kSizes = 3;
    static constexpr std::array<std::int32_t, kSizes> kStorePixels = {2, 4, 8};

    // `count` pixels from the column `first`, relative to the segment's upper end, in the
    // row `row` rows below the segment's first row.
    struct Piece {
        std::uint8_t row;
        std::int8_t first;
        std::uint8_t count;
    };

    // The pieces of one size, as indices from the segment's first piece: [begin, end), of
    // which those before `afterUpperDisc` lie in rows within the upper end's disc and those
    // from `lowerDiscStart` on in rows within the lower end's. Where a line goes on from a
    // segment that already painted that disc, those rows have nothing new.
    struct Group {
        std::uint16_t begin;
        std::uint16_t afterUpperDisc;
        std::uint16_t lowerDiscStart;
        std::uint16_t end;
    };

    // One segment, from its upper end to the point (dx, dy) from it: its first row is
    // TopOffset() below the upper end's row, and it has dy + width rows. `leftmost` and
    // `rightmost` are the outermost columns of all its pieces.
    struct Segment {
        std::uint32_t start;
        std::int8_t leftmost;
        std::int8_t rightmost;
        std::array<Group, kSizes> groups;
    };

    // For widths 2 .. kMaxWidth. Throws std::bad_alloc when its memory cannot be had.
    explicit SegmentRunTable(std::int32_t width);

    std::int32_t Width() const { return width_; }

    static bool Covers(std::int64_t dx, std::int64_t dy) {
        return dx >= -kReach && dx <= kReach && dy >= 0 && dy <= kReach;
    }

    // For dy >= 0 and Covers(dx, dy).
    const Segment& Find(std::int32_t dx, std::int32_t dy) const {
        return segments_[static_cast<std::size_t>(dy) * kColumns + (dx + kReach)];
    }
    const Piece* Pieces(const Segment& segment) const { return pieces_.data() + segment.start; }
    std::int32_t TopOffset() const { return -(width_ / 2); }

  private:
    static constexpr std::size_t kColumns = 2 * kReach + 1;

    std::int32_t width_;
    std::vector<Segment> segments_;
    std::vector<Piece> pieces_;
};

}  // namespace zef
