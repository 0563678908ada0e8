#include "Exporters.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <optional>

#include "BmpFile.h"
#include "ExportOptions.h"
#include "ExportRules.h"
#include "ExportTexts.h"
#include "FramePasses.h"
#include "FrameSource.h"
#include "GifWriter.h"
#include "StagedFiles.h"

namespace zef {
namespace {

// Puts back the properties an export changes for its frames, whichever way it ends.
class SavedProperties {
  public:
    explicit SavedProperties(Model& model)
        : model_(model),
          vtrSpeed_(model.properties.vtrSpeed),
          shakingOn_(model.document.shakingOn) {}
    SavedProperties(const SavedProperties&) = delete;
    SavedProperties& operator=(const SavedProperties&) = delete;
    ~SavedProperties() {
        model_.properties.vtrSpeed = vtrSpeed_;
        model_.document.shakingOn = shakingOn_;
    }
    std::int32_t vtrSpeed() const { return vtrSpeed_; }

  private:
    Model& model_;
    std::int32_t vtrSpeed_;
    int shakingOn_;
};

bool FramesCanBeHad(const ExportScene& scene, const ExportRequest& request) {
    const PixelRect area = FrameSource::ModelArea(scene);
    return FrameSizeCanBeHad(request.width, request.height) &&
           FrameSizeCanBeHad(area.width, area.height);
}

// Works out the frame count; a VTR animation replays by the step from the start.
std::int64_t PrepareFrames(const ExportScene& scene, const ExportRequest& request,
                           std::int32_t savedSpeed) {
    if (request.kind == kExportVtr) {
        scene.model.properties.vtrSpeed = ReplayStep(savedSpeed, request.frameDelay);
        scene.renderer.StartReplay();
    }
    return FrameCount(request.kind, scene.model.TotalPathLength(), savedSpeed, request.endWait,
                      request.frameDelay);
}

std::int32_t ProgressHigh(std::int64_t count) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

// The colours a frame without anti-aliasing can hold: the renderer paints with the
// background, shadow and line colours only.
Palette PenPalette(const ModelProperties& properties) {
    std::vector<std::uint32_t> colours;
    for (const Colour& colour :
         {properties.backgroundColour, properties.shadowColour, properties.lineColour}) {
        const std::uint32_t value = colour.Value();
        if (std::find(colours.begin(), colours.end(), value) == colours.end()) {
            colours.push_back(value);
        }
    }
    return Palette::Exact(std::move(colours));
}

ExportResult Cancelled(ExportProgress& progress) {
    progress.SetStatusText(texts::kExportCancelled);
    return {ExportOutcome::kCancelled};
}

// Renders every frame once to count their colours; the writing pass takes the frames kept
// then and renders the rest again. The progress bar runs over both passes. Nothing when the
// export is cancelled.
std::optional<Palette> CountColours(FramePasses& passes, std::int64_t count,
                                    ExportProgress& progress) {
    progress.SetProgressRange(0, ProgressHigh(2 * count));
    progress.SetStatusText(texts::kExportCountingColours);
    std::optional<Palette> palette = passes.CountColours(count, progress);
    if (palette) {
        progress.SetStatusText(texts::kExportPreparing);
    }
    return palette;
}

enum class Pass { kWritten, kPaletteMissed, kWriteFailed, kNoFrameStore, kCancelled };

// Renders and writes the frames; the progress bar goes on from the colour pass, if any.
Pass WriteGif(FramePasses& frames, const ExportScene& scene, const ExportRequest& request,
              std::int64_t count, const Palette& palette, bool coloursCounted,
              ExportProgress& progress, const FileOps& ops) {
    std::optional<std::uint32_t> transparent;
    if (request.transparent && !request.antiAliasing) {
        transparent = scene.model.properties.backgroundColour.Value();
    }
    std::unique_ptr<AnimatedGifWriter> writer;
    try {
        writer = std::make_unique<AnimatedGifWriter>(request.path, request.width, request.height,
                                                     palette, transparent, ops);
    } catch (const std::bad_alloc&) {
        return Pass::kNoFrameStore;
    }
    if (!writer->Ok()) {
        return Pass::kWriteFailed;
    }
    if (!coloursCounted) {
        progress.SetProgressRange(0, ProgressHigh(count));
    }
    Image image;
    for (std::int64_t i = 0; i < count; ++i) {
        if (!progress.KeepGoing()) {
            return Pass::kCancelled;
        }
        RenderReport report;
        const bool converted = frames.Next(image, palette, report);
        progress.FrameRendered(report);
        if (!converted) {
            return Pass::kPaletteMissed;
        }
        if (!writer->Add(image.indices, static_cast<std::uint32_t>(request.frameDelay))) {
            return Pass::kWriteFailed;
        }
        progress.StepProgress();
    }
    progress.SetStatusText(texts::kExportWritingGif);
    if (!progress.KeepGoing()) {
        return Pass::kCancelled;
    }
    return writer->Finish() ? Pass::kWritten : Pass::kWriteFailed;
}

}  // namespace

ExportResult ExportAnimatedGif(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops) {
    const SavedProperties saved(scene.model);
    scene.model.document.shakingOn = 1;
    progress.SetStatusText(texts::kExportPreparing);
    if (!FramesCanBeHad(scene, request)) {
        return {ExportOutcome::kNoWorkBuffer};
    }
    try {
        FrameSource frames(scene, request.width, request.height, request.antiAliasing);
        const std::int64_t count = PrepareFrames(scene, request, saved.vtrSpeed());
        FramePasses passes(frames);
        std::optional<Palette> palette;
        if (!request.antiAliasing) {
            palette = PenPalette(scene.model.properties);
        }
        for (;;) {
            const bool coloursCounted = !palette;
            if (!palette) {
                try {
                    palette = CountColours(passes, count, progress);
                } catch (const std::bad_alloc&) {
                    return {ExportOutcome::kNoAnimationInfo};
                }
                if (!palette) {
                    return Cancelled(progress);
                }
            }
            switch (
                WriteGif(passes, scene, request, count, *palette, coloursCounted, progress, ops)) {
                case Pass::kWritten:
                    progress.SetStatusText(texts::kExportFinished);
                    return {ExportOutcome::kDone};
                case Pass::kWriteFailed:
                    return {ExportOutcome::kWriteFailed};
                case Pass::kNoFrameStore:
                    return {ExportOutcome::kNoFrameStore};
                case Pass::kCancelled:
                    return Cancelled(progress);
                case Pass::kPaletteMissed:
                    passes.Restart();
                    palette.reset();
                    break;
            }
        }
    } catch (const std::bad_alloc&) {
        return {ExportOutcome::kNoWorkBuffer};
    }
}

ExportResult ExportBmpSequence(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops) {
    const SavedProperties saved(scene.model);
    scene.model.document.shakingOn = request.kind == kExportStill ? 0 : 1;
    progress.SetStatusText(texts::kExportPreparing);
    if (!FramesCanBeHad(scene, request)) {
        return {ExportOutcome::kNoWorkBuffer};
    }
    try {
        FrameSource frames(scene, request.width, request.height, request.antiAliasing);
        const std::int64_t count = PrepareFrames(scene, request, saved.vtrSpeed());
        progress.SetProgressRange(0, ProgressHigh(count));
        StagedFiles files(ops);
        Image image;
        for (std::int64_t i = 0; i < count; ++i) {
            if (!progress.KeepGoing()) {
                return Cancelled(progress);
            }
            progress.FrameRendered(frames.Next(image));
            ImageConvert(image);
            if (!files.Add(BmpFileName(request.path, request.kind, i), EncodeBmp(image))) {
                return {ExportOutcome::kWriteFailed};
            }
            progress.StepProgress();
        }
        if (!progress.KeepGoing()) {
            return Cancelled(progress);
        }
        if (!files.Commit()) {
            return {ExportOutcome::kWriteFailed};
        }
    } catch (const std::bad_alloc&) {
        return {ExportOutcome::kNoWorkBuffer};
    }
    progress.SetStatusText(texts::kExportFinished);
    return {ExportOutcome::kDone};
}

}  // namespace zef
