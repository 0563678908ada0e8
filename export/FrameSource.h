#pragma once

#include <cstdint>
#include <vector>

#include "canvas/Bitmap.h"
#include "canvas/PixelRect.h"
#include "canvas/RenderReport.h"
#include "export/ExportScene.h"
#include "export/ZefImage.h"

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
    // Renders the next frame like Next(image), with the model's background colour transparent:
    // `alpha` gets the opacity of each pixel, 0 for the background and 255 for the rest, or
    // with anti-aliasing the share of drawn pixels each covers (the resize counts the
    // background as transparent instead of averaging it in). Throws std::bad_alloc.
    RenderReport Next(Image& image, std::vector<std::uint8_t>& alpha);

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
    // Renders the next frame and answers the bitmap that holds it: at the output size, or with
    // anti-aliasing at the model size (the canvas itself when the model takes all of it).
    const Bitmap& Render(RenderReport& report);
    // Makes `image` a 32-bit image of the output size, keeping its bitmap when it has that size.
    void FitToOutput(Image& image) const;

    ExportScene scene_;
    PixelRect area_;
    std::int32_t width_;
    std::int32_t height_;
    bool antiAliasing_;
    // With anti-aliasing and a model that takes the whole canvas, the frames are the canvas
    // itself and need no bitmap of their own.
    bool framesAreCanvas_;
    Bitmap frame_;
};

}  // namespace zef
