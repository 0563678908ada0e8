#include "FrameSource.h"

#include <algorithm>

#include "Resize.h"

namespace zef {

FrameSource::FrameSource(const ExportScene& scene, std::int32_t width, std::int32_t height,
                         bool antiAliasing)
    : scene_(scene),
      area_(ModelArea(scene)),
      width_(width),
      height_(height),
      antiAliasing_(antiAliasing),
      frame_(antiAliasing ? area_.width : width, antiAliasing ? area_.height : height) {}

PixelRect FrameSource::ModelArea(const ExportScene& scene) {
    const Bitmap& canvas = scene.renderer.Canvas();
    return {0, 0, std::clamp(scene.model.properties.canvasWidth, 0, canvas.Width()),
            std::clamp(scene.model.properties.canvasHeight, 0, canvas.Height())};
}

RenderReport FrameSource::Next(Image& image) {
    const RenderReport report = Render(image);
    if (antiAliasing_) {
        ImageResize(image, width_, height_);
    }
    return report;
}

RenderReport FrameSource::Next(Image& image, std::vector<std::uint8_t>& alpha) {
    const RenderReport report = Render(image);
    const std::uint32_t clear = scene_.model.properties.backgroundColour.Value();
    alpha.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    if (antiAliasing_) {
        Bitmap resized(width_, height_);
        ResizeAreaAverageClear(image.colours, clear, resized, alpha);
        image.colours = std::move(resized);
    } else {
        std::transform(
            image.colours.Pixels().begin(), image.colours.Pixels().end(), alpha.begin(),
            [clear](std::uint32_t colour) -> std::uint8_t { return colour == clear ? 0 : 255; });
    }
    return report;
}

RenderReport FrameSource::Render(Image& image) {
    scene_.model.RegenerateShake(scene_.random);
    const RenderReport report = scene_.renderer.RenderModel(scene_.model, scene_.selection);
    const Bitmap& canvas = scene_.renderer.Canvas();
    if (frame_.Width() == area_.width && frame_.Height() == area_.height) {
        for (std::int32_t y = 0; y < area_.height; ++y) {
            std::copy_n(canvas.Row(y), area_.width, frame_.Row(y));
        }
    } else {
        StretchNearest(canvas, area_, frame_);
    }
    image = ImageFromDib({frame_.Width(), -frame_.Height(), 32}, frame_.Pixels());
    return report;
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
