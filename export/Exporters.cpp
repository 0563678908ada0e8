#include "export/Exporters.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <optional>

#include "export/ApngDepthChoice.h"
#include "export/BmpFile.h"
#include "export/ExportFormats.h"
#include "export/ExportFrames.h"
#include "export/ExportOptions.h"
#include "export/ExportRules.h"
#include "export/ExportTexts.h"
#include "export/FramePasses.h"
#include "export/FrameSource.h"
#include "export/GifWriter.h"
#include "export/StagedFiles.h"
#include "export/VideoWriter.h"

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

// A replay that an export started and then gave up, cancelled or failed, ends as a finished
// one does: the renderer leaves replay mode and the caller refreshes what shows the mode.
void EndUnfinishedReplay(const ExportScene& scene, const ExportRequest& request,
                         ExportProgress& progress) {
    if (request.kind == ExportKind::kVtr && scene.renderer.VtrMode()) {
        scene.renderer.StopReplay();
        progress.FrameRendered({.replayCompleted = true});
    }
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

// The one frame loop of every format: `add` renders the next frame, reports it and writes it,
// giving an outcome to stop with or none to go on; each frame is a step of the progress bar.
// A cancel is honoured before every frame and before `finish` ends the file, with `finishing`
// as the status text when there is one.
template <typename Add, typename Finish>
ExportOutcome WriteFrames(std::int64_t count, ExportProgress& progress, Add add,
                          const char* finishing, Finish finish) {
    for (std::int64_t i = 0; i < count; ++i) {
        if (!progress.KeepGoing()) {
            return ExportOutcome::kCancelled;
        }
        if (const std::optional<ExportOutcome> stop = add()) {
            return *stop;
        }
        progress.StepProgress();
    }
    if (finishing != nullptr) {
        progress.SetStatusText(finishing);
    }
    if (!progress.KeepGoing()) {
        return ExportOutcome::kCancelled;
    }
    return finish();
}

// Renders and writes the frames; the progress bar goes on from the colour pass, if any.
// Nothing when a frame holds a colour the palette lacks, and the frames are to be counted.
std::optional<ExportOutcome> WriteGifFrames(FramePasses& frames, const ExportScene& scene,
                                            const ExportRequest& request, std::int64_t count,
                                            const Palette& palette, bool coloursCounted,
                                            ExportProgress& progress, const FileOps& ops) {
    GifOptions options;
    if (request.transparent && !request.antiAliasing) {
        options.transparentColour = scene.model.properties.backgroundColour.Value();
    }
    options.smallest = request.smallest;
    std::unique_ptr<AnimatedGifWriter> writer;
    try {
        writer = std::make_unique<AnimatedGifWriter>(request.path, request.width, request.height,
                                                     palette, options, ops);
    } catch (const std::bad_alloc&) {
        return ExportOutcome::kNoFrameStore;
    }
    if (!writer->Ok()) {
        return ExportOutcome::kWriteFailed;
    }
    if (!coloursCounted) {
        progress.SetProgressRange(0, ProgressHigh(count));
    }
    Image image;
    bool paletteMissed = false;
    const ExportOutcome outcome = WriteFrames(
        count, progress,
        [&]() -> std::optional<ExportOutcome> {
            RenderReport report;
            paletteMissed = !frames.Next(image, palette, report);
            progress.FrameRendered(report);
            if (paletteMissed) {
                return ExportOutcome::kNoAnimationInfo;
            }
            return writer->Add(image.indices, static_cast<std::uint32_t>(request.frameDelay))
                       ? std::nullopt
                       : std::optional(ExportOutcome::kWriteFailed);
        },
        texts::kExportWritingGif,
        [&] { return writer->Finish() ? ExportOutcome::kDone : ExportOutcome::kWriteFailed; });
    return paletteMissed ? std::nullopt : std::optional(outcome);
}

// The pens' palette without anti-aliasing; with it, the colours counted over every frame, and
// counted again should a frame of the writing pass hold a colour the count did not see.
ExportOutcome WriteGif(FrameSource& frames, std::int64_t count, const ExportScene& scene,
                       const ExportRequest& request, ExportProgress& progress, const FileOps& ops) {
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
                return ExportOutcome::kNoAnimationInfo;
            }
            if (!palette) {
                return ExportOutcome::kCancelled;
            }
        }
        if (const std::optional<ExportOutcome> outcome = WriteGifFrames(
                passes, scene, request, count, *palette, coloursCounted, progress, ops)) {
            return *outcome;
        }
        passes.Restart();
        palette.reset();
    }
}

bool WebpFramesCanBeHad(const ExportScene& scene, const ExportRequest& request) {
    return FramesCanBeHad(scene, request) && request.width <= AnimatedWebpWriter::kLargestSide &&
           request.height <= AnimatedWebpWriter::kLargestSide;
}

ExportOutcome WriteWebp(FrameSource& frames, std::int64_t count, const ExportRequest& request,
                        ExportProgress& progress, const FileOps& ops, WebpCompression compression) {
    std::unique_ptr<AnimatedWebpWriter> writer;
    try {
        writer = std::make_unique<AnimatedWebpWriter>(request.width, request.height, compression);
    } catch (const std::bad_alloc&) {
        return ExportOutcome::kNoFrameStore;
    }
    progress.SetProgressRange(0, ProgressHigh(count));
    Image image;
    std::vector<std::uint8_t> alpha;
    return WriteFrames(
        count, progress,
        [&]() -> std::optional<ExportOutcome> {
            progress.FrameRendered(request.transparent ? frames.Next(image, alpha)
                                                       : frames.Next(image));
            return writer->Add(image.colours, alpha, static_cast<std::uint32_t>(request.frameDelay))
                       ? std::nullopt
                       : std::optional(ExportOutcome::kNoAnimationInfo);
        },
        texts::kExportWritingWebp,
        [&] {
            return writer->Finish(request.path, ops) ? ExportOutcome::kDone
                                                     : ExportOutcome::kWriteFailed;
        });
}

// A video holds at least one picture: without frames, the drawing as it starts. A writer that
// stops part-way was cancelled when a cancel was asked for; otherwise `failure` tells why.
ExportOutcome WriteVideo(FrameSource& frames, std::int64_t count, const ExportScene& scene,
                         const ExportRequest& request, bool webm, ExportProgress& progress,
                         const FileOps& ops, std::string& failure) {
    const bool alpha = webm && request.transparent;
    VideoWriter writer(request.path,
                       {webm, request.width, request.height, std::max(request.frameDelay, 1),
                        scene.model.properties.backgroundColour.Value(), alpha,
                        request.videoQuality.value_or(webm ? kWebmQuality : kMp4Quality)},
                       ops);
    if (!writer.Ok()) {
        failure = writer.Failure();
        return ExportOutcome::kWriteFailed;
    }
    const auto keepGoing = [&progress] { return progress.KeepGoing(); };
    const auto stopped = [&] {
        failure = writer.Failure();
        return progress.CancelRequested() ? ExportOutcome::kCancelled : ExportOutcome::kWriteFailed;
    };
    count = std::max<std::int64_t>(count, 1);
    progress.SetProgressRange(0, ProgressHigh(count));
    Image image;
    std::vector<std::uint8_t> opacity;
    return WriteFrames(
        count, progress,
        [&]() -> std::optional<ExportOutcome> {
            progress.FrameRendered(alpha ? frames.Next(image, opacity) : frames.Next(image));
            return writer.Add(image.colours, opacity, keepGoing) ? std::nullopt
                                                                 : std::optional(stopped());
        },
        texts::kExportWritingVideo,
        [&] { return writer.Finish(keepGoing) ? ExportOutcome::kDone : stopped(); });
}

// The pixels of a frame as the PNG writer takes them: each colour with its opacity, 0 where
// nothing shows.
RenderReport NextPngFrame(FrameSource& frames, bool transparent, Image& image,
                          std::vector<std::uint8_t>& alpha, std::vector<std::uint32_t>& pixels) {
    const RenderReport report = transparent ? frames.Next(image, alpha) : frames.Next(image);
    const std::span<const std::uint32_t> colours = image.colours.Pixels();
    pixels.resize(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const std::uint32_t opacity = transparent ? alpha[i] : 255;
        pixels[i] = opacity == 0 ? 0 : colours[i] | opacity << 24;
    }
    return report;
}

struct PngColours {
    PngPixels kind = PngPixels::kPalette;
    std::vector<std::uint32_t> palette;
};

// How an animated PNG stores its pixels, with the progress bar set for the writing pass.
// Without anti-aliasing a palette of the pens, the background showing nothing when
// transparent; with it, the colours with their opacities counted over every frame, which are
// rendered once for that (the bar runs over both passes), stored in a palette while there
// are at most 256 of them and as colours once there are more. Nothing when the export is
// cancelled.
std::optional<PngColours> PngColoursOf(FrameSource& frames, std::int64_t count,
                                       const ExportScene& scene, const ExportRequest& request,
                                       ExportProgress& progress) {
    if (!request.antiAliasing) {
        progress.SetProgressRange(0, ProgressHigh(count));
        const ModelProperties& properties = scene.model.properties;
        const std::uint32_t background = properties.backgroundColour.Value();
        const Palette pens = PenPalette(properties);
        PngColours colours;
        for (const std::uint32_t colour : pens.Colours()) {
            colours.palette.push_back(
                request.transparent && colour == background ? 0 : colour | 0xFF000000u);
        }
        return colours;
    }
    progress.SetProgressRange(0, ProgressHigh(2 * count));
    progress.SetStatusText(texts::kExportCountingColours);
    const FrameSource::State start = frames.Save();
    ColourCounter counter;
    Image image;
    std::vector<std::uint8_t> alpha;
    std::vector<std::uint32_t> pixels;
    bool exact = true;
    for (std::int64_t i = 0; i < count && exact; ++i) {
        if (!progress.KeepGoing()) {
            return std::nullopt;
        }
        NextPngFrame(frames, request.transparent, image, alpha, pixels);
        exact = counter.Add(pixels);
        progress.StepProgress();
    }
    frames.Restore(start);
    progress.SetStatusText(texts::kExportPreparing);
    if (!exact) {
        progress.SetProgressRange(0, ProgressHigh(count));
        return PngColours{request.transparent ? PngPixels::kColourAlpha : PngPixels::kColour, {}};
    }
    const Palette palette = counter.MakePalette();
    return PngColours{PngPixels::kPalette, {palette.Colours().begin(), palette.Colours().end()}};
}

ExportOutcome WriteApng(FrameSource& frames, std::int64_t count, const ExportScene& scene,
                        const ExportRequest& request, ExportProgress& progress,
                        const FileOps& ops) {
    std::optional<PngColours> colours;
    try {
        colours = PngColoursOf(frames, count, scene, request, progress);
    } catch (const std::bad_alloc&) {
        return ExportOutcome::kNoAnimationInfo;
    }
    if (!colours) {
        return ExportOutcome::kCancelled;
    }
    std::unique_ptr<ApngDepthChoice> writer;
    try {
        writer = std::make_unique<ApngDepthChoice>(request.path, request.width, request.height,
                                                   colours->kind, colours->palette, ops);
    } catch (const std::bad_alloc&) {
        return ExportOutcome::kNoFrameStore;
    }
    if (!writer->Ok()) {
        return ExportOutcome::kWriteFailed;
    }
    Image image;
    std::vector<std::uint8_t> alpha;
    std::vector<std::uint32_t> pixels;
    return WriteFrames(
        count, progress,
        [&]() -> std::optional<ExportOutcome> {
            progress.FrameRendered(NextPngFrame(frames, request.transparent, image, alpha, pixels));
            return writer->Add(pixels, static_cast<std::uint32_t>(request.frameDelay))
                       ? std::nullopt
                       : std::optional(ExportOutcome::kWriteFailed);
        },
        texts::kExportWritingApng,
        [&] { return writer->Finish() ? ExportOutcome::kDone : ExportOutcome::kWriteFailed; });
}

ExportOutcome WriteBmps(FrameSource& frames, std::int64_t count, const ExportRequest& request,
                        ExportProgress& progress, const FileOps& ops) {
    progress.SetProgressRange(0, ProgressHigh(count));
    StagedFiles files(ops);
    Image image;
    std::int64_t frame = 0;
    return WriteFrames(
        count, progress,
        [&]() -> std::optional<ExportOutcome> {
            progress.FrameRendered(frames.Next(image));
            ImageConvert(image);
            return files.Add(BmpFileName(request.path, request.kind, frame++), EncodeBmp(image))
                       ? std::nullopt
                       : std::optional(ExportOutcome::kWriteFailed);
        },
        nullptr,
        [&] { return files.Commit() ? ExportOutcome::kDone : ExportOutcome::kWriteFailed; });
}

// What every export does around its writing: the properties it changes for its frames put
// back whichever way it ends, the size refused before anything is rendered, the temporary
// files that killed exports left in the folder removed, the frames and
// their count made, a lack of memory while rendering told as the work buffer's, a replay given
// up ended, and the status text that ends a finished or cancelled export.
template <typename Write>
ExportResult RunExport(const ExportScene& scene, const ExportRequest& request,
                       ExportProgress& progress, int shakingOn, bool sizeCanBeHad, Write write) {
    const SavedProperties saved(scene.model);
    scene.model.document.shakingOn = shakingOn;
    progress.SetStatusText(texts::kExportPreparing);
    if (!sizeCanBeHad) {
        return {ExportOutcome::kNoWorkBuffer, {}};
    }
    ExportOutcome outcome = ExportOutcome::kDone;
    try {
        RemoveAbandonedTemporaries(request.path);
        FrameSource frames(scene, request.width, request.height, request.antiAliasing);
        outcome = write(frames, PrepareFrames(scene, request, saved.vtrSpeed()));
    } catch (const std::bad_alloc&) {
        outcome = ExportOutcome::kNoWorkBuffer;
    }
    if (outcome == ExportOutcome::kDone) {
        progress.SetStatusText(texts::kExportFinished);
        return {outcome, {}};
    }
    EndUnfinishedReplay(scene, request, progress);
    if (outcome == ExportOutcome::kCancelled) {
        progress.SetStatusText(texts::kExportCancelled);
    }
    return {outcome, {}};
}

}  // namespace

ExportResult ExportAnimatedGif(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops) {
    return RunExport(scene, request, progress, 1, FramesCanBeHad(scene, request),
                     [&](FrameSource& frames, std::int64_t count) {
                         return WriteGif(frames, count, scene, request, progress, ops);
                     });
}

ExportResult ExportAnimatedWebp(const ExportScene& scene, const ExportRequest& request,
                                ExportProgress& progress, const FileOps& ops,
                                WebpCompression compression) {
    return RunExport(scene, request, progress, 1, WebpFramesCanBeHad(scene, request),
                     [&](FrameSource& frames, std::int64_t count) {
                         return WriteWebp(frames, count, request, progress, ops, compression);
                     });
}

ExportResult ExportAnimatedPng(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops) {
    return RunExport(scene, request, progress, 1, FramesCanBeHad(scene, request),
                     [&](FrameSource& frames, std::int64_t count) {
                         return WriteApng(frames, count, scene, request, progress, ops);
                     });
}

ExportResult ExportBmpSequence(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops) {
    return RunExport(scene, request, progress, request.kind == ExportKind::kStill ? 0 : 1,
                     FramesCanBeHad(scene, request), [&](FrameSource& frames, std::int64_t count) {
                         return WriteBmps(frames, count, request, progress, ops);
                     });
}

ExportResult ExportVideo(ExportFormat format, const ExportScene& scene,
                         const ExportRequest& request, ExportProgress& progress,
                         const FileOps& ops) {
    std::string failure;
    ExportResult result =
        RunExport(scene, request, progress, 1, FramesCanBeHad(scene, request),
                  [&](FrameSource& frames, std::int64_t count) {
                      return WriteVideo(frames, count, scene, request,
                                        format == ExportFormat::kWebm, progress, ops, failure);
                  });
    result.detail = std::move(failure);
    return result;
}

ExportResult ExportAs(ExportFormat format, const ExportScene& scene, const ExportRequest& request,
                      ExportProgress& progress, const FileOps& ops, WebpCompression compression) {
    return RowOf(format).write(scene, request, progress, ops, compression);
}

}  // namespace zef
