#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "export/LzwEncoder.h"
#include "export/PixelBox.h"

struct GifFileType;
struct ColorMapObject;

namespace zef {

// A frame of the GIF to code: the picture and what shows before it, both whole, the box to
// store, and which candidates the writer weighs beside the box as it is; then what coding
// made of it.
struct GifFrameJob {
    std::vector<std::uint8_t> frame;
    std::vector<std::uint8_t> canvas;  // the transparent index shows nothing
    PixelBox box;
    int disposal = 1;
    std::uint32_t delay = 0;
    // The index the box's unchanged pixels take when keyed; none when it cannot be keyed.
    std::optional<std::uint8_t> key;
    bool keyed = false;  // the box keyed, both ways
    bool whole = false;  // the whole frame
    bool laced = false;  // the smallest interlaced
    bool tiny = false;   // every candidate with every parse
    // The smallest coded again with the parse search: whatever it is, or where it is the box
    // keyed either way, a coding without a look-ahead of its own.
    bool searched = false;
    bool searchedEither = false;

    // The image descriptor and the image data in giflib's blocks.
    std::vector<std::uint8_t> image;
    bool keyedChosen = false;
    bool wholeChosen = false;
    // Whether a candidate weighed came out smaller than those before it; interlacing whether
    // it saved enough to be worth weighing.
    bool keyedSmaller = false;
    bool wholeSmaller = false;
    bool lacedPaid = false;
    // Whether the search ran, and whether it saved enough to be worth running.
    bool searchRan = false;
    bool searchPaid = false;
    bool ok = true;
};

// Codes the frames of one GIF, one at a time: each candidate with our LZW, the smallest kept.
// Each thread that codes frames has a coder of its own.
class GifFrameCoder {
  public:
    // Throws std::bad_alloc when its buffers cannot be had; Ok() is false when giflib's
    // encoder cannot be started.
    GifFrameCoder(std::int32_t width, std::int32_t height, const ColorMapObject& colours);
    GifFrameCoder(const GifFrameCoder&) = delete;
    GifFrameCoder& operator=(const GifFrameCoder&) = delete;
    ~GifFrameCoder();

    bool Ok() const { return encoder_ != nullptr; }
    // Codes the job's frame into its image and what was chosen; `ok` false when giflib failed.
    void Code(GifFrameJob& job);
    // One pixel of index 0: the picture of an animation without frames.
    bool PutEmptyPicture(std::vector<std::uint8_t>& image);

  private:
    // The image of `box` from these codes, its rows interlaced or not, into `image`.
    bool PutImage(const PixelBox& box, bool interlaced, std::span<const std::uint8_t> codes,
                  std::vector<std::uint8_t>& image);
    // The box's pixels into candidate_; into keyed_ with the unchanged ones as `key`, and
    // into runKeyed_ likewise except those that carry on a run of their own colour, which
    // stay as they are.
    void CopyBox(const GifFrameJob& job);
    void KeyBox(const GifFrameJob& job);
    std::size_t Offset(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    std::int32_t width_;
    std::int32_t height_;
    GifFileType* encoder_ = nullptr;
    std::vector<std::uint8_t> written_;  // what giflib's encoder writes
    std::optional<LzwEncoder> lzw_;
    std::vector<std::uint8_t> candidate_;
    std::vector<std::uint8_t> keyed_;
    std::vector<std::uint8_t> runKeyed_;
    std::vector<std::uint8_t> best_;
    std::vector<std::uint8_t> trying_;
    std::vector<std::uint8_t> laced_;
    std::vector<std::uint8_t> lacedOthers_;
    std::vector<std::uint8_t> chosen_;
};

}  // namespace zef
