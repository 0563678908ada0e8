#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/GifFrameCoder.h"
#include "export/OrderedJobs.h"
#include "export/Palette.h"
#include "export/PendingFrame.h"
#include "export/PixelBox.h"
#include "export/StreamedFile.h"
#include "model/AtomicFile.h"

struct GifFileType;

namespace zef {

// How a GIF is written, beside its frames and palette.
struct GifOptions {
    std::optional<std::uint32_t> transparentColour;  // the colour that shows nothing
    // Each frame's smallest candidate coded again with the slower parse search.
    bool smallest = false;
    // The threads that code frames, at most four; when 0, one a core. The file is the same
    // whatever their number.
    unsigned coders = 0;
};

// Whether a frame candidate is worth weighing: one that came out no smaller than the best
// before it rests for 1, 2, 4, ... up to `longestRest` frames before it is weighed again.
class CandidateTrial {
  public:
    explicit CandidateTrial(int longestRest = 16) : longestRest_(longestRest) {}
    bool Due();
    void Weighed(bool smaller);

  private:
    int longestRest_;
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
// transparent is cleared by its disposal. The frames are coded on threads of their own, a few
// at once, and written in their order; which candidates a frame weighs follows what the
// frames kFramesOut and more before it showed, so the file is the same on any machine. A
// frame whose box keyed either way is smallest is coded again with a search over parses, which
// rests like a candidate while it saves less than a thousandth; the smallest file codes every
// frame's best candidate so, some three times slower for about a hundredth less.
class AnimatedGifWriter {
  public:
    // Throws std::bad_alloc when its frame buffers or its threads cannot be had; Ok() is false
    // when the file or the encoder cannot be started.
    AnimatedGifWriter(const std::string& path, std::int32_t width, std::int32_t height,
                      const Palette& palette, const GifOptions& options = {},
                      const FileOps& ops = SystemFileOps());
    AnimatedGifWriter(const AnimatedGifWriter&) = delete;
    AnimatedGifWriter& operator=(const AnimatedGifWriter&) = delete;
    ~AnimatedGifWriter();

    bool Ok() const { return ok_; }
    // Adds a frame of indices into the palette, width x height, rows top to bottom, shown for
    // `delay` hundredths of a second. False once writing has failed, which Add learns a few
    // frames after the frame that failed and Finish at the latest.
    bool Add(std::span<const std::uint8_t> indices, std::uint32_t delay);
    // Writes the frame held back and the trailer and puts the file in place; an animation
    // without frames gets one empty picture, since readers refuse a GIF without an image.
    // False, with nothing left under the path, when anything failed.
    bool Finish();

  private:
    // Frames out with the coders at once; a frame's candidates are chosen by what the frames
    // this many and more before it showed.
    static constexpr std::size_t kFramesOut = 4;
    // The parse search takes some ten to thirty times a candidate's coding, so where it saved
    // too little it rests longer.
    static constexpr int kLongestSearchRest = 64;

    // A candidate of a frame coded: whether it was weighed, and whether it came out smaller.
    struct Weighing {
        bool weighed = false;
        bool smaller = false;
    };
    // A coded frame's weighings, kept until the frame kFramesOut after it weighs its own.
    struct Outcome {
        std::uint64_t frame = 0;
        Weighing keyed;
        Weighing whole;
        Weighing laced;
        Weighing search;
    };

    // Writes the held frame, `next` the frame after it or null for the last.
    void Emit(const std::uint8_t* next);
    // Chooses the frame's candidates and hands it to the coders; what shows after it into
    // canvas_.
    void WriteFrame(PixelBox box, int disposal, std::uint32_t delay);
    // A frame coded: its graphic control and image into the file, in order.
    void Written(GifFrameJob& job);
    // The outcomes of the frames at least kFramesOut before the next into their trials.
    void Weigh();
    // One transparent pixel shown for no time.
    void WriteEmptyPicture();
    PixelBox ChangedBox() const;
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
    bool smallest_;
    std::optional<std::uint8_t> transparent_;
    StreamedFile file_;
    GifFileType* gif_ = nullptr;
    bool ok_ = false;
    PendingFrame<std::uint8_t> pending_;
    std::vector<std::uint8_t> canvas_;  // what a viewer shows; the transparent index = nothing
    bool canvasKnown_ = false;
    CandidateTrial keyedTrial_;
    CandidateTrial wholeTrial_;
    CandidateTrial lacedTrial_;
    CandidateTrial searchTrial_{kLongestSearchRest};
    std::uint64_t frames_ = 0;   // frames handed to the coders
    std::uint64_t written_ = 0;  // frames written
    std::deque<Outcome> outcomes_;
    std::vector<std::unique_ptr<GifFrameCoder>> coders_;  // one a thread
    std::vector<GifFrameJob> spare_;
    std::function<void(GifFrameJob&)> handedBack_ = [this](GifFrameJob& job) { Written(job); };
    // Last, so that its threads stop before what they work with goes.
    std::optional<OrderedJobs<GifFrameJob>> jobs_;
};

}  // namespace zef
