#include "export/FramePasses.h"

#include <algorithm>

#include "export/Runs.h"

namespace zef {
namespace {

// Runs are at most this long, so a frame takes at most two bytes a pixel.
constexpr std::size_t kLongestRun = 255;

}  // namespace

FramePasses::FramePasses(FrameSource& frames, std::size_t budget)
    : frames_(frames), budget_(budget), start_(frames.Save()) {}

std::optional<Palette> FramePasses::CountColours(std::int64_t count, ExportProgress& progress) {
    ColourCounter counter;
    Image image;
    std::vector<std::uint8_t> indices(frames_.FramePixels());
    bool exact = true;
    bool keeping = true;
    for (std::int64_t i = 0; i < count; ++i) {
        if (!progress.KeepGoing()) {
            return std::nullopt;
        }
        if (keeping && runs_.size() + 2 * indices.size() > budget_) {
            keeping = false;
            rest_ = frames_.Save();
        }
        const RenderReport report = frames_.Next(image);
        indices.resize(image.colours.Pixels().size());
        exact = counter.Add(image.colours.Pixels(), keeping ? indices.data() : nullptr);
        keeping = keeping && exact;
        if (keeping) {
            Keep(indices, report);
        }
        progress.StepProgress();
    }
    // Indices into an exact palette are of no use when there were more than 256 colours.
    if (!exact) {
        Forget();
        rest_ = start_;
    }
    if (rest_) {
        frames_.Restore(*rest_);
    }
    return counter.MakePalette();
}

bool FramePasses::Next(Image& image, const Palette& palette, RenderReport& report) {
    if (next_ < reports_.size()) {
        Unpack(next_, image.indices);
        report = reports_[next_++];
        return true;
    }
    report = frames_.Next(image);
    return ImageConvert(image, palette);
}

void FramePasses::Restart() {
    frames_.Restore(start_);
    rest_.reset();
    Forget();
}

void FramePasses::Forget() {
    runs_.clear();
    frameStarts_.clear();
    reports_.clear();
    next_ = 0;
}

void FramePasses::Keep(std::span<const std::uint8_t> indices, const RenderReport& report) {
    frameStarts_.push_back(runs_.size());
    reports_.push_back(report);
    for (std::size_t at = 0; at < indices.size();) {
        const std::size_t run = RunEnd(indices, at, kLongestRun) - at;
        runs_.push_back(static_cast<std::uint8_t>(run));
        runs_.push_back(indices[at]);
        at += run;
    }
}

void FramePasses::Unpack(std::size_t frame, std::vector<std::uint8_t>& indices) const {
    const std::size_t end =
        frame + 1 < frameStarts_.size() ? frameStarts_[frame + 1] : runs_.size();
    indices.clear();
    for (std::size_t at = frameStarts_[frame]; at < end; at += 2) {
        indices.insert(indices.end(), runs_[at], runs_[at + 1]);
    }
}

}  // namespace zef
