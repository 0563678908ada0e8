#include "SegmentRunTable.h"

#include <algorithm>

#include "CapsuleRuns.h"

namespace zef {

namespace {

// How many runs, counted from the first when `fromTop` and from the last otherwise, lie
// within the disc around (x, y); runs[k] is the run of row top + k.
std::uint8_t RunsInDisc(const CapsuleRuns& capsule, std::span<const SegmentRunTable::Run> runs,
                        std::int32_t top, std::int32_t x, std::int32_t y, bool fromTop) {
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
    return static_cast<std::uint8_t>(inside);
}

}  // namespace

SegmentRunTable::SegmentRunTable(std::int32_t width) : width_(width) {
    CapsuleRuns capsule(width);
    entries_.reserve(kColumns * (kReach + 1));
    for (std::int32_t dy = 0; dy <= kReach; ++dy) {
        for (std::int32_t dx = -kReach; dx <= kReach; ++dx) {
            Entry entry{static_cast<std::uint32_t>(runs_.size()), 0, 0, 0, 0};
            capsule.SetSegment(0, 0, dx, dy);
            capsule.ForEachRun(
                capsule.TopRow(), capsule.BottomRow(),
                [&](std::int32_t, std::int32_t first, std::int32_t last) {
                    entry.leftmost =
                        static_cast<std::int8_t>(std::min<std::int32_t>(entry.leftmost, first));
                    entry.rightmost =
                        static_cast<std::int8_t>(std::max<std::int32_t>(entry.rightmost, last));
                    runs_.push_back(
                        {static_cast<std::int8_t>(first), static_cast<std::int8_t>(last)});
                });
            const std::span<const Run> runs(runs_.data() + entry.start,
                                            static_cast<std::size_t>(dy + width));
            entry.upperDiscRows = RunsInDisc(capsule, runs, capsule.TopRow(), 0, 0, true);
            entry.lowerDiscRows = RunsInDisc(capsule, runs, capsule.TopRow(), dx, dy, false);
            entries_.push_back(entry);
        }
    }
}

}  // namespace zef
