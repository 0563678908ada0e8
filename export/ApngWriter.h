#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "export/GifWriter.h"
#include "export/OrderedJobs.h"
#include "export/Palette.h"
#include "export/PendingFrame.h"
#include "export/StreamedFile.h"
#include "model/AtomicFile.h"

struct libdeflate_compressor;

namespace zef {

// How an animated PNG stores its pixels: as indices into a palette of at most 256 entries, or
// as red, green and blue samples, with opacity or without.
enum class PngPixels { kPalette, kColour, kColourAlpha };
// How a palette's indices are stored: packed into as few bits as its size allows, unless the
// picture is small, or each in a whole byte. Whole bytes keep a pattern that moves a pixel a
// row (hatching) on byte boundaries, where the compressor finds it again.
enum class PngIndices { kFitted, kWholeBytes };

// Writes an animated PNG that loops forever, one frame at a time, so memory does not grow with
// the frame count. A pixel is a colour value (red + 256 green + 65536 blue) with its opacity
// in bits 24..31; 0 for a pixel that shows nothing. The first frame is the file's default
// image, so a viewer that knows no animation shows it. Files stay small without changing a
// decoded pixel or the timing: a frame identical to the one before adds its delay to it (one
// frame is held back for that), every later frame stores only the box of the pixels that
// changed, replacing them or, when smaller, drawn over the frame before with the unchanged
// pixels transparent; each row takes the filter that leaves the smallest differences (indices
// into a palette are tried unfiltered too), the first frame's most common colour takes the
// palette's first index, and a palette's indices are packed into as few bits as its size
// allows unless the picture is small or whole bytes are asked for (PngIndices). Frames whose
// codes pay for the slow near-optimal parsing are compressed again on worker threads, one frame
// each, and written in their order: the file is the same whatever thread compressed what.
class AnimatedPngWriter {
  public:
    // `palette`: every pixel value of the frames, for PngPixels::kPalette. Throws
    // std::bad_alloc when its frame buffers cannot be had; Ok() is false when the file or the
    // compressor cannot be started.
    AnimatedPngWriter(const std::string& path, std::int32_t width, std::int32_t height,
                      PngPixels pixels, std::vector<std::uint32_t> palette,
                      const FileOps& ops = SystemFileOps(),
                      PngIndices indices = PngIndices::kFitted);
    AnimatedPngWriter(const AnimatedPngWriter&) = delete;
    AnimatedPngWriter& operator=(const AnimatedPngWriter&) = delete;
    ~AnimatedPngWriter();

    bool Ok() const { return ok_; }
    // Whether the indices take fewer bits than a byte.
    bool Packed() const { return bitDepth_ < 8; }
    // The bytes of the file so far.
    std::uint64_t Size() const { return size_; }
    // Compresses the frames a fixed number of frames after `frame`, the number of frames
    // written so far, and all after them at the slowest level where they are compressed again:
    // which frames those are does not depend on how fast the workers went.
    void StrengthenMoreAfter(std::uint32_t frame);
    // Calls `written` with the file's size after each frame written from now on.
    void OnFrameWritten(std::function<void(std::uint64_t)> written) {
        frameWritten_ = std::move(written);
    }
    // Adds a frame of pixels, width x height, rows top to bottom, shown for `delay` hundredths
    // of a second. False once writing has failed.
    bool Add(std::span<const std::uint32_t> pixels, std::uint32_t delay);
    // Writes the frame held back, the frame count and the end, and puts the file in place; an
    // animation without frames gets one transparent picture. False, with nothing left under
    // the path, when anything failed or a pixel is missing from the palette.
    bool Finish() { return Complete() && Commit(); }
    // Finish in two steps: the file completed, then put in place.
    bool Complete();
    bool Commit();

  private:
    // A frame compressed, on its way into the file: compressed again by a worker first where
    // that pays (`strengthen`).
    struct QueuedFrame {
        PixelBox box;
        std::uint32_t delay = 0;
        bool over = false;
        bool first = false;
        bool strengthen = false;
        bool strongest = false;  // at the slowest level
        std::vector<std::uint8_t> codes;
        std::vector<std::uint8_t> rows;
        std::vector<std::uint8_t> stronger;  // room for the codes compressed again
    };

    void Emit();
    // The palette and its opacities, in the order the first frame compresses best with.
    void WritePalette();
    void WriteFrame(const PixelBox& box, std::uint32_t delay);
    // The rows of `box` as PNG samples, each after its filter, compressed into `out`, those
    // rows into `rows`; with `keyed` the pixels the canvas already shows are transparent.
    // False when the result would not be smaller than `limit` bytes.
    bool Compress(const PixelBox& box, bool keyed, std::vector<std::uint8_t>& out,
                  std::vector<std::uint8_t>& rows, std::size_t limit);
    void Pack(const PixelBox& box, bool keyed);
    // filtered_ compressed into `out`, and moved into `rows`, when smaller than `limit` bytes,
    // which it then becomes.
    bool Deflate(std::vector<std::uint8_t>& out, std::vector<std::uint8_t>& rows,
                 std::size_t& limit);
    // Whether compressing `rows` again by the near-optimal parsing pays, `codes` being what
    // the quicker level made of them.
    bool StrengthenPays(const std::vector<std::uint8_t>& codes,
                        const std::vector<std::uint8_t>& rows) const;
    // The frame's rows compressed again into its codes, when that is smaller; on a worker.
    void Strengthen(QueuedFrame& frame, unsigned worker) const;
    // The frame's control and codes into the file, in the order of the frames.
    void Output(QueuedFrame& frame);
    // raw_ into filtered_, each row with its filter byte: none, or the filter whose
    // differences add up to the least.
    void Filter(const PixelBox& box, bool chosen);
    void WriteChunk(const char* type, std::span<const std::uint8_t> head,
                    std::span<const std::uint8_t> body = {});
    void WriteFrameControl(const PixelBox& box, std::uint32_t delay, bool over);
    PixelBox ChangedBox() const;
    // Whether the changed pixels of `box` are all opaque, so drawing them over the canvas
    // shows them as they are.
    bool ChangesOpaque(const PixelBox& box) const;
    std::size_t Offset(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    std::int32_t width_;
    std::int32_t height_;
    PngPixels kind_;
    std::vector<std::uint32_t> entries_;  // the palette, in its order once it is written
    Palette palette_;
    bool keyable_;     // whether a pixel can show nothing
    int fittedDepth_;  // the bit depth of PngIndices::kFitted
    int bitDepth_;
    std::uint64_t size_ = 0;
    StreamedFile file_;
    libdeflate_compressor* compressor_ = nullptr;
    libdeflate_compressor* smallCompressor_ = nullptr;
    std::vector<libdeflate_compressor*> strongCompressors_;  // one for each worker
    std::vector<libdeflate_compressor*> strongestCompressors_;
    std::uint32_t strongestFrom_ = UINT32_MAX;  // the first frame for strongestCompressors_
    std::unique_ptr<OrderedJobs<QueuedFrame>> jobs_;
    std::vector<QueuedFrame> spare_;  // frames written, their buffers kept for later ones
    std::function<void(std::uint64_t)> frameWritten_;
    bool ok_ = false;
    std::uint32_t sequence_ = 0;
    std::uint32_t frameCount_ = 0;
    PendingFrame<std::uint32_t> pending_;
    std::vector<std::uint32_t> canvas_;  // what a viewer shows
    bool canvasKnown_ = false;
    CandidateTrial keyedTrial_;
    CandidateTrial filteredTrial_;
    std::vector<std::uint8_t> raw_;
    std::vector<std::uint8_t> filtered_;
    std::vector<std::uint8_t> trials_;  // a row under each filter
    std::vector<std::uint8_t> zeros_;   // the row above the first
    std::vector<std::uint8_t> compressed_;
    std::vector<std::uint8_t> sourceCodes_;
    std::vector<std::uint8_t> keyedCodes_;
    std::vector<std::uint8_t> sourceRows_;  // the filtered rows of sourceCodes_
    std::vector<std::uint8_t> keyedRows_;
};

}  // namespace zef
