#include "export/ApngDepthChoice.h"

#include <algorithm>

namespace zef {
namespace {

// On the corpus the file that is smaller once the smaller holds 32 KB, by a twentieth or more,
// or once it holds 128 KB, stays the smaller to the end; the drawings left undecided are a few
// KB in all. Whole bytes take two to four times as long to compress at the levels they need
// (the slowest once they are chosen), so they are kept only where they are a tenth smaller, as on
// hatched shapes (a large drawing of rings, 7 % smaller in whole bytes at 32 KB, was 0.3 % smaller
// at the end, for twice the time).
constexpr std::uint64_t kDecidingBytes = 32768;
constexpr std::uint64_t kLeadShare = 20;
constexpr std::uint64_t kWholeLeadShare = 10;
constexpr std::uint64_t kSettledBytes = 131072;

}  // namespace

ApngDepthChoice::ApngDepthChoice(const std::string& path, std::int32_t width, std::int32_t height,
                                 PngPixels pixels, const std::vector<std::uint32_t>& palette,
                                 const FileOps& ops)
    : packed_(std::make_unique<AnimatedPngWriter>(path, width, height, pixels, palette, ops)) {
    if (packed_->Packed()) {
        whole_ = std::make_unique<AnimatedPngWriter>(path, width, height, pixels, palette, ops,
                                                     PngIndices::kWholeBytes);
        packed_->OnFrameWritten([this](std::uint64_t size) {
            packedSizes_.push_back(size);
            Weigh();
        });
        whole_->OnFrameWritten([this](std::uint64_t size) {
            wholeSizes_.push_back(size);
            Weigh();
        });
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
    DropLoser();
    return true;
}

// The last frames are not weighed: both files are complete then, and the smaller is kept.
bool ApngDepthChoice::Finish() {
    if (!packed_ || !whole_) {
        return (packed_ ? packed_ : whole_)->Finish();
    }
    packed_->OnFrameWritten({});
    whole_->OnFrameWritten({});
    if (!packed_->Complete() || !whole_->Complete()) {
        return false;
    }
    return (whole_->Size() < packed_->Size() ? whole_ : packed_)->Commit();
}

// Called by each writer as it writes a frame, which it does just before the next frame goes to
// its workers, while at most twice as many frames as workers are out: whole bytes chosen here
// take the slowest level from a frame no worker has been given yet, whatever the threads'
// speed.
void ApngDepthChoice::Weigh() {
    while (loser_ == Loser::kNone && !packedSizes_.empty() && !wholeSizes_.empty()) {
        const std::uint64_t packed = packedSizes_.front();
        const std::uint64_t whole = wholeSizes_.front();
        packedSizes_.pop_front();
        wholeSizes_.pop_front();
        ++weighed_;
        const std::uint64_t smaller = std::min(packed, whole);
        const std::uint64_t lead = std::max(packed, whole) - smaller;
        if (smaller < kDecidingBytes) {
            continue;
        }
        if (whole < packed && lead * kWholeLeadShare >= smaller) {
            loser_ = Loser::kPacked;
            whole_->StrengthenMoreAfter(weighed_);
        } else if ((packed <= whole && lead * kLeadShare >= smaller) || smaller >= kSettledBytes) {
            loser_ = Loser::kWhole;
        }
    }
}

void ApngDepthChoice::DropLoser() {
    if (loser_ == Loser::kNone || !packed_ || !whole_) {
        return;
    }
    (loser_ == Loser::kPacked ? packed_ : whole_).reset();
    (packed_ ? packed_ : whole_)->OnFrameWritten({});
}

}  // namespace zef
