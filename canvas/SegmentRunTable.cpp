#include "canvas/SegmentRunTable.h"

#include <algorithm>
#include <span>

#include "canvas/CapsuleRuns.h"

namespace zef {

namespace {

// One row's pixels, as columns relative to the segment's upper end.
struct Run {
    std::int32_t first;
    std::int32_t last;
};

// How many runs, counted from the first when `fromTop` and from the last otherwise, lie
// within the disc around (x, y); runs[k] is the run of row top + k.
std::int32_t RunsInDisc(const CapsuleRuns& capsule, std::span<const Run> runs, std::int32_t top,
                        std::int32_t x, std::int32_t y, bool fromTop) {
    const auto rows = static_cast<std::int32_t>(runs.size());
    std::int32_t inside = 0;
    while (inside < rows) {
        const std::int32_t k = fromTop ? inside : rows - 1 - inside;
        const std::int32_t row = top + k - y;
        if (runs[static_cast<std::size_t>(k)].first < x + capsule.DiscFirst(row) ||
            runs[static_cast<std::size_t>(k)].last > x + capsule.DiscLast(row)) {
            break;
        }
        ++inside;
    }
    return inside;
}

// The size of the pieces a run of `count` pixels is painted with.
std::size_t SizeOf(std::int32_t count) {
    std::size_t size = 0;
    while (size + 1 < SegmentRunTable::kSizes && count >= SegmentRunTable::kStorePixels[size + 1]) {
        ++size;
    }
    return size;
}

// Adds the pieces of run `k`: the run itself, or for a run longer than the largest piece,
// pieces of that length from its start on, the last one ending where the run ends.
void AddPieces(std::vector<SegmentRunTable::Piece>& pieces, std::int32_t k, const Run& run) {
    constexpr std::int32_t kLongest = 2 * SegmentRunTable::kStorePixels.back();
    const std::int32_t count = run.last - run.first + 1;
    const std::int32_t lastCount = std::min(count, kLongest);
    const auto piece = [&](std::int32_t first, std::int32_t pixels) {
        pieces.push_back({static_cast<std::uint8_t>(k), static_cast<std::int8_t>(first),
                          static_cast<std::uint8_t>(pixels)});
    };
    for (std::int32_t offset = 0; offset + kLongest < count; offset += kLongest) {
        piece(run.first + offset, kLongest);
    }
    piece(run.last + 1 - lastCount, lastCount);
}

// The runs of the segment `capsule` holds, from its first row on.
void CollectRuns(const CapsuleRuns& capsule, std::vector<Run>& runs) {
    runs.clear();
    capsule.ForEachRun(capsule.TopRow(), capsule.BottomRow(),
                       [&](std::int32_t, std::int32_t first, std::int32_t last) {
                           runs.push_back({first, last});
                       });
}

// The entry of the segment with `runs`, its pieces appended to `pieces` size by size. The
// first `upperDiscRows` runs lie within the upper end's disc, those from `lowerDiscStart` on
// within the lower end's.
SegmentRunTable::Segment MakeSegment(std::span<const Run> runs, std::int32_t upperDiscRows,
                                     std::int32_t lowerDiscStart,
                                     std::vector<SegmentRunTable::Piece>& pieces) {
    SegmentRunTable::Segment segment{static_cast<std::uint32_t>(pieces.size()), 0, 0, {}};
    for (const Run& run : runs) {
        segment.leftmost =
            static_cast<std::int8_t>(std::min<std::int32_t>(segment.leftmost, run.first));
        segment.rightmost =
            static_cast<std::int8_t>(std::max<std::int32_t>(segment.rightmost, run.last));
    }
    const auto index = [&] { return static_cast<std::uint16_t>(pieces.size() - segment.start); };
    for (std::size_t size = 0; size < SegmentRunTable::kSizes; ++size) {
        SegmentRunTable::Group& group = segment.groups[size];
        group.begin = index();
        group.afterUpperDisc = group.begin;
        group.lowerDiscStart = group.begin;
        for (std::int32_t k = 0; k < static_cast<std::int32_t>(runs.size()); ++k) {
            const Run& run = runs[static_cast<std::size_t>(k)];
            if (SizeOf(run.last - run.first + 1) != size) {
                continue;
            }
            AddPieces(pieces, k, run);
            if (k < upperDiscRows) {
                group.afterUpperDisc = index();
            }
            if (k < lowerDiscStart) {
                group.lowerDiscStart = index();
            }
        }
        group.end = index();
    }
    return segment;
}

}  // namespace

SegmentRunTable::SegmentRunTable(std::int32_t width) : width_(width) {
    CapsuleRuns capsule(width);
    segments_.reserve(kColumns * (kReach + 1));
    std::vector<Run> runs;
    for (std::int32_t dy = 0; dy <= kReach; ++dy) {
        for (std::int32_t dx = -kReach; dx <= kReach; ++dx) {
            capsule.SetSegment(0, 0, dx, dy);
            CollectRuns(capsule, runs);
            const std::int32_t upperDiscRows =
                RunsInDisc(capsule, runs, capsule.TopRow(), 0, 0, true);
            const auto lowerDiscStart = static_cast<std::int32_t>(runs.size()) -
                                        RunsInDisc(capsule, runs, capsule.TopRow(), dx, dy, false);
            segments_.push_back(MakeSegment(runs, upperDiscRows, lowerDiscStart, pieces_));
        }
    }
}

}  // namespace zef
