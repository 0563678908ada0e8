#pragma once

#include <unistd.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ExportOptions.h"
#include "ExportProgress.h"
#include "ExportRules.h"
#include "ExportScene.h"
#include "FrameSource.h"

namespace zef::test {

// A pixel as a viewer shows it: a colour value, or kClear where nothing is drawn.
inline constexpr std::int64_t kClear = -1;

struct ShownFrame {
    std::vector<std::int64_t> pixels;
    std::uint32_t delay = 0;
    friend bool operator==(const ShownFrame&, const ShownFrame&) = default;
};

struct DecodedGif {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool loops = false;
    std::vector<ShownFrame> frames;  // consecutive equal pictures merged, delays added
};

// Decodes a GIF with giflib and composites its frames as a viewer does (transparent index,
// disposals 1 and 2); nothing when giflib cannot read it.
std::optional<DecodedGif> DecodeGif(const std::string& path);

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
        for (int slot = 0; slot < 3; ++slot) {
            const Colour& c = pens[static_cast<std::size_t>(slot)];
            renderer.SetColourSlot(p, slot, c.red, c.green, c.blue, p.lineWidth);
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

// Records what an export shows, and asks for a cancel once `cancelAfter` frames went into
// the file.
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

// The frames an export of `kind` should show, rendered from a scene in the same state: new
// jitter every frame, a VTR replay from the start by the step. When `transparent`, background
// pixels show as nothing or, `withOpacity`, every pixel as Shown with the opacity the
// renderer gives it.
inline std::vector<ShownFrame> RenderedFrames(TestScene& scene, std::int32_t kind,
                                              std::int32_t width, std::int32_t height,
                                              bool antiAliasing, bool transparent,
                                              std::int32_t endWait, std::int32_t delay,
                                              bool withOpacity = false) {
    const std::int32_t speed = scene.model.properties.vtrSpeed;
    scene.model.document.shakingOn = kind == kExportStill ? 0 : 1;
    if (kind == kExportVtr) {
        scene.model.properties.vtrSpeed = ReplayStep(speed, delay);
        scene.renderer.StartReplay();
    }
    const std::int64_t count =
        FrameCount(kind, scene.model.TotalPathLength(), speed, endWait, delay);
    FrameSource source(scene.View(), width, height, antiAliasing);
    const auto clear = std::int64_t{scene.model.properties.backgroundColour.Value()};
    std::vector<ShownFrame> frames;
    for (std::int64_t i = 0; i < count; ++i) {
        Image image;
        std::vector<std::uint8_t> alpha;
        withOpacity&& transparent ? source.Next(image, alpha) : source.Next(image);
        ShownFrame frame{{}, static_cast<std::uint32_t>(delay)};
        const std::span<const std::uint32_t> colours = image.colours.Pixels();
        for (std::size_t p = 0; p < colours.size(); ++p) {
            frame.pixels.push_back(withOpacity ? Shown(colours[p], alpha.empty() ? 255 : alpha[p])
                                   : transparent && colours[p] == clear ? kClear
                                                                        : colours[p]);
        }
        frames.push_back(std::move(frame));
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

inline std::size_t ColourCount(const std::vector<ShownFrame>& frames) {
    std::set<std::int64_t> colours;
    for (const ShownFrame& frame : frames) {
        colours.insert(frame.pixels.begin(), frame.pixels.end());
    }
    return colours.size();
}

}  // namespace zef::test
