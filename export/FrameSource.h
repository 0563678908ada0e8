#pragma once

#include <cstdint>

#include "Bitmap.h"
#include "ExportScene.h"
#include "PixelRect.h"
#include "RenderReport.h"
#include "ZefImage.h"

namespace zef {

// Renders the frames of an export one after the other: new jitter, the model drawn on the
// canvas, and the canvas area taken at the output size, by nearest stretch or, with
// anti-aliasing, by taking it at the model size and resizing the image by area averaging.
class FrameSource {
  public:
    // Throws std::bad_alloc when the frame buffer cannot be had.
    FrameSource(const ExportScene& scene, std::int32_t width, std::int32_t height,
                bool antiAliasing);

    // The part of the canvas a frame is taken from; empty when the model's size leaves none.
    static PixelRect ModelArea(const ExportScene& scene);

    // The pixels of a frame at the output size.
    std::size_t FramePixels() const {
        return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    }

    // Renders the next frame into `image`, 32-bit at the output size. Throws std::bad_alloc.
    RenderReport Next(Image& image);

    // The state a pass over the frames changes, so that a second pass renders the same
    // frames.
    struct State {
        Random random;
        Renderer renderer;
        std::int32_t drawnPointCount;
    };
    State Save() const;
    void Restore(const State& state);

  private:
    // Resizes `source` by area averaging into the image, reusing its bitmap when it has the
    // output size.
    void ResizeInto(const Bitmap& source, Image& image) const;

    ExportScene scene_;
    PixelRect area_;
    std::int32_t width_;
    std::int32_t height_;
    bool antiAliasing_;
    Bitmap frame_;
};

}  // namespace zef
