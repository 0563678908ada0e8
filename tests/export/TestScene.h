#pragma once

#include <unistd.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/ExportFormat.h"
#include "export/ExportOptions.h"
#include "export/ExportRules.h"
#include "export/Exporters.h"
#include "export/FrameSource.h"

namespace zef::test {

// A pixel as a viewer shows it: a colour value, or kClear where nothing is drawn.
inline constexpr std::int64_t kClear = -1;

struct ShownFrame {
    std::vector<std::int64_t> pixels;
    std::uint32_t delay = 0;
    friend bool operator==(const ShownFrame&, const ShownFrame&) = default;
};

struct DecodedAnimation {
    std::int32_t width = 0, height = 0;
    bool loops = false;  // shown over and over
    std::vector<ShownFrame> frames;
    friend bool operator==(const DecodedAnimation&, const DecodedAnimation&) = default;
};

// Decodes a GIF with giflib and composites its frames as a viewer does (transparent index,
// disposals 1 and 2), consecutive equal pictures merged; nothing when giflib cannot read it.
std::optional<DecodedAnimation> DecodeGif(const std::string& path);

// Decodes a WebP with libwebp's animation decoder, every frame composited, its pixels Shown
// and its delays in hundredths; nothing when libwebp cannot read it.
std::optional<DecodedAnimation> DecodeWebp(const std::string& path);

// Decodes an animated PNG with Pillow, every frame composited, its pixels Shown and its delays
// in hundredths, consecutive equal pictures merged; nothing when Pillow cannot read it or
// the default image that a reader without animation shows is not the first frame.
std::optional<DecodedAnimation> DecodeApng(const std::string& path);

// Merges consecutive equal pictures, adding their delays.
std::vector<ShownFrame> Merge(std::vector<ShownFrame> frames);

// A small model of three strokes on a 60 x 40 canvas, with its pens set.
struct TestScene {
    Model model;
    Renderer renderer;
    Random random{77};
    SelectionState selection;

    // The pens in slot order (line, shadow, background); the model's own when none are given.
    explicit TestScene(std::int32_t lineWidth = 3, std::vector<Colour> pens = {}) {
        ModelProperties& p = model.properties;
        p.canvasWidth = 60;
        p.canvasHeight = 40;
        p.lineWidth = lineWidth;
        if (pens.empty()) {
            pens = {p.lineColour, p.shadowColour, p.backgroundColour};
        }
        for (std::size_t slot = 0; slot < 3; ++slot) {
            const Colour& c = pens[slot];
            renderer.SetColourSlot(p, static_cast<int>(slot), c.red, c.green, c.blue, lineWidth);
        }
        const int strokes[][6] = {
            {5, 5, 50, 8, 55, 30}, {10, 35, 20, 12, 30, 36}, {40, 20, 41, 21, 44, 20}};
        for (const auto& s : strokes) {
            model.AppendPoint(s[0], s[1], false);
            model.AppendPoint(s[2], s[3], true);
            model.AppendPoint(s[4], s[5], true);
        }
    }
    ExportScene View() { return {model, renderer, random, selection}; }
};

// Records what an export shows, and asks for a cancel once `cancelAfter` frames are rendered.
struct RecordingProgress : ExportProgress {
    std::vector<std::string> statuses;
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges;
    int steps = 0;
    std::map<std::string, int> stepsUnder;  // by the status text shown at the step
    std::vector<RenderReport> reports;
    std::optional<std::size_t> cancelAfter;

    void SetStatusText(const std::string& text) override { statuses.push_back(text); }
    void SetProgressRange(std::int32_t low, std::int32_t high) override {
        ranges.emplace_back(low, high);
    }
    void StepProgress() override {
        ++steps;
        ++stepsUnder[statuses.empty() ? std::string() : statuses.back()];
    }
    void PumpOneEvent() override {}
    void FrameRendered(const RenderReport& report) override { reports.push_back(report); }
    bool CancelRequested() const override { return cancelAfter && reports.size() >= *cancelAfter; }
};

// A pixel as a viewer shows it with its opacity: kClear where nothing shows, else the colour
// value with the opacity in bits 24..31.
inline std::int64_t Shown(std::uint32_t colour, std::uint32_t alpha) {
    return alpha == 0 ? kClear : std::int64_t{colour | alpha << 24};
}

// The frames an export of `request` as `format` should show, rendered from a scene in the same
// state: new jitter every frame, a VTR replay from the start by the step. WebP and APNG pixels
// are Shown;
// a transparent GIF without anti-aliasing shows no background; a BMP shows no delay.
inline std::vector<ShownFrame> RenderedFrames(TestScene& scene, const ExportRequest& request,
                                              ExportFormat format) {
    const std::int32_t speed = scene.model.properties.vtrSpeed;
    scene.model.document.shakingOn = request.kind == ExportKind::kStill ? 0 : 1;
    if (request.kind == ExportKind::kVtr) {
        scene.model.properties.vtrSpeed = ReplayStep(speed, request.frameDelay);
        scene.renderer.StartReplay();
    }
    const std::int64_t count = FrameCount(request.kind, scene.model.TotalPathLength(), speed,
                                          request.endWait, request.frameDelay);
    FrameSource source(scene.View(), request.width, request.height, request.antiAliasing);
    const bool webp = format == ExportFormat::kWebp || format == ExportFormat::kApng;
    const bool clearBackground =
        format == ExportFormat::kGif && request.transparent && !request.antiAliasing;
    const std::uint32_t background = scene.model.properties.backgroundColour.Value();
    const auto delay =
        static_cast<std::uint32_t>(format == ExportFormat::kBmp ? 0 : request.frameDelay);
    std::vector<ShownFrame> frames(static_cast<std::size_t>(count), {{}, delay});
    for (ShownFrame& frame : frames) {
        Image image;
        std::vector<std::uint8_t> alpha;
        webp&& request.transparent ? source.Next(image, alpha) : source.Next(image);
        const std::span<const std::uint32_t> colours = image.colours.Pixels();
        for (std::size_t p = 0; p < colours.size(); ++p) {
            frame.pixels.push_back(webp ? Shown(colours[p], alpha.empty() ? 255 : alpha[p])
                                   : clearBackground && colours[p] == background ? kClear
                                                                                 : colours[p]);
        }
    }
    scene.model.properties.vtrSpeed = speed;
    return frames;
}

// The system's file operations, with writes failing once `allowed` bytes are written.
inline FileOps WritesUpTo(std::size_t allowed) {
    FileOps ops = SystemFileOps();
    ops.write = [allowed, written = std::make_shared<std::size_t>(0)](int fd, const void* data,
                                                                      std::size_t size) -> ssize_t {
        if (*written + size > allowed) {
            return -1;
        }
        *written += size;
        return ::write(fd, data, size);
    };
    return ops;
}

}  // namespace zef::test
