#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "export/ExportFormat.h"
#include "export/Exporters.h"
#include "export/FrameSource.h"
#include "export/Palette.h"
#include "export/StandaloneScene.h"
#include "export/ZefImage.h"
#include "model/Model.h"

namespace zef {

// The frames of an export as its file will show them, one after the other and round again,
// for a preview that plays them. They are rendered from a model of their own with a random
// generator seeded as the export's, so every round shows the same frames the file holds:
// with the opacity the format keeps, and for an anti-aliased GIF of more than 256 colours,
// from the second round on, in the palette the GIF shares out among them.
class PreviewFrames {
  public:
    // Throws std::bad_alloc when the frames cannot be had, or their size is none a frame has.
    PreviewFrames(Model model, std::uint32_t seed, ExportFormat format,
                  const ExportRequest& request);
    PreviewFrames(const PreviewFrames&) = delete;
    PreviewFrames& operator=(const PreviewFrames&) = delete;

    // At least one: an animation without frames shows the drawing as it starts.
    std::int64_t Count() const { return count_; }
    std::int32_t Width() const { return request_.width; }
    std::int32_t Height() const { return request_.height; }
    // How long each frame shows, in milliseconds.
    std::int32_t DelayMs() const { return request_.frameDelay * 10; }

    // Renders the next frame into `pixels`, colour values with their opacity in the top byte,
    // rows top to bottom, and answers its index; after the last comes the first again.
    // Throws std::bad_alloc.
    std::int64_t Next(std::vector<std::uint32_t>& pixels);

  private:
    StandaloneScene scene_;
    ExportRequest request_;
    bool keepsOpacity_;
    bool countingColours_;  // over the first round, for a GIF's shared palette
    std::int64_t count_ = 1;
    std::int64_t next_ = 0;
    FrameSource source_;
    FrameSource::State start_;
    ColourCounter counter_;
    std::optional<Palette> palette_;
    Image image_;
    std::vector<std::uint8_t> alpha_;
};

}  // namespace zef
