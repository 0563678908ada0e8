#include "export/PreviewFrames.h"

#include <algorithm>
#include <new>
#include <utility>

#include "export/ExportFormats.h"
#include "export/ExportFrames.h"
#include "export/ExportRules.h"

namespace zef {
namespace {

bool KeepsOpacity(ExportFormat format, const ExportRequest& request) {
    switch (RowOf(format).transparency) {
        case Transparency::kAlways:
            return request.transparent;
        case Transparency::kWithoutAntiAliasing:
            return request.transparent && !request.antiAliasing;
        case Transparency::kNever:
            return false;
    }
    return false;
}

// The request, once its frames and the model's area are sizes a frame can have.
const ExportRequest& Checked(const ExportRequest& request, const ExportScene& scene) {
    const PixelRect area = FrameSource::ModelArea(scene);
    if (!FrameSizeCanBeHad(request.width, request.height) ||
        !FrameSizeCanBeHad(area.width, area.height)) {
        throw std::bad_alloc();
    }
    return request;
}

// The model set up as an export sets it up: shaking, and for a still image without jitter.
Model Shaking(Model model, const ExportRequest& request) {
    model.document.shakingOn = request.kind == ExportKind::kStill ? 0 : 1;
    return model;
}

}  // namespace

PreviewFrames::PreviewFrames(Model model, std::uint32_t seed, ExportFormat format,
                             const ExportRequest& request)
    : scene_(Shaking(std::move(model), request), seed),
      request_(Checked(request, scene_.View())),
      keepsOpacity_(KeepsOpacity(format, request)),
      countingColours_(format == ExportFormat::kGif && request.antiAliasing),
      source_(scene_.View(), request.width, request.height, request.antiAliasing),
      start_(source_.Save()) {
    const std::int32_t speed = scene_.model.properties.vtrSpeed;
    count_ = std::max<std::int64_t>(PrepareFrames(scene_.View(), request_, speed), 1);
    start_ = source_.Save();
}

std::int64_t PreviewFrames::Next(std::vector<std::uint32_t>& pixels) {
    if (next_ == count_) {
        next_ = 0;
        source_.Restore(start_);
        if (countingColours_) {
            countingColours_ = false;
            Palette palette = counter_.MakePalette();
            if (!palette.IsExact()) {
                palette_ = std::move(palette);
            }
        }
    }
    if (keepsOpacity_) {
        source_.Next(image_, alpha_);
    } else {
        source_.Next(image_);
    }
    const std::span<const std::uint32_t> colours = image_.colours.Pixels();
    if (countingColours_) {
        counter_.Add(colours);
    }
    pixels.resize(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        std::uint32_t colour = colours[i];
        if (palette_) {
            colour = palette_->Colours()[*palette_->Find(colour)];
        }
        const std::uint32_t opacity = keepsOpacity_ ? alpha_[i] : 255;
        pixels[i] = opacity == 0 ? 0 : colour | opacity << 24;
    }
    return next_++;
}

}  // namespace zef
