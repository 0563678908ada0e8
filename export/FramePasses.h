#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "canvas/RenderReport.h"
#include "export/ExportProgress.h"
#include "export/FrameSource.h"
#include "export/Palette.h"
#include "export/ZefImage.h"

namespace zef {

// The frames of a GIF export for its writing pass, and for an anti-aliased export the colour
// pass before it. The colour pass renders every frame to count their colours and keeps the
// frames, as palette indices coded in runs, while they fit in a budget: the writing pass
// takes the kept frames and renders only the rest.
class FramePasses {
  public:
    static constexpr std::size_t kBudget = std::size_t{32} << 20;

    // `budget`: bytes the kept frames may take.
    explicit FramePasses(FrameSource& frames, std::size_t budget = kBudget);

    // Renders `count` frames, stepping the progress once a frame, and makes their palette;
    // nothing once the export is cancelled. Throws std::bad_alloc.
    std::optional<Palette> CountColours(std::int64_t count, ExportProgress& progress);
    // The next frame of the writing pass into `image` as indices into `palette`; false when
    // a rendered frame holds a colour the palette lacks. Throws std::bad_alloc.
    bool Next(Image& image, const Palette& palette, RenderReport& report);
    // Back to the first frame with nothing kept, for another colour pass.
    void Restart();

  private:
    void Keep(std::span<const std::uint8_t> indices, const RenderReport& report);
    void Forget();
    void Unpack(std::size_t frame, std::vector<std::uint8_t>& indices) const;

    FrameSource& frames_;
    std::size_t budget_;
    FrameSource::State start_;
    std::optional<FrameSource::State> rest_;  // where the frames not kept begin
    std::vector<std::uint8_t> runs_;          // length, index; ...
    std::vector<std::size_t> frameStarts_;    // where each kept frame's runs begin
    std::vector<RenderReport> reports_;
    std::size_t next_ = 0;
};

}  // namespace zef
