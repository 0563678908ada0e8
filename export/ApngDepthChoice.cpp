#include "export/ApngDepthChoice.h"

namespace zef {
namespace {

// On the corpus the file that is smaller once the smaller holds 32 KB, by a twentieth or more,
// or once it holds 128 KB, stays the smaller to the end; the drawings left undecided are a few
// KB in all.
constexpr std::uint64_t kDecidingBytes = 32768;
constexpr std::uint64_t kLeadShare = 20;
constexpr std::uint64_t kSettledBytes = 131072;

}  // namespace

ApngDepthChoice::ApngDepthChoice(const std::string& path, std::int32_t width, std::int32_t height,
                                 PngPixels pixels, const std::vector<std::uint32_t>& palette,
                                 const FileOps& ops)
    : packed_(std::make_unique<AnimatedPngWriter>(path, width, height, pixels, palette, ops)) {
    if (packed_->Packed()) {
        whole_ = std::make_unique<AnimatedPngWriter>(path, width, height, pixels, palette, ops,
                                                     PngIndices::kWholeBytes);
    }
}

bool ApngDepthChoice::Ok() const {
    return (!packed_ || packed_->Ok()) && (!whole_ || whole_->Ok());
}

bool ApngDepthChoice::Add(std::span<const std::uint32_t> pixels, std::uint32_t delay) {
    for (AnimatedPngWriter* writer : {packed_.get(), whole_.get()}) {
        if (writer != nullptr && !writer->Add(pixels, delay)) {
            return false;
        }
    }
    Decide();
    return true;
}

bool ApngDepthChoice::Finish() {
    if (!packed_ || !whole_) {
        return (packed_ ? packed_ : whole_)->Finish();
    }
    if (!packed_->Complete() || !whole_->Complete()) {
        return false;
    }
    return (whole_->Size() < packed_->Size() ? whole_ : packed_)->Commit();
}

void ApngDepthChoice::Decide() {
    if (!packed_ || !whole_) {
        return;
    }
    const bool wholeSmaller = whole_->Size() < packed_->Size();
    const std::uint64_t smaller = wholeSmaller ? whole_->Size() : packed_->Size();
    const std::uint64_t larger = wholeSmaller ? packed_->Size() : whole_->Size();
    if ((smaller >= kDecidingBytes && (larger - smaller) * kLeadShare >= smaller) ||
        smaller >= kSettledBytes) {
        (wholeSmaller ? packed_ : whole_).reset();
    }
}

}  // namespace zef
