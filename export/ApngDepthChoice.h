#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "export/ApngWriter.h"

namespace zef {

// Writes an animated PNG whose palette indices are packed or in whole bytes, whichever comes
// out smaller for the drawing. Where the indices can be packed, both files are written side by
// side until one is clearly the smaller, early in the animation, and the other is dropped:
// packed indices keep most drawings smaller, whole bytes a hatched one. The two are weighed
// as soon as both have written a frame, so the choice, and which frames the whole bytes
// compress at the slowest level once chosen, do not depend on how fast either went.
class ApngDepthChoice {
  public:
    // As AnimatedPngWriter's, and throws std::bad_alloc as it does.
    ApngDepthChoice(const std::string& path, std::int32_t width, std::int32_t height,
                    PngPixels pixels, const std::vector<std::uint32_t>& palette,
                    const FileOps& ops = SystemFileOps());
    ApngDepthChoice(const ApngDepthChoice&) = delete;
    ApngDepthChoice& operator=(const ApngDepthChoice&) = delete;

    bool Ok() const;
    bool Add(std::span<const std::uint32_t> pixels, std::uint32_t delay);
    // Puts the smaller file in place; the other leaves nothing.
    bool Finish();

  private:
    enum class Loser { kNone, kPacked, kWhole };

    // Weighs the files after each frame both have written until one loses: the packed one
    // once the smaller holds kDecidingBytes and whole bytes are a kWholeLeadShare-th smaller,
    // the whole bytes once the smaller holds kDecidingBytes and packed indices are a
    // kLeadShare-th smaller, or once the smaller holds kSettledBytes.
    void Weigh();
    // Drops the file that lost, which may not go while it is writing a frame.
    void DropLoser();

    std::unique_ptr<AnimatedPngWriter> packed_;
    std::unique_ptr<AnimatedPngWriter> whole_;
    // The sizes of each file after the frames it has written that the other has not.
    std::deque<std::uint64_t> packedSizes_;
    std::deque<std::uint64_t> wholeSizes_;
    std::uint32_t weighed_ = 0;  // the frames
    Loser loser_ = Loser::kNone;
};

}  // namespace zef
