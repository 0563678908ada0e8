#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/LzwEncoder.h"
#include "export/OrderedJobs.h"
#include "export/Palette.h"
#include "export/PendingFrame.h"
#include "export/PixelBox.h"
#include "export/StreamedFile.h"
#include "model/AtomicFile.h"

struct GifFileType;

namespace zef {

// Whether a frame candidate is worth weighing: one that came out no smaller than the best
// before it rests for 1, 2, 4, ... up to 16 frames before it is weighed again.
class CandidateTrial {
  public:
    bool Due();
    void Weighed(bool smaller);

  private:
    static constexpr int kLongestRest = 16;
    int rest_ = 0;
    int wait_ = 0;
};

// Writes an animated GIF89a that loops forever, one frame at a time, so memory does not grow
// with the frame count. Every frame is stored in the one palette given at the start. Files
// stay small without changing a decoded pixel or the timing: a frame identical to the one
// before adds its delay to it (one frame is held back for that), and each frame is stored
// as the smallest of the whole frame, the box of the pixels that changed, and that box with
// its unchanged pixels transparent, each of them either transparent or its own colour,
// whichever lets the coder's strings reach further; the smallest also interlaced. With a
// transparent colour, pixels of that colour show nothing, and a frame after which drawn pixels turn
// transparent is cleared by its disposal. The frames are coded and written on a thread of the
// writer's own, one after another, while the caller makes the next ones.
class AnimatedGifWriter {
  public:
    // Throws std::bad_alloc when its frame buffers or its thread cannot be had; Ok() is false
    // when the file or the encoder cannot be started.
    AnimatedGifWriter(const std::string& path, std::int32_t width, std::int32_t height,
                      const Palette& palette, std::optional<std::uint32_t> transparentColour,
                      const FileOps& ops = SystemFileOps());
    AnimatedGifWriter(const AnimatedGifWriter&) = delete;
    AnimatedGifWriter& operator=(const AnimatedGifWriter&) = delete;
    ~AnimatedGifWriter();

    bool Ok() const { return ok_; }
    // Adds a frame of indices into the palette, width x height, rows top to bottom, shown for
    // `delay` hundredths of a second. False once writing has failed, which Add learns a frame
    // or two after the frame that failed and Finish at the latest.
    bool Add(std::span<const std::uint8_t> indices, std::uint32_t delay);
    // Writes the frame held back and the trailer and puts the file in place; an animation
    // without frames gets one empty picture, since readers refuse a GIF without an image.
    // False, with nothing left under the path, when anything failed.
    bool Finish();

  private:
    // A frame for the coder thread: its pixels, how long it shows, the frame after it where a
    // transparent colour makes the writer look ahead, and whether writing went well up to it.
    struct FrameJob {
        std::vector<std::uint8_t> pixels;
        std::uint64_t delay = 0;
        std::vector<std::uint8_t> next;
        bool ok = true;
    };
    // The held frame to the coder thread, `next` after it.
    void Hand(std::span<const std::uint8_t> next);
    // On the coder thread: writes the job's frame.
    void Code(FrameJob& job);
    // Writes frame_, shown for `delay`, `next` the frame after it or null for the last.
    void Emit(const std::uint8_t* next, std::uint64_t delay);
    // One transparent pixel shown for no time.
    void WriteEmptyPicture();
    void WriteFrame(PixelBox box, int disposal, std::uint32_t delay);
    // The image `box` of these codes, its rows interlaced or not, into scratch_: giflib's image
    // descriptor, then the codes in giflib's blocks.
    bool PutImage(const PixelBox& box, bool interlaced, const std::vector<std::uint8_t>& codes);
    PixelBox ChangedBox() const;
    // The box's pixels into candidate_; into keyed_ with the unchanged ones as `key`, and
    // into runKeyed_ likewise except those that carry on a run of their own colour, which
    // stay as they are.
    void CopyBox(const PixelBox& box);
    void KeyBox(const PixelBox& box, std::uint8_t key);
    // How many pixels of the box changed.
    std::int64_t ChangedCount(const PixelBox& box) const;
    std::size_t Offset(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    PixelBox ClearedBox(const std::uint8_t* next) const;
    // The index that marks unchanged pixels in `box`: the transparent colour's, or one the
    // box's changed pixels do not use.
    std::optional<std::uint8_t> KeyIndex(const PixelBox& box) const;

    std::int32_t width_;
    std::int32_t height_;
    std::size_t colourCount_;
    std::optional<std::uint8_t> transparent_;
    StreamedFile file_;
    GifFileType* gif_ = nullptr;
    GifFileType* encoder_ = nullptr;
    bool ok_ = false;      // the caller's side: as far as the frames handed back tell
    bool written_ = true;  // the coder's side
    PendingFrame<std::uint8_t> pending_;
    std::span<const std::uint8_t> frame_;  // the frame being written
    std::vector<std::uint8_t> canvas_;     // what a viewer shows; the transparent index = nothing
    bool canvasKnown_ = false;
    std::optional<LzwEncoder> lzw_;
    CandidateTrial keyedTrial_;
    CandidateTrial wholeTrial_;
    CandidateTrial lacedTrial_;
    std::vector<std::uint8_t> candidate_;
    std::vector<std::uint8_t> keyed_;
    std::vector<std::uint8_t> runKeyed_;
    std::vector<std::uint8_t> best_;
    std::vector<std::uint8_t> trying_;
    std::vector<std::uint8_t> laced_;
    std::vector<std::uint8_t> lacedOthers_;
    std::vector<std::uint8_t> scratch_;
    std::vector<FrameJob> spare_;
    // A frame written comes back to the caller's thread with how writing went.
    std::function<void(FrameJob&)> handedBack_ = [this](FrameJob& job) {
        ok_ = ok_ && job.ok;
        spare_.push_back(std::move(job));
    };
    // Last, so that its thread stops before what it works with goes.
    std::optional<OrderedJobs<FrameJob>> coder_;
};

}  // namespace zef
