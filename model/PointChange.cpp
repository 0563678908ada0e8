#include "model/PointChange.h"

#include <zstd.h>

#include <algorithm>
#include <cstring>

namespace zef {
namespace {

// Smaller changes are kept as they are: a stroke of a few hundred points.
constexpr std::size_t kSmallestPacked = 64 * 1024;
// Fast, and on differences of moved or scaled points within a tenth of the best level.
constexpr int kPackLevel = 1;

// One run of equal differences, as the bytes of a change that keeps its length hold it:
// coordinates differ by wrapping subtraction, kinds and reserved bytes by exclusive or.
struct DifferenceRun {
    std::uint32_t count = 0;
    std::uint32_t dx = 0;
    std::uint32_t dy = 0;
    std::uint8_t kind = 0;
    std::uint8_t reserved = 0;
    std::uint16_t unused = 0;

    bool SameDifference(const DifferenceRun& other) const {
        return dx == other.dx && dy == other.dy && kind == other.kind && reserved == other.reserved;
    }
};
static_assert(sizeof(DifferenceRun) == 16);

bool SamePersistentImage(const PointImage& a, const PointImage& b) {
    return a.x == b.x && a.y == b.y && a.kind == b.kind && a.reserved == b.reserved;
}

PointImage WithoutJitter(const PointImage& point) {
    return {point.x, point.y, point.kind, 0, 0, point.reserved};
}

DifferenceRun DifferenceOf(const PointImage& before, const PointImage& after) {
    DifferenceRun run;
    run.count = 1;
    run.dx = static_cast<std::uint32_t>(after.x) - static_cast<std::uint32_t>(before.x);
    run.dy = static_cast<std::uint32_t>(after.y) - static_cast<std::uint32_t>(before.y);
    run.kind = static_cast<std::uint8_t>(after.kind ^ before.kind);
    run.reserved = static_cast<std::uint8_t>(after.reserved ^ before.reserved);
    return run;
}

template <typename T>
void AppendBytes(std::vector<std::uint8_t>& bytes, const T* items, std::size_t count) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(items);
    bytes.insert(bytes.end(), first, first + count * sizeof(T));
}

std::vector<std::uint8_t> DifferenceBytes(std::span<const PointImage> before,
                                          std::span<const PointRecord> after) {
    std::vector<DifferenceRun> runs;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const DifferenceRun difference = DifferenceOf(before[i], after[i]);
        if (!runs.empty() && runs.back().SameDifference(difference) &&
            runs.back().count < UINT32_MAX) {
            ++runs.back().count;
        } else {
            runs.push_back(difference);
        }
    }
    std::vector<std::uint8_t> bytes;
    AppendBytes(bytes, runs.data(), runs.size());
    return bytes;
}

std::vector<std::uint8_t> SpliceBytes(std::span<const PointImage> removed,
                                      std::span<const PointRecord> inserted) {
    std::vector<PointImage> images(removed.begin(), removed.end());
    images.reserve(removed.size() + inserted.size());
    std::transform(inserted.begin(), inserted.end(), std::back_inserter(images), WithoutJitter);
    std::vector<std::uint8_t> bytes;
    AppendBytes(bytes, images.data(), images.size());
    return bytes;
}

// Adds (sign 1) or takes away (sign -1) the differences from the run at `at`.
void AddDifferences(std::span<const std::uint8_t> bytes, std::uint32_t sign,
                    std::vector<PointImage>& points, std::size_t at) {
    PointImage* point = points.data() + at;
    for (std::size_t offset = 0; offset + sizeof(DifferenceRun) <= bytes.size();
         offset += sizeof(DifferenceRun)) {
        DifferenceRun run;
        std::memcpy(&run, bytes.data() + offset, sizeof run);
        for (std::uint32_t i = 0; i < run.count; ++i, ++point) {
            point->x =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(point->x) + sign * run.dx);
            point->y =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(point->y) + sign * run.dy);
            point->kind ^= run.kind;
            point->reserved ^= run.reserved;
        }
    }
}

// Replaces the `oldCount` points at `at` by the `newCount` images at `images`, within the
// room the vector has.
void ReplaceRun(std::vector<PointImage>& points, std::size_t at, std::size_t oldCount,
                const std::uint8_t* images, std::size_t newCount) {
    const std::size_t size = points.size();
    const std::size_t tail = size - at - oldCount;
    if (newCount > oldCount) {
        points.resize(size + newCount - oldCount);
    }
    std::memmove(points.data() + at + newCount, points.data() + at + oldCount,
                 tail * sizeof(PointImage));
    if (newCount < oldCount) {
        points.resize(size + newCount - oldCount);
    }
    if (newCount > 0) {
        std::memcpy(points.data() + at, images, newCount * sizeof(PointImage));
    }
}

}  // namespace

PointChange PointChange::Between(std::span<const PointImage> before,
                                 std::span<const PointRecord> after) {
    const std::size_t common = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < common && SamePersistentImage(before[prefix], after[prefix])) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < common - prefix && SamePersistentImage(before[before.size() - 1 - suffix],
                                                           after[after.size() - 1 - suffix])) {
        ++suffix;
    }
    PointChange change;
    change.at_ = prefix;
    change.removed_ = before.size() - prefix - suffix;
    change.inserted_ = after.size() - prefix - suffix;
    if (change.Empty()) {
        return change;
    }
    const auto removed = before.subspan(prefix, change.removed_);
    const auto inserted = after.subspan(prefix, change.inserted_);
    change.bytes_ = std::make_shared<const std::vector<std::uint8_t>>(
        change.KeepsLength() ? DifferenceBytes(removed, inserted) : SpliceBytes(removed, inserted));
    return change;
}

std::optional<std::span<const std::uint8_t>> PointChange::Unpacked(
    std::vector<std::uint8_t>& scratch) const {
    if (!bytes_) {
        return std::span<const std::uint8_t>{};
    }
    if (unpackedSize_ == 0) {
        return std::span<const std::uint8_t>(*bytes_);
    }
    scratch.resize(unpackedSize_);
    const std::size_t size =
        ZSTD_decompress(scratch.data(), scratch.size(), bytes_->data(), bytes_->size());
    if (ZSTD_isError(size) || size != unpackedSize_) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(scratch);
}

void PointChange::Apply(std::span<const std::uint8_t> bytes,
                        std::vector<PointImage>& points) const {
    if (KeepsLength()) {
        AddDifferences(bytes, 1, points, at_);
    } else {
        ReplaceRun(points, at_, removed_, bytes.data() + removed_ * sizeof(PointImage), inserted_);
    }
}

void PointChange::Revert(std::span<const std::uint8_t> bytes,
                         std::vector<PointImage>& points) const {
    if (KeepsLength()) {
        AddDifferences(bytes, UINT32_MAX, points, at_);
    } else {
        ReplaceRun(points, at_, inserted_, bytes.data(), removed_);
    }
}

std::shared_ptr<const std::vector<std::uint8_t>> PointChange::BytesToPack() const {
    const bool worth = bytes_ && unpackedSize_ == 0 && bytes_->size() >= kSmallestPacked;
    return worth ? bytes_ : nullptr;
}

void PointChange::TakePacked(std::shared_ptr<const std::vector<std::uint8_t>> packed) {
    unpackedSize_ = bytes_->size();
    bytes_ = std::move(packed);
}

std::vector<std::uint8_t> PointChange::PackBytes(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> packed(ZSTD_compressBound(bytes.size()));
    const std::size_t size =
        ZSTD_compress(packed.data(), packed.size(), bytes.data(), bytes.size(), kPackLevel);
    if (ZSTD_isError(size) || size >= bytes.size()) {
        return {};
    }
    packed.resize(size);
    packed.shrink_to_fit();
    return packed;
}

std::size_t PointChange::Bytes() const {
    return sizeof(PointChange) + (bytes_ ? bytes_->capacity() : 0);
}

}  // namespace zef
