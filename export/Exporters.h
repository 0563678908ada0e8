#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "export/ExportFormat.h"
#include "export/ExportOptions.h"
#include "export/ExportProgress.h"
#include "export/ExportResult.h"
#include "export/ExportScene.h"
#include "export/WebpWriter.h"
#include "model/AtomicFile.h"

namespace zef {

// What an export dialog or zefcli asks for.
struct ExportRequest {
    std::string path;  // the file's path, or the base name of a BMP sequence
    ExportKind kind = ExportKind::kShaking;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool antiAliasing = false;
    bool transparent =
        false;  // GIF without anti-aliasing only; WebP, APNG and WebM with or without
    std::int32_t endWait = 5;
    std::int32_t frameDelay = 6;
    // MP4 and WebM: the constant quality ffmpeg encodes at (its CRF, lower is better); the
    // format's own (VideoWriter.h) when none.
    std::optional<std::int32_t> videoQuality = {};
    // GIF: the smallest file, each frame coded again with a slower search.
    bool smallest = false;
    friend bool operator==(const ExportRequest&, const ExportRequest&) = default;
};

// Renders the animation's frames and writes them as one animated GIF at request.path. The
// model's vtrSpeed and shakingOn are put back on every exit; the replay state is left as the
// last frame left it, but a replay the export started and gave up (cancelled or failed) is
// ended, with a report that it completed. The transparent colour is the model's background colour.
// A cancel, asked for before any frame, after any or before the file is put in place, or a failure
// leaves whatever was at the path as it was.
ExportResult ExportAnimatedGif(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops = SystemFileOps());

// Renders the animation's frames as ExportAnimatedGif does and writes them as one animated
// WebP at request.path, every colour kept unless the compression is lossy. With
// request.transparent the background colour shows nothing; with anti-aliasing too, a pixel at
// the edge of a line gets the opacity of its share of drawn pixels.
ExportResult ExportAnimatedWebp(const ExportScene& scene, const ExportRequest& request,
                                ExportProgress& progress, const FileOps& ops = SystemFileOps(),
                                WebpCompression compression = {});

// Renders the animation's frames as ExportAnimatedGif does and writes them as one animated PNG
// at request.path, every colour kept, in a palette when the frames hold at most 256 colours.
// With request.transparent the background colour shows nothing; with anti-aliasing too, a
// pixel at the edge of a line gets the opacity of its share of drawn pixels.
ExportResult ExportAnimatedPng(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops = SystemFileOps());

// Renders the frames and writes each as an 8-bit BMP right away: base0000.bmp, base0001.bmp,
// ... for kinds 0 and 1, base.bmp for the still image (kind 2, without jitter and without
// touching the replay). The files appear together once the last is written (StagedFiles): a
// cancel or a file that cannot be written leaves every file under those names as it was,
// unless a rename fails part-way, which leaves the frames before it in place.
ExportResult ExportBmpSequence(const ExportScene& scene, const ExportRequest& request,
                               ExportProgress& progress, const FileOps& ops = SystemFileOps());

// Renders the frames as ExportAnimatedGif does and writes them as a video through the ffmpeg
// program (VideoWriter): an MP4 (kMp4), H.264 with the background colour showing, or a WebM
// (kWebm), VP9, with request.transparent the background clear as in a WebP. Every frame shows
// for request.frameDelay. A failure of ffmpeg, or its absence, is told in the result's detail;
// a cancel or failure leaves whatever was at the path as it was, and ends ffmpeg.
ExportResult ExportVideo(ExportFormat format, const ExportScene& scene,
                         const ExportRequest& request, ExportProgress& progress,
                         const FileOps& ops = SystemFileOps());

// The export that writes `format`: its row's writer (ExportFormats.h).
ExportResult ExportAs(ExportFormat format, const ExportScene& scene, const ExportRequest& request,
                      ExportProgress& progress, const FileOps& ops = SystemFileOps(),
                      WebpCompression compression = {});

}  // namespace zef
