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
    scene_.model.RegenerateShake(scene_.random);
    const RenderReport report = scene_.renderer.RenderModel(scene_.model, scene_.selection);
    const Bitmap& canvas = scene_.renderer.Canvas();
    const bool wholeCanvas = canvas.Width() == area_.width && canvas.Height() == area_.height;
    if (antiAliasing_ && wholeCanvas) {
        ResizeInto(canvas, image);
        return report;
    }
    if (frame_.Width() == area_.width && frame_.Height() == area_.height) {
        for (std::int32_t y = 0; y < area_.height; ++y) {
            std::copy_n(canvas.Row(y), area_.width, frame_.Row(y));
        }
    } else {
        StretchNearest(canvas, area_, frame_);
    }
    if (antiAliasing_) {
        ResizeInto(frame_, image);
    } else {
        image = ImageFromDib({frame_.Width(), -frame_.Height(), 32}, frame_.Pixels());
    }
    return report;
}

void FrameSource::ResizeInto(const Bitmap& source, Image& image) const {
    if (image.Width() != width_ || image.Height() != height_) {
        image = Image{Bitmap(width_, height_), {}, {}};
    }
    ResizeAreaAverage(source, image.colours);
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
