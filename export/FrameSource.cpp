#include "export/FrameSource.h"

#include <algorithm>

#include "canvas/Resize.h"

namespace zef {

FrameSource::FrameSource(const ExportScene& scene, std::int32_t width, std::int32_t height,
                         bool antiAliasing)
    : scene_(scene),
      area_(ModelArea(scene)),
      width_(width),
      height_(height),
      antiAliasing_(antiAliasing),
      framesAreCanvas_(antiAliasing && area_.width == scene.renderer.Canvas().Width() &&
                       area_.height == scene.renderer.Canvas().Height()),
      frame_(framesAreCanvas_ ? Bitmap(0, 0)
             : antiAliasing   ? Bitmap(area_.width, area_.height)
                              : Bitmap(width, height)) {}

PixelRect FrameSource::ModelArea(const ExportScene& scene) {
    const Bitmap& canvas = scene.renderer.Canvas();
    return {0, 0, std::clamp(scene.model.properties.canvasWidth, 0, canvas.Width()),
            std::clamp(scene.model.properties.canvasHeight, 0, canvas.Height())};
}

RenderReport FrameSource::Next(Image& image) {
    RenderReport report;
    const Bitmap& frame = Render(report);
    if (antiAliasing_) {
        FitToOutput(image);
        ResizeAreaAverage(frame, image.colours);
    } else {
        image = ImageFromDib({frame.Width(), -frame.Height(), 32}, frame.Pixels());
    }
    return report;
}

RenderReport FrameSource::Next(Image& image, std::vector<std::uint8_t>& alpha) {
    RenderReport report;
    const Bitmap& frame = Render(report);
    const std::uint32_t clear = scene_.model.properties.backgroundColour.Value();
    alpha.resize(FramePixels());
    if (antiAliasing_) {
        FitToOutput(image);
        ResizeAreaAverageClear(frame, clear, image.colours, alpha);
    } else {
        image = ImageFromDib({frame.Width(), -frame.Height(), 32}, frame.Pixels());
        std::transform(
            frame.Pixels().begin(), frame.Pixels().end(), alpha.begin(),
            [clear](std::uint32_t colour) -> std::uint8_t { return colour == clear ? 0 : 255; });
    }
    return report;
}

const Bitmap& FrameSource::Render(RenderReport& report) {
    scene_.model.RegenerateShake(scene_.random);
    report = scene_.renderer.RenderModel(scene_.model, scene_.selection);
    const Bitmap& canvas = scene_.renderer.Canvas();
    if (framesAreCanvas_) {
        return canvas;
    }
    if (frame_.Width() == area_.width && frame_.Height() == area_.height) {
        for (std::int32_t y = 0; y < area_.height; ++y) {
            std::copy_n(canvas.Row(y), area_.width, frame_.Row(y));
        }
    } else {
        StretchNearest(canvas, area_, frame_);
    }
    return frame_;
}

void FrameSource::FitToOutput(Image& image) const {
    if (image.Width() != width_ || image.Height() != height_) {
        image = Image{Bitmap(width_, height_), {}, {}};
    }
}

FrameSource::State FrameSource::Save() const {
    return {scene_.random, scene_.renderer, scene_.model.document.drawnPointCount};
}

void FrameSource::Restore(const State& state) {
    scene_.random = state.random;
    scene_.renderer = state.renderer;
    scene_.model.document.drawnPointCount = state.drawnPointCount;
}

}  // namespace zef
