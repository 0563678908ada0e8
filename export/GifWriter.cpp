#include "export/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <thread>

namespace zef {
namespace {

constexpr std::uint32_t kMaxDelay = 65535;
// A box of at most this share of the frame is cheap to code, so every candidate is weighed.
constexpr std::int64_t kCheapShare = 4;
// A box where at most this share of the pixels changed is weighed keyed every frame too.
constexpr std::int64_t kFewChanged = 128;
// A box of at most this many pixels is coded with every parse, every candidate every frame.
constexpr std::int64_t kTinyBox = 1 << 14;

int WriteToFile(GifFileType* gif, const GifByteType* data, int size) {
    auto* file = static_cast<StreamedFile*>(gif->UserData);
    return file->Write(data, static_cast<std::size_t>(size)) ? size : 0;
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

}  // namespace

bool CandidateTrial::Due() {
    if (wait_ > 0) {
        --wait_;
        return false;
    }
    return true;
}

void CandidateTrial::Weighed(bool smaller) {
    rest_ = smaller ? 0 : std::min(std::max(1, 2 * rest_), longestRest_);
    wait_ = rest_;
}

AnimatedGifWriter::AnimatedGifWriter(const std::string& path, std::int32_t width,
                                     std::int32_t height, const Palette& palette,
                                     const GifOptions& options, const FileOps& ops)
    : width_(width),
      height_(height),
      colourCount_(palette.Colours().size()),
      smallest_(options.smallest),
      file_(path, ops) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    pending_.pixels.resize(pixels);
    canvas_.resize(pixels);
    if (options.transparentColour && palette.IsExact()) {
        transparent_ = palette.Find(*options.transparentColour);
    }
    if (transparent_) {
        std::fill(canvas_.begin(), canvas_.end(), *transparent_);
        canvasKnown_ = true;
    }
    // The frames' buffers are had here, so that adding a frame takes no memory.
    spare_.resize(kFramesOut);
    for (GifFrameJob& job : spare_) {
        job.frame.resize(pixels);
        job.canvas.resize(pixels);
    }
    const unsigned workers =
        std::clamp(options.coders != 0 ? options.coders : std::thread::hardware_concurrency(), 1u,
                   static_cast<unsigned>(kFramesOut));
    ColorMapObject* colours = MakeColourMap(palette, !transparent_ && colourCount_ < 256);
    ok_ = colours != nullptr;
    for (unsigned i = 0; i < workers && ok_; ++i) {
        coders_.push_back(std::make_unique<GifFrameCoder>(width, height, *colours));
        ok_ = coders_.back()->Ok();
    }
    int error = 0;
    gif_ = EGifOpen(&file_, WriteToFile, &error);
    ok_ = ok_ && file_.Ok() && gif_ != nullptr;
    if (ok_) {
        EGifSetGifVersion(gif_, true);
        const std::uint8_t loop[3] = {1, 0, 0};
        ok_ = EGifPutScreenDesc(gif_, width, height, colours->BitsPerPixel, 0, colours) == GIF_OK &&
              EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
              EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_OK &&
              EGifPutExtensionBlock(gif_, 3, loop) == GIF_OK &&
              EGifPutExtensionTrailer(gif_) == GIF_OK;
    }
    GifFreeMapObject(colours);
    jobs_.emplace(
        static_cast<unsigned>(std::max<std::size_t>(coders_.size(), 1)),
        [this](GifFrameJob& job, unsigned worker) {
            try {
                coders_[worker]->Code(job);
            } catch (const std::bad_alloc&) {
                job.ok = false;
            }
        },
        kFramesOut);
}

AnimatedGifWriter::~AnimatedGifWriter() {
    jobs_.reset();
    CloseEncoder(gif_);
}

bool AnimatedGifWriter::Add(std::span<const std::uint8_t> indices, std::uint32_t delay) {
    if (!ok_ || indices.size() != pending_.pixels.size()) {
        return ok_ = false;
    }
    pending_.Take(indices, delay,
                  [this](std::span<const std::uint8_t> next) { Emit(next.data()); });
    return ok_;
}

bool AnimatedGifWriter::Finish() {
    if (ok_ && pending_.waiting) {
        Emit(nullptr);
    }
    jobs_->Drain(handedBack_);
    if (ok_ && !pending_.waiting) {
        WriteEmptyPicture();
    }
    int error = 0;
    ok_ = gif_ != nullptr && EGifCloseFile(gif_, &error) == GIF_OK && ok_;
    gif_ = nullptr;
    return ok_ && file_.Commit();
}

void AnimatedGifWriter::Emit(const std::uint8_t* next) {
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
    std::uint64_t delay = pending_.delay;
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
    return zef::ChangedBox(canvas_.data(), pending_.pixels.data(), width_, height_);
}

PixelBox AnimatedGifWriter::ClearedBox(const std::uint8_t* next) const {
    PixelBox box;
    const std::uint8_t clear = *transparent_;
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (std::int32_t x = 0; x < width_; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            if (next[i] == clear && pending_.pixels[i] != clear) {
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
            if (canvas_[i] != pending_.pixels[i]) {
                used[pending_.pixels[i]] = true;
            }
        }
    }
    const auto free = std::find(used.begin(), used.end(), false);
    if (free == used.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(free - used.begin());
}

std::int64_t AnimatedGifWriter::ChangedCount(const PixelBox& box) const {
    std::int64_t changed = 0;
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        const std::size_t first = Offset(box.left, y);
        const std::size_t end = Offset(box.right, y);
        for (std::size_t at = first; at < end; ++at) {
            changed += canvas_[at] != pending_.pixels[at] ? 1 : 0;
        }
    }
    return changed;
}

void AnimatedGifWriter::WriteFrame(PixelBox box, int disposal, std::uint32_t delay) {
    if (!ok_) {
        return;
    }
    // The box as it is is always weighed; the keyed box every frame where the box is small or
    // few of its pixels changed, and the whole frame where the box covers at least half of
    // it; in a tiny box every candidate every frame. Otherwise one that lost is weighed again
    // only after a few frames.
    jobs_->MakeRoom(handedBack_);
    Weigh();
    GifFrameJob job = std::move(spare_.back());
    spare_.pop_back();
    std::copy(pending_.pixels.begin(), pending_.pixels.end(), job.frame.begin());
    std::copy(canvas_.begin(), canvas_.end(), job.canvas.begin());
    job.box = box;
    job.disposal = disposal;
    job.delay = delay;
    job.key = canvasKnown_ ? KeyIndex(box) : std::nullopt;
    const PixelBox whole{0, 0, width_, height_};
    job.tiny = box.Area() <= kTinyBox;
    job.keyed = job.key && (box.Area() * kCheapShare <= whole.Area() || job.tiny ||
                            keyedTrial_.Due() || ChangedCount(box) * kFewChanged <= box.Area());
    job.whole = disposal == 1 && box != whole && box.Area() * 2 >= whole.Area() &&
                (job.tiny || wholeTrial_.Due());
    job.laced = job.tiny || lacedTrial_.Due();
    job.searched = smallest_;
    job.searchedEither = searchTrial_.Due();
    jobs_->Push(std::move(job), handedBack_);
    ++frames_;
    for (std::int32_t y = box.top; y < box.bottom; ++y) {
        const std::size_t first = Offset(box.left, y);
        const auto length = static_cast<std::size_t>(box.right - box.left);
        std::memcpy(canvas_.data() + first, pending_.pixels.data() + first, length);
        if (disposal == 2) {
            std::memset(canvas_.data() + first, *transparent_, length);
        }
    }
    canvasKnown_ = true;
}

void AnimatedGifWriter::Written(GifFrameJob& job) {
    const std::optional<std::uint8_t> transparency = job.keyedChosen ? job.key : transparent_;
    const std::uint8_t control[4] = {
        static_cast<std::uint8_t>(job.disposal << 2 | (transparency ? 1 : 0)),
        static_cast<std::uint8_t>(job.delay), static_cast<std::uint8_t>(job.delay >> 8),
        transparency.value_or(0)};
    ok_ = ok_ && job.ok && EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK &&
          file_.Write(job.image.data(), job.image.size());
    outcomes_.push_back({written_++,
                         {job.keyed, job.keyedSmaller},
                         {job.whole, job.wholeSmaller},
                         {job.laced, job.lacedPaid},
                         {job.searchRan, job.searchPaid}});
    spare_.push_back(std::move(job));
}

void AnimatedGifWriter::Weigh() {
    const auto learn = [](const Weighing& weighing, CandidateTrial& trial) {
        if (weighing.weighed) {
            trial.Weighed(weighing.smaller);
        }
    };
    while (!outcomes_.empty() && outcomes_.front().frame + kFramesOut <= frames_) {
        const Outcome& outcome = outcomes_.front();
        learn(outcome.keyed, keyedTrial_);
        learn(outcome.whole, wholeTrial_);
        learn(outcome.laced, lacedTrial_);
        learn(outcome.search, searchTrial_);
        outcomes_.pop_front();
    }
}

void AnimatedGifWriter::WriteEmptyPicture() {
    const std::uint8_t control[4] = {1, 0, 0, 0};
    std::vector<std::uint8_t> image;
    ok_ = coders_.front()->PutEmptyPicture(image) &&
          EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK &&
          file_.Write(image.data(), image.size());
}

}  // namespace zef
