#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "model/PointRecord.h"

namespace zef {

// How the points of one history entry differ from those of the entry before it: the run of
// `removed` points at `at` became a run of `inserted` points, and the points around the run
// are equal on both sides. Jitter is no part of it: the points a change makes have none.
//
// A run that keeps its length is kept as each point's difference, in runs of equal
// differences, so that moving many points by the same distance costs a few bytes; a run that
// changes its length is kept whole on both sides. Large changes are packed with zstd after
// they are made (Pack, which may run on another thread), and unpacked to be applied.
class PointChange {
  public:
    PointChange() = default;

    // The change from `before` to the persistent images of `after`. Throws std::bad_alloc.
    static PointChange Between(std::span<const PointImage> before,
                               std::span<const PointRecord> after);

    bool Empty() const { return removed_ == 0 && inserted_ == 0; }
    // How many points the other side of the change holds, this side holding `count`.
    std::size_t CountAfter(std::size_t count) const { return count - removed_ + inserted_; }
    std::size_t CountBefore(std::size_t count) const { return count - inserted_ + removed_; }

    // The change's bytes as Apply and Revert take them: those kept, or those unpacked into
    // `scratch`. Throws std::bad_alloc; none when packed bytes would not unpack.
    std::optional<std::span<const std::uint8_t>> Unpacked(std::vector<std::uint8_t>& scratch) const;
    // Turns the points of the entry before into those of the entry (Apply), or back (Revert).
    // `points` must have room for the result, so that neither allocates nor throws.
    void Apply(std::span<const std::uint8_t> bytes, std::vector<PointImage>& points) const;
    void Revert(std::span<const std::uint8_t> bytes, std::vector<PointImage>& points) const;

    // The kept bytes, when they are worth packing: shared, so that another thread may pack
    // them while the history goes on. Null for small or packed changes.
    std::shared_ptr<const std::vector<std::uint8_t>> BytesToPack() const;
    // Keeps `packed`, made by PackBytes from the bytes BytesToPack gave, in their place.
    void TakePacked(std::shared_ptr<const std::vector<std::uint8_t>> packed);
    // The bytes packed with zstd; empty when packing failed or gained nothing.
    static std::vector<std::uint8_t> PackBytes(std::span<const std::uint8_t> bytes);

    // The memory the change holds.
    std::size_t Bytes() const;

  private:
    bool KeepsLength() const { return removed_ == inserted_; }

    std::size_t at_ = 0;
    std::size_t removed_ = 0;
    std::size_t inserted_ = 0;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    std::size_t unpackedSize_ = 0;  // the size of bytes_ unpacked; 0 while they are not packed
};

}  // namespace zef
