#include "export/GifFrameCoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <utility>

namespace zef {
namespace {

// Interlacing that saved less than this share of a frame counts as lost, so it rests: on the
// sample it won by a few bytes a frame, for a tenth more time.
constexpr std::size_t kLacedGain = 64;
// So for the parse search of a keyed box: on filled shapes it saves about a hundredth, on
// hatching a few bytes for twice the time.
constexpr std::size_t kSearchGain = 1024;
// The parses of the plain and the either coding, the first for every box, the others for tiny
// ones: each won on some frames of small drawings, by a few bytes a frame.
struct Parses {
    LzwParse plain;
    LzwParse either;
};
constexpr Parses kParses[] = {
    {{2, 3}, kGreedyParse}, {{1, 1}, {1, 1}}, {{4, 1}, {2, 1}}, {{2, 2}, {4, 1}}};

// Whether coding again, from `before` bytes down to `after`, saved at least one `share`th.
bool Saved(std::size_t before, std::size_t after, std::size_t share) {
    return (before - after) * share >= before;
}

int WriteToMemory(GifFileType* gif, const GifByteType* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    try {
        bytes->insert(bytes->end(), data, data + size);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return size;
}

// The rows of `pixels`, `width` pixels each, in the GIF's interlaced order into `out`: every
// eighth row from the first, every eighth from the fifth, every fourth from the third, then
// every other from the second.
void Interlace(std::span<const std::uint8_t> pixels, std::size_t width,
               std::vector<std::uint8_t>& out) {
    out.resize(pixels.size());
    const std::size_t height = pixels.size() / width;
    auto to = out.begin();
    for (const auto& [first, step] :
         {std::pair<std::size_t, std::size_t>{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (std::size_t row = first; row < height; row += step) {
            to = std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(row * width), width, to);
        }
    }
}

// A picture to code: its pixels, `width` a row, and where any of them may be coded as
// another value, those values.
struct Candidate {
    std::span<const std::uint8_t> pixels;
    std::span<const std::uint8_t> others;
    std::size_t width = 1;
};

}  // namespace

GifFrameCoder::GifFrameCoder(std::int32_t width, std::int32_t height, const ColorMapObject& colours)
    : width_(width), height_(height) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    candidate_.reserve(pixels);
    keyed_.reserve(pixels);
    runKeyed_.reserve(pixels);
    lzw_.emplace(colours.BitsPerPixel);
    int error = 0;
    encoder_ = EGifOpen(&written_, WriteToMemory, &error);
    if (encoder_ != nullptr &&
        EGifPutScreenDesc(encoder_, width, height, colours.BitsPerPixel, 0, &colours) != GIF_OK) {
        EGifCloseFile(encoder_, &error);
        encoder_ = nullptr;
    }
}

GifFrameCoder::~GifFrameCoder() {
    if (encoder_ != nullptr) {
        int error = 0;
        EGifCloseFile(encoder_, &error);
    }
}

void GifFrameCoder::Code(GifFrameJob& job) {
    // The candidates, each coded: the box as it is; the box keyed twice, its unchanged pixels
    // the key (transparent) but for those that carry on a run, and each unchanged pixel
    // coded as the key or as itself as the coder's strings go; and the whole frame; then the
    // smallest of them interlaced. A candidate stops coding as soon as it is no smaller than
    // the best before it. In a tiny box every candidate is coded with every parse.
    bool coded = false;
    bool interlaced = false;
    Candidate winner;
    // The candidate's rows as they come or interlaced.
    const auto rows = [&](const Candidate& candidate, bool laced) {
        Candidate laid = candidate;
        if (laced) {
            Interlace(candidate.pixels, candidate.width, laced_);
            laid.pixels = laced_;
            if (!candidate.others.empty()) {
                Interlace(candidate.others, candidate.width, lacedOthers_);
                laid.others = lacedOthers_;
            }
        }
        return laid;
    };
    // Codes a candidate with each parse worth trying, in rows as they come or interlaced,
    // into best_ where it is smaller than the best before.
    const auto weigh = [&](const Candidate& candidate, bool laced) {
        const auto [pixels, others, width] = rows(candidate, laced);
        bool smaller = false;
        for (std::size_t i = 0; i < (job.tiny ? std::size(kParses) : 1); ++i) {
            const std::size_t limit = coded ? best_.size() - 1 : SIZE_MAX;
            if (others.empty()
                    ? lzw_->Encode(pixels, trying_, limit, kParses[i].plain)
                    : lzw_->EncodeEither(pixels, others, trying_, limit, kParses[i].either)) {
                best_.swap(trying_);
                smaller = coded = true;
                interlaced = laced;
                winner = candidate;
            }
        }
        return smaller;
    };
    job.keyedChosen = job.wholeChosen = false;
    job.keyedSmaller = job.wholeSmaller = job.lacedPaid = job.searchPaid = false;
    CopyBox(job);
    const auto boxWidth = static_cast<std::size_t>(job.box.right - job.box.left);
    weigh({candidate_, {}, boxWidth}, false);
    if (job.keyed) {
        KeyBox(job);
        const bool smaller = weigh({runKeyed_, {}, boxWidth}, false);
        const bool eitherSmaller = weigh({candidate_, keyed_, boxWidth}, false);
        job.keyedSmaller = job.keyedChosen = smaller || eitherSmaller;
    }
    if (job.whole) {
        job.wholeSmaller = weigh({job.frame, {}, static_cast<std::size_t>(width_)}, false);
        if (job.wholeSmaller) {
            job.keyedChosen = false;
            job.wholeChosen = true;
        }
    }
    if (job.laced) {
        const std::size_t before = best_.size();
        weigh(winner, true);
        job.lacedPaid = Saved(before, best_.size(), kLacedGain);
    }
    // The smallest again with the parse search, each pixel that may be coded either way as
    // the greedy walk coded it: every frame for the smallest file, else where the box keyed
    // either way won, whose greedy walk looks no further ahead.
    job.searchRan = job.searched || (job.searchedEither && !winner.others.empty());
    if (job.searchRan) {
        const auto [pixels, others, width] = rows(winner, interlaced);
        std::span<const std::uint8_t> chosen = pixels;
        if (!others.empty()) {
            lzw_->ChooseEither(pixels, others, chosen_);
            chosen = chosen_;
        }
        const LzwParse guard = others.empty() ? kParses[0].plain : kParses[0].either;
        const std::size_t before = best_.size();
        if (lzw_->EncodeSearched(chosen, trying_, before - 1, guard)) {
            best_.swap(trying_);
        }
        job.searchPaid = Saved(before, best_.size(), kSearchGain);
    }
    const PixelBox whole{0, 0, width_, height_};
    job.ok = PutImage(job.wholeChosen ? whole : job.box, interlaced, best_, job.image);
}

bool GifFrameCoder::PutImage(const PixelBox& box, bool interlaced,
                             std::span<const std::uint8_t> codes,
                             std::vector<std::uint8_t>& image) {
    written_.clear();
    if (EGifPutImageDesc(encoder_, box.left, box.top, box.right - box.left, box.bottom - box.top,
                         interlaced, nullptr) != GIF_OK) {
        return false;
    }
    std::array<GifByteType, 256> block{};
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, codes.size() - at);
        block[0] = static_cast<GifByteType>(length);
        std::memcpy(block.data() + 1, codes.data() + at, length);
        if (EGifPutCodeNext(encoder_, block.data()) != GIF_OK) {
            return false;
        }
    }
    if (EGifPutCodeNext(encoder_, nullptr) != GIF_OK) {
        return false;
    }
    image.swap(written_);
    return true;
}

bool GifFrameCoder::PutEmptyPicture(std::vector<std::uint8_t>& image) {
    const std::uint8_t pixel = 0;
    lzw_->Encode({&pixel, 1}, best_);
    return PutImage({0, 0, 1, 1}, false, best_, image);
}

void GifFrameCoder::CopyBox(const GifFrameJob& job) {
    const PixelBox& box = job.box;
    const auto width = static_cast<std::size_t>(box.right - box.left);
    candidate_.resize(width * static_cast<std::size_t>(box.bottom - box.top));
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        std::memcpy(candidate_.data() + static_cast<std::size_t>(y - box.top) * width,
                    job.frame.data() + Offset(box.left, y), width);
    }
}

void GifFrameCoder::KeyBox(const GifFrameJob& job) {
    const PixelBox& box = job.box;
    const std::uint8_t key = *job.key;
    keyed_.resize(candidate_.size());
    runKeyed_.resize(candidate_.size());
    std::size_t out = 0;
    std::uint8_t last = key;
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        for (std::size_t at = Offset(box.left, y), end = Offset(box.right, y); at < end; ++at) {
            const std::uint8_t wanted = job.frame[at];
            const bool same = job.canvas[at] == wanted;
            keyed_[out] = same ? key : wanted;
            last = !same || last == wanted ? wanted : key;
            runKeyed_[out++] = last;
        }
    }
}

}  // namespace zef
