#include "export/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>

namespace zef {
namespace {

constexpr std::uint32_t kMaxDelay = 65535;
// Frames out with the coder thread at once: one being written while the next waits for it.
constexpr std::size_t kFramesOut = 2;
// A box of at most this share of the frame is cheap to code, so every candidate is weighed.
constexpr std::int64_t kCheapShare = 4;
// A box where at most this share of the pixels changed is weighed keyed every frame too.
constexpr std::int64_t kFewChanged = 128;
// Interlacing that saved less than this share of a frame counts as lost, so it rests: on the
// sample it won by a few bytes a frame, for a tenth more time.
constexpr std::size_t kLacedGain = 64;
// A box of at most this many pixels is coded with every parse, every candidate every frame.
constexpr std::int64_t kTinyBox = 1 << 14;
// The parses of the plain and the either coding, the first for every box, the others for tiny
// ones: each won on some frames of small drawings, by a few bytes a frame.
struct Parses {
    LzwParse plain;
    LzwParse either;
};
constexpr Parses kParses[] = {
    {{2, 3}, kGreedyParse}, {{1, 1}, {1, 1}}, {{4, 1}, {2, 1}}, {{2, 2}, {4, 1}}};

int WriteToFile(GifFileType* gif, const GifByteType* data, int size) {
    auto* file = static_cast<StreamedFile*>(gif->UserData);
    return file->Write(data, static_cast<std::size_t>(size)) ? size : 0;
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

// The colour table: the palette, one spare entry for the unchanged pixels of a frame when
// there is no transparent colour and room for it, padded to a power of two.
ColorMapObject* MakeColourMap(const Palette& palette, bool spare) {
    const std::size_t used = palette.Colours().size() + (spare ? 1 : 0);
    const int size = static_cast<int>(std::bit_ceil(std::clamp<std::size_t>(used, 2, 256)));
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.Colours().size(); ++i) {
        const std::uint32_t colour = palette.Colours()[i];
        colours[i] = {static_cast<GifByteType>(colour), static_cast<GifByteType>(colour >> 8),
                      static_cast<GifByteType>(colour >> 16)};
    }
    return GifMakeMapObject(size, colours.data());
}

void CloseEncoder(GifFileType*& gif) {
    if (gif != nullptr) {
        int error = 0;
        EGifCloseFile(gif, &error);
        gif = nullptr;
    }
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

bool CandidateTrial::Due() {
    if (wait_ > 0) {
        --wait_;
        return false;
    }
    return true;
}

void CandidateTrial::Weighed(bool smaller) {
    rest_ = smaller ? 0 : std::min(std::max(1, 2 * rest_), kLongestRest);
    wait_ = rest_;
}

AnimatedGifWriter::AnimatedGifWriter(const std::string& path, std::int32_t width,
                                     std::int32_t height, const Palette& palette,
                                     std::optional<std::uint32_t> transparentColour,
                                     const FileOps& ops)
    : width_(width), height_(height), colourCount_(palette.Colours().size()), file_(path, ops) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    pending_.pixels.resize(pixels);
    canvas_.resize(pixels);
    candidate_.reserve(pixels);
    keyed_.reserve(pixels);
    runKeyed_.reserve(pixels);
    if (transparentColour && palette.IsExact()) {
        transparent_ = palette.Find(*transparentColour);
    }
    if (transparent_) {
        std::fill(canvas_.begin(), canvas_.end(), *transparent_);
        canvasKnown_ = true;
    }
    ColorMapObject* colours = MakeColourMap(palette, !transparent_ && colourCount_ < 256);
    if (colours != nullptr) {
        lzw_.emplace(colours->BitsPerPixel);
    }
    int error = 0;
    gif_ = EGifOpen(&file_, WriteToFile, &error);
    encoder_ = EGifOpen(&scratch_, WriteToMemory, &error);
    ok_ = file_.Ok() && colours != nullptr && gif_ != nullptr && encoder_ != nullptr;
    if (ok_) {
        EGifSetGifVersion(gif_, true);
        const std::uint8_t loop[3] = {1, 0, 0};
        ok_ = EGifPutScreenDesc(gif_, width, height, colours->BitsPerPixel, 0, colours) == GIF_OK &&
              EGifPutScreenDesc(encoder_, width, height, colours->BitsPerPixel, 0, colours) ==
                  GIF_OK &&
              EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
              EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_OK &&
              EGifPutExtensionBlock(gif_, 3, loop) == GIF_OK &&
              EGifPutExtensionTrailer(gif_) == GIF_OK;
    }
    GifFreeMapObject(colours);
    // Their buffers are had here, so that adding a frame takes no memory.
    spare_.resize(kFramesOut);
    for (FrameJob& job : spare_) {
        job.pixels.resize(pixels);
        job.next.resize(transparent_ ? pixels : 0);
    }
    coder_.emplace(
        1, [this](FrameJob& job, unsigned) { Code(job); }, kFramesOut);
}

AnimatedGifWriter::~AnimatedGifWriter() {
    coder_.reset();
    CloseEncoder(gif_);
    CloseEncoder(encoder_);
}

bool AnimatedGifWriter::Add(std::span<const std::uint8_t> indices, std::uint32_t delay) {
    if (!ok_ || indices.size() != pending_.pixels.size()) {
        return ok_ = false;
    }
    pending_.Take(indices, delay, [this](std::span<const std::uint8_t> next) { Hand(next); });
    return ok_;
}

void AnimatedGifWriter::Hand(std::span<const std::uint8_t> next) {
    coder_->MakeRoom(handedBack_);
    FrameJob job = std::move(spare_.back());
    spare_.pop_back();
    job.pixels.swap(pending_.pixels);
    job.delay = pending_.delay;
    if (transparent_) {
        std::copy(next.begin(), next.end(), job.next.begin());
    }
    coder_->Push(std::move(job), handedBack_);
}

void AnimatedGifWriter::Code(FrameJob& job) {
    frame_ = job.pixels;
    try {
        Emit(transparent_ ? job.next.data() : nullptr, job.delay);
    } catch (const std::bad_alloc&) {
        written_ = false;
    }
    job.ok = written_;
}

bool AnimatedGifWriter::Finish() {
    coder_->Drain(handedBack_);
    if (ok_ && pending_.waiting) {
        frame_ = pending_.pixels;
        Emit(nullptr, pending_.delay);
    }
    if (ok_ && !pending_.waiting) {
        WriteEmptyPicture();
    }
    ok_ = ok_ && written_;
    CloseEncoder(encoder_);
    int error = 0;
    ok_ = gif_ != nullptr && EGifCloseFile(gif_, &error) == GIF_OK && ok_;
    gif_ = nullptr;
    return ok_ && file_.Commit();
}

void AnimatedGifWriter::Emit(const std::uint8_t* next, std::uint64_t delay) {
    PixelBox box = canvasKnown_ ? ChangedBox() : PixelBox{0, 0, width_, height_};
    int disposal = 1;
    if (transparent_ && next != nullptr) {
        const PixelBox cleared = ClearedBox(next);
        if (!cleared.Empty()) {
            disposal = 2;
            box.Add(cleared);
        }
    }
    if (box.Empty()) {
        box = {0, 0, 1, 1};
    }
    if (delay <= kMaxDelay) {
        WriteFrame(box, disposal, static_cast<std::uint32_t>(delay));
        return;
    }
    // A longer showing is split into frames that change nothing.
    WriteFrame(box, 1, kMaxDelay);
    for (delay -= kMaxDelay; delay > kMaxDelay; delay -= kMaxDelay) {
        WriteFrame({0, 0, 1, 1}, 1, kMaxDelay);
    }
    WriteFrame(disposal == 2 ? box : PixelBox{0, 0, 1, 1}, disposal,
               static_cast<std::uint32_t>(delay));
}

PixelBox AnimatedGifWriter::ChangedBox() const {
    return zef::ChangedBox(canvas_.data(), frame_.data(), width_, height_);
}

PixelBox AnimatedGifWriter::ClearedBox(const std::uint8_t* next) const {
    PixelBox box;
    const std::uint8_t clear = *transparent_;
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (std::int32_t x = 0; x < width_; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            if (next[i] == clear && frame_[i] != clear) {
                box.Add({x, y, x + 1, y + 1});
            }
        }
    }
    return box;
}

std::optional<std::uint8_t> AnimatedGifWriter::KeyIndex(const PixelBox& box) const {
    if (transparent_) {
        return transparent_;
    }
    if (colourCount_ < 256) {
        return static_cast<std::uint8_t>(colourCount_);
    }
    std::array<bool, 256> used{};
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (std::int32_t x = box.left; x < box.right; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            if (canvas_[i] != frame_[i]) {
                used[frame_[i]] = true;
            }
        }
    }
    const auto free = std::find(used.begin(), used.end(), false);
    if (free == used.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(free - used.begin());
}

bool AnimatedGifWriter::PutImage(const PixelBox& box, bool interlaced,
                                 const std::vector<std::uint8_t>& codes) {
    scratch_.clear();
    if (EGifPutImageDesc(encoder_, box.left, box.top, box.right - box.left, box.bottom - box.top,
                         interlaced, nullptr) != GIF_OK) {
        return written_ = false;
    }
    std::array<GifByteType, 256> block{};
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, codes.size() - at);
        block[0] = static_cast<GifByteType>(length);
        std::memcpy(block.data() + 1, codes.data() + at, length);
        if (EGifPutCodeNext(encoder_, block.data()) != GIF_OK) {
            return written_ = false;
        }
    }
    return EGifPutCodeNext(encoder_, nullptr) == GIF_OK || (written_ = false);
}

void AnimatedGifWriter::CopyBox(const PixelBox& box) {
    const auto width = static_cast<std::size_t>(box.right - box.left);
    candidate_.resize(width * static_cast<std::size_t>(box.bottom - box.top));
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        std::memcpy(candidate_.data() + static_cast<std::size_t>(y - box.top) * width,
                    frame_.data() + Offset(box.left, y), width);
    }
}

void AnimatedGifWriter::KeyBox(const PixelBox& box, std::uint8_t key) {
    keyed_.resize(candidate_.size());
    runKeyed_.resize(candidate_.size());
    std::size_t out = 0;
    std::uint8_t last = key;
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        for (std::size_t at = Offset(box.left, y), end = Offset(box.right, y); at < end; ++at) {
            const std::uint8_t wanted = frame_[at];
            const bool same = canvas_[at] == wanted;
            keyed_[out] = same ? key : wanted;
            last = !same || last == wanted ? wanted : key;
            runKeyed_[out++] = last;
        }
    }
}

std::int64_t AnimatedGifWriter::ChangedCount(const PixelBox& box) const {
    std::int64_t changed = 0;
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        const std::size_t first = Offset(box.left, y);
        const std::size_t end = Offset(box.right, y);
        for (std::size_t at = first; at < end; ++at) {
            changed += canvas_[at] != frame_[at] ? 1 : 0;
        }
    }
    return changed;
}

void AnimatedGifWriter::WriteFrame(PixelBox box, int disposal, std::uint32_t delay) {
    if (!written_) {
        return;
    }
    // The candidates, each coded: the box as it is; the box keyed twice, its unchanged pixels
    // the key (transparent) but for those that carry on a run, and each unchanged pixel
    // coded as the key or as itself as the coder's strings go; and the whole frame where the
    // box covers at least half of it; then the smallest of them interlaced. A candidate stops
    // coding as soon as it is no smaller than the best before it. In a tiny box every
    // candidate is weighed every frame, with every parse. Elsewhere the keyed ones are
    // weighed every frame where the box is small or few of its pixels changed; otherwise, as
    // the whole frame and the interlaced one, one that lost is weighed again only after a
    // few frames.
    enum class Choice { kBox, kKeyedBox, kWhole } choice = Choice::kBox;
    const bool tiny = box.Area() <= kTinyBox;
    bool coded = false;
    bool interlaced = false;
    Candidate winner;
    // Codes a candidate with each parse worth trying, in rows as they come or interlaced,
    // into best_ where it is smaller than the best before.
    const auto weigh = [&](const Candidate& candidate, bool laced) {
        std::span<const std::uint8_t> pixels = candidate.pixels;
        std::span<const std::uint8_t> others = candidate.others;
        if (laced) {
            Interlace(pixels, candidate.width, laced_);
            pixels = laced_;
            if (!others.empty()) {
                Interlace(others, candidate.width, lacedOthers_);
                others = lacedOthers_;
            }
        }
        bool smaller = false;
        for (std::size_t i = 0; i < (tiny ? std::size(kParses) : 1); ++i) {
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
    CopyBox(box);
    const auto boxWidth = static_cast<std::size_t>(box.right - box.left);
    weigh({candidate_, {}, boxWidth}, false);
    const std::optional<std::uint8_t> key = canvasKnown_ ? KeyIndex(box) : std::nullopt;
    const PixelBox whole{0, 0, width_, height_};
    if (key && (box.Area() * kCheapShare <= whole.Area() || tiny || keyedTrial_.Due() ||
                ChangedCount(box) * kFewChanged <= box.Area())) {
        KeyBox(box, *key);
        const bool smaller = weigh({runKeyed_, {}, boxWidth}, false);
        const bool eitherSmaller = weigh({candidate_, keyed_, boxWidth}, false);
        if (smaller || eitherSmaller) {
            choice = Choice::kKeyedBox;
        }
        keyedTrial_.Weighed(smaller || eitherSmaller);
    }
    if (disposal == 1 && box != whole && box.Area() * 2 >= whole.Area() &&
        (tiny || wholeTrial_.Due())) {
        const bool smaller = weigh({frame_, {}, static_cast<std::size_t>(width_)}, false);
        wholeTrial_.Weighed(smaller);
        if (smaller) {
            choice = Choice::kWhole;
        }
    }
    if (tiny || lacedTrial_.Due()) {
        const std::size_t before = best_.size();
        weigh(winner, true);
        lacedTrial_.Weighed((before - best_.size()) * kLacedGain >= before);
    }
    if (!PutImage(choice == Choice::kWhole ? whole : box, interlaced, best_)) {
        return;
    }
    const std::optional<std::uint8_t> transparency =
        choice == Choice::kKeyedBox ? key : transparent_;
    const std::uint8_t control[4] = {
        static_cast<std::uint8_t>(disposal << 2 | (transparency ? 1 : 0)),
        static_cast<std::uint8_t>(delay), static_cast<std::uint8_t>(delay >> 8),
        transparency.value_or(0)};
    written_ = EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK &&
               file_.Write(scratch_.data(), scratch_.size());
    const PixelBox written = choice == Choice::kWhole ? whole : box;
    for (std::int32_t y = written.top; y < written.bottom; ++y) {
        const std::size_t first = Offset(written.left, y);
        const auto length = static_cast<std::size_t>(written.right - written.left);
        std::memcpy(canvas_.data() + first, frame_.data() + first, length);
        if (disposal == 2) {
            std::memset(canvas_.data() + first, *transparent_, length);
        }
    }
    canvasKnown_ = true;
}

void AnimatedGifWriter::WriteEmptyPicture() {
    const std::uint8_t control[4] = {1, 0, 0, 0};
    const std::uint8_t pixel = 0;
    lzw_->Encode({&pixel, 1}, best_);
    written_ = PutImage({0, 0, 1, 1}, false, best_) &&
               EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK &&
               file_.Write(scratch_.data(), scratch_.size());
}

}  // namespace zef
